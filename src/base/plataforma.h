// The platform interface: every message box, question, input box, file dialog
// and clock reading of the system goes through it. The Qt implementation lives
// in the user interface; tests use a scripted fake that records every message.
#pragma once

#include <string>

namespace tarno {

enum class Icono { Ninguno, Advertencia, Informacion, Pregunta, Critico };
enum class Botones { Aceptar, AceptarCancelar, SiNo };
enum class Respuesta { Aceptar, Cancelar, Si, No };

class Plataforma {
public:
    virtual ~Plataforma() = default;

    /// Modal message box; returns the button pressed. An empty title means the
    /// application's title.
    virtual Respuesta Mensaje(const std::string& texto, const std::string& titulo = "",
                              Icono icono = Icono::Ninguno,
                              Botones botones = Botones::Aceptar) = 0;

    /// Message box with a check box under the text (caption `casilla`) that
    /// starts as `marcada` and is left there as the user chose it. Platforms
    /// without one show the plain message and leave `marcada` as it was.
    virtual Respuesta MensajeConCasilla(const std::string& texto, const std::string& titulo, Icono icono,
                                        Botones botones, const std::string& casilla, bool& marcada) {
        (void)casilla;
        (void)marcada;
        return Mensaje(texto, titulo, icono, botones);
    }

    /// Input box with prompt, title and default text. Returns the text typed,
    /// or an empty text when the user cancels.
    virtual std::string Entrada(const std::string& mensaje, const std::string& titulo,
                                const std::string& porDefecto) = 0;

    /// File-open dialog. `filtro` holds "description|pattern" pairs separated
    /// by "|". Returns the chosen full path or an empty text.
    virtual std::string AbrirArchivo(const std::string& titulo, const std::string& filtro,
                                     const std::string& carpeta = "") = 0;

    /// File-save dialog proposing `nombre`; returns the chosen full path or
    /// an empty text. Platforms without dialogs return an empty text.
    virtual std::string GuardarArchivoComo(const std::string& titulo, const std::string& filtro,
                                           const std::string& nombre) {
        (void)titulo;
        (void)filtro;
        (void)nombre;
        return {};
    }

    /// Prints a picture (PNG bytes) on a page after the print dialog; false
    /// when nothing was printed.
    virtual bool ImprimirImagen(const std::string& png, const std::string& titulo) {
        (void)png;
        (void)titulo;
        return false;
    }

    /// Opens a file in the system's viewer for its kind (a page in the
    /// browser); false when none could be started.
    virtual bool AbrirDocumento(const std::string& ruta) {
        (void)ruta;
        return false;
    }

    /// Time of day as a fraction of a day (0 <= t < 1).
    virtual double Hora() = 0;

    /// Seconds since midnight.
    double Segundos() { return Hora() * 86400.0; }

    /// Per-user settings store: the text stored under `seccion`/`clave`, or
    /// `porDefecto` when there is none. Platforms without a store keep nothing.
    virtual std::string LeerAjuste(const std::string& seccion, const std::string& clave,
                                   const std::string& porDefecto) {
        (void)seccion;
        (void)clave;
        return porDefecto;
    }
    /// Stores a text under `seccion`/`clave`; failures are ignored.
    virtual void GuardarAjuste(const std::string& seccion, const std::string& clave,
                               const std::string& valor) {
        (void)seccion;
        (void)clave;
        (void)valor;
    }
};

}  // namespace tarno
