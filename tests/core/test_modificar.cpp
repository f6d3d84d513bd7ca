#include <gtest/gtest.h>

#include "support/imagenes_herramientas.h"
#include "tools/modificar.h"

using namespace tarno;
using namespace tarno::herramientas;

TEST(Modificar, PorValorIncluyeLosExtremosDelRango) {
    ImagenActual img = prueba::ImagenValores(2, 3, {5, 10, 15, 20, 25, 9.999f});
    EXPECT_EQ(ModificarPorValor(img, 10, 20, 0), 3);
    EXPECT_EQ(prueba::Celdas(img.Valores), (std::vector<float>{5, 0, 0, 0, 25, 9.999f}));
    CabeceraImagen cab = CabeceraModificada(img);
    EXPECT_FLOAT_EQ(cab.DatoMenor, 0);
    EXPECT_FLOAT_EQ(cab.DatoMayor, 25);
    EXPECT_EQ(cab.Subtitulo, "SModificado");
    EXPECT_EQ(cab.NroFilas, 2);
    EXPECT_DOUBLE_EQ(cab.XMaximo, img.XMaximo);
}

TEST(Modificar, PorPosicionCambiaSoloLaVentana) {
    ImagenActual img = prueba::ImagenNumerada(3, 5);
    int64_t cambiadas = 0;
    ASSERT_TRUE(ModificarPorPosicion(img, {2, 2, 3, 4}, 999, cambiadas));
    EXPECT_EQ(cambiadas, 2);
    EXPECT_EQ(img.Valores(2, 3), 999);
    EXPECT_EQ(img.Valores(2, 4), 999);
    EXPECT_EQ(img.Valores(2, 5), 205);
    EXPECT_EQ(img.Valores(1, 3), 103);
    EXPECT_FLOAT_EQ(CabeceraModificada(img).DatoMayor, 999);

    // An end before its start selects no cell.
    ASSERT_TRUE(ModificarPorPosicion(img, {3, 1, 1, 5}, -1, cambiadas));
    EXPECT_EQ(cambiadas, 0);
    // A window beyond the image is refused instead of writing out of bounds.
    EXPECT_FALSE(ModificarPorPosicion(img, {1, 4, 1, 5}, -1, cambiadas));
}
