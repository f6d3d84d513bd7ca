#include <cstdio>

#include "cli/comandos.h"

namespace tarno::cli {

int Depurar(const Argumentos&) {
    std::fprintf(stderr, "Comando no disponible todavía\n");
    return 2;
}

}  // namespace tarno::cli
