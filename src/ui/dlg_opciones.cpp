#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

namespace {

// Delivers an event to a widget's own handler from inside an event filter
// (QWidget::event is protected; a member pointer taken through a derived
// class reaches it, with virtual dispatch).
struct Entrega : QWidget {
    static bool A(QWidget* w, QEvent* e) {
        auto f = &Entrega::event;
        return (w->*f)(e);
    }
};
void Entregar(QWidget* w, QEvent* e) { Entrega::A(w, e); }

}  // namespace

using namespace opciones;

DlgOpciones::DlgOpciones(FrmMain0& principal)
    : QDialog(nullptr, Qt::Window), principal_(principal), par_(principal.Estado().par), plat_(principal.Plat()) {
    setObjectName("dlgOpciones");
    setWindowTitle(QString::fromUtf8("TARNO-SIG: Opciones de Configuración"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    fichas_ = new QTabWidget(this);
    fichas_->setObjectName("SSTab1");
    fichas_->addTab(CrearConsulta(), " Consulta");
    fichas_->addTab(CrearPaleta(), "Paleta personalizada");
    fichas_->addTab(CrearVariables(), QString::fromUtf8("&Variables y Métodos"));
    fichas_->addTab(CrearParametros(), QString::fromUtf8("Parámetros"));
    fichas_->addTab(CrearExtensiones(), "Extensiones");
    fichas_->setCurrentIndex(3);
    // Clicking a tab takes the focus, so that the box being left is validated.
    fichas_->tabBar()->setFocusPolicy(Qt::StrongFocus);
    fichas_->tabBar()->installEventFilter(this);

    auto* aplicar = new QPushButton("Aplicar", this);
    aplicar->setObjectName("cmdAplicar");
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("OKButton");
    auto* cancelar = new QPushButton("&Cancelar", this);
    cancelar->setObjectName("CancelButton");
    // Cancelling does not validate the box being edited: it takes no focus.
    cancelar->setFocusPolicy(Qt::NoFocus);
    aplicar->setAutoDefault(false);
    aceptar->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    connect(aplicar, &QPushButton::clicked, this, [this] { if (Permitido()) cmdAplicar_Click(); });
    connect(aceptar, &QPushButton::clicked, this, [this] { if (Permitido()) OKButton_Click(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(aplicar);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(fichas_);
    capa->addLayout(botones);

    // A press on any other control while a box holds the focus after a failed
    // validation does nothing (the move was cancelled).
    for (QWidget* w : findChildren<QWidget*>())
        if (!validadores_.count(w) && w->focusPolicy() != Qt::NoFocus) w->installEventFilter(this);

    // Form load: the divide explorer and the hyetograph check box after the
    // record, then the fill.
    chkDiv_->setChecked(par_.Div);
    chkDiv_Click();
    txtPp_->setEnabled(!par_.PpArchivo);
    txtDur_->setEnabled(!par_.PpArchivo);
    cmbRec_->setEnabled(!par_.PpArchivo);
    chkPpArchivo_->setChecked(par_.PpArchivo);
    Reinicia_Variables();
}

// ---------------------------------------------------------------------------
// Validation plumbing

QLineEdit* DlgOpciones::CajaCampo(const char* nombre, QWidget* padre, Ganchos g) {
    const Campo* k = CampoDeCaja(nombre);
    std::function<void(QLineEdit*)> doble;
    if (k->dobleClic) doble = [t = QString::fromUtf8(k->dobleClic)](QLineEdit* c) { c->setText(t); };
    return Caja(
        nombre, padre, [this, k, g](QLineEdit* c) { return ValidarCampo(*k, c, g); }, doble);
}

QLineEdit* DlgOpciones::CajaDeCampo(const char* campo) const {
    const Campo* k = BuscarCampo(campo);
    return k && k->caja ? findChild<QLineEdit*>(k->caja) : nullptr;
}

bool DlgOpciones::ValidarCampo(const Campo& k, QLineEdit* c, const Ganchos& g) {
    if (g.antes) g.antes(c);
    QLineEdit* minimo = k.minimoCampo ? CajaDeCampo(k.minimoCampo) : nullptr;
    if (minimo && k.subeAlMinimo && Val(minimo) > Val(c)) c->setText(minimo->text());
    const bool ok = (!k.numerico || Num(c)) &&
                    EnRango(k, Val(c), minimo ? Val(minimo) : std::numeric_limits<double>::quiet_NaN());
    if (!ok) {
        Aviso(k.aviso, k.titulo);
        if (k.textoFalla) c->setText(QString::fromUtf8(k.textoFalla));
        if (g.alFallar) g.alFallar(c);
    }
    // Written whether or not the test passed.
    EscribirCampo(k, par_, ValorGuardado(k, Val(c)));
    if (k.muestraGuardado) c->setText(TextoCampo(k, par_));
    if (g.alFinal) g.alFinal(c);
    return ok;
}

void DlgOpciones::LlenarCajas(Pagina pagina) {
    for (const Campo& k : Campos())
        if (k.caja && k.numerico && k.pagina == pagina)
            if (auto* c = findChild<QLineEdit*>(k.caja)) c->setText(TextoCampo(k, par_));
}

void DlgOpciones::AplicarCajas(Pagina pagina, int paso) {
    for (const Campo& k : Campos()) {
        if (!k.caja || k.pagina != pagina || k.pasoAplicar != paso) continue;
        auto* c = findChild<QLineEdit*>(k.caja);
        if (!c) continue;  // the recurrence combo is read by its page
        EscribirCampo(k, par_, Val(c));
        if (k.admiteMax && c->text() == "Max") EscribirCampo(k, par_, kMax);
    }
}

QLineEdit* DlgOpciones::Caja(const char* nombre, QWidget* padre, std::function<bool(QLineEdit*)> validar,
                             std::function<void(QLineEdit*)> dobleClic) {
    auto* c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setMaximumWidth(110);
    c->installEventFilter(this);
    validadores_[c] = std::move(validar);
    if (dobleClic) dobleClic_[c] = std::move(dobleClic);
    return c;
}

void DlgOpciones::Aviso(const std::string& texto, const std::string& titulo) {
    plat_.Mensaje(texto, titulo, Icono::Advertencia, Botones::Aceptar);
}

bool DlgOpciones::Validar(QWidget* caja) {
    auto it = validadores_.find(caja);
    if (it == validadores_.end()) return true;
    validando_ = true;
    const bool ok = it->second(qobject_cast<QLineEdit*>(caja));
    validando_ = false;
    if (ok) {
        if (bloqueo_ == caja) bloqueo_ = nullptr;
        return true;
    }
    // The move is cancelled: back to the box (and its tab), text selected.
    bloqueo_ = caja;
    for (int k = 0; k < fichas_->count(); ++k)
        if (fichas_->widget(k)->isAncestorOf(caja)) {
            if (fichas_->currentIndex() != k) {
                validando_ = true;
                fichas_->setCurrentIndex(k);
                validando_ = false;
            }
            break;
        }
    // The warning box took the activation: give it back to the dialog.
    if (!isActiveWindow() && isVisible()) activateWindow();
    caja->setFocus(Qt::OtherFocusReason);
    if (auto* le = qobject_cast<QLineEdit*>(caja)) le->selectAll();
    else if (auto* cb = qobject_cast<QComboBox*>(caja); cb && cb->lineEdit()) cb->lineEdit()->selectAll();
    return false;
}

bool DlgOpciones::Permitido() {
    QWidget* f = QApplication::focusWidget();
    if (f && f == cmbRec_->lineEdit()) f = cmbRec_;
    if (f && (f == enfocado_ || f == bloqueo_) && validadores_.count(f)) return Validar(f);
    return bloqueo_ == nullptr;
}

bool DlgOpciones::Bloqueado(QObject* o, bool esCaja) const {
    if (!bloqueo_ || o == bloqueo_ || esCaja) return false;
    auto* w = qobject_cast<QWidget*>(o);
    return !(w && static_cast<QWidget*>(bloqueo_)->isAncestorOf(w));
}

bool DlgOpciones::eventFilter(QObject* o, QEvent* e) {
    const bool esCaja = validadores_.count(o) > 0;
    switch (e->type()) {
        case QEvent::FocusIn:
            if (esCaja) {
                enfocado_ = o;
                if (auto* le = qobject_cast<QLineEdit*>(o)) {
                    // Got focus: select the whole text (the cell-sum boxes start from "0").
                    if (le == txtfConsulta1_ || le == txtcConsulta1_ || le == txtfConsulta2_ ||
                        le == txtcConsulta2_)
                        le->setText("0");
                    le->selectAll();
                    // A mouse press places the cursor after the focus arrives:
                    // select again once it is handled.
                    if (static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason)
                        QTimer::singleShot(0, le, [le] { le->selectAll(); });
                }
            }
            break;
        case QEvent::FocusOut: {
            if (!esCaja || o != enfocado_ || validando_ || cerrando_) break;
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            // Leaving the window (another window, a message box, a menu) is not
            // leaving the box.
            if (r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason || r == Qt::MenuBarFocusReason) break;
            enfocado_ = nullptr;
            // The box handles its own focus loss first (a line edit drops its
            // selection there); then the validation may take the focus back.
            Entregar(static_cast<QWidget*>(o), e);
            Validar(static_cast<QWidget*>(o));
            return true;
        }
        case QEvent::MouseButtonDblClick:
            if (auto it = dobleClic_.find(o); it != dobleClic_.end()) {
                it->second(static_cast<QLineEdit*>(o));
                return true;
            }
            if (Bloqueado(o, esCaja)) return true;
            break;
        case QEvent::MouseButtonPress:
            if (Bloqueado(o, esCaja)) return true;
            break;
        default: break;
    }
    return QDialog::eventFilter(o, e);
}

void DlgOpciones::closeEvent(QCloseEvent* e) {
    cerrando_ = true;
    QDialog::closeEvent(e);
}

// ---------------------------------------------------------------------------
// Fill and apply: each page fills and applies its own boxes. The apply goes
// in steps shared by the pages (the field table gives each box its step);
// between steps 2 and 4 a storm without rain or duration stops it.

void DlgOpciones::Reinicia_Variables() {
    LlenarVariables();
    LlenarParametros();
    LlenarConsulta();
    LlenarPaleta();
    LlenarExtensiones();
}

void DlgOpciones::cmdAplicar_Click() {
    AplicarVariables(1);
    AplicarParametros(1);
    AplicarVariables(2);
    if (par_.Pp == 0 || par_.Dur == 0) {
        plat_.Mensaje(QString::fromUtf8("No ha ingresado datos de Pp y Duración de la tormenta.").toStdString(),
                      "Advertencia !", Icono::Advertencia);
        close();
        return;
    }
    AplicarParametros(4);
    AplicarConsulta();
    AplicarParametros(5);
    AplicarParametros(6);
    AplicarVariables(7);
    AplicarPaleta();
    AplicarExtensiones();
}

void DlgOpciones::OKButton_Click() {
    cmdAplicar_Click();
    close();
}

void DlgOpciones::CancelButton_Click() { close(); }

}  // namespace tarno::ui
