// Fixed costs of a run: reading a 758 x 758 DEM, writing the three result
// rasters of its 574 564 cells, and the processing order of a 4000 x 4000
// DEM with many ties (computed, written to its cache and read back).
//
// The 4000 x 4000 cases run once each (long, and a cache file of 231 Mbytes):
//   tarno_bench --benchmark_filter='Orden.*4000'
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "comandos/cargar_dem.h"
#include "model/orden_proceso.h"
#include "model/resultados.h"
#include "support/plataforma_falsa.h"

using namespace tarno;

namespace {

std::string CarpetaBench(const char* nombre) {
    const auto c = std::filesystem::temp_directory_path() / nombre;
    std::filesystem::create_directories(c);
    return c.string() + "/";
}

// Mountain terrain of whole metres like the SRTM tiles (1500 to 3500 m).
Grilla<float> MdtMontana(int n) {
    Grilla<float> g(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            g(i, j) = std::floor(2500.0f + 600.0f * std::sin(static_cast<float>(i) * 0.011f) *
                                               std::cos(static_cast<float>(j) * 0.007f) +
                                 3.0f * static_cast<float>((i * 7 + j * 13) % 17) - 0.4f * static_cast<float>(i));
    return g;
}

// A DEM written as a raster image of the given size, and a run record naming it.
void EscribirMdt(const std::string& carpeta, const Grilla<float>& cota, Parametros& par) {
    CabeceraImagen cab;
    cab.Titulo = "MDT";
    cab.NroFilas = cota.Filas();
    cab.NroColumnas = cota.Columnas();
    cab.XMaximo = cab.YMaximo = 1000;
    cab.ResolucionX = 71;
    cab.ResolucionY = 93;
    Extremos(cota, cab.DatoMenor, cab.DatoMayor);
    par.DirDEM = carpeta;
    par.ArchivoDEM = "mdt_dat.rkd";
    EscribirImagen(carpeta + par.ArchivoDEM, cab, cota);
}

void BM_LeerMDT758(benchmark::State& state) {
    const std::string carpeta = CarpetaBench("tarno_bench_leer");
    Parametros par;
    EscribirMdt(carpeta, MdtMontana(758), par);
    prueba::PlataformaFalsa plat;
    for (auto _ : state) {
        ImagenActual img;
        Grilla<float> cota;
        benchmark::DoNotOptimize(CargarDEM(par, img, cota, plat));
    }
    state.counters["celdas_por_s"] =
        benchmark::Counter(758.0 * 758.0, benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove_all(carpeta);
}
BENCHMARK(BM_LeerMDT758)->Unit(benchmark::kMillisecond)->UseRealTime();

// The three rasters of a finished run on 758 x 758 cells (depths and
// discharges of every size, rounded as the run rounds them) and the hydrograph.
void BM_EscribirResultados758(benchmark::State& state) {
    const int n = 758;
    const std::string carpeta = CarpetaBench("tarno_bench_resultados");
    Parametros par;
    par.DirDEM = carpeta;
    par.ArchivoDEM = "mdt_dat.rkd";
    par.nPer = 60;
    ImagenActual img;
    img.Titulo = "MDT";
    img.NroFilas = img.NroColumnas = n;
    img.ResolucionX = 71;
    img.ResolucionY = 93;
    GrillasModelo g;
    g.Cota = MdtMontana(n);
    g.Nivel.Redimensionar(n, n);
    g.HMax.Redimensionar(n, n);
    g.QMax.Redimensionar(n, n);
    float qMayor = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const double u = std::fabs(std::sin(i * 0.37 + j * 0.11) * std::cos(j * 0.23));
            const double h = u * u * u * 2.5;
            g.Nivel(i, j) = static_cast<double>(g.Cota(i, j)) + h * 0.7;
            g.HMax(i, j) = static_cast<float>(h);
            g.QMax(i, j) = static_cast<float>(std::pow(u, 6) * 180.0);
            qMayor = std::max(qMayor, g.QMax(i, j));
        }
    for (auto _ : state) {
        EstadoCorrida e;
        e.QPeriodo.assign(static_cast<size_t>(par.nPer) + 1, 1.5f);
        e.QMaxMayor = qMayor;
        e.SubtituloCorrida = "Pp= 60mm";
        e.MetodoTexto = "Cascada";
        benchmark::DoNotOptimize(EscribirResultados(par, img, g, e).ok);
    }
    state.counters["celdas_por_s"] =
        benchmark::Counter(3.0 * n * n, benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove_all(carpeta);
}
BENCHMARK(BM_EscribirResultados758)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// 4000 x 4000 cells of whole metres: broad flat terraces, many ties.
Grilla<float> MdtTerrazas(int n) {
    Grilla<float> g(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            g(i, j) = std::floor(300.0f + 0.01f * static_cast<float>(i + j) +
                                 20.0f * std::sin(static_cast<float>(i) * 0.003f) * std::cos(static_cast<float>(j) * 0.002f));
    return g;
}

void BM_OrdenCalculo4000(benchmark::State& state) {
    const Grilla<float> cota = MdtTerrazas(4000);
    for (auto _ : state) {
        OrdenProceso orden;
        CalcularOrden(cota, orden);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
}
BENCHMARK(BM_OrdenCalculo4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_OrdenCacheEscribir4000(benchmark::State& state) {
    const Grilla<float> cota = MdtTerrazas(4000);
    OrdenProceso orden;
    CalcularOrden(cota, orden);
    const std::string carpeta = CarpetaBench("tarno_bench_orden4000");
    for (auto _ : state) benchmark::DoNotOptimize(EscribirCacheOrden(carpeta, "mdt_dat_Vc_cab.rkd", cota, orden));
}
BENCHMARK(BM_OrdenCacheEscribir4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Reads the cache the case above left.
void BM_OrdenCacheLeer4000(benchmark::State& state) {
    const Grilla<float> cota = MdtTerrazas(4000);
    const std::string carpeta = CarpetaBench("tarno_bench_orden4000");
    if (!std::filesystem::exists(carpeta + "mdt_dat_Vc_cab.rkd")) {
        OrdenProceso orden;
        CalcularOrden(cota, orden);
        EscribirCacheOrden(carpeta, "mdt_dat_Vc_cab.rkd", cota, orden);
    }
    bool leida = false;
    for (auto _ : state) {
        OrdenProceso orden;
        leida = LeerCacheOrden(carpeta, "mdt_dat_Vc_cab.rkd", cota, orden);
        benchmark::DoNotOptimize(orden.Fila.data());
    }
    if (!leida) state.SkipWithError("cache not read");
    std::filesystem::remove_all(carpeta);
}
BENCHMARK(BM_OrdenCacheLeer4000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
