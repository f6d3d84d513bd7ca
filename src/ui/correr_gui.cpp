// The run command of the main window.
#include <QAction>
#include <QApplication>

#include "model/cargar_dem.h"
#include "raster/numeros.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"

namespace tarno::ui {

void FrmMain0::mnuRun1_Click() {
    if (corriendo_) return;
    Parametros& p = estado_.par;
    const ImagenActual& img = estado_.img;
    const std::string crlf = "\r\n";
    const std::string texto =
        "Parámetros de Menú Opciones de Configuración:" + crlf + "Resolución= " + TextoBlanco(p.ResolucionX) +
        "  Resolución Y= " + TextoBlanco(p.ResolucionY) + crlf + "Pp[mm]= " + TextoBlanco(p.Pp) +
        "  D[min]= " + TextoBlanco(int{p.Dur}) + "  R[años]= " + TextoBlanco(int{p.Rec}) +
        "  Paso[min]= " + TextoBlanco(p.PasoPp) + crlf + "Archivo DEM: " + p.DirDEM + "\\" + p.ArchivoDEM + crlf +
        "N Filas: " + TextoBlanco(img.NroFilas) + "  N Columnas: " + TextoBlanco(img.NroColumnas) +
        "  KRecesión[min]= " + TextoBlanco(p.KRecesion) + crlf + "Fila y Col Hidrograma: " +
        TextoBlanco(p.fHidro1) + "  " + TextoBlanco(p.cHidro1);
    if (plataforma_.Mensaje(texto, "TARNO-SIG: Correr el modelo", Icono::Pregunta, Botones::AceptarCancelar) !=
        Respuesta::Aceptar)
        return;
    Opciones(false)->Reinicia_Variables();
    if (p.DirDEM.empty() || p.DirDEM == kSinArchivo || p.ArchivoDEM.empty()) {
        plataforma_.Mensaje(
            "No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros",
            "Error, falta archivo...", Icono::Advertencia);
        return;
    }
    corriendo_ = true;
    RelojArena(true);
    ImprimirMensaje("Procesando. Un momento por favor...");
    ImprimirMensaje("TARNO-SIG leyendo archivo MDT...");
    PanelEstado("TARNO-SIG leyendo archivo MDT...");
    CargarDEM(p, estado_.img, estado_.grillas.Cota, plataforma_);
    LimpiarMensajes();
    ImprimirMensaje("Procesando. Un momento por favor...");
    ImprimirMensaje("Simulador TARNO-SIG en proceso...");
    ImprimirMensaje("");
    ImprimirMensaje(QString::fromStdString("Archivo MDT (DEM):      " + p.ArchivoDEM));
    LimpiarMensajes();
    PanelEstado("Estado");
    RelojArena(false);
    corriendo_ = false;
}

}  // namespace tarno::ui
