#include "raster/archivos.h"

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
