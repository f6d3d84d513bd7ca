// Parameter records as text: "Campo=valor" lines naming the fields of
// `Parametros` exactly (the form of the `tarno run` parameter files).
#pragma once

#include <string>
#include <vector>

#include "model/parametros.h"
#include "base/resultado.h"

namespace tarno {

/// Sets field `campo` from the text `valor`. Numbers use a point as decimal
/// separator; integer fields take the nearest integer (halves to even) and
/// refuse values that do not fit; flags take 1/0, true/false, si/no. A value
/// the options dialog refuses is refused with the dialog's warning.
Resultado AsignarCampo(Parametros& par, const std::string& campo, const std::string& valor);

/// Checks between fields, once every field is set (the output step not below
/// the computation step); the failure names the field.
Resultado ValidarParametros(const Parametros& par);

/// One "Campo=valor" item: splits at the first '=', blanks around both parts
/// removed. False when there is no '='.
bool SepararAsignacion(const std::string& linea, std::string& campo, std::string& valor);

/// The record as "Campo=valor" lines, one per field of the table, in the
/// order of the dialog's apply step; `AsignarCampo` reads each back exactly.
std::string TextoParametros(const Parametros& par);

/// Names of the fields `AsignarCampo` knows.
std::vector<std::string> CamposParametros();

}  // namespace tarno
