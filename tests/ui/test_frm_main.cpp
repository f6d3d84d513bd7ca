#include <gtest/gtest.h>

#include "support/plataforma_falsa.h"
#include "ui/frm_main.h"
#include "ui/plataforma_qt.h"

using namespace tarno;

TEST(VentanaPrincipal, AbreConSuNombre) {
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    ui::FrmMain0 ventana(estado, plat);
    ventana.show();
    EXPECT_EQ(ventana.objectName(), "frmMain0");
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_EQ(ventana.Accion("noExiste"), nullptr);
}

TEST(PlataformaQt, FiltrosDeDialogo) {
    EXPECT_EQ(ui::PlataformaQt::FiltroQt("Archivos Pp de TARNO-SIG (*_Pp.rkd)|*_Pp.rkd"),
              "Archivos Pp de TARNO-SIG (*_Pp.rkd) (*_Pp.rkd)");
    EXPECT_EQ(ui::PlataformaQt::FiltroQt("Imagen|*dat.rkd|Todos|*.*"), "Imagen (*dat.rkd);;Todos (*.*)");
}
