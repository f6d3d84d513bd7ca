#include "raster/importar_asc.h"

#include <cctype>
#include <cmath>
#include <new>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {
namespace {
std::string Minusculas(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

Resultado LeerAsc(const std::string& rutaAsc, const OpcionesAsc& op, CabeceraImagen& cab,
                  Grilla<float>& valores) {
    std::string bytes;
    if (!LeerArchivo(rutaAsc, bytes)) return Resultado::Falla("No se pudo abrir el archivo " + rutaAsc);
    // Header: "key value" lines until the first line that starts with a number.
    size_t pos = 0;
    double ncols = -1, nrows = -1, xll = 0, yll = 0, cellsize = -1, dx = -1, dy = -1;
    std::optional<double> nodata;
    bool centro = false;
    while (pos < bytes.size()) {
        size_t fin = bytes.find('\n', pos);
        if (fin == std::string::npos) fin = bytes.size();
        std::string linea = bytes.substr(pos, fin - pos);
        size_t i = 0;
        while (i < linea.size() && std::isspace(static_cast<unsigned char>(linea[i]))) ++i;
        if (i >= linea.size()) {
            pos = fin + 1;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(linea[i]))) break;
        size_t k = i;
        while (k < linea.size() && !std::isspace(static_cast<unsigned char>(linea[k]))) ++k;
        std::string clave = Minusculas(linea.substr(i, k - i));
        double v = 0;
        if (!ConvertirDouble(linea.substr(k), v))
            return Resultado::Falla("Cabecera ASCII inválida en " + rutaAsc + ": " + clave);
        if (clave == "ncols") ncols = v;
        else if (clave == "nrows") nrows = v;
        else if (clave == "xllcorner") xll = v;
        else if (clave == "yllcorner") yll = v;
        else if (clave == "xllcenter") xll = v, centro = true;
        else if (clave == "yllcenter") yll = v, centro = true;
        else if (clave == "cellsize") cellsize = v;
        else if (clave == "dx") dx = v;
        else if (clave == "dy") dy = v;
        else if (clave == "nodata_value") nodata = v;
        else return Resultado::Falla("Clave desconocida en la cabecera de " + rutaAsc + ": " + clave);
        pos = fin + 1;
    }
    if (dx < 0) dx = cellsize;
    if (dy < 0) dy = cellsize;
    int32_t filas = 0, columnas = 0;
    if (!AEntero32(nrows, filas) || !AEntero32(ncols, columnas) || nrows != std::floor(nrows) ||
        ncols != std::floor(ncols))
        return Resultado::Falla("Cabecera ASCII inválida en " + rutaAsc + ": nrows/ncols");
    if (Resultado r = ValidarTamano(filas, columnas, rutaAsc); !r) return r;
    if (!(dx > 0) || !(dy > 0)) return Resultado::Falla("Cabecera ASCII inválida en " + rutaAsc + ": cellsize");
    if (centro) {
        xll -= dx / 2;
        yll -= dy / 2;
    }

    try {
        valores.Redimensionar(filas, columnas, 0.0f);
    } catch (const std::bad_alloc&) {
        return Resultado::Falla("No hay memoria suficiente para " + rutaAsc);
    }
    LectorDelimitado in(bytes.substr(pos < bytes.size() ? pos : bytes.size()));
    const float sinDato = -9999.0f;
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c) {
            double v;
            if (!in.LeerDouble(v))
                return Resultado::Falla("El archivo " + rutaAsc + " tiene menos datos que filas x columnas");
            if (nodata && v == *nodata) v = sinDato;
            if (!std::isfinite(v))
                return Resultado::Falla("Valor no finito en " + rutaAsc + ", fila" + TextoBlanco(f) +
                                        ", columna" + TextoBlanco(c));
            valores(f, c) = static_cast<float>(v);
        }

    std::string carpeta, nombre;
    SepararRuta(rutaAsc, carpeta, nombre);
    cab.Titulo = op.titulo ? *op.titulo : nombre;
    cab.Subtitulo = "Importado de " + nombre;
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.XMinimo = xll;
    cab.YMinimo = yll;
    cab.XMaximo = xll + columnas * dx;
    cab.YMaximo = yll + filas * dy;
    Extremos(valores, cab.DatoMenor, cab.DatoMayor);
    cab.ResolucionX = op.resX ? *op.resX : dx;
    cab.ResolucionY = op.resY ? *op.resY : dy;
    return Resultado::Bien();
}

Resultado ImportarAsc(const std::string& rutaAsc, const std::string& nombreDat, const OpcionesAsc& op) {
    if (!TerminaEn(nombreDat, "_dat.rkd"))
        return Resultado::Falla("El nombre de la imagen debe terminar en _dat.rkd: " + nombreDat);
    CabeceraImagen cab;
    Grilla<float> valores;
    if (Resultado r = LeerAsc(rutaAsc, op, cab, valores); !r) return r;
    return EscribirImagen(nombreDat, cab, valores);
}

}  // namespace tarno
