// The model's extensions: losses, the open boundary, mass keeping and the
// automatic step of the surface-flow method, design storms; and the balance
// of every run (rain, losses, boundary outflow, storage).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/campos.h"
#include "comandos/cargar_dem.h"
#include "comandos/cargar_pluviograma.h"
#include "model/correr_modelo.h"
#include "model/parametros_texto.h"
#include "model/perdidas.h"
#include "model/resumen.h"
#include "model/tormenta.h"
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
    void Pizarra(const std::string& t) override { pizarra = t; }
};

class Extensiones : public ::testing::Test, protected prueba::CorridaPrueba<Registro> {
protected:
    // A grid of 10 m cells whose elevation is z(row, column).
    void Dem(int filas, int columnas, const std::function<float(int, int)>& z) {
        CabeceraImagen cab;
        cab.Titulo = "Prueba";
        cab.NroFilas = filas;
        cab.NroColumnas = columnas;
        cab.ResolucionX = cab.ResolucionY = 10;
        Grilla<float> v(filas, columnas);
        for (int i = 1; i <= filas; ++i)
            for (int j = 1; j <= columnas; ++j) v(i, j) = z(i, j);
        Extremos(v, cab.DatoMenor, cab.DatoMayor);
        ASSERT_TRUE(EscribirImagen(tmp.Ruta("mdt_dat.rkd"), cab, v));
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "mdt_dat.rkd";
    }
    // The 60 x 40 plane: flat, or falling 0.1 m per row towards the last row.
    void Plano(bool inclinado) {
        Dem(60, 40,
            [inclinado](int i, int) { return inclinado ? 100.0f + 0.1f * static_cast<float>(60 - i) : 100.0f; });
        par.Pp = 60;
        par.Dur = 60;
        par.PasoPp = 1;
        par.nPer = 60;
    }
    FinCorrida Correr() {
        e = EstadoCorrida{};
        g = GrillasModelo{};
        return CorridaPrueba::Correr();
    }
    double Diferencia() const {
        return e.VolumenLluvia - e.VolumenPerdidas - e.VolumenSalidaBorde - static_cast<double>(e.AlmacenamientoSup);
    }
    std::string Resultados() {
        return tmp.Leer("mdt_HF_dat.rkd") + tmp.Leer("mdt_HM_dat.rkd") + tmp.Leer("mdt_QM_dat.rkd") +
               tmp.Leer("mdt_Qt.rkd");
    }

};

}  // namespace

TEST(Perdidas, CurvaNumeroEInicialContinua) {
    // CN 75, 60 mm: S = 84.67 mm, Ia = 16.93 mm, excess 14.52 mm.
    EXPECT_NEAR(EscorrentiaSCS(60, RetencionSCS(75), 0.2), 14.52, 0.005);
    EXPECT_EQ(EscorrentiaSCS(10, RetencionSCS(75), 0.2), 0.0);
    Parametros p;
    p.Perdidas = 2;
    p.NumeroCurva = 100;
    ModeloPerdidas cn100(p);
    for (float l : {0.0f, 0.3f, 1.0f / 3.0f, 7.0f}) EXPECT_EQ(cn100.Exceso(l), l);
    p.Perdidas = 1;
    p.PerdidaInicial = 2.5f;
    p.PerdidaContinua = 30;  // 0.5 mm per step of 1 min
    ModeloPerdidas ic(p);
    EXPECT_FLOAT_EQ(ic.Exceso(2), 0);      // initial loss
    EXPECT_FLOAT_EQ(ic.Exceso(2), 1);      // 0.5 initial + 0.5 constant
    EXPECT_FLOAT_EQ(ic.Exceso(0.25f), 0);  // all to the constant loss
    EXPECT_FLOAT_EQ(ic.Exceso(2), 1.5f);
}

TEST_F(Extensiones, PerdidasEnElPlanoYBalance) {
    Plano(false);
    const double lluvia = 60 * 40 * 100 * 0.060;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const std::string base = Resultados();
    const std::string pizarraBase = obs.pizarra;
    EXPECT_EQ(e.VolumenPerdidas, 0);
    EXPECT_EQ(obs.pizarra.find("Pérdidas"), std::string::npos);

    struct Caso {
        int16_t tipo;
        float cn, inicial, continua;
        double fraccion;
    };
    for (const Caso& c : {Caso{2, 75, 0, 0, 1 - 14.52 / 60}, Caso{1, 100, 10, 12, 1.0 / 3.0}}) {
        par.Perdidas = c.tipo;
        par.NumeroCurva = c.cn;
        par.PerdidaInicial = c.inicial;
        par.PerdidaContinua = c.continua;
        for (int16_t metodo : {0, 1}) {
            par.Metodo = metodo;
            ASSERT_EQ(Correr(), FinCorrida::Completa);
            EXPECT_NEAR(e.VolumenLluvia, lluvia, 1e-6);
            EXPECT_NEAR(e.VolumenPerdidas / lluvia, c.fraccion, 5e-4) << c.tipo << " " << metodo;
            EXPECT_LT(std::fabs(Diferencia()), 1e-4 * lluvia) << c.tipo << " " << metodo;
            EXPECT_NE(obs.pizarra.find("Pérdidas ="), std::string::npos);
        }
        par.Metodo = 0;
    }
    // CN 100 changes nothing (the board only gains the balance line).
    par.Perdidas = 2;
    par.NumeroCurva = 100;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(Resultados(), base);
    EXPECT_EQ(obs.pizarra.substr(0, pizarraBase.size()), pizarraBase);
}

TEST_F(Extensiones, NumeroDeCurvaPorCelda) {
    Plano(false);
    const double lluvia = 60 * 40 * 100 * 0.060;
    // Left half CN 75, right half CN 100.
    CabeceraImagen cab;
    cab.NroFilas = 60;
    cab.NroColumnas = 40;
    Grilla<float> cn(60, 40);
    for (int i = 1; i <= 60; ++i)
        for (int j = 1; j <= 40; ++j) cn(i, j) = j <= 20 ? 75.0f : 100.0f;
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("cn_dat.rkd"), cab, cn));
    par.Perdidas = 2;
    par.ArchivoNumeroCurva = "cn_dat.rkd";
    par.ConservarMasa = 1;  // the flat plane's water runs from the wetter half
    for (int16_t metodo : {0, 1}) {
        par.Metodo = metodo;
        par.PasoPp = metodo == 1 ? 0.5f : 1.0f;
        par.nPer = metodo == 1 ? 120 : 60;
        ASSERT_EQ(Correr(), FinCorrida::Completa);
        EXPECT_NEAR(e.VolumenPerdidas / lluvia, (1 - 14.52 / 60) / 2, 5e-4);
        // (The surface flow spreads the wetter half's water over a flat plane.)
        EXPECT_LT(std::fabs(Diferencia()), (metodo == 0 ? 1e-4 : 5e-3) * lluvia) << metodo;
    }
    par.Metodo = 0;
    par.PasoPp = 1;
    par.nPer = 60;
    // A raster of another size, or with a curve number out of range, stops the run.
    cn(7, 9) = 0;
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("cn_dat.rkd"), cab, cn));
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    ASSERT_FALSE(plat.mensajes.empty());
    EXPECT_NE(plat.mensajes[0].texto.find("fila 7 columna 9"), std::string::npos);
    par.ArchivoNumeroCurva = "no_existe_dat.rkd";
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
}

TEST_F(Extensiones, BordeAbiertoEnElPlanoInclinado) {
    Plano(true);
    par.nPer = 300;
    const double lluvia = 60 * 40 * 100 * 0.060;
    // The section along the open edge measures what leaves.
    par.fHidro1 = par.fHidro2 = 60;
    par.cHidro1 = 1;
    par.cHidro2 = 40;
    for (int16_t metodo : {0, 1}) {
        par.Metodo = metodo;
        // 1-minute steps on 10 m cells need the automatic step; the surface
        // flow keeps its mass only with ConservarMasa.
        par.PasoAutomatico = par.ConservarMasa = metodo;
        par.BordeAbierto = 0;
        par.nPer = 100;
        ASSERT_EQ(Correr(), FinCorrida::Completa);
        EXPECT_EQ(e.VolumenSalidaBorde, 0);
        par.nPer = 300;
        par.BordeAbierto = 1;
        ASSERT_EQ(Correr(), FinCorrida::Completa) << metodo;
        EXPECT_GT(e.VolumenSalidaBorde, 0.5 * lluvia) << metodo;
        EXPECT_LT(std::fabs(Diferencia()), 1e-3 * lluvia) << metodo;
        EXPECT_GT(e.QSeccionMax, 0.1f);
        EXPECT_NE(obs.pizarra.find("Salida por el borde ="), std::string::npos);
    }
}

TEST_F(Extensiones, ConservarMasaCierraElBalanceDelFlujo) {
    // A rough slope with pits and a rim outside the basin.
    Dem(30, 25, [](int i, int j) {
        if (i == 1 || j == 25) return -9999.0f;
        return static_cast<float>(50 + 0.3 * (30 - i) + 0.2 * std::abs(j - 12) + 0.4 * std::sin(i * 1.7 + j * 2.3));
    });
    par.Metodo = 1;
    par.Pp = 30;
    par.Dur = 30;
    par.PasoPp = 0.05f;
    par.nPer = 1200;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const double perdidaSinConservar = Diferencia() / e.VolumenLluvia;
    par.ConservarMasa = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_GT(perdidaSinConservar, 0.01);
    EXPECT_LT(std::fabs(Diferencia()), 1e-3 * e.VolumenLluvia);
    // With the open boundary too.
    par.BordeAbierto = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_GT(e.VolumenSalidaBorde, 0);
    EXPECT_LT(std::fabs(Diferencia()), 1e-3 * e.VolumenLluvia);
}

TEST_F(Extensiones, PasoAutomaticoCorreDondeElFijoSeAbandona) {
    // A V-shaped valley of 10 m cells draining through its open lower edge.
    Dem(30, 20, [](int i, int j) { return static_cast<float>(20 + 0.5 * (30 - i) + 0.3 * std::abs(j - 10)); });
    par.Metodo = 1;
    par.Pp = 60;
    par.Dur = 30;
    par.PasoPp = 1;
    par.nPer = 60;
    par.fHidro1 = par.fHidro2 = 25;
    par.cHidro1 = 5;
    par.cHidro2 = 15;
    par.BordeAbierto = par.ConservarMasa = 1;
    ASSERT_EQ(Correr(), FinCorrida::Inestable);
    // The water gathered in the channel runs deep on a gentle slope: there
    // the explicit scheme wants a Courant number below the default.
    par.PasoAutomatico = 1;
    par.Courant = 0.5f;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.PeriodosHechos, 60);
    const float qAuto = e.QSeccionMax, hAuto = e.HMaxMayor;
    EXPECT_LT(std::fabs(Diferencia()), 1e-4 * e.VolumenLluvia);
    // The same storm with a short fixed step.
    par.PasoAutomatico = 0;
    par.PasoPp = 0.02f;
    par.nPer = 3000;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(qAuto, e.QSeccionMax, 0.1 * e.QSeccionMax);
    EXPECT_NEAR(hAuto, e.HMaxMayor, 0.1 * e.HMaxMayor);
}

TEST_F(Extensiones, TormentaDeDisenoLlueveSuLaminaIDF) {
    OpcionesTormenta op;
    op.A = 1000;
    op.B = 10;
    op.C = 0.75;
    op.duracion = 60;
    op.paso = 5;
    ASSERT_TRUE(GenerarTormenta(op, pv));
    const double lamina = 1000 / std::pow(70.0, 0.75);  // mm in one hour
    EXPECT_EQ(pv.NroDatos, 13);
    EXPECT_EQ(pv.PpAcum[1], 0.0f);
    EXPECT_NEAR(pv.LluviaTotal, lamina, 1e-4);
    // The peak block is in the middle: interval 6 of 12.
    float mayor = 0;
    int donde = 0;
    for (int k = 1; k < 13; ++k)
        if (pv.PpAcum[k + 1] - pv.PpAcum[k] > mayor) mayor = pv.PpAcum[k + 1] - pv.PpAcum[k], donde = k;
    EXPECT_EQ(donde, 6);
    ASSERT_TRUE(EscribirPluviograma(tmp.Ruta("idf_Pp.rkd"), pv));
    // Loaded back and rained on a basin.
    Pluviograma leido;
    CargaPluviograma c = CargarPluviograma(tmp.Ruta("idf_Pp.rkd"), leido, plat);
    ASSERT_EQ(c.estado, CargaPluviograma::Estado::Cargada);
    EXPECT_FALSE(c.inconsistente);
    pv = leido;
    Dem(8, 6, [](int i, int j) { return i == 1 ? 0.0f : static_cast<float>(10 + i + j); });
    par.PpArchivo = true;
    par.PasoPp = 1;
    par.nPer = 70;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(e.VolumenLluvia / (7 * 6 * 100), lamina / 1000, 1e-6);

    // SCS type II and uniform storms keep their total; wrong options are refused.
    op.tipo = TipoTormenta::SCS2;
    op.pp = 100;
    op.duracion = 0;
    op.paso = 30;
    ASSERT_TRUE(GenerarTormenta(op, pv));
    EXPECT_EQ(pv.NroDatos, 49);
    EXPECT_FLOAT_EQ(pv.LluviaTotal, 100);
    EXPECT_NEAR(pv.PpAcum[25], 66.3, 1e-4);  // 12 h
    op.tipo = TipoTormenta::Uniforme;
    op.duracion = 45;
    op.paso = 15;
    ASSERT_TRUE(GenerarTormenta(op, pv));
    EXPECT_FLOAT_EQ(pv.PpAcum[3], 200.0f / 3);
    op.duracion = 50;
    EXPECT_FALSE(GenerarTormenta(op, pv));
    op.paso = 0;
    EXPECT_FALSE(GenerarTormenta(op, pv));
}

TEST(CamposExtension, RangosYAvisosConElNombreDelCampo) {
    Parametros p;
    struct Caso {
        const char* campo;
        const char* valor;
        bool bien;
    };
    for (const Caso& c :
         {Caso{"Perdidas", "2", true}, Caso{"Perdidas", "3", false}, Caso{"NumeroCurva", "0", false},
          Caso{"NumeroCurva", "75", true}, Caso{"RelacionIa", "1.5", false}, Caso{"BordeAbierto", "1", true},
          Caso{"ConservarMasa", "2", false}, Caso{"PasoAutomatico", "1", true}, Caso{"Courant", "0", false},
          Caso{"PerdidaContinua", "-1", false}, Caso{"ArchivoNumeroCurva", "cn_dat.rkd", true}}) {
        Resultado r = AsignarCampo(p, c.campo, c.valor);
        EXPECT_EQ(static_cast<bool>(r), c.bien) << c.campo << "=" << c.valor;
        if (!r) {
            EXPECT_EQ(r.mensaje.rfind(std::string(c.campo) + ": ", 0), 0u) << r.mensaje;
        }
    }
    EXPECT_EQ(p.Perdidas, 2);
    EXPECT_EQ(p.ArchivoNumeroCurva, "cn_dat.rkd");
    // Every extension field has its box on the fifth page.
    for (const char* n : {"Perdidas", "PerdidaInicial", "PerdidaContinua", "NumeroCurva", "RelacionIa", "BordeAbierto",
                          "ConservarMasa", "PasoAutomatico", "Courant"}) {
        const Campo* c = BuscarCampo(n);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->pagina, Pagina::Extensiones);
        EXPECT_NE(c->caja, nullptr);
    }
}

TEST_F(Extensiones, ResumenJsonConElBalance) {
    Plano(true);
    par.nPer = 100;
    par.Perdidas = 1;
    par.PerdidaInicial = 10;
    par.BordeAbierto = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const ResumenCorrida r = ArmarResumen(FinCorrida::Completa, e, par, img, 1.0);
    EXPECT_EQ(r.perdidas, e.VolumenPerdidas);
    EXPECT_EQ(r.salidaBorde, e.VolumenSalidaBorde);
    EXPECT_NEAR(r.diferencia, Diferencia(), 1e-9);
    const std::string j = TextoResumenJson(r);
    EXPECT_NEAR(r.perdidas, 2400, 1e-6);  // 10 mm on 2400 cells of 100 m2
    for (const char* k : {"\"perdidas_m3\": 2", "\"salida_borde_m3\": ", "\"diferencia_m3\": "})
        EXPECT_NE(j.find(k), std::string::npos) << k << "\n" << j;
}
