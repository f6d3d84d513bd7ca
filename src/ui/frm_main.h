// The main window of TARNO-SIG.
//
// Subsystems attach their menu commands through the hooks of conexiones.h:
// each looks its actions up by the menu item's name (Accion("mnuFileSaveAs"))
// and connects them, so the window itself stays thin.
#pragma once

#include <QMainWindow>
#include <string>

#include "raster/plataforma.h"
#include "ui/estado_app.h"

class QAction;

namespace tarno::ui {

class FrmMain0 : public QMainWindow {
    Q_OBJECT
public:
    FrmMain0(EstadoApp& estado, Plataforma& plataforma, QWidget* parent = nullptr);

    EstadoApp& Estado() { return estado_; }
    Plataforma& Plat() { return plataforma_; }

    /// The action of the menu item or toolbar button named `nombre`
    /// (its object name), or nullptr when there is none.
    QAction* Accion(const QString& nombre) const;

    /// Opens a raster image and shows it in the viewer.
    void VerIMG(const std::string& nombreDat);

private:
    EstadoApp& estado_;
    Plataforma& plataforma_;
};

}  // namespace tarno::ui
