// Screenshots of the main window and of each options tab, taken only when
// TARNO_CAPTURAS names a folder (run under a real X server, e.g. xvfb-run).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "comandos/cargar_pluviograma.h"
#include "model/parametros_texto.h"
#include "raster/archivos.h"
#include "support/plataforma_falsa.h"
#include "ui/dlg_hidrograma.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"

using namespace tarno;

TEST(Capturas, VentanaPrincipalYFichasDeOpciones) {
    const QByteArray carpeta = qgetenv("TARNO_CAPTURAS");
    if (carpeta.isEmpty()) GTEST_SKIP() << "TARNO_CAPTURAS no definido";
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    ui::FrmMain0 ventana(estado, plat);
    ventana.show();
    ventana.ImprimirMensaje("Procesando. Un momento por favor...");
    QTest::qWait(300);
    ventana.grab().save(carpeta + "/ventana_principal.png");
    ventana.LimpiarMensajes();
    ventana.Accion("mnuOpciones")->trigger();
    ui::DlgOpciones* d = ventana.OpcionesAbierto();
    ASSERT_NE(d, nullptr);
    d->move(20, 20);
    for (int k = 0; k < d->Fichas()->count(); ++k) {
        d->Fichas()->setCurrentIndex(k);
        QTest::qWait(200);
        d->grab().save(carpeta + QByteArray("/opciones_") + QByteArray::number(k) + ".png");
    }
}

namespace {
// Takes the progress window's picture when the end-of-run message arrives.
class PlataformaCaptura : public prueba::PlataformaFalsa {
public:
    std::function<void(const std::string&)> alMensaje;
    Respuesta Mensaje(const std::string& t, const std::string& ti, Icono i, Botones b) override {
        if (alMensaje) alMensaje(ti);
        return prueba::PlataformaFalsa::Mensaje(t, ti, i, b);
    }
};
}  // namespace

TEST(Capturas, ProgresoYPizarraDeUnaCorrida) {
    const QByteArray carpeta = qgetenv("TARNO_CAPTURAS");
    const QByteArray dem = qgetenv("TARNO_DEM_PRUEBA");
    if (carpeta.isEmpty() || dem.isEmpty()) GTEST_SKIP() << "TARNO_CAPTURAS o TARNO_DEM_PRUEBA no definido";
    ui::EstadoApp estado;
    PlataformaCaptura plat;
    ui::FrmMain0 ventana(estado, plat);
    ventana.show();
    std::string carpetaDEM, nombre;
    SepararRuta(dem.toStdString(), carpetaDEM, nombre);
    estado.par.DirDEM = carpetaDEM;
    estado.par.ArchivoDEM = nombre;
    estado.par.nPer = 60;
    estado.par.fHidro1 = estado.par.fHidro2 = 300;
    estado.par.cHidro1 = 200;
    estado.par.cHidro2 = 204;
    plat.alMensaje = [&](const std::string& titulo) {
        if (titulo != "Final de Proceso") return;
        if (ui::FrmPp2* p = ventana.ProgresoAbierto()) p->grab().save(carpeta + "/progreso.png");
    };
    ventana.mnuRun1_Click();
    ventana.Accion("mnuPizarra1")->trigger();
    QTest::qWait(200);
    ventana.PizarraAbierta()->grab().save(carpeta + "/pizarra.png");
}

// The hydrograph window after a GUI run of the parameter file named by
// TARNO_PARAMETROS_PRUEBA (Campo=valor lines), and the report it writes.
TEST(Capturas, HidrogramaDeUnaCorrida) {
    const QByteArray carpeta = qgetenv("TARNO_CAPTURAS");
    const QByteArray parametros = qgetenv("TARNO_PARAMETROS_PRUEBA");
    if (carpeta.isEmpty() || parametros.isEmpty())
        GTEST_SKIP() << "TARNO_CAPTURAS o TARNO_PARAMETROS_PRUEBA no definido";
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    std::ifstream in(parametros.toStdString());
    std::string linea, campo, valor;
    while (std::getline(in, linea))
        if (!SepararAsignacion(linea, campo, valor))
            continue;
        else if (campo == "Pluviograma")
            ASSERT_EQ(CargarPluviograma(valor, estado.pluviograma, plat).estado, CargaPluviograma::Estado::Cargada);
        else
            ASSERT_TRUE(AsignarCampo(estado.par, campo, valor)) << linea;
    ui::FrmMain0 ventana(estado, plat);
    ventana.show();
    plat.casillas.push_back(true);
    ventana.mnuRun1_Click();
    ui::DlgHidrograma* h = ventana.HidrogramaAbierto();
    ASSERT_NE(h, nullptr);
    h->resize(900, 600);
    QTest::qWait(400);
    h->grab().save(carpeta + "/hidrograma.png");
}
