// Losses taken from the rain of every step before it is routed: an initial
// and constant loss, or the SCS curve number (uniform, or one curve number per
// cell from a raster image). The rain of a step is the same on every cell that
// receives it, so a uniform model keeps one state for the whole grid; a raster
// of curve numbers gives every cell its own excess.
#pragma once

#include <cstdint>
#include <string>

#include "model/parametros.h"
#include "base/grilla.h"
#include "base/resultado.h"

namespace tarno {

/// Cumulative SCS excess [mm] of a cumulative rain `P` [mm] on a soil of
/// potential retention `S` [mm] with an initial abstraction `relacionIa` x S:
/// (P - Ia)^2 / (P - Ia + S), 0 while P <= Ia.
double EscorrentiaSCS(double P, double S, double relacionIa);

/// Potential retention S [mm] of a curve number: 25400 / CN - 254.
double RetencionSCS(double numeroCurva);

/// The loss model of one run.
class ModeloPerdidas {
public:
    explicit ModeloPerdidas(const Parametros& par);

    /// True when losses are taken at all (`Perdidas` 1 or 2).
    bool Activo() const { return tipo_ != 0; }

    /// Excess [mm] of a step that rains `lluvia` mm on a cell (uniform
    /// models), and the model's state moved to the end of the step. Between 0
    /// and `lluvia`; `lluvia` itself when nothing is lost (CN 100).
    float Exceso(float lluvia);

    /// Cumulative rain [mm] on the cells that receive it, before and after the
    /// last step (for a raster of curve numbers).
    double LluviaAntes() const { return pAntes_; }
    double LluviaDespues() const { return p_; }

    /// Excess [mm] of the last step on a cell of retention `S` (raster of curve
    /// numbers): the increase of its cumulative excess over the step.
    float ExcesoCelda(float lluvia, float S) const;

private:
    int tipo_;
    double relacionIa_;
    double S_ = 0;               // mm, uniform curve number
    double inicialRestante_;     // mm still to be taken by the initial loss
    double continuaPorPaso_;     // mm per step of the constant loss
    double p_ = 0, pAntes_ = 0;  // cumulative rain, mm
};

/// Reads the raster of curve numbers `ruta` (a bare name is taken from
/// `carpetaDEM`) into `S` as retentions [mm]. It must have the DEM's size and a
/// curve number in 1..100 on every cell inside the basin (`cota` > 0).
Resultado LeerRetencionesSCS(const std::string& ruta, const std::string& carpetaDEM, const Grilla<float>& cota,
                             Grilla<float>& S);

}  // namespace tarno
