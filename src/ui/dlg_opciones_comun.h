// Shared pieces of the options dialog's pages (private to its sources).
#pragma once

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cfloat>
#include <cmath>

#include "model/campos.h"
#include "comandos/cargar_dem.h"
#include "model/pluviograma.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_main.h"
#include "ui/frm_pp.h"

namespace tarno::ui::opciones {

inline constexpr int32_t kMax = kMaxSubarea;

inline std::string S(const QLineEdit* c) { return c->text().toStdString(); }
inline double Val(const QLineEdit* c) { return ValorInicial(S(c)); }
inline bool Num(const QLineEdit* c) { return EsNumerico(S(c)); }

inline QString T(float v) { return QString::fromStdString(NumeroArchivo(v)); }
inline QString T(double v) { return QString::fromStdString(NumeroArchivo(v)); }
inline QString TMax(int32_t v) { return v == kMax ? QString("Max") : QString::number(v); }
inline int16_t EnteroEntera(double v) {  // whole part, kept within 16 bits
    const double e = ParteEntera(v);
    if (std::isnan(e)) return 0;
    return static_cast<int16_t>(e < -32768 ? -32768 : (e > 32767 ? 32767 : e));
}
inline int32_t LargoEntera(double v) {  // whole part, kept within 32 bits
    const double e = ParteEntera(v);
    if (std::isnan(e)) return 0;
    return static_cast<int32_t>(e < -2147483648.0 ? -2147483648.0 : (e > 2147483647.0 ? 2147483647.0 : e));
}

// The text of a table field's box for its value in the record.
inline QString TextoCampo(const Campo& k, const Parametros& p) {
    if (k.tipo == TipoCampo::Real) return T(p.*k.real);
    return QString::number(static_cast<int64_t>(LeerCampo(k, p)));
}

inline constexpr const char* kRecurrencias[15] = {"0",   "2",   "5",    "10",   "20",   "25",   "40",   "50",
                                                  "100", "200", "500", "1000", "2000", "5000", "10000"};

inline QLabel* Texto(const QString& t, QWidget* padre, const char* nombre = nullptr) {
    auto* l = new QLabel(t, padre);
    if (nombre) l->setObjectName(nombre);
    return l;
}

inline QLabel* Rotulo(const char* nombre, QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(200);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace tarno::ui::opciones
