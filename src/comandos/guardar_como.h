// "G&uardar Imagen como...": copies the current image's data and header files
// to a new short name in the same folder.
#pragma once

#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno {

/// Runs the save-as dialog flow for `img` with its messages. Returns true when
/// the two files were copied. File errors are shown and the program goes on.
bool mnuFileSaveAs_Click(const ImagenActual& img, Plataforma& plataforma);

/// True when `nombre` holds only ASCII letters and digits (and is not empty).
bool NombreCortoValido(const std::string& nombre);

}  // namespace tarno
