// Import of ESRI ASCII grids (six header keys, then rows top to bottom), the
// form in which hydrologists' DEMs usually come.
#pragma once

#include <optional>
#include <string>

#include "raster/grilla.h"
#include "raster/imagen.h"
#include "raster/resultado.h"

namespace tarno {

struct OpcionesAsc {
    std::optional<double> resX;  // cell width override (metres), for geographic grids
    std::optional<double> resY;  // cell height override
    std::optional<std::string> titulo;
};

/// Reads an ESRI ASCII grid into a header and a grid. NODATA cells become 0
/// (outside the basin). Values beyond the 32-bit range are refused.
Resultado LeerAsc(const std::string& rutaAsc, const OpcionesAsc& opciones, CabeceraImagen& cab,
                  Grilla<float>& valores);

/// Converts an ESRI ASCII grid into the raster image `nombreDat`.
Resultado ImportarAsc(const std::string& rutaAsc, const std::string& nombreDat, const OpcionesAsc& opciones);

}  // namespace tarno
