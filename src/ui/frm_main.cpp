#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>
#include <string_view>

#include "gis/menu_sig.h"
#include "raster/archivos.h"
#include "raster/numeros.h"
#include "ui/conexiones.h"
#include "ui/control_visor.h"
#include "ui/dlg_chart1.h"
#include "ui/dlg_opciones.h"
#include "ui/frm_acerca.h"
#include "ui/frm_pp.h"
#include "ui/frm_visor_img.h"

namespace tarno::ui {

namespace {

// Twips per screen pixel: the settings store keeps window measures in twips.
constexpr int kTwips = 15;

struct ItemPaleta {
    const char* nombre;
    const char* texto;
    const char* boton;  // toolbar button shown pressed, or nullptr
};
constexpr ItemPaleta kPaletas[9] = {
    {"mnuPaletaRGB", "&1- Composición color", "btnComposit"},
    {"mnuPaletaR", "&2- Rojo (R)", "btnRojo"},
    {"mnuPaletaG", "&3- Verde (G)", "btnVerde"},
    {"mnuPaletaB", "&4- Azul (B)", "btnAzul"},
    {"mnuPaletaGris", "&5- Tono de grises", "btnGris"},
    {"mnuPaletaMVA", "&6- Marron - Verde - Azul", "btnMVA"},
    {"mnuPaletaColorines", "&7- Colorines", "btnAzul"},
    {"mnuPaletaPersonalizada", "&8- Personalizada", nullptr},
    {"mnuPaletaAzul16", "&9- Azul16", "btnAzul"},
};
constexpr const char* kBotonesPaleta[6] = {"btnComposit", "btnRojo", "btnVerde", "btnAzul", "btnGris", "btnMVA"};

QString NombreZoom(int tam) { return QStringLiteral("mnuZoom%1").arg(tam); }

// A menu: where it goes and the order of its items ("-" a separator; a
// submenu by its name). Items of the menu that the order does not name
// follow at its end, in the order of their tables.
struct DefMenu {
    Menu menu;
    const char* nombre;  // object name of the menu and of its item in the parent
    const char* texto;
    std::vector<const char*> items;
};
const DefMenu kMenus[] = {
    {Menu::Barra, nullptr, nullptr,
     {"mnuFile", "mnuOpciones", "mnuVerImagen", "mnuSimuladorRASK", "mnuModificarImgKOLT", "mnuHelp"}},
    {Menu::Archivo, "mnuFile", "&Archivo",
     {"mnuFileNew", "mnuFileOpen", "mnuFileClose", "mnuImportarIdrisi", "mnutxtBlanco_a_rkd", "mnuImportarSIG",
      "mnuExportarSIG", "-",
      "mnuFileSave", "mnuFileSaveAs", "mnuFileSaveAll", "-",
      "mnuImgRASKVacia", "mnuImgRASKAbstra", "mnuFileProperties", "-",
      "mnuFilePageSetup", "mnuFilePrintPreview", "mnuFilePrint", "-", "mnuFileExit"}},
    {Menu::Ver, "mnuVerImagen", "Mostrar Imagen",
     {"mnuAbrirImgRASK", "mnuReVer", "mnuRestaurarIMG", "mnuNroPaleta", "mnuInvertirPaleta", "mnuVerZoom",
      "mnuForzarMinimo"}},
    {Menu::Paleta, "mnuNroPaleta", "Paleta", {}},
    {Menu::Zoom, "mnuVerZoom", "Tamaño de Pixel", {}},
    {Menu::Simulador, "mnuSimuladorRASK", "Simulador RASK", {"mnuRun1", "mnuVerHidrograma", "mnuDepurarDivisorias", "mnuPizarra1"}},
    {Menu::Modificar, "mnuModificarImgKOLT", "Modificar Img KOLT",
     {"mnutxt0256", "mnuModificaDatPixel", "mnuRecortarRASK", "mnuOperadorRASK", "mnuEdicionAreas",
      "mnuClasificar", "mnuSuperponer"}},
    {Menu::Ayuda, "mnuHelp", "Ay&uda", {"mnuHelpContents", "mnuHelpSearchForHelpOn", "-", "mnuHelpAbout"}},
};

}  // namespace

FrmMain0::FrmMain0(EstadoApp& estado, Plataforma& plataforma, QWidget* parent)
    : QMainWindow(parent), estado_(estado), plataforma_(plataforma) {
    setObjectName("frmMain0");
    setWindowTitle(QString::fromUtf8(kTituloPrincipal));
    setWindowIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));

    // The window's own commands and those of each part, connected once.
    TablaComandos tabla = ComandosPropios();
    for (TablaComandos (*parte)(FrmMain0&) :
         {ComandosVisor, ComandosHerramientas, ComandosImportadores, ComandosDivisorias, ComandosCorrida})
        for (Comando& c : parte(*this)) tabla.push_back(std::move(c));
    CrearMenus(tabla);
    for (int i = 0; i < 9; ++i) paletas_[i] = Accion(kPaletas[i].nombre);
    for (int i = 0; i < 13; ++i) zoom_[i] = Accion(NombreZoom(kTablaZoom[i]));
    CrearBarraHerramientas();
    for (int i = 0; i < 6; ++i) botonesPaleta_[i] = Accion(kBotonesPaleta[i]);
    ConectarBotones();
    MarcarVisorAbierto(*this, false);
    CrearBarraEstado();

    auto* central = new QWidget(this);
    auto* capa = new QVBoxLayout(central);
    picMensajes_ = new QLabel(central);
    picMensajes_->setObjectName("picMensajes");
    picMensajes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMensajes_->setFrameShape(QFrame::StyledPanel);
    picMensajes_->setAutoFillBackground(true);
    picMensajes_->setMinimumHeight(90);
    QPalette pal = picMensajes_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    picMensajes_->setPalette(pal);
    capa->addWidget(picMensajes_);
    capa->addStretch(1);
    setCentralWidget(central);

    // Placement: top-left corner, 8000 twips wide, the stored height.
    const std::string alto = plataforma_.LeerAjuste("Settings", "MainHeight", "6500");
    int altoTwips = static_cast<int>(ValorInicial(alto));
    if (altoTwips <= 0) altoTwips = 6500;
    move(0, 0);
    resize(8000 / kTwips, altoTwips / kTwips);

    // Palette 1 checked, the others and every zoom item cleared; then the zoom
    // command "Pixel de 10 puntos" and the palette command 1.
    for (QAction* a : paletas_) a->setChecked(false);
    paletas_[0]->setChecked(true);
    estado_.visor.NroPaleta = 1;
    for (QAction* a : zoom_) a->setChecked(false);
    AccionZoom(10)->trigger();
    paletas_[0]->trigger();
}

FrmMain0::~FrmMain0() {
    // Windows without a parent that the main window opened go with it.
    delete opciones_.data();
    delete pizarra_.data();
    delete progreso_.data();
}

QAction* FrmMain0::Accion(const QString& nombre) const {
    auto it = acciones_.find(nombre);
    return it == acciones_.end() ? nullptr : it->second;
}

QAction* FrmMain0::AccionZoom(int tam) const {
    for (int i = 0; i < 13; ++i)
        if (kTablaZoom[i] == tam) return zoom_[i];
    return nullptr;
}

FrmVisorIMG* FrmMain0::Visor() const { return visor_; }
void FrmMain0::FijarVisor(FrmVisorIMG* visor) { visor_ = visor; }
DlgChart1* FrmMain0::Chart() const { return chart_; }
void FrmMain0::FijarChart(DlgChart1* chart) { chart_ = chart; }

void FrmMain0::VerIMG(const std::string& nombreDat) { MostrarImagen(*this, nombreDat); }

// ---------------------------------------------------------------------------
// Menus, toolbar, status bar

TablaComandos FrmMain0::ComandosPropios() {
    // Commands still to be written show a notice.
    auto aviso = [this](const char* texto) {
        return [this, t = std::string(texto)] { plataforma_.Mensaje(t, "", Icono::Ninguno); };
    };
    TablaComandos t = {
        {"mnuFileNew", "&Nuevo", Menu::Archivo, aviso("Agregar código 'mnuFileNew_Click'.")},
        {"mnuFileOpen", "A&brir...", Menu::Archivo, [this] { mnuAbrirImgRASK_Click(); }},
        {"mnuFileClose", "&Cerrar", Menu::Archivo, aviso("Agregar código 'mnuFileClose_Click'.")},
        {"mnuFileSave", "&Guardar", Menu::Archivo, aviso("Agregar código 'mnuFileSave_Click'.")},
        {"mnuFileSaveAll", "Guardar &todo", Menu::Archivo, aviso("Agregar código 'mnuFileSaveAll_Click'.")},
        {"mnuImgRASKVacia", "Crear Imagen RASK vacía", Menu::Archivo, {}},
        {"mnuFileProperties", "&Propiedades", Menu::Archivo, aviso("Agregar código 'mnuFileProperties_Click'.")},
        {"mnuFilePageSetup", "C&onfigurar página...", Menu::Archivo,
         [this] {
             QPrinter impresora;
             QPageSetupDialog d(&impresora, this);
             d.setWindowTitle(QString::fromUtf8("Configurar página"));
             d.exec();
         }},
        {"mnuFilePrintPreview", "&Vista preliminar", Menu::Archivo,
         aviso("Agregar código 'mnuFilePrintPreview_Click'.")},
        {"mnuFilePrint", "I&mprimir...", Menu::Archivo,
         aviso("Para imprimir utilice la función de Impresión de su PC...")},
        {"mnuImportarSIG", "Importar raster SIG (GeoTIFF, ASC, ...)...", Menu::Archivo,
         [this] {
             const std::string nuevo = gis::mnuImportarSIG_Click(plataforma_);
             if (!nuevo.empty()) VerIMG(nuevo);
         }},
        {"mnuExportarSIG", "Exportar imagen a GeoTIFF...", Menu::Archivo,
         [this] { gis::mnuExportarSIG_Click(estado_.img, plataforma_); }},
        {"mnuFileExit", "&Salir", Menu::Archivo, [this] { close(); }},
        {"mnuOpciones", "Opciones", Menu::Barra, [this] { mnuOpciones_Click(); }},
        {"mnuAbrirImgRASK", "Abrir Imagen RASK", Menu::Ver, [this] { mnuAbrirImgRASK_Click(); }},
        {"mnuPizarra1", "Ver Pizarra de Variables y Salidas", Menu::Simulador, [this] { mnuPizarra1_Click(); },
         true},
        {"mnuHelpContents", "&Contenido", Menu::Ayuda, [this] { mnuHelpContents_Click(); }},
        {"mnuHelpSearchForHelpOn", "&Buscar Ayuda acerca de...", Menu::Ayuda,
         [this] { mnuHelpSearchForHelpOn_Click(); }},
        {"mnuHelpAbout", "&Acerca de ", Menu::Ayuda, [this] { mnuHelpAbout_Click(); }},
    };
    for (int i = 0; i < 9; ++i)
        t.push_back({kPaletas[i].nombre, kPaletas[i].texto, Menu::Paleta, [this, i] { Paleta(i + 1); }, true});
    for (int tam : kTablaZoom) {
        QString texto = tam == 1 ? QString("Pixel de 1 punto") : QString("Pixel de %1 puntos").arg(tam);
        t.push_back({NombreZoom(tam), texto, Menu::Zoom, [this, tam] { Zoom(tam); }, true});
    }
    return t;
}

QAction* FrmMain0::NuevaAccion(const Comando& c) {
    auto* a = new QAction(c.texto, this);
    a->setObjectName(c.nombre);
    a->setCheckable(c.marcable || c.marca);
    if (c.marca) a->setChecked(c.marca());
    if (c.accion || c.marca)
        connect(a, &QAction::triggered, this, [a, accion = c.accion, marca = c.marca] {
            if (accion) accion();
            if (marca) a->setChecked(marca());
        });
    acciones_[c.nombre] = a;
    return a;
}

void FrmMain0::CrearMenus(const TablaComandos& tabla) {
    std::vector<bool> puesta(tabla.size(), false);
    auto definicion = [](Menu m) -> const DefMenu& {
        for (const DefMenu& d : kMenus)
            if (d.menu == m) return d;
        return kMenus[0];
    };
    // Fills `destino` (the menu bar or a menu) with the items of `menu`.
    std::function<void(Menu, QWidget*)> llenar = [&](Menu menu, QWidget* destino) {
        auto poner = [&](size_t k) {
            destino->addAction(NuevaAccion(tabla[k]));
            puesta[k] = true;
        };
        for (const char* item : definicion(menu).items) {
            if (std::string_view(item) == "-") {
                auto* sep = new QAction(destino);
                sep->setSeparator(true);
                destino->addAction(sep);
                continue;
            }
            bool esMenu = false;
            for (const DefMenu& d : kMenus) {
                if (d.menu == Menu::Barra || std::string_view(d.nombre) != item) continue;
                auto* sub = new QMenu(QString::fromUtf8(d.texto), destino);
                sub->setObjectName(d.nombre);
                sub->menuAction()->setObjectName(d.nombre);
                acciones_[d.nombre] = sub->menuAction();
                destino->addAction(sub->menuAction());
                llenar(d.menu, sub);
                esMenu = true;
            }
            if (esMenu) continue;
            for (size_t k = 0; k < tabla.size(); ++k)
                if (!puesta[k] && tabla[k].menu == menu && tabla[k].nombre == QLatin1String(item)) poner(k);
        }
        for (size_t k = 0; k < tabla.size(); ++k)
            if (!puesta[k] && tabla[k].menu == menu) poner(k);
    };
    llenar(Menu::Barra, menuBar());
}

QAction* FrmMain0::Boton(QToolBar* barra, const char* clave, const QString& texto, const QString& ayuda) {
    auto* a = new QAction(texto, this);
    a->setObjectName(clave);
    a->setToolTip(ayuda);
    acciones_[clave] = a;
    barra->addAction(a);
    return a;
}

namespace {

// A 16 x 16 icon drawn by `dibujo` in dark grey on a transparent ground.
template <typename F>
QIcon IconoDibujado(F dibujo) {
    QPixmap px(16, 16);
    px.fill(Qt::transparent);
    QPainter pintor(&px);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(QColor(60, 60, 60), 1.2));
    dibujo(pintor);
    pintor.end();
    return QIcon(px);
}

// A letter in the given style, for the text-format buttons.
QIcon IconoLetra(const QString& letra, bool negrita, bool cursiva, bool subrayado) {
    return IconoDibujado([&](QPainter& p) {
        QFont f = p.font();
        f.setPixelSize(13);
        f.setBold(negrita);
        f.setItalic(cursiva);
        f.setUnderline(subrayado);
        p.setFont(f);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letra);
    });
}

// Four lines of text aligned to the left, centre or right.
QIcon IconoAlinear(Qt::Alignment lado) {
    return IconoDibujado([lado](QPainter& p) {
        const int largos[4] = {14, 9, 12, 7};
        for (int i = 0; i < 4; ++i) {
            const int x = lado == Qt::AlignLeft ? 1 : lado == Qt::AlignRight ? 15 - largos[i] : (16 - largos[i]) / 2;
            p.drawLine(x, 3 + 3 * i, x + largos[i], 3 + 3 * i);
        }
    });
}

}  // namespace

void FrmMain0::CrearBarraHerramientas() {
    // The buttons go in two rows so that every one of them shows at the
    // window's start width.
    auto nuevaBarra = [this](const char* nombre) {
        QToolBar* barra = addToolBar(nombre);
        barra->setObjectName(nombre);
        barra->setMovable(false);
        barra->setIconSize(QSize(16, 16));
        barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return barra;
    };
    tbToolBar_ = nuevaBarra("tbToolBar");
    addToolBarBreak();
    QToolBar* segunda = nuevaBarra("tbToolBar2");
    QStyle* st = style();
    auto icono = [&](QAction* a, const QIcon& i) {
        a->setIcon(i);
        for (QToolBar* barra : {tbToolBar_, segunda})
            if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a)))
                b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    };
    QToolBar* t = tbToolBar_;
    icono(Boton(t, "Nuevo", "Nuevo", "Nuevo"), st->standardIcon(QStyle::SP_FileIcon));
    icono(Boton(t, "Abrir", "Abrir", "Abrir una imagen RASK"), st->standardIcon(QStyle::SP_DialogOpenButton));
    icono(Boton(t, "GuardarImgComo", "Guardar", "Guardar imagen como..."),
          st->standardIcon(QStyle::SP_DialogSaveButton));
    Boton(t, "Imprimir", "Imp", "Imprimir");
    t->addSeparator();
    icono(Boton(t, "Opciones", "Opciones", "Opciones de Configuración KOLT"),
          st->standardIcon(QStyle::SP_FileDialogDetailedView));
    icono(Boton(t, "Rever", "Rever", "Refrescar una imagen RASK"), st->standardIcon(QStyle::SP_BrowserReload));
    t->addSeparator();
    const char* ayudasPaleta[6] = {"1- Paleta Composición color", "2- Paleta Rojo", "3- Paleta Verde",
                                   "4- Paleta Azul", "5- Paleta tono de grises", "6- Paleta Marrón-Verde-Azul"};
    // Small swatches for the six palette buttons.
    const QColor muestras[6][2] = {{Qt::red, Qt::blue},           {Qt::black, Qt::red},
                                   {Qt::black, Qt::green},        {Qt::black, Qt::blue},
                                   {Qt::black, Qt::white},        {QColor(140, 90, 40), Qt::blue}};
    for (int i = 0; i < 6; ++i) {
        QAction* a = Boton(t, kBotonesPaleta[i], QString::number(i + 1), QString::fromUtf8(ayudasPaleta[i]));
        a->setCheckable(true);
        QPixmap px(16, 16);
        QPainter pintor(&px);
        QLinearGradient g(0, 0, 16, 0);
        g.setColorAt(0, muestras[i][0]);
        if (i == 0) g.setColorAt(0.5, Qt::green);
        g.setColorAt(1, muestras[i][1]);
        pintor.fillRect(px.rect(), g);
        pintor.setPen(Qt::darkGray);
        pintor.drawRect(0, 0, 15, 15);
        pintor.end();
        icono(a, QIcon(px));
    }
    t->addSeparator();
    icono(Boton(t, "Corre1", "Correr", "Corre Simulador KOLT"), st->standardIcon(QStyle::SP_MediaPlay));
    t->addSeparator();
    // Editing buttons kept for their place in the bar; they do nothing.
    icono(Boton(t, "Cortar", "Cor", "Cortar"), IconoDibujado([](QPainter& p) {
              p.drawEllipse(QRectF(1.5, 10.5, 4, 4));
              p.drawEllipse(QRectF(10.5, 10.5, 4, 4));
              p.drawLine(QPointF(5, 11), QPointF(12, 1));
              p.drawLine(QPointF(11, 11), QPointF(4, 1));
          }));
    icono(Boton(t, "Copiar", "Cop", "Copiar"), IconoDibujado([](QPainter& p) {
              p.drawRect(QRectF(1.5, 1.5, 8, 10));
              p.fillRect(QRectF(6, 5, 8.5, 10.5), Qt::white);
              p.drawRect(QRectF(6.5, 4.5, 8, 10));
          }));
    icono(Boton(t, "Pegar", "Peg", "Pegar"), IconoDibujado([](QPainter& p) {
              p.drawRect(QRectF(2.5, 2.5, 11, 12));
              p.fillRect(QRectF(5.5, 0.5, 5, 3), QColor(60, 60, 60));
              for (int y : {7, 10}) p.drawLine(5, y, 11, y);
          }));

    QToolBar* z = segunda;
    Boton(z, "Z1", "Z1", "Zoom Pixel 1 punto")->setCheckable(true);
    Boton(z, "Z10", "Z10", "Zoom Pixel 10 puntos")->setCheckable(true);
    Boton(z, "Z100", "Z100", "Zoom Pixel 100 puntos")->setCheckable(true);
    Boton(z, "Z500", "Z500", "Zoom Pixel 500 puntos")->setCheckable(true);
    Boton(z, "Zmenos", "Zoom -", "Reducir Pixel");
    Boton(z, "Zmas", "Zoom +", "Aumentar Pixel");
    z->addSeparator();
    icono(Boton(z, "Negrita", "N", "Negrita"), IconoLetra("N", true, false, false));
    icono(Boton(z, "Cursiva", "K", "Cursiva"), IconoLetra("K", false, true, false));
    icono(Boton(z, "Subrayado", "S", "Subrayado"), IconoLetra("S", false, false, true));
    z->addSeparator();
    icono(Boton(z, "Alinear a la izquierda", "<", "Alinear a la izquierda"), IconoAlinear(Qt::AlignLeft));
    icono(Boton(z, "Centrar", "=", "Centrar"), IconoAlinear(Qt::AlignHCenter));
    icono(Boton(z, "Alinear a la derecha", ">", "Alinear a la derecha"), IconoAlinear(Qt::AlignRight));
}

void FrmMain0::CrearBarraEstado() {
    QStatusBar* sb = statusBar();
    sb->setObjectName("sbStatusBar");
    panel1_ = new QLabel("Estado", sb);
    panel1_->setObjectName("sbPanel1");
    panel1_->setMinimumWidth(200);
    sb->addWidget(panel1_, 1);
    auto* fecha = new QLabel(QDate::currentDate().toString("dd/MM/yyyy"), sb);
    auto* hora = new QLabel(QTime::currentTime().toString("HH:mm"), sb);
    sb->addPermanentWidget(fecha);
    sb->addPermanentWidget(hora);
    auto* reloj = new QTimer(this);
    connect(reloj, &QTimer::timeout, hora, [hora, fecha] {
        hora->setText(QTime::currentTime().toString("HH:mm"));
        fecha->setText(QDate::currentDate().toString("dd/MM/yyyy"));
    });
    reloj->start(30000);
}

void FrmMain0::ConectarBotones() {
    // Toolbar buttons run the menu items.
    auto reenviar = [this](const char* boton, const QString& item) {
        connect(Accion(boton), &QAction::triggered, Accion(item), &QAction::trigger);
    };
    reenviar("Abrir", "mnuAbrirImgRASK");
    reenviar("GuardarImgComo", "mnuFileSaveAs");
    reenviar("Imprimir", "mnuFilePrint");
    reenviar("Opciones", "mnuOpciones");
    reenviar("Rever", "mnuReVer");
    reenviar("Corre1", "mnuRun1");
    for (int i = 0; i < 6; ++i) reenviar(kBotonesPaleta[i], kPaletas[i].nombre);
    for (int tam : {1, 10, 100, 500}) reenviar(QStringLiteral("Z%1").arg(tam).toLatin1().constData(), NombreZoom(tam));
    connect(Accion("Nuevo"), &QAction::triggered, this,
            [this] { plataforma_.Mensaje("Agregar código de botón 'Nuevo'.", "", Icono::Ninguno); });
    connect(Accion("Zmenos"), &QAction::triggered, this, [this] { ZoomMenos(); });
    connect(Accion("Zmas"), &QAction::triggered, this, [this] { ZoomMas(); });
}

// ---------------------------------------------------------------------------
// picMensajes and the status bar

void FrmMain0::ImprimirMensaje(const QString& linea) {
    QString t = picMensajes_->text();
    picMensajes_->setText(t.isEmpty() && linea.isEmpty() ? QString("\n") : (t.isEmpty() ? linea : t + "\n" + linea));
    picMensajes_->repaint();
}

void FrmMain0::LimpiarMensajes() {
    picMensajes_->clear();
    picMensajes_->repaint();
}

QString FrmMain0::TextoMensajes() const { return picMensajes_->text(); }

void FrmMain0::PanelEstado(const QString& texto) {
    panel1_->setText(texto);
    panel1_->repaint();
}

QString FrmMain0::TextoPanelEstado() const { return panel1_->text(); }

void FrmMain0::RelojArena(bool activo) {
    if (activo) {
        setCursor(Qt::WaitCursor);
        picMensajes_->setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
        picMensajes_->unsetCursor();
    }
}

// ---------------------------------------------------------------------------
// Windows owned by the main window

DlgOpciones* FrmMain0::Opciones(bool mostrar) {
    if (!opciones_) opciones_ = new DlgOpciones(*this);
    if (mostrar) {
        opciones_->show();
        opciones_->raise();
        opciones_->activateWindow();
    }
    return opciones_;
}

FrmPp* FrmMain0::Pizarra() {
    if (!pizarra_) {
        pizarra_ = new FrmPp(estado_);
        connect(pizarra_, &FrmPp::Descargada, this, [this] { AlCerrarPizarra(); });
    }
    return pizarra_;
}

void FrmMain0::AlCerrarPizarra() {
    if (QAction* a = Accion("mnuPizarra1")) a->setChecked(false);
    estado_.VerPizarra = false;
}

FrmPp2* FrmMain0::Progreso() {
    if (!progreso_) {
        progreso_ = new FrmPp2();
        // Placed 500 twips right of and 1100 twips below the main window's corner.
        progreso_->move(x() + 500 / kTwips, y() + 1100 / kTwips);
    }
    return progreso_;
}

// ---------------------------------------------------------------------------
// Commands

void FrmMain0::mnuOpciones_Click() {
    DlgOpciones* d = Opciones(true);
    d->Reinicia_Variables();
}

void FrmMain0::mnuPizarra1_Click() {
    QAction* item = Accion("mnuPizarra1");
    // The action toggles its own check mark before this runs: a cleared mark
    // means it was shown before the click.
    if (item && !item->isChecked()) {
        estado_.VerPizarra = false;
        if (pizarra_) pizarra_->close();
        item->setChecked(false);
        estado_.VerPizarra = false;
    } else {
        if (item) item->setChecked(true);
        estado_.VerPizarra = true;
        FrmPp* p = Pizarra();
        p->show();
        p->raise();
    }
}

void FrmMain0::mnuAbrirImgRASK_Click() {
    std::string ruta = plataforma_.AbrirArchivo("Importar Archivo IMG formato texto, de IDRISI",
                                                "Abrir Archivo imagen Idrisi, formato texto (*dat.rkd)|*dat.rkd");
    if (ruta.empty()) return;
    RelojArena(true);
    ImprimirMensaje("Procesando. Un momento por favor...");
    PanelEstado("Procesando...");
    VerIMG(ruta);
    LimpiarMensajes();
    PanelEstado("Estado");
    RelojArena(false);
}

void FrmMain0::mnuHelpContents_Click() {
    // No help file is installed with the program.
    plataforma_.Mensaje("No se puede mostrar el contenido de la Ayuda. No hay Ayuda asociada a este proyecto.",
                        kTituloPrincipal, Icono::Informacion);
    const QString html = "c:\\ayudahtml\\ejemplo.chm";
    if (QFileInfo::exists(html) && !QDesktopServices::openUrl(QUrl::fromLocalFile(html)))
        plataforma_.Mensaje("No se puede abrir " + html.toStdString(), "", Icono::Ninguno);
}

void FrmMain0::mnuHelpSearchForHelpOn_Click() {
    plataforma_.Mensaje("No se puede mostrar el contenido de la Ayuda. No hay Ayuda asociada a este proyecto.",
                        kTituloPrincipal, Icono::Informacion);
}

void FrmMain0::mnuHelpAbout_Click() {
    FrmAbout acerca(plataforma_, this);
    acerca.exec();
}

void FrmMain0::Paleta(int nro) {
    if (nro < 1 || nro > 9) return;
    estado_.visor.NroPaleta = static_cast<int16_t>(nro);
    for (int i = 0; i < 9; ++i) paletas_[i]->setChecked(i == nro - 1);
    const char* pulsado = kPaletas[nro - 1].boton;
    for (int i = 0; i < 6; ++i) botonesPaleta_[i]->setChecked(pulsado && std::string_view(kBotonesPaleta[i]) == pulsado);
}

void FrmMain0::Zoom(int tam) {
    for (int i = 0; i < 13; ++i) zoom_[i]->setChecked(kTablaZoom[i] == tam);
    for (int t : {1, 10, 100, 500})
        if (QAction* a = Accion(QStringLiteral("Z%1").arg(t))) a->setChecked(t == tam);
    estado_.visor.TamPixel = static_cast<int16_t>(tam);
}

void FrmMain0::miZoomAuto() {
    if (QAction* a = AccionZoom(estado_.visor.TamPixel)) a->trigger();
}

void FrmMain0::ZoomMenos() {
    int i = -1;
    for (int k = 0; k < 13; ++k)
        if (kTablaZoom[k] == estado_.visor.TamPixel) { i = k; break; }
    int nuevo = i < 0 ? 1000 : (i == 0 ? 1 : kTablaZoom[i - 1]);
    estado_.visor.TamPixel = static_cast<int16_t>(nuevo);
    if (QAction* a = AccionZoom(nuevo)) a->trigger();
    if (QAction* a = Accion("mnuReVer"); a && a->isEnabled()) a->trigger();
}

void FrmMain0::ZoomMas() {
    int i = -1;
    for (int k = 0; k < 13; ++k)
        if (kTablaZoom[k] == estado_.visor.TamPixel) { i = k; break; }
    estado_.visor.TamPixel = static_cast<int16_t>(i >= 0 && i < 12 ? kTablaZoom[i + 1] : 1000);
    if (QAction* a = Accion("mnuReVer"); a && a->isEnabled()) a->trigger();
}

void FrmMain0::closeEvent(QCloseEvent* e) {
    if (corriendo_) {  // a run under way ends first
        e->ignore();
        return;
    }
    // Close every other window, the last opened first.
    const QWidgetList ventanas = QApplication::topLevelWidgets();
    for (int k = ventanas.size() - 1; k >= 0; --k) {
        QWidget* w = ventanas[k];
        if (w != this && w->isVisible()) w->close();
    }
    if (opciones_) opciones_->close();
    if (pizarra_) pizarra_->close();
    if (progreso_) progreso_->close();
    if (!isMinimized()) {
        const QRect g = geometry();
        plataforma_.GuardarAjuste("Settings", "MainLeft", std::to_string(g.x() * kTwips));
        plataforma_.GuardarAjuste("Settings", "MainTop", std::to_string(g.y() * kTwips));
        plataforma_.GuardarAjuste("Settings", "MainWidth", std::to_string(g.width() * kTwips));
        plataforma_.GuardarAjuste("Settings", "MainHeight", std::to_string(g.height() * kTwips));
    }
    e->accept();
}

}  // namespace tarno::ui
