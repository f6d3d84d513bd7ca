#include "tools/superponer.h"

#include <cmath>

namespace tarno::herramientas {

float Combinar(Operacion op, float a, float b, float e, bool& anulada) {
    anulada = false;
    float r = 0.0f;
    switch (op) {
        case Operacion::Superponer: return b != e ? b : a;
        case Operacion::Indice: {
            const float suma = a + b;
            if (suma == 0.0f) {
                anulada = true;
                return 0.0f;
            }
            r = (a - b) / suma;
            break;
        }
        case Operacion::Suma: r = a + b; break;
        case Operacion::Resta: r = a - b; break;
        case Operacion::Producto: r = a * b; break;
        case Operacion::Cociente:
            if (b == 0.0f) {
                anulada = true;
                return 0.0f;
            }
            r = a / b;
            break;
        case Operacion::Mayor: return b > a ? b : a;
        case Operacion::Menor: return b >= a ? a : b;
    }
    if (!std::isfinite(r)) {
        anulada = true;
        return 0.0f;
    }
    return r;
}

Resultado Superponer(const Grilla<float>& imagen1, const ImagenActual& img2, Operacion op, float e,
                     CabeceraImagen& cab, Grilla<float>& salida, int64_t& anuladas) {
    anuladas = 0;
    const int32_t filas = img2.NroFilas, columnas = img2.NroColumnas;
    if (filas <= 0 || columnas <= 0 || imagen1.Filas() != filas || imagen1.Columnas() != columnas ||
        img2.Valores.Filas() != filas || img2.Valores.Columnas() != columnas)
        return Resultado::Falla("Las imágenes seleccionadas no son compatibles");
    salida.Redimensionar(filas, columnas, 0.0f);
    for (int32_t f = 1; f <= filas; ++f) {
        const float* a = &imagen1(f, 1);
        const float* b = &img2.Valores(f, 1);
        float* s = &salida(f, 1);
        for (int32_t c = 0; c < columnas; ++c) {
            bool anulada;
            s[c] = Combinar(op, a[c], b[c], e, anulada);
            anuladas += anulada;
        }
    }
    cab = img2;
    Extremos(salida, cab.DatoMenor, cab.DatoMayor);
    cab.Subtitulo += " - Superponer / Operador dos imagenes";
    return Resultado::Bien();
}

}  // namespace tarno::herramientas
