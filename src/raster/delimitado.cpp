#include "raster/delimitado.h"

#include <cmath>

#include "raster/archivos.h"
#include "raster/codificacion.h"
#include "raster/numeros.h"

namespace tarno {

bool LectorDelimitado::Abrir(const std::string& ruta) {
    pos_ = 0;
    noNumerico_ = false;
    fueraDeRango_ = false;
    return LeerArchivo(ruta, bytes_);
}

void LectorDelimitado::SaltarBlancos() {
    while (pos_ < bytes_.size()) {
        char c = bytes_[pos_];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') ++pos_;
        else break;
    }
}

bool LectorDelimitado::AlFinal() {
    SaltarBlancos();
    return pos_ >= bytes_.size();
}

// After an item: skips blanks and one comma or one line end.
void LectorDelimitado::SaltarSeparador() {
    while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
    if (pos_ >= bytes_.size()) return;
    if (bytes_[pos_] == ',') {
        ++pos_;
    } else if (bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else if (bytes_[pos_] == '\n') {
        ++pos_;
    }
}

// A quoted item from its opening quote at pos_: the raw bytes with doubled
// quotes undone. It ends at its closing quote (left after it) or, unclosed,
// at the line end.
std::string LectorDelimitado::EntreComillas() {
    std::string out;
    size_t i = pos_ + 1;
    const size_t n = bytes_.size();
    while (i < n) {
        const char c = bytes_[i];
        if (c == '\r' || c == '\n') break;
        if (c == '"') {
            if (i + 1 < n && bytes_[i + 1] == '"') {
                out += '"';
                i += 2;
                continue;
            }
            size_t k = i + 1;
            while (k < n && (bytes_[k] == ' ' || bytes_[k] == '\t')) ++k;
            if (k >= n || bytes_[k] == ',' || bytes_[k] == '\r' || bytes_[k] == '\n') {
                ++i;
                break;
            }
        }
        out += c;
        ++i;
    }
    pos_ = i;
    return out;
}

bool LectorDelimitado::LeerTexto(std::string& out) {
    SaltarBlancos();
    if (pos_ >= bytes_.size()) return false;
    if (bytes_[pos_] == '"') {
        out = Cp1252AUtf8(EntreComillas());
        // Anything up to the next comma or line end is dropped.
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && bytes_[pos_] != '\r' &&
               bytes_[pos_] != '\n')
            ++pos_;
    } else {
        size_t fin = pos_;
        while (fin < bytes_.size() && bytes_[fin] != ',' && bytes_[fin] != '\r' && bytes_[fin] != '\n')
            ++fin;
        size_t f = fin;
        while (f > pos_ && (bytes_[f - 1] == ' ' || bytes_[f - 1] == '\t')) --f;
        out = Cp1252AUtf8(std::string_view(bytes_).substr(pos_, f - pos_));
        pos_ = fin;
    }
    SaltarSeparador();
    return true;
}

std::string_view LectorDelimitado::ItemNumerico(bool& vacio) {
    noNumerico_ = false;
    fueraDeRango_ = false;
    vacio = false;
    SaltarBlancos();
    if (pos_ >= bytes_.size()) return {};
    if (bytes_[pos_] == ',') {
        ++pos_;
        vacio = true;
        return {};
    }
    size_t inicio = pos_;
    if (bytes_[pos_] == '"') {
        comillas_ = EntreComillas();
        SaltarSeparador();
        return comillas_;
    }
    while (pos_ < bytes_.size()) {
        char c = bytes_[pos_];
        if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') break;
        ++pos_;
    }
    std::string_view t = std::string_view(bytes_).substr(inicio, pos_ - inicio);
    SaltarSeparador();
    return t;
}

bool LectorDelimitado::LeerDouble(double& v) {
    bool vacio;
    std::string_view t = ItemNumerico(vacio);
    if (vacio) {
        v = 0;
        return true;
    }
    if (t.empty()) return false;
    double x;
    if (!ConvertirDouble(t, x)) {
        noNumerico_ = true;
        return false;
    }
    if (!std::isfinite(x)) {
        // Beyond the type's range: no value of ours.
        noNumerico_ = fueraDeRango_ = true;
        return false;
    }
    v = x;
    return true;
}

bool LectorDelimitado::LeerFloat(float& v) {
    bool vacio;
    std::string_view t = ItemNumerico(vacio);
    if (vacio) {
        v = 0;
        return true;
    }
    if (t.empty()) return false;
    if (ConvertirFloatCorto(t, v)) return true;
    float x;
    if (!ConvertirFloat(t, x)) {
        noNumerico_ = true;
        return false;
    }
    if (!std::isfinite(x)) {
        // Beyond the type's range: no value of ours.
        noNumerico_ = fueraDeRango_ = true;
        return false;
    }
    v = x;
    return true;
}

bool LectorDelimitado::LeerEntero32(int32_t& v) {
    double d;
    if (!LeerDouble(d)) return false;
    if (!AEntero32(d, v)) {
        noNumerico_ = true;
        return false;
    }
    return true;
}

bool LectorDelimitado::LeerEntero16(int16_t& v) {
    double d;
    if (!LeerDouble(d)) return false;
    if (!AEntero16(d, v)) {
        noNumerico_ = true;
        return false;
    }
    return true;
}

bool LectorDelimitado::LeerLinea(std::string& out) {
    if (pos_ >= bytes_.size()) return false;
    size_t fin = pos_;
    while (fin < bytes_.size() && bytes_[fin] != '\r' && bytes_[fin] != '\n') ++fin;
    out = Cp1252AUtf8(std::string_view(bytes_).substr(pos_, fin - pos_));
    pos_ = fin;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    return true;
}

void EscritorDelimitado::Separar() {
    if (!inicioLinea_) bytes_ += ',';
    inicioLinea_ = false;
}

EscritorDelimitado& EscritorDelimitado::Texto(std::string_view utf8) {
    Separar();
    bytes_ += '"';
    for (char c : Utf8ACp1252(utf8)) {
        if (c == '"') bytes_ += '"';
        bytes_ += (c == '\r' || c == '\n') ? ' ' : c;
    }
    bytes_ += '"';
    return *this;
}

EscritorDelimitado& EscritorDelimitado::Numero(float v) {
    Separar();
    bytes_ += NumeroArchivo(v);
    return *this;
}

EscritorDelimitado& EscritorDelimitado::Numero(double v) {
    Separar();
    bytes_ += NumeroArchivo(v);
    return *this;
}

EscritorDelimitado& EscritorDelimitado::Numero(int64_t v) {
    Separar();
    bytes_ += NumeroArchivo(v);
    return *this;
}

EscritorDelimitado& EscritorDelimitado::FinLinea() {
    bytes_ += "\r\n";
    inicioLinea_ = true;
    return *this;
}

}  // namespace tarno
