// Sub-commands of the `tarno` command line. Each takes its arguments (without
// the program and command names) and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace tarno::cli {

using Argumentos = std::vector<std::string>;

int Info(const Argumentos& args);
int ImportarAsc(const Argumentos& args);
int Run(const Argumentos& args);             // cmd_run.cpp
int Orden(const Argumentos& args);           // cmd_run.cpp
int Render(const Argumentos& args);          // cmd_render.cpp
int ImportarIdrisi(const Argumentos& args);  // cmd_importar.cpp
int ImportarTexto(const Argumentos& args);   // cmd_importar.cpp
int Depurar(const Argumentos& args);         // cmd_depurar.cpp
int ImportarRaster(const Argumentos& args);  // cmd_gis.cpp
int ExportarRaster(const Argumentos& args);  // cmd_gis.cpp
int Tormenta(const Argumentos& args);        // cmd_tormenta.cpp

}  // namespace tarno::cli
