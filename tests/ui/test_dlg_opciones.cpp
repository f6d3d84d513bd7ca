// Options dialog driven through real focus changes, key presses and clicks.
#include <gtest/gtest.h>

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "model/campos.h"
#include "raster/numeros.h"
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
    /// Clicks an option or check box on its indicator.
    void Marcar(const char* n) {
        auto* b = C<QAbstractButton>(n);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    bool Foco(const char* n) { return QApplication::focusWidget() == Caja(n); }
};

}  // namespace

TEST_F(Opciones, ArranqueMuestraLosValoresIniciales) {
    EXPECT_EQ(d->windowTitle(), QString::fromUtf8("TARNO-SIG: Opciones de Configuración"));
    EXPECT_EQ(d->Fichas()->tabText(d->Fichas()->currentIndex()), QString::fromUtf8("Parámetros"));
    QStringList fichas;
    for (int k = 0; k < d->Fichas()->count(); ++k) fichas << d->Fichas()->tabText(k);
    EXPECT_EQ(fichas, QStringList({" Consulta", "Paleta personalizada", QString::fromUtf8("&Variables y Métodos"),
                                   QString::fromUtf8("Parámetros"), "Extensiones"}));
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

TEST_F(Opciones, FueraDeRangoAvisaYRetieneElFoco) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Marcar("opt_Metodo1");
    EXPECT_EQ(estado.par.Metodo, 1);
    ASSERT_TRUE(Caja("txtManning")->isEnabled());
    EXPECT_FALSE(Caja("txtKRecesion")->isEnabled());

    Escribir("txtManning", "0.2");
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico, entero o decimal, entre 0.01 y 0.150");
    EXPECT_EQ(plat.Ultimo().titulo, "");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_TRUE(Foco("txtManning"));
    EXPECT_EQ(Caja("txtManning")->selectedText(), "0.2");
    EXPECT_FLOAT_EQ(estado.par.Manning, 0.2f);  // held until the box is corrected

    // A click on a button while the box is wrong validates again and does nothing else.
    const float pp = estado.par.Pp;
    Caja("txtPp")->setText("33");
    QTest::mouseClick(C<QPushButton>("cmdAplicar"), Qt::LeftButton);
    EXPECT_EQ(plat.mensajes.size(), 2u);
    EXPECT_TRUE(Foco("txtManning"));
    EXPECT_FLOAT_EQ(estado.par.Pp, pp);

    // Corrected: leaving passes and the next box gets the focus.
    Escribir("txtManning", "0.05");
    EXPECT_EQ(plat.mensajes.size(), 2u);
    EXPECT_FALSE(Foco("txtManning"));
    EXPECT_FLOAT_EQ(estado.par.Manning, 0.05f);
}

TEST_F(Opciones, TruncadosYCorreccionesAlSalir) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Escribir("txtPp", "12.3456");
    EXPECT_FLOAT_EQ(estado.par.Pp, 12.34f);
    EXPECT_EQ(Texto("txtPp"), "12.34");
    Escribir("txtPp", "0.29");  // not stored as 0.28
    EXPECT_FLOAT_EQ(estado.par.Pp, 0.29f);
    Marcar("opt_Metodo1");
    Escribir("txtFactorRes", "7.99");
    EXPECT_FLOAT_EQ(estado.par.FactorRes, 7.9f);
    EXPECT_EQ(Texto("txtFactorRes"), "7.9");
    EXPECT_TRUE(plat.mensajes.empty());

    Escribir("txtDur", "2000");
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico, entero o decimal, entre 0 y 1440");
    EXPECT_EQ(Texto("txtDur"), "1440");
    EXPECT_EQ(estado.par.Dur, 1440);
    EXPECT_TRUE(Foco("txtDur"));
    EXPECT_EQ(Caja("txtDur")->selectedText(), "1440");
}

TEST_F(Opciones, PasoDeSalidaNoMenorQueElDeCalculo) {
    Escribir("txtPasoPp", "5");
    Escribir("txtPasoQ", "3");
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto,
              "Ingrese un valor entero positivo mayor al 'paso de cálculo' del modelo' y menor a 120");
    EXPECT_EQ(Texto("txtPasoQ"), "5");
    EXPECT_EQ(estado.par.PasoQ, 5);
    EXPECT_TRUE(Foco("txtPasoQ"));
    // Text is first rewritten as its value.
    Escribir("txtPasoQ", "12abc");
    EXPECT_EQ(Texto("txtPasoQ"), "12");
    EXPECT_EQ(estado.par.PasoQ, 12);
    // A huge step in the first box is capped at 360.
    Caja("txtPasoPp")->setText("5000");
    Escribir("txtPasoQ", "7");
    EXPECT_EQ(Texto("txtPasoQ"), "360");
    EXPECT_EQ(estado.par.PasoQ, 360);
}

TEST_F(Opciones, LimitesDeSubareaSeCorrigenSinMensaje) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Marcar("optAreaPp1");
    EXPECT_EQ(estado.par.AreaPp, 1);
    EXPECT_EQ(Texto("txtPx1"), "1");
    EXPECT_EQ(Texto("txtPx2"), "Max");
    EXPECT_EQ(Texto("txtPy1"), "1");
    EXPECT_EQ(Texto("txtPy2"), "Max");
    EXPECT_EQ(estado.par.Px2, 9999999);
    EXPECT_TRUE(Caja("txtPx1")->isEnabled());

    Escribir("txtPy2", "abc");
    EXPECT_EQ(Texto("txtPy2"), "Max");
    EXPECT_EQ(estado.par.Py2, 9999999);
    Escribir("txtPx1", "-3");
    EXPECT_EQ(Texto("txtPx1"), "1");
    EXPECT_EQ(estado.par.Px1, 1);
    Escribir("txtPx1", "10");
    Escribir("txtPx2", "4");
    EXPECT_EQ(Texto("txtPx2"), "10");
    EXPECT_EQ(estado.par.Px2, 10);
    Escribir("txtPy1", "2.7");
    EXPECT_EQ(Texto("txtPy1"), "2");
    EXPECT_EQ(estado.par.Py1, 2);
    EXPECT_TRUE(plat.mensajes.empty());

    QTest::mouseDClick(Caja("txtPx2"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtPx2"), "Max");
    QTest::mouseDClick(Caja("txtPy1"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtPy1"), "1");

    Marcar("optAreaPp0");
    EXPECT_EQ(estado.par.AreaPp, 0);
    EXPECT_FALSE(Caja("txtPx1")->isEnabled());
}

TEST_F(Opciones, AplicarSinLluviaAvisaYCierra) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Escribir("txtPp", "0");
    Pagina(QString::fromUtf8("Parámetros"));
    Escribir("txtnPer", "500");  // left: reaches the record at once
    EXPECT_EQ(estado.par.nPer, 500);
    Caja("txtPasoPp")->setText("2");  // typed, never left, never applied
    Caja("txtResolucionX")->setText("33");
    QTest::mouseClick(C<QPushButton>("cmdAplicar"), Qt::LeftButton);
    ASSERT_FALSE(plat.mensajes.empty());
    EXPECT_EQ(plat.Ultimo().texto, "No ha ingresado datos de Pp y Duración de la tormenta.");
    EXPECT_EQ(plat.Ultimo().titulo, "Advertencia !");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_FLOAT_EQ(estado.par.ResolucionX, 33.0f);  // step 1 was applied
    EXPECT_FLOAT_EQ(estado.par.PasoPp, 1.0f);        // step 4 was not
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ventana->OpcionesAbierto(), nullptr);
}

TEST_F(Opciones, AplicarYAceptarCopianElDialogo) {
    Caja("txtfHidro1")->setText("12");
    Caja("txtcHidro1")->setText("7");
    Caja("txtnPer")->setText("2.5");  // nearest integer, halves to even
    C<QComboBox>("cmbRec")->setEditText("25");
    d->cmdAplicar_Click();
    EXPECT_EQ(estado.par.fHidro1, 12);
    EXPECT_EQ(estado.par.cHidro1, 7);
    EXPECT_EQ(estado.par.nPer, 2);
    EXPECT_EQ(estado.par.Rec, 25);
    EXPECT_TRUE(d->isVisible());  // the dialog stays open
    QTest::mouseClick(C<QPushButton>("OKButton"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ventana->OpcionesAbierto(), nullptr);
    // Reopened: shows the record.
    ventana->Accion("Opciones")->trigger();
    d = ventana->OpcionesAbierto();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Texto("txtfHidro1"), "12");
    EXPECT_EQ(C<QComboBox>("cmbRec")->currentText(), "25");
}

TEST_F(Opciones, CancelarNoAplicaPeroLoValidadoQueda) {
    Escribir("txtnPer", "300");
    Caja("txtfHidro1")->setText("9");
    QTest::mouseClick(C<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(estado.par.nPer, 300);
    EXPECT_EQ(estado.par.fHidro1, 0);
}

TEST_F(Opciones, RecurrenciaFueraDe16BitsSeRechaza) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    QComboBox* rec = C<QComboBox>("cmbRec");
    EXPECT_EQ(rec->count(), 15);
    rec->setFocus(Qt::MouseFocusReason);
    rec->lineEdit()->selectAll();
    QTest::keyClicks(rec->lineEdit(), "40000");
    QTest::keyClick(rec, Qt::Key_Tab);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero de Recurrencia entre 0 y 32767 [años]");
    EXPECT_EQ(QApplication::focusWidget(), rec);
    // Apply never overflows the 16-bit field.
    d->cmdAplicar_Click();
    EXPECT_EQ(estado.par.Rec, 32767);
    QTest::mouseDClick(rec->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(estado.par.Rec, 0);
    EXPECT_EQ(rec->currentText(), "0");
    // Reopening keeps fifteen values once each.
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ventana->mnuOpciones_Click();
    ventana->mnuOpciones_Click();
    EXPECT_EQ(ventana->OpcionesAbierto()->Control<QComboBox>("cmbRec")->count(), 15);
}

TEST_F(Opciones, DobleClicYFocoDeLasCajas) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Caja("txtPp")->setText("77");
    QTest::mouseDClick(Caja("txtPp"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtPp"), "60");
    Pagina(QString::fromUtf8("Parámetros"));
    QTest::mouseDClick(Caja("txtnPer"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtnPer"), "360");
    QTest::mouseDClick(Caja("txtKRecesion"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtKRecesion"), "0");
    Caja("txtfHidro1")->setText("8");
    QTest::mouseDClick(Caja("txtfHidro2"), Qt::LeftButton);
    EXPECT_EQ(Texto("txtfHidro2"), "8");

    // The "hasta" row box takes the "desde" text when it is smaller.
    Escribir("txtfHidro1", "20");
    Escribir("txtfHidro2", "3");
    EXPECT_EQ(Texto("txtfHidro2"), "20");
    EXPECT_EQ(estado.par.fHidro2, 20);
    Escribir("txtcHidro2", "x");
    EXPECT_EQ(plat.Ultimo().texto,
              "Ingrese un valor entero entre la columna inicial y el número máximo de filas de la imagen");

    // Entering a box selects its text; a cell-sum box starts from "0".
    Caja("txtcHidro2")->setText("4");
    Escribir("txtcHidro2", "4");
    Caja("txtnPer")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Caja("txtnPer")->selectedText(), Texto("txtnPer"));
    Pagina(" Consulta");
    Caja("txtfConsulta1")->setText("9");
    Caja("txtfConsulta1")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Texto("txtfConsulta1"), "0");
    EXPECT_EQ(Caja("txtfConsulta1")->selectedText(), "0");
}

TEST_F(Opciones, ExploradorDeDivisorias) {
    Marcar("chkDiv");
    EXPECT_TRUE(estado.par.Div);
    EXPECT_TRUE(C<QRadioButton>("optDivQHmin")->isChecked());
    EXPECT_TRUE(Caja("txtDivHmin")->isEnabled());
    EXPECT_TRUE(Caja("txtDivQmin")->isEnabled());
    Marcar("optDivQmin");
    EXPECT_FALSE(Caja("txtDivHmin")->isEnabled());
    Marcar("chkDivResQM");
    EXPECT_TRUE(estado.par.DivResQM);
    EXPECT_FALSE(Caja("txtDivValorRes")->isEnabled());
    d->cmdAplicar_Click();
    EXPECT_TRUE(estado.par.DivMetodoQmin);

    Escribir("txtDivQmin", "3");
    EXPECT_EQ(plat.Ultimo().titulo, "Inconsistente, ...");
    EXPECT_EQ(plat.Ultimo().texto.rfind("Ingrese un valor numérico decimal de Caudal Mínimo de Pixel [m3/s]", 0), 0u);
    Escribir("txtDivQmin", "0.5");

    // Unticking and ticking again: "Método Q y H mínimos" and "Valor de QMax" cleared.
    Marcar("chkDiv");
    EXPECT_FALSE(estado.par.Div);
    EXPECT_FALSE(Caja("txtDivQmin")->isEnabled());
    EXPECT_FALSE(C<QCheckBox>("chkDivResQM")->isEnabled());
    Marcar("chkDiv");
    EXPECT_TRUE(C<QRadioButton>("optDivQHmin")->isChecked());
    EXPECT_FALSE(C<QCheckBox>("chkDivResQM")->isChecked());
    EXPECT_FALSE(estado.par.DivMetodoQmin);
    EXPECT_FALSE(estado.par.DivResQM);
}

TEST_F(Opciones, PluviogramaDeshabilitaLaTormentaDeDiseno) {
    Pagina(QString::fromUtf8("&Variables y Métodos"));
    Marcar("chkPpArchivo");
    EXPECT_TRUE(estado.par.PpArchivo);
    EXPECT_FALSE(Caja("txtPp")->isEnabled());
    EXPECT_FALSE(Caja("txtDur")->isEnabled());
    EXPECT_FALSE(C<QComboBox>("cmbRec")->isEnabled());
    // A dialog created later starts from the record.
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ventana->mnuOpciones_Click();
    d = ventana->OpcionesAbierto();
    EXPECT_TRUE(C<QCheckBox>("chkPpArchivo")->isChecked());
    EXPECT_FALSE(Caja("txtPp")->isEnabled());
}

TEST_F(Opciones, PaletaPersonalizada) {
    Pagina("Paleta personalizada");
    EXPECT_EQ(Texto("txtNroClases"), "4");
    EXPECT_EQ(C<QLabel>("lbl_desdePixel2")->text(), "51");
    EXPECT_TRUE(Caja("txt_hastaPixel3")->isEnabled());
    EXPECT_FALSE(Caja("txt_hastaPixel4")->isEnabled());

    // A bound under the previous one becomes previous + 1.
    Escribir("txt_hastaPixel2", "40");
    EXPECT_EQ(Texto("txt_hastaPixel2"), "51");
    EXPECT_EQ(estado.par.hastaPixel[2], 51);
    EXPECT_EQ(C<QLabel>("lbl_desdePixel3")->text(), "52");

    // Class 1 (bound 0, lower bound 0) has a single value: no end colour.
    Escribir("txt_hastaPixel0", "0");
    EXPECT_FALSE(Caja("txt_colorRb0")->isEnabled());

    // Class 2 reaching 255 becomes the last class.
    Escribir("txt_hastaPixel1", "255");
    EXPECT_EQ(estado.par.NroClases, 2);
    EXPECT_EQ(Texto("txtNroClases"), "2");
    for (int j = 2; j < 6; ++j) EXPECT_EQ(estado.par.hastaPixel[j], 255) << j;
    EXPECT_EQ(Texto("txt_hastaPixel4"), "255");
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_FALSE(Caja("txt_colorRb0")->isEnabled());  // class 1 keeps a single value
    EXPECT_FALSE(Caja("txt_colorGb0")->isEnabled());
    EXPECT_TRUE(Caja("txt_colorRb1")->isEnabled());
    EXPECT_FALSE(Caja("txt_hastaPixel2")->isEnabled());

    // Colour out of range: warning, 0.
    Escribir("txt_colorGa1", "300");
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico, entero entre 0 y 255");
    EXPECT_EQ(Texto("txt_colorGa1"), "0");
    EXPECT_EQ(estado.par.colorGa[1], 0);
    EXPECT_TRUE(Foco("txt_colorGa1"));
    Escribir("txt_colorGa1", "128");
    EXPECT_EQ(estado.par.colorGa[1], 128);
    EXPECT_EQ(C<QLabel>("lblColora1")->property("color").toString(), "#ff80ff");

    // Seven classes: warning, one class.
    Escribir("txtNroClases", "7");
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico, entero entre 1 y 6");
    EXPECT_EQ(Texto("txtNroClases"), "1");
    EXPECT_EQ(estado.par.NroClases, 1);
    EXPECT_TRUE(Caja("txt_hastaPixel0")->isEnabled());
    EXPECT_FALSE(Caja("txt_hastaPixel1")->isEnabled());
    EXPECT_FALSE(Caja("txt_colorRa1")->isEnabled());
}

TEST_F(Opciones, CargarDEMDesdeElBoton) {
    prueba::CarpetaTemporal tmp;
    tmp.Escribir("cuenca_cab.rkd",
                 "Titulo              , \"Cuenca\"\r\nSubtitulo           , \"\"\r\nFilas               , 2\r\n"
                 "Columnas            , 3\r\nX Minimo            , 0\r\nY Minimo            , 0\r\n"
                 "X Maximo            , 90\r\nY Maximo            , 60\r\nValor Minimo        , 1\r\n"
                 "Valor Maximo        , 6\r\nResolucion X        , 30\r\nResolucion Y        , 25.5\r\n");
    tmp.Escribir("cuenca_dat.rkd", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
    plat.archivos.push_back(tmp.Ruta("cuenca_dat.rkd"));
    QTest::mouseClick(C<QPushButton>("cmdCargaDEM"), Qt::LeftButton);
    EXPECT_EQ(plat.titulosDialogo.back(),
              "Cargar archivo MDT (DEM), Modelo Digital del Terreno, en formato texto, de IDRISI");
    EXPECT_EQ(plat.filtrosDialogo.back(), "Archivos MDT (DEM) de TARNO-SIG (*_dat.rkd)|*_dat.rkd");
    EXPECT_TRUE(plat.mensajes.empty()) << plat.Ultimo().texto;
    EXPECT_EQ(estado.par.ArchivoDEM, "cuenca_dat.rkd");
    EXPECT_EQ(estado.par.DirDEM, tmp.Carpeta());
    EXPECT_EQ(C<QLabel>("lblDEM")->text(), "cuenca_dat.rkd");
    EXPECT_FLOAT_EQ(estado.par.ResolucionY, 25.5f);
    EXPECT_EQ(Texto("txtResolucionX"), "30");
    EXPECT_EQ(Texto("txtResolucionY"), "25.5");
    EXPECT_EQ(estado.grillas.Cota(2, 3), 6.0f);
    // Cancelled: nothing changes.
    QTest::mouseClick(C<QPushButton>("cmdCargaDEM"), Qt::LeftButton);
    EXPECT_EQ(estado.par.ArchivoDEM, "cuenca_dat.rkd");
}

TEST_F(Opciones, SumaDeCeldasDesdeLaFicha) {
    prueba::CarpetaTemporal tmp;
    tmp.Escribir("unos_cab.rkd",
                 "Titulo              , \"Unos\"\r\nSubtitulo           , \"s\"\r\nFilas               , 5\r\n"
                 "Columnas            , 5\r\nX Minimo            , 0\r\nY Minimo            , 0\r\n"
                 "X Maximo            , 5\r\nY Maximo            , 5\r\nValor Minimo        , 1\r\n"
                 "Valor Maximo        , 1\r\nResolucion X        , 1\r\nResolucion Y        , 1\r\n");
    std::string datos;
    for (int k = 0; k < 25; ++k) datos += "1\r\n";
    tmp.Escribir("unos_dat.rkd", datos);
    Pagina(" Consulta");
    QLabel* suma = C<QLabel>("lblSumaConsulta");
    // Summing before any load shows 0.
    QTest::mouseClick(C<QPushButton>("cmdSumarConsulta"), Qt::LeftButton);
    EXPECT_EQ(suma->text(), "0");

    plat.archivos.push_back(tmp.Ruta("unos_dat.rkd"));
    QTest::mouseClick(C<QPushButton>("cmdCargaUnKOLT"), Qt::LeftButton);
    EXPECT_EQ(plat.titulosDialogo.back(),
              "Leer un archivo de KOLT (DEM), y sumar el conjunto de valores de las celdas elegidas");
    EXPECT_EQ(C<QLabel>("lblUnKOLT")->text(), "unos_dat.rkd");
    EXPECT_EQ(estado.par.DirUnKOLT, tmp.Carpeta());
    EXPECT_EQ(estado.img.Titulo, "Unos");
    EXPECT_EQ(estado.img.NroDatos, 25);

    auto linea = [&](const char* f1, const char* c1, const char* f2, const char* c2) {
        // In tab order: entering a cell-sum box resets it to "0".
        Escribir("txtfConsulta1", f1);
        Escribir("txtfConsulta2", f2);
        Escribir("txtcConsulta1", c1);
        Escribir("txtcConsulta2", c2);
        QTest::mouseClick(C<QPushButton>("cmdSumarConsulta"), Qt::LeftButton);
        return suma->text();
    };
    EXPECT_EQ(linea("1", "1", "5", "5"), "5");
    EXPECT_EQ(linea("2", "3", "2", "3"), "1");
    EXPECT_EQ(linea("1", "1", "2", "5"), "5");
    EXPECT_EQ(linea("4", "4", "9", "9"), "2");  // only the cells inside count
    EXPECT_EQ(estado.par.fConsulta2, 9);
    EXPECT_TRUE(plat.mensajes.empty());
}

TEST_F(Opciones, AtajoDeAceptarValidaLaCajaConElFoco) {
    QLineEdit* c = Caja("txtnPer");
    c->setFocus(Qt::MouseFocusReason);
    c->selectAll();
    QTest::keyClicks(c, "-4");
    // Alt+A ("&Aceptar") moves the focus to the button first: the box is
    // validated, the focus stays and the dialog does not apply nor close.
    QTest::keyClick(c, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(250);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero entre 0 y 86400");
    EXPECT_TRUE(Foco("txtnPer"));
    EXPECT_EQ(ventana->OpcionesAbierto(), d);
    EXPECT_TRUE(d->isVisible());
    // Corrected, the shortcut applies and closes.
    c->selectAll();
    QTest::keyClicks(c, "90");
    QTest::keyClick(c, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(250);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(estado.par.nPer, 90);
    EXPECT_EQ(ventana->OpcionesAbierto(), nullptr);
}

TEST_F(Opciones, ClicEnUnaCajaSeleccionaSuTexto) {
    QLineEdit* c = Caja("txtResolucionY");
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, c->height() / 2));
    QTest::qWait(50);
    EXPECT_TRUE(Foco("txtResolucionY"));
    EXPECT_EQ(c->selectedText(), "92.8");
}

TEST_F(Opciones, SalirCierraTodasLasVentanas) {
    ventana->show();
    ventana->Accion("mnuPizarra1")->trigger();
    ASSERT_TRUE(ventana->PizarraAbierta()->isVisible());
    ventana->Accion("mnuFileExit")->trigger();
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_FALSE(d->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ventana->PizarraAbierta(), nullptr);
    EXPECT_EQ(ventana->OpcionesAbierto(), nullptr);
}

// Every box of the field table is in the dialog and behaves as the table says:
// double-click text, warning and title on non-numeric input, focus kept.
TEST_F(Opciones, CajasSegunLaTablaDeCampos) {
    const Parametros inicio;
    size_t avisos = 0;
    for (const Campo& k : Campos()) {
        if (!k.caja) continue;
        ASSERT_NE(d->Control<QWidget>(k.caja), nullptr) << k.caja;
        if (!k.numerico) continue;
        QLineEdit* c = Caja(k.caja);
        for (int t = 0; t < d->Fichas()->count(); ++t)
            if (d->Fichas()->widget(t)->isAncestorOf(c)) d->Fichas()->setCurrentIndex(t);
        c->setEnabled(true);
        if (k.dobleClic) {
            QTest::mouseDClick(c, Qt::LeftButton);
            EXPECT_EQ(c->text(), QString::fromUtf8(k.dobleClic)) << k.caja;
        }
        Escribir(k.caja, "abc");
        ASSERT_EQ(plat.mensajes.size(), ++avisos) << k.caja;
        EXPECT_EQ(plat.Ultimo().texto, k.aviso) << k.caja;
        EXPECT_EQ(plat.Ultimo().titulo, k.titulo) << k.caja;
        EXPECT_TRUE(Foco(k.caja)) << k.caja;
        Escribir(k.caja, QString::fromStdString(NumeroArchivo(LeerCampo(k, inicio))));
        EXPECT_EQ(plat.mensajes.size(), avisos) << k.caja;
        EXPECT_FALSE(Foco(k.caja)) << k.caja;
    }
    EXPECT_GT(avisos, 20u);
}

TEST_F(Opciones, ExtensionesYTormentaDeDiseno) {
    // The fifth page's boxes reach the record on apply.
    Pagina("Extensiones");
    Escribir("txtPerdidas", "2");
    Escribir("txtNumeroCurva", "75");
    Escribir("txtBordeAbierto", "1");
    Escribir("txtPerdidas", "3");
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_NE(plat.Ultimo().texto.find("número de curva SCS"), std::string::npos);
    Escribir("txtPerdidas", "2");
    d->cmdAplicar_Click();
    EXPECT_EQ(estado.par.Perdidas, 2);
    EXPECT_EQ(estado.par.NumeroCurva, 75.0f);
    EXPECT_EQ(estado.par.BordeAbierto, 1);
    EXPECT_EQ(estado.par.ConservarMasa, 0);
    // A design storm is written and loaded as the hyetograph.
    prueba::CarpetaTemporal tmp;
    OpcionesTormenta op;
    op.A = 1000;
    op.B = 10;
    op.C = 0.75;
    op.duracion = 60;
    op.paso = 5;
    ASSERT_TRUE(d->GenerarYCargarTormenta(op, tmp.Ruta("d_Pp.rkd")));
    EXPECT_EQ(estado.pluviograma.NroDatos, 13);
    EXPECT_NEAR(estado.pluviograma.LluviaTotal, 41.3215, 1e-3);
    EXPECT_EQ(C<QLabel>("lblPpArchivo")->text().toStdString(), tmp.Ruta("d_Pp.rkd"));
    op.paso = 7;  // 60 min is not a whole number of 7-minute steps
    EXPECT_FALSE(d->GenerarYCargarTormenta(op, tmp.Ruta("e_Pp.rkd")));
    EXPECT_NE(plat.Ultimo().texto.find("Duración"), std::string::npos);
}
