// The section hydrograph file "_Qt.rkd" read back, and what a chart of it
// shows: the discharge samples over time, the rain of every step, the peak and
// the balance figures. No drawing here: the window and `tarno grafico` draw
// this record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/parametros.h"
#include "model/pluviograma.h"
#include "model/resumen.h"
#include "base/resultado.h"

namespace tarno {

/// The contents of a "_Qt.rkd" file.
struct ArchivoHidrograma {
    std::string Titulo;
    std::string Subtitulo;
    int32_t Fila = 0, Columna = 0;  // first end of the section
    float QMin = 0, QMax = 0;       // section discharge extremes over the periods, m3/s
    float PasoPp = 0;               // computation step, min
    int32_t PasoQ = 0;              // output step, min
    float Escorrentia = 0;          // m3 through the section
    float NivelMax = 0;             // highest water level at the section, m
    std::vector<float> Caudales;    // the sample lines in file order (k = 1..n), m3/s
};

/// Reads a hydrograph file. A file that is not one (a missing header line, a
/// sample that is not a number) is refused with a message naming it.
Resultado LeerHidrograma(const std::string& ruta, ArchivoHidrograma& h);

/// The design storm a run wrote into the subtitle of its results
/// ("Pp= 60mm  - D= 60min  - Paso= 1min - Nro.Per.= 120 ..."): sets Pp, Dur,
/// PasoPp and nPer of `par` and clears PpArchivo. False (and `par` unchanged)
/// when the subtitle does not name one (a hyetograph run carries the
/// hyetograph's title).
bool TormentaDeSubtitulo(const std::string& subtitulo, Parametros& par);

struct PuntoGrafico {
    double t;  // min
    double v;
};

/// What the hydrograph chart shows.
struct GraficoHidrograma {
    std::string titulo;     // "Hidrograma en la sección"
    std::string subtitulo;  // the run's subtitle and the section
    /// Discharge [m3/s] over time [min]: the start (0, 0), then sample k at
    /// k x PasoQ. The file's last line, the zero that closes the resampling,
    /// is not a sample and is left out.
    std::vector<PuntoGrafico> caudal;
    /// Rain [mm] of each computation step: step p starts at (p - 1) x pasoLluvia.
    std::vector<PuntoGrafico> lluvia;
    double pasoLluvia = 0;  // min
    bool hayPico = false;
    PuntoGrafico pico{0, 0};           // the largest sample
    std::vector<std::string> balance;  // lines shown under the chart
};

/// Builds the chart record from the file, the rain of every period
/// (`LluviasDeLosPeriodos`; empty when unknown) and, after a run, its summary.
GraficoHidrograma ArmarGraficoHidrograma(const ArchivoHidrograma& h, const std::vector<float>& lluvias,
                                         const ResumenCorrida* resumen = nullptr);

/// A figure for people: about `cifras` significant digits, a point as decimal
/// separator, no exponent ("12912", "3.456", "0.01234").
std::string TextoCifra(double v, int cifras = 4);

}  // namespace tarno

namespace tarno {

/// The rain of every period for the chart of a file read back with no run
/// record at hand: the design storm its subtitle names, or the hyetograph `pv`
/// when the subtitle is its title (then as many periods as the samples
/// cover). Empty when the storm is not known.
std::vector<float> LluviasDelHidrograma(const ArchivoHidrograma& h, const Pluviograma* pv = nullptr);

}  // namespace tarno
