// The run report: one self-contained HTML page (images embedded as
// data:image/png;base64, no scripts, no external files) with the parameters of
// the run, its balance table, the hydrograph chart and the maps. The pictures
// come in as PNG bytes; the page is text only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/parametros.h"
#include "model/pluviograma.h"
#include "model/resumen.h"

namespace tarno {

/// A picture of the report: its heading, PNG bytes, size in pixels and a
/// caption under it.
struct ImagenInforme {
    std::string titulo;
    std::string png;
    int ancho = 0, alto = 0;
    std::string pie;
};

struct DatosInforme {
    std::string archivoDEM;  // DEM data file, full path
    int32_t filas = 0, columnas = 0;
    const Parametros* par = nullptr;
    const Pluviograma* pluviograma = nullptr;  // used when par->PpArchivo
    ResumenCorrida resumen;
    std::string fecha;  // when the report was made, as shown
    std::vector<ImagenInforme> imagenes;
};

/// Name of the report of the run whose DEM is `par`: folder + base + "_informe.html".
std::string NombreInforme(const Parametros& par);

/// The page.
std::string TextoInformeHtml(const DatosInforme& d);

/// Base64 (RFC 4648, with padding, no line breaks).
std::string Base64(std::string_view bytes);

/// Text with &, <, >, " written as entities.
std::string EscaparHtml(std::string_view texto);

}  // namespace tarno
