#include <gtest/gtest.h>

#include "model/parametros_texto.h"

using namespace tarno;

TEST(ParametrosTexto, CamposPorSuNombre) {
    Parametros p;
    EXPECT_TRUE(AsignarCampo(p, "Pp", "12.5"));
    EXPECT_EQ(p.Pp, 12.5f);
    EXPECT_TRUE(AsignarCampo(p, "Dur", "90"));
    EXPECT_EQ(p.Dur, 90);
    EXPECT_TRUE(AsignarCampo(p, "nPer", "2.5"));  // nearest integer, halves to even
    EXPECT_EQ(p.nPer, 2);
    EXPECT_TRUE(AsignarCampo(p, "DirDEM", "/datos/"));
    EXPECT_EQ(p.DirDEM, "/datos/");
    EXPECT_TRUE(AsignarCampo(p, "Div", "1"));
    EXPECT_TRUE(p.Div);
    EXPECT_TRUE(AsignarCampo(p, "PpArchivo", "true"));
    EXPECT_TRUE(p.PpArchivo);
    EXPECT_TRUE(AsignarCampo(p, "KRecesion", ".5"));
    EXPECT_EQ(p.KRecesion, 0.5f);
}

TEST(ParametrosTexto, ValoresInvalidos) {
    Parametros p;
    EXPECT_FALSE(AsignarCampo(p, "Nada", "1"));
    EXPECT_FALSE(AsignarCampo(p, "Pp", "doce"));
    EXPECT_FALSE(AsignarCampo(p, "Dur", "40000"));  // does not fit 16 bits
    EXPECT_FALSE(AsignarCampo(p, "Div", "quizas"));
    EXPECT_EQ(p.Dur, 60);
    Resultado r = AsignarCampo(p, "Pp", "x");
    EXPECT_NE(r.mensaje.find("Pp"), std::string::npos);
    // Beyond the 32-bit range of the field: refused, the field unchanged.
    EXPECT_FALSE(AsignarCampo(p, "Pp", "1e39"));
    EXPECT_FALSE(AsignarCampo(p, "Manning", "-1e999"));
    EXPECT_EQ(p.Pp, 60.0f);
}

TEST(ParametrosTexto, SepararAsignacion) {
    std::string c, v;
    EXPECT_TRUE(SepararAsignacion("  Pp = 60 \r", c, v));
    EXPECT_EQ(c, "Pp");
    EXPECT_EQ(v, "60");
    EXPECT_TRUE(SepararAsignacion("DirDEM=/a=b/", c, v));
    EXPECT_EQ(v, "/a=b/");
    EXPECT_FALSE(SepararAsignacion("Pp 60", c, v));
}
