#include "tools/clasificar.h"

#include <algorithm>
#include <cmath>

#include "raster/archivos.h"
#include "raster/numeros.h"

namespace tarno::herramientas {

void Clases::Redimensionar(int16_t nuevo) {
    n = std::max<int16_t>(nuevo, 0);
    Desde.resize(static_cast<size_t>(n) + 1, 0.0f);
    Hasta.resize(static_cast<size_t>(n) + 1, 0.0f);
    Hasta[0] = 0.0f;
}

bool LeerNroClases(const std::string& texto, int16_t& n) {
    if (!EsNumerico(texto)) return false;
    const double v = std::max(ParteEntera(ValorInicial(texto)), 1.0);
    if (v > kMaxClases) return false;
    n = static_cast<int16_t>(v);
    return true;
}

namespace {
void LlenarLineal(Clases& cl) {
    for (int k = 1; k <= cl.n; ++k) {
        cl.Hasta[static_cast<size_t>(k)] = cl.Amplitud * static_cast<float>(k);
        cl.Desde[static_cast<size_t>(k)] = cl.Hasta[static_cast<size_t>(k - 1)];
    }
}
}  // namespace

void ClasesPorNumero(Clases& cl, int16_t n, float menor, float mayor) {
    cl.Redimensionar(n);
    cl.Amplitud = n > 0 ? (mayor - menor) / static_cast<float>(n) : 0.0f;
    LlenarLineal(cl);
}

bool ClasesPorAmplitud(Clases& cl, float amplitud, float menor, float mayor) {
    const float rango = mayor - menor;
    bool reemplazada = false;
    if (!(amplitud > 0.0f) || rango / amplitud > static_cast<float>(kMaxClases)) {
        amplitud = rango / static_cast<float>(kMaxClases);
        reemplazada = true;
    }
    cl.Amplitud = amplitud;
    int n = 1;
    if (amplitud > 0.0f) {
        n = static_cast<int>(std::floor(rango / amplitud)) + 1;
        if (static_cast<float>(n) * amplitud < mayor) ++n;
    }
    cl.Redimensionar(static_cast<int16_t>(n));
    LlenarLineal(cl);
    return reemplazada;
}

void EncadenarClases(Clases& cl) {
    for (size_t k = 2; k <= static_cast<size_t>(cl.n); ++k) cl.Desde[k] = cl.Hasta[k - 1];
}

int16_t BuscarClase(const Clases& cl, float z) {
    const int n = cl.n;
    for (int k = 1; k < n; ++k)
        if (cl.Desde[static_cast<size_t>(k)] <= z && z < cl.Hasta[static_cast<size_t>(k)])
            return static_cast<int16_t>(k);
    if (n >= 1 && cl.Desde[static_cast<size_t>(n)] <= z && z <= cl.Hasta[static_cast<size_t>(n)])
        return static_cast<int16_t>(n);
    return 0;
}

Resultado Clasificar(const ImagenActual& img, const Clases& cl, CabeceraImagen& cab,
                     Grilla<float>& salida) {
    const int32_t filas = FilasUtiles(img), columnas = ColumnasUtiles(img);
    if (filas <= 0 || columnas <= 0) return Resultado::Falla("La imagen no tiene celdas para clasificar.");
    salida.Redimensionar(filas, columnas, 0.0f);
    for (int32_t f = 1; f <= filas; ++f) {
        const float* z = &img.Valores(f, 1);
        float* s = &salida(f, 1);
        for (int32_t c = 0; c < columnas; ++c) s[c] = BuscarClase(cl, z[c]);
    }
    cab = img;
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    Extremos(salida, cab.DatoMenor, cab.DatoMayor);
    cab.Subtitulo += "Clasificado";
    return Resultado::Bien();
}

std::vector<std::string> NombresDeClases(const Clases& cl) {
    std::vector<std::string> nombres(static_cast<size_t>(cl.n) + 1);
    for (size_t k = 1; k <= static_cast<size_t>(cl.n); ++k)
        nombres[k] = TextoBlanco(cl.Desde[k]) + "-" + TextoBlanco(cl.Hasta[k]);
    return nombres;
}

std::string RutaListaClases(const std::string& nombreCab) {
    std::string carpeta, nombre;
    SepararRuta(nombreCab, carpeta, nombre);
    const size_t corte = std::min<size_t>(10, nombre.size());
    return carpeta + nombre.substr(0, nombre.size() - corte) + "_C_cla.rkd";
}

}  // namespace tarno::herramientas
