#include "model/resumen.h"

#include <charconv>
#include <cmath>

#include "raster/archivos.h"

namespace tarno {

ResumenCorrida ArmarResumen(FinCorrida fin, const EstadoCorrida& estado, const Parametros& par,
                            const ImagenActual& img, double segundos) {
    ResumenCorrida r;
    r.completa = fin == FinCorrida::Completa;
    r.periodos = estado.PeriodosHechos;
    r.periodosPedidos = par.nPer;
    r.segundos = segundos;
    r.celdas = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    r.celdasPeriodoPorSegundo = segundos > 0 ? static_cast<double>(r.celdas) * r.periodos / segundos : 0.0;
    r.lluvia = estado.VolumenLluvia;
    r.perdidas = estado.VolumenPerdidas;
    r.salidaBorde = estado.VolumenSalidaBorde;
    r.almacenado = static_cast<double>(estado.AlmacenamientoSup);
    r.diferencia = r.lluvia - r.perdidas - r.salidaBorde - r.almacenado;
    if (r.completa) {
        r.qMaxSeccion = static_cast<double>(estado.QSeccionMax);
        r.qMaxCelda = static_cast<double>(estado.QMaxMayor);
        r.alturaMax = static_cast<double>(estado.HMaxMayor);
    }
    return r;
}

namespace {

std::string NumeroJson(double v) {
    if (!std::isfinite(v)) return "null";
    char b[64];
    // A figure the run kept in single precision prints as that float's
    // shortest form (0.0016666667, not 0.0016666667070239782).
    const float f = static_cast<float>(v);
    auto [fin, ec] = static_cast<double>(f) == v ? std::to_chars(b, b + sizeof b, f) : std::to_chars(b, b + sizeof b, v);
    return ec == std::errc{} ? std::string(b, fin) : std::string("null");
}

std::string NumeroJson(const std::optional<double>& v) { return v ? NumeroJson(*v) : std::string("null"); }

}  // namespace

std::string TextoResumenJson(const ResumenCorrida& r) {
    std::string s = "{\n";
    auto campo = [&s](const char* nombre, const std::string& valor, bool ultimo = false) {
        s += "  \"";
        s += nombre;
        s += "\": ";
        s += valor;
        s += ultimo ? "\n" : ",\n";
    };
    campo("corrida", r.completa ? "\"completa\"" : "\"abandonada\"");
    campo("periodos", std::to_string(r.periodos));
    campo("periodos_pedidos", std::to_string(r.periodosPedidos));
    campo("celdas", std::to_string(r.celdas));
    campo("segundos", NumeroJson(r.segundos));
    campo("celdas_periodo_por_segundo", NumeroJson(r.celdasPeriodoPorSegundo));
    campo("lluvia_m3", NumeroJson(r.lluvia));
    campo("perdidas_m3", NumeroJson(r.perdidas));
    campo("salida_borde_m3", NumeroJson(r.salidaBorde));
    campo("almacenado_m3", NumeroJson(r.almacenado));
    campo("diferencia_m3", NumeroJson(r.diferencia));
    campo("caudal_max_seccion_m3s", NumeroJson(r.qMaxSeccion));
    campo("caudal_max_celda_m3s", NumeroJson(r.qMaxCelda));
    campo("altura_max_m", NumeroJson(r.alturaMax), true);
    s += "}\n";
    return s;
}

Resultado EscribirResumenJson(const std::string& ruta, const ResumenCorrida& r) {
    return GuardarArchivo(ruta, TextoResumenJson(r));
}

}  // namespace tarno
