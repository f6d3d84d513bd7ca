// Sub-commands of the `tarno` command line. Each takes its arguments (without
// the program and command names) and returns the exit status.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/parametros.h"

class QApplication;

namespace tarno::cli {

using Argumentos = std::vector<std::string>;

int Info(const Argumentos& args);
int ImportarAsc(const Argumentos& args);
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

/// The Qt application the chart and the report draw with; without a display
/// it uses Qt's offscreen platform.
std::unique_ptr<QApplication> AbrirAplicacionGrafica();  // cmd_grafico.cpp
int Tormenta(const Argumentos& args);        // cmd_tormenta.cpp

}  // namespace tarno::cli
