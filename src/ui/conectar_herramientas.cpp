#include "ui/conexiones.h"
#include "ui/frm_main.h"

namespace tarno::ui {

void ConectarHerramientas(FrmMain0&) {}

}  // namespace tarno::ui
