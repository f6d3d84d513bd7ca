#include "comandos/cargar_dem.h"

#include <new>

#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {

bool DEMElegido(const Parametros& par, Plataforma& plataforma) {
    if (!par.DirDEM.empty() && par.DirDEM != kSinArchivo && !par.ArchivoDEM.empty()) return true;
    plataforma.Mensaje("No hay archivo MDT seleccionado. Debe cargarlo primero desde menú Opciones, Ficha Parámetros",
                       "Error, falta archivo...", Icono::Advertencia);
    return false;
}

EstadoDEM CargarDEM(Parametros& par, ImagenActual& img, Grilla<float>& cota, Plataforma& plataforma) {
    const std::string tituloError = "Error de archivo...";
    if (!DEMElegido(par, plataforma)) return EstadoDEM::SinArchivo;
    img.NombreDat = par.DirDEM + par.ArchivoDEM;
    img.NombreCab = NombreCabDe(img.NombreDat);

    // A missing or unreadable DEM is reported instead of letting a run go on
    // with whatever the grid held before.
    if (Resultado r = LeerCabecera(img.NombreCab, img); !r) {
        plataforma.Mensaje(r.mensaje, tituloError, Icono::Advertencia);
        return EstadoDEM::ErrorLectura;
    }
    if (!AFloat(img.ResolucionX, par.ResolucionX) || !AFloat(img.ResolucionY, par.ResolucionY)) {
        plataforma.Mensaje("Resolución fuera de rango en " + img.NombreCab, tituloError, Icono::Advertencia);
        return EstadoDEM::ErrorLectura;
    }
    if (Resultado r = ValidarTamano(img.NroFilas, img.NroColumnas, img.NombreCab); !r) {
        plataforma.Mensaje(r.mensaje, tituloError, Icono::Advertencia);
        return EstadoDEM::ErrorLectura;
    }

    LectorDelimitado in;
    const int64_t celdas = static_cast<int64_t>(img.NroFilas) * img.NroColumnas;
    // Every value takes at least one byte: a data file with fewer bytes than
    // cells is short whatever it holds, and its values are only counted.
    bool guardar = true;
    try {
        if (!in.Abrir(img.NombreDat)) {
            plataforma.Mensaje("No se pudo abrir el archivo " + img.NombreDat, tituloError, Icono::Advertencia);
            return EstadoDEM::ErrorLectura;
        }
        guardar = static_cast<int64_t>(in.Tamano()) >= celdas;
        if (guardar) cota.Redimensionar(img.NroFilas, img.NroColumnas, 0.0f);
        else cota.Liberar();
    } catch (const std::bad_alloc&) {
        cota.Liberar();
        plataforma.Mensaje("No hay memoria suficiente para el MDT " + img.NombreDat, tituloError,
                           Icono::Advertencia);
        return EstadoDEM::ErrorLectura;
    }
    int64_t cuenta = 0;
    img.Decimales = 0;
    float menor = 9999999.0f;
    float mayor = -9999999.0f;
    for (int32_t i = 1; i <= img.NroFilas; ++i) {
        for (int32_t j = 1; j <= img.NroColumnas; ++j) {
            float v;
            if (!in.LeerFloat(v)) {
                if (in.NoNumerico()) {
                    plataforma.Mensaje(std::string(in.FueraDeRango() ? "Valor fuera de rango" : "Valor no numérico") +
                                           " en " + img.NombreDat + ", fila" + TextoBlanco(i) + ", columna" +
                                           TextoBlanco(j),
                                       tituloError, Icono::Advertencia);
                    return EstadoDEM::ErrorLectura;
                }
                goto fin_lectura;
            }
            ActualizarDecimales(img.Decimales, v);
            ++cuenta;
            if (guardar) cota(i, j) = v;
            if (v < menor) menor = v;
            if (v > mayor) mayor = v;
        }
    }
fin_lectura:
    if (cuenta != celdas) {
        plataforma.Mensaje(
            "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al "
            "Nro. de Columnas x Nro Filas + 1 ",
            tituloError, Icono::Advertencia);
        return EstadoDEM::CuentaDistinta;
    }
    if (mayor != img.DatoMayor || menor != img.DatoMenor) {
        plataforma.Mensaje(
            "Inconsistencia en archivo cab para valor máximo y mínimo. Los valores mínimo y máximo "
            "contenidos en la matriz de datos son " +
                TextoBlanco(menor) + " " + TextoBlanco(mayor),
            tituloError, Icono::Advertencia);
        return EstadoDEM::ExtremosDistintos;
    }
    return EstadoDEM::Cargado;
}

}  // namespace tarno
