// DEM loading: reads the DEM named by the parameters into the elevation grid
// `Cota`, puts its header into the current-image record and takes the cell
// size from it.
#pragma once

#include "model/parametros.h"
#include "base/grilla.h"
#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno {

enum class EstadoDEM {
    Cargado,             // read whole, extremes as the header says
    ExtremosDistintos,   // read whole; header extremes differ (warned, still usable)
    SinArchivo,          // no DEM chosen (warned)
    ErrorLectura,        // a file missing or unreadable, or an impossible header (warned)
    CuentaDistinta,      // fewer values than cells (warned)
};

/// True when a run may use the grid that `CargarDEM` left.
inline bool DEMUtilizable(EstadoDEM e) {
    return e == EstadoDEM::Cargado || e == EstadoDEM::ExtremosDistintos;
}

/// The "no DEM chosen" check: false (after the warning) when the options
/// name no DEM.
bool DEMElegido(const Parametros& par, Plataforma& plataforma);

/// Reads DirDEM + ArchivoDEM into `cota` (0..NroFilas x 0..NroColumnas, cells
/// 1-based; a value <= 0 is outside the basin), the header fields into `img`
/// (its `Valores` untouched, `Decimales` recomputed) and the header cell size
/// into `par.ResolucionX/Y`. Shows its messages through `plataforma`.
EstadoDEM CargarDEM(Parametros& par, ImagenActual& img, Grilla<float>& cota, Plataforma& plataforma);

}  // namespace tarno
