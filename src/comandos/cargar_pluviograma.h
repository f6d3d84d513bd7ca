// The hyetograph loader: the file chosen in a dialog or given by name, read
// into the run's hyetograph with its warnings and the report for the board.
#pragma once

#include <functional>
#include <string>

#include "model/pluviograma.h"
#include "base/plataforma.h"

namespace tarno {

inline constexpr const char* kTituloDialogoPluviograma =
    "Cargar archivo de Pluviograma de la tormenta (archivo extensión ??_Pp.rkd)";
inline constexpr const char* kFiltroPluviograma = "Archivos Pp de TARNO-SIG (*_Pp.rkd)|*_Pp.rkd";

/// What a load did, for the window that shows it.
struct CargaPluviograma {
    enum class Estado {
        Cancelada,     // no file chosen: nothing changed
        SinArchivo,    // folder or name missing: warned, nothing loaded
        ErrorLectura,  // the file could not be read whole: no message; the board
                       // is shown with an empty text and the dialog is not refilled
        Cargada,       // loaded (possibly with the inconsistency warning)
    };
    Estado estado = Estado::Cancelada;
    std::string etiqueta;   // caption of lblPpArchivo: folder + name (set once a path was chosen)
    std::string informe;    // report for the board (Cargada)
    bool inconsistente = false;  // last cumulative value differs from the total

    /// True when the board window must be shown with `informe` (empty when
    /// the read failed).
    bool MostrarPizarra() const { return estado == Estado::ErrorLectura || estado == Estado::Cargada; }
    /// True when the options dialog must be filled again from the record.
    bool ReiniciarOpciones() const { return estado == Estado::Cargada; }
};

/// Loads the hyetograph file `ruta` (a path already chosen) into `pv`, showing
/// the missing-file and inconsistency warnings through `plataforma`. Once the
/// path passed its checks and before the file is read, `mostrarPizarra` (when
/// given) shows the board window cleared, so that a warning of the load comes
/// over it.
CargaPluviograma CargarPluviograma(const std::string& ruta, Pluviograma& pv, Plataforma& plataforma,
                                   const std::function<void()>& mostrarPizarra = {});

/// The whole load command: asks for the file with the platform's file dialog,
/// then loads it as `CargarPluviograma` does.
CargaPluviograma CargarPluviogramaDialogo(Pluviograma& pv, Plataforma& plataforma,
                                          const std::function<void()>& mostrarPizarra = {});

}  // namespace tarno
