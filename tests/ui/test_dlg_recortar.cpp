#include <QPointer>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/dlg_recortar.h"

using namespace tarno;
using namespace tarno::prueba;

namespace {
struct Recorte : ::testing::Test {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ui::EstadoApp estado;
    QPointer<ui::DlgRecortaRASK> dlg;
    std::string fuente;

    void SetUp() override {
        ImagenActual img = ImagenNumerada(10, 10);
        fuente = GuardarImagen(tmp, "dem_dat.rkd", img);
        dlg = new ui::DlgRecortaRASK(estado, plat);
        Mostrar(dlg);
    }
    void TearDown() override { delete dlg.data(); }
    void Elegir() {
        plat.archivos.push_back(fuente);
        Pulsar(dlg, "cmdRecortarRAK");
    }
};
}  // namespace

TEST_F(Recorte, EstadoInicialYEleccionDelArchivo) {
    EXPECT_EQ(dlg->windowTitle(), "TARNO-SIG: Recorta imagen RASK");
    EXPECT_EQ(Texto(dlg, "lblAccion"), "ACCION: Permite recortar un archivo imagen de RASK (archivos tipo  _dat.rkd) ");
    for (const char* n : {"txtFilaInicio", "txtColInicio", "txtFilaFin", "txtColFin"}) {
        EXPECT_EQ(Texto(dlg, n), "0");
        EXPECT_FALSE(Control(dlg, n)->isEnabled());
    }
    EXPECT_EQ(Texto(dlg, "lblRows"), "0");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "");
    EXPECT_EQ(Control<QPushButton>(dlg, "cmdRecortarRAK")->text(), "&Seleccionar Archivo");
    EXPECT_EQ(Control(dlg, "cmdRecortarRAK")->toolTip(), "Pulsar, para seleccionar el archivo a modificar");

    Elegir();
    EXPECT_EQ(plat.titulosDialogo.back(), "Modificar de manera directa (forzar) valores de Pixel en Archivo formato RKD");
    EXPECT_EQ(plat.filtrosDialogo.back(), "Abrir Archivo kdr (*dat.rkd)|*dat.rkd");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASK"), QString::fromStdString(fuente));
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "demR_dat.rkd");
    EXPECT_EQ(Texto(dlg, "lblRows"), "10");
    EXPECT_EQ(Texto(dlg, "lblMaximo"), "1010");
    EXPECT_EQ(Texto(dlg, "lblMinimo"), "101");
    EXPECT_TRUE(Control(dlg, "txtFilaFin")->isEnabled());
}

TEST_F(Recorte, CajasDeVentanaRechazanYRetienenElFoco) {
    Elegir();
    // Out of range: message, box back to "0", focus and selection stay.
    EXPECT_FALSE(Escribir(dlg, "txtFilaInicio", "11"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  entre 1 y  10 o '0' para Cancelar ");
    auto* caja = Control<QLineEdit>(dlg, "txtFilaInicio");
    EXPECT_EQ(caja->text(), "0");
    EXPECT_TRUE(caja->hasFocus());
    EXPECT_EQ(caja->selectedText(), "0");
    // A click on "&Modificar" while the box is wrong does not run the command.
    QTest::keyClicks(caja, "abc");
    const size_t antes = plat.mensajes.size();
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.mensajes.size(), antes + 1);
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  entre 1 y  10 o '0' para Cancelar ");
    EXPECT_TRUE(dlg->isVisible());

    EXPECT_TRUE(Escribir(dlg, "txtFilaInicio", "5"));
    EXPECT_FALSE(Escribir(dlg, "txtFilaFin", "3"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar ");
    EXPECT_EQ(plat.Ultimo().titulo, " Dato inconsistente");
    EXPECT_EQ(Texto(dlg, "txtFilaFin"), "0");
    EXPECT_TRUE(Escribir(dlg, "txtFilaFin", "6"));
    EXPECT_TRUE(Escribir(dlg, "txtColInicio", "4"));
    EXPECT_FALSE(Escribir(dlg, "txtColFin", "2"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  mayor que la Columna de Inicio, o '0' para Cancelar ");
    EXPECT_TRUE(Escribir(dlg, "txtColFin", "7"));

    // "0" clears a box; writing then asks for the window.
    EXPECT_TRUE(Escribir(dlg, "txtColFin", "0"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Deben seleccionarse filas y columnas a Recortar");
    EXPECT_EQ(plat.Ultimo().titulo, "No se ha seleccionado fila y columna a modificar");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("demR_dat.rkd")));

    // A new name must end in _dat.rkd; a wrong one returns to the proposal.
    EXPECT_FALSE(Escribir(dlg, "lblArchivoRASKRec", "demR_dat.txt"));
    EXPECT_EQ(plat.Ultimo().texto, "El nombre del archivo debe terminar en '_dat.rkd'");
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "demR_dat.rkd");
}

TEST_F(Recorte, EscribeLaVentanaYDejaLaCabeceraEnLaImagenActual) {
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "3"));
    ASSERT_TRUE(Escribir(dlg, "txtFilaFin", "3"));
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "2"));
    ASSERT_TRUE(Escribir(dlg, "txtColFin", "5"));
    Pulsar(dlg, "OKButton");
    const std::string salida = tmp.Carpeta() + "demR_dat.rkd";
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: se creará un nuevo archivo recortado <" + salida +
                                       "> a partir del archivo <" + fuente + ">.");
    EXPECT_EQ(plat.Ultimo().titulo, "Modifica valores de archivo _dat.rkd");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_FALSE(dlg->isVisible());

    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(salida, "", leida));
    EXPECT_EQ(leida.NroFilas, 1);
    EXPECT_EQ(leida.NroColumnas, 4);
    EXPECT_EQ(Celdas(leida.Valores), (std::vector<float>{302, 303, 304, 305}));
    EXPECT_EQ(leida.Subtitulo, "S - Recortado");
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("demR_cab.rkd")));
    // The current image keeps the cropped header over the full source cells.
    EXPECT_EQ(estado.img.NroFilas, 1);
    EXPECT_EQ(estado.img.NroColumnas, 4);
    EXPECT_DOUBLE_EQ(estado.img.XMinimo, 1010);
    EXPECT_EQ(estado.img.Valores.Filas(), 10);
    EXPECT_EQ(estado.img.Subtitulo, "S");
}

TEST_F(Recorte, SinArchivoOConVentanaInvertidaOSinCarpetaNoEscribe) {
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ");
    EXPECT_EQ(plat.Ultimo().titulo, "No se ha seleccionado archivo _dat.rkd");

    Elegir();
    // The start box is not checked against the end: a reversed window is
    // refused when writing.
    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "2"));
    ASSERT_TRUE(Escribir(dlg, "txtFilaFin", "4"));
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "1"));
    ASSERT_TRUE(Escribir(dlg, "txtColFin", "2"));
    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "9"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().titulo, " Dato inconsistente");
    EXPECT_TRUE(Control(dlg, "txtFilaFin")->hasFocus());
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("demR_dat.rkd")));

    // An output that cannot be written: the error is shown, the dialog stays.
    ASSERT_TRUE(Escribir(dlg, "txtFilaFin", "10"));
    ASSERT_TRUE(Escribir(dlg, "lblArchivoRASKRec", "falta/demR_dat.rkd"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_NE(plat.Ultimo().texto.find("falta"), std::string::npos) << plat.Ultimo().texto;
    EXPECT_TRUE(dlg->isVisible());
}
