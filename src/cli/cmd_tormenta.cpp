// `tarno tormenta`: a design storm written as a hyetograph file.
#include <cstdio>
#include <string>

#include "cli/comandos.h"
#include "model/tormenta.h"
#include "raster/numeros.h"

namespace tarno::cli {

namespace {

const char* const kUso =
    "uso: tarno tormenta SALIDA_Pp.rkd --tipo bloques --idf A,B,C --dur MIN --paso MIN [--rec AÑOS] [--titulo T]\n"
    "     tarno tormenta SALIDA_Pp.rkd --tipo scs2 --pp MM --paso MIN [--dur HORAS] [--rec AÑOS] [--titulo T]\n"
    "     tarno tormenta SALIDA_Pp.rkd --tipo uniforme --pp MM --dur MIN --paso MIN [--rec AÑOS] [--titulo T]\n";

bool Numero(const std::string& texto, double& v) { return ConvertirDouble(texto, v); }

}  // namespace

int Tormenta(const Argumentos& args) {
    OpcionesTormenta op;
    std::string salida, tipo;
    bool idf = false, pp = false, dur = false, paso = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool conValor = a.size() > 2 && a.rfind("--", 0) == 0;
        if (conValor && i + 1 >= args.size()) return std::fprintf(stderr, "%s: falta el valor\n%s", a.c_str(), kUso), 2;
        double v = 0;
        if (a == "--tipo") {
            tipo = args[++i];
        } else if (a == "--titulo") {
            op.titulo = args[++i];
        } else if (a == "--idf") {
            const std::string t = args[++i];
            const size_t c1 = t.find(','), c2 = c1 == std::string::npos ? c1 : t.find(',', c1 + 1);
            if (c2 == std::string::npos || !Numero(t.substr(0, c1), op.A) ||
                !Numero(t.substr(c1 + 1, c2 - c1 - 1), op.B) || !Numero(t.substr(c2 + 1), op.C))
                return std::fprintf(stderr, "--idf: se esperaba A,B,C (i = A / (d + B)^C, mm/h, d en minutos)\n"), 2;
            idf = true;
        } else if (a == "--dur" || a == "--paso" || a == "--pp" || a == "--rec") {
            if (!Numero(args[++i], v))
                return std::fprintf(stderr, "%s: valor no numérico: %s\n", a.c_str(), args[i].c_str()), 2;
            if (a == "--dur") op.duracion = v, dur = true;
            if (a == "--pp") op.pp = v, pp = true;
            if (a == "--paso") {
                if (v != static_cast<double>(static_cast<int32_t>(v)))
                    return std::fprintf(stderr, "--paso: el intervalo debe ser un número entero de minutos\n"), 2;
                op.paso = static_cast<int32_t>(v), paso = true;
            }
            if (a == "--rec") op.rec = static_cast<int32_t>(v);
        } else if (!conValor && salida.empty()) {
            salida = a;
        } else {
            return std::fprintf(stderr, "argumento inesperado: %s\n%s", a.c_str(), kUso), 2;
        }
    }
    if (salida.empty() || !paso) return std::fprintf(stderr, "%s", kUso), 2;
    if (tipo == "bloques") {
        if (!idf || !dur) return std::fprintf(stderr, "--tipo bloques necesita --idf y --dur\n%s", kUso), 2;
        op.tipo = TipoTormenta::Bloques;
    } else if (tipo == "scs2") {
        if (!pp) return std::fprintf(stderr, "--tipo scs2 necesita --pp\n%s", kUso), 2;
        op.tipo = TipoTormenta::SCS2;
    } else if (tipo == "uniforme") {
        if (!pp || !dur) return std::fprintf(stderr, "--tipo uniforme necesita --pp y --dur\n%s", kUso), 2;
        op.tipo = TipoTormenta::Uniforme;
    } else {
        return std::fprintf(stderr, "--tipo: use bloques, scs2 o uniforme\n%s", kUso), 2;
    }
    Pluviograma pv;
    if (Resultado r = GenerarTormenta(op, pv); !r) return std::fprintf(stderr, "%s\n", r.mensaje.c_str()), 2;
    if (Resultado r = EscribirPluviograma(salida, pv); !r) return std::fprintf(stderr, "%s\n", r.mensaje.c_str()), 1;
    std::printf("Pluviograma escrito: %s\n", salida.c_str());
    std::printf("Título:              %s\n", pv.Titulo.c_str());
    std::printf("Lluvia total [mm]:   %s\n", NumeroArchivo(pv.LluviaTotal).c_str());
    std::printf("Intervalo [min]:     %d\n", static_cast<int>(pv.Paso));
    std::printf("Puntos:              %d\n", static_cast<int>(pv.NroDatos));
    return 0;
}

}  // namespace tarno::cli
