#include "viewer/render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>

#include "raster/numeros.h"
#include "viewer/nivel.h"
#include "viewer/zoom.h"

namespace tarno::visor {

int16_t ZoomQueCabe(const TablaZoomT& tabla, int tam, int32_t columnas, int32_t filas) {
    auto cabe = [&](int t) {
        return int64_t{t} * columnas * t * filas <= kMaximoPixeles;
    };
    while (tam > 1 && !cabe(tam)) tam = ZoomMenos(tabla, tam);
    return static_cast<int16_t>(tam);
}

VistaCeldas CeldasVisibles(const ImagenActual& img, const EstadoVisor& ev) {
    // Never more cells than the grid holds (a failed read can leave it smaller).
    VistaCeldas v{1, std::min(img.NroColumnas, img.Valores.Columnas()), 1,
                  std::min(img.NroFilas, img.Valores.Filas())};
    if (ev.VerSeleccion && ev.SelAncho > 0 && ev.SelAlto > 0) {
        v.col1 = std::clamp<int32_t>(ev.DespCol + 1, 1, std::max(1, img.NroColumnas));
        v.fila1 = std::clamp<int32_t>(ev.DespFila + 1, 1, std::max(1, img.NroFilas));
        v.col2 = std::min<int32_t>(v.col2, v.col1 + ev.SelAncho - 1);
        v.fila2 = std::min<int32_t>(v.fila2, v.fila1 + ev.SelAlto - 1);
    }
    return v;
}

void TamanoPicture(const VistaCeldas& v, int tam, int64_t& ancho, int64_t& alto) {
    ancho = std::max<int64_t>(0, v.Columnas()) * tam;
    alto = std::max<int64_t>(0, v.Filas()) * tam;
}

Resultado Renderizar(ImagenActual& img, const EstadoVisor& ev, const TablaPaletas& paletas, QImage& destino) {
    const int tam = std::clamp<int>(ev.TamPixel, 1, 1000);
    const VistaCeldas v = CeldasVisibles(img, ev);
    int64_t ancho, alto;
    TamanoPicture(v, tam, ancho, alto);
    if (ancho * alto > kMaximoPixeles || ancho > INT32_MAX / 4 || alto > INT32_MAX) {
        destino = QImage();
        return Resultado::Falla(kMemoriaInsuficiente);
    }
    if (destino.width() != ancho || destino.height() != alto || destino.format() != QImage::Format_RGB32) {
        try {
            destino = QImage(static_cast<int>(ancho), static_cast<int>(alto), QImage::Format_RGB32);
        } catch (const std::bad_alloc&) {
            destino = QImage();
        }
        if (destino.isNull() && ancho * alto > 0) return Resultado::Falla(kMemoriaInsuficiente);
    }

    const ReglaNivel regla = PrepararNivel(img, ev.ForzarMinimo);
    const int paleta = std::clamp<int>(ev.NroPaleta, 1, 9);
    std::array<QRgb, 256> lut;
    for (int k = 0; k < 256; ++k) lut[k] = ColorQt(paletas(k, paleta));

    if (ancho > 0 && alto > 0) {
        uchar* base = destino.bits();
        const qsizetype bpl = destino.bytesPerLine();
        const size_t bytesFila = static_cast<size_t>(ancho) * sizeof(QRgb);
        for (int32_t f = v.fila1; f <= v.fila2; ++f) {
            const float* celdas = &img.Valores(f, v.col1);
            auto* linea = reinterpret_cast<QRgb*>(base + static_cast<qsizetype>(f - v.fila1) * tam * bpl);
            const int32_t n = v.Columnas();
            if (tam == 1) {
                for (int32_t c = 0; c < n; ++c) linea[c] = lut[regla.Indice(celdas[c])];
            } else {
                for (int32_t c = 0; c < n; ++c) std::fill_n(linea + static_cast<size_t>(c) * tam, tam, lut[regla.Indice(celdas[c])]);
                uchar* origen = reinterpret_cast<uchar*>(linea);
                for (int k = 1; k < tam; ++k) std::memcpy(origen + k * bpl, origen, bytesFila);
            }
        }
    }
    if (static_cast<int64_t>(img.NroDatos) != static_cast<int64_t>(img.NroFilas) * img.NroColumnas)
        return Resultado::Falla(kMensajeInconsistencia);
    return Resultado::Bien();
}

std::vector<FilaLeyenda> FilasLeyenda(const ImagenActual& img) {
    std::vector<FilaLeyenda> filas;
    if (!img.TieneAreas && !img.EsClasificada) {
        for (int nivel = 0; nivel <= 250; nivel += 10) {
            const double valor = (static_cast<double>(img.DatoMayor) - img.DatoMenor) * nivel / 255.0;
            filas.push_back({TextoBlanco(Redondear(valor, std::max<int>(0, img.Decimales))), nivel});
        }
        return filas;
    }
    for (int k = 1; k <= img.NroAreas; ++k) filas.push_back({TextoBlanco(k), std::min(k, 255)});
    filas.push_back({"", -1});
    if (img.TieneAreas)
        for (int k = 1; k <= img.NroAreas && static_cast<size_t>(k) < img.NombresAreas.size(); ++k)
            filas.push_back({img.NombresAreas[k] + " ", -1});
    return filas;
}

std::string TituloVisor(const ImagenActual& img) { return "TARNO-SIG - Archivo: " + img.NombreDat; }

std::string TextoTitulo(const ImagenActual& img) {
    return "Título: " + img.Titulo + " - " + img.Subtitulo + "\nArchivo: " + img.NombreDat;
}

Ventana UbicarVisor(int64_t anchoPx, int64_t altoPx, int64_t pantAncho, int64_t pantAlto, int64_t izq, int64_t arr) {
    Ventana v;
    v.izquierda = izq + 300;
    v.arriba = arr;
    // The rules compare the picture, converted to twips, with the screen.
    const int64_t W = anchoPx * 15, H = altoPx * 15;
    if (W > pantAncho - 1100) v.ancho = pantAncho;
    else if (W > 2000) v.ancho = W + 1100;
    else if (W > 100) v.ancho = W + 100;
    else v.ancho = 100;
    const int64_t barra = 500;
    if (H > pantAlto - 700 - barra) v.alto = pantAlto;
    else if (H > 100) v.alto = H + 700 + barra;
    else v.alto = barra + 800;
    return v;
}

}  // namespace tarno::visor
