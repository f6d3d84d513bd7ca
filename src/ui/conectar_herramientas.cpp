// Connects the raster tool commands of the "Modificar Img KOLT" and
// "Archivo" menus. Each tool dialog is created on first use, stays open
// (modeless) until it is closed, and is brought to the front when its
// command is chosen again.
#include <QPointer>

#include "comandos/guardar_como.h"
#include "ui/conexiones.h"
#include "ui/dlg_clasificar.h"
#include "ui/dlg_modificar.h"
#include "ui/dlg_operador.h"
#include "ui/dlg_recortar.h"
#include "ui/dlg_superponer.h"
#include "ui/frm_main.h"

namespace tarno::ui {

namespace {

// Holds the open tool dialogs; lives as long as the main window.
class DialogosHerramientas : public QObject {
public:
    explicit DialogosHerramientas(FrmMain0& ventana) : QObject(&ventana), ventana_(ventana) {}

    template <typename D>
    void Mostrar(QPointer<D>& dialogo) {
        if (!dialogo) dialogo = new D(ventana_.Estado(), ventana_.Plat(), &ventana_);
        dialogo->show();
        dialogo->raise();
        dialogo->activateWindow();
    }

    FrmMain0& ventana_;
    QPointer<DlgRecortaRASK> recorta;
    QPointer<DlgClasificaDatPixel> clasifica;
    QPointer<DlgModificaDatPixel> modifica;
    QPointer<DlgOperadorRASK> operador;
    QPointer<DlgSuperponerRASK> superpone;
};

}  // namespace

TablaComandos ComandosHerramientas(FrmMain0& ventana) {
    // The holder is a child of the main window, which keeps the handlers and
    // so outlives every call of them.
    auto* d = new DialogosHerramientas(ventana);
    FrmMain0* w = &ventana;
    return {
        {"mnuFileSaveAs", "G&uardar Imagen como...", Menu::Archivo,
         [w] { mnuFileSaveAs_Click(w->Estado().img, w->Plat()); }},
        {"mnuModificaDatPixel", "&Modificar valor de Pixel en RASK", Menu::Modificar,
         [d] { d->Mostrar(d->modifica); }},
        {"mnuRecortarRASK", "Recortar Imagen RASK", Menu::Modificar, [d] { d->Mostrar(d->recorta); }},
        {"mnuOperadorRASK", "Operador en IMG RASK", Menu::Modificar, [d] { d->Mostrar(d->operador); }},
        {"mnuClasificar", "Clasificar ", Menu::Modificar, [d] { d->Mostrar(d->clasifica); }},
        {"mnuSuperponer", "Superponer / Operar dos imagenes", Menu::Modificar, [d] { d->Mostrar(d->superpone); }},
    };
}

}  // namespace tarno::ui
