// "&Modificar valor de Pixel en RASK": forces a value into the cells of a
// window or into the cells whose value lies in a range, and writes the image
// under a new name.
#pragma once

#include "ui/dialogo_herramienta.h"

namespace tarno::ui {

class DlgModificaDatPixel : public DialogoHerramienta {
    Q_OBJECT
public:
    DlgModificaDatPixel(EstadoApp& estado, Plataforma& plataforma, QWidget* padre = nullptr);

    void cmdModificarArchivo_Click();
    void optPixelfc_Click();
    void optPixelVal_Click();
    void OKButton_Click();

private:
    std::string Propuesto() const;
    void MostrarDatos();
    bool ReglaValor(QLineEdit* caja, float& campo, const char* mensaje);

    herramientas::VentanaCeldas ventana_;
    float ValorInicio = 0, ValorFin = 0, ValorNuevo = 0;
    std::string DirArchivo;
    std::string ArchivoSalida;
    std::string archivoFuente_;

    QLabel* lblArchivoRASK;
    QLabel *lblRows, *lblColumns, *lblMaximo, *lblMinimo;
    QRadioButton *optPixelfc, *optPixelVal;
    QGroupBox *Frame1, *Frame2;
    QLineEdit *txtFilaInicio, *txtColInicio, *txtFilaFin, *txtColFin;
    QLineEdit *txtValorInicio, *txtValorFin, *txtValorPixel;
    QLineEdit* lblArchivoRASKMod;
};

}  // namespace tarno::ui
