#include "model/perdidas.h"

#include <algorithm>
#include <cmath>

#include "raster/archivos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"

namespace tarno {

double EscorrentiaSCS(double P, double S, double relacionIa) {
    const double ia = relacionIa * S;
    if (!(P > ia)) return 0;
    const double x = P - ia;
    return x * x / (x + S);
}

double RetencionSCS(double numeroCurva) { return 25400.0 / numeroCurva - 254.0; }

ModeloPerdidas::ModeloPerdidas(const Parametros& par)
    : tipo_(par.Perdidas == 1 || par.Perdidas == 2 ? par.Perdidas : 0),
      relacionIa_(par.RelacionIa),
      inicialRestante_(std::max(0.0, static_cast<double>(par.PerdidaInicial))),
      continuaPorPaso_(std::max(0.0, static_cast<double>(par.PerdidaContinua) * par.PasoPp / 60.0)) {
    if (tipo_ == 2 && par.NumeroCurva > 0) S_ = std::max(0.0, RetencionSCS(par.NumeroCurva));
}

float ModeloPerdidas::Exceso(float lluvia) {
    pAntes_ = p_;
    if (!(lluvia > 0)) return lluvia;
    p_ += lluvia;
    if (tipo_ == 1) {
        double resto = lluvia;
        const double inicial = std::min(resto, inicialRestante_);
        inicialRestante_ -= inicial;
        resto -= inicial;
        resto -= std::min(resto, continuaPorPaso_);
        if (inicial == 0 && continuaPorPaso_ == 0) return lluvia;
        return static_cast<float>(resto);
    }
    if (tipo_ == 2) return ExcesoCelda(lluvia, static_cast<float>(S_));
    return lluvia;
}

float ModeloPerdidas::ExcesoCelda(float lluvia, float S) const {
    if (S == 0 || !(lluvia > 0)) return lluvia;
    const double e = EscorrentiaSCS(p_, S, relacionIa_) - EscorrentiaSCS(pAntes_, S, relacionIa_);
    return static_cast<float>(std::clamp(e, 0.0, static_cast<double>(lluvia)));
}

Resultado LeerRetencionesSCS(const std::string& ruta, const std::string& carpetaDEM, const Grilla<float>& cota,
                             Grilla<float>& S) {
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    const std::string completa = carpeta.empty() ? carpetaDEM + ruta : ruta;
    ImagenActual img;
    if (Resultado r = LeerIMG(completa, "", img); !r)
        return Resultado::Falla("ArchivoNumeroCurva: no se pudo leer " + completa + ": " + r.mensaje);
    if (img.NroFilas != cota.Filas() || img.NroColumnas != cota.Columnas() ||
        img.NroDatos < img.NroFilas * img.NroColumnas)
        return Resultado::Falla("ArchivoNumeroCurva: la imagen " + completa + " (" + TextoBlanco(img.NroFilas) +
                                " filas x" + TextoBlanco(img.NroColumnas) +
                                " columnas) no tiene el tamaño del MDT ni un valor por celda (" +
                                TextoBlanco(cota.Filas()) + " filas x" + TextoBlanco(cota.Columnas()) + " columnas).");
    S.Redimensionar(cota.Filas(), cota.Columnas());
    S.Llenar(0.0f);
    for (int32_t i = 1; i <= cota.Filas(); ++i)
        for (int32_t j = 1; j <= cota.Columnas(); ++j) {
            if (!(cota(i, j) > 0)) continue;
            const float cn = img.Valores(i, j);
            if (!(cn >= 1 && cn <= 100))
                return Resultado::Falla("ArchivoNumeroCurva: la celda fila" + TextoBlanco(i) + " columna" +
                                        TextoBlanco(j) + " tiene el número de curva" + TextoBlanco(cn) +
                                        "; debe estar entre 1 y 100.");
            S(i, j) = static_cast<float>(RetencionSCS(cn));
        }
    return Resultado::Bien();
}

}  // namespace tarno
