#include <cstdio>

#include "cli/comandos.h"

namespace tarno::cli {

int ImportarIdrisi(const Argumentos&) {
    std::fprintf(stderr, "Comando no disponible todavía\n");
    return 2;
}

int ImportarTexto(const Argumentos&) {
    std::fprintf(stderr, "Comando no disponible todavía\n");
    return 2;
}

}  // namespace tarno::cli
