// "Extensiones" page of the options dialog: losses, the open boundary, mass
// keeping and the automatic step of the surface flow, the curve-number raster
// and the design-storm generator.
#include <QDialogButtonBox>
#include <QFormLayout>

#include "comandos/cargar_pluviograma.h"
#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

using namespace opciones;

namespace {

// Caption of each box of the page, in the table's order.
struct Rotulado {
    const char* caja;
    const char* rotulo;
};
constexpr Rotulado kRotulos[] = {
    {"txtPerdidas", "Pérdidas (0 ninguna, 1 inicial y continua, 2 número de curva SCS)"},
    {"txtPerdidaInicial", "Pérdida inicial [mm]"},
    {"txtPerdidaContinua", "Pérdida continua [mm/h]"},
    {"txtNumeroCurva", "Número de curva SCS (1 a 100)"},
    {"txtRelacionIa", "Relación Ia / S"},
    {"txtBordeAbierto", "Borde abierto (0 grilla cerrada, 1 el agua sale por el borde)"},
    {"txtConservarMasa", "Conservar la masa en Flujo Superficial (0 / 1)"},
    {"txtPasoAutomatico", "Paso automático en Flujo Superficial (0 / 1)"},
    {"txtCourant", "Número de Courant del paso automático"},
};

// The storm generator's small dialog.
class DlgTormenta : public QDialog {
public:
    DlgTormenta(QWidget* padre, const std::string& ruta) : QDialog(padre) {
        setObjectName("dlgTormenta");
        setWindowTitle(QString::fromUtf8("Generar tormenta de diseño"));
        auto* f = new QFormLayout(this);
        tipo = new QComboBox(this);
        tipo->setObjectName("cmbTipoTormenta");
        tipo->addItems({QString::fromUtf8("Bloques alternos (curva IDF)"), "SCS tipo II", "Uniforme"});
        f->addRow("Tipo", tipo);
        auto linea = [&](const char* nombre, const char* rotulo, const QString& valor) {
            auto* l = new QLineEdit(valor, this);
            l->setObjectName(nombre);
            f->addRow(QString::fromUtf8(rotulo), l);
            return l;
        };
        a = linea("txtIdfA", "IDF: A (i = A / (d + B)^C, mm/h, d en min)", "1000");
        b = linea("txtIdfB", "IDF: B", "10");
        c = linea("txtIdfC", "IDF: C", "0.75");
        pp = linea("txtTormentaPp", "Lluvia total [mm] (SCS, uniforme)", "60");
        dur = linea("txtTormentaDur", "Duración [min] (SCS: horas, 0 = 24)", "60");
        paso = linea("txtTormentaPaso", "Intervalo [min]", "5");
        rec = linea("txtTormentaRec", "Recurrencia [años]", "0");
        archivo = linea("txtTormentaArchivo", "Archivo (_Pp.rkd)", QString::fromStdString(ruta));
        archivo->setMinimumWidth(320);
        auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
        f->addRow(botones);
    }
    OpcionesTormenta Opciones() const {
        OpcionesTormenta op;
        op.tipo = tipo->currentIndex() == 1   ? TipoTormenta::SCS2
                  : tipo->currentIndex() == 2 ? TipoTormenta::Uniforme
                                              : TipoTormenta::Bloques;
        op.A = Val(a);
        op.B = Val(b);
        op.C = Val(c);
        op.pp = Val(pp);
        op.duracion = Val(dur);
        op.paso = LargoEntera(Val(paso));
        op.rec = LargoEntera(Val(rec));
        return op;
    }
    QComboBox* tipo;
    QLineEdit *a, *b, *c, *pp, *dur, *paso, *rec, *archivo;
};

}  // namespace

QWidget* DlgOpciones::CrearExtensiones() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    auto* titulo = Texto(QString::fromUtf8("Extensiones del modelo (con los valores por defecto el modelo es el "
                                           "definido: lluvia sin pérdidas, grilla cerrada, paso fijo)"),
                         w);
    titulo->setWordWrap(true);
    g->addWidget(titulo, 0, 0, 1, 3);
    int fila = 1;
    for (const Rotulado& r : kRotulos) {
        g->addWidget(Texto(QString::fromUtf8(r.rotulo), w), fila, 0);
        g->addWidget(CajaCampo(r.caja, w), fila, 1);
        ++fila;
    }
    auto* cn = new QPushButton(QString::fromUtf8("Raster de número de curva..."), w);
    cn->setObjectName("cmdNumeroCurva");
    cn->setToolTip(
        QString::fromUtf8("Una imagen del tamaño del MDT con un número de curva por celda (Pérdidas = 2); "
                          "cancele para quitarla"));
    connect(cn, &QPushButton::clicked, this, [this] {
        if (validador_->ValidarFoco()) cmdNumeroCurva_Click();
    });
    g->addWidget(cn, fila, 0);
    lblNumeroCurva_ = Rotulo("lblNumeroCurva", w);
    g->addWidget(lblNumeroCurva_, fila, 1, 1, 2);
    ++fila;
    auto* tormenta = new QPushButton(QString::fromUtf8("Generar tormenta de diseño..."), w);
    tormenta->setObjectName("cmdGenerarTormenta");
    tormenta->setToolTip(QString::fromUtf8("Escribe un pluviograma de tormenta de diseño y lo carga"));
    connect(tormenta, &QPushButton::clicked, this, [this] {
        if (validador_->ValidarFoco()) cmdGenerarTormenta_Click();
    });
    g->addWidget(tormenta, fila, 0);
    g->setRowStretch(fila + 1, 1);
    return w;
}

void DlgOpciones::LlenarExtensiones() {
    LlenarCajas(Pagina::Extensiones);
    lblNumeroCurva_->setText(QString::fromStdString(par_.ArchivoNumeroCurva));
}

void DlgOpciones::AplicarExtensiones() { AplicarCajas(Pagina::Extensiones, 9); }

void DlgOpciones::cmdNumeroCurva_Click() {
    par_.ArchivoNumeroCurva = plat_.AbrirArchivo("Raster de número de curva SCS (una imagen del tamaño del MDT)",
                                                 "Archivos TARNO-SIG (*_dat.rkd)|*_dat.rkd", par_.DirDEM);
    lblNumeroCurva_->setText(QString::fromStdString(par_.ArchivoNumeroCurva));
}

void DlgOpciones::cmdGenerarTormenta_Click() {
    const std::string carpeta = par_.DirDEM.empty() || par_.DirDEM == kSinArchivo ? std::string() : par_.DirDEM;
    DlgTormenta d(this, carpeta + "tormenta_Pp.rkd");
    if (d.exec() != QDialog::Accepted) return;
    GenerarYCargarTormenta(d.Opciones(), S(d.archivo));
}

bool DlgOpciones::GenerarYCargarTormenta(const OpcionesTormenta& op, const std::string& ruta) {
    Pluviograma pv;
    Resultado r = GenerarTormenta(op, pv);
    if (r) r = EscribirPluviograma(ruta, pv);
    if (!r) {
        plat_.Mensaje(r.mensaje, QString::fromUtf8("Tormenta de diseño").toStdString(), Icono::Advertencia);
        return false;
    }
    auto mostrarPizarra = [this] {
        FrmPp* pizarra = principal_.Pizarra();
        pizarra->PonerTexto(QString());
        pizarra->show();
        pizarra->raise();
        if (QAction* item = principal_.Accion("mnuPizarra1")) item->setChecked(true);
    };
    const CargaPluviograma c = CargarPluviograma(ruta, principal_.Estado().pluviograma, plat_, mostrarPizarra);
    if (!c.etiqueta.empty()) lblPpArchivo_->setText(QString::fromStdString(c.etiqueta));
    if (c.MostrarPizarra()) principal_.Pizarra()->PonerTexto(QString::fromStdString(c.informe));
    if (c.ReiniciarOpciones()) Reinicia_Variables();
    return c.estado == CargaPluviograma::Estado::Cargada;
}

}  // namespace tarno::ui
