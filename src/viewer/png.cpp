#include "viewer/png.h"

#include <QBuffer>
#include <QByteArray>

#include "raster/archivos.h"

namespace tarno::visor {

Resultado GuardarPNG(const QImage& imagen, const std::string& ruta) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (imagen.isNull() || !imagen.save(&buffer, "PNG"))
        return Resultado::Falla("No se pudo codificar la imagen PNG " + ruta);
    return GuardarArchivo(ruta, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace tarno::visor
