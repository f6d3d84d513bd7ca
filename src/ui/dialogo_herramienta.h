// Common ground of the raster tool dialogs: the shared state and platform,
// control factories named after the controls, box validation, placing the
// dialog at the main window's corner, choosing and reading a source image,
// and the window-of-cells box rule used by crop, modify and operator.
//
// Each dialog works on its own copy of the images it read: what another
// window loads into the current image never reaches it. Before it writes, a
// dialog checks that the files it read are still what it holds.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "base/plataforma.h"
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

/// An image a tool dialog read and keeps as its own, with the fingerprint of
/// its files when they were read.
struct FuenteHerramienta {
    std::string ruta;
    ImagenActual img;
    uint64_t huella = 0;
};

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

    /// Opens the file dialog and reads the chosen image into `fuente`; the
    /// current image then holds it too. False when the user cancels or the
    /// image cannot be read (the error is shown; `fuente` is unchanged).
    /// `carpeta` is the folder of the chosen path with the separator and
    /// `archivo` its file name.
    bool ElegirImagen(const std::string& titulo, FuenteHerramienta& fuente, std::string& carpeta,
                      std::string& archivo);
    /// The source of crop, modify, classify and operator.
    bool ElegirImagen(const std::string& titulo, std::string& carpeta, std::string& archivo) {
        return ElegirImagen(titulo, fuente_, carpeta, archivo);
    }

    /// True when the files of `fuente` are still those it was read from.
    /// When they changed, the image is read again (the current image holds
    /// it too), `mostrar` puts its data in the dialog's labels, the user is
    /// told and the answer is false: the write waits for a new command. False
    /// as well, with the error shown, when it can no longer be read.
    bool FuenteAlDia(FuenteHerramienta& fuente, const std::function<void()>& mostrar, const std::string& titulo);

    /// Puts the path, size and value range of `img` in the labels.
    static void MostrarFuente(const FuenteHerramienta& fuente, QLabel* ruta, QLabel* filas, QLabel* columnas,
                              QLabel* maximo, QLabel* minimo);

    /// Makes the current image hold the dialog's source with the header
    /// `cab` (title and subtitle stay the source's): what crop and operator
    /// leave behind. The dialog's own copy is given away.
    void DejarFuenteConCabecera(const CabeceraImagen& cab);

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
    FuenteHerramienta fuente_;  // the source image, as the dialog read it
};

}  // namespace tarno::ui
