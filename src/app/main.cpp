// tarno-sig: the desktop application.
#include <QApplication>

#include "ui/frm_main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNO-SIG");
    tarno::ui::FrmMain0 ventana;
    ventana.show();
    return app.exec();
}
