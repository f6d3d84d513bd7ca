// What a routing method receives for one cell and one step: the model grids,
// the parameters, the current cell with its rain, and the per-cell work
// values the driver clears before every call.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/grillas.h"
#include "model/parametros.h"

namespace tarno {

struct ContextoCelda {
    ContextoCelda(GrillasModelo& grillas, const Parametros& parametros)
        : g(grillas), par(parametros), NroFilas(grillas.Cota.Filas()), NroColumnas(grillas.Cota.Columnas()) {
        PrepararPaso();
    }

    GrillasModelo& g;
    const Parametros& par;
    int32_t NroFilas;
    int32_t NroColumnas;
    CeldaActual celda;  // I, J and LluviaPaso, set by the driver before each call

    // Per-cell work values (cleared before each call).
    double Caida1 = 0, Caida2 = 0, Caida3 = 0, Caida4 = 0;
    double DeltaNivel = 0;

    // Recession factor of the cascade method, 2.7183^(-PasoPp / KRecesion):
    // the same for every cell of a run, so computed once.
    double FactorRecesion = 1;

    /// Recomputes the values derived from the parameters.
    void PrepararPaso() {
        FactorRecesion = std::pow(2.7183, -static_cast<double>(par.PasoPp) / static_cast<double>(par.KRecesion));
    }
    void LimpiarTrabajo() { Caida1 = Caida2 = Caida3 = Caida4 = DeltaNivel = 0; }
};

}  // namespace tarno
