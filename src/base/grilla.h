// Two-dimensional grid stored as one flat row-major vector.
//
// Grids of the system are indexed (row, column) with bounds 0..filas and
// 0..columnas: row 0 and column 0 exist and hold 0, cells are 1-based. The
// stride is therefore columnas + 1. Walking a grid row by row touches memory
// in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarno {

template <typename T>
class Grilla {
public:
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
    std::vector<T>& Vector() { return datos_; }
    const std::vector<T>& Vector() const { return datos_; }

    void Llenar(T valor) { std::fill(datos_.begin(), datos_.end(), valor); }

private:
    int32_t filas_ = 0;
    int32_t columnas_ = 0;
    size_t ancho_ = 1;
    std::vector<T> datos_;
};

}  // namespace tarno
