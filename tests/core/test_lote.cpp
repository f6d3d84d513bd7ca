#include <gtest/gtest.h>

#include <map>

#include "model/campos.h"
#include "model/lote.h"
#include "model/resumen.h"

using namespace tarno;

namespace {

TablaEscenarios Tabla(const std::string& texto) {
    TablaEscenarios t;
    Resultado r = LeerTablaEscenarios(texto, t);
    EXPECT_TRUE(r) << r.mensaje;
    return t;
}

}  // namespace

// The header decides the separator; blank and '#' lines are skipped, cells
// are trimmed, quoted cells keep separators and doubled quotes.
TEST(Lote, LeeLaTabla) {
    TablaEscenarios t =
        Tabla("\xEF\xBB\xBF# ensayo\r\nNombre, Pp ,Dur\r\n\r\nT10 , 45.5,60\r\n# fuera\n\"a,\"\"b\"\"\",60,\n");
    EXPECT_EQ(t.separador, ',');
    EXPECT_EQ(t.columnas, (std::vector<std::string>{"Nombre", "Pp", "Dur"}));
    ASSERT_EQ(t.filas.size(), 2u);
    EXPECT_EQ(t.filas[0].linea, 4);
    EXPECT_EQ(t.filas[0].celdas, (std::vector<std::string>{"T10", "45.5", "60"}));
    EXPECT_EQ(t.filas[1].linea, 6);
    EXPECT_EQ(t.filas[1].celdas, (std::vector<std::string>{"a,\"b\"", "60", ""}));

    t = Tabla("Pp;Nombre;Pluviograma\n30;x;p.rkd\n");
    EXPECT_EQ(t.separador, ';');
    EXPECT_EQ(t.columnaNombre, 1u);
    EXPECT_EQ(t.filas[0].celdas[2], "p.rkd");

    // Faults of the whole table name the line.
    TablaEscenarios m;
    for (const auto& [texto, falta] : std::vector<std::pair<std::string, std::string>>{
             {"", "vacía"},
             {"# solo\n\n", "vacía"},
             {"Pp,Dur\n1,2\n", "línea 1: falta la columna Nombre"},
             {"\nNombre,Lluvia\n", "línea 2: columna desconocida: \"Lluvia\""},
             {"Nombre,Pp,Pp\n", "columna repetida: Pp"}}) {
        Resultado r = LeerTablaEscenarios(texto, m);
        EXPECT_FALSE(r) << texto;
        EXPECT_NE(r.mensaje.find(falta), std::string::npos) << r.mensaje;
    }
}

// Each row over the base record; a row fault stays in its scenario.
TEST(Lote, EscenariosSobreLaBase) {
    Parametros base;
    base.Pp = 60;
    base.nPer = 30;
    base.DirDEM = "/d/";
    const TablaEscenarios t = Tabla(
        "Nombre,Pp,PasoPp,PasoQ,Manning,Pluviograma\n"
        "A,45,,,,\n"       // 2: Pp only
        "B,doce,,,,\n"     // 3: not a number
        "C,,20,10,,\n"     // 4: output step below the computation step
        "A,50,,,,\n"       // 5: name already used
        "D,50,,\n"         // 6: too few cells
        "../x,50,,,,\n"    // 7: not a folder name
        "_orden,50,,,,\n"  // 8: reserved
        "E,,,,7,\n"        // 9: what the options dialog refuses
        "F,,0.5,,0.02,p.rkd\n");
    const Escenario a = ArmarEscenario(t, 1, base, "base.rkd");
    EXPECT_EQ(a.error, "");
    EXPECT_EQ(a.nombre, "A");
    EXPECT_EQ(a.linea, 2);
    EXPECT_EQ(a.par.Pp, 45.0f);
    EXPECT_EQ(a.par.nPer, 30);
    EXPECT_EQ(a.par.DirDEM, "/d/");
    EXPECT_EQ(a.pluviograma, "base.rkd");
    const Escenario f = ArmarEscenario(t, 9, base, "base.rkd");
    EXPECT_EQ(f.error, "");
    EXPECT_EQ(f.par.PasoPp, 0.5f);
    EXPECT_EQ(f.par.Manning, 0.02f);
    EXPECT_EQ(f.pluviograma, "p.rkd");

    const std::string avisoManning = AvisoDe(*BuscarCampo("Manning"));
    const struct {
        int fila;
        const char* error;
    } malas[] = {{2, "Pp: Valor no numérico"},
                 {3, "PasoQ"},
                 {4, "ya está en la línea 2"},
                 {5, "se esperaban 6 valores y hay 4"},
                 {6, "no puede llevar"},
                 {7, "quedan para los archivos"},
                 {8, avisoManning.c_str()},
                 {10, "no hay escenario 10"}};
    for (const auto& m : malas) {
        const Escenario e = ArmarEscenario(t, m.fila, base, "");
        EXPECT_NE(e.error.find(m.error), std::string::npos) << m.fila << ": " << e.error;
    }
    EXPECT_EQ(ArmarEscenario(t, 2, base, "").linea, 3);
}

TEST(Lote, JsonPlano) {
    ResumenCorrida r;
    r.completa = true;
    r.periodos = 20;
    r.lluvia = 10.5;
    r.qMaxSeccion = 0.25;
    std::vector<std::pair<std::string, std::string>> p;
    ASSERT_TRUE(LeerJsonPlano(TextoResumenJson(r), p));
    ASSERT_EQ(p.size(), ClavesResumen().size());
    EXPECT_EQ(p[0], (std::pair<std::string, std::string>{"corrida", "completa"}));
    EXPECT_EQ(ClavesResumen().front(), "corrida");
    EXPECT_EQ(ClavesResumen().back(), "altura_max_m");
    std::map<std::string, std::string> m(p.begin(), p.end());
    EXPECT_EQ(m["periodos"], "20");
    EXPECT_EQ(m["lluvia_m3"], "10.5");
    EXPECT_EQ(m["caudal_max_seccion_m3s"], "0.25");
    EXPECT_EQ(m.count("caudal_max_celda_m3s"), 1u);
    EXPECT_EQ(m["caudal_max_celda_m3s"], "");  // null
    ASSERT_TRUE(LeerJsonPlano(" { \"a\\\"b\" : \"x\\u00e1\\n\", \"c\": true , \"d\":-1e-3} \n", p));
    EXPECT_EQ(p[0], (std::pair<std::string, std::string>{"a\"b", "x\xC3\xA1\n"}));
    EXPECT_EQ(p[1].second, "true");
    EXPECT_EQ(p[2].second, "-1e-3");
    ASSERT_TRUE(LeerJsonPlano("{}", p));
    EXPECT_TRUE(p.empty());
    for (const char* malo :
         {"", "{", "{\"a\":1,}", "{\"a\":{\"b\":1}}", "{\"a\":[1]}", "{\"a\":1} x", "{a:1}", "{\"a\":\"sin fin}"})
        EXPECT_FALSE(LeerJsonPlano(malo, p)) << malo;
}

// One row per scenario with a summary, in table order; the row's cells as
// written, then the summary's figures (null as an empty cell).
TEST(Lote, TablaResumen) {
    const TablaEscenarios t = Tabla("Pp;Nombre;DirDEM\n45;A;\n50;B;\"/x;y/\"\n55;C;\n60;D;\n");
    ResumenCorrida r;
    r.completa = true;
    r.periodos = 3;
    r.qMaxSeccion = 1.5;
    r.qMaxCelda = 2;
    ResumenCorrida abandonada;
    int filas = -1;
    const std::string s = TextoResumenLote(t, {TextoResumenJson(abandonada), TextoResumenJson(r), "", "{roto"}, &filas);
    EXPECT_EQ(filas, 2);
    std::string cabecera = "Nombre;Pp;DirDEM";
    for (const std::string& c : ClavesResumen()) cabecera += ";" + c;
    const size_t fin = s.find('\n');
    EXPECT_EQ(s.substr(0, fin), cabecera);
    const std::string a = s.substr(fin + 1, s.find('\n', fin + 1) - fin - 1);
    EXPECT_EQ(a.rfind("A;45;;abandonada;0;0;", 0), 0u) << a;
    EXPECT_EQ(a.substr(a.size() - 5), ";0;;;") << a;  // no discharges nor depth
    EXPECT_NE(s.find("\nB;50;\"/x;y/\";completa;3;"), std::string::npos) << s;
    EXPECT_NE(s.find(";1.5;2;\n"), std::string::npos) << s;
    EXPECT_EQ(s.find("\nC;"), std::string::npos);
    EXPECT_EQ(s.find("\nD;"), std::string::npos);
}

TEST(Lote, Avance) {
    EXPECT_EQ(TextoDuracion(0), "0:00:00");
    EXPECT_EQ(TextoDuracion(3725.4), "1:02:05");
    EXPECT_EQ(TextoDuracion(-3), "0:00:00");
    EXPECT_EQ(TextoProgresoLote(0, 8, 2, 0, 5), "lote: 0/8 escenarios, 2 en curso, 0:00:05");
    // 2 done in 40 s: 6 more take about 120 s.
    EXPECT_EQ(TextoProgresoLote(2, 8, 2, 1, 40),
              "lote: 2/8 escenarios, 2 en curso, 1 con fallas, 0:00:40, quedan ~0:02:00");
    EXPECT_EQ(TextoProgresoLote(8, 8, 0, 0, 100), "lote: 8/8 escenarios, 0 en curso, 0:01:40");
}
