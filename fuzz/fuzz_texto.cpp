// Blank-separated text (imported to "_tx_dat.rkd", which reads back with the
// same values) and the 0-255 conversion of a text vector, whose limits come
// from the input too.
#include <cmath>

#include "comun.h"
#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "comandos/importar_texto.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<std::string> p = Partes(datos, largo, 3);
    Escribir("v.txt", p[0]);
    Borrar("v_tx_dat.rkd");
    PlataformaMuda plat;
    SinAviso aviso;
    ImagenActual img;
    std::vector<float> vector;
    if (ImportarTextoBlancos(Ruta("v.txt"), Carpeta(), img, vector, plat, aviso)) {
        LectorDelimitado in;
        FUZZ_EXIGIR(in.Abrir(Ruta("v_tx_dat.rkd")));
        for (size_t i = 1; i < vector.size(); ++i) {
            float v;
            FUZZ_EXIGIR(in.LeerFloat(v));
            FUZZ_EXIGIR(NumeroArchivo(v) == NumeroArchivo(vector[i]));
        }
        FUZZ_EXIGIR(in.AlFinal());
        FUZZ_EXIGIR(img.NroDatos == static_cast<int32_t>(vector.size() - 1));
    } else {
        FUZZ_EXIGIR(!ExisteArchivo(Ruta("v_tx_dat.rkd")));
    }

    // The conversion: output name fixed, limits from the input.
    plat.entradas = {"s", p[1], p[2]};
    Borrar("s.txt");
    if (ConvertirAmplitud(Ruta("v.txt"), Carpeta(), img, vector, plat)) {
        LectorDelimitado in;
        FUZZ_EXIGIR(in.Abrir(Ruta("s.txt")));
        for (size_t i = 1; i < vector.size(); ++i) {
            double v;
            FUZZ_EXIGIR(in.LeerDouble(v));
            FUZZ_EXIGIR(v == std::floor(v));
        }
        FUZZ_EXIGIR(in.AlFinal());
    }
    return 0;
}
