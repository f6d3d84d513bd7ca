// The profile chart `dlgChart1`: the values of the cells of the last segment
// against their position along it, in metres or in cells.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "ui/estado_app.h"

class QLabel;
class QPushButton;
class QChart;
class QChartView;

namespace tarno::ui {

class DlgChart1 : public QDialog {
    Q_OBJECT
public:
    explicit DlgChart1(EstadoApp& estado, QWidget* parent = nullptr);

    /// Load: draws the chart, or closes the dialog at once when no segment
    /// was traced. False when it closed.
    bool Cargar();

    /// "Ver Eje X en Pixel / en Metros": toggles the X axis and redraws.
    void cmdPxMt_Click();

    // What was handed to the chart (for the tests).
    QStringList Etiquetas() const { return etiquetas_; }
    std::vector<float> Valores() const { return valores_; }
    QString TituloEjeX() const;
    QString TituloGrafico() const;
    QString Pie() const;
    bool EjeEnPixel() const { return enPixel_; }

private:
    void Dibujar();

    EstadoApp& estado_;
    bool enPixel_ = false;       // the X axis is in cells (false: metres)
    int nroPuntos_ = 0;
    QString titulo_;             // empty
    QStringList etiquetas_;
    std::vector<float> valores_;
    QChart* chart_;
    QChartView* vista_;
    QLabel* pie_;
};

}  // namespace tarno::ui
