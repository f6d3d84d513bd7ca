#include <gtest/gtest.h>

#include <limits>

#include "support/imagenes_herramientas.h"
#include "tools/superponer.h"

using namespace tarno;
using namespace tarno::herramientas;

namespace {
struct Par {
    ImagenActual a, b;
};
Par TresPorTres() {
    return {prueba::ImagenValores(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
            prueba::ImagenValores(3, 3, {9, 0, 3, 0, 5, 1, 2, 0, 10})};
}
std::vector<float> Operar(Operacion op, float e = 0, int64_t* anuladas = nullptr, CabeceraImagen* cab = nullptr) {
    Par p = TresPorTres();
    CabeceraImagen c;
    Grilla<float> s;
    int64_t n = 0;
    EXPECT_TRUE(Superponer(p.a.Valores, p.b, op, e, c, s, n));
    if (anuladas) *anuladas = n;
    if (cab) *cab = c;
    return prueba::Celdas(s);
}
}  // namespace

TEST(Superponer, LasOchoOperaciones) {
    CabeceraImagen cab;
    EXPECT_EQ(Operar(Operacion::Resta, 0, nullptr, &cab), (std::vector<float>{-8, 2, 0, 4, 0, 5, 5, 8, -1}));
    EXPECT_FLOAT_EQ(cab.DatoMenor, -8);
    EXPECT_FLOAT_EQ(cab.DatoMayor, 8);
    EXPECT_EQ(cab.Subtitulo, "S - Superponer / Operador dos imagenes");
    EXPECT_EQ(Operar(Operacion::Superponer, 0), (std::vector<float>{9, 2, 3, 4, 5, 1, 2, 8, 10}));
    EXPECT_EQ(Operar(Operacion::Superponer, 5), (std::vector<float>{9, 0, 3, 0, 5, 1, 2, 0, 10}));
    EXPECT_EQ(Operar(Operacion::Suma), (std::vector<float>{10, 2, 6, 4, 10, 7, 9, 8, 19}));
    EXPECT_EQ(Operar(Operacion::Producto), (std::vector<float>{9, 0, 9, 0, 25, 6, 14, 0, 90}));
    EXPECT_EQ(Operar(Operacion::Mayor), (std::vector<float>{9, 2, 3, 4, 5, 6, 7, 8, 10}));
    EXPECT_EQ(Operar(Operacion::Menor), (std::vector<float>{1, 0, 3, 0, 5, 1, 2, 0, 9}));
    // Single precision: (1 - 9) / (1 + 9).
    EXPECT_EQ(Operar(Operacion::Indice)[0], -0.8f);
}

TEST(Superponer, DivisionPorCeroYDesbordeDanCero) {
    int64_t anuladas = 0;
    std::vector<float> r = Operar(Operacion::Cociente, 0, &anuladas);
    EXPECT_EQ(anuladas, 3);
    EXPECT_EQ(r, (std::vector<float>{1.0f / 9, 0, 1, 0, 1, 6, 3.5f, 0, 0.9f}));

    bool anulada;
    EXPECT_EQ(Combinar(Operacion::Indice, 2, -2, 0, anulada), 0);
    EXPECT_TRUE(anulada);
    EXPECT_EQ(Combinar(Operacion::Indice, 0, 0, 0, anulada), 0);
    EXPECT_TRUE(anulada);
    const float grande = std::numeric_limits<float>::max();
    EXPECT_EQ(Combinar(Operacion::Suma, grande, grande, 0, anulada), 0);
    EXPECT_TRUE(anulada);
    EXPECT_EQ(Combinar(Operacion::Producto, 1e30f, 1e30f, 0, anulada), 0);
    EXPECT_TRUE(anulada);
    EXPECT_EQ(Combinar(Operacion::Cociente, 1e30f, 1e-30f, 0, anulada), 0);
    EXPECT_TRUE(anulada);
    EXPECT_EQ(Combinar(Operacion::Producto, 1e18f, 1e18f, 0, anulada), 1e36f);
    EXPECT_FALSE(anulada);
}

TEST(Superponer, TamanosDistintosSeRechazan) {
    ImagenActual a = prueba::ImagenValores(10, 20, {});
    ImagenActual b = prueba::ImagenValores(20, 10, {});
    CabeceraImagen cab;
    Grilla<float> s;
    int64_t n;
    Resultado r = Superponer(a.Valores, b, Operacion::Suma, 0, cab, s, n);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.mensaje, "Las imágenes seleccionadas no son compatibles");
}
