// Hooks by which each subsystem connects its menu commands to the main window.
#pragma once

#include <string>

namespace tarno::ui {

class FrmMain0;

void ConectarVisor(FrmMain0& ventana);         // viewer, palettes, zoom, areas
void ConectarHerramientas(FrmMain0& ventana);  // crop, classify, modify, operator, overlay, save as
void ConectarImportadores(FrmMain0& ventana);  // Idrisi, blank-separated text, 0-255
void ConectarDivisorias(FrmMain0& ventana);    // divide depuration

/// File-menu importer commands (file dialog, then the import).
void mnuImportarIdrisi_Click(FrmMain0& ventana);
void mnutxtBlanco_a_rkd_Click(FrmMain0& ventana);
void mnutxt0256_Click(FrmMain0& ventana);

/// Reads the image `nombreDat` into the current image and shows it in the viewer.
void MostrarImagen(FrmMain0& ventana, const std::string& nombreDat);

}  // namespace tarno::ui
