#include <gtest/gtest.h>

#include <QAction>

#include "raster/archivos.h"
#include "raster/imagen.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/frm_main.h"

using namespace tarno;

namespace {

void Imagen(const prueba::CarpetaTemporal& tmp, const std::string& base, const std::vector<float>& v) {
    CabeceraImagen cab;
    cab.Titulo = "P";
    cab.Subtitulo = base;
    cab.NroFilas = 1;
    cab.NroColumnas = static_cast<int32_t>(v.size());
    cab.ResolucionX = cab.ResolucionY = 10;
    Grilla<float> g(1, cab.NroColumnas);
    for (int c = 1; c <= cab.NroColumnas; ++c) g(1, c) = v[static_cast<size_t>(c - 1)];
    ASSERT_TRUE(EscribirImagen(tmp.Ruta(base + "_dat.rkd"), cab, g));
}

}  // namespace

TEST(DepurarDivisoriasMenu, PideLosDosArchivosYGraba) {
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    ui::FrmMain0 ventana(estado, plat);
    QAction* a = ventana.Accion("mnuDepurarDivisorias");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isEnabled());

    a->trigger();  // cancelled at the first dialog
    ASSERT_EQ(plat.titulosDialogo.size(), 1u);
    EXPECT_EQ(plat.filtrosDialogo[0], "Archivos TARNO-SIG (*QD_cab.rkd)|*QD_cab.rkd");

    prueba::CarpetaTemporal tmp;
    Imagen(tmp, "rio_QD", {5, 0, 0, 5});
    Imagen(tmp, "rio", {10, 11, 12, 9});
    Imagen(tmp, "rio_QM", {1, 2, 3, 4});
    plat.archivos = {tmp.Ruta("rio_QD_cab.rkd"), tmp.Ruta("rio_dat.rkd")};
    a->trigger();
    EXPECT_TRUE(plat.mensajes.empty());
    EXPECT_EQ(estado.par.ArchivoDEM, "rio_dat.rkd");
    EXPECT_EQ(tmp.Leer("rio_QDD_dat.rkd"), "1\r\n2\r\n0\r\n4\r\n");
    EXPECT_EQ(estado.img.Subtitulo, "rio_QM");
}
