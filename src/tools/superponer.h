// Overlay: two images of the same size combined cell by cell.
#pragma once

#include "tools/comun.h"

namespace tarno::herramientas {

/// The eight operations, numbered like their option buttons (A = image 1,
/// B = image 2, E = the exception value).
enum class Operacion {
    Superponer = 1,  // B when B != E, else A
    Indice,          // (A - B) / (A + B)
    Suma,            // A + B
    Resta,           // A - B
    Producto,        // A * B
    Cociente,        // A / B
    Mayor,           // B when B > A, else A
    Menor,           // A when B >= A, else B
};

/// One cell, in single precision. A division by zero or a result that does
/// not fit in single precision gives 0 and sets `anulada`.
float Combinar(Operacion op, float a, float b, float e, bool& anulada);

/// Combines `imagen1` with the cells of `img2` into `salida` and fills `cab`
/// with the header of `img2`, the value range of the results and the subtitle
/// followed by " - Superponer / Operador dos imagenes". `anuladas` counts the
/// cells set to 0 by a division by zero or an overflow. The two grids must
/// hold the size of `img2`'s header.
Resultado Superponer(const Grilla<float>& imagen1, const ImagenActual& img2, Operacion op, float e,
                     CabeceraImagen& cab, Grilla<float>& salida, int64_t& anuladas);

}  // namespace tarno::herramientas
