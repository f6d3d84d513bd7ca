#include "gis/gdal_comun.h"

#include <cpl_error.h>
#include <gdal.h>

#include <cstdlib>
#include <mutex>

namespace tarno::gis {

void IniciarGdal() {
    static std::once_flag una;
    std::call_once(una, [] { GDALAllRegister(); });
}

SilencioGdal::SilencioGdal() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

SilencioGdal::~SilencioGdal() { CPLPopErrorHandler(); }

std::string DetalleGdal() {
    const char* m = CPLGetLastErrorMsg();
    if (!m || !*m) return {};
    return std::string(" (") + m + ")";
}

std::string TextoPrj(const OGRSpatialReference& srs) {
    for (const char* formato : {"FORMAT=WKT1_ESRI", "FORMAT=WKT1", "FORMAT=WKT2_2018"}) {
        const char* opciones[] = {formato, nullptr};
        char* wkt = nullptr;
        const OGRErr e = srs.exportToWkt(&wkt, opciones);
        std::string texto = wkt ? wkt : "";
        CPLFree(wkt);
        if (e == OGRERR_NONE && !texto.empty()) return texto;
    }
    return {};
}

bool LeerTextoPrj(const std::string& texto, OGRSpatialReference& srs) {
    srs.Clear();
    if (srs.SetFromUserInput(texto.c_str()) != OGRERR_NONE || srs.IsEmpty()) return false;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (srs.GetAuthorityCode(nullptr) != nullptr) return true;
    // The ESRI form names no code: take the one registered system that matches.
    int n = 0;
    int* confianza = nullptr;
    OGRSpatialReferenceH* iguales = srs.FindMatches(nullptr, &n, &confianza);
    if (iguales && n > 0 && confianza[0] >= 90) {
        auto* mejor = OGRSpatialReference::FromHandle(iguales[0]);
        if (const char* codigo = mejor->GetAuthorityCode(nullptr)) {
            OGRSpatialReference registrado;
            if (mejor->GetAuthorityName(nullptr) && std::string(mejor->GetAuthorityName(nullptr)) == "EPSG" &&
                registrado.importFromEPSG(std::atoi(codigo)) == OGRERR_NONE) {
                registrado.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
                srs = registrado;
            }
        }
    }
    OSRFreeSRSArray(iguales);
    CPLFree(confianza);
    return true;
}

}  // namespace tarno::gis
