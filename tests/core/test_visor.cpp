#include <gtest/gtest.h>

#include "raster/archivos.h"
#include "support/imagen_prueba.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "comandos/agregada.h"
#include "viewer/pintura.h"
#include "viewer/render.h"
#include "viewer/seleccion.h"
#include "viewer/zoom.h"

using namespace tarno;
using namespace tarno::visor;

namespace {

const TablaZoomT& T = kTablaZoomInicial;

TEST(Zoom, TamanoInicialSegunPantalla) {
    // The screen is measured in pixels: the whole image fits on it.
    EXPECT_EQ(ZoomAjustado(T, 1024, 768, 100, 100), 5);    // 10 by width, 7.68 -> 8 by height
    EXPECT_EQ(ZoomAjustado(T, 1440, 900, 404, 404), 2);    // 3.56 / 2.23: 808 pixels
    EXPECT_EQ(ZoomAjustado(T, 1024, 768, 2, 2), 200);      // 512 / 384
    EXPECT_EQ(ZoomAjustado(T, 3000, 2400, 2, 2), 1000);    // 1500 / 1200 clamps to 1000
    EXPECT_EQ(ZoomAjustado(T, 1024, 768, 40000, 10), 1);   // below one pixel per cell
    EXPECT_EQ(ZoomAjustado(T, 1024, 768, 0, 0), 1000);     // nothing to fit
    EXPECT_EQ(AjustarATabla(T, 39), 20);
    EXPECT_EQ(AjustarATabla(T, 40), 40);
    EXPECT_EQ(AjustarATabla(T, 999), 500);
}

TEST(Zoom, PasosYTamanoMinimo) {
    EXPECT_EQ(ZoomMenos(T, 1), 1);
    EXPECT_EQ(ZoomMenos(T, 10), 5);
    EXPECT_EQ(ZoomMenos(T, 7), 1000);  // not in the table
    EXPECT_EQ(ZoomMas(T, 1000), 1000);
    EXPECT_EQ(ZoomMas(T, 10), 20);
    EXPECT_EQ(ZoomMas(T, 7), 1000);
    EXPECT_EQ(ZoomMinimo(T, 10, 5, 5), 20);     // 20 x 5 = 100
    EXPECT_EQ(ZoomMinimo(T, 10, 50, 50), 10);   // already big enough
    EXPECT_EQ(ZoomMinimo(T, 10, 1, 200), 100);  // one column needs 100
    EXPECT_EQ(ZoomMinimo(T, 10, 0, 0), 1000);
    EXPECT_EQ(IndiceZoom(T, 40), 7);
    EXPECT_EQ(IndiceZoom(T, 3), 0);
}

TEST(Seleccion, CursorYLectura) {
    ImagenActual img = prueba::ImagenDe(4, 12, [](int f, int c) { return f * 100.0f + c + 0.5f; });
    img.XMinimo = 1000;
    img.YMinimo = 2000;
    EstadoVisor ev;
    // The picture is wider than the image: the last column is never exceeded.
    EXPECT_EQ(CeldaBajoCursor(500, 15, 10, 600, 40, 12, 4), (Celda{12, 2}));
    EXPECT_EQ(CeldaBajoCursor(-5, 0, 10, 120, 40, 12, 4), (Celda{1, 1}));
    const auto p = LecturaCursor(img, ev, Celda{12, 2});
    EXPECT_EQ(p[0], "Col= 12");
    EXPECT_EQ(p[1], "Fil= 2");
    EXPECT_EQ(p[2], "X= 1360");
    EXPECT_EQ(p[3], "Y= 2100");
    EXPECT_EQ(p[4], "Z= 212.5");
    ev.DespCol = 5;  // offsets shift the view; the image bounds still hold
    EXPECT_EQ(LecturaCursor(img, ev, Celda{12, 2})[0], "Col= 12");
    EXPECT_EQ(LecturaCursor(img, ev, Celda{3, 2})[0], "Col= 8");
}

TEST(Seleccion, BandasElasticas) {
    EXPECT_EQ(BandaRectangulo(10, Celda{5, 4}, Celda{2, 6}), (Rect{10, 30, 40, 30}));
    EXPECT_EQ(BandaLinea(10, Celda{1, 1}, Celda{3, 2}), (std::array<int, 4>{5, 5, 25, 15}));
    EXPECT_EQ(GrosorBanda(1), 1);
    EXPECT_EQ(GrosorBanda(4), 2);
}

TEST(Seleccion, RectanguloEnCualquierSentidoYAcumulado) {
    EstadoVisor a, b;
    a.SelCol1 = 3, a.SelFila1 = 2, a.SelCol2 = 12, a.SelFila2 = 9;
    b.SelCol1 = 12, b.SelFila1 = 9, b.SelCol2 = 3, b.SelFila2 = 2;
    const int16_t ta = TerminarRectangulo(a, 1024, 768);
    const int16_t tb = TerminarRectangulo(b, 1024, 768);
    EXPECT_EQ(ta, tb);
    EXPECT_EQ(ta, 50);  // 10 x 8 cells: 102.4 by width, 96 by height
    EXPECT_EQ(a.DespCol, 2);
    EXPECT_EQ(a.DespFila, 1);
    EXPECT_EQ(b.DespCol, 2);
    EXPECT_TRUE(b.VerSeleccion);
    EXPECT_EQ(b.SelAncho, 10);
    EXPECT_EQ(b.SelAlto, 8);
    // A second rectangle inside the zoomed view zooms further.
    a.SelCol1 = 2, a.SelFila1 = 3, a.SelCol2 = 4, a.SelFila2 = 3;
    TerminarRectangulo(a, 1024, 768);
    EXPECT_EQ(a.DespCol, 3);
    EXPECT_EQ(a.DespFila, 3);
    ImagenActual img = prueba::ImagenDe(20, 20, [](int, int) { return 1.0f; });
    const VistaCeldas v = CeldasVisibles(img, a);
    EXPECT_EQ(v.col1, 4);
    EXPECT_EQ(v.col2, 6);
    EXPECT_EQ(v.fila1, 4);
    EXPECT_EQ(v.fila2, 4);
}

std::vector<Celda> Segmento(int c1, int f1, int c2, int f2, int dc = 0, int df = 0) {
    EstadoVisor ev;
    ev.SelCol1 = c1, ev.SelFila1 = f1, ev.SelCol2 = c2, ev.SelFila2 = f2;
    ev.DespCol = dc, ev.DespFila = df;
    return RecorrerSegmento(ev);
}

TEST(Seleccion, RecorridoDeSegmentos) {
    EXPECT_EQ(Segmento(2, 2, 5, 3), (std::vector<Celda>{{2, 2}, {3, 2}, {4, 3}, {5, 3}}));
    EXPECT_EQ(Segmento(4, 4, 4, 4), (std::vector<Celda>{{4, 4}}));
    EXPECT_EQ(Segmento(2, 2, 3, 6), (std::vector<Celda>{{2, 2}, {2, 3}, {2, 4}, {3, 5}, {3, 6}}));
    EXPECT_EQ(Segmento(3, 6, 2, 2), (std::vector<Celda>{{3, 6}, {3, 5}, {2, 4}, {2, 3}, {2, 2}}));
    EXPECT_EQ(Segmento(5, 3, 2, 2), (std::vector<Celda>{{5, 3}, {4, 3}, {3, 2}, {2, 2}}));
    EXPECT_EQ(Segmento(2, 2, 5, 3, 10, 20), (std::vector<Celda>{{12, 22}, {13, 22}, {14, 23}, {15, 23}}));
    EXPECT_TRUE(Segmento(0, 2, 5, 3).empty());
    // Every segment, in every direction, moves one cell at a time and ends on its last cell.
    for (int c2 = 1; c2 <= 9; ++c2)
        for (int f2 = 1; f2 <= 9; ++f2) {
            const auto p = Segmento(5, 5, c2, f2);
            ASSERT_EQ(p.front(), (Celda{5, 5}));
            ASSERT_EQ(p.back(), (Celda{c2, f2})) << c2 << "," << f2;
            ASSERT_EQ(p.size(), static_cast<size_t>(std::max(std::abs(c2 - 5), std::abs(f2 - 5)) + 1));
            for (size_t i = 1; i < p.size(); ++i) {
                ASSERT_LE(std::abs(p[i].col - p[i - 1].col), 1);
                ASSERT_LE(std::abs(p[i].fila - p[i - 1].fila), 1);
            }
        }
}

TEST(Seleccion, TextoYEtiquetasDelPerfil) {
    ImagenActual img = prueba::ImagenDe(3, 5, [](int f, int c) { return f * 10.0f + c * 0.25f; });
    EXPECT_EQ(TextoPerfil(img, Segmento(2, 2, 5, 3)),
              "TARNO-SIG\r\nVector de Selección de un Segmento\r\ni, Col, Fila, Valor"
              "\r\n 1    2    2    20.5\r\n 2    3    2    20.75\r\n 3    4    3    31"
              "\r\n 4    5    3    31.25");
    EXPECT_EQ(EtiquetasPerfil(5, false, 30, 50), (std::vector<std::string>{" 40", " 80", " 120", " 160", " 200"}));
    EXPECT_EQ(EtiquetasPerfil(5, true, 30, 50), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
    EXPECT_EQ(EtiquetasPerfil(2, false, 25, 10), (std::vector<std::string>{" 17", " 35"}));  // integer part
    EXPECT_STREQ(TituloEjePerfil(false), "metros");
    EXPECT_STREQ(TituloEjePerfil(true), "pixel");
}

TablaPaletas Paletas() {
    TablaPaletas t;
    uint64_t azar = kSemillaColorines;
    CargarPaletas({}, false, azar, t);
    return t;
}

TEST(Pintura, PincelGomaYAnchos) {
    ImagenActual img = prueba::ImagenDe(6, 6, [](int f, int c) { return f * 10.0f + c; }, "a_Ag_dat.rkd");
    img.TieneAreas = true;
    const TablaPaletas pal = Paletas();
    EditorAreas ed;
    EntrarPintura(ed, img);
    ed.AreaActual = 3;
    ed.AnchoPincel = 5;
    // A 5-cell brush on the last row: the rows past it fall on the last row.
    const auto cuadros = PintarBloque(ed, img, pal, 1, 10, 6, 1);
    EXPECT_EQ(cuadros.size(), 25u);
    EXPECT_EQ(img.Valores(6, 1), 3.0f);
    EXPECT_EQ(img.Valores(6, 5), 3.0f);
    EXPECT_EQ(img.Valores(5, 1), 51.0f);
    EXPECT_EQ(img.Valores(6, 6), 66.0f);
    EXPECT_EQ(cuadros[0].color, pal(3, 7));  // palette 7 whatever the palette in use
    EXPECT_EQ(cuadros[0].x, 0);
    EXPECT_EQ(cuadros[0].y, 50);
    EXPECT_EQ(cuadros.back().y, 90);  // squares are drawn where the block would be

    // The eraser restores the value found when painting started, not the saved one.
    prueba::CarpetaTemporal dir;
    img.NombreDat = dir.Ruta("a_Ag_dat.rkd");
    ASSERT_TRUE(GuardarAreas(img).ok);
    ed.Lapiz = false;
    ed.Goma = true;
    ed.AnchoPincel = 1;
    const auto g = PintarBloque(ed, img, pal, 4, 1, 6, 2);
    EXPECT_EQ(img.Valores(6, 2), 62.0f);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].color, pal(static_cast<int>(std::nearbyint((62.0 - 3.0) / (66.0 - 3.0) * 255.0)), 4));

    ed.AnchoPincel = 1;
    EXPECT_EQ(AnchoMayor(ed), 2);
    EXPECT_EQ(AnchoMenor(ed), 1);
    ed.AnchoPincel = 100;
    EXPECT_EQ(AnchoMayor(ed), 100);
    EXPECT_EQ(AnchoMenor(ed), 50);
}

TEST(Pintura, ListaYGuardado) {
    prueba::CarpetaTemporal dir;
    ImagenActual img = prueba::ImagenDe(2, 2, [](int f, int c) { return f + c * 1.0f; }, dir.Ruta("z_Ag_dat.rkd"));
    img.TieneAreas = true;
    EXPECT_EQ(ListaAreas(img), (std::vector<std::string>{"Agregar Nueva Area o Vector"}));
    EXPECT_FALSE(AgregarArea(img, ""));
    EXPECT_EQ(img.NroAreas, 0);
    EXPECT_TRUE(AgregarArea(img, "Bosque"));
    EXPECT_TRUE(AgregarArea(img, "Río"));
    EXPECT_EQ(ListaAreas(img), (std::vector<std::string>{"Agregar Nueva Area o Vector", " 1- Bosque", " 2- Río"}));

    img.Valores(1, 1) = 9;
    ASSERT_TRUE(GuardarAreas(img).ok);
    ASSERT_TRUE(GuardarAreas(img).ok);
    ImagenActual leida;
    ASSERT_TRUE(LeerIMG(img.NombreDat, "", leida).ok);
    EXPECT_EQ(leida.Subtitulo, "sub - agr.dat - agr.dat");
    EXPECT_EQ(leida.DatoMenor, 3.0f);
    EXPECT_EQ(leida.DatoMayor, 9.0f);
    EXPECT_TRUE(leida.TieneAreas);
    ASSERT_EQ(leida.NroAreas, 2);
    EXPECT_EQ(leida.NombresAreas[2], "Río");

    // Values all above 1e8 keep the running minimum's start.
    img.Valores.Llenar(2e8f);
    ASSERT_TRUE(GuardarAreas(img).ok);
    EXPECT_EQ(img.DatoMenor, 1e8f);
    EXPECT_EQ(img.DatoMayor, 2e8f);
}

TEST(Render, PixelesPaletaYSeleccion) {
    ImagenActual img = prueba::ImagenDe(2, 3, [](int f, int c) { return (f - 1) * 3.0f + c - 1; });
    const TablaPaletas pal = Paletas();
    EstadoVisor ev;
    ev.NroPaleta = 5;
    ev.TamPixel = 1;
    QImage q;
    ASSERT_TRUE(Renderizar(img, ev, pal, q).ok);
    ASSERT_EQ(q.size(), QSize(3, 2));
    EXPECT_EQ(q.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(q.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(q.pixel(1, 0), qRgb(204, 204, 204));  // level 51

    ev.TamPixel = 4;
    ASSERT_TRUE(Renderizar(img, ev, pal, q).ok);
    ASSERT_EQ(q.size(), QSize(12, 8));
    EXPECT_EQ(q.pixel(11, 7), qRgb(0, 0, 0));
    EXPECT_EQ(q.pixel(4, 3), qRgb(204, 204, 204));
    EXPECT_EQ(q.pixel(3, 4), q.pixel(0, 7));

    ev.VerSeleccion = true;  // only cells (2..3, 2) at the top left
    ev.DespCol = 1, ev.DespFila = 1, ev.SelAncho = 2, ev.SelAlto = 1;
    ASSERT_TRUE(Renderizar(img, ev, pal, q).ok);
    ASSERT_EQ(q.size(), QSize(8, 4));
    EXPECT_EQ(q.pixel(7, 3), qRgb(0, 0, 0));

    img.NroDatos = 5;  // the data file was short
    ev.VerSeleccion = false;
    const Resultado r = Renderizar(img, ev, pal, q);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.mensaje,
              "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al Nro. de "
              "Columnas x Nro Filas + 1 ");

    ev.TamPixel = 1000;  // a picture that cannot be held is refused, not attempted
    ImagenActual grande = prueba::ImagenDe(300, 300, [](int, int) { return 0.0f; });
    EXPECT_EQ(Renderizar(grande, ev, pal, q).mensaje, "Memoria insuficiente");
}

TEST(Render, TamanoQueCabeEnMemoria) {
    EXPECT_EQ(ZoomQueCabe(T, 20, 758, 758), 10);    // 15160 x 15160 pixels do not fit
    EXPECT_EQ(ZoomQueCabe(T, 20, 404, 404), 20);
    EXPECT_EQ(ZoomQueCabe(T, 1000, 40000, 40000), 1);
    EXPECT_EQ(ZoomQueCabe(T, 10, 1000, 1000), 10);  // 100 million pixels fit
}

TEST(Render, LeyendaTituloYVentana) {
    ImagenActual img = prueba::ImagenDe(80, 120, [](int f, int c) { return f + c * 0.5f; });
    img.Decimales = 1;
    EXPECT_FALSE(HayLeyenda(1200, 800));
    EXPECT_TRUE(HayLeyenda(2001, 1501));
    auto filas = FilasLeyenda(img);
    ASSERT_EQ(filas.size(), 26u);
    EXPECT_EQ(filas[0].texto, " 0");
    EXPECT_EQ(filas[25].nivel, 250);
    EXPECT_EQ(filas[25].texto, " 135.8");  // (140 - 1.5) x 250 / 255, one decimal
    img.TieneAreas = true;
    img.NroAreas = 2;
    img.NombresAreas = {"", "Bosque", "Río"};
    filas = FilasLeyenda(img);
    ASSERT_EQ(filas.size(), 5u);
    EXPECT_EQ(filas[1].texto, " 2");
    EXPECT_EQ(filas[1].nivel, 2);
    EXPECT_EQ(filas[2].texto, "");
    EXPECT_EQ(filas[4].texto, "Río ");

    img.NombreDat = "/d/x_dat.rkd";
    EXPECT_EQ(TituloVisor(img), "TARNO-SIG - Archivo: /d/x_dat.rkd");
    EXPECT_EQ(TextoTitulo(img), "Título: Prueba - sub\nArchivo: /d/x_dat.rkd");

    const Ventana v = UbicarVisor(1200, 800, 19200, 14400, 0, 0);
    EXPECT_EQ(v.izquierda, 300);
    EXPECT_EQ(v.ancho, 18000 + 1100);
    EXPECT_EQ(v.alto, 12000 + 1200);
    const Ventana w = UbicarVisor(2000, 5, 19200, 14400, 150, 30);
    EXPECT_EQ(w.ancho, 19200);
    EXPECT_EQ(w.alto, 1300);
    EXPECT_EQ(w.arriba, 30);
}

TEST(Agregada, CreaCopiaConListaVacia) {
    prueba::CarpetaTemporal dir;
    prueba::PlataformaFalsa plat;
    ImagenActual vacia;
    EXPECT_EQ(CrearImagenAgregada(vacia, plat), "");
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...");
    EXPECT_EQ(plat.Ultimo().titulo, "Guardar Imagen TARNO-SIG con otro nombre...");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);

    ImagenActual img = prueba::ImagenDe(2, 2, [](int f, int c) { return f * 2.0f + c; });
    img.Subtitulo = "abc";
    const std::string dat = dir.Ruta("m_dat.rkd");
    ASSERT_TRUE(EscribirImagen(dat, img, img.Valores).ok);
    ASSERT_TRUE(LeerIMG(dat, "", img).ok);
    for (int vez = 0; vez < 2; ++vez) {
        ImagenActual actual = img;
        EXPECT_EQ(CrearImagenAgregada(actual, plat), dir.Ruta("m_Ag_dat.rkd"));
        EXPECT_EQ(actual.Subtitulo, "abcAGREGADO");
    }
    EXPECT_EQ(plat.mensajes.size(), 1u);
    EXPECT_EQ(dir.Leer("m_Ag_agr.rkd"), "0\r\n\"\"\r\n");
    ImagenActual ag;
    ASSERT_TRUE(LeerIMG(dir.Ruta("m_Ag_dat.rkd"), "", ag).ok);
    EXPECT_EQ(ag.Subtitulo, "abcAGREGADO");
    EXPECT_TRUE(ag.TieneAreas);
    EXPECT_EQ(ag.NroAreas, 0);
    EXPECT_EQ(ag.Valores(2, 2), 6.0f);

    // A file error is shown and the command ends; the program goes on.
    std::filesystem::remove(dat);
    EXPECT_EQ(CrearImagenAgregada(img, plat), "");
    EXPECT_EQ(plat.Ultimo().texto, "Error de archivo desconocido");
    EXPECT_EQ(plat.Ultimo().icono, Icono::Advertencia);
}

}  // namespace
