// Scripted platform for tests: answers questions from a queue and records
// every message, input box and file dialog with its texts.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/plataforma.h"

namespace tarno::prueba {

struct MensajeRegistrado {
    std::string texto;
    std::string titulo;
    Icono icono;
    Botones botones;
};

class PlataformaFalsa : public Plataforma {
public:
    std::vector<MensajeRegistrado> mensajes;
    std::vector<std::string> preguntasEntrada;   // prompts of input boxes
    std::vector<std::string> titulosDialogo;     // titles of file dialogs
    std::vector<std::string> filtrosDialogo;
    std::deque<Respuesta> respuestas;           // next answers to message boxes
    std::deque<std::string> entradas;           // next answers to input boxes
    std::deque<std::string> archivos;           // next answers to file dialogs
    std::vector<std::string> porDefectoEntrada;
    double hora = 0.5;                          // fraction of a day
    double pasoHora = 0.0;                      // added after every reading
    std::map<std::string, std::string> ajustes; // settings store, "seccion/clave" -> text

    Respuesta Mensaje(const std::string& texto, const std::string& titulo, Icono icono,
                      Botones botones) override {
        mensajes.push_back({texto, titulo, icono, botones});
        if (!respuestas.empty()) {
            Respuesta r = respuestas.front();
            respuestas.pop_front();
            return r;
        }
        switch (botones) {
            case Botones::SiNo: return Respuesta::Si;
            default: return Respuesta::Aceptar;
        }
    }
    std::deque<bool> casillas;               // next choices of message check boxes
    std::vector<std::string> textosCasilla;  // captions of the check boxes shown
    Respuesta MensajeConCasilla(const std::string& texto, const std::string& titulo, Icono icono, Botones botones,
                                const std::string& casilla, bool& marcada) override {
        textosCasilla.push_back(casilla);
        if (!casillas.empty()) {
            marcada = casillas.front();
            casillas.pop_front();
        }
        return Mensaje(texto, titulo, icono, botones);
    }
    std::string Entrada(const std::string& mensaje, const std::string& titulo,
                        const std::string& porDefecto) override {
        preguntasEntrada.push_back(mensaje + "|" + titulo);
        porDefectoEntrada.push_back(porDefecto);
        if (entradas.empty()) return porDefecto;
        std::string r = entradas.front();
        entradas.pop_front();
        return r;
    }
    std::string AbrirArchivo(const std::string& titulo, const std::string& filtro,
                             const std::string&) override {
        titulosDialogo.push_back(titulo);
        filtrosDialogo.push_back(filtro);
        if (archivos.empty()) return {};
        std::string r = archivos.front();
        archivos.pop_front();
        return r;
    }
    std::deque<std::string> guardados;        // next answers to save dialogs
    std::vector<std::string> nombresGuardar;  // names the save dialogs proposed
    std::vector<std::string> impresos;        // PNG bytes printed
    std::vector<std::string> documentos;      // files opened in the system's viewer
    std::string GuardarArchivoComo(const std::string& titulo, const std::string& filtro,
                                   const std::string& nombre) override {
        titulosDialogo.push_back(titulo);
        filtrosDialogo.push_back(filtro);
        nombresGuardar.push_back(nombre);
        if (guardados.empty()) return {};
        std::string r = guardados.front();
        guardados.pop_front();
        return r;
    }
    bool ImprimirImagen(const std::string& png, const std::string&) override {
        impresos.push_back(png);
        return true;
    }
    bool AbrirDocumento(const std::string& ruta) override {
        documentos.push_back(ruta);
        return true;
    }
    double Hora() override {
        double h = hora;
        hora += pasoHora;
        return h;
    }

    std::string LeerAjuste(const std::string& seccion, const std::string& clave,
                           const std::string& porDefecto) override {
        auto it = ajustes.find(seccion + "/" + clave);
        return it == ajustes.end() ? porDefecto : it->second;
    }
    void GuardarAjuste(const std::string& seccion, const std::string& clave,
                       const std::string& valor) override {
        ajustes[seccion + "/" + clave] = valor;
    }

    const MensajeRegistrado& Ultimo() const { return mensajes.back(); }
};

}  // namespace tarno::prueba
