#include "ui/grafico_hidrograma.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QFont>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>

#include "raster/archivos.h"
#include "viewer/mapa_informe.h"

namespace tarno::ui {

namespace {

constexpr int kAltoLinea = 18;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A value axis from 0 that shows `mayor` with room above it.
void Rango(QValueAxis* eje, double mayor, double holgura) {
    eje->setRange(0, mayor > 0 ? mayor * holgura : 1.0);
    eje->applyNiceNumbers();
    eje->setMin(0);
}

}  // namespace

QChart* CrearGraficoHidrograma(const GraficoHidrograma& g) {
    auto* chart = new QChart;
    chart->setTitle("<b>" + Q(g.titulo).toHtmlEscaped() + "</b><br><small>" + Q(g.subtitulo).toHtmlEscaped() +
                    "</small>");
    chart->setBackgroundBrush(Qt::white);
    chart->setAnimationOptions(QChart::NoAnimation);

    double tFin = 0, qMayor = 0, lluviaMayor = 0;
    for (const PuntoGrafico& p : g.caudal) {
        tFin = std::max(tFin, p.t);
        qMayor = std::max(qMayor, p.v);
    }
    for (const PuntoGrafico& p : g.lluvia) {
        tFin = std::max(tFin, p.t + g.pasoLluvia);
        lluviaMayor = std::max(lluviaMayor, p.v);
    }

    auto* ejeT = new QValueAxis;
    ejeT->setTitleText("Tiempo [min]");
    ejeT->setLabelFormat("%g");
    // The axis ends with the run; ticks at round minutes from 0.
    ejeT->setRange(0, tFin > 0 ? tFin : 1.0);
    const double paso = visor::LargoRedondo((tFin > 0 ? tFin : 1.0) / 6.0);
    if (paso > 0) {
        ejeT->setTickType(QValueAxis::TicksDynamic);
        ejeT->setTickAnchor(0);
        ejeT->setTickInterval(paso);
    }
    chart->addAxis(ejeT, Qt::AlignBottom);
    auto* ejeQ = new QValueAxis;
    ejeQ->setTitleText("Caudal [m3/s]");
    ejeQ->setLabelFormat("%g");
    // Room at the top for the rain.
    Rango(ejeQ, qMayor, g.lluvia.empty() ? 1.1 : 1.6);
    chart->addAxis(ejeQ, Qt::AlignLeft);

    if (!g.lluvia.empty()) {
        // Steps drawn as one area from 0 down to each step's rain on a reversed
        // axis. The area does not own its two lines: they are its children.
        auto* lluvia = new QAreaSeries;
        auto* arriba = new QLineSeries(lluvia);
        auto* abajo = new QLineSeries(lluvia);
        for (const PuntoGrafico& p : g.lluvia) {
            arriba->append(p.t, p.v);
            arriba->append(p.t + g.pasoLluvia, p.v);
            abajo->append(p.t, 0);
            abajo->append(p.t + g.pasoLluvia, 0);
        }
        lluvia->setUpperSeries(arriba);
        lluvia->setLowerSeries(abajo);
        lluvia->setObjectName(kSerieLluvia);
        lluvia->setName("Lluvia por paso de " + Q(TextoCifra(g.pasoLluvia)) + " min [mm]");
        lluvia->setColor(QColor(70, 130, 200, 150));
        lluvia->setBorderColor(QColor(40, 90, 160));
        chart->addSeries(lluvia);
        auto* ejeL = new QValueAxis;
        ejeL->setTitleText("Lluvia [mm]");
        ejeL->setLabelFormat("%g");
        ejeL->setReverse(true);
        Rango(ejeL, lluviaMayor, 2.5);
        chart->addAxis(ejeL, Qt::AlignRight);
        lluvia->attachAxis(ejeT);
        lluvia->attachAxis(ejeL);
    }

    auto* caudal = new QLineSeries;
    caudal->setObjectName(kSerieCaudal);
    caudal->setName("Caudal en la sección [m3/s]");
    for (const PuntoGrafico& p : g.caudal) caudal->append(p.t, p.v);
    QPen pluma(QColor(200, 40, 30));
    pluma.setWidthF(2.0);
    caudal->setPen(pluma);
    chart->addSeries(caudal);
    caudal->attachAxis(ejeT);
    caudal->attachAxis(ejeQ);

    if (g.hayPico) {
        auto* pico = new QScatterSeries;
        pico->setObjectName(kSeriePico);
        const QString texto = "Pico: " + Q(TextoCifra(g.pico.v)) + " m3/s a los " + Q(TextoCifra(g.pico.t)) + " min";
        pico->setName(texto);
        pico->append(g.pico.t, g.pico.v);
        pico->setMarkerSize(11);
        pico->setColor(QColor(120, 0, 0));
        pico->setBorderColor(Qt::white);
        pico->setPointLabelsFormat(texto);
        pico->setPointLabelsVisible(true);
        pico->setPointLabelsClipping(false);
        chart->addSeries(pico);
        pico->attachAxis(ejeT);
        pico->attachAxis(ejeQ);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

int AltoBalance(const GraficoHidrograma& g) {
    return g.balance.empty() ? 0 : static_cast<int>(g.balance.size()) * kAltoLinea + 12;
}

void PintarGraficoHidrograma(QPainter& p, const GraficoHidrograma& g, const QRectF& destino) {
    const double altoTexto = AltoBalance(g);
    const QRectF zona(0, 0, destino.width(), std::max(50.0, destino.height() - altoTexto));
    {
        QGraphicsScene escena;
        QChart* chart = CrearGraficoHidrograma(g);
        escena.addItem(chart);
        chart->setGeometry(zona);
        escena.setSceneRect(zona);
        escena.render(&p, QRectF(destino.topLeft(), zona.size()), zona);
    }
    p.save();
    QFont f("DejaVu Sans");
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::black);
    double y = destino.top() + zona.height() + 6;
    for (const std::string& linea : g.balance) {
        p.drawText(QRectF(destino.left() + 14, y, destino.width() - 28, kAltoLinea), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(linea));
        y += kAltoLinea;
    }
    p.restore();
}

QImage ImagenGraficoHidrograma(const GraficoHidrograma& g, int ancho, int alto) {
    QImage imagen(std::max(ancho, 200), std::max(alto, 150), QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PintarGraficoHidrograma(p, g, QRectF(0, 0, imagen.width(), imagen.height()));
    p.end();
    return imagen;
}

QByteArray PngGraficoHidrograma(const GraficoHidrograma& g, int ancho, int alto) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ImagenGraficoHidrograma(g, ancho, alto).save(&buffer, "PNG");
    return bytes;
}

Resultado GuardarGraficoHidrograma(const GraficoHidrograma& g, const std::string& ruta, int ancho, int alto) {
    QByteArray bytes;
    const bool svg = ruta.size() >= 4 && QString::fromStdString(ruta.substr(ruta.size() - 4)).toLower() == ".svg";
    if (svg) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generador;
        generador.setOutputDevice(&buffer);
        generador.setSize(QSize(ancho, alto));
        generador.setViewBox(QRect(0, 0, ancho, alto));
        generador.setTitle(Q(g.titulo));
        generador.setResolution(96);  // as a picture on screen
        QPainter p(&generador);
        p.fillRect(QRect(0, 0, ancho, alto), Qt::white);
        PintarGraficoHidrograma(p, g, QRectF(0, 0, ancho, alto));
        p.end();
    } else {
        bytes = PngGraficoHidrograma(g, ancho, alto);
    }
    if (bytes.isEmpty()) return Resultado::Falla("No se pudo dibujar el hidrograma en " + ruta);
    return GuardarArchivo(ruta, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace tarno::ui
