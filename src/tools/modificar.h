// Modify values: force a new value into the cells of a window or into the
// cells whose value lies in a closed range.
#pragma once

#include "tools/comun.h"

namespace tarno::herramientas {

/// Sets every cell of window `v` to `nuevo`. A window whose end precedes its
/// start changes nothing; a window outside the image is an error. Returns the
/// number of cells changed in `cambiadas`.
Resultado ModificarPorPosicion(ImagenActual& img, const VentanaCeldas& v, float nuevo,
                               int64_t& cambiadas);

/// Sets every cell with desde <= value <= hasta to `nuevo`.
int64_t ModificarPorValor(ImagenActual& img, float desde, float hasta, float nuevo);

/// Header of the modified image: the image's own, with the value range of its
/// cells and the subtitle followed directly by "Modificado".
CabeceraImagen CabeceraModificada(const ImagenActual& img);

}  // namespace tarno::herramientas
