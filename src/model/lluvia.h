// The rain of each computation step: the design storm (Pp over Dur at
// constant intensity) or the loaded hyetograph. The run applies it period
// after period; the charts list it for the whole run.
#pragma once

#include <cstdint>
#include <vector>

#include "model/parametros.h"
#include "model/pluviograma.h"

namespace tarno {

/// What the hyetograph gives a period.
enum class LluviaPluviograma {
    Bien,       // the rain of the period was set
    PasoMayor,  // the hyetograph's interval is shorter than the step
    Vacio,      // no rain, no points or no interval
};

/// Rain [mm] of period `periodo` (1-based) from the hyetograph `pv`: the step
/// starting in the a-th interval gets the rain between points a and a + 1
/// spread evenly over the interval; 0 after the curve ends.
LluviaPluviograma LluviaDePluviograma(const Parametros& par, const Pluviograma& pv, int32_t periodo,
                                      float& lluviaPeriodo);

/// Rain [mm] of period `periodo` of the design storm: Pp / Dur x PasoPp until
/// the storm ends, then 0.
float LluviaTormentaDiseno(const Parametros& par, int32_t periodo);

/// The rain [mm] of every period 1..nPer (entry p - 1) as the run applies it
/// before the sub-area mask, from the storm the record chooses. Empty when the
/// hyetograph cannot run (empty, or its interval shorter than the step).
std::vector<float> LluviasDeLosPeriodos(const Parametros& par, const Pluviograma& pv);

}  // namespace tarno
