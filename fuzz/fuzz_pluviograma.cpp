// The storm hyetograph "_Pp.rkd": loaded as the options dialog loads it. A
// loaded curve written in the same layout loads back the same.
#include <cmath>

#include "comun.h"
#include "comandos/cargar_pluviograma.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    Escribir("t_Pp.rkd", std::string_view(reinterpret_cast<const char*>(datos), largo));
    PlataformaMuda plat;
    Pluviograma pv;
    CargaPluviograma c = CargarPluviograma(Ruta("t_Pp.rkd"), pv, plat);
    FUZZ_EXIGIR(std::isfinite(pv.LluviaTotal));
    for (float v : pv.PpAcum) FUZZ_EXIGIR(std::isfinite(v));
    if (c.estado != CargaPluviograma::Estado::Cargada) return 0;
    FUZZ_EXIGIR(pv.NroDatos >= 0 && pv.PpAcum.size() == static_cast<size_t>(pv.NroDatos) + 1);

    EscritorDelimitado out;
    out.Texto(pv.Titulo).FinLinea();
    out.Numero(pv.Rec).FinLinea().Numero(pv.LluviaTotal).FinLinea();
    out.Numero(pv.Paso).FinLinea().Numero(pv.NroDatos).FinLinea();
    for (int i = 1; i <= pv.NroDatos; ++i) out.Numero(pv.PpAcum[static_cast<size_t>(i)]).FinLinea();
    Escribir("u_Pp.rkd", out.Bytes());
    Pluviograma otro;
    PlataformaMuda plat2;
    CargaPluviograma c2 = CargarPluviograma(Ruta("u_Pp.rkd"), otro, plat2);
    FUZZ_EXIGIR(c2.estado == CargaPluviograma::Estado::Cargada);
    FUZZ_EXIGIR(otro.Titulo == pv.Titulo && otro.Rec == pv.Rec && otro.Paso == pv.Paso &&
                otro.NroDatos == pv.NroDatos);
    FUZZ_EXIGIR(NumeroArchivo(otro.LluviaTotal) == NumeroArchivo(pv.LluviaTotal));
    for (size_t i = 0; i < pv.PpAcum.size(); ++i)
        FUZZ_EXIGIR(NumeroArchivo(otro.PpAcum[i]) == NumeroArchivo(pv.PpAcum[i]));
    return 0;
}
