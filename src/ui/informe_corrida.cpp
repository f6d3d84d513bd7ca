#include "ui/informe_corrida.h"

#include <QBuffer>
#include <QDateTime>
#include <QImage>

#include "model/informe.h"
#include "model/lluvia.h"
#include "model/resultados.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "ui/grafico_hidrograma.h"
#include "viewer/mapa_informe.h"

namespace tarno::ui {

namespace {

std::string Png(const QImage& imagen) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    imagen.save(&buffer, "PNG");
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

Resultado GraficoDeCorrida(const Parametros& par, const Pluviograma& pv, const ResumenCorrida* resumen,
                           GraficoHidrograma& g) {
    ArchivoHidrograma h;
    if (Resultado r = LeerHidrograma(BaseResultados(par) + "_Qt.rkd", h); !r) return r;
    g = ArmarGraficoHidrograma(h, LluviasDeLosPeriodos(par, pv), resumen);
    return Resultado::Bien();
}

Resultado EscribirInforme(const Parametros& par, const Pluviograma& pv, const ResumenCorrida& resumen,
                          std::string& ruta) {
    ruta = NombreInforme(par);
    DatosInforme d;
    d.archivoDEM = par.DirDEM + par.ArchivoDEM;
    d.par = &par;
    d.pluviograma = &pv;
    d.resumen = resumen;
    d.fecha = QDateTime::currentDateTime().toString("dd/MM/yyyy HH:mm").toStdString();

    ImagenActual dem;
    if (Resultado r = LeerIMG(d.archivoDEM, "", dem); !r) return r;
    d.filas = dem.NroFilas;
    d.columnas = dem.NroColumnas;

    // Files beside the DEM of a run that did not finish are an earlier run's.
    if (!resumen.completa) {
        d.imagenes.push_back({"Hidrograma y mapas", {}, 0, 0,
                              "La corrida no terminó: no escribió el hidrograma ni los mapas de resultados."});
        return GuardarArchivo(ruta, TextoInformeHtml(d));
    }
    const std::string base = BaseResultados(par);
    GraficoHidrograma g;
    if (Resultado r = GraficoDeCorrida(par, pv, &resumen, g); r) {
        const int ancho = 900, alto = 520 + AltoBalance(g);
        d.imagenes.push_back({"Hidrograma en la sección", PngGraficoHidrograma(g, ancho, alto).toStdString(), ancho,
                              alto, "Caudal en la sección y lluvia de cada paso de cálculo."});
    } else {
        d.imagenes.push_back({"Hidrograma en la sección", {}, 0, 0, r.mensaje});
    }

    struct Mapa {
        const char* sufijo;
        const char* titulo;
        const char* unidad;
        visor::Rampa rampa;
        float umbral;
        bool logaritmica;
        const char* pie;
    };
    const Mapa mapas[] = {
        {"_HM_dat.rkd", "Altura máxima de agua", "m", visor::Rampa::Viridis, 0.01f, false,
         "Altura máxima alcanzada en cada celda sobre el sombreado del MDT; menos de 1 cm sin color."},
        {"_QM_dat.rkd", "Caudal máximo por celda", "m3/s", visor::Rampa::Magma, 0.001f, true,
         "Caudal máximo de cada celda (escala logarítmica) sobre el sombreado del MDT."},
    };
    for (const Mapa& m : mapas) {
        ImagenActual img;
        const std::string nombre = base + m.sufijo;
        if (Resultado r = LeerIMG(nombre, "", img);
            !r || img.NroFilas != dem.NroFilas || img.NroColumnas != dem.NroColumnas) {
            d.imagenes.push_back({m.titulo, {}, 0, 0, "No se pudo leer " + nombre + (r ? ": otro tamaño" : "")});
            continue;
        }
        visor::OpcionesMapa o;
        o.titulo = std::string(m.titulo) + " [" + m.unidad + "]";
        o.unidad = m.unidad;
        o.rampa = m.rampa;
        o.umbral = m.umbral;
        o.logaritmica = m.logaritmica;
        const QImage imagen = visor::DibujarMapa(dem.Valores, img.Valores, dem.ResolucionX, dem.ResolucionY, o);
        d.imagenes.push_back({m.titulo, Png(imagen), imagen.width(), imagen.height(), m.pie});
    }
    return GuardarArchivo(ruta, TextoInformeHtml(d));
}

}  // namespace tarno::ui
