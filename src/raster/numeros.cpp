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

// Text of |v| in the file form (no sign), the general way. Used for the
// values whose rounding may pass the largest value of the type.
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

// Digits and decimal exponent of a scientific text "d[.ddd]e[+-]xx" as
// std::to_chars writes it. Returns the number of digits.
int LeerCientifica(const char* p, const char* fin, char* cifras, int& exponente) {
    int n = 0;
    for (; p < fin && *p != 'e'; ++p)
        if (*p != '.') cifras[n++] = *p;
    ++p;  // 'e'
    const bool negativo = *p == '-';
    ++p;  // sign
    int e = 0;
    for (; p < fin; ++p) e = e * 10 + (*p - '0');
    exponente = negativo ? -e : e;
    return n;
}

// Writes the file form of |v| (finite, non-zero) at `p` without allocating;
// nullptr when the value needs the general way (its rounding to `precision`
// digits may pass the largest value of the type).
template <typename T>
char* EscribirAbsoluta(char* p, T v, int precision) {
    char buf[64];
    char cifras[40];
    int e = 0;
    // Shortest text that reads back to the same value.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    int nc = LeerCientifica(buf, res.ptr, cifras, e);
    if (nc > precision) {
        // Not representable in `precision` digits: round to that many (the
        // same digits as printf's "%.*e").
        res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::scientific,
                            precision - 1);
        nc = LeerCientifica(buf, res.ptr, cifras, e);
    }
    if (e >= std::numeric_limits<T>::max_exponent10) return nullptr;
    while (nc > 1 && cifras[nc - 1] == '0') --nc;
    if (e < -5 || e >= precision) {
        *p++ = cifras[0];
        if (nc > 1) {
            *p++ = '.';
            for (int i = 1; i < nc; ++i) *p++ = cifras[i];
        }
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        const int ae = e < 0 ? -e : e;
        if (ae < 10) *p++ = '0';
        p = std::to_chars(p, p + 8, ae).ptr;
    } else if (e >= 0) {
        const int enteros = e + 1;
        if (nc <= enteros) {
            for (int i = 0; i < nc; ++i) *p++ = cifras[i];
            for (int i = nc; i < enteros; ++i) *p++ = '0';
        } else {
            for (int i = 0; i < enteros; ++i) *p++ = cifras[i];
            *p++ = '.';
            for (int i = enteros; i < nc; ++i) *p++ = cifras[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -e - 1; ++i) *p++ = '0';
        for (int i = 0; i < nc; ++i) *p++ = cifras[i];
    }
    return p;
}

template <typename T>
char* EscribirForma(char* p, T v, int precision) {
    if (std::signbit(v) && v != 0) *p++ = '-';
    if (v == 0) {
        *p++ = '0';
        return p;
    }
    if (std::isnan(v)) return std::copy_n("NaN", 3, p);
    if (std::isinf(v)) return std::copy_n("Inf", 3, p);
    const T a = std::fabs(v);
    if (char* fin = EscribirAbsoluta(p, a, precision)) return fin;
    const std::string s = FormaAbsoluta(a, precision);
    return std::copy(s.begin(), s.end(), p);
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

char* EscribirNumeroArchivo(char* p, float v) { return EscribirForma(p, v, 7); }
char* EscribirNumeroArchivo(char* p, double v) { return EscribirForma(p, v, 15); }
char* EscribirNumeroArchivo(char* p, int64_t v) { return std::to_chars(p, p + kLargoNumeroArchivo, v).ptr; }

std::string NumeroArchivo(float v) {
    char buf[kLargoNumeroArchivo];
    return std::string(buf, EscribirNumeroArchivo(buf, v));
}
std::string NumeroArchivo(double v) {
    char buf[kLargoNumeroArchivo];
    return std::string(buf, EscribirNumeroArchivo(buf, v));
}
std::string NumeroArchivo(int64_t v) {
    char buf[kLargoNumeroArchivo];
    return std::string(buf, EscribirNumeroArchivo(buf, v));
}

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

double Redondear(double v, int n) { return RedondearConEscala(v, std::pow(10.0, n)); }

double ParteEntera(double v) { return std::floor(v); }

namespace {
// Length of TextoBlanco(v): the file form with a blank for a missing minus
// sign and without the zero of "0.".
int LargoBlanco(float v) {
    char buf[kLargoNumeroArchivo];
    const char* fin = EscribirNumeroArchivo(buf, v);
    const char* cuerpo = buf[0] == '-' ? buf + 1 : buf;
    const bool cero = fin - cuerpo > 1 && cuerpo[0] == '0' && cuerpo[1] == '.';
    return static_cast<int>(fin - buf) + (buf[0] == '-' ? 0 : 1) - (cero ? 1 : 0);
}
}  // namespace

int LargoDecimales(float v) {
    // A whole value has the same text as its whole part.
    if (std::fabs(v) < 8388608.0f && v == static_cast<float>(static_cast<int32_t>(v))) return 0;
    const float entera = std::floor(v);
    if (v == entera) return 0;
    return LargoBlanco(v) - LargoBlanco(entera);
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
