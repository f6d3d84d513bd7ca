// `tarno run` and `tarno order`: a whole simulation run headless, and the
// processing order of a DEM.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/comandos.h"
#include "cli/plataforma_consola.h"
#include "comandos/cargar_dem.h"
#include "comandos/correr.h"
#include "model/orden_proceso.h"
#include "model/parametros_texto.h"
#include "comandos/cargar_pluviograma.h"
#include "model/resumen.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"

namespace tarno::cli {
namespace {

// Progress of a run on the terminal: a bar redrawn in place on standard error.
class ObservadorConsola : public ObservadorCorrida {
public:
    ObservadorConsola() : terminal_(isatty(fileno(stderr)) != 0) {}
    void Progreso(double avance, const std::string& periodo, const std::string& tiempo) override {
        if (!terminal_) return;
        const int ancho = 30;
        int llenos = static_cast<int>(avance * ancho / 100.0 + 0.5);
        if (llenos < 0) llenos = 0;
        if (llenos > ancho) llenos = ancho;
        std::fprintf(stderr, "\r[%s%s] %3d%%  %s  %s   ", std::string(static_cast<size_t>(llenos), '#').c_str(),
                     std::string(static_cast<size_t>(ancho - llenos), '.').c_str(), static_cast<int>(avance),
                     periodo.c_str(), tiempo.c_str());
        std::fflush(stderr);
        abierto_ = true;
    }
    void CerrarProgreso() override { Terminar(); }
    bool MuestraPizarra() const override { return false; }  // the summary stands in for the board
    void Terminar() {
        if (abierto_) std::fprintf(stderr, "\n");
        abierto_ = false;
    }

private:
    bool terminal_;
    bool abierto_ = false;
};

}  // namespace

bool LeerArchivoParametros(const std::string& ruta, Parametros& par, std::string& pluviograma) {
    std::ifstream in(ruta, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "No se pudo abrir el archivo de parámetros %s\n", ruta.c_str());
        return false;
    }
    std::string linea;
    int n = 0;
    while (std::getline(in, linea)) {
        ++n;
        std::string campo, valor;
        size_t p = linea.find_first_not_of(" \t\r");
        if (p == std::string::npos || linea[p] == '#') continue;
        if (!SepararAsignacion(linea, campo, valor)) {
            std::fprintf(stderr, "%s:%d: se esperaba Campo=valor\n", ruta.c_str(), n);
            return false;
        }
        if (campo == "Pluviograma") {
            pluviograma = valor;
            continue;
        }
        if (Resultado r = AsignarCampo(par, campo, valor); !r) {
            std::fprintf(stderr, "%s:%d: %s\n", ruta.c_str(), n, r.mensaje.c_str());
            return false;
        }
    }
    return true;
}

namespace {

const char* TextoFin(FinCorrida f) {
    switch (f) {
        case FinCorrida::Completa: return "completa";
        case FinCorrida::Rechazada: return "rechazada";
        case FinCorrida::SinMemoria: return "sin memoria";
        case FinCorrida::Suspendida: return "suspendida";
        case FinCorrida::SinPluviograma: return "sin pluviograma";
        case FinCorrida::ErrorArchivo: return "error de archivo";
        case FinCorrida::Inestable: return "abandonada: paso de cálculo inestable";
    }
    return "";
}

}  // namespace

int Run(const Argumentos& args) {
    const char* uso =
        "uso: tarno run PARAMETROS [--set Campo=valor ...] [--resumen RESUMEN.json] [--cache-orden CARPETA] "
        "[--informe]\n";
    Parametros par;
    bool informe = false;
    std::string archivo, pluviograma, resumen, cacheOrden;
    std::vector<std::string> asignaciones;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--set") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "%s", uso), 2;
            asignaciones.push_back(args[++i]);
        } else if (args[i] == "--resumen") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "%s", uso), 2;
            resumen = args[++i];
        } else if (args[i] == "--informe") {
            informe = true;
        } else if (args[i] == "--cache-orden") {
            if (i + 1 >= args.size()) return std::fprintf(stderr, "%s", uso), 2;
            cacheOrden = args[++i];
            if (!cacheOrden.empty() && !TerminaEn(cacheOrden, "/") && !TerminaEn(cacheOrden, "\\"))
                cacheOrden += SeparadorCarpeta();
        } else if (archivo.empty()) {
            archivo = args[i];
        } else {
            return std::fprintf(stderr, "%s", uso), 2;
        }
    }
    if (archivo.empty()) return std::fprintf(stderr, "%s", uso), 2;
    if (!LeerArchivoParametros(archivo, par, pluviograma)) return 2;
    for (const std::string& a : asignaciones) {
        std::string campo, valor;
        if (!SepararAsignacion(a, campo, valor)) return std::fprintf(stderr, "--set %s: se esperaba Campo=valor\n", a.c_str()), 2;
        if (campo == "Pluviograma") {
            pluviograma = valor;
            continue;
        }
        if (Resultado r = AsignarCampo(par, campo, valor); !r)
            return std::fprintf(stderr, "--set: %s\n", r.mensaje.c_str()), 2;
    }
    if (Resultado r = ValidarParametros(par); !r) return std::fprintf(stderr, "%s\n", r.mensaje.c_str()), 2;

    PlataformaConsola plat;
    Pluviograma pv;
    if (!pluviograma.empty()) {
        // The loader wants a folder: a bare name is taken from the working folder.
        CargaPluviograma c = CargarPluviograma(std::filesystem::absolute(pluviograma).string(), pv, plat);
        if (c.estado != CargaPluviograma::Estado::Cargada) {
            std::fprintf(stderr, "No se pudo leer el pluviograma %s\n", pluviograma.c_str());
            return 1;
        }
    }
    // The record changes the options dialog's fill makes before every run.
    AjustesDeRelleno(par);
    ImagenActual img;
    GrillasModelo grillas;
    EstadoDEM dem = CargarDEM(par, img, grillas.Cota, plat);
    if (dem == EstadoDEM::SinArchivo || dem == EstadoDEM::ErrorLectura) return 1;

    ObservadorConsola obs;
    // A shared cache (runs of a batch at once) is only read.
    EntornoCorrida en{par, img, grillas, pv, plat, obs, cacheOrden, !cacheOrden.empty()};
    EstadoCorrida estado;
    const auto t0 = std::chrono::steady_clock::now();
    FinCorrida fin = CorrerModelo(en, estado);
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    obs.Terminar();

    const int64_t celdas = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    std::printf("Corrida:                         %s\n", TextoFin(fin));
    std::printf("Grilla:                          %d filas x %d columnas (%lld celdas)\n", img.NroFilas,
                img.NroColumnas, static_cast<long long>(celdas));
    std::printf("Orden de proceso:                %s\n", !estado.ordenPreparado      ? "no preparado"
                                                           : !estado.ordenReconstruido ? "leído de la caché"
                                                           : en.cacheSoloLectura      ? "calculado (caché de solo lectura)"
                                                                                      : "calculado (caché escrita)");
    std::printf("Períodos:                        %d de %d (paso %s min)\n", estado.PeriodosHechos, par.nPer,
                NumeroArchivo(par.PasoPp).c_str());
    std::printf("Segundos:                        %.3f\n", segundos);
    std::printf("Celdas-período por segundo:      %.0f\n",
                segundos > 0 ? static_cast<double>(celdas) * estado.PeriodosHechos / segundos : 0.0);
    std::printf("Lluvia caída [m3]:               %.3f\n", estado.VolumenLluvia);
    std::printf("Pérdidas [m3]:                   %.3f\n", estado.VolumenPerdidas);
    std::printf("Salida por el borde [m3]:        %.3f\n", estado.VolumenSalidaBorde);
    std::printf("Almacenamiento sup. [m3]:        %.3f  (AlmacenamientoSup = %s)\n",
                static_cast<double>(estado.AlmacenamientoSup), NumeroArchivo(estado.AlmacenamientoSup).c_str());
    std::printf("Diferencia [m3]:                 %s\n",
                TextoDiferenciaBalance(estado.VolumenLluvia, estado.VolumenPerdidas, estado.VolumenSalidaBorde,
                                       estado.AlmacenamientoSup)
                    .c_str());
    // The largest discharges are known only when every period was routed.
    const bool completa = fin == FinCorrida::Completa;
    const std::string sinDato = std::string("sin dato (corrida ") + TextoFin(fin) + ")";
    std::printf("Caudal máximo sección [m3/s]:    %s\n",
                completa ? NumeroArchivo(estado.QSeccionMax).c_str() : sinDato.c_str());
    std::printf("Caudal máximo en celda [m3/s]:   %s\n",
                completa ? NumeroArchivo(estado.QMaxMayor).c_str() : sinDato.c_str());
    std::printf("Archivos escritos:\n");
    for (const std::string& a : estado.ArchivosEscritos) std::printf("  %s\n", a.c_str());
    if (!resumen.empty()) {
        if (Resultado r = EscribirResumenJson(resumen, ArmarResumen(fin, estado, par, img, segundos)); !r) {
            std::fprintf(stderr, "%s\n", r.mensaje.c_str());
            return 1;
        }
        std::printf("  %s\n", resumen.c_str());
    }
    if (informe && estado.ordenPreparado) {
        // The report of whatever the run left (an abandoned run has no maps).
        std::string ruta;
        if (Resultado r = EscribirInformeCorrida(par, pv, ArmarResumen(fin, estado, par, img, segundos), ruta); !r) {
            std::fprintf(stderr, "%s\n", r.mensaje.c_str());
            return 1;
        }
        std::printf("  %s\n", ruta.c_str());
    }
    return fin == FinCorrida::Completa ? 0 : 1;
}

int Orden(const Argumentos& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "uso: tarno order MDT_dat.rkd\n");
        return 2;
    }
    Parametros par;
    SepararRuta(args[0], par.DirDEM, par.ArchivoDEM);
    if (par.DirDEM.empty()) par.DirDEM = std::string(".") + SeparadorCarpeta();
    PlataformaConsola plat;
    ImagenActual img;
    Grilla<float> cota;
    EstadoDEM dem = CargarDEM(par, img, cota, plat);
    if (dem == EstadoDEM::SinArchivo || dem == EstadoDEM::ErrorLectura) return 1;
    OrdenProceso orden;
    CalcularOrden(cota, orden);
    std::string salida;
    salida.reserve(static_cast<size_t>(orden.Tamano()) * 10);
    for (int64_t k = 1; k <= orden.Tamano(); ++k) {
        salida += std::to_string(orden.Fila[static_cast<size_t>(k)]);
        salida += ' ';
        salida += std::to_string(orden.Columna[static_cast<size_t>(k)]);
        salida += '\n';
    }
    std::fwrite(salida.data(), 1, salida.size(), stdout);
    return 0;
}

}  // namespace tarno::cli
