#include "model/informe.h"

#include <utility>

#include "model/hidrograma.h"
#include "model/resultados.h"

namespace tarno {

std::string NombreInforme(const Parametros& par) { return BaseResultados(par) + "_informe.html"; }

std::string Base64(std::string_view bytes) {
    static const char* const kTabla = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string s;
    s.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        s += kTabla[v >> 18];
        s += kTabla[(v >> 12) & 63];
        s += kTabla[(v >> 6) & 63];
        s += kTabla[v & 63];
    }
    if (i < bytes.size()) {
        uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        s += kTabla[v >> 18];
        s += kTabla[(v >> 12) & 63];
        s += i + 1 < bytes.size() ? kTabla[(v >> 6) & 63] : '=';
        s += '=';
    }
    return s;
}

std::string EscaparHtml(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto) {
        switch (c) {
            case '&': s += "&amp;"; break;
            case '<': s += "&lt;"; break;
            case '>': s += "&gt;"; break;
            case '"': s += "&quot;"; break;
            default: s += c;
        }
    }
    return s;
}

namespace {

// The value of `clave` in the summary's JSON text, as written there.
std::string ValorJson(const std::string& json, const std::string& clave) {
    const std::string buscar = "\"" + clave + "\": ";
    const size_t p = json.find(buscar);
    if (p == std::string::npos) return {};
    const size_t a = p + buscar.size();
    size_t b = json.find_first_of(",\n", a);
    return json.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

const char* const kEstilo = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; color: #222; margin: 2em auto; max-width: 62em; padding: 0 1em; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; }
h2 { font-size: 1.2em; border-bottom: 1px solid #999; padding-bottom: 0.2em; margin-top: 1.6em; }
p.fecha { color: #555; margin-top: 0; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #bbb; padding: 0.25em 0.7em; text-align: left; vertical-align: top; }
td.num { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
th { background: #eee; }
figure { margin: 1em 0; page-break-inside: avoid; break-inside: avoid; }
figure img { max-width: 100%; height: auto; border: 1px solid #ccc; }
figcaption { font-size: 0.9em; color: #444; margin-top: 0.3em; }
@media print { body { margin: 0; max-width: none; } h2 { page-break-after: avoid; break-after: avoid; } }
)";

class Tabla {
public:
    explicit Tabla(std::string& s) : s_(s) { s_ += "<table>\n"; }
    ~Tabla() { s_ += "</table>\n"; }
    void Fila(const std::string& nombre, const std::string& valor) {
        s_ += "<tr><th>" + EscaparHtml(nombre) + "</th><td>" + EscaparHtml(valor) + "</td></tr>\n";
    }
    // A figure of the summary: the shown value and, as data, the summary's own text of it.
    void Cifra(const std::string& nombre, const std::string& clave, const std::string& json, const std::string& valor,
               const std::string& unidad) {
        s_ += "<tr><th>" + EscaparHtml(nombre) + "</th><td class=\"num\" data-clave=\"" + clave + "\" data-valor=\"" +
              EscaparHtml(ValorJson(json, clave)) + "\">" + EscaparHtml(valor) + "</td><td>" + EscaparHtml(unidad) +
              "</td></tr>\n";
    }

private:
    std::string& s_;
};

std::string Entero(int64_t v) { return std::to_string(v); }

}  // namespace

std::string TextoInformeHtml(const DatosInforme& d) {
    const Parametros par = d.par ? *d.par : Parametros{};
    const ResumenCorrida& r = d.resumen;
    const std::string json = TextoResumenJson(r);
    std::string nombre = d.archivoDEM;
    if (const size_t p = nombre.find_last_of("/\\"); p != std::string::npos) nombre = nombre.substr(p + 1);

    std::string s = "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n";
    s += "<title>Informe de corrida - " + EscaparHtml(nombre) + "</title>\n";
    s += "<style>" + std::string(kEstilo) + "</style>\n</head>\n<body>\n";
    s += "<h1>TARNO-SIG: informe de la corrida</h1>\n";
    s += "<p class=\"fecha\">" + EscaparHtml(nombre) + (d.fecha.empty() ? "" : "  -  " + EscaparHtml(d.fecha)) +
         "</p>\n";

    s += "<h2>Parámetros de la corrida</h2>\n";
    {
        Tabla t(s);
        t.Fila("Archivo MDT", d.archivoDEM);
        t.Fila("Grilla", Entero(d.filas) + " filas x " + Entero(d.columnas) + " columnas, celdas de " +
                             TextoCifra(par.ResolucionX) + " x " + TextoCifra(par.ResolucionY) + " m");
        if (par.Metodo == 1) {
            t.Fila("Método", "Flujo superficial laminar y turbulento en canal");
            t.Fila("Rugosidad",
                   "n de Manning " + TextoCifra(par.Manning) + ", factor de resistencia " + TextoCifra(par.FactorRes));
        } else {
            t.Fila("Método", par.Metodo == 0 ? "Cascada" : "ninguno (Metodo=" + Entero(par.Metodo) + ")");
            t.Fila("Constante de recesión Kr", TextoCifra(par.KRecesion) + " min");
        }
        if (par.PpArchivo && d.pluviograma) {
            const Pluviograma& pv = *d.pluviograma;
            t.Fila("Tormenta", "pluviograma \"" + pv.Titulo + "\": " + TextoCifra(pv.LluviaTotal) + " mm, " +
                                   Entero(pv.NroDatos) + " puntos cada " + Entero(pv.Paso) + " min");
        } else {
            t.Fila("Tormenta", "de diseño: " + TextoCifra(par.Pp) + " mm en " + Entero(par.Dur) + " min" +
                                   (par.Rec > 0 ? ", recurrencia " + Entero(par.Rec) + " años" : ""));
        }
        t.Fila("Pasos", "cálculo " + TextoCifra(par.PasoPp) + " min, salidas " + Entero(par.PasoQ) + " min, " +
                            Entero(par.nPer) + " períodos (" + TextoCifra(par.PasoPp * par.nPer) + " min)");
        if (par.fHidro1 > 0 && par.cHidro1 > 0)
            t.Fila("Sección del hidrograma", "fila " + Entero(par.fHidro1) + ", columna " + Entero(par.cHidro1) +
                                                 " a fila " + Entero(par.fHidro2) + ", columna " + Entero(par.cHidro2));
        else
            t.Fila("Sección del hidrograma", "ninguna");
        if (par.AreaPp == 1)
            t.Fila("Área de lluvia", "filas " + Entero(par.Py1) + " a " + Entero(par.Py2) + ", columnas " +
                                         Entero(par.Px1) + " a " + Entero(par.Px2));
    }

    s += "<h2>Balance de volumen</h2>\n";
    {
        Tabla t(s);
        t.Cifra("Corrida", "corrida", json, r.completa ? "completa" : "abandonada", "");
        t.Cifra("Períodos calculados", "periodos", json, Entero(r.periodos) + " de " + Entero(r.periodosPedidos), "");
        t.Cifra("Lluvia caída", "lluvia_m3", json, TextoCifra(r.lluvia, 7), "m3");
        t.Cifra("Pérdidas", "perdidas_m3", json, TextoCifra(r.perdidas, 7), "m3");
        t.Cifra("Salida por el borde", "salida_borde_m3", json, TextoCifra(r.salidaBorde, 7), "m3");
        t.Cifra("Almacenado en superficie", "almacenado_m3", json, TextoCifra(r.almacenado, 7), "m3");
        std::string dif = TextoCifra(r.diferencia, 4);
        if (r.lluvia > 0) dif += " (" + TextoCifra(r.diferencia / r.lluvia * 100.0, 3) + " %)";
        t.Cifra("Diferencia", "diferencia_m3", json, dif, "m3");
        t.Cifra("Caudal máximo en la sección", "caudal_max_seccion_m3s", json,
                r.qMaxSeccion ? TextoCifra(*r.qMaxSeccion) : "sin dato", "m3/s");
        t.Cifra("Caudal máximo en una celda", "caudal_max_celda_m3s", json,
                r.qMaxCelda ? TextoCifra(*r.qMaxCelda) : "sin dato", "m3/s");
        t.Cifra("Profundidad máxima en una celda", "altura_max_m", json,
                r.alturaMax ? TextoCifra(*r.alturaMax) : "sin dato", "m");
        t.Cifra("Tiempo de cálculo", "segundos", json, TextoCifra(r.segundos, 3), "s");
    }

    for (const ImagenInforme& im : d.imagenes) {
        s += "<h2>" + EscaparHtml(im.titulo) + "</h2>\n";
        if (im.png.empty()) {
            s += "<p>" + EscaparHtml(im.pie) + "</p>\n";
            continue;
        }
        s += "<figure>\n<img alt=\"" + EscaparHtml(im.titulo) + "\"";
        if (im.ancho > 0 && im.alto > 0) s += " width=\"" + Entero(im.ancho) + "\" height=\"" + Entero(im.alto) + "\"";
        s += " src=\"data:image/png;base64," + Base64(im.png) + "\">\n";
        if (!im.pie.empty()) s += "<figcaption>" + EscaparHtml(im.pie) + "</figcaption>\n";
        s += "</figure>\n";
    }
    s += "</body>\n</html>\n";
    return s;
}

}  // namespace tarno
