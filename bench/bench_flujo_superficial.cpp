// Surface and channel flow method: cell-periods per second on a generated
// 1000 x 1000 DEM of 10 m cells (two valleys on a tilted plane, a little
// relief), routed highest ground first with rain of 1 mm/min and a stable
// step of 0.05 min. One iteration is one period: the inflows cleared, then
// every cell routed, fetching grid lines ahead as the run driver does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "model/flujo_superficial.h"

using namespace tarno;

namespace {

constexpr int kLado = 1000;

void BM_FlujoSuperficial1000(benchmark::State& state) {
    GrillasModelo g;
    g.Cota.Redimensionar(kLado, kLado);
    for (int f = 1; f <= kLado; ++f)
        for (int c = 1; c <= kLado; ++c)
            g.Cota(f, c) = static_cast<float>(200 + 0.05 * (kLado - f) + 8 * std::fabs(std::sin(c * 0.0063)) +
                                              0.4 * std::sin(f * 0.37 + c * 0.21));
    g.Nivel.Redimensionar(kLado, kLado);
    for (int f = 1; f <= kLado; ++f)
        for (int c = 1; c <= kLado; ++c) g.Nivel(f, c) = g.Cota(f, c);
    g.QEntrada.Redimensionar(kLado, kLado);
    g.QSalida.Redimensionar(kLado, kLado);
    g.HMax.Redimensionar(kLado, kLado);
    g.QMax.Redimensionar(kLado, kLado);
    g.AporteCascada.Redimensionar(kLado, kLado);

    // Highest ground first.
    std::vector<int32_t> fila, columna;
    {
        std::vector<uint32_t> indice(static_cast<size_t>(kLado) * kLado);
        std::iota(indice.begin(), indice.end(), 0u);
        std::stable_sort(indice.begin(), indice.end(), [&](uint32_t a, uint32_t b) {
            return g.Cota(static_cast<int>(a / kLado) + 1, static_cast<int>(a % kLado) + 1) >
                   g.Cota(static_cast<int>(b / kLado) + 1, static_cast<int>(b % kLado) + 1);
        });
        for (uint32_t k : indice) {
            fila.push_back(static_cast<int32_t>(k / kLado) + 1);
            columna.push_back(static_cast<int32_t>(k % kLado) + 1);
        }
    }

    Parametros par;
    par.Metodo = 1;
    par.ResolucionX = par.ResolucionY = 10;
    par.PasoPp = 0.05f;
    const float lluvia = 0.05f;  // 1 mm/min
    const PasoFlujo paso = PrepararPasoFlujo(par, lluvia);
    float vMax = 0;
    constexpr size_t kAdelanto = 12;
    const ptrdiff_t ancho = static_cast<ptrdiff_t>(g.Cota.Ancho());
    for (auto _ : state) {
        g.QEntrada.Llenar(0);
        CeldaActual celda;
        celda.LluviaPaso = lluvia;
        for (size_t k = 0; k < fila.size(); ++k) {
            // As the run driver does: the lines of the cells a few steps
            // ahead in the order are fetched early.
            if (k + kAdelanto < fila.size()) {
                const size_t p = g.Cota.Indice(fila[k + kAdelanto], columna[k + kAdelanto]);
                for (const ptrdiff_t d : {-ancho, ptrdiff_t{0}, ancho}) {
                    __builtin_prefetch(g.Nivel.Datos() + p + d, 1);
                    __builtin_prefetch(g.Cota.Datos() + p + d);
                    __builtin_prefetch(g.QEntrada.Datos() + p + d, 1);
                }
                __builtin_prefetch(g.HMax.Datos() + p, 1);
                __builtin_prefetch(g.QMax.Datos() + p, 1);
                __builtin_prefetch(g.QSalida.Datos() + p, 1);
            }
            celda.I = fila[k];
            celda.J = columna[k];
            vMax = std::max(vMax, FlujoCelda(g, celda, paso));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLado) * kLado);
    state.counters["vMax"] = vMax;
}
BENCHMARK(BM_FlujoSuperficial1000)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
