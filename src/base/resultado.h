// Outcome of an operation that can fail with a message for the user.
#pragma once

#include <string>
#include <utility>

namespace tarno {

struct Resultado {
    bool ok = true;
    std::string mensaje;  // Spanish text for the user when !ok

    static Resultado Bien() { return {}; }
    static Resultado Falla(std::string m) { return {false, std::move(m)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace tarno
