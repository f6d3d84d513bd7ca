// Conversion between the program's UTF-8 strings and the Windows-1252 bytes of
// its files.
#pragma once

#include <string>
#include <string_view>

namespace tarno {

/// UTF-8 to Windows-1252. Characters without a Windows-1252 form become '?'.
std::string Utf8ACp1252(std::string_view utf8);
/// Windows-1252 to UTF-8.
std::string Cp1252AUtf8(std::string_view cp);

}  // namespace tarno
