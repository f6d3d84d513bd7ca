#include "model/campos.h"

#include <cfloat>
#include <cmath>

#include "raster/numeros.h"

namespace tarno {

const char* const kAvisoPaleta255 = "Ingrese un valor numérico, entero entre 0 y 255";

namespace {

const char* const kMsgFilas = "Ingrese un valor entero entre 0 y el número máximo de filas de la imagen";
const char* const kMsgDivQ =
    "Ingrese un valor numérico decimal de Caudal Mínimo de Pixel [m3/s], decimal, entre 0 y 1 (Sugerido, para "
    "pixel de 30x30m, lluvia de intensidad unitaria de 1 mm/minuto, sin absatracciones: 0,031m3/s";
const char* const kTituloInconsistente = "Inconsistente, ...";

// Builders of table rows, one per kind of field.
Campo Base(const char* n, TipoCampo tipo, int paso = 0) {
    Campo c;
    c.nombre = n;
    c.tipo = tipo;
    c.pasoAplicar = paso;
    return c;
}
Campo R(const char* n, float Parametros::*m) {
    Campo c = Base(n, TipoCampo::Real);
    c.real = m;
    return c;
}
Campo E16(const char* n, int16_t Parametros::*m) {
    Campo c = Base(n, TipoCampo::Entero16);
    c.entero16 = m;
    return c;
}
Campo E32(const char* n, int32_t Parametros::*m) {
    Campo c = Base(n, TipoCampo::Entero32);
    c.entero32 = m;
    return c;
}
Campo L(const char* n, bool Parametros::*m, int paso) {
    Campo c = Base(n, TipoCampo::Logico, paso);
    c.logico = m;
    return c;
}
Campo Tx(const char* n, std::string Parametros::*m) {
    Campo c = Base(n, TipoCampo::Texto, 4);
    c.texto = m;
    return c;
}

// A numeric box: page, range, warning, storage, double-click text, apply step.
Campo Caja(Campo c, const char* caja, Pagina pag, double min, double max, const char* aviso, Guardado g,
           const char* doble, int paso) {
    c.caja = caja;
    c.pagina = pag;
    c.numerico = true;
    c.minimo = min;
    c.maximo = max;
    c.aviso = aviso;
    c.alSalir = g;
    c.dobleClic = doble;
    c.pasoAplicar = paso;
    return c;
}
Campo Muestra(Campo c) {
    c.muestraGuardado = true;
    return c;
}
Campo Falla(Campo c, const char* texto) {
    c.textoFalla = texto;
    return c;
}
Campo Titulo(Campo c, const char* t) {
    c.titulo = t;
    return c;
}
Campo Minimo(Campo c, const char* campo, bool sube) {
    c.minimoCampo = campo;
    c.subeAlMinimo = sube;
    return c;
}
// A rain sub-area bound: corrected by its own rule, never refused.
Campo Cota(const char* n, int32_t Parametros::*m, const char* caja, const char* doble) {
    Campo c = E32(n, m);
    c.caja = caja;
    c.pagina = Pagina::Variables;
    c.dobleClic = doble;
    c.admiteMax = true;
    c.pasoAplicar = 2;
    return c;
}

std::vector<Campo> CrearTabla() {
    using P = Parametros;
    const Pagina par = Pagina::Parametros, var = Pagina::Variables, con = Pagina::Consulta,
                 ext = Pagina::Extensiones;
    const double inf = kSinLimite;
    const char* const res =
        "Ingrese un valor numérico de Resolución de Pixel [metros], entero o decimal, entre 0 y 999";
    Campo rec = E16("Rec", &P::Rec);
    rec.caja = "cmbRec";
    rec.pagina = var;
    rec.minimo = 0;
    rec.maximo = 32767;
    rec.pruebaRedondeada = true;
    rec.aviso = "Ingrese un valor entero de Recurrencia entre 0 y 32767 [años]";
    rec.pasoAplicar = 1;
    Campo metodo = E16("Metodo", &P::Metodo), area = E16("AreaPp", &P::AreaPp);
    return {
        Caja(R("ResolucionX", &P::ResolucionX), "txtResolucionX", par, 0, 999, res, Guardado::Valor, "67.5", 1),
        Caja(R("ResolucionY", &P::ResolucionY), "txtResolucionY", par, 0, 999, res, Guardado::Valor, "92.8", 1),
        Muestra(Caja(R("Pp", &P::Pp), "txtPp", var, 0, 999,
                     "Ingrese un valor numérico, entero o decimal, entre 0 y 999", Guardado::Centesimas, "60", 1)),
        Falla(Caja(E16("Dur", &P::Dur), "txtDur", var, 0, 1440,
                   "Ingrese un valor numérico, entero o decimal, entre 0 y 1440", Guardado::ParteEntera, "60", 1),
              "1440"),
        rec,
        Caja(R("KRecesion", &P::KRecesion), "txtKRecesion", par, 0, 9999999,
             "Ingrese un valor entero o decimal positivo, en minutos", Guardado::Valor, "0", 1),
        Muestra(Caja(R("FactorRes", &P::FactorRes), "txtFactorRes", var, 1, 50,
                     "Ingrese un valor numérico, entero o decimal, entre 1 y 50", Guardado::Decimas, "10", 1)),
        Muestra(Caja(R("Manning", &P::Manning), "txtManning", var, 0.01, 0.15,
                     "Ingrese un valor numérico, entero o decimal, entre 0.01 y 0.150", Guardado::Valor, "0.04", 1)),
        Cota("Px1", &P::Px1, "txtPx1", "1"),
        Cota("Px2", &P::Px2, "txtPx2", "Max"),
        Cota("Py1", &P::Py1, "txtPy1", "1"),
        Cota("Py2", &P::Py2, "txtPy2", "Max"),
        Muestra(Caja(R("PasoPp", &P::PasoPp), "txtPasoPp", par, 0, 120,
                     "Ingrese un valor entero o decimal entre 0 y 120 minutos", Guardado::Valor, "1", 4)),
        Falla(Minimo(Caja(E16("PasoQ", &P::PasoQ), "txtPasoQ", par, -inf, 120,
                          "Ingrese un valor entero positivo mayor al 'paso de cálculo' del modelo' y menor a 120",
                          Guardado::ParteEntera, nullptr, 4),
                     "PasoPp", false),
              "1"),
        Tx("ArchivoDEM", &P::ArchivoDEM),
        Tx("DirDEM", &P::DirDEM),
        Caja(E32("fHidro1", &P::fHidro1), "txtfHidro1", par, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Caja(E32("cHidro1", &P::cHidro1), "txtcHidro1", par, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Minimo(Caja(E32("fHidro2", &P::fHidro2), "txtfHidro2", par, -inf, inf,
                    "Ingrese un valor entero entre la fila inicial y el número máximo de filas de la imagen",
                    Guardado::Redondeo, nullptr, 4),
               "fHidro1", true),
        Minimo(Caja(E32("cHidro2", &P::cHidro2), "txtcHidro2", par, -inf, inf,
                    "Ingrese un valor entero entre la columna inicial y el número máximo de filas de la imagen",
                    Guardado::Redondeo, "0", 4),
               "cHidro1", true),
        Caja(E32("nPer", &P::nPer), "txtnPer", par, 0, 86400, "Ingrese un valor entero entre 0 y 86400",
             Guardado::Redondeo, "360", 4),
        Tx("ArchivoUnKOLT", &P::ArchivoUnKOLT),
        Tx("DirUnKOLT", &P::DirUnKOLT),
        Caja(E32("fConsulta1", &P::fConsulta1), "txtfConsulta1", con, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Caja(E32("cConsulta1", &P::cConsulta1), "txtcConsulta1", con, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Caja(E32("fConsulta2", &P::fConsulta2), "txtfConsulta2", con, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Caja(E32("cConsulta2", &P::cConsulta2), "txtcConsulta2", con, 0, inf, kMsgFilas, Guardado::Redondeo, "0", 4),
        Titulo(Caja(R("DivValor", &P::DivValor), "txtDivValor", par, -inf, inf, "Ingrese un valor numérico ",
                    Guardado::Valor, nullptr, 5),
               kTituloInconsistente),
        Titulo(Caja(R("DivQmin", &P::DivQmin), "txtDivQmin", par, 0, 1, kMsgDivQ, Guardado::Valor, nullptr, 5),
               kTituloInconsistente),
        Titulo(Caja(R("DivHmin", &P::DivHmin), "txtDivHmin", par, 0, 1,
                    "Ingrese un valor numérico decimal de Altura de Agua Mínimo de Pixel H[m], decimal, entre 0 y 1 "
                    "(Sugerido, para pixel de 30x30m, lluvia de intensidad unitaria de 1 mm/minuto, sin "
                    "absatracciones: 0,0011 m",
                    Guardado::Valor, nullptr, 5),
               kTituloInconsistente),
        Titulo(Caja(R("DivValorRes", &P::DivValorRes), "txtDivValorRes", par, 0, 1, kMsgDivQ, Guardado::Valor,
                    nullptr, 5),
               kTituloInconsistente),
        L("DivMetodoQmin", &P::DivMetodoQmin, 6),
        L("Div", &P::Div, 6),
        L("DivResQM", &P::DivResQM, 6),
        L("PpArchivo", &P::PpArchivo, 7),
        metodo,
        area,
        Falla(Caja(E16("NroClases", &P::NroClases), "txtNroClases", Pagina::Paleta, 1, 6,
                   "Ingrese un valor numérico, entero entre 1 y 6", Guardado::ParteEntera, nullptr, 8),
              "1"),
        // Extensions of the model (page "Extensiones"); every default is the plain model.
        Caja(E16("Perdidas", &P::Perdidas), "txtPerdidas", ext, 0, 2,
             "Ingrese 0 (sin pérdidas), 1 (pérdida inicial y continua) o 2 (número de curva SCS)", Guardado::Redondeo,
             "0", 9),
        Caja(R("PerdidaInicial", &P::PerdidaInicial), "txtPerdidaInicial", ext, 0, 1000,
             "Ingrese la pérdida inicial [mm], entero o decimal, entre 0 y 1000", Guardado::Valor, "0", 9),
        Caja(R("PerdidaContinua", &P::PerdidaContinua), "txtPerdidaContinua", ext, 0, 1000,
             "Ingrese la pérdida continua [mm/h], entero o decimal, entre 0 y 1000", Guardado::Valor, "0", 9),
        Caja(R("NumeroCurva", &P::NumeroCurva), "txtNumeroCurva", ext, 1, 100,
             "Ingrese un número de curva SCS, entero o decimal, entre 1 y 100", Guardado::Valor, "100", 9),
        Caja(R("RelacionIa", &P::RelacionIa), "txtRelacionIa", ext, 0, 1,
             "Ingrese la relación entre la abstracción inicial y la retención (Ia/S), entre 0 y 1", Guardado::Valor,
             "0.2", 9),
        Tx("ArchivoNumeroCurva", &P::ArchivoNumeroCurva),
        Caja(E16("BordeAbierto", &P::BordeAbierto), "txtBordeAbierto", ext, 0, 1,
             "Ingrese 0 (grilla cerrada) o 1 (el agua sale por el borde de la grilla y de la cuenca)",
             Guardado::Redondeo, "0", 9),
        Caja(E16("ConservarMasa", &P::ConservarMasa), "txtConservarMasa", ext, 0, 1,
             "Ingrese 0 (flujo superficial como está definido) o 1 (el caudal recibido después del turno de la "
             "celda pasa al período siguiente)",
             Guardado::Redondeo, "0", 9),
        Caja(E16("PasoAutomatico", &P::PasoAutomatico), "txtPasoAutomatico", ext, 0, 1,
             "Ingrese 0 (paso fijo) o 1 (cada período se divide en subpasos según el número de Courant)",
             Guardado::Redondeo, "0", 9),
        Caja(R("Courant", &P::Courant), "txtCourant", ext, 0.05, 1,
             "Ingrese el número de Courant del paso automático, decimal, entre 0.05 y 1", Guardado::Valor, "0.7",
             9),
    };
}

float AFloat(double v) {
    if (std::isnan(v)) return 0.0f;
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

template <typename T>
T Saturar(double v) {
    if (std::isnan(v)) return 0;
    v = RedondearEntero(v);
    if (v >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if (v <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    return static_cast<T>(v);
}

// Whole part of v x escala / escala, with the product first rounded to 9
// decimals so that a typed 0.29 is not stored as 0.28.
double Truncar(double v, double escala) { return ParteEntera(Redondear(v * escala, 9)) / escala; }

}  // namespace

const std::vector<Campo>& Campos() {
    static const std::vector<Campo> t = CrearTabla();
    return t;
}

const Campo* BuscarCampo(const std::string& nombre) {
    for (const Campo& c : Campos())
        if (nombre == c.nombre) return &c;
    return nullptr;
}

const Campo* CampoDeCaja(const std::string& caja) {
    for (const Campo& c : Campos())
        if (c.caja && caja == c.caja) return &c;
    return nullptr;
}

double LeerCampo(const Campo& c, const Parametros& p) {
    switch (c.tipo) {
        case TipoCampo::Real: return p.*c.real;
        case TipoCampo::Entero16: return p.*c.entero16;
        case TipoCampo::Entero32: return p.*c.entero32;
        case TipoCampo::Logico: return p.*c.logico ? 1 : 0;
        case TipoCampo::Texto: return 0;
    }
    return 0;
}

void EscribirCampo(const Campo& c, Parametros& p, double v) {
    switch (c.tipo) {
        case TipoCampo::Real: p.*c.real = AFloat(v); break;
        case TipoCampo::Entero16: p.*c.entero16 = Saturar<int16_t>(v); break;
        case TipoCampo::Entero32: p.*c.entero32 = Saturar<int32_t>(v); break;
        case TipoCampo::Logico: p.*c.logico = v != 0; break;
        case TipoCampo::Texto: break;
    }
}

double ValorGuardado(const Campo& c, double v) {
    switch (c.alSalir) {
        case Guardado::Centesimas: return Truncar(v, 100);
        case Guardado::Decimas: return Truncar(v, 10);
        case Guardado::ParteEntera: return ParteEntera(v);
        case Guardado::Redondeo: return RedondearEntero(v);
        case Guardado::Valor:
        case Guardado::Ninguno: break;
    }
    return v;
}

bool EnRango(const Campo& c, double v, double minimoDeCampo) {
    if (c.pruebaRedondeada) v = RedondearEntero(v);
    const bool ok = v >= c.minimo && v <= c.maximo;
    return ok && !(v < minimoDeCampo);
}

std::string AvisoDe(const Campo& c) { return std::string(c.nombre) + ": " + (c.aviso ? c.aviso : ""); }

Resultado ValidarRelaciones(const Parametros& p) {
    for (const Campo& c : Campos()) {
        if (!c.minimoCampo || c.subeAlMinimo) continue;
        const Campo* m = BuscarCampo(c.minimoCampo);
        if (m && !EnRango(c, LeerCampo(c, p), LeerCampo(*m, p))) return Resultado::Falla(AvisoDe(c));
    }
    return Resultado::Bien();
}

}  // namespace tarno
