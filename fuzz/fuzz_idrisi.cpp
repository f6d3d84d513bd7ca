// Idrisi text images: a documentation file and an image file from one input,
// imported as the menu command does. An import that reports success leaves
// an image that reads back with the values of the image file.
#include <cmath>

#include "comun.h"
#include "raster/archivos.h"
#include "comandos/importar_texto.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<std::string> p = Partes(datos, largo, 2);
    Escribir("m.doc", p[0]);
    Escribir("m.img", p[1]);
    Borrar("m_dat.rkd");
    Borrar("m_cab.rkd");
    PlataformaMuda plat;
    SinAviso aviso;
    ImagenActual img;
    std::vector<float> vector;
    const bool bien = ImportarIdrisi(Ruta("m.img"), Carpeta(), img, vector, plat, aviso);
    FUZZ_EXIGIR(plat.mensajes == 1);
    for (float v : vector) FUZZ_EXIGIR(std::isfinite(v));
    if (!bien) {
        FUZZ_EXIGIR(!ExisteArchivo(Ruta("m_dat.rkd")));
        return 0;
    }
    ImagenActual leida;
    FUZZ_EXIGIR(LeerIMG(Ruta("m_dat.rkd"), "", leida));
    FUZZ_EXIGIR(leida.NroFilas == img.NroFilas && leida.NroColumnas == img.NroColumnas);
    FUZZ_EXIGIR(leida.NroDatos == img.NroDatos);
    FUZZ_EXIGIR(NumeroArchivo(leida.DatoMenor) == NumeroArchivo(img.DatoMenor));
    FUZZ_EXIGIR(NumeroArchivo(leida.XMaximo) == NumeroArchivo(img.XMaximo));
    size_t k = 1;
    for (int32_t f = 1; f <= leida.NroFilas; ++f)
        for (int32_t c = 1; c <= leida.NroColumnas; ++c, ++k)
            FUZZ_EXIGIR(NumeroArchivo(leida.Valores(f, c)) == NumeroArchivo(vector[k]));
    return 0;
}
