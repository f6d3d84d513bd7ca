#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

#include "raster/archivos.h"
#include "support/imagen_prueba.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/conexiones.h"
#include "ui/control_visor.h"
#include "ui/dlg_chart1.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"
#include "ui/frm_visor_img.h"
#include "viewer/paletas.h"
#include "viewer/render.h"
#include "viewer/zoom.h"

using namespace tarno;
using namespace tarno::ui;

namespace {

void Raton(QWidget* w, QEvent::Type tipo, QPoint p, Qt::MouseButton boton, Qt::MouseButtons botones) {
    QMouseEvent e(tipo, QPointF(p), w->mapToGlobal(QPointF(p)), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Drags with the left button from the centre of one view cell to another.
void Arrastrar(FrmVisorIMG* v, int tam, visor::Celda desde, visor::Celda hasta) {
    QWidget* p = v->Picture1();
    const QPoint a((desde.col - 1) * tam + tam / 2, (desde.fila - 1) * tam + tam / 2);
    const QPoint b((hasta.col - 1) * tam + tam / 2, (hasta.fila - 1) * tam + tam / 2);
    Raton(p, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    Raton(p, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    Raton(p, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
}

void Clic(FrmVisorIMG* v, int tam, visor::Celda c) {
    const QPoint a((c.col - 1) * tam + tam / 2, (c.fila - 1) * tam + tam / 2);
    Raton(v->Picture1(), QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    Raton(v->Picture1(), QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
}

void Limpiar() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct Entorno {
    prueba::CarpetaTemporal dir;
    prueba::PlataformaFalsa plat;
    EstadoApp estado;
    FrmMain0 ventana{estado, plat};

    std::string Escribir(const std::string& nombre, int filas, int columnas) {
        ImagenActual img = prueba::ImagenDe(filas, columnas, [](int f, int c) { return f * 10.0f + c; });
        const std::string ruta = dir.Ruta(nombre);
        EXPECT_TRUE(EscribirImagen(ruta, img, img.Valores).ok);
        return ruta;
    }
    ~Entorno() {
        for (QWidget* w : ventana.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isWindow()) w->close();
        Limpiar();
    }
};

TEST(Visor, AbreDibujaYLee) {
    Entorno e;
    const std::string ruta = e.Escribir("dem_dat.rkd", 40, 60);
    MostrarImagen(e.ventana, ruta);
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(e.plat.mensajes.empty());
    EXPECT_EQ(v->windowTitle().toStdString(), "TARNO-SIG - Archivo: " + ruta);
    EXPECT_EQ(v->PicTitulo()->text().toStdString(), "Título: Prueba - sub\nArchivo: " + ruta);
    // The cell size fits the whole image on the screen, measured in pixels.
    const QSize pantalla = QGuiApplication::primaryScreen()->size();
    const int tam = visor::ZoomAjustado(visor::kTablaZoomInicial, pantalla.width(), pantalla.height(), 60, 40);
    EXPECT_EQ(e.estado.visor.TamPixel, tam);
    EXPECT_LE(60 * tam, pantalla.width());
    EXPECT_EQ(v->Picture1()->size(), QSize(60 * tam, 40 * tam));
    // Palette 1: the smallest value is level 0 (black), the largest level 255 (white).
    EXPECT_EQ(v->Picture1()->Imagen().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(v->Picture1()->Imagen().pixel(60 * tam - 1, 40 * tam - 1), qRgb(255, 255, 255));
    EXPECT_EQ(v->PicLeyenda()->isVisible(), visor::HayLeyenda(60 * tam, 40 * tam));

    Raton(v->Picture1(), QEvent::MouseMove, QPoint(tam * 11 + 1, tam * 1 + 1), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(v->Panel(1), "Col= 12");
    EXPECT_EQ(v->Panel(2), "Fil= 2");
    EXPECT_EQ(v->Panel(3), "X= 360");
    EXPECT_EQ(v->Panel(4), "Y= 100");
    EXPECT_EQ(v->Panel(5), "Z= 32");

    // "Ver" recreates the viewer with the palette chosen since.
    e.estado.visor.NroPaleta = 5;
    mnuReVer_Click(e.ventana);
    Limpiar();
    FrmVisorIMG* otro = VisorAbierto(e.ventana);
    ASSERT_NE(otro, nullptr);
    EXPECT_EQ(otro->Picture1()->Imagen().pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Visor, ComandosDelMenuPrincipal) {
    Entorno e;
    QAction* areas = e.ventana.Accion("mnuEdicionAreas");
    ASSERT_NE(areas, nullptr);
    EXPECT_FALSE(areas->isEnabled());
    e.ventana.VerIMG(e.Escribir("c_dat.rkd", 20, 600));
    ASSERT_NE(VisorAbierto(e.ventana), nullptr);
    EXPECT_TRUE(areas->isEnabled());

    // Force minimum: flag and check mark, no redraw.
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    e.ventana.Accion("mnuForzarMinimo")->trigger();
    EXPECT_TRUE(e.estado.visor.ForzarMinimo);
    EXPECT_TRUE(e.ventana.Accion("mnuForzarMinimo")->isChecked());
    EXPECT_EQ(VisorAbierto(e.ventana), v);
    e.ventana.Accion("mnuForzarMinimo")->trigger();
    EXPECT_FALSE(e.estado.visor.ForzarMinimo);
    EXPECT_FALSE(e.ventana.Accion("mnuForzarMinimo")->isChecked());

    // "Refrescar imagen" draws again; "Estado" comes back to the status bar.
    e.ventana.Accion("mnuReVer")->trigger();
    Limpiar();
    ASSERT_NE(VisorAbierto(e.ventana), nullptr);
    EXPECT_NE(VisorAbierto(e.ventana), v);
    EXPECT_EQ(e.ventana.TextoPanelEstado(), "Estado");
    EXPECT_TRUE(e.ventana.TextoMensajes().isEmpty());
    // "Restaurar Imagen completa" draws the whole image again.
    FrmVisorIMG* antes = VisorAbierto(e.ventana);
    e.ventana.Accion("mnuRestaurarIMG")->trigger();
    Limpiar();
    ASSERT_NE(VisorAbierto(e.ventana), nullptr);
    EXPECT_NE(VisorAbierto(e.ventana), antes);

    VisorAbierto(e.ventana)->close();
    Limpiar();
    EXPECT_FALSE(areas->isEnabled());
    EXPECT_EQ(VisorAbierto(e.ventana), nullptr);
}

TEST(Visor, ErroresDeLecturaYDeCuenta) {
    Entorno e;
    MostrarImagen(e.ventana, e.dir.Ruta("no_existe_dat.rkd"));
    ASSERT_EQ(e.plat.mensajes.size(), 1u);
    EXPECT_EQ(VisorAbierto(e.ventana), nullptr);

    const std::string ruta = e.Escribir("corto_dat.rkd", 3, 3);
    std::string datos;
    ASSERT_TRUE(LeerArchivo(ruta, datos));
    ASSERT_TRUE(GuardarArchivo(ruta, datos.substr(0, datos.size() / 2)).ok);
    MostrarImagen(e.ventana, ruta);
    ASSERT_EQ(e.plat.mensajes.size(), 2u);
    EXPECT_EQ(e.plat.Ultimo().texto,
              "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al Nro. de "
              "Columnas x Nro Filas + 1 ");
    EXPECT_EQ(e.plat.Ultimo().titulo, "Error de archivo...");
    EXPECT_EQ(e.plat.Ultimo().icono, Icono::Advertencia);
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->windowTitle(), "TARNO-SIG");  // the drawing stopped before the caption
}

TEST(Visor, VerAgrandaImagenesChicas) {
    Entorno e;
    const std::string ruta = e.Escribir("chica_dat.rkd", 5, 5);
    e.estado.img = ImagenActual{};
    ASSERT_TRUE(LeerIMG(ruta, "", e.estado.img).ok);
    e.estado.visor.TamPixel = 10;
    mnuReVer_Click(e.ventana);
    EXPECT_EQ(e.estado.visor.TamPixel, 20);
    ASSERT_NE(VisorAbierto(e.ventana), nullptr);
    EXPECT_EQ(VisorAbierto(e.ventana)->Picture1()->size(), QSize(100, 100));
}

TEST(Visor, RectanguloAmpliaYRestaurarVuelve) {
    Entorno e;
    MostrarImagen(e.ventana, e.Escribir("r_dat.rkd", 40, 60));
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    v->Item("mnuSelRectangulo")->trigger();
    EXPECT_TRUE(v->Item("mnuSelRectangulo")->isChecked());
    EXPECT_FALSE(v->Item("mnuSelPixel")->isChecked());
    EXPECT_FALSE(v->Item("mnuPerfilPixel")->isEnabled());
    const int tam = e.estado.visor.TamPixel;
    // Dragged from bottom-right to top-left.
    Arrastrar(v, tam, {5, 6}, {2, 3});
    Limpiar();
    const visor::EstadoVisor& ev = e.estado.visor;
    EXPECT_TRUE(ev.VerSeleccion);
    EXPECT_EQ(ev.DespCol, 1);
    EXPECT_EQ(ev.DespFila, 2);
    EXPECT_EQ(ev.SelCol1 + ev.SelCol2 + ev.SelFila1 + ev.SelFila2, 0);
    const QSize pantalla = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(ev.TamPixel, visor::ZoomAjustado(visor::kTablaZoomInicial, pantalla.width(), pantalla.height(), 4, 4));
    EXPECT_LE(4 * ev.TamPixel, pantalla.height());
    FrmVisorIMG* z = VisorAbierto(e.ventana);
    ASSERT_NE(z, nullptr);
    ASSERT_NE(z, v);
    EXPECT_TRUE(z->Item("mnuSelRectangulo")->isChecked());
    EXPECT_EQ(z->Picture1()->size(), QSize(4 * ev.TamPixel, 4 * ev.TamPixel));
    Raton(z->Picture1(), QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(z->Panel(1), "Col= 2");
    EXPECT_EQ(z->Panel(2), "Fil= 3");

    z->Item("mnuRestaurar")->trigger();
    Limpiar();
    EXPECT_FALSE(ev.VerSeleccion);
    EXPECT_EQ(ev.DespCol, 0);
    EXPECT_EQ(ev.TamPixel, visor::ZoomAjustado(visor::kTablaZoomInicial, pantalla.width(), pantalla.height(), 60, 40));
    EXPECT_LE(60 * ev.TamPixel, pantalla.width());
    ASSERT_NE(VisorAbierto(e.ventana), nullptr);
    EXPECT_EQ(VisorAbierto(e.ventana)->Picture1()->size(), QSize(60 * ev.TamPixel, 40 * ev.TamPixel));
}

TEST(Visor, PerfilDeSegmentoYGrafico) {
    Entorno e;
    MostrarImagen(e.ventana, e.Escribir("p_dat.rkd", 40, 60));
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    v->Item("mnuSelSegmento")->trigger();
    EXPECT_TRUE(v->Item("mnuPerfilPixel")->isEnabled());
    const int tam = e.estado.visor.TamPixel;
    Arrastrar(v, tam, {2, 2}, {5, 3});
    v->Item("mnuPerfilPixel")->trigger();
    Limpiar();
    const visor::EstadoVisor& ev = e.estado.visor;
    EXPECT_EQ(ev.NroPuntosPerfil, 4);
    EXPECT_EQ(ev.PerfilColumnas, (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_EQ(ev.PerfilFilas, (std::vector<int32_t>{2, 2, 3, 3}));
    FrmVisorIMG* nuevo = VisorAbierto(e.ventana);
    ASSERT_NE(nuevo, nullptr);
    EXPECT_TRUE(nuevo->Item("mnuSelSegmento")->isChecked());
    EXPECT_EQ(nuevo->Picture1()->Imagen().pixel(3 * tam, 2 * tam), qRgb(230, 230, 230));  // cell (4,3) marked

    ASSERT_NE(e.ventana.PizarraAbierta(), nullptr);
    EXPECT_TRUE(e.ventana.PizarraAbierta()->isVisible());
    EXPECT_EQ(e.ventana.PizarraAbierta()->Texto().toStdString(),
              "TARNO-SIG\nVector de Selección de un Segmento\ni, Col, Fila, Valor\n 1    2    2    22\n"
              " 2    3    2    23\n 3    4    3    34\n 4    5    3    35");

    DlgChart1* d = ChartAbierto(e.ventana);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), "TARNO-SIG: Selección de Segmento en Imagen ");
    EXPECT_EQ(d->Etiquetas(), (QStringList{" 40", " 80", " 120", " 160"}));
    EXPECT_EQ(d->TituloEjeX(), "metros");
    EXPECT_EQ(d->Valores(), (std::vector<float>{22, 23, 34, 35}));
    EXPECT_EQ(d->TituloGrafico(), "    ");
    EXPECT_EQ(d->Pie(), " mi footnote");
    d->findChild<QPushButton*>("cmdPxMt")->click();
    EXPECT_EQ(d->Etiquetas(), (QStringList{" 1", " 2", " 3", " 4"}));
    EXPECT_EQ(d->TituloEjeX(), "pixel");
    d->findChild<QPushButton*>("cmdPxMt")->click();
    EXPECT_EQ(d->TituloEjeX(), "metros");
    d->findChild<QPushButton*>("OKButton")->click();
    EXPECT_FALSE(d->isVisible());

    // No segment traced: the dialog closes at once.
    e.estado.visor.NroPuntosPerfil = 0;
    auto* vacio = new DlgChart1(e.estado, &e.ventana);
    vacio->show();
    EXPECT_FALSE(vacio->Cargar());
    EXPECT_FALSE(vacio->isVisible());
}

TEST(Visor, PintarAreasGuardarYSalir) {
    Entorno e;
    const std::string ruta = e.Escribir("cuenca_dat.rkd", 6, 600);
    MostrarImagen(e.ventana, ruta);
    mnuImgRASKAbstra_Click(e.ventana);
    Limpiar();
    EXPECT_TRUE(e.plat.mensajes.empty());
    ASSERT_EQ(e.estado.img.NombreDat, e.dir.Ruta("cuenca_Ag_dat.rkd"));
    EXPECT_TRUE(e.estado.img.TieneAreas);
    EXPECT_EQ(e.estado.img.Subtitulo, "subAGREGADO");
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(v->Item("mnuLapizPincel")->isEnabled());
    EXPECT_FALSE(v->Combo1()->isVisible());
    v->Item("mnuLapizPincel")->trigger();
    EXPECT_TRUE(v->Item("mnuLapizPincel")->isChecked());
    EXPECT_TRUE(v->Combo1()->isVisible());
    EXPECT_TRUE(v->Toolbar1()->isVisible());
    ASSERT_EQ(v->Combo1()->count(), 1);
    EXPECT_EQ(v->Combo1()->itemText(0), "Agregar Nueva Area o Vector");

    const int tam = e.estado.visor.TamPixel;
    // An empty name adds nothing.
    e.plat.entradas = {""};
    Clic(v, tam, {3, 2});
    EXPECT_EQ(e.estado.img.NroAreas, 0);
    ASSERT_EQ(e.plat.preguntasEntrada.size(), 1u);
    EXPECT_EQ(e.plat.preguntasEntrada[0], "Ingrese el nombre para el Area agregada Nro.  1|Editar Nueva Area Agreagada");
    EXPECT_EQ(e.plat.porDefectoEntrada[0], " 1");
    e.plat.entradas = {"Bosque"};
    Clic(v, tam, {3, 2});
    EXPECT_EQ(e.estado.img.NroAreas, 1);
    ASSERT_EQ(v->Combo1()->count(), 2);
    EXPECT_EQ(v->Combo1()->itemText(1), "Bosque");
    EXPECT_EQ(v->Combo1()->currentIndex(), 1);
    EXPECT_EQ(e.estado.img.Valores(2, 3), 23.0f);  // asking paints nothing

    const QRgb antes = v->Picture1()->Imagen().pixel(2 * tam, tam);
    const QRgb original = v->Picture1()->Imagen().pixel(3 * tam, tam);
    Clic(v, tam, {3, 2});
    EXPECT_EQ(e.estado.img.Valores(2, 3), 1.0f);
    EXPECT_NE(v->Picture1()->Imagen().pixel(2 * tam, tam), antes);
    Clic(v, tam, {4, 2});
    v->Toolbar1()->findChild<QAction*>("BtnGoma")->trigger();
    Clic(v, tam, {4, 2});
    EXPECT_EQ(e.estado.img.Valores(2, 4), 24.0f);  // the value found when painting started
    EXPECT_EQ(v->Picture1()->Imagen().pixel(3 * tam, tam), original);
    v->Toolbar1()->findChild<QAction*>("BtnLapiz")->trigger();

    v->Toolbar1()->findChild<QAction*>("BtnGuarda")->trigger();
    EXPECT_EQ(e.dir.Leer("cuenca_Ag_agr.rkd"), "1\r\n\"Bosque\"\r\n");
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(e.dir.Ruta("cuenca_Ag_dat.rkd"), "", leida).ok);
    EXPECT_EQ(leida.Subtitulo, "subAGREGADO - agr.dat");
    EXPECT_EQ(leida.Valores(2, 3), 1.0f);
    EXPECT_EQ(leida.DatoMenor, 1.0f);
    EXPECT_EQ(leida.NroAreas, 1);

    e.plat.respuestas = {Respuesta::Aceptar};
    v->Toolbar1()->findChild<QAction*>("BtnSalir")->trigger();
    EXPECT_EQ(e.plat.Ultimo().texto, "¿Confirma las áreas y cambios realizados ?");
    EXPECT_EQ(e.plat.Ultimo().titulo, "ADVERTENCIA: Al aceptar modifica los datos de la imagen");
    EXPECT_EQ(e.plat.Ultimo().icono, Icono::Advertencia);
    EXPECT_EQ(e.plat.Ultimo().botones, Botones::AceptarCancelar);
    EXPECT_TRUE(v->isVisible());
    e.plat.respuestas = {Respuesta::Cancelar};
    v->Toolbar1()->findChild<QAction*>("BtnSalir")->trigger();
    EXPECT_FALSE(v->isVisible());
    Limpiar();
    EXPECT_EQ(VisorAbierto(e.ventana), nullptr);
}

TEST(Visor, MasDe255AreasNoSePintan) {
    Entorno e;
    e.ventana.Accion("mnuImgRASKAbstra")->trigger();  // no image open
    ASSERT_EQ(e.plat.mensajes.size(), 1u);
    EXPECT_EQ(e.plat.Ultimo().texto, "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...");

    MostrarImagen(e.ventana, e.Escribir("m_dat.rkd", 4, 600));
    mnuImgRASKAbstra_Click(e.ventana);
    Limpiar();
    for (int k = 1; k <= 256; ++k) visor::AgregarArea(e.estado.img, "A" + std::to_string(k));
    FrmVisorIMG* v = VisorAbierto(e.ventana);
    ASSERT_NE(v, nullptr);
    v->Item("mnuLapizPincel")->trigger();
    ASSERT_EQ(v->Combo1()->count(), 257);
    EXPECT_EQ(v->Combo1()->itemText(256), " 256- A256");
    v->Combo1()->setCurrentIndex(256);
    const float antes = e.estado.img.Valores(1, 1);
    Clic(v, e.estado.visor.TamPixel, {1, 1});
    EXPECT_EQ(e.plat.Ultimo().texto, "error, el número de áreas supera el máximo permitido de 255");
    EXPECT_EQ(e.plat.Ultimo().titulo, "Error, ");
    EXPECT_EQ(e.estado.img.Valores(1, 1), antes);
    v->Combo1()->setCurrentIndex(255);
    Clic(v, e.estado.visor.TamPixel, {1, 1});
    EXPECT_EQ(e.estado.img.Valores(1, 1), 255.0f);
}

}  // namespace
