// Connects the raster tool commands of the "Modificar Img KOLT" and
// "Archivo" menus. Each tool dialog is created on first use, stays open
// (modeless) until it is closed, and is brought to the front when its
// command is chosen again.
#include <QAction>
#include <QPointer>

#include "raster/guardar_como.h"
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

void ConectarHerramientas(FrmMain0& ventana) {
    auto* d = new DialogosHerramientas(ventana);
    auto conectar = [&ventana, d](const char* nombre, auto accion) {
        if (QAction* a = ventana.Accion(nombre)) QObject::connect(a, &QAction::triggered, d, accion);
    };
    conectar("mnuRecortarRASK", [d] { d->Mostrar(d->recorta); });
    conectar("mnuClasificar", [d] { d->Mostrar(d->clasifica); });
    conectar("mnuModificaDatPixel", [d] { d->Mostrar(d->modifica); });
    conectar("mnuOperadorRASK", [d] { d->Mostrar(d->operador); });
    conectar("mnuSuperponer", [d] { d->Mostrar(d->superpone); });
    conectar("mnuFileSaveAs", [&ventana] { mnuFileSaveAs_Click(ventana.Estado().img, ventana.Plat()); });
}

}  // namespace tarno::ui
