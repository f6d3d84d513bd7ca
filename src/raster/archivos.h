// Whole-file reading and safe writing.
//
// Every writer of the system writes a temporary file beside the target and
// renames it over the target, so a failed write never leaves a truncated file
// and never destroys the previous one.
#pragma once

#include <string>
#include <string_view>

#include "raster/resultado.h"

namespace tarno {

/// Reads a whole file as bytes. False when it cannot be opened or read.
bool LeerArchivo(const std::string& ruta, std::string& bytes);

/// Writes `bytes` to `ruta` through a temporary file in the same folder and a
/// rename. On failure the target is untouched and no temporary file remains.
Resultado GuardarArchivo(const std::string& ruta, std::string_view bytes);

/// Copies a file the same safe way.
Resultado CopiarArchivo(const std::string& origen, const std::string& destino);

bool ExisteArchivo(const std::string& ruta);

/// Splits a path at its last folder separator ('/' or '\'): the folder keeps
/// the separator; the name is the rest.
void SepararRuta(const std::string& ruta, std::string& carpeta, std::string& nombre);

/// The platform's folder separator.
char SeparadorCarpeta();

/// True when `s` ends with `sufijo` (case-sensitive).
bool TerminaEn(std::string_view s, std::string_view sufijo);

}  // namespace tarno
