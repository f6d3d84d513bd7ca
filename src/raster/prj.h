// The coordinate system of an image, kept beside it as base + ".prj" (WKT
// text, the GIS convention), where the image is base + "_dat.rkd". Nothing in
// the core reads it: writers of an image made from another copy it, so the
// coordinate system follows the image through runs, tools and save-as.
#pragma once

#include <string>

#include "base/resultado.h"

namespace tarno {

/// base + ".prj" for the data file `nombreDat` (its name less the last eight
/// characters, the "_dat.rkd").
std::string NombrePrj(const std::string& nombreDat);

/// Makes the coordinate system of the image `destinoDat` the one of
/// `fuenteDat`: copies the source's .prj (written safely) when it has one;
/// when it has none, removes a .prj that an earlier image of the destination's
/// name left, so no stale coordinate system is claimed. Same names: nothing.
Resultado SeguirPrj(const std::string& fuenteDat, const std::string& destinoDat);

}  // namespace tarno
