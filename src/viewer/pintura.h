// Area painting: numbered areas painted into the current image with a square
// pencil, an eraser that puts back the values found when painting started,
// and the save of the painted image with its area list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "raster/imagen.h"
#include "viewer/paletas.h"

namespace tarno::visor {

inline constexpr int kMaximoAreas = 255;
inline constexpr const char* kAgregarArea = "Agregar Nueva Area o Vector";

struct EditorAreas {
    Grilla<float> Copia;                                       // cells when painting started
    int16_t AnchoPincel = 1;                                   // pencil side in cells
    std::array<int16_t, 8> TablaPincel{0, 1, 2, 5, 10, 20, 50, 100};
    int16_t AreaActual = 0;
    bool Lapiz = true;
    bool Goma = false;
    bool Dibujando = false;
};

/// A square of the picture to repaint after a block was painted.
struct Cuadro {
    int x = 0, y = 0, lado = 1;
    Color color = 0;
};

/// Takes the copy of every cell that the eraser restores from.
void EntrarPintura(EditorAreas& ed, const ImagenActual& img);

/// Entries of the area list: "Agregar Nueva Area o Vector", then " k- name".
std::vector<std::string> ListaAreas(const ImagenActual& img);

/// Paints a block of `AnchoPincel` x `AnchoPincel` cells whose top-left cell is
/// (f0, c0) (cells past the last row or column fall on it), and returns the
/// squares to repaint: the pencil in the "Colorines" colour of the area, the
/// eraser in the colour of the restored value's level in palette `nroPaleta`.
std::vector<Cuadro> PintarBloque(EditorAreas& ed, ImagenActual& img, const TablaPaletas& paletas, int nroPaleta,
                                 int tamPixel, int32_t f0, int32_t c0);

/// Next larger / smaller pencil width of the table (stays at 100 / 1).
int16_t AnchoMayor(const EditorAreas& ed);
int16_t AnchoMenor(const EditorAreas& ed);

/// Adds the area `NroAreas` + 1 named `nombre`. False (nothing added) for an
/// empty name. Areas past 255 can be listed but not painted.
bool AgregarArea(ImagenActual& img, const std::string& nombre);

/// Name of the area list beside the image: the data name less "_dat.rkd" plus "_agr.rkd".
std::string NombreListaAreas(const std::string& nombreDat);

/// Writes the painted image (data, header with " - agr.dat" appended to the
/// subtitle and the extremes of the data) and its area list. The record takes
/// the new subtitle and extremes.
Resultado GuardarAreas(ImagenActual& img);

}  // namespace tarno::visor
