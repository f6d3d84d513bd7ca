// Surface and channel flow method: cell-periods per second on a generated
// 1000 x 1000 DEM of 10 m cells (two valleys on a tilted plane, a little
// relief), routed highest ground first with rain of 1 mm/min and a stable
// step of 0.05 min. One iteration is one period: the inflows cleared, then
// every cell routed in the order the run driver walks.
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
    OrdenLocal(orden, kLado, kLado, {});

    Parametros par;
    par.Metodo = 1;
    par.ResolucionX = par.ResolucionY = 10;
    par.PasoPp = 0.05f;
    const float lluvia = 0.05f;  // 1 mm/min
    const PasoFlujo paso = PrepararPasoFlujo(par, lluvia);
    float vMax = 0;
    for (auto _ : state) {
        g.QEntrada.Llenar(0);
        CeldaActual celda;
        celda.LluviaPaso = lluvia;
        for (int64_t k = 1; k <= orden.Tamano(); ++k) {
            celda.I = orden.Fila[static_cast<size_t>(k)];
            celda.J = orden.Columna[static_cast<size_t>(k)];
            vMax = std::max(vMax, FlujoCelda(g, celda, paso));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLado) * kLado);
    state.counters["vMax"] = vMax;
}
BENCHMARK(BM_FlujoSuperficial1000)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
