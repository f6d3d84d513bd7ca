#include "model/parametros_texto.h"

#include <cstdint>
#include <functional>
#include <map>

#include "raster/numeros.h"

namespace tarno {
namespace {

using Asignador = std::function<Resultado(Parametros&, const std::string&)>;

Resultado Numero(const std::string& campo, const std::string& valor, double& v) {
    if (!ConvertirDouble(valor, v)) return Resultado::Falla("Valor no numérico para " + campo + ": " + valor);
    return Resultado::Bien();
}

Asignador Real(float Parametros::*m) {
    return [m](Parametros& p, const std::string& valor) {
        double v;
        if (Resultado r = Numero("el campo", valor, v); !r) return r;
        float x;
        if (!AFloat(v, x)) return Resultado::Falla("Valor fuera de rango (real de 32 bits): " + valor);
        p.*m = x;
        return Resultado::Bien();
    };
}

Asignador Entero16(int16_t Parametros::*m) {
    return [m](Parametros& p, const std::string& valor) {
        double v;
        if (Resultado r = Numero("el campo", valor, v); !r) return r;
        int16_t x;
        if (!AEntero16(v, x)) return Resultado::Falla("Valor fuera de rango (entero de 16 bits): " + valor);
        p.*m = x;
        return Resultado::Bien();
    };
}

Asignador Entero32(int32_t Parametros::*m) {
    return [m](Parametros& p, const std::string& valor) {
        double v;
        if (Resultado r = Numero("el campo", valor, v); !r) return r;
        int32_t x;
        if (!AEntero32(v, x)) return Resultado::Falla("Valor fuera de rango (entero de 32 bits): " + valor);
        p.*m = x;
        return Resultado::Bien();
    };
}

Asignador Logico(bool Parametros::*m) {
    return [m](Parametros& p, const std::string& valor) {
        std::string v;
        for (char c : valor) v += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (v == "1" || v == "true" || v == "si" || v == "verdadero") p.*m = true;
        else if (v == "0" || v == "false" || v == "no" || v == "falso") p.*m = false;
        else return Resultado::Falla("Valor lógico inválido (use 1 o 0): " + valor);
        return Resultado::Bien();
    };
}

Asignador Texto(std::string Parametros::*m) {
    return [m](Parametros& p, const std::string& valor) {
        p.*m = valor;
        return Resultado::Bien();
    };
}

const std::map<std::string, Asignador>& Tabla() {
    static const std::map<std::string, Asignador> t = {
        {"ResolucionX", Real(&Parametros::ResolucionX)},
        {"ResolucionY", Real(&Parametros::ResolucionY)},
        {"Pp", Real(&Parametros::Pp)},
        {"Dur", Entero16(&Parametros::Dur)},
        {"Rec", Entero16(&Parametros::Rec)},
        {"KRecesion", Real(&Parametros::KRecesion)},
        {"FactorRes", Real(&Parametros::FactorRes)},
        {"Manning", Real(&Parametros::Manning)},
        {"Px1", Entero32(&Parametros::Px1)},
        {"Px2", Entero32(&Parametros::Px2)},
        {"Py1", Entero32(&Parametros::Py1)},
        {"Py2", Entero32(&Parametros::Py2)},
        {"PasoPp", Real(&Parametros::PasoPp)},
        {"PasoQ", Entero16(&Parametros::PasoQ)},
        {"ArchivoDEM", Texto(&Parametros::ArchivoDEM)},
        {"DirDEM", Texto(&Parametros::DirDEM)},
        {"fHidro1", Entero32(&Parametros::fHidro1)},
        {"cHidro1", Entero32(&Parametros::cHidro1)},
        {"fHidro2", Entero32(&Parametros::fHidro2)},
        {"cHidro2", Entero32(&Parametros::cHidro2)},
        {"nPer", Entero32(&Parametros::nPer)},
        {"ArchivoUnKOLT", Texto(&Parametros::ArchivoUnKOLT)},
        {"DirUnKOLT", Texto(&Parametros::DirUnKOLT)},
        {"fConsulta1", Entero32(&Parametros::fConsulta1)},
        {"cConsulta1", Entero32(&Parametros::cConsulta1)},
        {"fConsulta2", Entero32(&Parametros::fConsulta2)},
        {"cConsulta2", Entero32(&Parametros::cConsulta2)},
        {"DivValor", Real(&Parametros::DivValor)},
        {"DivQmin", Real(&Parametros::DivQmin)},
        {"DivHmin", Real(&Parametros::DivHmin)},
        {"DivValorRes", Real(&Parametros::DivValorRes)},
        {"Div", Logico(&Parametros::Div)},
        {"DivMetodoQmin", Logico(&Parametros::DivMetodoQmin)},
        {"DivResQM", Logico(&Parametros::DivResQM)},
        {"PpArchivo", Logico(&Parametros::PpArchivo)},
        {"Metodo", Entero16(&Parametros::Metodo)},
        {"AreaPp", Entero16(&Parametros::AreaPp)},
        {"NroClases", Entero16(&Parametros::NroClases)},
    };
    return t;
}

std::string Recortar(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

}  // namespace

Resultado AsignarCampo(Parametros& par, const std::string& campo, const std::string& valor) {
    auto it = Tabla().find(campo);
    if (it == Tabla().end()) return Resultado::Falla("Campo desconocido: " + campo);
    Resultado r = it->second(par, valor);
    if (!r) r.mensaje = campo + ": " + r.mensaje;
    return r;
}

bool SepararAsignacion(const std::string& linea, std::string& campo, std::string& valor) {
    size_t p = linea.find('=');
    if (p == std::string::npos) return false;
    campo = Recortar(linea.substr(0, p));
    valor = Recortar(linea.substr(p + 1));
    return true;
}

std::vector<std::string> CamposParametros() {
    std::vector<std::string> v;
    for (const auto& [k, _] : Tabla()) v.push_back(k);
    return v;
}

}  // namespace tarno
