#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include "raster/archivos.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/conexiones.h"
#include "ui/frm_main.h"

using namespace tarno;

class Importadores : public ::testing::Test {
protected:
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    prueba::CarpetaTemporal tmp;
    ui::FrmMain0 ventana{estado, plat};
};

TEST_F(Importadores, IdrisiDesdeElMenu) {
    tmp.Escribir("a.doc", "columns     : 2\r\nrows        : 1\r\n");
    tmp.Escribir("a.img", "3 4\r\n");
    plat.archivos.push_back(tmp.Ruta("a.img"));
    ui::mnuImportarIdrisi_Click(ventana);
    ASSERT_EQ(plat.titulosDialogo.size(), 1u);
    EXPECT_EQ(plat.titulosDialogo[0], "Importar archivo imagen de Idrisi, formato texto (.txt, .img, .rst)");
    EXPECT_EQ(plat.filtrosDialogo[0], "Archivos imagen Idrisi (*.txt,*.img,*.rst)|*.txt;*.img;*.rst");
    EXPECT_EQ(tmp.Leer("a_dat.rkd"), "3\r\n4\r\n");
    EXPECT_EQ(estado.img.NroDatos, 2);
    EXPECT_EQ(estado.VectorDatos.size(), 3u);
    EXPECT_EQ(plat.Ultimo().titulo, "Importación de archivo Idrisi");
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(Importadores, CancelarLosDialogosNoHaceNada) {
    ui::mnuImportarIdrisi_Click(ventana);
    ui::mnutxtBlanco_a_rkd_Click(ventana);
    ui::mnutxt0256_Click(ventana);
    EXPECT_EQ(plat.titulosDialogo,
              (std::vector<std::string>{
                  "Importar archivo imagen de Idrisi, formato texto (.txt, .img, .rst)",
                  "Convertir un archivo ASCHII, separador caracter blanco, a un archivo _dat_rkd (.txt, .img, .txt)",
                  "Abrir"}));
    EXPECT_EQ(plat.filtrosDialogo[1], "Archivos Texto (*.txt)|*.txt");
    EXPECT_EQ(plat.filtrosDialogo[2], "Todos los archivos imagen en formato texto (*.txt)|*.txt");
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_TRUE(plat.preguntasEntrada.empty());
}

TEST_F(Importadores, TextoYAmplitudDesdeElMenu) {
    tmp.Escribir("t.txt", "0 50 100\n");
    plat.archivos.push_back(tmp.Ruta("t.txt"));
    ui::mnutxtBlanco_a_rkd_Click(ventana);
    EXPECT_EQ(tmp.Leer("t_tx_dat.rkd"), "0\r\n50\r\n100\r\n");
    tmp.Escribir("v.txt", "0\r\n50\r\n100\r\n");
    plat.archivos.push_back(tmp.Ruta("v.txt"));
    plat.entradas = {"sal", "0", "255"};
    ui::mnutxt0256_Click(ventana);
    EXPECT_EQ(tmp.Leer("sal.txt"), "0\r\n128\r\n255\r\n");
}

TEST_F(Importadores, LosTresMenusLlamanASusComandos) {
    for (const char* nombre : {"mnuImportarIdrisi", "mnutxtBlanco_a_rkd", "mnutxt0256"}) {
        QAction* a = ventana.Accion(nombre);
        ASSERT_NE(a, nullptr) << nombre;
        a->trigger();
    }
    ASSERT_EQ(plat.titulosDialogo.size(), 3u);
    EXPECT_EQ(plat.titulosDialogo[2], "Abrir");
    EXPECT_TRUE(plat.mensajes.empty());
}
