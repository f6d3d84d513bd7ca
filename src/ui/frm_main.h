// The main window of TARNO-SIG.
//
// It owns every command of the system: the menu bar, the toolbar, the status
// bar and the message box `picMensajes`. Subsystems attach their commands
// through the hooks of conexiones.h: each looks its actions up by the menu
// item's name (Accion("mnuFileSaveAs")) and connects them. The window gives
// its own placeholder behaviour only to the actions no subsystem connected.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>

#include "raster/plataforma.h"
#include "ui/dlg_opciones.h"
#include "ui/estado_app.h"
#include "ui/frm_pp.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tarno::ui {

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

    /// The action of the menu item or toolbar button named `nombre`
    /// (its object name), or nullptr when there is none.
    QAction* Accion(const QString& nombre) const;

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

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QAction* NuevaAccion(QMenu* menu, const char* nombre, const QString& texto);
    QAction* Boton(QToolBar* barra, const char* clave, const QString& texto, const QString& ayuda);
    void CrearMenus();
    void CrearBarraHerramientas();
    void CrearBarraEstado();
    void ConectarPropias();
    /// Connects `f` to the action `nombre` unless a subsystem hook connected it.
    template <typename F>
    void Propia(const char* nombre, F f);
    void Marcador(const char* nombre, const char* mensaje);
    void AlCerrarPizarra();

    EstadoApp& estado_;
    Plataforma& plataforma_;
    QLabel* picMensajes_ = nullptr;
    QLabel* panel1_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    QPointer<DlgOpciones> opciones_;
    QPointer<FrmPp> pizarra_;
    QPointer<FrmPp2> progreso_;
    std::map<QString, int> receptoresPrevios_;  // receivers of each action before the hooks
    bool corriendo_ = false;
};

}  // namespace tarno::ui
