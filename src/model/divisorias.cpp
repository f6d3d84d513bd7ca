#include "model/divisorias.h"

#include <cmath>
#include <new>

#include "model/resultados.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "raster/prj.h"
#include "raster/nombres.h"

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

float UmbralProfundidadFinal(float hminAuto, float m, int16_t metodo) {
    if (3.0 * m > hminAuto) return metodo == 1 ? static_cast<float>(6.0 * m) : m;
    return hminAuto;
}

float ValorExplorador(const Parametros& par, float qMax, float hMax, float qminAuto, float hminAuto) {
    float v = par.DivResQM ? qMax : par.DivValorRes;
    bool cresta;
    if (par.DivMetodoQmin) {
        cresta = par.DivQmin == 0 ? qMax <= qminAuto : qMax <= par.DivQmin;
    } else if (par.DivHmin == 0) {
        cresta = qMax > 0 && qMax <= qminAuto && hMax <= hminAuto;
    } else {
        cresta = qMax > 0 && qMax <= par.DivQmin && hMax <= par.DivHmin;
    }
    if (cresta) v = par.DivValor;
    return v;
}

std::string NombreExploradorDivisorias(const Parametros& par) {
    std::string base;
    CortarFinal(par.ArchivoDEM, 8, base);
    return par.DirDEM + base + "_QD_dat.rkd";
}

Resultado EscribirExploradorDivisorias(const Parametros& par, const GrillasModelo& g, ImagenActual& img,
                                       float qminAuto, float hminAuto, float qMaxMayor) {
    std::string base;
    if (!CortarFinal(par.ArchivoDEM, 8, base))
        return Resultado::Falla("Nombre de archivo MDT inválido: " + par.ArchivoDEM);
    const std::string nombreDat = NombreExploradorDivisorias(par);
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();
    const int decimales = DecimalesCaudal(qMaxMayor);

    Grilla<float> valores;
    try {
        valores.Redimensionar(filas, columnas);
    } catch (const std::bad_alloc&) {
        return Resultado::Falla("No hay memoria suficiente para la imagen " + nombreDat);
    }
    float menor = 100000000.0f;
    float mayor = -100000000.0f;
    int64_t lagunas = 0;
    for (int32_t f = 1; f <= filas; ++f) {
        for (int32_t c = 1; c <= columnas; ++c) {
            if (g.Nivel(f, c) - static_cast<double>(g.Cota(f, c)) > 0.01) ++lagunas;
            const float v = ValorExplorador(par, g.QMax(f, c), g.HMax(f, c), qminAuto, hminAuto);
            if (v < menor) menor = v;
            if (v > mayor) mayor = v;
            valores(f, c) = static_cast<float>(Redondear(v, decimales));
        }
    }
    const float area = static_cast<float>(static_cast<double>(par.ResolucionX) * static_cast<double>(lagunas) *
                                          par.ResolucionY / 10000.0);

    CabeceraImagen cab;
    cab.Titulo = img.Titulo;
    cab.Subtitulo = "Explorador Divisorias   -   Area de QMax=0 (lagunas): " + TextoBlanco(area) + " Has";
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.XMinimo = img.XMinimo;
    cab.YMinimo = img.YMinimo;
    cab.XMaximo = img.XMaximo;
    cab.YMaximo = img.YMaximo;
    cab.DatoMenor = menor;
    cab.DatoMayor = mayor;
    cab.ResolucionX = img.ResolucionX;
    cab.ResolucionY = img.ResolucionY;
    img.DatoMenor = menor;
    img.DatoMayor = mayor;
    if (Resultado r = EscribirImagen(nombreDat, cab, valores); !r) return r;
    return SeguirPrj(par.DirDEM + par.ArchivoDEM, nombreDat);
}

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

void AdelgazarFilas(Grilla<float>& explorador, const Grilla<float>& dem) {
    const int32_t filas = explorador.Filas();
    const int32_t columnas = explorador.Columnas();
    for (int32_t I = 1; I <= filas; ++I) {
        int32_t s = 0, e = 0, n = 0, p = 0;
        for (int32_t J = 1; J <= columnas; ++J) {
            if (explorador(I, J) == 0) {
                if (s == 0) s = J;
                e = J;
                continue;
            }
            if (e > 0) {
                // The run s..e of zero cells has just ended: its crest is the
                // leftmost highest plateau of the DEM along it.
                float cMax = 0;
                for (int32_t k = s; k <= e; ++k) {
                    const float z = dem(I, k);
                    if (z > cMax) {
                        cMax = z;
                        p = k;
                        n = 1;
                    }
                    if (z == cMax && k - p + 1 - n == 1) ++n;
                }
                if (cMax != 0) explorador(I, static_cast<int32_t>(std::floor(p + n / 2.0))) = kMarcaCresta;
            }
            s = e = n = 0;
        }
    }
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
