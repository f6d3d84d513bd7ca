#include "ui/conexiones.h"
#include "ui/frm_main.h"

namespace tarno::ui {

void ConectarImportadores(FrmMain0&) {}

}  // namespace tarno::ui
