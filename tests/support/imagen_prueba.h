// In-memory images for viewer and tool tests.
#pragma once

#include <functional>
#include <string>

#include "raster/imagen.h"

namespace tarno::prueba {

/// An image of `filas` x `columnas` cells holding f(fila, columna), with its
/// extremes and value count set as the reader leaves them.
inline ImagenActual ImagenDe(int filas, int columnas, const std::function<float(int, int)>& f,
                             const std::string& nombreDat = "img_dat.rkd") {
    ImagenActual img;
    img.NombreDat = nombreDat;
    img.NombreCab = NombreCabDe(nombreDat);
    img.Titulo = "Prueba";
    img.Subtitulo = "sub";
    img.NroFilas = filas;
    img.NroColumnas = columnas;
    img.ResolucionX = 30;
    img.ResolucionY = 50;
    img.Valores.Redimensionar(filas, columnas, 0.0f);
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) img.Valores(r, c) = f(r, c);
    Extremos(img.Valores, img.DatoMenor, img.DatoMayor);
    img.NroDatos = filas * columnas;
    return img;
}

}  // namespace tarno::prueba
