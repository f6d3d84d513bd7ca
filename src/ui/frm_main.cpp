#include "ui/frm_main.h"

namespace tarno::ui {

FrmMain0::FrmMain0(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmMain0");
    setWindowTitle("TARNO-SIG");
    resize(8000 / 15, 480);
}

}  // namespace tarno::ui
