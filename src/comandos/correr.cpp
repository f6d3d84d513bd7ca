#include "comandos/correr.h"

#include "comandos/cargar_dem.h"
#include "raster/archivos.h"
#include "model/resultados.h"
#include "raster/numeros.h"

namespace tarno {

namespace {
const char* const kCRLF = "\r\n";
}  // namespace

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

FinComando ComandoCorrer(EntornoCorrida& en, EstadoCorrida& estado, FinCorrida* fin, bool* informe) {
    Parametros& par = en.par;
    Plataforma& plat = en.plataforma;
    ObservadorCorrida& obs = en.observador;
    // 1. Confirmation.
    const std::string confirmacion = TextoConfirmacionCorrida(par, en.img);
    const Respuesta r = informe ? plat.MensajeConCasilla(confirmacion, kTituloCorrida, Icono::Pregunta,
                                                         Botones::AceptarCancelar, kCasillaInforme, *informe)
                                : plat.Mensaje(confirmacion, kTituloCorrida, Icono::Pregunta, Botones::AceptarCancelar);
    if (r != Respuesta::Aceptar) return FinComando::Cancelado;
    // 2. The options dialog is filled from the record.
    AjustesDeRelleno(par);
    obs.ReiniciarOpciones();
    // 3. A DEM must be chosen.
    if (!DEMElegido(par, plat)) return FinComando::SinMDT;
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
