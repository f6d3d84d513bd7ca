#include "model/tormenta.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {

namespace {

// SCS type II: hour and fraction of the 24-hour rain fallen by then.
constexpr double kSCS2[][2] = {
    {0, 0},        {1, 0.011},  {2, 0.022},    {3, 0.035},     {4, 0.048},   {5, 0.063},    {6, 0.080},
    {7, 0.098},    {8, 0.120},  {8.5, 0.133},  {9, 0.147},     {9.5, 0.163}, {9.75, 0.172}, {10, 0.181},
    {10.5, 0.204}, {11, 0.235}, {11.5, 0.283}, {11.75, 0.357}, {12, 0.663},  {12.5, 0.735}, {13, 0.772},
    {13.5, 0.799}, {14, 0.820}, {15, 0.854},   {16, 0.880},    {17, 0.903},  {18, 0.922},   {19, 0.938},
    {20, 0.952},   {21, 0.965}, {22, 0.977},   {23, 0.989},    {24, 1.0},
};

}  // namespace

double LaminaIDF(double A, double B, double C, double d) {
    if (!(d > 0)) return 0;
    return A / std::pow(d + B, C) * d / 60.0;
}

double FraccionSCS2(double t) {
    constexpr size_t n = sizeof kSCS2 / sizeof kSCS2[0];
    if (!(t > 0)) return 0;
    if (t >= 24) return 1;
    for (size_t k = 1; k < n; ++k)
        if (t <= kSCS2[k][0]) {
            const double f = (t - kSCS2[k - 1][0]) / (kSCS2[k][0] - kSCS2[k - 1][0]);
            return kSCS2[k - 1][1] + f * (kSCS2[k][1] - kSCS2[k - 1][1]);
        }
    return 1;
}

Resultado GenerarTormenta(const OpcionesTormenta& op, Pluviograma& pv) {
    if (!(op.paso >= 1 && op.paso <= 1440))
        return Resultado::Falla(
            "Intervalo (--paso): el intervalo debe ser un número entero de minutos entre 1 y 1440.");
    const bool scs = op.tipo == TipoTormenta::SCS2;
    const double horas = scs ? (op.duracion > 0 ? op.duracion : 24.0) : 0.0;
    const double minutos = scs ? horas * 60.0 : op.duracion;
    if (scs && !(horas <= 24))
        return Resultado::Falla("Duración (--dur): la tormenta SCS tipo II dura a lo sumo 24 horas.");
    if (!(minutos > 0) || !std::isfinite(minutos))
        return Resultado::Falla("Duración (--dur): la duración debe ser mayor que cero.");
    const double bloques = minutos / op.paso;
    if (std::fabs(bloques - std::round(bloques)) > 1e-9)
        return Resultado::Falla("Duración (--dur): la duración (" + TextoBlanco(minutos) +
                                " min) debe ser un múltiplo del intervalo (" + TextoBlanco(op.paso) + " min).");
    const int64_t n = static_cast<int64_t>(std::round(bloques));
    if (n > 32766)
        return Resultado::Falla(
            "Duración (--dur): la tormenta tendría más de 32766 intervalos; use un intervalo mayor.");

    // Depth of every interval, in time order.
    std::vector<double> lamina(static_cast<size_t>(n), 0.0);
    std::string titulo;
    if (op.tipo == TipoTormenta::Bloques) {
        if (!(op.A > 0) || !std::isfinite(op.A) || !(op.B >= 0) || !std::isfinite(op.B) || !std::isfinite(op.C))
            return Resultado::Falla(
                "Curva IDF (--idf): use A,B,C con A > 0 y B >= 0 (i = A / (d + B)^C, mm/h, d en minutos).");
        // Increments of the curve's depth, largest in the middle, the rest
        // alternating after and before it.
        std::vector<double> incrementos(static_cast<size_t>(n));
        double anterior = 0;
        for (int64_t k = 1; k <= n; ++k) {
            const double d = LaminaIDF(op.A, op.B, op.C, static_cast<double>(k * op.paso));
            incrementos[static_cast<size_t>(k - 1)] = d - anterior;
            anterior = d;
        }
        std::stable_sort(incrementos.begin(), incrementos.end(), std::greater<double>());
        const int64_t centro = (n - 1) / 2;
        for (int64_t k = 0; k < n; ++k) {
            const int64_t lado = (k + 1) / 2;
            const int64_t pos = k % 2 == 1 ? centro + lado : centro - lado;
            const int64_t p = pos < 0 ? n + pos : (pos >= n ? pos - n : pos);
            lamina[static_cast<size_t>(p)] = incrementos[static_cast<size_t>(k)];
        }
        titulo = "Bloques alternos IDF A=" + NumeroArchivo(op.A) + " B=" + NumeroArchivo(op.B) +
                 " C=" + NumeroArchivo(op.C) + ", " + NumeroArchivo(minutos) + " min";
    } else {
        if (!(op.pp > 0) || !std::isfinite(op.pp))
            return Resultado::Falla("Lluvia total (--pp): la lluvia total [mm] debe ser mayor que cero.");
        if (scs) {
            const double t0 = 12.0 - horas / 2, t1 = 12.0 + horas / 2;
            const double f0 = FraccionSCS2(t0), total = FraccionSCS2(t1) - f0;
            double antes = 0;
            for (int64_t k = 1; k <= n; ++k) {
                const double f =
                    k == n ? 1.0 : (FraccionSCS2(t0 + static_cast<double>(k * op.paso) / 60.0) - f0) / total;
                lamina[static_cast<size_t>(k - 1)] = (f - antes) * op.pp;
                antes = f;
            }
            titulo = "SCS tipo II, " + NumeroArchivo(op.pp) + " mm en " + NumeroArchivo(horas) + " h";
        } else {
            for (double& x : lamina) x = op.pp / static_cast<double>(n);
            titulo = "Uniforme, " + NumeroArchivo(op.pp) + " mm en " + NumeroArchivo(minutos) + " min";
        }
    }
    pv = Pluviograma{};
    pv.Titulo = op.titulo.empty() ? titulo : op.titulo;
    pv.Rec = static_cast<int16_t>(std::clamp<int32_t>(op.rec, 0, 32767));
    pv.Paso = static_cast<int16_t>(op.paso);
    pv.NroDatos = static_cast<int16_t>(n + 1);
    pv.PpAcum.assign(static_cast<size_t>(n) + 2, 0.0f);
    double acumulada = 0;
    for (int64_t k = 1; k <= n; ++k) {
        acumulada += lamina[static_cast<size_t>(k - 1)];
        pv.PpAcum[static_cast<size_t>(k + 1)] = static_cast<float>(acumulada);
    }
    if (!(acumulada > 0) || !std::isfinite(acumulada))
        return Resultado::Falla("La tormenta no tiene lluvia: revise la curva IDF o la lluvia total.");
    pv.LluviaTotal = pv.PpAcum[static_cast<size_t>(n) + 1];
    return Resultado::Bien();
}

std::string TextoPluviograma(const Pluviograma& pv) {
    EscritorDelimitado w;
    w.Texto(pv.Titulo).FinLinea();
    w.Numero(pv.Rec).FinLinea();
    w.Numero(pv.LluviaTotal).FinLinea();
    w.Numero(pv.Paso).FinLinea();
    w.Numero(pv.NroDatos).FinLinea();
    for (int32_t k = 1; k <= pv.NroDatos; ++k) w.Numero(pv.PpAcum[static_cast<size_t>(k)]).FinLinea();
    return w.Bytes();
}

Resultado EscribirPluviograma(const std::string& ruta, const Pluviograma& pv) {
    return GuardarArchivo(ruta, TextoPluviograma(pv));
}

}  // namespace tarno
