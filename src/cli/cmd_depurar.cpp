// `tarno depurar QD_cab.rkd MDT_dat.rkd`: the divide depuration without dialogs.
#include <cstdio>

#include "cli/comandos.h"
#include "cli/plataforma_consola.h"
#include "comandos/depurar_divisorias.h"
#include "model/parametros.h"
#include "raster/archivos.h"
#include "raster/imagen.h"

namespace tarno::cli {

int Depurar(const Argumentos& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "uso: tarno depurar EXPLORADOR_QD_cab.rkd MDT_dat.rkd\n");
        return 2;
    }
    PlataformaConsola plataforma;
    std::string carpeta, baseExplorador, archivoDEM;
    if (!NombresDepuracion(args[0], carpeta, baseExplorador, archivoDEM)) {
        std::fprintf(stderr, "El nombre del archivo %s es demasiado corto para un Explorador de Divisorias "
                             "(_QD_cab.rkd).\n", args[0].c_str());
        return 1;
    }
    // As in the window, the DEM is the one named after the explorer; the
    // second path gives its folder.
    std::string dirDEM, nombreDEM;
    SepararRuta(args[1], dirDEM, nombreDEM);
    if (nombreDEM != archivoDEM) {
        std::fprintf(stderr, "El MDT origen de %s debe llamarse %s (se indicó %s).\n", args[0].c_str(),
                     archivoDEM.c_str(), nombreDEM.c_str());
        return 1;
    }
    Parametros par;
    par.ArchivoDEM = archivoDEM;
    par.DirDEM = dirDEM;
    ImagenActual img;
    if (!DepurarDivisorias(carpeta, baseExplorador, par, img, plataforma)) return 1;
    std::printf("%s%sD_dat.rkd\n", carpeta.c_str(), baseExplorador.c_str());
    return 0;
}

}  // namespace tarno::cli
