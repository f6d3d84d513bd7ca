#include "comandos/importar_texto.h"

#include <cmath>
#include <string_view>

#include "raster/archivos.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"
#include "raster/nombres.h"

namespace tarno {
namespace {

bool EsUnaDe(std::string_view s, std::initializer_list<std::string_view> formas) {
    for (std::string_view f : formas)
        if (s == f) return true;
    return false;
}

std::string_view Ultimos(const std::string& s, size_t n) {
    return s.size() >= n ? std::string_view(s).substr(s.size() - n) : std::string_view();
}

// Items of one line: separated by commas, quoted texts kept whole, leading and
// trailing blanks removed.
std::vector<std::string> ItemsDeLinea(const std::string& linea) {
    std::vector<std::string> items;
    size_t i = 0;
    while (i <= linea.size()) {
        while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t')) ++i;
        std::string item;
        if (i < linea.size() && linea[i] == '"') {
            size_t cierre = linea.find('"', i + 1);
            if (cierre == std::string::npos) cierre = linea.size();
            item = linea.substr(i + 1, cierre - i - 1);
            i = linea.find(',', cierre);
            i = (i == std::string::npos) ? linea.size() + 1 : i + 1;
        } else {
            size_t coma = linea.find(',', i);
            size_t fin = coma == std::string::npos ? linea.size() : coma;
            item = linea.substr(i, fin - i);
            while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.pop_back();
            i = coma == std::string::npos ? linea.size() + 1 : coma + 1;
        }
        items.push_back(item);
    }
    return items;
}

// Reads every number of a file (blanks, commas or line ends between them)
// until the end or the first item that is not a number. A number beyond the
// 32-bit range is refused with a message naming the file.
Resultado LeerNumeros(const std::string& ruta, std::vector<float>& vector) {
    vector.assign(1, 0.0f);
    LectorDelimitado in;
    if (!in.Abrir(ruta)) return Resultado::Bien();
    float v;
    while (in.LeerFloat(v)) vector.push_back(v);
    if (in.FueraDeRango())
        return Resultado::Falla("Valor fuera de rango en " + ruta + ", dato" +
                                TextoBlanco(static_cast<int64_t>(vector.size())) +
                                ": no cabe en un número de 32 bits.");
    return Resultado::Bien();
}

std::string TextoDeVector(const std::vector<float>& vector, size_t desde, size_t cuantos) {
    std::string s;
    s.reserve(cuantos * 8);
    for (size_t i = desde; i < desde + cuantos; ++i) {
        s += NumeroArchivo(vector[i]);
        s += "\r\n";
    }
    return s;
}

}  // namespace

std::string DocumentacionIdrisi(const std::string& rutaImagen) {
    std::string_view ext = Ultimos(rutaImagen, 3);
    const std::string base = SinUltimos(rutaImagen, 4);
    if (EsUnaDe(ext, {"img", "IMG", "Img"})) return base + ".doc";
    if (EsUnaDe(ext, {"rst", "RST", "Rst"})) return base + ".rdc";
    if (EsUnaDe(ext, {"txt", "TXT", "Txt"})) return base + ".txt";
    return {};
}

bool ImportarIdrisi(const std::string& rutaImagen, const std::string& /*carpeta*/, ImagenActual& img,
                    std::vector<float>& vector, Plataforma& plataforma, AvisoProceso& aviso) {
    const std::string titulo = "Importación de archivo Idrisi";
    const std::string doc = DocumentacionIdrisi(rutaImagen);
    if (doc.empty()) {
        plataforma.Mensaje("El archivo " + rutaImagen +
                               " no es una imagen Idrisi en formato texto: su nombre debe terminar en img, "
                               "rst o txt.",
                           titulo, Icono::Advertencia);
        return false;
    }
    const std::string base = SinUltimos(doc, 4);
    const std::string nombreDat = base + "_dat.rkd";
    const std::string nombreCab = base + "_cab.rkd";

    aviso.Empezar("un momento...esta opción puede tardar algunos minutos...",
                  "Importando Imagen Idrisi formato texto a archivo TARNO-SIG...");
    struct Cierre {
        AvisoProceso& a;
        ~Cierre() { a.Terminar(); }
    } cierre{aviso};

    // Documentation keys, read by their fixed prefixes.
    LectorDelimitado in;
    if (in.Abrir(doc)) {
        std::string linea;
        bool seguir = true;
        while (seguir && in.LeerLinea(linea)) {
            for (const std::string& item : ItemsDeLinea(linea)) {
                if (item.empty() || item == "NULL") {
                    seguir = false;
                    break;
                }
                const std::string clave = item.substr(0, 13);
                const double v13 = item.size() > 13 ? ValorInicial(std::string_view(item).substr(13)) : 0.0;
                const std::string clave14 = item.substr(0, 14);
                const double v14 = item.size() > 14 ? ValorInicial(std::string_view(item).substr(14)) : 0.0;
                // A number beyond its field's range is refused: the header
                // would hold a value no reader accepts.
                bool enRango = true;
                auto real = [&](double& campo, double v) {
                    if (std::isfinite(v)) campo = v;
                    else enRango = false;
                };
                auto simple = [&](float& campo, double v) { enRango = AFloat(v, campo); };
                int32_t entero;
                if (clave == "columns     :") {
                    if (AEntero32(v13, entero)) img.NroColumnas = entero;
                } else if (clave == "rows        :") {
                    if (AEntero32(v13, entero)) img.NroFilas = entero;
                } else if (clave == "min. X      :") {
                    real(img.XMinimo, v13);
                } else if (clave == "max. X      :") {
                    real(img.XMaximo, v13);
                } else if (clave == "min. Y      :") {
                    real(img.YMinimo, v13);
                } else if (clave == "max. Y      :") {
                    real(img.YMaximo, v13);
                } else if (clave14 == "ResolutionX  :") {
                    real(img.ResolucionX, v14);
                } else if (clave14 == "ResolutionY  :") {
                    real(img.ResolucionY, v14);
                } else if (clave == "min. value  :") {
                    simple(img.DatoMenor, v13);
                } else if (clave == "max. value  :") {
                    simple(img.DatoMayor, v13);
                }
                if (!enRango) {
                    plataforma.Mensaje("Valor fuera de rango en " + doc + ": " + item, "Error de archivo...",
                                       Icono::Advertencia);
                    return false;
                }
            }
        }
    }

    CabeceraImagen cab = img;
    cab.Titulo = "Sin título";
    cab.Subtitulo = "Sin Subtítulo";
    if (Resultado r = EscribirCabecera(nombreCab, cab); !r) {
        plataforma.Mensaje(r.mensaje, "Error de archivo...", Icono::Advertencia);
        return false;
    }

    if (Resultado r = LeerNumeros(rutaImagen, vector); !r) {
        plataforma.Mensaje(r.mensaje, "Error de archivo...", Icono::Advertencia);
        return false;
    }
    const int64_t cuenta = static_cast<int64_t>(vector.size()) - 1;
    img.NroDatos = static_cast<int32_t>(std::min<int64_t>(cuenta, INT32_MAX));
    // A size that no image can have (none read, or not above zero) is as
    // inconsistent as a count that differs.
    if (!ValidarTamano(img.NroFilas, img.NroColumnas, doc) ||
        cuenta != static_cast<int64_t>(img.NroFilas) * img.NroColumnas) {
        plataforma.Mensaje(
            "Inconsistencia entre archivo IMG y archivo DOC: El número de datos en IMG debe ser igual al "
            "Nro. de Columnas x Nro Filas + 1 ",
            "Error de archivo...", Icono::Advertencia);
        return false;
    }
    if (Resultado r = GuardarArchivo(nombreDat, TextoDeVector(vector, 1, static_cast<size_t>(cuenta))); !r) {
        plataforma.Mensaje(r.mensaje, "Error de archivo...", Icono::Advertencia);
        return false;
    }
    plataforma.Mensaje("la Imagen del archivo Idrisi " + rutaImagen +
                           " se importó correctamente y guardado en los archivos de TARNO-SIG: " + nombreDat +
                           " y " + nombreCab,
                       titulo, Icono::Advertencia);
    return true;
}

bool ImportarTextoBlancos(const std::string& ruta, const std::string& /*carpeta*/, ImagenActual& img,
                          std::vector<float>& vector, Plataforma& plataforma, AvisoProceso& aviso) {
    const std::string titulo = "Conversión de archivo Texto a _dat_rkd";
    if (!EsUnaDe(Ultimos(ruta, 3), {"txt", "TXT", "Txt"})) {
        plataforma.Mensaje("El archivo " + ruta + " no es un archivo de texto: su nombre debe terminar en txt.",
                           titulo, Icono::Advertencia);
        return false;
    }
    const std::string base = SinUltimos(ruta, 4);
    // The text is read from base + ".txt"; on a case-sensitive file system a
    // ".TXT" file is read under its own name.
    std::string leido = base + ".txt";
    if (!ExisteArchivo(leido)) leido = ruta;
    if (!ExisteArchivo(leido)) {
        plataforma.Mensaje("No se pudo abrir el archivo " + ruta, titulo, Icono::Advertencia);
        return false;
    }
    aviso.Empezar("un momento...esta opción puede tardar varios minutos...",
                  "Importando Archivo texto con separadores de datos caracter en blanco, a archivo _dat.rkd. "
                  "PRECAUCION: No se crea el archivo _cab.kdr...");
    struct Cierre {
        AvisoProceso& a;
        ~Cierre() { a.Terminar(); }
    } cierre{aviso};

    if (Resultado r = LeerNumeros(leido, vector); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    const size_t cuenta = vector.size() - 1;
    img.NroDatos = static_cast<int32_t>(std::min<size_t>(cuenta, INT32_MAX));
    if (Resultado r = GuardarArchivo(base + "_tx_dat.rkd", TextoDeVector(vector, 1, cuenta)); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    plataforma.Mensaje("El archivo texto " + ruta + " ha sido convertido a archivo tipo _dat_rkd.dat.\n\r" +
                           "El Número de datos es: " + TextoBlanco(static_cast<int64_t>(cuenta)) +
                           "\n\rCUIDADO: Debe crear el archivo _cab.rkd ",
                       titulo, Icono::Advertencia);
    return true;
}

bool ConvertirAmplitud(const std::string& ruta, const std::string& carpeta, ImagenActual& img,
                       std::vector<float>& vector, Plataforma& plataforma) {
    const std::string titulo = "Convertir amplitud de un archivo vector TXT a vector TXT amplitud 0-256";
    const std::string nombre =
        plataforma.Entrada("Nombre del archivo vector texto de salida (convertir vector texto 0-255)", titulo,
                           "txt0255");
    if (nombre.empty()) return false;  // cancelled
    const double minimo = RedondearEntero(
        ValorInicial(plataforma.Entrada("Ingrese el valor MINIMO (rango 0-255) del pixel a convertir", titulo, "0")));
    double maximo = RedondearEntero(ValorInicial(
        plataforma.Entrada("Ingrese el valor MAXIMO (rango 0-255) del pixel a convertir", titulo, "255")));
    if (!std::isfinite(minimo) || !std::isfinite(maximo)) {
        plataforma.Mensaje("Los valores MINIMO y MAXIMO deben ser números de 0 a 255.", titulo,
                           Icono::Advertencia);
        return false;
    }
    const double MIN = minimo < 0 ? 0 : minimo;
    double MAX = maximo > 255 ? 255 : maximo;
    if (MAX < MIN) MAX = MIN;

    std::string bytes;
    if (!LeerArchivo(ruta, bytes)) {
        plataforma.Mensaje("No se pudo abrir el archivo " + ruta, titulo, Icono::Advertencia);
        return false;
    }
    // Items end at a comma or a line end; blanks inside an item are ignored.
    vector.assign(1, 0.0f);
    LectorDelimitado in(std::move(bytes));
    std::string linea;
    bool seguir = true;
    while (seguir && in.LeerLinea(linea)) {
        for (std::string item : ItemsDeLinea(linea)) {
            if (item.empty() || item == "NULL") {
                seguir = false;
                break;
            }
            std::string sinBlancos;
            for (char c : item)
                if (c != ' ' && c != '\t') sinBlancos += c;
            float v;
            if (!AFloat(ValorInicial(sinBlancos), v)) {
                plataforma.Mensaje("Valor fuera de rango en " + ruta + ", dato" +
                                       TextoBlanco(static_cast<int64_t>(vector.size())) + ": " + item,
                                   titulo, Icono::Advertencia);
                return false;
            }
            vector.push_back(v);
        }
    }
    const size_t cuenta = vector.size() - 1;
    img.NroDatos = static_cast<int32_t>(std::min<size_t>(cuenta, INT32_MAX));

    double menor = 999999999, mayor = -999999999;
    for (size_t i = 1; i <= cuenta; ++i) {
        const double v = vector[i];
        if (v < menor) menor = RedondearEntero(v);
        if (v > mayor) mayor = RedondearEntero(v);
    }
    if (cuenta > 0 && mayor == menor) {
        plataforma.Mensaje("Todos los valores del archivo " + ruta +
                               " son iguales (amplitud cero): no se puede convertir.",
                           titulo, Icono::Advertencia);
        return false;
    }
    std::string salida;
    for (size_t i = 1; i <= cuenta; ++i) {
        const double escalado = RedondearEntero(static_cast<double>(vector[i]) / (mayor - menor) * (MAX - MIN));
        // Finite values keep this far below 2^63; the test guards the conversion.
        if (!(std::fabs(escalado) < 9.2e18)) {
            plataforma.Mensaje("No se puede convertir el archivo " + ruta + ": valor escalado fuera de rango.",
                               titulo, Icono::Advertencia);
            return false;
        }
        salida += NumeroArchivo(static_cast<int64_t>(escalado));
        salida += "\r\n";
    }
    if (Resultado r = GuardarArchivo(carpeta + nombre + ".txt", salida); !r) {
        plataforma.Mensaje(r.mensaje, titulo, Icono::Advertencia);
        return false;
    }
    return true;
}

}  // namespace tarno
