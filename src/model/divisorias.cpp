#include "model/divisorias.h"

#include <cmath>
#include <new>

#include "model/resultados.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno {

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

}  // namespace tarno
