#include <QGroupBox>
#include <QPointer>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/dlg_modificar.h"

using namespace tarno;
using namespace tarno::prueba;

namespace {
struct Modifica : ::testing::Test {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ui::EstadoApp estado;
    QPointer<ui::DlgModificaDatPixel> dlg;
    std::string fuente;

    void SetUp() override {
        ImagenActual img = ImagenValores(3, 4, {5, 10, 15, 20, 25, 9.5f, 20.5f, 12, 1, 2, 3, 4});
        fuente = GuardarImagen(tmp, "dem_dat.rkd", img);
        dlg = new ui::DlgModificaDatPixel(estado, plat);
        Mostrar(dlg);
    }
    void TearDown() override { delete dlg.data(); }
    void Elegir() {
        plat.archivos.push_back(fuente);
        Pulsar(dlg, "cmdModificarArchivo");
    }
    ImagenActual Salida() {
        ImagenActual leida;
        EXPECT_TRUE(LeerIMG(tmp.Ruta("demM_dat.rkd"), "", leida));
        return leida;
    }
};
}  // namespace

TEST_F(Modifica, EstadoInicialYModos) {
    EXPECT_EQ(dlg->windowTitle(), "TARNO-SIG: Modificar valores de Pixel en una imagen RASK");
    auto* fc = Control<QRadioButton>(dlg, "optPixelfc");
    auto* val = Control<QRadioButton>(dlg, "optPixelVal");
    EXPECT_FALSE(fc->isChecked());
    EXPECT_FALSE(val->isChecked());
    EXPECT_FALSE(Control(dlg, "Frame1")->isEnabled());
    EXPECT_FALSE(Control(dlg, "Frame2")->isEnabled());
    for (const char* n : {"txtFilaInicio", "txtColInicio", "txtFilaFin", "txtColFin", "txtValorInicio",
                          "txtValorFin", "txtValorPixel"}) {
        EXPECT_EQ(Texto(dlg, n), "0") << n;
        EXPECT_FALSE(Control(dlg, n)->isEnabled()) << n;
    }
    EXPECT_EQ(fc->text(), "Modificar valor de los Pixel identificados por fila y columna");

    Elegir();
    EXPECT_TRUE(fc->isChecked());
    EXPECT_TRUE(Control(dlg, "txtFilaInicio")->isEnabled());
    EXPECT_TRUE(Control(dlg, "txtValorPixel")->isEnabled());
    EXPECT_FALSE(Control(dlg, "txtValorInicio")->isEnabled());
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKMod"), "demM_dat.rkd");
    EXPECT_EQ(Texto(dlg, "lblColumns"), "4");

    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "2"));
    Marcar(dlg, "optPixelVal");
    EXPECT_TRUE(Control(dlg, "Frame2")->isEnabled());
    EXPECT_FALSE(Control(dlg, "Frame1")->isEnabled());
    EXPECT_EQ(Texto(dlg, "txtFilaInicio"), "0");
    EXPECT_TRUE(Control(dlg, "txtValorFin")->isEnabled());
    Marcar(dlg, "optPixelfc");
    EXPECT_FALSE(Control(dlg, "txtValorFin")->isEnabled());
    EXPECT_EQ(Texto(dlg, "txtValorPixel"), "0");
}

TEST_F(Modifica, MensajesDeLasCajas) {
    Elegir();
    EXPECT_FALSE(Escribir(dlg, "txtColFin", "5"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  entre 1 y  4 o '0' para Cancelar ");
    EXPECT_EQ(Texto(dlg, "txtColFin"), "0");
    // No start/end check in this tool.
    EXPECT_TRUE(Escribir(dlg, "txtColInicio", "3"));
    EXPECT_TRUE(Escribir(dlg, "txtColFin", "1"));
    EXPECT_FALSE(Escribir(dlg, "txtValorPixel", "abc"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero  o decimal ");
    EXPECT_TRUE(Control(dlg, "txtValorPixel")->hasFocus());
    EXPECT_TRUE(Escribir(dlg, "txtValorPixel", "7"));
    Marcar(dlg, "optPixelVal");
    EXPECT_FALSE(Escribir(dlg, "txtValorInicio", "x"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero o decimal  ");
    EXPECT_TRUE(Escribir(dlg, "txtValorInicio", "1"));
    EXPECT_FALSE(Escribir(dlg, "txtValorFin", "x"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico entero o decimal");
    EXPECT_FALSE(Escribir(dlg, "lblArchivoRASKMod", "otro.rkd"));
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKMod"), "demM_dat.rkd");
}

TEST_F(Modifica, PorValorIncluyeLosExtremos) {
    Elegir();
    Marcar(dlg, "optPixelVal");
    ASSERT_TRUE(Escribir(dlg, "txtValorInicio", "10"));
    ASSERT_TRUE(Escribir(dlg, "txtValorFin", "20"));
    ASSERT_TRUE(Escribir(dlg, "txtValorPixel", "0"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: se creará un nuevo archivo <" + tmp.Carpeta() +
                                       "demM_dat.rkd> a partir del archivo <" + fuente + "> modificado.");
    EXPECT_EQ(plat.Ultimo().titulo, "Modifica valores de archivo _dat.rkd");
    EXPECT_FALSE(dlg->isVisible());
    ImagenActual s = Salida();
    EXPECT_EQ(Celdas(s.Valores), (std::vector<float>{5, 0, 0, 0, 25, 9.5f, 20.5f, 0, 1, 2, 3, 4}));
    EXPECT_FLOAT_EQ(s.DatoMenor, 0);
    EXPECT_EQ(s.Subtitulo, "SModificado");
    // The current image holds the modified cells.
    EXPECT_EQ(estado.img.Valores(1, 2), 0);
}

TEST_F(Modifica, PorPosicionYVentanaIncompleta) {
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "2"));
    ASSERT_TRUE(Escribir(dlg, "txtFilaFin", "2"));
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "3"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Deben seleccionarse filas y columnas a modificar valores");
    EXPECT_EQ(plat.Ultimo().titulo, "No se ha seleccionado fila y columna a modificar");
    ASSERT_TRUE(Escribir(dlg, "txtColFin", "4"));
    ASSERT_TRUE(Escribir(dlg, "txtValorPixel", "999"));
    Pulsar(dlg, "OKButton");
    ImagenActual s = Salida();
    EXPECT_EQ(Celdas(s.Valores), (std::vector<float>{5, 10, 15, 20, 25, 9.5f, 999, 999, 1, 2, 3, 4}));
    EXPECT_FLOAT_EQ(s.DatoMayor, 999);
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("demM_cab.rkd")));
}
