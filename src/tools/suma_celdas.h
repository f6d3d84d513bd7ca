// Cell-sum query: sums the values of a raster along a straight line of cells
// between two end cells.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/grilla.h"
#include "raster/imagen.h"

namespace tarno {

/// The raster chosen for the query (cells 1-based).
struct RasterConsulta {
    int32_t NroFilas = 0;
    int32_t NroColumnas = 0;
    Grilla<float> Valores;
};

/// Reads `carpeta` + `archivo` (a "_dat.rkd" file) and its header (the name
/// less its last seven characters plus "cab.rkd") into `r`. The header's
/// title, subtitle, coordinates, extremes and resolutions replace those of the
/// current image `img`; `img.Decimales` and `img.NroDatos` follow the values
/// read. A data file that ends early leaves the remaining cells 0. False (and
/// `r` and `img` untouched) when the header cannot be read or its size is
/// impossible.
bool CargarRasterConsulta(const std::string& carpeta, const std::string& archivo, RasterConsulta& r,
                          ImagenActual& img);

using Celda = std::pair<int32_t, int32_t>;  // (row, column)

/// The cells of the line from (f1, c1) to (f2, c2): one per row when the line
/// is steeper than the diagonal (column = c1 + floor(nC / nF * (r - f1))),
/// else one per column (row = f1 + floor(nF / nC * (c - c1))), nF and nC being
/// the cell counts of the two spans. Empty when the first end has a row or
/// column below 1 or when the second end lies above or left of the first. The
/// walk stops past `maxFila`/`maxColumna` (cells there would add nothing).
std::vector<Celda> LineaCeldas(int32_t f1, int32_t c1, int32_t f2, int32_t c2, int32_t maxFila,
                               int32_t maxColumna);

/// Sum, in single precision and in raster order, of the cells of `r` that the
/// line holds (a cell listed twice counts twice; cells outside add nothing).
float SumarLinea(const RasterConsulta& r, const std::vector<Celda>& linea);

}  // namespace tarno
