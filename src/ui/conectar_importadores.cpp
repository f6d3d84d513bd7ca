// File-menu importers: Idrisi text images, blank-separated text and the
// 0-255 amplitude conversion of a text vector.
#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "raster/archivos.h"
#include "comandos/importar_texto.h"
#include "ui/conexiones.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"

namespace tarno::ui {
namespace {

// The progress window with the import's captions (bar hidden) and the
// hourglass pointer while an import works.
class AvisoCursor : public AvisoProceso {
public:
    explicit AvisoCursor(QWidget* padre) : padre_(padre) {}
    ~AvisoCursor() override { Terminar(); }

    void Empezar(const std::string& titulo, const std::string& texto) override {
        ventana_ = new FrmPp2(padre_);
        ventana_->setWindowTitle(QString::fromStdString(titulo));
        ventana_->ProgressBar1()->setVisible(false);
        ventana_->CmdTrestante()->setText("");
        ventana_->CmdMiTime()->setText(QString::fromStdString(texto));
        ventana_->show();
        ventana_->Refrescar();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        activo_ = true;
    }
    void Terminar() override {
        if (activo_) QApplication::restoreOverrideCursor();
        activo_ = false;
        if (ventana_) ventana_->close();
    }

private:
    QWidget* padre_;
    QPointer<FrmPp2> ventana_;
    bool activo_ = false;
};

std::string CarpetaDe(const std::string& ruta) {
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    return carpeta;
}

}  // namespace

void mnuImportarIdrisi_Click(FrmMain0& v) {
    const std::string ruta = v.Plat().AbrirArchivo("Importar archivo imagen de Idrisi, formato texto (.txt, .img, .rst)",
                                                   "Archivos imagen Idrisi (*.txt,*.img,*.rst)|*.txt;*.img;*.rst");
    if (ruta.empty()) return;
    AvisoCursor aviso(&v);
    ImportarIdrisi(ruta, CarpetaDe(ruta), v.Estado().img, v.Estado().VectorDatos, v.Plat(), aviso);
}

void mnutxtBlanco_a_rkd_Click(FrmMain0& v) {
    const std::string ruta = v.Plat().AbrirArchivo(
        "Convertir un archivo ASCHII, separador caracter blanco, a un archivo _dat_rkd (.txt, .img, .txt)",
        "Archivos Texto (*.txt)|*.txt");
    if (ruta.empty()) return;
    AvisoCursor aviso(&v);
    ImportarTextoBlancos(ruta, CarpetaDe(ruta), v.Estado().img, v.Estado().VectorDatos, v.Plat(), aviso);
}

void mnutxt0256_Click(FrmMain0& v) {
    const std::string ruta =
        v.Plat().AbrirArchivo("Abrir", "Todos los archivos imagen en formato texto (*.txt)|*.txt");
    if (ruta.empty()) return;
    ConvertirAmplitud(ruta, CarpetaDe(ruta), v.Estado().img, v.Estado().VectorDatos, v.Plat());
}

TablaComandos ComandosImportadores(FrmMain0& ventana) {
    FrmMain0* w = &ventana;
    return {
        {"mnuImportarIdrisi", "Importar IMG Idrisi", Menu::Archivo, [w] { mnuImportarIdrisi_Click(*w); }},
        {"mnutxtBlanco_a_rkd", "Convertir  txt, sep. chr blanco, a _dat.rkd", Menu::Archivo,
         [w] { mnutxtBlanco_a_rkd_Click(*w); }},
        {"mnutxt0256", "Convierte amplitud vector txt a 0-255", Menu::Modificar, [w] { mnutxt0256_Click(*w); }},
    };
}

}  // namespace tarno::ui
