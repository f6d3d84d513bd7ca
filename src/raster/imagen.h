// Raster images: a header file base + "_cab.rkd" (twelve labelled lines) and a
// data file base + "_dat.rkd" (one value per line, row by row), the current
// image record `ImagenActual`, its reader and the one shared writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/grilla.h"
#include "base/resultado.h"

namespace tarno {

inline constexpr const char* kSufijoDat = "_dat.rkd";
inline constexpr const char* kSufijoCab = "_cab.rkd";

/// The twelve values of an image header, in file order.
struct CabeceraImagen {
    std::string Titulo;
    std::string Subtitulo;
    int32_t NroFilas = 0;
    int32_t NroColumnas = 0;
    double XMinimo = 0;
    double YMinimo = 0;
    double XMaximo = 0;
    double YMaximo = 0;
    float DatoMenor = 0;
    float DatoMayor = 0;
    double ResolucionX = 0;
    double ResolucionY = 0;
};

/// The fixed 20-character labels of the twelve header lines.
extern const char* const kEtiquetasCabecera[12];

/// The current image record.
struct ImagenActual : CabeceraImagen {
    std::string NombreDat;
    std::string NombreCab;
    Grilla<float> Valores;  // 0..NroFilas x 0..NroColumnas, cells 1-based
    int16_t Decimales = 0;
    int32_t NroDatos = 0;
    bool EsClasificada = false;
    bool TieneAreas = false;
    int16_t NroAreas = 0;
    std::vector<std::string> NombresAreas;  // 0..NroAreas, entries 1-based
};

/// Header name of a data file: the name less its last 8 characters plus "_cab.rkd".
std::string NombreCabDe(const std::string& nombreDat);

/// Checks that a header's size can be held: rows and columns positive, the cell
/// count within a 32-bit count. The message names `archivo`.
Resultado ValidarTamano(int32_t filas, int32_t columnas, const std::string& archivo);

/// Reads the twelve header lines of `nombreCab` into `cab`, in order, stopping
/// at the first value that cannot be read (the fields read so far stay). The
/// labels are read and discarded.
Resultado LeerCabecera(const std::string& nombreCab, CabeceraImagen& cab);

/// Headers of up to this many cells are read whatever their data file holds.
inline constexpr int64_t kCeldasSinControl = int64_t{1} << 20;

/// Reads the raster image whose data file is `nombreDat` into `img`. A data
/// file shorter than the header says is not an error (`NroDatos` tells);
/// missing files, unreadable header values, an impossible size, values beyond
/// the 32-bit range, or a header above `kCeldasSinControl` cells whose data
/// file has fewer bytes than cells are (the record keeps what was filled).
/// `carpeta` is not used.
Resultado LeerIMG(const std::string& nombreDat, const std::string& carpeta, ImagenActual& img);

/// Reads a companion list (count line, then one quoted name per line).
Resultado LeerListaNombres(const std::string& ruta, int16_t& cuantos,
                           std::vector<std::string>& nombres);
/// Writes a companion list; `nombres` is 1-based (entry 0 is ignored).
Resultado EscribirListaNombres(const std::string& ruta, const std::vector<std::string>& nombres);

/// Writes the twelve header lines.
Resultado EscribirCabecera(const std::string& nombreCab, const CabeceraImagen& cab);

/// Text of a data file from a grid (cells 1..filas x 1..columnas, row by row).
std::string TextoDatos(const Grilla<float>& valores);

/// Writes the data file of a grid.
Resultado EscribirDatos(const std::string& nombreDat, const Grilla<float>& valores);

/// Writes header (derived name) and data of an image. The grid's size must be
/// the header's.
Resultado EscribirImagen(const std::string& nombreDat, const CabeceraImagen& cab,
                         const Grilla<float>& valores);

/// Smallest and largest value of cells 1..filas x 1..columnas.
void Extremos(const Grilla<float>& valores, float& menor, float& mayor);

}  // namespace tarno
