#include "viewer/seleccion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/numeros.h"
#include "viewer/zoom.h"

namespace tarno::visor {

Celda CeldaBajoCursor(int x, int y, int tamPixel, int anchoPicture, int altoPicture, int32_t columnasVista,
                      int32_t filasVista) {
    const int tam = std::max(1, tamPixel);
    x = std::clamp(x, 0, std::max(0, anchoPicture));
    y = std::clamp(y, 0, std::max(0, altoPicture));
    Celda c{x / tam + 1, y / tam + 1};
    c.col = std::clamp<int32_t>(c.col, 1, std::max<int32_t>(1, columnasVista));
    c.fila = std::clamp<int32_t>(c.fila, 1, std::max<int32_t>(1, filasVista));
    return c;
}

Celda CeldaImagen(const ImagenActual& img, const EstadoVisor& ev, Celda vista) {
    Celda c{vista.col + ev.DespCol, vista.fila + ev.DespFila};
    c.col = std::clamp<int32_t>(c.col, 1, std::max<int32_t>(1, img.NroColumnas));
    c.fila = std::clamp<int32_t>(c.fila, 1, std::max<int32_t>(1, img.NroFilas));
    return c;
}

std::array<std::string, 5> LecturaCursor(const ImagenActual& img, const EstadoVisor& ev, Celda vista) {
    const Celda c = CeldaImagen(img, ev, vista);
    const float z = img.Valores.Dentro(c.fila, c.col) ? img.Valores(c.fila, c.col) : 0.0f;
    return {"Col=" + TextoBlanco(c.col), "Fil=" + TextoBlanco(c.fila),
            "X=" + TextoBlanco(img.XMinimo + c.col * img.ResolucionX),
            "Y=" + TextoBlanco(img.YMinimo + c.fila * img.ResolucionY), "Z=" + TextoBlanco(z)};
}

Rect BandaRectangulo(int tam, Celda inicio, Celda actual) {
    return {tam * (std::min(inicio.col, actual.col) - 1), tam * (std::min(inicio.fila, actual.fila) - 1),
            (std::abs(actual.col - inicio.col) + 1) * tam, (std::abs(actual.fila - inicio.fila) + 1) * tam};
}

std::array<int, 4> BandaLinea(int tam, Celda inicio, Celda actual) {
    return {tam * inicio.col - tam / 2, tam * inicio.fila - tam / 2, tam * actual.col - tam / 2,
            tam * actual.fila - tam / 2};
}

int16_t TerminarRectangulo(EstadoVisor& ev, double anchoPixeles, double altoPixeles) {
    if (ev.SelCol1 > ev.SelCol2) std::swap(ev.SelCol1, ev.SelCol2);
    if (ev.SelFila1 > ev.SelFila2) std::swap(ev.SelFila1, ev.SelFila2);
    ev.DespCol += ev.SelCol1 - 1;
    ev.DespFila += ev.SelFila1 - 1;
    ev.VerSeleccion = true;
    ev.SelAncho = ev.SelCol2 - ev.SelCol1 + 1;
    ev.SelAlto = ev.SelFila2 - ev.SelFila1 + 1;
    return ZoomAjustado(ev.TablaZoom, anchoPixeles, altoPixeles, ev.SelCol2 - ev.SelCol1 + 1,
                        ev.SelFila2 - ev.SelFila1 + 1);
}

std::vector<Celda> RecorrerSegmento(const EstadoVisor& ev) {
    std::vector<Celda> puntos;
    if (ev.SelCol1 < 1 || ev.SelCol2 < 1 || ev.SelFila1 < 1 || ev.SelFila2 < 1) return puntos;
    const int32_t c1 = ev.DespCol + ev.SelCol1, c2 = ev.DespCol + ev.SelCol2;
    const int32_t f1 = ev.DespFila + ev.SelFila1, f2 = ev.DespFila + ev.SelFila2;
    const int32_t dc = std::abs(c2 - c1), df = std::abs(f2 - f1);
    const bool empinado = dc < df;
    // Walk along the longer direction (a), the other coordinate (b) follows the slope.
    const int32_t a1 = empinado ? f1 : c1, a2 = empinado ? f2 : c2;
    const int32_t b1 = empinado ? c1 : f1, b2 = empinado ? c2 : f2;
    const int32_t da = empinado ? df : dc, db = empinado ? dc : df;
    double s = static_cast<double>(db + 1) / (da + 1);
    if (b2 < b1) s = -s;
    const int32_t paso = a2 >= a1 ? 1 : -1;
    puntos.reserve(static_cast<size_t>(da) + 1);
    for (int32_t i = 1; i <= da + 1; ++i) {
        const int32_t a = a1 + paso * (i - 1);
        int32_t b;
        if (i == 1) b = b1;
        else if (b2 >= b1) b = b1 + static_cast<int32_t>(std::floor(s * (i - 1)));
        else b = std::max(b2, b1 + 1 + static_cast<int32_t>(std::floor(s * i)));
        puntos.push_back(empinado ? Celda{b, a} : Celda{a, b});
    }
    return puntos;
}

std::string TextoPerfil(const ImagenActual& img, const std::vector<Celda>& puntos) {
    std::string t = "TARNO-SIG\r\nVector de Selección de un Segmento\r\ni, Col, Fila, Valor";
    int i = 0;
    for (const Celda& p : puntos) {
        const float v = img.Valores.Dentro(p.fila, p.col) ? img.Valores(p.fila, p.col) : 0.0f;
        t += "\r\n" + TextoBlanco(++i) + "   " + TextoBlanco(p.col) + "   " + TextoBlanco(p.fila) + "   " +
             TextoBlanco(v);
    }
    return t;
}

std::vector<std::string> EtiquetasPerfil(int n, bool enPixel, double resX, double resY) {
    std::vector<std::string> e;
    e.reserve(static_cast<size_t>(std::max(0, n)));
    for (int i = 1; i <= n; ++i) {
        if (enPixel) e.push_back(TextoBlanco(i));
        else e.push_back(TextoBlanco(static_cast<int64_t>(std::floor((resX + resY) * i / 2.0))));
    }
    return e;
}

}  // namespace tarno::visor
