// The run driver against a literal, slow rendering of the period loop: cells
// sorted by the exchange sort, both passes in processing order, thresholds
// updated at every cell, the section list scanned for every routed cell and
// the largest discharge recomputed after every period. The fast driver must
// give the same numbers bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "comandos/cargar_dem.h"
#include "model/correr_modelo.h"
#include "raster/numeros.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"

using namespace tarno;

namespace {

struct Literal {
    Grilla<float> Cota, Aporte, QEntrada, QSalida, HMax, QMax;
    Grilla<double> Nivel;
    std::vector<float> QPeriodo;
    float QSeccionMin = 1e8f, QSeccionMax = -1e8f, Escorrentia = 0, NivelMaxSeccion = 0;
    float QminAuto = 999999, HminAuto = 999999, QMaxMayor = 0, AlmacenamientoSup = 0;

    void Correr(const Parametros& par) {
        const int32_t nf = Cota.Filas(), nc = Cota.Columnas();
        for (auto* g : {&Aporte, &QEntrada, &QSalida, &HMax, &QMax}) g->Redimensionar(nf, nc);
        Nivel.Redimensionar(nf, nc);
        // Exchange sort.
        const int n = nf * nc;
        std::vector<int32_t> of(n + 1), oc(n + 1);
        std::vector<float> oz(n + 1);
        int k = 0;
        for (int i = 1; i <= nf; ++i)
            for (int j = 1; j <= nc; ++j) {
                ++k;
                oz[k] = Cota(i, j);
                of[k] = i;
                oc[k] = j;
            }
        for (int a = 1; a <= n; ++a)
            for (int m = a; m <= n; ++m)
                if (oz[m] > oz[a]) {
                    std::swap(oz[m], oz[a]);
                    std::swap(of[m], of[a]);
                    std::swap(oc[m], oc[a]);
                }
        // Section.
        std::vector<int32_t> sf{0}, sc{0};
        const int32_t nF = par.fHidro2 - par.fHidro1 + 1, nC = par.cHidro2 - par.cHidro1 + 1;
        if (par.fHidro1 > 0 && par.cHidro1 > 0) {
            if (nC < nF)
                for (int32_t i = par.fHidro1; i <= par.fHidro2; ++i) {
                    sf.push_back(i);
                    sc.push_back(static_cast<int32_t>(std::floor(double(nC) / nF * (i - par.fHidro1))) + par.cHidro1);
                }
            else
                for (int32_t j = par.cHidro1; j <= par.cHidro2; ++j) {
                    sc.push_back(j);
                    sf.push_back(static_cast<int32_t>(std::floor(double(nF) / nC * (j - par.cHidro1))) + par.fHidro1);
                }
        }
        const int nSec = static_cast<int>(sf.size()) - 1;
        QPeriodo.assign(static_cast<size_t>(par.nPer) + 1, 0.0f);
        float lluviaPeriodo = static_cast<float>(double(par.Pp) / double(float(par.Dur)) * double(par.PasoPp));
        for (int i = 0; i <= nf; ++i)
            for (int j = 0; j <= nc; ++j) Nivel(i, j) = Cota(i, j);
        for (int32_t periodo = 1; periodo <= par.nPer; ++periodo) {
            if (double(par.PasoPp) * periodo - par.Dur > 0.01) lluviaPeriodo = 0;
            auto mascara = [&](int32_t i, int32_t j, float l) {
                if (par.AreaPp == 1 && (i < par.Py1 || i > par.Py2 || j < par.Px1 || j > par.Px2)) return 0.0f;
                return l;
            };
            for (int kk = 1; kk <= n; ++kk) {
                const int32_t i = of[kk], j = oc[kk];
                float lluviaPaso = mascara(i, j, lluviaPeriodo);
                Aporte(i, j) = 0;
                if (par.Metodo == 0) Nivel(i, j) = Nivel(i, j) + double(lluviaPaso) / 1000;
                QEntrada(i, j) = 0;
            }
            for (int kk = 1; kk <= n; ++kk) {
                const int32_t I = of[kk], J = oc[kk];
                double Caida1 = 0, Caida2 = 0, Caida3 = 0, Caida4 = 0, DeltaNivel = 0;
                float lluviaPaso = lluviaPeriodo;
                double q = double(lluviaPaso) * 4 * par.ResolucionX * par.ResolucionY / par.PasoPp / 60000;
                if (par.DivQmin == 0 && q < QminAuto && lluviaPaso != 0) QminAuto = float(q);
                if (par.DivHmin == 0 && double(lluviaPaso) / 1000 < HminAuto && lluviaPaso != 0)
                    HminAuto = float(double(lluviaPaso) * 4 / 1000);
                lluviaPaso = mascara(I, J, lluviaPaso);
                if (Cota(I, J) > 0) {
                    Cascada(par, I, J, Caida1, Caida2, Caida3, Caida4, DeltaNivel);
                    for (int m = 1; m <= nSec; ++m)
                        if (sf[m] == I && sc[m] == J) {
                            float& qp = QPeriodo[static_cast<size_t>(periodo)];
                            qp = float(double(qp) + Redondear(QSalida(I, J), 3));
                            if (qp < QSeccionMin) QSeccionMin = qp;
                            if (qp > QSeccionMax) QSeccionMax = qp;
                            double nm = Redondear(double(Cota(I, J)) + double(HMax(I, J)), 3);
                            if (NivelMaxSeccion < nm) NivelMaxSeccion = float(nm);
                            Escorrentia = float(double(Escorrentia) + double(par.PasoPp) * QSalida(I, J) * 60);
                        }
                } else {
                    QSalida(I, J) = 0;
                    Nivel(I, J) = 0;
                    Aporte(I, J) = 0;
                }
            }
            QMaxMayor = 0;
            for (int i = 1; i <= nf; ++i)
                for (int j = 1; j <= nc; ++j)
                    if (QMax(i, j) > QMaxMayor) QMaxMayor = QMax(i, j);
        }
        for (int i = 1; i <= nf; ++i)
            for (int j = 1; j <= nc; ++j)
                if (Cota(i, j) > 0)
                    AlmacenamientoSup = float(double(AlmacenamientoSup) +
                                              (Nivel(i, j) - Cota(i, j)) * par.ResolucionX * par.ResolucionY);
    }

    void Cascada(const Parametros& par, int32_t I, int32_t J, double& Caida1, double& Caida2, double& Caida3,
                 double& Caida4, double& DeltaNivel) {
        const int32_t nf = Cota.Filas(), nc = Cota.Columnas();
        const int32_t fi[5] = {0, I - 1, I, I + 1, I};
        const int32_t co[5] = {0, J, J + 1, J, J - 1};
        double* d[5] = {nullptr, &Caida1, &Caida2, &Caida3, &Caida4};
        auto existe = [&](int n) { return fi[n] >= 1 && fi[n] <= nf && co[n] >= 1 && co[n] <= nc; };
        for (int n = 1; n <= 4; ++n) {
            if (!existe(n)) continue;
            if (Nivel(I, J) > Nivel(fi[n], co[n])) {
                if (Cota(fi[n], co[n]) > 0) {
                    *d[n] = std::fabs(Nivel(I, J) - Nivel(fi[n], co[n]));
                    if (float(Nivel(fi[n], co[n])) < Cota(I, J)) *d[n] = std::fabs(Nivel(I, J) - Cota(I, J));
                } else {
                    *d[n] = 0;
                }
            } else {
                *d[n] = 0;
            }
        }
        DeltaNivel = Caida1 + Caida2 + Caida3 + Caida4;
        double NroBajada = 0;
        for (int n = 1; n <= 4; ++n)
            if (*d[n] > 0) NroBajada += 1;
        if (DeltaNivel > 0 && NroBajada > 0)
            for (int n = 1; n <= 4; ++n) *d[n] = *d[n] / (NroBajada + 1);
        else
            Caida1 = Caida2 = Caida3 = Caida4 = 0;
        DeltaNivel = Caida1 + Caida2 + Caida3 + Caida4;
        for (int n = 1; n <= 4; ++n) *d[n] = *d[n] * std::pow(2.7183, -double(par.PasoPp) / double(par.KRecesion));
        DeltaNivel = Caida1 + Caida2 + Caida3 + Caida4;
        if (!(DeltaNivel > 0)) {
            Caida1 = Caida2 = Caida3 = Caida4 = 0;
        } else {
            double h = std::fabs(Nivel(I, J) - Cota(I, J));
            if (h < DeltaNivel) {
                double f = h / DeltaNivel;
                DeltaNivel = h;
                for (int n = 1; n <= 4; ++n) *d[n] = *d[n] * f;
            }
        }
        for (int n = 1; n <= 4; ++n) {
            if (!existe(n)) continue;
            Nivel(fi[n], co[n]) = Nivel(fi[n], co[n]) + *d[n];
            if (Cota(fi[n], co[n]) > 0) Aporte(fi[n], co[n]) = float(Aporte(fi[n], co[n]) + *d[n]);
        }
        if (Nivel(I, J) - Cota(I, J) > HMax(I, J)) HMax(I, J) = float(Nivel(I, J) - Cota(I, J));
        Nivel(I, J) = Nivel(I, J) - DeltaNivel;
        QSalida(I, J) = float(double(par.ResolucionX) * DeltaNivel * par.ResolucionY / par.PasoPp / 60);
        if (QSalida(I, J) > QMax(I, J)) QMax(I, J) = QSalida(I, J);
    }
};

template <typename T>
void GrillasIguales(const Grilla<T>& a, const Grilla<T>& b, const char* nombre) {
    for (int i = 1; i <= a.Filas(); ++i)
        for (int j = 1; j <= a.Columnas(); ++j)
            ASSERT_EQ(a(i, j), b(i, j)) << nombre << " (" << i << ", " << j << ")";
}

}  // namespace

TEST(CorridaLiteral, MismosNumerosQueLaVersionRapida) {
    std::mt19937 azar(4321);
    for (int caso = 0; caso < 40; ++caso) {
        prueba::CarpetaTemporal tmp;
        const int32_t nf = 3 + static_cast<int32_t>(azar() % 10), nc = 3 + static_cast<int32_t>(azar() % 10);
        CabeceraImagen cab;
        cab.NroFilas = nf;
        cab.NroColumnas = nc;
        cab.ResolucionX = 5 + azar() % 20;
        cab.ResolucionY = 5 + azar() % 30;
        Grilla<float> v(nf, nc);
        for (int i = 1; i <= nf; ++i)
            for (int j = 1; j <= nc; ++j) {
                float z = std::floor(20.0f + 0.8f * static_cast<float>(i) - 0.5f * static_cast<float>(j)) +
                          static_cast<float>(azar() % 3) * 0.5f;
                if (azar() % 15 == 0) z = (azar() % 2) ? -9999.0f : 0.0f;
                v(i, j) = z;
            }
        Extremos(v, cab.DatoMenor, cab.DatoMayor);
        ASSERT_TRUE(EscribirImagen(tmp.Ruta("m_dat.rkd"), cab, v));
        Parametros par;
        par.DirDEM = tmp.Carpeta();
        par.ArchivoDEM = "m_dat.rkd";
        par.Pp = 10.0f + static_cast<float>(azar() % 50);
        par.Dur = static_cast<int16_t>(5 + azar() % 30);
        par.PasoPp = (azar() % 2) ? 1.0f : 0.7f;
        par.nPer = 20 + static_cast<int32_t>(azar() % 30);
        par.KRecesion = static_cast<float>(1 + azar() % 20);
        par.fHidro1 = 1 + static_cast<int32_t>(azar() % nf);
        par.cHidro1 = 1 + static_cast<int32_t>(azar() % nc);
        par.fHidro2 = par.fHidro1 + static_cast<int32_t>(azar() % 4) - 1;
        par.cHidro2 = par.cHidro1 + static_cast<int32_t>(azar() % 4) - 1;
        if (caso % 3 == 0) {
            par.AreaPp = 1;
            par.Py1 = 2;
            par.Py2 = nf - 1;
            par.Px1 = 1;
            par.Px2 = 9999999;
        }
        if (caso % 4 == 0) par.DivQmin = 0.5f;
        ImagenActual img;
        GrillasModelo g;
        prueba::PlataformaFalsa plat;
        ASSERT_TRUE(DEMUtilizable(CargarDEM(par, img, g.Cota, plat)));
        Literal lit;
        lit.Cota = g.Cota;
        lit.Correr(par);

        Pluviograma pv;
        ObservadorCorrida obs;
        EstadoCorrida e;
        EntornoCorrida en{par, img, g, pv, plat, obs, tmp.Carpeta()};
        ASSERT_EQ(CorrerModelo(en, e), FinCorrida::Completa) << caso;
        GrillasIguales(g.Nivel, lit.Nivel, "Nivel");
        GrillasIguales(g.HMax, lit.HMax, "HMax");
        GrillasIguales(g.QMax, lit.QMax, "QMax");
        GrillasIguales(g.QSalida, lit.QSalida, "QSalida");
        GrillasIguales(g.AporteCascada, lit.Aporte, "AporteCascada");
        ASSERT_EQ(e.QPeriodo, lit.QPeriodo) << caso;
        EXPECT_EQ(e.QSeccionMin, lit.QSeccionMin);
        EXPECT_EQ(e.QSeccionMax, lit.QSeccionMax);
        EXPECT_EQ(e.Escorrentia, lit.Escorrentia);
        EXPECT_EQ(e.NivelMaxSeccion, lit.NivelMaxSeccion);
        EXPECT_EQ(e.QminAuto, lit.QminAuto);
        EXPECT_EQ(e.QMaxMayor, lit.QMaxMayor);
        EXPECT_EQ(e.AlmacenamientoSup, lit.AlmacenamientoSup);
        if (HasFailure()) return;
    }
}
