// The processing order rearranged for the memory: the period loop walks the
// cells from the highest ground to the lowest, which jumps across the whole
// grid from one cell to the next. Only cells near each other depend on each
// other's order, so most of those jumps can be undone without changing one
// bit of the results.
//
// Routing a cell reads and writes the cell and its four edge neighbours (the
// levels, the inflows, what the cascade hands on). Two cells touch a common
// cell only when they lie within two steps of each other (a Manhattan
// distance of 1 or 2, the twelve cells around). Any two cells farther apart
// commute: routing them in either order leaves every grid the same. Cells
// whose routing adds to a total of the run (an open edge) must also keep
// their order among themselves, since sums of rounded numbers depend on it.
//
// `OrdenLocal` keeps every such pair in its order and otherwise takes the
// cells as close to row-major order as it can: of the cells whose earlier
// neighbours are all placed, it places the one first in memory (a topological
// sort of the dependencies with the grid index as priority). The period loop
// then sweeps the grid in short runs along its rows, like a stencil pass, and
// the grid lines it touches are mostly still in the cache.
#pragma once

#include <cstdint>
#include <vector>

#include "model/orden_proceso.h"

namespace tarno {

/// The twelve cells within two steps of a cell, as row and column offsets.
inline constexpr int kCercaFila[12] = {-2, -1, -1, -1, 0, 0, 0, 0, 1, 1, 1, 2};
inline constexpr int kCercaColumna[12] = {0, -1, 0, 1, -2, -1, 1, 2, -1, 0, 1, 0};

/// A cut of the grid in two halves: half 1 holds the cells whose column (or
/// row) is past `linea`.
struct CorteMitades {
    bool porColumnas = true;
    int32_t linea = 0;
    int Mitad(int32_t i, int32_t j) const { return (porColumnas ? j : i) > linea ? 1 : 0; }
    /// Whether cell (i, j) lies within two steps of the cut.
    bool JuntoAlCorte(int32_t i, int32_t j) const {
        const int32_t a = porColumnas ? j : i;
        return a >= linea - 1 && a <= linea + 2;
    }
};

/// Rearranges `orden` (every cell of a grid of `filas` x `columnas`, 1-based)
/// in place as described above. `encadenadas` names the cells, by grid index
/// f x (columnas + 1) + c, that keep their order among themselves besides
/// their neighbours. Takes one byte per cell of the grid and a list of the
/// cells ready to be placed; false when that memory is not there.
/// When it returns false `orden` may be left incomplete: prepare it again.
///
/// With `corte` the cells are placed in rounds of two, one of each half (the
/// first ready in memory of each), so that two threads can walk the halves
/// side by side: the two cells of a round were both ready before it, so they
/// never touch each other.
///
/// With `lotes` each round takes up to `celdasPorLote` (at most
/// `kMaxCeldasPorLote`) ready cells of each half instead of one, and `lotes` receives the number taken, group by
/// group in the order: the cells of a group were all ready together, so no
/// two of them lie within two steps of each other and they may be routed
/// side by side.
inline constexpr int kMaxCeldasPorLote = 8;
bool OrdenLocal(OrdenProceso& orden, int32_t filas, int32_t columnas, const std::vector<uint32_t>& encadenadas,
                const CorteMitades* corte = nullptr, std::vector<uint8_t>* lotes = nullptr,
                int celdasPorLote = 1);

/// Grid indices of the basin cells (Cota > 0) with a side open: on the edge of
/// the grid or next to a cell outside the basin. With an open edge what they
/// send out adds to the run's total, in the order.
std::vector<uint32_t> CeldasConLadoAbierto(const Grilla<float>& cota);

}  // namespace tarno
