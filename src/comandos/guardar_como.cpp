#include "comandos/guardar_como.h"

#include "raster/archivos.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno {

bool NombreCortoValido(const std::string& nombre) {
    if (nombre.empty()) return false;
    for (char ch : nombre) {
        bool ok = (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
        if (!ok) return false;
    }
    return true;
}

bool mnuFileSaveAs_Click(const ImagenActual& img, Plataforma& plataforma) {
    const std::string titulo = "Guardar Imagen TARNO-SIG con otro nombre...";
    if (!TerminaEn(img.NombreCab, "_cab.rkd") || !TerminaEn(img.NombreDat, "_dat.rkd")) {
        plataforma.Mensaje("ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...", titulo,
                           Icono::Advertencia);
        return false;
    }
    std::string carpeta, archivo;
    SepararRuta(img.NombreDat, carpeta, archivo);
    const std::string corto = BaseImagen(archivo);
    const std::string respuesta = plataforma.Entrada(
        "Ingrese un nombre corto (sin extensión) para el Nuevo Archivo Imagen TARNO-SIG a copiar ?",
        "Guardar Imagen con otro nombre...", corto + "1");
    if (respuesta.empty()) return false;
    if (!NombreCortoValido(respuesta)) {
        plataforma.Mensaje("Nombre inválido: Ingrese solamente letras y/o dígitos sin caracteres especiales",
                           "Nombre de Proyecto inválido!!", Icono::Advertencia);
        return false;
    }
    const std::string nuevoDat = carpeta + respuesta + "_dat.rkd";
    if (ExisteArchivo(nuevoDat)) {
        plataforma.Mensaje("El archivo imagen TARNO-SIG <" + nuevoDat +
                           "> ya existe. Elija un nombre distinto o elimine el proyecto existente.");
        return false;
    }
    // A failed copy is reported and the program goes on; the first file is
    // removed again so no half-made image is left behind.
    if (Resultado r = CopiarArchivo(img.NombreDat, nuevoDat); !r) {
        plataforma.Mensaje("Error de archivo desconocido\n" + r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    if (Resultado r = CopiarArchivo(img.NombreCab, NombreCabDe(nuevoDat)); !r) {
        std::remove(nuevoDat.c_str());
        plataforma.Mensaje("Error de archivo desconocido\n" + r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    if (Resultado r = SeguirPrj(img.NombreDat, nuevoDat); !r) {
        plataforma.Mensaje("Error de archivo desconocido\n" + r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    return true;
}

}  // namespace tarno
