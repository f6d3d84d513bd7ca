#include "ui/dlg_operador.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "raster/numeros.h"

namespace tarno::ui {

namespace {
constexpr const char* kTituloOperador = "Aplica Operador a valores de archivo _dat.rkd";
}

DlgOperadorRASK::DlgOperadorRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre)
    : DialogoHerramienta(estado, plataforma, padre, "dlgOperadorRASK", "TARNO-SIG: Operador en imagen RASK") {
    lblArchivoRASK = Etiqueta("lblArchivoRASK");
    auto* cmdRecortarRAK =
        Boton("cmdRecortarRAK", "&Seleccionar Archivo", "Pulsar, para seleccionar el archivo a modificar");

    auto* marcoTam = MarcoTamano(lblRows, lblColumns);
    auto* marcoVal = MarcoValores(lblMaximo, lblMinimo);

    auto* marcoVen = MarcoVentana("fraVentana", "Aplicar Operador entre filas y columnas:",
                          txtFilaInicio, txtColInicio, txtFilaFin, txtColFin);

    auto* marcoOp = Marco("fraOperador", "Operador: z' = a1 + a2 * z ^ a3 + a4 * z ^ a5 + a6 ^ (a7 * z)");
    auto* go = new QGridLayout(marcoOp);
    const char* inicial[7] = {"0", "1", "1", "0", "0", "0", "0"};
    for (int i = 0; i < 7; ++i) {
        const QString nombre = QString("a%1").arg(i + 1);
        txta[static_cast<size_t>(i)] = Caja("txt" + nombre, inicial[i]);
        go->addWidget(new QLabel(nombre), 0, i);
        go->addWidget(txta[static_cast<size_t>(i)], 1, i);
    }
    // The coefficients start at 0 whatever the boxes show: each takes its
    // box's value when the user leaves the box.

    lblArchivoRASKRec = Caja("lblArchivoRASKRec");
    auto* OKButton = Boton("OKButton", "&Modificar");
    auto* CancelButton = Boton("CancelButton", "&Cancelar");

    auto* raiz = new QVBoxLayout(this);
    AgregarFuente(raiz, lblArchivoRASK, cmdRecortarRAK, marcoTam, marcoVal);
    raiz->addWidget(marcoVen);
    raiz->addWidget(marcoOp);
    raiz->addWidget(new QLabel("Nombre Archivo Nuevo"));
    raiz->addWidget(lblArchivoRASKRec);
    AgregarBotones(raiz, OKButton, CancelButton);

    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin}) c->setEnabled(false);

    AgregarReglasVentana(ventana_, txtFilaInicio, txtColInicio, txtFilaFin, txtColFin, true, Icono::Advertencia);
    for (int i = 0; i < 7; ++i)
        validador_->Agregar(txta[static_cast<size_t>(i)], [this, i] { return ReglaCoeficiente(i); });
    validador_->Agregar(lblArchivoRASKRec, [this] { return ReglaNombre(lblArchivoRASKRec, {}); });
    validador_->Vigilar();

    connect(cmdRecortarRAK, &QPushButton::clicked, this, &DlgOperadorRASK::cmdRecortarRAK_Click);
    connect(OKButton, &QPushButton::clicked, this, &DlgOperadorRASK::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

bool DlgOperadorRASK::ReglaCoeficiente(int i) {
    QLineEdit* caja = txta[static_cast<size_t>(i)];
    const std::string texto = S(caja->text());
    float& a = a_[static_cast<size_t>(i)];
    if (!EsNumerico(texto)) {
        plat_.Mensaje("Ingrese un valor numérico", "", Icono::Advertencia);
        caja->setText("0");
        a = 0;
        return false;
    }
    a = static_cast<float>(ValorInicial(texto));
    return true;
}

void DlgOperadorRASK::cmdRecortarRAK_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Modificar de manera directa (forzar) valores de Pixel en Archivo formato RKD", carpeta,
                      archivo))
        return;
    const ImagenActual& img = fuente_.img;
    carpeta_ = carpeta;
    archivoFuente_ = archivo;
    lblArchivoRASKRec->setText(Q(herramientas::NombrePropuesto(archivo, "O")));
    FijarVentana(txtFilaInicio, ventana_.FilaInicio, 1);
    FijarVentana(txtFilaFin, ventana_.FilaFin, img.NroFilas);
    FijarVentana(txtColInicio, ventana_.ColInicio, 1);
    FijarVentana(txtColFin, ventana_.ColFin, img.NroColumnas);
    for (QLineEdit* c : {txtFilaInicio, txtColInicio, txtFilaFin, txtColFin}) c->setEnabled(true);
    MostrarDatos();
}

void DlgOperadorRASK::MostrarDatos() {
    MostrarFuente(fuente_, lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo);
}

void DlgOperadorRASK::OKButton_Click() {
    const std::string fuente = S(lblArchivoRASK->text());
    if (!herramientas::EsNombreFuente(fuente)) {
        plat_.Mensaje("Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ",
                      "No se ha seleccionado archivo _dat.rkd", Icono::Advertencia);
        lblArchivoRASK->clear();
        return;
    }
    if (!ventana_.Elegida()) {
        plat_.Mensaje("Deben seleccionarse filas y columnas a Recortar",
                      "No se ha seleccionado fila y columna a modificar", Icono::Advertencia);
        return;
    }
    if (!ReglaNombre(lblArchivoRASKRec, {})) return;
    auto leer = [](QLineEdit* c) { return static_cast<int32_t>(RedondearEntero(ValorInicial(S(c->text())))); };
    ventana_ = {leer(txtFilaInicio), leer(txtFilaFin), leer(txtColInicio), leer(txtColFin)};
    if (ventana_.FilaFin < ventana_.FilaInicio || ventana_.ColFin < ventana_.ColInicio) {
        const bool filas = ventana_.FilaFin < ventana_.FilaInicio;
        plat_.Mensaje(filas ? "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar "
                            : "Ingrese un valor entero  mayor que la Columna de Inicio, o '0' para Cancelar ",
                      " Dato inconsistente", Icono::Advertencia);
        QLineEdit* caja = filas ? txtFilaFin : txtColFin;
        caja->setFocus();
        caja->selectAll();
        return;
    }
    if (!FuenteAlDia(fuente_, [this] { MostrarDatos(); }, kTituloOperador)) return;
    const std::string salidaDat = carpeta_ + S(lblArchivoRASKRec->text());
    plat_.Mensaje("ADVERTENCIA: se creará un nuevo archivo recortado <" + salidaDat + "> a partir del archivo <" +
                      fuente + ">.",
                  kTituloOperador, Icono::Advertencia, Botones::Aceptar);

    CabeceraImagen cab;
    Grilla<float> salida;
    herramientas::FallasOperador fallas;
    Resultado r = herramientas::AplicarOperador(fuente_.img, ventana_, a_, cab, salida, fallas);
    if (r) r = herramientas::EscribirSalida(salidaDat, cab, salida, nullptr, "", fuente_.img.NombreDat);
    if (!r) {
        MostrarError(r, kTituloOperador);
        return;
    }
    // The current image keeps the window's header over the source cells.
    DejarFuenteConCabecera(cab);
    close();
}

}  // namespace tarno::ui
