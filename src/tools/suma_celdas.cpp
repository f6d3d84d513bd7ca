#include "tools/suma_celdas.h"

#include <algorithm>
#include <cmath>

#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {

bool CargarRasterConsulta(const std::string& carpeta, const std::string& archivo, RasterConsulta& r,
                          ImagenActual& img) {
    std::string base = archivo.size() >= 7 ? archivo.substr(0, archivo.size() - 7) : std::string();
    CabeceraImagen cab;
    if (!LeerCabecera(carpeta + base + "cab.rkd", cab)) return false;
    if (!ValidarTamano(cab.NroFilas, cab.NroColumnas, archivo)) return false;

    r.NroFilas = cab.NroFilas;
    r.NroColumnas = cab.NroColumnas;
    img.Titulo = cab.Titulo;
    img.Subtitulo = cab.Subtitulo;
    img.XMinimo = cab.XMinimo;
    img.YMinimo = cab.YMinimo;
    img.XMaximo = cab.XMaximo;
    img.YMaximo = cab.YMaximo;
    img.DatoMenor = cab.DatoMenor;
    img.DatoMayor = cab.DatoMayor;
    img.ResolucionX = cab.ResolucionX;
    img.ResolucionY = cab.ResolucionY;

    r.Valores.Redimensionar(r.NroFilas, r.NroColumnas, 0.0f);
    img.Decimales = 0;
    img.NroDatos = 0;
    LectorDelimitado lector;
    if (!lector.Abrir(carpeta + archivo)) return true;
    for (int32_t f = 1; f <= r.NroFilas; ++f) {
        float* fila = &r.Valores(f, 0);
        for (int32_t c = 1; c <= r.NroColumnas; ++c) {
            float v;
            if (!lector.LeerFloat(v)) return true;  // ends early: the rest stays 0
            ActualizarDecimales(img.Decimales, v);
            ++img.NroDatos;
            fila[c] = v;
        }
    }
    return true;
}

std::vector<Celda> LineaCeldas(int32_t f1, int32_t c1, int32_t f2, int32_t c2, int32_t maxFila,
                               int32_t maxColumna) {
    std::vector<Celda> linea;
    if (f1 < 1 || c1 < 1 || f2 < f1 || c2 < c1) return linea;
    const int64_t nF = int64_t{f2} - f1 + 1;
    const int64_t nC = int64_t{c2} - c1 + 1;
    if (nC < nF) {
        const int64_t hasta = std::min<int64_t>(f2, std::max<int64_t>(maxFila, 0));
        for (int64_t f = f1; f <= hasta; ++f) {
            int64_t c = c1 + static_cast<int64_t>(std::floor(static_cast<double>(nC) / nF * (f - f1)));
            linea.emplace_back(static_cast<int32_t>(f), static_cast<int32_t>(std::min<int64_t>(c, INT32_MAX)));
        }
    } else {
        const int64_t hasta = std::min<int64_t>(c2, std::max<int64_t>(maxColumna, 0));
        for (int64_t c = c1; c <= hasta; ++c) {
            int64_t f = f1 + static_cast<int64_t>(std::floor(static_cast<double>(nF) / nC * (c - c1)));
            linea.emplace_back(static_cast<int32_t>(std::min<int64_t>(f, INT32_MAX)), static_cast<int32_t>(c));
        }
    }
    return linea;
}

float SumarLinea(const RasterConsulta& r, const std::vector<Celda>& linea) {
    std::vector<Celda> dentro;
    dentro.reserve(linea.size());
    for (const Celda& k : linea)
        if (k.first >= 1 && k.first <= r.NroFilas && k.second >= 1 && k.second <= r.NroColumnas)
            dentro.push_back(k);
    // Raster order: row by row, column by column.
    std::stable_sort(dentro.begin(), dentro.end());
    float suma = 0.0f;
    for (const Celda& k : dentro) suma += r.Valores(k.first, k.second);
    return suma;
}

}  // namespace tarno
