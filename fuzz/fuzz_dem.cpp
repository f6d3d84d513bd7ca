// DEM loading before a run: a header and a data file from one input. A DEM
// that a run may use holds finite elevations, the header's cell size, and the
// same cells the viewer reads from the same files.
#include <cmath>

#include "comun.h"
#include "comandos/cargar_dem.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<std::string> p = Partes(datos, largo, 2);
    Escribir("d_cab.rkd", p[0]);
    Escribir("d_dat.rkd", p[1]);
    Parametros par;
    par.DirDEM = Carpeta();
    par.ArchivoDEM = "d_dat.rkd";
    ImagenActual img;
    Grilla<float> cota;
    PlataformaMuda plat;
    const EstadoDEM e = CargarDEM(par, img, cota, plat);
    FUZZ_EXIGIR((e == EstadoDEM::Cargado) == (plat.mensajes == 0));
    if (!DEMUtilizable(e)) return 0;
    FUZZ_EXIGIR(cota.Filas() == img.NroFilas && cota.Columnas() == img.NroColumnas);
    FUZZ_EXIGIR(std::isfinite(par.ResolucionX) && std::isfinite(par.ResolucionY));
    ImagenActual vista;
    FUZZ_EXIGIR(LeerIMG(Ruta("d_dat.rkd"), "", vista));
    FUZZ_EXIGIR(vista.NroDatos == static_cast<int64_t>(img.NroFilas) * img.NroColumnas);
    FUZZ_EXIGIR(vista.Decimales == img.Decimales);
    FUZZ_EXIGIR(vista.Valores.Vector() == cota.Vector());
    return 0;
}
