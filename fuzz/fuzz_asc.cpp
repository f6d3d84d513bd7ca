// ESRI ASCII grids: the token check run before a GIS reader takes the file.
// The first input byte gives the rows and columns (1..16 each); the rest is
// the file. An accepted file holds at least rows x columns finite numbers
// after its header; a refused one is named in the message.
#include <cmath>
#include <string>

#include "comun.h"
#include "raster/numeros.h"
#include "raster/numeros_asc.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo < 1) return 0;
    const int filas = (datos[0] & 0x0f) + 1;
    const int columnas = (datos[0] >> 4) + 1;
    const std::string texto(reinterpret_cast<const char*>(datos) + 1, largo - 1);
    Escribir("g.asc", texto);
    Resultado r = ValidarNumerosAsc(Ruta("g.asc"), filas, columnas);
    if (!r) {
        FUZZ_EXIGIR(r.mensaje.find(Ruta("g.asc")) != std::string::npos);
        return 0;
    }
    // Count the numbers the same file gives when every token is read: with
    // the header lines skipped, none may be missing.
    size_t p = 0;
    auto blanco = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    for (;;) {
        size_t q = p;
        while (q < texto.size() && blanco(texto[q])) ++q;
        if (q >= texto.size() || !std::isalpha(static_cast<unsigned char>(texto[q]))) break;
        const size_t fin = texto.find('\n', q);
        p = fin == std::string::npos ? texto.size() : fin + 1;
    }
    long numeros = 0;
    while (p < texto.size()) {
        while (p < texto.size() && blanco(texto[p])) ++p;
        size_t q = p;
        while (q < texto.size() && !blanco(texto[q])) ++q;
        if (q == p) break;
        double v = 0;
        FUZZ_EXIGIR(ConvertirDouble(std::string_view(texto.data() + p, q - p), v) && std::isfinite(v));
        ++numeros;
        p = q;
    }
    FUZZ_EXIGIR(numeros >= static_cast<long>(filas) * columnas);
    return 0;
}
