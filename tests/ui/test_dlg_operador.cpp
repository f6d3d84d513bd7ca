#include <QPointer>
#include <cstdio>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/dlg_operador.h"
#include "ui/dlg_superponer.h"

using namespace tarno;
using namespace tarno::prueba;

namespace {
struct Operador : ::testing::Test {
    CarpetaTemporal tmp;
    PlataformaFalsa plat;
    ui::EstadoApp estado;
    QPointer<ui::DlgOperadorRASK> dlg;
    std::string fuente;

    void SetUp() override {
        fuente = GuardarImagen(tmp, "cuenca_dat.rkd", ImagenNumerada(4, 10));
        dlg = new ui::DlgOperadorRASK(estado, plat);
        Mostrar(dlg);
    }
    void TearDown() override { delete dlg.data(); }
    void Elegir() {
        plat.archivos.push_back(fuente);
        Pulsar(dlg, "cmdRecortarRAK");
    }
    ImagenActual Salida() {
        ImagenActual leida;
        EXPECT_TRUE(LeerIMG(tmp.Ruta("cuencaO_dat.rkd"), "", leida));
        return leida;
    }
};
}  // namespace

TEST_F(Operador, EstadoInicialYEleccion) {
    EXPECT_EQ(dlg->windowTitle(), "TARNO-SIG: Operador en imagen RASK");
    const char* inicial[7] = {"0", "1", "1", "0", "0", "0", "0"};
    for (int i = 0; i < 7; ++i) {
        const std::string n = "txta" + std::to_string(i + 1);
        EXPECT_EQ(Texto(dlg, n.c_str()), inicial[i]);
    }
    EXPECT_FALSE(Control(dlg, "txtFilaFin")->isEnabled());
    Elegir();
    EXPECT_EQ(Texto(dlg, "lblArchivoRASKRec"), "cuencaO_dat.rkd");
    EXPECT_EQ(Texto(dlg, "txtFilaInicio"), "1");
    EXPECT_EQ(Texto(dlg, "txtFilaFin"), "4");
    EXPECT_EQ(Texto(dlg, "txtColFin"), "10");
    EXPECT_TRUE(Control(dlg, "txtFilaFin")->isEnabled());
}

TEST_F(Operador, LasCajasSinVisitarValenCero) {
    // Every coefficient 0 whatever the boxes show: 0^0 = 1 in every cell.
    Elegir();
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: se creará un nuevo archivo recortado <" + tmp.Carpeta() +
                                       "cuencaO_dat.rkd> a partir del archivo <" + fuente + ">.");
    EXPECT_EQ(plat.Ultimo().titulo, "Aplica Operador a valores de archivo _dat.rkd");
    ImagenActual s = Salida();
    EXPECT_EQ(Celdas(s.Valores), std::vector<float>(40, 1.0f));
    EXPECT_EQ(s.Subtitulo, "S - Operador");

    // Only a2 = a3 = 1 visited: z + 1.
    dlg = new ui::DlgOperadorRASK(estado, plat);
    Mostrar(dlg);
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txta2", "1"));
    ASSERT_TRUE(Escribir(dlg, "txta3", "1"));
    Pulsar(dlg, "OKButton");
    s = Salida();
    EXPECT_EQ(s.Valores(1, 1), 102);
    EXPECT_EQ(s.Valores(4, 10), 411);
}

TEST_F(Operador, CoeficientesVentanaYCabecera) {
    Elegir();
    EXPECT_FALSE(Escribir(dlg, "txta1", "x"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor numérico");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_EQ(Texto(dlg, "txta1"), "0");
    ASSERT_TRUE(Escribir(dlg, "txta1", "-1"));
    ASSERT_TRUE(Escribir(dlg, "txta2", "1"));
    ASSERT_TRUE(Escribir(dlg, "txta3", "2"));
    EXPECT_EQ(dlg->Coef()[0], -1);
    EXPECT_EQ(dlg->Coef()[2], 2);

    ASSERT_TRUE(Escribir(dlg, "txtFilaInicio", "2"));
    EXPECT_FALSE(Escribir(dlg, "txtFilaFin", "1"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar ");
    EXPECT_EQ(plat.Ultimo().titulo, " Dato inconsistente");
    ASSERT_TRUE(Escribir(dlg, "txtFilaFin", "3"));
    EXPECT_FALSE(Escribir(dlg, "txtColInicio", "11"));
    EXPECT_EQ(plat.Ultimo().texto, "Ingrese un valor entero  entre 1 y  10 o '0' para Cancelar ");
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "5"));
    ASSERT_TRUE(Escribir(dlg, "txtColFin", "9"));
    Pulsar(dlg, "OKButton");
    ImagenActual s = Salida();
    EXPECT_EQ(s.NroFilas, 2);
    EXPECT_EQ(s.NroColumnas, 5);
    EXPECT_DOUBLE_EQ(s.XMinimo, 1000 + 4 * 10);
    EXPECT_DOUBLE_EQ(s.YMinimo, 2000 + 1 * 10);
    EXPECT_DOUBLE_EQ(s.XMaximo, 5 * 10);  // the window's extent
    EXPECT_DOUBLE_EQ(s.YMaximo, 2 * 10);
    EXPECT_EQ(s.Valores(1, 1), 205.0f * 205.0f - 1 + 1);  // z^2 - 1 + 0^0
    EXPECT_EQ(estado.img.NroFilas, 2);                      // the window's header stays
    EXPECT_EQ(estado.img.Valores.Filas(), 4);
}

TEST_F(Operador, VentanaEnCeroYPotenciaSinValorReal) {
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "0"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto, "Deben seleccionarse filas y columnas a Recortar");
    EXPECT_EQ(plat.Ultimo().titulo, "No se ha seleccionado fila y columna a modificar");
    ASSERT_TRUE(Escribir(dlg, "txtColInicio", "1"));

    // a6^(a7 z) with a6 = -2 and a7 = 0.5: an odd z gives a fractional
    // power of a negative base, which has no real value, and from z = 300 on
    // an even z overflows single precision (2^150). Nothing is written and
    // the dialog stays open.
    ASSERT_TRUE(Escribir(dlg, "txta6", "-2"));
    ASSERT_TRUE(Escribir(dlg, "txta7", "0.5"));
    Pulsar(dlg, "OKButton");
    EXPECT_EQ(plat.Ultimo().texto,
              "El operador no tiene un valor real finito en 30 celdas (la primera en la fila 1, columna 1). "
              "No se escribió ningún archivo.");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuencaO_dat.rkd")));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(estado.img.NroFilas, 4);  // the current image is untouched
}

TEST_F(Operador, OtroDialogoNoCambiaSuFuenteYUnArchivoCambiadoSeNota) {
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txta2", "1"));
    ASSERT_TRUE(Escribir(dlg, "txta3", "1"));
    // The overlay dialog, open at the same time, reads the same file as its
    // image 1: the operator's source stays as the operator read it.
    QPointer<ui::DlgSuperponerRASK> otro = new ui::DlgSuperponerRASK(estado, plat);
    plat.archivos.push_back(fuente);
    Pulsar(otro, "cmdRecortarRAK");
    EXPECT_EQ(Texto(otro, "lblRows"), "4");
    Pulsar(dlg, "OKButton");
    ImagenActual s = Salida();
    EXPECT_EQ(s.Valores(1, 1), 102);
    EXPECT_EQ(s.Valores(4, 10), 411);
    delete otro.data();

    // The file is rewritten with other values of the same size after it was
    // chosen: the write notices, reads it again, shows its data and waits.
    dlg = new ui::DlgOperadorRASK(estado, plat);
    Mostrar(dlg);
    Elegir();
    ASSERT_TRUE(Escribir(dlg, "txta2", "1"));
    ASSERT_TRUE(Escribir(dlg, "txta3", "1"));
    ImagenActual nueva = ImagenNumerada(4, 10);
    for (int32_t f = 1; f <= 4; ++f)
        for (int32_t c = 1; c <= 10; ++c) nueva.Valores(f, c) += 500;
    nueva.DatoMenor += 500;
    nueva.DatoMayor += 500;
    GuardarImagen(tmp, "cuenca_dat.rkd", nueva);
    std::remove(tmp.Ruta("cuencaO_dat.rkd").c_str());
    const size_t antes = plat.mensajes.size();
    Pulsar(dlg, "OKButton");
    ASSERT_EQ(plat.mensajes.size(), antes + 1);
    EXPECT_EQ(plat.Ultimo().texto, "El archivo <" + fuente +
                                       "> cambió desde que fue leído. Se leyó de nuevo y se muestran sus datos "
                                       "actuales: revíselos y vuelva a pulsar Modificar.");
    EXPECT_EQ(Texto(dlg, "lblMaximo"), "910");
    EXPECT_EQ(Texto(dlg, "lblMinimo"), "601");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("cuencaO_dat.rkd")));
    EXPECT_TRUE(dlg->isVisible());
    Pulsar(dlg, "OKButton");
    s = Salida();
    EXPECT_EQ(s.Valores(1, 1), 602);
    EXPECT_EQ(s.Valores(4, 10), 911);
}
