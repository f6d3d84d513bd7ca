// The model grids of a run, indexed (row, column) with bounds 0..NroFilas and
// 0..NroColumnas of the DEM; row 0 and column 0 exist and are never used.
#pragma once

#include <cstdint>

#include "base/grilla.h"

namespace tarno {

struct GrillasModelo {
    Grilla<float> Cota;           // ground elevation, m; <= 0 outside the basin (DEM loading)
    Grilla<double> Nivel;         // water-surface elevation, m
    Grilla<float> AporteCascada;  // water received in the period by the cascade method
    Grilla<float> QEntrada;       // inflow of the period, m3/s
    Grilla<float> QSalida;        // outflow of the period, m3/s
    Grilla<float> HMax;           // largest depth of the run, m
    Grilla<float> QMax;           // largest outflow of the run, m3/s
};

/// The cell being routed and the rain depth that falls on it in the step.
struct CeldaActual {
    int32_t I = 0;
    int32_t J = 0;
    float LluviaPaso = 0;  // mm
};

}  // namespace tarno
