// `tarno`: the command line of TARNO-SIG.
//
// Built twice: `tarno-completo` (TARNO_CLI_COMPLETO) has every command;
// `tarno` has those that need neither Qt nor GDAL, and hands the others to
// `tarno-completo` in its own folder. Loading those libraries takes about a
// tenth of a second, as long as a whole run of a small basin, and `tarno
// lote` starts a `tarno run` per scenario.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/comandos.h"

#ifndef TARNO_CLI_COMPLETO
#define TARNO_CLI_COMPLETO 0
#endif
#if TARNO_CLI_COMPLETO
#define TARNO_COMPLETO(f) f
#else
#define TARNO_COMPLETO(f) nullptr
#endif

namespace {

struct Comando {
    const char* nombre;
    int (*funcion)(const tarno::cli::Argumentos&);
    const char* uso;
};

const Comando kComandos[] = {
    {"info", tarno::cli::Info, "info IMAGEN_dat.rkd"},
    {"import-asc", TARNO_COMPLETO(tarno::cli::ImportarAsc),
     "import-asc ENTRADA.asc SALIDA_dat.rkd [--resx M --resy M] [--titulo T]"},
    {"run", tarno::cli::Run, "run PARAMETROS [--set Campo=valor ...] [--resumen RESUMEN.json] [--cache-orden CARPETA] [--informe]"},
    {"lote", tarno::cli::Lote,
     "lote ESCENARIOS.csv --base PARAMETROS --salida CARPETA [--trabajos N] [--fila K] [--reanudar] [--preparar]\n"
     "  tarno lote --resumir CARPETA"},
    {"tormenta", tarno::cli::Tormenta,
     "tormenta SALIDA_Pp.rkd --tipo bloques|scs2|uniforme [--idf A,B,C] [--pp MM] [--dur MIN] --paso MIN [--rec AÑOS] "
     "[--titulo T]"},
    {"order", tarno::cli::Orden, "order MDT_dat.rkd"},
    {"render", TARNO_COMPLETO(tarno::cli::Render),
     "render IMAGEN_dat.rkd SALIDA.png [--paleta N] [--pixel N] [--invertir] [--forzar-minimo]"},
    {"grafico", TARNO_COMPLETO(tarno::cli::Grafico),
     "grafico QT.rkd SALIDA.png|.svg [--ancho PX] [--alto PX] [--parametros PARAMETROS]"},
    {"import-idrisi", tarno::cli::ImportarIdrisi, "import-idrisi IMAGEN"},
    {"import-txt", tarno::cli::ImportarTexto, "import-txt TEXTO"},
    {"depurar", tarno::cli::Depurar, "depurar QD_cab.rkd MDT_dat.rkd"},
    {"import", TARNO_COMPLETO(tarno::cli::ImportarRaster),
     "import RASTER SALIDA_dat.rkd [--banda N] [--titulo T] [--mantener-geograficas]"},
    {"export", TARNO_COMPLETO(tarno::cli::ExportarRaster),
     "export IMAGEN_dat.rkd SALIDA.tif [--formato DRIVER] [--mdt MDT_dat.rkd] [--sin-nodata]"},
};

// The command in `tarno-completo`, beside this program, with the same
// arguments (it takes this process's place).
int Completo(char** argv) {
    std::error_code ec;
    const std::filesystem::path yo = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string ruta = ec ? std::string("tarno-completo") : (yo.parent_path() / "tarno-completo").string();
    std::fflush(nullptr);
    if (!ec) execv(ruta.c_str(), argv);
    std::fprintf(stderr, "Error: no se pudo iniciar %s: %s\n", ruta.c_str(),
                 std::strerror(ec ? ec.value() : errno));
    return 1;
}

void Uso() {
    std::fprintf(stderr, "uso: tarno COMANDO [argumentos]\n");
    for (const Comando& c : kComandos) std::fprintf(stderr, "  tarno %s\n", c.uso);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        Uso();
        return argc < 2 ? 2 : 0;
    }
    tarno::cli::Argumentos args(argv + 2, argv + argc);
    for (const Comando& c : kComandos) {
        if (std::strcmp(argv[1], c.nombre) == 0) {
            if (!c.funcion || (c.funcion == tarno::cli::Run && !TARNO_CLI_COMPLETO &&
                                 std::find(args.begin(), args.end(), "--informe") != args.end()))
                return Completo(argv);
            try {
                return c.funcion(args);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "Error: %s\n", e.what());
                return 1;
            }
        }
    }
    std::fprintf(stderr, "Comando desconocido: %s\n", argv[1]);
    Uso();
    return 2;
}
