// The hydrograph chart (the series hold the file's samples and the rain
// steps), its window (save, print, "Ver Hidrograma..."), the maps of the
// report and the report written from a run.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "model/informe.h"
#include "model/resultados.h"
#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/dlg_hidrograma.h"
#include "ui/grafico_hidrograma.h"
#include "ui/informe_corrida.h"
#include "viewer/mapa_informe.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

// A hydrograph file as the run writes it: 4 samples every 5 min, the closing
// zero, a design storm of 6 mm in 4 min at 2 min steps over 10 periods.
std::string ArchivoQt() {
    EscritorDelimitado out;
    out.Texto("Título                 : ").Texto("Cuenca").FinLinea();
    out.Texto("Subtítulo              : ")
        .Texto(
            "Pp= 6mm  - D= 4min  - Paso= 2min - Nro.Per.= 10  - KRec.= 10   - Alm. Sup.[m3] =  5: Hidrograma en Pixel")
        .FinLinea();
    out.Texto("Pixel de Fila          : ").Numero(int32_t{3}).FinLinea();
    out.Texto("Pixel de Columna       : ").Numero(int32_t{7}).FinLinea();
    out.Texto("Caudal mínimo          : ").Numero(0.0f).FinLinea();
    out.Texto("Caudal Máximo          : ").Numero(2.5f).FinLinea();
    out.Texto("Paso de Cálculo [min]  : ").Numero(2.0f).FinLinea();
    out.Texto("Paso Salidas [min]     : ").Numero(int16_t{5}).FinLinea();
    out.Texto("Escorrentia [m3]       : ").Numero(300.0f).FinLinea();
    out.Texto("Altura Máx. p.a. [m3]  : ").Numero(101.5f).FinLinea();
    const float q[] = {0.5f, 2.25f, 1.0f, 0.25f, 0.0f};
    for (int k = 1; k <= 5; ++k) out.Numero(int32_t{k}).Numero(q[k - 1]).FinLinea();
    return out.Bytes();
}

template <class S>
S* Serie(QChart* c, const char* nombre) {
    for (QAbstractSeries* s : c->series())
        if (s->objectName() == nombre) return qobject_cast<S*>(s);
    return nullptr;
}

}  // namespace

TEST(GraficoHidrograma, LasSeriesTienenLasMuestrasYLaLluvia) {
    CarpetaTemporal tmp;
    tmp.Escribir("c_Qt.rkd", ArchivoQt());
    ArchivoHidrograma h;
    ASSERT_TRUE(LeerHidrograma(tmp.Ruta("c_Qt.rkd"), h));
    const GraficoHidrograma g = ArmarGraficoHidrograma(h, LluviasDelHidrograma(h));
    std::unique_ptr<QChart> c(ui::CrearGraficoHidrograma(g));

    auto* caudal = Serie<QLineSeries>(c.get(), ui::kSerieCaudal);
    ASSERT_TRUE(caudal);
    const QList<QPointF> qs = caudal->points();
    EXPECT_EQ(qs, (QList<QPointF>{{0, 0}, {5, 0.5}, {10, 2.25}, {15, 1.0}, {20, 0.25}}));
    // Rain: 3 mm in each of the first two steps of 2 min, then nothing; drawn
    // as steps from 0 on a reversed axis of its own.
    auto* lluvia = Serie<QAreaSeries>(c.get(), ui::kSerieLluvia);
    ASSERT_TRUE(lluvia);
    const QList<QPointF> ls = lluvia->upperSeries()->points();
    ASSERT_EQ(ls.size(), 20);
    EXPECT_EQ(ls[0], QPointF(0, 3));
    EXPECT_EQ(ls[1], QPointF(2, 3));
    EXPECT_EQ(ls[3], QPointF(4, 3));
    EXPECT_EQ(ls[4], QPointF(4, 0));
    EXPECT_EQ(ls[19], QPointF(20, 0));
    for (const QPointF& p : lluvia->lowerSeries()->points()) EXPECT_EQ(p.y(), 0);
    auto* ejeLluvia = qobject_cast<QValueAxis*>(lluvia->attachedAxes().at(1));
    ASSERT_TRUE(ejeLluvia);
    EXPECT_TRUE(ejeLluvia->isReverse());
    EXPECT_EQ(ejeLluvia->titleText(), "Lluvia [mm]");
    // The peak, marked and named.
    auto* pico = Serie<QScatterSeries>(c.get(), ui::kSeriePico);
    ASSERT_TRUE(pico);
    EXPECT_EQ(pico->points(), (QList<QPointF>{{10, 2.25}}));
    EXPECT_EQ(pico->name(), "Pico: 2.25 m3/s a los 10 min");

    // Without a known storm the chart has no rain series.
    h.Subtitulo = "Tormenta medida";
    std::unique_ptr<QChart> sin(ui::CrearGraficoHidrograma(ArmarGraficoHidrograma(h, LluviasDelHidrograma(h))));
    EXPECT_FALSE(Serie<QAreaSeries>(sin.get(), ui::kSerieLluvia));

    // The same drawing as PNG and SVG files.
    ASSERT_TRUE(ui::GuardarGraficoHidrograma(g, tmp.Ruta("g.png"), 640, 400));
    QImage png(QString::fromStdString(tmp.Ruta("g.png")));
    EXPECT_EQ(png.size(), QSize(640, 400));
    ASSERT_TRUE(ui::GuardarGraficoHidrograma(g, tmp.Ruta("g.svg"), 640, 400));
    const std::string svg = tmp.Leer("g.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Hidrograma en la secci"), std::string::npos);
}

TEST(GraficoHidrograma, VentanaGuardaImprimeYAbreArchivos) {
    CarpetaTemporal tmp;
    tmp.Escribir("c_Qt.rkd", ArchivoQt());
    tmp.Escribir("malo_Qt.rkd", "nada");
    PlataformaFalsa plat;
    QWidget padre;
    // A file that is not a hydrograph is refused with a message.
    plat.archivos.push_back(tmp.Ruta("malo_Qt.rkd"));
    EXPECT_EQ(ui::VerHidrogramaArchivo(plat, nullptr, &padre), nullptr);
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_NE(plat.mensajes[0].texto.find("no es un hidrograma"), std::string::npos);
    // Cancelled: nothing.
    EXPECT_EQ(ui::VerHidrogramaArchivo(plat, nullptr, &padre), nullptr);

    plat.archivos.push_back(tmp.Ruta("c_Qt.rkd"));
    ui::DlgHidrograma* dlg = ui::VerHidrogramaArchivo(plat, nullptr, &padre);
    ASSERT_TRUE(dlg);
    EXPECT_EQ(dlg->windowTitle(), "Hidrograma en la sección");
    EXPECT_EQ(Serie<QLineSeries>(dlg->Grafico(), ui::kSerieCaudal)->count(), 5);
    EXPECT_TRUE(Serie<QAreaSeries>(dlg->Grafico(), ui::kSerieLluvia));
    EXPECT_TRUE(dlg->Balance().contains("Caudal pico del hidrograma: 2.25 m3/s a los 10 min"));

    dlg->cmdGuardar_Click();  // cancelled
    EXPECT_EQ(plat.nombresGuardar.back(), tmp.Ruta("c_Qt.png"));
    plat.guardados.push_back(tmp.Ruta("h.png"));
    dlg->cmdGuardar_Click();
    EXPECT_FALSE(QImage(QString::fromStdString(tmp.Ruta("h.png"))).isNull());
    dlg->cmdImprimir_Click();
    ASSERT_EQ(plat.impresos.size(), 1u);
    QImage impreso;
    ASSERT_TRUE(impreso.loadFromData(reinterpret_cast<const uchar*>(plat.impresos[0].data()),
                                     static_cast<int>(plat.impresos[0].size()), "PNG"));
    EXPECT_EQ(impreso.width(), 1800);
    dlg->close();
}

// The report of a real run holds its three pictures and the summary.
TEST(GraficoHidrograma, InformeDeUnaCorrida) {
    CarpetaTemporal tmp;
    CabeceraImagen cab;
    cab.Titulo = "Plano";
    cab.NroFilas = 5;
    cab.NroColumnas = 7;
    cab.XMaximo = 70;
    cab.YMaximo = 50;
    cab.ResolucionX = cab.ResolucionY = 10;
    Grilla<float> v(5, 7);
    for (int32_t i = 1; i <= 5; ++i)
        for (int32_t j = 1; j <= 7; ++j) v(i, j) = 100.0f - j + 0.25f * i;
    cab.DatoMayor = 100;
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("plano_dat.rkd"), cab, v));
    Parametros par;
    par.DirDEM = tmp.Carpeta();
    par.ArchivoDEM = "plano_dat.rkd";
    par.KRecesion = 5;
    par.nPer = 20;
    par.fHidro1 = 1;
    par.cHidro1 = 7;
    par.fHidro2 = 5;
    par.cHidro2 = 7;
    ImagenActual img;
    GrillasModelo g;
    Pluviograma pv;
    PlataformaFalsa plat;
    ObservadorCorrida obs;
    EstadoCorrida e;
    ASSERT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
    EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
    ASSERT_EQ(CorrerModelo(en, e), FinCorrida::Completa);
    std::string ruta;
    ASSERT_TRUE(ui::EscribirInforme(par, pv, ArmarResumen(FinCorrida::Completa, e, par, img, 0.1), ruta));
    EXPECT_EQ(ruta, tmp.Ruta("plano_informe.html"));
    const std::string html = tmp.Leer("plano_informe.html");
    size_t imagenes = 0;
    for (size_t p = 0; (p = html.find("src=\"data:image/png;base64,iVBORw0KGgo", p)) != std::string::npos; ++p)
        ++imagenes;
    EXPECT_EQ(imagenes, 3u);
    EXPECT_NE(html.find("Altura máxima de agua"), std::string::npos);
    EXPECT_NE(html.find("data-clave=\"lluvia_m3\""), std::string::npos);

    // Missing result files are said missing; a run that did not finish shows
    // none of the files beside the DEM (they would be an earlier run's).
    std::filesystem::remove(tmp.Ruta("plano_HM_dat.rkd"));
    std::filesystem::remove(tmp.Ruta("plano_Qt.rkd"));
    ASSERT_TRUE(ui::EscribirInforme(par, pv, ArmarResumen(FinCorrida::Completa, e, par, img, 0.1), ruta));
    std::string parcial = tmp.Leer("plano_informe.html");
    EXPECT_NE(parcial.find("No se pudo leer " + tmp.Ruta("plano_HM_dat.rkd")), std::string::npos);
    EXPECT_NE(parcial.find("No se pudo abrir el archivo de hidrograma"), std::string::npos);
    EXPECT_NE(parcial.find("data:image/png;base64,"), std::string::npos);  // the discharge map
    ASSERT_TRUE(ui::EscribirInforme(par, pv, ArmarResumen(FinCorrida::Suspendida, e, par, img, 0.1), ruta));
    parcial = tmp.Leer("plano_informe.html");
    EXPECT_NE(parcial.find("La corrida no terminó"), std::string::npos);
    EXPECT_EQ(parcial.find("data:image/png;base64,"), std::string::npos);
    EXPECT_NE(parcial.find("data-valor=\"&quot;abandonada&quot;\""), std::string::npos);
}

// Cells outside the basin stay white, shallow cells show the relief in grey,
// deeper ones take the ramp's colours.
TEST(MapaInforme, CuencaSombreadoYColores) {
    Grilla<float> cota(2, 3), h(2, 3);
    for (int32_t i = 1; i <= 2; ++i)
        for (int32_t j = 1; j <= 3; ++j) cota(i, j) = 50.0f + j;
    cota(1, 1) = 0;
    h(1, 2) = 0.005f;  // below 1 cm
    h(1, 3) = 2.0f;
    h(2, 3) = 1.0f;
    visor::OpcionesMapa o;
    o.titulo = "H";
    o.unidad = "m";
    o.anchoMaximo = 300;
    o.altoMaximo = 200;
    const QImage m = visor::DibujarMapa(cota, h, 10, 10, o);
    ASSERT_FALSE(m.isNull());
    // 300 x 200 map area: cells of 100 pixels, the map 16 pixels in and 34 down.
    auto centro = [&](int i, int j) { return m.pixel(16 + 100 * (j - 1) + 50, 34 + 100 * (i - 1) + 50); };
    EXPECT_EQ(centro(1, 1), qRgb(255, 255, 255));
    const QRgb gris = centro(1, 2);
    EXPECT_TRUE(qRed(gris) == qGreen(gris) && qGreen(gris) == qBlue(gris)) << std::hex << gris;
    const QRgb alto = centro(1, 3), medio = centro(2, 3);
    EXPECT_FALSE(qRed(alto) == qGreen(alto) && qGreen(alto) == qBlue(alto));
    EXPECT_NE(alto, medio);
    EXPECT_EQ(visor::ColorRampa(visor::Rampa::Viridis, 0), qRgb(0x44, 0x01, 0x54));
    EXPECT_EQ(visor::ColorRampa(visor::Rampa::Magma, 1), qRgb(0xfc, 0xfd, 0xbf));
    EXPECT_EQ(visor::LargoRedondo(260), 200);
    EXPECT_EQ(visor::LargoRedondo(0.7), 0.5);
}
