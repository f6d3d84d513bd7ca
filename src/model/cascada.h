// The cascade routing method: in every period each cell inside the basin hands
// part of its excess level to each of its four edge neighbours whose water
// surface is lower, shared with the cell itself, damped by the recession
// factor and limited by the water the cell holds.
#pragma once

#include <cmath>

#include "model/contexto_celda.h"

namespace tarno {

/// Routes the current cell (ctx.celda.I, J; its Cota must be > 0) for one
/// step. Neighbours are 1 = previous row, 2 = next column, 3 = next row,
/// 4 = previous column. Updates Nivel of the cell and its neighbours,
/// AporteCascada of the neighbours inside the basin, and HMax, QSalida and
/// QMax of the cell.
inline void PasoCascada(ContextoCelda& ctx) {
    GrillasModelo& g = ctx.g;
    const int32_t i = ctx.celda.I;
    const int32_t j = ctx.celda.J;
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
    for (int n = 0; n < 4; ++n) {
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
        if (!existe[n]) continue;
        nivel[vecino[n]] += d[n];
        if (cota[vecino[n]] > 0)
            aporte[vecino[n]] = static_cast<float>(static_cast<double>(aporte[vecino[n]]) + d[n]);
    }
    const double profundidad = nivelCelda - static_cast<double>(cotaCelda);
    float& hMax = g.HMax.Datos()[c];
    if (profundidad > static_cast<double>(hMax)) hMax = static_cast<float>(profundidad);
    nivel[c] = nivelCelda - delta;
    const float q = static_cast<float>(static_cast<double>(ctx.par.ResolucionX) * delta *
                                       static_cast<double>(ctx.par.ResolucionY) /
                                       static_cast<double>(ctx.par.PasoPp) / 60.0);
    g.QSalida.Datos()[c] = q;
    float& qMax = g.QMax.Datos()[c];
    if (q > qMax) qMax = q;

    ctx.Caida1 = d[0];
    ctx.Caida2 = d[1];
    ctx.Caida3 = d[2];
    ctx.Caida4 = d[3];
    ctx.DeltaNivel = delta;
}

}  // namespace tarno
