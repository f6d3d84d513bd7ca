#include <gtest/gtest.h>

#include "support/temporal.h"
#include "tools/suma_celdas.h"

using namespace tarno;

namespace {
RasterConsulta Unos(int32_t filas, int32_t columnas) {
    RasterConsulta r;
    r.NroFilas = filas;
    r.NroColumnas = columnas;
    r.Valores.Redimensionar(filas, columnas, 1.0f);
    return r;
}
}  // namespace

TEST(SumaCeldas, LineasPorFilaOPorColumna) {
    using V = std::vector<Celda>;
    EXPECT_EQ(LineaCeldas(1, 1, 3, 2, 100, 100), (V{{1, 1}, {2, 1}, {3, 2}}));
    EXPECT_EQ(LineaCeldas(1, 1, 3, 3, 100, 100), (V{{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(LineaCeldas(1, 1, 2, 5, 100, 100), (V{{1, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));
    EXPECT_EQ(LineaCeldas(2, 3, 2, 3, 100, 100), (V{{2, 3}}));
    // No line from a first end outside the raster, nor backwards.
    EXPECT_TRUE(LineaCeldas(0, 1, 3, 3, 100, 100).empty());
    EXPECT_TRUE(LineaCeldas(3, 3, 1, 1, 100, 100).empty());
    EXPECT_TRUE(LineaCeldas(1, 3, 3, 1, 100, 100).empty());
    // A huge end is walked only as far as the raster reaches.
    EXPECT_EQ(LineaCeldas(1, 1, 2000000000, 1, 4, 4).size(), 4u);
}

TEST(SumaCeldas, SumaSoloLasCeldasDentro) {
    RasterConsulta r = Unos(5, 5);
    EXPECT_EQ(SumarLinea(r, LineaCeldas(1, 1, 5, 5, 5, 5)), 5.0f);
    EXPECT_EQ(SumarLinea(r, LineaCeldas(1, 1, 2, 5, 5, 5)), 5.0f);
    EXPECT_EQ(SumarLinea(r, LineaCeldas(4, 4, 9, 9, 5, 5)), 2.0f);
    r.Valores(2, 3) = 7.5f;
    EXPECT_EQ(SumarLinea(r, LineaCeldas(2, 3, 2, 3, 5, 5)), 7.5f);
    EXPECT_EQ(SumarLinea(r, {{2, 3}, {2, 3}, {9, 9}}), 15.0f);  // listed twice counts twice
    EXPECT_EQ(SumarLinea(RasterConsulta{}, LineaCeldas(1, 1, 5, 5, 0, 0)), 0.0f);
}

TEST(SumaCeldas, CargaCortaDejaCerosYCabeceraEnLaImagen) {
    prueba::CarpetaTemporal tmp;
    tmp.Escribir("q_cab.rkd",
                 "Titulo              , \"Q\"\r\nSubtitulo           , \"sub\"\r\nFilas               , 2\r\n"
                 "Columnas            , 2\r\nX Minimo            , 1\r\nY Minimo            , 2\r\n"
                 "X Maximo            , 3\r\nY Maximo            , 4\r\nValor Minimo        , 0.5\r\n"
                 "Valor Maximo        , 9\r\nResolucion X        , 5\r\nResolucion Y        , 6\r\n");
    tmp.Escribir("q_dat.rkd", "0.5\r\n9\r\n1.25\r\n");
    RasterConsulta r;
    ImagenActual img;
    img.NroFilas = 77;  // the image's own size is not replaced
    ASSERT_TRUE(CargarRasterConsulta(tmp.Carpeta(), "q_dat.rkd", r, img));
    EXPECT_EQ(r.NroFilas, 2);
    EXPECT_EQ(r.Valores(2, 1), 1.25f);
    EXPECT_EQ(r.Valores(2, 2), 0.0f);
    EXPECT_EQ(img.NroDatos, 3);
    EXPECT_EQ(img.Decimales, 2);
    EXPECT_EQ(img.Subtitulo, "sub");
    EXPECT_EQ(img.ResolucionY, 6.0);
    EXPECT_EQ(img.NroFilas, 77);
    // A missing header loads nothing.
    RasterConsulta vacia;
    EXPECT_FALSE(CargarRasterConsulta(tmp.Carpeta(), "nada_dat.rkd", vacia, img));
    EXPECT_EQ(vacia.NroFilas, 0);
}
