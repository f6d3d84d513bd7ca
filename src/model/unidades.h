// The computation step is given in minutes; discharges are in m3/s and
// volumes in m3. These are the one home of the conversions between them.
// Each keeps the order of its operations (a volume is discharge x minutes x
// 60, not discharge x seconds), so results do not move by a rounding.
#pragma once

namespace tarno {

/// Seconds of a step of `pasoMin` minutes.
inline double SegundosPaso(float pasoMin) { return static_cast<double>(pasoMin) * 60.0; }

/// Volume [m3] a discharge `q` [m3/s] carries in a step of `pasoMin` minutes:
/// q x pasoMin x 60.
inline double VolumenPaso(double q, float pasoMin) { return q * pasoMin * 60.0; }

/// Discharge [m3/s] of a volume `v` [m3] handed on in a step of `pasoMin`
/// minutes: v / pasoMin / 60.
inline double CaudalPaso(double v, float pasoMin) { return v / static_cast<double>(pasoMin) / 60.0; }

}  // namespace tarno
