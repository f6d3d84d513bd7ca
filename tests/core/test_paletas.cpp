#include <gtest/gtest.h>

#include <set>

#include "viewer/nivel.h"
#include "viewer/paletas.h"
#include "support/imagen_prueba.h"

using namespace tarno;
using namespace tarno::visor;

namespace {

TablaPaletas Cargar(const Parametros& par = {}, bool invertir = false) {
    TablaPaletas t;
    uint64_t azar = kSemillaColorines;
    CargarPaletas(par, invertir, azar, t);
    return t;
}

#define EXPECT_RGB(color, r, g, b)         \
    do {                                  \
        const Color c_ = (color);         \
        EXPECT_EQ(Rojo(c_), r);           \
        EXPECT_EQ(Verde(c_), g);          \
        EXPECT_EQ(Azul(c_), b);           \
    } while (0)

TEST(Paletas, ComposicionYRampasSimples) {
    const TablaPaletas t = Cargar();
    EXPECT_RGB(t(0, 1), 0, 0, 0);
    EXPECT_RGB(t(36 * 1 + 6 * 2 + 3, 1), 50, 100, 150);
    EXPECT_RGB(t(215, 1), 250, 250, 250);
    EXPECT_RGB(t(216, 1), 0, 0, 0);
    EXPECT_RGB(t(221, 1), 0, 0, 93);
    EXPECT_RGB(t(230, 1), 255, 81, 0);
    EXPECT_RGB(t(238, 1), 0, 0, 0);
    EXPECT_RGB(t(246, 1), 0, 170, 85);
    EXPECT_RGB(t(255, 1), 255, 255, 255);
    EXPECT_RGB(t(0, 2), 255, 255, 255);
    EXPECT_RGB(t(255, 2), 255, 0, 0);
    EXPECT_RGB(t(100, 3), 155, 255, 155);
    EXPECT_RGB(t(200, 5), 55, 55, 55);
}

TEST(Paletas, AzulPasaPorCian) {
    const TablaPaletas t = Cargar();
    EXPECT_RGB(t(0, 4), 255, 255, 255);
    EXPECT_RGB(t(1, 4), 253, 255, 255);
    EXPECT_RGB(t(114, 4), 27, 255, 255);
    EXPECT_RGB(t(115, 4), 13, 255, 255);
    EXPECT_RGB(t(127, 4), 1, 255, 255);
    EXPECT_RGB(t(128, 4), 0, 253, 255);
    EXPECT_RGB(t(254, 4), 0, 1, 255);
    EXPECT_RGB(t(255, 4), 0, 0, 255);
}

TEST(Paletas, MarronVerdeAzul) {
    const TablaPaletas t = Cargar();
    EXPECT_RGB(t(0, 6), 255, 255, 255);
    EXPECT_RGB(t(1, 6), 0, 0, 255);
    EXPECT_RGB(t(32, 6), 124, 247, 255);
    EXPECT_RGB(t(33, 6), 0, 255, 0);
    EXPECT_RGB(t(255, 6), 127, 1, 0);
}

TEST(Paletas, PersonalizadaConLasClasesDeInicio) {
    const TablaPaletas t = Cargar();
    EXPECT_RGB(t(0, 8), 0, 0, 0);
    EXPECT_RGB(t(1, 8), 255, 255, 255);
    EXPECT_RGB(t(25, 8), 130, 255, 255);  // 24/49 of the way from white to cyan
    EXPECT_RGB(t(50, 8), 0, 255, 255);
    EXPECT_RGB(t(51, 8), 0, 250, 255);
    EXPECT_RGB(t(150, 8), 0, 0, 255);
    EXPECT_RGB(t(151, 8), 0, 0, 0);
    EXPECT_RGB(t(255, 8), 0, 0, 210);
}

TEST(Paletas, PersonalizadaCorridaYRecortada) {
    Parametros par;
    // Classes that do not start at 0 shift through the running counter; unreached levels stay black.
    par.NroClases = 2;
    par.hastaPixel = {9, 9, 255, 255, 255, 255};
    par.colorRa[0] = 10;
    par.colorRb[0] = 100;
    par.colorRa[1] = 7;
    TablaPaletas t = Cargar(par);
    EXPECT_RGB(t(0, 8), 10, 0, 0);
    EXPECT_RGB(t(9, 8), 100, 0, 0);
    EXPECT_RGB(t(10, 8), 0, 0, 0);  // class 2 runs from 10 to 9: no level
    EXPECT_RGB(t(200, 8), 0, 0, 0);

    // A table needing more than 256 levels is cut at level 255 and the rest still builds.
    par.NroClases = 3;
    par.hastaPixel = {255, 0, 255, 255, 255, 255};
    par.colorRa = {0, 0, 200, 0, 0, 0};
    par.colorGa = {0, 0, 0, 0, 0, 0};
    par.colorBa = {0, 0, 0, 0, 0, 0};
    par.colorRb = {255, 0, 200, 0, 0, 0};
    par.colorGb = {0, 0, 0, 0, 0, 0};
    par.colorBb = {0, 0, 0, 0, 0, 0};
    t = Cargar(par, true);
    EXPECT_RGB(t(0, 8), 255, 0, 0);   // inverted: former level 255
    EXPECT_RGB(t(255, 8), 0, 0, 0);
    EXPECT_RGB(t(0, 9), 0, 0, 0);     // palette 9 and inversion still built
}

TEST(Paletas, Azul16EInversion) {
    const TablaPaletas t = Cargar();
    EXPECT_RGB(t(0, 9), 255, 255, 255);
    EXPECT_RGB(t(1, 9), 0, 0, 0);
    EXPECT_RGB(t(8, 9), 0, 216, 255);
    EXPECT_RGB(t(15, 9), 0, 0, 0);
    EXPECT_RGB(t(200, 9), 255, 255, 255);

    const TablaPaletas inv = Cargar({}, true);
    EXPECT_RGB(inv(0, 9), 0, 0, 0);
    EXPECT_RGB(inv(15, 9), 255, 255, 255);
    EXPECT_RGB(inv(1, 9), 0, 0, 255);
    EXPECT_RGB(inv(16, 9), 255, 255, 255);
    EXPECT_RGB(inv(255, 9), 255, 255, 255);
    for (int p = 1; p <= 6; ++p)
        for (int k = 0; k <= 255; ++k) ASSERT_EQ(inv(k, p), t(255 - k, p)) << p << " " << k;
    EXPECT_RGB(inv(255, 6), 255, 255, 255);
}

TEST(Paletas, ColorinesDistintosRepetiblesYCambiantes) {
    uint64_t azar = kSemillaColorines;
    TablaPaletas a, b;
    CargarPaletas({}, false, azar, a);
    CargarPaletas({}, false, azar, b);
    std::set<Color> vistos;
    for (int k = 0; k <= 255; ++k) {
        const Color c = a(k, 7);
        EXPECT_GE(Rojo(c), 1);
        EXPECT_GE(Verde(c), 1);
        EXPECT_GE(Azul(c), 1);
        vistos.insert(c);
    }
    EXPECT_EQ(vistos.size(), 256u);
    EXPECT_NE(a.p[7], b.p[7]);  // the generator continues from drawing to drawing
    uint64_t otra = kSemillaColorines;
    TablaPaletas c;
    CargarPaletas({}, false, otra, c);
    EXPECT_EQ(a.p[7], c.p[7]);  // same sequence at every program start
}

TEST(Niveles, ReglasDeEscala) {
    ImagenActual img = prueba::ImagenDe(1, 3, [](int, int c) { return c == 1 ? 0.0f : (c == 2 ? 50.0f : 100.0f); });
    ReglaNivel r = PrepararNivel(img, false);
    EXPECT_EQ(r.Indice(0), 0);
    EXPECT_EQ(r.Indice(100), 255);
    EXPECT_EQ(r.Indice(50), 128);  // 127.5 to the even neighbour
    EXPECT_EQ(r.Indice(-20), 0);   // values outside the extremes clamp
    EXPECT_EQ(r.Indice(500), 255);

    r = PrepararNivel(img, true);
    EXPECT_EQ(r.Indice(0), 0);
    EXPECT_EQ(r.Indice(100), 255);
    EXPECT_EQ(r.Indice(1), 4);  // 1/100*254+1 = 3.54
    img.DatoMenor = 10;
    r = PrepararNivel(img, true);
    EXPECT_EQ(r.Indice(10), 1);  // the minimum is 0 only when it is 0

    img.DatoMenor = img.DatoMayor = 7;
    r = PrepararNivel(img, false);
    EXPECT_EQ(r.Indice(-3), 255);
    EXPECT_EQ(r.Indice(7), 255);
}

TEST(Niveles, AreasYClases) {
    ImagenActual img = prueba::ImagenDe(1, 2, [](int, int c) { return c == 1 ? 0.0f : 510.0f; });
    img.TieneAreas = true;
    img.NroAreas = 12;
    ReglaNivel r = PrepararNivel(img, false);
    EXPECT_EQ(r.Indice(7), 7);
    EXPECT_EQ(r.Indice(12), 12);
    EXPECT_EQ(r.Indice(40), 20);  // above the area count: scaled

    ImagenActual cla = prueba::ImagenDe(1, 2, [](int, int c) { return c == 1 ? 1.0f : 4.5f; }, "x_C_dat.rkd");
    cla.EsClasificada = true;
    r = PrepararNivel(cla, false);
    EXPECT_EQ(cla.NroAreas, 4);  // nearest of 4.5, halves to even
    EXPECT_EQ(r.Indice(3), 3);
    EXPECT_EQ(r.Indice(300), 255);
}

}  // namespace
