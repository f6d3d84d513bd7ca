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
    /// Routing a cell touches only the grids (no total of the run), so two
    /// threads may route cells that do not touch each other at once.
    static constexpr bool kParalelo = !kAbierto;

    RuteoCascadaCon(GrillasModelo& grillas, const Parametros& parametros)
        : g(grillas),
          par(parametros),
          NroFilas(grillas.Cota.Filas()),
          NroColumnas(grillas.Cota.Columnas()),
          FactorRecesion(
              std::pow(2.7183, -static_cast<double>(parametros.PasoPp) / static_cast<double>(parametros.KRecesion))),
          ancho_(grillas.Cota.Ancho()),
          nivel_(grillas.Nivel.Datos()),
          cota_(grillas.Cota.Datos()),
          aporte_(grillas.AporteCascada.Datos()),
          hMax_(grillas.HMax.Datos()),
          qSalida_(grillas.QSalida.Datos()),
          qMax_(grillas.QMax.Datos()),
          resX_(static_cast<double>(parametros.ResolucionX)),
          resY_(static_cast<double>(parametros.ResolucionY)),
          paso_(static_cast<double>(parametros.PasoPp)) {}

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
    // The grids do not change size during a run: their data and the values
    // every cell's step shares are taken once.
    size_t ancho_;
    double* nivel_;
    const float* cota_;
    float* aporte_;
    float* hMax_;
    float* qSalida_;
    float* qMax_;
    double resX_, resY_;
    double paso_;              // PasoPp, min
    double salidaBorde_ = 0;  // m of depth summed over the cells, since the last call
};

using RuteoCascada = RuteoCascadaCon<false>;

template <bool kAbierto>
[[gnu::always_inline]] inline CaidasCascada RuteoCascadaCon<kAbierto>::Caidas(int32_t i, int32_t j) {
    const size_t c = static_cast<size_t>(i) * ancho_ + static_cast<size_t>(j);
    double* const nivel = nivel_;
    const float* const cota = cota_;
    float* const aporte = aporte_;

    const bool existe[4] = {i > 1, j < NroColumnas, i < NroFilas, j > 1};
    const size_t vecino[4] = {c - ancho_, c + 1, c + ancho_, c - 1};
    const double nivelCelda = nivel[c];
    const float cotaCelda = cota[c];
    const double cotaD = static_cast<double>(cotaCelda);

    // The drops, computed for every side without branching on the data: a
    // side with no neighbour reads the cell itself and drops nothing (or,
    // open, falls to the outfall). `destino` is where a side's water goes:
    // the neighbour inside the basin, else the cell itself with nothing.
    double d[4];
    size_t destino[4];
    [[maybe_unused]] bool abierto[4];
    for (int n = 0; n < 4; ++n) {
        const size_t v = existe[n] ? vecino[n] : c;
        const bool dentro = existe[n] & (cota[v] > 0);
        const double nivelVecino = nivel[v];
        destino[n] = dentro ? v : c;
        // Toward a surface under the cell's ground only the cell's own depth falls.
        const double bajo = static_cast<float>(nivelVecino) < cotaCelda ? cotaD : nivelVecino;
        const double caida = std::fabs(nivelCelda - bajo);
        d[n] = (dentro & (nivelCelda > nivelVecino)) ? caida : 0.0;
        if constexpr (kAbierto) {
            // The outfall's surface lies at or below the cell's ground: the depth falls.
            abierto[n] = !dentro;
            const double propia = nivelCelda > cotaD ? nivelCelda - cotaD : 0.0;
            d[n] = dentro ? d[n] : propia;
        }
    }
    const int bajada = (d[0] > 0) + (d[1] > 0) + (d[2] > 0) + (d[3] > 0);
    double delta = d[0] + d[1] + d[2] + d[3];
    if (delta > 0 && bajada > 0) {
        const double partes = static_cast<double>(bajada) + 1.0;
        for (double& x : d) x = x / partes;
    } else {
        d[0] = d[1] = d[2] = d[3] = 0;
    }
    for (double& x : d) x = x * FactorRecesion;
    delta = d[0] + d[1] + d[2] + d[3];
    if (!(delta > 0)) {
        d[0] = d[1] = d[2] = d[3] = 0;
    } else {
        const double h = std::fabs(nivelCelda - cotaD);
        if (h < delta) {
            const double f = h / delta;
            delta = h;
            for (double& x : d) x = x * f;
        }
    }
    // Adding a zero drop changes nothing (no level or received water is -0),
    // so every side writes.
    for (int n = 0; n < 4; ++n) {
        double x = d[n];
        if constexpr (kAbierto) {
            salidaBorde_ += abierto[n] ? x : 0.0;
            x = abierto[n] ? 0.0 : x;
        }
        nivel[destino[n]] += x;
        aporte[destino[n]] = static_cast<float>(static_cast<double>(aporte[destino[n]]) + x);
    }
    const double profundidad = nivelCelda - cotaD;
    hMax_[c] = profundidad > static_cast<double>(hMax_[c]) ? static_cast<float>(profundidad) : hMax_[c];
    nivel[c] = nivelCelda - delta;
    // CaudalPaso: the volume over PasoPp, over 60 (a step of 1 min divides by 1, which changes nothing).
    double q = resX_ * delta * resY_;
    if (paso_ != 1.0) q = q / paso_;
    const float qf = static_cast<float>(q / 60.0);
    qSalida_[c] = qf;
    qMax_[c] = qf > qMax_[c] ? qf : qMax_[c];

    return {d[0], d[1], d[2], d[3], delta};
}

}  // namespace tarno
