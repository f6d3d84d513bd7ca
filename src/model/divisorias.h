// Divide explorer and divide depuration.
//
// Cells that collect almost no runoff during a storm lie on the crests between
// catchments. At the end of a run with the explorer on, the `_QD` raster marks
// them with `DivValor` and gives every other cell `DivValorRes` or its maximum
// discharge. The depuration (comandos/depurar_divisorias.h) thins the crest
// cells of every row to one cell per crest (`AdelgazarFilas`).
#pragma once

#include <cstdint>
#include <string>

#include "model/grillas.h"
#include "model/parametros.h"
#include "base/grilla.h"
#include "raster/imagen.h"
#include "base/resultado.h"

namespace tarno {

/// Start value of the automatic thresholds `QminAuto` and `HminAuto` of a run.
inline constexpr float kUmbralAutoInicial = 999999.0f;

/// Value that marks a thinned crest cell in the explorer grid.
inline constexpr float kMarcaCresta = 999999.0f;

/// Final depth threshold: when 3 x m > hminAuto the threshold becomes 6 x m
/// for the surface-flow method (Metodo = 1) or m for the cascade method.
float UmbralProfundidadFinal(float hminAuto, float m, int16_t metodo);

/// Value of one cell in the explorer raster (before rounding).
float ValorExplorador(const Parametros& par, float qMax, float hMax, float qminAuto, float hminAuto);

/// DirDEM + ArchivoDEM less "_dat.rkd" + "_QD_dat.rkd".
std::string NombreExploradorDivisorias(const Parametros& par);

/// Writes DirDEM + base + "_QD_dat.rkd" and "_QD_cab.rkd" from the grids as
/// they stand after the last period. `img` holds the DEM header (title,
/// extents, resolutions); its `DatoMenor` and `DatoMayor` are left holding the
/// extremes of the explorer raster.
Resultado EscribirExploradorDivisorias(const Parametros& par, const GrillasModelo& g, ImagenActual& img,
                                       float qminAuto, float hminAuto, float qMaxMayor);

/// Row thinning: in every row each run of cells equal to 0 that is closed by a
/// non-zero cell gets the marker at the middle of its leftmost highest DEM
/// plateau (right middle for an even length). Runs whose DEM values are all
/// <= 0 and runs reaching the row's end get no mark.
void AdelgazarFilas(Grilla<float>& explorador, const Grilla<float>& dem);

}  // namespace tarno
