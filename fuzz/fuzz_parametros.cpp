// The parameter file of `tarno run`: "Campo=valor" lines, '#' comments. An
// accepted number fits its field; a text field given back its value keeps it.
#include <cmath>

#include "comun.h"
#include "model/parametros_texto.h"

using namespace tarno;
using namespace tarno::fuzz;

namespace {

// A text field assigned to a fresh record from the value it holds holds the
// same value.
void MismoValor(const std::string& campo, const Parametros& par) {
    Parametros otra;
    auto texto = [&](const Parametros& p) -> std::string {
        if (campo == "ArchivoDEM") return p.ArchivoDEM;
        if (campo == "DirDEM") return p.DirDEM;
        if (campo == "ArchivoUnKOLT") return p.ArchivoUnKOLT;
        if (campo == "DirUnKOLT") return p.DirUnKOLT;
        return {};
    };
    if (!texto(par).empty()) {
        FUZZ_EXIGIR(AsignarCampo(otra, campo, texto(par)));
        FUZZ_EXIGIR(texto(otra) == texto(par));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string bytes(reinterpret_cast<const char*>(datos), largo);
    Parametros par;
    size_t inicio = 0;
    while (inicio <= bytes.size()) {
        size_t fin = bytes.find('\n', inicio);
        if (fin == std::string::npos) fin = bytes.size();
        const std::string linea = bytes.substr(inicio, fin - inicio);
        inicio = fin + 1;
        size_t p = linea.find_first_not_of(" \t\r");
        if (p == std::string::npos || linea[p] == '#') continue;
        std::string campo, valor;
        if (!SepararAsignacion(linea, campo, valor)) continue;
        Resultado r = AsignarCampo(par, campo, valor);
        if (!r) {
            FUZZ_EXIGIR(!r.mensaje.empty());
            continue;
        }
        for (float v : {par.ResolucionX, par.ResolucionY, par.Pp, par.KRecesion, par.FactorRes, par.Manning,
                         par.PasoPp, par.DivValor, par.DivQmin, par.DivHmin, par.DivValorRes})
            FUZZ_EXIGIR(std::isfinite(v));
        MismoValor(campo, par);
    }
    return 0;
}
