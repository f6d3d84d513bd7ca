#include "ui/dlg_clasificar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "raster/numeros.h"

namespace tarno::ui {

using herramientas::Clases;

namespace {
constexpr const char* kTituloClasifica = "Clasifica valores de archivo imagen _dat.rkd";
}

DlgClasificaDatPixel::DlgClasificaDatPixel(EstadoApp& estado, Plataforma& plataforma, QWidget* padre)
    : DialogoHerramienta(estado, plataforma, padre, "dlgClasificaDatPixel",
                         "TARNO-SIG: Clasifica valores de una Imagen RASK") {
    lblArchivoRASK = Etiqueta("lblArchivoRASK");
    auto* cmdModificarArchivo = Boton("cmdModificarArchivo", "&Seleccionar Archivo");

    auto* marcoTam = MarcoTamano(lblRows, lblColumns);
    auto* marcoVal = MarcoValores(lblMaximo, lblMinimo);

    auto* marcoMetodo = Marco("fraMetodo", "Clasificación");
    opt1 = Opcion("opt1", "Por Nro. de intervalos de clsasamiento, lineal simple");
    opt2 = Opcion("opt2", "Por Intervalo constante, lineal simple");
    opt3 = Opcion("opt3", "Intervalos variables");
    txtNroIntervalos = Caja("txtNroIntervalos", "0");
    txtAmplitud = Caja("txtAmplitud", "0");
    auto* gm = new QGridLayout(marcoMetodo);
    gm->addWidget(opt1, 0, 0);
    gm->addWidget(opt2, 1, 0);
    gm->addWidget(opt3, 2, 0);
    gm->addWidget(new QLabel("Nro. de intervalos"), 0, 1);
    gm->addWidget(txtNroIntervalos, 0, 2);
    gm->addWidget(new QLabel("Amplitud"), 1, 1);
    gm->addWidget(txtAmplitud, 1, 2);

    MSFlexGrid1 = new QTableWidget(0, 3, this);
    MSFlexGrid1->setObjectName("MSFlexGrid1");
    MSFlexGrid1->setHorizontalHeaderLabels({"Intervalo/Valor", ">= que", "< que"});
    for (int c = 0; c < 3; ++c)
        MSFlexGrid1->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setTabKeyNavigation(false);
    MSFlexGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    MSFlexGrid1->installEventFilter(this);

    cmdAgregaFila = Boton("cmdAgregaFila", "Agregar una fila");
    cmdBorrar = Boton("cmdBorrar", "Borrar Tabla");
    lblArchivoRASKMod = Caja("lblArchivoRASKMod");
    auto* OKButton = Boton("OKButton", "&Aceptar");
    auto* CancelButton = Boton("CancelButton", "&Cancelar");

    auto* raiz = new QVBoxLayout(this);
    AgregarFuente(raiz, lblArchivoRASK, cmdModificarArchivo, marcoTam, marcoVal);
    raiz->addWidget(marcoMetodo);
    raiz->addWidget(MSFlexGrid1, 1);
    auto* filasTabla = new QHBoxLayout;
    filasTabla->addWidget(cmdAgregaFila);
    filasTabla->addWidget(cmdBorrar);
    filasTabla->addStretch();
    raiz->addLayout(filasTabla);
    raiz->addWidget(new QLabel("Nombre Archivo Nuevo"));
    raiz->addWidget(lblArchivoRASKMod);
    AgregarBotones(raiz, OKButton, CancelButton);
    resize(520, 560);

    opt3->setChecked(true);
    txtAmplitud->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{opt1, opt2, opt3, cmdAgregaFila, cmdBorrar, MSFlexGrid1,
                                                      txtNroIntervalos})
        w->setEnabled(false);

    validador_->Agregar(txtNroIntervalos, [this] { return ReglaNroIntervalos(); });
    validador_->Agregar(txtAmplitud, [this] { return ReglaAmplitud(); });
    validador_->Agregar(lblArchivoRASKMod, [this] { return ReglaNombre(lblArchivoRASKMod, {}); });
    validador_->Vigilar();

    connect(cmdModificarArchivo, &QPushButton::clicked, this, &DlgClasificaDatPixel::cmdModificarArchivo_Click);
    connect(opt1, &QRadioButton::clicked, this, &DlgClasificaDatPixel::opt1_Click);
    connect(opt2, &QRadioButton::clicked, this, &DlgClasificaDatPixel::opt2_Click);
    connect(opt3, &QRadioButton::clicked, this, &DlgClasificaDatPixel::opt3_Click);
    connect(cmdAgregaFila, &QPushButton::clicked, this, &DlgClasificaDatPixel::cmdAgregaFila_Click);
    connect(cmdBorrar, &QPushButton::clicked, this, &DlgClasificaDatPixel::cmdBorrar_Click);
    connect(OKButton, &QPushButton::clicked, this, &DlgClasificaDatPixel::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
    connect(MSFlexGrid1, &QTableWidget::currentCellChanged, this, [this](int fila, int col, int filaAnt, int colAnt) {
        if (filaAnt >= 0 && colAnt >= 1 && filaAnt < MSFlexGrid1->rowCount()) SalirCelda(filaAnt, colAnt);
        // Column 0 holds the class numbers and is not edited.
        if (fila >= 0 && col == 0) MSFlexGrid1->setCurrentCell(fila, 1);
    });
}

// ---- grid helpers (table row r is class r + 1) ----

QString DlgClasificaDatPixel::TextoCelda(int fila, int columna) const {
    const QTableWidgetItem* it = MSFlexGrid1->item(fila, columna);
    return it ? it->text() : QString();
}

void DlgClasificaDatPixel::FijarCelda(int fila, int columna, const QString& texto) {
    QTableWidgetItem* it = MSFlexGrid1->item(fila, columna);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        it->setFlags(columna == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        MSFlexGrid1->setItem(fila, columna, it);
    }
    it->setText(texto);
}

void DlgClasificaDatPixel::MostrarFila(int k) {
    const size_t i = static_cast<size_t>(k);
    FijarCelda(k - 1, 0, Numero(static_cast<int32_t>(k)));
    FijarCelda(k - 1, 1, Numero(clases_.Desde[i]));
    FijarCelda(k - 1, 2, Numero(clases_.Hasta[i]));
}

void DlgClasificaDatPixel::MostrarTabla() {
    for (int k = 1; k <= clases_.n; ++k) MostrarFila(k);
}

float DlgClasificaDatPixel::DesdePrimera() const {
    // The table shows the smallest value as the lower bound of class 1; with
    // typed intervals the first class starts there (or at 0 when the image
    // holds no negative values, which classifies the same cells).
    return std::min(0.0f, menor_);
}

void DlgClasificaDatPixel::Encadenar() {
    herramientas::EncadenarClases(clases_);
    if (opt3->isChecked() && clases_.n >= 1) clases_.Desde[1] = DesdePrimera();
    for (int k = 2; k <= clases_.n; ++k) FijarCelda(k - 1, 1, Numero(clases_.Desde[static_cast<size_t>(k)]));
    if (clases_.n >= 1) FijarCelda(0, 1, Numero(menor_));
}

// ---- number of classes and width ----

void DlgClasificaDatPixel::AplicarNroClases(int16_t n) {
    const int antes = MSFlexGrid1->rowCount();
    clases_.Redimensionar(n);
    MSFlexGrid1->setRowCount(n);
    for (int k = antes + 1; k <= n; ++k) {
        FijarCelda(k - 1, 1, {});
        FijarCelda(k - 1, 2, {});
    }
    for (int k = 1; k <= n; ++k) FijarCelda(k - 1, 0, Numero(static_cast<int32_t>(k)));
    if (n >= 1) FijarCelda(0, 1, Numero(menor_));
    cmdBorrar->setEnabled(true);
    if (opt1->isChecked()) {
        herramientas::ClasesPorNumero(clases_, n, menor_, mayor_);
        txtAmplitud->setText(Numero(clases_.Amplitud));
        MostrarTabla();
    }
}

bool DlgClasificaDatPixel::ReglaNroIntervalos() {
    int16_t n = 0;
    if (!herramientas::LeerNroClases(S(txtNroIntervalos->text()), n)) {
        plat_.Mensaje("Ingrese un valor numérico entero entre 1 y 256 ");
        return false;
    }
    AplicarNroClases(n);
    return true;
}

bool DlgClasificaDatPixel::ReglaAmplitud() {
    const std::string texto = S(txtAmplitud->text());
    if (!EsNumerico(texto)) {
        plat_.Mensaje("Ingrese un valor numérico entero o decimal");
        return false;
    }
    if (!opt2->isChecked()) return true;
    if (herramientas::ClasesPorAmplitud(clases_, static_cast<float>(ValorInicial(texto)), menor_, mayor_)) {
        plat_.Mensaje("El valor adoptado genera más de 256 intervalos. Incremente la amplitud", "Inconsistente",
                      Icono::Advertencia);
        txtAmplitud->setText(Numero(clases_.Amplitud));
    }
    MSFlexGrid1->setRowCount(clases_.n);
    MostrarTabla();
    FijarCelda(0, 1, Numero(clases_.Desde[1]));
    txtNroIntervalos->setText(Numero(static_cast<int32_t>(clases_.n)));
    cmdBorrar->setEnabled(true);
    return true;
}

// ---- commands ----

void DlgClasificaDatPixel::cmdModificarArchivo_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Modificar de manera directa (forzar) valores de Pixel en Archivo formato RKD", carpeta,
                      archivo))
        return;
    carpeta_ = carpeta;
    MostrarDatos();
    lblArchivoRASKMod->setText(Q(herramientas::NombrePropuesto(archivo, "_C")));
    for (QWidget* w : std::initializer_list<QWidget*>{opt1, opt2, opt3, MSFlexGrid1, txtNroIntervalos, txtAmplitud,
                                                      cmdAgregaFila, cmdBorrar})
        w->setEnabled(true);
}

void DlgClasificaDatPixel::MostrarDatos() {
    menor_ = fuente_.img.DatoMenor;
    mayor_ = fuente_.img.DatoMayor;
    MostrarFuente(fuente_, lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo);
}

void DlgClasificaDatPixel::opt1_Click() {
    opt1->setChecked(true);
    txtNroIntervalos->setEnabled(true);
    txtAmplitud->setEnabled(false);
    cmdAgregaFila->setEnabled(false);
    cmdBorrar_Click();
}

void DlgClasificaDatPixel::opt2_Click() {
    opt2->setChecked(true);
    txtAmplitud->setEnabled(true);
    txtNroIntervalos->setEnabled(false);
    cmdAgregaFila->setEnabled(false);
    cmdBorrar_Click();
}

void DlgClasificaDatPixel::opt3_Click() {
    opt3->setChecked(true);
    txtNroIntervalos->setEnabled(true);
    cmdAgregaFila->setEnabled(true);
    MSFlexGrid1->setEnabled(true);
    txtAmplitud->setEnabled(false);
}

void DlgClasificaDatPixel::cmdAgregaFila_Click() {
    const int n = clases_.n + 1;
    if (n > herramientas::kMaxClases) return;
    AplicarNroClases(static_cast<int16_t>(n));
    txtNroIntervalos->setText(Numero(static_cast<int32_t>(n)));
}

void DlgClasificaDatPixel::cmdBorrar_Click() {
    clases_.Redimensionar(0);
    MSFlexGrid1->setRowCount(0);
    pendiente_ = false;
    txtNroIntervalos->setText("0");
    AplicarNroClases(1);
}

// ---- grid editing ----

void DlgClasificaDatPixel::SalirCelda(int fila, int columna) {
    if (fila < 0 || fila >= clases_.n || columna < 1) return;
    const size_t k = static_cast<size_t>(fila) + 1;
    if (!EsNumerico(S(TextoCelda(fila, columna)))) FijarCelda(fila, columna, {});
    if (columna == 2) {
        const QString texto = TextoCelda(fila, 2);
        const float v = static_cast<float>(ValorInicial(S(texto)));
        const float desde = k == 1 && opt3->isChecked() ? DesdePrimera() : clases_.Desde[k];
        if (!texto.isEmpty() && v < desde)
            plat_.Mensaje("Inconsistencia, el valor es menor al mínimo ingresado...", "Error...");
    }
    clases_.Hasta[k] = static_cast<float>(ValorInicial(S(TextoCelda(fila, 2))));
    Encadenar();
}

bool DlgClasificaDatPixel::TeclaTabla(int tecla, const QString& texto) {
    if (opt1->isChecked() || opt2->isChecked() || clases_.n < 1) return false;
    const int fila = MSFlexGrid1->currentRow();
    const int col = MSFlexGrid1->currentColumn();
    if (fila < 0 || col < 1) return false;
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        pendiente_ = false;
        const int siguiente = fila + 1 < clases_.n ? fila + 1 : 0;
        MSFlexGrid1->setCurrentCell(siguiente, col);
        if (!EsNumerico(S(TextoCelda(siguiente, col)))) FijarCelda(siguiente, col, "0");
        return true;
    }
    if (tecla == Qt::Key_Delete) {
        FijarCelda(fila, col, {});
        return true;
    }
    if (tecla == Qt::Key_Backspace) {
        QString t = TextoCelda(fila, col);
        t.chop(1);
        FijarCelda(fila, col, t);
        return true;
    }
    if (texto.isEmpty() || !texto.at(0).isPrint()) return false;
    // The first key typed into another cell while an edit is pending
    // replaces that cell's text; every other key is appended.
    const bool otraCelda = pendiente_ && (fila != filaPendiente_ || col != colPendiente_);
    FijarCelda(fila, col, otraCelda ? texto : TextoCelda(fila, col) + texto);
    pendiente_ = true;
    filaPendiente_ = fila;
    colPendiente_ = col;
    return true;
}

bool DlgClasificaDatPixel::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == MSFlexGrid1 && evento->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(evento);
        return TeclaTabla(k->key(), k->text());
    }
    return DialogoHerramienta::eventFilter(objeto, evento);
}

// ---- classification ----

void DlgClasificaDatPixel::OKButton_Click() {
    const std::string fuente = S(lblArchivoRASK->text());
    if (!herramientas::EsNombreFuente(fuente)) {
        plat_.Mensaje("Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ",
                      "No se ha seleccionado archivo _dat.rkd", Icono::Advertencia);
        lblArchivoRASK->clear();
        return;
    }
    if (!ReglaNombre(lblArchivoRASKMod, {})) return;
    // The cell being edited counts as left.
    if (MSFlexGrid1->currentRow() >= 0) SalirCelda(MSFlexGrid1->currentRow(), MSFlexGrid1->currentColumn());
    if (!FuenteAlDia(fuente_, [this] { MostrarDatos(); }, kTituloClasifica)) return;
    const std::string salidaDat = carpeta_ + S(lblArchivoRASKMod->text());
    plat_.Mensaje("ADVERTENCIA: se creará un nuevo archivo <" + salidaDat + "> a partir del archivo <" + fuente +
                      "> clasificado.",
                  kTituloClasifica, Icono::Advertencia, Botones::Aceptar);

    CabeceraImagen cab;
    Grilla<float> salida;
    Resultado r = herramientas::Clasificar(fuente_.img, clases_, cab, salida);
    const std::vector<std::string> nombres = herramientas::NombresDeClases(clases_);
    if (r)
        r = herramientas::EscribirSalida(salidaDat, cab, salida, &nombres,
                                          herramientas::RutaListaClases(NombreCabDe(salidaDat)), fuente_.img.NombreDat);
    if (!r) {
        MostrarError(r, kTituloClasifica);
        return;
    }
    // The current image holds the source with the running class range.
    ImagenActual img = std::move(fuente_.img);
    img.DatoMenor = cab.DatoMenor;
    img.DatoMayor = cab.DatoMayor;
    estado_.img = std::move(img);
    close();
}

}  // namespace tarno::ui
