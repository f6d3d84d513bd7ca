#include "ui/plataforma_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTime>
#include <QTranslator>
#include <QUrl>

namespace tarno::ui {

QTranslator* CargarTraduccionesQt() {
    auto* traductor = new QTranslator(QCoreApplication::instance());
    if (!traductor->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traductor)) {
        delete traductor;
        return nullptr;
    }
    return traductor;
}

QWidget* PlataformaQt::Padre() const {
    // Over the window the user is working in (a dialog's box returns the focus
    // to that dialog when it closes), else over the main window.
    if (QWidget* activa = QApplication::activeWindow()) return activa;
    return padre_;
}

Respuesta PlataformaQt::Mensaje(const std::string& texto, const std::string& titulo, Icono icono,
                                Botones botones) {
    bool sinUso = false;
    return Caja(texto, titulo, icono, botones, nullptr, sinUso);
}

Respuesta PlataformaQt::MensajeConCasilla(const std::string& texto, const std::string& titulo, Icono icono,
                                          Botones botones, const std::string& casilla, bool& marcada) {
    return Caja(texto, titulo, icono, botones, &casilla, marcada);
}

Respuesta PlataformaQt::Caja(const std::string& texto, const std::string& titulo, Icono icono, Botones botones,
                             const std::string* casilla, bool& marcada) {
    QMessageBox caja(Padre());
    if (casilla) {
        auto* c = new QCheckBox(QString::fromStdString(*casilla), &caja);
        c->setObjectName("chkCasilla");
        c->setChecked(marcada);
        caja.setCheckBox(c);
    }
    caja.setText(QString::fromStdString(texto));
    caja.setWindowTitle(titulo.empty() ? QApplication::applicationName() : QString::fromStdString(titulo));
    switch (icono) {
        case Icono::Advertencia: caja.setIcon(QMessageBox::Warning); break;
        case Icono::Informacion: caja.setIcon(QMessageBox::Information); break;
        case Icono::Pregunta: caja.setIcon(QMessageBox::Question); break;
        case Icono::Critico: caja.setIcon(QMessageBox::Critical); break;
        case Icono::Ninguno: caja.setIcon(QMessageBox::NoIcon); break;
    }
    switch (botones) {
        case Botones::Aceptar: caja.setStandardButtons(QMessageBox::Ok); break;
        case Botones::AceptarCancelar: caja.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Botones::SiNo: caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    const int boton = caja.exec();
    if (casilla) marcada = caja.checkBox()->isChecked();
    switch (boton) {
        case QMessageBox::Cancel: return Respuesta::Cancelar;
        case QMessageBox::Yes: return Respuesta::Si;
        case QMessageBox::No: return Respuesta::No;
        default: return Respuesta::Aceptar;
    }
}

std::string PlataformaQt::Entrada(const std::string& mensaje, const std::string& titulo,
                                  const std::string& porDefecto) {
    bool ok = false;
    QString r = QInputDialog::getText(Padre(), QString::fromStdString(titulo), QString::fromStdString(mensaje),
                                      QLineEdit::Normal, QString::fromStdString(porDefecto), &ok);
    return ok ? r.toStdString() : std::string();
}

QString PlataformaQt::FiltroQt(const std::string& filtro) {
    const QStringList partes = QString::fromStdString(filtro).split('|');
    QStringList salida;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString patron = partes[i + 1];
        patron.replace(';', ' ');
        salida << partes[i] + " (" + patron + ")";
    }
    return salida.join(";;");
}

std::string PlataformaQt::AbrirArchivo(const std::string& titulo, const std::string& filtro,
                                       const std::string& carpeta) {
    return QFileDialog::getOpenFileName(Padre(), QString::fromStdString(titulo), QString::fromStdString(carpeta),
                                        FiltroQt(filtro))
        .toStdString();
}

std::string PlataformaQt::GuardarArchivoComo(const std::string& titulo, const std::string& filtro,
                                             const std::string& nombre) {
    return QFileDialog::getSaveFileName(Padre(), QString::fromStdString(titulo), QString::fromStdString(nombre),
                                        FiltroQt(filtro))
        .toStdString();
}

bool PlataformaQt::ImprimirImagen(const std::string& png, const std::string& titulo) {
    QImage imagen;
    if (!imagen.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"))
        return false;
    QPrinter impresora;
    impresora.setDocName(QString::fromStdString(titulo));
    impresora.setPageOrientation(imagen.width() > imagen.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialogo(&impresora, Padre());
    if (dialogo.exec() != QDialog::Accepted) return false;
    QPainter p(&impresora);
    const QRect pagina = p.viewport();
    QSize tam = imagen.size();
    tam.scale(pagina.size(), Qt::KeepAspectRatio);
    p.setViewport(pagina.x(), pagina.y(), tam.width(), tam.height());
    p.setWindow(imagen.rect());
    p.drawImage(0, 0, imagen);
    return true;
}

bool PlataformaQt::AbrirDocumento(const std::string& ruta) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ruta)));
}

std::string PlataformaQt::LeerAjuste(const std::string& seccion, const std::string& clave,
                                     const std::string& porDefecto) {
    QSettings s(QStringLiteral("TARNO-SIG"), QStringLiteral("TARNO-SIG"));
    s.beginGroup(QString::fromStdString(seccion));
    return s.value(QString::fromStdString(clave), QString::fromStdString(porDefecto)).toString().toStdString();
}

void PlataformaQt::GuardarAjuste(const std::string& seccion, const std::string& clave, const std::string& valor) {
    QSettings s(QStringLiteral("TARNO-SIG"), QStringLiteral("TARNO-SIG"));
    s.beginGroup(QString::fromStdString(seccion));
    s.setValue(QString::fromStdString(clave), QString::fromStdString(valor));
}

double PlataformaQt::Hora() {
    return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
}

}  // namespace tarno::ui
