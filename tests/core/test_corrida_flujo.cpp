// Whole runs with the surface-and-channel-flow method and the divide explorer.
#include <gtest/gtest.h>

#include <cmath>

#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "model/divisorias.h"
#include "model/flujo_superficial.h"
#include "raster/archivos.h"
#include "support/corrida_prueba.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

class Registro : public ObservadorCorrida {
public:
    std::string pizarra;
    int cerradas = 0;
    void Pizarra(const std::string& t) override { pizarra = t; }
    void CerrarProgreso() override { ++cerradas; }
};

class CorridaFlujo : public ::testing::Test, protected prueba::CorridaPrueba<Registro> {
protected:
    // A 20 x 20 slope of 10 m cells falling 2 m per cell towards the last
    // row, with a gentle valley along the middle column.
    void SetUp() override {
        CabeceraImagen cab;
        cab.Titulo = "Ladera";
        cab.NroFilas = cab.NroColumnas = 20;
        cab.ResolucionX = cab.ResolucionY = 10;
        Grilla<float> v(20, 20);
        for (int i = 1; i <= 20; ++i)
            for (int j = 1; j <= 20; ++j)
                v(i, j) = static_cast<float>(100 + 2.0 * (20 - i) + 0.5 * std::abs(j - 10) + 0.1 * std::sin(i * j));
        Extremos(v, cab.DatoMenor, cab.DatoMayor);
        ASSERT_TRUE(EscribirImagen(tmp.Ruta("ladera_dat.rkd"), cab, v));
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "ladera_dat.rkd";
        par.Metodo = 1;
        par.Pp = 30;
        par.Dur = 30;
        par.Div = true;
        par.DivValorRes = 255;
        par.fHidro1 = 20;
        par.cHidro1 = 8;
        par.fHidro2 = 20;
        par.cHidro2 = 12;
    }
    bool AlgunResultado() const {
        for (const char* s : {"_HF_dat.rkd", "_HM_dat.rkd", "_QM_dat.rkd", "_Qt.rkd", "_QD_dat.rkd"})
            if (ExisteArchivo(tmp.Ruta(std::string("ladera") + s))) return true;
        return false;
    }

};

}  // namespace

TEST_F(CorridaFlujo, PasoEstableEscribeResultadosYExplorador) {
    par.PasoPp = 0.05f;
    par.nPer = 800;  // 40 min
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(plat.Ultimo().titulo, "Final de Proceso");
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("ladera_QD_dat.rkd")));
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("ladera_QD_cab.rkd")));
    EXPECT_GT(e.QMaxMayor, 0);
    EXPECT_GT(e.QSeccionMax, 0);

    // Automatic thresholds: QminAuto from 1 mm/min x 4, HminAuto from the
    // smallest depth above 4 x 0.05 mm, times 6 for this method.
    EXPECT_NEAR(e.QminAuto, 0.05 * 4 * 100 / 0.05 / 60000, 1e-7);
    float m = 100000000.0f;
    for (int i = 1; i <= 20; ++i)
        for (int j = 1; j <= 20; ++j)
            if (g.HMax(i, j) > 0.05f * 4 / 1000 && g.HMax(i, j) < m) m = g.HMax(i, j);
    EXPECT_FLOAT_EQ(e.HminAuto, UmbralProfundidadFinal(0.05f * 4 / 1000, m, 1));
    EXPECT_FLOAT_EQ(e.HminAuto, 6 * m);

    // The explorer: crest cells 0, the rest 255, and the extremes left in the current image.
    ImagenActual qd;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("ladera_QD_dat.rkd"), "", qd));
    int crestas = 0;
    for (int i = 1; i <= 20; ++i)
        for (int j = 1; j <= 20; ++j) {
            const float esperado = ValorExplorador(par, g.QMax(i, j), g.HMax(i, j), e.QminAuto, e.HminAuto);
            EXPECT_EQ(qd.Valores(i, j), esperado) << i << " " << j;
            if (qd.Valores(i, j) == 0) ++crestas;
        }
    EXPECT_GT(crestas, 0);
    EXPECT_EQ(img.DatoMenor, qd.DatoMenor);
    EXPECT_EQ(img.DatoMayor, qd.DatoMayor);

    // The volume balance closes the board: rain, storage, difference and share.
    EXPECT_NE(obs.pizarra.find("Balance de volumen [m3]: Lluvia caída = 1200"), std::string::npos) << obs.pizarra;
    EXPECT_NE(obs.pizarra.find("  - Diferencia ="), std::string::npos);
    EXPECT_NE(obs.pizarra.find(" %)"), std::string::npos);
    EXPECT_LE(e.AlmacenamientoSup, e.VolumenLluvia * 1.01);
}

TEST_F(CorridaFlujo, PasoLargoAbandonaSinArchivos) {
    par.PasoPp = 1;
    par.nPer = 60;
    ASSERT_EQ(Correr(), FinCorrida::Inestable);
    EXPECT_LT(e.PeriodosHechos, 60);
    const auto& m = plat.Ultimo();
    EXPECT_EQ(m.titulo, "TARNO-SIG: Correr el modelo");
    EXPECT_EQ(m.icono, Icono::Advertencia);
    EXPECT_NE(m.texto.find("El paso de cálculo es demasiado largo para el método Flujo Superficial y Canal"),
              std::string::npos);
    EXPECT_NE(m.texto.find("Use un paso de cálculo no mayor que"), std::string::npos);
    EXPECT_FALSE(AlgunResultado());
    EXPECT_EQ(obs.cerradas, 1);
    EXPECT_GT(e.AlmacenamientoSup, e.VolumenLluvia * 1.01);  // the water the scheme created
}

TEST_F(CorridaFlujo, ParametrosQueDividenPorCeroSeRechazan) {
    par.Manning = 0;
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("Manning"), std::string::npos);
    par.Manning = 0.04f;
    par.FactorRes = 0;
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("resistencia"), std::string::npos);
    EXPECT_FALSE(AlgunResultado());
}

TEST_F(CorridaFlujo, PluviogramaDecrecienteSeRechaza) {
    par.PpArchivo = true;
    pv.Paso = 5;
    pv.NroDatos = 4;
    pv.LluviaTotal = 8;
    pv.PpAcum = {0, 0, 10, 6, 8};
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("disminuye en el punto 3 ( 10 mm a 6 mm)"), std::string::npos)
        << plat.Ultimo().texto;
    EXPECT_FALSE(AlgunResultado());
    pv.PpAcum = {0, 0, 6, 6, 8};
    EXPECT_TRUE(ValidarPluviogramaFlujo(pv));
}

TEST(BalanceVolumen, DiferenciaYPorcentaje) {
    EXPECT_EQ(TextoDiferenciaVolumen(1000, 750), " 250 ( 25 %)");
    EXPECT_EQ(TextoDiferenciaVolumen(1000, 1100), "-100 (-10 %)");
    EXPECT_EQ(TextoDiferenciaVolumen(0, 0), " 0");
}
