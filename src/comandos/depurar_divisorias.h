// "Depurar Divisorias y Fronteras": reads a `_QD` explorer raster with the DEM
// and the maximum-discharge raster of the same run, thins the crest cells of
// every row to one cell per crest and writes the `_QDD` raster: the maximum
// discharge of every cell, 0 on the thinned crests.
#pragma once

#include <string>

#include "model/divisorias.h"
#include "base/plataforma.h"

namespace tarno {

/// Names derived from the chosen explorer header: its folder, the explorer
/// base (name less its last 8 characters) and the DEM data name (explorer base
/// less its last 3 characters + "_dat.rkd"). False when the name is too short
/// to cut.
bool NombresDepuracion(const std::string& rutaQD, std::string& carpeta, std::string& baseExplorador,
                       std::string& archivoDEM);

/// Thins the explorer raster `carpeta` + `baseExplorador` with the DEM
/// `par.DirDEM` + `par.ArchivoDEM` and the maximum-discharge raster of the same
/// run (in the explorer's folder) and writes `carpeta` + `baseExplorador` +
/// "D_dat.rkd" / "D_cab.rkd". Messages go through `plataforma`; nothing is
/// written unless every input is read and matches. Afterwards `img` holds the
/// maximum-discharge raster.
Resultado DepurarDivisorias(const std::string& carpeta, const std::string& baseExplorador,
                            const Parametros& par, ImagenActual& img, Plataforma& plataforma);

/// The menu command "Depurar Divisorias y Fronteras": asks for the explorer
/// header and the DEM, points `ArchivoDEM` and `DirDEM` at that DEM and runs the
/// depuration. Nothing happens when a dialog is cancelled.
void ComandoDepurarDivisorias(Parametros& par, ImagenActual& img, Plataforma& plataforma);

}  // namespace tarno
