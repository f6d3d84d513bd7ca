#include "ui/dlg_superponer.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "raster/numeros.h"

namespace tarno::ui {

namespace {
constexpr const char* kTituloSuperponer = "Aplica Operador a valores de archivo _dat.rkd";

// One image's side: path, size and extremes.
QGroupBox* Lado(DialogoHerramienta* d, const QString& titulo, QLabel* ruta, QLabel* filas, QLabel* columnas,
                QLabel* maximo, QLabel* minimo, QPushButton* boton) {
    auto* lado = new QGroupBox(titulo, d);
    auto* v = new QVBoxLayout(lado);
    auto* fila = new QHBoxLayout;
    fila->addWidget(boton);
    fila->addWidget(ruta, 1);
    v->addLayout(fila);
    auto* marcoTam = new QGroupBox("Nro. de Filas y Columnas", lado);
    auto* gt = new QGridLayout(marcoTam);
    gt->addWidget(new QLabel("Filas:"), 0, 0);
    gt->addWidget(filas, 0, 1);
    gt->addWidget(new QLabel("Columnas:"), 1, 0);
    gt->addWidget(columnas, 1, 1);
    auto* marcoVal = new QGroupBox("Valores Máximos y mínimos", lado);
    auto* gv = new QGridLayout(marcoVal);
    gv->addWidget(new QLabel("Máximo:"), 0, 0);
    gv->addWidget(maximo, 0, 1);
    gv->addWidget(new QLabel("Mínimo:"), 1, 0);
    gv->addWidget(minimo, 1, 1);
    auto* marcos = new QHBoxLayout;
    marcos->addWidget(marcoTam);
    marcos->addWidget(marcoVal);
    v->addLayout(marcos);
    return lado;
}
}  // namespace

DlgSuperponerRASK::DlgSuperponerRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre)
    : DialogoHerramienta(estado, plataforma, padre, "dlgSuperponerRASK",
                         "TARNO-SIG: Superponer imágenes RASK (Suma - Resta entrre imágenes)") {
    auto* accion = Etiqueta("lblAccion", "ACCION: Superpone una imagen RASK sobre otra (suma), o resta.");
    const QString ayuda = "Pulsar, para seleccionar el archivo a modificar";
    auto* cmdRecortarRAK = Boton("cmdRecortarRAK", "&Seleccionar Img RASK 1:", ayuda);
    auto* cmdRecortarRAK2 = Boton("cmdRecortarRAK2", "&Seleccionar Img RASK 2:", ayuda);
    lblArchivoRASK = Etiqueta("lblArchivoRASK");
    lblArchivoRASK2 = Etiqueta("lblArchivoRASK2");
    lblRows = Etiqueta("lblRows", "0");
    lblColumns = Etiqueta("lblColumns", "0");
    lblMaximo = Etiqueta("lblMaximo");
    lblMinimo = Etiqueta("lblMinimo");
    lblRows2 = Etiqueta("lblRows2", "0");
    lblColumns2 = Etiqueta("lblColumns2", "0");
    lblMaximo2 = Etiqueta("lblMaximo2");
    lblMinimo2 = Etiqueta("lblMinimo2");

    auto* marcoOp = Marco("fraOpciones", "Opciones :");
    const char* titulos[8] = {"Superponer: Imagen 1 atrás, Imagen 2 adelante, excepto p/valor 0 (Cero)",
                              "(Imagen 1- Imagen 2)/ (Imagen1+Imagen2)",
                              "Imagen 1 + Imagen 2",
                              "Imagen 1 - Imagen 2",
                              "Imagen 1 * Imagen 2",
                              "Imagen 1/ Imagen 2",
                              "Mayor valor de ambas",
                              "Menor valor de ambas"};
    auto* go = new QGridLayout(marcoOp);
    txtExcepto = Caja("txtExcepto", "0");
    for (int i = 0; i < 8; ++i) {
        QRadioButton* o = Opcion(QString("Option%1").arg(i + 1), titulos[i]);
        Option[static_cast<size_t>(i)] = o;
        go->addWidget(o, i, 0);
        // Only the plain overlay uses the exception value.
        connect(o, &QRadioButton::clicked, this, [this, i] { txtExcepto->setEnabled(i == 0); });
    }
    auto* excepto = new QHBoxLayout;
    excepto->addWidget(new QLabel("Valor ="));
    excepto->addWidget(txtExcepto);
    go->addLayout(excepto, 0, 1);
    Option[0]->setChecked(true);

    lblArchivoRASKRec = Caja("lblArchivoRASKRec");
    auto* OKButton = Boton("OKButton", "&Modificar");
    auto* CancelButton = Boton("CancelButton", "&Cancelar");

    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(accion);
    auto* lados = new QHBoxLayout;
    lados->addWidget(Lado(this, "Imagen 1", lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo, cmdRecortarRAK));
    lados->addWidget(
        Lado(this, "Imagen 2", lblArchivoRASK2, lblRows2, lblColumns2, lblMaximo2, lblMinimo2, cmdRecortarRAK2));
    raiz->addLayout(lados);
    raiz->addWidget(marcoOp);
    raiz->addWidget(new QLabel("Nombre Archivo Nuevo"));
    raiz->addWidget(lblArchivoRASKRec);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(OKButton);
    botones->addWidget(CancelButton);
    raiz->addLayout(botones);

    validador_->Agregar(txtExcepto, [this] {
        if (EsNumerico(S(txtExcepto->text()))) return true;
        plat_.Mensaje("Ingrese un valor numérico entero  o decimal. Por defecto, se adopta el valor '0' ");
        return false;
    });
    validador_->Agregar(lblArchivoRASKRec, [this] { return ReglaNombre(lblArchivoRASKRec, Propuesto()); });
    validador_->Vigilar();

    connect(cmdRecortarRAK, &QPushButton::clicked, this, &DlgSuperponerRASK::cmdRecortarRAK_Click);
    connect(cmdRecortarRAK2, &QPushButton::clicked, this, &DlgSuperponerRASK::cmdRecortarRAK2_Click);
    connect(OKButton, &QPushButton::clicked, this, &DlgSuperponerRASK::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::close);
}

std::string DlgSuperponerRASK::Propuesto() const {
    return archivo1_.empty() ? std::string() : herramientas::NombrePropuesto(archivo1_, "S");
}

herramientas::Operacion DlgSuperponerRASK::OperacionElegida() const {
    for (int i = 0; i < 8; ++i)
        if (Option[static_cast<size_t>(i)]->isChecked()) return static_cast<herramientas::Operacion>(i + 1);
    return herramientas::Operacion::Superponer;
}

void DlgSuperponerRASK::cmdRecortarRAK_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Superponer / Operar dos Imagenes: Abrir Imagen 1", fuente_, carpeta, archivo)) return;
    DirArchivo = carpeta;
    archivo1_ = archivo;
    MostrarImagen1();
    lblArchivoRASKRec->setText(Q(Propuesto()));
    // Image 2, when chosen before, stays as it was read.
}

void DlgSuperponerRASK::cmdRecortarRAK2_Click() {
    std::string carpeta, archivo;
    if (!ElegirImagen("Superponer / Operar dos Imagenes: Abrir Imagen 2", imagen2_, carpeta, archivo)) return;
    MostrarImagen2();
}

void DlgSuperponerRASK::MostrarImagen1() {
    MostrarFuente(fuente_, lblArchivoRASK, lblRows, lblColumns, lblMaximo, lblMinimo);
}

void DlgSuperponerRASK::MostrarImagen2() {
    MostrarFuente(imagen2_, lblArchivoRASK2, lblRows2, lblColumns2, lblMaximo2, lblMinimo2);
}

void DlgSuperponerRASK::OKButton_Click() {
    if (lblRows->text() != lblRows2->text() || lblColumns->text() != lblColumns2->text()) {
        plat_.Mensaje("Las imágenes seleccionadas no son compatibles", "Inconsistencia...");
        return;
    }
    const std::string ruta1 = S(lblArchivoRASK->text());
    if (!herramientas::EsNombreFuente(ruta1)) {
        plat_.Mensaje("Para ejecutar esta acción debe seleccionarse un archivo _dat.RKD ",
                      "No se ha seleccionado archivo _dat.rkd");
        lblArchivoRASK->clear();
        return;
    }
    if (!ReglaNombre(lblArchivoRASKRec, Propuesto())) return;
    if (!FuenteAlDia(fuente_, [this] { MostrarImagen1(); }, kTituloSuperponer) ||
        !FuenteAlDia(imagen2_, [this] { MostrarImagen2(); }, kTituloSuperponer))
        return;
    const std::string ruta2 = S(lblArchivoRASK2->text());
    const std::string salidaDat = DirArchivo + S(lblArchivoRASKRec->text());
    plat_.Mensaje("ADVERTENCIA: se creará un nuevo archivo <" + salidaDat + "> a partir del archivo <" + ruta1 +
                      "> y del archivo " + ruta2 + ">.",
                  kTituloSuperponer, Icono::Advertencia, Botones::Aceptar);

    const float e = static_cast<float>(ValorInicial(S(txtExcepto->text())));
    CabeceraImagen cab;
    Grilla<float> salida;
    int64_t anuladas = 0;
    Resultado r = herramientas::Superponer(fuente_.img.Valores, imagen2_.img, OperacionElegida(), e, cab, salida,
                                           anuladas);
    if (!r) {
        plat_.Mensaje(r.mensaje, "Inconsistencia...");
        return;
    }
    if (r = herramientas::EscribirSalida(salidaDat, cab, salida, nullptr, "", ruta1); !r) {
        MostrarError(r, kTituloSuperponer);
        return;
    }
    if (anuladas > 0)
        plat_.Mensaje("Se escribió el valor 0 en" + TextoBlanco(static_cast<int64_t>(anuladas)) +
                          " celdas por división por cero o por desborde del resultado.",
                      kTituloSuperponer, Icono::Informacion);
    close();
}

}  // namespace tarno::ui
