// The run command of the main window: the engine's run command with the
// windows around it (progress window, board, message area, status panel).
#include <QApplication>
#include <QElapsedTimer>
#include <cmath>

#include "comandos/correr.h"
#include "ui/conexiones.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"

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
    ComandoCorrer(en, estado_.corrida);
    corriendo_ = false;
}

TablaComandos ComandosCorrida(FrmMain0& ventana) {
    FrmMain0* w = &ventana;
    return {{"mnuRun1", "Correr modelo RASK...", Menu::Simulador, [w] { w->mnuRun1_Click(); }}};
}

}  // namespace tarno::ui
