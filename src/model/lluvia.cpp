#include "model/lluvia.h"

#include <cmath>

namespace tarno {

LluviaPluviograma LluviaDePluviograma(const Parametros& par, const Pluviograma& pv, int32_t periodo,
                                      float& lluviaPeriodo) {
    if (par.PasoPp > static_cast<float>(pv.Paso)) return LluviaPluviograma::PasoMayor;
    if (!(pv.LluviaTotal != 0 && pv.NroDatos != 0 && pv.Paso != 0)) return LluviaPluviograma::Vacio;
    const double paso = static_cast<double>(par.PasoPp);
    const int32_t n = pv.NroDatos;
    const int32_t intervalo = pv.Paso;
    if (paso * periodo > static_cast<double>(n * intervalo)) {
        lluviaPeriodo = 0;
        return LluviaPluviograma::Bien;
    }
    const double t0 = paso * (periodo - 1);
    const int32_t a = static_cast<int32_t>(std::floor(t0 / intervalo)) + 1;
    const int32_t b = a + 1;
    if (b <= n && a >= 1) {
        const double dif = static_cast<double>(pv.PpAcum[static_cast<size_t>(b)]) -
                           static_cast<double>(pv.PpAcum[static_cast<size_t>(a)]);
        const double intensidad = dif / static_cast<double>(b * intervalo - a * intervalo);
        lluviaPeriodo = static_cast<float>(intensidad * paso);
    } else {
        lluviaPeriodo = 0;
    }
    return LluviaPluviograma::Bien;
}

float LluviaTormentaDiseno(const Parametros& par, int32_t periodo) {
    if (static_cast<double>(par.PasoPp) * periodo - par.Dur > 0.01) return 0;
    return static_cast<float>(static_cast<double>(par.Pp) / static_cast<double>(static_cast<float>(par.Dur)) *
                              static_cast<double>(par.PasoPp));
}

std::vector<float> LluviasDeLosPeriodos(const Parametros& par, const Pluviograma& pv) {
    const int32_t nPer = par.nPer > 0 ? par.nPer : 0;
    std::vector<float> lluvias(static_cast<size_t>(nPer), 0.0f);
    for (int32_t p = 1; p <= nPer; ++p) {
        float& l = lluvias[static_cast<size_t>(p - 1)];
        if (!par.PpArchivo) {
            l = LluviaTormentaDiseno(par, p);
        } else if (LluviaDePluviograma(par, pv, p, l) != LluviaPluviograma::Bien) {
            return {};
        }
    }
    return lluvias;
}

}  // namespace tarno
