// The fields of the parameter record described once: name, dialog box, kind,
// valid range, warning texts, double-click text and how a typed value is
// stored. The options dialog builds, fills, applies and validates its boxes
// from this table; the `Campo=valor` text form reads and checks fields with it.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "model/parametros.h"
#include "base/resultado.h"

namespace tarno {

enum class TipoCampo { Real, Entero16, Entero32, Logico, Texto };

/// How the value typed in a box reaches the record when the box is left.
enum class Guardado {
    Valor,        // the value itself
    Centesimas,   // whole part of value x 100, over 100
    Decimas,      // whole part of value x 10, over 10
    ParteEntera,  // largest integer not above the value
    Redondeo,     // nearest integer (halves to even)
    Ninguno,      // the box's own rule writes the field
};

/// Dialog page of a box, in tab order.
enum class Pagina { Consulta, Paleta, Variables, Parametros, Extensiones };

inline constexpr double kSinLimite = std::numeric_limits<double>::infinity();
inline constexpr int32_t kMaxSubarea = 9999999;  // "Max" of the rain sub-area bounds

struct Campo {
    const char* nombre = "";   // field name in the record and in `Campo=valor` text
    TipoCampo tipo = TipoCampo::Real;
    float Parametros::*real = nullptr;
    int16_t Parametros::*entero16 = nullptr;
    int32_t Parametros::*entero32 = nullptr;
    bool Parametros::*logico = nullptr;
    std::string Parametros::*texto = nullptr;
    // Dialog box (nullptr: the field has no box of its own).
    const char* caja = nullptr;
    Pagina pagina = Pagina::Parametros;
    // Valid when numeric (if `numerico`), min <= v <= max and, when named,
    // not below the value of field `minimoCampo`.
    bool numerico = false;
    double minimo = -kSinLimite;
    double maximo = kSinLimite;
    const char* minimoCampo = nullptr;
    bool subeAlMinimo = false;         // the box takes the text of `minimoCampo` when that is larger
    bool pruebaRedondeada = false;     // the test applies to the nearest integer of the value
    const char* aviso = nullptr;       // warning shown on failure
    const char* titulo = "";           // its title ("" = default)
    const char* textoFalla = nullptr;  // text the box takes on failure
    Guardado alSalir = Guardado::Ninguno;
    bool muestraGuardado = false;      // the box is rewritten with the stored number
    const char* dobleClic = nullptr;   // text a double click puts in the box
    bool admiteMax = false;            // the box may hold "Max" (kMaxSubarea)
    // Step of the dialog's apply in which the box is read (0: never).
    int pasoAplicar = 0;
};

/// Warning of the palette class bounds and colours.
extern const char* const kAvisoPaleta255;

/// Every field of the record, in the order of the dialog's apply step.
const std::vector<Campo>& Campos();
/// The field named `nombre`, or nullptr.
const Campo* BuscarCampo(const std::string& nombre);
/// The field of dialog box `caja`, or nullptr.
const Campo* CampoDeCaja(const std::string& caja);

/// The field's value as a number (flags 0/1; text fields 0).
double LeerCampo(const Campo& c, const Parametros& p);
/// Stores `v` in the field: reals as float (kept within the float range),
/// integers as the nearest integer kept within the type, flags as v != 0.
void EscribirCampo(const Campo& c, Parametros& p, double v);
/// `v` transformed as the box stores it on leaving (`alSalir`).
double ValorGuardado(const Campo& c, double v);

/// The box's test on a typed value: range and `minimoCampo` (whose value is
/// `minimo`, NaN when it does not apply). Numeric-ness is the caller's.
bool EnRango(const Campo& c, double v, double minimoDeCampo = std::numeric_limits<double>::quiet_NaN());

/// The field's warning naming it: "Campo: aviso".
std::string AvisoDe(const Campo& c);

/// Checks the record's fields that depend on other fields (the output step
/// not below the computation step).
Resultado ValidarRelaciones(const Parametros& p);

}  // namespace tarno
