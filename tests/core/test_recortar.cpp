#include <gtest/gtest.h>

#include "raster/archivos.h"
#include "support/imagenes_herramientas.h"
#include "support/temporal.h"
#include "tools/recortar.h"

using namespace tarno;
using namespace tarno::herramientas;

TEST(Recortar, VentanaDeUnaFilaYCabecera) {
    ImagenActual img = prueba::ImagenNumerada(10, 10);
    CabeceraImagen cab;
    Grilla<float> salida;
    ASSERT_TRUE(Recortar(img, {3, 3, 2, 5}, cab, salida));
    EXPECT_EQ(cab.NroFilas, 1);
    EXPECT_EQ(cab.NroColumnas, 4);
    EXPECT_EQ(prueba::Celdas(salida), (std::vector<float>{302, 303, 304, 305}));
    EXPECT_DOUBLE_EQ(cab.XMinimo, 1000 + 10);  // one cell width further
    EXPECT_DOUBLE_EQ(cab.YMinimo, 2000 + 2 * 10);
    EXPECT_DOUBLE_EQ(cab.XMaximo, 4 * 10);  // the window's extent, not offset by the minima
    EXPECT_DOUBLE_EQ(cab.YMaximo, 1 * 10);
    EXPECT_FLOAT_EQ(cab.DatoMenor, 302);
    EXPECT_FLOAT_EQ(cab.DatoMayor, 305);
    EXPECT_EQ(cab.Titulo, "Prueba");
    EXPECT_EQ(cab.Subtitulo, "S - Recortado");
}

TEST(Recortar, VentanaFueraDeLaImagenOInvertidaSeRechaza) {
    ImagenActual img = prueba::ImagenNumerada(4, 4);
    CabeceraImagen cab;
    Grilla<float> salida;
    EXPECT_FALSE(Recortar(img, {1, 5, 1, 4}, cab, salida));
    EXPECT_FALSE(Recortar(img, {0, 2, 1, 4}, cab, salida));
    Resultado r = Recortar(img, {3, 2, 1, 4}, cab, salida);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.mensaje, "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar ");
    // A header that claims more cells than the grid holds (another tool
    // changed it) does not let the crop read past the grid.
    img.NroFilas = 8;
    EXPECT_FALSE(Recortar(img, {1, 8, 1, 4}, cab, salida));
}

TEST(Recortar, NombresYEscrituraCompleta) {
    EXPECT_EQ(NombrePropuesto("dem_dat.rkd", "R"), "demR_dat.rkd");
    EXPECT_EQ(NombrePropuesto("cuenca_dat.rkd", "_C"), "cuenca_C_dat.rkd");
    EXPECT_EQ(NombrePropuesto("at.rkd", "R"), "Rat.rkd");
    EXPECT_TRUE(EsNombreSalida("x_dat.RKD"));
    EXPECT_FALSE(EsNombreSalida("x_DAT.RKD"));
    EXPECT_TRUE(EsNombreFuente("x_DAT.RKD"));
    EXPECT_FALSE(EsNombreFuente("x_dat.txt"));

    prueba::CarpetaTemporal tmp;
    ImagenActual img = prueba::ImagenNumerada(3, 3);
    CabeceraImagen cab;
    Grilla<float> salida;
    ASSERT_TRUE(Recortar(img, {2, 3, 2, 3}, cab, salida));
    ASSERT_TRUE(EscribirSalida(tmp.Ruta("demR_dat.rkd"), cab, salida));
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("demR_dat.rkd"), "", leida));
    EXPECT_EQ(leida.NroFilas, 2);
    EXPECT_EQ(prueba::Celdas(leida.Valores), (std::vector<float>{202, 203, 302, 303}));

    // A folder that cannot be written: the error comes back, nothing is left.
    Resultado r = EscribirSalida(tmp.Ruta("no/existe_dat.rkd"), cab, salida);
    EXPECT_FALSE(r);
    EXPECT_FALSE(r.mensaje.empty());

    // The fingerprint of an image's files follows any change of a byte, even
    // one that keeps the size, in either file; a missing file counts too.
    const std::string dat = tmp.Ruta("demR_dat.rkd");
    const uint64_t antes = HuellaImagen(dat);
    EXPECT_EQ(HuellaImagen(dat), antes);
    const std::string datos = tmp.Leer("demR_dat.rkd"), cabecera = tmp.Leer("demR_cab.rkd");
    std::string otro = datos;
    otro[0] = '9';
    tmp.Escribir("demR_dat.rkd", otro);
    EXPECT_NE(HuellaImagen(dat), antes);
    tmp.Escribir("demR_dat.rkd", datos);
    EXPECT_EQ(HuellaImagen(dat), antes);
    tmp.Escribir("demR_cab.rkd", cabecera.substr(0, cabecera.size() - 1) + "7");
    EXPECT_NE(HuellaImagen(dat), antes);
    std::filesystem::remove(tmp.Ruta("demR_cab.rkd"));
    EXPECT_NE(HuellaImagen(dat), antes);
}
