#include "comandos/agregada.h"

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno {

std::string CrearImagenAgregada(ImagenActual& img, Plataforma& plataforma) {
    if (!TerminaEn(img.NombreCab, "_cab.rkd") || !TerminaEn(img.NombreDat, "_dat.rkd")) {
        plataforma.Mensaje(kAvisoSinImagen, kTituloSinImagen, Icono::Advertencia);
        return {};
    }
    const std::string base = BaseImagen(img.NombreCab);
    const std::string nuevaCab = base + "_Ag_cab.rkd";
    const std::string nuevoDat = base + "_Ag_dat.rkd";
    const std::string lista = base + "_Ag_agr.rkd";
    auto fallar = [&plataforma] {
        plataforma.Mensaje(kErrorArchivoDesconocido, "", Icono::Advertencia);
        return std::string();
    };
    if (!CopiarArchivo(img.NombreCab, nuevaCab)) return fallar();
    if (!CopiarArchivo(img.NombreDat, nuevoDat)) return fallar();
    if (!SeguirPrj(img.NombreDat, nuevoDat)) return fallar();
    if (!LeerIMG(nuevoDat, "", img)) return fallar();
    CabeceraImagen cab = img;
    cab.Subtitulo += "AGREGADO";
    if (!EscribirCabecera(nuevaCab, cab)) return fallar();
    img.Subtitulo = cab.Subtitulo;
    EscritorDelimitado out;
    out.Numero(int64_t{0}).FinLinea();
    out.Texto("").FinLinea();
    if (!GuardarArchivo(lista, out.Bytes())) return fallar();
    return nuevoDat;
}

}  // namespace tarno
