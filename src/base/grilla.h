// Two-dimensional grid stored as one flat row-major vector.
//
// Grids of the system are indexed (row, column) with bounds 0..filas and
// 0..columnas: row 0 and column 0 exist and hold 0, cells are 1-based. The
// stride is therefore columnas + 1. Walking a grid row by row touches memory
// in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tarno {

/// The allocator of the grids. A grid of 2 MB or more starts on a 2 MB
/// boundary and asks the system for large pages over its whole 2 MB blocks:
/// a grid of millions of cells then takes a few translations instead of
/// hundreds of thousands, and the period loop, which walks rows of several
/// grids at once, misses the translation cache far less. Only where the
/// memory lies changes; without the system's support it is plain memory.
template <typename T>
struct AsignadorGrilla {
    using value_type = T;
    static constexpr size_t kBloque = size_t{2} << 20;

    AsignadorGrilla() = default;
    template <typename U>
    AsignadorGrilla(const AsignadorGrilla<U>&) {}

    T* allocate(size_t n) {
        if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        const size_t bytes = n * sizeof(T);
        if (bytes < kBloque) {
            if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return static_cast<T*>(p);
            throw std::bad_alloc();
        }
        void* p = nullptr;
        if (posix_memalign(&p, kBloque, bytes) != 0) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, bytes / kBloque * kBloque, MADV_HUGEPAGE);
#endif
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t) { std::free(p); }

    template <typename U>
    bool operator==(const AsignadorGrilla<U>&) const {
        return true;
    }
};

template <typename T>
class Grilla {
public:
    using Valores = std::vector<T, AsignadorGrilla<T>>;

    Grilla() = default;
    Grilla(int32_t filas, int32_t columnas, T valor = T{}) { Redimensionar(filas, columnas, valor); }

    /// Sizes the grid to 0..filas x 0..columnas, every cell `valor`.
    /// Precondition: filas >= 0, columnas >= 0 and the size fits in memory.
    void Redimensionar(int32_t filas, int32_t columnas, T valor = T{}) {
        filas_ = filas;
        columnas_ = columnas;
        ancho_ = static_cast<size_t>(columnas) + 1;
        datos_.assign((static_cast<size_t>(filas) + 1) * ancho_, valor);
    }
    void Liberar() {
        datos_.clear();
        datos_.shrink_to_fit();
        filas_ = columnas_ = 0;
        ancho_ = 1;
    }

    int32_t Filas() const { return filas_; }
    int32_t Columnas() const { return columnas_; }
    bool Vacia() const { return datos_.empty(); }
    size_t Ancho() const { return ancho_; }

    size_t Indice(int32_t f, int32_t c) const {
        return static_cast<size_t>(f) * ancho_ + static_cast<size_t>(c);
    }
    T& operator()(int32_t f, int32_t c) { return datos_[Indice(f, c)]; }
    const T& operator()(int32_t f, int32_t c) const { return datos_[Indice(f, c)]; }
    bool Dentro(int32_t f, int32_t c) const { return f >= 0 && c >= 0 && f <= filas_ && c <= columnas_; }

    T* Datos() { return datos_.data(); }
    const T* Datos() const { return datos_.data(); }
    Valores& Vector() { return datos_; }
    const Valores& Vector() const { return datos_; }

    void Llenar(T valor) { std::fill(datos_.begin(), datos_.end(), valor); }

private:
    int32_t filas_ = 0;
    int32_t columnas_ = 0;
    size_t ancho_ = 1;
    Valores datos_;
};

}  // namespace tarno
