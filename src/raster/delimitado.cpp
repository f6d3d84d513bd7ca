#include "raster/delimitado.h"

#include "raster/archivos.h"
#include "raster/codificacion.h"
#include "raster/numeros.h"

namespace tarno {

bool LectorDelimitado::Abrir(const std::string& ruta) {
    pos_ = 0;
    noNumerico_ = false;
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

bool LectorDelimitado::LeerTexto(std::string& out) {
    SaltarBlancos();
    if (pos_ >= bytes_.size()) return false;
    if (bytes_[pos_] == '"') {
        size_t cierre = bytes_.find('"', pos_ + 1);
        if (cierre == std::string::npos) cierre = bytes_.size();
        out = Cp1252AUtf8(std::string_view(bytes_).substr(pos_ + 1, cierre - pos_ - 1));
        pos_ = cierre < bytes_.size() ? cierre + 1 : cierre;
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
        size_t cierre = bytes_.find('"', pos_ + 1);
        if (cierre == std::string::npos) cierre = bytes_.size();
        std::string_view t = std::string_view(bytes_).substr(pos_ + 1, cierre - pos_ - 1);
        pos_ = cierre < bytes_.size() ? cierre + 1 : cierre;
        SaltarSeparador();
        return t;
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
    if (!ConvertirDouble(t, v)) {
        noNumerico_ = true;
        return false;
    }
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
    if (!ConvertirFloat(t, v)) {
        noNumerico_ = true;
        return false;
    }
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
    bytes_ += Utf8ACp1252(utf8);
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
