// Drawing of the hydrograph chart with Qt Charts: the discharge of the
// section over time, the rain of every step as bars hanging from the top on a
// second axis, the peak marked, and the balance figures under the chart. The
// window and `tarno grafico` use the same functions (a QApplication must
// exist: the chart is a graphics widget).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <string>

#include "model/hidrograma.h"
#include "base/resultado.h"

class QChart;
class QPainter;

namespace tarno::ui {

/// Names of the chart's series (QObject names), for whoever reads them back.
inline constexpr const char* kSerieCaudal = "caudal";
inline constexpr const char* kSerieLluvia = "lluvia";
inline constexpr const char* kSeriePico = "pico";

/// A new chart (owned by the caller, or by the view or scene it is given to).
QChart* CrearGraficoHidrograma(const GraficoHidrograma& g);

/// Height of the balance lines under the chart, in pixels.
int AltoBalance(const GraficoHidrograma& g);

/// Draws the chart and the balance lines into `destino` of `p`.
void PintarGraficoHidrograma(QPainter& p, const GraficoHidrograma& g, const QRectF& destino);

/// The drawing on white, `ancho` x `alto` pixels.
QImage ImagenGraficoHidrograma(const GraficoHidrograma& g, int ancho, int alto);

/// The drawing as PNG bytes.
QByteArray PngGraficoHidrograma(const GraficoHidrograma& g, int ancho, int alto);

/// Writes the drawing to `ruta`: SVG when the name ends in ".svg", PNG
/// otherwise (temporary file, then renamed).
Resultado GuardarGraficoHidrograma(const GraficoHidrograma& g, const std::string& ruta, int ancho, int alto);

}  // namespace tarno::ui
