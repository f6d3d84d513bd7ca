// Surface and channel flow method: cell-periods per second on a generated
// 1000 x 1000 DEM of 10 m cells (two valleys on a tilted plane, a little
// relief), routed highest ground first with rain of 1 mm/min and a stable
// step of 0.05 min. One iteration is one period, always the same (the 41st
// of the storm): the inflows cleared, then every cell routed in the order the
// run driver walks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/flujo_superficial.h"
#include "model/orden_local.h"
#include "model/orden_proceso.h"

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

    // Highest ground first, walked as the run does.
    OrdenProceso orden;
    CalcularOrden(g.Cota, orden);
    // grupos:4 and grupos:8 route that many cells that lie apart side by side
    // (AVX, AVX-512), as the run does with the widest the processor has.
    std::vector<uint8_t> lotes;
    const int ancho = static_cast<int>(state.range(0));
    const KernelFlujoLote lote = ancho > 0 ? KernelFlujoLoteAvx<false>(ancho) : nullptr;
    if (ancho > 0 && !lote) {
        state.SkipWithError("sin esos registros vectoriales");
        return;
    }
    OrdenLocal(orden, kLado, kLado, {}, nullptr, lote ? &lotes : nullptr, ancho);

    Parametros par;
    par.Metodo = 1;
    par.ResolucionX = par.ResolucionY = 10;
    par.PasoPp = 0.05f;
    const float lluvia = 0.05f;  // 1 mm/min
    const PasoFlujo paso = PrepararPasoFlujo(par, lluvia);
    float vMax = 0;
    auto periodo = [&] {
        g.QEntrada.Llenar(0);
        CeldaActual celda;
        celda.LluviaPaso = lluvia;
        if (lote) {
            int64_t k = 1;
            for (const uint8_t m : lotes) {
                CeldaActual grupo[kMaxCeldasPorLote];
                for (int l = 0; l < m; ++l, ++k)
                    grupo[l] = CeldaActual{orden.Fila[static_cast<size_t>(k)], orden.Columna[static_cast<size_t>(k)],
                                           lluvia};
                vMax = std::max(vMax, lote(g, grupo, m, paso));
            }
            return;
        }
        for (int64_t k = 1; k <= orden.Tamano(); ++k) {
            celda.I = orden.Fila[static_cast<size_t>(k)];
            celda.J = orden.Columna[static_cast<size_t>(k)];
            vMax = std::max(vMax, FlujoCelda(g, celda, paso));
        }
    };
    // Every iteration routes the same period: the one after 40 steps of rain
    // (2 mm fallen, water running in the valleys).
    for (int p = 0; p < 40; ++p) periodo();
    const GrillasModelo inicio = g;
    for (auto _ : state) {
        state.PauseTiming();
        g = inicio;
        state.ResumeTiming();
        periodo();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLado) * kLado);
    state.counters["vMax"] = vMax;
}
BENCHMARK(BM_FlujoSuperficial1000)->ArgName("grupos")->Arg(0)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
