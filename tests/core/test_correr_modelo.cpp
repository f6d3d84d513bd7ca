#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <filesystem>
#include <thread>

#include "comandos/cargar_dem.h"
#include "comandos/correr.h"
#include "raster/archivos.h"
#include "raster/codificacion.h"
#include "raster/numeros.h"
#include "support/corrida_prueba.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

class ObservadorRegistro : public ObservadorCorrida {
public:
    std::vector<std::string> eventos;
    std::vector<std::string> periodos;
    std::vector<double> avances;
    std::string pizarra;
    void AbrirProgreso(const std::string& t, const std::string& m) override { eventos.push_back("abrir|" + t + "|" + m); }
    void Progreso(double a, const std::string& p, const std::string& t) override {
        avances.push_back(a);
        periodos.push_back(p + "|" + t);
    }
    void CerrarProgreso() override { eventos.push_back("cerrar"); }
    void FinPeriodo() override { ++finesDePeriodo; }
    int finesDePeriodo = 0;
    void LimpiarPizarra() override { eventos.push_back("limpiar"); }
    void Pizarra(const std::string& t) override {
        eventos.push_back("pizarra");
        pizarra = t;
    }
    void Mensajes(const std::vector<std::string>& l) override {
        std::string s = "mensajes";
        for (const auto& x : l) s += "|" + x;
        eventos.push_back(s);
    }
    void BarraEstado(const std::string& t) override { eventos.push_back("barra|" + t); }
    void ReiniciarOpciones() override { eventos.push_back("reiniciar"); }
    bool MuestraPizarra() const override { return pizarraVisible; }
    bool pizarraVisible = true;
};

class Corrida : public ::testing::Test, protected prueba::CorridaPrueba<ObservadorRegistro> {
protected:
    // Writes the DEM "cuenca" (rows of values) and points the parameters at it.
    void Dem(const std::vector<std::vector<float>>& filas, double res = 10) {
        CabeceraImagen cab;
        cab.Titulo = "Cuenca de prueba";
        cab.Subtitulo = "MDT";
        cab.NroFilas = static_cast<int32_t>(filas.size());
        cab.NroColumnas = static_cast<int32_t>(filas[0].size());
        cab.XMaximo = 100;
        cab.YMaximo = 200;
        cab.ResolucionX = res;
        cab.ResolucionY = res;
        Grilla<float> v(cab.NroFilas, cab.NroColumnas);
        for (int32_t i = 1; i <= cab.NroFilas; ++i)
            for (int32_t j = 1; j <= cab.NroColumnas; ++j) v(i, j) = filas[static_cast<size_t>(i - 1)][static_cast<size_t>(j - 1)];
        Extremos(v, cab.DatoMenor, cab.DatoMayor);
        ASSERT_TRUE(EscribirImagen(tmp.Ruta("cuenca_dat.rkd"), cab, v));
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "cuenca_dat.rkd";
    }
    // A plane tilted down to the right, all inside the basin.
    void Plano(int filas, int columnas) {
        std::vector<std::vector<float>> v(static_cast<size_t>(filas), std::vector<float>(static_cast<size_t>(columnas)));
        for (int i = 0; i < filas; ++i)
            for (int j = 0; j < columnas; ++j) v[static_cast<size_t>(i)][static_cast<size_t>(j)] = 100.0f - j + 0.25f * i;
        Dem(v);
    }
    std::string Archivo(const std::string& sufijo) { return tmp.Leer("cuenca" + sufijo); }
    std::vector<std::string> Lineas(const std::string& sufijo) {
        std::vector<std::string> l;
        std::string s = Cp1252AUtf8(Archivo(sufijo));
        size_t p = 0;
        while (p < s.size()) {
            size_t q = s.find("\r\n", p);
            l.push_back(s.substr(p, q - p));
            p = q + 2;
        }
        return l;
    }

};

}  // namespace

TEST_F(Corrida, SinPeriodosEscribeElEstadoInicial) {
    Dem({{5, 6, -9999}, {7, 8, 9}});
    par.nPer = 0;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(Archivo("_HF_dat.rkd"), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(Archivo("_HM_dat.rkd"), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(Archivo("_QM_dat.rkd"), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    // No section: the extremes keep their start values, one line (k = 1, value 0).
    std::vector<std::string> qt = Lineas("_Qt.rkd");
    ASSERT_EQ(qt.size(), 11u);
    EXPECT_EQ(qt[2], "\"Pixel de Fila          : \",0");
    EXPECT_EQ(qt[4], "\"Caudal mínimo          : \",1E+08");
    EXPECT_EQ(qt[5], "\"Caudal Máximo          : \",-1E+08");
    EXPECT_EQ(qt[10], "1,0");
    EXPECT_EQ(img.DatoMenor, 1e8f);  // running extremes left at their start values
    EXPECT_EQ(img.DatoMayor, -1e8f);
    EXPECT_EQ(e.QMaxMayor, 0.0f);
}

TEST_F(Corrida, NombresYCabecerasDeResultados) {
    Plano(4, 5);
    par.nPer = 3;
    par.KRecesion = 10;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const std::string base = tmp.Carpeta() + "cuenca";
    EXPECT_EQ(e.ArchivosEscritos,
              (std::vector<std::string>{base + "_HF_dat.rkd", base + "_HF_cab.rkd", base + "_HM_dat.rkd",
                                        base + "_HM_cab.rkd", base + "_QM_dat.rkd", base + "_QM_cab.rkd",
                                        base + "_Qt.rkd"}));
    const std::string sub = "Pp= 60mm  - D= 60min  - Paso= 1min - Nro.Per.= 3  - KRec.= 10   - Alm. Sup.[m3] = " +
                            TextoBlanco(e.AlmacenamientoSup);
    EXPECT_EQ(e.SubtituloCorrida, sub);
    EXPECT_EQ(e.MetodoTexto, "Método: TARNO-SIG Cascada");
    ImagenActual hf;
    ASSERT_TRUE(LeerIMG(base + "_HF_dat.rkd", "", hf));
    EXPECT_EQ(hf.Titulo, "Cuenca de prueba");
    EXPECT_EQ(hf.Subtitulo, sub + ": H Residual [m] en Pixel - Método: TARNO-SIG Cascada");
    EXPECT_EQ(hf.NroFilas, 4);
    EXPECT_EQ(hf.NroColumnas, 5);
    EXPECT_EQ(hf.XMaximo, 100.0);
    EXPECT_EQ(hf.ResolucionX, 10.0);
    ImagenActual hm, qm;
    ASSERT_TRUE(LeerIMG(base + "_HM_dat.rkd", "", hm));
    EXPECT_EQ(hm.Subtitulo, sub + ": H Máx.[m] en Pixel - Método: TARNO-SIG Cascada");
    ASSERT_TRUE(LeerIMG(base + "_QM_dat.rkd", "", qm));
    EXPECT_EQ(qm.Subtitulo, sub + ": Caudal máximo[m3/s] en cada Pixel -Método: TARNO-SIG Cascada");
    // Values rounded as written; extremes from the unrounded values.
    float menor = 1e8f, mayor = -1e8f;
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 5; ++j) {
            EXPECT_EQ(hm.Valores(i, j), static_cast<float>(Redondear(g.HMax(i, j), 3)));
            EXPECT_EQ(qm.Valores(i, j), static_cast<float>(Redondear(g.QMax(i, j), 3)));
            EXPECT_EQ(hf.Valores(i, j), static_cast<float>(Redondear(g.Nivel(i, j) - g.Cota(i, j), 4)));
            menor = std::min(menor, g.QMax(i, j));
            mayor = std::max(mayor, g.QMax(i, j));
        }
    EXPECT_EQ(qm.DatoMenor, menor);
    EXPECT_EQ(qm.DatoMayor, mayor);
    EXPECT_EQ(e.QMaxMayor, mayor);
    // Events seen by the windows, in order.
    EXPECT_EQ(obs.eventos, (std::vector<std::string>{"abrir|" + std::string(kTituloProgresoCorrida) + "|" +
                                                         kCorriendoSimulador,
                                                     "limpiar", "pizarra", "cerrar"}));
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().titulo, "Final de Proceso");
    EXPECT_EQ(plat.Ultimo().texto,
              "Fin de la simulación. Los resultados se han grabado correctamente en los archivos\r\nTiempo de "
              "proceso: 0:0:0");
}

TEST_F(Corrida, BalanceDeMasaConTodasLasCeldasEnLaCuenca) {
    Plano(12, 9);
    par.nPer = 90;
    par.KRecesion = 5;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    const double lluvia = 12 * 9 * 0.060 * 100;  // 60 mm on 108 cells of 100 m2
    EXPECT_NEAR(e.VolumenLluvia, lluvia, 1e-9);
    EXPECT_FLOAT_EQ(e.AlmacenamientoSup, static_cast<float>(lluvia));
    EXPECT_GT(e.QMaxMayor, 0.0f);
    EXPECT_NE(obs.pizarra.find("Balance de volumen [m3]: Lluvia caída = 648  - Almacenamiento Sup. ="),
              std::string::npos);
}

TEST_F(Corrida, AlmacenamientoSoloDentroDeLaCuenca) {
    Dem({{-9999, 5, 5}, {-9999, 5, 5}});
    par.nPer = 2;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(e.AlmacenamientoSup, 4 * 0.002 * 100, 1e-4);
    // The residual raster writes -Cota outside the basin.
    EXPECT_EQ(Archivo("_HF_dat.rkd").substr(0, 7), "9999\r\n0");
}

TEST_F(Corrida, TormentaDeDisenoPorPeriodo) {
    Plano(3, 3);
    par.nPer = 100;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(e.VolumenLluvia, 9 * 0.060 * 100, 1e-9);  // 1 mm for periods 1..60
    par.PasoPp = 7;                                       // 7 mm for periods 1..8 only: 56 mm
    par.nPer = 20;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(e.VolumenLluvia, 9 * 0.056 * 100, 1e-9);
}

TEST_F(Corrida, LluviaEnUnaSubArea) {
    Dem(std::vector<std::vector<float>>(5, std::vector<float>(4, 50)));
    par.AreaPp = 1;
    par.Py1 = par.Py2 = 3;
    par.Px1 = 1;
    par.Px2 = 9999999;
    par.nPer = 1;
    par.KRecesion = 9999999;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_NEAR(e.VolumenLluvia, 4 * 0.001 * 100, 1e-12);
    EXPECT_FLOAT_EQ(e.AlmacenamientoSup, 0.4f);
    // Flat ground: rows 1 and 5 only receive what the cascade hands on.
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(g.Nivel(1, j), 50.0);
}

TEST_F(Corrida, CeldasDeLaSeccion) {
    Plano(12, 8);
    par.nPer = 1;
    par.fHidro1 = par.fHidro2 = 10;
    par.cHidro1 = par.cHidro2 = 5;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.NroCeldasSeccion, 1);
    par.fHidro1 = 1;
    par.cHidro1 = 1;
    par.fHidro2 = 10;
    par.cHidro2 = 5;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    ASSERT_EQ(e.NroCeldasSeccion, 10);
    for (int m = 1; m <= 10; ++m) {
        EXPECT_EQ(e.SeccionFila[m], m);
        EXPECT_EQ(e.SeccionColumna[m], static_cast<int>(std::floor(0.5 * (m - 1))) + 1);
    }
    // A row span of 0 with a long column span: the lists hold what the rule gives.
    par.fHidro1 = 5;
    par.fHidro2 = 4;
    par.cHidro1 = 1;
    par.cHidro2 = 8;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.NroCeldasSeccion, 8);
    // End before start in the looping coordinate: no cells.
    par.fHidro1 = 5;
    par.fHidro2 = 4;
    par.cHidro1 = 3;
    par.cHidro2 = 2;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.NroCeldasSeccion, 0);
}

TEST_F(Corrida, ContabilidadDeLaSeccionYPizarra) {
    Plano(6, 5);
    par.nPer = 12;
    par.KRecesion = 3;
    par.fHidro1 = 3;
    par.fHidro2 = 4;
    par.cHidro1 = par.cHidro2 = 5;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    // Recompute by running period by period is not possible from outside;
    // check the invariants the accounting keeps.
    float qmax = -1e8f, qmin = 1e8f;
    for (int p = 1; p <= 12; ++p) {
        qmax = std::max(qmax, e.QPeriodo[p]);
        qmin = std::min(qmin, e.QPeriodo[p]);
    }
    EXPECT_EQ(e.QSeccionMax, qmax);
    EXPECT_LE(e.QSeccionMin, qmin);
    EXPECT_GT(e.QSeccionMax, 0.0f);
    EXPECT_EQ(e.NivelMaxSeccion, static_cast<float>(std::max(Redondear(g.Cota(3, 5) + double(g.HMax(3, 5)), 3),
                                                              Redondear(g.Cota(4, 5) + double(g.HMax(4, 5)), 3))));
    // Board: header, then one line per section cell and period (2 x 12), then the balance.
    EXPECT_EQ(obs.pizarra.find("Hidrograma en Pixel Fila:  3  Col:  5\r\n\r\n 1     "), 0u) << obs.pizarra;
    size_t lineas = 0;
    for (size_t p = 0; (p = obs.pizarra.find("\r\n", p)) != std::string::npos; p += 2) ++lineas;
    EXPECT_EQ(lineas, 1u + 24u + 2u);
    // The last log line is the later-routed (lower) section cell of period 12.
    const std::string hmaxUltima = TextoBlanco(static_cast<float>(Redondear(g.HMax(3, 5), 3)));
    const std::string qUltima = TextoBlanco(static_cast<float>(Redondear(g.QSalida(3, 5), 3)));
    EXPECT_NE(obs.pizarra.find("\r\n 12     " + qUltima + "     " + hmaxUltima + "\r\n\r\nBalance"), std::string::npos)
        << obs.pizarra;
    // Hydrograph file header values.
    std::vector<std::string> qt = Lineas("_Qt.rkd");
    EXPECT_EQ(qt[0], "\"Título                 : \",\"Cuenca de prueba\"");
    EXPECT_EQ(qt[1], "\"Subtítulo              : \",\"" + e.SubtituloCorrida + ": Hidrograma en Pixel\"");
    EXPECT_EQ(qt[2], "\"Pixel de Fila          : \",3");
    EXPECT_EQ(qt[3], "\"Pixel de Columna       : \",5");
    EXPECT_EQ(qt[5], "\"Caudal Máximo          : \"," + NumeroArchivo(e.QSeccionMax));
    EXPECT_EQ(qt[6], "\"Paso de Cálculo [min]  : \",1");
    EXPECT_EQ(qt[7], "\"Paso Salidas [min]     : \",10");
    EXPECT_EQ(qt[8], "\"Escorrentia [m3]       : \"," + NumeroArchivo(e.Escorrentia));
    EXPECT_EQ(qt[9], "\"Altura Máx. p.a. [m3]  : \"," + NumeroArchivo(e.NivelMaxSeccion));
    ASSERT_EQ(qt.size(), 12u);  // one sample at period 10, then the closing 0
    EXPECT_EQ(qt[10], "1," + NumeroArchivo(e.QPeriodo[10]));
    EXPECT_EQ(qt[11], "2,0");
}

TEST_F(Corrida, ProgresoCadaDiezPeriodos) {
    Plano(3, 3);
    par.nPer = 25;
    plat.pasoHora = 1.0 / 86400.0;  // one second per clock reading
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    ASSERT_EQ(obs.periodos.size(), 2u);
    EXPECT_EQ(obs.avances, (std::vector<double>{40, 80}));
    EXPECT_EQ(obs.finesDePeriodo, 25);  // the windows may repaint after every period
    EXPECT_EQ(obs.periodos[0].substr(0, obs.periodos[0].find('|')), "Período =  10 /  25");
    // Readings: start, control, then two per period: period 10 is read at 22 s.
    EXPECT_EQ(obs.periodos[0].substr(obs.periodos[0].find('|') + 1), "Tiempo de proceso: 0:0:21");
}

TEST_F(Corrida, TiempoDeEsperaSuperado) {
    Plano(3, 3);
    par.nPer = 5;
    plat.pasoHora = 0.0006;  // every reading 51.8 s later
    plat.respuestas = {Respuesta::Si, Respuesta::No};
    EXPECT_EQ(Correr(), FinCorrida::Suspendida);
    ASSERT_EQ(plat.mensajes.size(), 3u);
    EXPECT_EQ(plat.mensajes[0].texto, "Se ha superado el tiempo de espera, desea continuar ?");
    EXPECT_EQ(plat.mensajes[0].titulo, "Tiempo de Espera...");
    EXPECT_EQ(plat.mensajes[0].botones, Botones::SiNo);
    EXPECT_EQ(plat.mensajes[2].texto, "Se ha suspendido la corrida del modelo, los resultados obtenidos no son válidos...");
    EXPECT_EQ(e.PeriodosHechos, 1);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_HF_dat.rkd")));
    // The progress window stays open.
    EXPECT_EQ(obs.eventos.back(), "limpiar");
}

TEST_F(Corrida, ParametrosQueNoPuedenCorrer) {
    Plano(3, 3);
    par.PasoPp = 0;
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("Paso de Calculo"), std::string::npos);
    par.PasoPp = 1;
    par.KRecesion = 0;
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("Kr"), std::string::npos);
    par.Metodo = 0;
    par.KRecesion = 1;
    par.Dur = 0;
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("Duración"), std::string::npos);
    EXPECT_TRUE(obs.eventos.empty());
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_HF_dat.rkd")));
}

TEST_F(Corrida, ResolucionCeroSeRechaza) {
    Dem({{5, 6}, {7, 8}}, 0);
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("resolución"), std::string::npos);
}

TEST_F(Corrida, PluviogramaLluviaPorPaso) {
    Plano(3, 3);
    par.PpArchivo = true;
    par.nPer = 40;
    pv.Titulo = "Tormenta 1";
    pv.LluviaTotal = 40;
    pv.Paso = 10;
    pv.NroDatos = 3;
    pv.PpAcum = {0, 0, 30, 40};
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    // 3 mm per step for periods 1..10, 1 mm for 11..20, none from the last interval on.
    EXPECT_NEAR(e.VolumenLluvia, 9 * 0.040 * 100, 1e-9);
    EXPECT_EQ(e.SubtituloCorrida, "Tormenta 1");
}

TEST_F(Corrida, PluviogramaVacioOConPasoCorto) {
    Plano(3, 3);
    par.PpArchivo = true;
    pv.Paso = 10;
    pv.NroDatos = 3;
    pv.PpAcum = {0, 0, 30, 40};
    EXPECT_EQ(Correr(), FinCorrida::SinPluviograma);  // total 0: empty
    EXPECT_EQ(plat.Ultimo().texto,
              "No hay archivo de Pluviograma de Pp seleccionado. Debe cargarlo primero desde menú Opciones, Ficha "
              "Parámetros");
    EXPECT_EQ(plat.Ultimo().titulo, "Error, falta archivo...");
    EXPECT_EQ(obs.eventos.back(), "limpiar");  // the progress window stays open
    pv.LluviaTotal = 40;
    par.PasoPp = 15;
    obs.eventos.clear();
    EXPECT_EQ(Correr(), FinCorrida::SinPluviograma);
    EXPECT_EQ(obs.eventos.back(), "cerrar");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_HF_dat.rkd")));
}

TEST_F(Corrida, ErrorAlEscribirAbandonaLaCorrida) {
    Plano(3, 3);
    par.nPer = 2;
    EXPECT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
    par.DirDEM = tmp.Carpeta() + "no_existe/";
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    EXPECT_EQ(CorrerModelo(en, e), FinCorrida::ErrorArchivo);
    EXPECT_NE(plat.Ultimo().texto.find("No se pudo crear el archivo"), std::string::npos);
    EXPECT_EQ(obs.eventos.back(), "cerrar");
}

// The three rasters are formatted side by side but put in place in their
// order: one that cannot be written keeps the earlier ones, writes none after
// it and leaves no temporary file.
TEST_F(Corrida, RasterQueNoSeEscribeDejaLosAnterioresYNingunoDespues) {
    Plano(3, 3);
    par.nPer = 2;
    EXPECT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
    std::filesystem::create_directories(tmp.Ruta("cuenca_HM_dat.rkd"));
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    EXPECT_EQ(CorrerModelo(en, e), FinCorrida::ErrorArchivo);
    EXPECT_NE(plat.Ultimo().texto.find("cuenca_HM_dat.rkd"), std::string::npos);
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("cuenca_HF_dat.rkd")));
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("cuenca_HF_cab.rkd")));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_HM_cab.rkd")));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_QM_dat.rkd")));
    for (const auto& f : std::filesystem::directory_iterator(tmp.Carpeta()))
        EXPECT_EQ(f.path().filename().string().find(".tmp"), std::string::npos) << f.path();
}

TEST_F(Corrida, SegundaCorridaUsaLaCacheDelOrden) {
    Plano(4, 4);
    par.nPer = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_TRUE(e.ordenReconstruido);
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("cuenca_dat_Vc_cab.rkd")));
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_FALSE(e.ordenReconstruido);
}

TEST_F(Corrida, ComandoConfirmacionYSinMDT) {
    par.ResolucionX = 12.5f;
    par.DirDEM = "/datos/";
    par.ArchivoDEM = "cuenca_dat.rkd";
    img.NroFilas = 250;
    img.NroColumnas = 400;
    const std::string sep(1, SeparadorCarpeta());
    EXPECT_EQ(TextoConfirmacionCorrida(par, img),
              "Parámetros de Menú Opciones de Configuración:\r\n"
              "Resolución=  12.5  Resolución Y=  92.8\r\n"
              "Pp[mm]=  60  D[min]=  60  R[años]=  0  Paso[min]=  1\r\n"
              "Archivo DEM: /datos/" + sep + "cuenca_dat.rkd\r\n"
              "N Filas:  250  N Columnas:  400  KRecesión[min]=  9999999\r\n"
              "Fila y Col Hidrograma:  0   0");
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    plat.respuestas = {Respuesta::Cancelar};
    EXPECT_EQ(ComandoCorrer(en, e), FinComando::Cancelado);
    EXPECT_EQ(plat.mensajes[0].titulo, "TARNO-SIG: Correr el modelo");
    EXPECT_EQ(plat.mensajes[0].icono, Icono::Pregunta);
    EXPECT_EQ(plat.mensajes[0].botones, Botones::AceptarCancelar);
    par.DirDEM = kSinArchivo;
    par.AreaPp = 7;
    par.DivResQM = true;
    EXPECT_EQ(ComandoCorrer(en, e), FinComando::SinMDT);
    EXPECT_EQ(plat.Ultimo().texto,
              "No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros");
    EXPECT_EQ(par.AreaPp, 0);  // the fill's record changes happened first
    EXPECT_FALSE(par.DivResQM);
}

TEST_F(Corrida, ComandoCompleto) {
    Plano(3, 4);
    par.nPer = 2;
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    FinCorrida fin{};
    EXPECT_EQ(ComandoCorrer(en, e, &fin), FinComando::Corrido);
    EXPECT_EQ(fin, FinCorrida::Completa);
    EXPECT_EQ(obs.eventos.front(), "reiniciar");
    EXPECT_EQ(obs.eventos[1], "mensajes|Procesando. Un momento por favor...|TARNO-SIG leyendo archivo MDT...");
    EXPECT_EQ(obs.eventos[3], "mensajes|Procesando. Un momento por favor...|Simulador TARNO-SIG en proceso...||"
                              "Archivo MDT (DEM):      cuenca_dat.rkd");
    EXPECT_EQ(obs.eventos.back(), "barra|Estado");
}

TEST(AjustesRelleno, CorrigenElRegistroComoElDialogo) {
    Parametros p;
    p.AreaPp = 1;
    AjustesDeRelleno(p);
    EXPECT_EQ(p.Px1, 1);
    EXPECT_EQ(p.Py1, 1);
    EXPECT_EQ(p.Px2, 9999999);
    EXPECT_EQ(p.Py2, 9999999);
    p = Parametros{};
    p.Div = true;
    p.DivMetodoQmin = true;
    p.DivResQM = true;
    AjustesDeRelleno(p);
    EXPECT_TRUE(p.DivMetodoQmin);
    EXPECT_TRUE(p.DivResQM);
    EXPECT_EQ(p.Px1, 0);  // AreaPp 0: bounds untouched
}

TEST_F(Corrida, SumaDeLaSeccionEnElOrdenDeProceso) {
    // A long diagonal section over a tilted plane with a hole outside the basin.
    std::vector<std::vector<float>> v(14, std::vector<float>(9));
    for (int i = 0; i < 14; ++i)
        for (int j = 0; j < 9; ++j) v[i][j] = std::floor(50.0f - 0.7f * j + 0.3f * i);
    v[6][3] = -9999;
    Dem(v);
    par.nPer = 7;
    par.KRecesion = 4;
    par.fHidro1 = 2;
    par.cHidro1 = 1;
    par.fHidro2 = 13;
    par.cHidro2 = 9;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    ASSERT_EQ(e.NroCeldasSeccion, 12);
    // Brute force: scan the section list for every routed cell of the last
    // period, in the processing order.
    OrdenProceso orden;
    CalcularOrden(g.Cota, orden);
    float q = 0;
    for (int64_t k = 1; k <= orden.Tamano(); ++k) {
        const int32_t i = orden.Fila[k], j = orden.Columna[k];
        if (!(g.Cota(i, j) > 0)) continue;
        for (int32_t m = 1; m <= e.NroCeldasSeccion; ++m)
            if (e.SeccionFila[m] == i && e.SeccionColumna[m] == j)
                q = static_cast<float>(static_cast<double>(q) + Redondear(g.QSalida(i, j), 3));
    }
    EXPECT_EQ(e.QPeriodo[7], q);
    EXPECT_GT(q, 0.0f);
}

// A grid large enough for two threads gives the files of one, whatever the
// timing of the threads (three runs of each); the surface-flow method's cells
// routed side by side in vector registers give those of the portable kernel
// one cell at a time, and the cascade laid out in the order (rain on every
// cell, on a sub-area, or per cell from curve numbers; the open edge, one
// thread) those of the grids.
TEST_F(Corrida, DosHilosMismosArchivosQueUno) {
    std::vector<std::vector<float>> v(170, std::vector<float>(150));
    for (int i = 0; i < 170; ++i)
        for (int j = 0; j < 150; ++j)
            v[i][j] = std::floor(300.0f - 0.4f * i + 6.0f * std::sin(0.11f * j) * std::cos(0.07f * i) +
                                 std::fabs(j - 75.0f) * 0.3f);
    for (int i = 40; i < 60; ++i) v[i][30] = -9999;
    Dem(v);
    par.nPer = 8;
    par.KRecesion = 3;
    par.fHidro1 = par.fHidro2 = 160;
    par.cHidro1 = 1;
    par.cHidro2 = 150;
    auto archivos = [&] {
        return Archivo("_HF_dat.rkd") + Archivo("_HM_dat.rkd") + Archivo("_QM_dat.rkd") + Archivo("_Qt.rkd");
    };
    CabeceraImagen cab;
    cab.NroFilas = 170;
    cab.NroColumnas = 150;
    Grilla<float> cn(170, 150);
    for (int i = 1; i <= 170; ++i)
        for (int j = 1; j <= 150; ++j) cn(i, j) = static_cast<float>(60 + (i * 7 + j * 3) % 41);
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("cn_dat.rkd"), cab, cn));
    for (const int metodo : {0, 1, 2, 3, 4, 5}) {
        par.Metodo = metodo == 1 || metodo == 2 ? 1 : 0;
        par.ConservarMasa = metodo == 2 ? 1 : 0;
        par.PasoPp = par.Metodo == 0 ? 1.0f : 0.05f;
        par.AreaPp = metodo == 3 ? 1 : 0;
        par.Px1 = 20, par.Px2 = 90, par.Py1 = 30, par.Py2 = 150;
        par.Perdidas = metodo == 4 ? 2 : 0;
        par.ArchivoNumeroCurva = metodo == 4 ? "cn_dat.rkd" : "";
        par.BordeAbierto = metodo == 5 ? 1 : 0;
        ::setenv("TARNO_HILOS", "1", 1);
        ::setenv("TARNO_VECTORES", "0", 1);
        ::setenv("TARNO_EN_ORDEN", "0", 1);
        ASSERT_EQ(Correr(), FinCorrida::Completa);
        EXPECT_EQ(e.Hilos, 1);
        const std::string uno = archivos();
        const double salidaUno = e.VolumenSalidaBorde;
        EXPECT_EQ(salidaUno > 0, metodo == 5);
        ::unsetenv("TARNO_VECTORES");
        ::unsetenv("TARNO_EN_ORDEN");
        ASSERT_EQ(Correr(), FinCorrida::Completa);
        EXPECT_EQ(e.EnOrden, par.Metodo == 0) << metodo;
        EXPECT_TRUE(archivos() == uno) << metodo;
        EXPECT_EQ(e.VolumenSalidaBorde, salidaUno) << metodo;
        ::unsetenv("TARNO_HILOS");
        for (int vez = 0; vez < 3; ++vez) {
            ASSERT_EQ(Correr(), FinCorrida::Completa);
            if (std::thread::hardware_concurrency() >= 2) {
                EXPECT_EQ(e.Hilos, metodo == 5 ? 1 : 2) << metodo;
            }
            EXPECT_TRUE(archivos() == uno) << metodo;
            EXPECT_EQ(e.VolumenSalidaBorde, salidaUno) << metodo;
        }
    }
}

TEST_F(Corrida, OtroMetodoNoRuteaNada) {
    Plano(3, 3);
    par.Metodo = 5;
    par.nPer = 3;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.QMaxMayor, 0.0f);
    EXPECT_EQ(e.AlmacenamientoSup, 0.0f);  // rain is added to the levels only by the cascade method
    EXPECT_EQ(e.VolumenLluvia, 0.0);       // and no rain entered the model
    EXPECT_EQ(e.MetodoTexto, "Método: TARNO-SIG Cascada");
}

TEST_F(Corrida, CaudalesGrandesConDosDecimales) {
    std::vector<std::vector<float>> v(4, std::vector<float>(4));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) v[i][j] = 100.0f - 10.0f * j;
    Dem(v, 500);
    par.Pp = 999;
    par.Dur = 10;
    par.nPer = 10;
    par.KRecesion = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    ASSERT_GE(e.QMaxMayor, 100.0f);
    ASSERT_LT(e.QMaxMayor, 1000.0f);
    ImagenActual qm;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("cuenca_QM_dat.rkd"), "", qm));
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) EXPECT_EQ(qm.Valores(i, j), static_cast<float>(Redondear(g.QMax(i, j), 2)));
    EXPECT_LE(qm.Decimales, 2);
}

TEST_F(Corrida, SubtituloDelMetodoDeFlujoAunConPluviograma) {
    Plano(3, 3);
    par.Metodo = 1;
    par.PpArchivo = true;
    par.nPer = 2;
    pv.Titulo = "Tormenta 1";
    pv.LluviaTotal = 2;
    pv.Paso = 10;
    pv.NroDatos = 2;
    pv.PpAcum = {0, 0, 2};
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.SubtituloCorrida, "Pp= 60mm  - D= 60min  - Paso= 1min - Nro.Per.= 2 - nMann.= .04  - Fac.Res.= 10   - "
                                  "Esco[m3] = " + TextoBlanco(e.AlmacenamientoSup));
    EXPECT_EQ(e.MetodoTexto, "Método: Flujo Superf. Laminar y Turbulento en Canal");
}

TEST_F(Corrida, MDTQueNoCoincideConLaCabecera) {
    Plano(3, 3);
    EXPECT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
    img.NroFilas = 4;  // the header of another image
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    EXPECT_EQ(CorrerModelo(en, e), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("no coincide"), std::string::npos);
}

TEST_F(Corrida, SeccionQueSaleDeLaGrilla) {
    Plano(5, 4);
    par.nPer = 2;
    par.fHidro1 = 2;
    par.fHidro2 = 2147483647;  // would list billions of cells
    par.cHidro1 = 1;
    par.cHidro2 = 1;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.NroCeldasSeccion, 4);  // rows 2..5 of column 1: the cells that can be routed
    par.fHidro1 = par.fHidro2 = 3;
    par.cHidro1 = 2;
    par.cHidro2 = 2147483647;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_EQ(e.NroCeldasSeccion, 3);
    // Ends at the limits of 32 bits, with or without a section.
    for (auto [f1, c1, f2, c2] : std::vector<std::array<int32_t, 4>>{{0, 0, INT32_MAX, INT32_MAX},
                                                                    {-5, 0, INT32_MAX, INT32_MIN},
                                                                    {1, INT32_MAX, 3, INT32_MAX},
                                                                    {1, 1, 3, INT32_MIN}}) {
        par.fHidro1 = f1, par.cHidro1 = c1, par.fHidro2 = f2, par.cHidro2 = c2;
        EXPECT_NE(Correr(), FinCorrida::SinMemoria);
    }
}

TEST_F(Corrida, SeccionFueraDeLaCuencaSeAdvierteAntesDeCorrer) {
    Dem({{-9999, 5, 5}, {-9999, 5, 4}});
    par.nPer = 2;
    par.fHidro1 = 1, par.cHidro1 = 1, par.fHidro2 = 2, par.cHidro2 = 1;  // column 1: outside the basin
    plat.respuestas = {Respuesta::Cancelar};
    EXPECT_EQ(Correr(), FinCorrida::Rechazada);
    EXPECT_NE(plat.Ultimo().texto.find("no tiene celdas dentro del MDT"), std::string::npos);
    EXPECT_EQ(plat.Ultimo().botones, Botones::AceptarCancelar);
    EXPECT_TRUE(obs.eventos.empty());  // before the progress window
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuenca_HF_dat.rkd")));
    par.fHidro1 = par.fHidro2 = 7;  // beyond the last row
    EXPECT_EQ(Correr(), FinCorrida::Completa);  // accepted: the run goes on
    EXPECT_NE(plat.mensajes.front().texto.find("no tiene celdas"), std::string::npos);
    par.fHidro1 = 1, par.fHidro2 = 2, par.cHidro1 = par.cHidro2 = 3;  // inside: no warning
    EXPECT_EQ(Correr(), FinCorrida::Completa);
    for (const auto& m : plat.mensajes) EXPECT_EQ(m.texto.find("no tiene celdas"), std::string::npos);
}

TEST_F(Corrida, HidrogramaDeMasDe32767Muestras) {
    Plano(2, 2);
    par.nPer = 33000;
    par.PasoQ = 1;
    par.fHidro1 = par.fHidro2 = 1, par.cHidro1 = par.cHidro2 = 2;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    std::vector<std::string> qt = Lineas("_Qt.rkd");
    ASSERT_EQ(qt.size(), 10u + 33001u);
    EXPECT_EQ(qt[10].substr(0, 2), "1,");
    EXPECT_EQ(qt[10 + 32767].substr(0, 6), "32768,");
    EXPECT_EQ(qt.back(), "33001,0");
}

TEST_F(Corrida, SinPizarraVisibleNoSeConstruyeSuTextoYLosArchivosSonIguales) {
    Plano(5, 4);
    par.nPer = 30;
    par.fHidro1 = 1, par.cHidro1 = 1, par.fHidro2 = 5, par.cHidro2 = 4;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_FALSE(e.TextoPizarra.empty());
    std::vector<std::string> antes;
    for (const char* suf : {"_HF_dat.rkd", "_HF_cab.rkd", "_HM_dat.rkd", "_QM_dat.rkd", "_Qt.rkd"})
        antes.push_back(Archivo(suf));
    obs.pizarraVisible = false;
    ASSERT_EQ(Correr(), FinCorrida::Completa);
    EXPECT_TRUE(e.TextoPizarra.empty());
    size_t k = 0;
    for (const char* suf : {"_HF_dat.rkd", "_HF_cab.rkd", "_HM_dat.rkd", "_QM_dat.rkd", "_Qt.rkd"})
        EXPECT_EQ(Archivo(suf), antes[k++]) << suf;
}
