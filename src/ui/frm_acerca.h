// The splash window shown at start-up and the about box.
#pragma once

#include <QDialog>
#include <QWidget>

#include "base/plataforma.h"

namespace tarno::ui {

/// "major.minor.revision" of the program.
QString VersionPrograma();

class FrmInicio : public QWidget {
    Q_OBJECT
public:
    explicit FrmInicio(QWidget* parent = nullptr);
};

/// Shows the splash window for `segundos` seconds by the platform clock while
/// window events are processed, then closes it.
void MostrarInicio(Plataforma& plataforma, double segundos = 2.0);

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    FrmAbout(Plataforma& plataforma, QWidget* parent = nullptr);

    /// "Info. del &sistema...": no system-information program on this platform.
    void cmdSysInfo_Click();

private:
    Plataforma& plataforma_;
};

}  // namespace tarno::ui
