#include "comandos/cargar_pluviograma.h"

#include "model/parametros.h"
#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

namespace tarno {

CargaPluviograma CargarPluviograma(const std::string& ruta, Pluviograma& pv, Plataforma& plataforma,
                                   const std::function<void()>& mostrarPizarra) {
    CargaPluviograma c;
    if (ruta.empty()) return c;
    std::string carpeta, nombre;
    SepararRuta(ruta, carpeta, nombre);
    c.etiqueta = carpeta + nombre;
    if (carpeta.empty() || nombre.empty() || carpeta == kSinArchivo || nombre == kSinArchivo) {
        plataforma.Mensaje(
            "No hay archivo Pluviograma de Pp seleccionado. Debe cargarlo primero desde menú Opciones, "
            "Ficha Parámetros",
            "Error, falta archivo...", Icono::Advertencia);
        c.estado = CargaPluviograma::Estado::SinArchivo;
        return c;
    }
    // From here on the board is shown, cleared.
    c.estado = CargaPluviograma::Estado::ErrorLectura;
    if (mostrarPizarra) mostrarPizarra();
    const std::string fin = "\r\n";
    std::string informe = "TARNO-SIG: PluvioGRAMA DE TORMENTA" + fin + "Archivo: " + ruta + fin + fin;

    LectorDelimitado in;
    if (!in.Abrir(ruta)) return c;
    // A read that fails ends the load; a number beyond its field's range is
    // also reported, since no value of the curve can hold it.
    auto fallo = [&] {
        if (in.FueraDeRango())
            plataforma.Mensaje("Valor fuera de rango en el archivo de Pluviograma " + ruta, "Error, de archivo...",
                               Icono::Advertencia);
        return c;
    };
    // A load replaces every field before the values are read.
    pv = Pluviograma{};
    if (!in.LeerTexto(pv.Titulo)) return c;
    if (!in.LeerEntero16(pv.Rec)) return fallo();
    if (!in.LeerFloat(pv.LluviaTotal)) return fallo();
    if (!in.LeerEntero16(pv.Paso)) return fallo();
    if (!in.LeerEntero16(pv.NroDatos)) return fallo();
    if (pv.NroDatos < 0) return c;  // no curve can have a negative point count
    pv.PpAcum.assign(static_cast<size_t>(pv.NroDatos) + 1, 0.0f);
    informe += "Título: " + pv.Titulo + fin;
    informe += "Recurrencia: " + TextoBlanco(static_cast<int>(pv.Rec)) + " años" + fin;
    informe += "Lluvia Total: " + TextoBlanco(pv.LluviaTotal) + " mm" + fin;
    informe += "Paso o Intervalo:" + TextoBlanco(static_cast<int>(pv.Paso)) + " min" + fin;
    informe += "Nro. de datos o intervalos: " + TextoBlanco(static_cast<int>(pv.NroDatos)) + fin;
    for (int i = 1; i <= pv.NroDatos; ++i) {
        float v;
        if (!in.LeerFloat(v)) return fallo();
        pv.PpAcum[static_cast<size_t>(i)] = v;
        informe += "Pp(" + TextoBlanco(i) + ")= " + TextoBlanco(v) + fin;
    }
    if (pv.PpAcum[static_cast<size_t>(pv.NroDatos)] != pv.LluviaTotal) {
        c.inconsistente = true;
        plataforma.Mensaje(
            "ERROR, inconsistencia de datos, la lluvia total no coincide con el total acumulado, revise el "
            "archivo de Pluviograma de la lluvia que intenta cargar",
            "Error, de archivo...", Icono::Advertencia);
    }
    c.estado = CargaPluviograma::Estado::Cargada;
    c.informe = std::move(informe);
    return c;
}

CargaPluviograma CargarPluviogramaDialogo(Pluviograma& pv, Plataforma& plataforma,
                                          const std::function<void()>& mostrarPizarra) {
    const std::string ruta = plataforma.AbrirArchivo(kTituloDialogoPluviograma, kFiltroPluviograma);
    if (ruta.empty()) return {};
    return CargarPluviograma(ruta, pv, plataforma, mostrarPizarra);
}

}  // namespace tarno
