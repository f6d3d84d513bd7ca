// Processing order and cascade run on generated 1000 x 1000 DEMs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "model/cascada.h"
#include "model/correr_modelo.h"
#include "model/orden_local.h"
#include "model/orden_proceso.h"
#include "support/plataforma_falsa.h"

using namespace tarno;

namespace {

// Rolling terrain with integer elevations (many ties), all inside the basin.
Grilla<float> MdtEntero(int n) {
    Grilla<float> g(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            g(i, j) = std::floor(200.0f + 0.05f * static_cast<float>(i + j) +
                                 8.0f * std::sin(static_cast<float>(i) * 0.02f) * std::cos(static_cast<float>(j) * 0.03f));
    return g;
}

// Tilted V-shaped valley with decimal elevations.
Grilla<float> MdtValle(int n) {
    Grilla<float> g(n, n);
    const float medio = static_cast<float>(n + 1) / 2.0f;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            g(i, j) = 100.0f + static_cast<float>(n - i) * 0.05f + std::fabs(static_cast<float>(j) - medio) * 0.2f;
    return g;
}

void BM_OrdenEnteros1000(benchmark::State& state) {
    Grilla<float> cota = MdtEntero(1000);
    OrdenProceso orden;
    for (auto _ : state) {
        CalcularOrden(cota, orden);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
    state.counters["celdas"] = 1e6;
}
BENCHMARK(BM_OrdenEnteros1000)->Unit(benchmark::kMillisecond);

void BM_OrdenValle1000(benchmark::State& state) {
    Grilla<float> cota = MdtValle(1000);
    OrdenProceso orden;
    for (auto _ : state) {
        CalcularOrden(cota, orden);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
}
BENCHMARK(BM_OrdenValle1000)->Unit(benchmark::kMillisecond);

// Worst case for ties: one flat plain of 10^6 cells with a few pits.
void BM_OrdenPlano1000(benchmark::State& state) {
    Grilla<float> cota(1000, 1000, 50.0f);
    for (int i = 1; i <= 1000; i += 97) cota(i, (i * 7) % 1000 + 1) = 49.0f;
    OrdenProceso orden;
    for (auto _ : state) {
        CalcularOrden(cota, orden);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
}
BENCHMARK(BM_OrdenPlano1000)->Unit(benchmark::kMillisecond);

// The order rearranged for the memory, whole and in rounds of two halves.
void BM_OrdenLocalValle1000(benchmark::State& state) {
    Grilla<float> cota = MdtValle(1000);
    OrdenProceso calculado;
    CalcularOrden(cota, calculado);
    const CorteMitades corte{true, 500};
    for (auto _ : state) {
        state.PauseTiming();
        OrdenProceso orden = calculado;
        state.ResumeTiming();
        OrdenLocal(orden, 1000, 1000, {}, state.range(0) ? &corte : nullptr);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
}
BENCHMARK(BM_OrdenLocalValle1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole driver: periods of the cascade method on a 1000 x 1000 valley,
// order cached beforehand, result files written once at the end.
void BM_CorridaCascada1000(benchmark::State& state) {
    const int n = 1000;
    const int periodos = static_cast<int>(state.range(0));
    const std::string carpeta = (std::filesystem::temp_directory_path() / "tarno_bench_cascada").string() + "/";
    std::filesystem::create_directories(carpeta);
    Parametros par;
    par.DirDEM = carpeta;
    par.ArchivoDEM = "valle_dat.rkd";
    par.ResolucionX = par.ResolucionY = 10;
    par.nPer = periodos;
    par.KRecesion = 10;
    par.fHidro1 = par.fHidro2 = n - 10;
    par.cHidro1 = n / 2 - 5;
    par.cHidro2 = n / 2 + 5;
    ImagenActual img;
    img.Titulo = "Valle";
    img.NroFilas = img.NroColumnas = n;
    img.ResolucionX = img.ResolucionY = 10;
    GrillasModelo g;
    g.Cota = MdtValle(n);
    Pluviograma pv;
    prueba::PlataformaFalsa plat;
    ObservadorCorrida obs;
    EstadoCorrida e;
    EntornoCorrida en{par, img, g, pv, plat, obs, carpeta};
    for (auto _ : state) {
        benchmark::DoNotOptimize(CorrerModelo(en, e));
    }
    state.counters["celdas_periodo_por_s"] = benchmark::Counter(
        static_cast<double>(n) * n * periodos, benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove_all(carpeta);
}
BENCHMARK(BM_CorridaCascada1000)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(2);

// The 1000 x 1000 valley with 1 cm of water on every cell and its order as
// the run walks it, for the cascade pass alone.
struct PasoValle {
    static constexpr int n = 1000;
    Parametros par;
    GrillasModelo g;
    OrdenProceso orden;

    PasoValle() {
        par.ResolucionX = par.ResolucionY = 10;
        par.KRecesion = 10;
        g.Cota = MdtValle(n);
        g.Nivel.Redimensionar(n, n);
        for (auto* gr : {&g.AporteCascada, &g.QEntrada, &g.QSalida, &g.HMax, &g.QMax}) gr->Redimensionar(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) g.Nivel(i, j) = g.Cota(i, j) + 0.01;
        CalcularOrden(g.Cota, orden);
        OrdenLocal(orden, n, n, {});
    }
    static void Contar(benchmark::State& state) {
        state.counters["celdas_por_s"] =
            benchmark::Counter(static_cast<double>(n) * n, benchmark::Counter::kIsIterationInvariantRate);
    }
};

// The period loop alone: one cascade pass over every cell in the order the
// run walks, in the grids.
void BM_PasoCascada1000(benchmark::State& state) {
    PasoValle v;
    RuteoCascada ruteo(v.g, v.par);
    for (auto _ : state) {
        for (int64_t k = 1; k <= v.orden.Tamano(); ++k)
            ruteo.Rutear(v.orden.Fila[static_cast<size_t>(k)], v.orden.Columna[static_cast<size_t>(k)], 0);
        for (int i = 1; i <= v.n; ++i)
            for (int j = 1; j <= v.n; ++j) v.g.Nivel(i, j) += 0.001;
    }
    PasoValle::Contar(state);
}
BENCHMARK(BM_PasoCascada1000)->Unit(benchmark::kMillisecond);

// The same pass with the grids laid out in the order (what a run of three
// periods or more uses), one thread; the rain pass adds the same 1 mm.
void BM_PasoCascadaEnOrden1000(benchmark::State& state) {
    PasoValle v;
    CascadaEnOrden ruteo(v.par);
    std::vector<size_t> ninguno;
    if (!ruteo.Preparar(v.g, v.orden, RepartoDos{}, ninguno)) {
        state.SkipWithError("sin memoria");
        return;
    }
    const CascadaEnOrden::Vista vista = ruteo.Ver();
    for (auto _ : state) {
        for (int64_t p = 1; p <= v.orden.Tamano(); ++p) vista.Rutear(p);
        for (int64_t p = 1; p <= v.orden.Tamano(); ++p) ruteo.Llover(p, 1.0f);
    }
    PasoValle::Contar(state);
}
BENCHMARK(BM_PasoCascadaEnOrden1000)->Unit(benchmark::kMillisecond);

}  // namespace
