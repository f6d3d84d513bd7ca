#include "model/reparto.h"

#include <algorithm>

#ifdef __linux__
#include <sched.h>
#endif

namespace tarno {

namespace {

// Below this many cells a second thread does not pay for its waits.
constexpr int64_t kMinimoCeldas = 20000;

}  // namespace

CorteMitades CorteDeLaCuenca(const Grilla<float>& cota, bool porColumnas) {
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    CorteMitades corte;
    corte.porColumnas = porColumnas;
    const int32_t largo = corte.porColumnas ? columnas : filas;
    std::vector<int64_t> porLinea(static_cast<size_t>(largo) + 1, 0);
    int64_t total = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j)
            if (cota(i, j) > 0) {
                ++porLinea[static_cast<size_t>(corte.porColumnas ? j : i)];
                ++total;
            }
    int32_t linea = 1;
    for (int64_t suma = 0; linea < largo; ++linea) {
        suma += porLinea[static_cast<size_t>(linea)];
        if (2 * suma >= total) break;
    }
    corte.linea = std::max(1, std::min(linea, largo - 1));
    return corte;
}

RepartoDos RepartirOrden(const OrdenProceso& orden, const Grilla<float>& cota, const CorteMitades& corte) {
    RepartoDos r;
    const int64_t n = orden.Tamano();
    const int32_t filas = cota.Filas(), columnas = cota.Columnas();
    const int32_t largo = corte.porColumnas ? columnas : filas;  // across the cut
    const int32_t ancho = corte.porColumnas ? filas : columnas;  // along the cut
    if (n < kMinimoCeldas || largo < 4) return r;
    r.corte = corte;

    // The four lines next to the cut: position in the order and the time the
    // schedule finishes each cell.
    const int32_t primera = corte.linea - 1;
    auto franja = [&](int32_t i, int32_t j) -> int64_t {
        const int32_t a = corte.porColumnas ? j : i, b = corte.porColumnas ? i : j;
        if (a < primera || a > corte.linea + 2) return -1;
        return static_cast<int64_t>(b) * 4 + (a - primera);
    };
    const size_t celdasFranja = (static_cast<size_t>(ancho) + 1) * 4;
    std::vector<int64_t> posicion(celdasFranja, 0), termina(celdasFranja, 0);
    int64_t reloj[2] = {0, 0};
    for (int64_t k = 1; k <= n; ++k) {
        const int32_t i = orden.Fila[static_cast<size_t>(k)], j = orden.Columna[static_cast<size_t>(k)];
        const int hilo = r.Hilo(i, j);
        const int64_t f = franja(i, j);
        int64_t empieza = reloj[hilo];
        if (f >= 0) {
            // The latest earlier neighbour on the other side.
            int64_t hasta = 0, listo = 0;
            for (int v = 0; v < 12; ++v) {
                const int32_t fi = i + kCercaFila[v], co = j + kCercaColumna[v];
                if (fi < 1 || fi > filas || co < 1 || co > columnas || r.Hilo(fi, co) == hilo) continue;
                const int64_t g = franja(fi, co);
                if (g < 0) continue;
                const int64_t p = posicion[static_cast<size_t>(g)];
                if (p > 0 && p > hasta) {
                    hasta = p;
                    listo = termina[static_cast<size_t>(g)];
                }
            }
            if (hasta > 0) {
                r.esperas[hilo].push_back({k, hasta});
                empieza = std::max(empieza, listo);
            }
            posicion[static_cast<size_t>(f)] = k;
            termina[static_cast<size_t>(f)] = empieza + 1;
        }
        reloj[hilo] = empieza + 1;
    }
    r.activo = 4 * std::max(reloj[0], reloj[1]) < 3 * n;
    if (!r.activo) r = RepartoDos{};
    return r;
}

int ProcesadoresDisponibles() {
#ifdef __linux__
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) > 0) return CPU_COUNT(&cpus);
#endif
    const unsigned n = std::thread::hardware_concurrency();
    return n > 0 ? static_cast<int>(n) : 1;
}

void EsperarAvance(const Avance& otro, int64_t hasta) {
    for (int vueltas = 0; otro.k.load(std::memory_order_acquire) <= hasta; ++vueltas) {
        if (vueltas < 4096) {
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        } else
            std::this_thread::yield();
    }
}

ParejaHilos::ParejaHilos() : hilo_([this] { Trabajar(); }) {}

ParejaHilos::~ParejaHilos() {
    {
        std::lock_guard<std::mutex> l(m_);
        fin_ = true;
    }
    cv_.notify_all();
    hilo_.join();
}

void ParejaHilos::Ejecutar(const std::function<void(int)>& f) {
    {
        std::lock_guard<std::mutex> l(m_);
        tarea_ = &f;
        ++encargos_;
    }
    cv_.notify_all();
    f(0);
    std::unique_lock<std::mutex> l(m_);
    cv_.wait(l, [&] { return hechos_ == encargos_; });
}

void ParejaHilos::Trabajar() {
    uint64_t visto = 0;
    for (;;) {
        const std::function<void(int)>* tarea;
        {
            std::unique_lock<std::mutex> l(m_);
            cv_.wait(l, [&] { return fin_ || encargos_ != visto; });
            if (fin_) return;
            visto = encargos_;
            tarea = tarea_;
        }
        (*tarea)(1);
        {
            std::lock_guard<std::mutex> l(m_);
            hechos_ = visto;
        }
        cv_.notify_all();
    }
}

}  // namespace tarno
