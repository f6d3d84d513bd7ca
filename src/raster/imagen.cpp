#include "raster/imagen.h"

#include <cmath>
#include <limits>
#include <new>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"
#include "raster/nombres.h"

namespace tarno {

const char* const kEtiquetasCabecera[12] = {
    "Título            : ", "Subtítulo         : ", "Nro. de Filas     : ",
    "Nro. de Columnas  : ", "X mínimo          : ", "Y mínimo          : ",
    "X Máximo          : ", "Y Máximo          : ", "Dato menor        : ",
    "Dato Mayor        : ", "Resolución X      : ", "Resolución Y      : "};

std::string NombreCabDe(const std::string& nombreDat) {
    return BaseImagen(nombreDat) + kSufijoCab;
}

Resultado ValidarTamano(int32_t filas, int32_t columnas, const std::string& archivo) {
    if (filas <= 0 || columnas <= 0)
        return Resultado::Falla("Cabecera inválida en " + archivo +
                                ": el número de filas y de columnas debe ser mayor que cero (filas =" +
                                TextoBlanco(filas) + ", columnas =" + TextoBlanco(columnas) + ").");
    const int64_t celdas = (static_cast<int64_t>(filas) + 1) * (static_cast<int64_t>(columnas) + 1);
    if (celdas > std::numeric_limits<int32_t>::max())
        return Resultado::Falla("La imagen de " + archivo + " es demasiado grande:" + TextoBlanco(filas) +
                                " filas x" + TextoBlanco(columnas) +
                                " columnas no caben en memoria.");
    return Resultado::Bien();
}

Resultado LeerCabecera(const std::string& nombreCab, CabeceraImagen& cab) {
    LectorDelimitado in;
    if (!in.Abrir(nombreCab)) return Resultado::Falla("No se pudo abrir el archivo " + nombreCab);
    auto falla = [&](int linea) {
        return Resultado::Falla("No se pudo leer la línea" + TextoBlanco(linea) + " de la cabecera " +
                                nombreCab + (in.FueraDeRango() ? ": valor fuera de rango" : ""));
    };
    std::string etiqueta;
    auto texto = [&](std::string& campo) { return in.LeerTexto(etiqueta) && in.LeerTexto(campo); };
    auto entero = [&](int32_t& campo) { return in.LeerTexto(etiqueta) && in.LeerEntero32(campo); };
    auto real = [&](double& campo) { return in.LeerTexto(etiqueta) && in.LeerDouble(campo); };
    auto simple = [&](float& campo) { return in.LeerTexto(etiqueta) && in.LeerFloat(campo); };
    if (!texto(cab.Titulo)) return falla(1);
    if (!texto(cab.Subtitulo)) return falla(2);
    if (!entero(cab.NroFilas)) return falla(3);
    if (!entero(cab.NroColumnas)) return falla(4);
    if (!real(cab.XMinimo)) return falla(5);
    if (!real(cab.YMinimo)) return falla(6);
    if (!real(cab.XMaximo)) return falla(7);
    if (!real(cab.YMaximo)) return falla(8);
    if (!simple(cab.DatoMenor)) return falla(9);
    if (!simple(cab.DatoMayor)) return falla(10);
    if (!real(cab.ResolucionX)) return falla(11);
    if (!real(cab.ResolucionY)) return falla(12);
    return Resultado::Bien();
}

Resultado LeerListaNombres(const std::string& ruta, int16_t& cuantos, std::vector<std::string>& nombres) {
    LectorDelimitado in;
    if (!in.Abrir(ruta)) return Resultado::Falla("No se pudo abrir el archivo " + ruta);
    if (!in.LeerEntero16(cuantos)) return Resultado::Falla("No se pudo leer el archivo " + ruta);
    if (cuantos > 0) {
        nombres.assign(static_cast<size_t>(cuantos) + 1, std::string());
        for (int i = 1; i <= cuantos; ++i)
            if (!in.LeerTexto(nombres[static_cast<size_t>(i)]))
                return Resultado::Falla("No se pudo leer el archivo " + ruta);
    }
    return Resultado::Bien();
}

Resultado EscribirListaNombres(const std::string& ruta, const std::vector<std::string>& nombres) {
    EscritorDelimitado out;
    const int64_t n = nombres.empty() ? 0 : static_cast<int64_t>(nombres.size()) - 1;
    out.Numero(n).FinLinea();
    for (size_t i = 1; i < nombres.size(); ++i) out.Texto(nombres[i]).FinLinea();
    return GuardarArchivo(ruta, out.Bytes());
}

Resultado LeerIMG(const std::string& nombreDat, const std::string& /*carpeta*/, ImagenActual& img) {
    img.NombreDat = nombreDat;
    img.NombreCab = NombreCabDe(nombreDat);
    img.EsClasificada = TerminaEn(nombreDat, "_C_dat.rkd");
    if (Resultado r = LeerCabecera(img.NombreCab, img); !r) return r;
    if (Resultado r = ValidarTamano(img.NroFilas, img.NroColumnas, img.NombreCab); !r) return r;

    LectorDelimitado in;
    img.NroDatos = 0;
    img.Decimales = 0;
    try {
        if (!in.Abrir(nombreDat)) return Resultado::Falla("No se pudo abrir el archivo " + nombreDat);
        // Every value takes at least one byte: a file that cannot hold the
        // cells of a large header is refused before the grid is made.
        const int64_t celdas = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
        if (celdas > kCeldasSinControl && static_cast<int64_t>(in.Tamano()) < celdas) {
            img.Valores.Liberar();
            return Resultado::Falla("El archivo " + nombreDat + " es demasiado corto para los" +
                                    TextoBlanco(img.NroFilas) + " filas x" + TextoBlanco(img.NroColumnas) +
                                    " columnas de su cabecera.");
        }
        img.Valores.Redimensionar(img.NroFilas, img.NroColumnas, 0.0f);
    } catch (const std::bad_alloc&) {
        img.Valores.Liberar();
        return Resultado::Falla("No hay memoria suficiente para la imagen " + nombreDat);
    }
    for (int32_t f = 1; f <= img.NroFilas; ++f) {
        for (int32_t c = 1; c <= img.NroColumnas; ++c) {
            float v;
            if (!in.LeerFloat(v)) {
                if (in.NoNumerico())
                    return Resultado::Falla(std::string(in.FueraDeRango() ? "Valor fuera de rango" : "Valor no numérico") +
                                            " en " + nombreDat + ", fila" + TextoBlanco(f) + ", columna" +
                                            TextoBlanco(c));
                goto fin_datos;
            }
            ActualizarDecimales(img.Decimales, v);
            ++img.NroDatos;
            img.Valores(f, c) = v;
        }
    }
fin_datos:
    img.TieneAreas = false;
    img.NroAreas = 0;
    img.NombresAreas.clear();
    std::string lista;
    if (TerminaEn(nombreDat, "_Ag_dat.rkd"))
        lista = SinUltimos(nombreDat, 11) + "_Ag_agr.rkd";
    else if (TerminaEn(nombreDat, "_C_dat.rkd"))
        lista = SinUltimos(nombreDat, 10) + "_C_cla.rkd";
    if (!lista.empty()) {
        // A missing list leaves the image loaded without names.
        if (LeerListaNombres(lista, img.NroAreas, img.NombresAreas)) img.TieneAreas = true;
        if (img.NroAreas < 0) img.NroAreas = 0;
    }
    return Resultado::Bien();
}

Resultado EscribirCabecera(const std::string& nombreCab, const CabeceraImagen& cab) {
    EscritorDelimitado out;
    const char* const* e = kEtiquetasCabecera;
    out.Texto(e[0]).Texto(cab.Titulo).FinLinea();
    out.Texto(e[1]).Texto(cab.Subtitulo).FinLinea();
    out.Texto(e[2]).Numero(cab.NroFilas).FinLinea();
    out.Texto(e[3]).Numero(cab.NroColumnas).FinLinea();
    out.Texto(e[4]).Numero(cab.XMinimo).FinLinea();
    out.Texto(e[5]).Numero(cab.YMinimo).FinLinea();
    out.Texto(e[6]).Numero(cab.XMaximo).FinLinea();
    out.Texto(e[7]).Numero(cab.YMaximo).FinLinea();
    out.Texto(e[8]).Numero(cab.DatoMenor).FinLinea();
    out.Texto(e[9]).Numero(cab.DatoMayor).FinLinea();
    out.Texto(e[10]).Numero(cab.ResolucionX).FinLinea();
    out.Texto(e[11]).Numero(cab.ResolucionY).FinLinea();
    return GuardarArchivo(nombreCab, out.Bytes());
}

std::string TextoDatos(const Grilla<float>& valores) {
    std::string s;
    s.reserve(static_cast<size_t>(valores.Filas()) * static_cast<size_t>(valores.Columnas()) * 8);
    char buf[kLargoNumeroArchivo + 2];
    for (int32_t f = 1; f <= valores.Filas(); ++f)
        for (int32_t c = 1; c <= valores.Columnas(); ++c) {
            char* p = EscribirNumeroArchivo(buf, valores(f, c));
            *p++ = '\r';
            *p++ = '\n';
            s.append(buf, p);
        }
    return s;
}

Resultado EscribirDatos(const std::string& nombreDat, const Grilla<float>& valores) {
    // Written as it is formatted: the text of a large grid is never held whole.
    ArchivoPorPartes salida;
    if (Resultado r = salida.Abrir(nombreDat); !r) return r;
    FormaArchivoConMemoria forma;
    for (int32_t f = 1; f <= valores.Filas(); ++f)
        for (int32_t c = 1; c <= valores.Columnas(); ++c) {
            char* p = salida.Espacio(kLargoNumeroArchivo + 2);
            p = forma.Escribir(p, valores(f, c));
            *p++ = '\r';
            *p++ = '\n';
            salida.Avanzar(p);
        }
    return salida.Terminar();
}

Resultado EscribirImagen(const std::string& nombreDat, const CabeceraImagen& cab,
                         const Grilla<float>& valores) {
    if (Resultado r = EscribirDatos(nombreDat, valores); !r) return r;
    return EscribirCabecera(NombreCabDe(nombreDat), cab);
}

void Extremos(const Grilla<float>& valores, float& menor, float& mayor) {
    menor = std::numeric_limits<float>::infinity();
    mayor = -std::numeric_limits<float>::infinity();
    for (int32_t f = 1; f <= valores.Filas(); ++f)
        for (int32_t c = 1; c <= valores.Columnas(); ++c) {
            float v = valores(f, c);
            if (v < menor) menor = v;
            if (v > mayor) mayor = v;
        }
    if (valores.Filas() == 0 || valores.Columnas() == 0) menor = mayor = 0;
}

}  // namespace tarno
