#include "ui/dlg_opciones.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cfloat>
#include <cmath>

#include "model/cargar_dem.h"
#include "model/pluviograma.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"

namespace tarno::ui {

namespace {

constexpr int32_t kMax = 9999999;

// Delivers an event to a widget's own handler from inside an event filter
// (QWidget::event is protected; a member pointer taken through a derived
// class reaches it, with virtual dispatch).
struct Entrega : QWidget {
    static bool A(QWidget* w, QEvent* e) {
        auto f = &Entrega::event;
        return (w->*f)(e);
    }
};
void Entregar(QWidget* w, QEvent* e) { Entrega::A(w, e); }  // "Max" of the rain sub-area bounds

std::string S(const QLineEdit* c) { return c->text().toStdString(); }
double Val(const QLineEdit* c) { return ValorInicial(S(c)); }
bool Num(const QLineEdit* c) { return EsNumerico(S(c)); }

// Conversions that keep out-of-range input inside the field's type instead of
// overflowing it.
float AFloat(double v) {
    if (std::isnan(v)) return 0.0f;
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}
template <typename T>
T Saturar(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if (v <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    return static_cast<T>(v);
}
int32_t Largo(double v) { return Saturar<int32_t>(RedondearEntero(v)); }      // nearest integer
int16_t Entero(double v) { return Saturar<int16_t>(RedondearEntero(v)); }     // nearest integer
int32_t LargoEntera(double v) { return Saturar<int32_t>(ParteEntera(v)); }    // whole part
int16_t EnteroEntera(double v) { return Saturar<int16_t>(ParteEntera(v)); }   // whole part

QString T(float v) { return QString::fromStdString(NumeroArchivo(v)); }
QString T(double v) { return QString::fromStdString(NumeroArchivo(v)); }
QString T(int32_t v) { return QString::number(v); }
QString TMax(int32_t v) { return v == kMax ? QString("Max") : QString::number(v); }

// Whole part of v x escala / escala, with the product first rounded to 9
// decimals so that a typed 0.29 is not stored as 0.28.
double Truncar(double v, double escala) { return ParteEntera(Redondear(v * escala, 9)) / escala; }

const char* const kMsgResolucion =
    "Ingrese un valor numérico de Resolución de Pixel [metros], entero o decimal, entre 0 y 999";
const char* const kMsg999 = "Ingrese un valor numérico, entero o decimal, entre 0 y 999";
const char* const kMsg1440 = "Ingrese un valor numérico, entero o decimal, entre 0 y 1440";
const char* const kMsgKRec = "Ingrese un valor entero o decimal positivo, en minutos";
const char* const kMsgFactor = "Ingrese un valor numérico, entero o decimal, entre 1 y 50";
const char* const kMsgManning = "Ingrese un valor numérico, entero o decimal, entre 0.01 y 0.150";
const char* const kMsgPasoPp = "Ingrese un valor entero o decimal entre 0 y 120 minutos";
const char* const kMsgPasoQ =
    "Ingrese un valor entero positivo mayor al 'paso de cálculo' del modelo' y menor a 120";
const char* const kMsgnPer = "Ingrese un valor entero entre 0 y 86400";
const char* const kMsgFilas = "Ingrese un valor entero entre 0 y el número máximo de filas de la imagen";
const char* const kMsgfHidro2 =
    "Ingrese un valor entero entre la fila inicial y el número máximo de filas de la imagen";
const char* const kMsgcHidro2 =
    "Ingrese un valor entero entre la columna inicial y el número máximo de filas de la imagen";
const char* const kMsgDivQ =
    "Ingrese un valor numérico decimal de Caudal Mínimo de Pixel [m3/s], decimal, entre 0 y 1 (Sugerido, para "
    "pixel de 30x30m, lluvia de intensidad unitaria de 1 mm/minuto, sin absatracciones: 0,031m3/s";
const char* const kMsgDivH =
    "Ingrese un valor numérico decimal de Altura de Agua Mínimo de Pixel H[m], decimal, entre 0 y 1 (Sugerido, "
    "para pixel de 30x30m, lluvia de intensidad unitaria de 1 mm/minuto, sin absatracciones: 0,0011 m";
const char* const kMsgDivValor = "Ingrese un valor numérico ";
const char* const kTituloInconsistente = "Inconsistente, ...";
const char* const kMsgClases = "Ingrese un valor numérico, entero entre 1 y 6";
const char* const kMsg255 = "Ingrese un valor numérico, entero entre 0 y 255";
const char* const kMsgRec = "Ingrese un valor entero de Recurrencia entre 0 y 32767 [años]";

const char* const kRecurrencias[15] = {"0",   "2",   "5",    "10",   "20",   "25",   "40",   "50",
                                       "100", "200", "500", "1000", "2000", "5000", "10000"};

QLabel* Texto(const QString& t, QWidget* padre, const char* nombre = nullptr) {
    auto* l = new QLabel(t, padre);
    if (nombre) l->setObjectName(nombre);
    return l;
}

QLabel* Rotulo(const char* nombre, QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(200);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace

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

QLineEdit* DlgOpciones::CajaCelda(const char* nombre, QWidget* padre, int32_t Parametros::*campo) {
    return Caja(
        nombre, padre,
        [this, campo](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0;
            if (!ok) Aviso(kMsgFilas);
            par_.*campo = Largo(Val(c));
            return ok;
        },
        [](QLineEdit* c) { c->setText("0"); });
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
// " Consulta" tab (cell-sum query)

QWidget* DlgOpciones::CrearConsulta() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    auto* titulo = Texto("CALCULO DE LA SUMA DE VALORES PARA UNA LINEA DE PIXELES EN UN ARCHIVO KOLT: ", w);
    titulo->setWordWrap(true);
    g->addWidget(titulo, 0, 0, 1, 4);
    auto* instr = Texto(QString::fromUtf8("Seleccione un archivo extensión '.rkd', luego seleccione los extremos de "
                                          "la LINEA de píxeles a sumar, y pulse el botón Sumar valores:"),
                        w);
    instr->setWordWrap(true);
    g->addWidget(instr, 1, 0, 1, 4);
    auto* cargar = new QPushButton("Cargar un Archivo de KOLT para sumar valores", w);
    cargar->setObjectName("cmdCargaUnKOLT");
    connect(cargar, &QPushButton::clicked, this, [this] { if (Permitido()) cmdCargaUnKOLT_Click(); });
    g->addWidget(cargar, 2, 0, 1, 4);
    g->addWidget(Texto("Archivo MDT (DEM)", w), 3, 0);
    lblUnKOLT_ = Rotulo("lblUnKOLT", w);
    g->addWidget(lblUnKOLT_, 3, 1, 1, 3);
    g->addWidget(Texto("Directorio MDT (DEM)", w), 4, 0);
    lblDirUnKOLT_ = Rotulo("lblDirUnKOLT", w);
    g->addWidget(lblDirUnKOLT_, 4, 1, 1, 3);

    g->addWidget(Texto(QString::fromUtf8("Límtes extremos de la sección transversal:"), w), 5, 0, 1, 4);
    g->addWidget(Texto("desde", w), 6, 1);
    g->addWidget(Texto("hasta", w), 6, 2);
    auto consulta = [this, w](const char* nombre, int32_t Parametros::*campo) {
        return CajaCelda(nombre, w, campo);
    };
    txtfConsulta1_ = consulta("txtfConsulta1", &Parametros::fConsulta1);
    txtfConsulta2_ = consulta("txtfConsulta2", &Parametros::fConsulta2);
    txtcConsulta1_ = consulta("txtcConsulta1", &Parametros::cConsulta1);
    txtcConsulta2_ = consulta("txtcConsulta2", &Parametros::cConsulta2);
    g->addWidget(Texto("fila", w), 7, 0);
    g->addWidget(txtfConsulta1_, 7, 1);
    g->addWidget(txtfConsulta2_, 7, 2);
    g->addWidget(Texto("col", w), 8, 0);
    g->addWidget(txtcConsulta1_, 8, 1);
    g->addWidget(txtcConsulta2_, 8, 2);

    auto* sumar = new QPushButton("Sumar valores de las celdas:", w);
    sumar->setObjectName("cmdSumarConsulta");
    connect(sumar, &QPushButton::clicked, this, [this] { if (Permitido()) cmdSumarConsulta_Click(); });
    g->addWidget(sumar, 9, 0, 1, 2);
    lblSumaConsulta_ = Rotulo("lblSumaConsulta", w);
    lblSumaConsulta_->setText("???");
    g->addWidget(lblSumaConsulta_, 9, 2, 1, 2);
    g->setRowStretch(10, 1);
    return w;
}

void DlgOpciones::cmdCargaUnKOLT_Click() {
    const std::string ruta =
        plat_.AbrirArchivo("Leer un archivo de KOLT (DEM), y sumar el conjunto de valores de las celdas elegidas",
                           "Archivos TARNO-SIG (*_dat.rkd)|*_dat.rkd");
    if (ruta.empty()) return;
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    par_.DirUnKOLT = carpeta;
    par_.ArchivoUnKOLT = nombre;
    lblUnKOLT_->setText(QString::fromStdString(nombre));
    lblDirUnKOLT_->setText(QString::fromStdString(carpeta));
    CargarRasterConsulta(carpeta, nombre, consulta_, principal_.Estado().img);
}

void DlgOpciones::cmdSumarConsulta_Click() {
    const auto linea = LineaCeldas(par_.fConsulta1, par_.cConsulta1, par_.fConsulta2, par_.cConsulta2,
                                   consulta_.NroFilas, consulta_.NroColumnas);
    lblSumaConsulta_->setText(T(SumarLinea(consulta_, linea)));
}

// ---------------------------------------------------------------------------
// "Paleta personalizada" tab

QWidget* DlgOpciones::CrearPaleta() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->addWidget(Texto("Clasamiento:                                                       colores RBG: entre los "
                       "valores de:",
                       w),
                 0, 0, 1, 11);
    g->addWidget(Texto(QString::fromUtf8("Número de clases:"), w), 1, 0, 1, 2);
    txtNroClases_ = Caja("txtNroClases", w, [this](QLineEdit* c) {
        const bool ok = Num(c) && Val(c) >= 1 && Val(c) <= 6;
        if (!ok) {
            Aviso(kMsgClases);
            c->setText("1");
        }
        par_.NroClases = EnteroEntera(Val(c));
        HabilitarClases();
        return ok;
    });
    txtNroClases_->setToolTip("De 1, a máximo de 6");
    g->addWidget(txtNroClases_, 1, 2);
    g->addWidget(Texto("desde      hasta          desde: R          G          B                     hasta:      R  "
                       "          G           B",
                       w),
                 2, 1, 1, 10);
    for (int i = 0; i < 6; ++i) {
        const int fila = 3 + i;
        const QByteArray n = QByteArray::number(i);
        lblClase_[i] = Texto(QString("Clase %1").arg(i + 1), w, ("Label17_" + n).constData());
        g->addWidget(lblClase_[i], fila, 0);
        lbl_desdePixel_[i] = Texto("", w, ("lbl_desdePixel" + n).constData());
        lbl_desdePixel_[i]->setMinimumWidth(30);
        g->addWidget(lbl_desdePixel_[i], fila, 1);
        txt_hastaPixel_[i] = Caja(("txt_hastaPixel" + n).constData(), w, [this, i](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 255;
            if (!ok) {
                Aviso(kMsg255);
                c->setText("255");
            }
            ValidarHasta(i);
            return ok;
        });
        txt_hastaPixel_[i]->setToolTip("Nro. entero Entre 0 y 255");
        g->addWidget(txt_hastaPixel_[i], fila, 2);
        auto color = [this, w, i, n](const char* prefijo, std::array<int16_t, 6> Parametros::*campo, bool fin) {
            QLineEdit* c = Caja((QByteArray(prefijo) + n).constData(), w, [this, i, campo, fin](QLineEdit* c) {
                const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 255;
                if (!ok) {
                    Aviso(kMsg255);
                    c->setText("0");
                }
                (par_.*campo)[i] = EnteroEntera(Val(c));
                PintarMuestra(i, fin);
                return ok;
            });
            c->setMaximumWidth(45);
            return c;
        };
        txt_colorRa_[i] = color("txt_colorRa", &Parametros::colorRa, false);
        txt_colorGa_[i] = color("txt_colorGa", &Parametros::colorGa, false);
        txt_colorBa_[i] = color("txt_colorBa", &Parametros::colorBa, false);
        txt_colorRb_[i] = color("txt_colorRb", &Parametros::colorRb, true);
        txt_colorGb_[i] = color("txt_colorGb", &Parametros::colorGb, true);
        txt_colorBb_[i] = color("txt_colorBb", &Parametros::colorBb, true);
        lblColora_[i] = Texto("", w, ("lblColora" + n).constData());
        lblColorb_[i] = Texto("", w, ("lblColorb" + n).constData());
        for (QLabel* m : {lblColora_[i], lblColorb_[i]}) {
            m->setFixedSize(28, 18);
            m->setAutoFillBackground(true);
            m->setFrameShape(QFrame::Box);
        }
        g->addWidget(txt_colorRa_[i], fila, 3);
        g->addWidget(txt_colorGa_[i], fila, 4);
        g->addWidget(txt_colorBa_[i], fila, 5);
        g->addWidget(lblColora_[i], fila, 6);
        g->addWidget(txt_colorRb_[i], fila, 7);
        g->addWidget(txt_colorGb_[i], fila, 8);
        g->addWidget(txt_colorBb_[i], fila, 9);
        g->addWidget(lblColorb_[i], fila, 10);
    }
    g->setRowStretch(9, 1);
    g->setColumnStretch(11, 1);
    return w;
}

void DlgOpciones::PintarMuestra(int i, bool fin) {
    QColor color = fin ? QColor(par_.colorRb[i] & 255, par_.colorGb[i] & 255, par_.colorBb[i] & 255)
                       : QColor(par_.colorRa[i] & 255, par_.colorGa[i] & 255, par_.colorBa[i] & 255);
    QLabel* m = fin ? lblColorb_[i] : lblColora_[i];
    QPalette p = m->palette();
    p.setColor(QPalette::Window, color);
    m->setPalette(p);
    m->setProperty("color", color.name());
}

void DlgOpciones::HabilitarClases() {
    for (int i = 0; i < 6; ++i) {
        const bool activa = i < par_.NroClases;
        for (QWidget* x : std::initializer_list<QWidget*>{lbl_desdePixel_[i], txt_hastaPixel_[i], txt_colorRa_[i],
                                                          txt_colorGa_[i], txt_colorBa_[i], txt_colorRb_[i],
                                                          txt_colorGb_[i], txt_colorBb_[i]})
            x->setEnabled(activa);
    }
}

void DlgOpciones::RecalcularDesde() {
    lbl_desdePixel_[0]->setText("0");
    for (int j = 1; j < 6; ++j) lbl_desdePixel_[j]->setText(T(Val(txt_hastaPixel_[j - 1]) + 1));
}

void DlgOpciones::ValidarHasta(int i) {
    par_.hastaPixel[i] = ParteEntera(Val(txt_hastaPixel_[i]));
    // Bounds strictly increase from class to class.
    if (i > 0 && par_.hastaPixel[i] <= par_.hastaPixel[i - 1]) {
        par_.hastaPixel[i] = par_.hastaPixel[i - 1] + 1;
        txt_hastaPixel_[i]->setText(T(par_.hastaPixel[i]));
    }
    // The first class reaching 255 becomes the last one.
    for (int k = 0; k <= 4; ++k)
        if (par_.hastaPixel[k] == 255) {
            par_.NroClases = static_cast<int16_t>(k + 1);
            txtNroClases_->setText(QString::number(k + 1));
            for (int j = k + 1; j <= 5; ++j) {
                par_.hastaPixel[j] = 255;
                txt_hastaPixel_[j]->setText("255");
            }
            HabilitarClases();
            // A class of a single value keeps its end colour off.
            for (int j = 0; j <= k; ++j) {
                const double desde = j == 0 ? 0.0 : par_.hastaPixel[j - 1] + 1;
                if (par_.hastaPixel[j] == desde)
                    for (QLineEdit* c : {txt_colorRb_[j], txt_colorGb_[j], txt_colorBb_[j]}) c->setEnabled(false);
            }
            break;
        }
    RecalcularDesde();
    // A class of a single value has only its start colour.
    const bool rango = Val(txt_hastaPixel_[i]) != (i == 0 ? 0.0 : ValorInicial(lbl_desdePixel_[i]->text().toStdString()));
    const bool activa = i < par_.NroClases;
    for (QLineEdit* c : {txt_colorRb_[i], txt_colorGb_[i], txt_colorBb_[i]}) c->setEnabled(rango && activa);
}

// ---------------------------------------------------------------------------
// "Variables y Métodos" tab

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
    txtManning_ = Caja(
        "txtManning", metodo,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0.01 && Val(c) <= 0.15;
            if (!ok) Aviso(kMsgManning);
            par_.Manning = AFloat(Val(c));
            c->setText(T(par_.Manning));
            return ok;
        },
        [](QLineEdit* c) { c->setText("0.04"); });
    txtManning_->setToolTip("Coeficiente de rugosidad de Manning. Entre 0.01 y 0.150");
    txtFactorRes_ = Caja(
        "txtFactorRes", metodo,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 1 && Val(c) <= 50;
            if (!ok) Aviso(kMsgFactor);
            par_.FactorRes = AFloat(Truncar(Val(c), 10));
            c->setText(T(par_.FactorRes));
            return ok;
        },
        [](QLineEdit* c) { c->setText("10"); });
    txtFactorRes_->setToolTip(QString::fromUtf8("Factor de corrección de Resistencia al flujo de Emmett, entre 1 y 15"));
    gm->addWidget(Texto("Cooeficiente de Manning", metodo), 2, 0);
    gm->addWidget(txtManning_, 2, 1);
    gm->addWidget(Texto("Factor de incremento Resistencia al Flujo (Emmett)", metodo), 3, 0);
    gm->addWidget(txtFactorRes_, 3, 1);
    capa->addWidget(metodo);

    auto* tormenta = new QGroupBox("Tormenta", w);
    auto* gt = new QGridLayout(tormenta);
    txtPp_ = Caja(
        "txtPp", tormenta,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 999;
            if (!ok) Aviso(kMsg999);
            par_.Pp = AFloat(Truncar(Val(c), 100));
            c->setText(T(par_.Pp));
            return ok;
        },
        [](QLineEdit* c) { c->setText("60"); });
    txtDur_ = Caja(
        "txtDur", tormenta,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 1440;
            if (!ok) {
                Aviso(kMsg1440);
                c->setText("1440");
            }
            par_.Dur = EnteroEntera(Val(c));
            return ok;
        },
        [](QLineEdit* c) { c->setText("60"); });
    gt->addWidget(Texto(QString::fromUtf8("Precipitación [mm]"), tormenta), 0, 0);
    gt->addWidget(txtPp_, 0, 1);
    gt->addWidget(Texto(QString::fromUtf8("Duración de tormenta [min]"), tormenta), 1, 0);
    gt->addWidget(txtDur_, 1, 1);

    cmbRec_ = new QComboBox(tormenta);
    cmbRec_->setObjectName("cmbRec");
    cmbRec_->setEditable(true);
    cmbRec_->setInsertPolicy(QComboBox::NoInsert);
    cmbRec_->setMaximumWidth(110);
    cmbRec_->installEventFilter(this);
    cmbRec_->lineEdit()->installEventFilter(this);
    // The recurrence is free text taken by the apply step; text whose value
    // does not fit a 16-bit integer (or is negative) is refused when the box is left.
    validadores_[cmbRec_] = [this](QLineEdit*) {
        const double v = RedondearEntero(ValorInicial(cmbRec_->currentText().toStdString()));
        if (v >= 0 && v <= 32767) return true;
        Aviso(kMsgRec);
        return false;
    };
    dobleClic_[cmbRec_->lineEdit()] = [this](QLineEdit*) {
        par_.Rec = 0;
        cmbRec_->setEditText("0");
    };
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
    connect(cargaPp, &QPushButton::clicked, this, [this] { if (Permitido()) cmdCargaPpArchivo_Click(); });
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

// ---------------------------------------------------------------------------
// "Parámetros" tab

QWidget* DlgOpciones::CrearParametros() {
    auto* w = new QWidget;
    auto* capa = new QVBoxLayout(w);

    auto* dem = new QGroupBox(QString::fromUtf8("Archivo DEM y parámetros en celdas:"), w);
    auto* g = new QGridLayout(dem);
    auto* cargaDEM = new QPushButton("Cargar Archivo MDT (DEM)", dem);
    cargaDEM->setObjectName("cmdCargaDEM");
    connect(cargaDEM, &QPushButton::clicked, this, [this] { if (Permitido()) cmdCargaDEM_Click(); });
    g->addWidget(cargaDEM, 0, 0, 1, 2);
    g->addWidget(Texto("Archivo MDT (DEM)", dem), 1, 0);
    lblDEM_ = Rotulo("lblDEM", dem);
    g->addWidget(lblDEM_, 1, 1, 1, 5);
    g->addWidget(Texto("Directorio MDT (DEM)", dem), 2, 0);
    lblDirDEM_ = Rotulo("lblDirDEM", dem);
    g->addWidget(lblDirDEM_, 2, 1, 1, 5);

    txtPasoPp_ = Caja(
        "txtPasoPp", dem,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 120;
            if (!ok) Aviso(kMsgPasoPp);
            par_.PasoPp = AFloat(Val(c));
            c->setText(T(par_.PasoPp));
            return ok;
        },
        [](QLineEdit* c) { c->setText("1"); });
    txtPasoQ_ = Caja("txtPasoQ", dem, [this](QLineEdit* c) {
        c->setText(T(Val(c)));
        const double pasoPp = Val(txtPasoPp_);
        const bool ok = Val(c) <= 120 && Val(c) >= pasoPp;
        if (!ok) {
            Aviso(kMsgPasoQ);
            c->setText("1");
            if (pasoPp > Val(c)) c->setText(txtPasoPp_->text());
            if (Val(c) > 360) c->setText("360");
        }
        par_.PasoQ = EnteroEntera(Val(c));
        return ok;
    });
    txtnPer_ = Caja(
        "txtnPer", dem,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 86400;
            if (!ok) Aviso(kMsgnPer);
            par_.nPer = Largo(Val(c));
            return ok;
        },
        [](QLineEdit* c) { c->setText("360"); });
    auto resolucion = [this, dem](const char* nombre, float Parametros::*campo, const char* doble) {
        QString d = doble;
        return Caja(
            nombre, dem,
            [this, campo](QLineEdit* c) {
                const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 999;
                if (!ok) Aviso(kMsgResolucion);
                par_.*campo = AFloat(Val(c));
                return ok;
            },
            [d](QLineEdit* c) { c->setText(d); });
    };
    txtResolucionX_ = resolucion("txtResolucionX", &Parametros::ResolucionX, "67.5");
    txtResolucionY_ = resolucion("txtResolucionY", &Parametros::ResolucionY, "92.8");
    txtKRecesion_ = Caja(
        "txtKRecesion", dem,
        [this](QLineEdit* c) {
            const bool ok = Num(c) && Val(c) >= 0 && Val(c) <= 9999999;
            if (!ok) Aviso(kMsgKRec);
            par_.KRecesion = AFloat(Val(c));
            return ok;
        },
        [](QLineEdit* c) { c->setText("0"); });
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
    auto primera = [this, dem](const char* nombre, int32_t Parametros::*campo) {
        return CajaCelda(nombre, dem, campo);
    };
    txtfHidro1_ = primera("txtfHidro1", &Parametros::fHidro1);
    txtcHidro1_ = primera("txtcHidro1", &Parametros::cHidro1);
    // The "hasta" box never runs backwards: it takes the "desde" text first
    // when that is larger.
    auto segunda = [this, dem](const char* nombre, int32_t Parametros::*campo, QLineEdit** desde, const char* msg) {
        return Caja(nombre, dem, [this, campo, desde, msg](QLineEdit* c) {
            if (Val(*desde) > Val(c)) c->setText((*desde)->text());
            const bool ok = Num(c) && Val(c) >= Val(*desde);
            if (!ok) Aviso(msg);
            par_.*campo = Largo(Val(c));
            return ok;
        });
    };
    txtfHidro2_ = segunda("txtfHidro2", &Parametros::fHidro2, &txtfHidro1_, kMsgfHidro2);
    txtcHidro2_ = segunda("txtcHidro2", &Parametros::cHidro2, &txtcHidro1_, kMsgcHidro2);
    dobleClic_[txtfHidro2_] = [this](QLineEdit* c) { c->setText(txtfHidro1_->text()); };
    dobleClic_[txtcHidro2_] = [](QLineEdit* c) { c->setText("0"); };
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
    auto umbral = [this, div](const char* nombre, float Parametros::*campo, const char* msg, bool rango) {
        return Caja(nombre, div, [this, campo, msg, rango](QLineEdit* c) {
            const bool ok = Num(c) && (!rango || (Val(c) >= 0 && Val(c) <= 1));
            if (!ok) Aviso(msg, kTituloInconsistente);
            par_.*campo = AFloat(Val(c));
            return ok;
        });
    };
    txtDivQmin_ = umbral("txtDivQmin", &Parametros::DivQmin, kMsgDivQ, true);
    txtDivHmin_ = umbral("txtDivHmin", &Parametros::DivHmin, kMsgDivH, true);
    txtDivValor_ = umbral("txtDivValor", &Parametros::DivValor, kMsgDivValor, false);
    txtDivValorRes_ = umbral("txtDivValorRes", &Parametros::DivValorRes, kMsgDivQ, true);
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

// ---------------------------------------------------------------------------
// Fill and apply

void DlgOpciones::Reinicia_Variables() {
    // 1
    txtPp_->setText(T(par_.Pp));
    txtDur_->setText(T(int32_t{par_.Dur}));
    txtManning_->setText(T(par_.Manning));
    txtFactorRes_->setText(T(par_.FactorRes));
    // 2
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
    // 3
    if (cmbRec_->count() == 0)
        for (const char* r : kRecurrencias) cmbRec_->addItem(r);
    cmbRec_->setEditText(QString::number(par_.Rec));
    // 4
    txtPasoPp_->setText(T(par_.PasoPp));
    txtResolucionX_->setText(T(par_.ResolucionX));
    txtResolucionY_->setText(T(par_.ResolucionY));
    txtKRecesion_->setText(T(par_.KRecesion));
    txtDivValorRes_->setText(T(par_.DivValorRes));
    txtDivValor_->setText(T(par_.DivValor));
    txtDivQmin_->setText(T(par_.DivQmin));
    txtDivHmin_->setText(T(par_.DivHmin));
    // 5
    if (par_.DivMetodoQmin) optDivQmin_->setChecked(true);
    txtDivHmin_->setEnabled(true);
    // 6
    if (par_.DivResQM) chkDivResQM_Click();
    // 7
    chkDiv_->setChecked(par_.Div);
    chkDiv_Click();
    // 8
    if (par_.PpArchivo) chkPpArchivo_Click();
    // 9
    opt_Metodo_[par_.Metodo == 0 ? 0 : 1]->setChecked(true);
    txtFactorRes_->setEnabled(par_.Metodo != 0);
    txtManning_->setEnabled(par_.Metodo != 0);
    txtKRecesion_->setEnabled(par_.Metodo == 0);
    // 10
    lblDEM_->setText(QString::fromStdString(par_.ArchivoDEM));
    lblDirDEM_->setText(QString::fromStdString(par_.DirDEM));
    // 11
    txtfHidro1_->setText(T(par_.fHidro1));
    txtcHidro1_->setText(T(par_.cHidro1));
    txtfHidro2_->setText(T(par_.fHidro2));
    txtcHidro2_->setText(T(par_.cHidro2));
    txtnPer_->setText(T(par_.nPer));
    txtPasoQ_->setText(T(int32_t{par_.PasoQ}));
    lblUnKOLT_->setText(QString::fromStdString(par_.ArchivoUnKOLT));
    lblDirUnKOLT_->setText(QString::fromStdString(par_.DirUnKOLT));
    txtfConsulta1_->setText(T(par_.fConsulta1));
    txtcConsulta1_->setText(T(par_.cConsulta1));
    txtfConsulta2_->setText(T(par_.fConsulta2));
    txtcConsulta2_->setText(T(par_.cConsulta2));
    // 12: palette classes
    txtNroClases_->setText(QString::number(par_.NroClases));
    for (int i = 0; i < 6; ++i) {
        txt_hastaPixel_[i]->setText(T(par_.hastaPixel[i]));
        txt_colorRa_[i]->setText(QString::number(par_.colorRa[i]));
        txt_colorGa_[i]->setText(QString::number(par_.colorGa[i]));
        txt_colorBa_[i]->setText(QString::number(par_.colorBa[i]));
        txt_colorRb_[i]->setText(QString::number(par_.colorRb[i]));
        txt_colorGb_[i]->setText(QString::number(par_.colorGb[i]));
        txt_colorBb_[i]->setText(QString::number(par_.colorBb[i]));
        if (i > 0) lbl_desdePixel_[i]->setText(T(par_.hastaPixel[i - 1] + 1));
        PintarMuestra(i, false);
        PintarMuestra(i, true);
    }
    lbl_desdePixel_[0]->setText("0");
    HabilitarClases();
}

void DlgOpciones::cmdAplicar_Click() {
    // 1
    par_.ResolucionX = AFloat(Val(txtResolucionX_));
    par_.ResolucionY = AFloat(Val(txtResolucionY_));
    par_.Pp = AFloat(Val(txtPp_));
    par_.Dur = Entero(Val(txtDur_));
    {
        // Text that does not fit a 16-bit recurrence is kept within 0..32767.
        const double rec = RedondearEntero(ValorInicial(cmbRec_->currentText().toStdString()));
        par_.Rec = static_cast<int16_t>(rec < 0 ? 0 : (rec > 32767 ? 32767 : rec));
    }
    par_.KRecesion = AFloat(Val(txtKRecesion_));
    par_.FactorRes = AFloat(Val(txtFactorRes_));
    par_.Manning = AFloat(Val(txtManning_));
    // 2
    par_.Px1 = Largo(Val(txtPx1_));
    par_.Px2 = Largo(Val(txtPx2_));
    par_.Py1 = Largo(Val(txtPy1_));
    par_.Py2 = Largo(Val(txtPy2_));
    if (txtPx1_->text() == "Max") par_.Px1 = kMax;
    if (txtPx2_->text() == "Max") par_.Px2 = kMax;
    if (txtPy1_->text() == "Max") par_.Py1 = kMax;
    if (txtPy2_->text() == "Max") par_.Py2 = kMax;
    // 3
    if (par_.Pp == 0 || par_.Dur == 0) {
        plat_.Mensaje(QString::fromUtf8("No ha ingresado datos de Pp y Duración de la tormenta.").toStdString(),
                      "Advertencia !", Icono::Advertencia);
        close();
        return;
    }
    // 4
    par_.PasoPp = AFloat(Val(txtPasoPp_));
    par_.PasoQ = Entero(Val(txtPasoQ_));
    par_.ArchivoDEM = lblDEM_->text().toStdString();
    par_.DirDEM = lblDirDEM_->text().toStdString();
    par_.fHidro1 = Largo(Val(txtfHidro1_));
    par_.cHidro1 = Largo(Val(txtcHidro1_));
    par_.fHidro2 = Largo(Val(txtfHidro2_));
    par_.cHidro2 = Largo(Val(txtcHidro2_));
    par_.nPer = Largo(Val(txtnPer_));
    par_.ArchivoUnKOLT = lblUnKOLT_->text().toStdString();
    par_.DirUnKOLT = lblDirUnKOLT_->text().toStdString();
    par_.fConsulta1 = Largo(Val(txtfConsulta1_));
    par_.cConsulta1 = Largo(Val(txtcConsulta1_));
    par_.fConsulta2 = Largo(Val(txtfConsulta2_));
    par_.cConsulta2 = Largo(Val(txtcConsulta2_));
    // 5
    par_.DivValor = AFloat(Val(txtDivValor_));
    par_.DivQmin = AFloat(Val(txtDivQmin_));
    par_.DivHmin = AFloat(Val(txtDivHmin_));
    par_.DivValorRes = AFloat(Val(txtDivValorRes_));
    // 6
    par_.DivMetodoQmin = optDivQmin_->isChecked();
    par_.Div = chkDiv_->isChecked();
    par_.DivResQM = chkDivResQM_->isChecked();
    // 7
    par_.PpArchivo = chkPpArchivo_->isChecked();
    txtPp_->setEnabled(!par_.PpArchivo);
    txtDur_->setEnabled(!par_.PpArchivo);
    cmbRec_->setEnabled(!par_.PpArchivo);
    // 8: palette classes
    par_.NroClases = Entero(Val(txtNroClases_));
    for (int i = 0; i < 6; ++i) {
        par_.hastaPixel[i] = Val(txt_hastaPixel_[i]);
        par_.colorRa[i] = Entero(Val(txt_colorRa_[i]));
        par_.colorGa[i] = Entero(Val(txt_colorGa_[i]));
        par_.colorBa[i] = Entero(Val(txt_colorBa_[i]));
        par_.colorRb[i] = Entero(Val(txt_colorRb_[i]));
        par_.colorGb[i] = Entero(Val(txt_colorGb_[i]));
        par_.colorBb[i] = Entero(Val(txt_colorBb_[i]));
    }
    RecalcularDesde();
}

void DlgOpciones::OKButton_Click() {
    cmdAplicar_Click();
    close();
}

void DlgOpciones::CancelButton_Click() { close(); }

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
