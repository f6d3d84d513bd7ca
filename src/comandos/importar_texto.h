// Importers of foreign text rasters: Idrisi text images, blank-separated text
// matrices, and the 0-255 amplitude conversion of a text vector.
#pragma once

#include <string>
#include <vector>

#include "raster/imagen.h"
#include "base/plataforma.h"

namespace tarno {

/// What a long import shows while it works (the progress window in the
/// application, nothing on the command line).
class AvisoProceso {
public:
    virtual ~AvisoProceso() = default;
    virtual void Empezar(const std::string& titulo, const std::string& texto) = 0;
    virtual void Terminar() = 0;
};

class SinAviso : public AvisoProceso {
public:
    void Empezar(const std::string&, const std::string&) override {}
    void Terminar() override {}
};

/// Documentation file of an Idrisi text image: the image name less its last
/// four characters plus ".doc" (img), ".rdc" (rst) or ".txt" (txt), each
/// extension in its lower, upper or capitalised form. Empty when the name has
/// none of those nine extensions.
std::string DocumentacionIdrisi(const std::string& rutaImagen);

/// Imports an Idrisi text image beside it. The header fields are taken into
/// `img` (fields whose key is absent keep their values) and `img.NroDatos`
/// receives the value count; `vector` (1-based, entry 0 unused) the values.
/// Returns true when the data file was written.
bool ImportarIdrisi(const std::string& rutaImagen, const std::string& carpeta, ImagenActual& img,
                    std::vector<float>& vector, Plataforma& plataforma, AvisoProceso& aviso);

/// Copies the numbers of a blank-separated text file into base + "_tx_dat.rkd"
/// (no header is written). Returns true when the file was written.
bool ImportarTextoBlancos(const std::string& ruta, const std::string& carpeta, ImagenActual& img,
                          std::vector<float>& vector, Plataforma& plataforma, AvisoProceso& aviso);

/// Rescales a text vector to an amplitude chosen with three input boxes and
/// writes the integers to carpeta + name + ".txt". Returns true when written.
bool ConvertirAmplitud(const std::string& ruta, const std::string& carpeta, ImagenActual& img,
                       std::vector<float>& vector, Plataforma& plataforma);

}  // namespace tarno
