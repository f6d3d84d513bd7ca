#include <gtest/gtest.h>

#include "model/resultados.h"

using namespace tarno;

TEST(Resultados, DecimalesDelCaudal) {
    EXPECT_EQ(DecimalesCaudal(0), 3);
    EXPECT_EQ(DecimalesCaudal(57.3f), 3);
    EXPECT_EQ(DecimalesCaudal(99.9f), 3);
    EXPECT_EQ(DecimalesCaudal(100), 2);
    EXPECT_EQ(DecimalesCaudal(250), 2);
    EXPECT_EQ(DecimalesCaudal(999.99f), 2);
    EXPECT_EQ(DecimalesCaudal(1000), 1);
    EXPECT_EQ(DecimalesCaudal(2000), 1);
    EXPECT_EQ(DecimalesCaudal(3e7f), 1);
}

TEST(Resultados, NombresJuntoAlMDT) {
    Parametros p;
    p.DirDEM = "C:/datos/";
    p.ArchivoDEM = "cuenca_dat.rkd";
    EXPECT_EQ(BaseResultados(p), "C:/datos/cuenca");
}

TEST(Resultados, FormatoHoraMinutoSegundo) {
    EXPECT_EQ(FormatoHMS(0), "0:0:0");
    EXPECT_EQ(FormatoHMS(65.0 / 86400), "0:1:5");
    EXPECT_EQ(FormatoHMS((3600.0 * 2 + 60 * 3 + 4.4) / 86400), "2:3:4");
    EXPECT_EQ(FormatoHMS(-10.0 / 86400), "23:59:50");  // clock passed midnight
}

TEST(Resultados, RemuestreoPasoUnoSalidaDiez) {
    Parametros p;
    p.PasoPp = 1;
    p.PasoQ = 10;
    p.nPer = 120;
    EstadoCorrida e;
    e.QPeriodo.resize(121);
    for (int i = 0; i <= 120; ++i) e.QPeriodo[i] = static_cast<float>(i) * 0.5f;
    RemuestrearHidrograma(p, e);
    EXPECT_EQ(e.NroSalidas, 13);
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(e.Hidrograma[k], e.QPeriodo[10 * k]);
    EXPECT_EQ(e.Hidrograma[13], 0.0f);
}

TEST(Resultados, RemuestreoConInterpolacion) {
    Parametros p;
    p.PasoPp = 4;
    p.PasoQ = 10;
    p.nPer = 5;
    EstadoCorrida e;
    e.QPeriodo = {0, 1, 2, 7, 9, 11};
    RemuestrearHidrograma(p, e);
    // Sample 1 at period 3 (t = 12 > 10): Q(2) + (Q(3) - Q(2)) * (10 - 8) / 4.
    EXPECT_EQ(e.Hidrograma[1], 2.0f + 5.0f * 2.0f / 4.0f);
    EXPECT_EQ(e.Hidrograma[2], 11.0f);  // period 5: t = 20 = 20
    EXPECT_EQ(e.NroSalidas, 3);
}

TEST(Resultados, UnaMuestraComoMaximoPorPeriodo) {
    Parametros p;
    p.PasoPp = 30;
    p.PasoQ = 10;
    p.nPer = 3;
    EstadoCorrida e;
    e.QPeriodo = {0, 3, 6, 9};
    RemuestrearHidrograma(p, e);
    EXPECT_EQ(e.NroSalidas, 4);
    EXPECT_EQ(e.Hidrograma[1], 1.0f);  // interpolated at s = 10 inside period 1
}
