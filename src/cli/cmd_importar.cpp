#include <cstdio>

#include "cli/comandos.h"
#include "cli/plataforma_consola.h"
#include "raster/archivos.h"
#include "comandos/importar_texto.h"

namespace tarno::cli {

namespace {
// Runs one of the importers the way the menu does, headless.
template <typename F>
int Importar(const Argumentos& args, const char* uso, F importar) {
    if (args.size() != 1) {
        std::fprintf(stderr, "uso: tarno %s\n", uso);
        return 2;
    }
    std::string carpeta, nombre;
    SepararRuta(args[0], carpeta, nombre);
    PlataformaConsola plataforma;
    SinAviso aviso;
    ImagenActual img;
    std::vector<float> vector;
    return importar(args[0], carpeta, img, vector, plataforma, aviso) ? 0 : 1;
}
}  // namespace

int ImportarIdrisi(const Argumentos& args) {
    return Importar(args, "import-idrisi IMAGEN.img|.rst|.txt", tarno::ImportarIdrisi);
}

int ImportarTexto(const Argumentos& args) {
    return Importar(args, "import-txt TEXTO.txt", tarno::ImportarTextoBlancos);
}

}  // namespace tarno::cli
