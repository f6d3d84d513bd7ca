#include "ui/frm_acerca.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "ui/frm_main.h"

namespace tarno::ui {

QString VersionPrograma() {
    QString v = QCoreApplication::applicationVersion();
    if (v.isEmpty()) v = "0.1.0";
    if (v.count('.') < 2) v += ".0";
    return v;
}

namespace {
QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setWordWrap(true);
    return l;
}
}  // namespace

FrmInicio::FrmInicio(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName("frmInicio");
    setWindowTitle(QString::fromUtf8("TARNO-SIG: Modelo Hidrológico Velmar, basado en SIG"));
    auto* marco = new QFrame(this);
    marco->setFrameShape(QFrame::Box);
    marco->setLineWidth(2);
    auto* capa = new QVBoxLayout(marco);
    QLabel* producto = Etiqueta(marco, "lblProductName", kTituloAplicacion);
    QFont f = producto->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    producto->setFont(f);
    capa->addWidget(producto);
    capa->addWidget(Etiqueta(marco, "lblDescripcion",
                             QString::fromUtf8("TARNO SIG, Modelo hidrológico distribuido basado Modelo Digital de "
                                               "Terreno (MDT)")));
    capa->addWidget(Etiqueta(marco, "lblVersion", "Version " + VersionPrograma()));
    capa->addWidget(Etiqueta(marco, "lblPlataforma", "Sistema Operativo: Windows (32 bits)"));
    auto* exterior = new QVBoxLayout(this);
    exterior->setContentsMargins(0, 0, 0, 0);
    exterior->addWidget(marco);
    resize(460, 220);
}

void MostrarInicio(Plataforma& plataforma, double segundos) {
    FrmInicio inicio;
    inicio.show();
    const double desde = plataforma.Segundos();
    // Wait by the clock while window events are processed (a wait that spans
    // midnight ends at midnight).
    for (;;) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        const double ahora = plataforma.Segundos();
        if (ahora - desde >= segundos || ahora < desde) break;
        QThread::msleep(20);
    }
    inicio.close();
}

FrmAbout::FrmAbout(Plataforma& plataforma, QWidget* parent) : QDialog(parent), plataforma_(plataforma) {
    setObjectName("frmAbout");
    setWindowTitle("TARNO-SIG: Acerca de Modelo Velmar SIG");
    setModal(true);
    auto* capa = new QVBoxLayout(this);
    QLabel* titulo = Etiqueta(this, "lblTitle", kTituloAplicacion);
    QFont f = titulo->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    titulo->setFont(f);
    capa->addWidget(titulo);
    capa->addWidget(Etiqueta(this, "lblVersion", QString::fromUtf8("Versión ") + VersionPrograma()));
    capa->addWidget(Etiqueta(
        this, "lblDescription",
        QString::fromUtf8("TARNO-SIG:  Modelo Hidrológico distribuido basado en Modelo Digital de Terreno (MDT). "
                          "Orientado al cálculo de máximas crecidas de sistemas torrenciales en Paisaje de Meseta "
                          "(PM), y en pequeñas y medianas cuencas en general.")));
    capa->addWidget(Etiqueta(this, "lblDisclaimer",
                             QString::fromUtf8("El uso y aplicación que se efectúe con este programa y sus "
                                               "resultados es de exclusiva responsabilidad del usuario")));
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    auto* ok = new QPushButton("Cerrar", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* info = new QPushButton(QString::fromUtf8("Info. del &sistema..."), this);
    info->setObjectName("cmdSysInfo");
    botones->addWidget(ok);
    botones->addWidget(info);
    capa->addLayout(botones);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(info, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    resize(520, 260);
}

void FrmAbout::cmdSysInfo_Click() {
    plataforma_.Mensaje(QString::fromUtf8("La información del sistema no está disponible en este momento").toStdString(),
                        "", Icono::Ninguno);
}

}  // namespace tarno::ui
