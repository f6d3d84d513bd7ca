// ESRI ASCII grids: imported as `tarno import-asc` does. An imported image
// reads back with the header and values of the import.
#include <cmath>

#include "comun.h"
#include "raster/imagen.h"
#include "raster/importar_asc.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Escribir("g.asc", std::string_view(reinterpret_cast<const char*>(datos), largo));
    Borrar("g_dat.rkd");
    Resultado r = ImportarAsc(Ruta("g.asc"), Ruta("g_dat.rkd"), {});
    if (!r) {
        FUZZ_EXIGIR(r.mensaje.find(Ruta("g.asc")) != std::string::npos);
        return 0;
    }
    ImagenActual img;
    Resultado leido = LeerIMG(Ruta("g_dat.rkd"), "", img);
    FUZZ_EXIGIR(leido);
    FUZZ_EXIGIR(img.NroDatos == static_cast<int64_t>(img.NroFilas) * img.NroColumnas);
    CabeceraImagen cab;
    Grilla<float> valores;
    FUZZ_EXIGIR(LeerAsc(Ruta("g.asc"), {}, cab, valores));
    FUZZ_EXIGIR(img.NroFilas == cab.NroFilas && img.NroColumnas == cab.NroColumnas);
    FUZZ_EXIGIR(NumeroArchivo(img.XMinimo) == NumeroArchivo(cab.XMinimo));
    FUZZ_EXIGIR(NumeroArchivo(img.YMaximo) == NumeroArchivo(cab.YMaximo));
    FUZZ_EXIGIR(NumeroArchivo(img.DatoMenor) == NumeroArchivo(cab.DatoMenor));
    for (size_t k = 0; k < valores.Vector().size(); ++k)
        FUZZ_EXIGIR(NumeroArchivo(img.Valores.Vector()[k]) == NumeroArchivo(valores.Vector()[k]));
    return 0;
}
