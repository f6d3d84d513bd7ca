#include <cmath>
#include <cstdio>

#include "cli/comandos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"

namespace tarno::cli {

int Info(const Argumentos& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "uso: tarno info IMAGEN_dat.rkd\n");
        return 2;
    }
    ImagenActual img;
    Resultado r = LeerIMG(args[0], "", img);
    if (!r) {
        std::fprintf(stderr, "%s\n", r.mensaje.c_str());
        return 1;
    }
    // Labels padded by characters, not bytes, so accented labels line up.
    auto linea = [](const char* etiqueta, const std::string& valor) {
        std::string e = etiqueta;
        size_t caracteres = 0;
        for (unsigned char ch : e)
            if ((ch & 0xC0) != 0x80) ++caracteres;
        if (caracteres < 18) e.append(18 - caracteres, ' ');
        std::printf("%s %s\n", e.c_str(), valor.c_str());
    };
    linea("Título:", img.Titulo);
    linea("Subtítulo:", img.Subtitulo);
    linea("Filas:", NumeroArchivo(img.NroFilas));
    linea("Columnas:", NumeroArchivo(img.NroColumnas));
    linea("X mínimo:", NumeroArchivo(img.XMinimo));
    linea("Y mínimo:", NumeroArchivo(img.YMinimo));
    linea("X máximo:", NumeroArchivo(img.XMaximo));
    linea("Y máximo:", NumeroArchivo(img.YMaximo));
    linea("Dato menor:", NumeroArchivo(img.DatoMenor));
    linea("Dato mayor:", NumeroArchivo(img.DatoMayor));
    linea("Resolución X:", NumeroArchivo(img.ResolucionX));
    linea("Resolución Y:", NumeroArchivo(img.ResolucionY));
    const int64_t esperados = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    linea("Datos leídos:", NumeroArchivo(static_cast<int64_t>(img.NroDatos)) + " de " +
                               NumeroArchivo(esperados));
    double suma = 0;
    float menor = 0, mayor = 0;
    if (img.NroDatos > 0) {
        menor = mayor = img.Valores(1, 1);
        for (int32_t f = 1; f <= img.NroFilas; ++f)
            for (int32_t c = 1; c <= img.NroColumnas; ++c) {
                float v = img.Valores(f, c);
                suma += v;
                menor = std::fmin(menor, v);
                mayor = std::fmax(mayor, v);
            }
    }
    linea("Mínimo (datos):", NumeroArchivo(menor));
    linea("Máximo (datos):", NumeroArchivo(mayor));
    linea("Media (datos):", NumeroArchivo(esperados > 0 ? suma / static_cast<double>(esperados) : 0.0));
    linea("Decimales:", NumeroArchivo(static_cast<int64_t>(img.Decimales)));
    if (img.TieneAreas) linea("Nombres en lista:", NumeroArchivo(static_cast<int64_t>(img.NroAreas)));
    return 0;
}

}  // namespace tarno::cli
