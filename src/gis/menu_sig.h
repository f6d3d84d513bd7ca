// The main window's GIS commands, over the platform interface:
// "Importar raster SIG (GeoTIFF, ASC, ...)..." and "Exportar imagen a GeoTIFF...".
#pragma once

#include <string>

#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno::gis {

inline constexpr const char* kTituloImportarSig = "Importar raster SIG (GeoTIFF, ASC, ...)";
inline constexpr const char* kTituloExportarSig = "Exportar imagen a GeoTIFF";

/// Asks for a raster, its band, whether a geographic grid is reprojected to
/// UTM, and the short name of the new image (written beside the raster).
/// Returns the new image's data file, or "" when nothing was written
/// (cancelled, or a failure already shown).
std::string mnuImportarSIG_Click(Plataforma& plataforma);

/// Asks for the GeoTIFF file to write and exports the current image's file.
/// True when it was written.
bool mnuExportarSIG_Click(const ImagenActual& img, Plataforma& plataforma);

}  // namespace tarno::gis
