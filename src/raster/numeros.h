// Number forms of TARNO-SIG, independent of the process locale.
//
// Two text forms are used:
//  * the file form (NumeroArchivo): shortest decimal text that reads back to the
//    same value, at most 7 significant digits for 32-bit values and 15 for
//    64-bit values, a point as decimal separator, a minus sign for negatives and
//    nothing before positives ("12.5", "-0.25", "0.25", "1E+07");
//  * the TextoBlanco form used in messages, captions and logs: the same digits
//    with a leading blank for non-negative numbers and no zero before the point
//    (" 12.5", " .25", "-.25").
//
// Exponent threshold (both forms): a value is written in exponent form
// (mantissa, "E", sign, at least two exponent digits: "1.5E-05", "3.402823E+38")
// when its decimal exponent is below -5 or when it has more integer digits than
// the precision carries (>= 1E+07 for 32-bit values, >= 1E+15 for 64-bit).
// So 0.00001 is "0.00001" and 0.000001 is "1E-06".
//
// Every reader accepts "0.25", ".25", "-.5", "1E+07", "1.5e-05", "+3".
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

/// File form of a 32-bit value (at most 7 significant digits).
std::string NumeroArchivo(float v);
/// File form of a 64-bit value (at most 15 significant digits).
std::string NumeroArchivo(double v);
/// File form of an integer.
std::string NumeroArchivo(int64_t v);
inline std::string NumeroArchivo(int v) { return NumeroArchivo(static_cast<int64_t>(v)); }

/// Room enough for the file form of any value.
inline constexpr size_t kLargoNumeroArchivo = 32;
/// Writes the file form at `p` (room for kLargoNumeroArchivo characters) and
/// returns the end of the text: the same text as NumeroArchivo, without
/// allocating.
char* EscribirNumeroArchivo(char* p, float v);
char* EscribirNumeroArchivo(char* p, double v);
char* EscribirNumeroArchivo(char* p, int64_t v);

/// The file form of 32-bit values with a memory of recent texts: the values of
/// a grid repeat (rounded depths and discharges, whole elevations), and a
/// value met again is copied instead of formatted again. The same text as
/// EscribirNumeroArchivo.
class FormaArchivoConMemoria {
public:
    FormaArchivoConMemoria() : entradas_(size_t{1} << kBits) {}
    /// Writes at `p` (room for kLargoNumeroArchivo characters); returns the end.
    char* Escribir(char* p, float v) {
        const uint32_t bits = std::bit_cast<uint32_t>(v);
        Entrada& e = entradas_[(bits * 2654435761u) >> (32 - kBits)];
        if (e.largo != 0 && e.bits == bits) {
            std::memcpy(p, e.texto, sizeof e.texto);
            return p + e.largo;
        }
        char* fin = EscribirNumeroArchivo(p, v);
        const size_t largo = static_cast<size_t>(fin - p);
        if (largo <= sizeof e.texto) {
            e.bits = bits;
            e.largo = static_cast<uint8_t>(largo);
            std::memcpy(e.texto, p, largo);
        }
        return fin;
    }

private:
    static constexpr int kBits = 12;
    struct Entrada {
        uint32_t bits = 0;
        uint8_t largo = 0;  // 0: empty
        char texto[27] = {};
    };
    static_assert(sizeof(Entrada::texto) <= kLargoNumeroArchivo);
    std::vector<Entrada> entradas_;
};

/// TextoBlanco form: leading blank when not negative, no zero before the point.
std::string TextoBlanco(float v);
std::string TextoBlanco(double v);
std::string TextoBlanco(int64_t v);
inline std::string TextoBlanco(int v) { return TextoBlanco(static_cast<int64_t>(v)); }

/// Length of the longest numeric prefix of `s` after leading blanks (sign,
/// digits, optional point and digits, optional exponent). 0 when there is none.
/// `inicio` receives the offset where the number starts.
size_t PrefijoNumerico(std::string_view s, size_t* inicio = nullptr);

/// Leading-number reading of a text: leading blanks skipped, longest numeric
/// prefix converted, 0 when the text starts with no number.
double ValorInicial(std::string_view s);

/// True when the whole text (blanks around it allowed) is one number.
bool EsNumerico(std::string_view s);

/// Exact conversion of a whole numeric text; false when `s` is not a number.
/// A magnitude beyond the type gives an infinity (callers that store the value
/// refuse it: see `AFloat` and the reader of delimited files).
bool ConvertirDouble(std::string_view s, double& v);
bool ConvertirFloat(std::string_view s, float& v);

/// The same as ConvertirFloat for a text of at most 7 digits with an optional
/// minus and an optional point with digits after it ("2534", "-12.75"): the
/// digits and the power of ten are exact 32-bit values, so one division gives
/// the correctly rounded value. False (and `v` untouched) for any other text.
inline bool ConvertirFloatCorto(std::string_view t, float& v) {
    static constexpr float kPotencias[8] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
    size_t i = 0;
    const bool negativo = !t.empty() && t[0] == '-';
    if (negativo) ++i;
    int32_t m = 0;
    int cifras = 0, decimales = 0;
    bool punto = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            if (++cifras > 7) return false;
            m = m * 10 + (c - '0');
            if (punto) ++decimales;
        } else if (c == '.' && !punto) {
            punto = true;
        } else {
            return false;
        }
    }
    if (cifras == 0 || (punto && decimales == 0)) return false;
    const float x = static_cast<float>(m) / kPotencias[decimales];
    v = negativo ? -x : x;
    return true;
}

/// A 64-bit value as a 32-bit one (nearest, as the platform rounds); false
/// when `v` is not finite or its magnitude lies beyond the 32-bit range.
bool AFloat(double v, float& out);

/// Rounds to `n` decimals with halves to the even neighbour (n >= 0).
double Redondear(double v, int n);
/// The same with `escala` = std::pow(10.0, n) given (for loops over cells).
inline double RedondearConEscala(double v, double escala) {
    if (!std::isfinite(v)) return v;
    const double x = v * escala;
    if (!std::isfinite(x)) return v;
    return std::nearbyint(x) / escala;
}
/// Nearest integer with halves to even (banker's rounding).
double RedondearEntero(double v);
/// Largest integer not above v.
double ParteEntera(double v);

/// Number of decimals contributed by one value to the `Decimales` rule of a
/// raster image: n = len(TextoBlanco(v)) - len(TextoBlanco(floor(v))), and the
/// image's decimals become n - 1 when n exceeds them.
int LargoDecimales(float v);
/// Applies the decimals rule of one value to a running `Decimales`.
inline void ActualizarDecimales(int16_t& decimales, float v) {
    if (std::fabs(v) < 8388608.0f && v == static_cast<float>(static_cast<int32_t>(v))) {
        // A whole value: no decimals (LargoDecimales gives 0).
        if (decimales < 0) decimales = -1;
        return;
    }
    int n = LargoDecimales(v);
    if (n > decimales) decimales = static_cast<int16_t>(n - 1);
}

/// Converts to a 16-bit or 32-bit integer the way the system does (halves to
/// even); false when the value does not fit.
bool AEntero16(double v, int16_t& out);
bool AEntero32(double v, int32_t& out);

}  // namespace tarno
