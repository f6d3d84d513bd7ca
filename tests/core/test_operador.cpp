#include <gtest/gtest.h>

#include <cmath>

#include "support/imagenes_herramientas.h"
#include "tools/operador.h"

using namespace tarno;
using namespace tarno::herramientas;

namespace {
float Evaluar(float z, Coeficientes a) {
    float r = NAN;
    EXPECT_TRUE(EvaluarOperador(z, a, r)) << z;
    return r;
}
}  // namespace

TEST(Operador, CoeficientesYOrdenDeEvaluacion) {
    // Every coefficient 0: 0 + 0 z^0 + 0 z^0 + 0^0 = 1.
    EXPECT_EQ(Evaluar(7, {0, 0, 0, 0, 0, 0, 0}), 1);
    EXPECT_EQ(Evaluar(0, {0, 0, 0, 0, 0, 0, 0}), 1);
    // a2 = a3 = 1: z + 1 (the last term is 0^0).
    EXPECT_EQ(Evaluar(41.5f, {0, 1, 1, 0, 0, 0, 0}), 42.5f);
    // All terms: 2 + 3 z^2 + 4 z^0.5 + 2^(z / 2) at z = 4: 2 + 48 + 8 + 4.
    EXPECT_EQ(Evaluar(4, {2, 3, 2, 4, 0.5f, 2, 0.5f}), 62);
    // Negative base with an integer exponent has a real value.
    EXPECT_EQ(Evaluar(-3, {0, 1, 3, 0, 0, 0, 0}), -26);
    // Sums in double precision before the final rounding: 1e8 + 1 - 1e8 + 0^0
    // (single precision would lose the 1).
    EXPECT_EQ(Evaluar(1, {1e8f, 1, 1, -1e8f, 0, 0, 0}), 2);

    float r;
    EXPECT_FALSE(EvaluarOperador(-4, {0, 1, 0.5f, 0, 0, 0, 0}, r));  // sqrt(-4)
    EXPECT_FALSE(EvaluarOperador(0, {0, 1, -1, 0, 0, 0, 0}, r));     // 1 / 0
    EXPECT_FALSE(EvaluarOperador(100, {0, 1, 30, 0, 0, 0, 0}, r));   // 1e60 overflows a float
}

TEST(Operador, VentanaYCabecera) {
    ImagenActual img = prueba::ImagenNumerada(4, 10);
    CabeceraImagen cab;
    Grilla<float> salida;
    FallasOperador fallas;
    ASSERT_TRUE(AplicarOperador(img, {2, 3, 5, 9}, {0, 1, 1, 0, 0, 0, 0}, cab, salida, fallas));
    EXPECT_EQ(cab.NroFilas, 2);
    EXPECT_EQ(cab.NroColumnas, 5);
    EXPECT_EQ(salida(1, 1), 206);
    EXPECT_EQ(salida(2, 5), 310);
    EXPECT_DOUBLE_EQ(cab.XMinimo, 1000 + 4 * 10);
    EXPECT_DOUBLE_EQ(cab.YMinimo, 2000 + 1 * 10);
    EXPECT_DOUBLE_EQ(cab.XMaximo, 5 * 10);  // the window's extent, not offset by the minima
    EXPECT_DOUBLE_EQ(cab.YMaximo, 2 * 10);
    EXPECT_FLOAT_EQ(cab.DatoMenor, 206);
    EXPECT_FLOAT_EQ(cab.DatoMayor, 310);
    EXPECT_EQ(cab.Subtitulo, "S - Operador");
}

TEST(Operador, CeldasSinValorRealSeCuentanYNadaSeEscribe) {
    ImagenActual img = prueba::ImagenValores(2, 3, {4, 9, -1, 16, -4, -9});
    CabeceraImagen cab;
    Grilla<float> salida;
    FallasOperador fallas;
    Resultado r = AplicarOperador(img, {1, 2, 1, 3}, {0, 1, 0.5f, 0, 0, 0, 0}, cab, salida, fallas);
    EXPECT_FALSE(r);
    EXPECT_EQ(fallas.celdas, 3);
    EXPECT_EQ(fallas.fila, 1);
    EXPECT_EQ(fallas.columna, 3);
    EXPECT_EQ(r.mensaje,
              "El operador no tiene un valor real finito en 3 celdas (la primera en la fila 1, columna 3). "
              "No se escribió ningún archivo.");
    // Outside the window the bad cells do not count.
    EXPECT_TRUE(AplicarOperador(img, {1, 2, 1, 1}, {0, 1, 0.5f, 0, 0, 0, 0}, cab, salida, fallas));
    EXPECT_EQ(prueba::Celdas(salida), (std::vector<float>{3, 5}));  // sqrt(z) + 0^0
}
