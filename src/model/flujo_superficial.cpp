#include "model/flujo_superficial.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/unidades.h"
#include "raster/numeros.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TARNO_FLUJO_AVX 1
#include <immintrin.h>
#else
#define TARNO_FLUJO_AVX 0
#endif

namespace tarno {

namespace {

constexpr double kDosTercios = 2.0 / 3.0;
constexpr double kViscosidad = 3.28084 * 3.28084 * 0.000012;
constexpr double kOchoG = 8 * 9.81;
constexpr float kReynoldsLaminar = 2000;

// Rounding to 6 decimals, halves to even (the same numbers as Redondear(v, 6)
// without its power of ten per call).
inline double Redondear6(double v) {
    const double x = v * 1e6;
    // Below 2^51, adding and removing 1.5 x 2^52 rounds to the nearest
    // integer with halves to even, like nearbyint without a library call.
    constexpr double kMagico = 6755399441055744.0;
    if (std::fabs(x) < 2251799813685248.0) return ((x + kMagico) - kMagico) / 1e6;
    if (!std::isfinite(x)) return v;
    return std::nearbyint(x) / 1e6;
}

// H^(2/3) x G^(1/2) / n with H^(2/3) given, so a cell computes it once for
// its four directions. The square root is G^(1/2).
inline float Manning(double H23, double G, float manning) {
    return static_cast<float>(H23 * std::sqrt(G) / static_cast<double>(manning));
}

// Rain of intensity i [mm/min] on a cell as a discharge [m3/s].
inline double CaudalLluvia(float i, const PasoFlujo& paso) {
    return static_cast<double>(i) * paso.ResolucionX * paso.ResolucionY * 0.1666667 / 10000.0;
}

}  // namespace

float VelocidadManning(float H, double G, float manning) {
    return Manning(std::pow(static_cast<double>(H), kDosTercios), G, manning);
}

float NumeroReynolds(float V, float H) {
    return static_cast<float>((4.0 * static_cast<double>(H) * static_cast<double>(V)) / kViscosidad);
}

float ResistenciaLaminar(float i) {
    return static_cast<float>(std::pow(static_cast<double>(i) / 25.4 * 60.0, 0.4) * 108.0 + 96.0);
}

PasoFlujo PrepararPasoFlujo(const Parametros& par, float lluviaPeriodo) {
    PasoFlujo p;
    p.PasoPp = par.PasoPp;
    p.T = SegundosPaso(par.PasoPp);
    p.ResolucionX = par.ResolucionX;
    p.ResolucionY = par.ResolucionY;
    p.Manning = par.Manning;
    p.FactorRes = par.FactorRes;
    p.LluviaPeriodo = lluviaPeriodo;
    p.KLluviaPeriodo = ResistenciaLaminar(static_cast<float>(static_cast<double>(lluviaPeriodo) / par.PasoPp));
    p.IntensidadPeriodo = static_cast<float>(static_cast<double>(lluviaPeriodo) / par.PasoPp);
    p.CaudalLluviaPeriodo = CaudalLluvia(p.IntensidadPeriodo, p);
    p.KSinLluvia = ResistenciaLaminar(0.0f);
    return p;
}

float FlujoCelda(GrillasModelo& g, const CeldaActual& celda, const Parametros& par) {
    return FlujoCelda(g, celda, PrepararPasoFlujo(par, celda.LluviaPaso));
}

float FlujoCelda(GrillasModelo& g, const CeldaActual& celda, const PasoFlujo& paso) {
    double salida = 0;
    return FlujoCeldaCon<false, false>(g, celda, paso, salida);
}

template <bool kAbierto, bool kConservar>
float FlujoCeldaCon(GrillasModelo& g, const CeldaActual& celda, const PasoFlujo& paso, double& salidaBorde) {
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();
    const int32_t I = celda.I;
    const int32_t J = celda.J;
    const ptrdiff_t ancho = static_cast<ptrdiff_t>(g.Cota.Ancho());
    const ptrdiff_t c = static_cast<ptrdiff_t>(g.Cota.Indice(I, J));

    float* const cota = g.Cota.Datos();
    double* const nivel = g.Nivel.Datos();
    float* const qEntrada = g.QEntrada.Datos();

    // Neighbours in their fixed order: previous row, next column, next row,
    // previous column. The distance between centres is also the flow width.
    const bool existe[5] = {false, I > 1, J < columnas, I < filas, J > 1};
    const ptrdiff_t vecino[5] = {0, c - ancho, c + 1, c + ancho, c - 1};
    const float d[5] = {0, paso.ResolucionX, paso.ResolucionY, paso.ResolucionX, paso.ResolucionY};
    const double T = paso.T;

    // Open sides: no neighbour, or one outside the basin. Beyond each lies a
    // dry outfall whose ground continues the cell's own ground slope (the
    // slope from the opposite neighbour down to the cell, 0 when that rises).
    [[maybe_unused]] bool abierto[5] = {false, false, false, false, false};
    [[maybe_unused]] double pendienteBorde[5] = {0, 0, 0, 0, 0};
    if constexpr (kAbierto) {
        for (int k = 1; k <= 4; ++k) {
            abierto[k] = !existe[k] || !(cota[vecino[k]] > 0);
            if (!abierto[k]) continue;
            const int o = k <= 2 ? k + 2 : k - 2;
            if (existe[o] && cota[vecino[o]] > 0)
                pendienteBorde[k] = std::max(0.0, (static_cast<double>(cota[vecino[o]]) - cota[c]) / d[k]);
        }
    }

    // A direction that can take the cell's outflow: a neighbour inside the
    // basin, or an open side.
    auto Destino = [&](int k) {
        if constexpr (kAbierto) return abierto[k] || cota[vecino[k]] > 0;
        else return existe[k] && cota[vecino[k]] > 0;
    };

    // A dry cell inside the basin that receives neither rain nor inflow in
    // this step comes out of the sixteen steps unchanged except for its zero
    // outflow; after the storm most of the grid is such cells.
    if (celda.LluviaPaso == 0 && qEntrada[c] == 0 && cota[c] > 0 && nivel[c] == static_cast<double>(cota[c])) {
        g.QSalida.Datos()[c] = 0;
        return 0;
    }

    // 1. Rain intensity, mm/min (prepared once for a cell that gets the
    //    period's rain).
    const bool lluviaDelPeriodo =
        std::bit_cast<uint32_t>(celda.LluviaPaso) == std::bit_cast<uint32_t>(paso.LluviaPeriodo);
    const float i = lluviaDelPeriodo ? paso.IntensidadPeriodo
                                     : static_cast<float>(static_cast<double>(celda.LluviaPaso) / paso.PasoPp);

    // 2. Working values, fresh for the call (index 0 unused).
    double G[5] = {0, 0, 0, 0, 0};
    double mediaBajada = 0, mediaSubida = 0;
    float wOut[5] = {0, 0, 0, 0, 0};
    float wIn[5] = {0, 0, 0, 0, 0};
    float QAporte[5] = {0, 0, 0, 0, 0};
    float VolSalida[5] = {0, 0, 0, 0, 0};
    float VolNeto[5] = {0, 0, 0, 0, 0};
    float velocidadMayor = 0;  // fastest turbulent velocity
    double qLaminarMayor = 0;  // largest laminar discharge per unit width

    const double nivelCelda = nivel[c];

    // 3. Water-surface gradients towards each neighbour with water surface > 0.
    if (nivelCelda > 0) {
        double sumaBajada = 0, sumaSubida = 0;
        int nBajada = 0, nSubida = 0;
        for (int k = 1; k <= 4; ++k) {
            if constexpr (kAbierto) {
                if (abierto[k]) {
                    // Towards the outfall's surface, its ground one cell beyond.
                    G[k] = (nivelCelda - static_cast<double>(cota[c])) / static_cast<double>(d[k]) +
                           pendienteBorde[k];
                    if (G[k] > 0) {
                        sumaBajada += G[k];
                        ++nBajada;
                    }
                    continue;
                }
            }
            if (!existe[k] || !(nivel[vecino[k]] > 0)) continue;
            G[k] = (nivelCelda - nivel[vecino[k]]) / static_cast<double>(d[k]);
            if (G[k] > 0) {
                sumaBajada += G[k];
                ++nBajada;
            }
            if (G[k] < 0) {
                sumaSubida += G[k];
                ++nSubida;
            }
        }
        if (nBajada > 0) mediaBajada = sumaBajada / nBajada;
        if (nSubida > 0) mediaSubida = sumaSubida / nSubida;
    }

    // 4. Outflow weights: square root of the gradient over the mean downhill gradient.
    if (mediaBajada != 0) {
        double suma = 0;
        for (int k = 1; k <= 4; ++k) {
            if (Destino(k) && G[k] > 0) {
                wOut[k] = static_cast<float>(std::sqrt(std::fabs(G[k] / mediaBajada)));
                suma += wOut[k];
            }
        }
        if (suma > 0)
            for (int k = 1; k <= 4; ++k)
                if (wOut[k] != 0) wOut[k] = static_cast<float>(wOut[k] / suma);
    }

    // 5. Inflow weights from the higher neighbours; without one, equal shares
    //    among the neighbours whose surface is not lower (flat rule).
    [[maybe_unused]] bool sinEntrada = false;
    {
        double suma = 0;
        if (mediaSubida != 0) {
            for (int k = 1; k <= 4; ++k) {
                if (existe[k] && G[k] < 0) {
                    wIn[k] = static_cast<float>(std::sqrt(std::fabs(G[k] / mediaSubida)));
                    suma += wIn[k];
                }
            }
        }
        if (suma <= 0) {
            for (int k = 1; k <= 4; ++k) {
                if (existe[k] && nivelCelda <= nivel[vecino[k]]) {
                    wIn[k] = 1;
                    suma += 1;
                }
            }
        }
        if (suma > 0)
            for (int k = 1; k <= 4; ++k)
                if (wIn[k] != 0) wIn[k] = static_cast<float>(wIn[k] / suma);
        sinEntrada = !(suma > 0);
    }

    // 6. Rain on the cell as a discharge (mm/min over m2 -> m3/s).
    qEntrada[c] = static_cast<float>(Redondear6(
        static_cast<double>(qEntrada[c]) + (lluviaDelPeriodo ? paso.CaudalLluviaPeriodo : CaudalLluvia(i, paso))));

    // 7. Shares of the inflow credited through each direction.
    const double qEntradaCelda = qEntrada[c];
    for (int k = 1; k <= 4; ++k)
        if (wIn[k] != 0) QAporte[k] = static_cast<float>(Redondear6(static_cast<double>(wIn[k]) * qEntradaCelda));
    // Keeping the mass: the inflow is taken now (what arrives later waits for
    // the next period), and a cell with no side to credit it through keeps it.
    [[maybe_unused]] double volumenPropio = 0;
    if constexpr (kConservar) {
        if (sinEntrada) volumenPropio = VolumenPaso(qEntradaCelda, paso.PasoPp);
        qEntrada[c] = 0;
    }

    // 8. A cell outside the basin holds no water.
    const float cotaCelda = cota[c];
    if (cotaCelda <= 0) {
        g.QSalida.Datos()[c] = 0;
        nivel[c] = 0;
        g.AporteCascada.Datos()[c] = 0;
        return 0;
    }

    // 9. Outflow per direction: turbulent (Manning) or laminar (Darcy-Weisbach).
    const float H = static_cast<float>(nivelCelda - cotaCelda);
    if (H > 0) {
        const double H3 = static_cast<double>(H) * H * H;
        const double H23 = std::pow(static_cast<double>(H), kDosTercios);
        for (int k = 1; k <= 4; ++k) {
            if (!(G[k] > 0) || !Destino(k)) continue;
            float V = Manning(H23, G[k], paso.Manning);
            if (!(V > 0)) continue;
            const float Re = NumeroReynolds(V, H);
            float Q;
            if (Re > kReynoldsLaminar) {
                Q = static_cast<float>(static_cast<double>(wOut[k]) * V * H * d[k]);
            } else {
                const float KLam = celda.LluviaPaso == paso.LluviaPeriodo ? paso.KLluviaPeriodo
                                   : celda.LluviaPaso == 0                ? paso.KSinLluvia
                                                                          : ResistenciaLaminar(i);
                const float K = static_cast<float>(static_cast<double>(KLam) * paso.FactorRes);
                const float f = static_cast<float>(static_cast<double>(K) / Re);
                const double q = std::sqrt(H3 * (kOchoG * G[k]) / f);
                Q = static_cast<float>(q * wOut[k] * d[k]);
                if (q > qLaminarMayor) qLaminarMayor = q;
                V = 0;
            }
            if (V > velocidadMayor) velocidadMayor = V;
            VolSalida[k] = static_cast<float>(VolumenPaso(Q, paso.PasoPp));
        }
        // Laminar velocity q / H (the same depth for every direction), for the stability guard.
        if (qLaminarMayor > 0) {
            const float vLaminar = static_cast<float>(qLaminarMayor / H);
            if (vLaminar > velocidadMayor) velocidadMayor = vLaminar;
        }
    }

    // 10. Total outflow.
    float VolSalidaTotal = static_cast<float>(static_cast<double>(VolSalida[1]) + VolSalida[2] +
                                              VolSalida[3] + VolSalida[4]);
    const float Qs = static_cast<float>(VolSalidaTotal / T);

    // 11. Net volume gained through each direction.
    for (int k = 1; k <= 4; ++k) {
        if (VolSalidaTotal != 0 && VolSalida[k] != 0)
            VolNeto[k] = static_cast<float>(
                VolumenPaso(QAporte[k] - static_cast<double>(Qs) * VolSalida[k] / VolSalidaTotal, paso.PasoPp));
        else
            VolNeto[k] = static_cast<float>(VolumenPaso(QAporte[k], paso.PasoPp));
    }
    float VolNetoTotal =
        static_cast<float>(static_cast<double>(VolNeto[1]) + VolNeto[2] + VolNeto[3] + VolNeto[4]);
    if constexpr (kConservar) VolNetoTotal = static_cast<float>(VolNetoTotal + volumenPropio);

    // 12. Storage.
    const double DeltaNivel = static_cast<double>(VolNetoTotal) / paso.ResolucionY / paso.ResolucionX;
    nivel[c] = nivelCelda + DeltaNivel;

    // 13. Overdraft: the cell gave more than it held; it is left dry and the
    //     volumes it delivers shrink by the missing volume, shared by wOut.
    if (static_cast<float>(nivel[c]) < cotaCelda) {
        const float D = static_cast<float>(cotaCelda - nivel[c]);
        const double volumenDeficit = static_cast<double>(D) * paso.ResolucionY * paso.ResolucionX;
        for (int k = 1; k <= 4; ++k) {
            if (wOut[k] > 0) {
                VolNeto[k] = static_cast<float>(VolNeto[k] + wOut[k] * volumenDeficit);
                VolSalida[k] = static_cast<float>(VolumenPaso(QAporte[k], paso.PasoPp) - VolNeto[k]);
            }
        }
        VolSalidaTotal = static_cast<float>(static_cast<double>(VolSalida[1]) + VolSalida[2] +
                                            VolSalida[3] + VolSalida[4]);
        nivel[c] = cotaCelda;
    }

    // 14. Delivery to the neighbours.
    //     (Adding a zero volume changes nothing, so only directions that carry
    //     water are touched.)
    for (int k = 1; k <= 4; ++k) {
        if constexpr (kAbierto) {
            if (abierto[k]) {
                salidaBorde += VolSalida[k];
                continue;
            }
        }
        if (existe[k] && VolSalida[k] != 0)
            qEntrada[vecino[k]] = static_cast<float>(VolSalida[k] / T + qEntrada[vecino[k]]);
    }

    // 15. Maximum depth.
    float& hMax = g.HMax.Datos()[c];
    const float h = static_cast<float>(nivel[c] - cotaCelda);
    if (h > hMax) hMax = h;

    // 16. Outflow of the cell and its maximum.
    float& qSalida = g.QSalida.Datos()[c];
    qSalida = static_cast<float>(Redondear6(VolSalidaTotal / T));
    float& qMax = g.QMax.Datos()[c];
    if (qSalida > qMax) qMax = qSalida;

    return velocidadMayor;
}

#if TARNO_FLUJO_AVX
// Several cells at a time, one in each lane: cells more than two steps apart
// touch no common cell, so routing them side by side is routing them one
// after the other. Each lane does FlujoCeldaCon's operations in its
// order; the sums over the four directions are made direction by direction,
// as there. The lanes are those of an AVX register (4 cells) or of an
// AVX-512 one (8 cells), each described by a set of operations below.
#pragma GCC diagnostic push
#if !defined(__clang__)
// GCC 12 takes the AVX-512 intrinsics' undefined pass-through operands for
// uninitialised variables.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace cuatro {
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx")
#endif
struct W {
    static constexpr int kAncho = 4;
    using D = __m256d;  // one double per cell
    using M = __m256d;  // a lane of ones where true
    static D Todos(double x) { return _mm256_set1_pd(x); }
    static D Sumar(D a, D b) { return _mm256_add_pd(a, b); }
    static D Restar(D a, D b) { return _mm256_sub_pd(a, b); }
    static D Multiplicar(D a, D b) { return _mm256_mul_pd(a, b); }
    static D Dividir(D a, D b) { return _mm256_div_pd(a, b); }
    static D Raiz(D a) { return _mm256_sqrt_pd(a); }
    static D Absoluto(D a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    static D Flotante(D a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static M Mayor(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
    static M Menor(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static M MenorOIgual(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
    static M Distinto(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_NEQ_UQ); }
    static M Y(M a, M b) { return _mm256_and_pd(a, b); }
    static M YNo(M a, M b) { return _mm256_andnot_pd(b, a); }  // a and not b
    static int Bits(M m) { return _mm256_movemask_pd(m); }
    static M DeBits(int b) {
        return _mm256_castsi256_pd(
            _mm256_set_epi64x(-int64_t{(b >> 3) & 1}, -int64_t{(b >> 2) & 1}, -int64_t{(b >> 1) & 1}, -int64_t{b & 1}));
    }
    static D Donde(M m, D a) { return _mm256_and_pd(m, a); }      // a where m, else +0
    static D Elegir(M m, D a, D b) { return _mm256_blendv_pd(a, b, m); }  // b where m, else a
    static D Cargar(const double* p) { return _mm256_load_pd(p); }
    static void Guardar(double* p, D a) { _mm256_store_pd(p, a); }
    static D Juntar(const double* base, const ptrdiff_t* i) {
        return _mm256_set_pd(base[i[3]], base[i[2]], base[i[1]], base[i[0]]);
    }
    static D JuntarFloat(const float* base, const ptrdiff_t* i) {
        return _mm256_cvtps_pd(_mm_set_ps(base[i[3]], base[i[2]], base[i[1]], base[i[0]]));
    }
    // Each lane's value (rounded to float) to base[i[lane]], in the lanes of `mascara`.
    static void EsparcirFloat(float* base, const ptrdiff_t* i, int mascara, D a) {
        alignas(32) double v[4];
        _mm256_store_pd(v, a);
        for (int l = 0; l < 4; ++l)
            if (mascara >> l & 1) base[i[l]] = static_cast<float>(v[l]);
    }
    static void EsparcirDouble(double* base, const ptrdiff_t* i, int mascara, D a) {
        alignas(32) double v[4];
        _mm256_store_pd(v, a);
        for (int l = 0; l < 4; ++l)
            if (mascara >> l & 1) base[i[l]] = v[l];
    }
};

#include "model/flujo_lote.inc"
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
}  // namespace cuatro

namespace ocho {
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif
struct W {
    static constexpr int kAncho = 8;
    using D = __m512d;
    using M = __mmask8;
    static D Todos(double x) { return _mm512_set1_pd(x); }
    static D Sumar(D a, D b) { return _mm512_add_pd(a, b); }
    static D Restar(D a, D b) { return _mm512_sub_pd(a, b); }
    static D Multiplicar(D a, D b) { return _mm512_mul_pd(a, b); }
    static D Dividir(D a, D b) { return _mm512_div_pd(a, b); }
    static D Raiz(D a) { return _mm512_sqrt_pd(a); }
    static D Absoluto(D a) { return _mm512_abs_pd(a); }
    static D Flotante(D a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }
    static M Mayor(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
    static M Menor(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
    static M MenorOIgual(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_LE_OQ); }
    static M Distinto(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_NEQ_UQ); }
    static M Y(M a, M b) { return static_cast<M>(a & b); }
    static M YNo(M a, M b) { return static_cast<M>(a & ~b); }
    static int Bits(M m) { return m; }
    static M DeBits(int b) { return static_cast<M>(b); }
    static D Donde(M m, D a) { return _mm512_maskz_mov_pd(m, a); }
    static D Elegir(M m, D a, D b) { return _mm512_mask_blend_pd(m, a, b); }
    static D Cargar(const double* p) { return _mm512_load_pd(p); }
    static void Guardar(double* p, D a) { _mm512_store_pd(p, a); }
    // Eight loads and a register built from them: faster than the gather
    // instructions on processors that split those into microcode.
    static D Juntar(const double* base, const ptrdiff_t* i) {
        return _mm512_set_pd(base[i[7]], base[i[6]], base[i[5]], base[i[4]], base[i[3]], base[i[2]], base[i[1]],
                             base[i[0]]);
    }
    static D JuntarFloat(const float* base, const ptrdiff_t* i) {
        return _mm512_cvtps_pd(_mm256_set_ps(base[i[7]], base[i[6]], base[i[5]], base[i[4]], base[i[3]], base[i[2]],
                                             base[i[1]], base[i[0]]));
    }
    static void EsparcirFloat(float* base, const ptrdiff_t* i, int mascara, D a) {
        _mm512_mask_i64scatter_ps(base, static_cast<__mmask8>(mascara), _mm512_loadu_si512(i), _mm512_cvtpd_ps(a), 4);
    }
    static void EsparcirDouble(double* base, const ptrdiff_t* i, int mascara, D a) {
        _mm512_mask_i64scatter_pd(base, static_cast<__mmask8>(mascara), _mm512_loadu_si512(i), a, 8);
    }
};

#include "model/flujo_lote.inc"
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
}  // namespace ocho
#pragma GCC diagnostic pop

template <bool kConservar>
[[gnu::target("avx")]] float FlujoCuatroAvx(GrillasModelo& g, const CeldaActual* celdas, int n, const PasoFlujo& paso) {
    return cuatro::FlujoLote<kConservar>(g, celdas, n, paso);
}
template <bool kConservar>
[[gnu::target("avx512f")]] float FlujoOchoAvx512(GrillasModelo& g, const CeldaActual* celdas, int n,
                                                  const PasoFlujo& paso) {
    return ocho::FlujoLote<kConservar>(g, celdas, n, paso);
}

template <bool kConservar>
KernelFlujoLote KernelFlujoLoteAvx(int ancho) {
    static const bool avx = __builtin_cpu_supports("avx");
    static const bool avx512 = __builtin_cpu_supports("avx512f");
    if (ancho == 4 && avx) return &FlujoCuatroAvx<kConservar>;
    if (ancho == 8 && avx512) return &FlujoOchoAvx512<kConservar>;
    return nullptr;
}
#else
template <bool kConservar>
KernelFlujoLote KernelFlujoLoteAvx(int) {
    return nullptr;
}
#endif

bool VectoresPermitidos() {
    const char* v = std::getenv("TARNO_VECTORES");
    return !(v && std::string(v) == "0");
}

template <bool kConservar>
KernelFlujoLote KernelFlujoLoteCon(int& ancho) {
    ancho = 0;
    if (!VectoresPermitidos()) return nullptr;
    for (const int a : {8, 4})
        if (KernelFlujoLote k = KernelFlujoLoteAvx<kConservar>(a)) {
            ancho = a;
            return k;
        }
    return nullptr;
}

template float FlujoCeldaCon<false, false>(GrillasModelo&, const CeldaActual&, const PasoFlujo&, double&);
template float FlujoCeldaCon<true, false>(GrillasModelo&, const CeldaActual&, const PasoFlujo&, double&);
template float FlujoCeldaCon<false, true>(GrillasModelo&, const CeldaActual&, const PasoFlujo&, double&);
template float FlujoCeldaCon<true, true>(GrillasModelo&, const CeldaActual&, const PasoFlujo&, double&);
template KernelFlujoLote KernelFlujoLoteAvx<false>(int);
template KernelFlujoLote KernelFlujoLoteAvx<true>(int);
template KernelFlujoLote KernelFlujoLoteCon<false>(int&);
template KernelFlujoLote KernelFlujoLoteCon<true>(int&);

Resultado ValidarParametrosFlujo(const Parametros& par) {
    const std::string metodo = " con el método Flujo Superficial y Canal.";
    if (!(par.PasoPp > 0) || !std::isfinite(par.PasoPp))
        return Resultado::Falla("El paso de cálculo debe ser mayor que cero (PasoPp =" + TextoBlanco(par.PasoPp) +
                                ")" + metodo);
    if (!(par.ResolucionX > 0) || !(par.ResolucionY > 0) || !std::isfinite(par.ResolucionX) ||
        !std::isfinite(par.ResolucionY))
        return Resultado::Falla("El tamaño de celda debe ser mayor que cero (Resolución X =" +
                                TextoBlanco(par.ResolucionX) + ", Resolución Y =" + TextoBlanco(par.ResolucionY) +
                                ")" + metodo);
    if (!(par.Manning > 0) || !std::isfinite(par.Manning))
        return Resultado::Falla("El coeficiente de Manning debe ser mayor que cero (Manning =" +
                                TextoBlanco(par.Manning) + ")" + metodo);
    if (!(par.FactorRes > 0) || !std::isfinite(par.FactorRes))
        return Resultado::Falla("El factor de resistencia al flujo debe ser mayor que cero (Fac.Res. =" +
                                TextoBlanco(par.FactorRes) + ")" + metodo);
    // The laminar resistance takes the 0.4 power of the rain intensity.
    if (!par.PpArchivo && (!(par.Pp >= 0) || !std::isfinite(par.Pp)))
        return Resultado::Falla("La precipitación no puede ser negativa (Pp =" + TextoBlanco(par.Pp) + ")" + metodo);
    return Resultado::Bien();
}

Resultado ValidarPluviogramaFlujo(const Pluviograma& pv) {
    const int32_t n = std::min<int32_t>(pv.NroDatos, static_cast<int32_t>(pv.PpAcum.size()) - 1);
    for (int32_t k = 2; k <= n; ++k)
        if (pv.PpAcum[static_cast<size_t>(k)] < pv.PpAcum[static_cast<size_t>(k - 1)])
            return Resultado::Falla("La lluvia acumulada del pluviograma disminuye en el punto" + TextoBlanco(k) + " (" +
                                    TextoBlanco(pv.PpAcum[static_cast<size_t>(k - 1)]) + " mm a" +
                                    TextoBlanco(pv.PpAcum[static_cast<size_t>(k)]) +
                                    " mm): daría una intensidad de lluvia negativa con el método Flujo "
                                    "Superficial y Canal.");
    return Resultado::Bien();
}

Resultado ValidarEntradaFlujo(const Parametros& par, const GrillasModelo& g) {
    if (Resultado r = ValidarParametrosFlujo(par); !r) return r;
    const std::string metodo = " con el método Flujo Superficial y Canal.";
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();
    if (filas <= 0 || columnas <= 0 || g.Cota.Vacia())
        return Resultado::Falla("No hay un MDT cargado para correr el modelo" + metodo);
    auto igual = [&](auto const& grilla) {
        return grilla.Filas() == filas && grilla.Columnas() == columnas && !grilla.Vacia();
    };
    if (!igual(g.Nivel) || !igual(g.QEntrada) || !igual(g.QSalida) || !igual(g.HMax) || !igual(g.QMax) ||
        !igual(g.AporteCascada))
        return Resultado::Falla("Las grillas del modelo no tienen el tamaño del MDT" + metodo);
    return Resultado::Bien();
}

double VolumenLluviaPaso(const Parametros& par, float lluviaPaso) {
    return static_cast<double>(lluviaPaso) / 1000.0 * par.ResolucionX * par.ResolucionY;
}

EstabilidadFlujo::EstabilidadFlujo(const Parametros& par, int64_t celdasCuenca, double duracionLluvia)
    : resX_(par.ResolucionX),
      resY_(par.ResolucionY),
      T_(SegundosPaso(par.PasoPp)),
      duracionLluvia_(duracionLluvia),
      celdas_(celdasCuenca) {}

double EstabilidadFlujo::AguaEnGrilla(const GrillasModelo& g, float resX, float resY, bool& finito) {
    finito = true;
    double suma = 0;
    const int32_t filas = g.Cota.Filas();
    const int32_t columnas = g.Cota.Columnas();
    for (int32_t f = 1; f <= filas; ++f) {
        const float* cota = &g.Cota(f, 0);
        const double* nivel = &g.Nivel(f, 0);
        for (int32_t c = 1; c <= columnas; ++c) {
            if (!std::isfinite(nivel[c])) {
                finito = false;
                continue;
            }
            if (cota[c] > 0) suma += nivel[c] - cota[c];
        }
    }
    const double volumen = suma * resX * resY;
    if (!std::isfinite(volumen)) finito = false;
    return volumen;
}

bool EstabilidadFlujo::Revisar(const GrillasModelo& g, double lluviaPeriodo, float velocidadPeriodo) {
    lluvia_ += lluviaPeriodo;
    ++periodos_;
    if (velocidadPeriodo > vMax_) vMax_ = velocidadPeriodo;
    bool finito = true;
    agua_ = AguaEnGrilla(g, resX_, resY_, finito);
    // Each period the six-decimal rounding of the rain discharge and of the four
    // inflow shares may credit up to half a unit of the sixth decimal each.
    const double holgura = static_cast<double>(celdas_) * static_cast<double>(periodos_) * 5 * 0.5e-6 * T_;
    const bool bien = finito && agua_ <= lluvia_ * 1.01 + holgura;
    // Velocities of a blowing-up scheme say nothing of the flow: the advice
    // keeps those of the periods before it began. Two marks of its start are
    // followed: a period whose velocity more than doubles (the first periods
    // of a storm may do so while the water gathers) or that is refused, and
    // besides those a period whose water crosses more than a cell in one step
    // (Courant number above 1), the range of an explicit scheme.
    const bool salto = !bien || (periodos_ > 3 && vAnterior_ > 0 && velocidadPeriodo > 2 * vAnterior_);
    const double lado = resX_ < resY_ ? resX_ : resY_;
    const bool courant = static_cast<double>(velocidadPeriodo) * T_ > lado;
    auto seguir = [&](Tramo& t, bool fin) {
        if (fin) t.cerrado = true;
        if (t.cerrado || !std::isfinite(velocidadPeriodo)) return;
        if (velocidadPeriodo > t.v) t.v = velocidadPeriodo;
        t.periodo = periodos_;
    };
    seguir(porSalto_, salto);
    seguir(porCourant_, salto || courant);
    vAnterior_ = velocidadPeriodo;
    return bien;
}

const EstabilidadFlujo::Tramo& EstabilidadFlujo::TramoEstable() const {
    // The Courant mark is the sounder one, but a long step crosses a cell
    // within the first few periods, too early to tell how fast the storm
    // will run: then the velocity jump marks the start.
    return porCourant_.periodo >= 20 ? porCourant_ : porSalto_;
}

double EstabilidadFlujo::VelocidadEsperada() const {
    const double vEstable = VelocidadEstable();
    if (!(vEstable > 0)) return 0;
    const double minuto = MinutoEstable();
    double v = vEstable;
    if (minuto > 0 && duracionLluvia_ > minuto) v *= std::pow(duracionLluvia_ / minuto, 2.0 / 3.0);
    return v;
}

double EstabilidadFlujo::PasoSugerido() const {
    const double v = VelocidadEsperada();
    if (!(v > 0) || !std::isfinite(v)) return 0;
    const double lado = resX_ < resY_ ? resX_ : resY_;
    return lado / (2 * 60.0 * v);
}

std::string EstabilidadFlujo::Mensaje(int32_t periodo) const {
    std::string m =
        "El paso de cálculo es demasiado largo para el método Flujo Superficial y Canal con este tamaño de "
        "celda: en el período" + TextoBlanco(periodo) + " el cálculo se volvió inestable (el agua sobre el "
        "terreno supera a la lluvia caída o aparecen alturas no finitas).";
    const double sugerido = PasoSugerido();
    if (sugerido > 0) {
        // Two significant digits, rounded down so the suggestion stays below the limit.
        const double escala = std::pow(10.0, std::floor(std::log10(sugerido)) - 1);
        const double paso = std::floor(sugerido / escala) * escala;
        m += "\r\nUse un paso de cálculo no mayor que" + TextoBlanco(static_cast<float>(paso)) +
             " min (tamaño de celda / (2 x 60 x velocidad esperada de" +
             TextoBlanco(static_cast<float>(VelocidadEsperada())) + " m/s)).";
    } else {
        m += "\r\nUse un paso de cálculo menor.";
    }
    m += "\r\nSe ha suspendido la corrida del modelo; no se han grabado archivos de resultados.";
    return m;
}

}  // namespace tarno
