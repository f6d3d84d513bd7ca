// Surface and channel flow routing ("Flujo Superficial y Canal"): for one cell
// and one computation step, how much water the cell sends to each of its four
// edge neighbours, how its water surface changes and which running maxima it
// raises.
//
// Water moves down the gradient of the water surface. The discharge towards a
// lower neighbour comes from Manning's law when the flow is turbulent
// (Reynolds number above 2000) or from a Darcy-Weisbach law whose laminar
// resistance grows with rain intensity when it is laminar, weighted by the
// square root of the gradient. Inflow from higher neighbours and rain on the
// cell are added to its storage, and a cell that would give more than it holds
// is emptied exactly to its ground.
//
// The scheme is explicit: when 60 x PasoPp x V exceeds the cell size a cell
// can hand out more than it holds and the run becomes unstable; the driver
// watches for that after every period (see EstabilidadFlujo).
#pragma once

#include <cstdint>
#include <string>

#include "model/grillas.h"
#include "model/parametros.h"
#include "model/pluviograma.h"
#include "base/resultado.h"

namespace tarno {

/// Velocity [m/s] by Manning's law, hydraulic radius taken as the depth:
/// H^(2/3) x G^(1/2) / Manning.
float VelocidadManning(float H, double G, float manning);

/// Reynolds number 4 H V / nu, with nu = 3.28084^2 x 0.000012.
float NumeroReynolds(float V, float H);

/// Laminar resistance parameter for a rain intensity i [mm/min]:
/// K = (i / 25.4 x 60)^0.4 x 108 + 96 (96 without rain).
float ResistenciaLaminar(float i);

/// Values of a computation step that depend only on the parameters and on the
/// rain of the period, prepared once per period so the per-cell work repeats
/// nothing. They give exactly the numbers the per-cell formulas give.
struct PasoFlujo {
    float PasoPp = 1;        // min
    double T = 60;           // step length, s
    float ResolucionX = 1;   // m, distance and flow width of neighbours 1 and 3
    float ResolucionY = 1;   // m, distance and flow width of neighbours 2 and 4
    float Manning = 0.04f;
    float FactorRes = 10;
    float LluviaPeriodo = 0;     // mm per step of the period
    float KLluviaPeriodo = 96;   // ResistenciaLaminar(LluviaPeriodo / PasoPp)
    float IntensidadPeriodo = 0;     // LluviaPeriodo / PasoPp, mm/min
    double CaudalLluviaPeriodo = 0;  // that intensity on a cell as a discharge, m3/s
    float KSinLluvia = 96;       // ResistenciaLaminar(0)
};

/// Prepares the step values for a period whose unmasked rain is `lluviaPeriodo` mm.
PasoFlujo PrepararPasoFlujo(const Parametros& par, float lluviaPeriodo);

/// Routes the current cell (`celda.I`, `celda.J`, rain `celda.LluviaPaso`) for
/// one step, updating the grids in place: `Nivel`, `QSalida`, `HMax`, `QMax`
/// and `QEntrada` of the cell, `QEntrada` of its neighbours (and
/// `AporteCascada` for a cell outside the basin). Returns the fastest flow
/// velocity [m/s] of the cell's outflow directions in this step (0 when none),
/// which the stability guard uses to suggest a step.
/// Preconditions (checked once per run by ValidarEntradaFlujo): every grid is
/// sized like `Cota`, 1 <= I <= rows, 1 <= J <= columns, step and cell sizes > 0.
float FlujoCelda(GrillasModelo& g, const CeldaActual& celda, const PasoFlujo& paso);

/// The same with the model's extensions. `kAbierto`: a side with no neighbour
/// inside the basin is a free outfall (a dry neighbour whose ground continues
/// the cell's ground slope from its opposite neighbour); what the cell sends
/// there is added to `salidaBorde` [m3] and is part of its outflow.
/// `kConservar`: the cell takes its inflow and clears it, so what reaches it
/// after its turn waits for the next period (pass 1 must not clear the
/// inflows), and a cell with no side to credit its inflow through keeps it.
/// With both false it is `FlujoCelda`.
template <bool kAbierto, bool kConservar>
float FlujoCeldaCon(GrillasModelo& g, const CeldaActual& celda, const PasoFlujo& paso, double& salidaBorde);

/// Whether the vector forms below may be used: always, unless the
/// environment variable TARNO_VECTORES is 0.
bool VectoresPermitidos();

/// Routes `n` cells inside the basin (1 to the kernel's width) that lie more
/// than two steps apart from each other, as `FlujoCeldaCon<false, kConservar>`
/// would one after the other (such cells touch no common cell), and returns
/// the fastest velocity of them. The cells side by side in the lanes of AVX
/// registers (`ancho` 4) or AVX-512 ones (`ancho` 8); nullptr where this
/// processor or build lacks them.
using KernelFlujoLote = float (*)(GrillasModelo&, const CeldaActual*, int, const PasoFlujo&);
template <bool kConservar>
KernelFlujoLote KernelFlujoLoteAvx(int ancho);
/// The widest of those this processor has, its width in `ancho`; nullptr
/// (and 0) when none, or when the vector forms are not permitted.
template <bool kConservar>
KernelFlujoLote KernelFlujoLoteCon(int& ancho);

/// The same for callers that hold only the parameters (prepares the step itself).
float FlujoCelda(GrillasModelo& g, const CeldaActual& celda, const Parametros& par);

/// Refuses, before a run starts, parameters that would make the surface-flow
/// method divide by zero or take powers of negative numbers. The message is
/// Spanish and names the offending value.
Resultado ValidarParametrosFlujo(const Parametros& par);

/// Refuses a hyetograph whose cumulative rain decreases: it would give a
/// negative rain intensity, whose 0.4 power the laminar resistance cannot take.
Resultado ValidarPluviogramaFlujo(const Pluviograma& pv);

/// The same, and grids that are not all of the size of `Cota` (the kernel
/// would index outside them).
Resultado ValidarEntradaFlujo(const Parametros& par, const GrillasModelo& g);

/// Watches a surface-flow run for the instability of the explicit scheme.
/// After every period the driver adds the rain credited in the period and the
/// fastest velocity seen, and asks whether the grid still holds a sane amount
/// of water.
class EstabilidadFlujo {
public:
    /// `celdasCuenca` is the number of cells inside the basin; `duracionLluvia`
    /// the minutes of rain of the storm (0 when unknown).
    EstabilidadFlujo(const Parametros& par, int64_t celdasCuenca, double duracionLluvia = 0);

    /// Checks the grid at the end of a period, given the rain volume [m3] that
    /// fell in the period on cells inside the basin and the fastest velocity of
    /// the period. False when a depth is not finite or the water on the grid
    /// exceeds the rain fallen so far by more than 1 % (plus the small
    /// allowance the 6-decimal rounding of discharges can add).
    bool Revisar(const GrillasModelo& g, double lluviaPeriodo, float velocidadPeriodo);

    /// Water volume [m3] on the grid (cells with Cota > 0); `finito` tells
    /// whether every water surface is finite.
    static double AguaEnGrilla(const GrillasModelo& g, float resX, float resY, bool& finito);

    double LluviaCaida() const { return lluvia_; }
    double AguaAlmacenada() const { return agua_; }
    float VelocidadMaxima() const { return vMax_; }
    /// Largest velocity of the periods before the blow-up began, and the
    /// minute its period ended. The start is the first period whose water
    /// crosses more than a cell in one step, or, when that comes within the
    /// first 20 periods, the first whose velocity more than doubles or that
    /// is refused.
    float VelocidadEstable() const { return TramoEstable().v; }
    double MinutoEstable() const { return static_cast<double>(TramoEstable().periodo) * T_ / 60.0; }

    /// Velocity [m/s] the storm is expected to reach: the stable velocity,
    /// grown as depth^(2/3) (Manning) with the rain still to fall when the
    /// blow-up came before the end of the rain (depth taken as growing with
    /// the rain fallen).
    double VelocidadEsperada() const;

    /// Stable step [min] suggested: half the smaller cell side over the
    /// expected velocity, cell / (2 x 60 x V). 0 when no velocity was seen.
    double PasoSugerido() const;

    /// Spanish message telling the user that the step is too long for the
    /// method and cell size (the run was abandoned in period `periodo`).
    std::string Mensaje(int32_t periodo) const;

private:
    float resX_, resY_;
    double T_;
    double duracionLluvia_;
    int64_t celdas_;
    int64_t periodos_ = 0;
    double lluvia_ = 0;
    double agua_ = 0;
    float vMax_ = 0;
    float vAnterior_ = 0;
    // Periods before the blow-up began, by one mark of its start.
    struct Tramo {
        float v = 0;           // largest velocity, m/s
        int64_t periodo = 0;   // last period
        bool cerrado = false;  // the mark was seen
    };

    Tramo porSalto_, porCourant_;
    const Tramo& TramoEstable() const;
};

/// The surface-flow method for one run, in the shape of every routing
/// method: the step values are prepared once per period, `Rutear` routes one
/// cell and keeps the period's fastest velocity, and `FinPeriodo` asks the
/// stability guard about the grid at the end of the period. The extensions
/// are those of `FlujoCeldaCon`.
template <bool kAbierto, bool kConservar>
class RuteoFlujoCon {
public:
    /// Rain enters in each cell's own step, not in pass 1.
    static constexpr bool kLluviaEnNiveles = false;
    /// Rain reaches the model.
    static constexpr bool kRecibeLluvia = true;
    /// Inflows that arrive after a cell's turn are kept for the next period.
    static constexpr bool kConservaEntradas = kConservar;
    /// Routing a cell touches only the grids and the fastest velocity (a
    /// maximum, the same in any order; each thread keeps its own with
    /// `RutearCelda`), so two threads may share a closed basin.
    static constexpr bool kParalelo = !kAbierto;

    /// `celdasCuenca`: cells inside the basin; `minutosLluvia`: minutes of rain
    /// of the storm (for the stability guard's advice).
    RuteoFlujoCon(GrillasModelo& g, const Parametros& par, int64_t celdasCuenca, double minutosLluvia)
        : estabilidad(par, celdasCuenca, minutosLluvia), g_(g), par_(par) {
        if constexpr (!kAbierto) lote_ = KernelFlujoLoteCon<kConservar>(anchoLote_);
    }

    void PrepararPeriodo(float lluviaPeriodo) {
        paso_ = PrepararPasoFlujo(par_, lluviaPeriodo);
        velocidad_ = 0;
    }
    /// A sub-step of `pasoMin` minutes raining `lluvia` mm; its fastest
    /// velocity starts afresh.
    void PrepararSubpaso(float lluvia, float pasoMin) {
        Parametros p = par_;
        p.PasoPp = pasoMin;
        paso_ = PrepararPasoFlujo(p, lluvia);
        velocidad_ = 0;
    }
    /// The fastest velocity of a period cut into sub-steps, for the stability guard.
    void FijarVelocidad(float v) { velocidad_ = v; }
    void Rutear(int32_t i, int32_t j, float lluvia) { SumarVelocidad(RutearCelda(i, j, lluvia)); }
    /// Routes cell (i, j) and returns its fastest velocity, for the caller
    /// to keep (`SumarVelocidad`).
    float RutearCelda(int32_t i, int32_t j, float lluvia) {
        return FlujoCeldaCon<kAbierto, kConservar>(g_, CeldaActual{i, j, lluvia}, paso_, salidaBorde_);
    }
    /// How many cells that lie apart `RutearLote` takes at most (0: it is
    /// not available and cells go one at a time).
    int AnchoLote() const { return anchoLote_; }
    /// Routes `n` cells (rain in each) that lie more than two steps apart
    /// and returns their fastest velocity, for the caller to keep.
    float RutearLote(const CeldaActual* celdas, int n) { return lote_(g_, celdas, n, paso_); }
    void SumarVelocidad(float v) {
        if (v > velocidad_) velocidad_ = v;
    }
    /// Fastest velocity [m/s] of the period (or sub-step) so far.
    float Velocidad() const { return velocidad_; }
    /// Volume [m3] that left through the open edge since the last call.
    double TomarSalidaBorde() {
        const double v = salidaBorde_;
        salidaBorde_ = 0;
        return v;
    }
    /// False when the period turned the scheme unstable.
    bool FinPeriodo(double lluviaVolumen) { return estabilidad.Revisar(g_, lluviaVolumen, velocidad_); }

    EstabilidadFlujo estabilidad;

private:
    GrillasModelo& g_;
    const Parametros& par_;
    KernelFlujoLote lote_ = nullptr;
    int anchoLote_ = 0;
    PasoFlujo paso_;
    float velocidad_ = 0;  // fastest velocity of the period, m/s
    double salidaBorde_ = 0;
};

using RuteoFlujo = RuteoFlujoCon<false, false>;

/// Rain volume [m3] of one step that the kernel credits to a cell receiving
/// `lluviaPaso` mm (i x ResX x ResY x 0.1666667 / 10000 m3/s over the step).
double VolumenLluviaPaso(const Parametros& par, float lluviaPaso);

}  // namespace tarno
