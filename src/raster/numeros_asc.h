// The numbers of an ESRI ASCII grid checked token by token. A GIS reader may
// take a token that is not a number as 0 and may not notice a file one value
// short; such a file is refused before it is read, naming the first bad cell.
#pragma once

#include <string>

#include "base/resultado.h"

namespace tarno {

/// Checks that the file `ruta` holds, after its header lines (lines that start
/// with a letter), at least `filas` x `columnas` finite numbers. The message
/// names the first token that is not one, with its row and column.
Resultado ValidarNumerosAsc(const std::string& ruta, int filas, int columnas);

}  // namespace tarno
