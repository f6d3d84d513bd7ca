#include "ui/validacion.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace tarno::ui {

ValidadorCajas::ValidadorCajas(QWidget* dialogo) : QObject(dialogo), dialogo_(dialogo) {}

void ValidadorCajas::Agregar(QLineEdit* caja, Regla regla) { reglas_[caja] = std::move(regla); }

void ValidadorCajas::Vigilar() {
    for (QWidget* w : dialogo_->findChildren<QWidget*>()) w->installEventFilter(this);
}

QLineEdit* ValidadorCajas::CajaConFoco() const {
    auto* caja = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return caja && reglas_.count(caja) ? caja : nullptr;
}

bool ValidadorCajas::Validar(QLineEdit* caja) {
    auto it = reglas_.find(caja);
    if (it == reglas_.end() || !it->second || ocupado_) return true;
    ocupado_ = true;
    const bool ok = it->second();
    if (!ok) {
        // A warning box took the activation: give it back to the dialog.
        if (dialogo_->isVisible() && !dialogo_->isActiveWindow()) dialogo_->activateWindow();
        caja->setFocus(Qt::OtherFocusReason);
        caja->selectAll();
    }
    ocupado_ = false;
    return ok;
}

bool ValidadorCajas::ValidarFoco() {
    QLineEdit* caja = CajaConFoco();
    return !caja || Validar(caja);
}

bool ValidadorCajas::eventFilter(QObject* objeto, QEvent* evento) {
    if (ocupado_) return false;
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w) return false;
    switch (evento->type()) {
        case QEvent::FocusIn: {
            auto* caja = qobject_cast<QLineEdit*>(w);
            if (caja && reglas_.count(caja)) {
                caja->selectAll();
                // A click places the cursor after the focus arrives.
                if (static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason)
                    QTimer::singleShot(0, caja, [caja] { caja->selectAll(); });
            }
            return false;
        }
        case QEvent::FocusOut: {
            // A click on another control moves the focus before the press
            // reaches that control: validate here and, on refusal, swallow
            // the press that follows so the control does not act.
            auto* caja = qobject_cast<QLineEdit*>(w);
            if (!caja || !reglas_.count(caja) ||
                static_cast<QFocusEvent*>(evento)->reason() != Qt::MouseFocusReason)
                return false;
            if (Validar(caja)) return false;
            // The box has the focus again; its own focus-out handling would
            // only drop the selection.
            // The press of this click is delivered right after this event;
            // its release may be lost while a message box was up, so the
            // flag also ends with the current event.
            tragarPulsacion_ = true;
            QTimer::singleShot(0, this, [this] { tragarPulsacion_ = false; });
            return true;
        }
        case QEvent::KeyPress: {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla != Qt::Key_Tab && tecla != Qt::Key_Backtab) return false;
            QLineEdit* caja = CajaConFoco();
            return caja && caja == w && !Validar(caja);
        }
        case QEvent::MouseButtonRelease:
            if (!tragarPulsacion_) return false;
            tragarPulsacion_ = false;  // the end of the refused click
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Shortcut: {
            if (tragarPulsacion_ && evento->type() != QEvent::Shortcut) return true;
            QLineEdit* caja = CajaConFoco();
            if (!caja) return false;
            // The control that would take the focus: the widget itself or the
            // first ancestor that accepts it (the table owns its viewport).
            QWidget* destino = w;
            while (destino && destino != dialogo_ && !(destino->focusPolicy() & Qt::ClickFocus))
                destino = destino->parentWidget();
            if (!destino || destino == dialogo_ || destino == caja) return false;
            return !Validar(caja);
        }
        default: return false;
    }
}

}  // namespace tarno::ui
