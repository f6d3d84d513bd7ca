#include "raster/codificacion.h"

#include <cstdint>

namespace tarno {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 where undefined).
constexpr char32_t kAltos[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AgregarUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ByteDe(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    // The five bytes Windows-1252 leaves undefined are read as U+0081, U+008D,
    // U+008F, U+0090 and U+009D: they go back to the same bytes.
    if (cp < 0xA0 && kAltos[cp - 0x80] == 0) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kAltos[i] == cp && cp != 0) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string Cp1252AUtf8(std::string_view cp) {
    std::string out;
    out.reserve(cp.size());
    for (unsigned char b : cp) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (b < 0xA0) {
            char32_t c = kAltos[b - 0x80];
            AgregarUtf8(out, c ? c : static_cast<char32_t>(b));
        } else {
            AgregarUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ACp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t cp;
        size_t largo;
        if (b < 0x80) {
            cp = b;
            largo = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            largo = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            largo = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            largo = 4;
        } else {
            // Not UTF-8: keep the byte as it is (already single-byte text).
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (i + largo > s.size()) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        bool valido = true;
        for (size_t k = 1; k < largo; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) {
                valido = false;
                break;
            }
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!valido) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        out += ByteDe(cp);
        i += largo;
    }
    return out;
}

}  // namespace tarno
