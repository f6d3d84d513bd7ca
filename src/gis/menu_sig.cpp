#include "gis/menu_sig.h"

#include "gis/exportar_sig.h"
#include "gis/importar_sig.h"
#include "raster/archivos.h"
#include "comandos/guardar_como.h"
#include "raster/numeros.h"
#include "raster/nombres.h"

namespace tarno::gis {

namespace {

// The file name less its extension, letters and digits only.
std::string NombreCortoDe(const std::string& ruta) {
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    const size_t punto = nombre.rfind('.');
    if (punto != std::string::npos && punto > 0) nombre.resize(punto);
    std::string corto;
    for (char ch : nombre)
        if (NombreCortoValido(std::string(1, ch))) corto += ch;
    return corto.empty() ? "raster" : corto;
}

bool Reemplazar(Plataforma& p, const std::string& ruta, const char* titulo) {
    if (!ExisteArchivo(ruta)) return true;
    return p.Mensaje("El archivo <" + ruta + "> ya existe. ¿Desea reemplazarlo?", titulo, Icono::Pregunta,
                     Botones::SiNo) == Respuesta::Si;
}

}  // namespace

std::string mnuImportarSIG_Click(Plataforma& plataforma) {
    const char* titulo = kTituloImportarSig;
    const std::string ruta = plataforma.AbrirArchivo(
        "Importar raster SIG (GeoTIFF, ASC, ...)",
        "Rasters SIG|*.tif;*.tiff;*.asc;*.img;*.vrt;*.hgt;*.dem;*.bil;*.nc|Todos los archivos|*");
    if (ruta.empty()) return {};
    DescripcionRaster d;
    if (Resultado r = DescribirRaster(ruta, d); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return {};
    }
    OpcionesImportarSig op;
    if (d.bandas > 1) {
        const std::string banda = plataforma.Entrada(
            "El raster tiene" + TextoBlanco(d.bandas) + " bandas. ¿Qué banda desea importar?", titulo, "1");
        if (banda.empty()) return {};
        double v = 0;
        int32_t n = 0;
        if (!ConvertirDouble(banda, v) || !AEntero32(v, n) || v != n || n < 1 || n > d.bandas) {
            plataforma.Mensaje("Ingrese un número de banda entre 1 y" + TextoBlanco(d.bandas) + ".", titulo,
                               Icono::Advertencia);
            return {};
        }
        op.banda = n;
    }
    if (d.geograficas) {
        const Respuesta r = plataforma.Mensaje(
            "El raster está en coordenadas geográficas (grados).\n¿Reproyectarlo a UTM zona" +
                TextoBlanco(d.zonaUtm) + (d.norte ? " norte" : " sur") +
                ", con celdas cuadradas en metros?\n(No: mantener la grilla en grados, con el tamaño de celda en "
                "metros a la latitud de su centro.)",
            titulo, Icono::Pregunta, Botones::SiNo);
        op.mantenerGeograficas = r != Respuesta::Si;
    }
    const std::string corto = plataforma.Entrada(
        "Ingrese un nombre corto (sin extensión) para la Nueva Imagen TARNO-SIG a crear ?", titulo,
        NombreCortoDe(ruta));
    if (corto.empty()) return {};
    if (!NombreCortoValido(corto)) {
        plataforma.Mensaje("Nombre inválido: Ingrese solamente letras y/o dígitos sin caracteres especiales",
                           "Nombre de Proyecto inválido!!", Icono::Advertencia);
        return {};
    }
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    const std::string nuevoDat = carpeta + corto + kSufijoDat;
    if (!Reemplazar(plataforma, nuevoDat, titulo)) return {};
    std::string aviso;
    if (Resultado r = ImportarRasterSig(ruta, nuevoDat, op, &aviso); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return {};
    }
    if (!aviso.empty()) plataforma.Mensaje(aviso, titulo, Icono::Advertencia);
    return nuevoDat;
}

bool mnuExportarSIG_Click(const ImagenActual& img, Plataforma& plataforma) {
    const char* titulo = kTituloExportarSig;
    if (!TerminaEn(img.NombreCab, kSufijoCab) || !TerminaEn(img.NombreDat, kSufijoDat)) {
        plataforma.Mensaje("ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...", titulo,
                           Icono::Advertencia);
        return false;
    }
    const std::string propuesto = BaseImagen(img.NombreDat) + ".tif";
    const std::string destino =
        plataforma.Entrada("Ingrese el nombre del archivo GeoTIFF a crear:", titulo, propuesto);
    if (destino.empty()) return false;
    if (!Reemplazar(plataforma, destino, titulo)) return false;
    InformeExportacion inf;
    if (Resultado r = ExportarImagenSig(img.NombreDat, destino, OpcionesExportarSig(), &inf); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    std::string texto = "Imagen exportada a " + destino + ".";
    texto += inf.prj.empty() ? "\nSin sistema de coordenadas (no hay archivo .prj)." : "\nSistema de coordenadas: " + inf.prj;
    if (!inf.aviso.empty()) texto += "\n" + inf.aviso;
    plataforma.Mensaje(texto, titulo, Icono::Informacion);
    return true;
}

}  // namespace tarno::gis
