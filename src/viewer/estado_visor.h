// State of the image viewer shared by the main window's palette and zoom
// commands, the viewer window and the tools that show their results.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarno::visor {

/// Cell sizes offered by the zoom commands; entry 0 is never used.
using TablaZoomT = std::array<int16_t, 14>;
inline constexpr TablaZoomT kTablaZoomInicial{0, 1, 2, 4, 5, 10, 20, 40, 50, 100, 200, 400, 500, 1000};

/// Fixed seed of the "Colorines" palette generator: the sequence of random
/// colours is the same at every program start.
inline constexpr uint64_t kSemillaColorines = 0x5DEECE66DULL;

struct EstadoVisor {
    int16_t TamPixel = 10;                 // screen pixels per cell side, 1..1000
    TablaZoomT TablaZoom = kTablaZoomInicial;
    int16_t NroPaleta = 1;                 // 1..9
    bool InvertirPaleta = false;
    bool ForzarMinimo = false;

    // Selection corners in view cells (relative to the picture, 1-based).
    int32_t SelCol1 = 0, SelFila1 = 0;
    int32_t SelCol2 = 0, SelFila2 = 0;
    bool VerSeleccion = false;             // only the selected rectangle is shown
    int32_t DespCol = 0, DespFila = 0;     // image cell = view cell + offset
    int32_t SelAncho = 0, SelAlto = 0;     // cells of the rectangle shown (with VerSeleccion)

    // Last profile: image columns and rows of its cells, in order.
    int16_t NroPuntosPerfil = 0;
    std::vector<int32_t> PerfilColumnas;
    std::vector<int32_t> PerfilFilas;

    // Running state of the "Colorines" generator: continues from drawing to drawing.
    uint64_t AzarColorines = kSemillaColorines;
};

/// Clears the selection corners, the selected-rectangle flag and the offsets.
inline void LimpiarSeleccion(EstadoVisor& ev) {
    ev.SelCol1 = ev.SelFila1 = ev.SelCol2 = ev.SelFila2 = 0;
    ev.VerSeleccion = false;
    ev.DespCol = ev.DespFila = 0;
    ev.SelAncho = ev.SelAlto = 0;
}

}  // namespace tarno::visor
