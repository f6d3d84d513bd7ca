// The cascade routing method: in every period each cell inside the basin hands
// part of its excess level to each of its four edge neighbours whose water
// surface is lower, shared with the cell itself, damped by the recession
// factor and limited by the water the cell holds.
#pragma once

#include <cmath>

#include <cstdint>

#include <vector>

#include "model/grillas.h"
#include "model/orden_proceso.h"
#include "model/parametros.h"
#include "model/reparto.h"
#include "model/unidades.h"

namespace tarno {

/// What the cascade hands on from one cell in one step: the level falls
/// towards neighbours 1..4 and their sum, the cell's drop [m].
struct CaidasCascada {
    double Caida1 = 0, Caida2 = 0, Caida3 = 0, Caida4 = 0;
    double DeltaNivel = 0;
};

/// The recession factor 2.7183^(-PasoPp / KRecesion), the same for every cell of a run.
inline double FactorRecesionDe(const Parametros& par) {
    return std::pow(2.7183, -static_cast<double>(par.PasoPp) / static_cast<double>(par.KRecesion));
}

/// The cell sizes [m] and the step [min] a cell's outflow is worked out with.
struct PasoCelda {
    double resX, resY, paso;
    static PasoCelda De(const Parametros& par) {
        return {static_cast<double>(par.ResolucionX), static_cast<double>(par.ResolucionY),
                static_cast<double>(par.PasoPp)};
    }
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
          FactorRecesion(FactorRecesionDe(parametros)),
          ancho_(grillas.Cota.Ancho()),
          nivel_(grillas.Nivel.Datos()),
          cota_(grillas.Cota.Datos()),
          aporte_(grillas.AporteCascada.Datos()),
          hMax_(grillas.HMax.Datos()),
          qSalida_(grillas.QSalida.Datos()),
          qMax_(grillas.QMax.Datos()),
          paso_(PasoCelda::De(parametros)) {}

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
    PasoCelda paso_;
    double salidaBorde_ = 0;  // m of depth summed over the cells, since the last call
};

using RuteoCascada = RuteoCascadaCon<false>;

// The steps every form of the cascade shares, so that they give the same
// bits: the drop towards one side, the sharing of the drops, and the cell's
// own values after them.

/// The drop [m] from a cell towards a neighbour inside the basin whose level
/// is `nivelVecino`: the difference of the surfaces, or only the cell's depth
/// towards a surface under the cell's ground; 0 when the neighbour is not
/// lower or not inside the basin.
[[gnu::always_inline]] inline double CaidaHacia(double nivelCelda, float cotaCelda, double cotaD, double nivelVecino,
                                                bool dentro) {
    const double bajo = static_cast<float>(nivelVecino) < cotaCelda ? cotaD : nivelVecino;
    const double caida = std::fabs(nivelCelda - bajo);
    return (dentro & (nivelCelda > nivelVecino)) ? caida : 0.0;
}

/// The drops towards the four sides, whose neighbours' levels are
/// `nivelVecino` (`dentro`: the neighbour lies inside the basin). With
/// `kAbierto` a side without one is the outfall, whose surface lies at or
/// below the cell's ground: the cell's depth falls towards it.
template <bool kAbierto>
[[gnu::always_inline]] inline void CaidasHacia(double (&d)[4], double nivelCelda, float cotaCelda, double cotaD,
                                               const double (&nivelVecino)[4], const bool (&dentro)[4]) {
    for (int n = 0; n < 4; ++n) {
        d[n] = CaidaHacia(nivelCelda, cotaCelda, cotaD, nivelVecino[n], dentro[n]);
        if constexpr (kAbierto) {
            const double propia = nivelCelda > cotaD ? nivelCelda - cotaD : 0.0;
            d[n] = dentro[n] ? d[n] : propia;
        }
    }
}

/// What a side's drop `x` hands to its neighbour: with `kAbierto`, what falls
/// to the outfall (no neighbour inside the basin) is added to `salida` and
/// nothing is handed on.
template <bool kAbierto>
[[gnu::always_inline]] inline double Entregar(double x, bool dentro, [[maybe_unused]] double& salida) {
    if constexpr (kAbierto) {
        salida += dentro ? 0.0 : x;
        return dentro ? x : 0.0;
    }
    return x;
}

/// The drops `d` shared with the cell itself, damped by the recession factor
/// and limited by the cell's depth; returns their sum, the cell's drop.
[[gnu::always_inline]] inline double RepartirCaidas(double (&d)[4], double nivelCelda, double cotaD,
                                                    double factorRecesion) {
    const int bajada = (d[0] > 0) + (d[1] > 0) + (d[2] > 0) + (d[3] > 0);
    double delta = d[0] + d[1] + d[2] + d[3];
    if (delta > 0 && bajada > 0) {
        const double partes = static_cast<double>(bajada) + 1.0;
        for (double& x : d) x = x / partes;
    } else {
        d[0] = d[1] = d[2] = d[3] = 0;
    }
    for (double& x : d) x = x * factorRecesion;
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
    return delta;
}

/// What a drop `x` adds to the level and the received water of the cell it reaches.
[[gnu::always_inline]] inline void RecibirCaida(double& nivel, float& aporte, double x) {
    nivel += x;
    aporte = static_cast<float>(static_cast<double>(aporte) + x);
}

/// The cell's own values after its drop `delta`: its largest depth, its new
/// level, and its outflow and largest outflow (the volume over PasoPp, over
/// 60; a step of 1 min divides by 1, which changes nothing).
[[gnu::always_inline]] inline void CerrarCelda(const PasoCelda& p, double nivelCelda, double cotaD, double delta,
                                               double& nivel, float& hMax, float& qSalida, float& qMax) {
    const double profundidad = nivelCelda - cotaD;
    hMax = profundidad > static_cast<double>(hMax) ? static_cast<float>(profundidad) : hMax;
    nivel = nivelCelda - delta;
    double q = p.resX * delta * p.resY;
    if (p.paso != 1.0) q = q / p.paso;
    const float qf = static_cast<float>(q / 60.0);
    qSalida = qf;
    qMax = qf > qMax ? qf : qMax;
}

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
    double d[4], nivelVecino[4];
    size_t destino[4];
    bool dentro[4];
    for (int n = 0; n < 4; ++n) {
        const size_t v = existe[n] ? vecino[n] : c;
        dentro[n] = existe[n] & (cota[v] > 0);
        destino[n] = dentro[n] ? v : c;
        nivelVecino[n] = nivel[v];
    }
    CaidasHacia<kAbierto>(d, nivelCelda, cotaCelda, cotaD, nivelVecino, dentro);
    const double delta = RepartirCaidas(d, nivelCelda, cotaD, FactorRecesion);
    // Adding a zero drop changes nothing (no level or received water is -0),
    // so every side writes.
    for (int n = 0; n < 4; ++n)
        RecibirCaida(nivel[destino[n]], aporte[destino[n]], Entregar<kAbierto>(d[n], dentro[n], salidaBorde_));
    CerrarCelda(paso_, nivelCelda, cotaD, delta, nivel[c], hMax_[c], qSalida_[c], qMax_[c]);
    return {d[0], d[1], d[2], d[3], delta};
}

/// The cascade with its grids laid out in the processing order for the run:
/// each cell has a position, its level, ground and received water lie side
/// by side there, with the positions of its four neighbours. The period loop
/// then reads the cells it routes one after the other in memory, and their
/// neighbours lie close by as the order follows the rows, instead of jumping
/// through six grids by the cells' places. A side with no neighbour inside
/// the basin names the cell itself, which is no lower than itself and so
/// drops nothing, as in the grids; with the open edge such a side is the
/// outfall.
///
/// One thread: position k holds the k-th cell of the order. Two threads
/// (`RepartoDos`): each half's cells in the order, the first half's before
/// the second's, so that each thread writes its own stretch of memory; the
/// waits are turned into positions.
///
/// `Preparar` copies the grids in and `Devolver` copies them back; in between
/// only this object holds the cells' levels, received water, outflows and
/// maxima. It takes 48 bytes per cell besides the grids.
class CascadaEnOrden {
public:
    static constexpr bool kLluviaEnNiveles = true;
    static constexpr bool kRecibeLluvia = true;
    static constexpr bool kConservaEntradas = false;
    static constexpr bool kParalelo = true;

    struct Celda {
        double Nivel;
        float Cota;
        float Aporte;
    };

    /// The cell's own outflow and maxima.
    struct Propias {
        float HMax;
        float QSalida;
        float QMax;
    };

    /// What routing a cell needs, held by value: a loop that publishes its
    /// progress takes a copy, so that the compiler keeps it in registers.
    struct Vista {
        Celda* celdas;
        const uint32_t* vecinos;  // four per position
        Propias* propias;
        double factorRecesion;
        PasoCelda paso;

        /// Routes the cell at position k as `RuteoCascada` routes it in the
        /// grids (a cell outside the basin is emptied).
        [[gnu::always_inline]] void Rutear(int64_t k) const {
            double ninguna = 0;
            RutearCon<false>(k, ninguna);
        }
        /// The same as `RuteoCascadaCon<kAbierto>`: with the open edge what
        /// falls to the outfall is added to `salida` [m of depth].
        template <bool kAbierto>
        [[gnu::always_inline]] void RutearCon(int64_t k, [[maybe_unused]] double& salida) const {
            const size_t p = static_cast<size_t>(k);
            Celda* const C = celdas;
            Celda& e = C[p];
            if (!(e.Cota > 0)) {
                propias[p].QSalida = 0;
                e.Nivel = 0;
                e.Aporte = 0;
                return;
            }
            const uint32_t* const v = vecinos + 4 * p;
            const double nivelCelda = e.Nivel;
            const float cotaCelda = e.Cota;
            const double cotaD = static_cast<double>(cotaCelda);
            double d[4], nivelVecino[4];
            bool dentro[4];
            for (int n = 0; n < 4; ++n) {
                dentro[n] = v[n] != p;
                nivelVecino[n] = C[v[n]].Nivel;
            }
            CaidasHacia<kAbierto>(d, nivelCelda, cotaCelda, cotaD, nivelVecino, dentro);
            const double delta = RepartirCaidas(d, nivelCelda, cotaD, factorRecesion);
            for (int n = 0; n < 4; ++n)
                RecibirCaida(C[v[n]].Nivel, C[v[n]].Aporte, Entregar<kAbierto>(d[n], dentro[n], salida));
            Propias& q = propias[p];
            CerrarCelda(paso, nivelCelda, cotaD, delta, e.Nivel, q.HMax, q.QSalida, q.QMax);
        }
    };

    /// A thread's stretch of positions, its waits (`RepartoDos::Espera` in
    /// positions: before position k the other thread must have passed
    /// position `hasta`) and, for each position, whether the other thread may
    /// wait for it (then the thread publishes its progress after it).
    struct Tramo {
        int64_t desde = 1, hasta = 0;
        std::vector<RepartoDos::Espera> esperas;
    };

    explicit CascadaEnOrden(const Parametros& parametros);

    /// Lays the grids out for `orden` (shared as `reparto` says when it is
    /// active); `indices` (grid indices) are turned into positions. False,
    /// with nothing held, when the memory is not there.
    bool Preparar(const GrillasModelo& g, const OrdenProceso& orden, const RepartoDos& reparto,
                  std::vector<size_t>& indices);
    /// Writes the levels, received water, outflows and maxima back to the grids.
    void Devolver(GrillasModelo& g) const;

    void PrepararPeriodo(float /*lluviaPeriodo*/) {}
    bool FinPeriodo(double /*lluviaVolumen*/) { return true; }
    /// With the open edge: whether it is open, and the depth [m] summed over
    /// the cells that left through it since the last `TomarSalidaBorde`,
    /// which turns it into a volume [m3].
    bool Abierto() const { return abierto_; }
    double& SalidaBorde() { return salidaBorde_; }
    double TomarSalidaBorde() {
        const double v = salidaBorde_ * vista_.paso.resX * vista_.paso.resY;
        salidaBorde_ = 0;
        return v;
    }

    /// The grid index of the cell at position p.
    size_t Indice(int64_t p) const { return indice_[static_cast<size_t>(p)]; }
    /// Pass 1 for the cell at position p: its received water cleared and the
    /// rain `lluvia` [mm] added to its level.
    void Llover(int64_t p, float lluvia) {
        Celda& e = celdas_[static_cast<size_t>(p)];
        e.Aporte = 0;
        e.Nivel += static_cast<double>(lluvia) / 1000.0;
    }
    const Vista& Ver() const { return vista_; }
    const Tramo& TramoDe(int hilo) const { return tramos_[hilo]; }
    /// Whether the cell at position p lies within two steps of the cut.
    bool Publica(int64_t p) const {
        return publicar_[static_cast<size_t>(p) >> 6] >> (static_cast<size_t>(p) & 63) & 1;
    }
    float QSalida(size_t p) const { return propias_[p].QSalida; }
    float HMax(size_t p) const { return propias_[p].HMax; }

private:
    void Liberar();

    Vista vista_{};
    bool abierto_ = false;
    double salidaBorde_ = 0;
    std::vector<uint32_t> indice_;  // grid index of each position
    std::vector<Celda, AsignadorGrilla<Celda>> celdas_;
    std::vector<uint32_t, AsignadorGrilla<uint32_t>> vecinos_;
    std::vector<Propias, AsignadorGrilla<Propias>> propias_;
    std::vector<uint64_t> publicar_;
    Tramo tramos_[2];
};

}  // namespace tarno
