#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

using namespace opciones;

DlgOpciones::DlgOpciones(FrmMain0& principal)
    : QDialog(nullptr, Qt::Window),
      principal_(principal),
      par_(principal.Estado().par),
      plat_(principal.Plat()),
      validador_(new ValidadorCajas(this)) {
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
    connect(aplicar, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) cmdAplicar_Click(); });
    connect(aceptar, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) OKButton_Click(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(aplicar);
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(fichas_);
    capa->addLayout(botones);

    // A refused box shows its page before it takes the focus back.
    validador_->AlRechazar([this](QWidget* caja) {
        for (int k = 0; k < fichas_->count(); ++k)
            if (fichas_->widget(k)->isAncestorOf(caja)) {
                fichas_->setCurrentIndex(k);
                break;
            }
    });
    validador_->Vigilar();

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
    validador_->Agregar(c, [c, validar = std::move(validar)] { return validar(c); });
    if (dobleClic) validador_->AlDobleClic(c, [c, dobleClic = std::move(dobleClic)] { dobleClic(c); });
    return c;
}

void DlgOpciones::Aviso(const std::string& texto, const std::string& titulo) {
    plat_.Mensaje(texto, titulo, Icono::Advertencia, Botones::Aceptar);
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
