// Maps of a run's result over a hillshade of its DEM, for the run report:
// cells outside the basin left blank (transparent), values below a threshold
// transparent so the relief shows through, a perceptually uniform colour ramp,
// its legend in the image's units and a scale bar.
#pragma once

#include <QImage>
#include <string>

#include "base/grilla.h"

namespace tarno::visor {

enum class Rampa { Viridis, Magma };

/// Colour of t in 0..1 on the ramp.
QRgb ColorRampa(Rampa rampa, double t);

struct OpcionesMapa {
    std::string titulo;  // drawn above the map
    std::string unidad;  // of the values, for the legend ("m", "m3/s")
    Rampa rampa = Rampa::Viridis;
    float umbral = 0.01f;      // values below it are not painted
    bool logaritmica = false;  // ramp over log10 of the values (discharges span decades)
    int anchoMaximo = 760;     // of the map area, pixels
    int altoMaximo = 640;
};

/// Relief shading of the DEM (light from the north-west, 45 degrees up):
/// a grey level 0..255 per cell, -1 outside the basin (elevation <= 0).
Grilla<float> Sombreado(const Grilla<float>& cota, double resX, double resY);

/// The whole picture: title, map, legend and scale bar, on white. `valores`
/// has the DEM's size.
QImage DibujarMapa(const Grilla<float>& cota, const Grilla<float>& valores, double resX, double resY,
                   const OpcionesMapa& opciones);

/// A round length for a scale bar of at most `maximo` metres (1, 2 or 5 x 10^n).
double LargoRedondo(double maximo);

}  // namespace tarno::visor
