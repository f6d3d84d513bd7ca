// " Consulta" page of the options dialog: the cell-sum query.
#include "ui/dlg_opciones_comun.h"

namespace tarno::ui {

using namespace opciones;

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
    connect(cargar, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) cmdCargaUnKOLT_Click(); });
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
    txtfConsulta1_ = CajaCampo("txtfConsulta1", w);
    txtfConsulta2_ = CajaCampo("txtfConsulta2", w);
    txtcConsulta1_ = CajaCampo("txtcConsulta1", w);
    txtcConsulta2_ = CajaCampo("txtcConsulta2", w);
    // A cell-sum box starts from "0" whenever it is entered.
    for (QLineEdit* c : {txtfConsulta1_, txtfConsulta2_, txtcConsulta1_, txtcConsulta2_})
        validador_->AlEntrar(c, [c] { c->setText("0"); });
    g->addWidget(Texto("fila", w), 7, 0);
    g->addWidget(txtfConsulta1_, 7, 1);
    g->addWidget(txtfConsulta2_, 7, 2);
    g->addWidget(Texto("col", w), 8, 0);
    g->addWidget(txtcConsulta1_, 8, 1);
    g->addWidget(txtcConsulta2_, 8, 2);

    auto* sumar = new QPushButton("Sumar valores de las celdas:", w);
    sumar->setObjectName("cmdSumarConsulta");
    connect(sumar, &QPushButton::clicked, this, [this] { if (validador_->ValidarFoco()) cmdSumarConsulta_Click(); });
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

void DlgOpciones::LlenarConsulta() {
    lblUnKOLT_->setText(QString::fromStdString(par_.ArchivoUnKOLT));
    lblDirUnKOLT_->setText(QString::fromStdString(par_.DirUnKOLT));
    LlenarCajas(Pagina::Consulta);
}

void DlgOpciones::AplicarConsulta() {
    par_.ArchivoUnKOLT = lblUnKOLT_->text().toStdString();
    par_.DirUnKOLT = lblDirUnKOLT_->text().toStdString();
    AplicarCajas(Pagina::Consulta, 4);
}

}  // namespace tarno::ui
