// Drawing of the current image into a QImage: every cell a square of
// `TamPixel` pixels in the colour of its level, written straight into the
// image's scan lines. Also the layout rules of the viewer window (legend,
// title, caption, placement).
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "raster/imagen.h"
#include "base/resultado.h"
#include "viewer/estado_visor.h"
#include "viewer/paletas.h"

namespace tarno::visor {

inline constexpr const char* kMensajeInconsistencia =
    "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al Nro. de "
    "Columnas x Nro Filas + 1 ";
inline constexpr const char* kTituloInconsistencia = "Error de archivo...";
inline constexpr const char* kMemoriaInsuficiente = "Memoria insuficiente";

/// The image cells the picture shows: the whole image, or the selected
/// rectangle while `VerSeleccion` is set.
struct VistaCeldas {
    int32_t col1 = 1, col2 = 0, fila1 = 1, fila2 = 0;
    int32_t Columnas() const { return col2 - col1 + 1; }
    int32_t Filas() const { return fila2 - fila1 + 1; }
};
VistaCeldas CeldasVisibles(const ImagenActual& img, const EstadoVisor& ev);

/// Largest picture held in memory, in pixels (512 Mbytes).
inline constexpr int64_t kMaximoPixeles = int64_t{128} * 1024 * 1024;

/// The cell size `tam`, or the next smaller sizes of the table until a
/// picture of `columnas` x `filas` cells can be held (at least 1).
int16_t ZoomQueCabe(const TablaZoomT& tabla, int tam, int32_t columnas, int32_t filas);

/// Picture size in pixels (width, height), as 64-bit values.
void TamanoPicture(const VistaCeldas& v, int tamPixel, int64_t& ancho, int64_t& alto);

/// Draws the visible cells into `destino`, resized to the picture. Fails with
/// kMemoriaInsuficiente when the picture cannot be held, and with
/// kMensajeInconsistencia (after drawing) when the value count read does not
/// match rows x columns. For a classified image `NroAreas` becomes the nearest
/// integer of `DatoMayor`.
Resultado Renderizar(ImagenActual& img, const EstadoVisor& ev, const TablaPaletas& paletas, QImage& destino);

/// Colour of a palette entry as a Qt colour value.
inline QRgb ColorQt(Color c) { return qRgb(Rojo(c), Verde(c), Azul(c)); }

/// One row of the legend: a label and the level of its swatch (-1 for a line
/// of text without swatch).
struct FilaLeyenda {
    std::string texto;
    int nivel = -1;
};
/// The legend is drawn only for pictures wider than 2000 and taller than 1500 pixels.
inline bool HayLeyenda(int64_t ancho, int64_t alto) { return ancho > 2000 && alto > 1500; }
std::vector<FilaLeyenda> FilasLeyenda(const ImagenActual& img);

/// Caption of the viewer and the two lines of its title box.
std::string TituloVisor(const ImagenActual& img);
std::string TextoTitulo(const ImagenActual& img);

/// Placement of the viewer in twips, from the picture size in pixels, the
/// screen size and the main window's position in twips.
struct Ventana {
    int64_t izquierda = 0, arriba = 0, ancho = 0, alto = 0;
};
Ventana UbicarVisor(int64_t anchoPicture, int64_t altoPicture, int64_t pantallaAncho, int64_t pantallaAlto,
                    int64_t principalIzquierda, int64_t principalArriba);

}  // namespace tarno::visor
