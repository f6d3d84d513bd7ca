// The cascade routing method: in every period each cell inside the basin hands
// part of its excess level to each of its four edge neighbours whose water
// surface is lower, shared with the cell itself, damped by the recession
// factor and limited by the water the cell holds.
#pragma once

#include <cmath>

#include <cstdint>

#include "model/grillas.h"
#include "model/parametros.h"
#include "model/unidades.h"

namespace tarno {

/// What the cascade hands on from one cell in one step: the level falls
/// towards neighbours 1..4 and their sum, the cell's drop [m].
struct CaidasCascada {
    double Caida1 = 0, Caida2 = 0, Caida3 = 0, Caida4 = 0;
    double DeltaNivel = 0;
};

/// The cascade method for one run: it holds the grids and the values every
/// cell's step shares (the recession factor 2.7183^(-PasoPp / KRecesion) is
/// the same for every cell of a run, so it is computed once); `Rutear` routes
/// one cell.
///
/// With `kAbierto` the grid's edge and the basin's edge are open: a side of a
/// cell that has no neighbour inside the basin is a free outfall, a dry
/// neighbour whose ground continues the cell's own slope downwards, so the
/// cell's depth falls towards it like towards any neighbour below its ground.
/// What falls there leaves the model (`SalidaBorde`) and is part of the cell's
/// outflow.
template <bool kAbierto>
class RuteoCascadaCon {
public:
    /// Pass 1 adds the rain of the step to the water levels.
    static constexpr bool kLluviaEnNiveles = true;
    /// The routing reads and writes only levels, ground and the cell's
    /// maxima (no inflow grid).
    static constexpr bool kUsaCaudales = false;
    /// Rain reaches the model.
    static constexpr bool kRecibeLluvia = true;
    /// Pass 1 clears the inflows of the period.
    static constexpr bool kConservaEntradas = false;

    RuteoCascadaCon(GrillasModelo& grillas, const Parametros& parametros)
        : g(grillas),
          par(parametros),
          NroFilas(grillas.Cota.Filas()),
          NroColumnas(grillas.Cota.Columnas()),
          FactorRecesion(
              std::pow(2.7183, -static_cast<double>(parametros.PasoPp) / static_cast<double>(parametros.KRecesion))) {}

    /// Nothing depends on the period's rain.
    void PrepararPeriodo(float /*lluviaPeriodo*/) {}
    /// Routes cell (i, j) (Cota > 0); its rain is already in its level.
    void Rutear(int32_t i, int32_t j, float /*lluvia*/) { Caidas(i, j); }
    /// Every period can go on.
    bool FinPeriodo(double /*lluviaVolumen*/) { return true; }
    /// Volume [m3] that left through the open edge since the last call.
    double TomarSalidaBorde() {
        const double v = salidaBorde_ * static_cast<double>(par.ResolucionX) * static_cast<double>(par.ResolucionY);
        salidaBorde_ = 0;
        return v;
    }

    /// Routes cell (i, j) (its Cota must be > 0) for one step and returns
    /// what it handed on. Neighbours are 1 = previous row, 2 = next column,
    /// 3 = next row, 4 = previous column. Updates Nivel of the cell and its
    /// neighbours, AporteCascada of the neighbours inside the basin, and HMax,
    /// QSalida and QMax of the cell.
    inline CaidasCascada Caidas(int32_t i, int32_t j);

    GrillasModelo& g;
    const Parametros& par;
    int32_t NroFilas;
    int32_t NroColumnas;
    double FactorRecesion;

private:
    double salidaBorde_ = 0;  // m of depth summed over the cells, since the last call
};

using RuteoCascada = RuteoCascadaCon<false>;

template <bool kAbierto>
inline CaidasCascada RuteoCascadaCon<kAbierto>::Caidas(int32_t i, int32_t j) {
    RuteoCascadaCon& ctx = *this;
    const size_t ancho = g.Cota.Ancho();
    const size_t c = g.Cota.Indice(i, j);
    double* nivel = g.Nivel.Datos();
    const float* cota = g.Cota.Datos();
    float* aporte = g.AporteCascada.Datos();

    const bool existe[4] = {i > 1, j < ctx.NroColumnas, i < ctx.NroFilas, j > 1};
    const size_t vecino[4] = {c - ancho, c + 1, c + ancho, c - 1};
    const double nivelCelda = nivel[c];
    const float cotaCelda = cota[c];

    double d[4] = {0, 0, 0, 0};
    [[maybe_unused]] bool abierto[4] = {false, false, false, false};
    for (int n = 0; n < 4; ++n) {
        if constexpr (kAbierto) {
            // The outfall's surface lies at or below the cell's ground: the depth falls.
            if (!existe[n] || !(cota[vecino[n]] > 0)) {
                abierto[n] = true;
                if (nivelCelda > static_cast<double>(cotaCelda)) d[n] = nivelCelda - static_cast<double>(cotaCelda);
                continue;
            }
        }
        if (!existe[n]) continue;
        const double nivelVecino = nivel[vecino[n]];
        if (nivelCelda > nivelVecino) {
            if (cota[vecino[n]] > 0) {
                d[n] = std::fabs(nivelCelda - nivelVecino);
                // Toward a surface under the cell's ground only the cell's own depth falls.
                if (static_cast<float>(nivelVecino) < cotaCelda)
                    d[n] = std::fabs(nivelCelda - static_cast<double>(cotaCelda));
            }
        }
    }
    double delta = d[0] + d[1] + d[2] + d[3];
    int bajada = 0;
    for (int n = 0; n < 4; ++n)
        if (d[n] > 0) ++bajada;
    if (delta > 0 && bajada > 0) {
        const double partes = static_cast<double>(bajada) + 1.0;
        for (double& x : d) x = x / partes;
    } else {
        d[0] = d[1] = d[2] = d[3] = 0;
    }
    delta = d[0] + d[1] + d[2] + d[3];
    for (double& x : d) x = x * ctx.FactorRecesion;
    delta = d[0] + d[1] + d[2] + d[3];
    if (!(delta > 0)) {
        d[0] = d[1] = d[2] = d[3] = 0;
    } else {
        const double h = std::fabs(nivelCelda - static_cast<double>(cotaCelda));
        if (h < delta) {
            const double f = h / delta;
            delta = h;
            for (double& x : d) x = x * f;
        }
    }
    for (int n = 0; n < 4; ++n) {
        if constexpr (kAbierto) {
            if (abierto[n]) {
                salidaBorde_ += d[n];
                continue;
            }
        }
        if (!existe[n]) continue;
        nivel[vecino[n]] += d[n];
        if (cota[vecino[n]] > 0)
            aporte[vecino[n]] = static_cast<float>(static_cast<double>(aporte[vecino[n]]) + d[n]);
    }
    const double profundidad = nivelCelda - static_cast<double>(cotaCelda);
    float& hMax = g.HMax.Datos()[c];
    if (profundidad > static_cast<double>(hMax)) hMax = static_cast<float>(profundidad);
    nivel[c] = nivelCelda - delta;
    const float q = static_cast<float>(CaudalPaso(static_cast<double>(ctx.par.ResolucionX) * delta *
                                                      static_cast<double>(ctx.par.ResolucionY),
                                                  ctx.par.PasoPp));
    g.QSalida.Datos()[c] = q;
    float& qMax = g.QMax.Datos()[c];
    if (q > qMax) qMax = q;

    return {d[0], d[1], d[2], d[3], delta};
}

}  // namespace tarno
