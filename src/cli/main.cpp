// `tarno`: the command line of TARNO-SIG.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/comandos.h"

namespace {

struct Comando {
    const char* nombre;
    int (*funcion)(const tarno::cli::Argumentos&);
    const char* uso;
};

const Comando kComandos[] = {
    {"info", tarno::cli::Info, "info IMAGEN_dat.rkd"},
    {"import-asc", tarno::cli::ImportarAsc,
     "import-asc ENTRADA.asc SALIDA_dat.rkd [--resx M --resy M] [--titulo T]"},
    {"run", tarno::cli::Run, "run PARAMETROS [--set Campo=valor ...] [--resumen RESUMEN.json] [--cache-orden CARPETA] [--informe]"},
    {"lote", tarno::cli::Lote,
     "lote ESCENARIOS.csv --base PARAMETROS --salida CARPETA [--trabajos N] [--fila K] [--reanudar] [--preparar]\n"
     "  tarno lote --resumir CARPETA"},
    {"tormenta", tarno::cli::Tormenta,
     "tormenta SALIDA_Pp.rkd --tipo bloques|scs2|uniforme [--idf A,B,C] [--pp MM] [--dur MIN] --paso MIN [--rec AÑOS] "
     "[--titulo T]"},
    {"order", tarno::cli::Orden, "order MDT_dat.rkd"},
    {"render", tarno::cli::Render,
     "render IMAGEN_dat.rkd SALIDA.png [--paleta N] [--pixel N] [--invertir] [--forzar-minimo]"},
    {"grafico", tarno::cli::Grafico,
     "grafico QT.rkd SALIDA.png|.svg [--ancho PX] [--alto PX] [--parametros PARAMETROS]"},
    {"import-idrisi", tarno::cli::ImportarIdrisi, "import-idrisi IMAGEN"},
    {"import-txt", tarno::cli::ImportarTexto, "import-txt TEXTO"},
    {"depurar", tarno::cli::Depurar, "depurar QD_cab.rkd MDT_dat.rkd"},
    {"import", tarno::cli::ImportarRaster,
     "import RASTER SALIDA_dat.rkd [--banda N] [--titulo T] [--mantener-geograficas]"},
    {"export", tarno::cli::ExportarRaster,
     "export IMAGEN_dat.rkd SALIDA.tif [--formato DRIVER] [--mdt MDT_dat.rkd] [--sin-nodata]"},
};

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
