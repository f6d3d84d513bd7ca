// The period loop shared by two threads with the results of one.
//
// The grid is cut in two halves, by a column or by a row; each thread routes
// the cells of its half in the order the run walks, and the two meet only
// along the cut: a cell within two steps of the cut that has earlier
// neighbours on the other side (earlier in the order) waits until the other
// thread has routed the last of them. Every pair of cells that touch each
// other is then routed in the order of the run, so every grid ends with the
// same bits as when one thread walks the whole order.
//
// The cut halves the basin cells, across the longer side of the grid first;
// the order is placed in rounds of one cell of each half (see `OrdenLocal`).
// The two threads are used when the schedule, played with one unit of time
// per cell, ends before three quarters of the one-thread time; else the other
// cut is tried (water running across a cut makes one half wait for the other).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "model/orden_local.h"
#include "model/orden_proceso.h"

namespace tarno {

struct RepartoDos {
    /// Before routing the cell at position `k` of the order, the other thread
    /// must have routed every cell of its half up to position `hasta`.
    struct Espera {
        int64_t k;
        int64_t hasta;
    };

    bool activo = false;             // false: one thread walks the whole order
    CorteMitades corte;              // thread h routes the cells of half h
    std::vector<Espera> esperas[2];  // each thread's, by position

    /// The thread (0 or 1) that routes cell (i, j).
    int Hilo(int32_t i, int32_t j) const { return corte.Mitad(i, j); }
    /// Whether cell (i, j) lies within two steps of the cut: only the other
    /// thread's waits for such cells need its progress.
    bool JuntoAlCorte(int32_t i, int32_t j) const { return corte.JuntoAlCorte(i, j); }
};

/// The cut between two columns (or rows) that halves the basin cells of `cota`.
CorteMitades CorteDeLaCuenca(const Grilla<float>& cota, bool porColumnas);

/// Plans the two threads for the order the run walks over `cota` (placed
/// with `corte`): each thread's waits, and whether they pay.
RepartoDos RepartirOrden(const OrdenProceso& orden, const Grilla<float>& cota, const CorteMitades& corte);

/// A second thread kept for a run: `Ejecutar` runs `f(0)` on the calling
/// thread and `f(1)` on the second one, and returns when both are done.
class ParejaHilos {
public:
    ParejaHilos();
    ~ParejaHilos();
    ParejaHilos(const ParejaHilos&) = delete;
    ParejaHilos& operator=(const ParejaHilos&) = delete;

    void Ejecutar(const std::function<void(int)>& f);

private:
    void Trabajar();

    std::mutex m_;
    std::condition_variable cv_;
    const std::function<void(int)>* tarea_ = nullptr;
    uint64_t encargos_ = 0, hechos_ = 0;
    bool fin_ = false;
    std::thread hilo_;
};

/// Each thread's progress through the order, on its own cache line: every
/// cell of the thread's half before position `k` is routed.
struct alignas(64) Avance {
    std::atomic<int64_t> k{0};
};

/// Processors this process may run on (its affinity, else the machine's).
int ProcesadoresDisponibles();

/// Waits until `otro` has passed position `hasta`.
void EsperarAvance(const Avance& otro, int64_t hasta);

}  // namespace tarno
