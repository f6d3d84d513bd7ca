#include <QPointer>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/dlg_superponer.h"

using namespace tarno;
using namespace tarno::prueba;

namespace {
struct Superpone : ::testing::Test {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ui::EstadoApp estado;
    QPointer<ui::DlgSuperponerRASK> dlg;
    std::string a, b, ancha, alta;

    void SetUp() override {
        a = GuardarImagen(tmp, "dem_dat.rkd", ImagenValores(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
        b = GuardarImagen(tmp, "otra_dat.rkd", ImagenValores(3, 3, {9, 0, 3, 0, 5, 1, 2, 0, 10}));
        ancha = GuardarImagen(tmp, "ancha_dat.rkd", ImagenValores(10, 20, {}));
        alta = GuardarImagen(tmp, "alta_dat.rkd", ImagenValores(20, 10, {}));
        dlg = new ui::DlgSuperponerRASK(estado, plat);
        Mostrar(dlg);
    }
    void TearDown() override { delete dlg.data(); }
    void Elegir(const std::string& ruta, const char* boton) {
        plat.archivos.push_back(ruta);
        Pulsar(dlg, boton);
    }
    std::vector<float> Salida(const char* nombre = "demS_dat.rkd") {
        ImagenActual leida;
        EXPECT_TRUE(LeerIMG(tmp.Ruta(nombre), "", leida));
        return Celdas(leida.Valores);
    }
};
}  // namespace

TEST_F(Superpone, EstadoInicialYOpciones) {
    EXPECT_EQ(dlg->windowTitle(), "TARNO-SIG: Superponer imágenes RASK (Suma - Resta entrre imágenes)");
    EXPECT_EQ(Texto(dlg, "lblAccion"), "ACCION: Superpone una imagen RASK sobre otra (suma), o resta.");
    EXPECT_TRUE(Control<QRadioButton>(dlg, "Option1")->isChecked());
    EXPECT_EQ(Control<QRadioButton>(dlg, "Option1")->text(),
              "Superponer: Imagen 1 atrás, Imagen 2 adelante, excepto p/valor 0 (Cero)");
    EXPECT_EQ(Control<QRadioButton>(dlg, "Option6")->text(), "Imagen 1/ Imagen 2");
    EXPECT_EQ(Texto(dlg, "txtExcepto"), "0");
    EXPECT_TRUE(Control(dlg, "txtExcepto")->isEnabled());
    EXPECT_EQ(Texto(dlg, "lblRows2"), "0");
    Marcar(dlg, "Option4");
    EXPECT_FALSE(Control(dlg, "txtExcepto")->isEnabled());
    Marcar(dlg, "Option1");
    EXPECT_TRUE(Control(dlg, "txtExcepto")->isEnabled());

    EXPECT_FALSE(Escribir(dlg, "txtExcepto", "abc"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero  o decimal. Por defecto, se adopta el valor '0' ");

    // While the box is wrong, a click elsewhere does nothing.
    Pulsar(dlg, "cmdRecortarRAK");
    EXPECT_TRUE(plat.titulosDialogo.empty());
    ASSERT_TRUE(Escribir(dlg, "txtExcepto", "0"));

    // Before image 2 its labels hold "0": refused.
    Elegir(a, "cmdRecortarRAK");
    ASSERT_FALSE(plat.titulosDialogo.empty());
    EXPECT_EQ(plat.titulosDialogo.back(), "Superponer / Operar dos Imagenes: Abrir Imagen 1");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "demS_dat.rkd");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Las imágenes seleccionadas no son compatibles");
    EXPECT_EQ(plat.Ultimo().titulo, "Inconsistencia...");
}

TEST_F(Superpone, RestaYSuperposicionConExcepcion) {
    Elegir(a, "cmdRecortarRAK");
    Elegir(b, "cmdRecortarRAK2");
    EXPECT_EQ(plat.titulosDialogo.back(), "Superponer / Operar dos Imagenes: Abrir Imagen 2");
    EXPECT_EQ(Texto(dlg, "lblRows2"), "3");
    EXPECT_EQ(Texto(dlg, "lblMaximo2"), "10");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: se creará un nuevo archivo <" + tmp.Carpeta() +
                                       "demS_dat.rkd> a partir del archivo <" + a + "> y del archivo " + b + ">.");
    EXPECT_EQ(plat.Ultimo().titulo, "Aplica Operador a valores de archivo _dat.rkd");
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Salida(), (std::vector<float>{9, 2, 3, 4, 5, 1, 2, 8, 10}));

    dlg = new ui::DlgSuperponerRASK(estado, plat);
    Mostrar(dlg);
    Elegir(a, "cmdRecortarRAK");
    Elegir(b, "cmdRecortarRAK2");
    Marcar(dlg, "Option4");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(Salida(), (std::vector<float>{-8, 2, 0, 4, 0, 5, 5, 8, -1}));
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("demS_dat.rkd"), "", leida));
    EXPECT_FLOAT_EQ(leida.DatoMenor, -8);
    EXPECT_FLOAT_EQ(leida.DatoMayor, 8);
    EXPECT_EQ(leida.Subtitulo, "S - Superponer / Operador dos imagenes");
}

TEST_F(Superpone, DivisionPorCeroSeInforma) {
    Elegir(a, "cmdRecortarRAK");
    Elegir(b, "cmdRecortarRAK2");
    Marcar(dlg, "Option6");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Se escribió el valor 0 en 3 celdas por división por cero o por desborde del resultado.");
    EXPECT_EQ(Salida()[1], 0);
}

TEST_F(Superpone, TamanosDistintosYOrdenInvertido) {
    Elegir(ancha, "cmdRecortarRAK");
    Elegir(alta, "cmdRecortarRAK2");
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Las imágenes seleccionadas no son compatibles");
    EXPECT_TRUE(dlg->isVisible());

    // Image 2 first, then image 1: image 2 stays as it was chosen and the
    // write combines the two.
    Elegir(b, "cmdRecortarRAK2");
    Elegir(a, "cmdRecortarRAK");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASK2"), QString::fromStdString(b));
    EXPECT_EQ(Texto(dlg, "lblRows2"), "3");
    EXPECT_EQ(Texto(dlg, "lblMaximo2"), "10");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "demS_dat.rkd");
    Pulsar(dlg, "OKButton");
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(Salida(), (std::vector<float>{9, 2, 3, 4, 5, 1, 2, 8, 10}));
    // Choosing image 1 leaves the current image as read, not zeroed.
    EXPECT_EQ(Celdas(estado.img.Valores), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}
