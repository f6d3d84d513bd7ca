// Helpers of the tool dialog tests: images on disk, controls by name, and
// typing into a box and leaving it with Tab the way a user does.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "raster/imagen.h"
#include "support/imagenes_herramientas.h"
#include "support/plataforma_falsa.h"
#include "support/temporal.h"
#include "ui/estado_app.h"

namespace tarno::prueba {

inline std::string GuardarImagen(const CarpetaTemporal& tmp, const std::string& nombre, const ImagenActual& img) {
    const std::string ruta = tmp.Ruta(nombre);
    EXPECT_TRUE(EscribirImagen(ruta, img, img.Valores));
    return ruta;
}

template <typename T = QWidget>
T* Control(QWidget* dlg, const char* nombre) {
    T* w = dlg->findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
}

inline QString Texto(QWidget* dlg, const char* nombre) {
    QWidget* w = Control(dlg, nombre);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QLineEdit*>(w)) return c->text();
    return {};
}

/// Shows the dialog and makes it the active window so focus changes are real.
inline void Mostrar(QWidget* dlg) {
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
}

/// Enters a box (its text gets selected), types `texto` over it and presses
/// Tab to leave it. Returns true when the focus left the box.
inline bool Escribir(QWidget* dlg, const char* nombre, const QString& texto) {
    auto* caja = Control<QLineEdit>(dlg, nombre);
    caja->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(caja->hasFocus()) << nombre;
    EXPECT_EQ(caja->selectedText(), caja->text()) << nombre;
    QTest::keyClicks(caja, texto);
    QTest::keyClick(caja, Qt::Key_Tab);
    return !caja->hasFocus();
}

inline void Pulsar(QWidget* dlg, const char* nombre) {
    auto* b = Control<QAbstractButton>(dlg, nombre);
    QTest::mouseClick(b, Qt::LeftButton);
}

/// Clicks an option button on its indicator (the middle of a wide option
/// button may lie beyond its caption, where a click does nothing).
inline void Marcar(QWidget* dlg, const char* nombre) {
    auto* o = Control<QAbstractButton>(dlg, nombre);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
}

}  // namespace tarno::prueba
