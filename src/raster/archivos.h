// Whole-file reading and safe writing.
//
// Every writer of the system writes a temporary file beside the target and
// renames it over the target, so a failed write never leaves a truncated file
// and never destroys the previous one.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "base/resultado.h"

namespace tarno {

/// Reads a whole file as bytes. False when it cannot be opened or read.
bool LeerArchivo(const std::string& ruta, std::string& bytes);

/// Writes `bytes` to `ruta` through a temporary file in the same folder and a
/// rename. On failure the target is untouched and no temporary file remains.
Resultado GuardarArchivo(const std::string& ruta, std::string_view bytes);

/// A file written the same safe way in pieces, for files too large to be
/// held whole in memory: the bytes gather in a buffer that goes to a temporary
/// file beside the target, and `Terminar` renames it over the target. A writer
/// dropped before that removes its temporary file.
class ArchivoPorPartes {
public:
    ArchivoPorPartes() = default;
    ArchivoPorPartes(const ArchivoPorPartes&) = delete;
    ArchivoPorPartes& operator=(const ArchivoPorPartes&) = delete;
    ~ArchivoPorPartes() { Descartar(); }

    /// Creates the temporary file of `ruta`.
    Resultado Abrir(const std::string& ruta);
    bool Abierto() const { return f_ != nullptr; }

    /// Room for at least `n` more bytes (n <= kMinimoLibre): the caller writes
    /// them at the pointer returned and then calls Avanzar with the new end.
    char* Espacio(size_t n) {
        if (static_cast<size_t>(fin_ - p_) < n) Vaciar();
        return p_;
    }
    void Avanzar(char* p) { p_ = p; }
    void Escribir(std::string_view bytes);

    /// Writes what is left and closes the temporary file; the target is not
    /// touched yet.
    Resultado Cerrar();
    /// Renames the closed temporary file over the target.
    Resultado Renombrar();
    /// Cerrar and Renombrar.
    Resultado Terminar();
    /// Closes and removes the temporary file, if any.
    void Descartar();

    static constexpr size_t kMinimoLibre = 4096;

private:
    void Vaciar();
    std::string ruta_;
    std::string temporal_;
    std::FILE* f_ = nullptr;
    bool cerrado_ = false;
    int error_ = 0;
    std::unique_ptr<char[]> buffer_;
    char* p_ = nullptr;
    char* fin_ = nullptr;
};

/// Copies a file the same safe way.
Resultado CopiarArchivo(const std::string& origen, const std::string& destino);

bool ExisteArchivo(const std::string& ruta);

/// Splits a path at its last folder separator ('/' or '\'): the folder keeps
/// the separator; the name is the rest.
void SepararRuta(const std::string& ruta, std::string& carpeta, std::string& nombre);

/// The platform's folder separator.
char SeparadorCarpeta();

/// True when `s` ends with `sufijo` (case-sensitive).
bool TerminaEn(std::string_view s, std::string_view sufijo);

}  // namespace tarno
