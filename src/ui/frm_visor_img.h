// The image viewer window `frmVisorIMG`: the current image drawn cell by cell
// with the chosen palette and zoom, its legend and title, the cursor read-out
// in the status bar, the selection tools of the pop-up menu and the area
// painting editor.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "ui/estado_app.h"
#include "viewer/paletas.h"
#include "viewer/pintura.h"
#include "viewer/render.h"
#include "viewer/seleccion.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QToolBar;

namespace tarno {
class Plataforma;
}

namespace tarno::ui {

class FrmMain0;
class FrmVisorIMG;

/// The picture `Picture1`: shows the drawn image and the rubber bands
/// `Shape1` and `Line1`, and passes the mouse to the viewer.
class LienzoVisor : public QWidget {
    Q_OBJECT
public:
    explicit LienzoVisor(FrmVisorIMG& visor);
    QImage& Imagen() { return imagen_; }
    void FijarImagen(QImage imagen);

    // Rubber bands, hidden at load.
    bool shape1Visible = false;
    visor::Rect shape1;
    bool line1Visible = false;
    std::array<int, 4> line1{};
    int grosor = 2;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    FrmVisorIMG& visor_;
    QImage imagen_;
};

class FrmVisorIMG : public QWidget {
    Q_OBJECT
public:
    FrmVisorIMG(FrmMain0& principal, QWidget* parent = nullptr);
    ~FrmVisorIMG() override;

    /// Rebuilds the palettes, sizes and places the window, draws the image,
    /// its legend and title and sets the caption. False when the drawing
    /// stopped on an error (already shown).
    bool mostrarRASK();

    // Mouse events of the picture (x, y in picture pixels).
    void Picture1_MouseDown(Qt::MouseButton boton, int x, int y, const QPoint& global);
    void Picture1_MouseMove(Qt::MouseButtons botones, int x, int y);
    void Picture1_MouseUp(Qt::MouseButton boton, int x, int y);

    // Pop-up menu commands.
    void mnuSelPixel_Click();
    void mnuSelSegmento_Click();
    void mnuSelRectangulo_Click();
    void mnuLapizPincel_Click();
    void mnuLapiz_Click(int ancho);
    void Combo1_Click();
    void Toolbar1_ButtonClick(const QString& clave);

    /// Marks the cells of the last profile in light grey on the picture.
    void MarcarPerfil(const std::vector<visor::Celda>& puntos);

    // Access for the main window's commands and the tests.
    LienzoVisor* Picture1() const { return picture1_; }
    QComboBox* Combo1() const { return combo1_; }
    QToolBar* Toolbar1() const { return toolbar1_; }
    QLabel* PicTitulo() const { return picTitulo_; }
    QLabel* PicLeyenda() const { return picLeyenda_; }
    QMenu* MenuEmergente() const { return popup_; }
    QString Panel(int i) const;  // status panels 1..5
    QAction* Item(const QString& nombre) const;
    const visor::EditorAreas& Editor() const { return editor_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QAction* NuevoItem(QMenu* menu, const char* nombre, const QString& texto, bool marcable);
    void ElegirModo(QAction* modo);
    void OcultarBandas();
    bool Pintando() const;
    void PintarEn(int32_t fila, int32_t col);
    void DibujarLeyenda(int ancho, int alto);
    void UbicarVentana(int anchoPicture, int altoPicture);
    visor::Celda CeldaEn(int x, int y) const;

    FrmMain0& principal_;
    EstadoApp& estado_;
    Plataforma& plat_;
    visor::TablaPaletas paletas_;
    visor::EditorAreas editor_;
    bool botonPresionado_ = false;
    visor::VistaCeldas vista_;

    QToolBar* toolbar1_;
    QComboBox* combo1_;
    QScrollArea* scroll_;
    LienzoVisor* picture1_;
    QLabel* picLeyenda_;
    QLabel* picTitulo_;
    QStatusBar* sbStatusBar_;
    std::array<QLabel*, 5> paneles_{};
    QMenu* popup_;
    QMenu* mnuLapiz_;
};

}  // namespace tarno::ui
