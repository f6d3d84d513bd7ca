#include "viewer/paletas.h"

#include <algorithm>
#include <cmath>

namespace tarno::visor {

namespace {

int Cercano(double x) { return static_cast<int>(std::nearbyint(x)); }

void Composicion(TablaPaletas& t) {
    int nivel = 0;
    for (int r = 0; r <= 250; r += 50)
        for (int g = 0; g <= 250; g += 50)
            for (int b = 0; b <= 250; b += 50) t(nivel++, 1) = RGB(r, g, b);
    for (int k = 216; k <= 220; ++k) t(k, 1) = RGB(0, 0, 0);
    static constexpr Color kFijos[35] = {
        RGB(0, 0, 93),      RGB(0, 0, 190),     RGB(0, 0, 255),     RGB(93, 0, 255),    RGB(190, 0, 255),
        RGB(255, 0, 255),   RGB(255, 0, 190),   RGB(255, 0, 93),    RGB(255, 0, 0),     RGB(255, 81, 0),
        RGB(255, 186, 0),   RGB(255, 255, 0),   RGB(190, 255, 0),   RGB(93, 255, 0),    RGB(0, 190, 0),
        RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(0, 0, 170),     RGB(0, 170, 0),     RGB(0, 170, 170),   RGB(170, 0, 0),     RGB(170, 0, 170),
        RGB(0, 170, 85),    RGB(170, 170, 170), RGB(85, 85, 85),    RGB(85, 85, 255),   RGB(85, 255, 85),
        RGB(85, 255, 255),  RGB(255, 85, 85),   RGB(255, 85, 255),  RGB(255, 255, 85),  RGB(255, 255, 255)};
    for (int k = 0; k < 35; ++k) t(221 + k, 1) = kFijos[k];
}

void Rampas(TablaPaletas& t) {
    for (int k = 0; k <= 255; ++k) {
        t(k, 2) = RGB(255, 255 - k, 255 - k);
        t(k, 3) = RGB(255 - k, 255, 255 - k);
        t(k, 5) = RGB(255 - k, 255 - k, 255 - k);
    }
    // White through cyan to blue.
    t(0, 4) = RGB(255, 255, 255);
    for (int k = 1; k <= 114; ++k) t(k, 4) = RGB(255 - 2 * k, 255, 255);
    for (int k = 115; k <= 127; ++k) t(k, 4) = RGB(128 - k, 255, 255);
    for (int k = 128; k <= 254; ++k) t(k, 4) = RGB(0, 509 - 2 * k, 255);
    t(255, 4) = RGB(0, 0, 255);
}

void MarronVerdeAzul(TablaPaletas& t) {
    std::array<Color, 256> m{};
    for (int j = 0; j <= 223; ++j) m[j] = RGB(Cercano(128.0 - 128.0 * j / 223.0), Cercano(255.0 * j / 223.0), 0);
    for (int j = 224; j <= 255; ++j)
        m[j] = RGB(std::max(0, 128 - 4 * (j - 223)), std::max(0, 255 - 8 * (j - 223)), 255);
    t(0, 6) = RGB(255, 255, 255);
    for (int k = 1; k <= 255; ++k) t(k, 6) = m[256 - k];
}

void Colorines(TablaPaletas& t, uint64_t& azar) {
    auto canal = [&azar] { return static_cast<int>(std::floor(Aleatorio(azar) * 255.0 + 1.0)); };
    for (int k = 0; k <= 255; ++k) {
        Color c;
        bool repetido;
        do {
            int r = canal(), g = canal(), b = canal();
            c = RGB(r, g, b);
            repetido = std::find(t.p[7].begin(), t.p[7].begin() + k, c) != t.p[7].begin() + k;
        } while (repetido);
        t(k, 7) = c;
    }
}

int Entero16(double v) {
    // Class bounds are integral in practice; keep any value inside the 16-bit range.
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(v), -32768.0, 32767.0));
}

void Personalizada(const Parametros& par, TablaPaletas& t) {
    int contador = 0;
    const int clases = std::clamp<int>(par.NroClases, 0, 6);
    for (int k = 0; k < clases && contador <= 255; ++k) {
        const int primero = k == 0 ? 0 : Entero16(par.hastaPixel[k - 1]) + 1;
        const int ultimo = Entero16(par.hastaPixel[k]);
        const int ra = par.colorRa[k], ga = par.colorGa[k], ba = par.colorBa[k];
        const int rb = par.colorRb[k], gb = par.colorGb[k], bb = par.colorBb[k];
        auto canal = [](int v) { return std::clamp(v, 0, 255); };
        if (primero == ultimo) {
            t(contador++, 8) = RGB(canal(ra), canal(ga), canal(ba));
            continue;
        }
        const int n = ultimo - primero;
        // A table needing more than 256 levels stops at level 255.
        for (int i = 0; i <= n && contador <= 255; ++i) {
            const double f = static_cast<double>(i) / n;
            t(contador++, 8) = RGB(canal(Cercano(f * (rb - ra) + ra)), canal(Cercano(f * (gb - ga) + ga)),
                                   canal(Cercano(f * (bb - ba) + ba)));
        }
    }
}

void Azul16(TablaPaletas& t) {
    t.p[9].fill(RGB(255, 255, 255));
    static constexpr Color k16[16] = {RGB(255, 255, 255), RGB(0, 0, 0),     RGB(180, 255, 255), RGB(144, 255, 255),
                                      RGB(108, 255, 255), RGB(72, 255, 255), RGB(36, 255, 255),  RGB(0, 255, 255),
                                      RGB(0, 216, 255),   RGB(0, 180, 255),  RGB(0, 144, 255),   RGB(0, 108, 255),
                                      RGB(0, 72, 255),    RGB(0, 36, 255),   RGB(0, 0, 255),     RGB(0, 0, 0)};
    std::copy(std::begin(k16), std::end(k16), t.p[9].begin());
}

}  // namespace

double Aleatorio(uint64_t& azar) {
    azar = azar * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(azar >> 11) * (1.0 / 9007199254740992.0);
}

void CargarPaletas(const Parametros& par, bool invertir, uint64_t& azar, TablaPaletas& t) {
    t = TablaPaletas{};
    Composicion(t);
    Rampas(t);
    MarronVerdeAzul(t);
    Colorines(t, azar);
    Personalizada(par, t);
    Azul16(t);
    if (invertir) {
        for (int p = 1; p <= 8; ++p) std::reverse(t.p[p].begin(), t.p[p].end());
        std::reverse(t.p[9].begin(), t.p[9].begin() + 16);
    }
}

}  // namespace tarno::visor
