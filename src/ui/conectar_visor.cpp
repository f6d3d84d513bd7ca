#include "raster/imagen.h"
#include "ui/conexiones.h"
#include "ui/frm_main.h"

namespace tarno::ui {

void ConectarVisor(FrmMain0&) {}

void MostrarImagen(FrmMain0& ventana, const std::string& nombreDat) {
    Resultado r = LeerIMG(nombreDat, "", ventana.Estado().img);
    if (!r) ventana.Plat().Mensaje(r.mensaje, "", Icono::Advertencia);
}

}  // namespace tarno::ui
