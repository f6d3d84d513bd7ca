#include "ui/dlg_chart1.h"

#include <QCategoryAxis>
#include <QSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "viewer/seleccion.h"

namespace tarno::ui {

DlgChart1::DlgChart1(EstadoApp& estado, QWidget* parent) : QDialog(parent), estado_(estado) {
    setObjectName("dlgChart1");
    setWindowTitle("TARNO-SIG: Selección de Segmento en Imagen ");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(640, 420);

    chart_ = new QChart;
    vista_ = new QChartView(chart_, this);
    vista_->setObjectName("MSChart1");
    vista_->setRenderHint(QPainter::Antialiasing);
    pie_ = new QLabel(this);
    pie_->setObjectName("lblPie");

    auto* pxmt = new QPushButton("Ver Eje X en Pixel / en Metros", this);
    pxmt->setObjectName("cmdPxMt");
    auto* imprimir = new QPushButton("&Imprimir", this);
    imprimir->setObjectName("cmdImprimir");
    auto* cerrar = new QPushButton("&Cerrar", this);
    cerrar->setObjectName("OKButton");
    connect(pxmt, &QPushButton::clicked, this, [this] { cmdPxMt_Click(); });
    // Nothing is printed: both buttons close the dialog.
    connect(imprimir, &QPushButton::clicked, this, &QDialog::close);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);

    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vista_, 1);
    raiz->addWidget(pie_);
    auto* botones = new QHBoxLayout;
    botones->addWidget(pxmt);
    botones->addStretch();
    botones->addWidget(imprimir);
    botones->addWidget(cerrar);
    raiz->addLayout(botones);
}

bool DlgChart1::Cargar() {
    if (estado_.visor.NroPuntosPerfil != 0) {
        Dibujar();
        return true;
    }
    close();
    return false;
}

void DlgChart1::cmdPxMt_Click() {
    enPixel_ = !enPixel_;
    Dibujar();
}

QString DlgChart1::TituloEjeX() const {
    const auto ejes = chart_->axes(Qt::Horizontal);
    return ejes.isEmpty() ? QString() : ejes.first()->titleText();
}
QString DlgChart1::TituloGrafico() const { return chart_->title(); }
QString DlgChart1::Pie() const { return pie_->text(); }

void DlgChart1::Dibujar() {
    const visor::EstadoVisor& ev = estado_.visor;
    const ImagenActual& img = estado_.img;
    nroPuntos_ = ev.NroPuntosPerfil;
    const int n = std::min<int>({nroPuntos_, static_cast<int>(ev.PerfilFilas.size()),
                                 static_cast<int>(ev.PerfilColumnas.size())});
    if (n <= 0) return;
    etiquetas_.clear();
    for (const std::string& e : visor::EtiquetasPerfil(n, enPixel_, img.ResolucionX, img.ResolucionY))
        etiquetas_ << QString::fromStdString(e);
    valores_.assign(static_cast<size_t>(n), 0.0f);
    for (int i = 0; i < n; ++i) {
        const int32_t f = ev.PerfilFilas[static_cast<size_t>(i)], c = ev.PerfilColumnas[static_cast<size_t>(i)];
        if (img.Valores.Dentro(f, c)) valores_[static_cast<size_t>(i)] = img.Valores(f, c);
    }

    chart_->removeAllSeries();
    for (QAbstractAxis* eje : chart_->axes()) {
        chart_->removeAxis(eje);
        delete eje;
    }
    auto* serie = new QLineSeries;
    float menor = valores_[0], mayor = valores_[0];
    for (int i = 0; i < n; ++i) {
        serie->append(i + 1, valores_[static_cast<size_t>(i)]);
        menor = std::min(menor, valores_[static_cast<size_t>(i)]);
        mayor = std::max(mayor, valores_[static_cast<size_t>(i)]);
    }
    chart_->addSeries(serie);
    // Positions 1..n carry the labels; long segments show about ten of them.
    auto* ejeX = new QCategoryAxis;
    ejeX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ejeX->setRange(n > 1 ? 1 : 0, n > 1 ? n : 2);
    const int paso = std::max(1, (n + 9) / 10);
    QSet<QString> puestas;
    for (int i = 1; i <= n; i += paso) {
        const QString& e = etiquetas_[i - 1];
        if (puestas.contains(e)) continue;  // an axis label can appear once only
        puestas.insert(e);
        ejeX->append(e, i);
    }
    ejeX->setTitleText(visor::TituloEjePerfil(enPixel_));
    chart_->addAxis(ejeX, Qt::AlignBottom);
    serie->attachAxis(ejeX);
    auto* ejeY = new QValueAxis;
    if (menor == mayor) ejeY->setRange(menor - 1.0, mayor + 1.0);
    else ejeY->setRange(menor, mayor);
    ejeY->applyNiceNumbers();
    chart_->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeY);
    chart_->legend()->hide();
    chart_->setTitle("  " + titulo_ + "  ");
    pie_->setText(" mi footnote");
}

}  // namespace tarno::ui
