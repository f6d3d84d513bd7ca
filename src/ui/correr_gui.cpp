// The run command of the main window: the engine's run command with the
// windows around it (progress window, board, message area, status panel).
#include <QApplication>
#include <QElapsedTimer>
#include <cmath>

#include "comandos/correr.h"
#include "model/resultados.h"
#include "model/resumen.h"
#include "ui/conexiones.h"
#include "ui/dlg_hidrograma.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"
#include "ui/informe_corrida.h"

namespace tarno::ui {

namespace {

/// Shows a run in the windows of the main window. The run holds the event
/// loop; the progress window repaints (and lets the main window repaint) at
/// every progress update.
class ObservadorVentanas : public ObservadorCorrida {
public:
    explicit ObservadorVentanas(FrmMain0& v) : v_(v) {}

    void AbrirProgreso(const std::string& titulo, const std::string& tiempo) override {
        v_.Progreso()->Iniciar(QString::fromStdString(titulo), QString::fromStdString(tiempo));
    }
    void Progreso(double avance, const std::string& periodo, const std::string& tiempo) override {
        if (FrmPp2* p = v_.ProgresoAbierto())
            p->Avanzar(static_cast<int>(std::lround(avance)), QString::fromStdString(periodo),
                       QString::fromStdString(tiempo));
    }
    void CerrarProgreso() override {
        if (FrmPp2* p = v_.ProgresoAbierto()) {
            p->Terminar();
            p->close();
        }
    }
    // Long periods: let the windows repaint (user input stays queued) at most
    // ten times a second, so the application never looks frozen.
    void FinPeriodo() override {
        if (!reloj_.isValid() || reloj_.elapsed() >= 100) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            reloj_.start();
        }
    }
    void LimpiarPizarra() override { v_.Pizarra()->PonerTexto(QString()); }
    void Pizarra(const std::string& texto) override {
        if (FrmPp* p = v_.PizarraAbierta()) p->PonerTexto(QString::fromStdString(texto));
    }
    void Mensajes(const std::vector<std::string>& lineas) override {
        v_.LimpiarMensajes();
        for (const std::string& l : lineas) v_.ImprimirMensaje(QString::fromStdString(l));
    }
    void BarraEstado(const std::string& texto) override { v_.PanelEstado(QString::fromStdString(texto)); }
    void Ocupado(bool si) override { v_.RelojArena(si); }
    void ReiniciarOpciones() override { v_.Opciones(false)->Reinicia_Variables(); }

private:
    FrmMain0& v_;
    QElapsedTimer reloj_;
};

}  // namespace

void FrmMain0::mnuRun1_Click() {
    if (corriendo_) return;  // one run at a time
    corriendo_ = true;
    ObservadorVentanas obs(*this);
    EntornoCorrida en{estado_.par, estado_.img, estado_.grillas, estado_.pluviograma, plataforma_, obs, ""};
    // The report check box keeps the user's last choice.
    bool informe = plataforma_.LeerAjuste("Settings", "GenerarInforme", "0") == "1";
    FinCorrida fin = FinCorrida::Rechazada;
    QElapsedTimer reloj;
    reloj.start();
    const FinComando comando = ComandoCorrer(en, estado_.corrida, &fin, &informe);
    const double segundos = static_cast<double>(reloj.elapsed()) / 1000.0;
    corriendo_ = false;
    if (comando == FinComando::Cancelado) return;
    plataforma_.GuardarAjuste("Settings", "GenerarInforme", informe ? "1" : "0");
    if (comando == FinComando::Corrido) ResultadosCorrida(fin, segundos, informe);
}

// After a run: the hydrograph window when the run has a section, and the
// report opened in the browser when it was asked for.
void FrmMain0::ResultadosCorrida(FinCorrida fin, double segundos, bool informe) {
    const Parametros& par = estado_.par;
    const ResumenCorrida resumen = ArmarResumen(fin, estado_.corrida, par, estado_.img, segundos);
    if (fin == FinCorrida::Completa && par.fHidro1 > 0 && par.cHidro1 > 0) {
        GraficoHidrograma g;
        if (Resultado r = GraficoDeCorrida(par, estado_.pluviograma, &resumen, g); !r) {
            plataforma_.Mensaje(r.mensaje, kTituloVentanaHidrograma, Icono::Advertencia);
        } else {
            if (hidrograma_) hidrograma_->close();
            hidrograma_ = new DlgHidrograma(plataforma_, this);
            hidrograma_->Mostrar(g, BaseResultados(par) + "_Qt.rkd");
            hidrograma_->show();
        }
    }
    if (informe && estado_.corrida.ordenPreparado) {
        std::string ruta;
        if (Resultado r = EscribirInforme(par, estado_.pluviograma, resumen, ruta); !r)
            plataforma_.Mensaje(r.mensaje, "Informe de la corrida", Icono::Advertencia);
        else if (!plataforma_.AbrirDocumento(ruta))
            plataforma_.Mensaje("El informe se escribió en " + ruta + " pero no se pudo abrir en el navegador.",
                                "Informe de la corrida", Icono::Advertencia);
    }
}

TablaComandos ComandosCorrida(FrmMain0& ventana) {
    FrmMain0* w = &ventana;
    return {{"mnuRun1", "Correr modelo RASK...", Menu::Simulador, [w] { w->mnuRun1_Click(); }},
            {"mnuVerHidrograma", "Ver Hidrograma...", Menu::Simulador, [w] { w->mnuVerHidrograma_Click(); }}};
}

DlgHidrograma* FrmMain0::HidrogramaAbierto() const { return hidrograma_; }

void FrmMain0::mnuVerHidrograma_Click() {
    if (DlgHidrograma* d = VerHidrogramaArchivo(plataforma_, &estado_.pluviograma, this)) hidrograma_ = d;
}

}  // namespace tarno::ui
