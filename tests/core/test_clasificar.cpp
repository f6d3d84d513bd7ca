#include <gtest/gtest.h>

#include "raster/archivos.h"
#include "support/imagenes_herramientas.h"
#include "support/temporal.h"
#include "tools/clasificar.h"

using namespace tarno;
using namespace tarno::herramientas;

TEST(Clasificar, PorNumeroDeIntervalos) {
    Clases cl;
    ClasesPorNumero(cl, 4, 0, 100);
    EXPECT_FLOAT_EQ(cl.Amplitud, 25);
    EXPECT_EQ(cl.Desde, (std::vector<float>{0, 0, 25, 50, 75}));
    EXPECT_EQ(cl.Hasta, (std::vector<float>{0, 25, 50, 75, 100}));
    EXPECT_EQ(BuscarClase(cl, 0), 1);
    EXPECT_EQ(BuscarClase(cl, 24.99f), 1);
    EXPECT_EQ(BuscarClase(cl, 25), 2);
    EXPECT_EQ(BuscarClase(cl, 100), 4);  // the last class includes its upper bound
    EXPECT_EQ(BuscarClase(cl, 100.5f), 0);
    EXPECT_EQ(BuscarClase(cl, -1), 0);
    EXPECT_EQ(NombresDeClases(cl), (std::vector<std::string>{"", " 0- 25", " 25- 50", " 50- 75", " 75- 100"}));

    // Classes are counted from 0, not from the smallest value.
    ClasesPorNumero(cl, 10, 500, 1500);
    EXPECT_FLOAT_EQ(cl.Hasta[10], 1000);
    EXPECT_EQ(BuscarClase(cl, 500), 6);
    EXPECT_EQ(BuscarClase(cl, 1000), 10);
    EXPECT_EQ(BuscarClase(cl, 1200), 0);
}

TEST(Clasificar, PorAmplitudConstante) {
    Clases cl;
    EXPECT_FALSE(ClasesPorAmplitud(cl, 30, 0, 100));
    EXPECT_EQ(cl.n, 4);  // 3 + 1, and 4 x 30 >= 100
    EXPECT_FLOAT_EQ(cl.Hasta[4], 120);
    EXPECT_FALSE(ClasesPorAmplitud(cl, 25, 0, 100));
    EXPECT_EQ(cl.n, 5);
    // More than 256 intervals: the width becomes range / 256.
    EXPECT_TRUE(ClasesPorAmplitud(cl, 0.1f, 0, 100));
    EXPECT_FLOAT_EQ(cl.Amplitud, 100.0f / 256);
    EXPECT_EQ(cl.n, 257);
    // A width of zero or below never loops or divides by zero.
    EXPECT_TRUE(ClasesPorAmplitud(cl, 0, 0, 100));
    EXPECT_FLOAT_EQ(cl.Amplitud, 100.0f / 256);
    EXPECT_TRUE(ClasesPorAmplitud(cl, -5, 7, 7));
    EXPECT_EQ(cl.n, 1);
}

TEST(Clasificar, NumeroDeClasesYTablaVariable) {
    int16_t n = 0;
    EXPECT_TRUE(LeerNroClases("4", n));
    EXPECT_EQ(n, 4);
    EXPECT_TRUE(LeerNroClases("2.9", n));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(LeerNroClases("0", n));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(LeerNroClases("256", n));
    EXPECT_FALSE(LeerNroClases("257", n));
    EXPECT_FALSE(LeerNroClases("abc", n));
    EXPECT_FALSE(LeerNroClases("99999999", n));

    Clases cl;
    cl.Redimensionar(3);
    cl.Hasta = {0, 10, 20, 30};
    EncadenarClases(cl);
    EXPECT_EQ(cl.Desde, (std::vector<float>{0, 0, 10, 20}));
    cl.Redimensionar(4);  // keeps what was typed
    EXPECT_EQ(cl.Hasta, (std::vector<float>{0, 10, 20, 30, 0}));
}

TEST(Clasificar, ImagenCabeceraYListaDeClases) {
    ImagenActual img = prueba::ImagenValores(2, 2, {0, 50, 99, 100});
    Clases cl;
    ClasesPorNumero(cl, 2, 0, 100);
    CabeceraImagen cab;
    Grilla<float> salida;
    ASSERT_TRUE(Clasificar(img, cl, cab, salida));
    EXPECT_EQ(prueba::Celdas(salida), (std::vector<float>{1, 2, 2, 2}));
    EXPECT_EQ(cab.Subtitulo, "SClasificado");
    EXPECT_FLOAT_EQ(cab.DatoMenor, 1);
    EXPECT_FLOAT_EQ(cab.DatoMayor, 2);
    EXPECT_DOUBLE_EQ(cab.XMaximo, img.XMaximo);

    EXPECT_EQ(RutaListaClases("/d/cuenca_C_cab.rkd"), "/d/cuenca_C_cla.rkd");
    EXPECT_EQ(RutaListaClases("/d/cuencaX_cab.rkd"), "/d/cuenc_C_cla.rkd");
    EXPECT_EQ(RutaListaClases("/d/x_cab.rkd"), "/d/_C_cla.rkd");  // never cuts into the folder

    prueba::CarpetaTemporal tmp;
    const std::string dat = tmp.Ruta("cuenca_C_dat.rkd");
    const auto nombres = NombresDeClases(cl);
    ASSERT_TRUE(EscribirSalida(dat, cab, salida, &nombres, RutaListaClases(NombreCabDe(dat))));
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(dat, "", leida));
    EXPECT_TRUE(leida.EsClasificada);
    ASSERT_TRUE(leida.TieneAreas);
    EXPECT_EQ(leida.NroAreas, 2);
    EXPECT_EQ(leida.NombresAreas[2], " 50- 100");
    EXPECT_EQ(tmp.Leer("cuenca_C_cla.rkd"), "2\r\n\" 0- 50\"\r\n\" 50- 100\"\r\n");
}
