// The run report written beside the DEM ("base_informe.html"): the result
// files of the run read back, the hydrograph chart and the two maps drawn,
// and the page put together. Used by `tarno run --informe` and by the GUI
// (a QApplication must exist: the chart is a graphics widget).
#pragma once

#include <string>

#include "model/hidrograma.h"
#include "model/parametros.h"
#include "model/pluviograma.h"
#include "model/resumen.h"
#include "base/resultado.h"

namespace tarno::ui {

/// The chart of the run of `par` / `pv` from its "_Qt.rkd", with the summary's
/// balance figures when given.
Resultado GraficoDeCorrida(const Parametros& par, const Pluviograma& pv, const ResumenCorrida* resumen,
                           GraficoHidrograma& g);

/// Writes the report of the run; `ruta` receives its name. Pictures whose
/// files are missing are left out and said so; a run that did not finish
/// gets none (the files beside the DEM would be an earlier run's).
Resultado EscribirInforme(const Parametros& par, const Pluviograma& pv, const ResumenCorrida& resumen,
                          std::string& ruta);

}  // namespace tarno::ui
