// PNG encoding of a rendered picture, written through the safe file writer.
#pragma once

#include <QImage>
#include <string>

#include "base/resultado.h"

namespace tarno::visor {

Resultado GuardarPNG(const QImage& imagen, const std::string& ruta);

}  // namespace tarno::visor
