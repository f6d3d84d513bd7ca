#include "ui/frm_main.h"

#include <QAction>

#include "ui/conexiones.h"

namespace tarno::ui {

FrmMain0::FrmMain0(EstadoApp& estado, Plataforma& plataforma, QWidget* parent)
    : QMainWindow(parent), estado_(estado), plataforma_(plataforma) {
    setObjectName("frmMain0");
    setWindowTitle("TARNO-SIG");
    resize(8000 / 15, 480);
    ConectarVisor(*this);
    ConectarHerramientas(*this);
    ConectarImportadores(*this);
}

QAction* FrmMain0::Accion(const QString& nombre) const {
    return findChild<QAction*>(nombre);
}

void FrmMain0::VerIMG(const std::string& nombreDat) { MostrarImagen(*this, nombreDat); }

}  // namespace tarno::ui
