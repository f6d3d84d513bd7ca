// Sub-commands of the `tarno` command line. Each takes its arguments (without
// the program and command names) and returns the exit status.
//
// The commands that draw (Qt) or read and write GIS formats (GDAL) are built
// into `tarno-completo`; `tarno` has the others and hands those over to it
// (see main.cpp), so that a run does not load those libraries.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/resultado.h"
#include "model/parametros.h"
#include "model/pluviograma.h"
#include "model/resumen.h"

class QApplication;

namespace tarno::cli {

using Argumentos = std::vector<std::string>;

int Info(const Argumentos& args);
int ImportarAsc(const Argumentos& args);     // cmd_gis.cpp
int Run(const Argumentos& args);             // cmd_run.cpp
int Lote(const Argumentos& args);            // cmd_lote.cpp
int Orden(const Argumentos& args);           // cmd_run.cpp
int Render(const Argumentos& args);          // cmd_render.cpp
int ImportarIdrisi(const Argumentos& args);  // cmd_importar.cpp
int ImportarTexto(const Argumentos& args);   // cmd_importar.cpp
int Depurar(const Argumentos& args);         // cmd_depurar.cpp
int ImportarRaster(const Argumentos& args);  // cmd_gis.cpp
int ExportarRaster(const Argumentos& args);  // cmd_gis.cpp
int Grafico(const Argumentos& args);         // cmd_grafico.cpp

/// Reads a `tarno run` parameter file over `par` ("Campo=valor" lines, blank
/// and '#' lines skipped; `Pluviograma=` goes to `pluviograma`). Reports the
/// faulty line on standard error and returns false.
bool LeerArchivoParametros(const std::string& ruta, Parametros& par, std::string& pluviograma);

/// Writes the report of a run beside its DEM (`tarno run --informe`); `ruta`
/// receives its name. Only `tarno-completo` draws it (cmd_informe.cpp).
Resultado EscribirInformeCorrida(const Parametros& par, const Pluviograma& pv, const ResumenCorrida& resumen,
                                 std::string& ruta);

/// The Qt application the chart and the report draw with; without a display
/// it uses Qt's offscreen platform.
std::unique_ptr<QApplication> AbrirAplicacionGrafica();  // cmd_grafico.cpp
int Tormenta(const Argumentos& args);        // cmd_tormenta.cpp

}  // namespace tarno::cli
