#include <gtest/gtest.h>

#include <cmath>

#include "comandos/cargar_pluviograma.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

class CargaPluvio : public ::testing::Test {
protected:
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    Pluviograma pv;
};

TEST_F(CargaPluvio, EjemploConInforme) {
    tmp.Escribir("t_Pp.rkd", "\"Tormenta, enero\"\r\n25\r\n40\r\n10\r\n3\r\n0\r\n30\r\n40\r\n");
    plat.archivos = {tmp.Ruta("t_Pp.rkd")};
    CargaPluviograma c = CargarPluviogramaDialogo(pv, plat);
    ASSERT_EQ(c.estado, CargaPluviograma::Estado::Cargada);
    EXPECT_EQ(plat.titulosDialogo[0], "Cargar archivo de Pluviograma de la tormenta (archivo extensión ??_Pp.rkd)");
    EXPECT_EQ(plat.filtrosDialogo[0], "Archivos Pp de TARNO-SIG (*_Pp.rkd)|*_Pp.rkd");
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_EQ(c.etiqueta, tmp.Ruta("t_Pp.rkd"));
    EXPECT_EQ(pv.Titulo, "Tormenta, enero");
    EXPECT_EQ(pv.Rec, 25);
    EXPECT_EQ(pv.LluviaTotal, 40.0f);
    EXPECT_EQ(pv.Paso, 10);
    EXPECT_EQ(pv.NroDatos, 3);
    EXPECT_EQ(pv.PpAcum, (std::vector<float>{0, 0, 30, 40}));
    EXPECT_EQ(c.informe, "TARNO-SIG: PluvioGRAMA DE TORMENTA\r\nArchivo: " + tmp.Ruta("t_Pp.rkd") +
                             "\r\n\r\nTítulo: Tormenta, enero\r\nRecurrencia:  25 años\r\nLluvia Total:  40 mm\r\n"
                             "Paso o Intervalo: 10 min\r\nNro. de datos o intervalos:  3\r\n"
                             "Pp( 1)=  0\r\nPp( 2)=  30\r\nPp( 3)=  40\r\n");
    EXPECT_TRUE(c.MostrarPizarra());
    EXPECT_TRUE(c.ReiniciarOpciones());
}

TEST_F(CargaPluvio, TotalInconsistenteAvisaYCarga) {
    tmp.Escribir("t_Pp.rkd", "\"T\"\n25\n40\n10\n3\n0\n30\n39.9\n");
    CargaPluviograma c = CargarPluviograma(tmp.Ruta("t_Pp.rkd"), pv, plat);
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::Cargada);
    EXPECT_TRUE(c.inconsistente);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto,
              "ERROR, inconsistencia de datos, la lluvia total no coincide con el total acumulado, revise el "
              "archivo de Pluviograma de la lluvia que intenta cargar");
    EXPECT_EQ(plat.Ultimo().titulo, "Error, de archivo...");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_EQ(pv.PpAcum[3], 39.9f);
    EXPECT_NE(c.informe.find("Pp( 3)=  39.9\r\n"), std::string::npos);
}

TEST_F(CargaPluvio, SinPuntosComparaElIndiceCero) {
    tmp.Escribir("t_Pp.rkd", "\"T\"\n0\n0\n10\n0\n");
    CargaPluviograma c = CargarPluviograma(tmp.Ruta("t_Pp.rkd"), pv, plat);
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::Cargada);
    EXPECT_FALSE(c.inconsistente);  // PpAcum[0] = 0 equals the total 0
    EXPECT_EQ(pv.PpAcum.size(), 1u);
    tmp.Escribir("u_Pp.rkd", "\"T\"\n0\n5\n10\n0\n");
    c = CargarPluviograma(tmp.Ruta("u_Pp.rkd"), pv, plat);
    EXPECT_TRUE(c.inconsistente);
}

TEST_F(CargaPluvio, TituloSinComillasConComaCorreLosCampos) {
    tmp.Escribir("t_Pp.rkd", "Tormenta, enero\n25\n40\n10\n3\n0\n30\n40\n");
    CargaPluviograma c = CargarPluviograma(tmp.Ruta("t_Pp.rkd"), pv, plat);
    EXPECT_EQ(pv.Titulo, "Tormenta");
    // " enero" is not a number: the load ends without a message.
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::ErrorLectura);
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_TRUE(c.MostrarPizarra());
    EXPECT_TRUE(c.informe.empty());
    EXPECT_FALSE(c.ReiniciarOpciones());
}

TEST_F(CargaPluvio, FaltanValoresQuedanEnCero) {
    tmp.Escribir("t_Pp.rkd", "\"T\"\n25\n40\n10\n4\n5\n30\n");
    CargaPluviograma c = CargarPluviograma(tmp.Ruta("t_Pp.rkd"), pv, plat);
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::ErrorLectura);
    EXPECT_EQ(pv.PpAcum, (std::vector<float>{0, 5, 30, 0, 0}));
    EXPECT_EQ(pv.NroDatos, 4);
}

// A total or a point beyond the 32-bit range is refused, naming the file.
TEST_F(CargaPluvio, ValoresFueraDeRangoSeRechazan) {
    for (const char* pp : {"\"T\"\n25\n1e39\n10\n1\n1e39\n", "\"T\"\n25\n40\n10\n2\n5\n-1e39\n"}) {
        tmp.Escribir("t_Pp.rkd", pp);
        plat.mensajes.clear();
        CargaPluviograma c = CargarPluviograma(tmp.Ruta("t_Pp.rkd"), pv, plat);
        EXPECT_EQ(c.estado, CargaPluviograma::Estado::ErrorLectura);
        ASSERT_EQ(plat.mensajes.size(), 1u) << pp;
        EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en el archivo de Pluviograma " + tmp.Ruta("t_Pp.rkd")),
                  std::string::npos);
        for (float v : pv.PpAcum) EXPECT_TRUE(std::isfinite(v));
        EXPECT_TRUE(std::isfinite(pv.LluviaTotal));
    }
}

TEST_F(CargaPluvio, CanceladoYSinCarpeta) {
    pv.Titulo = "anterior";
    CargaPluviograma c = CargarPluviogramaDialogo(pv, plat);
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::Cancelada);
    EXPECT_FALSE(c.MostrarPizarra());
    EXPECT_EQ(pv.Titulo, "anterior");
    c = CargarPluviograma("t_Pp.rkd", pv, plat);
    EXPECT_EQ(c.estado, CargaPluviograma::Estado::SinArchivo);
    EXPECT_EQ(plat.Ultimo().texto,
              "No hay archivo Pluviograma de Pp seleccionado. Debe cargarlo primero desde menú Opciones, Ficha "
              "Parámetros");
    EXPECT_EQ(plat.Ultimo().titulo, "Error, falta archivo...");
    EXPECT_EQ(pv.Titulo, "anterior");
}
