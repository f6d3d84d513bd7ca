#include "viewer/mapa_informe.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "model/hidrograma.h"

namespace tarno::visor {

namespace {

// Nine evenly spaced stops of each ramp, interpolated linearly between them.
constexpr unsigned kViridis[9] = {0x440154, 0x472d7b, 0x3b528b, 0x2c728e, 0x21918c,
                                  0x28ae80, 0x5ec962, 0xaddc30, 0xfde725};
constexpr unsigned kMagma[9] = {0x000004, 0x1c1044, 0x4f127b, 0x812581, 0xb5367a,
                                0xe55064, 0xfb8761, 0xfec287, 0xfcfdbf};

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QRgb ColorRampa(Rampa rampa, double t) {
    const unsigned* p = rampa == Rampa::Viridis ? kViridis : kMagma;
    if (!(t > 0)) t = 0;
    if (t > 1) t = 1;
    const double x = t * 8;
    const int a = std::min(7, static_cast<int>(x));
    const double f = x - a;
    auto canal = [&](int desplazamiento) {
        const double c0 = (p[a] >> desplazamiento) & 0xff, c1 = (p[a + 1] >> desplazamiento) & 0xff;
        return static_cast<int>(std::lround(c0 + (c1 - c0) * f));
    };
    return qRgb(canal(16), canal(8), canal(0));
}

Grilla<float> Sombreado(const Grilla<float>& cota, double resX, double resY) {
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    Grilla<float> s(filas, columnas, -1.0f);
    const double pi = 3.14159265358979323846;
    const double zenit = (90.0 - 45.0) * pi / 180.0;
    // Light from the north-west (315 degrees), as an angle from the east, anticlockwise.
    const double azimut = (360.0 - 315.0 + 90.0) * pi / 180.0;
    auto z = [&](int32_t i, int32_t j, double centro) {
        if (i < 1 || j < 1 || i > filas || j > columnas || !(cota(i, j) > 0)) return centro;
        return static_cast<double>(cota(i, j));
    };
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) {
            const double c = cota(i, j);
            if (!(c > 0)) continue;
            // Horn's differences; row 1 is the north edge.
            const double a = z(i - 1, j - 1, c), b = z(i - 1, j, c), cc = z(i - 1, j + 1, c);
            const double d = z(i, j - 1, c), f = z(i, j + 1, c);
            const double g = z(i + 1, j - 1, c), h = z(i + 1, j, c), k = z(i + 1, j + 1, c);
            // Relief exaggerated twice, so gentle slopes still show.
            const double dzdx = 2.0 * ((cc + 2 * f + k) - (a + 2 * d + g)) / (8 * resX);
            const double dzdy = 2.0 * ((g + 2 * h + k) - (a + 2 * b + cc)) / (8 * resY);  // positive southwards
            const double pendiente = std::atan(std::hypot(dzdx, dzdy));
            const double aspecto = std::atan2(dzdy, -dzdx);
            double v = std::cos(zenit) * std::cos(pendiente) +
                       std::sin(zenit) * std::sin(pendiente) * std::cos(azimut - aspecto);
            s(i, j) = static_cast<float>(std::clamp(v, 0.0, 1.0) * 255.0);
        }
    return s;
}

double LargoRedondo(double maximo) {
    if (!(maximo > 0)) return 0;
    const double e = std::pow(10.0, std::floor(std::log10(maximo)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * e <= maximo) return m * e;
    return e;
}

QImage DibujarMapa(const Grilla<float>& cota, const Grilla<float>& valores, double resX, double resY,
                   const OpcionesMapa& o) {
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    if (filas <= 0 || columnas <= 0 || !(resX > 0) || !(resY > 0)) return {};
    const Grilla<float> sombra = Sombreado(cota, resX, resY);

    // Range of the painted values.
    float mayor = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j)
            if (cota(i, j) > 0 && valores.Dentro(i, j) && std::isfinite(valores(i, j)))
                mayor = std::max(mayor, valores(i, j));
    double vMin = o.umbral, vMax = mayor;
    if (o.logaritmica) vMin = std::max<double>(o.umbral, vMax / 1000.0);
    const bool hayValores = vMax > vMin;
    auto posicion = [&](double v) {
        if (!hayValores) return 1.0;
        if (o.logaritmica) return (std::log10(v) - std::log10(vMin)) / (std::log10(vMax) - std::log10(vMin));
        return (v - vMin) / (vMax - vMin);
    };

    // One pixel per cell, then scaled without smoothing.
    QImage celdas(columnas, filas, QImage::Format_ARGB32);
    celdas.fill(Qt::transparent);
    for (int32_t i = 1; i <= filas; ++i) {
        auto* linea = reinterpret_cast<QRgb*>(celdas.scanLine(i - 1));
        for (int32_t j = 1; j <= columnas; ++j) {
            const float g = sombra(i, j);
            if (g < 0) continue;
            const int gris = static_cast<int>(110 + g * (255 - 110) / 255);
            QRgb color = qRgb(gris, gris, gris);
            const float v = valores.Dentro(i, j) ? valores(i, j) : 0.0f;
            if (std::isfinite(v) && v >= o.umbral) {
                const QRgb c = ColorRampa(o.rampa, posicion(std::max<double>(v, vMin)));
                // The relief shows under the colour (its light multiplies it).
                const double luz = 0.55 + 0.45 * g / 255.0;
                color = qRgb(static_cast<int>(qRed(c) * luz), static_cast<int>(qGreen(c) * luz),
                             static_cast<int>(qBlue(c) * luz));
            }
            linea[j - 1] = color;
        }
    }

    // Scale: cells keep their shape (metres per pixel the same both ways).
    const double anchoM = columnas * resX, altoM = filas * resY;
    const double escala = std::min(o.anchoMaximo / anchoM, o.altoMaximo / altoM);  // pixels per metre
    const int anchoMapa = std::max(1, static_cast<int>(std::lround(anchoM * escala)));
    const int altoMapa = std::max(1, static_cast<int>(std::lround(altoM * escala)));

    const int margen = 16, titulo = 34, leyenda = 150, pie = 50;
    QImage imagen(margen + anchoMapa + margen + leyenda, titulo + altoMapa + pie, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont fuente("DejaVu Sans");
    fuente.setPixelSize(13);
    p.setFont(fuente);
    QFont negrita = fuente;
    negrita.setPixelSize(15);
    negrita.setBold(true);
    p.setFont(negrita);
    p.setPen(Qt::black);
    p.drawText(QRect(margen, 0, imagen.width() - 2 * margen, titulo), Qt::AlignVCenter | Qt::AlignLeft, Q(o.titulo));
    p.setFont(fuente);

    const QRect mapa(margen, titulo, anchoMapa, altoMapa);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(mapa, celdas);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(mapa.adjusted(0, 0, -1, -1));

    // Legend: a vertical bar, largest value at the top.
    const int barraX = mapa.right() + margen + 4, barraY = titulo + 22, barraAlto = std::min(260, altoMapa - 30);
    p.setPen(Qt::black);
    p.drawText(QRect(barraX, titulo, leyenda, 20), Qt::AlignLeft | Qt::AlignVCenter, "[" + Q(o.unidad) + "]");
    if (hayValores && barraAlto > 40) {
        QImage barra(1, barraAlto, QImage::Format_RGB32);
        for (int y = 0; y < barraAlto; ++y)
            barra.setPixel(0, y, ColorRampa(o.rampa, 1.0 - static_cast<double>(y) / (barraAlto - 1)));
        const QRect rb(barraX, barraY, 18, barraAlto);
        p.drawImage(rb, barra);
        p.setPen(QColor(80, 80, 80));
        p.drawRect(rb.adjusted(0, 0, -1, -1));
        // The two ends, and round values between them: powers of ten on a
        // logarithmic ramp, multiples of a round step on a linear one.
        std::vector<double> marcas{vMin, vMax};
        if (o.logaritmica) {
            for (double v = std::pow(10.0, std::ceil(std::log10(vMin))); v < vMax; v *= 10) marcas.push_back(v);
        } else {
            const double paso = LargoRedondo((vMax - vMin) / 3.0);
            for (double v = std::ceil(vMin / paso) * paso; v < vMax && paso > 0; v += paso) marcas.push_back(v);
        }
        std::vector<int> usadas;
        for (size_t m = 0; m < marcas.size(); ++m) {
            const double t = posicion(marcas[m]);
            const int y = rb.bottom() - static_cast<int>(std::lround(t * (barraAlto - 1)));
            // Labels closer than a line to one already drawn are left out.
            if (std::any_of(usadas.begin(), usadas.end(), [y](int u) { return std::abs(u - y) < 16; })) continue;
            usadas.push_back(y);
            p.drawLine(rb.right(), y, rb.right() + 4, y);
            p.drawText(QRect(rb.right() + 8, y - 9, leyenda - 30, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       Q(TextoCifra(marcas[m], 3)));
        }
        p.setPen(Qt::black);
        p.drawText(QRect(barraX, rb.bottom() + 8, leyenda - 4, 36), Qt::AlignLeft | Qt::TextWordWrap,
                   "menos de " + Q(TextoCifra(o.umbral, 3)) + " " + Q(o.unidad) + ": sin color");
    } else {
        p.drawText(QRect(barraX, barraY, leyenda - 4, 40), Qt::AlignLeft | Qt::TextWordWrap,
                   "sin valores de " + Q(TextoCifra(o.umbral, 3)) + " " + Q(o.unidad) + " o más");
    }

    // Scale bar under the map, at most a third of its width.
    const double largo = LargoRedondo(anchoM / 3.0);
    if (largo > 0) {
        const int px = static_cast<int>(std::lround(largo * escala));
        const int y = mapa.bottom() + 22, x = mapa.left();
        p.setPen(QPen(Qt::black, 1));
        p.fillRect(QRect(x, y, px / 2, 6), Qt::black);
        p.fillRect(QRect(x + px / 2, y, px - px / 2, 6), Qt::white);
        p.drawRect(QRect(x, y, px, 6));
        const std::string texto = largo >= 1000 ? TextoCifra(largo / 1000.0) + " km" : TextoCifra(largo) + " m";
        p.drawText(QRect(x, y + 8, px + 200, 18), Qt::AlignLeft | Qt::AlignVCenter, "0");
        p.drawText(QRect(x + px - 100, y + 8, 200, 18), Qt::AlignHCenter | Qt::AlignVCenter, Q(texto));
    }
    p.end();
    return imagen;
}

}  // namespace tarno::visor
