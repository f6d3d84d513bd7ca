// The validation flow with the real Qt message boxes: the warning is shown
// modally, dismissed, and the focus comes back to the box with its text
// selected.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"
#include "ui/plataforma_qt.h"

using namespace tarno;

TEST(CajasConMensajesReales, ElFocoVuelveALaCajaTrasElAviso) {
    ui::EstadoApp estado;
    ui::PlataformaQt plat;
    ui::FrmMain0 ventana(estado, plat);
    plat.FijarPadre(&ventana);
    ventana.show();
    ventana.mnuOpciones_Click();
    ui::DlgOpciones* d = ventana.OpcionesAbierto();
    ASSERT_NE(d, nullptr);
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));

    QString textoAviso;
    int avisos = 0;
    // Closes every message box that appears, remembering its text.
    QTimer cierre;
    QObject::connect(&cierre, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMessageBox*>(w); m && m->isVisible()) {
                textoAviso = m->text();
                ++avisos;
                m->button(QMessageBox::Ok)->click();
            }
    });
    cierre.start(50);

    auto* nPer = d->Control<QLineEdit>("txtnPer");
    nPer->setFocus(Qt::MouseFocusReason);
    nPer->selectAll();
    QTest::keyClicks(nPer, "99999");
    QTest::keyClick(nPer, Qt::Key_Tab);
    QTest::qWait(300);
    EXPECT_EQ(avisos, 1);
    EXPECT_EQ(textoAviso, "Ingrese un valor entero entre 0 y 86400");
    EXPECT_EQ(QApplication::focusWidget(), nPer);
    EXPECT_EQ(nPer->selectedText(), "99999");
    EXPECT_EQ(estado.par.nPer, 99999);

    // Fixed: the focus moves on without another warning.
    QTest::keyClicks(nPer, "360");
    QTest::keyClick(nPer, Qt::Key_Tab);
    QTest::qWait(300);
    EXPECT_EQ(avisos, 1);
    EXPECT_NE(QApplication::focusWidget(), nPer);
    EXPECT_EQ(estado.par.nPer, 360);
    cierre.stop();
}
