// The palette level (0..255) of a cell value.
#pragma once

#include <cmath>

#include "raster/imagen.h"

namespace tarno::visor {

/// What the level of a cell depends on, taken from the image once per drawing.
struct ReglaNivel {
    double menor = 0, mayor = 0;
    bool forzarMinimo = false;
    bool tieneAreas = false;
    int nroAreas = 0;
    bool esClasificada = false;

    /// Level before rounding, clamped to 0..255.
    double Nivel(float v) const {
        double L;
        if (mayor == menor) {
            L = 255.0;
        } else if (forzarMinimo) {
            L = (v == 0.0f && menor == 0.0) ? 0.0 : (v - menor) / (mayor - menor) * 254.0 + 1.0;
        } else {
            L = (v - menor) / (mayor - menor) * 255.0;
        }
        // Area and class images draw each value with the level of the same number.
        if (tieneAreas && v <= nroAreas) L = v;
        if (esClasificada) L = v;
        if (!(L >= 0.0)) L = 0.0;  // also NaN
        if (L > 255.0) L = 255.0;
        return L;
    }
    /// Palette index of a value: the level taken to the nearest integer, halves to even.
    int Indice(float v) const { return static_cast<int>(std::nearbyint(Nivel(v))); }
};

/// The level rule of an image. For a classified image the area count becomes
/// the nearest integer of its largest value, as the legend shows one row per class.
inline ReglaNivel PrepararNivel(ImagenActual& img, bool forzarMinimo) {
    if (img.EsClasificada) {
        const double m = std::nearbyint(static_cast<double>(img.DatoMayor));
        img.NroAreas = static_cast<int16_t>(m < 0 ? 0 : (m > 32767 ? 32767 : m));
    }
    ReglaNivel r;
    r.menor = img.DatoMenor;
    r.mayor = img.DatoMayor;
    r.forzarMinimo = forzarMinimo;
    r.tieneAreas = img.TieneAreas;
    r.nroAreas = img.NroAreas;
    r.esClasificada = img.EsClasificada;
    return r;
}

}  // namespace tarno::visor
