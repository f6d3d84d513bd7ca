// Batches of runs: a table of scenarios (one row per run) over a base
// parameter record, and the batch summary table built from the runs' JSON
// summaries. The command `tarno lote` prepares the folders and runs the
// scenarios; what can be decided on texts alone lives here.
//
// The scenario table is delimited text (',' or ';', taken from the header
// line) with a header naming `Nombre` and any fields of the parameter table
// (and `Pluviograma`, the hyetograph file of `tarno run`). Blank lines and
// lines starting with '#' are skipped; a cell may be double-quoted (a quote
// inside written twice); an empty cell keeps the base value.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/parametros.h"
#include "base/resultado.h"

namespace tarno {

inline constexpr const char* kColumnaNombre = "Nombre";
inline constexpr const char* kColumnaPluviograma = "Pluviograma";

struct TablaEscenarios {
    char separador = ',';
    std::vector<std::string> columnas;  // header, in its order
    size_t columnaNombre = 0;
    struct Fila {
        int linea = 0;  // line of the file (the header is line 1 when it comes first)
        std::vector<std::string> celdas;
    };
    std::vector<Fila> filas;  // scenario k (1 = the first) is filas[k - 1]
};

/// Reads the table from its text. Fails (naming the line) only on what spoils
/// the whole table: no header, no `Nombre` column, a column that is not a
/// field, a column named twice. Row faults are left to `ArmarEscenario`.
Resultado LeerTablaEscenarios(const std::string& texto, TablaEscenarios& tabla);

/// Empty when `nombre` can be a scenario folder, else why not.
std::string ProblemaNombreEscenario(const std::string& nombre);

struct Escenario {
    int fila = 0;   // 1 = the first scenario
    int linea = 0;  // line of the table file
    std::string nombre;
    Parametros par;
    std::string pluviograma;  // hyetograph file ("" = none)
    std::string error;        // why the row cannot run ("" = it can)
};

/// Scenario `fila` (1-based): the base record with the row's non-empty cells
/// set over it (`AsignarCampo`), then checked between fields. A bad cell,
/// a wrong cell count, a bad or repeated name (an earlier row holds it) are
/// left in `error`.
Escenario ArmarEscenario(const TablaEscenarios& tabla, int fila, const Parametros& base,
                         const std::string& pluviogramaBase);

/// Keys of the run summary (`TextoResumenJson`), in its order.
std::vector<std::string> ClavesResumen();

/// Reads a flat JSON object (string, number, true/false, null values; no
/// nesting) into key/value pairs in file order; strings unquoted, null as "".
/// False on anything else.
bool LeerJsonPlano(const std::string& texto, std::vector<std::pair<std::string, std::string>>& pares);

/// The batch summary table: a header (Nombre, the table's other columns, the
/// summary keys) and one row per scenario whose summary is given
/// (`resumenes[k]` is scenario k + 1's JSON text, empty when it has none),
/// in table order, with the table's separator. `filasEscritas` receives the
/// row count; a summary that does not read as JSON is left out.
std::string TextoResumenLote(const TablaEscenarios& tabla, const std::vector<std::string>& resumenes,
                             int* filasEscritas = nullptr);

/// "h:mm:ss" of a count of seconds (negative as 0).
std::string TextoDuracion(double segundos);

/// The batch's progress line: "lote: 3/8 escenarios, 2 en curso, 1 con fallas,
/// 0:00:41, quedan ~0:01:10" (no estimate before the first one ends; the
/// failure count only when there is one).
std::string TextoProgresoLote(int hechos, int total, int enCurso, int fallidos, double segundos);

}  // namespace tarno
