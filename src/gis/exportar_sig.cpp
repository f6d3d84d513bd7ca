#include "gis/exportar_sig.h"

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "gis/gdal_comun.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno::gis {

namespace {

// Endings of a run's results (the depurated explorer before the explorer) and
// the endings the tools propose for their outputs.
const char* const kFinalesResultado[] = {"_QDD", "_HF", "_HM", "_QM", "_QD"};
const char* const kFinalesHerramienta[] = {"_Ag", "_C", "R", "M", "O", "S"};

constexpr float kNoData = -9999.0f;

bool EsNombreImagen(const std::string& n) {
    if (n.size() < 8) return false;
    std::string fin = n.substr(n.size() - 8);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fin == "_dat.rkd";
}

std::string Tamano(const CabeceraImagen& c) {
    return std::to_string(c.NroFilas) + " filas x " + std::to_string(c.NroColumnas) + " columnas";
}

// Reads a whole image; a data file shorter than its header is refused.
Resultado LeerEntera(const std::string& nombreDat, ImagenActual& img) {
    if (Resultado r = LeerIMG(nombreDat, "", img); !r) return r;
    const int64_t esperados = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    if (img.NroDatos < esperados)
        return Resultado::Falla("La imagen " + nombreDat + " tiene" + TextoBlanco(img.NroDatos) +
                                " datos y su cabecera indica" + TextoBlanco(esperados) + ".");
    return Resultado::Bien();
}

// Removes what a failed write left: the dataset's files, or at least the file.
void Borrar(GDALDriver& driver, const std::string& ruta) {
    VSIStatBufL st;
    if (VSIStatL(ruta.c_str(), &st) != 0) return;
    if (driver.Delete(ruta.c_str()) != CE_None) VSIUnlink(ruta.c_str());
}

// A name beside `destino` for writing before the rename: the same folder,
// stem and extension, with a random part in between (drivers that write
// companion files name them after it).
std::string NombreTemporal(const std::string& destino) {
    static thread_local std::mt19937_64 azar{std::random_device{}()};
    std::string carpeta, nombre;
    SepararRuta(destino, carpeta, nombre);
    const size_t punto = nombre.rfind('.');
    const std::string raiz = punto == std::string::npos || punto == 0 ? nombre : nombre.substr(0, punto);
    const std::string ext = punto == std::string::npos || punto == 0 ? std::string() : nombre.substr(punto);
    char marca[32];
    std::snprintf(marca, sizeof marca, ".tmp%08llx", static_cast<unsigned long long>(azar() & 0xFFFFFFFFull));
    return carpeta + raiz + marca + ext;
}

}  // namespace

std::string MdtDeOrigen(const std::string& nombreDat, bool& derivada) {
    derivada = false;
    if (nombreDat.size() < 8) return nombreDat;
    const std::string sufijo = nombreDat.substr(nombreDat.size() - 8);
    std::string base = BaseImagen(nombreDat);
    for (;;) {
        for (const char* fin : kFinalesResultado)
            if (TerminaEn(base, fin)) {
                derivada = true;
                return base.substr(0, base.size() - std::strlen(fin)) + sufijo;
            }
        bool quitado = false;
        for (const char* fin : kFinalesHerramienta)
            if (base.size() > std::strlen(fin) && TerminaEn(base, fin)) {
                base.resize(base.size() - std::strlen(fin));
                quitado = true;
                break;
            }
        if (!quitado) return nombreDat;
    }
}

Resultado ExportarImagenSig(const std::string& nombreDat, const std::string& destino,
                            const OpcionesExportarSig& op, InformeExportacion* informe) {
    InformeExportacion propio;
    InformeExportacion& inf = informe ? *informe : propio;
    inf = InformeExportacion();
    if (!EsNombreImagen(nombreDat))
        return Resultado::Falla("El nombre de la imagen debe terminar en _dat.rkd: " + nombreDat);
    if (destino.empty()) return Resultado::Falla("Falta el nombre del archivo a escribir.");
    ImagenActual img;
    if (Resultado r = LeerEntera(nombreDat, img); !r) return r;
    const int32_t filas = img.NroFilas;
    const int32_t columnas = img.NroColumnas;

    // Georeference from the header's edges (or its cell sizes when the edges
    // say nothing), row 1 at the top.
    double gt[6] = {img.XMinimo, 0, 0, 0, 0, 0};
    if (img.XMaximo > img.XMinimo && img.YMaximo > img.YMinimo) {
        gt[1] = (img.XMaximo - img.XMinimo) / columnas;
        gt[5] = -(img.YMaximo - img.YMinimo) / filas;
        gt[3] = img.YMaximo;
    } else {
        gt[1] = img.ResolucionX > 0 ? img.ResolucionX : 1.0;
        gt[5] = -(img.ResolucionY > 0 ? img.ResolucionY : 1.0);
        gt[3] = img.YMinimo - filas * gt[5];
    }

    // The DEM and the coordinate system.
    bool derivada = false;
    const std::string mdt = op.mdt.empty() ? MdtDeOrigen(nombreDat, derivada) : op.mdt;
    const bool explicito = !op.mdt.empty();
    if (ExisteArchivo(NombrePrj(nombreDat))) inf.prj = NombrePrj(nombreDat);
    else if (mdt != nombreDat && ExisteArchivo(NombrePrj(mdt))) inf.prj = NombrePrj(mdt);
    IniciarGdal();
    SilencioGdal silencio;
    OGRSpatialReference srs;
    if (!inf.prj.empty()) {
        std::string texto;
        if (!LeerArchivo(inf.prj, texto)) return Resultado::Falla("No se pudo leer el archivo " + inf.prj);
        if (!LeerTextoPrj(texto, srs))
            return Resultado::Falla("El archivo " + inf.prj + " no contiene un sistema de coordenadas válido" +
                                    DetalleGdal() + ".");
    }

    // Cells outside the basin.
    std::vector<bool> fuera;
    if (!op.sinNoData) {
        if (mdt == nombreDat) {
            inf.mdt = nombreDat;
            fuera.resize(static_cast<size_t>(filas) * static_cast<size_t>(columnas));
            for (int32_t f = 1; f <= filas; ++f)
                for (int32_t c = 1; c <= columnas; ++c)
                    fuera[static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(c - 1)] =
                        img.Valores(f, c) <= 0;
        } else {
            ImagenActual dem;
            std::string problema;
            if (!ExisteArchivo(mdt)) problema = "No se encontró el MDT de origen " + mdt;
            else if (Resultado r = LeerEntera(mdt, dem); !r) problema = r.mensaje;
            else if (dem.NroFilas != filas || dem.NroColumnas != columnas)
                problema = "El MDT " + mdt + " (" + Tamano(dem) + ") no tiene el tamaño de la imagen (" + Tamano(img) + ")";
            if (!problema.empty()) {
                if (explicito) return Resultado::Falla(problema + ".");
                inf.aviso = problema + ": la imagen se exporta sin celdas NoData.";
            } else {
                inf.mdt = mdt;
                fuera.resize(static_cast<size_t>(filas) * static_cast<size_t>(columnas));
                for (int32_t f = 1; f <= filas; ++f)
                    for (int32_t c = 1; c <= columnas; ++c)
                        fuera[static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) +
                              static_cast<size_t>(c - 1)] = dem.Valores(f, c) <= 0;
            }
        }
    }
    inf.conNoData = !fuera.empty();
    inf.noData = kNoData;
    if (inf.conNoData) {
        // A cell inside the basin that holds the usual NoData value would be
        // lost: the lowest 32-bit value is used instead.
        for (int32_t f = 1; f <= filas && inf.noData == kNoData; ++f)
            for (int32_t c = 1; c <= columnas; ++c)
                if (img.Valores(f, c) == kNoData &&
                    !fuera[static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(c - 1)]) {
                    inf.noData = std::numeric_limits<float>::lowest();
                    break;
                }
    }

    // The writer.
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(op.formato.c_str());
    const bool escribe = driver && driver->GetMetadataItem(GDAL_DCAP_RASTER) &&
                         (driver->GetMetadataItem(GDAL_DCAP_CREATE) || driver->GetMetadataItem(GDAL_DCAP_CREATECOPY));
    if (!escribe) return Resultado::Falla("No hay un formato de escritura de rasters llamado " + op.formato + ".");
    if (EQUAL(op.formato.c_str(), "MEM") || EQUAL(op.formato.c_str(), "VRT"))
        return Resultado::Falla("El formato " + op.formato + " no guarda los valores en el archivo: elija otro "
                                "(por ejemplo GTiff).");

    // The image in memory, then copied by the writer.
    GDALDriver* memoria = GetGDALDriverManager()->GetDriverByName("MEM");
    GDALDatasetUniquePtr mem(memoria ? memoria->Create("", columnas, filas, 1, GDT_Float32, nullptr) : nullptr);
    if (!mem) return Resultado::Falla("No hay memoria suficiente para exportar " + nombreDat + DetalleGdal() + ".");
    mem->SetGeoTransform(gt);
    if (!srs.IsEmpty()) mem->SetSpatialRef(&srs);
    GDALRasterBand* banda = mem->GetRasterBand(1);
    if (inf.conNoData) banda->SetNoDataValue(inf.noData);
    std::vector<float> fila(static_cast<size_t>(columnas));
    for (int32_t f = 1; f <= filas; ++f) {
        for (int32_t c = 1; c <= columnas; ++c) {
            const size_t k = static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(c - 1);
            fila[static_cast<size_t>(c - 1)] = inf.conNoData && fuera[k] ? inf.noData : img.Valores(f, c);
        }
        if (banda->RasterIO(GF_Write, 0, f - 1, columnas, 1, fila.data(), columnas, 1, GDT_Float32, 0, 0,
                            nullptr) != CE_None)
            return Resultado::Falla("No se pudo preparar la imagen " + nombreDat + DetalleGdal() + ".");
    }

    CPLStringList opciones;
    if (EQUAL(op.formato.c_str(), "GTiff")) {
        opciones.SetNameValue("TILED", "YES");
        opciones.SetNameValue("COMPRESS", "DEFLATE");
        opciones.SetNameValue("PREDICTOR", "3");
        opciones.SetNameValue("BIGTIFF", "IF_SAFER");
    } else if (EQUAL(op.formato.c_str(), "AAIGrid")) {
        opciones.SetNameValue("SIGNIFICANT_DIGITS", "7");  // the digits the image keeps
    }
    const std::string temporal = NombreTemporal(destino);
    CPLErrorReset();
    GDALDataset* escrito = driver->CreateCopy(temporal.c_str(), mem.get(), FALSE, opciones.List(), nullptr, nullptr);
    bool bien = escrito != nullptr;
    if (escrito) {
        GDALClose(GDALDataset::ToHandle(escrito));
        bien = CPLGetLastErrorType() != CE_Failure && CPLGetLastErrorType() != CE_Fatal;
    }
    if (!bien) {
        const std::string detalle = DetalleGdal();
        Borrar(*driver, temporal);
        return Resultado::Falla("No se pudo escribir el archivo " + destino + detalle + ".");
    }
    CPLErrorReset();
    if (driver->Rename(destino.c_str(), temporal.c_str()) != CE_None) {
        const std::string detalle = DetalleGdal();
        Borrar(*driver, temporal);
        return Resultado::Falla("No se pudo escribir el archivo " + destino + detalle + ".");
    }
    return Resultado::Bien();
}

}  // namespace tarno::gis
