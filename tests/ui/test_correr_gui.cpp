// Runs started from the main window: the windows around the run and the
// files written, compared with the command line's run.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "comandos/correr.h"
#include "model/hidrograma.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/dlg_hidrograma.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"

using namespace tarno;

namespace {

// A tilted V-shaped catchment of `filas` x `columnas` cells, 10 m each.
void EscribirDEM(const std::string& nombreDat, int32_t filas, int32_t columnas) {
    Grilla<float> v(filas, columnas);
    const double medio = (columnas + 1) / 2.0;
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c)
            v(f, c) = static_cast<float>(100 + (filas - f) * 0.5 + std::abs(c - medio) * 2.0);
    CabeceraImagen cab;
    cab.Titulo = "Cuenca de prueba";
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.XMaximo = columnas * 10.0;
    cab.YMaximo = filas * 10.0;
    cab.ResolucionX = cab.ResolucionY = 10;
    Extremos(v, cab.DatoMenor, cab.DatoMayor);
    ASSERT_TRUE(EscribirImagen(nombreDat, cab, v).ok);
}

// The run parameters, as "Campo=valor" lines for `tarno run` and in the record.
const std::vector<std::pair<std::string, std::string>> kParametros = {
    {"Pp", "40"},      {"Dur", "20"},     {"PasoPp", "1"},   {"PasoQ", "5"},   {"nPer", "45"},
    {"KRecesion", "10"}, {"fHidro1", "18"}, {"cHidro1", "5"},  {"fHidro2", "18"}, {"cHidro2", "7"},
    {"Div", "1"},      {"Metodo", "0"},
};

void Fijar(Parametros& p) {
    p.Pp = 40;
    p.Dur = 20;
    p.PasoPp = 1;
    p.PasoQ = 5;
    p.nPer = 45;
    p.KRecesion = 10;
    p.fHidro1 = 18;
    p.cHidro1 = 5;
    p.fHidro2 = 18;
    p.cHidro2 = 7;
    p.Div = true;
    p.Metodo = 0;
}

std::map<std::string, std::string> Archivos(const std::string& carpeta) {
    std::map<std::string, std::string> r;
    for (auto& e : std::filesystem::directory_iterator(carpeta)) {
        std::string bytes;
        LeerArchivo(e.path().string(), bytes);
        r[e.path().filename().string()] = bytes;
    }
    return r;
}

// The scripted platform with a look at the windows when a message comes.
struct PlataformaConAviso : prueba::PlataformaFalsa {
    std::function<void(const std::string&)> alMensaje;  // gets the title
    Respuesta Mensaje(const std::string& t, const std::string& ti, Icono i, Botones b) override {
        if (alMensaje) alMensaje(ti);
        return prueba::PlataformaFalsa::Mensaje(t, ti, i, b);
    }
};

struct Ventana {
    ui::EstadoApp estado;
    PlataformaConAviso plat;
    std::unique_ptr<ui::FrmMain0> v;
    Ventana() {
        v = std::make_unique<ui::FrmMain0>(estado, plat);
        v->show();
    }
    ~Ventana() {
        v.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Runs in `carpeta` as working folder (the processing-order cache goes there).
struct EnCarpeta {
    QString antes = QDir::currentPath();
    explicit EnCarpeta(const std::string& c) { QDir::setCurrent(QString::fromStdString(c)); }
    ~EnCarpeta() { QDir::setCurrent(antes); }
};

}  // namespace

TEST(CorridaVentana, MismosArchivosQueLaLineaDeComandos) {
    prueba::CarpetaTemporal cli, gui;
    // TARNO_DEM_PRUEBA may name another DEM (a "_dat.rkd" file) to compare on.
    const std::string otro = qEnvironmentVariable("TARNO_DEM_PRUEBA").toStdString();
    if (otro.empty()) {
        EscribirDEM(cli.Ruta("cuenca_dat.rkd"), 20, 11);
        EscribirDEM(gui.Ruta("cuenca_dat.rkd"), 20, 11);
    } else {
        for (const prueba::CarpetaTemporal* c : {&cli, &gui}) {
            ASSERT_TRUE(CopiarArchivo(otro, c->Ruta("cuenca_dat.rkd")).ok);
            ASSERT_TRUE(CopiarArchivo(NombreCabDe(otro), c->Ruta("cuenca_cab.rkd")).ok);
        }
    }

    // Command line.
    std::string texto = "DirDEM=" + cli.Carpeta() + "\nArchivoDEM=cuenca_dat.rkd\n";
    for (auto& [campo, valor] : kParametros) texto += campo + "=" + valor + "\n";
    cli.Escribir("parametros.txt", texto);
    QProcess tarno;
    tarno.setWorkingDirectory(QString::fromStdString(cli.Carpeta()));
    tarno.start(TARNO_CLI, {"run", "parametros.txt"});
    ASSERT_TRUE(tarno.waitForFinished(60000));
    ASSERT_EQ(tarno.exitCode(), 0) << tarno.readAllStandardError().toStdString();
    std::filesystem::remove(cli.Ruta("parametros.txt"));

    // The same run from the main window: the DEM chosen with the options
    // dialog's button, the rest as the dialog leaves it in the record.
    Ventana w;
    EnCarpeta aqui(gui.Carpeta());
    Fijar(w.estado.par);
    w.v->Accion("mnuOpciones")->trigger();
    w.plat.archivos.push_back(gui.Ruta("cuenca_dat.rkd"));
    QTest::mouseClick(w.v->OpcionesAbierto()->Control<QPushButton>("cmdCargaDEM"), Qt::LeftButton);
    if (otro.empty()) {
        EXPECT_FLOAT_EQ(w.estado.par.ResolucionX, 10.0f);
    }
    w.plat.mensajes.clear();
    w.v->Accion("Corre1")->trigger();

    ASSERT_GE(w.plat.mensajes.size(), 2u);
    EXPECT_EQ(w.plat.mensajes[0].titulo, "TARNO-SIG: Correr el modelo");
    EXPECT_EQ(w.plat.mensajes[0].icono, Icono::Pregunta);
    EXPECT_EQ(w.plat.mensajes[0].botones, Botones::AceptarCancelar);
    EXPECT_EQ(w.plat.mensajes[0].texto.rfind("Parámetros de Menú Opciones de Configuración:\r\nResolución= ", 0), 0u);
    EXPECT_EQ(w.plat.Ultimo().titulo, "Final de Proceso");
    EXPECT_EQ(w.plat.Ultimo().texto.rfind(
                  "Fin de la simulación. Los resultados se han grabado correctamente en los archivos\r\n", 0),
              0u);

    const auto a = Archivos(cli.Carpeta());
    const auto b = Archivos(gui.Carpeta());
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a.count("cuenca_QM_dat.rkd"));
    EXPECT_TRUE(a.count("cuenca_Qt.rkd"));
    for (auto& [nombre, bytes] : a) {
        ASSERT_TRUE(b.count(nombre)) << nombre;
        EXPECT_EQ(bytes, b.at(nombre)) << nombre;
    }

    // After the run: progress window unloaded, main window idle, board loaded
    // (hidden) with the section log.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.v->ProgresoAbierto(), nullptr);
    EXPECT_EQ(w.v->TextoPanelEstado(), "Estado");
    EXPECT_TRUE(w.v->TextoMensajes().isEmpty());
    EXPECT_FALSE(w.v->Corriendo());
    ASSERT_NE(w.v->PizarraAbierta(), nullptr);
    EXPECT_TRUE(w.estado.VerPizarra);
    EXPECT_FALSE(w.v->PizarraAbierta()->isVisible());
    const QString log = w.v->PizarraAbierta()->Texto();
    EXPECT_TRUE(log.startsWith("Hidrograma en Pixel Fila:  18  Col:  5\n")) << log.left(80).toStdString();
    // One line per section cell and period.
    int entradas = 0;
    for (const QString& l : log.split('\n'))
        if (l.startsWith(' ')) ++entradas;
    if (otro.empty()) {
        EXPECT_EQ(entradas, 3 * 45);
    }
    // The menu shows it.
    w.v->Accion("mnuPizarra1")->trigger();
    EXPECT_TRUE(w.v->PizarraAbierta()->isVisible());
    EXPECT_EQ(w.v->PizarraAbierta()->Texto(), log);
}

TEST(CorridaVentana, SinMDTAvisaYCreaLasOpcionesOcultas) {
    Ventana w;
    w.v->Accion("mnuRun1")->trigger();
    ASSERT_EQ(w.plat.mensajes.size(), 2u);
    EXPECT_EQ(w.plat.Ultimo().texto,
              "No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros");
    EXPECT_EQ(w.plat.Ultimo().titulo, "Error, falta archivo...");
    ASSERT_NE(w.v->OpcionesAbierto(), nullptr);
    EXPECT_FALSE(w.v->OpcionesAbierto()->isVisible());
    EXPECT_EQ(w.v->TextoPanelEstado(), "Estado");

    // Cancelled confirmation: nothing else happens.
    w.plat.mensajes.clear();
    w.plat.respuestas.push_back(Respuesta::Cancelar);
    w.v->Accion("Corre1")->trigger();
    EXPECT_EQ(w.plat.mensajes.size(), 1u);
}

// After a run with a section the hydrograph window shows the file's samples;
// the confirmation's check box asks for the report, which is written beside
// the DEM and opened through the platform; the choice is remembered.
// "Ver Hidrograma..." opens the chart of a file.
TEST(CorridaVentana, HidrogramaEInformeTrasLaCorrida) {
    prueba::CarpetaTemporal tmp;
    EscribirDEM(tmp.Ruta("v_dat.rkd"), 20, 11);
    Ventana w;
    EnCarpeta aqui(tmp.Carpeta());
    Fijar(w.estado.par);
    w.estado.par.DirDEM = tmp.Carpeta();
    w.estado.par.ArchivoDEM = "v_dat.rkd";
    w.plat.casillas.push_back(true);
    w.v->Accion("mnuRun1")->trigger();
    EXPECT_EQ(w.plat.textosCasilla, std::vector<std::string>{kCasillaInforme});
    EXPECT_EQ(w.plat.Ultimo().titulo, "Final de Proceso");
    ui::DlgHidrograma* h = w.v->HidrogramaAbierto();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->isVisible());
    ArchivoHidrograma qt;
    ASSERT_TRUE(LeerHidrograma(tmp.Ruta("v_Qt.rkd"), qt));
    ASSERT_EQ(h->Datos().caudal.size(), qt.Caudales.size());
    EXPECT_EQ(h->Datos().caudal[1].v, qt.Caudales[0]);
    EXPECT_EQ(h->Datos().lluvia.size(), static_cast<size_t>(w.estado.par.nPer));
    EXPECT_TRUE(h->Balance().contains("Balance [m3]: lluvia caída"));
    EXPECT_EQ(w.plat.documentos, std::vector<std::string>{tmp.Ruta("v_informe.html")});
    EXPECT_NE(tmp.Leer("v_informe.html").find("data:image/png;base64,"), std::string::npos);
    EXPECT_EQ(w.plat.ajustes["Settings/GenerarInforme"], "1");

    // The menu item reopens a file's chart.
    h->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.v->HidrogramaAbierto(), nullptr);
    w.plat.archivos.push_back(tmp.Ruta("v_Qt.rkd"));
    w.v->Accion("mnuVerHidrograma")->trigger();
    ASSERT_NE(w.v->HidrogramaAbierto(), nullptr);
    EXPECT_EQ(w.v->HidrogramaAbierto()->Datos().caudal.size(), qt.Caudales.size());
}

TEST(CorridaVentana, TiempoDeEsperaRechazadoDejaElProgresoAbierto) {
    prueba::CarpetaTemporal tmp;
    EscribirDEM(tmp.Ruta("v_dat.rkd"), 12, 7);
    Ventana w;
    EnCarpeta aqui(tmp.Carpeta());
    Fijar(w.estado.par);
    w.estado.par.fHidro1 = w.estado.par.cHidro1 = 0;
    w.estado.par.DirDEM = tmp.Carpeta();
    w.estado.par.ArchivoDEM = "v_dat.rkd";
    w.plat.pasoHora = 0.0006;  // each clock reading 52 s later: every period asks
    w.plat.respuestas = {Respuesta::Aceptar, Respuesta::Si, Respuesta::No};
    w.v->Accion("mnuRun1")->trigger();
    std::vector<std::string> textos;
    for (auto& m : w.plat.mensajes) textos.push_back(m.texto);
    ASSERT_GE(textos.size(), 4u);
    EXPECT_EQ(textos[1], "Se ha superado el tiempo de espera, desea continuar ?");
    EXPECT_EQ(w.plat.mensajes[1].botones, Botones::SiNo);
    EXPECT_EQ(w.plat.mensajes[1].titulo, "Tiempo de Espera...");
    EXPECT_EQ(textos.back(), "Se ha suspendido la corrida del modelo, los resultados obtenidos no son válidos...");
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("v_HM_dat.rkd")));
    // The progress window stays with its last content; the main window is idle.
    ui::FrmPp2* p = w.v->ProgresoAbierto();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->windowTitle(), "un momento...esta opción puede tardar varios minutos...");
    EXPECT_EQ(w.v->TextoPanelEstado(), "Estado");
    EXPECT_FALSE(w.v->Corriendo());
}

TEST(CorridaVentana, ProgresoCadaDiezPeriodos) {
    prueba::CarpetaTemporal tmp;
    EscribirDEM(tmp.Ruta("v_dat.rkd"), 10, 5);
    Ventana w;
    EnCarpeta aqui(tmp.Carpeta());
    Fijar(w.estado.par);
    w.estado.par.DirDEM = tmp.Carpeta();
    w.estado.par.ArchivoDEM = "v_dat.rkd";
    w.estado.par.nPer = 25;
    w.estado.par.fHidro1 = w.estado.par.cHidro1 = 0;
    // The progress window is checked from the end-of-run message box, while
    // the run still holds it open.
    QString periodo, tiempo;
    int valor = -1;
    w.plat.respuestas = {Respuesta::Aceptar};
    // Hook: inspect the window when the final message arrives.
    PlataformaConAviso plat;
    ui::EstadoApp estado;
    estado.par = w.estado.par;
    ui::FrmMain0 v(estado, plat);
    plat.alMensaje = [&](const std::string& titulo) {
        if (titulo != "Final de Proceso") return;
        ui::FrmPp2* p = v.ProgresoAbierto();
        ASSERT_NE(p, nullptr);
        valor = p->ProgressBar1()->value();
        periodo = p->CmdTrestante()->text();
        tiempo = p->CmdMiTime()->text();
    };
    v.mnuRun1_Click();
    EXPECT_EQ(valor, 80);  // period 20 of 25
    EXPECT_EQ(periodo, QString::fromUtf8("Período =  20 /  25"));
    EXPECT_TRUE(tiempo.startsWith("Tiempo de proceso: ")) << tiempo.toStdString();
}

TEST(Pluviograma, BotonCargaYMuestraElInforme) {
    prueba::CarpetaTemporal tmp;
    tmp.Escribir("tormenta_Pp.rkd", "\"Tormenta, de prueba\"\r\n25\r\n40\r\n10\r\n3\r\n0\r\n30\r\n39.9\r\n");
    Ventana w;
    w.v->Accion("mnuOpciones")->trigger();
    ui::DlgOpciones* d = w.v->OpcionesAbierto();
    w.plat.archivos.push_back(tmp.Ruta("tormenta_Pp.rkd"));
    // The board is already open with older text; when the warning comes it
    // is shown and cleared.
    w.v->Accion("mnuPizarra1")->trigger();
    w.v->PizarraAbierta()->PonerTexto("viejo");
    bool pizarraVisible = false;
    QString textoAlAviso = "sin aviso";
    w.plat.alMensaje = [&](const std::string& titulo) {
        if (titulo != "Error, de archivo...") return;
        ui::FrmPp* p = w.v->PizarraAbierta();
        pizarraVisible = p && p->isVisible();
        textoAlAviso = p ? p->Texto() : "sin pizarra";
    };
    QTest::mouseClick(d->Control<QPushButton>("cmdCargaPpArchivo"), Qt::LeftButton);
    EXPECT_TRUE(pizarraVisible);
    EXPECT_EQ(textoAlAviso, "");
    EXPECT_EQ(w.plat.titulosDialogo.back(),
              "Cargar archivo de Pluviograma de la tormenta (archivo extensión ??_Pp.rkd)");
    EXPECT_EQ(w.plat.filtrosDialogo.back(), "Archivos Pp de TARNO-SIG (*_Pp.rkd)|*_Pp.rkd");
    ASSERT_EQ(w.plat.mensajes.size(), 1u);  // the total does not match the curve
    EXPECT_EQ(w.plat.Ultimo().titulo, "Error, de archivo...");
    EXPECT_EQ(d->Control<QLabel>("lblPpArchivo")->text().toStdString(), tmp.Ruta("tormenta_Pp.rkd"));
    EXPECT_EQ(w.estado.pluviograma.Titulo, "Tormenta, de prueba");
    EXPECT_EQ(w.estado.pluviograma.NroDatos, 3);
    // Loading does not tick the check box.
    EXPECT_FALSE(d->Control<QCheckBox>("chkPpArchivo")->isChecked());
    EXPECT_FALSE(w.estado.par.PpArchivo);
    ui::FrmPp* pizarra = w.v->PizarraAbierta();
    ASSERT_NE(pizarra, nullptr);
    EXPECT_TRUE(pizarra->isVisible());
    const QString informe = pizarra->Texto();
    EXPECT_TRUE(informe.startsWith("TARNO-SIG: PluvioGRAMA DE TORMENTA\n")) << informe.toStdString();
    EXPECT_TRUE(informe.contains("Pp( 3)=  39.9")) << informe.toStdString();
}
