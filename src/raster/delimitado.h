// Delimited text records, the form of every text file of the system.
//
// On each line, items are separated by commas; text items are enclosed in
// double quotes (and may hold commas); numbers are plain decimal text and may
// also be separated by blanks. Lines end in CR LF (LF alone is read too). Text
// is stored on disk as Windows-1252 bytes and held in memory as UTF-8.
//
// A double quote inside a text is written twice ("c""d"); a text never spans
// lines, so the writer turns its line ends into blanks. Inside a quoted item
// the reader takes a doubled quote as one quote, and a single quote as the
// closing one only when blanks at most stand between it and a comma or the end
// of the line: a text written without doubling ("c"d") reads back whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarno {

class LectorDelimitado {
public:
    LectorDelimitado() = default;
    explicit LectorDelimitado(std::string bytes) : bytes_(std::move(bytes)) {}

    /// Loads a whole file. False when it cannot be opened.
    bool Abrir(const std::string& ruta);

    /// True when only blanks and line ends are left.
    bool AlFinal();

    /// Next item as text (quoted or not), in UTF-8. False at the end.
    bool LeerTexto(std::string& out);

    /// Next item as a number. False at the end of the data or when the item is
    /// not a number of the type (then `NoNumerico()` is true, and
    /// `FueraDeRango()` too when its magnitude does not fit the type). An
    /// empty item reads as 0.
    bool LeerDouble(double& v);
    bool LeerFloat(float& v);
    /// Integers are read as numbers and rounded half to even; false when the
    /// value does not fit.
    bool LeerEntero32(int32_t& v);
    bool LeerEntero16(int16_t& v);

    /// The rest of the current line (without its line end), in UTF-8.
    bool LeerLinea(std::string& out);

    bool NoNumerico() const { return noNumerico_; }
    bool FueraDeRango() const { return fueraDeRango_; }
    /// Size of the data in bytes.
    size_t Tamano() const { return bytes_.size(); }
    size_t Posicion() const { return pos_; }

private:
    void SaltarBlancos();
    void SaltarSeparador();
    std::string_view ItemNumerico(bool& vacio);
    std::string EntreComillas();

    std::string bytes_;
    std::string comillas_;  // a quoted numeric item, quotes undone
    size_t pos_ = 0;
    bool noNumerico_ = false;
    bool fueraDeRango_ = false;
};

class EscritorDelimitado {
public:
    /// Quoted text item (UTF-8 in memory, Windows-1252 on disk; quotes
    /// doubled, line ends written as blanks).
    EscritorDelimitado& Texto(std::string_view utf8);
    EscritorDelimitado& Numero(float v);
    EscritorDelimitado& Numero(double v);
    EscritorDelimitado& Numero(int64_t v);
    EscritorDelimitado& Numero(int32_t v) { return Numero(static_cast<int64_t>(v)); }
    EscritorDelimitado& Numero(int16_t v) { return Numero(static_cast<int64_t>(v)); }
    /// Ends the line with CR LF.
    EscritorDelimitado& FinLinea();

    const std::string& Bytes() const { return bytes_; }
    std::string& Bytes() { return bytes_; }
    void Reservar(size_t n) { bytes_.reserve(n); }

private:
    void Separar();
    std::string bytes_;
    bool inicioLinea_ = true;
};

}  // namespace tarno
