// What the GIS readers and writers share: GDAL started once, its messages
// kept quiet while we work and added to our own, and the coordinate system
// written and read as the .prj text beside an image.
#pragma once

#include <ogr_spatialref.h>

#include <string>

namespace tarno::gis {

/// Registers GDAL's drivers (once per process).
void IniciarGdal();

/// While alive, GDAL's messages are not printed; the last one is kept.
class SilencioGdal {
public:
    SilencioGdal();
    ~SilencioGdal();
    SilencioGdal(const SilencioGdal&) = delete;
    SilencioGdal& operator=(const SilencioGdal&) = delete;
};

/// GDAL's last error message as a suffix (" (message)"), or "" when none.
std::string DetalleGdal();

/// The WKT text of a .prj file: the GIS (ESRI) form when the coordinate
/// system has one, standard WKT otherwise. Empty when it cannot be written.
std::string TextoPrj(const OGRSpatialReference& srs);

/// Reads a coordinate system from .prj text. The reference system code
/// (EPSG) is looked up when the text does not carry one, so writers can name
/// it. False when the text is not a coordinate system.
bool LeerTextoPrj(const std::string& texto, OGRSpatialReference& srs);

}  // namespace tarno::gis
