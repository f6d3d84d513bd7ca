#include "tools/modificar.h"

namespace tarno::herramientas {

Resultado ModificarPorPosicion(ImagenActual& img, const VentanaCeldas& v, float nuevo,
                               int64_t& cambiadas) {
    cambiadas = 0;
    if (v.FilaFin < v.FilaInicio || v.ColFin < v.ColInicio) return Resultado::Bien();
    if (Resultado r = ComprobarVentana(v, img); !r) return r;
    for (int32_t f = v.FilaInicio; f <= v.FilaFin; ++f)
        for (int32_t c = v.ColInicio; c <= v.ColFin; ++c) {
            img.Valores(f, c) = nuevo;
            ++cambiadas;
        }
    return Resultado::Bien();
}

int64_t ModificarPorValor(ImagenActual& img, float desde, float hasta, float nuevo) {
    int64_t cambiadas = 0;
    const int32_t filas = FilasUtiles(img), columnas = ColumnasUtiles(img);
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c) {
            float& z = img.Valores(f, c);
            if (desde <= z && z <= hasta) {
                z = nuevo;
                ++cambiadas;
            }
        }
    return cambiadas;
}

CabeceraImagen CabeceraModificada(const ImagenActual& img) {
    CabeceraImagen cab = img;
    // The data file holds the whole grid, so the header describes the grid.
    cab.NroFilas = img.Valores.Filas();
    cab.NroColumnas = img.Valores.Columnas();
    Extremos(img.Valores, cab.DatoMenor, cab.DatoMayor);
    cab.Subtitulo += "Modificado";
    return cab;
}

}  // namespace tarno::herramientas
