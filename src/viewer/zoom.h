// Cell sizes of the viewer: the fixed zoom table, the size that fits the
// screen, one step smaller or larger and the minimum picture size.
#pragma once

#include <cstdint>

#include "viewer/estado_visor.h"

namespace tarno::visor {

inline constexpr int kTwipsPorPixel = 15;
inline constexpr int kTamMaximo = 1000;

/// Index 1..13 of `tam` in the table, 0 when it is not there.
int IndiceZoom(const TablaZoomT& tabla, int tam);

/// Snaps a size down to the table (sizes of 1000 and more become 1000).
int16_t AjustarATabla(const TablaZoomT& tabla, double tam);

/// Size that fits `columnas` x `filas` cells on a screen of the given size in
/// pixels: the nearest integer of width / columns, or of height / rows when
/// that quotient is smaller, snapped down to the table and at most 1000.
int16_t ZoomAjustado(const TablaZoomT& tabla, double anchoPixeles, double altoPixeles, int32_t columnas,
                     int32_t filas);

/// Minimum picture size on redraw: from `tam`, while the picture would be
/// narrower or lower than 100 pixels, take the next table entry from entry 1.
int16_t ZoomMinimo(const TablaZoomT& tabla, int tam, int32_t columnas, int32_t filas);

/// One step smaller ("Zoom -"): 1 stays 1; a size not in the table becomes 1000.
int16_t ZoomMenos(const TablaZoomT& tabla, int tam);
/// One step larger ("Zoom +"): 1000 stays 1000; a size not in the table becomes 1000.
int16_t ZoomMas(const TablaZoomT& tabla, int tam);

}  // namespace tarno::visor
