// The nine colour palettes of the viewer: 256 levels each, rebuilt before
// every drawing so that the palette, inversion and custom classes chosen
// since the last drawing take effect.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/parametros.h"
#include "viewer/estado_visor.h"

namespace tarno::visor {

/// A colour as R + 256*G + 65536*B, each channel 0..255.
using Color = uint32_t;

constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr int Rojo(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int Verde(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Azul(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

/// Palettes 1..9 (index 0 unused), levels 0..255. Unassigned entries are black.
struct TablaPaletas {
    std::array<std::array<Color, 256>, 10> p{};
    Color operator()(int nivel, int paleta) const { return p[static_cast<size_t>(paleta)][static_cast<size_t>(nivel)]; }
    Color& operator()(int nivel, int paleta) { return p[static_cast<size_t>(paleta)][static_cast<size_t>(nivel)]; }
};

/// Fills the nine palettes. `azar` is the running state of the generator of
/// palette 7, advanced by the call. A custom class table that would need more
/// than 256 levels is cut at level 255 (the extra levels are dropped).
void CargarPaletas(const Parametros& par, bool invertir, uint64_t& azar, TablaPaletas& paleta);

/// Next number of the palette-7 generator, in [0, 1).
double Aleatorio(uint64_t& azar);

}  // namespace tarno::visor
