// "Parámetros" page of the options dialog: DEM, steps, cross-section and divide explorer.
#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

using namespace opciones;

QWidget* DlgOpciones::CrearParametros() {
    auto* w = new QWidget;
    auto* capa = new QVBoxLayout(w);

    auto* dem = new QGroupBox(QString::fromUtf8("Archivo DEM y parámetros en celdas:"), w);
    auto* g = new QGridLayout(dem);
    auto* cargaDEM = new QPushButton("Cargar Archivo MDT (DEM)", dem);
    cargaDEM->setObjectName("cmdCargaDEM");
    connect(cargaDEM, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) cmdCargaDEM_Click(); });
    g->addWidget(cargaDEM, 0, 0, 1, 2);
    g->addWidget(Texto("Archivo MDT (DEM)", dem), 1, 0);
    lblDEM_ = Rotulo("lblDEM", dem);
    g->addWidget(lblDEM_, 1, 1, 1, 5);
    g->addWidget(Texto("Directorio MDT (DEM)", dem), 2, 0);
    lblDirDEM_ = Rotulo("lblDirDEM", dem);
    g->addWidget(lblDirDEM_, 2, 1, 1, 5);

    txtPasoPp_ = CajaCampo("txtPasoPp", dem);
    // The output step first shows its own value; on failure it falls back to
    // "1", or to the computation step when that is larger, never above 360.
    txtPasoQ_ = CajaCampo("txtPasoQ", dem,
                          {[](QLineEdit* c) { c->setText(T(Val(c))); },
                           [this](QLineEdit* c) {
                               if (Val(txtPasoPp_) > Val(c)) c->setText(txtPasoPp_->text());
                               if (Val(c) > 360) c->setText("360");
                           },
                           {}});
    txtnPer_ = CajaCampo("txtnPer", dem);
    txtResolucionX_ = CajaCampo("txtResolucionX", dem);
    txtResolucionY_ = CajaCampo("txtResolucionY", dem);
    txtKRecesion_ = CajaCampo("txtKRecesion", dem);
    txtKRecesion_->setToolTip(QString::fromUtf8(
        "Parámetro de propagación. Cantidad de minutos para reducir el caudal máximo disponible al 36,7% de su valor"));

    g->addWidget(Texto("Paso de Calculo del Modelo [min]", dem), 3, 0);
    g->addWidget(txtPasoPp_, 3, 1);
    g->addWidget(Texto("Paso de Salida  [min]", dem), 4, 0);
    g->addWidget(txtPasoQ_, 4, 1);
    g->addWidget(Texto(QString::fromUtf8("Número de Períodos"), dem), 5, 0);
    g->addWidget(txtnPer_, 5, 1);
    g->addWidget(Texto(QString::fromUtf8("Resolución X [metros]"), dem), 3, 2);
    g->addWidget(txtResolucionX_, 3, 3);
    g->addWidget(Texto(QString::fromUtf8("Resolución Y [metros]"), dem), 4, 2);
    g->addWidget(txtResolucionY_, 4, 3);
    QLabel* lblKr = Texto(QString::fromUtf8("Constante Media Kr de Recesión"), dem, "lblKRecesion");
    lblKr->setToolTip(QString::fromUtf8("Parámetro Kr de la expresión de Singh y Stall modificada para Q=Q0 * e^-(T/K)"));
    g->addWidget(lblKr, 5, 2);
    g->addWidget(txtKRecesion_, 5, 3);

    // Hydrograph cross-section.
    g->addWidget(Texto(QString::fromUtf8("Hidrograma en Sección Transversal"), dem), 6, 0, 1, 2);
    g->addWidget(Texto("desde", dem), 7, 1);
    g->addWidget(Texto("hasta", dem), 7, 2);
    // The "hasta" boxes never run backwards: they take the "desde" text first
    // when that is larger.
    txtfHidro1_ = CajaCampo("txtfHidro1", dem);
    txtcHidro1_ = CajaCampo("txtcHidro1", dem);
    txtfHidro2_ = CajaCampo("txtfHidro2", dem);
    txtcHidro2_ = CajaCampo("txtcHidro2", dem);
    validador_->AlDobleClic(txtfHidro2_, [this] { txtfHidro2_->setText(txtfHidro1_->text()); });
    txtfHidro1_->setToolTip("Guarda el hidrograma");
    txtfHidro2_->setToolTip("Guarda el hidrograma");
    g->addWidget(Texto("fila", dem), 8, 0);
    g->addWidget(txtfHidro1_, 8, 1);
    g->addWidget(txtfHidro2_, 8, 2);
    g->addWidget(Texto("col", dem), 9, 0);
    g->addWidget(txtcHidro1_, 9, 1);
    g->addWidget(txtcHidro2_, 9, 2);
    capa->addWidget(dem);

    // Divide explorer.
    auto* div = new QGroupBox(QString::fromUtf8("Explorador de Divisorias: Método de Q[m3/s] y H[m] mínimos"), w);
    auto* gd = new QGridLayout(div);
    chkDiv_ = new QCheckBox("Activar Explorador", div);
    chkDiv_->setObjectName("chkDiv");
    chkDiv_->setToolTip(QString::fromUtf8(
        "Al activar, genera y guarda imagen exploradora de divisorias, extensión '_QD_dat.rkd'. "));
    connect(chkDiv_, &QCheckBox::clicked, this, [this] { chkDiv_Click(); });
    optDivQmin_ = new QRadioButton(QString::fromUtf8("Método Q mínimos                       Caudal Q Menor a: "), div);
    optDivQmin_->setObjectName("optDivQmin");
    optDivQHmin_ =
        new QRadioButton(QString::fromUtf8("Método Q y H mínimos                 Altura H Menor a: "), div);
    optDivQHmin_->setObjectName("optDivQHmin");
    optDivQHmin_->setChecked(true);
    auto* grupoDiv = new QButtonGroup(div);
    grupoDiv->addButton(optDivQmin_);
    grupoDiv->addButton(optDivQHmin_);
    connect(optDivQmin_, &QRadioButton::clicked, this, [this] { txtDivHmin_->setEnabled(false); });
    connect(optDivQHmin_, &QRadioButton::clicked, this, [this] { txtDivHmin_->setEnabled(true); });
    txtDivQmin_ = CajaCampo("txtDivQmin", div);
    txtDivHmin_ = CajaCampo("txtDivHmin", div);
    txtDivValor_ = CajaCampo("txtDivValor", div);
    txtDivValorRes_ = CajaCampo("txtDivValorRes", div);
    txtDivValor_->setToolTip("Valor Para Pixel en crestas o divisorias. IndicaPor defecto = 0. Se recomienda usar "
                             "un valor mayor al Qmax en pixel.");
    chkDivResQM_ = new QCheckBox("Valor de QMax", div);
    chkDivResQM_->setObjectName("chkDivResQM");
    connect(chkDivResQM_, &QCheckBox::clicked, this, [this] { chkDivResQM_Click(); });
    gd->addWidget(chkDiv_, 0, 0);
    gd->addWidget(Texto("Valor en Pixel", div), 0, 1);
    gd->addWidget(txtDivValor_, 0, 2);
    gd->addWidget(optDivQmin_, 1, 0, 1, 2);
    gd->addWidget(txtDivQmin_, 1, 2);
    gd->addWidget(optDivQHmin_, 2, 0, 1, 2);
    gd->addWidget(txtDivHmin_, 2, 2);
    auto* restantes = new QGroupBox("Valor en pixel's restantes", div);
    auto* gr = new QHBoxLayout(restantes);
    gr->addWidget(chkDivResQM_);
    gr->addWidget(Texto("Valor Restantes", restantes));
    gr->addWidget(txtDivValorRes_);
    gd->addWidget(restantes, 3, 0, 1, 3);
    capa->addWidget(div);
    capa->addStretch(1);
    return w;
}

void DlgOpciones::chkDivResQM_Click() {
    par_.DivResQM = chkDivResQM_->isChecked();
    txtDivValorRes_->setEnabled(!par_.DivResQM);
}

void DlgOpciones::chkDiv_Click() {
    if (chkDiv_->isChecked()) {
        optDivQmin_->setEnabled(true);
        optDivQHmin_->setEnabled(true);
        txtDivValor_->setEnabled(true);
        txtDivQmin_->setEnabled(true);
        txtDivHmin_->setEnabled(false);
        par_.Div = true;
        if (par_.DivMetodoQmin) optDivQmin_->setChecked(true);
        else optDivQHmin_->setChecked(true);
        if (optDivQHmin_->isChecked()) txtDivHmin_->setEnabled(true);
        chkDivResQM_->setChecked(par_.DivResQM);
        chkDivResQM_->setEnabled(true);
        txtDivValorRes_->setEnabled(true);
    } else {
        for (QWidget* x : std::initializer_list<QWidget*>{optDivQmin_, optDivQHmin_, txtDivQmin_, txtDivHmin_,
                                                          txtDivValor_, chkDivResQM_, txtDivValorRes_})
            x->setEnabled(false);
        par_.Div = false;
        par_.DivMetodoQmin = false;
        par_.DivResQM = false;
    }
}

void DlgOpciones::LlenarParametros() {
    LlenarCajas(Pagina::Parametros);
    if (par_.DivMetodoQmin) optDivQmin_->setChecked(true);
    txtDivHmin_->setEnabled(true);
    if (par_.DivResQM) chkDivResQM_Click();
    chkDiv_->setChecked(par_.Div);
    chkDiv_Click();
    lblDEM_->setText(QString::fromStdString(par_.ArchivoDEM));
    lblDirDEM_->setText(QString::fromStdString(par_.DirDEM));
}

void DlgOpciones::AplicarParametros(int paso) {
    AplicarCajas(Pagina::Parametros, paso);
    if (paso == 4) {
        par_.ArchivoDEM = lblDEM_->text().toStdString();
        par_.DirDEM = lblDirDEM_->text().toStdString();
    } else if (paso == 6) {
        par_.DivMetodoQmin = optDivQmin_->isChecked();
        par_.Div = chkDiv_->isChecked();
        par_.DivResQM = chkDivResQM_->isChecked();
    }
}

void DlgOpciones::cmdCargaDEM_Click() {
    const std::string ruta = plat_.AbrirArchivo(
        "Cargar archivo MDT (DEM), Modelo Digital del Terreno, en formato texto, de IDRISI",
        "Archivos MDT (DEM) de TARNO-SIG (*_dat.rkd)|*_dat.rkd");
    if (ruta.empty()) return;
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    par_.DirDEM = carpeta;
    par_.ArchivoDEM = nombre;
    lblDEM_->setText(QString::fromStdString(nombre));
    lblDirDEM_->setText(QString::fromStdString(carpeta));
    EstadoApp& e = principal_.Estado();
    CargarDEM(par_, e.img, e.grillas.Cota, plat_);
    Reinicia_Variables();
}

}  // namespace tarno::ui
