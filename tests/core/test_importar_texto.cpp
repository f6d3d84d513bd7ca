#include <gtest/gtest.h>

#include <filesystem>

#include "raster/archivos.h"
#include "comandos/importar_texto.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

class AvisoRegistrado : public AvisoProceso {
public:
    std::string titulo, texto;
    int terminados = 0;
    void Empezar(const std::string& t, const std::string& x) override {
        titulo = t;
        texto = x;
    }
    void Terminar() override { ++terminados; }
};

const char* kInconsistencia =
    "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al Nro. de "
    "Columnas x Nro Filas + 1 ";

}  // namespace

class Idrisi : public ::testing::Test {
protected:
    void Doc(const std::string& nombre, const std::string& columnas, const std::string& filas) {
        tmp.Escribir(nombre, "file format : IDRISI Raster A.1\r\nfile title  : prueba, con coma\r\n"
                             "data type   : real\r\ncolumns     : " + columnas + "\r\nrows        : " + filas +
                                 "\r\nunit dist.  : 1\r\nmin. X      : 100.5\r\nmax. X      : 130.5\r\n"
                                 "min. Y      : 200\r\nmax. Y      : 220\r\nResolutionX  : 10\r\n"
                                 "ResolutionY  : 10\r\nmin. value  : 1\r\nmax. value  : 6.5\r\n");
    }
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    AvisoRegistrado aviso;
    ImagenActual img;
    std::vector<float> vec;
};

TEST_F(Idrisi, TresPorDos) {
    Doc("mapa.doc", "3", "2");
    tmp.Escribir("mapa.img", "1 2 3\r\n4 5\r\n6.5\r\n");
    ASSERT_TRUE(ImportarIdrisi(tmp.Ruta("mapa.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(aviso.titulo, "un momento...esta opción puede tardar algunos minutos...");
    EXPECT_EQ(aviso.texto, "Importando Imagen Idrisi formato texto a archivo TARNO-SIG...");
    EXPECT_EQ(aviso.terminados, 1);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "la Imagen del archivo Idrisi " + tmp.Ruta("mapa.img") +
                                       " se importó correctamente y guardado en los archivos de TARNO-SIG: " +
                                       tmp.Ruta("mapa_dat.rkd") + " y " + tmp.Ruta("mapa_cab.rkd"));
    EXPECT_EQ(plat.Ultimo().titulo, "Importación de archivo Idrisi");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_EQ(tmp.Leer("mapa_dat.rkd"), "1\r\n2\r\n3\r\n4\r\n5\r\n6.5\r\n");
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("mapa_dat.rkd"), "", leida));
    EXPECT_EQ(leida.Titulo, "Sin título");
    EXPECT_EQ(leida.Subtitulo, "Sin Subtítulo");
    EXPECT_EQ(leida.NroFilas, 2);
    EXPECT_EQ(leida.NroColumnas, 3);
    EXPECT_EQ(leida.XMinimo, 100.5);
    EXPECT_EQ(leida.YMaximo, 220.0);
    EXPECT_EQ(leida.DatoMayor, 6.5f);
    EXPECT_EQ(leida.ResolucionY, 10.0);
    EXPECT_EQ(leida.Valores(2, 3), 6.5f);
    EXPECT_EQ(img.NroDatos, 6);
    EXPECT_EQ(vec.size(), 7u);
}

TEST_F(Idrisi, ImportacionCortaDejaSoloLaCabecera) {
    Doc("mapa.doc", "3", "2");
    tmp.Escribir("mapa.img", "1 2 3 4 5\r\n");
    EXPECT_FALSE(ImportarIdrisi(tmp.Ruta("mapa.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(plat.Ultimo().texto, kInconsistencia);
    EXPECT_EQ(plat.Ultimo().titulo, "Error de archivo...");
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("mapa_cab.rkd")));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("mapa_dat.rkd")));
    EXPECT_EQ(aviso.terminados, 1);
}

TEST_F(Idrisi, DocumentacionSegunLaExtension) {
    EXPECT_EQ(DocumentacionIdrisi("/d/a.IMG"), "/d/a.doc");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.Img"), "/d/a.doc");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.Rst"), "/d/a.rdc");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.RST"), "/d/a.rdc");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.TXT"), "/d/a.txt");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.iMG"), "");
    EXPECT_EQ(DocumentacionIdrisi("/d/a.tif"), "");
    Doc("b.rdc", "2", "1");
    tmp.Escribir("b.Rst", "7,8\r\n");
    ASSERT_TRUE(ImportarIdrisi(tmp.Ruta("b.Rst"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(tmp.Leer("b_dat.rkd"), "7\r\n8\r\n");
}

TEST_F(Idrisi, ExtensionDesconocidaSeRechaza) {
    tmp.Escribir("c.tif", "1");
    EXPECT_FALSE(ImportarIdrisi(tmp.Ruta("c.tif"), tmp.Carpeta(), img, vec, plat, aviso));
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().titulo, "Importación de archivo Idrisi");
    EXPECT_NE(plat.Ultimo().texto.find("img, rst o txt"), std::string::npos);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("c_cab.rkd")));
    EXPECT_EQ(aviso.terminados, 0);
}

TEST_F(Idrisi, ColumnasRedondeadasAlPar) {
    Doc("r.doc", "10.5", "1");
    tmp.Escribir("r.img", "1 2 3 4 5 6 7 8 9 10\r\n");
    EXPECT_TRUE(ImportarIdrisi(tmp.Ruta("r.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(img.NroColumnas, 10);
    Doc("r.doc", "11.5", "1");
    ImportarIdrisi(tmp.Ruta("r.img"), tmp.Carpeta(), img, vec, plat, aviso);
    EXPECT_EQ(img.NroColumnas, 12);
    EXPECT_EQ(plat.Ultimo().texto, kInconsistencia);
}

TEST_F(Idrisi, LecturaDeClavesSeDetieneEnLineaVaciaYSinDocConservaValores) {
    img.NroFilas = 1;
    img.NroColumnas = 2;
    img.ResolucionX = 99;
    tmp.Escribir("v.doc", "columns     : 3\r\n\r\nrows        : 7\r\n");
    tmp.Escribir("v.img", "1 2 3\r\n");
    EXPECT_TRUE(ImportarIdrisi(tmp.Ruta("v.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(img.NroFilas, 1);  // the rows line after the empty line is not read
    EXPECT_EQ(img.NroColumnas, 3);
    EXPECT_EQ(img.ResolucionX, 99.0);
    // Without a documentation file the previous values stay.
    tmp.Escribir("w.img", "4 5 6\r\n");
    EXPECT_TRUE(ImportarIdrisi(tmp.Ruta("w.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(tmp.Leer("w_dat.rkd"), "4\r\n5\r\n6\r\n");
}

// Without a usable size (no size keys, a "NULL" line before them, or a size
// not above zero) the header is written and the count is inconsistent.
TEST_F(Idrisi, SinTamanoUtilEscribeLaCabeceraYAvisaLaInconsistencia) {
    for (const std::string& doc : {std::string("data type   : real\r\n"),
                                   std::string("NULL\r\ncolumns     : 3\r\nrows        : 2\r\n"),
                                   std::string("columns     : 0\r\nrows        : 2\r\n")}) {
        std::filesystem::remove(tmp.Ruta("z_cab.rkd"));
        tmp.Escribir("z.doc", doc);
        tmp.Escribir("z.img", "");
        ImagenActual nueva;
        EXPECT_FALSE(ImportarIdrisi(tmp.Ruta("z.img"), tmp.Carpeta(), nueva, vec, plat, aviso));
        EXPECT_EQ(plat.Ultimo().texto, kInconsistencia) << doc;
        EXPECT_EQ(plat.Ultimo().titulo, "Error de archivo...");
        EXPECT_TRUE(ExisteArchivo(tmp.Ruta("z_cab.rkd")));
        EXPECT_FALSE(ExisteArchivo(tmp.Ruta("z_dat.rkd")));
    }
}

// Numbers beyond the 32-bit range are refused with the name of their file.
TEST_F(Idrisi, ValoresFueraDeRangoSeRechazan) {
    Doc("f.doc", "3", "1");
    std::string doc = tmp.Leer("f.doc");
    tmp.Escribir("f.doc", doc.replace(doc.find("min. value  : 1"), 15, "min. value  : 1e39"));
    tmp.Escribir("f.img", "1 2 3\r\n");
    EXPECT_FALSE(ImportarIdrisi(tmp.Ruta("f.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en " + tmp.Ruta("f.doc")), std::string::npos);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("f_cab.rkd")));
    Doc("g.doc", "3", "1");
    tmp.Escribir("g.img", "1 2e39 3\r\n");
    EXPECT_FALSE(ImportarIdrisi(tmp.Ruta("g.img"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en " + tmp.Ruta("g.img")), std::string::npos);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("g_dat.rkd")));
}

TEST(TextoBlancos, ImportaSeisValoresEnOrden) {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    AvisoRegistrado aviso;
    ImagenActual img;
    std::vector<float> vec;
    tmp.Escribir("m.txt", "1 2 3\n4   5 6\n");
    ASSERT_TRUE(ImportarTextoBlancos(tmp.Ruta("m.txt"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(tmp.Leer("m_tx_dat.rkd"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("m_tx_cab.rkd")));
    EXPECT_EQ(img.NroDatos, 6);
    EXPECT_EQ(aviso.titulo, "un momento...esta opción puede tardar varios minutos...");
    EXPECT_EQ(aviso.texto,
              "Importando Archivo texto con separadores de datos caracter en blanco, a archivo _dat.rkd. "
              "PRECAUCION: No se crea el archivo _cab.kdr...");
    EXPECT_EQ(plat.Ultimo().texto, "El archivo texto " + tmp.Ruta("m.txt") +
                                       " ha sido convertido a archivo tipo _dat_rkd.dat.\n\rEl Número de datos "
                                       "es:  6\n\rCUIDADO: Debe crear el archivo _cab.rkd ");
    EXPECT_EQ(plat.Ultimo().titulo, "Conversión de archivo Texto a _dat_rkd");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    // Upper-case extension, and a name that is not a text file.
    tmp.Escribir("n.TXT", "9,8\r\n");
    ASSERT_TRUE(ImportarTextoBlancos(tmp.Ruta("n.TXT"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_EQ(tmp.Leer("n_tx_dat.rkd"), "9\r\n8\r\n");
    EXPECT_FALSE(ImportarTextoBlancos(tmp.Ruta("n.csv"), tmp.Carpeta(), img, vec, plat, aviso));
    // A number beyond the 32-bit range is refused, naming the file.
    tmp.Escribir("o.txt", "1 2e39 3\n");
    EXPECT_FALSE(ImportarTextoBlancos(tmp.Ruta("o.txt"), tmp.Carpeta(), img, vec, plat, aviso));
    EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en " + tmp.Ruta("o.txt")), std::string::npos);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("o_tx_dat.rkd")));
}

class Amplitud : public ::testing::Test {
protected:
    bool Convertir(const std::string& contenido, std::initializer_list<std::string> respuestas) {
        tmp.Escribir("v.txt", contenido);
        for (const auto& r : respuestas) plat.entradas.push_back(r);
        return ConvertirAmplitud(tmp.Ruta("v.txt"), tmp.Carpeta(), img, vec, plat);
    }
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ImagenActual img;
    std::vector<float> vec;
};

TEST_F(Amplitud, CeroCincuentaCien) {
    ASSERT_TRUE(Convertir("0\r\n50\r\n100\r\n", {"salida", "0", "255"}));
    EXPECT_EQ(tmp.Leer("salida.txt"), "0\r\n128\r\n255\r\n");
    EXPECT_TRUE(plat.mensajes.empty());
    const std::string t = "|Convertir amplitud de un archivo vector TXT a vector TXT amplitud 0-256";
    ASSERT_EQ(plat.preguntasEntrada.size(), 3u);
    EXPECT_EQ(plat.preguntasEntrada[0], "Nombre del archivo vector texto de salida (convertir vector texto 0-255)" + t);
    EXPECT_EQ(plat.preguntasEntrada[1], "Ingrese el valor MINIMO (rango 0-255) del pixel a convertir" + t);
    EXPECT_EQ(plat.preguntasEntrada[2], "Ingrese el valor MAXIMO (rango 0-255) del pixel a convertir" + t);
    EXPECT_EQ(plat.porDefectoEntrada[0], "txt0255");
    EXPECT_EQ(plat.porDefectoEntrada[1], "0");
    EXPECT_EQ(plat.porDefectoEntrada[2], "255");
}

TEST_F(Amplitud, LimitesRecortados) {
    ASSERT_TRUE(Convertir("0,50\r\n100\r\n", {"a", "-5", "300"}));
    EXPECT_EQ(tmp.Leer("a.txt"), "0\r\n128\r\n255\r\n");
    ASSERT_TRUE(Convertir("0\r\n100\r\n", {"b", "200", "100"}));  // MAX below MIN becomes MIN
    EXPECT_EQ(tmp.Leer("b.txt"), "0\r\n0\r\n");
}

TEST_F(Amplitud, EscalaSinDesplazarYCortaEnNullOItemVacio) {
    ASSERT_TRUE(Convertir("100\r\n2 00\r\nNULL\r\n999\r\n", {"c", "0", "255"}));
    EXPECT_EQ(tmp.Leer("c.txt"), "255\r\n510\r\n");
    EXPECT_EQ(img.NroDatos, 2);
}

TEST_F(Amplitud, ValoresIgualesSeRechazan) {
    EXPECT_FALSE(Convertir("7\r\n7\r\n", {"d", "0", "255"}));
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_NE(plat.Ultimo().texto.find("son iguales"), std::string::npos);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("d.txt")));
}

// Values or limits beyond the range of numbers are refused with a message,
// not turned into an undefined integer.
TEST_F(Amplitud, NumerosFueraDeRangoSeRechazan) {
    EXPECT_FALSE(Convertir("1\r\n1e55\r\n", {"e", "0", "255"}));
    EXPECT_NE(plat.Ultimo().texto.find("fuera de rango en " + tmp.Ruta("v.txt")), std::string::npos);
    EXPECT_FALSE(Convertir("1\r\n2\r\n", {"e", "1e999", "255"}));
    EXPECT_FALSE(Convertir("1\r\n2\r\n", {"e", "0", "-1e999"}));
    EXPECT_EQ(plat.mensajes.size(), 3u);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("e.txt")));
}

TEST_F(Amplitud, CancelarNoHaceNada) {
    EXPECT_FALSE(Convertir("1\r\n2\r\n", {""}));
    EXPECT_EQ(plat.preguntasEntrada.size(), 1u);
    EXPECT_TRUE(plat.mensajes.empty());
}
