// "Variables y Métodos" page of the options dialog: method and storm.
#include "ui/dlg_opciones_comun.h"
#include "comandos/cargar_pluviograma.h"

namespace tarno::ui {

using namespace opciones;

QWidget* DlgOpciones::CrearVariables() {
    auto* w = new QWidget;
    auto* capa = new QVBoxLayout(w);

    auto* metodo = new QGroupBox(QString::fromUtf8("Método de cálculo en pixel"), w);
    auto* gm = new QGridLayout(metodo);
    opt_Metodo_[0] = new QRadioButton("Cascadas KOLT", metodo);
    opt_Metodo_[0]->setObjectName("opt_Metodo0");
    opt_Metodo_[0]->setToolTip(QString::fromUtf8("Método empírico de distribución de flujos"));
    opt_Metodo_[1] = new QRadioButton("Flujo Superficial y Canal", metodo);
    opt_Metodo_[1]->setObjectName("opt_Metodo1");
    opt_Metodo_[1]->setToolTip("Flujo superficial laminar uniforme y flujo turbulento uniforme en canales");
    auto* grupoMetodo = new QButtonGroup(metodo);
    grupoMetodo->addButton(opt_Metodo_[0], 0);
    grupoMetodo->addButton(opt_Metodo_[1], 1);
    for (int i = 0; i < 2; ++i)
        connect(opt_Metodo_[i], &QRadioButton::clicked, this, [this, i] { opt_Metodo_Click(i); });
    gm->addWidget(opt_Metodo_[0], 0, 0, 1, 2);
    gm->addWidget(opt_Metodo_[1], 1, 0, 1, 2);
    txtManning_ = CajaCampo("txtManning", metodo);
    txtManning_->setToolTip("Coeficiente de rugosidad de Manning. Entre 0.01 y 0.150");
    txtFactorRes_ = CajaCampo("txtFactorRes", metodo);
    txtFactorRes_->setToolTip(QString::fromUtf8("Factor de corrección de Resistencia al flujo de Emmett, entre 1 y 15"));
    gm->addWidget(Texto("Cooeficiente de Manning", metodo), 2, 0);
    gm->addWidget(txtManning_, 2, 1);
    gm->addWidget(Texto("Factor de incremento Resistencia al Flujo (Emmett)", metodo), 3, 0);
    gm->addWidget(txtFactorRes_, 3, 1);
    capa->addWidget(metodo);

    auto* tormenta = new QGroupBox("Tormenta", w);
    auto* gt = new QGridLayout(tormenta);
    txtPp_ = CajaCampo("txtPp", tormenta);
    txtDur_ = CajaCampo("txtDur", tormenta);
    gt->addWidget(Texto(QString::fromUtf8("Precipitación [mm]"), tormenta), 0, 0);
    gt->addWidget(txtPp_, 0, 1);
    gt->addWidget(Texto(QString::fromUtf8("Duración de tormenta [min]"), tormenta), 1, 0);
    gt->addWidget(txtDur_, 1, 1);

    cmbRec_ = new QComboBox(tormenta);
    cmbRec_->setObjectName("cmbRec");
    cmbRec_->setEditable(true);
    cmbRec_->setInsertPolicy(QComboBox::NoInsert);
    cmbRec_->setMaximumWidth(110);
    // The recurrence is free text taken by the apply step; text whose value
    // does not fit a 16-bit integer (or is negative) is refused when the box is left.
    validador_->Agregar(cmbRec_, [this] {
        const double v = RedondearEntero(ValorInicial(cmbRec_->currentText().toStdString()));
        if (v >= 0 && v <= 32767) return true;
        Aviso(CampoDeCaja("cmbRec")->aviso);
        return false;
    });
    validador_->AlDobleClic(cmbRec_, [this] {
        par_.Rec = 0;
        cmbRec_->setEditText("0");
    });
    gt->addWidget(Texto(QString::fromUtf8("Recurrencia [años]"), tormenta), 2, 0);
    gt->addWidget(cmbRec_, 2, 1);

    chkPpArchivo_ = new QCheckBox("Leer Pluviograma desde archivo: ", tormenta);
    chkPpArchivo_->setObjectName("chkPpArchivo");
    chkPpArchivo_->setToolTip("Puede cargar una tormenta por su PDR, intensidad constante, o puede cargar un "
                              "pluviograma desde archivo");
    connect(chkPpArchivo_, &QCheckBox::clicked, this, [this] { chkPpArchivo_Click(); });
    lblPpArchivo_ = Rotulo("lblPpArchivo", tormenta);
    auto* cargaPp = new QPushButton("Cargar Archivo Pp", tormenta);
    cargaPp->setObjectName("cmdCargaPpArchivo");
    cargaPp->setToolTip("Carga un hietograma desde un archivo...");
    connect(cargaPp, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) cmdCargaPpArchivo_Click(); });
    gt->addWidget(chkPpArchivo_, 3, 0);
    gt->addWidget(cargaPp, 3, 1);
    gt->addWidget(lblPpArchivo_, 4, 0, 1, 6);

    optAreaPp_[0] = new QRadioButton(QString::fromUtf8("Aplicar en toda el área"), tormenta);
    optAreaPp_[0]->setObjectName("optAreaPp0");
    optAreaPp_[1] = new QRadioButton(QString::fromUtf8("Aplicar en un área"), tormenta);
    optAreaPp_[1]->setObjectName("optAreaPp1");
    auto* grupoArea = new QButtonGroup(tormenta);
    grupoArea->addButton(optAreaPp_[0], 0);
    grupoArea->addButton(optAreaPp_[1], 1);
    for (int i = 0; i < 2; ++i)
        connect(optAreaPp_[i], &QRadioButton::clicked, this, [this, i] { optAreaPp_Click(i); });
    gt->addWidget(optAreaPp_[0], 5, 0);
    gt->addWidget(optAreaPp_[1], 6, 0);

    // Sub-area bounds: corrected silently; "Max" stands for the last row or column.
    auto cota = [this, tormenta](const char* nombre, int32_t Parametros::*campo, QLineEdit** primera) {
        const bool segunda = primera != nullptr;
        return Caja(
            nombre, tormenta,
            [this, campo, primera, segunda](QLineEdit* c) {
                if (!Num(c)) c->setText("Max");
                else if (Val(c) < 1) c->setText("1");
                if (segunda && Val(*primera) > Val(c) && c->text() != "Max") c->setText((*primera)->text());
                if (c->text() == "Max") {
                    par_.*campo = kMax;
                } else {
                    par_.*campo = LargoEntera(Val(c));
                    c->setText(TMax(par_.*campo));
                }
                return true;
            },
            [segunda](QLineEdit* c) { c->setText(segunda ? "Max" : "1"); });
    };
    txtPx1_ = cota("txtPx1", &Parametros::Px1, nullptr);
    txtPx2_ = cota("txtPx2", &Parametros::Px2, &txtPx1_);
    txtPy1_ = cota("txtPy1", &Parametros::Py1, nullptr);
    txtPy2_ = cota("txtPy2", &Parametros::Py2, &txtPy1_);
    gt->addWidget(Texto("Columna,  Min", tormenta), 7, 0);
    gt->addWidget(txtPx1_, 7, 1);
    gt->addWidget(Texto(QString::fromUtf8("Máx"), tormenta), 7, 2);
    gt->addWidget(txtPx2_, 7, 3);
    gt->addWidget(Texto("Fila,   Min", tormenta), 8, 0);
    gt->addWidget(txtPy1_, 8, 1);
    gt->addWidget(Texto(QString::fromUtf8("Máx"), tormenta), 8, 2);
    gt->addWidget(txtPy2_, 8, 3);
    gt->setColumnStretch(5, 1);
    capa->addWidget(tormenta);
    capa->addStretch(1);
    return w;
}

void DlgOpciones::opt_Metodo_Click(int i) {
    par_.Metodo = static_cast<int16_t>(i);
    txtManning_->setEnabled(i == 1);
    txtFactorRes_->setEnabled(i == 1);
    txtKRecesion_->setEnabled(i != 1);
}

void DlgOpciones::MostrarSubarea() {
    txtPx1_->setText(TMax(par_.Px1));
    txtPx2_->setText(TMax(par_.Px2));
    txtPy1_->setText(TMax(par_.Py1));
    txtPy2_->setText(TMax(par_.Py2));
}

void DlgOpciones::optAreaPp_Click(int i) {
    par_.AreaPp = static_cast<int16_t>(i);
    const bool area = i == 1;
    for (QLineEdit* c : {txtPx1_, txtPx2_, txtPy1_, txtPy2_}) c->setEnabled(area);
    if (area) {
        if (par_.Px1 < 1) par_.Px1 = 1;
        if (par_.Py1 < 1) par_.Py1 = 1;
        if (par_.Px2 < 1) par_.Px2 = kMax;
        if (par_.Py2 < 1) par_.Py2 = kMax;
        MostrarSubarea();
    }
}

void DlgOpciones::chkPpArchivo_Click() {
    par_.PpArchivo = chkPpArchivo_->isChecked();
    txtPp_->setEnabled(!par_.PpArchivo);
    txtDur_->setEnabled(!par_.PpArchivo);
    cmbRec_->setEnabled(!par_.PpArchivo);
}

void DlgOpciones::LlenarVariables() {
    LlenarCajas(Pagina::Variables);
    if (par_.AreaPp == 1) {
        optAreaPp_[1]->setChecked(true);
        optAreaPp_Click(1);
        for (QLineEdit* c : {txtPx1_, txtPx2_, txtPy1_, txtPy2_}) c->setEnabled(true);
    } else {
        par_.AreaPp = 0;
        optAreaPp_[0]->setChecked(true);
        for (QLineEdit* c : {txtPx1_, txtPx2_, txtPy1_, txtPy2_}) c->setEnabled(false);
    }
    MostrarSubarea();
    if (cmbRec_->count() == 0)
        for (const char* r : kRecurrencias) cmbRec_->addItem(r);
    cmbRec_->setEditText(QString::number(par_.Rec));
    if (par_.PpArchivo) chkPpArchivo_Click();
    opt_Metodo_[par_.Metodo == 0 ? 0 : 1]->setChecked(true);
    txtFactorRes_->setEnabled(par_.Metodo != 0);
    txtManning_->setEnabled(par_.Metodo != 0);
    txtKRecesion_->setEnabled(par_.Metodo == 0);
}

void DlgOpciones::AplicarVariables(int paso) {
    AplicarCajas(Pagina::Variables, paso);
    if (paso == 1) {
        // Text that does not fit a 16-bit recurrence is kept within 0..32767.
        const double rec = RedondearEntero(ValorInicial(cmbRec_->currentText().toStdString()));
        par_.Rec = static_cast<int16_t>(rec < 0 ? 0 : (rec > 32767 ? 32767 : rec));
    } else if (paso == 7) {
        par_.PpArchivo = chkPpArchivo_->isChecked();
        txtPp_->setEnabled(!par_.PpArchivo);
        txtDur_->setEnabled(!par_.PpArchivo);
        cmbRec_->setEnabled(!par_.PpArchivo);
    }
}

void DlgOpciones::cmdCargaPpArchivo_Click() {
    // The board is shown and cleared before the file is read, so a warning
    // of the load appears over it; the report follows at the end.
    auto mostrarPizarra = [this] {
        FrmPp* pizarra = principal_.Pizarra();
        pizarra->PonerTexto(QString());
        pizarra->show();
        pizarra->raise();
        if (QAction* item = principal_.Accion("mnuPizarra1")) item->setChecked(true);
    };
    const CargaPluviograma c = CargarPluviogramaDialogo(principal_.Estado().pluviograma, plat_, mostrarPizarra);
    if (!c.etiqueta.empty()) lblPpArchivo_->setText(QString::fromStdString(c.etiqueta));
    if (c.MostrarPizarra()) principal_.Pizarra()->PonerTexto(QString::fromStdString(c.informe));
    if (c.ReiniciarOpciones()) Reinicia_Variables();
}

}  // namespace tarno::ui
