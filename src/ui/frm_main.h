// The main window of TARNO-SIG.
//
// It owns every command of the system: the menu bar, the toolbar, the status
// bar and the message box `picMensajes`. Its own commands and those each part
// hands it (the tables of conexiones.h) become the menu items, each connected
// once to its handler; the toolbar buttons run the menu items.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "model/correr_modelo.h"
#include "base/plataforma.h"
#include "ui/conexiones.h"
#include "ui/dlg_opciones.h"
#include "ui/estado_app.h"
#include "ui/frm_pp.h"

class QAction;
class QLabel;
class QToolBar;

namespace tarno::ui {

class DlgChart1;
class DlgHidrograma;
class FrmVisorIMG;

/// Caption of the main window.
inline constexpr const char* kTituloPrincipal = "TARNO-SIG - Modelo Hidrológico Velmar, basado en SIG";
/// The application title (settings store key, message box titles).
inline constexpr const char* kTituloAplicacion = "TARNO-SIG";

/// Pixels per cell side that the zoom commands offer, in menu order.
inline constexpr int kTablaZoom[13] = {1, 2, 4, 5, 10, 20, 40, 50, 100, 200, 400, 500, 1000};

class FrmMain0 : public QMainWindow {
    Q_OBJECT
public:
    FrmMain0(EstadoApp& estado, Plataforma& plataforma, QWidget* parent = nullptr);
    ~FrmMain0() override;

    EstadoApp& Estado() { return estado_; }
    Plataforma& Plat() { return plataforma_; }

    /// The action of the menu item, menu or toolbar button named `nombre`
    /// (its object name), or nullptr when there is none.
    QAction* Accion(const QString& nombre) const;
    /// The zoom item of `tam` pixels per cell, or nullptr when there is none.
    QAction* AccionZoom(int tam) const;

    /// Opens a raster image and shows it in the viewer.
    void VerIMG(const std::string& nombreDat);

    // --- picMensajes and the status bar ---
    void ImprimirMensaje(const QString& linea);  // prints one line in picMensajes
    void LimpiarMensajes();
    QString TextoMensajes() const;
    void PanelEstado(const QString& texto);      // first status bar panel
    QString TextoPanelEstado() const;
    void RelojArena(bool activo);                // hourglass pointer on the window and picMensajes

    // --- windows owned by the main window ---
    /// The options dialog; created (and filled) on first use. `mostrar` shows it.
    DlgOpciones* Opciones(bool mostrar);
    DlgOpciones* OpcionesAbierto() const { return opciones_; }
    /// The board window `frmPp`, loaded (hidden) when it is not.
    FrmPp* Pizarra();
    FrmPp* PizarraAbierta() const { return pizarra_; }
    /// The progress window `frmPp2`, created hidden when it is not.
    FrmPp2* Progreso();
    FrmPp2* ProgresoAbierto() const { return progreso_; }
    /// The viewer window while it is open, else nullptr.
    FrmVisorIMG* Visor() const;
    void FijarVisor(FrmVisorIMG* visor);
    /// The profile chart while it is open, else nullptr.
    DlgChart1* Chart() const;
    void FijarChart(DlgChart1* chart);

    // --- commands (menu handlers) ---
    void mnuOpciones_Click();
    void mnuRun1_Click();
    void mnuPizarra1_Click();
    void mnuAbrirImgRASK_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearchForHelpOn_Click();
    void mnuHelpAbout_Click();
    void Paleta(int nro);   // the palette commands 1..9
    void Zoom(int tam);     // the zoom commands of kTablaZoom
    void ZoomMenos();
    void ZoomMas();
    void miZoomAuto();

    /// True while a run is under way (the run command refuses a second one).
    bool Corriendo() const { return corriendo_; }
    /// "Ver Hidrograma...": the chart of a "_Qt.rkd" file the user chooses.
    void mnuVerHidrograma_Click();
    /// The hydrograph window of the last run or file, when open.
    DlgHidrograma* HidrogramaAbierto() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    TablaComandos ComandosPropios();
    QAction* NuevaAccion(const Comando& c);
    QAction* Boton(QToolBar* barra, const char* clave, const QString& texto, const QString& ayuda);
    void CrearMenus(const TablaComandos& tabla);
    void CrearBarraHerramientas();
    void ConectarBotones();
    void CrearBarraEstado();
    void AlCerrarPizarra();
    void ResultadosCorrida(FinCorrida fin, double segundos, bool informe);

    EstadoApp& estado_;
    Plataforma& plataforma_;
    QLabel* picMensajes_ = nullptr;
    QLabel* panel1_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    QPointer<DlgOpciones> opciones_;
    QPointer<FrmPp> pizarra_;
    QPointer<FrmPp2> progreso_;
    QPointer<FrmVisorIMG> visor_;
    QPointer<DlgChart1> chart_;
    QPointer<DlgHidrograma> hidrograma_;
    std::map<QString, QAction*> acciones_;  // menu items, menus and toolbar buttons by object name
    QAction* paletas_[9] = {};              // the palette items, in menu order
    QAction* botonesPaleta_[6] = {};        // the palette buttons
    QAction* zoom_[13] = {};                // the zoom items, as kTablaZoom
    bool corriendo_ = false;
};

}  // namespace tarno::ui
