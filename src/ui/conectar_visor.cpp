// The viewer's commands on the main window and `VerIMG`.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "raster/archivos.h"
#include "raster/imagen.h"
#include "comandos/agregada.h"
#include "ui/conexiones.h"
#include "ui/control_visor.h"
#include "ui/dlg_chart1.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"
#include "ui/frm_visor_img.h"
#include "viewer/render.h"
#include "viewer/zoom.h"

namespace tarno::ui {

namespace {

struct RelojArena {
    RelojArena() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~RelojArena() { QApplication::restoreOverrideCursor(); }
};

void CerrarVisor(FrmMain0& ventana) {
    if (FrmVisorIMG* v = VisorAbierto(ventana)) {
        // The picture can be large: free it now, not when the window is deleted.
        v->Picture1()->FijarImagen(QImage());
        v->close();
    }
}

/// Creates the viewer, draws the current image and shows it.
FrmVisorIMG* AbrirVisor(FrmMain0& ventana) {
    CerrarVisor(ventana);
    // A picture too large to hold is drawn at the largest size that fits.
    EstadoApp& e = ventana.Estado();
    const visor::VistaCeldas vista = visor::CeldasVisibles(e.img, e.visor);
    const int16_t cabe = visor::ZoomQueCabe(e.visor.TablaZoom, e.visor.TamPixel, vista.Columnas(), vista.Filas());
    if (cabe != e.visor.TamPixel) {
        e.visor.TamPixel = cabe;
        miZoomAuto(ventana);
    }
    auto* visor = new FrmVisorIMG(ventana, &ventana);
    ventana.FijarVisor(visor);
    visor->mostrarRASK();
    if (!visor->Picture1()->Imagen().isNull()) visor->show();
    return visor;
}

/// Opens the board window `frmPp` with the profile text.
void PonerEnPizarra(FrmMain0& ventana, const std::string& texto) {
    FrmPp* pp = ventana.Pizarra();
    pp->PonerTexto(QString::fromStdString(texto));
    pp->show();
}

/// "Procesando..." in the main window while a long operation runs.
struct Procesando {
    FrmMain0& v;
    explicit Procesando(FrmMain0& ventana, bool panel) : v(ventana), panel_(panel) {
        v.RelojArena(true);
        v.ImprimirMensaje("Procesando. Un momento por favor...");
        if (panel_) v.PanelEstado("Procesando...");
    }
    ~Procesando() {
        v.LimpiarMensajes();
        if (panel_) v.PanelEstado("Estado");
        v.RelojArena(false);
    }
    bool panel_;
};

}  // namespace

FrmVisorIMG* VisorAbierto(FrmMain0& ventana) { return ventana.Visor(); }

DlgChart1* ChartAbierto(FrmMain0& ventana) { return ventana.Chart(); }

void PantallaPixeles(double& ancho, double& alto) {
    QSize s(1024, 768);
    if (QScreen* p = QGuiApplication::primaryScreen()) s = p->size();
    ancho = static_cast<double>(s.width());
    alto = static_cast<double>(s.height());
}

void PantallaTwips(double& ancho, double& alto) {
    PantallaPixeles(ancho, alto);
    ancho *= visor::kTwipsPorPixel;
    alto *= visor::kTwipsPorPixel;
}

void miZoomAuto(FrmMain0& ventana) {
    const int tam = ventana.Estado().visor.TamPixel;
    if (visor::IndiceZoom(ventana.Estado().visor.TablaZoom, tam) == 0) return;
    if (QAction* a = ventana.AccionZoom(tam)) a->trigger();
    ventana.Estado().visor.TamPixel = static_cast<int16_t>(tam);
}

void MarcarVisorAbierto(FrmMain0& ventana, bool abierto) {
    if (QAction* a = ventana.Accion("mnuEdicionAreas")) a->setEnabled(abierto);
}

void MostrarImagen(FrmMain0& ventana, const std::string& nombreDat) {
    EstadoApp& e = ventana.Estado();
    visor::LimpiarSeleccion(e.visor);
    Resultado r = LeerIMG(nombreDat, "", e.img);
    if (!r) {
        ventana.Plat().Mensaje(r.mensaje, "", Icono::Advertencia);
        return;
    }
    double ancho, alto;
    PantallaPixeles(ancho, alto);
    e.visor.TamPixel = visor::ZoomAjustado(e.visor.TablaZoom, ancho, alto, e.img.NroColumnas, e.img.NroFilas);
    miZoomAuto(ventana);
    AbrirVisor(ventana);
}

void mnuReVer_Click(FrmMain0& ventana) {
    EstadoApp& e = ventana.Estado();
    CerrarVisor(ventana);
    RelojArena reloj;
    Procesando aviso(ventana, true);
    // Without an image there is no picture to enlarge: the size stays.
    if (!e.visor.VerSeleccion && e.img.NroFilas > 0 && e.img.NroColumnas > 0) {
        e.visor.TamPixel = visor::ZoomMinimo(e.visor.TablaZoom, e.visor.TamPixel, e.img.NroColumnas, e.img.NroFilas);
        miZoomAuto(ventana);
    }
    if (e.img.NroDatos > 0) AbrirVisor(ventana);
}

void mnuRestaurarIMG_Click(FrmMain0& ventana) {
    EstadoApp& e = ventana.Estado();
    const bool habiaSeleccion = e.visor.VerSeleccion;
    visor::LimpiarSeleccion(e.visor);
    if (habiaSeleccion) {
        // The rectangle's zoom would make the whole image far larger than the
        // screen: go back to the size that fits it, as when it was opened.
        double ancho, alto;
        PantallaPixeles(ancho, alto);
        e.visor.TamPixel = visor::ZoomAjustado(e.visor.TablaZoom, ancho, alto, e.img.NroColumnas, e.img.NroFilas);
    }
    mnuReVer_Click(ventana);
}

void mnuImgRASKAbstra_Click(FrmMain0& ventana) {
    std::string nuevo;
    {
        RelojArena reloj;
        Procesando aviso(ventana, false);
        nuevo = CrearImagenAgregada(ventana.Estado().img, ventana.Plat());
    }
    if (!nuevo.empty()) MostrarImagen(ventana, nuevo);
}

void mnuEdicionAreas_Click(FrmMain0& ventana) {
    const ImagenActual& img = ventana.Estado().img;
    FrmVisorIMG* v = VisorAbierto(ventana);
    if (!v || !TerminaEn(img.NombreDat, "_dat.rkd") || !img.TieneAreas) return;
    v->show();
    v->raise();
    v->activateWindow();
}

void mnuPerfilPixel_Click(FrmMain0& ventana) {
    EstadoApp& e = ventana.Estado();
    visor::EstadoVisor& ev = e.visor;
    if (ev.SelCol1 < 1 || ev.SelCol2 < 1 || ev.SelFila1 < 1 || ev.SelFila2 < 1) return;
    mnuReVer_Click(ventana);
    FrmVisorIMG* v = VisorAbierto(ventana);
    if (v) {
        v->Item("mnuSelSegmento")->setChecked(true);
        v->Item("mnuSelPixel")->setChecked(false);
        v->Item("mnuPerfilPixel")->setEnabled(true);
    }
    const std::vector<visor::Celda> puntos = visor::RecorrerSegmento(ev);
    PonerEnPizarra(ventana, visor::TextoPerfil(e.img, puntos));
    ev.NroPuntosPerfil = static_cast<int16_t>(std::min<size_t>(puntos.size(), INT16_MAX));
    ev.PerfilColumnas.clear();
    ev.PerfilFilas.clear();
    for (const visor::Celda& c : puntos) {
        ev.PerfilColumnas.push_back(c.col);
        ev.PerfilFilas.push_back(c.fila);
    }
    if (v) v->MarcarPerfil(puntos);
    if (DlgChart1* viejo = ChartAbierto(ventana)) viejo->close();
    auto* chart = new DlgChart1(e, &ventana);
    ventana.FijarChart(chart);
    if (chart->Cargar()) chart->show();
}

TablaComandos ComandosVisor(FrmMain0& ventana) {
    FrmMain0* w = &ventana;
    // The two switches turn their flag over, which the check mark shows; no redraw.
    using Campo = bool visor::EstadoVisor::*;
    auto cambiar = [w](Campo c) { return [w, c] { w->Estado().visor.*c = !(w->Estado().visor.*c); }; };
    auto leer = [w](Campo c) { return [w, c] { return w->Estado().visor.*c; }; };
    constexpr Campo invertir = &visor::EstadoVisor::InvertirPaleta, forzar = &visor::EstadoVisor::ForzarMinimo;
    return {
        {"mnuImgRASKAbstra", "Crear RASK Agregada (vectorial)", Menu::Archivo, [w] { mnuImgRASKAbstra_Click(*w); }},
        {"mnuReVer", "Refrescar imagen", Menu::Ver, [w] { mnuReVer_Click(*w); }},
        {"mnuRestaurarIMG", "Restaurar Imagen completa", Menu::Ver, [w] { mnuRestaurarIMG_Click(*w); }},
        {"mnuInvertirPaleta", "Invertir Paleta", Menu::Ver, cambiar(invertir), true, leer(invertir)},
        {"mnuForzarMinimo", "Forzar Mínimo Valor = 0", Menu::Ver, cambiar(forzar), true, leer(forzar)},
        {"mnuEdicionAreas", "Editor Areas vectoriales", Menu::Modificar, [w] { mnuEdicionAreas_Click(*w); }},
    };
}

}  // namespace tarno::ui
