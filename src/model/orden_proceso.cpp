#include "model/orden_proceso.h"

#include <algorithm>
#include <utility>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"
#include "raster/nombres.h"

namespace tarno {
namespace {

// Fenwick tree of counts over positions 0..n-1.
class Fenwick {
public:
    void Iniciar(size_t n) {
        n_ = n;
        t_.assign(n + 1, 0);
    }
    // Every position holds 1 (built in O(n)).
    void IniciarUnos(size_t n) {
        n_ = n;
        t_.resize(n + 1);
        for (size_t i = 1; i <= n; ++i) t_[i] = static_cast<int32_t>(i & (~i + 1));
    }
    void Sumar(size_t pos, int32_t v) {
        for (size_t i = pos + 1; i <= n_; i += i & (~i + 1)) t_[i] += v;
    }
    // Sum over positions [0, pos).
    int64_t Prefijo(size_t pos) const {
        int64_t s = 0;
        for (size_t i = pos; i > 0; i -= i & (~i + 1)) s += t_[i];
        return s;
    }
    // Position of the k-th (1-based) unit.
    size_t Kesimo(int64_t k) const {
        size_t pos = 0;
        size_t paso = 1;
        while (paso * 2 <= n_) paso *= 2;
        for (; paso > 0; paso /= 2) {
            if (pos + paso <= n_ && t_[pos + paso] < k) {
                pos += paso;
                k -= t_[pos];
            }
        }
        return pos;  // 0-based position
    }

private:
    size_t n_ = 0;
    std::vector<int32_t> t_;
};

}  // namespace

// The exchange sort moves, for every elevation u, only the cells of elevation
// >= u relative to each other in one way: each pass takes out the first cell
// higher than u (H) and, when cells of elevation u (U) stand before it, the
// first of them takes its place. Hence the U cells leave in the order of a
// queue that receives them in row-major order and is rotated by one (front to
// back) for every H met after the queue became non-empty. The queue is kept as
// a cyclic sequence with a head: a push inserts at the head position, a
// rotation moves the head. The insert positions are resolved afterwards in
// reverse with a Fenwick tree, and the H counts between consecutive U cells
// come from a Fenwick tree over the row-major positions of higher cells.
void CalcularOrden(const Grilla<float>& cota, OrdenProceso& orden) {
    const int32_t filas = cota.Filas();
    const int32_t columnas = cota.Columnas();
    const size_t n = static_cast<size_t>(filas) * static_cast<size_t>(columnas);
    orden.Fila.assign(n + 1, 0);
    orden.Columna.assign(n + 1, 0);
    if (n == 0) return;

    std::vector<std::pair<float, uint32_t>> celdas(n);
    {
        size_t p = 0;
        for (int32_t i = 1; i <= filas; ++i)
            for (int32_t j = 1; j <= columnas; ++j, ++p) celdas[p] = {cota(i, j), static_cast<uint32_t>(p)};
    }
    std::sort(celdas.begin(), celdas.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first > b.first;
        return a.second < b.second;
    });

    Fenwick altas;  // positions of the cells already placed (all higher)
    altas.Iniciar(n);
    Fenwick libres;
    std::vector<int64_t> insercion;
    std::vector<uint32_t> secuencia;
    int64_t colocadas = 0;
    size_t k = 1;
    size_t g = 0;
    while (g < n) {
        size_t fin = g + 1;
        while (fin < n && celdas[fin].first == celdas[g].first) ++fin;
        const size_t m = fin - g;
        if (m == 1) {
            secuencia.assign(1, celdas[g].second);
        } else {
            insercion.resize(m);
            int64_t tam = 0;
            int64_t cabeza = 0;
            int64_t prefijoAnterior = 0;
            for (size_t i = 0; i < m; ++i) {
                const size_t pos = celdas[g + i].second;
                const int64_t prefijo = altas.Prefijo(pos);
                if (i > 0) {
                    // Rotations for the higher cells between the previous U and this one.
                    const int64_t r = prefijo - prefijoAnterior;
                    cabeza = (cabeza + r) % tam;
                }
                insercion[i] = cabeza;
                ++tam;
                cabeza = (cabeza + 1) % tam;
                prefijoAnterior = prefijo;
            }
            // Higher cells after the last U.
            const size_t ultima = celdas[fin - 1].second;
            const int64_t despues = colocadas - altas.Prefijo(ultima + 1);
            cabeza = (cabeza + despues) % tam;

            secuencia.assign(m, 0);
            libres.IniciarUnos(m);
            for (size_t i = m; i-- > 0;) {
                const size_t hueco = libres.Kesimo(insercion[i] + 1);
                secuencia[hueco] = celdas[g + i].second;
                libres.Sumar(hueco, -1);
            }
            std::rotate(secuencia.begin(), secuencia.begin() + cabeza, secuencia.end());
        }
        for (uint32_t pos : secuencia) {
            orden.Fila[k] = static_cast<int32_t>(pos / static_cast<uint32_t>(columnas)) + 1;
            orden.Columna[k] = static_cast<int32_t>(pos % static_cast<uint32_t>(columnas)) + 1;
            ++k;
        }
        for (size_t i = g; i < fin; ++i) altas.Sumar(celdas[i].second, 1);
        colocadas += static_cast<int64_t>(m);
        g = fin;
    }
}

std::string NombreCacheOrden(const std::string& archivoDEM) {
    return SinUltimos(archivoDEM, 4) + "_Vc_cab.rkd";
}

namespace {
// The cache keeps each elevation in the file form (7 significant digits): an
// elevation that needs more digits reads back as the value of that text.
float EnPrecisionDeCache(float z) {
    float r = 0;
    return ConvertirFloat(NumeroArchivo(z), r) ? r : z;
}
}  // namespace

bool LeerCacheOrden(const std::string& carpeta, const std::string& nombre, const Grilla<float>& cota,
                    OrdenProceso& orden) {
    LectorDelimitado in;
    if (!in.Abrir(carpeta + nombre)) return false;
    std::string propio;
    if (!in.LeerTexto(propio)) return false;
    if (SinUltimos(propio, 11) != SinUltimos(nombre, 11)) return false;
    int32_t n = 0;
    if (!in.LeerEntero32(n)) return false;
    const int32_t filas = cota.Filas();
    const int32_t columnas = cota.Columnas();
    if (static_cast<int64_t>(n) != static_cast<int64_t>(filas) * columnas) return false;
    OrdenProceso leido;
    leido.Fila.assign(static_cast<size_t>(n) + 1, 0);
    leido.Columna.assign(static_cast<size_t>(n) + 1, 0);
    std::vector<bool> visto(static_cast<size_t>(n), false);
    for (int32_t k = 1; k <= n; ++k) {
        int32_t f = 0, c = 0;
        float z = 0;
        if (!in.LeerEntero32(f) || !in.LeerEntero32(c) || !in.LeerFloat(z)) return false;
        if (f < 1 || f > filas || c < 1 || c > columnas) return false;
        if (z != cota(f, c) && z != EnPrecisionDeCache(cota(f, c))) return false;
        const size_t p = static_cast<size_t>(f - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(c - 1);
        if (visto[p]) return false;
        visto[p] = true;
        leido.Fila[static_cast<size_t>(k)] = f;
        leido.Columna[static_cast<size_t>(k)] = c;
    }
    orden = std::move(leido);
    return true;
}

bool EscribirCacheOrden(const std::string& carpeta, const std::string& nombre,
                        const Grilla<float>& cota, const OrdenProceso& orden) {
    EscritorDelimitado out;
    const int64_t n = orden.Tamano();
    out.Reservar(static_cast<size_t>(n) * 20 + 64);
    out.Texto(nombre).FinLinea();
    out.Numero(n).FinLinea();
    for (int64_t k = 1; k <= n; ++k) {
        const int32_t f = orden.Fila[static_cast<size_t>(k)];
        const int32_t c = orden.Columna[static_cast<size_t>(k)];
        out.Numero(f).Numero(c).Numero(cota(f, c)).FinLinea();
    }
    return GuardarArchivo(carpeta + nombre, out.Bytes()).ok;
}

bool PrepararOrden(const std::string& carpeta, const std::string& archivoDEM, const Grilla<float>& cota,
                   OrdenProceso& orden, bool escribir) {
    const std::string nombre = NombreCacheOrden(archivoDEM);
    if (LeerCacheOrden(carpeta, nombre, cota, orden)) return false;
    CalcularOrden(cota, orden);
    if (escribir) EscribirCacheOrden(carpeta, nombre, cota, orden);
    return true;
}

}  // namespace tarno
