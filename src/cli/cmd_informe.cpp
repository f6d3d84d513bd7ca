// The report of `tarno run --informe`, drawn with Qt.
#include <QApplication>

#include "cli/comandos.h"
#include "ui/informe_corrida.h"

namespace tarno::cli {

Resultado EscribirInformeCorrida(const Parametros& par, const Pluviograma& pv, const ResumenCorrida& resumen,
                                 std::string& ruta) {
    auto app = AbrirAplicacionGrafica();
    return ui::EscribirInforme(par, pv, resumen, ruta);
}

}  // namespace tarno::cli
