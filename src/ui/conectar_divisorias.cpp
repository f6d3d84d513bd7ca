// The divide depuration command of the simulation menu.
#include <QAction>

#include "model/divisorias.h"
#include "ui/conexiones.h"
#include "ui/frm_main.h"

namespace tarno::ui {

void mnuDepurarDivisorias_Click(FrmMain0& v) {
    EstadoApp& estado = v.Estado();
    v.RelojArena(true);
    ComandoDepurarDivisorias(estado.par, estado.img, v.Plat());
    v.RelojArena(false);
}

void ConectarDivisorias(FrmMain0& ventana) {
    if (QAction* a = ventana.Accion("mnuDepurarDivisorias"))
        QObject::connect(a, &QAction::triggered, &ventana, [&ventana] { mnuDepurarDivisorias_Click(ventana); });
}

}  // namespace tarno::ui
