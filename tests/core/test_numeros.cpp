#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "raster/codificacion.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

using namespace tarno;

TEST(Numeros, FormaDeArchivo32) {
    EXPECT_EQ(NumeroArchivo(0.0f), "0");
    EXPECT_EQ(NumeroArchivo(12.5f), "12.5");
    EXPECT_EQ(NumeroArchivo(-0.25f), "-0.25");
    EXPECT_EQ(NumeroArchivo(0.1f), "0.1");
    EXPECT_EQ(NumeroArchivo(123456.7f), "123456.7");
    EXPECT_EQ(NumeroArchivo(1234567.0f), "1234567");
    EXPECT_EQ(NumeroArchivo(1e7f), "1E+07");
    EXPECT_EQ(NumeroArchivo(12345678.0f), "1.234568E+07");
    EXPECT_EQ(NumeroArchivo(3.4e38f), "3.4E+38");
    EXPECT_EQ(NumeroArchivo(0.00001f), "0.00001");
    EXPECT_EQ(NumeroArchivo(1e-6f), "1E-06");
    EXPECT_EQ(NumeroArchivo(1.5e-5f), "0.000015");
    EXPECT_EQ(NumeroArchivo(-9999.0f), "-9999");
    EXPECT_EQ(NumeroArchivo(92.8f), "92.8");
    // 1/3 needs more than 7 digits: rounded to 7.
    EXPECT_EQ(NumeroArchivo(1.0f / 3.0f), "0.3333333");
}

TEST(Numeros, FormaDeArchivo64) {
    EXPECT_EQ(NumeroArchivo(0.1), "0.1");
    EXPECT_EQ(NumeroArchivo(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(NumeroArchivo(123456789012345.0), "123456789012345");
    EXPECT_EQ(NumeroArchivo(1e15), "1E+15");
    EXPECT_EQ(NumeroArchivo(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(NumeroArchivo(static_cast<double>(92.8f)), "92.8000030517578");
}

TEST(Numeros, TextoBlanco) {
    EXPECT_EQ(TextoBlanco(0.25f), " .25");
    EXPECT_EQ(TextoBlanco(-0.25f), "-.25");
    EXPECT_EQ(TextoBlanco(7.0f), " 7");
    EXPECT_EQ(TextoBlanco(-3.5), "-3.5");
    EXPECT_EQ(TextoBlanco(0.0f), " 0");
    EXPECT_EQ(TextoBlanco(int64_t{120}), " 120");
    EXPECT_EQ(TextoBlanco(-5), "-5");
    EXPECT_EQ(TextoBlanco(1e7f), " 1E+07");
}

TEST(Numeros, LecturaDelNumeroInicial) {
    EXPECT_DOUBLE_EQ(ValorInicial("0.25"), 0.25);
    EXPECT_DOUBLE_EQ(ValorInicial(".25"), 0.25);
    EXPECT_DOUBLE_EQ(ValorInicial("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ValorInicial("1E+07"), 1e7);
    EXPECT_DOUBLE_EQ(ValorInicial("1.5e-05"), 1.5e-5);
    EXPECT_DOUBLE_EQ(ValorInicial("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ValorInicial("   12abc"), 12.0);
    EXPECT_DOUBLE_EQ(ValorInicial("3.5.2"), 3.5);
    EXPECT_DOUBLE_EQ(ValorInicial("2e"), 2.0);
    EXPECT_DOUBLE_EQ(ValorInicial("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(ValorInicial("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ValorInicial(""), 0.0);
    EXPECT_DOUBLE_EQ(ValorInicial("-"), 0.0);
    EXPECT_DOUBLE_EQ(ValorInicial("."), 0.0);
}

TEST(Numeros, Numerico) {
    for (const char* s : {"0.25", ".25", "-.5", "1E+07", "1.5e-05", "+3", " 7 ", "5."})
        EXPECT_TRUE(EsNumerico(s)) << s;
    for (const char* s : {"", " ", "abc", "1,5", "1.5x", "--1", "e5", "."})
        EXPECT_FALSE(EsNumerico(s)) << s;
}

TEST(Numeros, RedondeoAlParYParteEntera) {
    EXPECT_EQ(RedondearEntero(2.5), 2.0);
    EXPECT_EQ(RedondearEntero(3.5), 4.0);
    EXPECT_EQ(RedondearEntero(-2.5), -2.0);
    EXPECT_EQ(RedondearEntero(10.5), 10.0);
    EXPECT_EQ(RedondearEntero(11.5), 12.0);
    EXPECT_DOUBLE_EQ(Redondear(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(Redondear(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(Redondear(1.23456789, 6), 1.234568);
    EXPECT_EQ(ParteEntera(2.7), 2.0);
    EXPECT_EQ(ParteEntera(-2.3), -3.0);
    int16_t e16;
    EXPECT_TRUE(AEntero16(32767.4, e16));
    EXPECT_EQ(e16, 32767);
    EXPECT_FALSE(AEntero16(32768.0, e16));
    int32_t e32;
    EXPECT_FALSE(AEntero32(3e9, e32));
    EXPECT_FALSE(AEntero32(NAN, e32));
}

TEST(Numeros, ReglaDeDecimales) {
    int16_t d = 0;
    for (float v : {12.5f, 3.25f, 7.0f}) ActualizarDecimales(d, v);
    EXPECT_EQ(d, 2);
    d = 0;
    ActualizarDecimales(d, 12.345f);
    EXPECT_EQ(d, 3);
    d = 0;
    ActualizarDecimales(d, 0.25f);
    EXPECT_EQ(d, 1);
    d = 0;
    for (float v : {7.0f, -3.0f, 1200.0f}) ActualizarDecimales(d, v);
    EXPECT_EQ(d, 0);
}

// Every value written in the file form reads back as a value whose text is
// the same: files can be read and rewritten without drifting.
TEST(Numeros, IdaYVueltaEstable) {
    std::mt19937 gen(12345);
    std::uniform_real_distribution<double> mant(-10.0, 10.0);
    std::uniform_int_distribution<int> exp(-8, 38);
    for (int i = 0; i < 200000; ++i) {
        float v = static_cast<float>(mant(gen) * std::pow(10.0, exp(gen)));
        if (!std::isfinite(v)) continue;
        std::string t = NumeroArchivo(v);
        float leido;
        ASSERT_TRUE(ConvertirFloat(t, leido)) << t;
        ASSERT_EQ(NumeroArchivo(leido), t) << v;
        float directo = std::stof(t);
        ASSERT_EQ(leido, directo) << t;
    }
    std::uniform_int_distribution<int> exp64(-12, 300);
    for (int i = 0; i < 100000; ++i) {
        double v = mant(gen) * std::pow(10.0, exp64(gen));
        std::string t = NumeroArchivo(v);
        double leido;
        ASSERT_TRUE(ConvertirDouble(t, leido)) << t;
        ASSERT_EQ(NumeroArchivo(leido), t) << v;
    }
}

namespace {
// The file form built the general way, digit strings and printf rounding:
// the reference the writer that formats without allocating must match byte
// for byte.
template <typename T>
std::string FormaReferencia(T v, int precision) {
    if (v == 0) return "0";
    const std::string signo = std::signbit(v) ? "-" : "";
    if (std::isnan(v)) return signo + "NaN";
    if (std::isinf(v)) return signo + "Inf";
    char buf[128];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
    std::string s(buf, res.ptr);
    auto partir = [](const std::string& t, std::string& cifras, int& e) {
        const size_t p = t.find('e');
        cifras.clear();
        for (size_t i = 0; i < p; ++i)
            if (t[i] != '.') cifras += t[i];
        e = std::stoi(t.substr(p + 1));
    };
    std::string c;
    int e;
    partir(s, c, e);
    if (static_cast<int>(c.size()) > precision) {
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, static_cast<double>(std::fabs(v)));
        partir(buf, c, e);
        T x;
        const std::string t = "0." + c + "e" + std::to_string(e + 1);
        if (std::from_chars(t.data(), t.data() + t.size(), x).ec == std::errc::result_out_of_range) {
            // Rounded past the largest value: the digits are cut instead.
            std::snprintf(buf, sizeof buf, "%.*e", precision + 20, static_cast<double>(std::fabs(v)));
            partir(buf, c, e);
            c.resize(static_cast<size_t>(precision));
        }
    }
    while (c.size() > 1 && c.back() == '0') c.pop_back();
    std::string out;
    if (e < -5 || e >= precision) {
        out = c.substr(0, 1) + (c.size() > 1 ? "." + c.substr(1) : "") + "E" + (e < 0 ? "-" : "+");
        const int ae = std::abs(e);
        out += (ae < 10 ? "0" : "") + std::to_string(ae);
    } else if (e >= 0) {
        const size_t enteros = static_cast<size_t>(e) + 1;
        out = c.size() <= enteros ? c + std::string(enteros - c.size(), '0')
                                  : c.substr(0, enteros) + "." + c.substr(enteros);
    } else {
        out = "0." + std::string(static_cast<size_t>(-e - 1), '0') + c;
    }
    return signo + out;
}

template <typename T>
void CompararConReferencia(T v, int precision) {
    ASSERT_EQ(NumeroArchivo(v), FormaReferencia(v, precision)) << std::hexfloat << v;
}
}  // namespace

// Edge values (powers of ten and their neighbours, the rounding boundaries of
// 7 and 15 digits, subnormals, the largest values, NaN and infinities) and
// random bit patterns and decimals: the same text as the general way.
TEST(Numeros, FormaDeArchivoIgualALaReferencia) {
    std::vector<float> f32 = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 9999999.0f, 9999999.5f, 99999995.0f,
                              0.99999995f, 0.000009999999f, 0.00001f, 0.0000099999995f, 1e-45f, 1.17549435e-38f,
                              std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                              3.4028232e38f, 3.40282336e38f, std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                              -std::numeric_limits<float>::quiet_NaN(), 92.8f, 1.0f / 3.0f, 123456.75f};
    for (int e = -45; e <= 38; ++e) {
        float p = static_cast<float>(std::pow(10.0, e));
        for (int k = 0; k < 6; ++k) {
            f32.push_back(p);
            f32.push_back(-p);
            f32.push_back(std::nextafter(p, 0.0f));
            p = std::nextafter(p, std::numeric_limits<float>::infinity());
        }
        // Halfway cases of the 7-digit rounding.
        f32.push_back(static_cast<float>(9.9999995 * std::pow(10.0, e)));
        f32.push_back(static_cast<float>(1.2345675 * std::pow(10.0, e)));
    }
    for (float v : f32) CompararConReferencia(v, 7);
    std::vector<double> f64 = {0.0, -0.0, 0.1, 1.0 / 3.0, 999999999999999.0, 999999999999999.5, 1e15, 4.9e-324,
                               2.2250738585072014e-308, std::numeric_limits<double>::max(),
                               1.7976931348623155e308, 1.797693134862315e308, -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                               static_cast<double>(92.8f), 0.000009999999999999995};
    for (int e = -324; e <= 308; e += 1) {
        const double p = std::pow(10.0, e);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e309), 9.999999999999995 * p})
            f64.push_back(v);
    }
    for (double v : f64) CompararConReferencia(v, 15);

    std::mt19937_64 gen(2024);
    for (int i = 0; i < 100000; ++i) {
        const uint64_t bits = gen();
        CompararConReferencia(std::bit_cast<float>(static_cast<uint32_t>(bits)), 7);
        CompararConReferencia(std::bit_cast<double>(bits), 15);
        // Values like the ones a run writes: decimals of a few digits, rounded
        // to 3 or 4 places, and depths and discharges of every size.
        const double d = static_cast<double>(bits % 100000000) / std::pow(10.0, static_cast<int>(bits >> 60) % 9);
        CompararConReferencia(static_cast<float>(d), 7);
        CompararConReferencia(static_cast<float>(Redondear(d / 1000.0, 4)), 7);
        CompararConReferencia(d, 15);
    }
}

// The writer with a memory of recent texts: repeated values, values that
// share a place of the memory, and any bits give the texts of NumeroArchivo.
TEST(Numeros, FormaConMemoriaIgualALaForma) {
    FormaArchivoConMemoria forma;
    std::mt19937_64 gen(5);
    for (int i = 0; i < 200000; ++i) {
        const uint64_t b = gen();
        const float v = i % 2 ? static_cast<float>(static_cast<int>(b % 20000) - 1000) / 1000.0f
                              : std::bit_cast<float>(static_cast<uint32_t>(b));
        char buf[kLargoNumeroArchivo];
        ASSERT_EQ(std::string(buf, forma.Escribir(buf, v)), NumeroArchivo(v)) << v;
    }
}

// The decimals rule, whose text lengths come from the writer, on whole and
// decimal values against the lengths of the TextoBlanco texts.
TEST(Numeros, LargoDecimalesIgualALosTextos) {
    std::mt19937_64 gen(77);
    for (int i = 0; i < 50000; ++i) {
        const uint64_t bits = gen();
        float v = i % 2 ? std::bit_cast<float>(static_cast<uint32_t>(bits))
                        : static_cast<float>(static_cast<double>(static_cast<int64_t>(bits % 20000000) - 10000000) /
                                             std::pow(10.0, static_cast<int>(bits >> 61)));
        const int esperado = static_cast<int>(TextoBlanco(v).size()) -
                             static_cast<int>(TextoBlanco(static_cast<float>(std::floor(v))).size());
        ASSERT_EQ(LargoDecimales(v), esperado) << v;
    }
}

TEST(Delimitado, LectorDeItems) {
    LectorDelimitado in(std::string("\"T\xedtulo, con coma\",12.5\r\n\"x\", .25\n1 2  3,4\r\n-.5,\"\xf1\"\r\n"));
    std::string t;
    ASSERT_TRUE(in.LeerTexto(t));
    EXPECT_EQ(t, "Título, con coma");
    float f;
    ASSERT_TRUE(in.LeerFloat(f));
    EXPECT_EQ(f, 12.5f);
    ASSERT_TRUE(in.LeerTexto(t));
    EXPECT_EQ(t, "x");
    ASSERT_TRUE(in.LeerFloat(f));
    EXPECT_EQ(f, 0.25f);
    for (float esperado : {1.0f, 2.0f, 3.0f, 4.0f, -0.5f}) {
        ASSERT_TRUE(in.LeerFloat(f));
        EXPECT_EQ(f, esperado);
    }
    ASSERT_TRUE(in.LeerTexto(t));
    EXPECT_EQ(t, "\xc3\xb1");  // ñ
    EXPECT_TRUE(in.AlFinal());
    EXPECT_FALSE(in.LeerFloat(f));
    EXPECT_FALSE(in.NoNumerico());
}

TEST(Delimitado, ItemNoNumerico) {
    LectorDelimitado in(std::string("1\r\nabc\r\n"));
    float f;
    EXPECT_TRUE(in.LeerFloat(f));
    EXPECT_FALSE(in.LeerFloat(f));
    EXPECT_TRUE(in.NoNumerico());
}

TEST(Delimitado, EscritorConComillasComasYCp1252) {
    EscritorDelimitado out;
    out.Texto("Año, caudal").Numero(1.5f).Numero(int64_t{-3}).FinLinea();
    out.Texto("Resolución").Numero(0.1).FinLinea();
    EXPECT_EQ(out.Bytes(), "\"A\xf1o, caudal\",1.5,-3\r\n\"Resoluci\xf3n\",0.1\r\n");
}

// Texts with double quotes and the bytes Windows-1252 leaves undefined come
// back as they were through the writer and the reader; texts written before
// quotes were doubled read back whole too.
TEST(Delimitado, TextosConComillasYBytesSinDefinirIdaYVuelta) {
    const std::string raros = "t\x81\x8d\x8f\x90\x9d";
    for (std::string texto : {std::string("c\"d"), std::string("a\",b"), std::string("\""), std::string("x\" "),
                              std::string("\"\"q\""), Cp1252AUtf8(raros)}) {
        EscritorDelimitado out;
        out.Texto(texto).Numero(1.5f).FinLinea().Texto(texto).FinLinea();
        LectorDelimitado in(out.Bytes());
        std::string t;
        float f;
        ASSERT_TRUE(in.LeerTexto(t));
        EXPECT_EQ(t, texto) << out.Bytes();
        ASSERT_TRUE(in.LeerFloat(f));
        EXPECT_EQ(f, 1.5f);
        ASSERT_TRUE(in.LeerTexto(t));
        EXPECT_EQ(t, texto);
        EXPECT_TRUE(in.AlFinal());
    }
    EscritorDelimitado out;
    out.Texto("c\"d").Texto(Cp1252AUtf8(raros)).Texto("dos\r\nlíneas");
    EXPECT_EQ(out.Bytes(), "\"c\"\"d\",\"" + raros + "\",\"dos  l\xedneas\"");
    // Earlier forms: no doubling, unquoted, and a closing quote after a quote.
    LectorDelimitado viejo(std::string("\"c\"d\",\"T\"\r\nc\"d,2\r\n\"ab\"\"\r\n\"S\",3\r\n"));
    std::string t;
    float f;
    for (const char* esperado : {"c\"d", "T", "c\"d"}) {
        ASSERT_TRUE(viejo.LeerTexto(t));
        EXPECT_EQ(t, esperado);
    }
    ASSERT_TRUE(viejo.LeerFloat(f));
    EXPECT_EQ(f, 2.0f);
    ASSERT_TRUE(viejo.LeerTexto(t));
    EXPECT_EQ(t, "ab\"");
    ASSERT_TRUE(viejo.LeerTexto(t));
    EXPECT_EQ(t, "S");
    ASSERT_TRUE(viejo.LeerFloat(f));
    EXPECT_EQ(f, 3.0f);
}

// Numbers beyond the type's range are no numbers of the file: the reader
// refuses them instead of handing out an infinity.
TEST(Delimitado, NumerosFueraDeRango) {
    LectorDelimitado in(std::string("3.4e38,1e39\r\n1e308,1e999,\"1e39\"\r\n"));
    float f;
    double d;
    EXPECT_TRUE(in.LeerFloat(f));
    EXPECT_FALSE(in.LeerFloat(f));
    EXPECT_TRUE(in.NoNumerico());
    EXPECT_TRUE(in.FueraDeRango());
    EXPECT_TRUE(in.LeerDouble(d));
    EXPECT_FALSE(in.FueraDeRango());
    EXPECT_FALSE(in.LeerDouble(d));
    EXPECT_TRUE(in.FueraDeRango());
    EXPECT_FALSE(in.LeerFloat(f));
    EXPECT_TRUE(in.FueraDeRango());
    // Too small a magnitude is zero, not a range error.
    LectorDelimitado chicos(std::string("1e-50,-0.0000000000000000000000000000000000000000000000001e-1,1e-400\r\n"));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(chicos.LeerFloat(f)) << i;
        EXPECT_EQ(f, 0.0f);
    }
    EXPECT_TRUE(ConvertirFloat("00012e36", f));
    EXPECT_EQ(f, 12e36f);
    EXPECT_TRUE(ConvertirFloat("-0.0001e43", f));
    EXPECT_TRUE(std::isinf(f) && f < 0);
    float x = 7;
    EXPECT_TRUE(AFloat(3.4028235e38, x));  // rounds to the largest value
    EXPECT_EQ(x, std::numeric_limits<float>::max());
    EXPECT_TRUE(AFloat(-1e-50, x));
    EXPECT_FALSE(AFloat(3.5e38, x));
    EXPECT_FALSE(AFloat(std::nan(""), x));
    EXPECT_FALSE(AFloat(-HUGE_VAL, x));
}

// Short items (up to 7 digits, a minus, a point) are converted on a shorter
// way: the same value, bit for bit, as the general conversion, and the same
// refusals.
TEST(Delimitado, ItemsCortosIgualQueLaConversionGeneral) {
    std::mt19937 gen(31);
    const char simbolos[] = "0123456789.-";
    for (int i = 0; i < 200000; ++i) {
        std::string t;
        const int largo = 1 + static_cast<int>(gen() % 9);
        for (int k = 0; k < largo; ++k) t += simbolos[gen() % (k == 0 ? 12 : 11)];
        float general = 0, leido = 0;
        const bool esperado = ConvertirFloat(t, general) && std::isfinite(general);
        LectorDelimitado in(t + "\r\n");
        ASSERT_EQ(in.LeerFloat(leido), esperado) << t;
        if (esperado) ASSERT_EQ(std::bit_cast<uint32_t>(leido), std::bit_cast<uint32_t>(general)) << t;
    }
}
