#include <QAction>
#include <QDialog>

#include "apoyo_dialogos.h"
#include "raster/archivos.h"
#include "ui/frm_main.h"

using namespace tarno;
using namespace tarno::prueba;

TEST(ConectarHerramientas, MenusAbrenUnSoloDialogoPorHerramientaYGuardanComo) {
    ui::EstadoApp estado;
    PlataformaFalsa plat;
    ui::FrmMain0 ventana(estado, plat);
    const std::pair<const char*, const char*> dialogos[] = {{"mnuRecortarRASK", "dlgRecortaRASK"},
                                                             {"mnuClasificar", "dlgClasificaDatPixel"},
                                                             {"mnuModificaDatPixel", "dlgModificaDatPixel"},
                                                             {"mnuOperadorRASK", "dlgOperadorRASK"},
                                                             {"mnuSuperponer", "dlgSuperponerRASK"}};
    for (auto [item, dialogo] : dialogos) {
        ventana.Accion(item)->trigger();
        ventana.Accion(item)->trigger();
        const auto hallados = ventana.findChildren<QDialog*>(dialogo);
        ASSERT_EQ(hallados.size(), 1) << dialogo;
        EXPECT_TRUE(hallados[0]->isVisible());
        hallados[0]->close();
    }

    // Save as with no image open: the warning of the command.
    ventana.Accion("mnuFileSaveAs")->trigger();
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...");

    CarpetaTemporal tmp;
    GuardarImagen(tmp, "dem_dat.rkd", ImagenValores(2, 2, {1, 2, 3, 4}));
    ASSERT_TRUE(LeerIMG(tmp.Ruta("dem_dat.rkd"), "", estado.img));
    plat.entradas.push_back("copia");
    ventana.Accion("mnuFileSaveAs")->trigger();
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("copia_dat.rkd")));
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("copia_cab.rkd")));
}
