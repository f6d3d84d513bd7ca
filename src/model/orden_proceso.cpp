#include "model/orden_proceso.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"
#include "raster/nombres.h"

namespace tarno {
namespace {

inline int Bits(uint64_t w) {
    // Population count without relying on the instruction set.
    w = w - ((w >> 1) & 0x5555555555555555ull);
    w = (w & 0x3333333333333333ull) + ((w >> 2) & 0x3333333333333333ull);
    w = (w + (w >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((w * 0x0101010101010101ull) >> 56);
}

// Position of the k-th (1-based) set bit of w (k <= Bits(w)).
inline int BitKesimo(uint64_t w, int k) {
    int base = 0;
    for (int ancho = 32; ancho >= 8; ancho /= 2) {
        const uint64_t bajos = w & ((uint64_t{1} << ancho) - 1);
        const int c = Bits(bajos);
        if (k > c) {
            k -= c;
            w >>= ancho;
            base += ancho;
        } else {
            w = bajos;
        }
    }
    for (; k > 1; --k) w &= w - 1;
    return base + __builtin_ctzll(w);
}

// A set of positions 0..n-1 with counts: one bit per position and a Fenwick
// tree of the counts of blocks of 256 positions, so that it takes an eighth of
// a byte per position and its tree stays in the cache.
class ConjuntoPosiciones {
public:
    void Iniciar(size_t n, bool llenos) {
        n_ = n;
        const size_t palabras = (n + 63) / 64;
        bits_.assign(palabras, llenos ? ~uint64_t{0} : 0);
        if (llenos && n % 64 != 0) bits_.back() = (uint64_t{1} << (n % 64)) - 1;
        bloques_ = (n + kPorBloque - 1) / kPorBloque;
        arbol_.assign(bloques_ + 1, 0);
        if (llenos) {
            for (size_t b = 0; b < bloques_; ++b) {
                int32_t c = 0;
                for (size_t w = b * kPalabrasBloque; w < std::min(palabras, (b + 1) * kPalabrasBloque); ++w)
                    c += Bits(bits_[w]);
                arbol_[b + 1] += c;
                const size_t padre = (b + 1) + ((b + 1) & (~(b + 1) + 1));
                if (padre <= bloques_) arbol_[padre] += arbol_[b + 1];
            }
        }
        paso_ = 1;
        while (paso_ * 2 <= bloques_) paso_ *= 2;
    }
    void Poner(size_t pos) {
        bits_[pos >> 6] |= uint64_t{1} << (pos & 63);
        Sumar(pos / kPorBloque, 1);
    }
    void Quitar(size_t pos) {
        bits_[pos >> 6] &= ~(uint64_t{1} << (pos & 63));
        Sumar(pos / kPorBloque, -1);
    }
    // Positions of the set before `pos`.
    int64_t Antes(size_t pos) const {
        int64_t s = 0;
        for (size_t i = pos / kPorBloque; i > 0; i -= i & (~i + 1)) s += arbol_[i];
        const size_t w = pos >> 6;
        for (size_t i = (pos / kPorBloque) * kPalabrasBloque; i < w; ++i) s += Bits(bits_[i]);
        if ((pos & 63) != 0) s += Bits(bits_[w] & ((uint64_t{1} << (pos & 63)) - 1));
        return s;
    }
    // Position of the k-th (1-based) member.
    size_t Kesimo(int64_t k) const {
        size_t b = 0;
        for (size_t paso = paso_; paso > 0; paso /= 2) {
            if (b + paso <= bloques_ && arbol_[b + paso] < k) {
                b += paso;
                k -= arbol_[b];
            }
        }
        for (size_t w = b * kPalabrasBloque;; ++w) {
            const int c = Bits(bits_[w]);
            if (k <= c) return w * 64 + static_cast<size_t>(BitKesimo(bits_[w], static_cast<int>(k)));
            k -= c;
        }
    }

private:
    static constexpr size_t kPorBloque = 256;
    static constexpr size_t kPalabrasBloque = kPorBloque / 64;
    void Sumar(size_t bloque, int32_t v) {
        for (size_t i = bloque + 1; i <= bloques_; i += i & (~i + 1)) arbol_[i] += v;
    }
    size_t n_ = 0;
    size_t bloques_ = 0;
    size_t paso_ = 1;
    std::vector<uint64_t> bits_;
    std::vector<int32_t> arbol_;
};

// Sort key of an elevation: ascending keys are descending elevations, and the
// two zeros are one elevation.
inline uint32_t Clave(float z) {
    if (z == 0) z = 0.0f;
    const uint32_t u = std::bit_cast<uint32_t>(z);
    return (u & 0x80000000u) ? u : ~(u | 0x80000000u);
}

// Sizes an order to n + 1 entries, releasing a smaller one first so that two
// never live together.
void Dimensionar(std::vector<int32_t>& v, size_t n) {
    if (v.capacity() < n) {
        v.clear();
        v.shrink_to_fit();
    }
    v.resize(n);
}

}  // namespace

// The exchange sort moves, for every elevation u, only the cells of elevation
// >= u relative to each other in one way: each pass takes out the first cell
// higher than u (H) and, when cells of elevation u (U) stand before it, the
// first of them takes its place. Hence the U cells leave in the order of a
// queue that receives them in row-major order and is rotated by one (front to
// back) for every H met after the queue became non-empty. The queue is kept as
// a cyclic sequence with a head: a push inserts at the head position, a
// rotation moves the head. The insert positions are resolved afterwards in
// reverse over the free places of the sequence, and the H counts between
// consecutive U cells come from the set of the grid positions of higher cells.
//
// Memory: the cells are sorted (elevation descending, row-major position
// ascending) by a stable radix sort whose two buffers are the two lists of the
// order itself; a group of equal elevations is resolved in its own slots of
// the lists, with a buffer of its size and a bit set of its places. Besides
// the order and the grid it takes an eighth of a byte per cell plus about 4
// bytes per cell of the largest group of ties.
void CalcularOrden(const Grilla<float>& cota, OrdenProceso& orden) {
    const int32_t filas = cota.Filas();
    const int32_t columnas = cota.Columnas();
    const size_t n = static_cast<size_t>(filas) * static_cast<size_t>(columnas);
    Dimensionar(orden.Fila, n + 1);
    Dimensionar(orden.Columna, n + 1);
    if (n == 0) return;
    orden.Fila[0] = orden.Columna[0] = 0;

    // Cells are named by their index in the grid (row 0 and column 0 included,
    // so that row-major order is index order).
    const float* z = cota.Datos();
    const size_t ancho = cota.Ancho();
    const size_t total = (static_cast<size_t>(filas) + 1) * ancho;
    auto lista = [&](std::vector<int32_t>& v) { return reinterpret_cast<uint32_t*>(v.data()) + 1; };

    // Radix sort on the keys, three digits of 11, 11 and 10 bits; a digit
    // every cell shares is skipped.
    constexpr int kDigitos = 3;
    constexpr int kDesplazamiento[kDigitos] = {0, 11, 22};
    constexpr uint32_t kMascara[kDigitos] = {0x7FF, 0x7FF, 0x3FF};
    std::vector<uint32_t> cuentas(size_t{2048} * kDigitos, 0);
    for (int32_t i = 1; i <= filas; ++i) {
        const float* fila = z + static_cast<size_t>(i) * ancho;
        for (int32_t j = 1; j <= columnas; ++j) {
            const uint32_t k = Clave(fila[j]);
            for (int d = 0; d < kDigitos; ++d) ++cuentas[size_t{2048} * d + ((k >> kDesplazamiento[d]) & kMascara[d])];
        }
    }
    const uint32_t primera = Clave(z[ancho + 1]);
    bool ordenadas = false;  // the sorted cells are in Fila
    for (int d = 0; d < kDigitos; ++d) {
        uint32_t* c = cuentas.data() + size_t{2048} * d;
        if (c[(primera >> kDesplazamiento[d]) & kMascara[d]] == n) continue;
        uint32_t acumulado = 0;
        for (size_t b = 0; b < 2048; ++b) {
            const uint32_t x = c[b];
            c[b] = acumulado;
            acumulado += x;
        }
        uint32_t* destino = lista(ordenadas ? orden.Columna : orden.Fila);
        if (!ordenadas) {
            // First pass: the cells in row-major order.
            for (int32_t i = 1; i <= filas; ++i) {
                const size_t base = static_cast<size_t>(i) * ancho;
                for (int32_t j = 1; j <= columnas; ++j) {
                    const size_t q = base + static_cast<size_t>(j);
                    destino[c[(Clave(z[q]) >> kDesplazamiento[d]) & kMascara[d]]++] = static_cast<uint32_t>(q);
                }
            }
            ordenadas = true;
        } else {
            const uint32_t* origen = lista(orden.Fila);
            for (size_t p = 0; p < n; ++p) {
                const uint32_t q = origen[p];
                destino[c[(Clave(z[q]) >> kDesplazamiento[d]) & kMascara[d]]++] = q;
            }
            std::swap(orden.Fila, orden.Columna);
        }
    }
    if (!ordenadas) {
        // Every cell at one elevation.
        uint32_t* destino = lista(orden.Fila);
        size_t p = 0;
        for (int32_t i = 1; i <= filas; ++i)
            for (int32_t j = 1; j <= columnas; ++j) destino[p++] = static_cast<uint32_t>(static_cast<size_t>(i) * ancho + j);
    }
    cuentas = {};

    uint32_t* celdas = lista(orden.Fila);         // sorted cells; slot g becomes entry g + 1
    uint32_t* libre = lista(orden.Columna);       // free until its slot is written
    ConjuntoPosiciones altas;  // grid indices of the cells already placed (all higher)
    altas.Iniciar(total, false);
    ConjuntoPosiciones libres;
    std::vector<uint32_t> secuencia;
    int64_t colocadas = 0;
    auto escribir = [&](size_t slot, uint32_t q) {
        orden.Fila[slot + 1] = static_cast<int32_t>(q / ancho);
        orden.Columna[slot + 1] = static_cast<int32_t>(q % ancho);
    };
    size_t g = 0;
    while (g < n) {
        const uint32_t clave = Clave(z[celdas[g]]);
        size_t fin = g + 1;
        while (fin < n && Clave(z[celdas[fin]]) == clave) ++fin;
        const size_t m = fin - g;
        if (m == 1) {
            const uint32_t q = celdas[g];
            altas.Poner(q);
            escribir(g, q);
        } else {
            // Insert positions, kept in the group's free slots.
            uint32_t* insercion = libre + g;
            int64_t tam = 0;
            int64_t cabeza = 0;
            int64_t prefijoAnterior = 0;
            for (size_t i = 0; i < m; ++i) {
                const int64_t prefijo = altas.Antes(celdas[g + i]);
                if (i > 0) {
                    // Rotations for the higher cells between the previous U and this one.
                    const int64_t r = prefijo - prefijoAnterior;
                    cabeza = (cabeza + r) % tam;
                }
                insercion[i] = static_cast<uint32_t>(cabeza);
                ++tam;
                cabeza = (cabeza + 1) % tam;
                prefijoAnterior = prefijo;
            }
            // Higher cells after the last U.
            const int64_t despues = colocadas - altas.Antes(static_cast<size_t>(celdas[fin - 1]) + 1);
            cabeza = (cabeza + despues) % tam;
            for (size_t i = g; i < fin; ++i) altas.Poner(celdas[i]);

            secuencia.resize(m);
            libres.Iniciar(m, true);
            for (size_t i = m; i-- > 0;) {
                const size_t hueco = libres.Kesimo(static_cast<int64_t>(insercion[i]) + 1);
                secuencia[hueco] = celdas[g + i];
                libres.Quitar(hueco);
            }
            for (size_t t = 0; t < m; ++t) escribir(g + t, secuencia[(t + static_cast<size_t>(cabeza)) % m]);
        }
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

namespace {

// The cache read item by item with the delimited-file reader: any layout the
// reader takes. Holds the whole file in memory.
bool LeerCacheGeneral(const std::string& ruta, const std::string& nombre, const Grilla<float>& cota,
                      OrdenProceso& orden) {
    LectorDelimitado in;
    if (!in.Abrir(ruta)) return false;
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

// A file read in blocks, so that a large cache is never held whole.
class LectorBloques {
public:
    explicit LectorBloques(const std::string& ruta) : f_(std::fopen(ruta.c_str(), "rb")) {
        // A block, or less for a small file (one byte more, to see its end).
        size_t tamano = kBloque;
        std::error_code ec;
        const auto largo = std::filesystem::file_size(ruta, ec);
        if (!ec && largo < kBloque) tamano = std::max<size_t>(static_cast<size_t>(largo) + 1, 1024);
        buf_.resize(tamano);
    }
    ~LectorBloques() {
        if (f_) std::fclose(f_);
    }
    bool Abierto() const { return f_ != nullptr; }
    // At least `n` bytes at Inicio() unless the file ends before.
    void Asegurar(size_t n) {
        if (fin_ - ini_ >= n || final_) return;
        std::memmove(buf_.data(), buf_.data() + ini_, fin_ - ini_);
        fin_ -= ini_;
        ini_ = 0;
        while (fin_ < buf_.size() && !final_) {
            const size_t leidos = std::fread(buf_.data() + fin_, 1, buf_.size() - fin_, f_);
            fin_ += leidos;
            if (leidos == 0) final_ = true;
        }
    }
    const char* Inicio() const { return buf_.data() + ini_; }
    const char* Fin() const { return buf_.data() + fin_; }
    void Consumir(const char* p) { ini_ = static_cast<size_t>(p - buf_.data()); }

private:
    static constexpr size_t kBloque = size_t{4} << 20;
    std::FILE* f_;
    std::vector<char> buf_;
    size_t ini_ = 0;
    size_t fin_ = 0;
    bool final_ = false;
};

// Unsigned decimal integer of 1 to 10 digits at p, then the character `fin`.
// Returns the position after `fin`, or nullptr when the text is not that.
inline const char* Entero(const char* p, const char* limite, char fin, int64_t& v) {
    const char* ini = p;
    v = 0;
    while (p < limite && *p >= '0' && *p <= '9' && p - ini < 11) v = v * 10 + (*p++ - '0');
    if (p == ini || p - ini > 10 || p >= limite || *p != fin) return nullptr;
    return p + 1;
}

// The form the cache writer gives an elevation, then CR LF: an optional
// minus, digits, optionally a point and digits, optionally 'E', a sign and
// digits. `texto` receives the number without its sign.
inline const char* Elevacion(const char* p, const char* limite, bool& negativo, std::string_view& texto) {
    negativo = p < limite && *p == '-';
    if (negativo) ++p;
    const char* ini = p;
    auto digitos = [&] {
        const char* d = p;
        while (p < limite && *p >= '0' && *p <= '9') ++p;
        return p > d;
    };
    if (!digitos()) return nullptr;
    if (p < limite && *p == '.') {
        ++p;
        if (!digitos()) return nullptr;
    }
    if (p < limite && *p == 'E') {
        ++p;
        if (p >= limite || (*p != '+' && *p != '-')) return nullptr;
        ++p;
        if (!digitos()) return nullptr;
    }
    texto = std::string_view(ini, static_cast<size_t>(p - ini));
    if (limite - p < 2 || p[0] != '\r' || p[1] != '\n') return nullptr;
    return p + 2;
}

enum class LecturaCache { Valida, NoValida, OtraForma };

// The cache as its writer lays it out (quoted name of plain characters, the
// count, then "row,column,elevation" lines ended by CR LF), read in blocks.
// Any other layout gives OtraForma and is left to the general reader.
LecturaCache LeerCacheRapida(const std::string& ruta, const std::string& nombre, const Grilla<float>& cota,
                             OrdenProceso& orden) {
    LectorBloques in(ruta);
    if (!in.Abierto()) return LecturaCache::NoValida;
    constexpr size_t kLinea = 256;  // longer than any line of the layout
    in.Asegurar(kLinea * 2);
    const char* p = in.Inicio();
    const char* limite = in.Fin();
    if (p >= limite || *p != '"') return LecturaCache::OtraForma;
    const char* ini = ++p;
    while (p < limite && *p != '"') {
        if (static_cast<unsigned char>(*p) < 0x20 || static_cast<unsigned char>(*p) >= 0x80)
            return LecturaCache::OtraForma;
        ++p;
    }
    const std::string propio(ini, p);
    if (limite - p < 3 || p[1] != '\r' || p[2] != '\n') return LecturaCache::OtraForma;
    int64_t n = 0;
    p = Entero(p + 3, limite, '\r', n);
    if (!p || p >= limite || *p != '\n') return LecturaCache::OtraForma;
    ++p;
    if (SinUltimos(propio, 11) != SinUltimos(nombre, 11)) return LecturaCache::NoValida;
    const int32_t filas = cota.Filas();
    const int32_t columnas = cota.Columnas();
    if (n > std::numeric_limits<int32_t>::max()) return LecturaCache::NoValida;
    if (n != static_cast<int64_t>(filas) * columnas) return LecturaCache::NoValida;
    in.Consumir(p);

    OrdenProceso leido;
    leido.Fila.assign(static_cast<size_t>(n) + 1, 0);
    leido.Columna.assign(static_cast<size_t>(n) + 1, 0);
    std::vector<bool> visto(static_cast<size_t>(n), false);
    for (int64_t k = 1; k <= n; ++k) {
        in.Asegurar(kLinea);
        p = in.Inicio();
        limite = in.Fin();
        int64_t f = 0, c = 0;
        bool negativo = false;
        std::string_view texto;
        if (!(p = Entero(p, limite, ',', f)) || !(p = Entero(p, limite, ',', c)) ||
            !(p = Elevacion(p, limite, negativo, texto)))
            return LecturaCache::OtraForma;
        in.Consumir(p);
        float z = 0;
        if (!ConvertirFloatCorto(texto, z)) {
            const auto res = std::from_chars(texto.data(), texto.data() + texto.size(), z);
            if (res.ec != std::errc() || res.ptr != texto.data() + texto.size()) return LecturaCache::OtraForma;
        }
        if (negativo) z = -z;
        if (f > std::numeric_limits<int32_t>::max() || c > std::numeric_limits<int32_t>::max())
            return LecturaCache::NoValida;
        if (f < 1 || f > filas || c < 1 || c > columnas) return LecturaCache::NoValida;
        const int32_t fi = static_cast<int32_t>(f);
        const int32_t ci = static_cast<int32_t>(c);
        const float zc = cota(fi, ci);
        if (z != zc && z != EnPrecisionDeCache(zc)) return LecturaCache::NoValida;
        const size_t pos = static_cast<size_t>(fi - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(ci - 1);
        if (visto[pos]) return LecturaCache::NoValida;
        visto[pos] = true;
        leido.Fila[static_cast<size_t>(k)] = fi;
        leido.Columna[static_cast<size_t>(k)] = ci;
    }
    orden = std::move(leido);
    return LecturaCache::Valida;
}

}  // namespace

bool LeerCacheOrden(const std::string& carpeta, const std::string& nombre, const Grilla<float>& cota,
                    OrdenProceso& orden) {
    const std::string ruta = carpeta + nombre;
    switch (LeerCacheRapida(ruta, nombre, cota, orden)) {
        case LecturaCache::Valida: return true;
        case LecturaCache::NoValida: return false;
        case LecturaCache::OtraForma: break;
    }
    return LeerCacheGeneral(ruta, nombre, cota, orden);
}

bool EscribirCacheOrden(const std::string& carpeta, const std::string& nombre,
                        const Grilla<float>& cota, const OrdenProceso& orden) {
    // Written as it is formatted: the text of a large order is never held whole.
    ArchivoPorPartes out;
    if (!out.Abrir(carpeta + nombre)) return false;
    const int64_t n = orden.Tamano();
    EscritorDelimitado cabecera;
    cabecera.Texto(nombre).FinLinea();
    cabecera.Numero(n).FinLinea();
    out.Escribir(cabecera.Bytes());
    FormaArchivoConMemoria forma;
    for (int64_t k = 1; k <= n; ++k) {
        const int32_t f = orden.Fila[static_cast<size_t>(k)];
        const int32_t c = orden.Columna[static_cast<size_t>(k)];
        char* p = out.Espacio(2 * 12 + kLargoNumeroArchivo + 2);
        p = std::to_chars(p, p + 12, f).ptr;
        *p++ = ',';
        p = std::to_chars(p, p + 12, c).ptr;
        *p++ = ',';
        p = forma.Escribir(p, cota(f, c));
        *p++ = '\r';
        *p++ = '\n';
        out.Avanzar(p);
    }
    return out.Terminar().ok;
}

bool PrepararOrden(const std::string& carpeta, const std::string& archivoDEM, const Grilla<float>& cota,
                   OrdenProceso& orden, bool escribir) {
    const std::string nombre = NombreCacheOrden(archivoDEM);
    // Both ways replace the order: the previous one is released first.
    orden = OrdenProceso{};
    if (LeerCacheOrden(carpeta, nombre, cota, orden)) return false;
    CalcularOrden(cota, orden);
    if (escribir) EscribirCacheOrden(carpeta, nombre, cota, orden);
    return true;
}

}  // namespace tarno
