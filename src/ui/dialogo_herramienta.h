// Common ground of the raster tool dialogs: the shared state and platform,
// control factories named after the controls, box validation, placing the
// dialog at the main window's corner, choosing and reading a source image,
// and the window-of-cells box rule used by crop, modify and operator.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "raster/plataforma.h"
#include "tools/comun.h"
#include "ui/estado_app.h"
#include "ui/validacion.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;
class QVBoxLayout;
class QRadioButton;

namespace tarno::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

class DialogoHerramienta : public QDialog {
    Q_OBJECT
public:
    DialogoHerramienta(EstadoApp& estado, Plataforma& plataforma, QWidget* padre, const QString& nombre,
                       const QString& titulo);

protected:
    QLabel* Etiqueta(const QString& nombre, const QString& texto = {});
    QLineEdit* Caja(const QString& nombre, const QString& texto = {});
    QPushButton* Boton(const QString& nombre, const QString& texto, const QString& ayuda = {});
    QGroupBox* Marco(const QString& nombre, const QString& titulo);
    QRadioButton* Opcion(const QString& nombre, const QString& texto);

    /// Frame "Nro. de Filas y Columnas" with the labels `lblRows` and `lblColumns`.
    QGroupBox* MarcoTamano(QLabel*& filas, QLabel*& columnas);
    /// Frame "Valores Máximos y mínimos" with `lblMaximo` and `lblMinimo`.
    QGroupBox* MarcoValores(QLabel*& maximo, QLabel*& minimo);
    /// Frame of a window of rows and columns: the four boxes `txtFilaInicio`,
    /// `txtColInicio`, `txtFilaFin` and `txtColFin`, all "0".
    QGroupBox* MarcoVentana(const QString& nombre, const QString& titulo, QLineEdit*& filaInicio,
                            QLineEdit*& colInicio, QLineEdit*& filaFin, QLineEdit*& colFin);

    /// Opens the file dialog and reads the chosen image into the current
    /// image. False when the user cancels or the image cannot be read (the
    /// error is shown). `ruta` is the chosen path, `carpeta` its folder with
    /// the separator and `archivo` its file name.
    bool ElegirImagen(const std::string& titulo, std::string& ruta, std::string& carpeta,
                      std::string& archivo);

    /// Makes sure the current image still holds the source `ruta` as read
    /// (another tool may have replaced or reshaped it since); reads it again
    /// when not. False, with the error shown, when it cannot be read.
    bool AsegurarFuente(const std::string& ruta);

    /// Rule of a window box ("Desde Fila", "Hasta Columna", ...): "0" clears
    /// the field; otherwise 1 <= value <= limite, and for an end box (with its
    /// start box `inicio`) not below the start. On failure the box becomes
    /// "0", the field 0, and the rule refuses.
    bool ReglaVentana(QLineEdit* caja, int32_t& campo, int32_t limite, QLineEdit* inicio, bool filas,
                      Icono icono);

    /// Adds to `raiz` the source row ("Archivo:", the path label `lblArchivo`,
    /// the choose button) and the row of the size and value frames.
    static void AgregarFuente(QVBoxLayout* raiz, QLabel* lblArchivo, QPushButton* elegir, QGroupBox* tamano,
                              QGroupBox* valores);
    /// Adds to `raiz` the command buttons, aligned right.
    static void AgregarBotones(QVBoxLayout* raiz, QPushButton* aceptar, QPushButton* cancelar);

    /// Registers the rules of the four window boxes, writing `ventana`. With
    /// `finNoMenor` an end box may not stand below its start box.
    void AgregarReglasVentana(herramientas::VentanaCeldas& ventana, QLineEdit* filaInicio, QLineEdit* colInicio,
                              QLineEdit* filaFin, QLineEdit* colFin, bool finNoMenor, Icono icono);

    /// Sets a window box and its field together.
    static void FijarVentana(QLineEdit* caja, int32_t& campo, int32_t valor);

    /// Rule of the new-name box: the name must end in "_dat.rkd" or
    /// "_dat.RKD"; when `propuesto` is not empty a refused name is replaced by it.
    bool ReglaNombre(QLineEdit* caja, const std::string& propuesto);

    /// Shows an error of a write and keeps the dialog open.
    void MostrarError(const Resultado& r, const std::string& titulo);

    static QString Numero(float v);
    static QString Numero(int32_t v);

    EstadoApp& estado_;
    Plataforma& plat_;
    ValidadorCajas* validador_;
};

}  // namespace tarno::ui
