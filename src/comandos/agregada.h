// "Crear RASK Agregada (vectorial)": an aggregated copy of the current image,
// base + "_Ag", with an empty area list, ready for the area painting editor.
#pragma once

#include <string>

#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno {

inline constexpr const char* kAvisoSinImagen = "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...";
inline constexpr const char* kTituloSinImagen = "Guardar Imagen TARNO-SIG con otro nombre...";
inline constexpr const char* kErrorArchivoDesconocido = "Error de archivo desconocido";

/// Copies the current image's header and data to base + "_Ag_cab.rkd" /
/// "_Ag_dat.rkd", reads the copy into `img`, appends "AGREGADO" to its
/// subtitle and writes the empty list base + "_Ag_agr.rkd". Returns the new
/// data file name, or an empty text when nothing was created; every failure
/// is shown and the program goes on.
std::string CrearImagenAgregada(ImagenActual& img, Plataforma& plataforma);

}  // namespace tarno
