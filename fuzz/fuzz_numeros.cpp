// Numbers: the leading-number and exact readers on any text, and the file
// form of any 32-bit and 64-bit value, which must read back to a value whose
// text is the same.
#include <cmath>
#include <cstring>

#include "comun.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

namespace {

template <typename T>
void IdaYVuelta(T v, bool (*convertir)(std::string_view, T&)) {
    if (!std::isfinite(v)) return;
    const std::string t = NumeroArchivo(v);
    T leido;
    FUZZ_EXIGIR(convertir(t, leido));
    FUZZ_EXIGIR(std::isfinite(leido));
    FUZZ_EXIGIR(NumeroArchivo(leido) == t);
    const std::string b = TextoBlanco(v);
    FUZZ_EXIGIR(convertir(b, leido) && NumeroArchivo(leido) == t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string_view s(reinterpret_cast<const char*>(datos), largo);
    size_t inicio = 0;
    const size_t n = PrefijoNumerico(s, &inicio);
    FUZZ_EXIGIR(inicio + n <= s.size());
    const double inicial = ValorInicial(s);
    if (n > 0) {
        double d;
        FUZZ_EXIGIR(ConvertirDouble(s.substr(inicio, n), d));
        FUZZ_EXIGIR(d == inicial || (std::isnan(d) && std::isnan(inicial)));
    }
    float f;
    if (AFloat(inicial, f)) FUZZ_EXIGIR(std::isfinite(f));
    double d;
    if (ConvertirDouble(s, d)) {
        FUZZ_EXIGIR(EsNumerico(s));
        FUZZ_EXIGIR(!std::isnan(d));
        IdaYVuelta(d, ConvertirDouble);
        int16_t e16;
        int32_t e32;
        if (AEntero16(d, e16)) FUZZ_EXIGIR(std::fabs(e16 - d) <= 0.5);
        if (AEntero32(d, e32)) FUZZ_EXIGIR(std::fabs(e32 - d) <= 0.5);
        (void)Redondear(d, static_cast<int>(largo % 12));
    }
    if (ConvertirFloat(s, f)) {
        IdaYVuelta(f, ConvertirFloat);
        if (std::isfinite(f)) (void)LargoDecimales(f);
    }
    // The bytes as the bit patterns of values.
    if (largo >= sizeof(float)) {
        float v;
        std::memcpy(&v, datos, sizeof v);
        IdaYVuelta(v, ConvertirFloat);
        if (std::isfinite(v)) {
            int16_t dec = 0;
            ActualizarDecimales(dec, v);
        }
    }
    if (largo >= sizeof(double)) {
        double v;
        std::memcpy(&v, datos, sizeof v);
        IdaYVuelta(v, ConvertirDouble);
    }
    return 0;
}
