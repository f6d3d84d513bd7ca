#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "gis/exportar_sig.h"
#include "gis/importar_sig.h"
#include "gis/rasters_gdal.h"
#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "comandos/depurar_divisorias.h"
#include "raster/archivos.h"
#include "raster/prj.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;
using tarno::prueba::CarpetaTemporal;
using tarno::prueba::RasterGdal;

namespace {

// Equal to the 7 significant digits an image keeps.
void CasiIgual(double a, double b, const std::string& donde) {
    EXPECT_NEAR(a, b, std::max(1e-6, std::fabs(b) * 1e-6)) << donde;
}

std::set<std::string> Contenido(const std::string& carpeta) {
    std::set<std::string> s;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) s.insert(e.path().filename().string());
    return s;
}

// A north-up grid: a sloping surface with a ring of NoData cells around it.
RasterGdal Cuenca(int filas, int columnas, const double gt[6], const std::string& srs, double nd = -32768) {
    RasterGdal r;
    r.filas = filas;
    r.columnas = columnas;
    std::copy(gt, gt + 6, r.gt);
    r.srs = srs;
    r.noData = nd;
    r.valores.resize(static_cast<size_t>(filas * columnas));
    for (int f = 1; f <= filas; ++f)
        for (int c = 1; c <= columnas; ++c)
            r(f, c) = (f == 1 || c == 1 || f == filas || c == columnas)
                          ? static_cast<float>(nd)
                          : 1234.567f + 10.125f * static_cast<float>(f) - 0.3333f * static_cast<float>(c);
    return r;
}

struct Corrida {
    Parametros par;
    ImagenActual img;
    GrillasModelo g;
    Pluviograma pv;
    prueba::PlataformaFalsa plat;
    ObservadorCorrida obs;
    EstadoCorrida e;
};

FinCorrida Correr(const std::string& carpeta, const std::string& dem, Corrida& c) {
    c.par.DirDEM = carpeta;
    c.par.ArchivoDEM = dem;
    c.par.nPer = 5;
    c.par.KRecesion = 10;
    if (!DEMUtilizable(CargarDEM(c.par, c.img, c.g.Cota, c.plat))) return FinCorrida::Rechazada;
    EntornoCorrida en{c.par, c.img, c.g, c.pv, c.plat, c.obs, carpeta};
    return CorrerModelo(en, c.e);
}

}  // namespace

// Import then export of a projected grid gives the same raster back: size,
// georeference, coordinate system, NoData cells and values; metres from feet.
TEST(ImportarExportar, IdaYVueltaDeUnRasterProyectado) {
    struct Caso {
        std::string srs;
        double gt[6];
        double metrosPorUnidad;
    };
    const Caso casos[] = {
        {"EPSG:25830", {440000.5, 30, 0, 4470000.25, 0, -25}, 1.0},
        {"EPSG:2229", {6500000, 100, 0, 2000000, 0, -100}, 0.3048006096012192},  // US survey feet
    };
    for (const Caso& caso : casos) {
        CarpetaTemporal tmp;
        const RasterGdal original = Cuenca(5, 4, caso.gt, caso.srs);
        prueba::EscribirRasterGdal(tmp.Ruta("mdt.tif"), original);
        ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("mdt.tif"), tmp.Ruta("mdt_dat.rkd"), {})) << caso.srs;

        ImagenActual img;
        ASSERT_TRUE(LeerIMG(tmp.Ruta("mdt_dat.rkd"), "", img));
        EXPECT_EQ(img.NroFilas, 5);
        EXPECT_EQ(img.NroColumnas, 4);
        EXPECT_DOUBLE_EQ(img.XMinimo, caso.gt[0]);
        EXPECT_DOUBLE_EQ(img.XMaximo, caso.gt[0] + 4 * caso.gt[1]);
        EXPECT_DOUBLE_EQ(img.YMaximo, caso.gt[3]);
        EXPECT_DOUBLE_EQ(img.YMinimo, caso.gt[3] + 5 * caso.gt[5]);
        CasiIgual(img.ResolucionX, caso.gt[1] * caso.metrosPorUnidad, caso.srs);
        CasiIgual(img.ResolucionY, -caso.gt[5] * caso.metrosPorUnidad, caso.srs);
        EXPECT_EQ(img.Valores(1, 1), 0.0f);  // NoData -> 0, outside the basin
        CasiIgual(img.Valores(2, 3), original(2, 3), "valor");
        EXPECT_EQ(img.DatoMenor, 0.0f);
        EXPECT_TRUE(ExisteArchivo(tmp.Ruta("mdt.prj")));

        gis::InformeExportacion inf;
        ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta("mdt_dat.rkd"), tmp.Ruta("vuelta.tif"), {}, &inf));
        EXPECT_EQ(inf.prj, tmp.Ruta("mdt.prj"));
        EXPECT_TRUE(inf.aviso.empty());
        OGRSpatialReference srs;
        auto vuelta = prueba::LeerRasterGdal(tmp.Ruta("vuelta.tif"), srs);
        ASSERT_TRUE(vuelta);
        EXPECT_EQ(vuelta->filas, 5);
        EXPECT_EQ(vuelta->columnas, 4);
        for (int k = 0; k < 6; ++k) CasiIgual(vuelta->gt[k], caso.gt[k], "geotransformada");
        const OGRSpatialReference esperado = prueba::Sistema(caso.srs);
        EXPECT_TRUE(srs.IsSame(&esperado)) << caso.srs;
        ASSERT_TRUE(vuelta->noData);
        for (int f = 1; f <= 5; ++f)
            for (int c = 1; c <= 4; ++c) {
                const bool sinDato = original(f, c) == static_cast<float>(*original.noData);
                EXPECT_EQ((*vuelta)(f, c) == static_cast<float>(*vuelta->noData), sinDato) << f << "," << c;
                if (!sinDato) CasiIgual((*vuelta)(f, c), original(f, c), "valor exportado");
            }
        EXPECT_EQ(vuelta->compresion, "DEFLATE");  // tiled and compressed
        EXPECT_EQ(vuelta->bloqueX, 256);
        EXPECT_EQ(Contenido(tmp.Carpeta()),
                  (std::set<std::string>{"mdt.tif", "mdt_dat.rkd", "mdt_cab.rkd", "mdt.prj", "vuelta.tif"}));
    }
}

// A run on an imported DEM: its results carry the DEM's coordinate system,
// and the exported maximum depth has NoData outside the basin and the
// values of the image inside.
TEST(ImportarExportar, CorridaSobreMdtImportadoYSuAlturaMaximaExportada) {
    CarpetaTemporal tmp;
    const double gt[6] = {500000, 10, 0, 4400000, 0, -10};
    const RasterGdal dem = Cuenca(6, 7, gt, "EPSG:32630", -9999);
    prueba::EscribirRasterGdal(tmp.Ruta("cuenca.tif"), dem);
    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("cuenca.tif"), tmp.Ruta("cuenca_dat.rkd"), {}));
    Corrida c;
    c.par.Div = true;
    ASSERT_EQ(Correr(tmp.Carpeta(), "cuenca_dat.rkd", c), FinCorrida::Completa);
    ASSERT_TRUE(DepurarDivisorias(tmp.Carpeta(), "cuenca_QD", c.par, c.img, c.plat));
    for (const char* resultado : {"_HF", "_HM", "_QM", "_QD", "_QDD"})
        EXPECT_EQ(tmp.Leer(std::string("cuenca") + resultado + ".prj"), tmp.Leer("cuenca.prj")) << resultado;
    EXPECT_NE(std::find(c.e.ArchivosEscritos.begin(), c.e.ArchivosEscritos.end(), tmp.Ruta("cuenca_QM.prj")),
              c.e.ArchivosEscritos.end());

    for (const char* resultado : {"_HM", "_QM", "_QDD"}) {
        const std::string nombre = std::string("cuenca") + resultado;
        std::filesystem::remove(tmp.Ruta(nombre + ".prj"));  // found through the DEM all the same
        gis::InformeExportacion inf;
        ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta(nombre + "_dat.rkd"), tmp.Ruta(nombre + ".tif"), {}, &inf));
        EXPECT_EQ(inf.mdt, tmp.Ruta("cuenca_dat.rkd"));
        EXPECT_EQ(inf.prj, tmp.Ruta("cuenca.prj"));
        ImagenActual hm;
        ASSERT_TRUE(LeerIMG(tmp.Ruta(nombre + "_dat.rkd"), "", hm));
        OGRSpatialReference srs;
        auto r = prueba::LeerRasterGdal(tmp.Ruta(nombre + ".tif"), srs);
        ASSERT_TRUE(r && r->noData);
        const OGRSpatialReference esperado = prueba::Sistema("EPSG:32630");
        EXPECT_TRUE(srs.IsSame(&esperado));
        for (int k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(r->gt[k], gt[k]);
        for (int f = 1; f <= 6; ++f)
            for (int j = 1; j <= 7; ++j) {
                if (dem(f, j) == -9999.0f) EXPECT_EQ((*r)(f, j), *r->noData) << f << "," << j;
                else EXPECT_EQ((*r)(f, j), hm.Valores(f, j)) << f << "," << j;
            }
    }
}

// A geographic grid is reprojected to its UTM zone with square cells, or kept
// in degrees with the metre sizes of its centre latitude; a run works on both.
TEST(ImportarExportar, GrillaGeograficaReproyectadaOMantenida) {
    CarpetaTemporal tmp;
    const double tres = 1.0 / 1200.0;  // 3 arc-seconds
    const double gt[6] = {-105.6, tres, 0, 40.15 + 15 * tres, 0, -tres};
    prueba::EscribirRasterGdal(tmp.Ruta("srtm.tif"), Cuenca(30, 30, gt, "EPSG:4326", 0));

    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("srtm.tif"), tmp.Ruta("utm_dat.rkd"), {}));
    ImagenActual utm;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("utm_dat.rkd"), "", utm));
    EXPECT_EQ(utm.ResolucionX, utm.ResolucionY);
    CasiIgual(utm.XMaximo - utm.XMinimo, utm.NroColumnas * utm.ResolucionX, "ancho en metros");
    EXPECT_GT(utm.XMinimo, 400000);  // eastings of zone 13, not degrees
    EXPECT_LT(utm.XMaximo, 500000);
    OGRSpatialReference srs = prueba::Sistema(tmp.Leer("utm.prj"));
    int norte = 0;
    EXPECT_EQ(srs.GetUTMZone(&norte), 13);
    EXPECT_TRUE(norte);

    gis::OpcionesImportarSig mantener;
    mantener.mantenerGeograficas = true;
    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("srtm.tif"), tmp.Ruta("geo_dat.rkd"), mantener));
    ImagenActual geo;
    ASSERT_TRUE(LeerIMG(tmp.Ruta("geo_dat.rkd"), "", geo));
    EXPECT_EQ(geo.NroFilas, 30);
    EXPECT_DOUBLE_EQ(geo.XMinimo, -105.6);
    EXPECT_NEAR(geo.ResolucionX, 71.006, 0.001);  // WGS 84 ellipsoid at 40.15 N
    EXPECT_NEAR(geo.ResolucionY, 92.531, 0.001);
    EXPECT_TRUE(prueba::Sistema(tmp.Leer("geo.prj")).IsGeographic());

    for (const char* dem : {"utm_dat.rkd", "geo_dat.rkd"}) {
        Corrida c;
        EXPECT_EQ(Correr(tmp.Carpeta(), dem, c), FinCorrida::Completa) << dem;
    }
    ASSERT_TRUE(gis::ExportarImagenSig(tmp.Ruta("geo_HM_dat.rkd"), tmp.Ruta("geo_HM.tif"), {}));
    OGRSpatialReference s;
    auto r = prueba::LeerRasterGdal(tmp.Ruta("geo_HM.tif"), s);
    ASSERT_TRUE(r);
    EXPECT_TRUE(s.IsGeographic());
    EXPECT_DOUBLE_EQ(r->gt[0], -105.6);
}

// Bad input gives a Spanish message and writes nothing.
TEST(ImportarExportar, EntradaInvalidaNoEscribeNada) {
    CarpetaTemporal tmp;
    tmp.Escribir("texto.tif", "esto no es un raster\n");
    tmp.Escribir("vacio.asc", "ncols 0\nnrows 0\nxllcorner 0\nyllcorner 0\ncellsize 1\n");
    tmp.Escribir("letras.asc", "ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n3 x4\n");
    tmp.Escribir("corto.asc", "ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n3\n");
    tmp.Escribir("grande.asc", "ncols 2\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n1e39 4\n");
    tmp.Escribir("esquina.asc", "ncols 2\nnrows 2\nxllcorner 3e396\nyllcorner 0\ncellsize 1\n1 2\n3 4\n");
    const double gtp[6] = {0, 1, 0, 10, 0, -1};
    RasterGdal vacia = Cuenca(3, 3, gtp, "EPSG:25830");
    for (float& v : vacia.valores) v = -32768;
    prueba::EscribirRasterGdal(tmp.Ruta("vacia.tif"), vacia);
    prueba::EscribirRasterGdal(tmp.Ruta("bien.tif"), Cuenca(4, 4, gtp, "EPSG:25830"));
    const double gtPolo[6] = {-105, 0.01, 0, 96, 0, -0.01};  // latitudes beyond the pole
    prueba::EscribirRasterGdal(tmp.Ruta("polo.tif"), Cuenca(4, 4, gtPolo, "EPSG:4326"));
    ASSERT_TRUE(gis::ImportarRasterSig(tmp.Ruta("bien.tif"), tmp.Ruta("bien_dat.rkd"), {}));
    tmp.Escribir("corta_cab.rkd", tmp.Leer("bien_cab.rkd"));
    tmp.Escribir("corta_dat.rkd", "1\r\n2\r\n");
    const auto antes = Contenido(tmp.Carpeta());

    gis::OpcionesImportarSig banda2;
    banda2.banda = 2;
    struct Caso {
        std::string entrada, salida;
        gis::OpcionesImportarSig op;
        std::string mensaje;
    };
    const Caso importaciones[] = {
        {"texto.tif", "a_dat.rkd", {}, "no es un raster que se pueda leer"},
        {"falta.tif", "a_dat.rkd", {}, "no existe"},
        {"vacia.tif", "a_dat.rkd", {}, "está vacía: todas sus celdas son NoData"},
        {"vacio.asc", "a_dat.rkd", {}, "0 x 0"},
        {"letras.asc", "a_dat.rkd", {}, "Valor no numérico en " + tmp.Ruta("letras.asc") + ", fila 2, columna 2: x4"},
        {"corto.asc", "a_dat.rkd", {}, "tiene menos datos que filas x columnas (3 de 4)"},
        {"grande.asc", "a_dat.rkd", {}, "1E+39 de la fila 2, columna 1 de " + tmp.Ruta("grande.asc") + " está fuera del rango"},
        {"esquina.asc", "a_dat.rkd", {}, "fuera del rango de los números reales"},
        {"bien.tif", "a_dat.rkd", banda2, "tiene 1 banda: no existe la banda 2"},
        {"polo.tif", "a_dat.rkd", {}, "No se pudo reproyectar"},
        {"bien.tif", "no/existe/a_dat.rkd", {}, "No se pudo crear el archivo"},
        {"bien.tif", "a.rkd", {}, "debe terminar en _dat.rkd"},
    };
    for (const Caso& c : importaciones) {
        Resultado r = gis::ImportarRasterSig(tmp.Ruta(c.entrada), tmp.Ruta(c.salida), c.op);
        EXPECT_FALSE(r) << c.entrada;
        EXPECT_NE(r.mensaje.find(c.mensaje), std::string::npos) << c.entrada << ": " << r.mensaje;
    }
    gis::OpcionesExportarSig desconocido;
    desconocido.formato = "NoEsUnFormato";
    gis::OpcionesExportarSig otroMdt;
    otroMdt.mdt = tmp.Ruta("corta_dat.rkd");
    std::filesystem::create_directory(tmp.Ruta("carpeta.tif"));
    struct CasoExp {
        std::string imagen, destino;
        gis::OpcionesExportarSig op;
        std::string mensaje;
    };
    const CasoExp casos[] = {
        {"falta_dat.rkd", "a.tif", {}, "No se pudo abrir"},
        {"corta_dat.rkd", "a.tif", {}, "datos y su cabecera indica"},
        {"bien_dat.rkd", "a.tif", desconocido, "No hay un formato de escritura de rasters llamado NoEsUnFormato"},
        {"bien_dat.rkd", "a.tif", otroMdt, "datos y su cabecera indica"},
        {"bien_dat.rkd", "no/existe/a.tif", {}, "No se pudo escribir el archivo"},
        {"bien_dat.rkd", "carpeta.tif", {}, "No se pudo escribir el archivo"},
    };
    for (const CasoExp& c : casos) {
        Resultado r = gis::ExportarImagenSig(tmp.Ruta(c.imagen), tmp.Ruta(c.destino), c.op);
        EXPECT_FALSE(r) << c.destino;
        EXPECT_NE(r.mensaje.find(c.mensaje), std::string::npos) << c.imagen << ": " << r.mensaje;
    }
    auto despues = antes;
    despues.insert("carpeta.tif");
    EXPECT_EQ(Contenido(tmp.Carpeta()), despues);
    EXPECT_TRUE(std::filesystem::is_empty(tmp.Ruta("carpeta.tif")));
}
