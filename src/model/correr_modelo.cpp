#include "model/correr_modelo.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <unordered_map>
#include <utility>

#include "model/cargar_dem.h"
#include "model/cascada.h"
#include "model/contexto_celda.h"
#include "model/divisorias.h"
#include "model/flujo_superficial.h"
#include "model/resultados.h"
#include "raster/archivos.h"
#include "raster/numeros.h"

namespace tarno {

namespace {

const char* const kCRLF = "\r\n";
const char* const kTituloCorrida = "TARNO-SIG: Correr el modelo";
const char* const kSinPluviograma =
    "No hay archivo de Pluviograma de Pp seleccionado. Debe cargarlo primero desde menú Opciones, Ficha "
    "Parámetros";

// A section cell met at position k of the processing order is section cell m.
struct SeccionEnOrden {
    int64_t k;
    int32_t m;
};

// Data the period loop needs, gathered once per run.
struct Bucle {
    EntornoCorrida& en;
    EstadoCorrida& e;
    ContextoCelda& ctx;
    std::vector<SeccionEnOrden>& seccion;
    int64_t n;
    float velocidadPeriodo = 0;  // fastest surface-flow velocity of the period, m/s
};

// Section accounting after routing the cell at `idx` (section cell of the run).
inline void ContarSeccion(Bucle& b, size_t idx) {
    EstadoCorrida& e = b.e;
    const Parametros& par = b.en.par;
    const GrillasModelo& g = b.en.grillas;
    const float qSalida = g.QSalida.Datos()[idx];
    const float hMax = g.HMax.Datos()[idx];
    float& q = e.QPeriodo[static_cast<size_t>(e.Periodo)];
    q = static_cast<float>(static_cast<double>(q) + Redondear(qSalida, 3));
    if (q < e.QSeccionMin) e.QSeccionMin = q;
    if (q > e.QSeccionMax) e.QSeccionMax = q;
    const double nivelMax = Redondear(static_cast<double>(g.Cota.Datos()[idx]) + static_cast<double>(hMax), 3);
    if (static_cast<double>(e.NivelMaxSeccion) < nivelMax) e.NivelMaxSeccion = static_cast<float>(nivelMax);
    e.Escorrentia = static_cast<float>(static_cast<double>(e.Escorrentia) +
                                       static_cast<double>(par.PasoPp) * static_cast<double>(qSalida) * 60.0);
    e.TextoPizarra += kCRLF;
    e.TextoPizarra += TextoBlanco(Redondear(static_cast<double>(par.PasoPp) * e.Periodo, 2));
    e.TextoPizarra += "     ";
    e.TextoPizarra += TextoBlanco(static_cast<float>(Redondear(qSalida, 3)));
    e.TextoPizarra += "     ";
    e.TextoPizarra += TextoBlanco(static_cast<float>(Redondear(hMax, 3)));
}

// Pass 2 of one period: every cell in the processing order is routed with the
// method `M` (0 cascade, 1 surface flow, other: nothing).
template <int M>
void PasoDos(Bucle& b, float lluviaPeriodo) {
    GrillasModelo& g = b.en.grillas;
    const Parametros& par = b.en.par;
    ContextoCelda& ctx = b.ctx;
    const int32_t* fila = b.e.orden.Fila.data();
    const int32_t* columna = b.e.orden.Columna.data();
    const float* cota = g.Cota.Datos();
    double* nivel = g.Nivel.Datos();
    float* qSalida = g.QSalida.Datos();
    float* aporte = g.AporteCascada.Datos();
    const size_t ancho = g.Cota.Ancho();
    const bool subArea = par.AreaPp == 1;
    const SeccionEnOrden* sec = b.seccion.data();
    const SeccionEnOrden* secFin = sec + b.seccion.size();
    constexpr int64_t kAdelanto = 12;  // cells ahead whose grid lines are fetched early
    // Surface flow: the values of the step that depend only on the period.
    PasoFlujo pasoFlujo;
    if constexpr (M == 1) pasoFlujo = PrepararPasoFlujo(par, lluviaPeriodo);
    float velocidadMayor = 0;
    for (int64_t k = 1; k <= b.n; ++k) {
        const int32_t i = fila[k];
        const int32_t j = columna[k];
        const size_t idx = static_cast<size_t>(i) * ancho + static_cast<size_t>(j);
        if (k + kAdelanto <= b.n) {
            // The order jumps across the grid: ask for the next cells' lines now.
            const size_t p = static_cast<size_t>(fila[k + kAdelanto]) * ancho +
                             static_cast<size_t>(columna[k + kAdelanto]);
            __builtin_prefetch(nivel + p - ancho, 1);
            __builtin_prefetch(nivel + p, 1);
            __builtin_prefetch(nivel + p + ancho, 1);
            __builtin_prefetch(cota + p - ancho);
            __builtin_prefetch(cota + p);
            __builtin_prefetch(cota + p + ancho);
            if constexpr (M == 1) {
                // The surface-flow kernel also reads and writes the inflows
                // of the cell and its neighbours and the cell's maxima.
                float* qEntrada = g.QEntrada.Datos();
                __builtin_prefetch(qEntrada + p - ancho, 1);
                __builtin_prefetch(qEntrada + p, 1);
                __builtin_prefetch(qEntrada + p + ancho, 1);
                __builtin_prefetch(g.HMax.Datos() + p, 1);
                __builtin_prefetch(g.QMax.Datos() + p, 1);
                __builtin_prefetch(qSalida + p, 1);
            }
        }
        ctx.LimpiarTrabajo();
        float lluvia = lluviaPeriodo;
        if (subArea && (i < par.Py1 || i > par.Py2 || j < par.Px1 || j > par.Px2)) lluvia = 0;
        if (cota[idx] > 0) {
            ctx.celda.I = i;
            ctx.celda.J = j;
            ctx.celda.LluviaPaso = lluvia;
            if constexpr (M == 0) {
                PasoCascada(ctx);
            } else if constexpr (M == 1) {
                const float v = FlujoCelda(g, ctx.celda, pasoFlujo);
                if (v > velocidadMayor) velocidadMayor = v;
            }
            if (sec != secFin && sec->k == k) {
                ContarSeccion(b, idx);
                ++sec;
            }
        } else {
            qSalida[idx] = 0;
            nivel[idx] = 0;
            aporte[idx] = 0;
            if (sec != secFin && sec->k == k) ++sec;
        }
    }
    b.velocidadPeriodo = velocidadMayor;
}

// Rain of the period from the hyetograph; false when the run must stop.
enum class LluviaPluviograma { Bien, PasoMayor, Vacio };

LluviaPluviograma LluviaDePluviograma(const Parametros& par, const Pluviograma& pv, int32_t periodo,
                                      float& lluviaPeriodo) {
    if (par.PasoPp > static_cast<float>(pv.Paso)) return LluviaPluviograma::PasoMayor;
    if (!(pv.LluviaTotal != 0 && pv.NroDatos != 0 && pv.Paso != 0)) return LluviaPluviograma::Vacio;
    const double paso = static_cast<double>(par.PasoPp);
    const int32_t n = pv.NroDatos;
    const int32_t intervalo = pv.Paso;
    if (paso * periodo > static_cast<double>(n * intervalo)) {
        lluviaPeriodo = 0;
        return LluviaPluviograma::Bien;
    }
    const double t0 = paso * (periodo - 1);
    const int32_t a = static_cast<int32_t>(std::floor(t0 / intervalo)) + 1;
    const int32_t b = a + 1;
    if (b <= n && a >= 1) {
        const double dif = static_cast<double>(pv.PpAcum[static_cast<size_t>(b)]) -
                           static_cast<double>(pv.PpAcum[static_cast<size_t>(a)]);
        const double intensidad = dif / static_cast<double>(b * intervalo - a * intervalo);
        lluviaPeriodo = static_cast<float>(intensidad * paso);
    } else {
        lluviaPeriodo = 0;
    }
    return LluviaPluviograma::Bien;
}

}  // namespace

bool FlujoSuperficialDisponible() { return true; }

std::string ValidarParametrosCorrida(const Parametros& par, int32_t filas, int32_t columnas) {
    if (filas <= 0 || columnas <= 0)
        return "No hay un MDT cargado para correr el modelo. Cargue el archivo MDT desde menú Opciones, Ficha "
               "Parámetros.";
    if (!(par.PasoPp > 0))
        return "El Paso de Calculo del Modelo [min] debe ser mayor que cero (valor actual:" +
               TextoBlanco(par.PasoPp) + "). Corríjalo en menú Opciones, Ficha Parámetros.";
    if (!(par.ResolucionX > 0) || !(par.ResolucionY > 0))
        return "La resolución de la celda del MDT debe ser mayor que cero (Resolución X=" +
               TextoBlanco(par.ResolucionX) + ", Resolución Y=" + TextoBlanco(par.ResolucionY) +
               "). Revise la cabecera del archivo MDT.";
    if (par.Metodo == 0 && par.KRecesion == 0)
        return "La Constante Media Kr de Recesión no puede ser cero con el método Cascadas KOLT. Corríjala en "
               "menú Opciones, Ficha Parámetros.";
    if (par.Metodo == 1)
        if (Resultado r = ValidarParametrosFlujo(par); !r) return r.mensaje;
    if (!par.PpArchivo && par.Dur == 0)
        return "La Duración de tormenta [min] no puede ser cero. Corríjala en menú Opciones, Ficha Variables y "
               "Métodos.";
    return {};
}

namespace {
FinCorrida CorrerModeloSinControl(EntornoCorrida& en, EstadoCorrida& e);
}  // namespace

// Any failure inside a run is shown and abandons the run; the application
// goes on and files already written stay.
FinCorrida CorrerModelo(EntornoCorrida& en, EstadoCorrida& e) {
    try {
        return CorrerModeloSinControl(en, e);
    } catch (const std::bad_alloc&) {
        en.plataforma.Mensaje("No hay memoria suficiente para continuar la corrida del modelo.", kTituloCorrida,
                              Icono::Advertencia);
        en.observador.CerrarProgreso();
        return FinCorrida::SinMemoria;
    } catch (const std::exception& ex) {
        en.plataforma.Mensaje(ex.what());
        en.observador.CerrarProgreso();
        return FinCorrida::ErrorArchivo;
    }
}

namespace {

FinCorrida CorrerModeloSinControl(EntornoCorrida& en, EstadoCorrida& e) {
    Parametros& par = en.par;
    GrillasModelo& g = en.grillas;
    Plataforma& plat = en.plataforma;
    ObservadorCorrida& obs = en.observador;
    const int32_t filas = en.img.NroFilas;
    const int32_t columnas = en.img.NroColumnas;

    // Parameters a run would divide by, and a grid that is not the DEM's.
    std::string rechazo = ValidarParametrosCorrida(par, filas, columnas);
    if (rechazo.empty() && (g.Cota.Filas() != filas || g.Cota.Columnas() != columnas || g.Cota.Vacia()))
        rechazo = "El MDT cargado no coincide con la cabecera leída. Vuelva a cargar el archivo MDT desde menú "
                  "Opciones, Ficha Parámetros.";
    if (rechazo.empty() && par.Metodo == 1 && par.PpArchivo)
        if (Resultado r = ValidarPluviogramaFlujo(en.pluviograma); !r) rechazo = r.mensaje;
    if (!rechazo.empty()) {
        plat.Mensaje(rechazo, kTituloCorrida, Icono::Advertencia);
        return FinCorrida::Rechazada;
    }

    // 1. Grids and section lists. 3. Period lists.
    const int32_t nF = par.fHidro2 - par.fHidro1 + 1;
    const int32_t nC = par.cHidro2 - par.cHidro1 + 1;
    const int32_t nPer = par.nPer > 0 ? par.nPer : 0;
    try {
        g.Nivel.Redimensionar(filas, columnas);
        g.HMax.Redimensionar(filas, columnas);
        g.AporteCascada.Redimensionar(filas, columnas);
        g.QSalida.Redimensionar(filas, columnas);
        g.QEntrada.Redimensionar(filas, columnas);
        g.QMax.Redimensionar(filas, columnas);
        e.QPeriodo.assign(static_cast<size_t>(nPer) + 1, 0.0f);
        e.Hidrograma.assign(static_cast<size_t>(nPer) + 2, 0.0f);
    } catch (const std::bad_alloc&) {
        g.Nivel.Liberar();
        g.HMax.Liberar();
        g.AporteCascada.Liberar();
        g.QSalida.Liberar();
        g.QEntrada.Liberar();
        g.QMax.Liberar();
        plat.Mensaje("No hay memoria suficiente para las grillas del modelo (" + NumeroArchivo(filas) +
                         " filas x " + NumeroArchivo(columnas) + " columnas).",
                     kTituloCorrida, Icono::Advertencia);
        return FinCorrida::SinMemoria;
    }

    // 2. Progress window.
    obs.AbrirProgreso(kTituloProgresoCorrida, kCorriendoSimulador);

    // 3. Start values.
    e.HoraInicio = static_cast<float>(plat.Hora());
    e.Periodo = 1;
    e.NroCeldasSeccion = 0;
    e.QSeccionMin = 1e8f;
    e.QSeccionMax = -1e8f;
    e.Escorrentia = 0;
    e.NivelMaxSeccion = 0;
    e.AlmacenamientoSup = 0;
    e.QminAuto = 999999.0f;
    e.HminAuto = 999999.0f;
    e.QMaxMayor = 0;
    e.Avance = 0;
    e.NroSalidas = 0;
    e.VolumenLluvia = 0;
    e.PeriodosHechos = 0;
    e.ArchivosEscritos.clear();
    e.SubtituloCorrida.clear();
    e.MetodoTexto.clear();
    e.MensajeFinal.clear();

    // 4. Board.
    obs.LimpiarPizarra();
    e.TextoPizarra = "Hidrograma en Pixel Fila: " + TextoBlanco(par.fHidro1) + "  Col: " + TextoBlanco(par.cHidro1) +
                     kCRLF;

    // 5. Processing order.
    try {
        e.ordenReconstruido = PrepararOrden(en.carpetaCache, par.ArchivoDEM, g.Cota, e.orden);
    } catch (const std::bad_alloc&) {
        plat.Mensaje("No hay memoria suficiente para el orden de proceso de las celdas.", kTituloCorrida,
                     Icono::Advertencia);
        obs.CerrarProgreso();
        return FinCorrida::SinMemoria;
    }
    const int64_t n = e.orden.Tamano();

    // 6. Hydrograph section: the cells the rule produces (lists sized to them).
    e.SeccionFila.assign(1, 0);
    e.SeccionColumna.assign(1, 0);
    if (par.fHidro1 > 0 && par.cHidro1 > 0) {
        if (nC < nF) {
            // Cells past the last row are never routed: the list stops there.
            const int32_t hasta = std::min(par.fHidro2, filas);
            for (int32_t i = par.fHidro1; i <= hasta; ++i) {
                const int32_t j =
                    static_cast<int32_t>(std::floor(static_cast<double>(nC) / nF * (i - par.fHidro1))) + par.cHidro1;
                e.SeccionFila.push_back(i);
                e.SeccionColumna.push_back(j);
            }
        } else {
            const int32_t hasta = std::min(par.cHidro2, columnas);
            for (int32_t j = par.cHidro1; j <= hasta; ++j) {
                const int32_t i =
                    static_cast<int32_t>(std::floor(static_cast<double>(nF) / nC * (j - par.cHidro1))) + par.fHidro1;
                e.SeccionFila.push_back(i);
                e.SeccionColumna.push_back(j);
            }
        }
        e.NroCeldasSeccion = static_cast<int32_t>(e.SeccionFila.size()) - 1;
    }
    // Where each section cell stands in the processing order, so that the
    // accounting finds it in O(1) while routing. Every cell appears at most
    // once in the section (one cell per row or per column).
    std::vector<SeccionEnOrden> seccion;
    if (e.NroCeldasSeccion > 0) {
        std::unordered_map<int64_t, int32_t> celdaSeccion;
        for (int32_t m = 1; m <= e.NroCeldasSeccion; ++m) {
            const int32_t i = e.SeccionFila[static_cast<size_t>(m)];
            const int32_t j = e.SeccionColumna[static_cast<size_t>(m)];
            if (i >= 1 && i <= filas && j >= 1 && j <= columnas)
                celdaSeccion.emplace(static_cast<int64_t>(i) * (columnas + 1) + j, m);
        }
        for (int64_t k = 1; k <= n && !celdaSeccion.empty(); ++k) {
            const int64_t clave = static_cast<int64_t>(e.orden.Fila[static_cast<size_t>(k)]) * (columnas + 1) +
                                  e.orden.Columna[static_cast<size_t>(k)];
            auto it = celdaSeccion.find(clave);
            if (it != celdaSeccion.end()) seccion.push_back({k, it->second});
        }
    }
    // The board log grows by one line per section cell and period.
    e.TextoPizarra.reserve(e.TextoPizarra.size() +
                           std::min<size_t>(static_cast<size_t>(seccion.size()) * static_cast<size_t>(nPer) * 40,
                                            size_t{64} << 20));

    // 7. Design storm.
    if (!par.PpArchivo)
        e.LluviaPeriodo = static_cast<float>(static_cast<double>(par.Pp) /
                                             static_cast<double>(static_cast<float>(par.Dur)) *
                                             static_cast<double>(par.PasoPp));

    // Basin cells that receive the rain (for the rain volume of the summary).
    int64_t celdasConLluvia = 0;
    int64_t celdasCuenca = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) {
            if (!(g.Cota(i, j) > 0)) continue;
            ++celdasCuenca;
            if (par.AreaPp == 1 && (i < par.Py1 || i > par.Py2 || j < par.Px1 || j > par.Px2)) continue;
            ++celdasConLluvia;
        }
    const double areaCelda = static_cast<double>(par.ResolucionX) * static_cast<double>(par.ResolucionY);

    // 8. Periods.
    for (int32_t i = 0; i <= filas; ++i)
        for (int32_t j = 0; j <= columnas; ++j) g.Nivel(i, j) = static_cast<double>(g.Cota(i, j));
    g.HMax.Llenar(0.0f);
    ContextoCelda ctx(g, par);
    Bucle bucle{en, e, ctx, seccion, n};
    // The surface-flow method is explicit: a step too long for the cell size
    // creates water. The run is watched after every period.
    EstabilidadFlujo estabilidad(par, celdasCuenca);
    e.Periodo = 1;
    e.HoraControl = e.HoraActual = static_cast<float>(plat.Hora());
    const size_t ancho = g.Cota.Ancho();
    while (e.Periodo <= par.nPer) {
        // a. Time-out check.
        e.HoraActual = static_cast<float>(plat.Hora());
        if (static_cast<double>(e.HoraActual) - static_cast<double>(e.HoraControl) > 0.0005) {
            Respuesta r = plat.Mensaje("Se ha superado el tiempo de espera, desea continuar ?", "Tiempo de Espera...",
                                       Icono::Ninguno, Botones::SiNo);
            if (r != Respuesta::Si) {
                plat.Mensaje("Se ha suspendido la corrida del modelo, los resultados obtenidos no son válidos...");
                return FinCorrida::Suspendida;
            }
        }
        e.HoraControl = static_cast<float>(plat.Hora());

        // b. Progress.
        if (e.Periodo % 10 == 0) {
            e.Avance = RedondearEntero(static_cast<double>(e.Periodo) / par.nPer * 100.0);
            obs.Progreso(e.Avance, "Período = " + TextoBlanco(e.Periodo) + " / " + TextoBlanco(par.nPer),
                         "Tiempo de proceso: " +
                             FormatoHMS(static_cast<double>(e.HoraControl) - static_cast<double>(e.HoraInicio)));
        }

        // c. Rain of the period.
        if (!par.PpArchivo) {
            if (static_cast<double>(par.PasoPp) * e.Periodo - par.Dur > 0.01) e.LluviaPeriodo = 0;
        } else {
            LluviaPluviograma r = LluviaDePluviograma(par, en.pluviograma, e.Periodo, e.LluviaPeriodo);
            if (r != LluviaPluviograma::Bien) {
                plat.Mensaje(kSinPluviograma, "Error, falta archivo...", Icono::Advertencia);
                if (r == LluviaPluviograma::PasoMayor) obs.CerrarProgreso();
                return FinCorrida::SinPluviograma;
            }
        }
        const float lluvia = e.LluviaPeriodo;

        // d. Pass 1 (each cell on its own: walked in memory order).
        for (int32_t i = 1; i <= filas; ++i) {
            const bool filaFuera = par.AreaPp == 1 && (i < par.Py1 || i > par.Py2);
            double* nivel = g.Nivel.Datos() + static_cast<size_t>(i) * ancho;
            float* aporte = g.AporteCascada.Datos() + static_cast<size_t>(i) * ancho;
            float* qEntrada = g.QEntrada.Datos() + static_cast<size_t>(i) * ancho;
            for (int32_t j = 1; j <= columnas; ++j) {
                float l = lluvia;
                if (par.AreaPp == 1 && (filaFuera || j < par.Px1 || j > par.Px2)) l = 0;
                aporte[j] = 0;
                if (par.Metodo == 0) nivel[j] += static_cast<double>(l) / 1000.0;
                qEntrada[j] = 0;
            }
        }
        const double lluviaVolumen = static_cast<double>(celdasConLluvia) * (static_cast<double>(lluvia) / 1000.0) * areaCelda;
        e.VolumenLluvia += lluviaVolumen;

        // e. Pass 2. The automatic divide thresholds depend only on the
        // period's unmasked rain, the same for every cell.
        if (n > 0 && lluvia != 0) {
            const double q = static_cast<double>(lluvia) * 4.0 * static_cast<double>(par.ResolucionX) *
                             static_cast<double>(par.ResolucionY) / static_cast<double>(par.PasoPp) / 60000.0;
            if (par.DivQmin == 0 && q < static_cast<double>(e.QminAuto)) e.QminAuto = static_cast<float>(q);
            if (par.DivHmin == 0 && static_cast<double>(lluvia) / 1000.0 < static_cast<double>(e.HminAuto))
                e.HminAuto = static_cast<float>(static_cast<double>(lluvia) * 4.0 / 1000.0);
        }
        switch (par.Metodo) {
            case 0: PasoDos<0>(bucle, lluvia); break;
            case 1: PasoDos<1>(bucle, lluvia); break;
            default: PasoDos<-1>(bucle, lluvia); break;
        }
        if (par.Metodo == 1 && !estabilidad.Revisar(g, lluviaVolumen, bucle.velocidadPeriodo)) {
            // Abandoned: no result file is written. The summary shows the
            // water the grid held when the run was stopped.
            e.PeriodosHechos = e.Periodo;
            e.AlmacenamientoSup = static_cast<float>(estabilidad.AguaAlmacenada());
            plat.Mensaje(estabilidad.Mensaje(e.Periodo), kTituloCorrida, Icono::Advertencia);
            obs.CerrarProgreso();
            return FinCorrida::Inestable;
        }
        e.PeriodosHechos = e.Periodo;
        ++e.Periodo;
        obs.FinPeriodo();
    }

    // f. Largest discharge of the run (QMax never decreases, so the largest
    // after the last period is the largest of the run).
    e.QMaxMayor = 0;
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j)
            if (g.QMax(i, j) > e.QMaxMayor) e.QMaxMayor = g.QMax(i, j);

    // 11. Water stored on the basin's surface (cells outside the basin hold no water).
    for (int32_t i = 1; i <= filas; ++i)
        for (int32_t j = 1; j <= columnas; ++j) {
            if (!(g.Cota(i, j) > 0)) continue;
            e.AlmacenamientoSup = static_cast<float>(
                static_cast<double>(e.AlmacenamientoSup) +
                (g.Nivel(i, j) - static_cast<double>(g.Cota(i, j))) * static_cast<double>(par.ResolucionX) *
                    static_cast<double>(par.ResolucionY));
        }

    // 12-13. Header texts.
    if (par.Metodo == 1) {
        e.SubtituloCorrida = "Pp=" + TextoBlanco(par.Pp) + "mm  - D=" + TextoBlanco(static_cast<int>(par.Dur)) +
                             "min  - Paso=" + TextoBlanco(par.PasoPp) + "min - Nro.Per.=" + TextoBlanco(par.nPer) +
                             " - nMann.=" + TextoBlanco(par.Manning) + "  - Fac.Res.=" + TextoBlanco(par.FactorRes) +
                             "   - Esco[m3] = " + TextoBlanco(e.AlmacenamientoSup);
    } else if (par.PpArchivo) {
        e.SubtituloCorrida = en.pluviograma.Titulo;
    } else {
        e.SubtituloCorrida = "Pp=" + TextoBlanco(par.Pp) + "mm  - D=" + TextoBlanco(static_cast<int>(par.Dur)) +
                             "min  - Paso=" + TextoBlanco(par.PasoPp) + "min - Nro.Per.=" + TextoBlanco(par.nPer) +
                             "  - KRec.=" + TextoBlanco(par.KRecesion) + "   - Alm. Sup.[m3] = " +
                             TextoBlanco(e.AlmacenamientoSup);
    }
    e.MetodoTexto =
        par.Metodo == 1 ? "Método: Flujo Superf. Laminar y Turbulento en Canal" : "Método: TARNO-SIG Cascada";

    // 14. Result files.
    Resultado escrito = EscribirResultados(par, en.img, g, e);
    if (escrito && par.Div) {
        escrito = EscribirExploradorDivisorias(par, g, en.img, e.QminAuto, e.HminAuto, e.QMaxMayor);
        if (escrito) {
            const std::string dat = NombreExploradorDivisorias(par);
            e.ArchivosEscritos.push_back(dat);
            e.ArchivosEscritos.push_back(NombreCabDe(dat));
        }
    }
    if (!escrito) {
        // The run is abandoned; files already written stay.
        plat.Mensaje(escrito.mensaje);
        obs.CerrarProgreso();
        return FinCorrida::ErrorArchivo;
    }

    // 15. Board, closed by the volume balance of the run.
    e.TextoPizarra += kCRLF;
    e.TextoPizarra += kCRLF;
    e.TextoPizarra += "Balance de volumen [m3]: Lluvia caída =" + TextoBlanco(e.VolumenLluvia) +
                      "  - Almacenamiento Sup. =" + TextoBlanco(e.AlmacenamientoSup) + "  - Diferencia =" +
                      TextoDiferenciaVolumen(e.VolumenLluvia, e.AlmacenamientoSup);
    obs.Pizarra(e.TextoPizarra);

    // 16. End message.
    e.MensajeFinal = std::string("Fin de la simulación. Los resultados se han grabado correctamente en los archivos") +
                     kCRLF + "Tiempo de proceso: " +
                     FormatoHMS(static_cast<double>(static_cast<float>(plat.Hora())) - static_cast<double>(e.HoraInicio));
    plat.Mensaje(e.MensajeFinal, "Final de Proceso", Icono::Advertencia);

    // 17.
    obs.CerrarProgreso();
    return FinCorrida::Completa;
}

}  // namespace

std::string TextoDiferenciaVolumen(double lluvia, double almacenado) {
    const double diferencia = lluvia - almacenado;
    std::string t = TextoBlanco(static_cast<float>(diferencia));
    if (lluvia > 0) t += " (" + TextoBlanco(static_cast<float>(Redondear(diferencia / lluvia * 100.0, 2))) + " %)";
    return t;
}

std::string TextoConfirmacionCorrida(const Parametros& par, const ImagenActual& img) {
    std::string t = "Parámetros de Menú Opciones de Configuración:";
    t += kCRLF;
    t += "Resolución= " + TextoBlanco(par.ResolucionX) + "  Resolución Y= " + TextoBlanco(par.ResolucionY);
    t += kCRLF;
    t += "Pp[mm]= " + TextoBlanco(par.Pp) + "  D[min]= " + TextoBlanco(static_cast<int>(par.Dur)) +
         "  R[años]= " + TextoBlanco(static_cast<int>(par.Rec)) + "  Paso[min]= " + TextoBlanco(par.PasoPp);
    t += kCRLF;
    t += "Archivo DEM: " + par.DirDEM + SeparadorCarpeta() + par.ArchivoDEM;
    t += kCRLF;
    t += "N Filas: " + TextoBlanco(img.NroFilas) + "  N Columnas: " + TextoBlanco(img.NroColumnas) +
         "  KRecesión[min]= " + TextoBlanco(par.KRecesion);
    t += kCRLF;
    t += "Fila y Col Hidrograma: " + TextoBlanco(par.fHidro1) + "  " + TextoBlanco(par.cHidro1);
    return t;
}

void AjustesDeRelleno(Parametros& par) {
    if (par.AreaPp == 1) {
        if (par.Px1 < 1) par.Px1 = 1;
        if (par.Py1 < 1) par.Py1 = 1;
        if (par.Px2 < 1) par.Px2 = 9999999;
        if (par.Py2 < 1) par.Py2 = 9999999;
    } else {
        par.AreaPp = 0;
    }
    if (!par.Div) {
        par.DivMetodoQmin = false;
        par.DivResQM = false;
    }
}

FinComando ComandoCorrer(EntornoCorrida& en, EstadoCorrida& estado, FinCorrida* fin) {
    Parametros& par = en.par;
    Plataforma& plat = en.plataforma;
    ObservadorCorrida& obs = en.observador;
    // 1. Confirmation.
    if (plat.Mensaje(TextoConfirmacionCorrida(par, en.img), kTituloCorrida, Icono::Pregunta,
                     Botones::AceptarCancelar) != Respuesta::Aceptar)
        return FinComando::Cancelado;
    // 2. The options dialog is filled from the record.
    AjustesDeRelleno(par);
    obs.ReiniciarOpciones();
    // 3. A DEM must be chosen.
    if (par.DirDEM.empty() || par.DirDEM == kSinArchivo || par.ArchivoDEM.empty()) {
        plat.Mensaje("No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros",
                     "Error, falta archivo...", Icono::Advertencia);
        return FinComando::SinMDT;
    }
    // 4-5. Load the DEM.
    obs.Ocupado(true);
    obs.Mensajes({"Procesando. Un momento por favor...", "TARNO-SIG leyendo archivo MDT..."});
    obs.BarraEstado("TARNO-SIG leyendo archivo MDT...");
    EstadoDEM dem = CargarDEM(par, en.img, en.grillas.Cota, plat);
    FinCorrida resultado = FinCorrida::Rechazada;
    // A DEM whose files could not be read at all (already reported) is not
    // run: the grid would be the previous DEM's under the new header.
    if (dem != EstadoDEM::SinArchivo && dem != EstadoDEM::ErrorLectura) {
        // 6-8.
        obs.Mensajes({"Procesando. Un momento por favor...", "Simulador TARNO-SIG en proceso...", "",
                      "Archivo MDT (DEM):      " + par.ArchivoDEM});
        obs.BarraEstado(FormatoHMS(0));
        resultado = CorrerModelo(en, estado);
    }
    // 9.
    obs.Mensajes({});
    obs.BarraEstado("Estado");
    obs.Ocupado(false);
    if (fin) *fin = resultado;
    return FinComando::Corrido;
}

}  // namespace tarno
