// Helpers shared by the fuzz targets: a private folder for the files a reader
// needs, a silent platform, the split of one input into several files, and the
// check that stops a target on a broken promise.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/plataforma.h"

namespace tarno::fuzz {

/// Stops the run (libFuzzer keeps the input) when a promise is broken.
#define FUZZ_EXIGIR(condicion)                                                                      \
    do {                                                                                            \
        if (!(condicion)) {                                                                         \
            std::fprintf(stderr, "%s:%d: no se cumple %s\n", __FILE__, __LINE__, #condicion);      \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)

/// A folder of this process, removed at exit. Paths end in '/'.
inline const std::string& Carpeta() {
    static const std::string carpeta = [] {
        // Memory-backed when the system has such a folder: the targets write
        // and read files at every input.
        std::error_code ec;
        const std::filesystem::path raiz = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::filesystem::path p = raiz / ("tarno_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        static const std::filesystem::path borrar = p;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(borrar, ec);
        });
        return p.string() + "/";
    }();
    return carpeta;
}

inline std::string Ruta(const std::string& nombre) { return Carpeta() + nombre; }

inline void Escribir(const std::string& nombre, std::string_view bytes) {
    std::FILE* f = std::fopen(Ruta(nombre).c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

inline void Borrar(const std::string& nombre) { std::remove(Ruta(nombre).c_str()); }

/// The seeds separate the files of one input with this line.
inline constexpr std::string_view kSeparador = "\n#--#\n";

/// Splits an input into exactly `n` parts at the separator; missing parts
/// are empty and the last part keeps any further separators.
inline std::vector<std::string> Partes(const uint8_t* datos, size_t largo, size_t n) {
    std::string_view resto(reinterpret_cast<const char*>(datos), largo);
    std::vector<std::string> partes;
    while (partes.size() + 1 < n) {
        size_t p = resto.find(kSeparador);
        if (p == std::string_view::npos) break;
        partes.emplace_back(resto.substr(0, p));
        resto.remove_prefix(p + kSeparador.size());
    }
    partes.emplace_back(resto);
    partes.resize(n);
    return partes;
}

/// A platform that answers input boxes from a queue and records nothing.
class PlataformaMuda : public Plataforma {
public:
    std::deque<std::string> entradas;
    int mensajes = 0;
    Respuesta Mensaje(const std::string&, const std::string&, Icono, Botones) override {
        ++mensajes;
        return Respuesta::Aceptar;
    }
    std::string Entrada(const std::string&, const std::string&, const std::string& porDefecto) override {
        if (entradas.empty()) return porDefecto;
        std::string r = entradas.front();
        entradas.pop_front();
        return r;
    }
    std::string AbrirArchivo(const std::string&, const std::string&, const std::string&) override { return {}; }
    double Hora() override { return 0.5; }
};

}  // namespace tarno::fuzz
