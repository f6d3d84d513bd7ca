// What `tarno` (without Qt and GDAL) has in place of the drawing commands'
// parts that `tarno run` calls: main.cpp hands a run with a report to
// `tarno-completo` before it starts, so this is not reached.
#include "cli/comandos.h"

namespace tarno::cli {

Resultado EscribirInformeCorrida(const Parametros&, const Pluviograma&, const ResumenCorrida&, std::string&) {
    return Resultado::Falla("El informe se escribe con tarno-completo.");
}

}  // namespace tarno::cli
