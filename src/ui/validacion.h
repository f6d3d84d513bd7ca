// Validation of text boxes when the user leaves them.
//
// A box's rule runs when the focus would move away from it inside its
// dialog: on Tab and Shift+Tab, on a click on another control that takes the
// focus, and on a mnemonic shortcut of another control. When the rule
// refuses, the box keeps (or gets back) the focus with its text selected and
// the click or key that tried to leave has no other effect.
// Every managed box also selects its whole text when it receives the focus.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QLineEdit;
class QWidget;

namespace tarno::ui {

class ValidadorCajas : public QObject {
    Q_OBJECT
public:
    /// A rule shows its own messages and returns false to keep the focus.
    using Regla = std::function<bool()>;

    explicit ValidadorCajas(QWidget* dialogo);

    /// Manages `caja`; `regla` may be empty (the box only selects its text).
    void Agregar(QLineEdit* caja, Regla regla = {});

    /// Installs the filter on every control of the dialog. Call once the
    /// dialog's controls exist.
    void Vigilar();

    /// Runs the rule of the box that has the focus, if any (before an action
    /// that leaves it by other means). False when the rule refused.
    bool ValidarFoco();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool Validar(QLineEdit* caja);
    QLineEdit* CajaConFoco() const;

    QWidget* dialogo_;
    std::map<QLineEdit*, Regla> reglas_;
    bool ocupado_ = false;
    bool tragarPulsacion_ = false;  // a refused click must not reach its control
};

}  // namespace tarno::ui
