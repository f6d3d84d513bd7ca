// Classify: every cell gets the number of the value interval it falls in.
//
// Classes k = 1..n cover [Desde[k], Hasta[k]), the last one [Desde[n],
// Hasta[n]]; a value outside every class gets class 0. The two linear ways of
// building classes count the intervals from 0, not from the smallest value:
// class k is [Amplitud * (k - 1), Amplitud * k).
#pragma once

#include <string>
#include <vector>

#include "tools/comun.h"

namespace tarno::herramientas {

inline constexpr int kMaxClases = 256;

struct Clases {
    int16_t n = 0;
    float Amplitud = 0;
    std::vector<float> Desde{0.0f};  // 0..n, entry 0 unused
    std::vector<float> Hasta{0.0f};  // 0..n, Hasta[0] = 0

    /// Sizes the bounds to 0..n keeping the values of the classes that remain
    /// (new classes start at 0).
    void Redimensionar(int16_t nuevo);
};

/// Reads the number of classes from a box text: the integer part of its
/// value, at least 1. False when the text is not numeric or the result is
/// above 256.
bool LeerNroClases(const std::string& texto, int16_t& n);

/// n equal intervals of (mayor - menor) / n, counted from 0.
void ClasesPorNumero(Clases& cl, int16_t n, float menor, float mayor);

/// Intervals of constant width `amplitud`, counted from 0, as many as reach
/// `mayor`. A width that would make more than 256 intervals (or is not
/// positive) is replaced by (mayor - menor) / 256 and the result is true (the
/// caller tells the user).
bool ClasesPorAmplitud(Clases& cl, float amplitud, float menor, float mayor);

/// Links the table typed by the user: Desde[k] = Hasta[k - 1] for k = 2..n.
void EncadenarClases(Clases& cl);

/// The class of one value (0 when outside every class).
int16_t BuscarClase(const Clases& cl, float z);

/// Classifies the cells of `img` into `salida` and fills `cab` with the
/// image's header, the range of the classes written and the subtitle followed
/// directly by "Clasificado".
Resultado Clasificar(const ImagenActual& img, const Clases& cl, CabeceraImagen& cab,
                     Grilla<float>& salida);

/// Class names for the class list, 1-based: " 0- 25", " 25- 50", ...
std::vector<std::string> NombresDeClases(const Clases& cl);

/// Path of the class list of a classified image: its header path less the
/// last ten characters, plus "_C_cla.rkd" (the base + "_C_cla.rkd" for the
/// usual "_C_dat.rkd" names). Never cuts into the folder part of the path.
std::string RutaListaClases(const std::string& nombreCab);

}  // namespace tarno::herramientas
