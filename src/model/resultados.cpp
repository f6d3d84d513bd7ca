#include "model/resultados.h"

#include <cmath>
#include <new>

#include "model/divisorias.h"
#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno {

std::string BaseResultados(const Parametros& par) {
    return par.DirDEM + BaseImagen(par.ArchivoDEM);
}

int DecimalesCaudal(float qMaxMayor) {
    const size_t largo = TextoBlanco(static_cast<float>(std::floor(qMaxMayor))).size();
    if (largo > 4) return 1;
    if (largo <= 3) return 3;
    return 2;
}

std::string FormatoHMS(double fraccionDia) {
    double s = std::nearbyint(fraccionDia * 86400.0);
    if (s < 0) s += 86400.0;  // the clock passed midnight
    long long t = static_cast<long long>(s) % 86400;
    return std::to_string(t / 3600) + ":" + std::to_string((t / 60) % 60) + ":" + std::to_string(t % 60);
}

void RemuestrearHidrograma(const Parametros& par, EstadoCorrida& e) {
    const int32_t nPer = par.nPer > 0 ? par.nPer : 0;
    // At most one sample per period: nPer + 2 entries always suffice.
    e.Hidrograma.assign(static_cast<size_t>(nPer) + 2, 0.0f);
    int32_t k = 1;
    const double paso = static_cast<double>(par.PasoPp);
    for (int32_t p = 1; p <= nPer; ++p) {
        const double t = paso * p;
        const float s = static_cast<float>(static_cast<int32_t>(par.PasoQ) * k);
        const double q0 = e.QPeriodo[static_cast<size_t>(p - 1)];
        const double q1 = e.QPeriodo[static_cast<size_t>(p)];
        if (t == static_cast<double>(s)) {
            e.Hidrograma[static_cast<size_t>(k)] = static_cast<float>(q1);
            ++k;
        } else if (t > static_cast<double>(s)) {
            e.Hidrograma[static_cast<size_t>(k)] =
                static_cast<float>(q0 + (q1 - q0) * (static_cast<double>(s) - paso * (p - 1)) / paso);
            ++k;
        }
    }
    e.NroSalidas = k;
}

namespace {

// Writes one result image from `valor(i, j, minmax)`, which returns the value
// to write and sets the value that counts for the extremes.
template <typename F>
Resultado EscribirUna(const std::string& nombreDat, const std::string& subtitulo, ImagenActual& img,
                      const Grilla<float>& forma, F valor, EstadoCorrida& e, const std::string& demDat) {
    img.DatoMenor = 1e8f;
    img.DatoMayor = -1e8f;
    Grilla<float> datos;
    try {
        datos.Redimensionar(forma.Filas(), forma.Columnas());
    } catch (const std::bad_alloc&) {
        return Resultado::Falla("No hay memoria suficiente para escribir " + nombreDat);
    }
    for (int32_t i = 1; i <= forma.Filas(); ++i)
        for (int32_t j = 1; j <= forma.Columnas(); ++j) {
            float extremo = 0;
            datos(i, j) = valor(i, j, extremo);
            if (extremo < img.DatoMenor) img.DatoMenor = extremo;
            if (extremo > img.DatoMayor) img.DatoMayor = extremo;
        }
    CabeceraImagen cab = img;  // title, size, coordinates and resolutions of the DEM
    cab.Subtitulo = subtitulo;
    if (Resultado r = EscribirImagen(nombreDat, cab, datos); !r) return r;
    e.ArchivosEscritos.push_back(nombreDat);
    e.ArchivosEscritos.push_back(NombreCabDe(nombreDat));
    // The DEM's coordinate system goes with its results.
    if (Resultado r = SeguirPrj(demDat, nombreDat); !r) return r;
    if (ExisteArchivo(NombrePrj(nombreDat))) e.ArchivosEscritos.push_back(NombrePrj(nombreDat));
    return Resultado::Bien();
}

}  // namespace

Resultado EscribirResultados(const Parametros& par, ImagenActual& img, const GrillasModelo& g,
                             EstadoCorrida& e) {
    const std::string base = BaseResultados(par);
    const std::string& sub = e.SubtituloCorrida;
    const std::string dem = par.DirDEM + par.ArchivoDEM;

    // 1. Residual depth.
    Resultado r = EscribirUna(base + "_HF_dat.rkd", sub + ": H Residual [m] en Pixel - " + e.MetodoTexto, img,
                              g.Cota,
                              [&](int32_t i, int32_t j, float& extremo) {
                                  const double h = g.Nivel(i, j) - static_cast<double>(g.Cota(i, j));
                                  extremo = static_cast<float>(h);
                                  return static_cast<float>(Redondear(h, 4));
                              },
                              e, dem);
    if (!r) return r;

    // 2. Maximum depth, collecting the smallest HMax above HminAuto.
    float menorSobreUmbral = 100000000.0f;
    r = EscribirUna(base + "_HM_dat.rkd", sub + ": H Máx.[m] en Pixel - " + e.MetodoTexto, img, g.Cota,
                    [&](int32_t i, int32_t j, float& extremo) {
                        const float h = g.HMax(i, j);
                        extremo = h;
                        if (h > e.HminAuto && h < menorSobreUmbral) menorSobreUmbral = h;
                        return static_cast<float>(Redondear(h, 3));
                    },
                    e, dem);
    if (!r) return r;
    e.HminAuto = UmbralProfundidadFinal(e.HminAuto, menorSobreUmbral, par.Metodo);

    // 3. Maximum discharge.
    const int d = DecimalesCaudal(e.QMaxMayor);
    r = EscribirUna(base + "_QM_dat.rkd", sub + ": Caudal máximo[m3/s] en cada Pixel -" + e.MetodoTexto, img,
                    g.Cota,
                    [&](int32_t i, int32_t j, float& extremo) {
                        const float q = g.QMax(i, j);
                        extremo = q;
                        return static_cast<float>(Redondear(q, d));
                    },
                    e, dem);
    if (!r) return r;

    // 4. Hydrograph of the section.
    img.DatoMenor = 1e8f;
    img.DatoMayor = -1e8f;
    RemuestrearHidrograma(par, e);
    EscritorDelimitado out;
    out.Texto("Título                 : ").Texto(img.Titulo).FinLinea();
    out.Texto("Subtítulo              : ").Texto(sub + ": Hidrograma en Pixel").FinLinea();
    out.Texto("Pixel de Fila          : ").Numero(par.fHidro1).FinLinea();
    out.Texto("Pixel de Columna       : ").Numero(par.cHidro1).FinLinea();
    out.Texto("Caudal mínimo          : ").Numero(e.QSeccionMin).FinLinea();
    out.Texto("Caudal Máximo          : ").Numero(e.QSeccionMax).FinLinea();
    out.Texto("Paso de Cálculo [min]  : ").Numero(par.PasoPp).FinLinea();
    out.Texto("Paso Salidas [min]     : ").Numero(par.PasoQ).FinLinea();
    out.Texto("Escorrentia [m3]       : ").Numero(e.Escorrentia).FinLinea();
    out.Texto("Altura Máx. p.a. [m3]  : ").Numero(e.NivelMaxSeccion).FinLinea();
    for (int32_t k = 1; k <= e.NroSalidas; ++k)
        out.Numero(k).Numero(e.Hidrograma[static_cast<size_t>(k)]).FinLinea();
    const std::string nombreQt = base + "_Qt.rkd";
    if (Resultado w = GuardarArchivo(nombreQt, out.Bytes()); !w) return w;
    e.ArchivosEscritos.push_back(nombreQt);
    return Resultado::Bien();
}

}  // namespace tarno
