#include <gtest/gtest.h>

#include <cmath>

#include "model/cascada.h"

using namespace tarno;

namespace {

// A 3 x 3 grid whose centre (2, 2) is routed.
class Cascada : public ::testing::Test {
protected:
    void SetUp() override {
        par.ResolucionX = 10;
        par.ResolucionY = 20;
        par.PasoPp = 1;
        par.KRecesion = 9999999;
        for (auto* gr : {&g.Cota, &g.AporteCascada, &g.QEntrada, &g.QSalida, &g.HMax, &g.QMax})
            gr->Redimensionar(3, 3);
        g.Nivel.Redimensionar(3, 3);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 3; ++j) Poner(i, j, 100, 100);
    }
    void Poner(int i, int j, float cota, double nivel) {
        g.Cota(i, j) = cota;
        g.Nivel(i, j) = nivel;
    }
    CaidasCascada Rutear(int i = 2, int j = 2) { return RuteoCascada(g, par).Caidas(i, j); }
    Parametros par;
    GrillasModelo g;
};

}  // namespace

TEST_F(Cascada, VecinosMasAltosNoRecibenNada) {
    Poner(2, 2, 90, 90.3);
    CaidasCascada ctx = Rutear();
    EXPECT_EQ(ctx.DeltaNivel, 0.0);
    EXPECT_EQ(g.QSalida(2, 2), 0.0f);
    EXPECT_EQ(g.Nivel(2, 2), 90.3);
    EXPECT_FLOAT_EQ(g.HMax(2, 2), 0.3f);  // the depth is still followed
    EXPECT_EQ(g.QMax(2, 2), 0.0f);
}

TEST_F(Cascada, UnVecinoMasBajoRecibeLaMitad) {
    Poner(2, 2, 100, 100.5);
    Poner(1, 2, 100, 100.3);  // neighbour 1, 0.2 m lower
    Poner(2, 3, 100, 100.6);
    Poner(3, 2, 100, 100.6);
    Poner(2, 1, 100, 100.6);
    CaidasCascada ctx = Rutear();
    const double f = std::pow(2.7183, -1.0 / 9999999.0);
    const double d = std::fabs(100.5 - 100.3) / 2 * f;
    EXPECT_DOUBLE_EQ(ctx.Caida1, d);
    EXPECT_NEAR(ctx.Caida1, 0.1, 1e-7);
    EXPECT_EQ(ctx.Caida2 + ctx.Caida3 + ctx.Caida4, 0.0);
    EXPECT_DOUBLE_EQ(g.Nivel(1, 2), 100.3 + d);
    EXPECT_DOUBLE_EQ(g.Nivel(2, 2), 100.5 - d);
    EXPECT_FLOAT_EQ(g.AporteCascada(1, 2), static_cast<float>(d));
    EXPECT_FLOAT_EQ(g.HMax(2, 2), 0.5f);  // measured before the outflow
    const float q = static_cast<float>(10.0 * d * 20.0 / 1.0 / 60.0);
    EXPECT_EQ(g.QSalida(2, 2), q);
    EXPECT_EQ(g.QMax(2, 2), q);
}

TEST_F(Cascada, LaSalidaSeLimitaAlAguaDeLaCelda) {
    // Shared drops never exceed the water held unless the recession factor
    // exceeds 1 (a negative Kr): here it is 10, so the drops add up to 0.05 m
    // for a cell holding 0.01 m, and each is scaled by 0.2.
    par.KRecesion = static_cast<float>(-std::log(2.7183) / std::log(10.0));
    Poner(2, 2, 100, 100.01);
    Poner(1, 2, 99.9f, 99.9f);  // under the cell's ground: drop = depth 0.01
    Poner(2, 3, 101, 101);
    Poner(3, 2, 101, 101);
    Poner(2, 1, 101, 101);
    CaidasCascada ctx = Rutear();
    const double h = std::fabs(100.01 - 100.0);
    EXPECT_EQ(ctx.DeltaNivel, h);
    EXPECT_NEAR(ctx.Caida1, h, 1e-12);
    EXPECT_DOUBLE_EQ(g.Nivel(2, 2), 100.01 - h);
    EXPECT_NEAR(g.Nivel(1, 2), static_cast<double>(99.9f) + h, 1e-12);
}

TEST_F(Cascada, ReparteEscaladoCuandoLaSumaSuperaElAgua) {
    // Drops 0.05 in total after sharing: each scaled by 0.2 for 0.01 m of water.
    Poner(2, 2, 100, 100.01);
    Poner(1, 2, 100, 99.91);  // under the cell's ground: drop = the cell's depth 0.01
    Poner(2, 3, 100, 100.01);
    Poner(3, 2, 100, 100.01);
    Poner(2, 1, 100, 100.01);
    CaidasCascada ctx = Rutear();
    // One lower neighbour: d = 0.01 / 2; h = 0.01 >= 0.005, no scaling.
    EXPECT_NEAR(ctx.Caida1, 0.005, 1e-9);
    EXPECT_NEAR(g.Nivel(1, 2), 99.915, 1e-9);
}

TEST_F(Cascada, VecinosFueraDeLaCuencaYBordes) {
    Poner(2, 2, 100, 100.5);
    Poner(1, 2, -9999, 0);  // outside the basin: nothing
    Poner(2, 3, 0, 0);
    Poner(3, 2, 100.6f, 100.6f);
    Poner(2, 1, 100.6f, 100.6f);
    CaidasCascada ctx = Rutear();
    EXPECT_EQ(ctx.DeltaNivel, 0.0);
    EXPECT_EQ(g.Nivel(1, 2), 0.0);
    EXPECT_EQ(g.AporteCascada(1, 2), 0.0f);

    // Corner (1, 1): only neighbours 2 and 3 exist; water never leaves the grid.
    SetUp();
    Poner(1, 1, 100, 101);
    Poner(1, 2, 100, 100);
    Poner(2, 1, 100, 100);
    CaidasCascada esquina = Rutear(1, 1);
    EXPECT_EQ(esquina.Caida1, 0.0);
    EXPECT_EQ(esquina.Caida4, 0.0);
    EXPECT_GT(esquina.Caida2, 0.0);
    EXPECT_DOUBLE_EQ(esquina.Caida2, esquina.Caida3);
    EXPECT_NEAR(g.Nivel(1, 1) + g.Nivel(1, 2) + g.Nivel(2, 1), 301.0, 1e-9);
}

TEST_F(Cascada, FactorDeRecesion) {
    par.KRecesion = 10;
    Poner(2, 2, 100, 101);
    Poner(1, 2, 100, 100);
    Poner(2, 3, 102, 102);
    Poner(3, 2, 102, 102);
    Poner(2, 1, 102, 102);
    CaidasCascada ctx = Rutear();
    EXPECT_DOUBLE_EQ(ctx.Caida1, 0.5 * std::pow(2.7183, -0.1));
}

TEST_F(Cascada, NivelVecinoBajoLaCotaDeLaCelda) {
    // The neighbour's surface (99.5) lies under the cell's ground (100):
    // the drop is the cell's own depth (0.2), shared with the cell.
    Poner(2, 2, 100, 100.2);
    Poner(1, 2, 99.5f, 99.5f);
    Poner(2, 3, 101, 101);
    Poner(3, 2, 101, 101);
    Poner(2, 1, 101, 101);
    CaidasCascada ctx = Rutear();
    EXPECT_NEAR(ctx.Caida1, 0.1, 1e-6);
}
