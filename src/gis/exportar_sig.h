// Export of a raster image through GDAL (GeoTIFF by default, tiled and
// compressed; any GDAL writer by name) with its georeference and coordinate
// system, and NoData on the cells outside the basin.
//
// Georeference: row 1 is the top of the image; the header's X mínimo /
// X Máximo / Y mínimo / Y Máximo are the grid's edges in its own units.
//
// The DEM an image came from (for its coordinate system and its basin), by
// name, beside the image:
//   * a run's results base_HF, base_HM, base_QM, base_QD and the depurated
//     base_QDD come from base_dat.rkd;
//   * a tool's output of such a result named as the tool proposes (crop R,
//     modify M, operator O, overlay S, classify _C, aggregated _Ag, one or
//     more after the result's ending: base_HMR, base_QM_C) comes from the
//     same DEM;
//   * any other image is a DEM itself.
// The coordinate system is the image's own base + ".prj", or else its DEM's.
// Cells whose elevation in the DEM is <= 0 (outside the basin) are NoData;
// a DEM of another size, or one not found, marks none and says so.
#pragma once

#include <string>

#include "base/resultado.h"

namespace tarno::gis {

struct OpcionesExportarSig {
    std::string formato = "GTiff";  // GDAL writer's short name
    std::string mdt;                // the DEM to take instead of the one found by name
    bool sinNoData = false;         // write every cell as it is
};

/// What an export found on its way: the DEM and .prj it used (empty when
/// none) and notices for the user (empty when there is nothing to say).
struct InformeExportacion {
    std::string mdt;
    std::string prj;
    float noData = 0;
    bool conNoData = false;
    std::string aviso;
};

/// The DEM of the image `nombreDat` by the naming rule above (the image
/// itself when it is not a result). `derivada` tells whether it is a result.
std::string MdtDeOrigen(const std::string& nombreDat, bool& derivada);

/// Writes the image `nombreDat` to `destino`. Nothing is left at `destino`
/// (nor beside it) when it fails; an existing file is replaced only on success.
Resultado ExportarImagenSig(const std::string& nombreDat, const std::string& destino,
                            const OpcionesExportarSig& op, InformeExportacion* informe = nullptr);

}  // namespace tarno::gis
