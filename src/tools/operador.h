// Operator: z' = a1 + a2 z^a3 + a4 z^a5 + a6^(a7 z) over a window of an image.
#pragma once

#include <array>

#include "tools/comun.h"

namespace tarno::herramientas {

/// The seven coefficients a1..a7 (index 0 holds a1).
using Coeficientes = std::array<float, 7>;

/// The operator for one value, evaluated in this order:
///   t1 = z^a3 * a2 + a1;  t2 = z^a5 * a4 + t1;  z' = a6^(z * a7) + t2
/// Powers and sums in double precision (0^0 = 1), the exponent z * a7 as a
/// single-precision product, the result rounded to single precision. Returns
/// false when the result has no real value or does not fit in single precision
/// (a negative base with a fractional exponent, 0 to a negative power,
/// overflow); `resultado` is then unspecified.
bool EvaluarOperador(float z, const Coeficientes& a, float& resultado);

/// Cells where the operator had no finite real value.
struct FallasOperador {
    int64_t celdas = 0;
    int32_t fila = 0;     // the first one, in row-by-row order
    int32_t columna = 0;
};

/// Applies the operator to window `v` of `img` into `salida` (sized to the
/// window) and fills `cab` with the window's header, the value range of the
/// results and the subtitle followed by " - Operador". When any cell fails,
/// `fallas` tells how many and where the first one is and the result is an
/// error whose message says so: nothing must be written then.
Resultado AplicarOperador(const ImagenActual& img, const VentanaCeldas& v, const Coeficientes& a,
                          CabeceraImagen& cab, Grilla<float>& salida, FallasOperador& fallas);

}  // namespace tarno::herramientas
