// Import of any raster GDAL reads (GeoTIFF, ESRI ASCII, ...) into a raster
// image, with its coordinate system kept beside it as base + ".prj".
//
// The header gets the grid's extent in the grid's own units and the cell
// size in metres. NoData cells (and cells GDAL masks out) become 0, outside
// the basin. A grid in geographic coordinates is reprojected to the UTM zone
// of its centre (square cells, bilinear interpolation) unless it is kept as
// it is, in which case its cell size in metres is the one at its centre
// latitude. Rotated or south-up grids are resampled north-up.
#pragma once

#include <optional>
#include <string>

#include "base/grilla.h"
#include "raster/imagen.h"
#include "base/resultado.h"

namespace tarno::gis {

struct OpcionesImportarSig {
    int banda = 1;                      // band read, 1-based
    std::optional<std::string> titulo;  // header title; the file name otherwise
    bool mantenerGeograficas = false;   // keep a geographic grid in degrees
    /// The ESRI ASCII import's form: the grid is kept as it is (never
    /// reprojected) and the cell size is the grid's own unless given below.
    bool comoAsc = false;
    std::optional<double> resX;  // cell width override (metres)
    std::optional<double> resY;  // cell height override (metres)
};

/// What the GUI asks about a raster before importing it.
struct DescripcionRaster {
    int32_t filas = 0;
    int32_t columnas = 0;
    int bandas = 0;
    bool geograficas = false;  // coordinates in degrees
    int zonaUtm = 0;           // UTM zone of the centre when geographic
    bool norte = true;         // northern hemisphere
};

/// Opens `ruta` and describes it. Fails with a message when it is not a
/// raster GDAL reads.
Resultado DescribirRaster(const std::string& ruta, DescripcionRaster& d);

/// Reads band `op.banda` of the raster `ruta` into a header and a grid;
/// `wkt` receives the .prj text of its coordinate system (empty when it has
/// none). `aviso`, when given, receives a notice for the user (empty when
/// there is nothing to say): a grid without coordinate system whose
/// coordinates look like degrees keeps its cell size in those units.
Resultado LeerRasterSig(const std::string& ruta, const OpcionesImportarSig& op, CabeceraImagen& cab,
                        Grilla<float>& valores, std::string& wkt, std::string* aviso = nullptr);

/// Converts the raster `ruta` into the image `nombreDat` (which must end in
/// "_dat.rkd"): data, header and, when the raster has a coordinate system,
/// base + ".prj". On any failure nothing is left written.
Resultado ImportarRasterSig(const std::string& ruta, const std::string& nombreDat,
                            const OpcionesImportarSig& op, std::string* aviso = nullptr);

/// The ESRI ASCII import through GDAL: same options and same image as the
/// hand-written reader (NODATA cells become 0).
Resultado ImportarAscSig(const std::string& rutaAsc, const std::string& nombreDat,
                         const std::optional<double>& resX, const std::optional<double>& resY,
                         const std::optional<std::string>& titulo);

}  // namespace tarno::gis
