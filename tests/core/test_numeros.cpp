#include <gtest/gtest.h>

#include <cmath>
#include <random>

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
