// Raster images: a header, a data file and a companion list from one input,
// read as the viewer reads them. A complete image written and read again
// gives the same image, and a second rewrite the same bytes.
#include <cmath>

#include "comun.h"
#include "raster/archivos.h"
#include "raster/imagen.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

namespace {

void MismaCabecera(const CabeceraImagen& a, const CabeceraImagen& b) {
    FUZZ_EXIGIR(a.Titulo == b.Titulo && a.Subtitulo == b.Subtitulo);
    FUZZ_EXIGIR(a.NroFilas == b.NroFilas && a.NroColumnas == b.NroColumnas);
    for (auto campo : {&CabeceraImagen::XMinimo, &CabeceraImagen::YMinimo, &CabeceraImagen::XMaximo,
                       &CabeceraImagen::YMaximo, &CabeceraImagen::ResolucionX, &CabeceraImagen::ResolucionY})
        FUZZ_EXIGIR(NumeroArchivo(a.*campo) == NumeroArchivo(b.*campo));
    FUZZ_EXIGIR(NumeroArchivo(a.DatoMenor) == NumeroArchivo(b.DatoMenor));
    FUZZ_EXIGIR(NumeroArchivo(a.DatoMayor) == NumeroArchivo(b.DatoMayor));
}

std::string Leer(const std::string& ruta) {
    std::string b;
    LeerArchivo(ruta, b);
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<std::string> p = Partes(datos, largo, 3);
    static const char* const kBases[] = {"i", "i_C", "i_Ag"};
    const std::string base = kBases[largo % 3];
    Escribir(base + "_cab.rkd", p[0]);
    Escribir(base + "_dat.rkd", p[1]);
    Escribir(base == "i_C" ? "i_C_cla.rkd" : "i_Ag_agr.rkd", p[2]);

    ImagenActual img;
    Resultado r = LeerIMG(Ruta(base + "_dat.rkd"), "", img);
    if (!r) {
        FUZZ_EXIGIR(!r.mensaje.empty());
        return 0;
    }
    const int64_t celdas = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    FUZZ_EXIGIR(img.NroFilas > 0 && img.NroColumnas > 0);
    FUZZ_EXIGIR(img.Valores.Filas() == img.NroFilas && img.Valores.Columnas() == img.NroColumnas);
    FUZZ_EXIGIR(img.NroDatos >= 0 && img.NroDatos <= celdas);
    FUZZ_EXIGIR(img.Decimales >= 0);
    FUZZ_EXIGIR(img.NroAreas >= 0);
    for (float v : img.Valores.Vector()) FUZZ_EXIGIR(std::isfinite(v));
    if (img.TieneAreas) {
        std::vector<std::string> nombres = img.NombresAreas;
        if (nombres.empty()) nombres.push_back("");
        FUZZ_EXIGIR(EscribirListaNombres(Ruta("l_agr.rkd"), nombres));
        int16_t n = 0;
        std::vector<std::string> leidos;
        FUZZ_EXIGIR(LeerListaNombres(Ruta("l_agr.rkd"), n, leidos));
        FUZZ_EXIGIR(n == static_cast<int16_t>(nombres.size() - 1));
        if (n > 0) FUZZ_EXIGIR(leidos == nombres);
    }
    if (img.NroDatos != celdas) return 0;

    // A complete image: written, read and written again.
    FUZZ_EXIGIR(EscribirImagen(Ruta("a_dat.rkd"), img, img.Valores));
    ImagenActual a;
    FUZZ_EXIGIR(LeerIMG(Ruta("a_dat.rkd"), "", a));
    MismaCabecera(img, a);
    FUZZ_EXIGIR(a.NroDatos == img.NroDatos);
    for (size_t k = 0; k < a.Valores.Vector().size(); ++k)
        FUZZ_EXIGIR(NumeroArchivo(a.Valores.Vector()[k]) == NumeroArchivo(img.Valores.Vector()[k]));
    FUZZ_EXIGIR(EscribirImagen(Ruta("b_dat.rkd"), a, a.Valores));
    FUZZ_EXIGIR(Leer(Ruta("a_dat.rkd")) == Leer(Ruta("b_dat.rkd")));
    FUZZ_EXIGIR(Leer(Ruta("a_cab.rkd")) == Leer(Ruta("b_cab.rkd")));
    return 0;
}
