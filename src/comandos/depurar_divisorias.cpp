#include "comandos/depurar_divisorias.h"

#include <new>

#include "raster/archivos.h"
#include "raster/nombres.h"
#include "raster/numeros.h"
#include "raster/prj.h"

namespace tarno {

namespace {

const char* const kMensajeProyecto = "Error, los archivos seleccinados no son del mismo proyecto. Verifique. ";
const char* const kTituloError = "Error, ...";

bool MismoProyecto(const CabeceraImagen& a, const CabeceraImagen& b) {
    return a.NroFilas == b.NroFilas && a.NroColumnas == b.NroColumnas && a.ResolucionX == b.ResolucionX &&
           a.ResolucionY == b.ResolucionY;
}

Resultado Fallar(Plataforma& plataforma, const std::string& mensaje) {
    plataforma.Mensaje(mensaje, kTituloError, Icono::Advertencia);
    return Resultado::Falla(mensaje);
}

// Reads a whole raster; a missing file, an unreadable value or a data file
// shorter than its header are refused with a message naming the file.
Resultado LeerCompleta(const std::string& nombreDat, ImagenActual& img, Plataforma& plataforma) {
    if (Resultado r = LeerIMG(nombreDat, "", img); !r) return Fallar(plataforma, r.mensaje);
    const int64_t esperados = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    if (img.NroDatos < esperados)
        return Fallar(plataforma, "El archivo " + nombreDat + " tiene" + TextoBlanco(img.NroDatos) +
                                      " datos y su cabecera indica" + TextoBlanco(esperados) +
                                      ". No se ha grabado la imagen depurada.");
    return Resultado::Bien();
}

// Checks the header `nombreCab` against the explorer header, reading it into `img`.
Resultado CabeceraDelProyecto(const std::string& nombreCab, const CabeceraImagen& explorador, ImagenActual& img,
                              Plataforma& plataforma) {
    if (Resultado r = LeerCabecera(nombreCab, img); !r) return Fallar(plataforma, r.mensaje);
    if (!MismoProyecto(img, explorador)) {
        plataforma.Mensaje(kMensajeProyecto, kTituloError, Icono::Advertencia);
        return Resultado::Falla(kMensajeProyecto);
    }
    return Resultado::Bien();
}

}  // namespace

bool NombresDepuracion(const std::string& rutaQD, std::string& carpeta, std::string& baseExplorador,
                       std::string& archivoDEM) {
    std::string nombre;
    SepararRuta(rutaQD, carpeta, nombre);
    std::string base, raiz;
    if (!CortarFinal(nombre, 8, base) || !CortarFinal(base, 3, raiz)) return false;
    baseExplorador = base;
    archivoDEM = raiz + "_dat.rkd";
    return true;
}

Resultado DepurarDivisorias(const std::string& carpeta, const std::string& baseExplorador, const Parametros& par,
                            ImagenActual& img, Plataforma& plataforma) {
    std::string raizDEM;
    if (!CortarFinal(par.ArchivoDEM, 7, raizDEM))
        return Fallar(plataforma, "Nombre de archivo MDT inválido: " + par.ArchivoDEM);

    // 1. The explorer raster.
    ImagenActual explorador;
    if (Resultado r = LeerCompleta(carpeta + baseExplorador + "_dat.rkd", explorador, plataforma); !r) return r;

    // 2. The DEM, which must be of the same project.
    if (Resultado r = CabeceraDelProyecto(par.DirDEM + raizDEM + "cab.rkd", explorador, img, plataforma); !r)
        return r;
    if (Resultado r = LeerCompleta(par.DirDEM + par.ArchivoDEM, img, plataforma); !r) return r;
    if (!MismoProyecto(img, explorador)) return Fallar(plataforma, kMensajeProyecto);

    // 3. One crest cell per run of zero cells in every row.
    AdelgazarFilas(explorador.Valores, img.Valores);

    // 4. The maximum-discharge raster of the same run.
    const std::string baseQM = carpeta + raizDEM + "QM";
    if (Resultado r = CabeceraDelProyecto(baseQM + "_cab.rkd", explorador, img, plataforma); !r) return r;
    if (Resultado r = LeerCompleta(baseQM + "_dat.rkd", img, plataforma); !r) return r;
    if (!MismoProyecto(img, explorador)) return Fallar(plataforma, kMensajeProyecto);

    // 5-6. The depurated raster: maximum discharge, 0 on the thinned crests.
    Grilla<float> salida;
    try {
        salida.Redimensionar(explorador.NroFilas, explorador.NroColumnas);
    } catch (const std::bad_alloc&) {
        return Fallar(plataforma, "No hay memoria suficiente para la imagen depurada");
    }
    for (int32_t f = 1; f <= explorador.NroFilas; ++f)
        for (int32_t c = 1; c <= explorador.NroColumnas; ++c)
            salida(f, c) = explorador.Valores(f, c) == kMarcaCresta ? 0.0f : img.Valores(f, c);
    CabeceraImagen cab = explorador;
    cab.Subtitulo = explorador.Subtitulo + " (Depurado)";
    const std::string depurado = carpeta + baseExplorador + "D_dat.rkd";
    if (Resultado r = EscribirImagen(depurado, cab, salida); !r) return Fallar(plataforma, r.mensaje);
    if (Resultado r = SeguirPrj(par.DirDEM + par.ArchivoDEM, depurado); !r) return Fallar(plataforma, r.mensaje);
    return Resultado::Bien();
}

void ComandoDepurarDivisorias(Parametros& par, ImagenActual& img, Plataforma& plataforma) {
    const std::string ruta = plataforma.AbrirArchivo(
        "Leer un archivo de KOLT Explorador de Divisorias (_QD_cab.rkd), para depurar divisorias o líneas de "
        "frontera tributaria",
        "Archivos TARNO-SIG (*QD_cab.rkd)|*QD_cab.rkd");
    if (ruta.empty()) return;
    std::string carpeta, baseExplorador, archivoDEM;
    if (!NombresDepuracion(ruta, carpeta, baseExplorador, archivoDEM)) {
        Fallar(plataforma, "El nombre del archivo " + ruta +
                               " es demasiado corto para un Explorador de Divisorias (_QD_cab.rkd).");
        return;
    }
    const std::string rutaDEM = plataforma.AbrirArchivo(
        "Leer el archivo MDT origen del Explorador de Divisorias (_dat.rkd), para depurar divisorias o líneas "
        "de frontera tributaria",
        "Archivo MDT de TARNO-SIG: (" + archivoDEM + ")|" + archivoDEM, carpeta);
    if (rutaDEM.empty()) return;
    // Both names change together, so a cancelled dialog never leaves the
    // model pointing at a DEM name in another project's folder.
    std::string dirDEM, nombreElegido;
    SepararRuta(rutaDEM, dirDEM, nombreElegido);
    par.ArchivoDEM = archivoDEM;
    par.DirDEM = dirDEM;
    DepurarDivisorias(carpeta, baseExplorador, par, img, plataforma);
}

}  // namespace tarno
