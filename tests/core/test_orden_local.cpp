#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "model/cascada.h"
#include "model/flujo_superficial.h"
#include "model/orden_local.h"

using namespace tarno;

namespace {

// Integer elevations (many ties) with holes outside the basin.
Grilla<float> Terreno(int32_t filas, int32_t columnas, unsigned semilla, int huecos) {
    std::mt19937 r(semilla);
    Grilla<float> g(filas, columnas);
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j)
            g(i, j) = static_cast<float>(20 + (i + 2 * j) / 3 + static_cast<int>(r() % 4));
    for (int h = 0; h < huecos; ++h)
        g(static_cast<int32_t>(r() % filas) + 1, static_cast<int32_t>(r() % columnas) + 1) = -9999;
    return g;
}

std::vector<int64_t> Posiciones(const OrdenProceso& o, const Grilla<float>& g) {
    std::vector<int64_t> pos(g.Vector().size(), 0);
    for (int64_t k = 1; k <= o.Tamano(); ++k) pos[g.Indice(o.Fila[k], o.Columna[k])] = k;
    return pos;
}

// Routes `periodos` periods of rain over the cells in `orden`, as the run's
// pass 1 and pass 2 do, and returns what left through an open edge.
template <class Ruteo>
double Rutear(Ruteo& ruteo, GrillasModelo& g, const OrdenProceso& orden, int periodos) {
    double salida = 0;
    for (int p = 0; p < periodos; ++p) {
        const float lluvia = p < 2 ? 0.4f : 0.0f;
        g.AporteCascada.Llenar(0);
        if constexpr (!Ruteo::kConservaEntradas) g.QEntrada.Llenar(0);
        if constexpr (Ruteo::kLluviaEnNiveles)
            for (double& n : g.Nivel.Vector()) n += static_cast<double>(lluvia) / 1000.0;
        ruteo.PrepararPeriodo(lluvia);
        for (int64_t k = 1; k <= orden.Tamano(); ++k) {
            const int32_t i = orden.Fila[k], j = orden.Columna[k];
            if (g.Cota(i, j) > 0) {
                ruteo.Rutear(i, j, lluvia);
            } else {
                g.QSalida(i, j) = 0;
                g.Nivel(i, j) = 0;
                g.AporteCascada(i, j) = 0;
            }
        }
        salida += ruteo.TomarSalidaBorde();
    }
    return salida;
}

template <class T>
bool MismosBits(const Grilla<T>& a, const Grilla<T>& b) {
    return a.Vector().size() == b.Vector().size() &&
           std::memcmp(a.Datos(), b.Datos(), a.Vector().size() * sizeof(T)) == 0;
}

// Routes a grid in the processing order and in the local order and asks for
// the same bits in every grid and in the open-edge total.
template <class Crear>
void MismoResultado(const Grilla<float>& cota, Crear&& crear, bool abierto) {
    OrdenProceso orden;
    CalcularOrden(cota, orden);
    OrdenProceso local = orden;
    ASSERT_TRUE(OrdenLocal(local, cota.Filas(), cota.Columnas(),
                           abierto ? CeldasConLadoAbierto(cota) : std::vector<uint32_t>{}));
    ASSERT_NE(local.Fila, orden.Fila);
    GrillasModelo g[2];
    double salida[2];
    for (int v = 0; v < 2; ++v) {
        g[v].Cota = cota;
        g[v].Nivel.Redimensionar(cota.Filas(), cota.Columnas());
        for (size_t c = 0; c < cota.Vector().size(); ++c) g[v].Nivel.Vector()[c] = cota.Vector()[c] + (c % 7) * 0.01;
        for (auto* x : {&g[v].AporteCascada, &g[v].QEntrada, &g[v].QSalida, &g[v].HMax, &g[v].QMax})
            x->Redimensionar(cota.Filas(), cota.Columnas());
        auto ruteo = crear(g[v]);
        salida[v] = Rutear(ruteo, g[v], v == 0 ? orden : local, 4);
    }
    EXPECT_TRUE(MismosBits(g[0].Nivel, g[1].Nivel));
    EXPECT_TRUE(MismosBits(g[0].AporteCascada, g[1].AporteCascada));
    EXPECT_TRUE(MismosBits(g[0].QEntrada, g[1].QEntrada));
    EXPECT_TRUE(MismosBits(g[0].QSalida, g[1].QSalida));
    EXPECT_TRUE(MismosBits(g[0].HMax, g[1].HMax));
    EXPECT_TRUE(MismosBits(g[0].QMax, g[1].QMax));
    EXPECT_EQ(std::memcmp(&salida[0], &salida[1], sizeof(double)), 0);
}

}  // namespace

// Every cell once; every two cells within two steps, and the chained cells,
// in the order they had; grids of every shape, with ties and holes.
TEST(OrdenLocal, GuardaElOrdenDeLasCeldasQueSeTocan) {
    struct Caso {
        int32_t filas, columnas;
        int huecos;
    };
    for (const Caso& caso : {Caso{1, 1, 0}, Caso{1, 9, 1}, Caso{9, 1, 1}, Caso{2, 2, 0}, Caso{5, 3, 2},
                             Caso{17, 23, 12}, Caso{40, 31, 60}}) {
        SCOPED_TRACE(std::to_string(caso.filas) + "x" + std::to_string(caso.columnas));
        const Grilla<float> cota = Terreno(caso.filas, caso.columnas, 7u * caso.filas + caso.columnas, caso.huecos);
        OrdenProceso orden;
        CalcularOrden(cota, orden);
        // A chain across the grid: a diagonal.
        std::vector<uint32_t> cadena;
        for (int32_t i = 1; i <= std::min(caso.filas, caso.columnas); i += 2)
            cadena.push_back(static_cast<uint32_t>(cota.Indice(i, caso.columnas + 1 - i)));
        // Walked whole, and in rounds of two halves cut between columns or rows.
        const CorteMitades columnas{true, caso.columnas / 2}, filas{false, caso.filas / 2};
        for (const CorteMitades* corte : {static_cast<const CorteMitades*>(nullptr), &columnas, &filas}) {
            OrdenProceso local = orden;
            ASSERT_TRUE(OrdenLocal(local, caso.filas, caso.columnas, cadena, corte));
            ASSERT_EQ(local.Tamano(), orden.Tamano());
            const std::vector<int64_t> antes = Posiciones(orden, cota), despues = Posiciones(local, cota);
            for (int32_t i = 1; i <= caso.filas; ++i)
                for (int32_t j = 1; j <= caso.columnas; ++j) {
                    const size_t a = cota.Indice(i, j);
                    ASSERT_GT(despues[a], 0) << i << "," << j;
                    for (int32_t fi = 1; fi <= caso.filas; ++fi)
                        for (int32_t co = 1; co <= caso.columnas; ++co) {
                            const size_t b = cota.Indice(fi, co);
                            if (std::abs(fi - i) + std::abs(co - j) > 2) continue;
                            ASSERT_EQ(antes[a] < antes[b], despues[a] < despues[b])
                                << i << "," << j << " " << fi << "," << co;
                        }
                }
            for (uint32_t a : cadena)
                for (uint32_t b : cadena) EXPECT_EQ(antes[a] < antes[b], despues[a] < despues[b]);
        }
    }
}

// Both routing methods, closed and open, give the same bits in either order.
TEST(OrdenLocal, MismoResultadoQueElOrdenDeProceso) {
    const Grilla<float> cota = Terreno(23, 19, 5, 25);
    Parametros par;
    par.ResolucionX = 10;
    par.ResolucionY = 8;
    par.PasoPp = 0.05f;
    par.KRecesion = 3;
    MismoResultado(
        cota, [&](GrillasModelo& g) { return RuteoCascadaCon<false>(g, par); }, false);
    MismoResultado(
        cota, [&](GrillasModelo& g) { return RuteoCascadaCon<true>(g, par); }, true);
    MismoResultado(
        cota, [&](GrillasModelo& g) { return RuteoFlujoCon<false, false>(g, par, 400, 10); }, false);
    MismoResultado(
        cota, [&](GrillasModelo& g) { return RuteoFlujoCon<true, true>(g, par, 400, 10); }, true);
}
