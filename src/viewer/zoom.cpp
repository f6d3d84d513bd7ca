#include "viewer/zoom.h"

#include <cmath>

namespace tarno::visor {

int IndiceZoom(const TablaZoomT& tabla, int tam) {
    for (int i = 1; i <= 13; ++i)
        if (tabla[i] == tam) return i;
    return 0;
}

int16_t AjustarATabla(const TablaZoomT& tabla, double tam) {
    if (!(tam >= kTamMaximo)) {
        for (int i = 2; i <= 13; ++i)
            if (tam < tabla[i]) return tabla[i - 1];
    }
    return kTamMaximo;
}

int16_t ZoomAjustado(const TablaZoomT& tabla, double anchoPixeles, double altoPixeles, int32_t columnas,
                     int32_t filas) {
    // An empty image has no size to fit: keep the largest cells.
    if (columnas <= 0 || filas <= 0) return kTamMaximo;
    double tam = std::nearbyint(anchoPixeles / columnas);
    const double porAlto = altoPixeles / filas;
    if (porAlto < tam) tam = std::nearbyint(porAlto);
    return AjustarATabla(tabla, tam);
}

int16_t ZoomMinimo(const TablaZoomT& tabla, int tam, int32_t columnas, int32_t filas) {
    int i = 0;
    auto chico = [&] {
        return static_cast<int64_t>(tam) * filas < 100 || static_cast<int64_t>(tam) * columnas < 100;
    };
    while (chico() && i < 13) tam = tabla[++i];
    if (tam > kTamMaximo) tam = kTamMaximo;
    return static_cast<int16_t>(tam);
}

int16_t ZoomMenos(const TablaZoomT& tabla, int tam) {
    const int i = IndiceZoom(tabla, tam);
    if (i == 0) return kTamMaximo;
    if (i == 1) return tabla[1];
    return tabla[i - 1];
}

int16_t ZoomMas(const TablaZoomT& tabla, int tam) {
    const int i = IndiceZoom(tabla, tam);
    if (i == 0 || i == 13) return kTamMaximo;
    return tabla[i + 1];
}

}  // namespace tarno::visor
