// A fresh temporary folder per test, removed at the end.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tarno::prueba {

class CarpetaTemporal {
public:
    CarpetaTemporal() {
        std::random_device rd;
        ruta_ = std::filesystem::temp_directory_path() /
                ("tarno_prueba_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    /// Folder path ending in the separator.
    std::string Carpeta() const { return ruta_.string() + "/"; }
    std::string Ruta(const std::string& nombre) const { return (ruta_ / nombre).string(); }

    void Escribir(const std::string& nombre, const std::string& bytes) const {
        std::ofstream o(Ruta(nombre), std::ios::binary);
        o << bytes;
    }
    std::string Leer(const std::string& nombre) const {
        std::ifstream i(Ruta(nombre), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(i), {});
    }

private:
    std::filesystem::path ruta_;
};

}  // namespace tarno::prueba
