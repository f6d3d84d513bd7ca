#include "gis/importar_sig.h"

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <gdal_utils.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

#include "gis/gdal_comun.h"
#include "raster/archivos.h"
#include "raster/numeros_asc.h"
#include "raster/numeros.h"
#include "raster/prj.h"

namespace tarno::gis {

namespace {

constexpr double kPi = 3.14159265358979323846;

bool EsAsc(GDALDataset& ds) { return ds.GetDriver() && EQUAL(ds.GetDriver()->GetDescription(), "AAIGrid"); }

// Opens a raster read-only. ESRI ASCII grids are read as 64-bit values, so
// each number is taken exactly as written and only then made 32-bit.
GDALDatasetUniquePtr Abrir(const std::string& ruta) {
    const unsigned modo = GDAL_OF_RASTER | GDAL_OF_READONLY;
    GDALDatasetUniquePtr ds(GDALDataset::Open(ruta.c_str(), modo));
    if (ds && EsAsc(*ds)) {
        const char* const drivers[] = {"AAIGrid", nullptr};
        const char* const opciones[] = {"DATATYPE=Float64", nullptr};
        ds.reset(GDALDataset::Open(ruta.c_str(), modo, drivers, opciones));
    }
    return ds;
}

Resultado FallaApertura(const std::string& ruta) {
    if (!ExisteArchivo(ruta) && ruta.rfind("/vsi", 0) != 0)
        return Resultado::Falla("No se pudo abrir el archivo " + ruta + ": no existe.");
    return Resultado::Falla("El archivo " + ruta + " no es un raster que se pueda leer" + DetalleGdal() + ".");
}

bool EsGeografico(const OGRSpatialReference* srs) { return srs && !srs->IsEmpty() && srs->IsGeographic(); }

// A geotransform that puts row 1 at the top and column 1 at the left, with
// no rotation.
bool NorteArriba(const double gt[6]) { return gt[1] > 0 && gt[5] < 0 && gt[2] == 0 && gt[4] == 0; }

// The georeference of a raster; a raster without one gets cells of one unit
// with its top-left corner at (0, rows).
void Georreferencia(GDALDataset& ds, double gt[6]) {
    if (ds.GetGeoTransform(gt) != CE_None) {
        gt[0] = 0;
        gt[1] = 1;
        gt[2] = 0;
        gt[3] = ds.GetRasterYSize();
        gt[4] = 0;
        gt[5] = -1;
    }
}

// Centre of the grid in degrees east of Greenwich and north.
void CentroGrados(const OGRSpatialReference& srs, const double gt[6], int filas, int columnas, double& lon,
                  double& lat) {
    const double aGrados = srs.GetAngularUnits() * 180.0 / kPi;
    lon = (gt[0] + gt[1] * columnas / 2.0 + gt[2] * filas / 2.0) * aGrados + srs.GetPrimeMeridian();
    lat = (gt[3] + gt[4] * columnas / 2.0 + gt[5] * filas / 2.0) * aGrados;
}

// Metres per angular unit along the parallel and along the meridian at
// latitude `lat` (degrees), on the ellipsoid of `srs`.
void MetrosPorUnidad(const OGRSpatialReference& srs, double lat, double& mx, double& my) {
    const double a = srs.GetSemiMajor();
    const double invf = srs.GetInvFlattening();
    const double f = invf > 0 ? 1.0 / invf : 0.0;
    const double e2 = f * (2.0 - f);
    const double phi = lat * kPi / 180.0;
    const double w = 1.0 - e2 * std::sin(phi) * std::sin(phi);
    const double n = a / std::sqrt(w);
    const double m = a * (1.0 - e2) / (w * std::sqrt(w));
    const double radianes = srs.GetAngularUnits();
    mx = n * std::cos(phi) * radianes;
    my = m * radianes;
}

int ZonaUtm(double lon) {
    double l = std::fmod(lon + 180.0, 360.0);
    if (l < 0) l += 360.0;
    return static_cast<int>(l / 6.0) % 60 + 1;
}

// The UTM system of zone `zona` on the datum of the geographic system `geo`,
// by its registered code when it has one.
bool SistemaUtm(const OGRSpatialReference& geo, int zona, bool norte, OGRSpatialReference& utm) {
    OGRSpatialReference base(geo);
    base.StripVertical();
    utm.Clear();
    if (utm.CopyGeogCSFrom(&base) != OGRERR_NONE || utm.SetUTM(zona, norte) != OGRERR_NONE) return false;
    if (utm.AutoIdentifyEPSG() == OGRERR_NONE) {
        const char* autoridad = utm.GetAuthorityName(nullptr);
        const char* codigo = utm.GetAuthorityCode(nullptr);
        OGRSpatialReference registrado;
        if (autoridad && codigo && EQUAL(autoridad, "EPSG") &&
            registrado.importFromEPSG(std::atoi(codigo)) == OGRERR_NONE)
            utm = registrado;
    }
    utm.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return true;
}

// Resamples band `banda` north-up into memory, reprojected to `destino` when
// given (bilinear; cells that fall outside the source are NaN, read as NoData).
Resultado Remuestrear(GDALDataset& fuente, int banda, const OGRSpatialReference* destino,
                      const std::string& ruta, GDALDatasetUniquePtr& salida) {
    CPLStringList args;
    args.AddString("-of");
    args.AddString("VRT");
    args.AddString("-b");
    args.AddString(std::to_string(banda).c_str());
    GDALTranslateOptions* opTraducir = GDALTranslateOptionsNew(args.List(), nullptr);
    GDALDatasetUniquePtr unaBanda(
        GDALDataset::FromHandle(GDALTranslate("", GDALDataset::ToHandle(&fuente), opTraducir, nullptr)));
    GDALTranslateOptionsFree(opTraducir);
    if (!unaBanda)
        return Resultado::Falla("No se pudo leer la banda" + TextoBlanco(banda) + " de " + ruta + DetalleGdal() + ".");

    CPLStringList w;
    for (const char* a : {"-of", "MEM", "-r", "bilinear", "-ot", "Float32", "-dstnodata", "nan"}) w.AddString(a);
    std::string wkt;
    if (destino) {
        const char* const formato[] = {"FORMAT=WKT2_2018", nullptr};
        char* texto = nullptr;
        destino->exportToWkt(&texto, formato);
        wkt = texto ? texto : "";
        CPLFree(texto);
        w.AddString("-t_srs");
        w.AddString(wkt.c_str());
    }
    GDALWarpAppOptions* opWarp = GDALWarpAppOptionsNew(w.List(), nullptr);
    GDALDatasetH origen[1] = {GDALDataset::ToHandle(unaBanda.get())};
    salida.reset(GDALDataset::FromHandle(GDALWarp("", nullptr, 1, origen, opWarp, nullptr)));
    GDALWarpAppOptionsFree(opWarp);
    if (!salida || salida->GetRasterCount() < 1) {
        salida.reset();
        if (destino)
            return Resultado::Falla("No se pudo reproyectar " + ruta + " a UTM: su sistema de coordenadas o sus "
                                    "coordenadas no se pueden transformar" + DetalleGdal() + ".");
        return Resultado::Falla("No se pudo remuestrear " + ruta + " con el norte arriba" + DetalleGdal() + ".");
    }
    return Resultado::Bien();
}

// Reads a band into the grid: NoData, masked and non-finite cells become 0.
Resultado LeerBanda(GDALRasterBand& b, const std::string& ruta, int banda, Grilla<float>& valores) {
    const int filas = b.GetYSize();
    const int columnas = b.GetXSize();
    try {
        valores.Redimensionar(filas, columnas, 0.0f);
    } catch (const std::bad_alloc&) {
        valores.Liberar();
        return Resultado::Falla("No hay memoria suficiente para " + ruta);
    }
    // Rows are read as 64-bit values so that a value beyond the 32-bit range
    // is refused instead of becoming an infinity (or NoData) on the way.
    const bool conMascara = (b.GetMaskFlags() & GMF_ALL_VALID) == 0;
    GDALRasterBand* mascara = conMascara ? b.GetMaskBand() : nullptr;
    std::vector<GByte> fila(static_cast<size_t>(columnas), 255);
    std::vector<double> linea(static_cast<size_t>(columnas), 0.0);
    int64_t validas = 0;
    for (int f = 1; f <= filas; ++f) {
        if (b.RasterIO(GF_Read, 0, f - 1, columnas, 1, linea.data(), columnas, 1, GDT_Float64, 0, 0, nullptr) !=
            CE_None)
            return Resultado::Falla("No se pudieron leer los datos de la banda" + TextoBlanco(banda) + " de " + ruta +
                                    DetalleGdal() + ".");
        if (mascara && mascara->RasterIO(GF_Read, 0, f - 1, columnas, 1, fila.data(), columnas, 1, GDT_Byte, 0, 0,
                                         nullptr) != CE_None)
            return Resultado::Falla("No se pudo leer la máscara de NoData de " + ruta + DetalleGdal() + ".");
        for (int c = 1; c <= columnas; ++c) {
            const double x = linea[static_cast<size_t>(c - 1)];
            float& v = valores(f, c);
            if (fila[static_cast<size_t>(c - 1)] == 0 || std::isnan(x)) {
                v = 0.0f;
            } else if (!AFloat(x, v)) {
                return Resultado::Falla("El valor " + NumeroArchivo(x) + " de la fila" + TextoBlanco(f) +
                                        ", columna" + TextoBlanco(c) + " de " + ruta +
                                        " está fuera del rango de los números reales de 32 bits.");
            } else {
                ++validas;
            }
        }
    }
    if (validas == 0)
        return Resultado::Falla("La banda" + TextoBlanco(banda) + " de " + ruta +
                                " está vacía: todas sus celdas son NoData.");
    return Resultado::Bien();
}

std::string NombreArchivo(const std::string& ruta) {
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    return nombre;
}

}  // namespace

Resultado DescribirRaster(const std::string& ruta, DescripcionRaster& d) {
    IniciarGdal();
    SilencioGdal silencio;
    GDALDatasetUniquePtr ds = Abrir(ruta);
    if (!ds) return FallaApertura(ruta);
    d.filas = ds->GetRasterYSize();
    d.columnas = ds->GetRasterXSize();
    d.bandas = ds->GetRasterCount();
    const OGRSpatialReference* srs = ds->GetSpatialRef();
    d.geograficas = EsGeografico(srs);
    if (d.geograficas) {
        double gt[6];
        Georreferencia(*ds, gt);
        double lon = 0, lat = 0;
        CentroGrados(*srs, gt, d.filas, d.columnas, lon, lat);
        d.zonaUtm = ZonaUtm(lon);
        d.norte = lat >= 0;
    }
    return Resultado::Bien();
}

Resultado LeerRasterSig(const std::string& ruta, const OpcionesImportarSig& op, CabeceraImagen& cab,
                        Grilla<float>& valores, std::string& wkt, std::string* aviso) {
    if (aviso) aviso->clear();
    IniciarGdal();
    SilencioGdal silencio;
    GDALDatasetUniquePtr ds = Abrir(ruta);
    if (!ds) return FallaApertura(ruta);
    const int filas0 = ds->GetRasterYSize();
    const int columnas0 = ds->GetRasterXSize();
    if (filas0 <= 0 || columnas0 <= 0)
        return Resultado::Falla("El raster " + ruta + " no tiene celdas (" + std::to_string(columnas0) + " x " +
                                std::to_string(filas0) + ").");
    if (EsAsc(*ds))
        if (Resultado r = ValidarNumerosAsc(ruta, filas0, columnas0); !r) return r;
    const int bandas = ds->GetRasterCount();
    if (bandas < 1) return Resultado::Falla("El archivo " + ruta + " no tiene ninguna banda de datos.");
    if (op.banda < 1 || op.banda > bandas)
        return Resultado::Falla("El raster " + ruta + " tiene" + TextoBlanco(bandas) +
                                (bandas == 1 ? " banda" : " bandas") + ": no existe la banda" +
                                TextoBlanco(op.banda) + ".");

    double gt[6];
    Georreferencia(*ds, gt);
    OGRSpatialReference srs;
    if (const OGRSpatialReference* s = ds->GetSpatialRef(); s && !s->IsEmpty()) srs = *s;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const bool geograficas = EsGeografico(&srs);
    const bool reproyectar = geograficas && !op.mantenerGeograficas && !op.comoAsc;

    GDALDataset* fuente = ds.get();
    int banda = op.banda;
    GDALDatasetUniquePtr remuestreado;
    if (reproyectar || !NorteArriba(gt)) {
        OGRSpatialReference utm;
        if (reproyectar) {
            double lon = 0, lat = 0;
            CentroGrados(srs, gt, filas0, columnas0, lon, lat);
            if (!SistemaUtm(srs, ZonaUtm(lon), lat >= 0, utm))
                return Resultado::Falla("No se pudo reproyectar " + ruta + " a UTM: su sistema de coordenadas "
                                        "no lo permite" + DetalleGdal() + ".");
        }
        if (Resultado r = Remuestrear(*ds, op.banda, reproyectar ? &utm : nullptr, ruta, remuestreado); !r)
            return r;
        fuente = remuestreado.get();
        banda = 1;
        Georreferencia(*fuente, gt);
        if (reproyectar) srs = utm;
    }

    const int filas = fuente->GetRasterYSize();
    const int columnas = fuente->GetRasterXSize();
    if (Resultado r = ValidarTamano(filas, columnas, ruta); !r) return r;
    if (Resultado r = LeerBanda(*fuente->GetRasterBand(banda), ruta, op.banda, valores); !r) return r;

    const std::string nombre = NombreArchivo(ruta);
    cab.Titulo = op.titulo ? *op.titulo : nombre;
    cab.Subtitulo = "Importado de " + nombre;
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.XMinimo = gt[0];
    cab.XMaximo = gt[0] + columnas * gt[1];
    cab.YMaximo = gt[3];
    cab.YMinimo = gt[3] + filas * gt[5];
    Extremos(valores, cab.DatoMenor, cab.DatoMayor);
    for (double x : {cab.XMinimo, cab.XMaximo, cab.YMinimo, cab.YMaximo})
        if (!std::isfinite(x))
            return Resultado::Falla("Las coordenadas de " + ruta + " están fuera del rango de los números reales (" +
                                    NumeroArchivo(x) + ").");

    // Cell size in metres.
    double mx = 1, my = 1;
    if (!op.comoAsc && geograficas && !reproyectar) {
        const double lat = (cab.YMinimo + cab.YMaximo) / 2.0 * srs.GetAngularUnits() * 180.0 / kPi;
        if (!(std::fabs(lat) <= 90.0))
            return Resultado::Falla("Las coordenadas geográficas de " + ruta + " están fuera de rango (latitud" +
                                    TextoBlanco(lat) + ").");
        MetrosPorUnidad(srs, lat, mx, my);
    } else if (!op.comoAsc && !srs.IsEmpty() && srs.IsProjected()) {
        mx = my = srs.GetLinearUnits();
    }
    cab.ResolucionX = op.resX ? *op.resX : gt[1] * mx;
    cab.ResolucionY = op.resY ? *op.resY : -gt[5] * my;
    if (!std::isfinite(cab.ResolucionX) || !std::isfinite(cab.ResolucionY))
        return Resultado::Falla("El tamaño de celda de " + ruta + " está fuera del rango de los números reales.");

    wkt = srs.IsEmpty() ? std::string() : TextoPrj(srs);
    const bool pareceGrados = std::fabs(cab.XMinimo) <= 180 && std::fabs(cab.XMaximo) <= 180 &&
                              std::fabs(cab.YMinimo) <= 90 && std::fabs(cab.YMaximo) <= 90 && gt[1] < 0.1;
    if (aviso && srs.IsEmpty() && pareceGrados && !op.resX && !op.resY)
        *aviso = "El raster " + ruta + " no tiene sistema de coordenadas y sus coordenadas parecen grados: el "
                 "tamaño de celda queda en esas unidades (" + NumeroArchivo(gt[1]) + "). Agregue su archivo .prj "
                 "(por ejemplo, el de WGS 84) para tenerlo en metros.";
    return Resultado::Bien();
}

Resultado ImportarRasterSig(const std::string& ruta, const std::string& nombreDat, const OpcionesImportarSig& op,
                            std::string* aviso) {
    if (!TerminaEn(nombreDat, "_dat.rkd"))
        return Resultado::Falla("El nombre de la imagen debe terminar en _dat.rkd: " + nombreDat);
    CabeceraImagen cab;
    Grilla<float> valores;
    std::string wkt;
    if (Resultado r = LeerRasterSig(ruta, op, cab, valores, wkt, aviso); !r) return r;

    // Data, header, coordinate system: a failure removes what this call wrote.
    const std::string nombreCab = NombreCabDe(nombreDat);
    const std::string prj = NombrePrj(nombreDat);
    if (Resultado r = EscribirDatos(nombreDat, valores); !r) return r;
    Resultado r = EscribirCabecera(nombreCab, cab);
    if (r) {
        if (!wkt.empty()) r = GuardarArchivo(prj, wkt);
        else if (ExisteArchivo(prj) && std::remove(prj.c_str()) != 0)
            r = Resultado::Falla("No se pudo borrar el sistema de coordenadas anterior " + prj);
    }
    if (!r) {
        std::remove(nombreDat.c_str());
        std::remove(nombreCab.c_str());
    }
    return r;
}

Resultado ImportarAscSig(const std::string& rutaAsc, const std::string& nombreDat,
                         const std::optional<double>& resX, const std::optional<double>& resY,
                         const std::optional<std::string>& titulo) {
    OpcionesImportarSig op;
    op.comoAsc = true;
    op.resX = resX;
    op.resY = resY;
    op.titulo = titulo;
    return ImportarRasterSig(rutaAsc, nombreDat, op);
}

}  // namespace tarno::gis
