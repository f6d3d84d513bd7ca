#include <gtest/gtest.h>

#include "comandos/cargar_dem.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

void EscribirDem(const CarpetaTemporal& tmp, const std::string& base, int filas, int columnas,
                 const std::vector<float>& valores, float menor, float mayor) {
    CabeceraImagen cab;
    cab.Titulo = "MDT";
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.DatoMenor = menor;
    cab.DatoMayor = mayor;
    cab.ResolucionX = 25.5;
    cab.ResolucionY = 30;
    ASSERT_TRUE(EscribirCabecera(tmp.Ruta(base + "_cab.rkd"), cab));
    std::string d;
    for (float v : valores) d += NumeroArchivo(v) + "\r\n";
    tmp.Escribir(base + "_dat.rkd", d);
}

}  // namespace

class CargaDEM : public ::testing::Test {
protected:
    void SetUp() override {
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "cuenca_dat.rkd";
    }
    CarpetaTemporal tmp;
    Parametros par;
    ImagenActual img;
    Grilla<float> cota;
    PlataformaFalsa plat;
};

TEST_F(CargaDEM, CargaCompletaSinMensaje) {
    EscribirDem(tmp, "cuenca", 2, 3, {10, 11.5f, 12, 0, -1, 13}, -1, 13);
    img.Valores.Redimensionar(1, 1, 42.0f);
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::Cargado);
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_EQ(img.NombreCab, tmp.Carpeta() + "cuenca_cab.rkd");
    EXPECT_EQ(img.NombreDat, tmp.Carpeta() + "cuenca_dat.rkd");
    EXPECT_EQ(par.ResolucionX, 25.5f);
    EXPECT_EQ(par.ResolucionY, 30.0f);
    EXPECT_EQ(cota.Filas(), 2);
    EXPECT_EQ(cota(1, 2), 11.5f);
    EXPECT_EQ(cota(2, 1), 0.0f);   // outside the basin, loaded as it is
    EXPECT_EQ(cota(2, 2), -1.0f);
    EXPECT_EQ(img.Decimales, 1);
    EXPECT_EQ(img.Valores(1, 1), 42.0f);  // the image cells are left alone
}

TEST_F(CargaDEM, SinArchivoSeleccionado) {
    for (std::string dir : {std::string(""), std::string(kSinArchivo)}) {
        par.DirDEM = dir;
        EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::SinArchivo);
        EXPECT_EQ(plat.Ultimo().texto,
                  "No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros");
        EXPECT_EQ(plat.Ultimo().titulo, "Error, falta archivo...");
        EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    }
    par.DirDEM = tmp.Carpeta();
    par.ArchivoDEM = "";
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::SinArchivo);
}

TEST_F(CargaDEM, UnValorDeMenos) {
    EscribirDem(tmp, "cuenca", 2, 2, {1, 2, 3}, 1, 3);
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::CuentaDistinta);
    EXPECT_EQ(plat.Ultimo().texto,
              "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al Nro. "
              "de Columnas x Nro Filas + 1 ");
    EXPECT_EQ(plat.Ultimo().titulo, "Error de archivo...");
    EXPECT_EQ(cota(2, 1), 3.0f);
    EXPECT_EQ(cota(2, 2), 0.0f);
}

TEST_F(CargaDEM, ExtremosDistintosDeLaCabecera) {
    EscribirDem(tmp, "cuenca", 1, 3, {100.5f, 120, 110}, 100.5f, 121);
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ExtremosDistintos);
    EXPECT_EQ(plat.Ultimo().texto,
              "Inconsistencia en archivo cab para valor máximo y mínimo. Los valores mínimo y máximo contenidos "
              "en la matriz de datos son  100.5  120");
    EXPECT_EQ(plat.Ultimo().titulo, "Error de archivo...");
    EXPECT_EQ(img.DatoMayor, 121.0f);  // header not corrected
    EXPECT_TRUE(DEMUtilizable(EstadoDEM::ExtremosDistintos));
}

TEST_F(CargaDEM, ArchivoFaltanteOCabeceraImposibleSeInforman) {
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ErrorLectura);
    EXPECT_NE(plat.Ultimo().texto.find("cuenca_cab.rkd"), std::string::npos);
    EscribirDem(tmp, "cuenca", 0, 3, {}, 0, 0);
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ErrorLectura);
    EXPECT_NE(plat.Ultimo().texto.find("cuenca_cab.rkd"), std::string::npos);
    EXPECT_FALSE(DEMUtilizable(EstadoDEM::ErrorLectura));
    EscribirDem(tmp, "cuenca", 1, 2, {1, 2}, 1, 2);
    tmp.Escribir("cuenca_dat.rkd", "1\r\nNaN\r\n");
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ErrorLectura);
    tmp.Escribir("cuenca_dat.rkd", "1\r\n1e39\r\n");
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ErrorLectura);
    EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en " + tmp.Ruta("cuenca_dat.rkd")), std::string::npos);
    // Header values beyond their type, or a cell size beyond the parameters' one.
    std::string cab = tmp.Leer("cuenca_cab.rkd");
    for (const char* malo : {"1e999", "1e300"}) {
        std::string otra = cab;
        const size_t p = otra.find(malo[3] == '9' ? "X m\xednimo" : "Resoluci\xf3n X");
        const size_t coma = otra.find(',', p) + 1;
        otra.replace(coma, otra.find('\r', coma) - coma, malo);
        tmp.Escribir("cuenca_cab.rkd", otra);
        EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::ErrorLectura) << malo;
        EXPECT_NE(plat.Ultimo().texto.find(tmp.Ruta("cuenca_cab.rkd")), std::string::npos);
    }
}

// A header far larger than its data file is counted short without making
// the grid it asks for.
TEST_F(CargaDEM, CabeceraEnormeConDatosCortosNoReservaLaGrilla) {
    EscribirDem(tmp, "cuenca", 40000, 40000, {1, 2, 3}, 1, 3);
    EXPECT_EQ(CargarDEM(par, img, cota, plat), EstadoDEM::CuentaDistinta);
    EXPECT_TRUE(cota.Vacia());
}
