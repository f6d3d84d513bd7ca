// The storm hyetograph: a cumulative rainfall curve read from a "_Pp.rkd" text
// file (title, recurrence, total rain, interval, point count N, then the N
// cumulative values). Its loader is comandos/cargar_pluviograma.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarno {

struct Pluviograma {
    std::string Titulo;
    int16_t Rec = 0;               // years, shown only
    float LluviaTotal = 0;         // mm
    int16_t Paso = 0;              // min between two curve points
    int16_t NroDatos = 0;          // number of curve points N
    std::vector<float> PpAcum{0};  // 0..N, cumulative mm; [0] holds 0 and is not used
};

}  // namespace tarno
