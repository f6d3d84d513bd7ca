#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/orden_proceso.h"
#include "raster/archivos.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;

namespace {

// The literal descending exchange sort of the row-major cell list.
OrdenProceso OrdenIntercambio(const Grilla<float>& cota) {
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    const size_t n = static_cast<size_t>(filas) * static_cast<size_t>(columnas);
    std::vector<int32_t> f(n + 1), c(n + 1);
    std::vector<float> z(n + 1);
    size_t k = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) {
            ++k;
            z[k] = cota(i, j);
            f[k] = i;
            c[k] = j;
        }
    for (size_t a = 1; a <= n; ++a)
        for (size_t m = a; m <= n; ++m)
            if (z[m] > z[a]) {
                std::swap(z[m], z[a]);
                std::swap(f[m], f[a]);
                std::swap(c[m], c[a]);
            }
    OrdenProceso o;
    o.Fila = f;
    o.Columna = c;
    return o;
}

Grilla<float> GrillaDe(int32_t filas, int32_t columnas, const std::vector<float>& v) {
    Grilla<float> g(filas, columnas);
    size_t p = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) g(i, j) = v[p++];
    return g;
}

void CompararConIntercambio(const Grilla<float>& g) {
    OrdenProceso rapido;
    CalcularOrden(g, rapido);
    OrdenProceso literal = OrdenIntercambio(g);
    ASSERT_EQ(rapido.Fila, literal.Fila);
    ASSERT_EQ(rapido.Columna, literal.Columna);
}

}  // namespace

TEST(OrdenProceso, EjemploDosPorDos) {
    Grilla<float> g = GrillaDe(2, 2, {5, 7, 7, 3});
    OrdenProceso o;
    CalcularOrden(g, o);
    ASSERT_EQ(o.Tamano(), 4);
    EXPECT_EQ(o.Fila, (std::vector<int32_t>{0, 1, 2, 1, 2}));
    EXPECT_EQ(o.Columna, (std::vector<int32_t>{0, 2, 1, 1, 2}));
}

TEST(OrdenProceso, CeldasFueraDeLaCuencaAlFinal) {
    Grilla<float> g = GrillaDe(2, 3, {-9999, 4, 0, 2, -9999, 1});
    OrdenProceso o;
    CalcularOrden(g, o);
    for (int64_t k = 1; k <= 3; ++k) EXPECT_GT(g(o.Fila[k], o.Columna[k]), 0.0f);
    for (int64_t k = 4; k <= 6; ++k) EXPECT_LE(g(o.Fila[k], o.Columna[k]), 0.0f);
    CompararConIntercambio(g);
}

TEST(OrdenProceso, IgualAlIntercambioEnGrillasAleatoriasConEmpates) {
    std::mt19937 azar(12345);
    for (int caso = 0; caso < 3000; ++caso) {
        const int32_t filas = 1 + static_cast<int32_t>(azar() % 9);
        const int32_t columnas = 1 + static_cast<int32_t>(azar() % 9);
        const int niveles = 1 + static_cast<int>(azar() % 6);  // few values: many ties
        std::vector<float> v(static_cast<size_t>(filas * columnas));
        for (float& x : v) x = static_cast<float>(static_cast<int>(azar() % niveles)) - 1.0f;
        CompararConIntercambio(GrillaDe(filas, columnas, v));
        if (HasFatalFailure()) {
            ADD_FAILURE() << "caso " << caso;
            return;
        }
    }
}

TEST(OrdenProceso, IgualAlIntercambioConGrandesAreasPlanas) {
    std::mt19937 azar(777);
    for (int caso = 0; caso < 300; ++caso) {
        const int32_t filas = 5 + static_cast<int32_t>(azar() % 20);
        const int32_t columnas = 5 + static_cast<int32_t>(azar() % 20);
        std::vector<float> v(static_cast<size_t>(filas * columnas), 100.0f);
        // A flat plain with a few random bumps, pits and a stripe outside the basin.
        for (int b = 0; b < 6; ++b) v[azar() % v.size()] = static_cast<float>(azar() % 3) + 99.0f;
        if (caso % 3 == 0)
            for (int32_t j = 0; j < columnas; ++j) v[static_cast<size_t>(j)] = -9999.0f;
        CompararConIntercambio(GrillaDe(filas, columnas, v));
        if (HasFatalFailure()) return;
    }
    // Whole grid flat; -0 and 0 tie.
    CompararConIntercambio(GrillaDe(3, 4, std::vector<float>(12, 7.0f)));
    CompararConIntercambio(GrillaDe(2, 2, {0.0f, -0.0f, 0.0f, -0.0f}));
}

TEST(OrdenProceso, IgualAlIntercambioConValoresContinuos) {
    std::mt19937 azar(99);
    std::uniform_real_distribution<float> u(0.0f, 50.0f);
    for (int caso = 0; caso < 200; ++caso) {
        std::vector<float> v(12 * 11);
        for (float& x : v) x = (azar() % 4 == 0) ? 10.0f : u(azar);
        CompararConIntercambio(GrillaDe(12, 11, v));
        if (HasFatalFailure()) return;
    }
    // Both signs and every magnitude, so that every digit of the sort key varies.
    std::uniform_int_distribution<int> exponente(-30, 30);
    for (int caso = 0; caso < 100; ++caso) {
        std::vector<float> v(9 * 13);
        for (float& x : v)
            x = azar() % 5 == 0 ? -0.0f : (azar() % 2 ? -1.0f : 1.0f) * u(azar) * std::ldexp(1.0f, exponente(azar));
        CompararConIntercambio(GrillaDe(9, 13, v));
        if (HasFatalFailure()) return;
    }
}

class CacheOrden : public ::testing::Test {
protected:
    Grilla<float> g = GrillaDe(2, 3, {5, 7, 7, 3, 3, 1});
    CarpetaTemporal tmp;
    const std::string nombre = NombreCacheOrden("cuenca_dat.rkd");
};

TEST_F(CacheOrden, NombreYFormato) {
    EXPECT_EQ(nombre, "cuenca_dat_Vc_cab.rkd");
    OrdenProceso o;
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    OrdenProceso literal = OrdenIntercambio(g);
    std::string esperado = "\"cuenca_dat_Vc_cab.rkd\"\r\n6\r\n";
    for (int k = 1; k <= 6; ++k)
        esperado += std::to_string(literal.Fila[k]) + "," + std::to_string(literal.Columna[k]) + "," +
                    std::to_string(static_cast<int>(g(literal.Fila[k], literal.Columna[k]))) + "\r\n";
    EXPECT_EQ(tmp.Leer(nombre), esperado);
}

TEST_F(CacheOrden, SegundaCorridaLeeLaCache) {
    OrdenProceso a, b;
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, a));
    EXPECT_FALSE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, b));
    EXPECT_EQ(a.Fila, b.Fila);
    EXPECT_EQ(a.Columna, b.Columna);
    std::filesystem::remove(tmp.Ruta(nombre));
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, b));
}

TEST_F(CacheOrden, ElevacionesDeMasDeSieteCifrasReusanLaCache) {
    // 1234.5678 and 0.123456789 need more digits than the cache keeps.
    Grilla<float> fina = GrillaDe(2, 2, {1234.5678f, 1234.5677f, 0.123456789f, 98765.4321f});
    OrdenProceso a, b;
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", fina, a));
    EXPECT_FALSE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", fina, b));
    EXPECT_EQ(a.Fila, b.Fila);
    EXPECT_EQ(a.Columna, b.Columna);
}

TEST_F(CacheOrden, CacheDeOtroTamanoUOtroNombreSeReconstruye) {
    OrdenProceso o;
    tmp.Escribir(nombre, "\"cuenca_dat_Vc_cab.rkd\"\r\n5\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    tmp.Escribir(nombre, "\"otra_dat_Vc_cab.rkd\"\r\n6\r\n1,1,5\r\n1,2,7\r\n1,3,7\r\n2,1,3\r\n2,2,3\r\n2,3,1\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    EXPECT_EQ(o.Fila, OrdenIntercambio(g).Fila);
}

TEST_F(CacheOrden, CacheQueNoCoincideConElMDTSeReconstruye) {
    const std::string cab = "\"cuenca_dat_Vc_cab.rkd\"\r\n6\r\n";
    OrdenProceso o;
    // An elevation that is not the DEM's (DEM edited under the same name).
    tmp.Escribir(nombre, cab + "1,2,7\r\n2,1,4\r\n1,3,7\r\n1,1,5\r\n2,2,3\r\n2,3,1\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    // A row out of range.
    tmp.Escribir(nombre, cab + "1,2,7\r\n9,1,7\r\n1,3,7\r\n1,1,5\r\n2,2,3\r\n2,3,1\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    // A cell twice.
    tmp.Escribir(nombre, cab + "1,2,7\r\n1,2,7\r\n1,3,7\r\n1,1,5\r\n2,2,3\r\n2,3,1\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    // Damaged: too few lines, text where a number belongs.
    tmp.Escribir(nombre, cab + "1,2,7\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    tmp.Escribir(nombre, cab + "1,2,7\r\nx,1,7\r\n");
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    EXPECT_EQ(o.Fila, OrdenIntercambio(g).Fila);
    EXPECT_EQ(o.Columna, OrdenIntercambio(g).Columna);
    // After the rebuild the cache is valid again.
    EXPECT_FALSE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
}

// The cache is read in blocks in the layout its writer gives it; any other
// layout the delimited reader takes (LF ends, blanks, a "+" sign, leading
// zeros, an exponent, a last line without its end) is read the general way.
TEST_F(CacheOrden, OtrasFormasDelTextoSeLeenIgual) {
    OrdenProceso escrito;
    ASSERT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, escrito));
    for (const char* texto :
         {"\"cuenca_dat_Vc_cab.rkd\"\n6\n1,2,7\n1,3,7\n1,1,5\n2,1,3\n2,2,3\n2,3,1\n",
          "\"cuenca_dat_Vc_cab.rkd\"\r\n6\r\n1, 2, 7\r\n1,3,+7\r\n1,1,5.0\r\n02,1,3\r\n2,2,0.3E+01\r\n2,3,1",
          "  \"cuenca_dat_Vc_cab.rkd\" \r\n 6\r\n1,2,7\r\n1,3,7\r\n1,1,5\r\n2,1,3\r\n2,2,3\r\n2,3,1\r\n\r\n"}) {
        tmp.Escribir(nombre, texto);
        OrdenProceso o;
        EXPECT_FALSE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o)) << texto;
        EXPECT_EQ(o.Fila, escrito.Fila) << texto;
        EXPECT_EQ(o.Columna, escrito.Columna) << texto;
    }
    // Cut inside a number: the general reader finds it short.
    tmp.Escribir(nombre, "\"cuenca_dat_Vc_cab.rkd\"\r\n6\r\n1,2,7\r\n1,3,7\r\n1,1,5\r\n2,1,3\r\n2,2,3\r\n2,");
    OrdenProceso o;
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta(), "cuenca_dat.rkd", g, o));
    EXPECT_EQ(o.Fila, escrito.Fila);
}

TEST_F(CacheOrden, CarpetaSinPermisoNoImpideElOrden) {
    OrdenProceso o;
    EXPECT_TRUE(PrepararOrden(tmp.Carpeta() + "no_existe/", "cuenca_dat.rkd", g, o));
    EXPECT_EQ(o.Fila, OrdenIntercambio(g).Fila);
}

TEST(OrdenProceso, IgualAlIntercambioEnGrillasMedianas) {
    std::mt19937 azar(2024);
    for (int caso = 0; caso < 6; ++caso) {
        const int32_t filas = 30 + static_cast<int32_t>(azar() % 15);
        const int32_t columnas = 30 + static_cast<int32_t>(azar() % 15);
        std::vector<float> v(static_cast<size_t>(filas * columnas));
        // Terraces: integer elevations over a slope, with a flat lake and an outside margin.
        for (int32_t i = 0; i < filas; ++i)
            for (int32_t j = 0; j < columnas; ++j) {
                float z = std::floor(0.3f * static_cast<float>(i) + 0.2f * static_cast<float>(j)) +
                          static_cast<float>(azar() % 2);
                if (i > 5 && i < 15 && j > 5 && j < 20) z = 4;
                if (j == 0 || i == filas - 1) z = -9999;
                v[static_cast<size_t>(i * columnas + j)] = z;
            }
        CompararConIntercambio(GrillaDe(filas, columnas, v));
        if (HasFatalFailure()) return;
    }
}
