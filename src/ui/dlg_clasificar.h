// "Clasificar ": turns an image into the numbers of the value intervals its
// cells fall in, with the class-name list beside it.
#pragma once

#include "tools/clasificar.h"
#include "ui/dialogo_herramienta.h"

class QTableWidget;

namespace tarno::ui {

class DlgClasificaDatPixel : public DialogoHerramienta {
    Q_OBJECT
public:
    DlgClasificaDatPixel(EstadoApp& estado, Plataforma& plataforma, QWidget* padre = nullptr);

    void cmdModificarArchivo_Click();
    void opt1_Click();
    void opt2_Click();
    void opt3_Click();
    void cmdAgregaFila_Click();
    void cmdBorrar_Click();
    void OKButton_Click();

    const herramientas::Clases& ClasesActuales() const { return clases_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool ReglaNroIntervalos();
    void MostrarDatos();
    bool ReglaAmplitud();
    void AplicarNroClases(int16_t n);
    void MostrarFila(int k);
    void MostrarTabla();
    void SalirCelda(int fila, int columna);
    void Encadenar();
    float DesdePrimera() const;
    QString TextoCelda(int fila, int columna) const;
    void FijarCelda(int fila, int columna, const QString& texto);
    bool TeclaTabla(int tecla, const QString& texto);

    herramientas::Clases clases_;
    std::string carpeta_;
    float menor_ = 0, mayor_ = 0;  // value range of the source
    bool pendiente_ = false;       // a cell is being typed into
    int filaPendiente_ = -1, colPendiente_ = -1;

    QRadioButton *opt1, *opt2, *opt3;
    QLineEdit *txtNroIntervalos, *txtAmplitud;
    QTableWidget* MSFlexGrid1;
    QPushButton *cmdAgregaFila, *cmdBorrar;
    QLineEdit* lblArchivoRASKMod;
    QLabel* lblArchivoRASK;
    QLabel *lblRows, *lblColumns, *lblMaximo, *lblMinimo;
};

}  // namespace tarno::ui
