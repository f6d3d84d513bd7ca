#include "ui/validacion.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace tarno::ui {

ValidadorCajas::ValidadorCajas(QWidget* dialogo) : QObject(dialogo), dialogo_(dialogo) {}

void ValidadorCajas::Agregar(QWidget* caja, Regla regla) { cajas_[caja].regla = std::move(regla); }

void ValidadorCajas::AlEntrar(QWidget* caja, Accion accion) { cajas_[caja].alEntrar = std::move(accion); }

void ValidadorCajas::AlDobleClic(QWidget* caja, Accion accion) { cajas_[caja].dobleClic = std::move(accion); }

void ValidadorCajas::AlRechazar(std::function<void(QWidget*)> accion) { alRechazar_ = std::move(accion); }

void ValidadorCajas::Vigilar() {
    for (QWidget* w : dialogo_->findChildren<QWidget*>()) w->installEventFilter(this);
}

// The managed box `objeto` is, or whose text part it is (an editable combo
// box types into its own line edit).
QWidget* ValidadorCajas::Caja(QObject* objeto) const {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w) return nullptr;
    if (cajas_.count(w)) return w;
    if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); combo && combo->lineEdit() == w && cajas_.count(combo))
        return combo;
    return nullptr;
}

QWidget* ValidadorCajas::CajaConFoco() const { return Caja(QApplication::focusWidget()); }

void ValidadorCajas::Seleccionar(QWidget* caja) {
    if (auto* le = qobject_cast<QLineEdit*>(caja)) le->selectAll();
    else if (auto* cb = qobject_cast<QComboBox*>(caja); cb && cb->lineEdit()) cb->lineEdit()->selectAll();
}

bool ValidadorCajas::Validar(QWidget* caja) {
    auto it = cajas_.find(caja);
    if (it == cajas_.end() || !it->second.regla || ocupado_) return true;
    ocupado_ = true;
    const bool ok = it->second.regla();
    if (!ok) {
        if (alRechazar_) alRechazar_(caja);
        // A warning box took the activation: give it back to the dialog.
        if (dialogo_->isVisible() && !dialogo_->isActiveWindow()) dialogo_->activateWindow();
        caja->setFocus(Qt::OtherFocusReason);
        // Coming back is entering the box again.
        if (it->second.alEntrar) it->second.alEntrar();
        Seleccionar(caja);
    }
    ocupado_ = false;
    return ok;
}

bool ValidadorCajas::ValidarFoco() {
    QWidget* caja = CajaConFoco();
    return !caja || Validar(caja);
}

bool ValidadorCajas::eventFilter(QObject* objeto, QEvent* evento) {
    if (ocupado_) return false;
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w) return false;
    switch (evento->type()) {
        case QEvent::FocusIn: {
            QWidget* caja = Caja(w);
            if (!caja) return false;
            if (const Accion& a = cajas_[caja].alEntrar) a();
            Seleccionar(caja);
            // A click places the cursor after the focus arrives.
            if (static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, caja, [caja] { Seleccionar(caja); });
            return false;
        }
        case QEvent::FocusOut: {
            QWidget* caja = Caja(w);
            if (!caja) return false;
            switch (static_cast<QFocusEvent*>(evento)->reason()) {
                // Leaving the window is not leaving the box; Tab and
                // shortcuts were checked before the focus moved.
                case Qt::ActiveWindowFocusReason:
                case Qt::PopupFocusReason:
                case Qt::MenuBarFocusReason:
                case Qt::TabFocusReason:
                case Qt::BacktabFocusReason:
                case Qt::ShortcutFocusReason: return false;
                case Qt::MouseFocusReason: {
                    // A click on another control moves the focus before the
                    // press reaches that control: validate here and, on
                    // refusal, swallow the press that follows so the control
                    // does not act. The release may be lost while a message
                    // box was up, so the flag also ends with the current event.
                    if (Validar(caja)) return false;
                    tragarPulsacion_ = true;
                    QTimer::singleShot(0, this, [this] { tragarPulsacion_ = false; });
                    return true;
                }
                default:
                    // Moved away by other means (its page hidden, a call): the
                    // box is checked now and takes the focus back on refusal.
                    Validar(caja);
                    return false;
            }
        }
        case QEvent::KeyPress: {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla != Qt::Key_Tab && tecla != Qt::Key_Backtab) return false;
            QWidget* caja = CajaConFoco();
            return caja && caja == Caja(w) && !Validar(caja);
        }
        case QEvent::MouseButtonRelease:
            if (!tragarPulsacion_) return false;
            tragarPulsacion_ = false;  // the end of the refused click
            return true;
        case QEvent::MouseButtonDblClick:
            if (QWidget* caja = Caja(w))
                if (const Accion& a = cajas_[caja].dobleClic) {
                    a();
                    return true;
                }
            [[fallthrough]];
        case QEvent::MouseButtonPress:
        case QEvent::Shortcut: {
            if (tragarPulsacion_ && evento->type() != QEvent::Shortcut) return true;
            QWidget* caja = CajaConFoco();
            if (!caja) return false;
            // The control that would take the focus: the widget itself or the
            // first ancestor that accepts it (the table owns its viewport).
            QWidget* destino = w;
            while (destino && destino != dialogo_ && !(destino->focusPolicy() & Qt::ClickFocus))
                destino = destino->parentWidget();
            if (!destino || destino == dialogo_ || destino == caja || Caja(destino) == caja) return false;
            return !Validar(caja);
        }
        default: return false;
    }
}

}  // namespace tarno::ui
