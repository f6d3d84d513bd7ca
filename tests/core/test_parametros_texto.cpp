#include <gtest/gtest.h>

#include "model/campos.h"
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

// Every field of the table is known to the text form; what a box refuses is
// refused with its warning naming the field, and the record keeps its value.
TEST(ParametrosTexto, RechazaLoQueRechazaElDialogo) {
    for (const Campo& c : Campos()) EXPECT_EQ(BuscarCampo(c.nombre), &c);
    EXPECT_EQ(CamposParametros().size(), Campos().size());
    const struct {
        const char* campo;
        const char* valor;
    } casos[] = {{"PasoQ", "121"},   {"Pp", "1e39"},     {"Pp", "-1"},         {"nPer", "-5"},
                 {"nPer", "2000000000"}, {"Dur", "5000"}, {"PasoPp", "500"},   {"Manning", "7"},
                 {"FactorRes", "0.5"}, {"ResolucionX", "1000"}, {"KRecesion", "-1"}, {"fHidro1", "-1"},
                 {"DivQmin", "2"},   {"Rec", "40000"},   {"NroClases", "7"},   {"fConsulta2", "-3"}};
    for (const auto& k : casos) {
        Parametros p;
        const Campo* c = BuscarCampo(k.campo);
        ASSERT_NE(c, nullptr) << k.campo;
        const double antes = LeerCampo(*c, p);
        Resultado r = AsignarCampo(p, k.campo, k.valor);
        EXPECT_FALSE(r) << k.campo << "=" << k.valor;
        EXPECT_EQ(r.mensaje, AvisoDe(*c)) << k.campo;
        EXPECT_EQ(LeerCampo(*c, p), antes) << k.campo;
    }
    // The bounds themselves pass; the output step is checked against the
    // computation step once both are set.
    Parametros p;
    for (const char* a : {"Manning=0.15", "Manning=0.01", "nPer=86400", "Pp=999", "PasoPp=120", "Rec=32767.4"}) {
        std::string campo, valor;
        ASSERT_TRUE(SepararAsignacion(a, campo, valor));
        EXPECT_TRUE(AsignarCampo(p, campo, valor)) << a;
    }
    EXPECT_TRUE(ValidarParametros(Parametros{}));
    p = Parametros{};
    p.PasoQ = 0;
    EXPECT_EQ(ValidarParametros(p).mensaje, AvisoDe(*BuscarCampo("PasoQ")));
    p.PasoQ = 5;
    p.PasoPp = 5.5f;
    EXPECT_FALSE(ValidarParametros(p));
    p.fHidro2 = -1;  // the cross-section's end is corrected by the dialog, not refused
    p.PasoPp = 5;
    EXPECT_TRUE(ValidarParametros(p));
}

// The text form written from a record reads back to the same record.
TEST(ParametrosTexto, EscribirYLeer) {
    Parametros p;
    p.Pp = 12.34f;
    p.PasoPp = 0.05f;
    p.nPer = 86400;
    p.Px2 = kMaxSubarea;
    p.DivQmin = 0.031f;
    p.Div = true;
    p.DirDEM = "/datos/a b/";
    const std::string texto = TextoParametros(p);
    Parametros q;
    q.Pp = 1;
    q.DirDEM.clear();
    size_t a = 0, lineas = 0;
    for (size_t b; (b = texto.find('\n', a)) != std::string::npos; a = b + 1, ++lineas) {
        std::string campo, valor;
        ASSERT_TRUE(SepararAsignacion(texto.substr(a, b - a), campo, valor));
        EXPECT_TRUE(AsignarCampo(q, campo, valor)) << campo << "=" << valor;
    }
    EXPECT_EQ(lineas, Campos().size());
    EXPECT_TRUE(ValidarParametros(q));
    EXPECT_EQ(TextoParametros(q), texto);
    EXPECT_EQ(q.Pp, p.Pp);
    EXPECT_EQ(q.PasoPp, p.PasoPp);
    EXPECT_EQ(q.DirDEM, p.DirDEM);
}
