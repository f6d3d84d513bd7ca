// Rasters written and read back through GDAL for the GIS tests.
#pragma once

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <optional>
#include <string>
#include <vector>

namespace tarno::prueba {

struct RasterGdal {
    int filas = 0;
    int columnas = 0;
    double gt[6] = {0, 1, 0, 0, 0, -1};
    std::string srs;             // "EPSG:25830", WKT, or empty for none
    std::vector<float> valores;  // row by row, top row first (every band the same)
    std::optional<double> noData;
    GDALDataType tipo = GDT_Float32;
    int bandas = 1;
    std::vector<std::string> opciones;  // creation options
    std::string compresion;             // when read back: IMAGE_STRUCTURE COMPRESSION
    int bloqueX = 0;

    float& operator()(int f, int c) { return valores[static_cast<size_t>((f - 1) * columnas + (c - 1))]; }
    float operator()(int f, int c) const { return valores[static_cast<size_t>((f - 1) * columnas + (c - 1))]; }
};

inline OGRSpatialReference Sistema(const std::string& texto) {
    OGRSpatialReference s;
    if (!texto.empty()) s.SetFromUserInput(texto.c_str());
    s.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return s;
}

inline void EscribirRasterGdal(const std::string& ruta, const RasterGdal& r) {
    GDALAllRegister();
    GDALDriver* d = GetGDALDriverManager()->GetDriverByName("GTiff");
    std::vector<const char*> op;
    for (const auto& o : r.opciones) op.push_back(o.c_str());
    op.push_back(nullptr);
    GDALDataset* ds = d->Create(ruta.c_str(), r.columnas, r.filas, r.bandas, r.tipo, const_cast<char**>(op.data()));
    double gt[6];
    std::copy(r.gt, r.gt + 6, gt);
    ds->SetGeoTransform(gt);
    if (!r.srs.empty()) {
        OGRSpatialReference s = Sistema(r.srs);
        ds->SetSpatialRef(&s);
    }
    for (int b = 1; b <= r.bandas; ++b) {
        GDALRasterBand* banda = ds->GetRasterBand(b);
        if (r.noData) banda->SetNoDataValue(*r.noData);
        if (banda->RasterIO(GF_Write, 0, 0, r.columnas, r.filas, const_cast<float*>(r.valores.data()), r.columnas,
                            r.filas, GDT_Float32, 0, 0, nullptr) != CE_None)
            banda->SetDescription("sin datos");
    }
    GDALClose(ds);
}

/// Band 1 of a raster; `srs` receives its coordinate system. Empty on failure.
inline std::optional<RasterGdal> LeerRasterGdal(const std::string& ruta, OGRSpatialReference& srs) {
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(ruta.c_str(), GDAL_OF_RASTER));
    if (!ds) return std::nullopt;
    RasterGdal r;
    r.filas = ds->GetRasterYSize();
    r.columnas = ds->GetRasterXSize();
    r.bandas = ds->GetRasterCount();
    ds->GetGeoTransform(r.gt);
    srs.Clear();
    if (const OGRSpatialReference* s = ds->GetSpatialRef()) srs = *s;
    GDALRasterBand* b = ds->GetRasterBand(1);
    int hay = 0;
    const double nd = b->GetNoDataValue(&hay);
    if (hay) r.noData = nd;
    r.valores.resize(static_cast<size_t>(r.filas) * static_cast<size_t>(r.columnas));
    if (b->RasterIO(GF_Read, 0, 0, r.columnas, r.filas, r.valores.data(), r.columnas, r.filas, GDT_Float32, 0, 0,
                    nullptr) != CE_None)
        return std::nullopt;
    if (const char* c = ds->GetMetadataItem("COMPRESSION", "IMAGE_STRUCTURE")) r.compresion = c;
    int by = 0;
    b->GetBlockSize(&r.bloqueX, &by);
    return r;
}

}  // namespace tarno::prueba
