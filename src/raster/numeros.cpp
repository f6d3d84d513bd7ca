#include "raster/numeros.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tarno {
namespace {

// Significant digits (without trailing zeros) and decimal exponent of a finite,
// non-zero |v|: v = d1.d2d3... x 10^exp.
struct Digitos {
    std::string cifras;
    int exponente = 0;
};

// True when the digits, read back in type T, overflow it.
template <typename T>
bool Desborda(const Digitos& d) {
    const std::string t = "0." + d.cifras + "e" + std::to_string(d.exponente + 1);
    T x;
    auto res = std::from_chars(t.data(), t.data() + t.size(), x);
    return res.ec == std::errc::result_out_of_range;
}

template <typename T>
Digitos DescomponerDigitos(T v, int precision) {
    char buf[64];
    // Shortest text that reads back to the same value.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    std::string s(buf, res.ptr);
    Digitos d;
    auto ePos = s.find('e');
    std::string mant = s.substr(0, ePos);
    d.exponente = std::stoi(s.substr(ePos + 1));
    for (char ch : mant)
        if (ch >= '0' && ch <= '9') d.cifras += ch;
    if (static_cast<int>(d.cifras.size()) > precision) {
        // Not representable in `precision` digits: round to that many.
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, static_cast<double>(v));
        s = buf;
        ePos = s.find('e');
        mant = s.substr(0, ePos);
        d.exponente = std::stoi(s.substr(ePos + 1));
        d.cifras.clear();
        for (char ch : mant)
            if (ch >= '0' && ch <= '9') d.cifras += ch;
    }
    if (d.exponente >= std::numeric_limits<T>::max_exponent10 && Desborda<T>(d)) {
        // Rounded up past the largest value of the type (the largest 64-bit
        // value in 15 digits): cut the digits instead, so that the text reads
        // back as a finite value.
        std::snprintf(buf, sizeof buf, "%.*e", precision + 20, static_cast<double>(v));
        s = buf;
        ePos = s.find('e');
        d.exponente = std::stoi(s.substr(ePos + 1));
        d.cifras.clear();
        for (size_t i = 0; i < ePos && static_cast<int>(d.cifras.size()) < precision; ++i)
            if (s[i] >= '0' && s[i] <= '9') d.cifras += s[i];
    }
    while (d.cifras.size() > 1 && d.cifras.back() == '0') d.cifras.pop_back();
    return d;
}

// Text of |v| in the file form (no sign).
template <typename T>
std::string FormaAbsoluta(T v, int precision) {
    if (v == 0) return "0";
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return "Inf";
    Digitos d = DescomponerDigitos(v, precision);
    const std::string& c = d.cifras;
    const int e = d.exponente;
    std::string out;
    if (e < -5 || e >= precision) {
        out += c[0];
        if (c.size() > 1) {
            out += '.';
            out.append(c, 1, std::string::npos);
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        int ae = e < 0 ? -e : e;
        if (ae < 10) out += '0';
        out += std::to_string(ae);
    } else if (e >= 0) {
        const size_t enteros = static_cast<size_t>(e) + 1;
        if (c.size() <= enteros) {
            out = c + std::string(enteros - c.size(), '0');
        } else {
            out = c.substr(0, enteros) + "." + c.substr(enteros);
        }
    } else {
        out = "0." + std::string(static_cast<size_t>(-e - 1), '0') + c;
    }
    return out;
}

template <typename T>
std::string FormaArchivo(T v, int precision) {
    std::string abs = FormaAbsoluta(std::fabs(v), precision);
    return (std::signbit(v) && v != 0) ? "-" + abs : abs;
}

std::string ABlanco(std::string s) {
    bool negativo = !s.empty() && s[0] == '-';
    std::string cuerpo = negativo ? s.substr(1) : s;
    if (cuerpo.size() > 1 && cuerpo[0] == '0' && cuerpo[1] == '.') cuerpo.erase(0, 1);
    return (negativo ? "-" : " ") + cuerpo;
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }
bool EsBlanco(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string NumeroArchivo(float v) { return FormaArchivo(v, 7); }
std::string NumeroArchivo(double v) { return FormaArchivo(v, 15); }
std::string NumeroArchivo(int64_t v) { return std::to_string(v); }

std::string TextoBlanco(float v) { return ABlanco(NumeroArchivo(v)); }
std::string TextoBlanco(double v) { return ABlanco(NumeroArchivo(v)); }
std::string TextoBlanco(int64_t v) { return ABlanco(NumeroArchivo(v)); }

size_t PrefijoNumerico(std::string_view s, size_t* inicio) {
    size_t i = 0;
    while (i < s.size() && EsBlanco(s[i])) ++i;
    if (inicio) *inicio = i;
    const size_t desde = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digitos = 0;
    while (i < s.size() && EsDigito(s[i])) ++i, ++digitos;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && EsDigito(s[i])) ++i, ++digitos;
    }
    if (digitos == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t k = j;
        while (k < s.size() && EsDigito(s[k])) ++k;
        if (k > j) i = k;
    }
    return i - desde;
}

namespace {
// Decimal exponent of the first non-zero digit of an unsigned numeric text
// ("123" gives 2, "0.05" gives -2, "1e-50" gives -50), the exponent part
// saturated; 0 when every digit is zero.
int64_t ExponenteDecimal(std::string_view s) {
    int64_t primero = 0, ceros = 0;
    bool visto = false, punto = false;
    size_t i = 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            punto = true;
        } else if (!punto) {
            if (visto) ++primero;
            else visto = s[i] != '0';
        } else if (!visto) {
            ++ceros;
            if (s[i] != '0') {
                visto = true;
                primero = -ceros;
            }
        }
    }
    if (!visto) return 0;
    int64_t exp = 0;
    bool negativo = false;
    if (i < s.size()) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativo = s[i++] == '-';
        for (; i < s.size(); ++i) exp = std::min<int64_t>(exp * 10 + (s[i] - '0'), 1000000000);
    }
    return primero + (negativo ? -exp : exp);
}

template <typename T>
bool ConvertirExacto(std::string_view s, T& v) {
    size_t i = 0;
    while (i < s.size() && EsBlanco(s[i])) ++i;
    size_t f = s.size();
    while (f > i && (EsBlanco(s[f - 1]) || s[f - 1] == '\r' || s[f - 1] == '\n')) --f;
    s = s.substr(i, f - i);
    if (s.empty()) return false;
    if (PrefijoNumerico(s) != s.size()) return false;
    bool negativo = false;
    if (s[0] == '+' || s[0] == '-') {
        negativo = s[0] == '-';
        s.remove_prefix(1);
    }
    T x{};
    auto res = std::from_chars(s.data(), s.data() + s.size(), x);
    if (res.ec == std::errc::result_out_of_range && res.ptr == s.data() + s.size()) {
        // Magnitude beyond the type: too small underflows to zero, too large
        // saturates like the platform would overflow.
        x = ExponenteDecimal(s) < 0 ? T{0} : std::numeric_limits<T>::infinity();
    } else if (res.ec != std::errc() || res.ptr != s.data() + s.size()) {
        return false;
    }
    v = negativo ? -x : x;
    return true;
}
}  // namespace

bool ConvertirDouble(std::string_view s, double& v) { return ConvertirExacto(s, v); }
bool ConvertirFloat(std::string_view s, float& v) { return ConvertirExacto(s, v); }

bool AFloat(double v, float& out) {
    // Half a unit in the last place above the largest 32-bit value: magnitudes
    // from there on round to infinity.
    constexpr double kLimite = 0x1.ffffffp127;
    if (!(std::fabs(v) < kLimite)) return false;
    constexpr double kMayor = std::numeric_limits<float>::max();
    out = std::fabs(v) > kMayor ? static_cast<float>(std::copysign(kMayor, v)) : static_cast<float>(v);
    return true;
}

double ValorInicial(std::string_view s) {
    size_t inicio = 0;
    size_t n = PrefijoNumerico(s, &inicio);
    if (n == 0) return 0.0;
    double v = 0;
    if (!ConvertirDouble(s.substr(inicio, n), v)) return 0.0;
    return v;
}

bool EsNumerico(std::string_view s) {
    double v;
    return ConvertirDouble(s, v);
}

double RedondearEntero(double v) { return std::nearbyint(v); }

double Redondear(double v, int n) {
    if (!std::isfinite(v)) return v;
    double escala = std::pow(10.0, n);
    double x = v * escala;
    if (!std::isfinite(x)) return v;
    return std::nearbyint(x) / escala;
}

double ParteEntera(double v) { return std::floor(v); }

int LargoDecimales(float v) {
    std::string t = TextoBlanco(v);
    std::string ti = TextoBlanco(static_cast<float>(std::floor(v)));
    return static_cast<int>(t.size()) - static_cast<int>(ti.size());
}

bool AEntero16(double v, int16_t& out) {
    double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0)) return false;
    out = static_cast<int16_t>(r);
    return true;
}

bool AEntero32(double v, int32_t& out) {
    double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return false;
    out = static_cast<int32_t>(r);
    return true;
}

}  // namespace tarno
