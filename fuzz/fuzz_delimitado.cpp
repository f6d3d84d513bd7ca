// Delimited text: items read in any order of kinds from any bytes, then the
// items read written again and read back the same, and any bytes as a text
// item through the writer and the reader.
#include <cmath>

#include "comun.h"
#include "raster/codificacion.h"
#include "raster/delimitado.h"
#include "raster/numeros.h"

using namespace tarno;
using namespace tarno::fuzz;

namespace {

struct Item {
    int tipo;  // 0 text, 1 float, 2 double, 3 int32, 4 int16
    std::string texto;
    double numero = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo == 0) return 0;
    // The first byte chooses the kinds of the items to read.
    const uint8_t kinds = datos[0];
    std::string bytes(reinterpret_cast<const char*>(datos) + 1, largo - 1);

    // Any bytes read as one text and written: read back the same.
    {
        const std::string utf8 = Cp1252AUtf8(bytes);
        FUZZ_EXIGIR(Utf8ACp1252(utf8) == bytes);
        std::string sinFines = utf8;
        for (char& c : sinFines)
            if (c == '\r' || c == '\n') c = ' ';
        EscritorDelimitado out;
        out.Texto(utf8).Numero(1.0f).FinLinea().Texto(utf8);
        LectorDelimitado in(out.Bytes());
        std::string t;
        float f;
        FUZZ_EXIGIR(in.LeerTexto(t) && t == sinFines);
        FUZZ_EXIGIR(in.LeerFloat(f) && f == 1.0f);
        FUZZ_EXIGIR(in.LeerTexto(t) && t == sinFines);
        FUZZ_EXIGIR(in.AlFinal());
    }

    LectorDelimitado in(bytes);
    std::vector<Item> items;
    for (int k = 0; k < 64 && !in.AlFinal(); ++k) {
        const size_t antes = in.Posicion();
        Item it;
        it.tipo = ((kinds >> (k % 4 * 2)) & 3) + (k % 5 == 4 ? 1 : 0);
        bool ok = false;
        switch (it.tipo) {
            case 0: ok = in.LeerTexto(it.texto); break;
            case 1: {
                float f;
                ok = in.LeerFloat(f);
                it.numero = f;
                break;
            }
            case 2: ok = in.LeerDouble(it.numero); break;
            case 3: {
                int32_t e;
                ok = in.LeerEntero32(e);
                it.numero = e;
                break;
            }
            default: {
                int16_t e;
                ok = in.LeerEntero16(e);
                it.numero = e;
                break;
            }
        }
        FUZZ_EXIGIR(in.Posicion() <= bytes.size());
        if (!ok) {
            FUZZ_EXIGIR(!in.FueraDeRango() || in.NoNumerico());
            if (!in.NoNumerico()) break;
            FUZZ_EXIGIR(in.Posicion() > antes);  // a refused item is passed over
            continue;
        }
        FUZZ_EXIGIR(it.tipo == 0 || std::isfinite(it.numero));
        FUZZ_EXIGIR(in.Posicion() > antes);
        items.push_back(it);
    }
    // What was read, written and read again, is the same.
    EscritorDelimitado out;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.tipo == 0) out.Texto(it.texto);
        else if (it.tipo == 1) out.Numero(static_cast<float>(it.numero));
        else if (it.tipo == 2) out.Numero(it.numero);
        else out.Numero(static_cast<int64_t>(it.numero));
        if (i % 3 == 2) out.FinLinea();
    }
    LectorDelimitado otra(out.Bytes());
    for (const Item& it : items) {
        if (it.tipo == 0) {
            std::string t;
            FUZZ_EXIGIR(otra.LeerTexto(t));
            std::string esperado = it.texto;
            for (char& c : esperado)
                if (c == '\r' || c == '\n') c = ' ';
            FUZZ_EXIGIR(Utf8ACp1252(t) == Utf8ACp1252(esperado));
        } else if (it.tipo == 1) {
            float f;
            FUZZ_EXIGIR(otra.LeerFloat(f));
            FUZZ_EXIGIR(NumeroArchivo(f) == NumeroArchivo(static_cast<float>(it.numero)));
        } else if (it.tipo == 2) {
            double d;
            FUZZ_EXIGIR(otra.LeerDouble(d));
            FUZZ_EXIGIR(NumeroArchivo(d) == NumeroArchivo(it.numero));
        } else {
            int32_t e;
            FUZZ_EXIGIR(otra.LeerEntero32(e) && e == it.numero);
        }
    }
    FUZZ_EXIGIR(otra.AlFinal());
    std::string linea;
    LectorDelimitado lineas(bytes);
    while (lineas.LeerLinea(linea)) {
    }
    return 0;
}
