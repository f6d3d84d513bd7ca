#include "raster/archivos.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace tarno {

bool LeerArchivo(const std::string& ruta, std::string& bytes) {
    std::ifstream in(ruta, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff largo = in.tellg();
    if (largo < 0) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(largo));
    if (largo > 0 && !in.read(bytes.data(), largo)) return false;
    return true;
}

Resultado ArchivoPorPartes::Abrir(const std::string& ruta) {
    Descartar();
    static thread_local std::mt19937_64 azar{std::random_device{}()};
    char sufijo[32];
    std::snprintf(sufijo, sizeof sufijo, ".tmp%08llx",
                  static_cast<unsigned long long>(azar() & 0xFFFFFFFFull));
    ruta_ = ruta;
    temporal_ = ruta + sufijo;
    error_ = 0;
    cerrado_ = false;
    f_ = std::fopen(temporal_.c_str(), "wb");
    if (!f_)
        return Resultado::Falla("No se pudo crear el archivo " + ruta + ": " + std::strerror(errno));
    constexpr size_t kTamano = size_t{1} << 20;
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kTamano);
    p_ = buffer_.get();
    fin_ = p_ + kTamano;
    return Resultado::Bien();
}

void ArchivoPorPartes::Vaciar() {
    const size_t n = static_cast<size_t>(p_ - buffer_.get());
    if (n > 0 && f_ && error_ == 0 && std::fwrite(buffer_.get(), 1, n, f_) != n) error_ = errno ? errno : EIO;
    p_ = buffer_.get();
}

void ArchivoPorPartes::Escribir(std::string_view bytes) {
    while (!bytes.empty()) {
        char* p = Espacio(1);
        const size_t n = std::min(bytes.size(), static_cast<size_t>(fin_ - p));
        std::memcpy(p, bytes.data(), n);
        Avanzar(p + n);
        bytes.remove_prefix(n);
    }
}

Resultado ArchivoPorPartes::Cerrar() {
    if (!f_) return Resultado::Falla("No se pudo escribir el archivo " + ruta_ + ": " + std::strerror(EIO));
    Vaciar();
    bool bien = error_ == 0;
    errno = 0;
    bien = (std::fflush(f_) == 0) && bien;
    int err = error_ ? error_ : errno;
    bien = (std::fclose(f_) == 0) && bien;
    f_ = nullptr;
    if (!bien) {
        std::remove(temporal_.c_str());
        temporal_.clear();
        return Resultado::Falla("No se pudo escribir el archivo " + ruta_ + ": " + std::strerror(err ? err : EIO));
    }
    cerrado_ = true;
    return Resultado::Bien();
}

Resultado ArchivoPorPartes::Renombrar() {
    if (!cerrado_) return Resultado::Falla("No se pudo escribir el archivo " + ruta_ + ": " + std::strerror(EIO));
    cerrado_ = false;
    if (std::rename(temporal_.c_str(), ruta_.c_str()) != 0) {
        int err = errno;
        std::remove(temporal_.c_str());
        temporal_.clear();
        return Resultado::Falla("No se pudo escribir el archivo " + ruta_ + ": " + std::strerror(err));
    }
    temporal_.clear();
    return Resultado::Bien();
}

Resultado ArchivoPorPartes::Terminar() {
    if (Resultado r = Cerrar(); !r) return r;
    return Renombrar();
}

void ArchivoPorPartes::Descartar() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    if (!temporal_.empty()) std::remove(temporal_.c_str());
    temporal_.clear();
    cerrado_ = false;
}

Resultado GuardarArchivo(const std::string& ruta, std::string_view bytes) {
    static thread_local std::mt19937_64 azar{std::random_device{}()};
    char sufijo[32];
    std::snprintf(sufijo, sizeof sufijo, ".tmp%08llx",
                  static_cast<unsigned long long>(azar() & 0xFFFFFFFFull));
    const std::string temporal = ruta + sufijo;
    {
        std::FILE* f = std::fopen(temporal.c_str(), "wb");
        if (!f)
            return Resultado::Falla("No se pudo crear el archivo " + ruta + ": " +
                                    std::strerror(errno));
        bool bien = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        bien = (std::fflush(f) == 0) && bien;
        int err = errno;
        bien = (std::fclose(f) == 0) && bien;
        if (!bien) {
            std::remove(temporal.c_str());
            return Resultado::Falla("No se pudo escribir el archivo " + ruta + ": " +
                                    std::strerror(err ? err : EIO));
        }
    }
    if (std::rename(temporal.c_str(), ruta.c_str()) != 0) {
        int err = errno;
        std::remove(temporal.c_str());
        return Resultado::Falla("No se pudo escribir el archivo " + ruta + ": " + std::strerror(err));
    }
    return Resultado::Bien();
}

Resultado CopiarArchivo(const std::string& origen, const std::string& destino) {
    std::string bytes;
    if (!LeerArchivo(origen, bytes)) return Resultado::Falla("No se pudo leer el archivo " + origen);
    return GuardarArchivo(destino, bytes);
}

bool ExisteArchivo(const std::string& ruta) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ruta, ec);
}

void SepararRuta(const std::string& ruta, std::string& carpeta, std::string& nombre) {
    size_t p = ruta.find_last_of("/\\");
    if (p == std::string::npos) {
        carpeta.clear();
        nombre = ruta;
    } else {
        carpeta = ruta.substr(0, p + 1);
        nombre = ruta.substr(p + 1);
    }
}

char SeparadorCarpeta() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

bool TerminaEn(std::string_view s, std::string_view sufijo) {
    return s.size() >= sufijo.size() && s.substr(s.size() - sufijo.size()) == sufijo;
}

}  // namespace tarno
