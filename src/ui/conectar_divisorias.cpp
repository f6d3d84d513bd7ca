// The divide depuration command of the simulation menu.
#include "comandos/depurar_divisorias.h"
#include "ui/conexiones.h"
#include "ui/frm_main.h"

namespace tarno::ui {

void mnuDepurarDivisorias_Click(FrmMain0& v) {
    EstadoApp& estado = v.Estado();
    v.RelojArena(true);
    ComandoDepurarDivisorias(estado.par, estado.img, v.Plat());
    v.RelojArena(false);
}

TablaComandos ComandosDivisorias(FrmMain0& ventana) {
    FrmMain0* w = &ventana;
    return {{"mnuDepurarDivisorias", "Depurar Divisorias y Fronteras", Menu::Simulador,
             [w] { mnuDepurarDivisorias_Click(*w); }}};
}

}  // namespace tarno::ui
