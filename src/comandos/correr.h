// The run command "Correr modelo" of the menu and the toolbar: the
// confirmation, the corrections the options dialog's fill makes, the DEM
// chosen in the options loaded, and the run.
#pragma once

#include <string>

#include "model/correr_modelo.h"

namespace tarno {

/// Text of the confirmation box (lines joined by CR LF).
std::string TextoConfirmacionCorrida(const Parametros& par, const ImagenActual& img);

/// The record changes the options dialog's fill makes before a run:
/// `AreaPp` outside 0/1 becomes 0; with `AreaPp` = 1, bounds below 1 become
/// 1 (first) or 9999999 (last); with `Div` false, `DivMetodoQmin` and
/// `DivResQM` become false.
void AjustesDeRelleno(Parametros& par);

enum class FinComando { Cancelado, SinMDT, Corrido };

/// Caption of the confirmation's check box that asks for the run report.
inline constexpr const char* kCasillaInforme = "Generar informe de la corrida (página HTML) y abrirlo en el navegador";

/// The whole run command: confirmation, record changes of the fill, DEM
/// check, DEM loading (`CargarDEM`) and `CorrerModelo`. `fin` receives the
/// run's end when it ran. With `informe`, the confirmation carries the report
/// check box, starting as `*informe` and left there as the user chose.
FinComando ComandoCorrer(EntornoCorrida& entorno, EstadoCorrida& estado, FinCorrida* fin = nullptr,
                         bool* informe = nullptr);

}  // namespace tarno
