// The state a run leaves behind: processing order, cross-section lists,
// section hydrograph, scalars, texts for the result headers and the board,
// and the figures of the run summary. Re-created by every run except the
// order, which is reused while the DEM stays the same.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/orden_proceso.h"

namespace tarno {

struct EstadoCorrida {
    /// Back to the start values of a run (the member initializers below),
    /// keeping the processing order.
    void Reiniciar() {
        OrdenProceso o = std::move(orden);
        *this = EstadoCorrida{};
        orden = std::move(o);
    }

    OrdenProceso orden;
    bool ordenReconstruido = false;  // the order was computed (no valid cache)
    bool ordenPreparado = false;     // this run got as far as having its order

    // Cross-section cells 1..NroCeldasSeccion (entry 0 unused).
    std::vector<int32_t> SeccionFila{0};
    std::vector<int32_t> SeccionColumna{0};
    int32_t NroCeldasSeccion = 0;

    std::vector<float> QPeriodo;    // 0..nPer, section discharge per period, m3/s
    std::vector<float> Hidrograma;  // section discharge resampled at PasoQ (1-based)
    int32_t NroSalidas = 0;  // one more than the samples taken (never wraps)

    int32_t Periodo = 1;
    float LluviaPeriodo = 0;  // mm per step before the sub-area mask
    float QSeccionMin = 1e8f;
    float QSeccionMax = -1e8f;
    float Escorrentia = 0;       // m3 through the section
    float NivelMaxSeccion = 0;   // m
    float AlmacenamientoSup = 0; // m3 on the surface of the basin at the end
    float QminAuto = 999999.0f;  // automatic divide thresholds
    float HminAuto = 999999.0f;
    float QMaxMayor = 0;         // largest QMax of the run
    float HMaxMayor = 0;         // largest HMax of the run, m (summary only)
    float HoraInicio = 0, HoraControl = 0, HoraActual = 0;  // fractions of a day
    double Avance = 0;

    std::string SubtituloCorrida;
    std::string MetodoTexto;
    std::string TextoPizarra;
    std::string MensajeFinal;

    // Run summary (not part of any file).
    double VolumenLluvia = 0;    // m3 of rain fallen on the basin cells
    double VolumenPerdidas = 0;  // m3 taken by a loss model (none in the plain model)
    double VolumenSalidaBorde = 0;  // m3 that left through an open boundary (none when closed)
    int32_t PeriodosHechos = 0;
    int32_t Hilos = 1;  // threads that routed the periods
    bool EnOrden = false;  // the cascade's grids were laid out in the processing order
    std::vector<std::string> ArchivosEscritos;
};

}  // namespace tarno
