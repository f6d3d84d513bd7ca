// Processing order of the cells of a run: every cell of the grid, from the
// highest ground to the lowest, so that water handed down by a cell is routed
// further by the cells below it within the same period.
//
// The order is the one a descending exchange sort of the row-major cell list
// produces (for k, for m >= k: swap when elevation(m) > elevation(k)); ties are
// left in the peculiar order that procedure gives, and the routing results
// depend on it. `CalcularOrden` yields exactly that permutation in O(N log N).
//
// The order is cached in a text file named after the DEM data file (its name
// less the last 4 characters plus "_Vc_cab.rkd") in the working folder:
// line 1 the cache's own name (quoted), line 2 the cell count, then one
// "row,column,elevation" line per cell in processing order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/grilla.h"

namespace tarno {

/// The order: entries 1..N name the k-th cell to process (entry 0 unused).
/// The elevation of entry k is Cota(Fila[k], Columna[k]).
struct OrdenProceso {
    std::vector<int32_t> Fila;
    std::vector<int32_t> Columna;

    int64_t Tamano() const { return Fila.empty() ? 0 : static_cast<int64_t>(Fila.size()) - 1; }
};

/// Fills `orden` with every cell of `cota` (1..Filas x 1..Columnas) in the
/// exchange-sort order described above, in O(N log N).
void CalcularOrden(const Grilla<float>& cota, OrdenProceso& orden);

/// Cache file name for a DEM data file name (without folder).
std::string NombreCacheOrden(const std::string& archivoDEM);

/// Reads the cache `carpeta` + `nombre`. True only when it exists, names
/// itself as expected, holds one entry per cell of `cota`, every entry lies
/// inside the grid with the elevation the grid holds there, and every cell
/// appears once. Anything else (missing, damaged, stale) gives false.
bool LeerCacheOrden(const std::string& carpeta, const std::string& nombre, const Grilla<float>& cota,
                    OrdenProceso& orden);

/// Writes the cache. False when the folder cannot be written (the run goes on
/// without a cache).
bool EscribirCacheOrden(const std::string& carpeta, const std::string& nombre,
                        const Grilla<float>& cota, const OrdenProceso& orden);

/// The run's step: the order from the cache when it is valid, else computed
/// and (when `escribir`) written to the cache. Returns true when the order was
/// rebuilt.
bool PrepararOrden(const std::string& carpeta, const std::string& archivoDEM, const Grilla<float>& cota,
                   OrdenProceso& orden, bool escribir = true);

}  // namespace tarno
