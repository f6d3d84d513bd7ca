#include "model/cascada.h"

#include <algorithm>
#include <limits>
#include <new>

namespace tarno {

CascadaEnOrden::CascadaEnOrden(const Parametros& parametros) : abierto_(parametros.BordeAbierto == 1) {
    vista_.factorRecesion = FactorRecesionDe(parametros);
    vista_.paso = PasoCelda::De(parametros);
}

void CascadaEnOrden::Liberar() {
    indice_ = {};
    celdas_ = {};
    vecinos_ = {};
    propias_ = {};
    publicar_ = {};
    tramos_[0] = tramos_[1] = Tramo{};
}

bool CascadaEnOrden::Preparar(const GrillasModelo& g, const OrdenProceso& orden, const RepartoDos& reparto,
                              std::vector<size_t>& indices) {
    const int64_t n = orden.Tamano();
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();
    const size_t ancho = g.Cota.Ancho();
    const size_t total = (static_cast<size_t>(filas) + 1) * ancho;
    if (n <= 0 || total >= std::numeric_limits<uint32_t>::max()) return false;
    const size_t m = static_cast<size_t>(n) + 1;
    auto mitad = [&](size_t k) { return reparto.activo ? reparto.corte.Mitad(orden.Fila[k], orden.Columna[k]) : 0; };
    try {
        // Cells of the second half before the k-th of the order, and the
        // position of every grid cell: only while the layout is made.
        std::vector<uint32_t> segundaAntes(m + 1, 0);
        for (size_t k = 1; k < m; ++k) segundaAntes[k + 1] = segundaAntes[k] + static_cast<uint32_t>(mitad(k));
        const size_t primeras = static_cast<size_t>(n) - segundaAntes[m];
        auto posicionDe = [&](size_t k) {
            return mitad(k) == 0 ? k - segundaAntes[k] : primeras + segundaAntes[k] + 1;
        };
        std::vector<uint32_t> posicion(total, 0);
        indice_.resize(m);
        celdas_.resize(m);
        vecinos_.resize(4 * m);
        propias_.resize(m);
        publicar_.assign(m / 64 + 1, 0);
        indice_[0] = 0;
        celdas_[0] = Celda{0, 0, 0};
        for (size_t k = 1; k < m; ++k) {
            const size_t c = g.Cota.Indice(orden.Fila[k], orden.Columna[k]);
            const size_t p = posicionDe(k);
            posicion[c] = static_cast<uint32_t>(p);
            indice_[p] = static_cast<uint32_t>(c);
            celdas_[p] = Celda{g.Nivel.Datos()[c], g.Cota.Datos()[c], g.AporteCascada.Datos()[c]};
            propias_[p] = Propias{g.HMax.Datos()[c], g.QSalida.Datos()[c], g.QMax.Datos()[c]};
            if (reparto.activo && reparto.corte.JuntoAlCorte(orden.Fila[k], orden.Columna[k]))
                publicar_[p >> 6] |= uint64_t{1} << (p & 63);
        }
        const float* cota = g.Cota.Datos();
        for (size_t p = 1; p < m; ++p) {
            const size_t c = indice_[p];
            const int32_t i = static_cast<int32_t>(c / ancho);
            const int32_t j = static_cast<int32_t>(c % ancho);
            const bool existe[4] = {i > 1, j < columnas, i < filas, j > 1};
            const size_t vecino[4] = {c - ancho, c + 1, c + ancho, c - 1};
            for (int s = 0; s < 4; ++s)
                vecinos_[4 * p + static_cast<size_t>(s)] =
                    existe[s] && cota[vecino[s]] > 0 ? posicion[vecino[s]] : static_cast<uint32_t>(p);
        }
        for (size_t& x : indices) x = x < total ? posicion[x] : 0;
        // Each thread's stretch, and its waits in positions: the other thread
        // must have passed the position of the last of its cells up to the
        // order's `hasta` (none: no wait).
        tramos_[0] = Tramo{1, static_cast<int64_t>(primeras), {}};
        tramos_[1] = Tramo{static_cast<int64_t>(primeras) + 1, n, {}};
        if (reparto.activo) {
            for (int h = 0; h < 2; ++h) {
                tramos_[h].esperas.reserve(reparto.esperas[h].size());
                for (const RepartoDos::Espera& e : reparto.esperas[h]) {
                    const size_t hasta = static_cast<size_t>(std::clamp<int64_t>(e.hasta, 0, n));
                    const size_t delOtro = h == 0 ? segundaAntes[hasta + 1] : hasta - segundaAntes[hasta + 1];
                    if (delOtro == 0) continue;
                    const size_t base = h == 0 ? primeras + 1 : 1;
                    const size_t propia = posicionDe(static_cast<size_t>(e.k));
                    tramos_[h].esperas.push_back(
                        RepartoDos::Espera{static_cast<int64_t>(propia), static_cast<int64_t>(base + delOtro - 1)});
                }
            }
        }
    } catch (const std::bad_alloc&) {
        Liberar();
        return false;
    }
    vista_.celdas = celdas_.data();
    vista_.vecinos = vecinos_.data();
    vista_.propias = propias_.data();
    return true;
}

void CascadaEnOrden::Devolver(GrillasModelo& g) const {
    for (size_t p = 1; p < celdas_.size(); ++p) {
        const size_t c = indice_[p];
        g.Nivel.Datos()[c] = celdas_[p].Nivel;
        g.AporteCascada.Datos()[c] = celdas_[p].Aporte;
        g.HMax.Datos()[c] = propias_[p].HMax;
        g.QSalida.Datos()[c] = propias_[p].QSalida;
        g.QMax.Datos()[c] = propias_[p].QMax;
    }
}

}  // namespace tarno
