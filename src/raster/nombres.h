// File-name rules of the raster images and of the files named after them.
// An image is a pair of files, base + "_cab.rkd" (header) and base +
// "_dat.rkd" (data); result files, lists, caches and coordinate systems are
// named from a base by cutting a fixed number of characters off the end of a
// name and adding another suffix. Every such cut is made here.
#pragma once

#include <cstddef>
#include <string>

namespace tarno {

/// Length of the image suffixes "_dat.rkd" and "_cab.rkd".
inline constexpr size_t kLargoSufijoImagen = 8;

/// `s` less its last `n` characters; empty when it is shorter.
inline std::string SinUltimos(const std::string& s, size_t n) {
    return s.size() >= n ? s.substr(0, s.size() - n) : std::string();
}

/// Base of an image file name: the name less its "_dat.rkd" or "_cab.rkd"
/// (empty for a shorter name).
inline std::string BaseImagen(const std::string& nombre) { return SinUltimos(nombre, kLargoSufijoImagen); }

/// `s` less its last `n` characters in `out`; false (and `out` untouched)
/// when it is shorter.
inline bool CortarFinal(const std::string& s, size_t n, std::string& out) {
    if (s.size() < n) return false;
    out = s.substr(0, s.size() - n);
    return true;
}

}  // namespace tarno
