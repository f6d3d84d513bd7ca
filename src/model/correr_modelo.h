// The run driver: one whole simulation of a storm on the loaded DEM, and the
// logic of the run command around it. Nothing here knows about windows: the
// progress window, the board and the main window's message area are reached
// through `ObservadorCorrida`; message boxes, questions and the clock through
// `Plataforma`.
//
// A run goes in phases: prepare (checks, grids, section, progress window,
// start values, board, processing order), the periods, and close (maxima,
// storage, texts, result files, board, end message). Each period clears the
// inflows in a first pass and routes every cell in the processing order with
// the method's operator, which all share one shape (prepared once per run and
// per period, then one call per cell):
//  * `Metodo` = 0: `RuteoCascada` (cascada.h);
//  * `Metodo` = 1: `RuteoFlujo` (flujo_superficial.h); after every period the
//    run is abandoned, without result files, when the explicit scheme turns
//    unstable (`EstabilidadFlujo`);
//  * any other value routes nothing.
//  * The divide-explorer raster is written after the other result files when
//    `Div` is on; it reads estado.QminAuto, estado.HminAuto (final) and
//    estado.QMaxMayor.
#pragma once

#include <string>
#include <vector>

#include "model/estado_corrida.h"
#include "model/grillas.h"
#include "model/parametros.h"
#include "model/pluviograma.h"
#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno {

// Texts of the progress window.
inline constexpr const char* kTituloProgresoCorrida = "un momento...esta opción puede tardar varios minutos...";
inline constexpr const char* kCorriendoSimulador = "Corriendo Simulador TARNO-SIG...";
// Title of the run's message boxes.
inline constexpr const char* kTituloCorrida = "TARNO-SIG: Correr el modelo";

/// What the windows around a run receive. Every method has an empty default,
/// so a headless caller implements only what it shows. Calls come in this
/// order: [command: Ocupado(true), Mensajes, BarraEstado], AbrirProgreso,
/// LimpiarPizarra, Progreso (every tenth period), Pizarra, CerrarProgreso,
/// [command: Mensajes({}), BarraEstado("Estado"), Ocupado(false)].
/// When a run is abandoned after the time-out question, or because the
/// hyetograph is empty, CerrarProgreso is not called: the progress window
/// stays open with its last content until the user closes it.
class ObservadorCorrida {
public:
    virtual ~ObservadorCorrida() = default;

    /// Progress window `frmPp2` opened: caption `titulo` (kTituloProgresoCorrida),
    /// `cmdTrestante` empty, `cmdMiTime` = `tiempo` (kCorriendoSimulador), bar visible.
    virtual void AbrirProgreso(const std::string& /*titulo*/, const std::string& /*tiempo*/) {}
    /// Every tenth period: bar value `avance` (0..100), `cmdTrestante` =
    /// `periodo` ("Período =  10 /  120"), `cmdMiTime` = `tiempo`
    /// ("Tiempo de proceso: 0:0:5").
    virtual void Progreso(double /*avance*/, const std::string& /*periodo*/, const std::string& /*tiempo*/) {}
    /// Progress window cleared, pointer restored, bar hidden, window unloaded.
    virtual void CerrarProgreso() {}
    /// End of every period. Shows nothing new; a window system may use it to
    /// repaint its windows between the tenth-period updates of a long run.
    virtual void FinPeriodo() {}

    /// Board `frmPp`: its text emptied at the start of a run (this loads the
    /// board, so `VerPizarra` becomes true).
    virtual void LimpiarPizarra() {}
    /// Board text at the end of a run (the section log, `TextoPizarra`).
    virtual void Pizarra(const std::string& /*texto*/) {}
    /// Whether the section log is shown at all. A caller that never shows it
    /// answers false and the run does not build it (it grows by one line per
    /// section cell and period); `TextoPizarra` then stays empty.
    virtual bool MuestraPizarra() const { return true; }

    /// Main window (run command only): message area lines (empty = cleared),
    /// first status panel, hourglass pointer.
    virtual void Mensajes(const std::vector<std::string>& /*lineas*/) {}
    virtual void BarraEstado(const std::string& /*texto*/) {}
    virtual void Ocupado(bool /*si*/) {}
    /// The options dialog must show the record again (`Reinicia_Variables`);
    /// the record changes of that fill are already made (`AjustesDeRelleno`).
    virtual void ReiniciarOpciones() {}
};

/// Everything a run reads and writes besides its own state.
struct EntornoCorrida {
    Parametros& par;
    ImagenActual& img;        // the DEM header (loaded by CargarDEM); running extremes
    GrillasModelo& grillas;   // Cota from CargarDEM; the rest created by the run
    const Pluviograma& pluviograma;
    Plataforma& plataforma;
    ObservadorCorrida& observador;
    std::string carpetaCache;  // folder of the order cache; empty = working folder
    bool cacheSoloLectura = false;  // the cache is read, never written (shared by runs at once)
};

enum class FinCorrida {
    Completa,        // every period done, result files written
    Rechazada,       // parameters that cannot run (message shown), nothing done
    SinMemoria,      // the grids do not fit (message shown)
    Suspendida,      // the user refused to go on after the time-out question
    SinPluviograma,  // hyetograph empty or its interval shorter than the step
    ErrorArchivo,    // a result file could not be written or another error stopped the run
                     // (message shown; files already written stay)
    Inestable,       // surface flow: the step is too long for the cell size (message shown), no files
};

/// Checks the parameters a run divides by. Empty when the run can go on,
/// else the message for the user.
std::string ValidarParametrosCorrida(const Parametros& par, int32_t filas, int32_t columnas);

/// Difference between the rain fallen and the water stored, with its share of
/// the rain: " 120.5 ( 2.35 %)" (no percentage without rain).
std::string TextoDiferenciaVolumen(double lluvia, double almacenado);

/// The balance's difference, rain less losses, water that left through the
/// boundary and water stored, with its share of the rain.
std::string TextoDiferenciaBalance(double lluvia, double perdidas, double salida, double almacenado);

/// True when some extension of the model is on (losses, open boundary, or,
/// with the surface-flow method, mass keeping or the automatic step): the
/// board then ends with the balance's losses and outflow.
bool ModeloExtendido(const Parametros& par);

/// Warning shown (OK / Cancel) before a run whose cross-section has no cell
/// on the DEM inside the basin.
std::string TextoSeccionFuera(const Parametros& par, int32_t filas, int32_t columnas);

/// The run driver `CorrerModelo`.
FinCorrida CorrerModelo(EntornoCorrida& entorno, EstadoCorrida& estado);

}  // namespace tarno
