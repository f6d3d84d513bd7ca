// The two small windows that accompany a run: the progress window `frmPp2`
// and the text board `frmPp` ("Pizarra de Variables y Salidas"), which also
// receives the hyetograph report and the viewer's segment values.
#pragma once

#include <QWidget>

#include "ui/estado_app.h"

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tarno::ui {

class FrmPp : public QWidget {
    Q_OBJECT
public:
    /// Loading the board sets `VerPizarra`; unloading clears it.
    explicit FrmPp(EstadoApp& estado, QWidget* parent = nullptr);
    ~FrmPp() override;

    /// Puts `texto` into `Text1` (CR LF line ends accepted).
    void PonerTexto(const QString& texto);
    QString Texto() const;

    QPlainTextEdit* Text1() const { return text1_; }
    QPushButton* CmdCerrar() const { return cerrar_; }
    QPushButton* CmdImprimir() const { return imprimir_; }

signals:
    /// The board was unloaded (closed).
    void Descargada();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    EstadoApp& estado_;
    QPlainTextEdit* text1_;
    QPushButton* cerrar_;
    QPushButton* imprimir_;
    bool avisado_ = false;
};

class FrmPp2 : public QWidget {
    Q_OBJECT
public:
    explicit FrmPp2(QWidget* parent = nullptr);

    QPushButton* CmdMiTime() const { return miTime_; }
    QPushButton* CmdTrestante() const { return trestante_; }
    QProgressBar* ProgressBar1() const { return barra_; }

    /// Start of a run: caption, hourglass, visible bar, `cmdTrestante` empty,
    /// `cmdMiTime` = `tiempo`.
    void Iniciar(const QString& titulo, const QString& tiempo);
    /// Progress of the run: bar value, period and elapsed-time captions.
    void Avanzar(int avance, const QString& periodo, const QString& tiempo);
    /// End of a run: cleared, pointer restored, bar hidden.
    void Terminar();
    /// Paints pending changes now (the run holds the event loop).
    void Refrescar();

private:
    QPushButton* miTime_;
    QPushButton* trestante_;
    QProgressBar* barra_;
};

}  // namespace tarno::ui
