// "Paleta personalizada" page of the options dialog: the custom palette classes.
#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

using namespace opciones;

QWidget* DlgOpciones::CrearPaleta() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->addWidget(Texto("Clasamiento:                                                       colores RBG: entre los "
                       "valores de:",
                       w),
                 0, 0, 1, 11);
    g->addWidget(Texto(QString::fromUtf8("Número de clases:"), w), 1, 0, 1, 2);
    txtNroClases_ = CajaCampo("txtNroClases", w, {{}, {}, [this](QLineEdit*) { HabilitarClases(); }});
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
                Aviso(kAvisoPaleta255);
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
                    Aviso(kAvisoPaleta255);
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

void DlgOpciones::LlenarPaleta() {
    LlenarCajas(Pagina::Paleta);
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

void DlgOpciones::AplicarPaleta() {
    AplicarCajas(Pagina::Paleta, 8);
    // Colours take the nearest integer, kept within 16 bits.
    auto entero = [](const QLineEdit* c) {
        const double v = RedondearEntero(Val(c));
        if (std::isnan(v)) return int16_t{0};
        return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
    };
    for (int i = 0; i < 6; ++i) {
        par_.hastaPixel[i] = Val(txt_hastaPixel_[i]);
        par_.colorRa[i] = entero(txt_colorRa_[i]);
        par_.colorGa[i] = entero(txt_colorGa_[i]);
        par_.colorBa[i] = entero(txt_colorBa_[i]);
        par_.colorRb[i] = entero(txt_colorRb_[i]);
        par_.colorGb[i] = entero(txt_colorGb_[i]);
        par_.colorBb[i] = entero(txt_colorBb_[i]);
    }
    RecalcularDesde();
}

}  // namespace tarno::ui
