#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "model/flujo_superficial.h"

using namespace tarno;

namespace {

// Grids of a filas x columnas DEM with `cota` (row by row) and the water
// surface at the ground (0 outside the basin).
GrillasModelo Grillas(int filas, int columnas, const std::vector<float>& cota) {
    GrillasModelo g;
    g.Cota.Redimensionar(filas, columnas);
    g.Nivel.Redimensionar(filas, columnas);
    g.AporteCascada.Redimensionar(filas, columnas);
    g.QEntrada.Redimensionar(filas, columnas);
    g.QSalida.Redimensionar(filas, columnas);
    g.HMax.Redimensionar(filas, columnas);
    g.QMax.Redimensionar(filas, columnas);
    for (int f = 1; f <= filas; ++f)
        for (int c = 1; c <= columnas; ++c) {
            g.Cota(f, c) = cota[static_cast<size_t>((f - 1) * columnas + (c - 1))];
            g.Nivel(f, c) = g.Cota(f, c) > 0 ? g.Cota(f, c) : 0;
        }
    return g;
}

Parametros ParametrosFlujo(float res, float pasoPp) {
    Parametros p;
    p.Metodo = 1;
    p.ResolucionX = res;
    p.ResolucionY = res;
    p.PasoPp = pasoPp;
    p.Manning = 0.04f;
    p.FactorRes = 10;
    return p;
}

CeldaActual Celda(int i, int j, float lluvia = 0) {
    CeldaActual c;
    c.I = i;
    c.J = j;
    c.LluviaPaso = lluvia;
    return c;
}

// A cell holding `h` m of water with one lower neighbour (next column) whose
// water surface is `gradiente` x 10 m lower: the worked direction.
GrillasModelo DireccionTrabajada(float h, double gradiente) {
    GrillasModelo g = Grillas(1, 2, {100, static_cast<float>(100 + h - gradiente * 10)});
    g.Nivel(1, 1) = 100.0 + h;
    return g;
}

// The driver's two passes, highest ground first, for `periodos` periods.
// Returns false as soon as the stability guard refuses a period.
bool Correr(GrillasModelo& g, const Parametros& par, float lluviaPeriodo, int periodos,
            EstabilidadFlujo* guardia = nullptr, int* periodoFalla = nullptr) {
    std::vector<std::pair<int, int>> orden;
    for (int f = 1; f <= g.Cota.Filas(); ++f)
        for (int c = 1; c <= g.Cota.Columnas(); ++c) orden.push_back({f, c});
    std::stable_sort(orden.begin(), orden.end(),
                     [&](auto a, auto b) { return g.Cota(a.first, a.second) > g.Cota(b.first, b.second); });
    for (int per = 1; per <= periodos; ++per) {
        for (auto [f, c] : orden) g.QEntrada(f, c) = 0;
        const PasoFlujo paso = PrepararPasoFlujo(par, lluviaPeriodo);
        float vMax = 0;
        double lluvia = 0;
        for (auto [f, c] : orden) {
            if (g.Cota(f, c) <= 0) continue;
            vMax = std::max(vMax, FlujoCelda(g, Celda(f, c, lluviaPeriodo), paso));
            lluvia += VolumenLluviaPaso(par, lluviaPeriodo);
        }
        if (guardia && !guardia->Revisar(g, lluvia, vMax)) {
            if (periodoFalla) *periodoFalla = per;
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(FuncionesFlujo, LeyesDeVelocidadYResistencia) {
    EXPECT_NEAR(VelocidadManning(0.1f, 0.01, 0.04f), 0.5386, 1e-4);
    EXPECT_NEAR(VelocidadManning(0.5f, 0.01, 0.04f), 1.5749, 1e-4);
    EXPECT_NEAR(NumeroReynolds(0.5386f, 0.1f), 1668, 1);
    EXPECT_NEAR(NumeroReynolds(1.5749f, 0.5f), 24386, 2);
    EXPECT_NEAR(ResistenciaLaminar(1.0f), 248.32, 0.01);  // 1 mm/min
    EXPECT_FLOAT_EQ(ResistenciaLaminar(0.0f), 96.0f);     // no rain
}

TEST(FlujoCelda, DireccionTrabajadaLaminarYTurbulenta) {
    // Short step so the cell holds far more than it gives.
    const Parametros par = ParametrosFlujo(10, 0.01f);
    const double T = 0.01f * 60.0;

    // H = 0.1 m, G = 0.01: V = 0.5386, Re ~ 1668, laminar with K = 960, Q = 0.03693 x d.
    GrillasModelo g = DireccionTrabajada(0.1f, 0.01);
    float v = FlujoCelda(g, Celda(1, 1), par);
    EXPECT_NEAR(g.QSalida(1, 1), 0.03693 * 10, 2e-4);
    EXPECT_NEAR(g.QEntrada(1, 2), g.QSalida(1, 1), 1e-5);  // all of it to the one neighbour
    EXPECT_NEAR(g.Nivel(1, 1), 100.1 - g.QSalida(1, 1) * T / 100, 1e-5);
    EXPECT_FLOAT_EQ(g.QMax(1, 1), g.QSalida(1, 1));
    EXPECT_NEAR(g.HMax(1, 1), 0.1 - g.QSalida(1, 1) * T / 100, 1e-5);
    EXPECT_NEAR(v, 0.3693, 2e-3);  // laminar velocity Q / (H d)

    // H = 0.5 m, same gradient: V = 1.5749, Re ~ 24386, turbulent, Q = 0.7875 x d.
    g = DireccionTrabajada(0.5f, 0.01);
    v = FlujoCelda(g, Celda(1, 1), par);
    EXPECT_NEAR(g.QSalida(1, 1), 0.7875 * 10, 2e-3);
    EXPECT_NEAR(v, 1.5749, 1e-4);
}

TEST(FlujoCelda, LaResistenciaLaminarSigueALaLluviaDeLaCelda) {
    const Parametros par = ParametrosFlujo(10, 0.01f);
    const float lluvia = 0.01f;  // 1 mm/min with a step of 0.01 min

    GrillasModelo seco = DireccionTrabajada(0.1f, 0.01);
    FlujoCelda(seco, Celda(1, 1), par);
    GrillasModelo mojado = DireccionTrabajada(0.1f, 0.01);
    FlujoCelda(mojado, Celda(1, 1, lluvia), par);
    // Q ~ (1/K)^(1/2): K = 96 x FactorRes without rain, 248.32 x FactorRes at 1 mm/min.
    EXPECT_NEAR(mojado.QSalida(1, 1) / seco.QSalida(1, 1), std::sqrt(96.0 / 248.32), 1e-3);

    // Values prepared once for the period give the same numbers for a cell
    // with the period's rain, a masked cell and any other rain.
    for (float enCelda : {lluvia, 0.0f, 0.004f}) {
        GrillasModelo a = DireccionTrabajada(0.1f, 0.01);
        GrillasModelo b = DireccionTrabajada(0.1f, 0.01);
        FlujoCelda(a, Celda(1, 1, enCelda), PrepararPasoFlujo(par, lluvia));
        FlujoCelda(b, Celda(1, 1, enCelda), par);
        EXPECT_EQ(a.QSalida(1, 1), b.QSalida(1, 1)) << enCelda;
        EXPECT_EQ(a.Nivel(1, 1), b.Nivel(1, 1)) << enCelda;
        EXPECT_EQ(a.QEntrada(1, 2), b.QEntrada(1, 2)) << enCelda;
    }
}

TEST(FlujoCelda, ReynoldsDosMilEsLaminar) {
    // Look for a depth and roughness that give Re = 2000 exactly in 32 bits,
    // with the depth and gradient the kernel will see.
    const double nu = 3.28084 * 3.28084 * 0.000012;
    GrillasModelo g;
    float H = 0, n = 0;
    double G = 0;
    bool hallado = false;
    for (int a = 0; a < 2000 && !hallado; ++a) {
        g = DireccionTrabajada(0.1f + a * 1e-6f, 0.01);
        H = static_cast<float>(g.Nivel(1, 1) - g.Cota(1, 1));
        G = (g.Nivel(1, 1) - g.Nivel(1, 2)) / 10.0;
        const double v = 2000 * nu / (4.0 * H);
        const float n0 = static_cast<float>(std::pow(H, 2.0 / 3.0) * std::sqrt(G) / v);
        for (int b = -40; b <= 40 && !hallado; ++b) {
            n = n0;
            for (int u = 0; u < std::abs(b); ++u) n = std::nextafter(n, b < 0 ? 0.0f : 1.0f);
            hallado = NumeroReynolds(VelocidadManning(H, G, n), H) == 2000.0f;
        }
    }
    ASSERT_TRUE(hallado);
    Parametros par = ParametrosFlujo(10, 0.001f);
    par.Manning = n;
    FlujoCelda(g, Celda(1, 1), par);
    // Laminar: (H^3 8 g G Re / K)^(1/2) x d; the turbulent law would give V H d = 0.646.
    const double laminar = std::sqrt(std::pow(H, 3) * 8 * 9.81 * G * 2000 / 960.0) * 10;
    EXPECT_NEAR(g.QSalida(1, 1), laminar, 1e-4);
}

TEST(FlujoCelda, LluviaComoCaudalRedondeadaASeisDecimales) {
    // 1 mm/min on 10 x 10 m: 100 x 0.1666667 / 10000 = 0.001666667 -> 0.001667 m3/s.
    const Parametros par = ParametrosFlujo(10, 1);
    GrillasModelo g = Grillas(1, 2, {100, 100});
    FlujoCelda(g, Celda(1, 1, 1.0f), par);
    EXPECT_FLOAT_EQ(g.QEntrada(1, 1), 0.001667f);
    // Flat rule: the only neighbour has the same surface, so the cell takes all
    // of it; a dry cell gives nothing.
    EXPECT_NEAR(g.Nivel(1, 1), 100.0 + 0.001667 * 60 / 100, 1e-9);
    EXPECT_EQ(g.QSalida(1, 1), 0.0f);
    EXPECT_EQ(g.QEntrada(1, 2), 0.0f);
}

TEST(FlujoCelda, CeldaSecaSinAportesNoCambia) {
    const Parametros par = ParametrosFlujo(10, 1);
    GrillasModelo g = Grillas(3, 3, {9, 12, 9, 11, 10, 8, 9, 7, 9});
    g.QSalida(2, 2) = 0.5f;  // from the previous period
    g.QMax(2, 2) = 0.5f;
    g.HMax(2, 2) = 0.2f;
    const GrillasModelo antes = g;
    EXPECT_EQ(FlujoCelda(g, Celda(2, 2), par), 0.0f);
    EXPECT_EQ(g.QSalida(2, 2), 0.0f);
    g.QSalida(2, 2) = 0.5f;
    EXPECT_EQ(g.Nivel.Vector(), antes.Nivel.Vector());
    EXPECT_EQ(g.QEntrada.Vector(), antes.QEntrada.Vector());
    EXPECT_EQ(g.QSalida.Vector(), antes.QSalida.Vector());
    EXPECT_EQ(g.HMax.Vector(), antes.HMax.Vector());
    EXPECT_EQ(g.QMax.Vector(), antes.QMax.Vector());
}

TEST(FlujoCelda, ReglaPlanaRepartePorIgual) {
    const Parametros par = ParametrosFlujo(10, 1);
    GrillasModelo g = Grillas(3, 3, std::vector<float>(9, 50));
    g.QEntrada(2, 2) = 0.4f;  // delivered earlier in the period
    FlujoCelda(g, Celda(2, 2), par);
    // Four equal shares of 0.1 m3/s credited over 60 s on 100 m2.
    EXPECT_NEAR(g.Nivel(2, 2), 50 + 0.4 * 60 / 100, 1e-6);
    EXPECT_EQ(g.QSalida(2, 2), 0.0f);  // no lower neighbour, no outflow
    EXPECT_FLOAT_EQ(g.HMax(2, 2), static_cast<float>(g.Nivel(2, 2) - 50));
}

TEST(FlujoCelda, SinVecinoMasAltoNoAlmacenaLoRecibido) {
    // A cell above all its neighbours gets no inflow weight: its QEntrada,
    // rain included, is not stored, but it still drains.
    const Parametros par = ParametrosFlujo(10, 0.01f);
    GrillasModelo g = Grillas(3, 3, {10, 10, 10, 10, 10.5f, 10, 10, 10, 10});
    g.Nivel(2, 2) = 10.6;
    g.QEntrada(2, 2) = 5;
    FlujoCelda(g, Celda(2, 2, 0.01f), par);
    EXPECT_LT(g.Nivel(2, 2), 10.6);
    EXPECT_GT(g.QSalida(2, 2), 0);
    // Four equal gradients: four equal deliveries.
    EXPECT_FLOAT_EQ(g.QEntrada(1, 2), g.QEntrada(2, 3));
    EXPECT_FLOAT_EQ(g.QEntrada(1, 2), g.QEntrada(3, 2));
    EXPECT_FLOAT_EQ(g.QEntrada(1, 2), g.QEntrada(2, 1));
    EXPECT_NEAR(4 * g.QEntrada(1, 2), g.QSalida(2, 2), 1e-5);
}

TEST(FlujoCelda, SobregiroDejaLaCeldaSecaYEntregaLoQueTenia) {
    // A long step: the cell would give much more than the 0.1 m it holds.
    const Parametros par = ParametrosFlujo(10, 5);
    const double T = 300;
    {
        GrillasModelo g = DireccionTrabajada(0.1f, 0.01);
        FlujoCelda(g, Celda(1, 1), par);
        EXPECT_EQ(g.Nivel(1, 1), 100.0);
        // Delivered exactly the 10 m3 it held.
        EXPECT_NEAR(g.QEntrada(1, 2) * T, 10.0, 1e-3);
        EXPECT_NEAR(g.QSalida(1, 1) * T, 10.0, 1e-3);
        EXPECT_FLOAT_EQ(g.HMax(1, 1), 0.0f);
    }
    {
        // Two lower neighbours with the same gradient share the deficit equally.
        GrillasModelo g = Grillas(3, 3, {0, 99.9f, 0, 0, 100, 99.9f, 0, 0, 0});
        g.Nivel(2, 2) = 100.1;
        FlujoCelda(g, Celda(2, 2), par);
        EXPECT_EQ(g.Nivel(2, 2), 100.0);
        EXPECT_NEAR(g.QEntrada(1, 2) * T, 5.0, 1e-3);
        EXPECT_NEAR(g.QEntrada(2, 3) * T, 5.0, 1e-3);
        EXPECT_EQ(g.QEntrada(3, 2), 0.0f);  // outside the basin: receives nothing
        EXPECT_EQ(g.QEntrada(2, 1), 0.0f);
    }
}

TEST(FlujoCelda, CeldasFueraDeLaCuenca) {
    const Parametros par = ParametrosFlujo(10, 1);
    // A cell with Cota <= 0 passed to the kernel is emptied.
    GrillasModelo g = Grillas(1, 2, {-5, 10});
    g.Nivel(1, 1) = 3;
    g.QSalida(1, 1) = 2;
    g.AporteCascada(1, 1) = 1;
    FlujoCelda(g, Celda(1, 1, 1), par);
    EXPECT_EQ(g.Nivel(1, 1), 0.0);
    EXPECT_EQ(g.QSalida(1, 1), 0.0f);
    EXPECT_EQ(g.AporteCascada(1, 1), 0.0f);

    // A neighbour outside the basin has no gradient and receives nothing: a
    // wet cell whose only neighbour is outside keeps its water.
    g = Grillas(1, 2, {10, 0});
    g.Nivel(1, 1) = 10.5;
    FlujoCelda(g, Celda(1, 1), par);
    EXPECT_EQ(g.QEntrada(1, 2), 0.0f);
    EXPECT_EQ(g.QSalida(1, 1), 0.0f);
    EXPECT_EQ(g.Nivel(1, 1), 10.5);
}

TEST(FlujoCelda, BordesRetienenElAgua) {
    // A single row sloping to its last cell: nothing leaves through the
    // border, the water collects in the lowest cell and the grid holds all
    // the rain (the driver's order, stable step).
    const Parametros par = ParametrosFlujo(10, 0.05f);
    GrillasModelo g = Grillas(1, 4, {13, 12, 11, 10});
    ASSERT_TRUE(Correr(g, par, 0.05f, 400));  // 1 mm/min for 20 min
    double agua = 0;
    for (int c = 1; c <= 4; ++c) agua += (g.Nivel(1, c) - g.Cota(1, c)) * 100;
    // The top cell has no higher neighbour, so its rain is never stored (no
    // inflow weight); the other three keep all of theirs: 3 x 20 mm x 100 m2.
    EXPECT_NEAR(agua, 6.0, 0.01);
    EXPECT_EQ(g.QMax(1, 1), 0.0f);
    EXPECT_EQ(g.Nivel(1, 1), 13.0);
    EXPECT_GT(g.Nivel(1, 4) - 10, 0.04);  // more than twice its own rain
    EXPECT_GT(g.HMax(1, 4), 0.04f);
    EXPECT_GT(g.QMax(1, 2), 0.0f);
    EXPECT_GT(g.QMax(1, 3), 0.0f);
    EXPECT_EQ(g.QSalida(1, 4), 0.0f);  // nothing leaves through the border
}

TEST(FlujoCelda, ValidarEntradaRechazaDivisionesPorCero) {
    Parametros par = ParametrosFlujo(10, 1);
    GrillasModelo g = Grillas(2, 2, {1, 2, 3, 4});
    EXPECT_TRUE(ValidarEntradaFlujo(par, g));
    Parametros p = par;
    p.Manning = 0;
    EXPECT_NE(ValidarEntradaFlujo(p, g).mensaje.find("Manning"), std::string::npos);
    p = par;
    p.FactorRes = 0;
    EXPECT_FALSE(ValidarEntradaFlujo(p, g));
    p = par;
    p.PasoPp = 0;
    EXPECT_FALSE(ValidarEntradaFlujo(p, g));
    p = par;
    p.Pp = -5;
    EXPECT_FALSE(ValidarEntradaFlujo(p, g));
    p = par;
    p.ResolucionY = -1;
    EXPECT_FALSE(ValidarEntradaFlujo(p, g));
    GrillasModelo h = g;
    h.QMax.Redimensionar(2, 3);
    EXPECT_FALSE(ValidarEntradaFlujo(par, h));
    EXPECT_FALSE(ValidarEntradaFlujo(par, GrillasModelo{}));
}

namespace {

// A 30 x 30 tilted plane of 10 m cells with a little relief.
GrillasModelo Ladera() {
    std::vector<float> cota;
    for (int f = 1; f <= 30; ++f)
        for (int c = 1; c <= 30; ++c)
            cota.push_back(static_cast<float>(100 + 3.0 * (30 - f) + 1.0 * std::abs(c - 15) +
                                              0.3 * std::sin(f * 1.7 + c * 0.9)));
    return Grillas(30, 30, cota);
}

}  // namespace

TEST(EstabilidadFlujo, PasoCortoEstablePasoLargoAbandonado) {
    {
        Parametros par = ParametrosFlujo(10, 0.05f);
        GrillasModelo g = Ladera();
        EstabilidadFlujo guardia(par, 900);
        EXPECT_TRUE(Correr(g, par, 0.05f, 600, &guardia));  // 1 mm/min for 30 min
        EXPECT_LE(guardia.AguaAlmacenada(), guardia.LluviaCaida() * 1.01);
        EXPECT_NEAR(guardia.LluviaCaida(), 900 * 100 * 0.03, 1e-2);
    }
    {
        Parametros par = ParametrosFlujo(10, 1);
        GrillasModelo g = Ladera();
        EstabilidadFlujo guardia(par, 900, 60);
        int periodo = 0;
        EXPECT_FALSE(Correr(g, par, 1, 60, &guardia, &periodo));
        EXPECT_GT(periodo, 0);
        // The advice comes from the velocities before the blow-up, grown to
        // the end of the rain, and the suggested step runs the storm.
        EXPECT_GT(guardia.VelocidadEstable(), 0);
        EXPECT_LT(guardia.VelocidadEstable(), guardia.VelocidadMaxima());
        EXPECT_LT(guardia.MinutoEstable(), periodo);
        EXPECT_NEAR(guardia.PasoSugerido(), 10 / (2 * 60.0 * guardia.VelocidadEsperada()), 1e-9);
        const float sugerido = static_cast<float>(guardia.PasoSugerido());
        EXPECT_LT(sugerido, 1);
        EXPECT_GT(sugerido, 10 / (60.0 * guardia.VelocidadMaxima()));  // not the blown-up velocity
        Parametros corto = ParametrosFlujo(10, sugerido);
        GrillasModelo g2 = Ladera();
        EstabilidadFlujo otra(corto, 900, 60);
        EXPECT_TRUE(Correr(g2, corto, sugerido, static_cast<int>(60 / sugerido), &otra));
        const std::string m = guardia.Mensaje(periodo);
        EXPECT_NE(m.find("en el período" + std::string(" ") + std::to_string(periodo) + " "), std::string::npos);
        EXPECT_NE(m.find("El paso de cálculo es demasiado largo"), std::string::npos);
        EXPECT_NE(m.find("no se han grabado archivos de resultados"), std::string::npos);
    }
}

TEST(EstabilidadFlujo, AlturaNoFinitaAbandona) {
    Parametros par = ParametrosFlujo(10, 1);
    GrillasModelo g = Grillas(1, 2, {10, 10});
    EstabilidadFlujo guardia(par, 2);
    EXPECT_TRUE(guardia.Revisar(g, 0, 0));
    g.Nivel(1, 2) = std::nan("");
    EXPECT_FALSE(guardia.Revisar(g, 1, 0));
    EXPECT_EQ(guardia.PasoSugerido(), 0);
    EXPECT_NE(guardia.Mensaje(2).find("Use un paso de cálculo menor."), std::string::npos);
}

namespace {

// Every value the same bit for bit; a NaN matches any NaN (which of two NaN
// operands an operation passes on is the compiler's choice, and a run whose
// grid holds one is abandoned without results).
bool MismosBits(const GrillasModelo& a, const GrillasModelo& b) {
    auto igual = [](const auto& x, const auto& y) {
        if (x.Vector().size() != y.Vector().size()) return false;
        for (size_t k = 0; k < x.Vector().size(); ++k) {
            const auto p = x.Vector()[k], q = y.Vector()[k];
            if (std::memcmp(&p, &q, sizeof p) != 0 && !(std::isnan(p) && std::isnan(q))) return false;
        }
        return true;
    };
    return igual(a.Cota, b.Cota) && igual(a.Nivel, b.Nivel) && igual(a.AporteCascada, b.AporteCascada) &&
           igual(a.QEntrada, b.QEntrada) && igual(a.QSalida, b.QSalida) && igual(a.HMax, b.HMax) &&
           igual(a.QMax, b.QMax);
}

// A random grid, parameters and rain: dry and wet cells, shallow laminar
// sheets and deep turbulent ones, steps long enough to overdraw cells, cells
// outside the basin, rain on a cell that is not the period's.
struct CasoAzar {
    GrillasModelo g;
    Parametros par;
    float lluviaPeriodo = 0;
    std::vector<float> lluvia;  // per grid index
    std::mt19937 azar;

    explicit CasoAzar(uint32_t semilla) : azar(semilla) {
        auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(azar); };
        auto uno = [&](std::initializer_list<float> v) { return *(v.begin() + azar() % v.size()); };
        const int filas = 3 + static_cast<int>(azar() % 10), columnas = 3 + static_cast<int>(azar() % 10);
        std::vector<float> cota;
        for (int k = 0; k < filas * columnas; ++k)
            cota.push_back(u(0, 1) < 0.1 ? 0.0f : static_cast<float>(100 + u(0, 3)));
        g = Grillas(filas, columnas, cota);
        for (int f = 1; f <= filas; ++f)
            for (int c = 1; c <= columnas; ++c) {
                if (!(g.Cota(f, c) > 0)) continue;
                const double r = u(0, 1);
                if (r > 0.4) g.Nivel(f, c) += std::pow(10.0, u(-5, 0));
                if (u(0, 1) < 0.5) g.QEntrada(f, c) = static_cast<float>(u(0, 0.3));
            }
        par = ParametrosFlujo(uno({1, 5, 30}), uno({0.02f, 0.2f, 1.0f, 3.0f}));
        par.ResolucionY = uno({1, 5, 30});
        par.Manning = uno({0.02f, 0.04f, 0.1f});
        par.FactorRes = uno({1, 10});
        lluviaPeriodo = uno({0, 0.05f, 1.0f});
        for (size_t k = 0; k < g.Cota.Vector().size(); ++k) {
            const double r = u(0, 1);
            lluvia.push_back(r < 0.7 ? lluviaPeriodo : r < 0.85 ? 0.0f : static_cast<float>(u(0, 2)));
        }
    }
    CeldaActual Celda(size_t idx) const {
        return CeldaActual{static_cast<int32_t>(idx / g.Cota.Ancho()), static_cast<int32_t>(idx % g.Cota.Ancho()),
                           lluvia[idx]};
    }
};

// Routes every basin cell of the case for five periods one at a time and with
// `lote` (cells more than two steps apart `ancho` at a time), in the same
// random orders; true when every grid and velocity stayed the same bit for bit.
template <bool kConservar>
::testing::AssertionResult MismosQueUnaACada(uint32_t semilla, KernelFlujoLote lote, int ancho) {
    CasoAzar caso(semilla);
    GrillasModelo a = caso.g, b = caso.g;
    const PasoFlujo paso = PrepararPasoFlujo(caso.par, caso.lluviaPeriodo);
    std::vector<size_t> celdas;
    for (int f = 1; f <= a.Cota.Filas(); ++f)
        for (int c = 1; c <= a.Cota.Columnas(); ++c)
            if (a.Cota(f, c) > 0) celdas.push_back(a.Cota.Indice(f, c));
    for (int periodo = 1; periodo <= 5; ++periodo) {
        std::shuffle(celdas.begin(), celdas.end(), caso.azar);
        double borde = 0;
        float vA = 0, vB = 0;
        std::vector<size_t> resto = celdas;
        while (!resto.empty()) {
            // The next cells of the order that lie apart from each other.
            std::vector<size_t> grupo;
            const long w = static_cast<long>(a.Cota.Ancho());
            for (auto it = resto.begin(); it != resto.end() && grupo.size() < static_cast<size_t>(ancho);) {
                const long f = static_cast<long>(*it) / w, c = static_cast<long>(*it) % w;
                const bool lejos = std::all_of(grupo.begin(), grupo.end(), [&](size_t x) {
                    return std::abs(static_cast<long>(x) / w - f) + std::abs(static_cast<long>(x) % w - c) > 2;
                });
                if (lejos) {
                    grupo.push_back(*it);
                    it = resto.erase(it);
                } else {
                    ++it;
                }
            }
            CeldaActual celdasGrupo[8];
            for (size_t l = 0; l < grupo.size(); ++l) {
                celdasGrupo[l] = caso.Celda(grupo[l]);
                vA = std::max(vA, FlujoCeldaCon<false, kConservar>(a, celdasGrupo[l], paso, borde));
            }
            vB = std::max(vB, lote(b, celdasGrupo, static_cast<int>(grupo.size()), paso));
        }
        if (!MismosBits(a, b)) return ::testing::AssertionFailure() << "grids differ in period " << periodo;
        if (std::memcmp(&vA, &vB, sizeof vA) != 0)
            return ::testing::AssertionFailure() << "velocity " << vA << " / " << vB << " in period " << periodo;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(FlujoCelda, CeldasEnGruposDanLosMismosBits) {
    if (!KernelFlujoLoteAvx<false>(4)) GTEST_SKIP() << "sin AVX";
    for (uint32_t semilla = 1; semilla <= 300; ++semilla) {
        SCOPED_TRACE(semilla);
        for (const int ancho : {4, 8}) {
            if (!KernelFlujoLoteAvx<false>(ancho)) continue;
            EXPECT_TRUE(MismosQueUnaACada<false>(semilla, KernelFlujoLoteAvx<false>(ancho), ancho)) << ancho;
            EXPECT_TRUE(MismosQueUnaACada<true>(semilla, KernelFlujoLoteAvx<true>(ancho), ancho)) << ancho;
        }
    }
}
