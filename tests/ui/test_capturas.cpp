// Screenshots of the main window and of each options tab, taken only when
// TARNO_CAPTURAS names a folder (run under a real X server, e.g. xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "support/plataforma_falsa.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"

using namespace tarno;

TEST(Capturas, VentanaPrincipalYFichasDeOpciones) {
    const QByteArray carpeta = qgetenv("TARNO_CAPTURAS");
    if (carpeta.isEmpty()) GTEST_SKIP() << "TARNO_CAPTURAS no definido";
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    ui::FrmMain0 ventana(estado, plat);
    ventana.show();
    ventana.ImprimirMensaje("Procesando. Un momento por favor...");
    QTest::qWait(300);
    ventana.grab().save(carpeta + "/ventana_principal.png");
    ventana.LimpiarMensajes();
    ventana.Accion("mnuOpciones")->trigger();
    ui::DlgOpciones* d = ventana.OpcionesAbierto();
    ASSERT_NE(d, nullptr);
    d->move(20, 20);
    for (int k = 0; k < d->Fichas()->count(); ++k) {
        d->Fichas()->setCurrentIndex(k);
        QTest::qWait(200);
        d->grab().save(carpeta + QByteArray("/opciones_") + QByteArray::number(k) + ".png");
    }
}
