#include "raster/numeros_asc.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "raster/archivos.h"
#include "raster/numeros.h"

namespace tarno {

Resultado ValidarNumerosAsc(const std::string& ruta, int filas, int columnas) {
    std::string bytes;
    if (!LeerArchivo(ruta, bytes)) return Resultado::Falla("No se pudo abrir el archivo " + ruta);
    auto blanco = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    size_t p = 0;
    // The header: lines that start with a key.
    for (;;) {
        size_t q = p;
        while (q < bytes.size() && blanco(bytes[q])) ++q;
        if (q >= bytes.size() || !std::isalpha(static_cast<unsigned char>(bytes[q]))) break;
        const size_t fin = bytes.find('\n', q);
        p = fin == std::string::npos ? bytes.size() : fin + 1;
    }
    int64_t k = 0;
    while (p < bytes.size()) {
        while (p < bytes.size() && blanco(bytes[p])) ++p;
        size_t q = p;
        while (q < bytes.size() && !blanco(bytes[q])) ++q;
        if (q == p) break;
        double v = 0;
        const std::string_view token(bytes.data() + p, q - p);
        if (!ConvertirDouble(token, v) || !std::isfinite(v))
            return Resultado::Falla("Valor no numérico en " + ruta + ", fila" +
                                    TextoBlanco(static_cast<int64_t>(k / columnas + 1)) + ", columna" +
                                    TextoBlanco(static_cast<int64_t>(k % columnas + 1)) + ": " +
                                    std::string(token.substr(0, 40)));
        ++k;
        p = q;
    }
    if (k < static_cast<int64_t>(filas) * columnas)
        return Resultado::Falla("El archivo " + ruta + " tiene menos datos que filas x columnas (" +
                                std::to_string(k) + " de " + std::to_string(static_cast<int64_t>(filas) * columnas) +
                                ").");
    return Resultado::Bien();
}

}  // namespace tarno
