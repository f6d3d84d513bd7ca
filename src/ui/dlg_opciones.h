// The options dialog `dlgOpciones`: the only editor of the model parameters.
//
// Its boxes are not the record: "Aplicar" copies the dialog into the record
// (`cmdAplicar_Click`) and `Reinicia_Variables` copies the record into the
// dialog. Most boxes also write their field when they are left: a box is
// validated when the focus moves from it to another control of the dialog;
// on failure a warning is shown, the focus stays in the box and its text is
// selected.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "model/campos.h"
#include "ui/validacion.h"
#include "model/tormenta.h"
#include "tools/suma_celdas.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tarno {
class Plataforma;
}  // namespace tarno

namespace tarno::ui {

class FrmMain0;

class DlgOpciones : public QDialog {
    Q_OBJECT
public:
    explicit DlgOpciones(FrmMain0& principal);

    void Reinicia_Variables();
    void cmdAplicar_Click();
    void OKButton_Click();
    void CancelButton_Click();
    void cmdCargaDEM_Click();
    void cmdCargaPpArchivo_Click();
    void cmdCargaUnKOLT_Click();
    void cmdSumarConsulta_Click();
    void cmdNumeroCurva_Click();
    /// "Generar tormenta de diseño...": asks the storm in a small dialog, then
    /// `GenerarYCargarTormenta`.
    void cmdGenerarTormenta_Click();
    /// Writes the storm `op` to `ruta` and loads it as the hyetograph (as
    /// "Cargar Archivo Pp" does). False, with a message, when it cannot.
    bool GenerarYCargarTormenta(const OpcionesTormenta& op, const std::string& ruta);

    // Click handlers of option and check boxes (also run by the fill).
    void opt_Metodo_Click(int i);
    void optAreaPp_Click(int i);
    void chkPpArchivo_Click();
    void chkDivResQM_Click();
    void chkDiv_Click();

    /// The control named `nombre` (object name), for tests and other windows.
    template <typename T>
    T* Control(const char* nombre) const { return findChild<T*>(nombre); }
    QTabWidget* Fichas() const { return fichas_; }
    const RasterConsulta& Consulta() const { return consulta_; }

private:
    // The four pages, each with its build, fill (record to boxes) and apply
    // (boxes to record, by apply step).
    QWidget* CrearConsulta();
    QWidget* CrearPaleta();
    QWidget* CrearVariables();
    QWidget* CrearParametros();
    QWidget* CrearExtensiones();
    void LlenarConsulta();
    void LlenarPaleta();
    void LlenarVariables();
    void LlenarParametros();
    void LlenarExtensiones();
    void AplicarConsulta();
    void AplicarPaleta();
    void AplicarVariables(int paso);
    void AplicarParametros(int paso);
    void AplicarExtensiones();

    /// What a box of the field table does besides its table rule: before the
    /// test, on failure (before the field is written) and at the end.
    struct Ganchos {
        std::function<void(QLineEdit*)> antes, alFallar, alFinal;
    };
    /// The box of field table entry `nombre` (box name): its test, warning,
    /// storage and double-click text come from the table.
    QLineEdit* CajaCampo(const char* nombre, QWidget* padre, Ganchos g = {});
    bool ValidarCampo(const Campo& k, QLineEdit* c, const Ganchos& g);
    QLineEdit* CajaDeCampo(const char* campo) const;
    /// Table boxes of a page: shown from the record / read back in step `paso`.
    void LlenarCajas(Pagina pagina);
    void AplicarCajas(Pagina pagina, int paso);
    /// A text box with a validate handler (true when valid) and an optional
    /// double-click text.
    QLineEdit* Caja(const char* nombre, QWidget* padre, std::function<bool(QLineEdit*)> validar,
                    std::function<void(QLineEdit*)> dobleClic = {});
    /// Shows a validation warning.
    void Aviso(const std::string& texto, const std::string& titulo = "");

    void MostrarSubarea();
    void HabilitarClases();
    void PintarMuestra(int i, bool fin);
    void RecalcularDesde();
    void ValidarHasta(int i);

    FrmMain0& principal_;
    Parametros& par_;
    Plataforma& plat_;
    QTabWidget* fichas_ = nullptr;

    ValidadorCajas* validador_;  // every box's check when it is left

    // Parámetros tab
    QLineEdit *txtPasoPp_, *txtPasoQ_, *txtnPer_, *txtResolucionX_, *txtResolucionY_, *txtKRecesion_;
    QLineEdit *txtfHidro1_, *txtcHidro1_, *txtfHidro2_, *txtcHidro2_;
    QLabel *lblDEM_, *lblDirDEM_;
    QCheckBox *chkDiv_, *chkDivResQM_;
    QRadioButton *optDivQmin_, *optDivQHmin_;
    QLineEdit *txtDivValor_, *txtDivQmin_, *txtDivHmin_, *txtDivValorRes_;
    // Extensiones tab
    QLabel* lblNumeroCurva_ = nullptr;
    // Variables y Métodos tab
    QRadioButton* opt_Metodo_[2];
    QRadioButton* optAreaPp_[2];
    QLineEdit *txtManning_, *txtFactorRes_, *txtPp_, *txtDur_;
    QComboBox* cmbRec_;
    QCheckBox* chkPpArchivo_;
    QLabel* lblPpArchivo_;
    QLineEdit *txtPx1_, *txtPx2_, *txtPy1_, *txtPy2_;
    // Paleta personalizada tab
    QLineEdit* txtNroClases_;
    std::array<QLabel*, 6> lblClase_{}, lbl_desdePixel_{}, lblColora_{}, lblColorb_{};
    std::array<QLineEdit*, 6> txt_hastaPixel_{}, txt_colorRa_{}, txt_colorGa_{}, txt_colorBa_{}, txt_colorRb_{},
        txt_colorGb_{}, txt_colorBb_{};
    // Consulta tab
    QLabel *lblUnKOLT_, *lblDirUnKOLT_, *lblSumaConsulta_;
    QLineEdit *txtfConsulta1_, *txtcConsulta1_, *txtfConsulta2_, *txtcConsulta2_;
    RasterConsulta consulta_;
};

}  // namespace tarno::ui
