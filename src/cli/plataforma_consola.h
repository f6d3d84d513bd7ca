// Platform for the command line: messages go to standard error, questions are
// answered with their affirmative button, there are no dialogs.
#pragma once

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/plataforma.h"

namespace tarno::cli {

class PlataformaConsola : public Plataforma {
public:
    Respuesta Mensaje(const std::string& texto, const std::string& titulo, Icono,
                      Botones botones) override {
        if (titulo.empty()) std::fprintf(stderr, "%s\n", texto.c_str());
        else std::fprintf(stderr, "[%s] %s\n", titulo.c_str(), texto.c_str());
        return botones == Botones::SiNo ? Respuesta::Si : Respuesta::Aceptar;
    }
    std::string Entrada(const std::string&, const std::string&, const std::string& porDefecto) override {
        return porDefecto;
    }
    std::string AbrirArchivo(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    double Hora() override {
        using namespace std::chrono;
        auto ahora = system_clock::now();
        std::time_t t = system_clock::to_time_t(ahora);
        std::tm local{};
        localtime_r(&t, &local);
        double frac = duration<double>(ahora.time_since_epoch()).count();
        frac -= std::floor(frac);
        return (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + frac) / 86400.0;
    }
};

}  // namespace tarno::cli
