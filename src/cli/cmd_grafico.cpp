// `tarno grafico`: the hydrograph chart of a "_Qt.rkd" file drawn into a PNG
// or SVG file without a display, with the drawing code of the window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/comandos.h"
#include "cli/plataforma_consola.h"
#include "comandos/cargar_pluviograma.h"
#include "model/hidrograma.h"
#include "model/lluvia.h"
#include "model/parametros_texto.h"
#include "raster/numeros.h"
#include "ui/grafico_hidrograma.h"

namespace tarno::cli {

std::unique_ptr<QApplication> AbrirAplicacionGrafica() {
    // Without a display the drawing goes through Qt's offscreen platform.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char nombre[] = "tarno";
    static char* argv[] = {nombre, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

namespace {

int Uso() {
    std::fprintf(stderr,
                 "uso: tarno grafico QT.rkd SALIDA.png|.svg [--ancho PX] [--alto PX] [--parametros PARAMETROS]\n");
    return 2;
}

bool LeerPixeles(const std::string& texto, int& valor) {
    double v;
    if (!ConvertirDouble(texto, v) || v != static_cast<int>(v) || v < 200 || v > 10000) return false;
    valor = static_cast<int>(v);
    return true;
}

}  // namespace

int Grafico(const Argumentos& args) {
    std::string entrada, salida, parametros;
    int ancho = 900, alto = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--ancho" || a == "--alto") {
            if (i + 1 >= args.size() || !LeerPixeles(args[i + 1], a == "--ancho" ? ancho : alto)) {
                std::fprintf(stderr, "%s espera un número de puntos de 200 a 10000\n", a.c_str());
                return 2;
            }
            ++i;
        } else if (a == "--parametros") {
            if (i + 1 >= args.size()) return Uso();
            parametros = args[++i];
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

    ArchivoHidrograma h;
    if (Resultado r = LeerHidrograma(entrada, h); !r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    // The rain: from the run's parameters when given, else from the storm
    // the file's subtitle names.
    std::vector<float> lluvias;
    if (!parametros.empty()) {
        Parametros par;
        std::string pluviograma;
        if (!LeerArchivoParametros(parametros, par, pluviograma)) return 2;
        Pluviograma pv;
        PlataformaConsola plat;
        if (!pluviograma.empty() &&
            CargarPluviograma(std::filesystem::absolute(pluviograma).string(), pv, plat).estado !=
                CargaPluviograma::Estado::Cargada) {
            std::fprintf(stderr, "No se pudo leer el pluviograma %s\n", pluviograma.c_str());
            return 1;
        }
        if (par.PasoPp != h.PasoPp)
            std::fprintf(stderr, "El paso de cálculo de %s (%s min) no es el del hidrograma (%s min): sin lluvia\n",
                         parametros.c_str(), NumeroArchivo(par.PasoPp).c_str(), NumeroArchivo(h.PasoPp).c_str());
        else
            lluvias = LluviasDeLosPeriodos(par, pv);
    } else {
        lluvias = LluviasDelHidrograma(h);
        if (lluvias.empty())
            std::fprintf(stderr, "La tormenta de %s no es conocida (use --parametros): el gráfico va sin lluvia\n",
                         entrada.c_str());
    }
    const GraficoHidrograma g = ArmarGraficoHidrograma(h, lluvias);
    if (alto == 0) alto = ancho * 9 / 16 + ui::AltoBalance(g);

    auto app = AbrirAplicacionGrafica();
    if (Resultado r = ui::GuardarGraficoHidrograma(g, salida, ancho, alto); !r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    std::printf("%s: %d x %d puntos, %zu muestras de caudal, %zu pasos de lluvia\n", salida.c_str(), ancho, alto,
                g.caudal.size() - 1, g.lluvia.size());
    return 0;
}

}  // namespace tarno::cli
