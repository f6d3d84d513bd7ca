// `tarno lote`: a table of scenarios over a base parameter file, each run by
// `tarno run` in its own folder, several at once; and the batch summary.
//
// Layout of the output folder DIR:
//   DIR/lote_escenarios.csv   copy of the scenario table (what --resumir reads)
//   DIR/lote_resumen.csv      one row per scenario with a summary
//   DIR/_orden/               the processing-order cache, shared and read-only
//                             while scenarios run (DIR/_orden/2/... for a second
//                             DEM of the same file name)
//   DIR/NOMBRE/               the DEM (links, or copies where links fail),
//                             parametros.txt, resumen.json, corrida.log and the
//                             run's result files
//
// Each scenario is a child process `tarno run DIR/NOMBRE/parametros.txt
// --resumen DIR/NOMBRE/resumen.json --cache-orden DIR/_orden/`: the files it
// writes are those of a single run of the same parameters, and a scenario that
// fails or crashes takes nothing else down.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cli/comandos.h"
#include "cli/plataforma_consola.h"
#include "comandos/cargar_dem.h"
#include "model/lote.h"
#include "model/orden_proceso.h"
#include "model/parametros_texto.h"
#include "model/reparto.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"
#include "raster/prj.h"

extern char** environ;

namespace tarno::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kResumenLote = "lote_resumen.csv";
constexpr const char* kCopiaTabla = "lote_escenarios.csv";
constexpr const char* kCarpetaOrden = "_orden";
constexpr const char* kParametrosEscenario = "parametros.txt";
constexpr const char* kResumenEscenario = "resumen.json";
constexpr const char* kBitacoraEscenario = "corrida.log";

const char* kUso =
    "uso: tarno lote ESCENARIOS.csv --base PARAMETROS --salida CARPETA [--trabajos N] [--fila K]\n"
    "                [--reanudar] [--preparar]\n"
    "     tarno lote --resumir CARPETA\n";

std::string ConSeparador(std::string c) {
    if (c.empty() || (c.back() != '/' && c.back() != '\\')) c += SeparadorCarpeta();
    return c;
}

std::string Absoluta(const std::string& ruta) {
    std::error_code ec;
    fs::path p = fs::absolute(ruta, ec);
    return ec ? ruta : p.lexically_normal().string();
}

bool LeerEnteroPositivo(const std::string& texto, int& v) {
    double d;
    if (!ConvertirDouble(texto, d) || d < 1 || d > 1e9 || d != static_cast<double>(static_cast<int>(d))) return false;
    v = static_cast<int>(d);
    return true;
}

// Rebuilds DIR/lote_resumen.csv from the scenario folders' summaries (the
// first row of a repeated name only). False (with the message printed) when
// it cannot be written.
bool EscribirResumenLote(const std::string& dir, const TablaEscenarios& tabla, int* filas, int* escenarios) {
    std::vector<std::string> jsons(tabla.filas.size());
    std::set<std::string> vistos;
    int validos = 0;
    for (size_t k = 0; k < tabla.filas.size(); ++k) {
        const auto& celdas = tabla.filas[k].celdas;
        if (tabla.columnaNombre >= celdas.size()) continue;
        const std::string& nombre = celdas[tabla.columnaNombre];
        if (!ProblemaNombreEscenario(nombre).empty() || !vistos.insert(nombre).second) continue;
        ++validos;
        if (!LeerArchivo(dir + nombre + SeparadorCarpeta() + kResumenEscenario, jsons[k])) jsons[k].clear();
    }
    if (escenarios) *escenarios = validos;
    if (Resultado r = GuardarArchivo(dir + kResumenLote, TextoResumenLote(tabla, jsons, filas)); !r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return false;
    }
    return true;
}

int Resumir(const std::string& carpeta) {
    const std::string dir = ConSeparador(carpeta);
    std::string texto;
    if (!LeerArchivo(dir + kCopiaTabla, texto)) {
        std::fprintf(stderr, "No se pudo leer %s%s (la tabla que copia tarno lote)\n", dir.c_str(), kCopiaTabla);
        return 2;
    }
    TablaEscenarios tabla;
    if (Resultado r = LeerTablaEscenarios(texto, tabla); !r) {
        std::fprintf(stderr, "%s%s: %s\n", dir.c_str(), kCopiaTabla, r.mensaje.c_str());
        return 2;
    }
    int filas = 0, escenarios = 0;
    if (!EscribirResumenLote(dir, tabla, &filas, &escenarios)) return 1;
    std::printf("%s%s: %d de %d escenarios\n", dir.c_str(), kResumenLote, filas, escenarios);
    return filas == escenarios ? 0 : 1;
}

// A scenario of the batch and where it runs.
struct Trabajo {
    Escenario esc;
    std::string carpeta;     // DIR/NOMBRE/
    std::string demOrigen;   // the DEM data file the scenario names (absolute)
    std::string cacheOrden;  // folder of its order cache
    std::string textoParametros;
    bool fallido = false;
};

// The DEM file `origen` seen as `destino`: a symbolic link, or a copy where
// links cannot be made. What an earlier batch left there is replaced.
Resultado Enlazar(const std::string& origen, const std::string& destino) {
    std::error_code ec;
    if (fs::equivalent(origen, destino, ec)) return Resultado::Bien();
    fs::remove(destino, ec);
    fs::create_symlink(origen, destino, ec);
    if (!ec) return Resultado::Bien();
    return CopiarArchivo(origen, destino);
}

Resultado PrepararCarpeta(const Trabajo& t) {
    std::error_code ec;
    fs::create_directories(t.carpeta, ec);
    if (ec) return Resultado::Falla("No se pudo crear la carpeta " + t.carpeta + ": " + ec.message());
    const std::string dat = t.carpeta + t.esc.par.ArchivoDEM;
    if (Resultado r = Enlazar(t.demOrigen, dat); !r) return r;
    if (Resultado r = Enlazar(NombreCabDe(t.demOrigen), NombreCabDe(dat)); !r) return r;
    if (ExisteArchivo(NombrePrj(t.demOrigen))) {
        if (Resultado r = Enlazar(NombrePrj(t.demOrigen), NombrePrj(dat)); !r) return r;
    } else {
        fs::remove(NombrePrj(dat), ec);
    }
    // The summary of an earlier run of this folder must not pass for this one's.
    fs::remove(t.carpeta + kResumenEscenario, ec);
    return GuardarArchivo(t.carpeta + kParametrosEscenario, t.textoParametros);
}

// Child `tarno run` of a scenario, its output in the scenario's log. 0 when
// it could not be started (the message is printed).
pid_t Lanzar(const Trabajo& t) {
    const std::vector<std::string> args = {
        "tarno",         "run",       t.carpeta + kParametrosEscenario, "--resumen", t.carpeta + kResumenEscenario,
        "--cache-orden", t.cacheOrden};
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::string bitacora = t.carpeta + kBitacoraEscenario;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, bitacora.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    pid_t pid = 0;
    // This very program, even if its file is replaced while the batch runs.
    const int err = posix_spawn(&pid, "/proc/self/exe", &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (err != 0) {
        std::fprintf(stderr, "escenario %s: no se pudo iniciar tarno run: %s\n", t.esc.nombre.c_str(),
                     std::strerror(err));
        return 0;
    }
    return pid;
}

// The progress line: redrawn in place on a terminal, one line per change
// elsewhere (logs of a cluster job).
class Avance {
public:
    explicit Avance(int total) : total_(total), terminal_(isatty(fileno(stderr)) != 0) {}
    void Linea(int hechos, int enCurso, int fallidos) {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0_).count();
        const std::string l = TextoProgresoLote(hechos, total_, enCurso, fallidos, s);
        if (terminal_)
            std::fprintf(stderr, "\r%s\033[K", l.c_str());
        else
            std::fprintf(stderr, "%s\n", l.c_str());
        std::fflush(stderr);
        abierta_ = terminal_;
    }
    // A message above the progress line.
    void Aviso(const std::string& texto) {
        if (abierta_) std::fprintf(stderr, "\r\033[K");
        std::fprintf(stderr, "%s\n", texto.c_str());
        abierta_ = false;
    }
    void Cerrar() {
        if (abierta_) std::fprintf(stderr, "\n");
        abierta_ = false;
    }
    bool Terminal() const { return terminal_; }
    double Segundos() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0_).count(); }

private:
    int total_;
    bool terminal_;
    bool abierta_ = false;
    std::chrono::steady_clock::time_point t0_ = std::chrono::steady_clock::now();
};

// Set by SIGINT / SIGTERM: the running scenarios are stopped and the summary
// of the finished ones written before the batch ends.
volatile sig_atomic_t gInterrumpido = 0;

void AlInterrumpir(int) { gInterrumpido = 1; }

}  // namespace

int Lote(const Argumentos& args) {
    std::string tablaRuta, base, salida, resumir;
    int trabajos = 0, fila = 0;
    bool reanudar = false, preparar = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool conValor =
            a == "--base" || a == "--salida" || a == "--trabajos" || a == "--fila" || a == "--resumir";
        if (conValor && i + 1 >= args.size()) return std::fprintf(stderr, "%s", kUso), 2;
        if (a == "--base")
            base = args[++i];
        else if (a == "--salida")
            salida = args[++i];
        else if (a == "--resumir")
            resumir = args[++i];
        else if (a == "--trabajos") {
            if (!LeerEnteroPositivo(args[++i], trabajos))
                return std::fprintf(stderr, "--trabajos: se esperaba un entero positivo: %s\n", args[i].c_str()), 2;
        } else if (a == "--fila") {
            if (!LeerEnteroPositivo(args[++i], fila))
                return std::fprintf(stderr, "--fila: se esperaba un entero positivo: %s\n", args[i].c_str()), 2;
        } else if (a == "--reanudar")
            reanudar = true;
        else if (a == "--preparar")
            preparar = true;
        else if (tablaRuta.empty() && !a.empty() && a[0] != '-')
            tablaRuta = a;
        else
            return std::fprintf(stderr, "%s", kUso), 2;
    }
    if (!resumir.empty()) {
        if (!tablaRuta.empty() || !base.empty() || !salida.empty()) return std::fprintf(stderr, "%s", kUso), 2;
        return Resumir(resumir);
    }
    if (tablaRuta.empty() || base.empty() || salida.empty()) return std::fprintf(stderr, "%s", kUso), 2;
    if (trabajos == 0) trabajos = ProcesadoresDisponibles();
    // Scenarios run side by side take the processors: each keeps to one thread.
    if (trabajos > 1) ::setenv("TARNO_HILOS", "1", 1);

    Parametros parBase;
    std::string pluviogramaBase;
    if (!LeerArchivoParametros(base, parBase, pluviogramaBase)) return 2;
    std::string texto;
    if (!LeerArchivo(tablaRuta, texto))
        return std::fprintf(stderr, "No se pudo leer la tabla de escenarios %s\n", tablaRuta.c_str()), 2;
    TablaEscenarios tabla;
    if (Resultado r = LeerTablaEscenarios(texto, tabla); !r)
        return std::fprintf(stderr, "%s: %s\n", tablaRuta.c_str(), r.mensaje.c_str()), 2;
    const int nFilas = static_cast<int>(tabla.filas.size());
    if (fila > nFilas)
        return std::fprintf(stderr, "--fila %d: la tabla %s tiene %d escenarios\n", fila, tablaRuta.c_str(), nFilas), 2;

    const std::string dir = ConSeparador(Absoluta(salida));
    {
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (ec)
            return std::fprintf(stderr, "No se pudo crear la carpeta %s: %s\n", dir.c_str(), ec.message().c_str()), 1;
        std::string copia;
        if (!LeerArchivo(dir + kCopiaTabla, copia) || copia != texto)
            if (Resultado r = GuardarArchivo(dir + kCopiaTabla, texto); !r)
                return std::fprintf(stderr, "%s\n", r.mensaje.c_str()), 1;
    }

    // Every row is built (the cache folders are assigned over the whole
    // table, so one task of a cluster array finds what another prepared);
    // only the chosen ones are reported and run.
    std::vector<Trabajo> todos(static_cast<size_t>(nFilas));
    std::map<std::string, std::string> cachePorDEM;
    std::map<std::string, int> usosNombreDEM;
    for (int k = 1; k <= nFilas; ++k) {
        Trabajo& t = todos[static_cast<size_t>(k - 1)];
        t.esc = ArmarEscenario(tabla, k, parBase, pluviogramaBase);
        if (!t.esc.error.empty()) continue;
        Parametros& par = t.esc.par;
        if (par.DirDEM.empty() || par.DirDEM == kSinArchivo || par.ArchivoDEM.empty()) {
            t.esc.error = "no hay archivo MDT (DirDEM y ArchivoDEM)";
            continue;
        }
        // Paths are those of a `tarno run` started here.
        t.demOrigen = Absoluta(par.DirDEM + par.ArchivoDEM);
        if (!t.esc.pluviograma.empty()) t.esc.pluviograma = Absoluta(t.esc.pluviograma);
        auto [it, nuevo] = cachePorDEM.emplace(t.demOrigen, "");
        if (nuevo) {
            const int n = ++usosNombreDEM[par.ArchivoDEM];
            it->second = dir + kCarpetaOrden + SeparadorCarpeta() +
                         (n == 1 ? std::string() : std::to_string(n) + SeparadorCarpeta());
        }
        t.cacheOrden = it->second;
        t.carpeta = dir + t.esc.nombre + SeparadorCarpeta();
        par.DirDEM = t.carpeta;
        t.textoParametros = TextoParametros(par);
        if (!t.esc.pluviograma.empty()) t.textoParametros += "Pluviograma=" + t.esc.pluviograma + "\n";
    }

    std::vector<Trabajo*> elegidos;
    int conFallas = 0, yaHechos = 0;
    for (int k = 1; k <= nFilas; ++k) {
        if (fila != 0 && k != fila) continue;
        Trabajo& t = todos[static_cast<size_t>(k - 1)];
        if (!t.esc.error.empty()) {
            std::fprintf(stderr, "%s:%d: escenario %d%s%s: %s; no se corre\n", tablaRuta.c_str(), t.esc.linea, k,
                         t.esc.nombre.empty() ? "" : " ", t.esc.nombre.c_str(), t.esc.error.c_str());
            ++conFallas;
            continue;
        }
        if (reanudar && ExisteArchivo(t.carpeta + kResumenEscenario)) {
            std::string antes;
            if (LeerArchivo(t.carpeta + kParametrosEscenario, antes) && antes == t.textoParametros) {
                ++yaHechos;
                continue;
            }
        }
        elegidos.push_back(&t);
    }
    if (yaHechos > 0) std::fprintf(stderr, "lote: %d escenarios ya tienen su resumen (--reanudar)\n", yaHechos);

    // The processing order of each DEM, computed once before any scenario
    // starts; the scenarios only read it. A task of a cluster array that finds
    // the cache leaves its checking to the run.
    PlataformaConsola plat;
    std::set<std::string> preparados;
    for (Trabajo* t : elegidos) {
        if (!preparados.insert(t->demOrigen).second) continue;
        const std::string cache = t->cacheOrden + NombreCacheOrden(t->esc.par.ArchivoDEM);
        if (fila != 0 && ExisteArchivo(cache)) continue;
        Parametros par = t->esc.par;
        SepararRuta(t->demOrigen, par.DirDEM, par.ArchivoDEM);
        ImagenActual img;
        Grilla<float> cota;
        const EstadoDEM e = CargarDEM(par, img, cota, plat);
        bool bien = e != EstadoDEM::SinArchivo && e != EstadoDEM::ErrorLectura;
        if (bien) {
            std::error_code ec;
            fs::create_directories(t->cacheOrden, ec);
            OrdenProceso orden;
            const std::string nombre = NombreCacheOrden(par.ArchivoDEM);
            const bool leido = LeerCacheOrden(t->cacheOrden, nombre, cota, orden);
            if (!leido) {
                CalcularOrden(cota, orden);
                if (!EscribirCacheOrden(t->cacheOrden, nombre, cota, orden))
                    std::fprintf(stderr, "lote: no se pudo escribir la caché del orden %s; cada escenario lo calcula\n",
                                 cache.c_str());
            }
            std::fprintf(stderr, "lote: orden de proceso de %s %s\n", t->demOrigen.c_str(),
                         leido ? "leído de la caché" : "calculado");
        }
        if (!bien)
            for (Trabajo* u : elegidos)
                if (u->demOrigen == t->demOrigen && !u->fallido) {
                    std::fprintf(stderr, "escenario %s: no se pudo leer el MDT %s; no se corre\n",
                                 u->esc.nombre.c_str(), u->demOrigen.c_str());
                    u->fallido = true;
                    ++conFallas;
                }
    }
    for (Trabajo* t : elegidos) {
        if (t->fallido) continue;
        if (Resultado r = PrepararCarpeta(*t); !r) {
            std::fprintf(stderr, "escenario %s: %s; no se corre\n", t->esc.nombre.c_str(), r.mensaje.c_str());
            t->fallido = true;
            ++conFallas;
        }
    }
    if (preparar) {
        std::printf("%d\n", nFilas);
        return conFallas > 0 ? 1 : 0;
    }
    std::vector<Trabajo*> cola;
    for (Trabajo* t : elegidos)
        if (!t->fallido) cola.push_back(t);
    if (fila == 0 && !EscribirResumenLote(dir, tabla, nullptr, nullptr)) return 1;

    // The scenarios, `trabajos` at once.
    const int total = static_cast<int>(cola.size());
    Avance avance(total);
    std::map<pid_t, Trabajo*> enCurso;
    size_t siguiente = 0;
    int hechos = 0, fallidos = 0;
    auto ultimo = std::chrono::steady_clock::now();
    bool primera = true;
    struct sigaction accion {
    }, antesInt{}, antesTerm{};
    accion.sa_handler = AlInterrumpir;
    sigemptyset(&accion.sa_mask);
    sigaction(SIGINT, &accion, &antesInt);
    sigaction(SIGTERM, &accion, &antesTerm);
    bool detenido = false;
    while (siguiente < cola.size() || !enCurso.empty()) {
        if (gInterrumpido && !detenido) {
            avance.Aviso("lote: interrumpido; se detienen los escenarios en curso");
            for (const auto& [pid, t] : enCurso) kill(pid, SIGTERM);
            siguiente = cola.size();
            detenido = true;
        }
        while (static_cast<int>(enCurso.size()) < trabajos && siguiente < cola.size()) {
            Trabajo* t = cola[siguiente++];
            if (pid_t pid = Lanzar(*t); pid > 0) {
                enCurso[pid] = t;
            } else {
                ++hechos;
                ++fallidos;
            }
        }
        if (primera && total > 0) avance.Linea(hechos, static_cast<int>(enCurso.size()), fallidos);
        primera = false;
        if (enCurso.empty()) continue;
        int estado = 0;
        const pid_t pid = waitpid(-1, &estado, WNOHANG);
        if (pid == 0 || (pid < 0 && errno == EINTR)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (avance.Terminal() && std::chrono::steady_clock::now() - ultimo > std::chrono::seconds(1)) {
                avance.Linea(hechos, static_cast<int>(enCurso.size()), fallidos);
                ultimo = std::chrono::steady_clock::now();
            }
            continue;
        }
        if (pid < 0) break;  // no children left
        auto it = enCurso.find(pid);
        if (it == enCurso.end()) continue;
        Trabajo* t = it->second;
        enCurso.erase(it);
        ++hechos;
        const bool bien = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
        if (!bien) {
            ++fallidos;
            const std::string como = WIFEXITED(estado) ? "terminó con estado " + std::to_string(WEXITSTATUS(estado))
                                                       : "terminó por la señal " + std::to_string(WTERMSIG(estado));
            avance.Aviso("escenario " + t->esc.nombre + ": la corrida " + como + " (ver " + t->carpeta +
                         kBitacoraEscenario + ")");
        }
        EscribirResumenLote(dir, tabla, nullptr, nullptr);
        avance.Linea(hechos, static_cast<int>(enCurso.size()), fallidos);
        ultimo = std::chrono::steady_clock::now();
    }
    avance.Cerrar();
    sigaction(SIGINT, &antesInt, nullptr);
    sigaction(SIGTERM, &antesTerm, nullptr);
    if (detenido) {
        std::printf("%s%s: lote interrumpido; %d escenarios terminados\n", dir.c_str(), kResumenLote, hechos);
        return 130;
    }
    std::printf("%s%s: %d escenarios corridos en %s, %d con fallas\n", dir.c_str(), kResumenLote, hechos,
                TextoDuracion(avance.Segundos()).c_str(), fallidos + conFallas);
    return fallidos + conFallas > 0 ? 1 : 0;
}

}  // namespace tarno::cli
