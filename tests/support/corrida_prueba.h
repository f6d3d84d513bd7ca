// What a test of a whole run holds: a folder for the DEM and the result files,
// the record, the grids, a fake platform and an observer. `Correr` loads the
// DEM the record names and runs the model; the messages of the load are
// dropped, so the platform holds only the run's.
#pragma once

#include <gtest/gtest.h>

#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

namespace tarno::prueba {

template <class Observador = ObservadorCorrida>
struct CorridaPrueba {
    FinCorrida Correr() {
        EXPECT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
        plat.mensajes.clear();
        EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
        return CorrerModelo(en, e);
    }

    CarpetaTemporal tmp;
    Parametros par;
    ImagenActual img;
    GrillasModelo g;
    Pluviograma pv;
    PlataformaFalsa plat;
    Observador obs;
    EstadoCorrida e;
};

}  // namespace tarno::prueba
