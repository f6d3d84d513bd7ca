#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "comandos/depurar_divisorias.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

Grilla<float> GrillaDe(int filas, int columnas, const std::vector<float>& v) {
    Grilla<float> g(filas, columnas);
    for (int f = 1; f <= filas; ++f)
        for (int c = 1; c <= columnas; ++c) g(f, c) = v[static_cast<size_t>((f - 1) * columnas + (c - 1))];
    return g;
}

GrillasModelo Modelo(int filas, int columnas) {
    GrillasModelo g;
    g.Cota.Redimensionar(filas, columnas, 10);
    g.Nivel.Redimensionar(filas, columnas, 10);
    g.QMax.Redimensionar(filas, columnas);
    g.HMax.Redimensionar(filas, columnas);
    return g;
}

// Lines of a data file.
std::vector<std::string> Lineas(const std::string& bytes) {
    std::vector<std::string> r;
    size_t i = 0;
    while (i < bytes.size()) {
        size_t j = bytes.find("\r\n", i);
        if (j == std::string::npos) j = bytes.size();
        r.push_back(bytes.substr(i, j - i));
        i = j + 2;
    }
    return r;
}

}  // namespace

TEST(UmbralesDivisoria, ProfundidadFinal) {
    // 3 x m > HminAuto: 6 m for the surface-flow method, m for the cascade.
    EXPECT_FLOAT_EQ(UmbralProfundidadFinal(0.01f, 0.02f, 1), 0.12f);
    EXPECT_FLOAT_EQ(UmbralProfundidadFinal(0.01f, 0.02f, 0), 0.02f);
    // Otherwise unchanged (no HMax above it leaves m = 1e8, which always passes).
    EXPECT_FLOAT_EQ(UmbralProfundidadFinal(0.09f, 0.03f, 1), 0.09f);
    EXPECT_FLOAT_EQ(UmbralProfundidadFinal(999999.0f, 100000000.0f, 0), 100000000.0f);
}

TEST(ValorExplorador, MetodosDeCresta) {
    Parametros p;
    p.DivValor = 0;
    p.DivValorRes = 255;
    // Q method, automatic threshold: every QMax up to QminAuto, 0 included.
    p.DivMetodoQmin = true;
    EXPECT_EQ(ValorExplorador(p, 0, 0, 0.5f, 0.1f), 0);
    EXPECT_EQ(ValorExplorador(p, 0.5f, 9, 0.5f, 0.1f), 0);
    EXPECT_EQ(ValorExplorador(p, 0.6f, 0, 0.5f, 0.1f), 255);
    p.DivQmin = 2;  // user threshold replaces the automatic one
    EXPECT_EQ(ValorExplorador(p, 1.5f, 0, 0.5f, 0.1f), 0);
    // A run without rain leaves QminAuto at 999999: everything up to it is a crest.
    p.DivQmin = 0;
    EXPECT_EQ(ValorExplorador(p, 5000, 0, kUmbralAutoInicial, kUmbralAutoInicial), 0);

    // Q and H method never marks a cell whose QMax is 0.
    p.DivMetodoQmin = false;
    EXPECT_EQ(ValorExplorador(p, 0, 0, 0.5f, 0.1f), 255);
    EXPECT_EQ(ValorExplorador(p, 0.4f, 0.1f, 0.5f, 0.1f), 0);
    EXPECT_EQ(ValorExplorador(p, 0.4f, 0.2f, 0.5f, 0.1f), 255);
    // With DivHmin set and DivQmin left at 0 nothing can be marked.
    p.DivHmin = 1;
    EXPECT_EQ(ValorExplorador(p, 0.4f, 0.1f, 0.5f, 0.1f), 255);
    p.DivQmin = 0.5f;
    EXPECT_EQ(ValorExplorador(p, 0.4f, 0.1f, 0.5f, 0.1f), 0);

    // Background: the cell's maximum discharge.
    p.DivResQM = true;
    EXPECT_FLOAT_EQ(ValorExplorador(p, 7.25f, 0.1f, 0.5f, 0.1f), 7.25f);
}

class Explorador : public ::testing::Test {
protected:
    void SetUp() override {
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "cuenca_dat.rkd";
        par.ResolucionX = 10;
        par.ResolucionY = 20;
        par.Div = true;
        img.Titulo = "Cuenca";
        img.XMinimo = 1;
        img.YMinimo = 2;
        img.XMaximo = 3;
        img.YMaximo = 4;
        img.ResolucionX = 10;
        img.ResolucionY = 20;
    }
    CarpetaTemporal tmp;
    Parametros par;
    ImagenActual img;
};

TEST_F(Explorador, SoloCrestaYFondoYAreaDeLagunas) {
    GrillasModelo g = Modelo(2, 3);
    g.QMax = GrillaDe(2, 3, {0, 0.2f, 3, 0.1f, 0, 8});
    g.HMax = GrillaDe(2, 3, {0, 0.001f, 0.5f, 0.001f, 0, 1});
    g.Nivel(1, 3) = 10.5;   // pond
    g.Nivel(2, 1) = 10.01;  // exactly 1 cm: not a pond
    g.Cota(2, 2) = -5;      // outside the basin below -0.01 with Nivel 0: counts
    g.Nivel(2, 2) = 0;
    par.DivValor = 0;
    par.DivValorRes = 255;
    ASSERT_TRUE(EscribirExploradorDivisorias(par, g, img, 0.3f, 0.01f, 8));
    EXPECT_EQ(Lineas(tmp.Leer("cuenca_QD_dat.rkd")),
              (std::vector<std::string>{"255", "0", "255", "0", "255", "255"}));
    ImagenActual leida;
    ASSERT_TRUE(LeerCabecera(tmp.Ruta("cuenca_QD_cab.rkd"), leida));
    // Two ponds x 10 x 20 m = 0.04 ha.
    EXPECT_EQ(leida.Subtitulo, "Explorador Divisorias   -   Area de QMax=0 (lagunas):  .04 Has");
    EXPECT_EQ(leida.Titulo, "Cuenca");
    EXPECT_EQ(leida.NroFilas, 2);
    EXPECT_EQ(leida.NroColumnas, 3);
    EXPECT_EQ(leida.XMaximo, 3);
    EXPECT_EQ(leida.ResolucionY, 20);
    EXPECT_EQ(leida.DatoMenor, 0);
    EXPECT_EQ(leida.DatoMayor, 255);
    EXPECT_EQ(img.DatoMenor, 0);
    EXPECT_EQ(img.DatoMayor, 255);
}

TEST_F(Explorador, DecimalesSegunElMayorCaudal) {
    GrillasModelo g = Modelo(1, 2);
    g.QMax = GrillaDe(1, 2, {1.23456f, 2.5f});
    g.HMax = GrillaDe(1, 2, {1, 1});
    par.DivResQM = true;
    par.DivMetodoQmin = true;
    par.DivQmin = 0.5f;  // nothing marked: the values are the discharges
    const std::pair<float, const char*> casos[] = {{99.9f, "1.235"}, {100, "1.23"}, {999.9f, "1.23"},
                                                   {1000, "1.2"}};
    for (auto [mayor, esperado] : casos) {
        ASSERT_TRUE(EscribirExploradorDivisorias(par, g, img, 0, 0, mayor));
        EXPECT_EQ(Lineas(tmp.Leer("cuenca_QD_dat.rkd"))[0], esperado) << mayor;
    }
    // The extremes are taken before rounding.
    ImagenActual leida;
    ASSERT_TRUE(LeerCabecera(tmp.Ruta("cuenca_QD_cab.rkd"), leida));
    EXPECT_FLOAT_EQ(leida.DatoMenor, 1.23456f);
}

TEST(NombresDepuracion, CortesFijos) {
    std::string carpeta, base, dem;
    ASSERT_TRUE(NombresDepuracion("/datos/cuenca_QD_cab.rkd", carpeta, base, dem));
    EXPECT_EQ(carpeta, "/datos/");
    EXPECT_EQ(base, "cuenca_QD");
    EXPECT_EQ(dem, "cuenca_dat.rkd");
    ASSERT_TRUE(NombresDepuracion("C:\\datos\\rio_QD_cab.rkd", carpeta, base, dem));
    EXPECT_EQ(carpeta, "C:\\datos\\");
    EXPECT_EQ(dem, "rio_dat.rkd");
    // Suffixes are not verified: a name without "_QD" gives wrong names.
    ASSERT_TRUE(NombresDepuracion("cuenca_HM_cab.rkd", carpeta, base, dem));
    EXPECT_EQ(carpeta, "");
    EXPECT_EQ(base, "cuenca_HM");
    EXPECT_EQ(dem, "cuenca_dat.rkd");
    ASSERT_TRUE(NombresDepuracion("/d/cuenca_cab.rkd", carpeta, base, dem));
    EXPECT_EQ(dem, "cue_dat.rkd");
    EXPECT_FALSE(NombresDepuracion("/d/Q_cab.rkd", carpeta, base, dem));
}

TEST(AdelgazarFilas, MesetasYCorridas) {
    // A plateau of 1, 2, 3 or 4 equal highest cells starting at p = 3 is
    // marked at p, p + 1, p + 1, p + 2.
    const float M = kMarcaCresta;
    for (int n = 1; n <= 4; ++n) {
        std::vector<float> dem = {5, 1, 9, 9, 9, 9, 2, 5};
        for (int k = 2 + n; k < 6; ++k) dem[static_cast<size_t>(k)] = 3;
        Grilla<float> e = GrillaDe(1, 8, {7, 0, 0, 0, 0, 0, 0, 7});
        AdelgazarFilas(e, GrillaDe(1, 8, dem));
        const int esperado = n == 1 ? 3 : n == 4 ? 5 : 4;
        for (int c = 1; c <= 8; ++c)
            EXPECT_EQ(e(1, c), c == esperado ? M : (c == 1 || c == 8 ? 7 : 0)) << n << " " << c;
    }
    // The leftmost of two equally high plateaus; several runs in a row.
    Grilla<float> e = GrillaDe(1, 9, {0, 0, 0, 0, 0, 1, 0, 0, 1});
    AdelgazarFilas(e, GrillaDe(1, 9, {4, 6, 2, 6, 6, 0, 3, 1, 0}));
    EXPECT_EQ(e(1, 2), M);
    EXPECT_EQ(e(1, 4), 0);
    EXPECT_EQ(e(1, 7), M);

    // A run reaching the row's end, a row without zeros and a run whose DEM
    // values are all <= 0 get no mark; rows are independent.
    e = GrillaDe(3, 4, {1, 0, 0, 0, 2, 3, 4, 5, 0, 0, 1, 0});
    Grilla<float> antes = e;
    AdelgazarFilas(e, GrillaDe(3, 4, {1, 5, 6, 7, 1, 1, 1, 1, -3, 0, 1, 9}));
    for (int f = 1; f <= 3; ++f)
        for (int c = 1; c <= 4; ++c) EXPECT_EQ(e(f, c), antes(f, c)) << f << " " << c;
}

class Depuracion : public ::testing::Test {
protected:
    void SetUp() override {
        // A 2 x 5 project: explorer, DEM and maximum discharge.
        Imagen("cuenca_QD", 2, 5, {5, 0, 0, 0, 5, 0, 0, 5, 0, 5}, "Explorador Divisorias", 0, 5);
        Imagen("cuenca", 2, 5, {10, 12, 14, 13, 9, 20, 21, 19, 18, 17}, "MDT", 9, 21);
        Imagen("cuenca_QM", 2, 5, {1.5f, 0.25f, 0.125f, 0.5f, 2, 3, 4, 5, 6, 7}, "QM", 0.125f, 7);
        par.ArchivoDEM = "otro_dat.rkd";
        par.DirDEM = "/antes/";
    }
    void Imagen(const std::string& base, int filas, int columnas, const std::vector<float>& v,
                const std::string& subtitulo, float menor, float mayor, double res = 10) {
        CabeceraImagen cab;
        cab.Titulo = "Proyecto";
        cab.Subtitulo = subtitulo;
        cab.NroFilas = filas;
        cab.NroColumnas = columnas;
        cab.DatoMenor = menor;
        cab.DatoMayor = mayor;
        cab.ResolucionX = res;
        cab.ResolucionY = res;
        ASSERT_TRUE(EscribirImagen(tmp.Ruta(base + "_dat.rkd"), cab, GrillaDe(filas, columnas, v)));
    }
    void Elegir() {
        plat.archivos.push_back(tmp.Ruta("cuenca_QD_cab.rkd"));
        plat.archivos.push_back(tmp.Ruta("cuenca_dat.rkd"));
    }
    bool Escrita() const { return ExisteArchivo(tmp.Ruta("cuenca_QDD_dat.rkd")) || ExisteArchivo(tmp.Ruta("cuenca_QDD_cab.rkd")); }

    CarpetaTemporal tmp;
    Parametros par;
    ImagenActual img;
    PlataformaFalsa plat;
};

TEST_F(Depuracion, ComandoCompleto) {
    Elegir();
    ComandoDepurarDivisorias(par, img, plat);
    ASSERT_EQ(plat.titulosDialogo.size(), 2u);
    EXPECT_EQ(plat.titulosDialogo[0],
              "Leer un archivo de KOLT Explorador de Divisorias (_QD_cab.rkd), para depurar divisorias o "
              "líneas de frontera tributaria");
    EXPECT_EQ(plat.filtrosDialogo[0], "Archivos TARNO-SIG (*QD_cab.rkd)|*QD_cab.rkd");
    EXPECT_EQ(plat.titulosDialogo[1],
              "Leer el archivo MDT origen del Explorador de Divisorias (_dat.rkd), para depurar divisorias o "
              "líneas de frontera tributaria");
    EXPECT_EQ(plat.filtrosDialogo[1], "Archivo MDT de TARNO-SIG: (cuenca_dat.rkd)|cuenca_dat.rkd");
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_EQ(par.ArchivoDEM, "cuenca_dat.rkd");
    EXPECT_EQ(par.DirDEM, tmp.Carpeta());

    // Row 1: zeros at 2..4 with DEM 12, 14, 13 -> crest at column 3.
    // Row 2: zeros at 1..2 (DEM 20, 21) -> column 2; zero at 4 -> column 4.
    EXPECT_EQ(Lineas(tmp.Leer("cuenca_QDD_dat.rkd")),
              (std::vector<std::string>{"1.5", "0.25", "0", "0.5", "2", "3", "0", "5", "0", "7"}));
    ImagenActual cab;
    ASSERT_TRUE(LeerCabecera(tmp.Ruta("cuenca_QDD_cab.rkd"), cab));
    EXPECT_EQ(cab.Subtitulo, "Explorador Divisorias (Depurado)");
    EXPECT_EQ(cab.DatoMenor, 0);  // copied from the explorer, not recomputed
    EXPECT_EQ(cab.DatoMayor, 5);
    // The current image holds the maximum-discharge raster.
    EXPECT_EQ(img.Subtitulo, "QM");
    EXPECT_FLOAT_EQ(img.Valores(2, 5), 7);
}

TEST_F(Depuracion, DialogosCancelados) {
    ComandoDepurarDivisorias(par, img, plat);
    EXPECT_EQ(plat.titulosDialogo.size(), 1u);
    plat.archivos.push_back(tmp.Ruta("cuenca_QD_cab.rkd"));
    ComandoDepurarDivisorias(par, img, plat);
    EXPECT_EQ(plat.titulosDialogo.size(), 3u);
    // Nothing changed and nothing written.
    EXPECT_EQ(par.ArchivoDEM, "otro_dat.rkd");
    EXPECT_EQ(par.DirDEM, "/antes/");
    EXPECT_FALSE(Escrita());
}

TEST_F(Depuracion, ArchivosDeOtroProyecto) {
    // A DEM of another size.
    Imagen("cuenca", 2, 4, {1, 2, 3, 4, 5, 6, 7, 8}, "MDT", 1, 8);
    Elegir();
    ComandoDepurarDivisorias(par, img, plat);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "Error, los archivos seleccinados no son del mismo proyecto. Verifique. ");
    EXPECT_EQ(plat.Ultimo().titulo, "Error, ...");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_FALSE(Escrita());

    // A maximum-discharge raster of another cell size.
    SetUp();
    Imagen("cuenca_QM", 2, 5, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "QM", 1, 1, 25);
    Elegir();
    ComandoDepurarDivisorias(par, img, plat);
    EXPECT_EQ(plat.Ultimo().texto, "Error, los archivos seleccinados no son del mismo proyecto. Verifique. ");
    EXPECT_FALSE(Escrita());
}

TEST_F(Depuracion, ArchivosFaltantesOCortosSeNombran) {
    // Maximum-discharge raster missing.
    std::remove(tmp.Ruta("cuenca_QM_cab.rkd").c_str());
    Elegir();
    ComandoDepurarDivisorias(par, img, plat);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_NE(plat.Ultimo().texto.find("cuenca_QM_cab.rkd"), std::string::npos);
    EXPECT_FALSE(Escrita());

    // A DEM data file shorter than its header.
    tmp.Escribir("cuenca_dat.rkd", "10\r\n12\r\n");
    Elegir();
    ComandoDepurarDivisorias(par, img, plat);
    ASSERT_EQ(plat.mensajes.size(), 2u);
    EXPECT_NE(plat.Ultimo().texto.find("cuenca_dat.rkd tiene 2 datos y su cabecera indica 10"), std::string::npos);
    EXPECT_FALSE(Escrita());

    // An explorer name too short to derive the others.
    plat.archivos.push_back("/d/x_cab.rkd");
    ComandoDepurarDivisorias(par, img, plat);
    EXPECT_EQ(plat.mensajes.size(), 3u);
    EXPECT_EQ(plat.titulosDialogo.size(), 5u);  // no second dialog
}
