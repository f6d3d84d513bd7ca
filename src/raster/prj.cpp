#include "raster/prj.h"

#include <cstdio>

#include "raster/archivos.h"
#include "raster/nombres.h"

namespace tarno {

std::string NombrePrj(const std::string& nombreDat) {
    return BaseImagen(nombreDat) + ".prj";
}

Resultado SeguirPrj(const std::string& fuenteDat, const std::string& destinoDat) {
    const std::string origen = NombrePrj(fuenteDat);
    const std::string destino = NombrePrj(destinoDat);
    if (origen == destino) return Resultado::Bien();
    if (ExisteArchivo(origen)) return CopiarArchivo(origen, destino);
    if (ExisteArchivo(destino) && std::remove(destino.c_str()) != 0)
        return Resultado::Falla("No se pudo borrar el sistema de coordenadas anterior " + destino);
    return Resultado::Bien();
}

}  // namespace tarno
