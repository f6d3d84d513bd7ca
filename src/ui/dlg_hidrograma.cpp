#include "ui/dlg_hidrograma.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "raster/nombres.h"
#include "ui/grafico_hidrograma.h"

namespace tarno::ui {

DlgHidrograma::DlgHidrograma(Plataforma& plataforma, QWidget* parent) : QDialog(parent), plat_(plataforma) {
    setObjectName("dlgHidrograma");
    setWindowTitle(kTituloVentanaHidrograma);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(900, 640);
    vista_ = new QChartView(new QChart, this);
    vista_->setObjectName("graficoHidrograma");
    vista_->setRenderHint(QPainter::Antialiasing);
    balance_ = new QLabel(this);
    balance_->setObjectName("lblBalance");
    balance_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* guardar = new QPushButton("&Guardar imagen...", this);
    guardar->setObjectName("cmdGuardar");
    auto* imprimir = new QPushButton("&Imprimir...", this);
    imprimir->setObjectName("cmdImprimir");
    auto* cerrar = new QPushButton("&Cerrar", this);
    cerrar->setObjectName("cmdCerrar");
    connect(guardar, &QPushButton::clicked, this, [this] { cmdGuardar_Click(); });
    connect(imprimir, &QPushButton::clicked, this, [this] { cmdImprimir_Click(); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vista_, 1);
    raiz->addWidget(balance_);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(guardar);
    botones->addWidget(imprimir);
    botones->addWidget(cerrar);
    raiz->addLayout(botones);
}

void DlgHidrograma::Mostrar(const GraficoHidrograma& g, const std::string& rutaQt) {
    g_ = g;
    rutaQt_ = rutaQt;
    QChart* viejo = vista_->chart();
    vista_->setChart(CrearGraficoHidrograma(g_));
    delete viejo;
    QStringList lineas;
    for (const std::string& l : g_.balance) lineas << QString::fromStdString(l);
    balance_->setText(lineas.join('\n'));
}

QChart* DlgHidrograma::Grafico() const { return vista_->chart(); }
QString DlgHidrograma::Balance() const { return balance_->text(); }

void DlgHidrograma::cmdGuardar_Click() {
    std::string propuesto = rutaQt_;
    if (propuesto.size() > 4 && propuesto.compare(propuesto.size() - 4, 4, ".rkd") == 0)
        propuesto = SinUltimos(propuesto, 4) + ".png";
    const std::string ruta =
        plat_.GuardarArchivoComo("Guardar el hidrograma como imagen", kFiltroImagenHidrograma, propuesto);
    if (ruta.empty()) return;
    const int ancho = std::max(vista_->width(), 600);
    const int alto = std::max(vista_->height(), 340) + AltoBalance(g_);
    if (Resultado r = GuardarGraficoHidrograma(g_, ruta, ancho, alto); !r)
        plat_.Mensaje(r.mensaje, kTituloVentanaHidrograma, Icono::Advertencia);
}

void DlgHidrograma::cmdImprimir_Click() {
    const QByteArray png = PngGraficoHidrograma(g_, 1800, 1000 + 2 * AltoBalance(g_));
    plat_.ImprimirImagen(std::string(png.constData(), static_cast<size_t>(png.size())), kTituloVentanaHidrograma);
}

DlgHidrograma* VerHidrogramaArchivo(Plataforma& plataforma, const Pluviograma* pv, QWidget* parent) {
    const std::string ruta =
        plataforma.AbrirArchivo("Ver el hidrograma de un archivo (archivo extensión ??_Qt.rkd)", kFiltroHidrograma);
    if (ruta.empty()) return nullptr;
    ArchivoHidrograma h;
    if (Resultado r = LeerHidrograma(ruta, h); !r) {
        plataforma.Mensaje(r.mensaje, kTituloVentanaHidrograma, Icono::Advertencia);
        return nullptr;
    }
    auto* dlg = new DlgHidrograma(plataforma, parent);
    dlg->Mostrar(ArmarGraficoHidrograma(h, LluviasDelHidrograma(h, pv)), ruta);
    dlg->show();
    return dlg;
}

}  // namespace tarno::ui
