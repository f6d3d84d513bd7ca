// The window "Hidrograma en la sección": the hydrograph chart of a run (or of
// any "_Qt.rkd" file) with its balance figures, saved as PNG / SVG or printed
// through the platform.
#pragma once

#include <QDialog>
#include <string>

#include "model/hidrograma.h"
#include "model/pluviograma.h"
#include "base/plataforma.h"

class QChart;
class QChartView;
class QLabel;

namespace tarno::ui {

inline constexpr const char* kTituloVentanaHidrograma = "Hidrograma en la sección";
inline constexpr const char* kFiltroHidrograma = "Hidrogramas de TARNO-SIG (*_Qt.rkd)|*_Qt.rkd";
inline constexpr const char* kFiltroImagenHidrograma = "Imagen PNG (*.png)|*.png|Dibujo SVG (*.svg)|*.svg";

class DlgHidrograma : public QDialog {
    Q_OBJECT
public:
    DlgHidrograma(Plataforma& plataforma, QWidget* parent = nullptr);

    /// Shows `g`; `rutaQt` (the file drawn) names the picture the save
    /// dialog proposes.
    void Mostrar(const GraficoHidrograma& g, const std::string& rutaQt);

    /// "Guardar imagen...": PNG or SVG after the save dialog, the size of the chart on screen.
    void cmdGuardar_Click();
    /// "Imprimir...": the drawing on one page after the print dialog.
    void cmdImprimir_Click();

    QChart* Grafico() const;
    QString Balance() const;
    const GraficoHidrograma& Datos() const { return g_; }

private:
    Plataforma& plat_;
    GraficoHidrograma g_;
    std::string rutaQt_;
    QChartView* vista_;
    QLabel* balance_;
};

/// "Ver Hidrograma...": asks for a "_Qt.rkd" file and opens its window (the
/// rain from the storm the file names, or from `pv` when the file is of that
/// hyetograph). Errors are shown; nullptr when nothing was opened.
DlgHidrograma* VerHidrogramaArchivo(Plataforma& plataforma, const Pluviograma* pv, QWidget* parent);

}  // namespace tarno::ui
