// Result files of a completed run, written into the DEM's folder and named
// after the DEM (base = ArchivoDEM less "_dat.rkd"): residual depth "_HF",
// maximum depth "_HM", maximum discharge "_QM" (raster images) and the
// section hydrograph "_Qt.rkd".
#pragma once

#include <string>

#include "model/estado_corrida.h"
#include "model/grillas.h"
#include "model/parametros.h"
#include "raster/imagen.h"
#include "base/resultado.h"

namespace tarno {

/// DEM base name with its folder: DirDEM + ArchivoDEM less its last 8 characters.
std::string BaseResultados(const Parametros& par);

/// Decimals of the discharge values: from the length L of the integer part of
/// `qMaxMayor` in TextoBlanco form, L > 4 gives 1, L = 4 gives 2, else 3.
int DecimalesCaudal(float qMaxMayor);

/// "h:m:s" of a fraction of a day (no leading zeros, whole seconds).
std::string FormatoHMS(double fraccionDia);

/// Resamples the section discharge QPeriodo at the output step PasoQ into
/// estado.Hidrograma and sets NroSalidas (one more than the samples taken).
void RemuestrearHidrograma(const Parametros& par, EstadoCorrida& estado);

/// Writes the three rasters and the hydrograph file in that order, updating
/// estado.HminAuto (final depth threshold) and the running extremes of `img`.
/// Stops at the first file that cannot be written (earlier files stay).
/// Each written path is appended to estado.ArchivosEscritos.
Resultado EscribirResultados(const Parametros& par, ImagenActual& img, const GrillasModelo& g,
                             EstadoCorrida& estado);

}  // namespace tarno
