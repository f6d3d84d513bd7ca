#include "ui/dlg_recortar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "raster/numeros.h"
#include "tools/recortar.h"

namespace tarno::ui {

using herramientas::VentanaCeldas;

namespace {
constexpr const char* kTituloRecorta = "Modifica valores de archivo _dat.rkd";
}

DlgRecortaRASK::DlgRecortaRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre)
    : DialogoHerramienta(estado, plataforma, padre, "dlgRecortaRASK", "TARNO-SIG: Recorta imagen RASK") {
    auto* accion = Etiqueta("lblAccion",
                            "ACCION: Permite recortar un archivo imagen de RASK (archivos tipo  _dat.rkd) ");
    accion->setWordWrap(true);
    lblArchivoRASK = Etiqueta("lblArchivoRASK");
    auto* cmdRecortarRAK =
        Boton("cmdRecortarRAK", "&Seleccionar Archivo", "Pulsar, para seleccionar el archivo a modificar");

    auto* marcoTam = MarcoTamano(lblRows, lblColumns);
    auto* marcoVal = MarcoValores(lblMaximo, lblMinimo);

    auto* marcoVen = MarcoVentana("fraVentana", "Recortar Imagen RASK entre filas y columnas:",
                          txtFilaInicio, txtColInicio, txtFilaFin, txtColFin);

    lblArchivoRASKRec = Caja("lblArchivoRASKRec");
    auto* OKButton = Boton("OKButton", "&Modificar");
    auto* CancelButton = Boton("CancelButton", "&Cancelar");

    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(accion);
    AgregarFuente(raiz, lblArchivoRASK, cmdRecortarRAK, marcoTam, marcoVal);
    raiz->addWidget(marcoVen);
    raiz->addWidget(new QLabel("Nombre Archivo Nuevo"));
    raiz->addWidget(lblArchivoRASKRec);
    AgregarBotones(raiz, OKButton, CancelButton);

    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin}) c->setEnabled(false);

    AgregarReglasVentana(ventana_, txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, true, Icono::Ninguno);
    validador_->Agregar(lblArchivoRASKRec, [this] { return ReglaNombre(lblArchivoRASKRec, Propuesto()); });
    validador_->Vigilar();

    connect(cmdRecortarRAK, &QPushButton::clicked, this, &DlgRecortaRASK::cmdRecortarRAK_Click);
    connect(OKButton, &QPushButton::clicked, this, &DlgRecortaRASK::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

std::string DlgRecortaRASK::Propuesto() const {
    return archivoFuente_.empty() ? std::string() : herramientas::NombrePropuesto(archivoFuente_, "R");
}

void DlgRecortaRASK::cmdRecortarRAK_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Modificar de manera directa (forzar) valores de Pixel en Archivo formato RKD", carpeta,
                      archivo))
        return;
    DirArchivo = carpeta;
    archivoFuente_ = archivo;
    lblArchivoRASKRec->setText(Q(Propuesto()));
    FijarVentana(txtFilaInicio, ventana_.FilaInicio, 0);
    FijarVentana(txtColInicio, ventana_.ColInicio, 0);
    FijarVentana(txtFilaFin, ventana_.FilaFin, 0);
    FijarVentana(txtColFin, ventana_.ColFin, 0);
    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin}) c->setEnabled(true);
    MostrarDatos();
}

void DlgRecortaRASK::MostrarDatos() {
    MostrarFuente(fuente_, lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo);
}

void DlgRecortaRASK::OKButton_Click() {
    const std::string fuente = S(lblArchivoRASK->text());
    if (!herramientas::EsNombreFuente(fuente)) {
        plat_.Mensaje("Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ",
                      "No se ha seleccionado archivo _dat.rkd");
        lblArchivoRASK->clear();
        ArchivoSalida.clear();
        return;
    }
    if (!ventana_.Elegida()) {
        plat_.Mensaje("Deben seleccionarse filas y columnas a Recortar",
                      "No se ha seleccionado fila y columna a modificar");
        return;
    }
    if (!ReglaNombre(lblArchivoRASKRec, Propuesto())) return;
    auto leer = [](QLineEdit* c) { return static_cast<int32_t>(RedondearEntero(ValorInicial(S(c->text())))); };
    ventana_ = {leer(txtFilaInicio), leer(txtFilaFin), leer(txtColInicio), leer(txtColFin)};
    // The start boxes are not checked against the end boxes when they are
    // left, so a reversed window can reach this point.
    if (ventana_.FilaFin < ventana_.FilaInicio || ventana_.ColFin < ventana_.ColInicio) {
        const bool filas = ventana_.FilaFin < ventana_.FilaInicio;
        plat_.Mensaje(filas ? "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar "
                            : "Ingrese un valor entero  mayor que la Columna de Inicio, o '0' para Cancelar ",
                      " Dato inconsistente");
        QLineEdit* caja = filas ? txtFilaFin : txtColFin;
        caja->setFocus();
        caja->selectAll();
        return;
    }
    if (!FuenteAlDia(fuente_, [this] { MostrarDatos(); }, kTituloRecorta)) return;
    const std::string nuevo = S(lblArchivoRASKRec->text());
    plat_.Mensaje("ADVERTENCIA: se creará un nuevo archivo recortado <" + DirArchivo + nuevo +
                      "> a partir del archivo <" + fuente + ">.",
                  kTituloRecorta, Icono::Advertencia, Botones::Aceptar);
    ArchivoSalida = DirArchivo + nuevo;

    CabeceraImagen cab;
    Grilla<float> salida;
    Resultado r = herramientas::Recortar(fuente_.img, ventana_, cab, salida);
    if (r) r = herramientas::EscribirSalida(ArchivoSalida, cab, salida, nullptr, "", fuente_.img.NombreDat);
    if (!r) {
        MostrarError(r, kTituloRecorta);
        return;
    }
    // The current image keeps the cropped header (with its own title and
    // subtitle) over the full source cells.
    DejarFuenteConCabecera(cab);
    close();
}

}  // namespace tarno::ui
