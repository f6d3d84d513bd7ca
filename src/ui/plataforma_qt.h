// Qt implementation of the platform interface: message boxes, input boxes,
// file dialogs, the settings store and the clock.
#pragma once

#include <QWidget>
#include <QPointer>

#include "base/plataforma.h"

class QTranslator;

namespace tarno::ui {

/// Installs Qt's own Spanish texts (standard buttons, file and page set-up
/// dialogs) from Qt's translations folder. Returns the translator installed
/// (owned by the application), or nullptr when the catalogue is not there.
QTranslator* CargarTraduccionesQt();

class PlataformaQt : public Plataforma {
public:
    explicit PlataformaQt(QWidget* padre = nullptr) : padre_(padre) {}
    void FijarPadre(QWidget* padre) { padre_ = padre; }

    Respuesta Mensaje(const std::string& texto, const std::string& titulo, Icono icono,
                      Botones botones) override;
    Respuesta MensajeConCasilla(const std::string& texto, const std::string& titulo, Icono icono, Botones botones,
                                const std::string& casilla, bool& marcada) override;
    std::string Entrada(const std::string& mensaje, const std::string& titulo,
                        const std::string& porDefecto) override;
    std::string AbrirArchivo(const std::string& titulo, const std::string& filtro,
                             const std::string& carpeta) override;
    std::string GuardarArchivoComo(const std::string& titulo, const std::string& filtro,
                                   const std::string& nombre) override;
    bool ImprimirImagen(const std::string& png, const std::string& titulo) override;
    bool AbrirDocumento(const std::string& ruta) override;
    double Hora() override;
    /// Settings store: QSettings of the application title, group `seccion`.
    std::string LeerAjuste(const std::string& seccion, const std::string& clave,
                           const std::string& porDefecto) override;
    void GuardarAjuste(const std::string& seccion, const std::string& clave,
                       const std::string& valor) override;

    /// Turns "description|pattern|description|pattern" into Qt's
    /// "description (pattern);;description (pattern)".
    static QString FiltroQt(const std::string& filtro);

private:
    QWidget* Padre() const;
    Respuesta Caja(const std::string& texto, const std::string& titulo, Icono icono, Botones botones,
                   const std::string* casilla, bool& marcada);
    QPointer<QWidget> padre_;
};

}  // namespace tarno::ui
