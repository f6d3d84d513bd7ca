// Reading and writing a 1000 x 1000 raster image.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "raster/imagen.h"

using namespace tarno;

namespace {

std::string RutaTemporal(const char* nombre) {
    return (std::filesystem::temp_directory_path() / nombre).string();
}

Grilla<float> GrillaDePrueba(int n) {
    Grilla<float> g(n, n);
    for (int f = 1; f <= n; ++f)
        for (int c = 1; c <= n; ++c) g(f, c) = 1000.0f + 0.37f * f - 0.11f * c;
    return g;
}

void BM_EscribirImagen1000(benchmark::State& state) {
    Grilla<float> g = GrillaDePrueba(1000);
    CabeceraImagen cab;
    cab.NroFilas = cab.NroColumnas = 1000;
    const std::string ruta = RutaTemporal("bench_esc_dat.rkd");
    for (auto _ : state) benchmark::DoNotOptimize(EscribirImagen(ruta, cab, g).ok);
}
BENCHMARK(BM_EscribirImagen1000)->Unit(benchmark::kMillisecond);

void BM_LeerImagen1000(benchmark::State& state) {
    Grilla<float> g = GrillaDePrueba(1000);
    CabeceraImagen cab;
    cab.NroFilas = cab.NroColumnas = 1000;
    const std::string ruta = RutaTemporal("bench_lee_dat.rkd");
    EscribirImagen(ruta, cab, g);
    ImagenActual img;
    for (auto _ : state) benchmark::DoNotOptimize(LeerIMG(ruta, "", img).ok);
}
BENCHMARK(BM_LeerImagen1000)->Unit(benchmark::kMillisecond);

}  // namespace
