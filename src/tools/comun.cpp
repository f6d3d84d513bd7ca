#include "tools/comun.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "raster/archivos.h"
#include "raster/numeros.h"
#include "raster/prj.h"
#include "raster/nombres.h"

namespace tarno::herramientas {

int32_t FilasUtiles(const ImagenActual& img) { return std::min(img.NroFilas, img.Valores.Filas()); }
int32_t ColumnasUtiles(const ImagenActual& img) {
    return std::min(img.NroColumnas, img.Valores.Columnas());
}

Resultado ComprobarVentana(const VentanaCeldas& v, const ImagenActual& img) {
    const int32_t filas = FilasUtiles(img);
    const int32_t columnas = ColumnasUtiles(img);
    if (v.FilaInicio < 1 || v.FilaFin > filas || v.ColInicio < 1 || v.ColFin > columnas)
        return Resultado::Falla("La ventana elegida (filas" + TextoBlanco(v.FilaInicio) + " a" +
                                TextoBlanco(v.FilaFin) + ", columnas" + TextoBlanco(v.ColInicio) + " a" +
                                TextoBlanco(v.ColFin) + ") no está dentro de la imagen de" +
                                TextoBlanco(filas) + " filas y" + TextoBlanco(columnas) + " columnas.");
    if (v.FilaFin < v.FilaInicio)
        return Resultado::Falla("Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar ");
    if (v.ColFin < v.ColInicio)
        return Resultado::Falla("Ingrese un valor entero  mayor que la Columna de Inicio, o '0' para Cancelar ");
    return Resultado::Bien();
}

CabeceraImagen CabeceraDeVentana(const CabeceraImagen& fuente, const VentanaCeldas& v) {
    CabeceraImagen cab = fuente;
    cab.NroFilas = v.Filas();
    cab.NroColumnas = v.Columnas();
    cab.XMinimo = fuente.XMinimo + (v.ColInicio - 1) * fuente.ResolucionX;
    cab.YMinimo = fuente.YMinimo + (v.FilaInicio - 1) * fuente.ResolucionY;
    // The maxima hold the window's extent, without the minima.
    cab.XMaximo = cab.NroColumnas * fuente.ResolucionX;
    cab.YMaximo = cab.NroFilas * fuente.ResolucionY;
    return cab;
}

std::string NombrePropuesto(const std::string& nombre, const std::string& letra) {
    const size_t corte = nombre.size() >= kLargoSufijoImagen ? nombre.size() - kLargoSufijoImagen : 0;
    return nombre.substr(0, corte) + letra + nombre.substr(corte);
}

bool EsNombreSalida(const std::string& nombre) {
    return TerminaEn(nombre, "_dat.rkd") || TerminaEn(nombre, "_dat.RKD");
}

bool EsNombreFuente(const std::string& nombre) {
    return EsNombreSalida(nombre) || TerminaEn(nombre, "_DAT.RKD");
}

uint64_t HuellaImagen(const std::string& nombreDat) {
    // FNV-1a over the bytes of both files, each preceded by a mark of whether
    // it could be opened.
    uint64_t h = 1469598103934665603ull;
    auto mezclar = [&h](unsigned char b) {
        h ^= b;
        h *= 1099511628211ull;
    };
    for (const std::string& ruta : {nombreDat, NombreCabDe(nombreDat)}) {
        std::ifstream in(ruta, std::ios::binary);
        mezclar(in ? 1 : 0);
        char bloque[1 << 16];
        while (in) {
            in.read(bloque, sizeof bloque);
            const std::streamsize n = in.gcount();
            for (std::streamsize i = 0; i < n; ++i) mezclar(static_cast<unsigned char>(bloque[i]));
        }
        mezclar(0xFF);
    }
    return h;
}

Resultado EscribirSalida(const std::string& nombreDat, const CabeceraImagen& cab,
                         const Grilla<float>& valores, const std::vector<std::string>* lista,
                         const std::string& rutaLista, const std::string& fuenteDat) {
    if (Resultado r = EscribirDatos(nombreDat, valores); !r) return r;
    const std::string nombreCab = NombreCabDe(nombreDat);
    if (Resultado r = EscribirCabecera(nombreCab, cab); !r) {
        std::remove(nombreDat.c_str());
        return r;
    }
    if (lista) {
        if (Resultado r = EscribirListaNombres(rutaLista, *lista); !r) {
            std::remove(nombreDat.c_str());
            std::remove(nombreCab.c_str());
            return r;
        }
    }
    if (!fuenteDat.empty()) return SeguirPrj(fuenteDat, nombreDat);
    return Resultado::Bien();
}

}  // namespace tarno::herramientas
