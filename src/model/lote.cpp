#include "model/lote.h"

#include <cmath>
#include <cstdio>

#include "model/campos.h"
#include "model/parametros_texto.h"
#include "model/resumen.h"

namespace tarno {
namespace {

bool Blanco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Recortar(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && Blanco(s[a])) ++a;
    while (b > a && Blanco(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// Cells of one line: blanks around a cell dropped, a double-quoted cell kept
// as written inside its quotes (a doubled quote is one quote).
std::vector<std::string> Celdas(const std::string& linea, char sep) {
    std::vector<std::string> celdas;
    size_t i = 0;
    const size_t n = linea.size();
    while (true) {
        while (i < n && (linea[i] == ' ' || linea[i] == '\t')) ++i;
        std::string celda;
        if (i < n && linea[i] == '"') {
            ++i;
            while (i < n) {
                if (linea[i] == '"') {
                    if (i + 1 < n && linea[i + 1] == '"') {
                        celda += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                celda += linea[i++];
            }
            // Anything between the closing quote and the separator is kept.
            size_t fin = linea.find(sep, i);
            celda += Recortar(linea.substr(i, fin == std::string::npos ? std::string::npos : fin - i));
            i = fin;
        } else {
            size_t fin = linea.find(sep, i);
            celda = Recortar(linea.substr(i, fin == std::string::npos ? std::string::npos : fin - i));
            i = fin;
        }
        celdas.push_back(celda);
        if (i == std::string::npos || i >= n) break;
        ++i;  // past the separator
        if (i == n) {
            celdas.emplace_back();
            break;
        }
    }
    return celdas;
}

bool LineaVacia(const std::string& linea) {
    const std::string r = Recortar(linea);
    return r.empty() || r[0] == '#';
}

std::string CeldaCsv(const std::string& v, char sep) {
    const bool comillas = v.find_first_of(std::string("\"\r\n") + sep) != std::string::npos ||
                          (!v.empty() && (Blanco(v.front()) || Blanco(v.back())));
    if (!comillas) return v;
    std::string s = "\"";
    for (char c : v) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + '"';
}

}  // namespace

Resultado LeerTablaEscenarios(const std::string& texto, TablaEscenarios& tabla) {
    tabla = TablaEscenarios{};
    size_t a = 0;
    if (texto.compare(0, 3, "\xEF\xBB\xBF") == 0) a = 3;  // UTF-8 byte-order mark
    bool cabecera = false;
    int linea = 0;
    while (a < texto.size()) {
        size_t b = texto.find('\n', a);
        if (b == std::string::npos) b = texto.size();
        const std::string l = texto.substr(a, b - a);
        a = b + 1;
        ++linea;
        if (LineaVacia(l)) continue;
        if (!cabecera) {
            size_t comas = 0, puntoYComa = 0;
            for (char c : l) {
                comas += c == ',';
                puntoYComa += c == ';';
            }
            tabla.separador = puntoYComa > comas ? ';' : ',';
            tabla.columnas = Celdas(l, tabla.separador);
            bool hayNombre = false;
            for (size_t k = 0; k < tabla.columnas.size(); ++k) {
                const std::string& c = tabla.columnas[k];
                for (size_t j = 0; j < k; ++j)
                    if (tabla.columnas[j] == c)
                        return Resultado::Falla("línea " + std::to_string(linea) + ": columna repetida: " + c);
                if (c == kColumnaNombre) {
                    hayNombre = true;
                    tabla.columnaNombre = k;
                } else if (c != kColumnaPluviograma && !BuscarCampo(c)) {
                    return Resultado::Falla("línea " + std::to_string(linea) + ": columna desconocida: \"" + c +
                                            "\" (se esperaba Nombre, Pluviograma o un campo de parámetros)");
                }
            }
            if (!hayNombre) return Resultado::Falla("línea " + std::to_string(linea) + ": falta la columna Nombre");
            cabecera = true;
            continue;
        }
        tabla.filas.push_back({linea, Celdas(l, tabla.separador)});
    }
    if (!cabecera) return Resultado::Falla("la tabla de escenarios está vacía");
    return Resultado::Bien();
}

std::string ProblemaNombreEscenario(const std::string& nombre) {
    if (nombre.empty()) return "falta el nombre del escenario";
    if (nombre == "." || nombre == "..") return "nombre de escenario inválido: " + nombre;
    for (unsigned char c : nombre)
        if (c < 0x20 || std::string("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return "el nombre de escenario no puede llevar / \\ : * ? \" < > |: " + nombre;
    if (nombre[0] == '_' || nombre.rfind("lote_", 0) == 0)
        return "los nombres que empiezan con _ o lote_ quedan para los archivos del lote: " + nombre;
    return {};
}

Escenario ArmarEscenario(const TablaEscenarios& tabla, int fila, const Parametros& base,
                         const std::string& pluviogramaBase) {
    Escenario e;
    e.fila = fila;
    e.par = base;
    e.pluviograma = pluviogramaBase;
    if (fila < 1 || static_cast<size_t>(fila) > tabla.filas.size()) {
        e.error = "no hay escenario " + std::to_string(fila);
        return e;
    }
    const TablaEscenarios::Fila& f = tabla.filas[static_cast<size_t>(fila - 1)];
    e.linea = f.linea;
    if (f.celdas.size() != tabla.columnas.size()) {
        e.error = "se esperaban " + std::to_string(tabla.columnas.size()) + " valores y hay " +
                  std::to_string(f.celdas.size());
        if (tabla.columnaNombre < f.celdas.size()) e.nombre = f.celdas[tabla.columnaNombre];
        return e;
    }
    e.nombre = f.celdas[tabla.columnaNombre];
    if (std::string p = ProblemaNombreEscenario(e.nombre); !p.empty()) {
        e.error = p;
        return e;
    }
    for (int k = 1; k < fila; ++k) {
        const TablaEscenarios::Fila& otra = tabla.filas[static_cast<size_t>(k - 1)];
        if (tabla.columnaNombre < otra.celdas.size() && otra.celdas[tabla.columnaNombre] == e.nombre) {
            e.error = "el nombre " + e.nombre + " ya está en la línea " + std::to_string(otra.linea);
            return e;
        }
    }
    for (size_t k = 0; k < tabla.columnas.size(); ++k) {
        if (k == tabla.columnaNombre || f.celdas[k].empty()) continue;
        if (tabla.columnas[k] == kColumnaPluviograma) {
            e.pluviograma = f.celdas[k];
            continue;
        }
        if (Resultado r = AsignarCampo(e.par, tabla.columnas[k], f.celdas[k]); !r) {
            e.error = r.mensaje;
            return e;
        }
    }
    if (Resultado r = ValidarParametros(e.par); !r) e.error = r.mensaje;
    return e;
}

std::vector<std::string> ClavesResumen() {
    std::vector<std::pair<std::string, std::string>> pares;
    LeerJsonPlano(TextoResumenJson(ResumenCorrida{}), pares);
    std::vector<std::string> claves;
    for (auto& p : pares) claves.push_back(p.first);
    return claves;
}

namespace {

class LectorJson {
public:
    explicit LectorJson(const std::string& t) : t_(t) {}

    void Saltar() {
        while (i_ < t_.size() && Blanco(t_[i_])) ++i_;
    }
    bool Es(char c) {
        Saltar();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Fin() {
        Saltar();
        return i_ == t_.size();
    }
    bool Cadena(std::string& s) {
        s.clear();
        if (!Es('"')) return false;
        while (i_ < t_.size()) {
            char c = t_[i_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                s += c;
                continue;
            }
            if (i_ >= t_.size()) return false;
            c = t_[i_++];
            switch (c) {
                case '"':
                case '\\':
                case '/': s += c; break;
                case 'b': s += '\b'; break;
                case 'f': s += '\f'; break;
                case 'n': s += '\n'; break;
                case 'r': s += '\r'; break;
                case 't': s += '\t'; break;
                case 'u': {
                    if (i_ + 4 > t_.size()) return false;
                    unsigned u = 0;
                    for (int k = 0; k < 4; ++k) {
                        const char h = t_[i_++];
                        u <<= 4;
                        if (h >= '0' && h <= '9')
                            u |= static_cast<unsigned>(h - '0');
                        else if (h >= 'a' && h <= 'f')
                            u |= static_cast<unsigned>(h - 'a' + 10);
                        else if (h >= 'A' && h <= 'F')
                            u |= static_cast<unsigned>(h - 'A' + 10);
                        else
                            return false;
                    }
                    // Basic plane only, as UTF-8.
                    if (u < 0x80) {
                        s += static_cast<char>(u);
                    } else if (u < 0x800) {
                        s += static_cast<char>(0xC0 | (u >> 6));
                        s += static_cast<char>(0x80 | (u & 0x3F));
                    } else {
                        s += static_cast<char>(0xE0 | (u >> 12));
                        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                        s += static_cast<char>(0x80 | (u & 0x3F));
                    }
                    break;
                }
                default: return false;
            }
        }
        return false;
    }
    bool Valor(std::string& v) {
        Saltar();
        if (i_ >= t_.size()) return false;
        if (t_[i_] == '"') return Cadena(v);
        for (const char* palabra : {"true", "false", "null"}) {
            const std::string p = palabra;
            if (t_.compare(i_, p.size(), p) == 0) {
                i_ += p.size();
                v = p == "null" ? "" : p;
                return true;
            }
        }
        const size_t a = i_;
        while (i_ < t_.size() && std::string("+-.0123456789eE").find(t_[i_]) != std::string::npos) ++i_;
        if (i_ == a) return false;
        v = t_.substr(a, i_ - a);
        return true;
    }

private:
    const std::string& t_;
    size_t i_ = 0;
};

}  // namespace

bool LeerJsonPlano(const std::string& texto, std::vector<std::pair<std::string, std::string>>& pares) {
    pares.clear();
    LectorJson in(texto);
    if (!in.Es('{')) return false;
    if (in.Es('}')) return in.Fin();
    while (true) {
        std::string clave, valor;
        if (!in.Cadena(clave) || !in.Es(':') || !in.Valor(valor)) return false;
        pares.emplace_back(std::move(clave), std::move(valor));
        if (in.Es(',')) continue;
        if (in.Es('}')) return in.Fin();
        return false;
    }
}

std::string TextoResumenLote(const TablaEscenarios& tabla, const std::vector<std::string>& resumenes,
                             int* filasEscritas) {
    const char sep = tabla.separador;
    const std::vector<std::string> claves = ClavesResumen();
    std::string s = kColumnaNombre;
    for (size_t k = 0; k < tabla.columnas.size(); ++k)
        if (k != tabla.columnaNombre) s += sep + CeldaCsv(tabla.columnas[k], sep);
    for (const std::string& c : claves) s += sep + c;
    s += '\n';
    int escritas = 0;
    std::vector<std::pair<std::string, std::string>> pares;
    for (size_t f = 0; f < tabla.filas.size() && f < resumenes.size(); ++f) {
        if (resumenes[f].empty() || !LeerJsonPlano(resumenes[f], pares)) continue;
        const std::vector<std::string>& celdas = tabla.filas[f].celdas;
        auto celda = [&](size_t k) { return k < celdas.size() ? celdas[k] : std::string(); };
        s += CeldaCsv(celda(tabla.columnaNombre), sep);
        for (size_t k = 0; k < tabla.columnas.size(); ++k)
            if (k != tabla.columnaNombre) s += sep + CeldaCsv(celda(k), sep);
        for (const std::string& c : claves) {
            s += sep;
            for (const auto& [clave, valor] : pares)
                if (clave == c) {
                    s += CeldaCsv(valor, sep);
                    break;
                }
        }
        s += '\n';
        ++escritas;
    }
    if (filasEscritas) *filasEscritas = escritas;
    return s;
}

std::string TextoDuracion(double segundos) {
    long long t = std::isfinite(segundos) && segundos > 0 ? std::llround(segundos) : 0;
    char b[48];
    std::snprintf(b, sizeof b, "%lld:%02lld:%02lld", t / 3600, (t / 60) % 60, t % 60);
    return b;
}

std::string TextoProgresoLote(int hechos, int total, int enCurso, int fallidos, double segundos) {
    std::string s = "lote: " + std::to_string(hechos) + "/" + std::to_string(total) + " escenarios, " +
                    std::to_string(enCurso) + " en curso";
    if (fallidos > 0) s += ", " + std::to_string(fallidos) + " con fallas";
    s += ", " + TextoDuracion(segundos);
    if (hechos > 0 && hechos < total) s += ", quedan ~" + TextoDuracion(segundos / hechos * (total - hechos));
    return s;
}

}  // namespace tarno
