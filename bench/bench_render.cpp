// Drawing a 1000 x 1000 image into a QImage at 1 and 10 pixels per cell.
#include <benchmark/benchmark.h>

#include "support/imagen_prueba.h"
#include "viewer/paletas.h"
#include "viewer/render.h"

using namespace tarno;

namespace {

void Dibujar(benchmark::State& state, bool nueva) {
    ImagenActual img = prueba::ImagenDe(1000, 1000, [](int f, int c) { return 1000.0f + 0.37f * f - 0.11f * c; });
    visor::EstadoVisor ev;
    ev.TamPixel = static_cast<int16_t>(state.range(0));
    ev.NroPaleta = 6;
    visor::TablaPaletas paletas;
    QImage destino;
    for (auto _ : state) {
        // The palettes are rebuilt before every drawing, as the viewer does.
        visor::CargarPaletas(Parametros{}, false, ev.AzarColorines, paletas);
        if (nueva) destino = QImage();  // a first drawing allocates its picture
        benchmark::DoNotOptimize(visor::Renderizar(img, ev, paletas, destino).ok);
        benchmark::DoNotOptimize(destino.constBits());
    }
}
BENCHMARK_CAPTURE(Dibujar, redibujo, false)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Dibujar, primer_dibujo, true)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
