// The rain of every period, the hydrograph file read back, the chart record
// and the run report, each against a real run of a small basin.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "model/hidrograma.h"
#include "model/informe.h"
#include "model/lluvia.h"
#include "model/resultados.h"
#include "model/resumen.h"
#include "support/corrida_prueba.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

// A 6 x 8 plane tilted to the right with one cell outside the basin; the
// section crosses its last column.
class CorridaInforme : public ::testing::Test, protected prueba::CorridaPrueba<ObservadorCorrida> {
protected:
    void SetUp() override {
        CabeceraImagen cab;
        cab.Titulo = "Plano";
        cab.NroFilas = 6;
        cab.NroColumnas = 8;
        cab.XMaximo = 80;
        cab.YMaximo = 60;
        cab.ResolucionX = cab.ResolucionY = 10;
        Grilla<float> v(6, 8);
        for (int32_t i = 1; i <= 6; ++i)
            for (int32_t j = 1; j <= 8; ++j) v(i, j) = 100.0f - j + 0.25f * i;
        v(1, 1) = 0;  // outside the basin
        cab.DatoMenor = 0;
        cab.DatoMayor = 100;
        ASSERT_TRUE(EscribirImagen(tmp.Ruta("plano_dat.rkd"), cab, v));
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "plano_dat.rkd";
        par.KRecesion = 5;
        par.nPer = 30;
        par.PasoQ = 2;
        par.Pp = 12;
        par.Dur = 10;
        par.fHidro1 = 1;
        par.cHidro1 = 8;
        par.fHidro2 = 6;
        par.cHidro2 = 8;
    }
};

double Suma(const std::vector<float>& v) { return std::accumulate(v.begin(), v.end(), 0.0); }

}  // namespace

// The listed rain is the rain the run applied: its volume over the basin is
// the run's rain volume, for the design storm and for a hyetograph.
TEST_F(CorridaInforme, LasLluviasListadasSonLasDeLaCorrida) {
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    std::vector<float> l = LluviasDeLosPeriodos(par, pv);
    ASSERT_EQ(l.size(), 30u);
    EXPECT_FLOAT_EQ(l[0], 1.2f);
    EXPECT_FLOAT_EQ(l[9], 1.2f);
    EXPECT_EQ(l[10], 0.0f);
    EXPECT_DOUBLE_EQ(e.VolumenLluvia, Suma(l) / 1000.0 * 47 * 100);

    pv.Titulo = "Tormenta";
    pv.LluviaTotal = 40;
    pv.Paso = 10;
    pv.NroDatos = 3;
    pv.PpAcum = {0, 0, 30, 40};
    par.PpArchivo = true;
    par.PasoPp = 5;
    par.nPer = 6;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    l = LluviasDeLosPeriodos(par, pv);
    EXPECT_EQ(l, (std::vector<float>{15, 15, 5, 5, 0, 0}));
    EXPECT_DOUBLE_EQ(e.VolumenLluvia, Suma(l) / 1000.0 * 47 * 100);
    // A hyetograph the run refuses lists nothing.
    par.PasoPp = 20;
    EXPECT_TRUE(LluviasDeLosPeriodos(par, pv).empty());
}

// The file read back holds the run's samples; the chart shows them from the
// start (0, 0) without the closing zero, its peak, the rain its subtitle
// names and the summary's balance.
TEST_F(CorridaInforme, ElGraficoTieneLasMuestrasLaLluviaYElBalance) {
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    ArchivoHidrograma h;
    ASSERT_TRUE(LeerHidrograma(BaseResultados(par) + "_Qt.rkd", h));
    ASSERT_EQ(h.Caudales.size(), static_cast<size_t>(e.NroSalidas));
    for (int32_t k = 1; k <= e.NroSalidas; ++k)
        EXPECT_FLOAT_EQ(h.Caudales[static_cast<size_t>(k - 1)], e.Hidrograma[static_cast<size_t>(k)]);
    EXPECT_EQ(h.QMax, e.QSeccionMax);
    EXPECT_EQ(h.PasoQ, 2);
    EXPECT_EQ(h.Fila, 1);

    // The storm of a design-storm run is in its subtitle.
    EXPECT_EQ(LluviasDelHidrograma(h), LluviasDeLosPeriodos(par, pv));
    const ResumenCorrida r = ArmarResumen(FinCorrida::Completa, e, par, img, 0.5);
    const GraficoHidrograma gr = ArmarGraficoHidrograma(h, LluviasDelHidrograma(h), &r);
    ASSERT_EQ(gr.caudal.size(), h.Caudales.size());  // (0, 0) in, the closing zero out
    EXPECT_EQ(gr.caudal[0].t, 0);
    EXPECT_EQ(gr.caudal[0].v, 0);
    float pico = 0;
    for (size_t k = 1; k < gr.caudal.size(); ++k) {
        EXPECT_EQ(gr.caudal[k].t, 2.0 * k);
        EXPECT_EQ(gr.caudal[k].v, h.Caudales[k - 1]);
        pico = std::max(pico, h.Caudales[k - 1]);
    }
    EXPECT_TRUE(gr.hayPico);
    EXPECT_EQ(gr.pico.v, pico);
    ASSERT_EQ(gr.lluvia.size(), 30u);
    EXPECT_EQ(gr.lluvia[3].t, 3.0);
    EXPECT_FLOAT_EQ(static_cast<float>(gr.lluvia[3].v), 1.2f);
    EXPECT_EQ(gr.subtitulo.find("Hidrograma en Pixel"), std::string::npos);
    ASSERT_EQ(gr.balance.size(), 4u);
    EXPECT_NE(gr.balance[3].find("lluvia caída " + TextoCifra(r.lluvia, 6)), std::string::npos) << gr.balance[3];

    // A hyetograph run's subtitle is the hyetograph's title.
    ArchivoHidrograma otro = h;
    otro.Subtitulo = "Tormenta";
    EXPECT_TRUE(LluviasDelHidrograma(otro).empty());
    pv.Titulo = "Tormenta";
    pv.LluviaTotal = 40;
    pv.Paso = 10;
    pv.NroDatos = 3;
    pv.PpAcum = {0, 0, 30, 40};
    EXPECT_EQ(LluviasDelHidrograma(otro, &pv).size(), static_cast<size_t>(std::ceil((e.NroSalidas + 1) * 2.0)));

    // Not a hydrograph file.
    tmp.Escribir("malo_Qt.rkd", "\"Título : \",\"x\"\r\n1,2\r\n");
    EXPECT_FALSE(LeerHidrograma(tmp.Ruta("malo_Qt.rkd"), h));
}

TEST(TormentaDeSubtitulo, LeeLaTormentaQueLaCorridaEscribio) {
    Parametros par;
    ASSERT_TRUE(TormentaDeSubtitulo("Pp= 60mm  - D= 45min  - Paso= .5min - Nro.Per.= 120  - KRec.= 10", par));
    EXPECT_EQ(par.Pp, 60.0f);
    EXPECT_EQ(par.Dur, 45);
    EXPECT_EQ(par.PasoPp, 0.5f);
    EXPECT_EQ(par.nPer, 120);
    EXPECT_FALSE(TormentaDeSubtitulo("Tormenta de 1998", par));
    EXPECT_FALSE(TormentaDeSubtitulo("Pp= 60mm  - D= 0min  - Paso= 1min - Nro.Per.= 5", par));
    EXPECT_EQ(TextoCifra(12912), "12912");
    EXPECT_EQ(TextoCifra(3.4567), "3.457");
    EXPECT_EQ(TextoCifra(0.012345), "0.01235");
    EXPECT_EQ(TextoCifra(-1e-9), "0");
    EXPECT_EQ(TextoCifra(-0.00001), "-0.00001");
}

// The page holds every figure of the JSON summary (as the summary writes it)
// and its pictures embedded, nothing from outside.
TEST_F(CorridaInforme, ElInformeTieneLasCifrasDelResumenYSusImagenes) {
    EXPECT_EQ(Base64("Man"), "TWFu");
    EXPECT_EQ(Base64("Ma"), "TWE=");
    EXPECT_EQ(Base64("M"), "TQ==");
    EXPECT_EQ(Base64(std::string("\xff\x00\x10", 3)), "/wAQ");
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const ResumenCorrida r = ArmarResumen(FinCorrida::Completa, e, par, img, 0.25);
    DatosInforme d;
    d.archivoDEM = par.DirDEM + par.ArchivoDEM;
    d.par = &par;
    d.resumen = r;
    d.imagenes.push_back({"Mapa <1>", std::string("\x89PNG\r\n\x1a\n", 8), 10, 20, "pie & nota"});
    d.imagenes.push_back({"Falta", {}, 0, 0, "No se pudo leer"});
    const std::string html = TextoInformeHtml(d);
    const std::string json = TextoResumenJson(r);
    // Every key of the summary, with its value as the summary writes it.
    size_t p = 0;
    int claves = 0;
    while ((p = json.find("  \"", p)) != std::string::npos) {
        const size_t fin = json.find('"', p + 3);
        const std::string clave = json.substr(p + 3, fin - p - 3);
        std::string valor = json.substr(fin + 3, json.find('\n', fin) - fin - 3);
        if (!valor.empty() && valor.back() == ',') valor.pop_back();
        p = fin;
        if (clave == "celdas" || clave == "periodos_pedidos" || clave == "celdas_periodo_por_segundo") continue;
        if (valor.front() == '"') valor = "&quot;" + valor.substr(1, valor.size() - 2) + "&quot;";
        EXPECT_NE(html.find("data-clave=\"" + clave + "\" data-valor=\"" + valor + "\""), std::string::npos)
            << clave << " = " << valor;
        ++claves;
    }
    EXPECT_EQ(claves, 11);
    EXPECT_NE(html.find(">" + TextoCifra(r.lluvia, 7) + "<"), std::string::npos);
    EXPECT_NE(html.find("src=\"data:image/png;base64,iVBORw0KGgo=\""), std::string::npos);
    EXPECT_NE(html.find("<h2>Mapa &lt;1&gt;</h2>"), std::string::npos);
    EXPECT_NE(html.find("<figcaption>pie &amp; nota</figcaption>"), std::string::npos);
    EXPECT_NE(html.find("<p>No se pudo leer</p>"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_NE(html.find("de diseño: 12 mm en 10 min"), std::string::npos);
    EXPECT_EQ(NombreInforme(par), tmp.Carpeta() + "plano_informe.html");
}
