#include <gtest/gtest.h>

#include <filesystem>

#include "gis/exportar_sig.h"
#include "gis/importar_sig.h"
#include "gis/menu_sig.h"
#include "gis/rasters_gdal.h"
#include "raster/archivos.h"
#include "comandos/guardar_como.h"
#include "raster/imagen.h"
#include "raster/prj.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "comandos/agregada.h"
#include "tools/comun.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::PlataformaFalsa;

namespace {

const char* const kPrj = "PROJCS[\"ETRS_1989_UTM_Zone_30N\",GEOGCS[\"GCS_ETRS_1989\",DATUM[\"D_ETRS_1989\","
                         "SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],"
                         "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
                         "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
                         "PARAMETER[\"Central_Meridian\",-3.0],PARAMETER[\"Scale_Factor\",0.9996],"
                         "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

// A 2 x 3 image with the given values, row by row.
void Imagen(const CarpetaTemporal& tmp, const std::string& nombreDat, const std::vector<float>& v) {
    CabeceraImagen cab;
    cab.NroFilas = 2;
    cab.NroColumnas = 3;
    cab.XMinimo = 400000;
    cab.XMaximo = 400030;
    cab.YMinimo = 4000000;
    cab.YMaximo = 4000020;
    cab.ResolucionX = cab.ResolucionY = 10;
    Grilla<float> g(2, 3);
    for (int k = 0; k < 6; ++k) g(k / 3 + 1, k % 3 + 1) = v[static_cast<size_t>(k)];
    Extremos(g, cab.DatoMenor, cab.DatoMayor);
    ASSERT_TRUE(EscribirImagen(tmp.Ruta(nombreDat), cab, g));
}

}  // namespace

TEST(OrigenDeImagen, ReglaDeNombres) {
    const std::pair<const char*, const char*> casos[] = {
        {"/d/cuenca_HM_dat.rkd", "/d/cuenca_dat.rkd"},   {"/d/cuenca_HF_dat.rkd", "/d/cuenca_dat.rkd"},
        {"/d/cuenca_QM_dat.rkd", "/d/cuenca_dat.rkd"},   {"/d/cuenca_QD_dat.rkd", "/d/cuenca_dat.rkd"},
        {"/d/cuenca_QDD_dat.rkd", "/d/cuenca_dat.rkd"},  {"/d/cuenca_HMR_dat.rkd", "/d/cuenca_dat.rkd"},
        {"/d/cuenca_QM_C_dat.rkd", "/d/cuenca_dat.rkd"}, {"/d/cuenca_HMSO_dat.rkd", "/d/cuenca_dat.rkd"},
        {"/d/cuenca_dat.rkd", "/d/cuenca_dat.rkd"},      {"/d/cuencaR_dat.rkd", "/d/cuencaR_dat.rkd"},
        {"/d/SRTM_dat.rkd", "/d/SRTM_dat.rkd"},          {"/d/cuenca_C_dat.rkd", "/d/cuenca_C_dat.rkd"},
    };
    for (auto [imagen, mdt] : casos) {
        bool derivada = true;
        EXPECT_EQ(gis::MdtDeOrigen(imagen, derivada), mdt) << imagen;
        EXPECT_EQ(derivada, std::string(imagen) != mdt) << imagen;
    }
}

// The .prj follows an image through the tools and save-as; a source without
// one writes none and leaves no stale one behind.
TEST(SistemaDeCoordenadas, SigueALaImagen) {
    CarpetaTemporal tmp;
    Imagen(tmp, "mdt_dat.rkd", {1, 2, 3, 4, 5, 6});
    tmp.Escribir("mdt.prj", kPrj);
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("mdt_dat.rkd"), "", img));

    ASSERT_TRUE(herramientas::EscribirSalida(tmp.Ruta("mdtR_dat.rkd"), img, img.Valores, nullptr, "",
                                             tmp.Ruta("mdt_dat.rkd")));
    EXPECT_EQ(tmp.Leer("mdtR.prj"), kPrj);
    PlataformaFalsa plat;
    plat.entradas.push_back("copia");
    ASSERT_TRUE(mnuFileSaveAs_Click(img, plat));
    EXPECT_EQ(tmp.Leer("copia.prj"), kPrj);
    ASSERT_FALSE(CrearImagenAgregada(img, plat).empty());
    EXPECT_EQ(tmp.Leer("mdt_Ag.prj"), kPrj);

    // A source without a coordinate system: no .prj, and the stale one goes.
    Imagen(tmp, "otro_dat.rkd", {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(herramientas::EscribirSalida(tmp.Ruta("mdtR_dat.rkd"), img, img.Valores, nullptr, "",
                                             tmp.Ruta("otro_dat.rkd")));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("mdtR.prj")));
    ASSERT_TRUE(herramientas::EscribirSalida(tmp.Ruta("sin_dat.rkd"), img, img.Valores));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("sin.prj")));
    EXPECT_TRUE(SeguirPrj(tmp.Ruta("mdt_dat.rkd"), tmp.Ruta("mdt_dat.rkd")));
    EXPECT_EQ(tmp.Leer("mdt.prj"), kPrj);
}

// The NoData of an export: the image's own cells <= 0 for a DEM, its DEM's
// for a result, none with --sin-nodata or when the DEM is of another size;
// a basin cell holding -9999 moves NoData to the lowest 32-bit value.
TEST(ExportarSig, CeldasNoDataSegunElMdt) {
    CarpetaTemporal tmp;
    Imagen(tmp, "c_dat.rkd", {0, 5, 6, -1, 7, 8});
    Imagen(tmp, "c_HM_dat.rkd", {0.5f, 0, -9999, 0, 0.25f, 1});
    tmp.Escribir("c.prj", kPrj);
    struct Caso {
        std::string imagen;
        gis::OpcionesExportarSig op;
        std::vector<bool> nodata;
        bool avisa;
    };
    gis::OpcionesExportarSig sin;
    sin.sinNoData = true;
    const Caso casos[] = {
        {"c_dat.rkd", {}, {true, false, false, true, false, false}, false},
        {"c_HM_dat.rkd", {}, {true, false, false, true, false, false}, false},
        {"c_HM_dat.rkd", sin, {false, false, false, false, false, false}, false},
    };
    for (const Caso& c : casos) {
        gis::InformeExportacion inf;
        ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta(c.imagen), tmp.Ruta("x.tif"), c.op, &inf));
        EXPECT_EQ(inf.prj, tmp.Ruta("c.prj"));
        OGRSpatialReference srs;
        auto r = prueba::LeerRasterGdal(tmp.Ruta("x.tif"), srs);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->noData.has_value(), !c.op.sinNoData);
        const char* codigo = srs.GetAuthorityCode(nullptr);
        EXPECT_STREQ(codigo ? codigo : "", "25830");  // the .prj's system found by its code
        for (size_t k = 0; k < 6; ++k)
            EXPECT_EQ(r->noData && r->valores[k] == static_cast<float>(*r->noData), c.nodata[k]) << c.imagen << k;
    }
    // -9999 inside the basin: kept as a value.
    gis::InformeExportacion inf;
    ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta("c_HM_dat.rkd"), tmp.Ruta("x.tif"), {}, &inf));
    EXPECT_EQ(inf.noData, std::numeric_limits<float>::lowest());
    // A DEM of another size marks nothing and says so.
    ImagenActual grande;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("c_dat.rkd"), "", grande));
    grande.NroColumnas = 2;
    Grilla<float> g(2, 2, 1.0f);
    ASSERT_TRUE(EscribirImagen(tmp.Ruta("c_dat.rkd"), grande, g));
    ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta("c_HM_dat.rkd"), tmp.Ruta("x.tif"), {}, &inf));
    EXPECT_FALSE(inf.conNoData);
    EXPECT_NE(inf.aviso.find("no tiene el tamaño de la imagen"), std::string::npos) << inf.aviso;
    // Any GDAL writer by name; its own companion files follow the rename.
    gis::OpcionesExportarSig asc;
    asc.formato = "AAIGrid";
    ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta("c_HM_dat.rkd"), tmp.Ruta("hm.asc"), asc));
    EXPECT_NE(tmp.Leer("hm.asc").find("ncols        3"), std::string::npos);
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("hm.prj")));
    for (const auto& e : std::filesystem::directory_iterator(tmp.Carpeta()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST(ImportarAscSig, ConvierteConSinDatoYResolucion) {
    CarpetaTemporal tmp;
    tmp.Escribir("g.asc",
                 "NCOLS 3\nnrows 2\nxllcenter 5\nyllcenter 5\ncellsize 10\nNODATA_value 0\n1 0 3\n4.5 5 6\n");
    ASSERT_TRUE(gis::ImportarAscSig(tmp.Ruta("g.asc"), tmp.Ruta("g_dat.rkd"), 71.0, {}, "Mi MDT"));
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("g_dat.rkd"), "", img));
    EXPECT_EQ(img.Titulo, "Mi MDT");
    EXPECT_EQ(img.NroFilas, 2);
    EXPECT_EQ(img.NroColumnas, 3);
    EXPECT_EQ(img.Valores(1, 2), 0.0f);  // NODATA: outside the basin
    EXPECT_EQ(img.Valores(2, 1), 4.5f);
    EXPECT_EQ(img.DatoMenor, 0.0f);
    EXPECT_EQ(img.DatoMayor, 6.0f);
    EXPECT_EQ(img.ResolucionX, 71.0);
    EXPECT_EQ(img.ResolucionY, 10.0);
    EXPECT_EQ(img.XMinimo, 0.0);
    tmp.Escribir("corto.asc", "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3\n");
    EXPECT_FALSE(gis::ImportarAscSig(tmp.Ruta("corto.asc"), tmp.Ruta("c_dat.rkd"), {}, {}, {}));
    EXPECT_FALSE(ExisteArchivo(tmp.Ruta("c_dat.rkd")));
}

// Numbers no image can hold, and a header far larger than its data, are
// refused with the file's name before anything is written or allocated.
TEST(ImportarAscSig, FueraDeRangoYDatosDemasiadoCortos) {
    CarpetaTemporal tmp;
    const std::string cab = "ncols 2\nnrows 1\nyllcorner 0\ncellsize 1\n";
    for (const std::string& asc : {cab + "xllcorner 0\n1 1e39\n", cab + "xllcorner 3e396\n1 2\n",
                                   cab + "xllcorner 0\n1 -1e400\n", std::string("ncols 2\nnrows 1\nyllcorner 0\nxllcorner 1e308\ncellsize 1e308\n1 2\n"),
                                   std::string("ncols 40000\nnrows 40000\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n")}) {
        tmp.Escribir("m.asc", asc);
        Resultado r = gis::ImportarAscSig(tmp.Ruta("m.asc"), tmp.Ruta("m_dat.rkd"), {}, {}, {});
        EXPECT_FALSE(r) << asc;
        EXPECT_NE(r.mensaje.find("m.asc"), std::string::npos) << r.mensaje;
        EXPECT_FALSE(ExisteArchivo(tmp.Ruta("m_dat.rkd")));
    }
    tmp.Escribir("m.asc", cab + "xllcorner 0\n3.4028235e38 -3.4e38\n");
    ASSERT_TRUE(gis::ImportarAscSig(tmp.Ruta("m.asc"), tmp.Ruta("m_dat.rkd"), {}, {}, {}));
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("m_dat.rkd"), "", img));
    EXPECT_EQ(img.Valores(1, 1), 3.402823e38f);  // the largest value, in 7 digits
}

// NODATA cells become 0; degrees without a coordinate system are pointed out.
TEST(ImportarAscSig, SinDatoYGrados) {
    CarpetaTemporal tmp;
    tmp.Escribir("g.asc", "ncols 3\nnrows 2\nxllcorner 361015.59563119\nyllcorner 70223.434086869\n"
                          "cellsize 10\nNODATA_value -9999\n1 2.5 3.125\n4 5 0.1\n");
    // NODATA cells become 0, outside the basin.
    tmp.Escribir("n.asc", "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n-9999 4\n");
    ASSERT_TRUE(gis::ImportarAscSig(tmp.Ruta("n.asc"), tmp.Ruta("n_dat.rkd"), {}, {}, {}));
    EXPECT_EQ(tmp.Leer("n_dat.rkd"), "0\r\n4\r\n");
    // Through `import`, degrees without a coordinate system are pointed out.
    tmp.Escribir("s.asc", "ncols 2\nnrows 1\nxllcorner -105.8\nyllcorner 39.8\ncellsize 0.000833333333\n1 2\n");
    std::string aviso;
    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("s.asc"), tmp.Ruta("s_dat.rkd"), {}, &aviso));
    EXPECT_NE(aviso.find("parecen grados"), std::string::npos) << aviso;
    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("g.asc"), tmp.Ruta("s_dat.rkd"), {}, &aviso));
    EXPECT_EQ(aviso, "");
}

// The two menu commands, over the platform interface.
TEST(MenusSig, ImportarYExportar) {
    CarpetaTemporal tmp;
    const double tres = 1.0 / 1200.0;
    prueba::RasterGdal r;
    r.filas = r.columnas = 4;
    const double gt[6] = {-3.5, tres, 0, 40.2, 0, -tres};
    std::copy(gt, gt + 6, r.gt);
    r.srs = "EPSG:4258";
    r.bandas = 2;
    r.valores.assign(16, 700.0f);
    prueba::EscribirRasterGdal(tmp.Ruta("mdt-2.tif"), r);

    PlataformaFalsa plat;
    plat.archivos.push_back(tmp.Ruta("mdt-2.tif"));
    plat.entradas = {"2"};              // band 2, then the proposed name
    plat.respuestas = {Respuesta::No};  // keep the degrees
    const std::string nuevo = gis::mnuImportarSIG_Click(plat);
    EXPECT_EQ(nuevo, tmp.Ruta("mdt2_dat.rkd"));
    ASSERT_EQ(plat.mensajes.size(), 1u);
    EXPECT_NE(plat.mensajes[0].texto.find("UTM zona 30 norte"), std::string::npos) << plat.mensajes[0].texto;
    EXPECT_EQ(plat.porDefectoEntrada, (std::vector<std::string>{"1", "mdt2"}));
    ImagenActual img;
    ASSERT_TRUE(LeerIMG(nuevo, "", img));
    EXPECT_DOUBLE_EQ(img.XMinimo, -3.5);  // kept in degrees

    // Refusing to replace it writes nothing; a bad name is refused.
    plat.archivos = {tmp.Ruta("mdt-2.tif"), tmp.Ruta("mdt-2.tif")};
    plat.entradas = {"1", "mdt2", "1", "mal_nombre"};
    plat.respuestas = {Respuesta::Si, Respuesta::No};
    EXPECT_EQ(gis::mnuImportarSIG_Click(plat), "");
    EXPECT_EQ(plat.Ultimo().titulo, gis::kTituloImportarSig);
    EXPECT_EQ(gis::mnuImportarSIG_Click(plat), "");
    EXPECT_EQ(plat.Ultimo().titulo, "Nombre de Proyecto inválido!!");

    plat.mensajes.clear();
    EXPECT_FALSE(gis::mnuExportarSIG_Click(ImagenActual(), plat));
    EXPECT_EQ(plat.Ultimo().texto, "ADVERTENCIA: Debe abrirse previamente una imagen TARNO-SIG...");
    EXPECT_TRUE(gis::mnuExportarSIG_Click(img, plat));
    EXPECT_EQ(plat.porDefectoEntrada.back(), tmp.Ruta("mdt2.tif"));
    EXPECT_EQ(plat.Ultimo().icono, Icono::Informacion);
    EXPECT_TRUE(ExisteArchivo(tmp.Ruta("mdt2.tif")));
}
