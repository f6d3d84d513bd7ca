// Sub-commands of the `tarno` command line. Each takes its arguments (without
// the program and command names) and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace tarno::cli {

using Argumentos = std::vector<std::string>;

int Info(const Argumentos& args);
int ImportarAsc(const Argumentos& args);

}  // namespace tarno::cli
