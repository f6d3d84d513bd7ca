#include "viewer/pintura.h"

#include <algorithm>
#include <cmath>

#include "raster/numeros.h"

namespace tarno::visor {

void EntrarPintura(EditorAreas& ed, const ImagenActual& img) {
    ed.Copia = img.Valores;
    ed.Lapiz = true;
    ed.Goma = false;
    ed.Dibujando = false;
}

std::vector<std::string> ListaAreas(const ImagenActual& img) {
    std::vector<std::string> l{kAgregarArea};
    for (int k = 1; k <= img.NroAreas; ++k) {
        const std::string nombre = static_cast<size_t>(k) < img.NombresAreas.size() ? img.NombresAreas[k] : "";
        l.push_back(TextoBlanco(k) + "- " + nombre);
    }
    return l;
}

std::vector<Cuadro> PintarBloque(EditorAreas& ed, ImagenActual& img, const TablaPaletas& paletas, int nroPaleta,
                                 int tam, int32_t f0, int32_t c0) {
    std::vector<Cuadro> cuadros;
    if (img.NroFilas < 1 || img.NroColumnas < 1) return cuadros;
    const int w = std::max<int>(1, ed.AnchoPincel);
    const bool borrar = ed.Goma && !ed.Lapiz;
    const bool copiaValida = ed.Copia.Filas() == img.NroFilas && ed.Copia.Columnas() == img.NroColumnas;
    cuadros.reserve(static_cast<size_t>(w) * w);
    for (int i = 1; i <= w; ++i) {
        for (int j = 1; j <= w; ++j) {
            const int32_t f = std::clamp<int32_t>(f0 + i - 1, 1, img.NroFilas);
            const int32_t c = std::clamp<int32_t>(c0 + j - 1, 1, img.NroColumnas);
            Cuadro q;
            q.x = std::max(0, tam * (c0 + j - 2));
            q.y = std::max(0, tam * (f0 + i - 2));
            q.lado = tam;
            if (!borrar) {
                img.Valores(f, c) = ed.AreaActual;
                q.color = paletas(std::clamp<int>(ed.AreaActual, 0, 255), 7);
            } else {
                const float v = copiaValida ? ed.Copia(f, c) : img.Valores(f, c);
                img.Valores(f, c) = v;
                double nivel = 255.0;
                if (img.DatoMayor != img.DatoMenor)
                    nivel = (static_cast<double>(v) - img.DatoMenor) / (static_cast<double>(img.DatoMayor) - img.DatoMenor) * 255.0;
                if (!(nivel >= 0.0)) nivel = 0.0;
                if (nivel > 255.0) nivel = 255.0;
                q.color = paletas(static_cast<int>(std::nearbyint(nivel)), std::clamp(nroPaleta, 1, 9));
            }
            cuadros.push_back(q);
        }
    }
    return cuadros;
}

int16_t AnchoMayor(const EditorAreas& ed) {
    for (int i = 1; i <= 7; ++i)
        if (ed.TablaPincel[i] > ed.AnchoPincel) return ed.TablaPincel[i];
    return ed.TablaPincel[7];
}

int16_t AnchoMenor(const EditorAreas& ed) {
    for (int i = 7; i >= 1; --i)
        if (ed.TablaPincel[i] < ed.AnchoPincel) return ed.TablaPincel[i];
    return ed.TablaPincel[1];
}

bool AgregarArea(ImagenActual& img, const std::string& nombre) {
    if (nombre.empty() || img.NroAreas >= INT16_MAX) return false;
    img.NombresAreas.resize(static_cast<size_t>(img.NroAreas) + 1);
    img.NombresAreas.push_back(nombre);
    ++img.NroAreas;
    return true;
}

std::string NombreListaAreas(const std::string& nombreDat) {
    const std::string base = nombreDat.size() >= 8 ? nombreDat.substr(0, nombreDat.size() - 8) : nombreDat;
    return base + "_agr.rkd";
}

Resultado GuardarAreas(ImagenActual& img) {
    // The running extremes start at 1e8 and -1e8, as the header has always
    // been written.
    float menor = 1e8f, mayor = -1e8f;
    for (int32_t f = 1; f <= img.NroFilas; ++f)
        for (int32_t c = 1; c <= img.NroColumnas; ++c) {
            const float v = img.Valores(f, c);
            if (v < menor) menor = v;
            if (v > mayor) mayor = v;
        }
    CabeceraImagen cab = img;
    cab.Subtitulo += " - agr.dat";
    cab.DatoMenor = menor;
    cab.DatoMayor = mayor;
    if (Resultado r = EscribirImagen(img.NombreDat, cab, img.Valores); !r) return r;
    img.Subtitulo = cab.Subtitulo;
    img.DatoMenor = menor;
    img.DatoMayor = mayor;
    std::vector<std::string> nombres(static_cast<size_t>(img.NroAreas) + 1);
    for (int k = 1; k <= img.NroAreas; ++k)
        if (static_cast<size_t>(k) < img.NombresAreas.size()) nombres[k] = img.NombresAreas[k];
    return EscribirListaNombres(NombreListaAreas(img.NombreDat), nombres);
}

}  // namespace tarno::visor
