#include "tools/recortar.h"

#include <algorithm>

namespace tarno::herramientas {

Resultado Recortar(const ImagenActual& img, const VentanaCeldas& v, CabeceraImagen& cab,
                   Grilla<float>& salida) {
    if (Resultado r = ComprobarVentana(v, img); !r) return r;
    salida.Redimensionar(v.Filas(), v.Columnas(), 0.0f);
    for (int32_t f = v.FilaInicio; f <= v.FilaFin; ++f) {
        const float* origen = &img.Valores(f, v.ColInicio);
        std::copy(origen, origen + v.Columnas(), &salida(f - v.FilaInicio + 1, 1));
    }
    cab = CabeceraDeVentana(img, v);
    Extremos(salida, cab.DatoMenor, cab.DatoMayor);
    cab.Subtitulo += " - Recortado";
    return Resultado::Bien();
}

}  // namespace tarno::herramientas
