// Crop: the cells of a window of rows and columns as a new image.
#pragma once

#include "tools/comun.h"

namespace tarno::herramientas {

/// Copies window `v` of `img` into `salida` (sized to the window) and fills
/// `cab` with the window's header: size and coordinates of the window, value
/// range of the cells copied, the subtitle followed by " - Recortado".
Resultado Recortar(const ImagenActual& img, const VentanaCeldas& v, CabeceraImagen& cab,
                   Grilla<float>& salida);

}  // namespace tarno::herramientas
