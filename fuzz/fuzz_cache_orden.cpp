// The processing-order cache: a small elevation grid and a cache file from
// one input. A cache that is accepted names every cell once with its
// elevation; the order computed, written and read back is the same order.
#include "comun.h"
#include "model/orden_proceso.h"

using namespace tarno;
using namespace tarno::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<std::string> p = Partes(datos, largo, 2);
    // The grid: two bytes for its size, then one byte per cell (few distinct
    // elevations, some outside the basin, so that ties are common).
    const std::string& g = p[0];
    const int32_t filas = g.size() > 0 ? 1 + static_cast<uint8_t>(g[0]) % 12 : 1;
    const int32_t columnas = g.size() > 1 ? 1 + static_cast<uint8_t>(g[1]) % 12 : 1;
    Grilla<float> cota(filas, columnas);
    size_t k = 2;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j, ++k)
            cota(i, j) = k < g.size() ? static_cast<float>(static_cast<uint8_t>(g[k]) % 16) * 0.5f - 2.0f : 0.0f;

    const std::string nombre = NombreCacheOrden("c_dat.rkd");
    Escribir(nombre, p[1]);
    OrdenProceso orden;
    if (LeerCacheOrden(Carpeta(), nombre, cota, orden)) {
        const int64_t n = static_cast<int64_t>(filas) * columnas;
        FUZZ_EXIGIR(orden.Tamano() == n);
        std::vector<bool> visto(static_cast<size_t>(n), false);
        for (int64_t m = 1; m <= n; ++m) {
            const int32_t f = orden.Fila[static_cast<size_t>(m)], c = orden.Columna[static_cast<size_t>(m)];
            FUZZ_EXIGIR(f >= 1 && f <= filas && c >= 1 && c <= columnas);
            const size_t pos = static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(c - 1);
            FUZZ_EXIGIR(!visto[pos]);
            visto[pos] = true;
        }
    }
    OrdenProceso calculado, leido;
    CalcularOrden(cota, calculado);
    FUZZ_EXIGIR(EscribirCacheOrden(Carpeta(), nombre, cota, calculado));
    FUZZ_EXIGIR(LeerCacheOrden(Carpeta(), nombre, cota, leido));
    FUZZ_EXIGIR(leido.Fila == calculado.Fila && leido.Columna == calculado.Columna);
    return 0;
}
