// The figures of a run in one record, and that record as a JSON object: what
// `tarno run --resumen`, batches and reports read. Volumes in m3, discharges
// in m3/s.
#pragma once

#include <optional>
#include <string>

#include "model/correr_modelo.h"
#include "base/resultado.h"

namespace tarno {

struct ResumenCorrida {
    bool completa = false;          // "completa" / "abandonada"
    int32_t periodos = 0;           // periods routed
    int32_t periodosPedidos = 0;    // nPer
    double segundos = 0;            // wall time of the run
    double celdasPeriodoPorSegundo = 0;
    int64_t celdas = 0;
    double lluvia = 0;              // rain fallen on the basin cells
    double perdidas = 0;            // taken by the loss model
    double salidaBorde = 0;         // left through the open boundary
    double almacenado = 0;          // on the surface at the end
    double diferencia = 0;          // lluvia - perdidas - salidaBorde - almacenado
    std::optional<double> qMaxSeccion;  // known only when every period was routed
    std::optional<double> qMaxCelda;
    std::optional<double> alturaMax;    // largest depth of a basin cell, m
};

/// The record of a run that ended with `fin` after `segundos` seconds.
ResumenCorrida ArmarResumen(FinCorrida fin, const EstadoCorrida& estado, const Parametros& par,
                            const ImagenActual& img, double segundos);

/// One JSON object, keys in a fixed order, one per line; numbers in their
/// shortest exact form, unknown figures as null.
std::string TextoResumenJson(const ResumenCorrida& r);

/// Writes the JSON object to `ruta` (temporary file, then renamed).
Resultado EscribirResumenJson(const std::string& ruta, const ResumenCorrida& r);

}  // namespace tarno
