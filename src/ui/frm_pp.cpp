#include "ui/frm_pp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarno::ui {

namespace {
constexpr double kTwips = 15.0;  // twips per pixel
int Px(double twips) { return static_cast<int>(twips / kTwips + 0.5); }
}  // namespace

FrmPp::FrmPp(EstadoApp& estado, QWidget* parent) : QWidget(parent, Qt::Window), estado_(estado) {
    setObjectName("frmPp");
    setWindowTitle("Pizarra de Variables y Salidas");
    setAttribute(Qt::WA_DeleteOnClose);
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont f("Monospace");
    f.setStyleHint(QFont::TypeWriter);
    text1_->setFont(f);
    cerrar_ = new QPushButton("&Cerrar", this);
    cerrar_->setObjectName("cmdCerrar");
    imprimir_ = new QPushButton("&Imprimir", this);
    imprimir_->setObjectName("cmdImprimir");
    connect(cerrar_, &QPushButton::clicked, this, &QWidget::close);
    resize(Px(7000), Px(5000));
    estado_.VerPizarra = true;
}

FrmPp::~FrmPp() {
    estado_.VerPizarra = false;
    if (!avisado_) emit Descargada();
}

void FrmPp::PonerTexto(const QString& texto) {
    QString t = texto;
    t.replace("\r\n", "\n");
    text1_->setPlainText(t);
}

QString FrmPp::Texto() const { return text1_->toPlainText(); }

void FrmPp::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Text area at (100, 100) twips, 0.97 of the width and 0.85 of the height;
    // the buttons 900 twips above the bottom edge.
    const double ancho = width() * kTwips, alto = height() * kTwips;
    text1_->setGeometry(Px(100), Px(100), Px(0.97 * ancho), Px(0.85 * alto));
    const int arriba = Px(alto - 900);
    cerrar_->setGeometry(Px(100), arriba, Px(1300), Px(400));
    imprimir_->setGeometry(Px(1600), arriba, Px(1300), Px(400));
}

void FrmPp::closeEvent(QCloseEvent* e) {
    estado_.VerPizarra = false;
    avisado_ = true;
    emit Descargada();
    e->accept();
}

FrmPp2::FrmPp2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmPp2");
    setWindowTitle("TARNO-SIG: Procesando...");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* capa = new QVBoxLayout(this);
    miTime_ = new QPushButton(this);
    miTime_->setObjectName("cmdMiTime");
    trestante_ = new QPushButton(this);
    trestante_->setObjectName("cmdTrestante");
    barra_ = new QProgressBar(this);
    barra_->setObjectName("ProgressBar1");
    barra_->setRange(0, 100);
    barra_->setValue(0);
    capa->addWidget(miTime_);
    capa->addWidget(trestante_);
    capa->addWidget(barra_);
    resize(Px(6000), Px(2000));
}

void FrmPp2::Iniciar(const QString& titulo, const QString& tiempo) {
    setWindowTitle(titulo);
    setCursor(Qt::WaitCursor);
    barra_->setValue(0);
    barra_->setVisible(true);
    trestante_->setText("");
    miTime_->setText(tiempo);
    show();
    raise();
    Refrescar();
}

void FrmPp2::Avanzar(int avance, const QString& periodo, const QString& tiempo) {
    barra_->setValue(avance < 0 ? 0 : (avance > 100 ? 100 : avance));
    trestante_->setText(periodo);
    miTime_->setText(tiempo);
    Refrescar();
}

void FrmPp2::Terminar() {
    miTime_->setText("");
    trestante_->setText("");
    unsetCursor();
    barra_->setVisible(false);
}

void FrmPp2::Refrescar() {
    // The run keeps the event loop busy: paint (and let the window system
    // deliver expose events) at each progress update.
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tarno::ui
