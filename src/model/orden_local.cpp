#include "model/orden_local.h"

#include <algorithm>
#include <functional>
#include <new>
#include <queue>

namespace tarno {

namespace {

// One byte per grid cell: the count of earlier neighbours not yet placed, and two flags.
constexpr uint8_t kPendientes = 0x1F;  // at most 12 neighbours and the previous chained cell
constexpr uint8_t kEncadenada = 0x40;
constexpr uint8_t kSinColocar = 0x80;  // met in the order and not yet placed

// Calls `f` with the grid index of every cell within two steps of (i, j)
// inside the grid.
template <class F>
inline void Cercanas(int32_t i, int32_t j, int32_t filas, int32_t columnas, size_t ancho, F&& f) {
    const size_t c = static_cast<size_t>(i) * ancho + static_cast<size_t>(j);
    if (i > 2 && i + 2 <= filas && j > 2 && j + 2 <= columnas) {
        for (int n = 0; n < 12; ++n)
            f(c + static_cast<size_t>(static_cast<ptrdiff_t>(kCercaFila[n]) * static_cast<ptrdiff_t>(ancho) +
                                      kCercaColumna[n]));
        return;
    }
    for (int n = 0; n < 12; ++n) {
        const int32_t fi = i + kCercaFila[n], co = j + kCercaColumna[n];
        if (fi >= 1 && fi <= filas && co >= 1 && co <= columnas)
            f(static_cast<size_t>(fi) * ancho + static_cast<size_t>(co));
    }
}

}  // namespace

bool OrdenLocal(OrdenProceso& orden, int32_t filas, int32_t columnas, const std::vector<uint32_t>& encadenadas,
                const CorteMitades* corte, std::vector<uint8_t>* lotes, int celdasPorLote) {
    const int64_t n = orden.Tamano();
    if (n <= 0) return true;
    const size_t ancho = static_cast<size_t>(columnas) + 1;
    const size_t total = (static_cast<size_t>(filas) + 1) * ancho;
    std::vector<uint8_t> estado;
    std::vector<uint32_t> cadena;
    try {
        estado.assign(total, 0);
        cadena.reserve(encadenadas.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (uint32_t q : encadenadas)
        if (q < total) estado[q] |= kEncadenada;

    // Each cell counts its neighbours met before it in the order; the chained
    // cells are listed in the order, each waiting for the one before.
    for (int64_t k = 1; k <= n; ++k) {
        const int32_t i = orden.Fila[static_cast<size_t>(k)];
        const int32_t j = orden.Columna[static_cast<size_t>(k)];
        Cercanas(i, j, filas, columnas, ancho, [&](size_t y) {
            if (!(estado[y] & kSinColocar)) ++estado[y];
        });
        const size_t c = static_cast<size_t>(i) * ancho + static_cast<size_t>(j);
        estado[c] |= kSinColocar;
        if (estado[c] & kEncadenada) {
            if (!cadena.empty()) ++estado[c];
            cadena.push_back(static_cast<uint32_t>(c));
        }
    }

    // Those waiting for nobody are ready; the first in memory is placed, and
    // the neighbours not yet placed (all later in the order) wait for one
    // fewer. The order's lists take the new order as it comes.
    using Listas = std::priority_queue<uint32_t, std::vector<uint32_t>, std::greater<>>;
    Listas listas[2];
    auto mitad = [&](size_t c) {
        return corte ? corte->Mitad(static_cast<int32_t>(c / ancho), static_cast<int32_t>(c % ancho)) : 0;
    };
    for (size_t c = 0; c < total; ++c)
        if ((estado[c] & kSinColocar) && (estado[c] & kPendientes) == 0)
            listas[mitad(c)].push(static_cast<uint32_t>(c));
    size_t siguienteCadena = 1;
    int64_t k = 0;
    auto liberar = [&](size_t y) {
        if ((estado[y] & kSinColocar) && (--estado[y] & kPendientes) == 0)
            listas[mitad(y)].push(static_cast<uint32_t>(y));
    };
    const int porMitad = lotes ? std::clamp(celdasPorLote, 1, kMaxCeldasPorLote) : 1;
    if (lotes) {
        lotes->clear();
        try {
            lotes->reserve(static_cast<size_t>(n / 2));
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    while (!listas[0].empty() || !listas[1].empty()) {
        uint32_t ronda[2 * kMaxCeldasPorLote];
        int m = 0;
        for (Listas& l : listas) {
            int tomadas = 0;
            for (; tomadas < porMitad && !l.empty(); ++tomadas) {
                const uint32_t c = l.top();
                l.pop();
                ronda[m++] = c;
                ++k;
                orden.Fila[static_cast<size_t>(k)] = static_cast<int32_t>(c / ancho);
                orden.Columna[static_cast<size_t>(k)] = static_cast<int32_t>(c % ancho);
                estado[c] &= static_cast<uint8_t>(~kSinColocar);
            }
            if (lotes && tomadas > 0) lotes->push_back(static_cast<uint8_t>(tomadas));
        }
        for (int r = 0; r < m; ++r) {
            const uint32_t c = ronda[r];
            Cercanas(static_cast<int32_t>(c / ancho), static_cast<int32_t>(c % ancho), filas, columnas, ancho, liberar);
            if ((estado[c] & kEncadenada) && siguienteCadena < cadena.size()) liberar(cadena[siguienteCadena++]);
        }
    }
    return k == n;
}

std::vector<uint32_t> CeldasConLadoAbierto(const Grilla<float>& cota) {
    std::vector<uint32_t> celdas;
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    const size_t ancho = cota.Ancho();
    const float* z = cota.Datos();
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) {
            const size_t c = cota.Indice(i, j);
            if (!(z[c] > 0)) continue;
            if (i == 1 || i == filas || j == 1 || j == columnas || !(z[c - ancho] > 0) || !(z[c + ancho] > 0) ||
                !(z[c - 1] > 0) || !(z[c + 1] > 0))
                celdas.push_back(static_cast<uint32_t>(c));
        }
    return celdas;
}

}  // namespace tarno
