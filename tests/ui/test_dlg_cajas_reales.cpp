// Box validation of the tool dialogs with the real Qt message boxes: the
// warning is shown modally and dismissed, the focus comes back to the box,
// and a click that tried to leave the box does not reach its button.
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "apoyo_dialogos.h"
#include "ui/dlg_operador.h"
#include "ui/plataforma_qt.h"

using namespace tarno;
using namespace tarno::prueba;

TEST(CajasRealesHerramientas, AvisoModalYClicRechazado) {
    ui::EstadoApp estado;
    ui::PlataformaQt plat;
    QPointer<ui::DlgOperadorRASK> dlg = new ui::DlgOperadorRASK(estado, plat);
    Mostrar(dlg);

    QStringList avisos;
    QTimer cierre;
    QObject::connect(&cierre, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(w); m && m->isVisible()) {
                avisos << m->text();
                m->button(QMessageBox::Ok)->click();
            }
    });
    cierre.start(30);

    auto* a1 = Control<QLineEdit>(dlg, "txta1");
    a1->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(a1, "x");
    QTest::keyClick(a1, Qt::Key_Tab);
    QTest::qWait(200);
    EXPECT_EQ(avisos, QStringList{"Ingrese un valor numérico"});
    EXPECT_EQ(QApplication::focusWidget(), a1);
    EXPECT_EQ(a1->selectedText(), "0");

    // A click on "&Modificar" while the box is wrong: one warning, and the
    // command does not run (it would warn that no file was chosen).
    QTest::keyClicks(a1, "y");
    Pulsar(dlg, "OKButton");
    QTest::qWait(200);
    EXPECT_EQ(avisos.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), a1);
    EXPECT_TRUE(dlg->isActiveWindow());

    // Fixed: "&Cancelar" closes the dialog.
    QTest::keyClicks(a1, "2");
    Pulsar(dlg, "CancelButton");
    QTest::qWait(200);
    EXPECT_EQ(avisos.size(), 2);
    EXPECT_TRUE(dlg.isNull() || !dlg->isVisible());
    cierre.stop();
    delete dlg.data();
}
