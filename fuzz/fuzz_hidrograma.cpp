// The section hydrograph "_Qt.rkd" read back for its chart ("Ver
// Hidrograma...", `tarno grafico`): any file is read or refused, and the
// chart record of what was read stays within the file's samples.
#include <cmath>

#include "comun.h"
#include "model/hidrograma.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Escribir("t_Qt.rkd", std::string_view(reinterpret_cast<const char*>(datos), largo));
    ArchivoHidrograma h;
    if (!LeerHidrograma(Ruta("t_Qt.rkd"), h)) return 0;
    Pluviograma pv;
    pv.Titulo = h.Subtitulo;
    pv.LluviaTotal = 10;
    pv.Paso = 5;
    pv.NroDatos = 2;
    pv.PpAcum = {0, 0, 10};
    const Pluviograma* const casos[] = {nullptr, &pv};
    for (const Pluviograma* p : casos) {
        const std::vector<float> lluvias = LluviasDelHidrograma(h, p);
        FUZZ_EXIGIR(lluvias.size() <= 4000000);
        const GraficoHidrograma g = ArmarGraficoHidrograma(h, lluvias);
        FUZZ_EXIGIR(g.caudal.size() <= h.Caudales.size() + 1 && g.lluvia.size() == lluvias.size());
        for (const std::string& l : g.balance) FUZZ_EXIGIR(!l.empty());
    }
    return 0;
}
