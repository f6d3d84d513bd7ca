// Small in-memory images for the raster tool tests.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "raster/imagen.h"

namespace tarno::prueba {

/// An image of `filas` x `columnas` whose cells are `valores` row by row
/// (missing cells are 0), with a plain header and its value range.
inline ImagenActual ImagenValores(int32_t filas, int32_t columnas, std::vector<float> valores,
                             double resX = 10, double resY = 10) {
    ImagenActual img;
    img.Titulo = "Prueba";
    img.Subtitulo = "S";
    img.NroFilas = filas;
    img.NroColumnas = columnas;
    img.XMinimo = 1000;
    img.YMinimo = 2000;
    img.XMaximo = 1000 + columnas * resX;
    img.YMaximo = 2000 + filas * resY;
    img.ResolucionX = resX;
    img.ResolucionY = resY;
    img.Valores.Redimensionar(filas, columnas, 0.0f);
    size_t i = 0;
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c, ++i)
            if (i < valores.size()) img.Valores(f, c) = valores[i];
    Extremos(img.Valores, img.DatoMenor, img.DatoMayor);
    img.NroDatos = filas * columnas;
    return img;
}

/// Cells of a grid row by row.
inline std::vector<float> Celdas(const Grilla<float>& g) {
    std::vector<float> v;
    for (int32_t f = 1; f <= g.Filas(); ++f)
        for (int32_t c = 1; c <= g.Columnas(); ++c) v.push_back(g(f, c));
    return v;
}

/// A grid whose cell (f, c) holds 100 f + c: every cell tells where it was.
inline ImagenActual ImagenNumerada(int32_t filas, int32_t columnas) {
    std::vector<float> v;
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c) v.push_back(static_cast<float>(100 * f + c));
    return ImagenValores(filas, columnas, v);
}

}  // namespace tarno::prueba
