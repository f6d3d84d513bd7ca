#include "ui/dialogo_herramienta.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "raster/archivos.h"
#include "raster/numeros.h"

namespace tarno::ui {

DialogoHerramienta::DialogoHerramienta(EstadoApp& estado, Plataforma& plataforma, QWidget* padre,
                                       const QString& nombre, const QString& titulo)
    : QDialog(padre), estado_(estado), plat_(plataforma), validador_(new ValidadorCajas(this)) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    if (padre) move(padre->frameGeometry().topLeft());
}

QLabel* DialogoHerramienta::Etiqueta(const QString& nombre, const QString& texto) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(nombre);
    return l;
}

QLineEdit* DialogoHerramienta::Caja(const QString& nombre, const QString& texto) {
    auto* c = new QLineEdit(texto, this);
    c->setObjectName(nombre);
    return c;
}

QPushButton* DialogoHerramienta::Boton(const QString& nombre, const QString& texto, const QString& ayuda) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    b->setDefault(false);
    if (!ayuda.isEmpty()) b->setToolTip(ayuda);
    return b;
}

QGroupBox* DialogoHerramienta::Marco(const QString& nombre, const QString& titulo) {
    auto* g = new QGroupBox(titulo, this);
    g->setObjectName(nombre);
    return g;
}

QRadioButton* DialogoHerramienta::Opcion(const QString& nombre, const QString& texto) {
    auto* o = new QRadioButton(texto, this);
    o->setObjectName(nombre);
    return o;
}

bool DialogoHerramienta::ElegirImagen(const std::string& titulo, FuenteHerramienta& fuente, std::string& carpeta,
                                      std::string& archivo) {
    std::string elegido = plat_.AbrirArchivo(titulo, "Abrir Archivo kdr (*dat.rkd)|*dat.rkd");
    if (elegido.empty()) return false;
    // The fingerprint before the read: a change in between shows as a change.
    const uint64_t huella = herramientas::HuellaImagen(elegido);
    ImagenActual leida;
    if (Resultado r = LeerIMG(elegido, "", leida); !r) {
        plat_.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    fuente.ruta = elegido;
    fuente.img = std::move(leida);
    fuente.huella = huella;
    estado_.img = fuente.img;
    SepararRuta(elegido, carpeta, archivo);
    return true;
}

bool DialogoHerramienta::FuenteAlDia(FuenteHerramienta& fuente, const std::function<void()>& mostrar,
                                     const std::string& titulo) {
    const uint64_t huella = herramientas::HuellaImagen(fuente.ruta);
    if (huella == fuente.huella) return true;
    ImagenActual leida;
    if (Resultado r = LeerIMG(fuente.ruta, "", leida); !r) {
        plat_.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    fuente.img = std::move(leida);
    fuente.huella = huella;
    estado_.img = fuente.img;
    if (mostrar) mostrar();
    plat_.Mensaje("El archivo <" + fuente.ruta +
                      "> cambió desde que fue leído. Se leyó de nuevo y se muestran sus datos actuales: "
                      "revíselos y vuelva a pulsar Modificar.",
                  titulo, Icono::Advertencia);
    return false;
}

void DialogoHerramienta::MostrarFuente(const FuenteHerramienta& fuente, QLabel* ruta, QLabel* filas,
                                       QLabel* columnas, QLabel* maximo, QLabel* minimo) {
    ruta->setText(Q(fuente.ruta));
    maximo->setText(Numero(fuente.img.DatoMayor));
    minimo->setText(Numero(fuente.img.DatoMenor));
    columnas->setText(Numero(fuente.img.NroColumnas));
    filas->setText(Numero(fuente.img.NroFilas));
}

void DialogoHerramienta::DejarFuenteConCabecera(const CabeceraImagen& cab) {
    ImagenActual img = std::move(fuente_.img);
    const std::string titulo = img.Titulo, subtitulo = img.Subtitulo;
    static_cast<CabeceraImagen&>(img) = cab;
    img.Titulo = titulo;
    img.Subtitulo = subtitulo;
    estado_.img = std::move(img);
}

void DialogoHerramienta::FijarVentana(QLineEdit* caja, int32_t& campo, int32_t valor) {
    caja->setText(Numero(valor));
    campo = valor;
}

bool DialogoHerramienta::ReglaVentana(QLineEdit* caja, int32_t& campo, int32_t limite, QLineEdit* inicio,
                                      bool filas, Icono icono) {
    const std::string texto = S(caja->text());
    if (texto == "0") {
        campo = 0;
        return true;
    }
    const double v = ValorInicial(texto);
    if (!EsNumerico(texto) || v < 1 || v > limite) {
        plat_.Mensaje("Ingrese un valor entero  entre 1 y " + TextoBlanco(limite) + " o '0' para Cancelar ", "",
                      icono);
        FijarVentana(caja, campo, 0);
        return false;
    }
    if (inicio && ValorInicial(S(inicio->text())) > v) {
        plat_.Mensaje(filas ? "Ingrese un valor entero  mayor que la Fila de Inicio, o '0' para Cancelar "
                            : "Ingrese un valor entero  mayor que la Columna de Inicio, o '0' para Cancelar ",
                      " Dato inconsistente", icono);
        FijarVentana(caja, campo, 0);
        return false;
    }
    campo = static_cast<int32_t>(RedondearEntero(v));
    return true;
}

bool DialogoHerramienta::ReglaNombre(QLineEdit* caja, const std::string& propuesto) {
    if (herramientas::EsNombreSalida(S(caja->text()))) return true;
    plat_.Mensaje("El nombre del archivo debe terminar en '_dat.rkd'");
    if (!propuesto.empty()) caja->setText(Q(propuesto));
    return false;
}

void DialogoHerramienta::MostrarError(const Resultado& r, const std::string& titulo) {
    plat_.Mensaje(r.mensaje, titulo, Icono::Advertencia);
}

QString DialogoHerramienta::Numero(float v) { return Q(NumeroArchivo(v)); }
QString DialogoHerramienta::Numero(int32_t v) { return Q(NumeroArchivo(v)); }

void DialogoHerramienta::AgregarReglasVentana(herramientas::VentanaCeldas& v, QLineEdit* filaInicio,
                                              QLineEdit* colInicio, QLineEdit* filaFin, QLineEdit* colFin,
                                              bool finNoMenor, Icono icono) {
    const ImagenActual& img = fuente_.img;
    QLineEdit* desdeFila = finNoMenor ? filaInicio : nullptr;
    QLineEdit* desdeCol = finNoMenor ? colInicio : nullptr;
    validador_->Agregar(filaInicio, [this, &img, &v, filaInicio, icono] {
        return ReglaVentana(filaInicio, v.FilaInicio, img.NroFilas, nullptr, true, icono);
    });
    validador_->Agregar(filaFin, [this, &img, &v, filaFin, desdeFila, icono] {
        return ReglaVentana(filaFin, v.FilaFin, img.NroFilas, desdeFila, true, icono);
    });
    validador_->Agregar(colInicio, [this, &img, &v, colInicio, icono] {
        return ReglaVentana(colInicio, v.ColInicio, img.NroColumnas, nullptr, false, icono);
    });
    validador_->Agregar(colFin, [this, &img, &v, colFin, desdeCol, icono] {
        return ReglaVentana(colFin, v.ColFin, img.NroColumnas, desdeCol, false, icono);
    });
}

void DialogoHerramienta::AgregarFuente(QVBoxLayout* raiz, QLabel* lblArchivo, QPushButton* elegir,
                                       QGroupBox* tamano, QGroupBox* valores) {
    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel("Archivo:"));
    fila->addWidget(lblArchivo, 1);
    fila->addWidget(elegir);
    raiz->addLayout(fila);
    auto* marcos = new QHBoxLayout;
    marcos->addWidget(tamano);
    marcos->addWidget(valores);
    raiz->addLayout(marcos);
}

void DialogoHerramienta::AgregarBotones(QVBoxLayout* raiz, QPushButton* aceptar, QPushButton* cancelar) {
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    raiz->addLayout(botones);
}

QGroupBox* DialogoHerramienta::MarcoTamano(QLabel*& filas, QLabel*& columnas) {
    auto* marco = Marco("fraTamano", "Nro. de Filas y Columnas");
    filas = Etiqueta("lblRows", "0");
    columnas = Etiqueta("lblColumns", "0");
    auto* g = new QGridLayout(marco);
    g->addWidget(new QLabel("Filas:"), 0, 0);
    g->addWidget(filas, 0, 1);
    g->addWidget(new QLabel("Columnas:"), 1, 0);
    g->addWidget(columnas, 1, 1);
    return marco;
}

QGroupBox* DialogoHerramienta::MarcoValores(QLabel*& maximo, QLabel*& minimo) {
    auto* marco = Marco("fraValores", "Valores Máximos y mínimos");
    maximo = Etiqueta("lblMaximo");
    minimo = Etiqueta("lblMinimo");
    auto* g = new QGridLayout(marco);
    g->addWidget(new QLabel("Máximo:"), 0, 0);
    g->addWidget(maximo, 0, 1);
    g->addWidget(new QLabel("Mínimo:"), 1, 0);
    g->addWidget(minimo, 1, 1);
    return marco;
}

QGroupBox* DialogoHerramienta::MarcoVentana(const QString& nombre, const QString& titulo, QLineEdit*& filaInicio,
                                            QLineEdit*& colInicio, QLineEdit*& filaFin, QLineEdit*& colFin) {
    auto* marco = Marco(nombre, titulo);
    filaInicio = Caja("txtFilaInicio", "0");
    colInicio = Caja("txtColInicio", "0");
    filaFin = Caja("txtFilaFin", "0");
    colFin = Caja("txtColFin", "0");
    auto* g = new QGridLayout(marco);
    g->addWidget(new QLabel("Desde Fila "), 0, 0);
    g->addWidget(filaInicio, 0, 1);
    g->addWidget(new QLabel("Columna"), 0, 2);
    g->addWidget(colInicio, 0, 3);
    g->addWidget(new QLabel("Hasta Fila"), 1, 0);
    g->addWidget(filaFin, 1, 1);
    g->addWidget(new QLabel("Columna"), 1, 2);
    g->addWidget(colFin, 1, 3);
    return marco;
}

}  // namespace tarno::ui
