#include "tools/operador.h"

#include <cmath>
#include <limits>

#include "raster/numeros.h"

namespace tarno::herramientas {

bool EvaluarOperador(float z, const Coeficientes& a, float& resultado) {
    const double zd = z;
    const double t1 = std::pow(zd, static_cast<double>(a[2])) * a[1] + a[0];
    const double t2 = std::pow(zd, static_cast<double>(a[4])) * a[3] + t1;
    const float exponente = z * a[6];
    const double r = std::pow(static_cast<double>(a[5]), static_cast<double>(exponente)) + t2;
    if (!std::isfinite(r) || std::fabs(r) > std::numeric_limits<float>::max()) return false;
    resultado = static_cast<float>(r);
    return std::isfinite(resultado);
}

Resultado AplicarOperador(const ImagenActual& img, const VentanaCeldas& v, const Coeficientes& a,
                          CabeceraImagen& cab, Grilla<float>& salida, FallasOperador& fallas) {
    fallas = {};
    if (Resultado r = ComprobarVentana(v, img); !r) return r;
    salida.Redimensionar(v.Filas(), v.Columnas(), 0.0f);
    for (int32_t f = v.FilaInicio; f <= v.FilaFin; ++f) {
        float* destino = &salida(f - v.FilaInicio + 1, 1);
        for (int32_t c = v.ColInicio; c <= v.ColFin; ++c, ++destino) {
            if (!EvaluarOperador(img.Valores(f, c), a, *destino)) {
                *destino = 0.0f;
                if (fallas.celdas++ == 0) {
                    fallas.fila = f;
                    fallas.columna = c;
                }
            }
        }
    }
    if (fallas.celdas > 0)
        return Resultado::Falla(
            "El operador no tiene un valor real finito en" + TextoBlanco(static_cast<int64_t>(fallas.celdas)) +
            " celdas (la primera en la fila" + TextoBlanco(fallas.fila) + ", columna" +
            TextoBlanco(fallas.columna) + "). No se escribió ningún archivo.");
    cab = CabeceraDeVentana(img, v);
    Extremos(salida, cab.DatoMenor, cab.DatoMayor);
    cab.Subtitulo += " - Operador";
    return Resultado::Bien();
}

}  // namespace tarno::herramientas
