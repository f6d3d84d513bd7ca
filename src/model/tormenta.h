// Design storms written as hyetographs: alternating blocks from an
// intensity-duration curve, the SCS type II 24-hour distribution, or a
// uniform rain. The result is an ordinary `Pluviograma` (cumulative curve,
// point 1 at the storm's start holding 0) and its "_Pp.rkd" file, which the
// run and the options dialog load like any other.
#pragma once

#include <cstdint>
#include <string>

#include "model/pluviograma.h"
#include "base/resultado.h"

namespace tarno {

enum class TipoTormenta { Bloques, SCS2, Uniforme };

struct OpcionesTormenta {
    TipoTormenta tipo = TipoTormenta::Bloques;
    // Intensity-duration curve i = A / (d + B)^C, i in mm/h, d in minutes (Bloques).
    double A = 0, B = 0, C = 0;
    double duracion = 0;  // minutes (Bloques, Uniforme); hours of the 24-hour curve (SCS2, 0 = 24)
    int32_t paso = 0;     // minutes between curve points
    double pp = 0;        // mm (SCS2, Uniforme)
    int32_t rec = 0;      // years, shown only
    std::string titulo;   // empty: a title describing the storm
};

/// Depth [mm] the curve gives for a duration of `d` minutes: i(d) x d / 60.
double LaminaIDF(double A, double B, double C, double d);

/// Fraction of the 24-hour rain fallen by hour `t` in the SCS type II
/// distribution (linear between the tabulated hours).
double FraccionSCS2(double t);

/// Builds the storm. Refuses (Spanish message naming the option) a step that
/// is not a whole number of minutes from 1 to 1440, a duration that is not a
/// whole number of steps, more than 32766 intervals, and depths that are not
/// positive and finite.
Resultado GenerarTormenta(const OpcionesTormenta& op, Pluviograma& pv);

/// The hyetograph file's text (title, recurrence, total, interval, point
/// count, the cumulative values; one per line, CR LF).
std::string TextoPluviograma(const Pluviograma& pv);

/// Writes it to `ruta` (temporary file, then renamed).
Resultado EscribirPluviograma(const std::string& ruta, const Pluviograma& pv);

}  // namespace tarno
