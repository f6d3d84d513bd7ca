#include <gtest/gtest.h>

#include "ui/frm_main.h"

TEST(VentanaPrincipal, AbreConSuNombre) {
    tarno::ui::FrmMain0 ventana;
    ventana.show();
    EXPECT_EQ(ventana.objectName(), "frmMain0");
    EXPECT_TRUE(ventana.isVisible());
}
