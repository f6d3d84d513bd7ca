#include "model/parametros_texto.h"

#include <cstdint>

#include "model/campos.h"
#include "raster/numeros.h"

namespace tarno {
namespace {

Resultado Asignar(const Campo& c, Parametros& p, const std::string& valor) {
    if (c.tipo == TipoCampo::Texto) {
        p.*c.texto = valor;
        return Resultado::Bien();
    }
    if (c.tipo == TipoCampo::Logico) {
        std::string v;
        for (char ch : valor) v += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        if (v == "1" || v == "true" || v == "si" || v == "verdadero") p.*c.logico = true;
        else if (v == "0" || v == "false" || v == "no" || v == "falso") p.*c.logico = false;
        else return Resultado::Falla("Valor lógico inválido (use 1 o 0): " + valor);
        return Resultado::Bien();
    }
    double v;
    if (!ConvertirDouble(valor, v)) return Resultado::Falla("Valor no numérico para el campo: " + valor);
    // What the options dialog refuses is refused here with its warning.
    if (!EnRango(c, v)) return Resultado::Falla(c.aviso ? c.aviso : "Valor fuera de rango: " + valor);
    switch (c.tipo) {
        case TipoCampo::Real: {
            float x;
            if (!AFloat(v, x)) return Resultado::Falla("Valor fuera de rango (real de 32 bits): " + valor);
            p.*c.real = x;
            break;
        }
        case TipoCampo::Entero16: {
            int16_t x;
            if (!AEntero16(v, x)) return Resultado::Falla("Valor fuera de rango (entero de 16 bits): " + valor);
            p.*c.entero16 = x;
            break;
        }
        case TipoCampo::Entero32: {
            int32_t x;
            if (!AEntero32(v, x)) return Resultado::Falla("Valor fuera de rango (entero de 32 bits): " + valor);
            p.*c.entero32 = x;
            break;
        }
        default: break;
    }
    return Resultado::Bien();
}

std::string Recortar(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

}  // namespace

Resultado AsignarCampo(Parametros& par, const std::string& campo, const std::string& valor) {
    const Campo* c = BuscarCampo(campo);
    if (!c) return Resultado::Falla("Campo desconocido: " + campo);
    Resultado r = Asignar(*c, par, valor);
    if (!r) r.mensaje = campo + ": " + r.mensaje;
    return r;
}

Resultado ValidarParametros(const Parametros& par) { return ValidarRelaciones(par); }

bool SepararAsignacion(const std::string& linea, std::string& campo, std::string& valor) {
    size_t p = linea.find('=');
    if (p == std::string::npos) return false;
    campo = Recortar(linea.substr(0, p));
    valor = Recortar(linea.substr(p + 1));
    return true;
}

std::string TextoParametros(const Parametros& par) {
    std::string t;
    for (const Campo& c : Campos()) {
        t += c.nombre;
        t += '=';
        switch (c.tipo) {
            case TipoCampo::Real: t += NumeroArchivo(par.*c.real); break;
            case TipoCampo::Entero16: t += NumeroArchivo(int{par.*c.entero16}); break;
            case TipoCampo::Entero32: t += NumeroArchivo(int{par.*c.entero32}); break;
            case TipoCampo::Logico: t += par.*c.logico ? "1" : "0"; break;
            case TipoCampo::Texto: t += par.*c.texto; break;
        }
        t += '\n';
    }
    return t;
}

std::vector<std::string> CamposParametros() {
    std::vector<std::string> v;
    for (const Campo& c : Campos()) v.push_back(c.nombre);
    return v;
}

}  // namespace tarno
