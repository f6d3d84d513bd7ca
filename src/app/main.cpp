// tarno-sig: the desktop application.
#include <QApplication>

#include "ui/estado_app.h"
#include "ui/frm_main.h"
#include "ui/plataforma_qt.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNO-SIG");
    tarno::ui::EstadoApp estado;
    tarno::ui::PlataformaQt plataforma;
    tarno::ui::FrmMain0 ventana(estado, plataforma);
    plataforma.FijarPadre(&ventana);
    ventana.show();
    return app.exec();
}
