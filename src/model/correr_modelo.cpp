#include "model/correr_modelo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "model/cascada.h"
#include "model/divisorias.h"
#include "model/flujo_superficial.h"
#include "model/lluvia.h"
#include "model/orden_local.h"
#include "model/perdidas.h"
#include "model/reparto.h"
#include "model/resultados.h"
#include "model/unidades.h"
#include "raster/archivos.h"
#include "raster/numeros.h"

namespace tarno {

namespace {

const char* const kCRLF = "\r\n";
const char* const kSinPluviograma =
    "No hay archivo de Pluviograma de Pp seleccionado. Debe cargarlo primero desde menú Opciones, Ficha "
    "Parámetros";

// Any method other than the two: nothing is routed and no rain enters.
class RuteoNinguno {
public:
    static constexpr bool kLluviaEnNiveles = false;
    static constexpr bool kRecibeLluvia = false;
    static constexpr bool kConservaEntradas = false;
    static constexpr bool kParalelo = false;
    void PrepararPeriodo(float) {}
    void Rutear(int32_t, int32_t, float) {}
    bool FinPeriodo(double) { return true; }
    double TomarSalidaBorde() { return 0; }
};

// Calls `f` with the two flags as compile-time constants, so that each
// combination of the run's options gets its own period loop.
template <class F>
void ConOpciones(bool a, bool b, F&& f) {
    if (a) {
        if (b)
            f(std::true_type{}, std::true_type{});
        else
            f(std::true_type{}, std::false_type{});
    } else {
        if (b)
            f(std::false_type{}, std::true_type{});
        else
            f(std::false_type{}, std::false_type{});
    }
}

// Row or column of a section cell: the whole part of `avance` past `inicio`.
// A position beyond the 32-bit range lies outside every grid: 0.
inline int32_t CeldaDeSeccion(double avance, int32_t inicio) {
    const double v = std::floor(avance) + static_cast<double>(inicio);
    if (!(v >= static_cast<double>(INT32_MIN) && v <= static_cast<double>(INT32_MAX))) return 0;
    return static_cast<int32_t>(v);
}

// One run of the model, in phases: prepare (checks, grids, section, progress
// window, start values, board, order), the periods, and close (maxima,
// storage, texts, files, board, end message). Each phase that can end the
// run returns how; `std::nullopt` means go on.
class Corrida {
public:
    Corrida(EntornoCorrida& en, EstadoCorrida& e)
        : en_(en),
          e_(e),
          par_(en.par),
          g_(en.grillas),
          plat_(en.plataforma),
          obs_(en.observador),
          filas_(en.img.NroFilas),
          columnas_(en.img.NroColumnas),
          pizarra_(en.observador.MuestraPizarra()),
          perdidas_(en.par) {}

    FinCorrida Ejecutar() {
        if (auto fin = Preparar()) return *fin;
        const bool abierto = par_.BordeAbierto == 1;
        std::optional<FinCorrida> fin;
        switch (par_.Metodo) {
            case 0: {
                ConOpciones(abierto, porCelda_, [&](auto a, auto c) {
                    if (CascadaEnOrdenPosible()) {
                        CascadaEnOrden ruteo(par_);
                        seccionEnOrden_ = seccion_;
                        if (ruteo.Preparar(g_, e_.orden, reparto_, seccionEnOrden_)) {
                            // The cascade keeps no inflows: cleared once, as pass 1
                            // in the grids clears them every period.
                            g_.QEntrada.Llenar(0.0f);
                            e_.EnOrden = true;
                            // The grids get the cells' values back however the periods end.
                            struct Devolucion {
                                CascadaEnOrden& r;
                                GrillasModelo& g;
                                ~Devolucion() { r.Devolver(g); }
                            } devolucion{ruteo, g_};
                            fin = Periodos<decltype(c)::value>(ruteo);
                            return;
                        }
                    }
                    RuteoCascadaCon<decltype(a)::value> ruteo(g_, par_);
                    fin = Periodos<decltype(c)::value>(ruteo);
                });
                break;
            }
            case 1: {
                const double minutosLluvia = par_.PpArchivo
                                                 ? static_cast<double>(en_.pluviograma.NroDatos) * en_.pluviograma.Paso
                                                 : static_cast<double>(par_.Dur);
                auto correr = [&](auto& ruteo, auto c) {
                    fin = Periodos<decltype(c)::value>(ruteo);
                    if (fin == FinCorrida::Inestable) {
                        // Abandoned: no result file is written. The summary shows
                        // the water the grid held when the run was stopped.
                        e_.AlmacenamientoSup = static_cast<float>(ruteo.estabilidad.AguaAlmacenada());
                        plat_.Mensaje(ruteo.estabilidad.Mensaje(e_.Periodo), kTituloCorrida, Icono::Advertencia);
                        obs_.CerrarProgreso();
                    }
                };
                ConOpciones(abierto, par_.ConservarMasa == 1, [&](auto a, auto m) {
                    RuteoFlujoCon<decltype(a)::value, decltype(m)::value> ruteo(g_, par_, celdasCuenca_, minutosLluvia);
                    if (porCelda_)
                        correr(ruteo, std::true_type{});
                    else
                        correr(ruteo, std::false_type{});
                });
                break;
            }
            default: {
                RuteoNinguno ruteo;
                fin = Periodos<false>(ruteo);
                break;
            }
        }
        if (fin) return *fin;
        return Cerrar();
    }

private:
    // ---- Prepare ----

    std::optional<FinCorrida> Preparar() {
        e_.Reiniciar();
        // Parameters a run would divide by, and a grid that is not the DEM's.
        std::string rechazo = ValidarParametrosCorrida(par_, filas_, columnas_);
        if (rechazo.empty() && (g_.Cota.Filas() != filas_ || g_.Cota.Columnas() != columnas_ || g_.Cota.Vacia()))
            rechazo =
                "El MDT cargado no coincide con la cabecera leída. Vuelva a cargar el archivo MDT desde menú "
                "Opciones, Ficha Parámetros.";
        if (rechazo.empty() && par_.Metodo == 1 && par_.PpArchivo)
            if (Resultado r = ValidarPluviogramaFlujo(en_.pluviograma); !r) rechazo = r.mensaje;
        if (!rechazo.empty()) {
            plat_.Mensaje(rechazo, kTituloCorrida, Icono::Advertencia);
            return FinCorrida::Rechazada;
        }
        if (auto fin = Grillas()) return fin;
        if (par_.Perdidas == 2 && !par_.ArchivoNumeroCurva.empty() && par_.Metodo >= 0 && par_.Metodo <= 1) {
            // One curve number per cell: every cell gets its own excess.
            Resultado r = LeerRetencionesSCS(par_.ArchivoNumeroCurva, par_.DirDEM, g_.Cota, retencion_);
            if (!r) {
                plat_.Mensaje(r.mensaje, kTituloCorrida, Icono::Advertencia);
                return FinCorrida::Rechazada;
            }
            lluviaCelda_.Redimensionar(filas_, columnas_);
            porCelda_ = true;
        }
        if (auto fin = Seccion()) return fin;

        obs_.AbrirProgreso(kTituloProgresoCorrida, kCorriendoSimulador);
        e_.HoraInicio = static_cast<float>(plat_.Hora());

        obs_.LimpiarPizarra();
        if (pizarra_)
            e_.TextoPizarra = "Hidrograma en Pixel Fila: " + TextoBlanco(par_.fHidro1) +
                              "  Col: " + TextoBlanco(par_.cHidro1) + kCRLF;

        try {
            e_.ordenReconstruido = PrepararOrden(en_.carpetaCache, par_.ArchivoDEM, g_.Cota, e_.orden,
                                                  !en_.cacheSoloLectura);
            e_.ordenPreparado = true;
            n_ = e_.orden.Tamano();
            SeccionEnElOrden();
            // Rearranged for the memory, with the same results; without the
            // memory for that the order is prepared again and kept as it is.
            // (A run of one or two periods is over before that pays.)
            if (par_.nPer >= 3 || par_.PasoAutomatico == 1) {
                ElegirLotes();
                if (!(DosHilosPosibles() ? DosHilos()
                                         : OrdenLocal(e_.orden, filas_, columnas_, Encadenadas(), nullptr, Lotes(),
                                                      anchoLote_))) {
                    PrepararOrden(en_.carpetaCache, par_.ArchivoDEM, g_.Cota, e_.orden, false);
                    lotes_.clear();
                    anchoLote_ = 0;
                }
            }
        } catch (const std::bad_alloc&) {
            plat_.Mensaje("No hay memoria suficiente para el orden de proceso de las celdas.", kTituloCorrida,
                          Icono::Advertencia);
            obs_.CerrarProgreso();
            return FinCorrida::SinMemoria;
        }

        // Basin cells, and those that receive the rain (for the rain volume).
        for (int32_t i = 1; i <= filas_; ++i)
            for (int32_t j = 1; j <= columnas_; ++j) {
                if (!(g_.Cota(i, j) > 0)) continue;
                ++celdasCuenca_;
                if (FueraDelArea(i, j)) continue;
                ++celdasConLluvia_;
            }
        // The water surface starts on the ground, with no depth yet.
        for (int32_t i = 0; i <= filas_; ++i)
            for (int32_t j = 0; j <= columnas_; ++j) g_.Nivel(i, j) = static_cast<double>(g_.Cota(i, j));
        g_.HMax.Llenar(0.0f);
        return std::nullopt;
    }

    // The model grids and the period lists of this run.
    std::optional<FinCorrida> Grillas() {
        const int32_t nPer = par_.nPer > 0 ? par_.nPer : 0;
        try {
            g_.Nivel.Redimensionar(filas_, columnas_);
            g_.HMax.Redimensionar(filas_, columnas_);
            g_.AporteCascada.Redimensionar(filas_, columnas_);
            g_.QSalida.Redimensionar(filas_, columnas_);
            g_.QEntrada.Redimensionar(filas_, columnas_);
            g_.QMax.Redimensionar(filas_, columnas_);
            e_.QPeriodo.assign(static_cast<size_t>(nPer) + 1, 0.0f);
            e_.Hidrograma.assign(static_cast<size_t>(nPer) + 2, 0.0f);
        } catch (const std::bad_alloc&) {
            g_.Nivel.Liberar();
            g_.HMax.Liberar();
            g_.AporteCascada.Liberar();
            g_.QSalida.Liberar();
            g_.QEntrada.Liberar();
            g_.QMax.Liberar();
            plat_.Mensaje("No hay memoria suficiente para las grillas del modelo (" + NumeroArchivo(filas_) +
                              " filas x " + NumeroArchivo(columnas_) + " columnas).",
                          kTituloCorrida, Icono::Advertencia);
            return FinCorrida::SinMemoria;
        }
        return std::nullopt;
    }

    // ---- Section ----

    // The hydrograph section: the cells the rule produces (lists sized to
    // them). A section none of whose cells lies on the DEM inside the basin
    // would give an all-zero hydrograph: the user is told before the run.
    std::optional<FinCorrida> Seccion() {
        // Spans in 64 bits: any pair of 32-bit ends gives a valid span.
        const int64_t nF = static_cast<int64_t>(par_.fHidro2) - par_.fHidro1 + 1;
        const int64_t nC = static_cast<int64_t>(par_.cHidro2) - par_.cHidro1 + 1;
        e_.SeccionFila.assign(1, 0);
        e_.SeccionColumna.assign(1, 0);
        e_.NroCeldasSeccion = 0;
        if (!(par_.fHidro1 > 0 && par_.cHidro1 > 0)) return std::nullopt;
        if (nC < nF) {
            // Cells past the last row are never routed: the list stops there.
            const int32_t hasta = std::min(par_.fHidro2, filas_);
            for (int32_t i = par_.fHidro1; i <= hasta; ++i) {
                const int32_t j = CeldaDeSeccion(static_cast<double>(nC) / static_cast<double>(nF) * (i - par_.fHidro1),
                                                 par_.cHidro1);
                e_.SeccionFila.push_back(i);
                e_.SeccionColumna.push_back(j);
            }
        } else {
            const int32_t hasta = std::min(par_.cHidro2, columnas_);
            for (int32_t j = par_.cHidro1; j <= hasta; ++j) {
                const int32_t i = CeldaDeSeccion(static_cast<double>(nF) / static_cast<double>(nC) * (j - par_.cHidro1),
                                                 par_.fHidro1);
                e_.SeccionFila.push_back(i);
                e_.SeccionColumna.push_back(j);
            }
        }
        e_.NroCeldasSeccion = static_cast<int32_t>(e_.SeccionFila.size()) - 1;
        bool alguna = false;
        for (int32_t m = 1; m <= e_.NroCeldasSeccion && !alguna; ++m) {
            const int32_t i = e_.SeccionFila[static_cast<size_t>(m)];
            const int32_t j = e_.SeccionColumna[static_cast<size_t>(m)];
            alguna = i >= 1 && i <= filas_ && j >= 1 && j <= columnas_ && g_.Cota(i, j) > 0;
        }
        if (!alguna && plat_.Mensaje(TextoSeccionFuera(par_, filas_, columnas_), kTituloCorrida, Icono::Advertencia,
                                     Botones::AceptarCancelar) != Respuesta::Aceptar)
            return FinCorrida::Rechazada;
        return std::nullopt;
    }

    // Routing over a closed basin is shared by two threads when the
    // machine has two and the order lends itself (TARNO_HILOS=1 keeps one).
    bool DosHilosPosibles() const {
        if (!((par_.Metodo == 0 || par_.Metodo == 1) && par_.BordeAbierto != 1)) return false;
        const char* hilos = std::getenv("TARNO_HILOS");
        return ProcesadoresDisponibles() >= 2 && !(hilos && std::string(hilos) == "1");
    }
    // The order placed in rounds of one cell of each half of a cut, and the
    // second thread when that pays. False when the memory for the order was
    // not there.
    bool DosHilos() {
        const bool primero = columnas_ >= filas_;
        for (const bool porColumnas : {primero, !primero}) {
            const CorteMitades corte = CorteDeLaCuenca(g_.Cota, porColumnas);
            if (!OrdenLocal(e_.orden, filas_, columnas_, Encadenadas(), &corte, Lotes(), anchoLote_)) return false;
            reparto_ = RepartirOrden(e_.orden, g_.Cota, corte);
            if (reparto_.activo) break;
        }
        if (!reparto_.activo) return true;
        try {
            pareja_ = std::make_unique<ParejaHilos>();
            e_.Hilos = 2;
        } catch (const std::system_error&) {
            reparto_ = RepartoDos{};
        }
        return true;
    }

    // The surface-flow method over a closed basin routes cells that lie
    // apart several at a time where the processor has the vector registers
    // for it: the order is then placed in groups of cells ready together.
    void ElegirLotes() {
        anchoLote_ = 0;
        lotes_.clear();
        if (par_.Metodo != 1 || par_.BordeAbierto == 1) return;
        if (par_.ConservarMasa == 1)
            KernelFlujoLoteCon<true>(anchoLote_);
        else
            KernelFlujoLoteCon<false>(anchoLote_);
    }
    std::vector<uint8_t>* Lotes() { return anchoLote_ > 0 ? &lotes_ : nullptr; }

    // The cascade keeps its grids in the processing order for the run
    // (`CascadaEnOrden`) when the order was rearranged and
    // the 48 bytes per cell it takes besides the grids stay within bounds:
    // larger grids are routed in place. TARNO_EN_ORDEN=0 keeps every run in place.
    static constexpr int64_t kCeldasEnOrdenMax = int64_t{1} << 23;
    bool CascadaEnOrdenPosible() const {
        const char* x = std::getenv("TARNO_EN_ORDEN");
        return par_.Metodo == 0 && par_.nPer >= 3 && n_ <= kCeldasEnOrdenMax &&
               !(x && std::string(x) == "0");
    }

    // Cells whose routing adds to a total of the run in the order: with an
    // open edge, the cells that have a side open.
    std::vector<uint32_t> Encadenadas() const {
        if (par_.BordeAbierto == 1) return CeldasConLadoAbierto(g_.Cota);
        return {};
    }

    // The section cells in the processing order (their sums are kept in it),
    // by grid index. Every cell appears at most once in the section (one cell
    // per row or per column).
    void SeccionEnElOrden() {
        seccion_.clear();
        if (e_.NroCeldasSeccion > 0) {
            std::unordered_map<int64_t, int32_t> celdaSeccion;
            for (int32_t m = 1; m <= e_.NroCeldasSeccion; ++m) {
                const int32_t i = e_.SeccionFila[static_cast<size_t>(m)];
                const int32_t j = e_.SeccionColumna[static_cast<size_t>(m)];
                if (i >= 1 && i <= filas_ && j >= 1 && j <= columnas_)
                    celdaSeccion.emplace(static_cast<int64_t>(g_.Cota.Indice(i, j)), m);
            }
            for (int64_t k = 1; k <= n_ && !celdaSeccion.empty(); ++k) {
                const size_t idx = g_.Cota.Indice(e_.orden.Fila[static_cast<size_t>(k)],
                                                  e_.orden.Columna[static_cast<size_t>(k)]);
                if (celdaSeccion.erase(static_cast<int64_t>(idx)) > 0) seccion_.push_back(idx);
            }
        }
        // The board log grows by one line per section cell and period.
        if (pizarra_) {
            const size_t nPer = static_cast<size_t>(par_.nPer > 0 ? par_.nPer : 0);
            e_.TextoPizarra.reserve(e_.TextoPizarra.size() +
                                    std::min<size_t>(seccion_.size() * nPer * 40, size_t{64} << 20));
        }
    }

    // Section accounting after routing the cell at `idx` (a section cell),
    // whose outflow and largest depth are `qSalida` and `hMax`.
    void ContarSeccion(size_t idx, float qSalida, float hMax) {
        float& q = e_.QPeriodo[static_cast<size_t>(e_.Periodo)];
        q = static_cast<float>(static_cast<double>(q) + Redondear(qSalida, 3));
        if (q < e_.QSeccionMin) e_.QSeccionMin = q;
        if (q > e_.QSeccionMax) e_.QSeccionMax = q;
        const double nivelMax = Redondear(static_cast<double>(g_.Cota.Datos()[idx]) + static_cast<double>(hMax), 3);
        if (static_cast<double>(e_.NivelMaxSeccion) < nivelMax) e_.NivelMaxSeccion = static_cast<float>(nivelMax);
        // PasoPp x Q x 60 is Q x PasoPp x 60 exactly (a product of two numbers commutes).
        e_.Escorrentia = static_cast<float>(static_cast<double>(e_.Escorrentia) + VolumenPaso(qSalida, par_.PasoPp));
        if (!pizarra_) return;
        e_.TextoPizarra += kCRLF;
        e_.TextoPizarra += TextoBlanco(Redondear(static_cast<double>(par_.PasoPp) * e_.Periodo, 2));
        e_.TextoPizarra += "     ";
        e_.TextoPizarra += TextoBlanco(static_cast<float>(Redondear(qSalida, 3)));
        e_.TextoPizarra += "     ";
        e_.TextoPizarra += TextoBlanco(static_cast<float>(Redondear(hMax, 3)));
    }

    bool FueraDelArea(int32_t i, int32_t j) const {
        return par_.AreaPp == 1 && (i < par_.Py1 || i > par_.Py2 || j < par_.Px1 || j > par_.Px2);
    }

    // ---- Periods ----

    template <bool kPorCelda, class Ruteo>
    std::optional<FinCorrida> Periodos(Ruteo& ruteo) {
        const double areaCelda = static_cast<double>(par_.ResolucionX) * static_cast<double>(par_.ResolucionY);
        e_.Periodo = 1;
        e_.HoraControl = e_.HoraActual = static_cast<float>(plat_.Hora());
        while (e_.Periodo <= par_.nPer) {
            if (auto fin = TiempoDeEspera()) return fin;
            if (e_.Periodo % 10 == 0) {
                e_.Avance = RedondearEntero(static_cast<double>(e_.Periodo) / par_.nPer * 100.0);
                obs_.Progreso(e_.Avance, "Período = " + TextoBlanco(e_.Periodo) + " / " + TextoBlanco(par_.nPer),
                              "Tiempo de proceso: " +
                                  FormatoHMS(static_cast<double>(e_.HoraControl) - static_cast<double>(e_.HoraInicio)));
            }
            if (auto fin = LluviaDelPeriodo()) return fin;
            const float lluvia = e_.LluviaPeriodo;
            // The rain the routing receives: what the losses leave of it.
            float efectiva = lluvia;
            if constexpr (Ruteo::kRecibeLluvia)
                if (perdidas_.Activo()) efectiva = PerdidasDelPeriodo<kPorCelda>(lluvia, areaCelda);
            const double lluviaVolumen =
                static_cast<double>(celdasConLluvia_) * (static_cast<double>(lluvia) / 1000.0) * areaCelda;
            if (!PasoAutomatico(ruteo)) {
                PasoUno<Ruteo, kPorCelda>(ruteo, efectiva);
                if constexpr (Ruteo::kRecibeLluvia) e_.VolumenLluvia += lluviaVolumen;
                UmbralesDivisorias(lluvia);
                ruteo.PrepararPeriodo(efectiva);
                PasoDos<Ruteo, kPorCelda>(ruteo, efectiva, true);
            } else if constexpr (requires { ruteo.PrepararSubpaso(0.0f, 0.0f); }) {
                if constexpr (Ruteo::kRecibeLluvia) e_.VolumenLluvia += lluviaVolumen;
                UmbralesDivisorias(lluvia);
                Subpasos<Ruteo, kPorCelda>(ruteo, efectiva);
            }
            e_.VolumenSalidaBorde += ruteo.TomarSalidaBorde();
            if (!ruteo.FinPeriodo(lluviaVolumen)) {
                e_.PeriodosHechos = e_.Periodo;
                return FinCorrida::Inestable;
            }
            e_.PeriodosHechos = e_.Periodo;
            ++e_.Periodo;
            obs_.FinPeriodo();
        }
        return std::nullopt;
    }

    // Losses of the period: the loss volume is counted and the excess
    // returned (a raster of curve numbers leaves each cell's excess in
    // lluviaCelda_).
    template <bool kPorCelda>
    float PerdidasDelPeriodo(float lluvia, double areaCelda) {
        const float exceso = perdidas_.Exceso(lluvia);
        if constexpr (!kPorCelda) {
            e_.VolumenPerdidas += static_cast<double>(celdasConLluvia_) *
                                  ((static_cast<double>(lluvia) - static_cast<double>(exceso)) / 1000.0) * areaCelda;
        } else {
            double perdida = 0;
            for (int32_t i = 1; i <= filas_; ++i)
                for (int32_t j = 1; j <= columnas_; ++j) {
                    float& x = lluviaCelda_(i, j);
                    if (!(g_.Cota(i, j) > 0) || FueraDelArea(i, j)) {
                        x = 0;
                        continue;
                    }
                    x = perdidas_.ExcesoCelda(lluvia, retencion_(i, j));
                    perdida += static_cast<double>(lluvia) - static_cast<double>(x);
                }
            e_.VolumenPerdidas += perdida / 1000.0 * areaCelda;
        }
        return exceso;
    }

    // The automatic step (surface flow only).
    template <class Ruteo>
    bool PasoAutomatico(const Ruteo&) const {
        if constexpr (requires(Ruteo & r) { r.PrepararSubpaso(0.0f, 0.0f); })
            return par_.PasoAutomatico == 1;
        else
            return false;
    }

    // Sub-steps a velocity `v` [m/s] needs over `minutos` to keep the Courant
    // number within `Courant`.
    int32_t SubpasosPara(double v, double minutos) const {
        const double lado = std::min(par_.ResolucionX, par_.ResolucionY);
        const double n = std::ceil(v * minutos * 60.0 / (static_cast<double>(par_.Courant) * lado));
        if (!(n > 1)) return 1;
        return n < kMaxSubpasos ? static_cast<int32_t>(n) : kMaxSubpasos;
    }

    // One period of the automatic step: cut into as many equal sub-steps as
    // the fastest velocity of the last period needs; when a sub-step finds the
    // flow faster than that, the rest of the period is cut again. The rain of
    // the period is shared in proportion to the sub-steps' lengths; the
    // hydrograph takes the section at the end of the period and the section's
    // peak is the largest of every sub-step.
    template <class Ruteo, bool kPorCelda>
    void Subpasos(Ruteo& ruteo, float efectiva) {
        const double periodo = par_.PasoPp;
        double restante = periodo;
        int32_t n = SubpasosPara(velocidadAnterior_, restante);
        float vPeriodo = 0;
        if constexpr (kPorCelda) lluviaCeldaPeriodo_.assign(lluviaCelda_.Vector().begin(), lluviaCelda_.Vector().end());
        double fraccionCelda = 1;
        while (n > 0) {
            const double pasoSub = restante / n;
            const float paso = static_cast<float>(pasoSub);
            if constexpr (Ruteo::kConservaEntradas) {
                // Inflows kept from the last step are discharges over its
                // length: a step of another length takes the same volumes.
                if (pasoAnterior_ > 0 && paso != pasoAnterior_) {
                    const double f = static_cast<double>(pasoAnterior_) / static_cast<double>(paso);
                    for (float& q : g_.QEntrada.Vector()) q = static_cast<float>(static_cast<double>(q) * f);
                }
                pasoAnterior_ = paso;
            }
            const double fraccion = pasoSub / periodo;
            const float parte = static_cast<float>(static_cast<double>(efectiva) * fraccion);
            if constexpr (kPorCelda) {
                if (fraccion != fraccionCelda) {
                    for (size_t k = 0; k < lluviaCeldaPeriodo_.size(); ++k)
                        lluviaCelda_.Vector()[k] =
                            static_cast<float>(static_cast<double>(lluviaCeldaPeriodo_[k]) * fraccion);
                    fraccionCelda = fraccion;
                }
            }
            PasoUno<Ruteo, kPorCelda>(ruteo, parte);
            ruteo.PrepararSubpaso(parte, paso);
            qSubpaso_ = 0;
            const bool ultimo = n == 1;
            PasoDos<Ruteo, kPorCelda>(ruteo, parte, ultimo);
            if (!ultimo && !seccion_.empty() && qSubpaso_ > e_.QSeccionMax) e_.QSeccionMax = qSubpaso_;
            const float v = ruteo.Velocidad();
            if (v > vPeriodo) vPeriodo = v;
            restante -= pasoSub;
            --n;
            if (n > 0) n = std::max(n, SubpasosPara(v, restante));
        }
        ruteo.FijarVelocidad(vPeriodo);
        velocidadAnterior_ = vPeriodo;
    }
    static constexpr int32_t kMaxSubpasos = 100000;

    // A period that took more than 43.2 s asks whether to go on.
    std::optional<FinCorrida> TiempoDeEspera() {
        e_.HoraActual = static_cast<float>(plat_.Hora());
        if (static_cast<double>(e_.HoraActual) - static_cast<double>(e_.HoraControl) > 0.0005) {
            Respuesta r = plat_.Mensaje("Se ha superado el tiempo de espera, desea continuar ?", "Tiempo de Espera...",
                                        Icono::Ninguno, Botones::SiNo);
            if (r != Respuesta::Si) {
                plat_.Mensaje("Se ha suspendido la corrida del modelo, los resultados obtenidos no son válidos...");
                return FinCorrida::Suspendida;
            }
        }
        e_.HoraControl = static_cast<float>(plat_.Hora());
        return std::nullopt;
    }

    // Rain of the step: the design storm until it ends, or the hyetograph.
    std::optional<FinCorrida> LluviaDelPeriodo() {
        if (!par_.PpArchivo) {
            e_.LluviaPeriodo = LluviaTormentaDiseno(par_, e_.Periodo);
            return std::nullopt;
        }
        LluviaPluviograma r = LluviaDePluviograma(par_, en_.pluviograma, e_.Periodo, e_.LluviaPeriodo);
        if (r == LluviaPluviograma::Bien) return std::nullopt;
        plat_.Mensaje(kSinPluviograma, "Error, falta archivo...", Icono::Advertencia);
        if (r == LluviaPluviograma::PasoMayor) obs_.CerrarProgreso();
        return FinCorrida::SinPluviograma;
    }

    // Pass 1: every cell on its own, walked in memory order: the cascade's
    // received water and the inflows cleared, and the rain added to the
    // levels when the method takes it there.
    template <class Ruteo, bool kPorCelda>
    void PasoUno(Ruteo& ruteo, float lluvia) {
        if constexpr (std::is_same_v<Ruteo, CascadaEnOrden>) {
            // The cells by their positions, each thread its own stretch.
            if (pareja_)
                pareja_->Ejecutar([&](int hilo) {
                    PasoUnoEnOrden<kPorCelda>(ruteo, lluvia, ruteo.TramoDe(hilo).desde, ruteo.TramoDe(hilo).hasta);
                });
            else
                PasoUnoEnOrden<kPorCelda>(ruteo, lluvia, 1, n_);
            return;
        }
        if (pareja_) {
            const int32_t mitad = filas_ / 2;
            pareja_->Ejecutar([&](int hilo) {
                if (hilo == 0)
                    PasoUnoFilas<Ruteo, kPorCelda>(lluvia, 1, mitad);
                else
                    PasoUnoFilas<Ruteo, kPorCelda>(lluvia, mitad + 1, filas_);
            });
        } else {
            PasoUnoFilas<Ruteo, kPorCelda>(lluvia, 1, filas_);
        }
    }

    template <bool kPorCelda>
    void PasoUnoEnOrden(CascadaEnOrden& ruteo, float lluvia, int64_t desde, int64_t hasta) {
        if (!kPorCelda && par_.AreaPp != 1) {
            for (int64_t p = desde; p <= hasta; ++p) ruteo.Llover(p, lluvia);
            return;
        }
        const size_t ancho = g_.Cota.Ancho();
        for (int64_t p = desde; p <= hasta; ++p) {
            const size_t idx = ruteo.Indice(p);
            float l = lluvia;
            if constexpr (kPorCelda)
                l = lluviaCelda_.Datos()[idx];
            else if (FueraDelArea(static_cast<int32_t>(idx / ancho), static_cast<int32_t>(idx % ancho)))
                l = 0;
            ruteo.Llover(p, l);
        }
    }

    template <class Ruteo, bool kPorCelda>
    void PasoUnoFilas(float lluvia, int32_t desde, int32_t hasta) {
        const size_t ancho = g_.Cota.Ancho();
        for (int32_t i = desde; i <= hasta; ++i) {
            const bool filaFuera = par_.AreaPp == 1 && (i < par_.Py1 || i > par_.Py2);
            double* nivel = g_.Nivel.Datos() + static_cast<size_t>(i) * ancho;
            float* aporte = g_.AporteCascada.Datos() + static_cast<size_t>(i) * ancho;
            float* qEntrada = g_.QEntrada.Datos() + static_cast<size_t>(i) * ancho;
            [[maybe_unused]] const float* lluviaCelda = nullptr;
            if constexpr (kPorCelda) lluviaCelda = lluviaCelda_.Datos() + static_cast<size_t>(i) * ancho;
            for (int32_t j = 1; j <= columnas_; ++j) {
                float l = lluvia;
                if (par_.AreaPp == 1 && (filaFuera || j < par_.Px1 || j > par_.Px2)) l = 0;
                if constexpr (kPorCelda) l = lluviaCelda[j];
                aporte[j] = 0;
                if constexpr (Ruteo::kLluviaEnNiveles) nivel[j] += static_cast<double>(l) / 1000.0;
                if constexpr (!Ruteo::kConservaEntradas) qEntrada[j] = 0;
            }
        }
    }

    // The automatic divide thresholds depend only on the period's unmasked
    // rain, the same for every cell.
    void UmbralesDivisorias(float lluvia) {
        if (!(n_ > 0 && lluvia != 0)) return;
        const double q = static_cast<double>(lluvia) * 4.0 * static_cast<double>(par_.ResolucionX) *
                         static_cast<double>(par_.ResolucionY) / static_cast<double>(par_.PasoPp) / 60000.0;
        if (par_.DivQmin == 0 && q < static_cast<double>(e_.QminAuto)) e_.QminAuto = static_cast<float>(q);
        if (par_.DivHmin == 0 && static_cast<double>(lluvia) / 1000.0 < static_cast<double>(e_.HminAuto))
            e_.HminAuto = static_cast<float>(static_cast<double>(lluvia) * 4.0 / 1000.0);
    }

    // Runs `paso(hilo, espera, fin, mio, otro, v)` on both threads: each
    // thread's waits, its own progress and the other's, and its fastest
    // velocity (written back once, then added to the method's).
    template <class Ruteo, class Paso>
    void EnDosHilos(Ruteo& ruteo, Paso&& paso) {
        avance_[0].k.store(0, std::memory_order_relaxed);
        avance_[1].k.store(0, std::memory_order_relaxed);
        float velocidad[2] = {0, 0};
        pareja_->Ejecutar([&](int hilo) {
            const std::vector<RepartoDos::Espera>& esperas = reparto_.esperas[hilo];
            float v = 0;
            paso(hilo, esperas.data(), esperas.data() + esperas.size(), avance_[hilo], avance_[1 - hilo], v);
            avance_[hilo].k.store(n_ + 1, std::memory_order_release);
            velocidad[hilo] = v;
        });
        if constexpr (requires { ruteo.SumarVelocidad(0.0f); }) {
            ruteo.SumarVelocidad(velocidad[0]);
            ruteo.SumarVelocidad(velocidad[1]);
        }
    }

    // Pass 2 over the cascade laid out in the order: each thread walks its
    // own stretch of positions, waiting where the other's cells come first.
    template <class Ruteo, bool kPorCelda>
        requires std::is_same_v<Ruteo, CascadaEnOrden>
    void PasoDos(Ruteo& ruteo, float /*lluviaPeriodo*/, bool contarSeccion) {
        if (pareja_) {
            EnDosHilos(ruteo, [&](int hilo, const RepartoDos::Espera*, const RepartoDos::Espera*, Avance& mio,
                                  const Avance& otro, float&) {
                const CascadaEnOrden::Vista vista = ruteo.Ver();
                const CascadaEnOrden::Tramo& tramo = ruteo.TramoDe(hilo);
                const RepartoDos::Espera* espera = tramo.esperas.data();
                const RepartoDos::Espera* const fin = espera + tramo.esperas.size();
                const int64_t hasta = tramo.hasta;
                for (int64_t p = tramo.desde; p <= hasta; ++p) {
                    if (espera != fin && espera->k == p) {
                        EsperarAvance(otro, espera->hasta);
                        ++espera;
                    }
                    vista.Rutear(p);
                    if (ruteo.Publica(p)) mio.k.store(p + 1, std::memory_order_release);
                }
            });
        } else if (ruteo.Abierto()) {
            // One thread: the outflow through the edge is a sum in the order.
            const CascadaEnOrden::Vista vista = ruteo.Ver();
            double salida = ruteo.SalidaBorde();
            for (int64_t p = 1; p <= n_; ++p) vista.RutearCon<true>(p, salida);
            ruteo.SalidaBorde() = salida;
        } else {
            const CascadaEnOrden::Vista vista = ruteo.Ver();
            for (int64_t p = 1; p <= n_; ++p) vista.Rutear(p);
        }
        SeccionDelPaso(ruteo, contarSeccion);
    }

    // Pass 2: every cell in the processing order is routed by the method,
    // and the section cells are counted as they are met.
    template <class Ruteo, bool kPorCelda>
        requires(!std::is_same_v<Ruteo, CascadaEnOrden>)
    void PasoDos(Ruteo& ruteo, float lluviaPeriodo, bool contarSeccion) {
        const int32_t* fila = e_.orden.Fila.data();
        const int32_t* columna = e_.orden.Columna.data();
        const float* cota = g_.Cota.Datos();
        double* nivel = g_.Nivel.Datos();
        float* qSalida = g_.QSalida.Datos();
        float* aporte = g_.AporteCascada.Datos();
        const size_t ancho = g_.Cota.Ancho();
        [[maybe_unused]] const float* lluviaCelda = nullptr;
        if constexpr (kPorCelda) lluviaCelda = lluviaCelda_.Datos();
        // The rain a method takes in each cell's own step (the cascade has it
        // in the levels already): the cell's, or the period's inside the rain area.
        const bool subArea = par_.AreaPp == 1;
        const int32_t py1 = par_.Py1, py2 = par_.Py2, px1 = par_.Px1, px2 = par_.Px2;
        auto lluviaDe = [=]([[maybe_unused]] int32_t i, [[maybe_unused]] int32_t j, [[maybe_unused]] size_t idx) {
            if constexpr (Ruteo::kLluviaEnNiveles)
                return 0.0f;
            else if constexpr (kPorCelda)
                return lluviaCelda[idx];
            else
                return subArea && (i < py1 || i > py2 || j < px1 || j > px2) ? 0.0f : lluviaPeriodo;
        };
        // Routes cell (i, j); a method that keeps a fastest velocity leaves
        // the cell's in `v` (each thread its own). It holds copies of what it
        // reads besides the grids, and each loop below takes a copy of it and
        // of its own bounds: the waits and the progress a thread publishes
        // would otherwise make the compiler read them again for every cell.
        auto rutear = [=, &ruteo](int32_t i, int32_t j, [[maybe_unused]] float& v) {
            const size_t idx = static_cast<size_t>(i) * ancho + static_cast<size_t>(j);
            if (cota[idx] > 0) {
                const float lluvia = lluviaDe(i, j, idx);
                if constexpr (requires { ruteo.RutearCelda(i, j, lluvia); }) {
                    const float vc = ruteo.RutearCelda(i, j, lluvia);
                    if (vc > v) v = vc;
                } else {
                    ruteo.Rutear(i, j, lluvia);
                }
            } else {
                qSalida[idx] = 0;
                nivel[idx] = 0;
                aporte[idx] = 0;
            }
        };
        // Routes the `m` cells from position k, which lie apart, side by side.
        [[maybe_unused]] auto rutearLote = [=, &ruteo](int64_t k, int m, float& v) {
            static_cast<void>(ruteo);  // only a method that routes groups uses it
            if constexpr (requires { ruteo.RutearLote(nullptr, 0); }) {
                CeldaActual celdas[kMaxCeldasPorLote];
                int n = 0;
                for (int r = 0; r < m; ++r) {
                    const int32_t i = fila[k + r];
                    const int32_t j = columna[k + r];
                    const size_t idx = static_cast<size_t>(i) * ancho + static_cast<size_t>(j);
                    if (cota[idx] > 0) {
                        celdas[n++] = CeldaActual{i, j, lluviaDe(i, j, idx)};
                    } else {
                        qSalida[idx] = 0;
                        nivel[idx] = 0;
                        aporte[idx] = 0;
                    }
                }
                if (n > 0) {
                    const float vc = ruteo.RutearLote(celdas, n);
                    if (vc > v) v = vc;
                }
            }
        };
        bool enLotes = false;
        if constexpr (requires { ruteo.RutearLote(nullptr, 0); })
            enLotes = !lotes_.empty() && ruteo.AnchoLote() == anchoLote_;
        bool hecho = false;
        if constexpr (Ruteo::kParalelo) {
            if (pareja_ && enLotes) {
                // The same by groups: a group lies in one half, and its cells
                // wait for the other thread where any of them must.
                EnDosHilos(ruteo, [&](int hilo, const RepartoDos::Espera* espera, const RepartoDos::Espera* fin,
                                      Avance& mio, const Avance& otro, float& v) {
                    const auto rutearAqui = rutearLote;
                    const int32_t* const fi = fila;
                    const int32_t* const co = columna;
                    const CorteMitades corte = reparto_.corte;
                    int64_t k = 1;
                    for (const uint8_t m : lotes_) {
                        const int64_t primera = k;
                        k += m;
                        if (corte.Mitad(fi[primera], co[primera]) != hilo) continue;
                        for (; espera != fin && espera->k < k; ++espera) EsperarAvance(otro, espera->hasta);
                        bool junto = false;
                        for (int64_t r = primera; r < k; ++r) junto = junto || corte.JuntoAlCorte(fi[r], co[r]);
                        rutearAqui(primera, m, v);
                        if (junto) mio.k.store(k, std::memory_order_release);
                    }
                });
                hecho = true;
            }
            if (pareja_ && !hecho) {
                // Each thread its half, waiting where the other's cells come first.
                EnDosHilos(ruteo, [&](int hilo, const RepartoDos::Espera* espera, const RepartoDos::Espera* fin,
                                      Avance& mio, const Avance& otro, float& v) {
                    const auto rutearAqui = rutear;
                    const int32_t* const fi = fila;
                    const int32_t* const co = columna;
                    const CorteMitades corte = reparto_.corte;
                    const int64_t n = n_;
                    for (int64_t k = 1; k <= n; ++k) {
                        const int32_t i = fi[k];
                        const int32_t j = co[k];
                        if (corte.Mitad(i, j) != hilo) continue;
                        if (espera != fin && espera->k == k) {
                            EsperarAvance(otro, espera->hasta);
                            ++espera;
                        }
                        rutearAqui(i, j, v);
                        if (corte.JuntoAlCorte(i, j)) mio.k.store(k + 1, std::memory_order_release);
                    }
                });
                hecho = true;
            }
        }
        if (!hecho && enLotes) {
            const auto rutearAqui = rutearLote;
            float velocidad = 0;
            int64_t k = 1;
            for (const uint8_t m : lotes_) {
                rutearAqui(k, m, velocidad);
                k += m;
            }
            if constexpr (requires { ruteo.SumarVelocidad(0.0f); }) ruteo.SumarVelocidad(velocidad);
            hecho = true;
        }
        if (!hecho) {
            const auto rutearAqui = rutear;
            const int64_t n = n_;
            float velocidad = 0;
            for (int64_t k = 1; k <= n; ++k) rutearAqui(fila[k], columna[k], velocidad);
            if constexpr (requires { ruteo.SumarVelocidad(0.0f); }) ruteo.SumarVelocidad(velocidad);
        }
        SeccionDelPaso(ruteo, contarSeccion);
    }

    // The section cells, in the processing order: what they read is written
    // only by their own routing, so they are counted after it.
    template <class Ruteo>
    void SeccionDelPaso([[maybe_unused]] const Ruteo& ruteo, bool contarSeccion) {
        for (size_t m = 0; m < seccion_.size(); ++m) {
            const size_t idx = seccion_[m];
            if (!(g_.Cota.Datos()[idx] > 0)) continue;
            float q, hMax;
            if constexpr (std::is_same_v<Ruteo, CascadaEnOrden>) {
                q = ruteo.QSalida(seccionEnOrden_[m]);
                hMax = ruteo.HMax(seccionEnOrden_[m]);
            } else {
                q = g_.QSalida.Datos()[idx];
                hMax = g_.HMax.Datos()[idx];
            }
            // A sub-step before the last of its period only adds to its section discharge.
            if (contarSeccion)
                ContarSeccion(idx, q, hMax);
            else
                qSubpaso_ = static_cast<float>(static_cast<double>(qSubpaso_) + Redondear(q, 3));
        }
    }

    // ---- Close ----

    FinCorrida Cerrar() {
        // Largest discharge of the run (QMax never decreases, so the largest
        // after the last period is the largest of the run).
        e_.QMaxMayor = 0;
        for (int32_t i = 1; i <= filas_; ++i)
            for (int32_t j = 1; j <= columnas_; ++j)
                if (g_.QMax(i, j) > e_.QMaxMayor) e_.QMaxMayor = g_.QMax(i, j);
        for (int32_t i = 1; i <= filas_; ++i)
            for (int32_t j = 1; j <= columnas_; ++j)
                if (g_.Cota(i, j) > 0 && g_.HMax(i, j) > e_.HMaxMayor) e_.HMaxMayor = g_.HMax(i, j);

        // Keeping the mass, the inflows that reached cells after their turn in
        // the last period are still on their way: they join their cells.
        if (par_.Metodo == 1 && par_.ConservarMasa == 1) {
            const double paso = SegundosPaso(pasoAnterior_ > 0 ? pasoAnterior_ : par_.PasoPp);
            const double area = static_cast<double>(par_.ResolucionX) * static_cast<double>(par_.ResolucionY);
            for (int32_t i = 1; i <= filas_; ++i)
                for (int32_t j = 1; j <= columnas_; ++j) {
                    float& q = g_.QEntrada(i, j);
                    if (g_.Cota(i, j) > 0 && q != 0) g_.Nivel(i, j) += static_cast<double>(q) * paso / area;
                    q = 0;
                }
        }

        // Water stored on the basin's surface (cells outside the basin hold no water).
        for (int32_t i = 1; i <= filas_; ++i)
            for (int32_t j = 1; j <= columnas_; ++j) {
                if (!(g_.Cota(i, j) > 0)) continue;
                e_.AlmacenamientoSup = static_cast<float>(static_cast<double>(e_.AlmacenamientoSup) +
                                                          (g_.Nivel(i, j) - static_cast<double>(g_.Cota(i, j))) *
                                                              static_cast<double>(par_.ResolucionX) *
                                                              static_cast<double>(par_.ResolucionY));
            }

        // Header texts.
        if (par_.Metodo == 1) {
            e_.SubtituloCorrida =
                "Pp=" + TextoBlanco(par_.Pp) + "mm  - D=" + TextoBlanco(static_cast<int>(par_.Dur)) +
                "min  - Paso=" + TextoBlanco(par_.PasoPp) + "min - Nro.Per.=" + TextoBlanco(par_.nPer) +
                " - nMann.=" + TextoBlanco(par_.Manning) + "  - Fac.Res.=" + TextoBlanco(par_.FactorRes) +
                "   - Esco[m3] = " + TextoBlanco(e_.AlmacenamientoSup);
        } else if (par_.PpArchivo) {
            e_.SubtituloCorrida = en_.pluviograma.Titulo;
        } else {
            e_.SubtituloCorrida = "Pp=" + TextoBlanco(par_.Pp) + "mm  - D=" + TextoBlanco(static_cast<int>(par_.Dur)) +
                                  "min  - Paso=" + TextoBlanco(par_.PasoPp) +
                                  "min - Nro.Per.=" + TextoBlanco(par_.nPer) +
                                  "  - KRec.=" + TextoBlanco(par_.KRecesion) +
                                  "   - Alm. Sup.[m3] = " + TextoBlanco(e_.AlmacenamientoSup);
        }
        e_.MetodoTexto =
            par_.Metodo == 1 ? "Método: Flujo Superf. Laminar y Turbulento en Canal" : "Método: TARNO-SIG Cascada";

        // Result files.
        Resultado escrito = EscribirResultados(par_, en_.img, g_, e_);
        if (escrito && par_.Div) {
            escrito = EscribirExploradorDivisorias(par_, g_, en_.img, e_.QminAuto, e_.HminAuto, e_.QMaxMayor);
            if (escrito) {
                const std::string dat = NombreExploradorDivisorias(par_);
                e_.ArchivosEscritos.push_back(dat);
                e_.ArchivosEscritos.push_back(NombreCabDe(dat));
            }
        }
        if (!escrito) {
            // The run is abandoned; files already written stay.
            plat_.Mensaje(escrito.mensaje);
            obs_.CerrarProgreso();
            return FinCorrida::ErrorArchivo;
        }

        // Board, closed by the volume balance of the run.
        if (pizarra_) {
            e_.TextoPizarra += kCRLF;
            e_.TextoPizarra += kCRLF;
            e_.TextoPizarra += "Balance de volumen [m3]: Lluvia caída =" + TextoBlanco(e_.VolumenLluvia) +
                               "  - Almacenamiento Sup. =" + TextoBlanco(e_.AlmacenamientoSup) +
                               "  - Diferencia =" + TextoDiferenciaVolumen(e_.VolumenLluvia, e_.AlmacenamientoSup);
            if (ModeloExtendido(par_)) {
                e_.TextoPizarra += kCRLF;
                e_.TextoPizarra += "Pérdidas =" + TextoBlanco(e_.VolumenPerdidas) +
                                   "  - Salida por el borde =" + TextoBlanco(e_.VolumenSalidaBorde) +
                                   "  - Diferencia del balance =" +
                                   TextoDiferenciaBalance(e_.VolumenLluvia, e_.VolumenPerdidas, e_.VolumenSalidaBorde,
                                                          e_.AlmacenamientoSup);
            }
        }
        obs_.Pizarra(e_.TextoPizarra);

        // End message.
        e_.MensajeFinal =
            std::string("Fin de la simulación. Los resultados se han grabado correctamente en los archivos") + kCRLF +
            "Tiempo de proceso: " +
            FormatoHMS(static_cast<double>(static_cast<float>(plat_.Hora())) - static_cast<double>(e_.HoraInicio));
        plat_.Mensaje(e_.MensajeFinal, "Final de Proceso", Icono::Advertencia);
        obs_.CerrarProgreso();
        return FinCorrida::Completa;
    }

    EntornoCorrida& en_;
    EstadoCorrida& e_;
    Parametros& par_;
    GrillasModelo& g_;
    Plataforma& plat_;
    ObservadorCorrida& obs_;
    const int32_t filas_;
    const int32_t columnas_;
    const bool pizarra_;  // the section log is built
    int64_t n_ = 0;       // cells in the processing order
    int64_t celdasCuenca_ = 0;
    int64_t celdasConLluvia_ = 0;
    int anchoLote_ = 0;             // cells routed side by side (0: one at a time)
    std::vector<uint8_t> lotes_;    // sizes of the order's groups of such cells
    RepartoDos reparto_;                    // the two threads' halves, when shared
    std::unique_ptr<ParejaHilos> pareja_;   // the second thread, when shared
    Avance avance_[2];
    std::vector<size_t> seccion_;  // grid indices of the section cells, in the processing order
    std::vector<size_t> seccionEnOrden_;  // their positions in the order, for a `CascadaEnOrden`
    ModeloPerdidas perdidas_;
    float qSubpaso_ = 0;                     // m3/s, section discharge of a sub-step
    float velocidadAnterior_ = 0;            // m/s, fastest velocity of the last period (automatic step)
    std::vector<float> lluviaCeldaPeriodo_;  // excess of the period per cell (automatic step)
    float pasoAnterior_ = 0;                 // min, step of the last period's sub-steps (kept inflows)
    bool porCelda_ = false;                  // one curve number per cell
    Grilla<float> retencion_;                // SCS retention S of every cell, mm
    Grilla<float> lluviaCelda_;              // excess of the period on every cell, mm
};

}  // namespace

std::string ValidarParametrosCorrida(const Parametros& par, int32_t filas, int32_t columnas) {
    if (filas <= 0 || columnas <= 0)
        return "No hay un MDT cargado para correr el modelo. Cargue el archivo MDT desde menú Opciones, Ficha "
               "Parámetros.";
    if (!(par.PasoPp > 0))
        return "El Paso de Calculo del Modelo [min] debe ser mayor que cero (valor actual:" + TextoBlanco(par.PasoPp) +
               "). Corríjalo en menú Opciones, Ficha Parámetros.";
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
    if (par.Perdidas == 2 && !(par.NumeroCurva >= 1 && par.NumeroCurva <= 100))
        return "NumeroCurva: el número de curva debe estar entre 1 y 100 (valor actual:" +
               TextoBlanco(par.NumeroCurva) + "). Corríjalo en menú Opciones, Ficha Extensiones.";
    if (par.Metodo == 1 && par.PasoAutomatico == 1 && !(par.Courant > 0))
        return "Courant: el número de Courant del paso automático debe ser mayor que cero (valor actual:" +
               TextoBlanco(par.Courant) + "). Corríjalo en menú Opciones, Ficha Extensiones.";
    return {};
}

std::string TextoSeccionFuera(const Parametros& par, int32_t filas, int32_t columnas) {
    return "La sección del hidrograma (Fila" + TextoBlanco(par.fHidro1) + " Col" + TextoBlanco(par.cHidro1) +
           " a Fila" + TextoBlanco(par.fHidro2) + " Col" + TextoBlanco(par.cHidro2) +
           ") no tiene celdas dentro del MDT (" + TextoBlanco(filas) + " filas x" + TextoBlanco(columnas) +
           " columnas) y de la cuenca: el hidrograma y su caudal máximo no tendrán valores." + kCRLF +
           "Acepte para correr el modelo de todos modos o cancele para corregir la sección en menú Opciones.";
}

// Any failure inside a run is shown and abandons the run; the application
// goes on and files already written stay.
FinCorrida CorrerModelo(EntornoCorrida& en, EstadoCorrida& e) {
    try {
        return Corrida(en, e).Ejecutar();
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

std::string TextoDiferenciaVolumen(double lluvia, double almacenado) {
    return TextoDiferenciaBalance(lluvia, 0, 0, almacenado);
}

bool ModeloExtendido(const Parametros& par) {
    return par.Perdidas != 0 || par.BordeAbierto != 0 ||
           (par.Metodo == 1 && (par.ConservarMasa != 0 || par.PasoAutomatico != 0));
}

std::string TextoDiferenciaBalance(double lluvia, double perdidas, double salida, double almacenado) {
    const double diferencia = lluvia - perdidas - salida - almacenado;
    std::string t = TextoBlanco(static_cast<float>(diferencia));
    if (lluvia > 0) t += " (" + TextoBlanco(static_cast<float>(Redondear(diferencia / lluvia * 100.0, 2))) + " %)";
    return t;
}

}  // namespace tarno
