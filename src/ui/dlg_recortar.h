// "Recortar Imagen RASK": writes a window of rows and columns of an image as
// a new image beside it.
#pragma once

#include "ui/dialogo_herramienta.h"

namespace tarno::ui {

class DlgRecortaRASK : public DialogoHerramienta {
    Q_OBJECT
public:
    DlgRecortaRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre = nullptr);

    void cmdRecortarRAK_Click();
    void OKButton_Click();

private:
    std::string Propuesto() const;
    void MostrarDatos();

    herramientas::VentanaCeldas ventana_;
    std::string DirArchivo;
    std::string ArchivoSalida;
    std::string archivoFuente_;  // file name of the source, without folder

    QLabel* lblArchivoRASK;
    QLabel *lblRows, *lblColumns, *lblMaximo, *lblMinimo;
    QLineEdit *txtFilaInicio, *txtColInicio, *txtFilaFin, *txtColFin;
    QLineEdit* lblArchivoRASKRec;
};

}  // namespace tarno::ui
