// Pieces shared by the raster tools: the window of rows and columns a tool
// works on, the header of such a window, the names proposed for a tool's
// output and the writing of a result image with its optional name list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/imagen.h"
#include "base/resultado.h"

namespace tarno::herramientas {

/// A rectangle of cells, first and last row and column, 1-based and inclusive.
/// 0 in any field means "not chosen".
struct VentanaCeldas {
    int32_t FilaInicio = 0;
    int32_t FilaFin = 0;
    int32_t ColInicio = 0;
    int32_t ColFin = 0;

    bool Elegida() const { return FilaInicio != 0 && FilaFin != 0 && ColInicio != 0 && ColFin != 0; }
    bool Contiene(int32_t f, int32_t c) const {
        return f >= FilaInicio && f <= FilaFin && c >= ColInicio && c <= ColFin;
    }
    int32_t Filas() const { return FilaFin - FilaInicio + 1; }
    int32_t Columnas() const { return ColFin - ColInicio + 1; }
};

/// Number of rows and columns of an image that a tool may actually walk: the
/// header's size, limited to the cells the grid holds (another tool may have
/// changed the header of the shared current image).
int32_t FilasUtiles(const ImagenActual& img);
int32_t ColumnasUtiles(const ImagenActual& img);

/// Checks that a chosen window is not reversed and lies inside the image.
Resultado ComprobarVentana(const VentanaCeldas& v, const ImagenActual& img);

/// Header of the image made of window `v` of an image with header `fuente`:
/// size of the window, minima moved by the cells left out, maxima the
/// window's extent (cells times cell size, not offset by the minima). Title,
/// subtitle and value range are copied unchanged.
CabeceraImagen CabeceraDeVentana(const CabeceraImagen& fuente, const VentanaCeldas& v);

/// The file name `nombre` with `letra` inserted before its last eight
/// characters (the "_dat.rkd" ending): "dem_dat.rkd" + "R" -> "demR_dat.rkd".
std::string NombrePropuesto(const std::string& nombre, const std::string& letra);

/// Output names must end in "_dat.rkd" or "_dat.RKD".
bool EsNombreSalida(const std::string& nombre);
/// Source names must end in "_dat.rkd", "_dat.RKD" or "_DAT.RKD".
bool EsNombreFuente(const std::string& nombre);

/// Fingerprint of the contents of an image's two files (data and header, a
/// missing file counting as such), to tell whether they changed since they
/// were read: a rewrite that keeps the name, the size and even the time
/// stamp of the files still changes it.
uint64_t HuellaImagen(const std::string& nombreDat);

/// Writes the data file, the header derived from its name and, when `lista`
/// is given, the name list at `rutaLista`. Each file is written whole or not
/// at all; when a later file fails, the files already written by this call
/// are removed again so no partial result is left behind. When `fuenteDat`
/// names the image the result was made from, its coordinate system (.prj)
/// follows the result.
Resultado EscribirSalida(const std::string& nombreDat, const CabeceraImagen& cab,
                         const Grilla<float>& valores, const std::vector<std::string>* lista = nullptr,
                         const std::string& rutaLista = "", const std::string& fuenteDat = "");

}  // namespace tarno::herramientas
