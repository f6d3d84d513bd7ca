#include "ui/frm_visor_img.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "raster/archivos.h"
#include "raster/numeros.h"
#include "base/plataforma.h"
#include "ui/control_visor.h"
#include "ui/frm_main.h"
#include "viewer/render.h"
#include "viewer/zoom.h"

namespace tarno::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Hourglass pointer for the life of the guard.
struct RelojArena {
    RelojArena() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~RelojArena() { QApplication::restoreOverrideCursor(); }
};

constexpr QRgb kColorBanda = qRgb(230, 230, 230);

}  // namespace

// ---------------------------------------------------------------------------
// Picture1

LienzoVisor::LienzoVisor(FrmVisorIMG& visor) : visor_(visor) {
    setObjectName("Picture1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LienzoVisor::FijarImagen(QImage imagen) {
    imagen_ = std::move(imagen);
    setFixedSize(imagen_.size());
    update();
}

void LienzoVisor::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), imagen_, e->rect());
    QPen pluma{QColor(kColorBanda)};
    pluma.setWidth(grosor);
    p.setPen(pluma);
    if (shape1Visible) p.drawRect(shape1.x, shape1.y, shape1.ancho - 1, shape1.alto - 1);
    if (line1Visible) p.drawLine(line1[0], line1[1], line1[2], line1[3]);
}

void LienzoVisor::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    visor_.Picture1_MouseDown(e->button(), p.x(), p.y(), e->globalPosition().toPoint());
}
void LienzoVisor::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    visor_.Picture1_MouseMove(e->buttons(), p.x(), p.y());
}
void LienzoVisor::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    visor_.Picture1_MouseUp(e->button(), p.x(), p.y());
}

// ---------------------------------------------------------------------------
// frmVisorIMG

FrmVisorIMG::FrmVisorIMG(FrmMain0& principal, QWidget* parent)
    : QWidget(parent, Qt::Window), principal_(principal), estado_(principal.Estado()), plat_(principal.Plat()) {
    setObjectName("frmVisorIMG");
    setWindowTitle("TARNO-SIG");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(0);

    // Strip of the area editor: its toolbar and the area list, hidden at load.
    auto* tira = new QWidget(this);
    tira->setObjectName("tiraEditor");
    tira->setFixedHeight(500 / visor::kTwipsPorPixel);
    auto* filaTira = new QHBoxLayout(tira);
    filaTira->setContentsMargins(2, 0, 2, 0);
    toolbar1_ = new QToolBar(tira);
    toolbar1_->setObjectName("Toolbar1");
    struct Boton {
        const char* clave;
        const char* texto;
        const char* ayuda;
    };
    const Boton botones[] = {{"BtnLapiz", "Lapiz", "Activar Lapiz/Pincel"},
                             {"BtnGoma", "Borrar", "Activar Borrar"},
                             {"BtnMas", "Espesor", "Aumentar Espesor Lapiz/Pincel"},
                             {"BtnMenos", "Espesor", "Reducir Espesor Lapiz/Pincel"},
                             {"BtnPintar", "Pintar!", "Activa modo Pintar Areas de Píxel"},
                             {"BtnVector", "Vector", ""},
                             {"BtnGuarda", "Guarda", ""},
                             {"BtnSalir", "Salir", "Salir"}};
    for (const Boton& b : botones) {
        QAction* a = toolbar1_->addAction(QString::fromUtf8(b.texto));
        a->setObjectName(b.clave);
        a->setToolTip(QString::fromUtf8(b.ayuda));
        const QString clave = b.clave;
        connect(a, &QAction::triggered, this, [this, clave] { Toolbar1_ButtonClick(clave); });
    }
    toolbar1_->hide();
    toolbar1_->setEnabled(false);
    combo1_ = new QComboBox(tira);
    combo1_->setObjectName("Combo1");
    combo1_->setMinimumContentsLength(24);
    combo1_->hide();
    combo1_->setEnabled(false);
    connect(combo1_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    filaTira->addWidget(toolbar1_);
    filaTira->addWidget(combo1_);
    filaTira->addStretch();
    raiz->addWidget(tira);

    auto* centro = new QHBoxLayout;
    centro->setSpacing(0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("areaPicture1");
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setFrameShape(QFrame::NoFrame);
    picture1_ = new LienzoVisor(*this);
    scroll_->setWidget(picture1_);
    centro->addWidget(scroll_, 1);
    picLeyenda_ = new QLabel(this);
    picLeyenda_->setObjectName("picLeyenda");
    picLeyenda_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picLeyenda_->hide();
    centro->addWidget(picLeyenda_);
    raiz->addLayout(centro, 1);

    picTitulo_ = new QLabel(this);
    picTitulo_->setObjectName("picTitulo");
    picTitulo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    raiz->addWidget(picTitulo_);

    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName("sbStatusBar");
    sbStatusBar_->setSizeGripEnabled(false);
    for (size_t i = 0; i < paneles_.size(); ++i) {
        paneles_[i] = new QLabel(sbStatusBar_);
        paneles_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        // The coordinates need the widest panels.
        sbStatusBar_->addWidget(paneles_[i], i == 2 || i == 3 ? 2 : 1);
    }
    raiz->addWidget(sbStatusBar_);

    // Pop-up menu of the picture.
    popup_ = new QMenu("Editor de imagen RASK", this);
    popup_->setObjectName("mnuEditorVisorIMGPopUp");
    QAction* pixel = NuevoItem(popup_, "mnuSelPixel", "Seleccionar Pixel", true);
    QAction* segmento = NuevoItem(popup_, "mnuSelSegmento", "Seleccionar Segmento", true);
    QAction* rectangulo = NuevoItem(popup_, "mnuSelRectangulo", "Seleccionar Rectángulo", true);
    QAction* restaurar = NuevoItem(popup_, "mnuRestaurar", "Restaurar", false);
    popup_->addSeparator();
    QAction* perfil = NuevoItem(popup_, "mnuPerfilPixel", "Perfil transversal", false);
    perfil->setEnabled(false);
    popup_->addSeparator();
    QAction* lapizPincel = NuevoItem(popup_, "mnuLapizPincel", "Modificar Valores con Lapiz / Pincel", true);
    lapizPincel->setEnabled(estado_.img.TieneAreas);
    mnuLapiz_ = popup_->addMenu("Lapiz / Pincel");
    mnuLapiz_->setObjectName("mnuLapiz");
    mnuLapiz_->menuAction()->setObjectName("mnuLapiz");
    const std::pair<int, const char*> anchos[] = {{1, "Lapiz 1 Pixel"},    {2, "Lapiz 2 Pixel"},
                                                  {5, "Pincel 5 Pixel"},   {10, "Pincel 10 Pixel"},
                                                  {20, "Pincel 20 Pixel"}, {50, "Pincel 50 Pixel"},
                                                  {100, "Pincel 100 Pixel"}};
    for (const auto& [ancho, texto] : anchos) {
        const QByteArray nombre = QStringLiteral("mnuLapiz%1").arg(ancho).toLatin1();
        QAction* a = NuevoItem(mnuLapiz_, nombre.constData(), texto, true);
        a->setChecked(ancho == 1);
        connect(a, &QAction::triggered, this, [this, ancho] { mnuLapiz_Click(ancho); });
    }
    pixel->setChecked(true);
    connect(pixel, &QAction::triggered, this, [this] { mnuSelPixel_Click(); });
    connect(segmento, &QAction::triggered, this, [this] { mnuSelSegmento_Click(); });
    connect(rectangulo, &QAction::triggered, this, [this] { mnuSelRectangulo_Click(); });
    connect(restaurar, &QAction::triggered, this, [this] { mnuRestaurarIMG_Click(principal_); });
    connect(perfil, &QAction::triggered, this, [this] { mnuPerfilPixel_Click(principal_); });
    connect(lapizPincel, &QAction::triggered, this, [this] { mnuLapizPincel_Click(); });
}

FrmVisorIMG::~FrmVisorIMG() = default;

QAction* FrmVisorIMG::NuevoItem(QMenu* menu, const char* nombre, const QString& texto, bool marcable) {
    QAction* a = menu->addAction(texto);
    a->setObjectName(nombre);
    a->setCheckable(marcable);
    return a;
}

QAction* FrmVisorIMG::Item(const QString& nombre) const { return findChild<QAction*>(nombre); }

QString FrmVisorIMG::Panel(int i) const { return i >= 1 && i <= 5 ? paneles_[i - 1]->text() : QString(); }

void FrmVisorIMG::closeEvent(QCloseEvent* e) {
    // Closed windows are no longer the viewer; the main window's item follows.
    if (principal_.Visor() == this) principal_.FijarVisor(nullptr);
    MarcarVisorAbierto(principal_, false);
    QWidget::closeEvent(e);
}

// ---------------------------------------------------------------------------
// Drawing

bool FrmVisorIMG::mostrarRASK() {
    ImagenActual& img = estado_.img;
    visor::EstadoVisor& ev = estado_.visor;
    visor::CargarPaletas(estado_.par, ev.InvertirPaleta, ev.AzarColorines, paletas_);
    vista_ = visor::CeldasVisibles(img, ev);
    QImage imagen = std::move(picture1_->Imagen());
    Resultado r = visor::Renderizar(img, ev, paletas_, imagen);
    if (!r && imagen.isNull()) {
        picture1_->FijarImagen(QImage());
        plat_.Mensaje(r.mensaje, "", Icono::Ninguno);
        return false;
    }
    UbicarVentana(imagen.width(), imagen.height());
    picture1_->FijarImagen(std::move(imagen));
    if (!r) {
        plat_.Mensaje(visor::kMensajeInconsistencia, visor::kTituloInconsistencia, Icono::Advertencia);
        return false;
    }
    const bool leyenda = visor::HayLeyenda(picture1_->width(), picture1_->height());
    picLeyenda_->setVisible(leyenda);
    // The legend box takes the height left by the strip, title and status bar.
    if (leyenda) DibujarLeyenda(130, std::max(200, height() - 500 / visor::kTwipsPorPixel - 70));
    setWindowTitle(Q(visor::TituloVisor(img)));
    picTitulo_->setText(Q(visor::TextoTitulo(img)));
    MarcarVisorAbierto(principal_, true);
    return true;
}

void FrmVisorIMG::UbicarVentana(int anchoPicture, int altoPicture) {
    double pantAncho, pantAlto;
    PantallaTwips(pantAncho, pantAlto);
    const QPoint origen = principal_.geometry().topLeft();
    const visor::Ventana v =
        visor::UbicarVisor(anchoPicture, altoPicture, static_cast<int64_t>(pantAncho), static_cast<int64_t>(pantAlto),
                           int64_t{origen.x()} * visor::kTwipsPorPixel, int64_t{origen.y()} * visor::kTwipsPorPixel);
    const int t = visor::kTwipsPorPixel;
    setGeometry(static_cast<int>(v.izquierda / t), static_cast<int>(v.arriba / t),
                std::max<int>(static_cast<int>(v.ancho / t), 160), static_cast<int>(v.alto / t));
}

void FrmVisorIMG::DibujarLeyenda(int ancho, int alto) {
    const std::vector<visor::FilaLeyenda> filas = visor::FilasLeyenda(estado_.img);
    QImage leyenda(ancho, alto, QImage::Format_RGB32);
    leyenda.fill(Qt::white);
    QPainter p(&leyenda);
    const int h = std::max(alto / 32, 180 / visor::kTwipsPorPixel);
    const int paleta = std::clamp<int>(estado_.visor.NroPaleta, 1, 9);
    int y = 0;
    for (const visor::FilaLeyenda& f : filas) {
        if (f.nivel >= 0) {
            // Swatch from 30 pixels, its value beside it.
            p.fillRect(30, y + 1, 20, h - 2, QColor(visor::ColorQt(paletas_(f.nivel, paleta))));
            p.setPen(Qt::black);
            p.drawText(54, y, ancho - 54, h, Qt::AlignLeft | Qt::AlignVCenter, Q(f.texto));
        } else {
            p.setPen(Qt::black);
            p.drawText(0, y, ancho, h, Qt::AlignLeft | Qt::AlignVCenter, Q(f.texto));
        }
        y += h;
    }
    p.end();
    picLeyenda_->setPixmap(QPixmap::fromImage(leyenda));
    picLeyenda_->setFixedWidth(ancho);
    picLeyenda_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
}

// ---------------------------------------------------------------------------
// Mouse and selections

visor::Celda FrmVisorIMG::CeldaEn(int x, int y) const {
    return visor::CeldaBajoCursor(x, y, estado_.visor.TamPixel, picture1_->width(), picture1_->height(),
                                  vista_.Columnas(), vista_.Filas());
}

bool FrmVisorIMG::Pintando() const {
    QAction* a = Item("mnuLapizPincel");
    return a && a->isChecked();
}

void FrmVisorIMG::Picture1_MouseDown(Qt::MouseButton boton, int x, int y, const QPoint& global) {
    visor::EstadoVisor& ev = estado_.visor;
    if (boton == Qt::RightButton) {
        botonPresionado_ = true;
        popup_->popup(global);
        return;
    }
    if (boton != Qt::LeftButton) return;
    const visor::Celda c = CeldaEn(x, y);
    if (!Pintando()) {
        ev.SelCol1 = c.col;
        ev.SelFila1 = c.fila;
        botonPresionado_ = true;
        return;
    }
    ev.SelCol1 = c.col;
    ev.SelFila1 = c.fila;
    editor_.Dibujando = true;
    const int indice = combo1_->currentIndex();
    if (indice >= 1) {
        if (indice > visor::kMaximoAreas) {
            plat_.Mensaje("error, el número de áreas supera el máximo permitido de 255", "Error, ",
                          Icono::Advertencia);
            return;
        }
        editor_.AreaActual = static_cast<int16_t>(indice);
        PintarEn(ev.SelFila1, ev.SelCol1);
        return;
    }
    // "Agregar Nueva Area o Vector" (or nothing chosen): name a new area.
    ev.SelCol1 = ev.SelFila1 = 0;
    editor_.Dibujando = false;
    const std::string nro = TextoBlanco(static_cast<int>(estado_.img.NroAreas) + 1);
    const std::string nombre =
        plat_.Entrada("Ingrese el nombre para el Area agregada Nro. " + nro, "Editar Nueva Area Agreagada", nro);
    if (visor::AgregarArea(estado_.img, nombre)) {
        combo1_->addItem(Q(nombre));
        combo1_->setCurrentIndex(combo1_->count() - 1);
    }
}

void FrmVisorIMG::Picture1_MouseMove(Qt::MouseButtons botones, int x, int y) {
    visor::EstadoVisor& ev = estado_.visor;
    const visor::Celda c = CeldaEn(x, y);
    if (estado_.img.NroFilas > 0 && estado_.img.NroColumnas > 0) {
        const auto lectura = visor::LecturaCursor(estado_.img, ev, c);
        for (size_t i = 0; i < paneles_.size(); ++i) paneles_[i]->setText(Q(lectura[i]));
    }
    if (!(botones & Qt::LeftButton)) return;
    if (Pintando()) {
        if (editor_.Dibujando) PintarEn(c.fila, c.col);
        return;
    }
    const int tam = ev.TamPixel;
    if (Item("mnuSelRectangulo")->isChecked() && ev.SelCol1 > 0 && ev.SelFila1 > 0) {
        picture1_->shape1 = visor::BandaRectangulo(tam, {ev.SelCol1, ev.SelFila1}, c);
        picture1_->grosor = visor::GrosorBanda(tam);
        picture1_->shape1Visible = true;
        picture1_->update();
    } else if (Item("mnuSelSegmento")->isChecked() && ev.SelCol1 >= 1 && ev.SelFila1 >= 1) {
        picture1_->line1 = visor::BandaLinea(tam, {ev.SelCol1, ev.SelFila1}, c);
        picture1_->grosor = visor::GrosorBanda(tam);
        picture1_->line1Visible = true;
        picture1_->update();
    }
}

void FrmVisorIMG::Picture1_MouseUp(Qt::MouseButton boton, int x, int y) {
    botonPresionado_ = false;
    if (boton != Qt::LeftButton) return;
    visor::EstadoVisor& ev = estado_.visor;
    const visor::Celda c = CeldaEn(x, y);
    ev.SelCol2 = c.col;
    ev.SelFila2 = c.fila;
    if (Pintando() || !Item("mnuSelRectangulo")->isChecked() || ev.SelCol1 < 1 || ev.SelFila1 < 1) return;
    double ancho, alto;
    PantallaPixeles(ancho, alto);
    picture1_->shape1Visible = false;
    ev.TamPixel = visor::TerminarRectangulo(ev, ancho, alto);
    FrmMain0& principal = principal_;
    miZoomAuto(principal);
    mnuReVer_Click(principal);  // recreates the viewer: only the rectangle is drawn
    if (FrmVisorIMG* nuevo = VisorAbierto(principal)) nuevo->Item("mnuSelRectangulo")->setChecked(true);
    principal.Estado().visor.SelCol1 = principal.Estado().visor.SelCol2 = 0;
    principal.Estado().visor.SelFila1 = principal.Estado().visor.SelFila2 = 0;
}

void FrmVisorIMG::OcultarBandas() {
    picture1_->shape1Visible = false;
    picture1_->line1Visible = false;
    picture1_->update();
}

void FrmVisorIMG::ElegirModo(QAction* modo) {
    for (const char* n : {"mnuSelPixel", "mnuSelSegmento", "mnuSelRectangulo"}) Item(n)->setChecked(Item(n) == modo);
    visor::EstadoVisor& ev = estado_.visor;
    ev.SelCol1 = ev.SelCol2 = ev.SelFila1 = ev.SelFila2 = 0;
    ev.VerSeleccion = false;
    OcultarBandas();
    Item("mnuLapizPincel")->setChecked(false);
    Item("mnuPerfilPixel")->setEnabled(modo == Item("mnuSelSegmento"));
}

void FrmVisorIMG::mnuSelPixel_Click() { ElegirModo(Item("mnuSelPixel")); }
void FrmVisorIMG::mnuSelSegmento_Click() { ElegirModo(Item("mnuSelSegmento")); }
void FrmVisorIMG::mnuSelRectangulo_Click() { ElegirModo(Item("mnuSelRectangulo")); }

void FrmVisorIMG::MarcarPerfil(const std::vector<visor::Celda>& puntos) {
    const int tam = estado_.visor.TamPixel;
    QImage& imagen = picture1_->Imagen();
    if (imagen.isNull()) return;
    QPainter p(&imagen);
    for (const visor::Celda& c : puntos) {
        // The marks go where the cells are shown, offsets taken off.
        const int x = (c.col - vista_.col1) * tam, y = (c.fila - vista_.fila1) * tam;
        p.fillRect(x, y, tam, tam, QColor(kColorBanda));
    }
    p.end();
    picture1_->update();
}

// ---------------------------------------------------------------------------
// Area painting

void FrmVisorIMG::mnuLapizPincel_Click() {
    ImagenActual& img = estado_.img;
    const bool habiaSeleccion = estado_.visor.VerSeleccion;
    {
        RelojArena reloj;
        visor::EntrarPintura(editor_, img);
        visor::LimpiarSeleccion(estado_.visor);
    }
    QAction* item = Item("mnuLapizPincel");
    if (!img.TieneAreas) {
        item->setChecked(false);
        return;
    }
    if (habiaSeleccion) {
        // The cells are painted by their place in the whole image: show it whole.
        FrmMain0& principal = principal_;
        mnuReVer_Click(principal);
        if (FrmVisorIMG* nuevo = VisorAbierto(principal); nuevo && nuevo != this) {
            nuevo->mnuLapizPincel_Click();
            return;
        }
    }
    item->setChecked(true);
    combo1_->clear();
    combo1_->show();
    combo1_->setEnabled(true);
    toolbar1_->show();
    toolbar1_->setEnabled(true);
    editor_.Lapiz = true;
    editor_.Goma = false;
    for (const std::string& s : visor::ListaAreas(img)) combo1_->addItem(Q(s));
}

void FrmVisorIMG::mnuLapiz_Click(int ancho) {
    editor_.AnchoPincel = static_cast<int16_t>(ancho);
    for (QAction* a : mnuLapiz_->actions()) a->setChecked(a->objectName() == QStringLiteral("mnuLapiz%1").arg(ancho));
    estado_.visor.SelCol1 = estado_.visor.SelFila1 = 0;
    editor_.Dibujando = false;
}

void FrmVisorIMG::Combo1_Click() {
    estado_.visor.SelCol1 = estado_.visor.SelFila1 = 0;
    editor_.Dibujando = false;
}

void FrmVisorIMG::PintarEn(int32_t fila, int32_t col) {
    const std::vector<visor::Cuadro> cuadros = visor::PintarBloque(
        editor_, estado_.img, paletas_, estado_.visor.NroPaleta, estado_.visor.TamPixel, fila, col);
    QImage& imagen = picture1_->Imagen();
    if (imagen.isNull()) return;
    QPainter p(&imagen);
    for (const visor::Cuadro& q : cuadros) p.fillRect(q.x, q.y, q.lado, q.lado, QColor(visor::ColorQt(q.color)));
    p.end();
    picture1_->update();
}

void FrmVisorIMG::Toolbar1_ButtonClick(const QString& clave) {
    auto soltar = [this] {
        editor_.Dibujando = false;
        botonPresionado_ = false;
    };
    if (clave == "BtnLapiz") {
        editor_.Lapiz = true;
        editor_.Goma = false;
        soltar();
    } else if (clave == "BtnGoma") {
        editor_.Goma = true;
        editor_.Lapiz = false;
        soltar();
    } else if (clave == "BtnMas") {
        editor_.AnchoPincel = visor::AnchoMayor(editor_);
        soltar();
    } else if (clave == "BtnMenos") {
        editor_.AnchoPincel = visor::AnchoMenor(editor_);
        soltar();
    } else if (clave == "BtnGuarda") {
        Resultado r;
        {
            RelojArena reloj;
            r = visor::GuardarAreas(estado_.img);
        }
        if (!r) plat_.Mensaje(r.mensaje, "", Icono::Advertencia);
        visor::LimpiarSeleccion(estado_.visor);
    } else if (clave == "BtnSalir") {
        const Respuesta resp =
            plat_.Mensaje("¿Confirma las áreas y cambios realizados ?",
                          "ADVERTENCIA: Al aceptar modifica los datos de la imagen", Icono::Advertencia,
                          Botones::AceptarCancelar);
        if (resp == Respuesta::Cancelar) close();
    }
}

}  // namespace tarno::ui
