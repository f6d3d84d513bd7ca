// Conversion between the program's UTF-8 strings and the Windows-1252 bytes of
// its files.
#pragma once

#include <string>
#include <string_view>

namespace tarno {

/// UTF-8 to Windows-1252. Characters without a Windows-1252 form become '?';
/// U+0081, U+008D, U+008F, U+0090 and U+009D, which stand for the bytes that
/// Windows-1252 leaves undefined, become those bytes again.
std::string Utf8ACp1252(std::string_view utf8);
/// Windows-1252 to UTF-8 (the five undefined bytes become U+0081 etc.), so
/// that any bytes come back unchanged through `Utf8ACp1252`.
std::string Cp1252AUtf8(std::string_view cp);

}  // namespace tarno
