#include <QHeaderView>
#include <QPointer>
#include <QTableWidget>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/dlg_clasificar.h"

using namespace tarno;
using namespace tarno::prueba;

namespace {
struct Clasifica : ::testing::Test {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ui::EstadoApp estado;
    QPointer<ui::DlgClasificaDatPixel> dlg;
    std::string fuente;
    QTableWidget* grilla = nullptr;

    void SetUp() override {
        fuente = GuardarImagen(tmp, "cuenca_dat.rkd", ImagenValores(2, 3, {0, 24.5f, 25, 60, 99, 100}));
        dlg = new ui::DlgClasificaDatPixel(estado, plat);
        grilla = Control<QTableWidget>(dlg, "MSFlexGrid1");
        Mostrar(dlg);
    }
    void TearDown() override { delete dlg.data(); }
    void Elegir(const std::string& ruta) {
        plat.archivos.push_back(ruta);
        Pulsar(dlg, "cmdModificarArchivo");
    }
    QString Celda(int fila, int col) const {
        auto* it = grilla->item(fila, col);
        return it ? it->text() : QString();
    }
    void ClicEnCelda(int fila, int col) {
        QRect r = grilla->visualRect(grilla->model()->index(fila, col));
        QTest::mouseClick(grilla->viewport(), Qt::LeftButton, {}, r.center());
    }
    std::vector<float> Salida(const char* nombre = "cuenca_C_dat.rkd") {
        ImagenActual leida;
        EXPECT_TRUE(LeerIMG(tmp.Ruta(nombre), "", leida));
        return Celdas(leida.Valores);
    }
};
}  // namespace

TEST_F(Clasifica, EstadoInicialYEleccion) {
    EXPECT_EQ(dlg->windowTitle(), "TARNO-SIG: Clasifica valores de una Imagen RASK");
    EXPECT_TRUE(Control<QRadioButton>(dlg, "opt3")->isChecked());
    EXPECT_EQ(Control<QRadioButton>(dlg, "opt1")->text(), "Por Nro. de intervalos de clsasamiento, lineal simple");
    EXPECT_EQ(Texto(dlg, "txtAmplitud"), "0");
    EXPECT_FALSE(Control(dlg, "txtAmplitud")->isEnabled());
    for (const char* n : {"opt1", "opt2", "opt3", "cmdAgregaFila", "cmdBorrar"})
        EXPECT_FALSE(Control(dlg, n)->isEnabled()) << n;
    EXPECT_EQ(grilla->rowCount(), 0);
    EXPECT_EQ(grilla->horizontalHeaderItem(0)->text(), "Intervalo/Valor");
    EXPECT_EQ(grilla->horizontalHeaderItem(1)->text(), ">= que");
    EXPECT_EQ(grilla->horizontalHeaderItem(2)->text(), "< que");
    EXPECT_EQ(Texto(dlg, "lblRows"), "0");

    Elegir(fuente);
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKMod"), "cuenca_C_dat.rkd");
    EXPECT_EQ(Texto(dlg, "lblMaximo"), "100");
    for (const char* n : {"opt1", "opt2", "opt3", "cmdAgregaFila", "cmdBorrar", "txtNroIntervalos", "MSFlexGrid1"})
        EXPECT_TRUE(Control(dlg, n)->isEnabled()) << n;
}

TEST_F(Clasifica, CuatroIntervalosIgualesEscribenClasesYLista) {
    Elegir(fuente);
    Marcar(dlg, "opt1");
    EXPECT_FALSE(Control(dlg, "cmdAgregaFila")->isEnabled());
    EXPECT_FALSE(Escribir(dlg, "txtNroIntervalos", "300"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero entre 1 y 256 ");
    EXPECT_TRUE(Control(dlg, "txtNroIntervalos")->hasFocus());
    ASSERT_TRUE(Escribir(dlg, "txtNroIntervalos", "4"));
    EXPECT_EQ(Texto(dlg, "txtAmplitud"), "25");
    ASSERT_EQ(grilla->rowCount(), 4);
    EXPECT_EQ(Celda(0, 0), "1");
    EXPECT_EQ(Celda(0, 1), "0");
    EXPECT_EQ(Celda(0, 2), "25");
    EXPECT_EQ(Celda(3, 1), "75");
    EXPECT_EQ(Celda(3, 2), "100");
    // Typing into the table does nothing while a linear method is chosen.
    ClicEnCelda(1, 2);
    QTest::keyClicks(grilla, "7");
    EXPECT_EQ(Celda(1, 2), "50");

    Pulsar(dlg, "OKButton");
    const std::string salida = tmp.Carpeta() + "cuenca_C_dat.rkd";
    EXPECT_EQ(plat.Ultimo().texto,
              "ADVERTENCIA: se creará un nuevo archivo <" + salida + "> a partir del archivo <" + fuente + "> clasificado.");
    EXPECT_EQ(plat.Ultimo().titulo, "Clasifica valores de archivo imagen _dat.rkd");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Salida(), (std::vector<float>{1, 1, 2, 3, 4, 4}));
    EXPECT_EQ(tmp.Leer("cuenca_C_cla.rkd"), "4\r\n\" 0- 25\"\r\n\" 25- 50\"\r\n\" 50- 75\"\r\n\" 75- 100\"\r\n");
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(salida, "", leida));
    EXPECT_EQ(leida.Subtitulo, "SClasificado");
    EXPECT_EQ(leida.NombresAreas[1], " 0- 25");
    EXPECT_FLOAT_EQ(estado.img.DatoMayor, 4);
}

TEST_F(Clasifica, AmplitudConstante) {
    Elegir(fuente);
    Marcar(dlg, "opt2");
    EXPECT_TRUE(Control(dlg, "txtAmplitud")->isEnabled());
    EXPECT_FALSE(Control(dlg, "txtNroIntervalos")->isEnabled());
    EXPECT_FALSE(Escribir(dlg, "txtAmplitud", "ancho"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero o decimal");
    ASSERT_TRUE(Escribir(dlg, "txtAmplitud", "30"));
    EXPECT_EQ(Texto(dlg, "txtNroIntervalos"), "4");
    ASSERT_EQ(grilla->rowCount(), 4);
    EXPECT_EQ(Celda(3, 2), "120");
    ASSERT_TRUE(Escribir(dlg, "txtAmplitud", "0.1"));
    EXPECT_EQ(plat.Ultimo().texto, "El valor adoptado genera más de 256 intervalos. Incremente la amplitud");
    EXPECT_EQ(plat.Ultimo().titulo, "Inconsistente");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_EQ(Texto(dlg, "txtAmplitud"), "0.390625");
    EXPECT_EQ(grilla->rowCount(), 257);
}

TEST_F(Clasifica, TablaVariableEscritaConElTeclado) {
    Elegir(fuente);
    ASSERT_TRUE(Escribir(dlg, "txtNroIntervalos", "2"));
    ASSERT_EQ(grilla->rowCount(), 2);
    EXPECT_EQ(Celda(0, 1), "0");  // the smallest value
    ClicEnCelda(0, 2);
    QTest::keyClicks(grilla, "50");
    EXPECT_EQ(Celda(0, 2), "50");
    QTest::keyClick(grilla, Qt::Key_Return);
    // Enter moves down; the empty cell reached becomes "0" and typing goes after it.
    EXPECT_EQ(grilla->currentRow(), 1);
    EXPECT_EQ(Celda(1, 2), "0");
    EXPECT_EQ(Celda(1, 1), "50");  // chained from the row above
    QTest::keyClicks(grilla, "10");
    QTest::keyClick(grilla, Qt::Key_Return);
    EXPECT_EQ(plat.Ultimo().texto, "Inconsistencia, el valor es menor al mínimo ingresado...");
    EXPECT_EQ(plat.Ultimo().titulo, "Error...");
    EXPECT_EQ(grilla->currentRow(), 0);  // back to the first class after the last
    ClicEnCelda(1, 2);
    QTest::keyClick(grilla, Qt::Key_Delete);
    EXPECT_EQ(Celda(1, 2), "");
    QTest::keyClicks(grilla, "100");
    // A letter makes the text non-numeric: erased when the cell is left.
    ClicEnCelda(0, 2);
    QTest::keyClicks(grilla, "x");
    ClicEnCelda(1, 2);
    EXPECT_EQ(Celda(0, 2), "");
    ClicEnCelda(0, 2);
    QTest::keyClicks(grilla, "25");
    ClicEnCelda(1, 2);
    EXPECT_EQ(Celda(1, 1), "25");

    Pulsar(dlg, "cmdAgregaFila");
    EXPECT_EQ(grilla->rowCount(), 3);
    EXPECT_EQ(Texto(dlg, "txtNroIntervalos"), "3");
    EXPECT_EQ(Celda(2, 0), "3");
    EXPECT_EQ(Celda(1, 2), "100");  // typed bounds are kept
    Pulsar(dlg, "cmdBorrar");
    EXPECT_EQ(grilla->rowCount(), 1);
    EXPECT_EQ(Texto(dlg, "txtNroIntervalos"), "0");
    EXPECT_EQ(Celda(0, 2), "");
    Pulsar(dlg, "cmdAgregaFila");
    ClicEnCelda(0, 2);
    QTest::keyClicks(grilla, "25");
    ClicEnCelda(1, 2);
    QTest::keyClicks(grilla, "100");
    Pulsar(dlg, "OKButton");  // the cell being typed counts
    EXPECT_EQ(Salida(), (std::vector<float>{1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(tmp.Leer("cuenca_C_cla.rkd"), "2\r\n\" 0- 25\"\r\n\" 25- 100\"\r\n");
}

TEST_F(Clasifica, NombresDeFuenteYSalida) {
    const std::string rara = GuardarImagen(tmp, "cuencadat.rkd", ImagenValores(1, 1, {5}));
    Elegir(rara);
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ");
    EXPECT_EQ(plat.Ultimo().titulo, "No se ha seleccionado archivo _dat.rkd");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASK"), "");

    Elegir(fuente);
    EXPECT_FALSE(Escribir(dlg, "lblArchivoRASKMod", "cuenca.rkd"));
    EXPECT_EQ(plat.Ultimo().texto, "El nombre del archivo debe terminar en '_dat.rkd'");
    ASSERT_TRUE(Escribir(dlg, "lblArchivoRASKMod", "cuencaX_dat.rkd"));
    ASSERT_TRUE(Escribir(dlg, "txtNroIntervalos", "1"));
    // A folder that does not exist: the error is shown, nothing is left.
    ASSERT_TRUE(Escribir(dlg, "lblArchivoRASKMod", "no/cuencaX_dat.rkd"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().titulo, "Clasifica valores de archivo imagen _dat.rkd");
    EXPECT_NE(plat.Ultimo().texto.find("no/"), std::string::npos) << plat.Ultimo().texto;
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_TRUE(Escribir(dlg, "lblArchivoRASKMod", "cuencaX_dat.rkd"));
    Pulsar(dlg, "OKButton");
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("cuencaX_dat.rkd")));
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("cuenc_C_cla.rkd")));
}

TEST_F(Clasifica, IntervalosVariablesEmpiezanEnElMenorValorNegativo) {
    // The table shows the smallest value as the lower bound of class 1, and
    // negative cells down to it are classified in class 1.
    const std::string negativa = GuardarImagen(tmp, "neg_dat.rkd", ImagenValores(1, 3, {-10, -5, 5}));
    Elegir(negativa);
    ASSERT_TRUE(Escribir(dlg, "txtNroIntervalos", "1"));
    EXPECT_EQ(Celda(0, 1), "-10");
    ClicEnCelda(0, 2);
    QTest::keyClicks(grilla, "10");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(Salida("neg_C_dat.rkd"), (std::vector<float>{1, 1, 1}));
    EXPECT_EQ(tmp.Leer("neg_C_cla.rkd"), "1\r\n\"-10- 10\"\r\n");
}
