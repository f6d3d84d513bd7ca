// `tarno import-asc`, `tarno import` and `tarno export`: GIS rasters in and out through GDAL.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "gis/exportar_sig.h"
#include "gis/importar_sig.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "raster/prj.h"

namespace tarno::cli {

namespace {
constexpr const char* kUsoImportar =
    "uso: tarno import RASTER SALIDA_dat.rkd [--banda N] [--titulo T] [--mantener-geograficas]\n";
constexpr const char* kUsoExportar =
    "uso: tarno export IMAGEN_dat.rkd SALIDA.tif [--formato DRIVER] [--mdt MDT_dat.rkd] [--sin-nodata]\n";
}  // namespace

int ImportarRaster(const Argumentos& args) {
    std::vector<std::string> pos;
    gis::OpcionesImportarSig op;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--banda") {
            int32_t n = 0;
            double d = 0;
            if (i + 1 >= args.size() || !ConvertirDouble(args[i + 1], d) || !AEntero32(d, n) || d != n || n < 1)
                return std::fprintf(stderr, "--banda necesita un número de banda (1, 2, ...)\n"), 2;
            op.banda = n;
            ++i;
        } else if (a == "--titulo") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "--titulo necesita un texto\n"), 2;
            op.titulo = args[++i];
        } else if (a == "--mantener-geograficas") {
            op.mantenerGeograficas = true;
        } else {
            pos.push_back(a);
        }
    }
    if (pos.size() != 2) return std::fprintf(stderr, "%s", kUsoImportar), 2;
    std::string aviso;
    Resultado r = gis::ImportarRasterSig(pos[0], pos[1], op, &aviso);
    if (!r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    if (!aviso.empty()) std::fprintf(stderr, "%s\n", aviso.c_str());
    std::printf("Imagen escrita: %s\n", pos[1].c_str());
    if (ExisteArchivo(NombrePrj(pos[1]))) std::printf("Sistema de coordenadas: %s\n", NombrePrj(pos[1]).c_str());
    return 0;
}

int ExportarRaster(const Argumentos& args) {
    std::vector<std::string> pos;
    gis::OpcionesExportarSig op;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--formato") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "--formato necesita el nombre de un formato GDAL\n"), 2;
            op.formato = args[++i];
        } else if (a == "--mdt") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "--mdt necesita una imagen _dat.rkd\n"), 2;
            op.mdt = args[++i];
        } else if (a == "--sin-nodata") {
            op.sinNoData = true;
        } else {
            pos.push_back(a);
        }
    }
    if (pos.size() != 2) return std::fprintf(stderr, "%s", kUsoExportar), 2;
    gis::InformeExportacion inf;
    Resultado r = gis::ExportarImagenSig(pos[0], pos[1], op, &inf);
    if (!r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    if (!inf.aviso.empty()) std::fprintf(stderr, "%s\n", inf.aviso.c_str());
    std::printf("Raster escrito: %s\n", pos[1].c_str());
    std::printf("Sistema de coordenadas: %s\n", inf.prj.empty() ? "ninguno" : inf.prj.c_str());
    if (inf.conNoData)
        std::printf("NoData: %s (celdas fuera de la cuenca según %s)\n", NumeroArchivo(inf.noData).c_str(),
                    inf.mdt.c_str());
    return 0;
}

int ImportarAsc(const Argumentos& args) {
    std::vector<std::string> pos;
    std::optional<double> resX, resY;
    std::optional<std::string> titulo;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valor = [&](double& destino) {
            if (i + 1 >= args.size() || !ConvertirDouble(args[i + 1], destino)) return false;
            ++i;
            return true;
        };
        double d;
        if (a == "--resx") {
            if (!valor(d)) return std::fprintf(stderr, "--resx necesita un número\n"), 2;
            resX = d;
        } else if (a == "--resy") {
            if (!valor(d)) return std::fprintf(stderr, "--resy necesita un número\n"), 2;
            resY = d;
        } else if (a == "--titulo") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "--titulo necesita un texto\n"), 2;
            titulo = args[++i];
        } else {
            pos.push_back(a);
        }
    }
    if (pos.size() != 2) {
        std::fprintf(stderr, "uso: tarno import-asc ENTRADA.asc SALIDA_dat.rkd [--resx M --resy M] [--titulo T]\n");
        return 2;
    }
    Resultado r = gis::ImportarAscSig(pos[0], pos[1], resX, resY, titulo);
    if (!r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    std::printf("Imagen escrita: %s\n", pos[1].c_str());
    return 0;
}

}  // namespace tarno::cli
