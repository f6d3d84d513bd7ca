// The commands each part of the program hands the main window.
//
// A part gives a table of commands: the menu item's object name, its caption,
// the menu it goes in and its handler. The main window makes one action per
// row, places it (frm_main.cpp lists the order of each menu's items) and
// connects the handler once. A new command is a new row in its part's table.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace tarno::ui {

class FrmMain0;

/// The menus of the main window. `Barra` is the menu bar itself (commands
/// placed directly in it).
enum class Menu { Barra, Archivo, Ver, Paleta, Zoom, Simulador, Modificar, Ayuda };

struct Comando {
    QString nombre;                // object name of the item
    QString texto;                 // caption
    Menu menu;                     // the menu it goes in
    std::function<void()> accion;  // the handler (none: the item does nothing)
    bool marcable = false;         // the item carries a check mark its handler keeps
    /// When given, the item carries a check mark showing this state, at the
    /// start and after every run of the handler.
    std::function<bool()> marca = {};
};
using TablaComandos = std::vector<Comando>;

TablaComandos ComandosVisor(FrmMain0& ventana);         // redraw, restore, aggregated image, areas, switches
TablaComandos ComandosHerramientas(FrmMain0& ventana);  // crop, classify, modify, operator, overlay, save as
TablaComandos ComandosImportadores(FrmMain0& ventana);  // Idrisi, blank-separated text, 0-255
TablaComandos ComandosDivisorias(FrmMain0& ventana);    // divide depuration
TablaComandos ComandosCorrida(FrmMain0& ventana);       // the model run

/// File-menu importer commands (file dialog, then the import).
void mnuImportarIdrisi_Click(FrmMain0& ventana);
void mnutxtBlanco_a_rkd_Click(FrmMain0& ventana);
void mnutxt0256_Click(FrmMain0& ventana);

/// Reads the image `nombreDat` into the current image and shows it in the viewer.
void MostrarImagen(FrmMain0& ventana, const std::string& nombreDat);

}  // namespace tarno::ui
