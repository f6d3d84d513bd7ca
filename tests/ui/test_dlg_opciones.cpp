// Options dialog driven through real focus changes, key presses and clicks.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"

using namespace tarno;

namespace {

class Opciones : public ::testing::Test {
protected:
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    std::unique_ptr<ui::FrmMain0> ventana;
    ui::DlgOpciones* d = nullptr;

    void SetUp() override {
        ventana = std::make_unique<ui::FrmMain0>(estado, plat);
        ventana->Accion("mnuOpciones")->trigger();
        d = ventana->OpcionesAbierto();
        ASSERT_NE(d, nullptr);
        QApplication::setActiveWindow(d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    }
    void TearDown() override {
        ventana.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QLineEdit* Caja(const char* n) {
        auto* c = d->Control<QLineEdit>(n);
        EXPECT_NE(c, nullptr) << n;
        return c;
    }
    template <typename T>
    T* C(const char* n) {
        auto* c = d->Control<T>(n);
        EXPECT_NE(c, nullptr) << n;
        return c;
    }
    void Pagina(const QString& titulo) {
        for (int k = 0; k < d->Fichas()->count(); ++k)
            if (d->Fichas()->tabText(k) == titulo) d->Fichas()->setCurrentIndex(k);
    }
    /// Enters `texto` into box `n` the way a user does (focus, select, type)
    /// and leaves it with Tab.
    void Escribir(const char* n, const QString& texto) {
        QLineEdit* c = Caja(n);
        c->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QTest::keyClicks(c, texto);
        QTest::keyClick(c, Qt::Key_Tab);
    }
    QString Texto(const char* n) { return Caja(n)->text(); }
    bool Foco(const char* n) { return QApplication::focusWidget() == Caja(n); }
};

}  // namespace

TEST_F(Opciones, ArranqueMuestraLosValoresIniciales) {
    EXPECT_EQ(d->windowTitle(), QString::fromUtf8("TARNO-SIG: Opciones de Configuración"));
    EXPECT_EQ(d->Fichas()->tabText(d->Fichas()->currentIndex()), QString::fromUtf8("Parámetros"));
    QStringList fichas;
    for (int k = 0; k < d->Fichas()->count(); ++k) fichas << d->Fichas()->tabText(k);
    EXPECT_EQ(fichas, QStringList({" Consulta", "Paleta personalizada", QString::fromUtf8("&Variables y Métodos"),
                                   QString::fromUtf8("Parámetros")}));
    EXPECT_EQ(Texto("txtResolucionX"), "67.5");
    EXPECT_EQ(Texto("txtResolucionY"), "92.8");
    EXPECT_EQ(Texto("txtPp"), "60");
    EXPECT_EQ(Texto("txtDur"), "60");
    EXPECT_EQ(Texto("txtManning"), "0.04");
    EXPECT_EQ(Texto("txtFactorRes"), "10");
    EXPECT_EQ(Texto("txtKRecesion"), "9999999");
    EXPECT_EQ(Texto("txtPasoPp"), "1");
    EXPECT_EQ(Texto("txtPasoQ"), "10");
    EXPECT_EQ(Texto("txtnPer"), "120");
    for (const char* n : {"txtfHidro1", "txtcHidro1", "txtfHidro2", "txtcHidro2", "txtfConsulta1", "txtcConsulta1",
                          "txtfConsulta2", "txtcConsulta2"})
        EXPECT_EQ(Texto(n), "0") << n;
    EXPECT_EQ(C<QComboBox>("cmbRec")->currentText(), "0");
    EXPECT_TRUE(C<QRadioButton>("opt_Metodo0")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("optAreaPp0")->isChecked());
    EXPECT_FALSE(Caja("txtManning")->isEnabled());
    EXPECT_FALSE(Caja("txtFactorRes")->isEnabled());
    EXPECT_TRUE(Caja("txtKRecesion")->isEnabled());
    for (const char* n : {"txtPx1", "txtPx2", "txtPy1", "txtPy2"}) {
        EXPECT_EQ(Texto(n), "0") << n;
        EXPECT_FALSE(Caja(n)->isEnabled()) << n;
    }
    EXPECT_FALSE(C<QCheckBox>("chkDiv")->isChecked());
    for (const char* n : {"txtDivValor", "txtDivQmin", "txtDivHmin", "txtDivValorRes"})
        EXPECT_FALSE(Caja(n)->isEnabled()) << n;
    EXPECT_FALSE(C<QRadioButton>("optDivQmin")->isEnabled());
    EXPECT_FALSE(C<QCheckBox>("chkDivResQM")->isEnabled());
    EXPECT_EQ(C<QLabel>("lblSumaConsulta")->text(), "???");
}
