// Validation of text boxes when the user leaves them: the one engine of every
// dialog with checked boxes (the options dialog and the tool dialogs).
//
// A box's rule runs when the focus would move away from it inside its
// dialog: on Tab and Shift+Tab, on a click on another control that takes the
// focus, on a mnemonic shortcut of another control, and when the focus is
// moved away by other means (a page of a tab widget hidden, a call). When the
// rule refuses, the box keeps (or gets back) the focus with its text selected
// and the click or key that tried to leave has no other effect. Leaving the
// window (another window, a message box, a menu) is not leaving the box.
// Every managed box also selects its whole text when it receives the focus.
#pragma once

#include <QObject>
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
    using Accion = std::function<void()>;

    explicit ValidadorCajas(QWidget* dialogo);

    /// Manages `caja` (a line edit or an editable combo box); `regla` may be
    /// empty (the box only selects its text).
    void Agregar(QWidget* caja, Regla regla = {});
    /// Runs `accion` when `caja` receives the focus, before its text is selected.
    void AlEntrar(QWidget* caja, Accion accion);
    /// A double click on `caja` runs `accion` instead of selecting a word.
    void AlDobleClic(QWidget* caja, Accion accion);
    /// Runs before a refused box takes the focus back (to show its page).
    void AlRechazar(std::function<void(QWidget*)> accion);

    /// Installs the filter on every control of the dialog. Call once the
    /// dialog's controls exist.
    void Vigilar();

    /// Runs the rule of the box that has the focus, if any (before an action
    /// that leaves it by other means). False when the rule refused.
    bool ValidarFoco();

    /// True when `objeto` is a managed box (or the text part of one).
    bool Gestiona(QObject* objeto) const { return Caja(objeto) != nullptr; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Datos {
        Regla regla;
        Accion alEntrar, dobleClic;
    };
    bool Validar(QWidget* caja);
    QWidget* Caja(QObject* objeto) const;
    QWidget* CajaConFoco() const;
    static void Seleccionar(QWidget* caja);

    QWidget* dialogo_;
    std::map<QWidget*, Datos> cajas_;
    std::function<void(QWidget*)> alRechazar_;
    bool ocupado_ = false;
    bool tragarPulsacion_ = false;  // a refused click must not reach its control
};

}  // namespace tarno::ui
