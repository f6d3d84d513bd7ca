// `tarno render`: draws a raster image with the viewer's renderer into a PNG,
// so images can be looked at without a display.
#include <cstdio>
#include <string>

#include "cli/comandos.h"
#include "model/parametros.h"
#include "raster/imagen.h"
#include "raster/numeros.h"
#include "viewer/paletas.h"
#include "viewer/png.h"
#include "viewer/render.h"

namespace tarno::cli {

namespace {

int Uso() {
    std::fprintf(stderr,
                 "uso: tarno render IMAGEN_dat.rkd SALIDA.png [--paleta N] [--pixel N] [--invertir] "
                 "[--forzar-minimo]\n");
    return 2;
}

bool LeerEntero(const std::string& texto, int minimo, int maximo, int& valor) {
    double v;
    if (!ConvertirDouble(texto, v) || v != static_cast<int>(v) || v < minimo || v > maximo) return false;
    valor = static_cast<int>(v);
    return true;
}

}  // namespace

int Render(const Argumentos& args) {
    std::string entrada, salida;
    visor::EstadoVisor ev;
    ev.TamPixel = 1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        int v = 0;
        if (a == "--paleta" || a == "--pixel") {
            const bool paleta = a == "--paleta";
            if (i + 1 >= args.size() || !LeerEntero(args[i + 1], 1, paleta ? 9 : 1000, v)) {
                std::fprintf(stderr, paleta ? "--paleta espera un número de 1 a 9\n"
                                            : "--pixel espera un número de 1 a 1000\n");
                return 2;
            }
            (paleta ? ev.NroPaleta : ev.TamPixel) = static_cast<int16_t>(v);
            ++i;
        } else if (a == "--invertir") {
            ev.InvertirPaleta = true;
        } else if (a == "--forzar-minimo") {
            ev.ForzarMinimo = true;
        } else if (!a.empty() && a[0] == '-') {
            return Uso();
        } else if (entrada.empty()) {
            entrada = a;
        } else if (salida.empty()) {
            salida = a;
        } else {
            return Uso();
        }
    }
    if (entrada.empty() || salida.empty()) return Uso();

    ImagenActual img;
    if (Resultado r = LeerIMG(entrada, "", img); !r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    visor::TablaPaletas paletas;
    CargarPaletas(Parametros{}, ev.InvertirPaleta, ev.AzarColorines, paletas);
    QImage imagen;
    const Resultado dibujo = visor::Renderizar(img, ev, paletas, imagen);
    if (!dibujo && imagen.isNull()) {
        std::fprintf(stderr, "%s\n", dibujo.mensaje.c_str());
        return 1;
    }
    if (Resultado r = visor::GuardarPNG(imagen, salida); !r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    if (!dibujo) {
        // The picture was drawn but the value count does not match the header.
        std::fprintf(stderr, "[%s] %s\n", visor::kTituloInconsistencia, dibujo.mensaje.c_str());
        return 1;
    }
    std::printf("%s: %d x %d puntos\n", salida.c_str(), imagen.width(), imagen.height());
    return 0;
}

}  // namespace tarno::cli
