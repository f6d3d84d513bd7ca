#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "raster/archivos.h"
#include "raster/numeros.h"
#include "raster/delimitado.h"
#include "comandos/guardar_como.h"
#include "raster/imagen.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

CabeceraImagen CabeceraDe(int filas, int columnas) {
    CabeceraImagen c;
    c.Titulo = "Cuenca, río Ñuble";
    c.Subtitulo = "Prueba";
    c.NroFilas = filas;
    c.NroColumnas = columnas;
    c.XMinimo = 1000.5;
    c.YMinimo = 2000.25;
    c.XMaximo = 1000.5 + columnas * 10;
    c.YMaximo = 2000.25 + filas * 10;
    c.ResolucionX = 10;
    c.ResolucionY = 12.5;
    return c;
}

std::string Cabecera12(const std::vector<std::string>& valores, bool etiquetasRaras = false) {
    std::string s;
    for (size_t i = 0; i < 12; ++i) {
        s += etiquetasRaras ? "\"otra etiqueta\"," : std::string("\"") + "x" + "\",";
        s += valores[i] + "\r\n";
    }
    return s;
}

}  // namespace

TEST(Imagen, EscribirLeerYEscribirEsIdentico) {
    CarpetaTemporal tmp;
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> u(-1000.0f, 1000.0f);
    Grilla<float> g(13, 17);
    const float especiales[] = {-5.5f, 1e-6f, 123456.7f, 3.4e38f, -3.4e38f, 0.0f, 0.25f, -1e-6f};
    int k = 0;
    for (int f = 1; f <= 13; ++f)
        for (int c = 1; c <= 17; ++c) g(f, c) = (k < 8) ? especiales[k++] : u(gen) * std::pow(10.0f, (f % 7) - 3);
    CabeceraImagen cab = CabeceraDe(13, 17);
    Extremos(g, cab.DatoMenor, cab.DatoMayor);
    const std::string dat = tmp.Ruta("a_dat.rkd");
    ASSERT_TRUE(EscribirImagen(dat, cab, g));

    ImagenActual img;
    ASSERT_TRUE(LeerIMG(dat, tmp.Carpeta(), img));
    EXPECT_EQ(img.Titulo, cab.Titulo);
    EXPECT_EQ(img.NroDatos, 13 * 17);
    EXPECT_EQ(img.DatoMayor, 3.4e38f);
    for (int f = 1; f <= 13; ++f)
        for (int c = 1; c <= 17; ++c) {
            float esperado;
            ASSERT_TRUE(ConvertirFloat(NumeroArchivo(g(f, c)), esperado));
            EXPECT_EQ(img.Valores(f, c), esperado);
        }
    const std::string dat2 = tmp.Ruta("b_dat.rkd");
    ASSERT_TRUE(EscribirImagen(dat2, img, img.Valores));
    EXPECT_EQ(tmp.Leer("a_dat.rkd"), tmp.Leer("b_dat.rkd"));
    EXPECT_EQ(tmp.Leer("a_cab.rkd"), tmp.Leer("b_cab.rkd"));
    // Third generation equals the second byte for byte.
    ImagenActual img2;
    ASSERT_TRUE(LeerIMG(dat2, "", img2));
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("c_dat.rkd"), img2, img2.Valores));
    EXPECT_EQ(tmp.Leer("b_dat.rkd"), tmp.Leer("c_dat.rkd"));
}

TEST(Imagen, CabeceraConEtiquetasExactasEnWindows1252) {
    CarpetaTemporal tmp;
    Grilla<float> g(1, 2);
    g(1, 1) = 1;
    g(1, 2) = 2;
    CabeceraImagen cab = CabeceraDe(1, 2);
    cab.DatoMenor = 1;
    cab.DatoMayor = 2;
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("e_dat.rkd"), cab, g));
    const std::string bytes = tmp.Leer("e_cab.rkd");
    EXPECT_EQ(bytes.substr(0, 44), "\"T\xedtulo            : \",\"Cuenca, r\xedo \xd1uble\"\r\n");
    EXPECT_NE(bytes.find("\"Nro. de Filas     : \",1\r\n\"Nro. de Columnas  : \",2\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\"X m\xednimo          : \",1000.5\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\"Resoluci\xf3n Y      : \",12.5\r\n"), std::string::npos);
    EXPECT_EQ(tmp.Leer("e_dat.rkd"), "1\r\n2\r\n");
}

TEST(Imagen, EtiquetasAlteradasYDatosSobrantesOEnUnaLinea) {
    CarpetaTemporal tmp;
    tmp.Escribir("x_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "2", "3", "0", "0", "30", "20", "1", "6",
                                          "10", "10"},
                                         true));
    tmp.Escribir("x_dat.rkd", "1,2,3\r\n4, 5 ,6\r\n7\r\n8\r\n");
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("x_dat.rkd"), "", img));
    EXPECT_EQ(img.NroFilas, 2);
    EXPECT_EQ(img.NroColumnas, 3);
    EXPECT_EQ(img.NroDatos, 6);
    EXPECT_EQ(img.Valores(2, 3), 6.0f);
    EXPECT_EQ(img.Valores(0, 0), 0.0f);
    EXPECT_FALSE(img.EsClasificada);
    EXPECT_FALSE(img.TieneAreas);
}

TEST(Imagen, DatosCortosDejanCerosYCuentan) {
    CarpetaTemporal tmp;
    tmp.Escribir("x_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "2", "2", "0", "0", "1", "1", "0", "9", "1", "1"}));
    tmp.Escribir("x_dat.rkd", "9\r\n8\r\n7\r\n");
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("x_dat.rkd"), "", img));
    EXPECT_EQ(img.NroDatos, 3);
    EXPECT_EQ(img.Valores(2, 1), 7.0f);
    EXPECT_EQ(img.Valores(2, 2), 0.0f);
}

TEST(Imagen, ListasCompanerasSegunElNombre) {
    CarpetaTemporal tmp;
    const std::string cab = Cabecera12({"\"T\"", "\"S\"", "1", "1", "0", "0", "1", "1", "1", "1", "1", "1"});
    for (const char* base : {"m_C", "m_Ag", "m"}) {
        tmp.Escribir(std::string(base) + "_cab.rkd", cab);
        tmp.Escribir(std::string(base) + "_dat.rkd", "1\r\n");
    }
    tmp.Escribir("m_C_cla.rkd", "2\r\n\"0 a 10\"\r\n\"Clase, dos\"\r\n");
    tmp.Escribir("m_Ag_agr.rkd", "1\r\n\"\xc1rea \xd1\"\r\n");
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("m_C_dat.rkd"), "", img));
    EXPECT_TRUE(img.EsClasificada);
    EXPECT_TRUE(img.TieneAreas);
    ASSERT_EQ(img.NroAreas, 2);
    EXPECT_EQ(img.NombresAreas[2], "Clase, dos");
    ASSERT_TRUE(LeerIMG(tmp.Ruta("m_Ag_dat.rkd"), "", img));
    EXPECT_FALSE(img.EsClasificada);
    EXPECT_TRUE(img.TieneAreas);
    ASSERT_EQ(img.NroAreas, 1);
    EXPECT_EQ(img.NombresAreas[1], "Área Ñ");
    ASSERT_TRUE(LeerIMG(tmp.Ruta("m_dat.rkd"), "", img));
    EXPECT_FALSE(img.TieneAreas);
    EXPECT_EQ(img.NroAreas, 0);
}

TEST(Imagen, DecimalesDelLector) {
    CarpetaTemporal tmp;
    tmp.Escribir("d_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "1", "3", "0", "0", "1", "1", "3.25", "12.5", "1", "1"}));
    tmp.Escribir("d_dat.rkd", "12.5\r\n3.25\r\n7\r\n");
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("d_dat.rkd"), "", img));
    EXPECT_EQ(img.Decimales, 2);
    tmp.Escribir("d_dat.rkd", "12\r\n3\r\n7\r\n");
    ASSERT_TRUE(LeerIMG(tmp.Ruta("d_dat.rkd"), "", img));
    EXPECT_EQ(img.Decimales, 0);
}

TEST(Imagen, TamanosImposiblesYValoresNoFinitosSeRechazan) {
    CarpetaTemporal tmp;
    ImagenActual img;
    for (const char* filas : {"0", "-3", "100000"}) {
        tmp.Escribir("z_cab.rkd", Cabecera12({"\"T\"", "\"S\"", filas, filas[0] == '1' ? "100000" : "2", "0", "0",
                                              "1", "1", "0", "1", "1", "1"}));
        tmp.Escribir("z_dat.rkd", "1\r\n");
        Resultado r = LeerIMG(tmp.Ruta("z_dat.rkd"), "", img);
        EXPECT_FALSE(r) << filas;
        EXPECT_NE(r.mensaje.find("z_cab.rkd"), std::string::npos) << r.mensaje;
    }
    tmp.Escribir("z_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "1", "2", "0", "0", "1", "1", "0", "1", "1", "1"}));
    for (const char* malo : {"nan", "inf", "1E+39"}) {
        tmp.Escribir("z_dat.rkd", std::string("1\r\n") + malo + "\r\n");
        Resultado r = LeerIMG(tmp.Ruta("z_dat.rkd"), "", img);
        EXPECT_FALSE(r) << malo;
    }
    EXPECT_FALSE(LeerIMG(tmp.Ruta("nada_dat.rkd"), "", img));
    // A header value beyond its type names the header.
    tmp.Escribir("z_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "1", "2", "1e999", "0", "1", "1", "0", "1", "1", "1"}));
    Resultado r = LeerIMG(tmp.Ruta("z_dat.rkd"), "", img);
    EXPECT_NE(r.mensaje.find("5 de la cabecera " + tmp.Ruta("z_cab.rkd") + ": valor fuera de rango"),
              std::string::npos) << r.mensaje;
    // A large header whose data file cannot hold its cells is refused before
    // the grid is made; a small one loads with zeros.
    tmp.Escribir("z_cab.rkd", Cabecera12({"\"T\"", "\"S\"", "30000", "30000", "0", "0", "1", "1", "0", "1", "1", "1"}));
    tmp.Escribir("z_dat.rkd", "1\r\n2\r\n");
    r = LeerIMG(tmp.Ruta("z_dat.rkd"), "", img);
    EXPECT_NE(r.mensaje.find("demasiado corto"), std::string::npos) << r.mensaje;
    EXPECT_TRUE(img.Valores.Vacia());
}

// Titles holding quotes or the bytes Windows-1252 leaves undefined survive
// every rewrite of a header; ordinary titles are written as before.
TEST(Imagen, TitulosConComillasYBytesRarosSobrevivenLaReescritura) {
    CarpetaTemporal tmp;
    tmp.Escribir("q_cab.rkd", Cabecera12({"c\"d", "\"r\x81o\x8d \x8f\x90\x9d\"", "1", "1", "0", "0", "1", "1", "5",
                                          "5", "1", "1"}));
    tmp.Escribir("q_dat.rkd", "5\r\n");
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("q_dat.rkd"), "", img));
    EXPECT_EQ(img.Titulo, "c\"d");
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("r_dat.rkd"), img, img.Valores));
    const std::string bytes = tmp.Leer("r_cab.rkd");
    EXPECT_NE(bytes.find(",\"c\"\"d\"\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find(",\"r\x81o\x8d \x8f\x90\x9d\"\r\n"), std::string::npos) << bytes;
    ImagenActual otra;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("r_dat.rkd"), "", otra));
    EXPECT_EQ(otra.Titulo, img.Titulo);
    EXPECT_EQ(otra.Subtitulo, img.Subtitulo);
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("s_dat.rkd"), otra, otra.Valores));
    EXPECT_EQ(tmp.Leer("s_cab.rkd"), bytes);
}

TEST(Archivos, EscrituraFallidaNoDejaNadaAMedias) {
    CarpetaTemporal tmp;
    tmp.Escribir("f_dat.rkd", "viejo");
    // The target is a folder: the rename fails, the temporary file is removed.
    std::filesystem::create_directories(tmp.Ruta("carpeta_dat.rkd"));
    EXPECT_FALSE(GuardarArchivo(tmp.Ruta("carpeta_dat.rkd"), "nuevo"));
    EXPECT_FALSE(GuardarArchivo(tmp.Ruta("no/existe/f_dat.rkd"), "nuevo"));
    int archivos = 0;
    for (auto& e : std::filesystem::directory_iterator(tmp.Carpeta())) (void)e, ++archivos;
    EXPECT_EQ(archivos, 2);
    EXPECT_EQ(tmp.Leer("f_dat.rkd"), "viejo");
    ASSERT_TRUE(GuardarArchivo(tmp.Ruta("f_dat.rkd"), "nuevo"));
    EXPECT_EQ(tmp.Leer("f_dat.rkd"), "nuevo");
}

// A file written in pieces: the same bytes as written whole, nothing at the
// target until it is finished, and no temporary file left when it is dropped.
TEST(Archivos, EscrituraPorPartes) {
    CarpetaTemporal tmp;
    std::string esperado;
    {
        ArchivoPorPartes a;
        ASSERT_TRUE(a.Abrir(tmp.Ruta("g_dat.rkd")));
        for (int i = 0; i < 300000; ++i) {
            const std::string linea = std::to_string(i * 7) + "\r\n";
            esperado += linea;
            if (i % 3) {
                a.Escribir(linea);
            } else {
                char* p = a.Espacio(linea.size());
                a.Avanzar(std::copy(linea.begin(), linea.end(), p));
            }
        }
        EXPECT_FALSE(ExisteArchivo(tmp.Ruta("g_dat.rkd")));
        ASSERT_TRUE(a.Terminar());
    }
    EXPECT_EQ(tmp.Leer("g_dat.rkd"), esperado);
    {
        ArchivoPorPartes a;
        ASSERT_TRUE(a.Abrir(tmp.Ruta("h_dat.rkd")));
        a.Escribir("a medias");
    }
    int archivos = 0;
    for (auto& e : std::filesystem::directory_iterator(tmp.Carpeta())) (void)e, ++archivos;
    EXPECT_EQ(archivos, 1);
}

class GuardarComo : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.Escribir("cuenca_cab.rkd", "cab");
        tmp.Escribir("cuenca_dat.rkd", "dat");
        img.NombreDat = tmp.Ruta("cuenca_dat.rkd");
        img.NombreCab = tmp.Ruta("cuenca_cab.rkd");
    }
    CarpetaTemporal tmp;
    ImagenActual img;
    PlataformaFalsa plat;
};

TEST_F(GuardarComo, CopiaLosDosArchivos) {
    plat.entradas.push_back("Copia2");
    EXPECT_TRUE(mnuFileSaveAs_Click(img, plat));
    EXPECT_EQ(plat.porDefectoEntrada.at(0), "cuenca1");
    EXPECT_EQ(plat.preguntasEntrada.at(0),
              "Ingrese un nombre corto (sin extensión) para el Nuevo Archivo Imagen TARNO-SIG a copiar "
              "?|Guardar Imagen con otro nombre...");
    EXPECT_EQ(tmp.Leer("Copia2_dat.rkd"), "dat");
    EXPECT_EQ(tmp.Leer("Copia2_cab.rkd"), "cab");
    EXPECT_TRUE(plat.mensajes.empty());
}

TEST_F(GuardarComo, SinImagenAbierta) {
    ImagenActual vacia;
    EXPECT_FALSE(mnuFileSaveAs_Click(vacia, plat));
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...");
    EXPECT_EQ(plat.Ultimo().titulo, "Guardar Imagen TARNO-SIG con otro nombre...");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
}

TEST_F(GuardarComo, NombresInvalidos) {
    for (const char* malo : {"con_guion", "acentuó", "con blanco", "a@b"}) {
        plat.entradas.push_back(malo);
        EXPECT_FALSE(mnuFileSaveAs_Click(img, plat));
        EXPECT_EQ(plat.Ultimo().texto,
                  "Nombre inválido: Ingrese solamente letras y/o dígitos sin caracteres especiales");
        EXPECT_EQ(plat.Ultimo().titulo, "Nombre de Proyecto inválido!!");
    }
    plat.entradas.push_back("");
    size_t antes = plat.mensajes.size();
    EXPECT_FALSE(mnuFileSaveAs_Click(img, plat));
    EXPECT_EQ(plat.mensajes.size(), antes);
}

TEST_F(GuardarComo, DestinoExistente) {
    tmp.Escribir("otra_dat.rkd", "no tocar");
    plat.entradas.push_back("otra");
    EXPECT_FALSE(mnuFileSaveAs_Click(img, plat));
    EXPECT_EQ(plat.Ultimo().texto, "El archivo imagen TARNO-SIG <" + tmp.Ruta("otra_dat.rkd") +
                                       "> ya existe. Elija un nombre distinto o elimine el proyecto existente.");
    EXPECT_EQ(plat.Ultimo().titulo, "");
    EXPECT_EQ(tmp.Leer("otra_dat.rkd"), "no tocar");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("otra_cab.rkd")));
}

TEST_F(GuardarComo, ErrorDeArchivoSeMuestraYSigue) {
    std::filesystem::remove(tmp.Ruta("cuenca_cab.rkd"));
    plat.entradas.push_back("nueva");
    EXPECT_FALSE(mnuFileSaveAs_Click(img, plat));
    EXPECT_EQ(plat.Ultimo().texto.rfind("Error de archivo desconocido", 0), 0u);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("nueva_dat.rkd")));
}

