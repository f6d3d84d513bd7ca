#include "ui/dlg_modificar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "raster/numeros.h"
#include "tools/modificar.h"

namespace tarno::ui {

namespace {
constexpr const char* kTituloModifica = "Modifica valores de archivo _dat.rkd";
}

DlgModificaDatPixel::DlgModificaDatPixel(EstadoApp& estado, Plataforma& plataforma, QWidget* padre)
    : DialogoHerramienta(estado, plataforma, padre, "dlgModificaDatPixel",
                         "TARNO-SIG: Modificar valores de Pixel en una imagen RASK") {
    auto* accion = Etiqueta(
        "lblAccion",
        "ACCION: Permite modificar en forma directa un archivo imagen de RASK (archivos tipo  _dat.rkd) y "
        "forzar un valor distinto de un pixel o grupo de pixel. Si el nuevo valor ingresado supera los "
        "límites Mínimo-Máximo, se ajusta estos valores en el archivo de referencia o encabezado (tipo "
        "_cab.rkd). ");
    accion->setWordWrap(true);
    lblArchivoRASK = Etiqueta("lblArchivoRASK");
    auto* cmdModificarArchivo = Boton("cmdModificarArchivo", "&Seleccionar Archivo",
                                      "Pulsar, para seleccionar el archivo a modificar");

    auto* marcoTam = MarcoTamano(lblRows, lblColumns);
    auto* marcoVal = MarcoValores(lblMaximo, lblMinimo);

    optPixelfc = Opcion("optPixelfc", "Modificar valor de los Pixel identificados por fila y columna");
    optPixelVal = Opcion("optPixelVal", "Modificar valor de los Pixel identificados por su valor actual");

    Frame1 = MarcoVentana("Frame1", "Modificar valores de pixel, entre filas y columnas:",
                          txtFilaInicio, txtColInicio, txtFilaFin, txtColFin);

    Frame2 = Marco("Frame2", "Modificar valores entre:");
    txtValorInicio = Caja("txtValorInicio", "0");
    txtValorFin = Caja("txtValorFin", "0");
    auto* g2 = new QGridLayout(Frame2);
    g2->addWidget(new QLabel("Valor >= "), 0, 0);
    g2->addWidget(txtValorInicio, 0, 1);
    g2->addWidget(new QLabel("Valor  <="), 1, 0);
    g2->addWidget(txtValorFin, 1, 1);

    auto* marcoNuevo = Marco("fraValorNuevo", "Valor nuevo");
    txtValorPixel = Caja("txtValorPixel", "0");
    auto* g3 = new QGridLayout(marcoNuevo);
    g3->addWidget(new QLabel("Valor del pixel"), 0, 0);
    g3->addWidget(txtValorPixel, 0, 1);

    lblArchivoRASKMod = Caja("lblArchivoRASKMod");
    auto* OKButton = Boton("OKButton", "&Modificar");
    auto* CancelButton = Boton("CancelButton", "&Cancelar");

    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(accion);
    AgregarFuente(raiz, lblArchivoRASK, cmdModificarArchivo, marcoTam, marcoVal);
    raiz->addWidget(optPixelfc);
    raiz->addWidget(optPixelVal);
    auto* frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);
    raiz->addLayout(frames);
    raiz->addWidget(marcoNuevo);
    raiz->addWidget(new QLabel("Nombre Archivo Nuevo"));
    raiz->addWidget(lblArchivoRASKMod);
    AgregarBotones(raiz, OKButton, CancelButton);

    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    for (QLineEdit* c :
         {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, txtValorInicio, txtValorFin, txtValorPixel})
        c->setEnabled(false);

    AgregarReglasVentana(ventana_, txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, false, Icono::Ninguno);
    validador_->Agregar(txtValorInicio, [this] {
        return ReglaValor(txtValorInicio, ValorInicio, "Ingrese un valor numérico entero o decimal  ");
    });
    validador_->Agregar(txtValorFin, [this] {
        return ReglaValor(txtValorFin, ValorFin, "Ingrese un valor numérico entero o decimal");
    });
    validador_->Agregar(txtValorPixel, [this] {
        return ReglaValor(txtValorPixel, ValorNuevo, "Ingrese un valor numérico entero  o decimal ");
    });
    validador_->Agregar(lblArchivoRASKMod, [this] { return ReglaNombre(lblArchivoRASKMod, Propuesto()); });
    validador_->Vigilar();

    connect(cmdModificarArchivo, &QPushButton::clicked, this, &DlgModificaDatPixel::cmdModificarArchivo_Click);
    connect(optPixelfc, &QRadioButton::clicked, this, &DlgModificaDatPixel::optPixelfc_Click);
    connect(optPixelVal, &QRadioButton::clicked, this, &DlgModificaDatPixel::optPixelVal_Click);
    connect(OKButton, &QPushButton::clicked, this, &DlgModificaDatPixel::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

std::string DlgModificaDatPixel::Propuesto() const {
    return archivoFuente_.empty() ? std::string() : herramientas::NombrePropuesto(archivoFuente_, "M");
}

bool DlgModificaDatPixel::ReglaValor(QLineEdit* caja, float& campo, const char* mensaje) {
    const std::string texto = S(caja->text());
    if (!EsNumerico(texto)) {
        plat_.Mensaje(mensaje);
        return false;
    }
    campo = static_cast<float>(ValorInicial(texto));
    return true;
}

void DlgModificaDatPixel::cmdModificarArchivo_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Modificar de manera directa (forzar) valores de Pixel en Archivo formato RKD", carpeta,
                      archivo))
        return;
    DirArchivo = carpeta;
    archivoFuente_ = archivo;
    lblArchivoRASKMod->setText(Q(Propuesto()));
    optPixelfc->setChecked(true);
    Frame1->setEnabled(true);
    FijarVentana(txtFilaInicio, ventana_.FilaInicio, 0);
    FijarVentana(txtColInicio, ventana_.ColInicio, 0);
    FijarVentana(txtFilaFin, ventana_.FilaFin, 0);
    FijarVentana(txtColFin, ventana_.ColFin, 0);
    txtValorInicio->setText("0");
    ValorInicio = 0;
    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, txtValorPixel}) c->setEnabled(true);
    MostrarDatos();
}

void DlgModificaDatPixel::MostrarDatos() {
    MostrarFuente(fuente_, lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo);
}

void DlgModificaDatPixel::optPixelfc_Click() {
    optPixelfc->setChecked(true);
    Frame1->setEnabled(true);
    Frame2->setEnabled(false);
    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, txtValorPixel}) c->setEnabled(true);
    txtValorInicio->setEnabled(false);
    txtValorFin->setEnabled(false);
    for (QLineEdit* c : {txtValorInicio, txtValorFin, txtValorPixel}) c->setText("0");
    ValorInicio = ValorFin = ValorNuevo = 0;
}

void DlgModificaDatPixel::optPixelVal_Click() {
    optPixelVal->setChecked(true);
    Frame2->setEnabled(true);
    Frame1->setEnabled(false);
    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin}) c->setEnabled(false);
    for (QLineEdit* c : {txtValorInicio, txtValorFin, txtValorPixel}) c->setEnabled(true);
    FijarVentana(txtFilaInicio, ventana_.FilaInicio, 0);
    FijarVentana(txtColInicio, ventana_.ColInicio, 0);
    FijarVentana(txtFilaFin, ventana_.FilaFin, 0);
    FijarVentana(txtColFin, ventana_.ColFin, 0);
}

void DlgModificaDatPixel::OKButton_Click() {
    const std::string fuente = S(lblArchivoRASK->text());
    if (!herramientas::EsNombreFuente(fuente)) {
        plat_.Mensaje("Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ",
                      "No se ha seleccionado archivo _dat.rkd");
        lblArchivoRASK->clear();
        ArchivoSalida.clear();
        return;
    }
    const bool porPosicion = optPixelfc->isChecked();
    if (porPosicion && !ventana_.Elegida()) {
        plat_.Mensaje("Deben seleccionarse filas y columnas a modificar valores",
                      "No se ha seleccionado fila y columna a modificar");
        return;
    }
    if (!ReglaNombre(lblArchivoRASKMod, Propuesto())) return;
    if (porPosicion) {
        auto leer = [](QLineEdit* c) { return static_cast<int32_t>(RedondearEntero(ValorInicial(S(c->text())))); };
        ventana_ = {leer(txtFilaInicio), leer(txtFilaFin), leer(txtColInicio), leer(txtColFin)};
    } else {
        ValorInicio = static_cast<float>(ValorInicial(S(txtValorInicio->text())));
        ValorFin = static_cast<float>(ValorInicial(S(txtValorFin->text())));
    }
    ValorNuevo = static_cast<float>(ValorInicial(S(txtValorPixel->text())));
    if (!FuenteAlDia(fuente_, [this] { MostrarDatos(); }, kTituloModifica)) return;
    const std::string nuevo = S(lblArchivoRASKMod->text());
    plat_.Mensaje("ADVERTENCIA: se creará un nuevo archivo <" + DirArchivo + nuevo + "> a partir del archivo <" +
                      fuente + "> modificado.",
                  kTituloModifica, Icono::Advertencia, Botones::Aceptar);
    ArchivoSalida = DirArchivo + nuevo;

    // The dialog's source stays as read until the result is written.
    ImagenActual img = fuente_.img;
    Resultado r;
    int64_t cambiadas = 0;
    if (porPosicion)
        r = herramientas::ModificarPorPosicion(img, ventana_, ValorNuevo, cambiadas);
    else
        cambiadas = herramientas::ModificarPorValor(img, ValorInicio, ValorFin, ValorNuevo);
    CabeceraImagen cab;
    if (r) {
        cab = herramientas::CabeceraModificada(img);
        r = herramientas::EscribirSalida(ArchivoSalida, cab, img.Valores, nullptr, "", img.NombreDat);
    }
    if (!r) {
        MostrarError(r, kTituloModifica);
        return;
    }
    // The current image holds the modified cells, with their range.
    img.DatoMenor = cab.DatoMenor;
    img.DatoMayor = cab.DatoMayor;
    estado_.img = std::move(img);
    close();
}

}  // namespace tarno::ui
