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
        if (!ConvertirDouble(linea.substr(k), v) || !std::isfinite(v))
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
    const double xMax = xll + columnas * dx;
    const double yMax = yll + filas * dy;
    const double resX = op.resX ? *op.resX : dx;
    const double resY = op.resY ? *op.resY : dy;
    if (!std::isfinite(xll) || !std::isfinite(yll) || !std::isfinite(xMax) || !std::isfinite(yMax) ||
        !std::isfinite(resX) || !std::isfinite(resY))
        return Resultado::Falla("Cabecera ASCII inválida en " + rutaAsc + ": coordenadas fuera de rango");

    const std::string corto = "El archivo " + rutaAsc + " tiene menos datos que filas x columnas";
    bytes.erase(0, pos < bytes.size() ? pos : bytes.size());
    // Every value takes at least one byte.
    if (static_cast<int64_t>(bytes.size()) < static_cast<int64_t>(filas) * columnas)
        return Resultado::Falla(corto);
    try {
        valores.Redimensionar(filas, columnas, 0.0f);
    } catch (const std::bad_alloc&) {
        return Resultado::Falla("No hay memoria suficiente para " + rutaAsc);
    }
    LectorDelimitado in(std::move(bytes));
    // NODATA is outside the basin, as the model defines it: 0.
    const float sinDato = 0.0f;
    for (int32_t f = 1; f <= filas; ++f)
        for (int32_t c = 1; c <= columnas; ++c) {
            auto lugar = [&] { return " en " + rutaAsc + ", fila" + TextoBlanco(f) + ", columna" + TextoBlanco(c); };
            double v;
            if (!in.LeerDouble(v)) {
                if (in.FueraDeRango()) return Resultado::Falla("Valor fuera de rango" + lugar());
                return Resultado::Falla(corto);
            }
            float celda = sinDato;
            if (!(nodata && v == *nodata) && !AFloat(v, celda))
                return Resultado::Falla("Valor fuera de rango" + lugar());
            valores(f, c) = celda;
        }

    std::string carpeta, nombre;
    SepararRuta(rutaAsc, carpeta, nombre);
    cab.Titulo = op.titulo ? *op.titulo : nombre;
    cab.Subtitulo = "Importado de " + nombre;
    cab.NroFilas = filas;
    cab.NroColumnas = columnas;
    cab.XMinimo = xll;
    cab.YMinimo = yll;
    cab.XMaximo = xMax;
    cab.YMaximo = yMax;
    Extremos(valores, cab.DatoMenor, cab.DatoMayor);
    cab.ResolucionX = resX;
    cab.ResolucionY = resY;
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
