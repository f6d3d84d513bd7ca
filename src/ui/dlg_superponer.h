// "Superponer / Operar dos imagenes": combines two images of the same size
// cell by cell with one of eight operations.
#pragma once

#include <array>

#include "tools/superponer.h"
#include "ui/dialogo_herramienta.h"

namespace tarno::ui {

class DlgSuperponerRASK : public DialogoHerramienta {
    Q_OBJECT
public:
    DlgSuperponerRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre = nullptr);

    void cmdRecortarRAK_Click();
    void cmdRecortarRAK2_Click();
    void OKButton_Click();

private:
    std::string Propuesto() const;
    herramientas::Operacion OperacionElegida() const;
    void MostrarImagen1();
    void MostrarImagen2();

    // Image 1 is the dialog's source; image 2 is held beside it. Each keeps
    // what was read for it, whatever the order they were chosen in.
    FuenteHerramienta imagen2_;
    std::string DirArchivo;
    std::string archivo1_;

    QLabel *lblArchivoRASK, *lblArchivoRASK2;
    QLabel *lblRows, *lblColumns, *lblMaximo, *lblMinimo;
    QLabel *lblRows2, *lblColumns2, *lblMaximo2, *lblMinimo2;
    std::array<QRadioButton*, 8> Option{};
    QLineEdit* txtExcepto;
    QLineEdit* lblArchivoRASKRec;
};

}  // namespace tarno::ui
