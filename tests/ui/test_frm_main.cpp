#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QTranslator>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "support/plataforma_falsa.h"
#include "ui/frm_acerca.h"
#include "ui/frm_main.h"
#include "ui/plataforma_qt.h"

using namespace tarno;

namespace {

struct Principal {
    ui::EstadoApp estado;
    prueba::PlataformaFalsa plat;
    std::unique_ptr<ui::FrmMain0> ventana;
    Principal() { ventana = std::make_unique<ui::FrmMain0>(estado, plat); }
    QAction* A(const char* n) const {
        QAction* a = ventana->Accion(n);
        EXPECT_NE(a, nullptr) << n;
        return a;
    }
};

}  // namespace

TEST(VentanaPrincipal, MenusYBotonesConSusTextos) {
    Principal p;
    EXPECT_EQ(p.ventana->objectName(), "frmMain0");
    EXPECT_EQ(p.ventana->windowTitle(), QString::fromUtf8("TARNO-SIG - Modelo Hidrológico Velmar, basado en SIG"));
    const std::vector<std::pair<const char*, const char*>> items = {
        {"mnuFile", "&Archivo"},
        {"mnuFileNew", "&Nuevo"},
        {"mnuFileOpen", "A&brir..."},
        {"mnuFileClose", "&Cerrar"},
        {"mnuImportarIdrisi", "Importar IMG Idrisi"},
        {"mnutxtBlanco_a_rkd", "Convertir  txt, sep. chr blanco, a _dat.rkd"},
        {"mnuImportarSIG", "Importar raster SIG (GeoTIFF, ASC, ...)..."},
        {"mnuExportarSIG", "Exportar imagen a GeoTIFF..."},
        {"mnuFileSave", "&Guardar"},
        {"mnuFileSaveAs", "G&uardar Imagen como..."},
        {"mnuFileSaveAll", "Guardar &todo"},
        {"mnuImgRASKVacia", "Crear Imagen RASK vacía"},
        {"mnuImgRASKAbstra", "Crear RASK Agregada (vectorial)"},
        {"mnuFileProperties", "&Propiedades"},
        {"mnuFilePageSetup", "C&onfigurar página..."},
        {"mnuFilePrintPreview", "&Vista preliminar"},
        {"mnuFilePrint", "I&mprimir..."},
        {"mnuFileExit", "&Salir"},
        {"mnuOpciones", "Opciones"},
        {"mnuVerImagen", "Mostrar Imagen"},
        {"mnuAbrirImgRASK", "Abrir Imagen RASK"},
        {"mnuReVer", "Refrescar imagen"},
        {"mnuRestaurarIMG", "Restaurar Imagen completa"},
        {"mnuNroPaleta", "Paleta"},
        {"mnuInvertirPaleta", "Invertir Paleta"},
        {"mnuVerZoom", "Tamaño de Pixel"},
        {"mnuForzarMinimo", "Forzar Mínimo Valor = 0"},
        {"mnuSimuladorRASK", "Simulador RASK"},
        {"mnuRun1", "Correr modelo RASK..."},
        {"mnuVerHidrograma", "Ver Hidrograma..."},
        {"mnuDepurarDivisorias", "Depurar Divisorias y Fronteras"},
        {"mnuPizarra1", "Ver Pizarra de Variables y Salidas"},
        {"mnutxt0256", "Convierte amplitud vector txt a 0-255"},
        {"mnuModificaDatPixel", "&Modificar valor de Pixel en RASK"},
        {"mnuRecortarRASK", "Recortar Imagen RASK"},
        {"mnuOperadorRASK", "Operador en IMG RASK"},
        {"mnuEdicionAreas", "Editor Areas vectoriales"},
        {"mnuClasificar", "Clasificar "},
        {"mnuSuperponer", "Superponer / Operar dos imagenes"},
        {"mnuHelp", "Ay&uda"},
        {"mnuHelpContents", "&Contenido"},
        {"mnuHelpSearchForHelpOn", "&Buscar Ayuda acerca de..."},
        {"mnuHelpAbout", "&Acerca de "},
        {"mnuPaletaRGB", "&1- Composición color"},
        {"mnuPaletaMVA", "&6- Marron - Verde - Azul"},
        {"mnuPaletaAzul16", "&9- Azul16"},
        {"mnuZoom1", "Pixel de 1 punto"},
        {"mnuZoom1000", "Pixel de 1000 puntos"},
    };
    for (auto& [nombre, texto] : items) {
        if (QAction* a = p.A(nombre)) {
            EXPECT_EQ(a->text(), QString::fromUtf8(texto)) << nombre;
        }
    }
    // The menu bar holds the six menus and the "Opciones" command, in order.
    QStringList barra;
    for (QAction* a : p.ventana->menuBar()->actions()) barra << a->objectName();
    EXPECT_EQ(barra, QStringList({"mnuFile", "mnuOpciones", "mnuVerImagen", "mnuSimuladorRASK",
                                  "mnuModificarImgKOLT", "mnuHelp"}));
    EXPECT_EQ(p.A("mnuNroPaleta")->menu()->actions().size(), 9);
    EXPECT_EQ(p.A("mnuVerZoom")->menu()->actions().size(), 13);
    EXPECT_FALSE(p.A("mnuEdicionAreas")->isEnabled());  // only while the viewer is open

    const std::vector<std::pair<const char*, const char*>> botones = {
        {"Nuevo", "Nuevo"},
        {"Abrir", "Abrir una imagen RASK"},
        {"GuardarImgComo", "Guardar imagen como..."},
        {"Imprimir", "Imprimir"},
        {"Opciones", "Opciones de Configuración KOLT"},
        {"Rever", "Refrescar una imagen RASK"},
        {"btnComposit", "1- Paleta Composición color"},
        {"btnRojo", "2- Paleta Rojo"},
        {"btnVerde", "3- Paleta Verde"},
        {"btnAzul", "4- Paleta Azul"},
        {"btnGris", "5- Paleta tono de grises"},
        {"btnMVA", "6- Paleta Marrón-Verde-Azul"},
        {"Z1", "Zoom Pixel 1 punto"},
        {"Z10", "Zoom Pixel 10 puntos"},
        {"Z100", "Zoom Pixel 100 puntos"},
        {"Z500", "Zoom Pixel 500 puntos"},
        {"Zmenos", "Reducir Pixel"},
        {"Zmas", "Aumentar Pixel"},
        {"Corre1", "Corre Simulador KOLT"},
        {"Cortar", "Cortar"},
        {"Alinear a la derecha", "Alinear a la derecha"},
    };
    for (auto& [clave, ayuda] : botones) {
        if (QAction* a = p.A(clave)) {
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(ayuda)) << clave;
        }
    }
}

TEST(VentanaPrincipal, ItemsDeCadaParteEnSuLugarYHabilitados) {
    Principal p;
    // The items each part hands in take their places among the window's own.
    auto orden = [&](const char* menu) {
        QStringList nombres;
        for (QAction* a : p.A(menu)->menu()->actions()) nombres << (a->isSeparator() ? "-" : a->objectName());
        return nombres;
    };
    EXPECT_EQ(orden("mnuFile"),
              QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileClose", "mnuImportarIdrisi", "mnutxtBlanco_a_rkd",
                           "mnuImportarSIG", "mnuExportarSIG", "-",
                           "mnuFileSave", "mnuFileSaveAs", "mnuFileSaveAll", "-", "mnuImgRASKVacia",
                           "mnuImgRASKAbstra", "mnuFileProperties", "-", "mnuFilePageSetup", "mnuFilePrintPreview",
                           "mnuFilePrint", "-", "mnuFileExit"}));
    EXPECT_EQ(orden("mnuVerImagen"), QStringList({"mnuAbrirImgRASK", "mnuReVer", "mnuRestaurarIMG", "mnuNroPaleta",
                                                  "mnuInvertirPaleta", "mnuVerZoom", "mnuForzarMinimo"}));
    EXPECT_EQ(orden("mnuSimuladorRASK"), QStringList({"mnuRun1", "mnuVerHidrograma", "mnuDepurarDivisorias", "mnuPizarra1"}));
    EXPECT_EQ(orden("mnuModificarImgKOLT"),
              QStringList({"mnutxt0256", "mnuModificaDatPixel", "mnuRecortarRASK", "mnuOperadorRASK",
                           "mnuEdicionAreas", "mnuClasificar", "mnuSuperponer"}));
    EXPECT_EQ(orden("mnuHelp"), QStringList({"mnuHelpContents", "mnuHelpSearchForHelpOn", "-", "mnuHelpAbout"}));
    // Every command works from the start but the area editor, which waits for the viewer.
    for (QAction* a : p.ventana->findChildren<QAction*>()) {
        if (!a->objectName().isEmpty() && a->objectName() != "mnuEdicionAreas") {
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        }
    }
}

TEST(VentanaPrincipal, MensajesProvisoriosSinIcono) {
    Principal p;
    const std::vector<std::pair<const char*, const char*>> casos = {
        {"mnuFileNew", "Agregar código 'mnuFileNew_Click'."},
        {"mnuFileClose", "Agregar código 'mnuFileClose_Click'."},
        {"mnuFileSave", "Agregar código 'mnuFileSave_Click'."},
        {"mnuFileSaveAll", "Agregar código 'mnuFileSaveAll_Click'."},
        {"mnuFileProperties", "Agregar código 'mnuFileProperties_Click'."},
        {"mnuFilePrintPreview", "Agregar código 'mnuFilePrintPreview_Click'."},
        {"mnuFilePrint", "Para imprimir utilice la función de Impresión de su PC..."},
        {"Nuevo", "Agregar código de botón 'Nuevo'."},
        {"Imprimir", "Para imprimir utilice la función de Impresión de su PC..."},
    };
    for (auto& [nombre, texto] : casos) {
        p.plat.mensajes.clear();
        p.A(nombre)->trigger();
        ASSERT_EQ(p.plat.mensajes.size(), 1u) << nombre;
        EXPECT_EQ(p.plat.Ultimo().texto, texto);
        EXPECT_EQ(p.plat.Ultimo().titulo, "");
        EXPECT_EQ(p.plat.Ultimo().icono, Icono::Ninguno);
    }
    // Buttons that do nothing, and the empty-image item.
    p.plat.mensajes.clear();
    p.A("Cortar")->trigger();
    p.A("Centrar")->trigger();
    p.A("mnuImgRASKVacia")->trigger();
    EXPECT_TRUE(p.plat.mensajes.empty());
}

TEST(VentanaPrincipal, AyudaYAcercaDe) {
    Principal p;
    p.A("mnuHelpContents")->trigger();
    p.A("mnuHelpSearchForHelpOn")->trigger();
    ASSERT_EQ(p.plat.mensajes.size(), 2u);
    for (auto& m : p.plat.mensajes) {
        EXPECT_EQ(m.texto, "No se puede mostrar el contenido de la Ayuda. No hay Ayuda asociada a este proyecto.");
        EXPECT_EQ(m.titulo, "TARNO-SIG - Modelo Hidrológico Velmar, basado en SIG");
        EXPECT_EQ(m.icono, Icono::Informacion);
    }
    ui::FrmAbout acerca(p.plat, p.ventana.get());
    EXPECT_EQ(acerca.windowTitle(), "TARNO-SIG: Acerca de Modelo Velmar SIG");
    EXPECT_TRUE(acerca.findChild<QLabel*>("lblVersion")->text().startsWith(QString::fromUtf8("Versión ")));
    QTest::mouseClick(acerca.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(p.plat.Ultimo().texto, "La información del sistema no está disponible en este momento");
}

TEST(VentanaPrincipal, ArranqueConPaleta1YZoom10) {
    Principal p;
    EXPECT_EQ(p.estado.visor.NroPaleta, 1);
    EXPECT_EQ(p.estado.visor.TamPixel, 10);
    EXPECT_TRUE(p.A("mnuPaletaRGB")->isChecked());
    EXPECT_TRUE(p.A("btnComposit")->isChecked());
    EXPECT_TRUE(p.A("mnuZoom10")->isChecked());
    EXPECT_TRUE(p.A("Z10")->isChecked());
    EXPECT_FALSE(p.A("mnuZoom1")->isChecked());
    EXPECT_EQ(p.ventana->TextoPanelEstado(), "Estado");

    // Palette 7 presses the blue button, palette 8 none; the check mark moves.
    p.A("mnuPaletaColorines")->trigger();
    EXPECT_EQ(p.estado.visor.NroPaleta, 7);
    EXPECT_TRUE(p.A("btnAzul")->isChecked());
    EXPECT_FALSE(p.A("btnComposit")->isChecked());
    EXPECT_FALSE(p.A("mnuPaletaRGB")->isChecked());
    p.A("mnuPaletaPersonalizada")->trigger();
    for (const char* b : {"btnComposit", "btnRojo", "btnVerde", "btnAzul", "btnGris", "btnMVA"})
        EXPECT_FALSE(p.A(b)->isChecked()) << b;
    // A toolbar button runs its menu command.
    p.A("btnGris")->trigger();
    EXPECT_EQ(p.estado.visor.NroPaleta, 5);
    EXPECT_TRUE(p.A("mnuPaletaGris")->isChecked());
    EXPECT_TRUE(p.A("btnGris")->isChecked());

    p.A("mnuInvertirPaleta")->trigger();
    EXPECT_TRUE(p.estado.visor.InvertirPaleta);
    EXPECT_TRUE(p.A("mnuInvertirPaleta")->isChecked());
}

TEST(VentanaPrincipal, ZoomMenusYBotones) {
    Principal p;
    p.A("Z100")->trigger();
    EXPECT_EQ(p.estado.visor.TamPixel, 100);
    EXPECT_TRUE(p.A("mnuZoom100")->isChecked());
    EXPECT_TRUE(p.A("Z100")->isChecked());
    EXPECT_FALSE(p.A("Z10")->isChecked());
    p.A("mnuZoom40")->trigger();  // no button for 40: all four released
    for (const char* b : {"Z1", "Z10", "Z100", "Z500"}) EXPECT_FALSE(p.A(b)->isChecked()) << b;
    p.A("Zmenos")->trigger();
    EXPECT_EQ(p.estado.visor.TamPixel, 20);
    EXPECT_TRUE(p.A("mnuZoom20")->isChecked());
    // One step larger does not move the check marks.
    p.A("Zmas")->trigger();
    EXPECT_EQ(p.estado.visor.TamPixel, 40);
    EXPECT_TRUE(p.A("mnuZoom20")->isChecked());
    p.ventana->miZoomAuto();
    EXPECT_TRUE(p.A("mnuZoom40")->isChecked());
    p.A("mnuZoom1")->trigger();
    p.A("Zmenos")->trigger();
    EXPECT_EQ(p.estado.visor.TamPixel, 1);
    p.A("mnuZoom1000")->trigger();
    p.A("Zmas")->trigger();
    EXPECT_EQ(p.estado.visor.TamPixel, 1000);
}

TEST(VentanaPrincipal, UbicacionGuardadaEnAjustes) {
    {
        // First start with nothing stored: 8000 x 6500 twips at the corner.
        Principal p;
        EXPECT_EQ(p.ventana->pos(), QPoint(0, 0));
        EXPECT_EQ(p.ventana->size(), QSize(533, 433));
        p.ventana->show();
        p.ventana->close();
        EXPECT_EQ(p.plat.ajustes["Settings/MainWidth"], "7995");
        EXPECT_EQ(p.plat.ajustes["Settings/MainHeight"], "6495");
        EXPECT_TRUE(p.plat.ajustes.count("Settings/MainLeft"));
        EXPECT_TRUE(p.plat.ajustes.count("Settings/MainTop"));
    }
    {
        // Only the height is read back.
        ui::EstadoApp estado;
        prueba::PlataformaFalsa plat;
        plat.ajustes["Settings/MainHeight"] = "9000";
        plat.ajustes["Settings/MainWidth"] = "15000";
        ui::FrmMain0 v(estado, plat);
        EXPECT_EQ(v.size(), QSize(533, 600));
    }
    {
        // Closing while minimised stores nothing.
        Principal p;
        p.ventana->showMinimized();
        p.ventana->setWindowState(Qt::WindowMinimized);
        p.ventana->close();
        EXPECT_TRUE(p.plat.ajustes.empty());
    }
}

TEST(VentanaPrincipal, AbrirCanceladoNoCambiaNada) {
    Principal p;
    p.A("Abrir")->trigger();
    ASSERT_EQ(p.plat.titulosDialogo.size(), 1u);
    EXPECT_EQ(p.plat.titulosDialogo[0], "Importar Archivo IMG formato texto, de IDRISI");
    EXPECT_EQ(p.plat.filtrosDialogo[0], "Abrir Archivo imagen Idrisi, formato texto (*dat.rkd)|*dat.rkd");
    EXPECT_EQ(p.ventana->TextoPanelEstado(), "Estado");
    EXPECT_TRUE(p.ventana->TextoMensajes().isEmpty());
    EXPECT_TRUE(p.plat.mensajes.empty());
}

TEST(Pizarra, MenuYBotonCerrar) {
    Principal p;
    p.ventana->show();
    QAction* item = p.A("mnuPizarra1");
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(p.estado.VerPizarra);
    ASSERT_NE(p.ventana->PizarraAbierta(), nullptr);
    ui::FrmPp* pizarra = p.ventana->PizarraAbierta();
    EXPECT_TRUE(pizarra->isVisible());
    EXPECT_EQ(pizarra->windowTitle(), "Pizarra de Variables y Salidas");
    pizarra->PonerTexto("uno\r\ndos");
    EXPECT_EQ(pizarra->Texto(), "uno\ndos");

    // Closing with its button unticks the item and discards the text.
    QTest::mouseClick(pizarra->CmdCerrar(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(p.estado.VerPizarra);
    EXPECT_EQ(p.ventana->PizarraAbierta(), nullptr);
    item->trigger();
    ASSERT_NE(p.ventana->PizarraAbierta(), nullptr);
    EXPECT_TRUE(p.ventana->PizarraAbierta()->Texto().isEmpty());
    EXPECT_TRUE(p.estado.VerPizarra);
    // The menu item closes it again.
    item->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(p.estado.VerPizarra);
    EXPECT_EQ(p.ventana->PizarraAbierta(), nullptr);
}

TEST(Pizarra, DisposicionAlCambiarTamano) {
    ui::EstadoApp estado;
    ui::FrmPp pizarra(estado);
    EXPECT_TRUE(estado.VerPizarra);
    pizarra.resize(400, 266);  // 6000 x 3990 twips
    pizarra.show();
    EXPECT_EQ(pizarra.Text1()->geometry(), QRect(7, 7, 388, 226));
    EXPECT_EQ(pizarra.CmdCerrar()->y(), 206);
    EXPECT_EQ(pizarra.CmdImprimir()->y(), 206);
}

TEST(PlataformaQt, FiltrosDeDialogo) {
    EXPECT_EQ(ui::PlataformaQt::FiltroQt("Archivos Pp de TARNO-SIG (*_Pp.rkd)|*_Pp.rkd"),
              "Archivos Pp de TARNO-SIG (*_Pp.rkd) (*_Pp.rkd)");
    EXPECT_EQ(ui::PlataformaQt::FiltroQt("Imagen|*dat.rkd|Todos|*.*"), "Imagen (*dat.rkd);;Todos (*.*)");
    EXPECT_EQ(ui::PlataformaQt::FiltroQt("Archivos imagen Idrisi (*.txt,*.img,*.rst)|*.txt;*.img;*.rst"),
              "Archivos imagen Idrisi (*.txt,*.img,*.rst) (*.txt *.img *.rst)");
}

TEST(PlataformaQt, TextosPropiosDeQtEnCastellano) {
    QTranslator* traductor = ui::CargarTraduccionesQt();
    ASSERT_NE(traductor, nullptr);
    QDialogButtonBox caja(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(caja.button(QDialogButtonBox::Cancel)->text().remove('&'), "Cancelar");
    EXPECT_EQ(caja.button(QDialogButtonBox::Ok)->text().remove('&'), "Aceptar");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Ver en:");
    QCoreApplication::removeTranslator(traductor);
    delete traductor;
}

TEST(Inicio, PresentacionEsperaDosSegundosPorElReloj) {
    prueba::PlataformaFalsa plat;
    plat.hora = 0.5;
    plat.pasoHora = 0.5 / 86400.0;  // half a second per reading
    ui::MostrarInicio(plat, 2.0);
    // Readings every half second: the wait ends with the first reading at
    // (about) two seconds.
    const double leidos = (plat.hora - 0.5) * 86400.0;
    EXPECT_GE(leidos, 2.49);
    EXPECT_LE(leidos, 3.01);
}

TEST(VentanaPrincipal, TodosLosBotonesVisiblesAlArrancar) {
    // At the start size no toolbar button hides in a toolbar's overflow.
    Principal p;
    p.ventana->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.ventana.get()));
    QCoreApplication::processEvents();
    int botones = 0;
    for (QToolBar* barra : p.ventana->findChildren<QToolBar*>()) {
        EXPECT_TRUE(barra->isVisible()) << barra->objectName().toStdString();
        if (auto* mas = barra->findChild<QToolButton*>("qt_toolbar_ext_button")) {
            EXPECT_FALSE(mas->isVisible()) << barra->objectName().toStdString();
        }
        for (QAction* a : barra->actions()) {
            if (a->isSeparator()) continue;
            ++botones;
            QWidget* w = barra->widgetForAction(a);
            ASSERT_NE(w, nullptr) << a->objectName().toStdString();
            EXPECT_TRUE(w->isVisible()) << a->objectName().toStdString();
            EXPECT_TRUE(barra->rect().contains(w->geometry())) << a->objectName().toStdString();
        }
    }
    EXPECT_EQ(botones, 28);
}
