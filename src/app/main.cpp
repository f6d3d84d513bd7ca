// tarno-sig: the desktop application.
#include <QApplication>

#include "ui/estado_app.h"
#include "ui/frm_acerca.h"
#include "ui/frm_main.h"
#include "ui/plataforma_qt.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNO-SIG");
    QApplication::setApplicationVersion(QStringLiteral(TARNO_VERSION));
    // Qt's own texts (OK, Cancel, file dialogs) in Spanish like the rest.
    tarno::ui::CargarTraduccionesQt();
    tarno::ui::EstadoApp estado;
    tarno::ui::PlataformaQt plataforma;

    // Splash for two seconds while window events are processed.
    tarno::ui::MostrarInicio(plataforma, 2.0);

    tarno::ui::FrmMain0 ventana(estado, plataforma);
    plataforma.FijarPadre(&ventana);
    ventana.show();
    // Start-up initialisation: parameters and palette classes.
    tarno::InicializarParametros(estado.par);
    return app.exec();
}
