#include "model/resultados.h"

#include <cmath>
#include <functional>
#include <new>
#include <thread>
#include <vector>

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

// One result raster: its data file is formatted (into a temporary file) on
// its own, possibly beside the others; it is put in place, with its header,
// in the files' order.
struct RasterResultado {
    std::string nombreDat;
    std::string subtitulo;
    ArchivoPorPartes datos;
    float menor = 1e8f;
    float mayor = -1e8f;
    Resultado escrito = Resultado::Bien();

    // Writes the values `valor(i, j, extremo)` returns; `extremo` receives the
    // value that counts for the extremes. The extremes are taken even when
    // the file cannot be written.
    template <typename F>
    void Formatear(int32_t filas, int32_t columnas, F valor) {
        // Nothing may leave a task that runs on a thread of its own.
        try {
            escrito = datos.Abrir(nombreDat);
            const bool abierto = escrito.ok;
            FormaArchivoConMemoria forma;
            for (int32_t i = 1; i <= filas; ++i)
                for (int32_t j = 1; j <= columnas; ++j) {
                    float extremo = 0;
                    const float v = valor(i, j, extremo);
                    if (extremo < menor) menor = extremo;
                    if (extremo > mayor) mayor = extremo;
                    if (!abierto) continue;
                    char* p = datos.Espacio(kLargoNumeroArchivo + 2);
                    p = forma.Escribir(p, v);
                    *p++ = '\r';
                    *p++ = '\n';
                    datos.Avanzar(p);
                }
            if (abierto) escrito = datos.Cerrar();
        } catch (const std::exception&) {
            datos.Descartar();
            escrito = Resultado::Falla("No hay memoria suficiente para escribir " + nombreDat);
        }
    }

    // Puts the data file in place and writes its header (the DEM's, with the
    // subtitle and the extremes of this raster).
    Resultado Colocar(ImagenActual& img, EstadoCorrida& e, const std::string& demDat) {
        img.DatoMenor = menor;
        img.DatoMayor = mayor;
        if (!escrito) return escrito;
        if (Resultado r = datos.Renombrar(); !r) return r;
        CabeceraImagen cab = img;  // title, size, coordinates and resolutions of the DEM
        cab.Subtitulo = subtitulo;
        if (Resultado r = EscribirCabecera(NombreCabDe(nombreDat), cab); !r) return r;
        e.ArchivosEscritos.push_back(nombreDat);
        e.ArchivosEscritos.push_back(NombreCabDe(nombreDat));
        // The DEM's coordinate system goes with its results.
        if (Resultado r = SeguirPrj(demDat, nombreDat); !r) return r;
        if (ExisteArchivo(NombrePrj(nombreDat))) e.ArchivosEscritos.push_back(NombrePrj(nombreDat));
        return Resultado::Bien();
    }
};

// Runs the tasks, the first on this thread and the others on threads of
// their own (on this one too when no thread can be started).
void EnParalelo(const std::vector<std::function<void()>>& tareas) {
    std::vector<std::thread> hilos;
    size_t enHilo = 0;
    for (size_t t = 1; t < tareas.size(); ++t) {
        try {
            hilos.emplace_back(tareas[t]);
            enHilo = t;
        } catch (const std::exception&) {
            break;  // no thread: the rest run here
        }
    }
    tareas[0]();
    for (size_t t = enHilo + 1; t < tareas.size(); ++t) tareas[t]();
    for (std::thread& h : hilos) h.join();
}

}  // namespace

Resultado EscribirResultados(const Parametros& par, ImagenActual& img, const GrillasModelo& g,
                             EstadoCorrida& e) {
    const std::string base = BaseResultados(par);
    const std::string& sub = e.SubtituloCorrida;
    const std::string dem = par.DirDEM + par.ArchivoDEM;
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();

    RasterResultado hf, hm, qm;
    hf.nombreDat = base + "_HF_dat.rkd";
    hf.subtitulo = sub + ": H Residual [m] en Pixel - " + e.MetodoTexto;
    hm.nombreDat = base + "_HM_dat.rkd";
    hm.subtitulo = sub + ": H Máx.[m] en Pixel - " + e.MetodoTexto;
    qm.nombreDat = base + "_QM_dat.rkd";
    qm.subtitulo = sub + ": Caudal máximo[m3/s] en cada Pixel -" + e.MetodoTexto;

    // The smallest HMax above HminAuto, collected while writing the maximum depth.
    float menorSobreUmbral = 100000000.0f;
    const float hminAuto = e.HminAuto;
    const int d = DecimalesCaudal(e.QMaxMayor);
    const double escala4 = std::pow(10.0, 4);
    const double escala3 = std::pow(10.0, 3);
    const double escalaQ = std::pow(10.0, d);

    EnParalelo({
        // 1. Residual depth.
        [&] {
            hf.Formatear(filas, columnas, [&](int32_t i, int32_t j, float& extremo) {
                const double h = g.Nivel(i, j) - static_cast<double>(g.Cota(i, j));
                extremo = static_cast<float>(h);
                return static_cast<float>(RedondearConEscala(h, escala4));
            });
        },
        // 2. Maximum depth.
        [&] {
            hm.Formatear(filas, columnas, [&](int32_t i, int32_t j, float& extremo) {
                const float h = g.HMax(i, j);
                extremo = h;
                if (h > hminAuto && h < menorSobreUmbral) menorSobreUmbral = h;
                return static_cast<float>(RedondearConEscala(h, escala3));
            });
        },
        // 3. Maximum discharge.
        [&] {
            qm.Formatear(filas, columnas, [&](int32_t i, int32_t j, float& extremo) {
                const float q = g.QMax(i, j);
                extremo = q;
                return static_cast<float>(RedondearConEscala(q, escalaQ));
            });
        },
    });

    if (Resultado r = hf.Colocar(img, e, dem); !r) return r;
    if (Resultado r = hm.Colocar(img, e, dem); !r) return r;
    e.HminAuto = UmbralProfundidadFinal(e.HminAuto, menorSobreUmbral, par.Metodo);
    if (Resultado r = qm.Colocar(img, e, dem); !r) return r;

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
