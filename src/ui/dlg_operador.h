// "Operador en IMG RASK": z' = a1 + a2 z^a3 + a4 z^a5 + a6^(a7 z) over a
// window of an image, written as a new image of the window.
#pragma once

#include <array>

#include "tools/operador.h"
#include "ui/dialogo_herramienta.h"

namespace tarno::ui {

class DlgOperadorRASK : public DialogoHerramienta {
    Q_OBJECT
public:
    DlgOperadorRASK(EstadoApp& estado, Plataforma& plataforma, QWidget* padre = nullptr);

    void cmdRecortarRAK_Click();
    void OKButton_Click();

    const herramientas::Coeficientes& Coef() const { return a_; }

private:
    bool ReglaCoeficiente(int i);
    void MostrarDatos();

    herramientas::Coeficientes a_{};
    herramientas::VentanaCeldas ventana_;
    std::string carpeta_;
    std::string archivoFuente_;

    QLabel* lblArchivoRASK;
    QLabel *lblRows, *lblColumns, *lblMaximo, *lblMinimo;
    QLineEdit *txtFilaInicio, *txtColInicio, *txtFilaFin, *txtColFin;
    std::array<QLineEdit*, 7> txta{};
    QLineEdit* lblArchivoRASKRec;
};

}  // namespace tarno::ui
