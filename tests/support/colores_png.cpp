// Prints the number of distinct colours of a PNG picture (for the test that
// checks a browser's screenshot is not blank).
#include <QImage>
#include <QSet>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: colores_png IMAGEN.png\n");
        return 2;
    }
    const QImage imagen = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (imagen.isNull()) {
        std::fprintf(stderr, "no se pudo leer %s\n", argv[1]);
        return 1;
    }
    QSet<QRgb> colores;
    for (int y = 0; y < imagen.height(); ++y) {
        const auto* linea = reinterpret_cast<const QRgb*>(imagen.constScanLine(y));
        for (int x = 0; x < imagen.width(); ++x) colores.insert(linea[x]);
    }
    std::printf("%lld\n", static_cast<long long>(colores.size()));
    return 0;
}
