// Mouse logic of the viewer: the cell under the cursor, the status read-out,
// the rubber-band shapes, the rectangle zoom and the segment profile.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "raster/imagen.h"
#include "viewer/estado_visor.h"

namespace tarno::visor {

struct Celda {
    int32_t col = 0;
    int32_t fila = 0;
    bool operator==(const Celda&) const = default;
};

struct Rect {
    int x = 0, y = 0, ancho = 0, alto = 0;
    bool operator==(const Rect&) const = default;
};

/// View cell under the picture point (x, y): the point is first clamped to the
/// picture, and the cell to the `columnasVista` x `filasVista` cells shown.
Celda CeldaBajoCursor(int x, int y, int tamPixel, int anchoPicture, int altoPicture, int32_t columnasVista,
                      int32_t filasVista);

/// The five status panels for a view cell: "Col= c", "Fil= f", "X= ...",
/// "Y= ...", "Z= ..."; the image cell is the view cell plus the offsets, kept
/// inside the image.
std::array<std::string, 5> LecturaCursor(const ImagenActual& img, const EstadoVisor& ev, Celda vista);

/// The image cell of a view cell, kept inside the image.
Celda CeldaImagen(const ImagenActual& img, const EstadoVisor& ev, Celda vista);

/// Rubber-band rectangle from the first corner to the current view cell.
Rect BandaRectangulo(int tamPixel, Celda inicio, Celda actual);
/// Rubber-band line between the centres of two view cells (x1, y1, x2, y2).
std::array<int, 4> BandaLinea(int tamPixel, Celda inicio, Celda actual);
/// Border width of the rubber bands.
inline int GrosorBanda(int tamPixel) { return tamPixel == 1 ? 1 : 2; }

/// Ends a rectangle selection: orders the corners, accumulates the offsets,
/// sets `VerSeleccion` and returns the cell size that fits the rectangle on
/// the screen, whose size is given in pixels (snapped to the zoom table). The
/// corners stay set.
int16_t TerminarRectangulo(EstadoVisor& ev, double anchoPixeles, double altoPixeles);

/// Image cells of the segment from (`SelCol1`, `SelFila1`) to (`SelCol2`,
/// `SelFila2`), view cells shifted by the offsets, walked one cell at a time
/// along the longer direction. Empty unless the four corners are at least 1.
std::vector<Celda> RecorrerSegmento(const EstadoVisor& ev);

/// Board text of a profile: heading and one line per point "i   c   f   v".
std::string TextoPerfil(const ImagenActual& img, const std::vector<Celda>& puntos);

/// X-axis labels of the profile chart: positions in cells, or the integer part
/// of the mean cell size times the position in metres.
std::vector<std::string> EtiquetasPerfil(int n, bool enPixel, double resolucionX, double resolucionY);

/// Title of the chart's X axis.
inline const char* TituloEjePerfil(bool enPixel) { return enPixel ? "pixel" : "metros"; }

}  // namespace tarno::visor
