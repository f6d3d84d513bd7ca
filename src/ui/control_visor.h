// The viewer commands of the main window: open and show an image, "Ver"
// (redraw), restore the whole image, the profile of a segment, the
// aggregated image and the area editor item.
#pragma once

#include <string>

namespace tarno::ui {

class FrmMain0;
class FrmVisorIMG;
class DlgChart1;

/// The viewer window when it is open, else nullptr.
FrmVisorIMG* VisorAbierto(FrmMain0& ventana);
/// The profile chart when it is open, else nullptr.
DlgChart1* ChartAbierto(FrmMain0& ventana);

/// Screen size in twips (15 per pixel), for placing windows.
void PantallaTwips(double& ancho, double& alto);
/// Screen size in pixels, which the cell size that fits an image divides.
void PantallaPixeles(double& ancho, double& alto);

/// Brings the zoom menu's check marks and buttons in line with `TamPixel`
/// through the zoom command of that size (nothing when it has none).
void miZoomAuto(FrmMain0& ventana);

/// "Ver" ("Refrescar imagen"): recreates the viewer and draws the current image.
void mnuReVer_Click(FrmMain0& ventana);
/// "Restaurar Imagen completa": back from a selection to the whole image.
void mnuRestaurarIMG_Click(FrmMain0& ventana);
/// "Crear RASK Agregada (vectorial)".
void mnuImgRASKAbstra_Click(FrmMain0& ventana);
/// "Editor Areas vectoriales": brings the viewer forward for an area image.
void mnuEdicionAreas_Click(FrmMain0& ventana);
/// "Perfil transversal": profile of the last segment (board text, marks, chart).
void mnuPerfilPixel_Click(FrmMain0& ventana);
/// Enables "Editor Areas vectoriales" while the viewer is open.
void MarcarVisorAbierto(FrmMain0& ventana, bool abierto);

}  // namespace tarno::ui
