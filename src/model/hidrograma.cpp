#include "model/hidrograma.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "model/lluvia.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {

Resultado LeerHidrograma(const std::string& ruta, ArchivoHidrograma& h) {
    h = ArchivoHidrograma{};
    LectorDelimitado in;
    if (!in.Abrir(ruta)) return Resultado::Falla("No se pudo abrir el archivo de hidrograma " + ruta);
    const Resultado malo = Resultado::Falla("El archivo " + ruta + " no es un hidrograma de TARNO-SIG (_Qt.rkd)");
    std::string etiqueta;
    auto texto = [&](std::string& v) { return in.LeerTexto(etiqueta) && in.LeerTexto(v); };
    auto flotante = [&](float& v) { return in.LeerTexto(etiqueta) && in.LeerFloat(v); };
    auto entero = [&](int32_t& v) { return in.LeerTexto(etiqueta) && in.LeerEntero32(v); };
    if (!texto(h.Titulo) || etiqueta.rfind("Título", 0) != 0) return malo;
    if (!texto(h.Subtitulo) || !entero(h.Fila) || !entero(h.Columna) || !flotante(h.QMin) || !flotante(h.QMax) ||
        !flotante(h.PasoPp) || !entero(h.PasoQ) || !flotante(h.Escorrentia) || !flotante(h.NivelMax))
        return malo;
    while (!in.AlFinal()) {
        int32_t k;
        float q;
        if (!in.LeerEntero32(k) || !in.LeerFloat(q)) return malo;
        h.Caudales.push_back(q);
    }
    return Resultado::Bien();
}

namespace {

// The number after `clave` in `s` (blanks skipped, up to the next blank or
// unit letter); false when the key is missing or no number follows.
bool NumeroTras(const std::string& s, const std::string& clave, double& v) {
    const size_t p = s.find(clave);
    if (p == std::string::npos) return false;
    size_t a = s.find_first_not_of(' ', p + clave.size());
    if (a == std::string::npos) return false;
    size_t b = a;
    while (b < s.size() &&
           (std::isdigit(static_cast<unsigned char>(s[b])) || s[b] == '.' || s[b] == '-' || s[b] == 'E' || s[b] == '+'))
        ++b;
    return b > a && ConvertirDouble(s.substr(a, b - a), v);
}

}  // namespace

bool TormentaDeSubtitulo(const std::string& subtitulo, Parametros& par) {
    double pp, dur, paso, nPer;
    if (subtitulo.rfind("Pp=", 0) != 0 || !NumeroTras(subtitulo, "Pp=", pp) || !NumeroTras(subtitulo, "D=", dur) ||
        !NumeroTras(subtitulo, "Paso=", paso) || !NumeroTras(subtitulo, "Nro.Per.=", nPer))
        return false;
    if (!(dur > 0 && dur <= 32767 && paso > 0 && nPer >= 0 && nPer <= 2147483647.0)) return false;
    par.Pp = static_cast<float>(pp);
    par.Dur = static_cast<int16_t>(dur);
    par.PasoPp = static_cast<float>(paso);
    par.nPer = static_cast<int32_t>(nPer);
    par.PpArchivo = false;
    return true;
}

std::string TextoCifra(double v, int cifras) {
    if (!std::isfinite(v)) return "sin dato";
    int decimales = 0;
    if (v != 0) decimales = cifras - 1 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
    if (decimales < 0) decimales = 0;
    if (decimales > 6) decimales = 6;
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimales, v);
    std::string s = b;
    // Trailing zeros of the decimals say nothing.
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

GraficoHidrograma ArmarGraficoHidrograma(const ArchivoHidrograma& h, const std::vector<float>& lluvias,
                                         const ResumenCorrida* resumen) {
    GraficoHidrograma g;
    g.titulo = "Hidrograma en la sección";
    g.subtitulo = h.Subtitulo;
    const std::string pie = ": Hidrograma en Pixel";
    if (g.subtitulo.size() >= pie.size() && g.subtitulo.compare(g.subtitulo.size() - pie.size(), pie.size(), pie) == 0)
        g.subtitulo.erase(g.subtitulo.size() - pie.size());
    if (h.Fila > 0 && h.Columna > 0)
        g.subtitulo += (g.subtitulo.empty() ? "" : "  -  ") + std::string("sección desde fila ") +
                       std::to_string(h.Fila) + ", columna " + std::to_string(h.Columna);
    size_t n = h.Caudales.size();
    if (n > 0 && h.Caudales.back() == 0) --n;  // the closing zero of the resampling
    g.caudal.push_back({0, 0});
    for (size_t k = 1; k <= n; ++k) {
        const PuntoGrafico p{static_cast<double>(k) * h.PasoQ, static_cast<double>(h.Caudales[k - 1])};
        g.caudal.push_back(p);
        if (!g.hayPico || p.v > g.pico.v) {
            g.pico = p;
            g.hayPico = true;
        }
    }
    g.pasoLluvia = h.PasoPp;
    double lluviaTotal = 0, lluviaMax = 0;
    for (size_t p = 0; p < lluvias.size(); ++p) {
        g.lluvia.push_back({static_cast<double>(p) * h.PasoPp, static_cast<double>(lluvias[p])});
        lluviaTotal += lluvias[p];
        lluviaMax = std::max(lluviaMax, static_cast<double>(lluvias[p]));
    }

    if (g.hayPico)
        g.balance.push_back("Caudal pico del hidrograma: " + TextoCifra(g.pico.v) + " m3/s a los " +
                            TextoCifra(g.pico.t) + " min (muestras cada " + std::to_string(h.PasoQ) + " min)");
    if (h.QMax >= h.QMin)
        g.balance.push_back("Caudal máximo en la sección (paso de cálculo de " + TextoCifra(h.PasoPp) +
                            " min): " + TextoCifra(h.QMax) +
                            " m3/s  -  volumen escurrido por la sección: " + TextoCifra(h.Escorrentia) + " m3");
    if (!g.lluvia.empty())
        g.balance.push_back("Lluvia: " + TextoCifra(lluviaTotal) + " mm en total, hasta " + TextoCifra(lluviaMax) +
                            " mm por paso");
    if (resumen) {
        const ResumenCorrida& r = *resumen;
        std::string b = "Balance [m3]: lluvia caída " + TextoCifra(r.lluvia, 6);
        if (r.perdidas != 0) b += "  -  pérdidas " + TextoCifra(r.perdidas, 6);
        if (r.salidaBorde != 0) b += "  -  salida por el borde " + TextoCifra(r.salidaBorde, 6);
        b += "  -  almacenado " + TextoCifra(r.almacenado, 6) + "  -  diferencia " + TextoCifra(r.diferencia, 4);
        if (r.lluvia > 0) b += " (" + TextoCifra(r.diferencia / r.lluvia * 100.0, 3) + " %)";
        g.balance.push_back(b);
    }
    return g;
}

}  // namespace tarno

namespace tarno {

std::vector<float> LluviasDelHidrograma(const ArchivoHidrograma& h, const Pluviograma* pv) {
    if (!(h.PasoPp > 0)) return {};
    // Periods past the samples are not drawn: a file's subtitle may name any
    // count, its samples say how long the run was.
    const double minutos = static_cast<double>(h.Caudales.size() + 1) * std::max(h.PasoQ, 0);
    const double cubiertos = std::min(4e6, std::ceil(minutos / h.PasoPp));
    Parametros par;
    if (TormentaDeSubtitulo(h.Subtitulo, par)) {
        par.PasoPp = h.PasoPp;
        par.nPer = static_cast<int32_t>(std::min<double>(par.nPer, cubiertos));
        return LluviasDeLosPeriodos(par, Pluviograma{});
    }
    if (pv && !pv->Titulo.empty() && pv->Titulo == h.Subtitulo) {
        par.PpArchivo = true;
        par.PasoPp = h.PasoPp;
        par.nPer = static_cast<int32_t>(cubiertos);
        return LluviasDeLosPeriodos(par, *pv);
    }
    return {};
}

}  // namespace tarno
