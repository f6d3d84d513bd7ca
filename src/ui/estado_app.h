// The application state: the single instance of every shared record the
// program works on. Windows receive it; core functions get what they use.
#pragma once

#include <cstdint>

#include "model/estado_corrida.h"
#include "model/grillas.h"
#include "model/parametros.h"
#include "model/pluviograma.h"
#include "raster/imagen.h"
#include "viewer/estado_visor.h"

#include <vector>

namespace tarno::ui {

struct EstadoApp {
    Parametros par;          // model parameters (options dialog, DEM loading)
    ImagenActual img;        // the current image (reader, viewer, tools)
    GrillasModelo grillas;   // model grids of the last run (Cota from DEM loading)
    bool VerPizarra = false; // the board window is loaded
    std::vector<float> VectorDatos;  // values read by the text importers (1-based)
    visor::EstadoVisor visor; // palette, zoom, selection and offsets of the viewer
    Pluviograma pluviograma;  // the loaded storm hyetograph (CargarPluviograma)
    EstadoCorrida corrida;    // what the last run left (order, hydrograph, board text)
};

}  // namespace tarno::ui
