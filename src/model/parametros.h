// The model parameter record: every setting of a simulation run and the
// custom palette classes. It checks nothing itself; the options dialog
// enforces the ranges. A default-constructed record holds the start-up values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarno {

inline constexpr const char* kSinArchivo = "sin archivo seleccionado";

struct Parametros {
    float ResolucionX = 67.5f;      // m, cell width (overwritten by DEM loading)
    float ResolucionY = 92.8f;      // m, cell height
    float Pp = 60.0f;               // mm, design-storm rain depth
    int16_t Dur = 60;               // min, design-storm duration
    int16_t Rec = 0;                // years, recurrence
    float KRecesion = 9999999.0f;   // min, recession constant Kr
    float FactorRes = 10.0f;        // Emmett flow-resistance factor
    float Manning = 0.04f;          // Manning roughness n
    int32_t Px1 = 0;                // rain sub-area: first column
    int32_t Px2 = 0;                // last column (9999999 = last of the grid)
    int32_t Py1 = 0;                // first row
    int32_t Py2 = 0;                // last row (9999999 = last of the grid)
    float PasoPp = 1.0f;            // min, computation step
    int16_t PasoQ = 10;             // min, output step
    std::string ArchivoDEM;         // DEM data file name without folder
    std::string DirDEM;             // DEM folder, ending in the folder separator
    int32_t fHidro1 = 0, cHidro1 = 0;  // "desde" cell of the cross-section
    int32_t fHidro2 = 0, cHidro2 = 0;  // "hasta" cell of the cross-section
    int32_t nPer = 120;             // number of periods
    std::string ArchivoUnKOLT;      // raster of the cell-sum query
    std::string DirUnKOLT;
    int32_t fConsulta1 = 0, cConsulta1 = 0, fConsulta2 = 0, cConsulta2 = 0;
    float DivValor = 0;             // value of crest cells in the divide explorer
    float DivQmin = 0;              // m3/s, 0 = automatic
    float DivHmin = 0;              // m, 0 = automatic
    float DivValorRes = 0;          // value of the remaining cells
    bool Div = false;               // divide explorer on
    bool DivMetodoQmin = false;     // true: Q method; false: Q and H method
    bool DivResQM = false;          // remaining cells get their maximum discharge
    bool PpArchivo = false;         // storm from a loaded hyetograph
    int16_t Metodo = 0;             // 0 = cascade, 1 = surface and channel flow
    int16_t AreaPp = 0;             // 0 = whole grid, 1 = sub-area

    // Extensions of the model; every default is the plain model.
    int16_t Perdidas = 0;           // losses: 0 none, 1 initial and constant, 2 SCS curve number
    float PerdidaInicial = 0;       // mm, initial loss (Perdidas = 1)
    float PerdidaContinua = 0;      // mm/h, constant loss rate (Perdidas = 1)
    float NumeroCurva = 100;        // SCS curve number (Perdidas = 2)
    float RelacionIa = 0.2f;        // initial abstraction over S (Perdidas = 2)
    std::string ArchivoNumeroCurva; // raster image of one curve number per cell (empty: NumeroCurva)
    int16_t BordeAbierto = 0;       // 1: water leaves through the grid's and the basin's edge
    int16_t ConservarMasa = 0;      // 1 (surface flow): inflow after a cell's turn kept for the next period
    int16_t PasoAutomatico = 0;     // 1 (surface flow): each period cut into sub-steps by the Courant number
    float Courant = 0.7f;           // largest Courant number of the automatic step

    // Custom palette classes (display values 0..255).
    int16_t NroClases = 4;
    std::array<double, 6> hastaPixel{0, 50, 150, 255, 255, 255};
    std::array<int16_t, 6> colorRa{0, 255, 0, 0, 0, 0};
    std::array<int16_t, 6> colorGa{0, 255, 250, 0, 0, 0};
    std::array<int16_t, 6> colorBa{0, 255, 255, 0, 0, 0};
    std::array<int16_t, 6> colorRb{0, 0, 0, 0, 255, 255};
    std::array<int16_t, 6> colorGb{0, 255, 0, 0, 255, 255};
    std::array<int16_t, 6> colorBb{0, 255, 255, 210, 255, 255};
};

/// Start-up initialisation: puts every field back to its start-up value.
inline void InicializarParametros(Parametros& p) { p = Parametros{}; }

}  // namespace tarno
