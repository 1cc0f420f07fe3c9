// The main window: what its commands, keys and events do. Its parts and
// menus are built in frmCalcComponentes.cpp.
#include "shell/ui/frmCalc.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <charconv>

#include "engine/DiagramaX.h"
#include "engine/bases2_36.h"
#include "shell/Esquemas.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/ColocacionVentana.h"
#include "shell/TemasAyuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "shell/ui/fmOpciones.h"
#include "shell/ui/fmUsuario.h"
#include "shell/ui/frmCalcPiezas.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/GuardarAlCerrar.h"
#include "support/ui/GradientesQt.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
QString SinAmpersand(QString s) { return s.remove('&'); }

// Gives a widget's text and background roles, in every state.
void Pintar(QWidget* w, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles) {
    QPalette pal = w->palette();
    for (const auto& [rol, color] : roles) pal.setColor(rol, color);
    w->setPalette(pal);
}

// The placeholder picture of the formula view before the first evaluation.
std::optional<LienzoGrabado> Marcador() {
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    for (const char* v : {"a", "b", "c"}) e.AgregarVariable(v);
    e.SetTexto("(-b+Raiz(b^2-4*a*c))/(2*a)");
    if (!e.Arbol) return std::nullopt;
    return Metarchivo(e, std::make_shared<MetricasQt>());
}

// A font from the settings: the old default "MS Sans Serif" means the
// desktop's own font; a family that is not installed falls back to it too
// (the stored name is kept as it is).
QFont FuenteDe(const FuenteCaja& f) {
    QFont q = QApplication::font();
    const QString nombre = Q(f.Nombre);
    if (nombre != "MS Sans Serif" && QFontDatabase::families().contains(nombre, Qt::CaseInsensitive))
        q.setFamily(nombre);
    if (f.Tamano > 0) q.setPointSize(f.Tamano);
    q.setBold(f.Estilo & 1);
    q.setItalic(f.Estilo & 2);
    return q;
}

// A number in the display format, or, when that does not fit, in exponent
// form with as many digits as fit (at least one): shortened, never cut.
std::string TextoQueCabe(long double v, const FormatoNumero& formato, const std::string& completo,
                         const std::function<bool(const std::string&)>& cabe) {
    if (cabe(completo)) return completo;
    FormatoNumero f = formato;
    f.Notacion = formato.Notacion == NotacionGeneral ? NotacionCientifica : formato.Notacion;
    f.QuitarCeros = true;
    std::string t = completo;
    for (int d = std::min(formato.Decimales, 16); d >= 0; --d) {
        f.Decimales = d;
        t = RealABase(f.BaseDefecto, v, f);
        if (cabe(t)) break;
    }
    return t;
}

std::string TextoGeneral15(long double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

}  // namespace

// ------------------------------------------------------------- creation
// The parts and the menus are built in frmCalcComponentes.cpp.

TfrmCalcu::TfrmCalcu(TSesion& sesion, QWidget* padre) : TFormMX(padre), sesion_(sesion) {
    setObjectName("frmCalcu");
    setWindowTitle(kTitulo);
    SetAutoDraw(false);
    SetNoErase(false);
    setMinimumSize(kAnchoMinimo, kAltoMinimo);
    resize(560, 380);
    Confirmar = [this](const QString& titulo, const QString& texto) {
        return QMessageBox::question(this, titulo, texto, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    Informar = [this](const QString& texto) {
        QMessageBox::information(this, QApplication::applicationDisplayName(), texto);
    };
    Error = [this](const QString& texto) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), texto);
    };
    CrearComponentes();
    CrearMenus();
    PublicarTeclas();

    input_ = new TfmInput(this);
    sesion_.Preguntar = [this, preguntar = PreguntadorDe(*input_, sesion_)](
                            char letra, const std::string& propuesto, const std::string& error) {
        // The prompt is answered with the normal pointer.
        QApplication::restoreOverrideCursor();
        RespuestaPregunta r = preguntar(letra, propuesto, error);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return r;
    };
    sesion_.Cancelar = [this] { return CancelarSondeo(); };
    qApp->installEventFilter(this);

    TomarAjustes();
    RefrescarLista();
    RefrescarTotal();
    if (sesion_.Ini()) RestaurarColocacion(*this, *sesion_.Ini());
    AplicarDiseno();
    RefrescarHistoria();
    // Reduced from the start when the pointer is elsewhere once it shows.
    if (sesion_.Ajustes.ModoReducido) QTimer::singleShot(500, this, [this] { RevisarReducido(); });
    cajaExpresion->SetTexto("{Ingrese aquí una expresión para evaluar}");
    cajaExpresion->lineEdit()->selectAll();
    MostrarMarcador();
}

TfrmCalcu::~TfrmCalcu() {
    qApp->removeEventFilter(this);
    sesion_.Preguntar = nullptr;
    sesion_.Cancelar = nullptr;
    if (bandeja_) bandeja_->hide();
}

void TfrmCalcu::PreguntarPrimerInicio(TSesion& sesion, QWidget* padre) {
    if (!sesion.Ini() || !sesion.Ajustes.PrimerInicio()) return;
    const auto r = QMessageBox::information(
        padre, QApplication::applicationDisplayName(),
        "Parece que es la primera vez que utiliza este programa.\n\n¿Desea ver la ayuda ahora? (Recomendado) ",
        QMessageBox::Yes | QMessageBox::No);
    if (r == QMessageBox::Yes) AbrirAyudaTema(padre, 1);
    sesion.Ajustes.MarcarPrimerInicio(*sesion.Ini());
    try {
        sesion.Ini()->UpdateFile();
    } catch (const std::exception&) {
        // Asked again next time; nothing else depends on it.
    }
}

void TfrmCalcu::AbrirMenu(QMenu* m, QWidget* junto) {
    if (!m || evaluando_) return;
    m->popup(junto->mapToGlobal(QPoint(0, junto->height())));
}

// ------------------------------------------------------------- tools
// The menu item, the button and the flag always say what the tool's window
// really does: they are set from its show and hide events (eventFilter),
// whoever opened or closed it.

QWidget* TfrmCalcu::VentanaHerramienta(std::string_view nombre) const {
    const auto i = registro_.PorNombre(nombre);
    return i ? herramientas_[*i].ventana.data() : nullptr;
}

bool TfrmCalcu::HerramientaAbierta(std::string_view nombre) const {
    const QWidget* w = VentanaHerramienta(nombre);
    return w && w->isVisible();
}

void TfrmCalcu::MostrarHerramienta(std::string_view nombre, bool mostrar) {
    if (const auto i = registro_.PorNombre(nombre)) MostrarHerramienta(*i, mostrar);
}

void TfrmCalcu::AlternarHerramienta(std::string_view nombre) {
    if (const auto i = registro_.PorNombre(nombre)) AlternarHerramienta(*i);
}

void TfrmCalcu::AlternarHerramienta(std::size_t i) {
    const QWidget* w = herramientas_[i].ventana;
    MostrarHerramienta(i, !(w && w->isVisible()));
}

void TfrmCalcu::MostrarHerramienta(std::size_t i, bool mostrar) {
    if (evaluando_) return;
    EstadoHerramienta& t = herramientas_[i];
    if (mostrar && !t.ventana && t.h.Crear) {
        QWidget* w = t.h.Crear(*this);
        if (!w) return;
        // Owned by the main window, a window of its own, kept when closed.
        w->setParent(this, (w->windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        if (w->objectName().isEmpty()) w->setObjectName(Q(t.h.Clave.empty() ? SinMarcas(t.h.Nombre) : t.h.Clave));
        if (w->windowTitle().isEmpty()) w->setWindowTitle(Q(SinMarcas(t.h.Nombre)));
        if (sesion_.Ini()) RestaurarColocacion(*w, *sesion_.Ini());
        t.ventana = w;
        if (t.h.AlAplicarColores) t.h.AlAplicarColores(w);
    }
    if (!t.ventana) return;
    if (mostrar) {
        t.ventana->show();
        t.ventana->raise();
        t.ventana->activateWindow();
    } else {
        t.ventana->close();  // as its title bar would: the tool may keep itself open
    }
    ReflejarHerramienta(i);
}

void TfrmCalcu::ReflejarHerramienta(std::size_t i) {
    EstadoHerramienta& t = herramientas_[i];
    const bool abierta = t.ventana && (t.ventana->isVisible() || t.conPrincipal);
    t.accion->setChecked(abierta);
    t.boton->setChecked(abierta);
    if (siguiendo_) registro_.Recordar(sesion_.Ajustes, i, abierta);
}

void TfrmCalcu::OcultarHerramientas(bool ocultar) {
    // Along with the main window (minimised, in the notification area): the
    // flags and marks stay as they were.
    for (EstadoHerramienta& t : herramientas_) {
        if (!t.ventana) continue;
        if (ocultar && t.ventana->isVisible()) {
            t.conPrincipal = true;
            t.ventana->hide();
        } else if (!ocultar && t.conPrincipal) {
            t.conPrincipal = false;
            t.ventana->show();
        }
    }
}

void TfrmCalcu::TrasEvaluar(const std::string& expresion) {
    Avisar(&Herramienta::TrasEvaluar, sesion_.Ultima());
    // Asked once the evaluation has unwound and its failure shows.
    if (sesion_.Ultima().codigo == CodigoError::OperacionInvalida && registro_.PorNombre("Complejos"))
        QTimer::singleShot(0, this, [this, expresion] { PreguntarComplejos(expresion); });
}

void TfrmCalcu::PreguntarComplejos(const std::string& expresion) {
    const auto i = registro_.PorNombre("Complejos");
    if (!i || evaluando_ || cerrando_) return;
    if (!Confirmar("Parametro no válido",
                   "Esta expresión no pudo evaluarse, \npero quizá sea posible en el dominio de los Complejos.\n\n"
                   "¿Desea evaluar esta expresión con la Herramienta Complejos? "))
        return;
    MostrarHerramienta(*i, true);
    EstadoHerramienta& t = herramientas_[*i];
    if (t.ventana && t.h.Recibir) t.h.Recibir(t.ventana, expresion);
}

void TfrmCalcu::showEvent(QShowEvent* e) {
    TFormMX::showEvent(e);
    if (mostrada_) return;
    mostrada_ = true;
    for (std::size_t i : registro_.AReabrir(sesion_.Ajustes)) MostrarHerramienta(i, true);
}

// ------------------------------------------------------------- settings

void TfrmCalcu::TomarAjustes() {
    const AjustesCalculadora& a = sesion_.Ajustes;
    MarcarAngulo();
    MarcarBase();
    MarcarDigitos();
    acSeparador_->setChecked(sesion_.Formato.Agrupar);
    EstadoCompletado::Activo = a.Autocompletar;
    acAutocompletar_->setChecked(a.Autocompletar);
    acVerHistorial_->setChecked(a.VerHistorial);
    acVerBarra_->setChecked(a.VerBarra);
    acVerTotal_->setChecked(a.VerTotal);
    acSiempreVisible_->setChecked(a.SiempreVisible);
    botonSiempreVisible->setChecked(a.SiempreVisible);
    if (a.SiempreVisible) SetTopMost(true);
    if (a.NoTitulo != bool(windowFlags() & Qt::FramelessWindowHint)) OcultarTitulo(a.NoTitulo);
    acOcultarTitulo_->setChecked(a.NoTitulo);
    acMinIcon_->setChecked(a.MinIcon && QSystemTrayIcon::isSystemTrayAvailable());
    botonReducido->setChecked(a.ModoReducido);
    SetMagnetic(a.Magnetico);
    panelMedio->setVisible(a.VerHistorial);
    bandaInferior->setVisible(a.VerBarra);
    VerTotal(a.VerTotal);
    if (a.AltoF > 0 || a.AltoH > 0)
        panelMedio->setSizes({std::max(a.AltoF, 1), std::max(a.AltoH, 1)});
    AplicarFuentes();
}

void TfrmCalcu::AplicarFuentes() {
    cajaExpresion->setFont(FuenteDe(sesion_.Ajustes.FuenteExpresion));
    cajaResultado->setFont(FuenteDe(sesion_.Ajustes.FuenteResultado));
}

void TfrmCalcu::AplicarDiseno() {
    const AjustesCalculadora& a = sesion_.Ajustes;
    // Colours: every text stands out on what it is painted on, under the
    // desktop's palette of the moment (shell/Esquemas.h).
    pintados_ = ColoresDeVentana(EsquemaDe(a));
    const ColoresPintados& c = pintados_;
    const QColor tintaBanda = QColorDe(c.TintaBanda);
    const QColor medio = QColorDe(TColGrad(c.BandaLuz, 2, c.BandaSombra).Color(1));
    for (TPanelBanda* p : {bandaSuperior, bandaInferior}) {
        p->Color1 = QColorDe(c.BandaLuz);
        p->Color2 = QColorDe(c.BandaSombra);
        // Labels and buttons on the band (a raised button shows the band's
        // middle colour); the boxes take their own colours below.
        QPalette pal = p->palette();
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            pal.setColor(r, tintaBanda);
            pal.setColor(QPalette::Disabled, r, QColorDe(c.TintaBandaInactiva));
        }
        pal.setColor(QPalette::Button, medio);
        pal.setColor(QPalette::Window, medio);
        p->setPalette(pal);
        p->update();
    }
    const QColor caja = QColorDe(c.Caja), tintaCaja = QColorDe(c.TintaCaja);
    const QColor fondo = QColorDe(c.Fondo), tintaFondo = QColorDe(c.TintaFondo);
    for (QWidget* w : {static_cast<QWidget*>(cajaExpresion), static_cast<QWidget*>(cajaResultado)})
        Pintar(w, {{QPalette::Base, caja}, {QPalette::Text, tintaCaja}});
    Pintar(panelMedio, {{QPalette::Window, QColorDe(c.Divisor)}, {QPalette::Base, QColorDe(c.Divisor)}});
    panelMedio->setAutoFillBackground(true);
    for (QWidget* w : {panelFormula, static_cast<QWidget*>(vistaFormula)})
        Pintar(w, {{QPalette::Window, fondo}, {QPalette::Base, fondo}, {QPalette::WindowText, tintaFondo}});
    Pintar(listaResultados, {{QPalette::Base, fondo},
                   {QPalette::Text, tintaFondo},
                   {QPalette::Highlight, QColorDe(c.Seleccion)},
                   {QPalette::HighlightedText, QColorDe(c.TintaSeleccion)}});
    Pintar(cajaTotal, {{QPalette::Base, fondo}, {QPalette::Text, tintaFondo}});
    vistaFormula->PonerTinta(tintaFondo);
    panelFormula->setAutoFillBackground(true);
    vistaFormula->setAutoFillBackground(true);
    // The history limit and the completion switches.
    sesion_.Historial.SetMaxLista(a.MaxList);
    RefrescarHistoria();
    EstadoCompletado::Activo = acAutocompletar_->isChecked();
    EstadoCompletado::Descartado = false;
    AjustarAltura();
    Avisar(&Herramienta::AlAplicarColores);
}

void TfrmCalcu::AjustarAltura() {
    // Heights: the top panel, plus the bottom bar and the middle panel when
    // shown. The middle panel comes back at its last height, never as a
    // sliver.
    if (reducida_) return;
    bandaSuperior->layout()->activate();
    const int alto1 = bandaSuperior->sizeHint().height();
    const int alto2 = bandaInferior->isVisibleTo(this) ? bandaInferior->sizeHint().height() : 0;
    const int minimo = std::max(kAltoMinimo, alto1 + alto2);
    if (panelMedio->isVisibleTo(this)) {
        // Its height is followed while it shows (eventFilter); before it
        // first shows, it is what the window leaves it.
        if (altoMedio_ < 0) altoMedio_ = height() - alto1 - alto2;
        const int medio = std::max(altoMedio_, kAltoMedioMinimo);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setMinimumSize(kAnchoMinimo, minimo);
        resize(width(), alto1 + alto2 + medio);
        altoMedio_ = medio;
    } else {
        setMinimumSize(kAnchoMinimo, minimo);
        setMaximumHeight(minimo);
        resize(width(), minimo);
    }
}

// ------------------------------------------------------------- display

void TfrmCalcu::MostrarResultado() {
    const ResultadoEvaluacion& r = sesion_.Ultima();
    cajaResultado->setText(Q(r.texto));
    cajaResultado->setCursorPosition(0);
    cajaResultado->setToolTip(r.pista.empty() ? Q(r.texto) : Q(r.pista));
    AjustarMensaje();
}

void TfrmCalcu::AjustarMensaje() {
    // The box scrolls what does not fit: the line below it shows it all.
    const QString texto = cajaResultado->text();
    const int ancho = cajaResultado->contentsRect().width() - 8;  // the box's own margins
    const bool cabe = cajaResultado->fontMetrics().horizontalAdvance(texto) <= ancho;
    const bool ver = !cabe && !texto.isEmpty();
    if (ver) etiquetaMensaje->setText(texto);
    if (ver == etiquetaMensaje->isVisibleTo(this)) return;
    etiquetaMensaje->setVisible(ver);
    if (reducida_ || !panelMedio->isVisibleTo(this)) {
        AjustarAltura();
        return;
    }
    // The middle panel lends the room: the window keeps its height.
    bandaSuperior->layout()->activate();
    const int alto2 = bandaInferior->isVisibleTo(this) ? bandaInferior->sizeHint().height() : 0;
    setMinimumHeight(std::max(kAltoMinimo, bandaSuperior->sizeHint().height() + alto2));
}

void TfrmCalcu::RefrescarLista() {
    listaResultados->clear();
    for (const FilaLista& f : sesion_.Lista.Filas()) {
        auto* it = new QListWidgetItem(Q(f.Texto), listaResultados);
        it->setData(Qt::UserRole, f.Etiqueta);
    }
    if (listaResultados->count() > 0) listaResultados->setCurrentRow(0);
}

void TfrmCalcu::RefrescarTotal() {
    etiquetaCuenta->setText(QString::number(sesion_.Lista.Cuenta()));
    const QString completo = Q(sesion_.TextoTotal());
    const int ancho = cajaTotal->contentsRect().width() - 8;  // the box's own margins
    const QFontMetrics m = cajaTotal->fontMetrics();
    cajaTotal->setText(Q(TextoQueCabe(sesion_.Lista.Total(), sesion_.Formato, S(completo),
                                     [&](const std::string& t) { return m.horizontalAdvance(Q(t)) <= ancho; })));
    cajaTotal->setCursorPosition(0);
    botonDeshacer->setEnabled(sesion_.Lista.PuedeDeshacer());
    cajaTotal->setToolTip("Total (suma de resultados): " + completo);
}

void TfrmCalcu::RefrescarHistoria() { cajaExpresion->PonerHistoria(sesion_.Historial.Entradas()); }

void TfrmCalcu::MarcarAngulo() {
    const int u = std::clamp<int>(sesion_.Angulo(), 0, 5);
    accionesAngulo_[static_cast<std::size_t>(u)]->setChecked(true);
    botonAngulo->setText(kCortosAngulo[u]);
    botonAngulo->setToolTip("Formato de Angulos: " + SinAmpersand(kNombresAngulo[u]) + " (F11)");
}

void TfrmCalcu::MarcarBase() {
    const int b = sesion_.Formato.BaseDefecto;
    if (b >= 2 && b <= 36 && accionesBase_[static_cast<std::size_t>(b)])
        accionesBase_[static_cast<std::size_t>(b)]->setChecked(true);
    botonBase->setText(QString::number(b));
    botonBase->setToolTip(QString("Base numérica del resultado: %1 (F7)").arg(b));
}

void TfrmCalcu::MarcarDigitos() {
    const int d = sesion_.Digitos();
    for (QAction* a : accionesDigitos_)
        if (a->data().toInt() == d) a->setChecked(true);
    const bool flotante = d == AjustesCalculadora::kDigitosFlotante;
    botonDigitos->setText(flotante ? "Flot" : QString("%1 d").arg(d));
    botonDigitos->setToolTip(flotante ? "Formato Decimal (F12): Flotante"
                                    : QString("Formato Decimal (F12): %1 dígitos").arg(d));
    const int n = std::clamp<int>(sesion_.Formato.Notacion, 0, 2);
    accionesNotacion_[static_cast<std::size_t>(n)]->setChecked(true);
}

void TfrmCalcu::MostrarMarcador() {
    dibujo_.reset();
    static const std::optional<LienzoGrabado> marcador = Marcador();
    vistaFormula->PonerDibujo(marcador);
}

void TfrmCalcu::DibujarFormula() {
    TExpresionX& e = sesion_.Principal();
    dibujo_.reset();
    if (e.Arbol) {
        try {
            dibujo_ = Metarchivo(e, std::make_shared<MetricasQt>());
        } catch (const std::exception&) {
            dibujo_.reset();  // a picture that cannot be laid out is not drawn
        }
    }
    vistaFormula->PonerDibujo(dibujo_);
}

// ------------------------------------------------------------- evaluation

bool TfrmCalcu::CancelarSondeo() {
    // The engine polls often; the window answers a few times a second, so
    // Escape (cancel) and repaints get through while it computes.
    if (!sondeo_.isValid() || sondeo_.elapsed() >= 40) {
        sondeo_.restart();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return cancelar_;
}

void TfrmCalcu::Evaluar() {
    if (evaluando_) return;
    Expandir();
    const std::string expresion = S(cajaExpresion->Texto());
    cajaResultado->setText("Calculando...");
    cajaResultado->repaint();
    vistaFormula->PonerDibujo(std::nullopt);
    dibujo_.reset();
    evaluando_ = true;
    cancelar_ = false;
    sondeo_.invalidate();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const ResultadoEvaluacion r = sesion_.Evaluar(expresion);
        if (!r.vacio) DibujarFormula();
        sesion_.Registrar();
        MostrarResultado();
    } catch (const std::exception& ex) {
        cajaResultado->setText(QString::fromUtf8(ex.what()));
        cajaResultado->setToolTip(cajaResultado->text());
        AjustarMensaje();
    }
    QApplication::restoreOverrideCursor();
    evaluando_ = false;
    cancelar_ = false;
    RefrescarLista();
    RefrescarTotal();
    RefrescarHistoria();
    if (cajaExpresion->count() > 0 && !expresion.empty() && cajaExpresion->itemText(0) == Q(expresion)) {
        cajaExpresion->setCurrentIndex(0);
        cajaExpresion->SetTexto(Q(expresion));
    }
    TrasEvaluar(expresion);
    if (cierrePendiente_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmCalcu::CambiarAngulo(int angulo) {
    if (evaluando_ || angulo < 0 || angulo > 5) return;
    const std::string expresion = S(cajaExpresion->Texto());
    evaluando_ = true;
    cancelar_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const ResultadoEvaluacion r = sesion_.CambiarAngulo(static_cast<UnidadAngulo>(angulo), expresion);
        if (!r.vacio) DibujarFormula();
        MostrarResultado();
    } catch (const std::exception& ex) {
        cajaResultado->setText(QString::fromUtf8(ex.what()));
        cajaResultado->setToolTip(cajaResultado->text());
        AjustarMensaje();
    }
    QApplication::restoreOverrideCursor();
    evaluando_ = false;
    MarcarAngulo();
    RefrescarLista();
    RefrescarTotal();
    RefrescarHistoria();
    Avisar(&Herramienta::AlCambiarAngulo, static_cast<UnidadAngulo>(angulo));
    TrasEvaluar(expresion);
    if (cierrePendiente_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmCalcu::CambiarBase(int base) {
    if (evaluando_ || base < 2 || base > 36) return;
    sesion_.CambiarBase(static_cast<BaseNumeracion>(base), S(cajaExpresion->Texto()));
    MarcarBase();
    MostrarResultado();
    RefrescarLista();
    RefrescarTotal();
}

void TfrmCalcu::CambiarDigitos(int digitos) {
    const auto d = DigitosDe(digitos);
    if (evaluando_ || !d) return;
    sesion_.CambiarDigitos(*d);
    MarcarDigitos();
    MostrarResultado();
    RefrescarTotal();
}

void TfrmCalcu::CambiarNotacion(int notacion) {
    const auto n = NotacionDe(notacion);
    if (evaluando_ || !n) return;
    sesion_.CambiarNotacion(*n);
    MarcarDigitos();
    MostrarResultado();
    RefrescarTotal();
}

void TfrmCalcu::CambiarSeparador(bool agrupar) {
    if (evaluando_) return;
    sesion_.CambiarSeparador(agrupar);
    acSeparador_->setChecked(agrupar);
    MostrarResultado();
    RefrescarTotal();
}

void TfrmCalcu::SiguienteBase() {
    const int b = sesion_.Formato.BaseDefecto;
    CambiarBase(b == 10 ? 2 : b == 2 ? 8 : b == 8 ? 16 : 10);
}

void TfrmCalcu::SiguienteAngulo() { CambiarAngulo((sesion_.Angulo() + 1) % 6); }

void TfrmCalcu::SiguientesDigitos() {
    const int d = sesion_.Digitos();
    if (d == AjustesCalculadora::kDigitosFlotante) CambiarDigitos(0);
    else if (d >= 16) CambiarDigitos(AjustesCalculadora::kDigitosFlotante);
    else CambiarDigitos(d + 2);
}

void TfrmCalcu::TotalACero() {
    if (evaluando_) return;
    sesion_.Lista.TotalACero();
    RefrescarTotal();
}

void TfrmCalcu::Deshacer() {
    if (evaluando_) return;
    sesion_.Lista.Deshacer();
    RefrescarTotal();
}

void TfrmCalcu::AsignarDesdeLista() {
    if (evaluando_ || listaResultados->currentRow() < 0) return;
    cajaExpresion->SetTexto(Q(sesion_.Lista.TextoParaAsignar(static_cast<std::size_t>(listaResultados->currentRow()))));
    cajaExpresion->setFocus();
}

void TfrmCalcu::ResolverIncognita() {
    if (evaluando_) return;
    const std::string expresion = S(cajaExpresion->Texto());
    TExpresionX& e = sesion_.Principal();
    for (auto& v : sesion_.Variables()) v.preguntada = false;
    evaluando_ = true;
    cancelar_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString mensaje;
    try {
        e.SetTexto("0");
        e.SetTexto(expresion);
        if (e.HayError) {
            mensaje = Q(e.Mensaje);
        } else {
            const long double v = e.ResolverPara(sesion_.Incognita().get());
            mensaje = e.HayError ? Q(e.Mensaje) : Q(TextoGeneral15(v));
        }
    } catch (const std::exception& ex) {
        mensaje = QString::fromUtf8(ex.what());
    }
    QApplication::restoreOverrideCursor();
    evaluando_ = false;
    Informar(mensaje);
    if (cierrePendiente_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmCalcu::DescribirFunciones(bool si) {
    TExpresionX& e = sesion_.Principal();
    e.SinEnvoltura = si;
    if (!dibujo_) return;
    // Compiled again with the new rule and drawn; nothing is recorded.
    const std::string texto = e.Texto();
    e.SetTexto("0");
    e.SetTexto(texto);
    DibujarFormula();
}

void TfrmCalcu::SplitterMovido() {
    QList<int> t = panelMedio->sizes();
    if (t.size() != 2) return;
    const int total = t[0] + t[1];
    if (t[0] > 1 && t[0] < kPanelMinimo) panelMedio->setSizes({1, total - 1});
    else if (t[1] > 1 && t[1] < kPanelMinimo) panelMedio->setSizes({total - 1, 1});
}

// ------------------------------------------------------------- commands

void TfrmCalcu::VerHistorial(bool ver) {
    sesion_.Ajustes.VerHistorial = ver;
    acVerHistorial_->setChecked(ver);
    // What the layout gives the panel on the way is not its height.
    const int alto = altoMedio_;
    panelMedio->setVisible(ver);
    altoMedio_ = alto;
    AjustarAltura();
}

void TfrmCalcu::VerBarra(bool ver) {
    sesion_.Ajustes.VerBarra = ver;
    acVerBarra_->setChecked(ver);
    const int alto = altoMedio_;
    bandaInferior->setVisible(ver);
    altoMedio_ = alto;
    AjustarAltura();
}

void TfrmCalcu::VerTotal(bool ver) {
    sesion_.Ajustes.VerTotal = ver;
    acVerTotal_->setChecked(ver);
    for (QWidget* w : {static_cast<QWidget*>(etiquetaTotal), static_cast<QWidget*>(cajaTotal),
                       static_cast<QWidget*>(etiquetaCuenta), static_cast<QWidget*>(botonTotalACero),
                       static_cast<QWidget*>(botonDeshacer)})
        w->setVisible(ver);
}

void TfrmCalcu::SiempreVisible(bool si) {
    sesion_.Ajustes.SiempreVisible = si;
    acSiempreVisible_->setChecked(si);
    botonSiempreVisible->setChecked(si);
    if (TopMost() != si) SetTopMost(si);
}

void TfrmCalcu::OcultarTitulo(bool ocultar) {
    sesion_.Ajustes.NoTitulo = ocultar;
    acOcultarTitulo_->setChecked(ocultar);
    if (reducida_) return;  // applied when the window expands
    const QRect g = geometry();
    const bool visible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, ocultar);
    setWindowTitle(ocultar ? QString() : QString(kTitulo));
    setGeometry(g);
    if (visible) show();
}

void TfrmCalcu::ModoReducido(bool si) {
    sesion_.Ajustes.ModoReducido = si;
    botonReducido->setChecked(si);
    if (!si) Expandir();
    else QTimer::singleShot(300, this, [this] { RevisarReducido(); });
}

void TfrmCalcu::EditarUsuario(int modo) {
    if (evaluando_) return;
    if (EditarDefinicionesUsuario(this, sesion_, modo)) {
        sesion_.RegistrarVocabulario();
        LlenarMenusUsuario();
    }
}

void TfrmCalcu::AbrirOpciones() {
    if (evaluando_) return;
    MostrarOpciones(
        this, sesion_,
        [this] {
            AplicarFuentes();
            AplicarDiseno();
        },
        static_cast<bool>(Quimica));
    if (Quimica) Quimica(sesion_.Ajustes.MMR);
    TomarAjustes();
    AplicarDiseno();
    MostrarResultado();
    RefrescarTotal();
}

QLineEdit* TfrmCalcu::CajaEnfocada() const {
    QWidget* f = QApplication::focusWidget();
    if (!f) return nullptr;
    if (f == cajaExpresion || f == cajaExpresion->lineEdit()) return cajaExpresion->lineEdit();
    if (f == cajaResultado) return cajaResultado;
    if (f == cajaTotal) return cajaTotal;
    return nullptr;
}

void TfrmCalcu::AbrirMenuEdicion(QLineEdit* caja, const QPoint& donde, bool conConvertir) {
    if (!caja || evaluando_) return;
    QMenu* m = caja == cajaExpresion->lineEdit() ? menuExpresion : menuEdicion;
    m->clear();
    if (conConvertir) {
        m->addAction("Convertir", this, [this, caja, donde] {
            caja->setFocus();
            AbrirMenuConversiones(donde, caja == cajaExpresion->lineEdit());
        });
        m->addSeparator();
    }
    const bool editable = !caja->isReadOnly();
    QAction* copiar = m->addAction("&Copiar", caja, &QLineEdit::copy);
    QAction* cortar = m->addAction("C&ortar", caja, &QLineEdit::cut);
    QAction* pegar = m->addAction("&Pegar", caja, &QLineEdit::paste);
    QAction* eliminar = m->addAction("&Eliminar", caja, [caja] {
        caja->clear();
    });
    m->addSeparator();
    QAction* todo = m->addAction("Seleccionar &todo", caja, &QLineEdit::selectAll);
    const QMimeData* datos = QGuiApplication::clipboard()->mimeData();
    copiar->setEnabled(caja->hasSelectedText());
    cortar->setEnabled(editable && caja->hasSelectedText());
    pegar->setEnabled(editable && datos && datos->hasText());
    eliminar->setEnabled(editable && !caja->text().isEmpty());
    todo->setEnabled(!caja->text().isEmpty());
    m->popup(donde);
}

void TfrmCalcu::PreguntarCierre() {
    if (Confirmar(QApplication::applicationDisplayName(), "¿Cierra este programa?")) close();
}

const std::vector<TeclaVentanaCalc>& TfrmCalcu::TablaTeclas() {
    using K = QKeyCombination;
    constexpr auto C = Qt::ControlModifier;
    auto menu = [](QMenu* TfrmCalcu::*m, QToolButton* TfrmCalcu::*b) {
        return [m, b](TfrmCalcu& v) {
            v.AbrirMenu(v.*m, v.*b);
            return true;
        };
    };
    static const std::vector<TeclaVentanaCalc> t = {
        {{}, "Enter", "En la caja de expresión, calcula la expresión.", nullptr},
        {{K(Qt::Key_Escape)}, "Esc",
         "Si la caja de expresión tiene texto, la vacía y le da el foco; si está vacía, pregunta si cierra el programa.",
         [](TfrmCalcu& v) {
             if (v.cajaExpresion->Texto().isEmpty()) return v.PreguntarCierre(), true;
             v.cajaExpresion->setFocus();
             v.cajaExpresion->SetTexto(QString());
             v.cajaExpresion->SetSuprimido(false);
             return true;
         }},
        {{K(Qt::Key_F1)}, "F1", "Abre esta ayuda en la página de la ventana principal.",
         [](TfrmCalcu& v) { return AbrirAyuda(&v, "frmCalc"), true; }},
        {{K(Qt::Key_F2)}, "F2", "Abre la lista de autocompletar en la caja de expresión, aunque se haya cerrado con Esc.",
         [](TfrmCalcu& v) {
             EstadoCompletado::Descartado = false;
             v.cajaExpresion->setFocus();
             v.cajaExpresion->AbrirCompletado();
             return true;
         }},
        {{K(Qt::Key_F5)}, "F5", "Abre el menú Herramientas.", menu(&TfrmCalcu::menuHerramientas, &TfrmCalcu::botonHerramientas)},
        {{K(Qt::Key_F7)}, "F7",
         "Cambia la base del resultado: 10, 2, 8, 16 y otra vez 10 (desde cualquier otra base, vuelve a 10).",
         [](TfrmCalcu& v) { return v.SiguienteBase(), true; }},
        {{K(Qt::Key_Insert), K(Qt::Key_F8)}, "Insert|F8", "Abre el menú Insertar.",
         menu(&TfrmCalcu::menuInsertar, &TfrmCalcu::botonInsertar)},
        {{K(Qt::Key_Pause), K(Qt::Key_F9)}, "Pausa|F9", "Abre el menú Memorias.",
         menu(&TfrmCalcu::menuMemorias, &TfrmCalcu::botonMemorias)},
        {{K(Qt::Key_F10)}, "F10",
         "Abre el menú de conversiones: convierte el número del cursor en la caja de expresión o, con el foco en "
         "otra parte, el resultado.",
         [](TfrmCalcu& v) { return v.AbrirMenuConversiones(), true; }},
        {{K(C, Qt::Key_F10)}, "Ctrl+F10", "Repite la última conversión.",
         [](TfrmCalcu& v) { return v.Repetir(false), true; }},
        {{K(C | Qt::ShiftModifier, Qt::Key_F10)}, "Ctrl+Mayús+F10", "Aplica la última conversión a la inversa.",
         [](TfrmCalcu& v) { return v.Repetir(true), true; }},
        {{K(Qt::Key_F11)}, "F11", "Pasa a la siguiente unidad de ángulo (después de la última, la primera).",
         [](TfrmCalcu& v) { return v.SiguienteAngulo(), true; }},
        {{K(Qt::Key_F12)}, "F12",
         "Pasa al siguiente formato decimal: Flotante, 0, 2, 4, ..., 16 decimales y otra vez Flotante.",
         [](TfrmCalcu& v) { return v.SiguientesDigitos(), true; }},
        {{K(Qt::Key_PageUp)}, "Re Pág", "Lleva el foco a la caja de expresión.",
         [](TfrmCalcu& v) { return v.cajaExpresion->setFocus(), true; }},
        {{K(Qt::Key_PageDown)}, "Av Pág", "Lleva el foco a la caja de resultado.",
         [](TfrmCalcu& v) { return v.cajaResultado->setFocus(), true; }},
        {{K(Qt::Key_Menu)}, "Menú",
         "En la caja de expresión, la de resultado o la del total, abre el menú de edición: Copiar, Cortar, Pegar, "
         "Eliminar y Seleccionar todo.",
         [](TfrmCalcu& v) {
             QLineEdit* c = v.CajaEnfocada();
             if (c) v.AbrirMenuEdicion(c, v.cajaExpresion->mapToGlobal(QPoint(0, v.cajaExpresion->height())), false);
             return c != nullptr;
         }},
        {{K(C, Qt::Key_0)}, "Ctrl+0", "Pone el total a cero.", [](TfrmCalcu& v) { return v.TotalACero(), true; }},
        {{K(C, Qt::Key_H)}, "Ctrl+H", "Muestra u oculta la fórmula y la lista de resultados.",
         [](TfrmCalcu& v) { return v.VerHistorial(!v.sesion_.Ajustes.VerHistorial), true; }},
        {{K(C, Qt::Key_T)}, "Ctrl+T", "Muestra u oculta la barra inferior.",
         [](TfrmCalcu& v) { return v.VerBarra(!v.sesion_.Ajustes.VerBarra), true; }},
        {{K(C, Qt::Key_U)}, "Ctrl+U", "Activa o desactiva Autocompletar.",
         [](TfrmCalcu& v) {
             v.acAutocompletar_->setChecked(!v.acAutocompletar_->isChecked());
             EstadoCompletado::Activo = v.acAutocompletar_->isChecked();
             v.sesion_.Ajustes.Autocompletar = EstadoCompletado::Activo;
             return true;
         }},
        // Offered only while the chemistry look-up exists.
        {{K(C, Qt::Key_R)}, "Ctrl+R", "Activa o desactiva el cálculo de masas moleculares (MMR).",
         [](TfrmCalcu& v) {
             if (!v.Quimica) return false;
             v.sesion_.Ajustes.MMR = !v.sesion_.Ajustes.MMR;
             v.Quimica(v.sesion_.Ajustes.MMR);
             return true;
         }},
        {{K(C, Qt::Key_O)}, "Ctrl+O", "Abre las <a href=\"fmOpciones.html\">Opciones</a>.",
         [](TfrmCalcu& v) { return v.AbrirOpciones(), true; }},
        {{K(C | Qt::AltModifier, Qt::Key_A)}, "Ctrl+Alt+A",
         "Despeja la incógnita <code>?</code> de la expresión escrita y muestra su valor en un mensaje.",
         [](TfrmCalcu& v) { return v.ResolverIncognita(), true; }},
    };
    return t;
}

bool TfrmCalcu::TeclaVentana(QKeyEvent* e) {
    const Qt::Key k = Qt::Key(e->key());
    const auto mod = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    for (const TeclaVentanaCalc& t : TablaTeclas())
        for (QKeyCombination c : t.Teclas)
            // Shift does not change a key that has no modifier of its own.
            if (c.key() == k && (c.keyboardModifiers() == mod ||
                                 (mod == Qt::ShiftModifier && c.keyboardModifiers() == Qt::NoModifier)))
                return t.Hacer(*this);
    if (mod == Qt::ControlModifier && k >= Qt::Key_A && k <= Qt::Key_Z)
        if (const auto i = registro_.PorAtajo(static_cast<char>('A' + (k - Qt::Key_A)))) {
            AlternarHerramienta(*i);
            return true;
        }
    return false;
}

void TfrmCalcu::PublicarTeclas() {
    std::vector<TeclaAyuda> filas;
    for (const TeclaVentanaCalc& t : TablaTeclas())
        if (std::string_view(t.Nombre) != "Ctrl+R" || Quimica) filas.push_back({t.Nombre, t.Accion});
    for (TeclaAyuda& t : registro_.Teclas()) filas.push_back(std::move(t));
    FijarTeclasAyuda("principal", "Ventana principal",
                     "Estas teclas actúan en la ventana principal, tenga el foco la caja que tenga.", std::move(filas));
    for (const EstadoHerramienta& t : herramientas_)
        FijarTeclasAyuda(t.h.Clave.empty() ? SinMarcas(t.h.Nombre) : t.h.Clave, SinMarcas(t.h.Nombre), "", t.h.Teclas);
}

bool TfrmCalcu::eventFilter(QObject* o, QEvent* e) {
    const QEvent::Type t = e->type();
    auto* w = qobject_cast<QWidget*>(o);
    const bool nuestra = w && w->window() == this;
    if (!nuestra && w && w->isWindow()) {
        for (std::size_t i = 0; i < herramientas_.size(); ++i) {
            if (o != herramientas_[i].ventana) continue;
            if (t == QEvent::Show || t == QEvent::Hide) ReflejarHerramienta(i);
            if (t != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->modifiers() != Qt::NoModifier) continue;
            // Escape and F1 that the tool left alone: close it, open its page.
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Escape) w->close();
            else if (k == Qt::Key_F1 && !herramientas_[i].h.PaginaAyuda.empty()) AbrirAyuda(w, herramientas_[i].h.PaginaAyuda);
            else continue;
            return true;
        }
        return false;
    }
    if (evaluando_) {
        // While computing only Escape (cancel) and the prompt window act.
        if (!nuestra) return false;
        switch (t) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) cancelar_ = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu: return true;
        default: return false;
        }
    }
    if (t == QEvent::KeyPress && (o == listaResultados || o == listaResultados->viewport())) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            AsignarDesdeLista();
            return true;
        }
    }
    // The window's own keys come first, whichever of its boxes has the focus.
    if (t == QEvent::KeyPress && nuestra && TeclaVentana(static_cast<QKeyEvent*>(e))) return true;
    if (o == cajaResultado && (t == QEvent::MouseButtonRelease || t == QEvent::ContextMenu)) {
        QPoint p = QCursor::pos();
        menuResultado->clear();
        menuResultado->addAction("Convertir", this, [this, p] { AbrirMenuConversiones(p, false); });
        menuResultado->addAction("&Copiar", cajaResultado, [this] {
            QLineEdit* c = cajaResultado;
            QGuiApplication::clipboard()->setText(c->hasSelectedText() ? c->selectedText() : c->text());
        });
        if (t == QEvent::MouseButtonRelease && cajaResultado->hasSelectedText()) return false;  // a selection being made
        menuResultado->popup(p);
        return t == QEvent::ContextMenu;
    }
    if (t == QEvent::Resize) {
        if (o == panelMedio && !panelMedio->isHidden() && !reducida_) altoMedio_ = panelMedio->height();
        else if (o == cajaResultado) AjustarMensaje();
        else if (o == cajaTotal) RefrescarTotal();
        return false;
    }
    return false;
}

// ------------------------------------------------------------- window

void TfrmCalcu::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!evaluando_) OcultarTitulo(!sesion_.Ajustes.NoTitulo);
    e->accept();
}

bool TfrmCalcu::PopupAbierto() const {
    return QApplication::activePopupWidget() != nullptr || TfmAutoComp::Instancia().isVisible() ||
           QApplication::activeModalWidget() != nullptr;
}

void TfrmCalcu::Reducir() {
    if (!sesion_.Ajustes.ModoReducido || reducida_ || transicion_ || evaluando_ || PopupAbierto() || !isVisible())
        return;
    transicion_ = true;
    geometriaCompleta_ = geometry();
    reducida_ = true;
    panelMedio->hide();
    bandaInferior->hide();
    const int alto = bandaSuperior->sizeHint().height();
    setMinimumSize(kAnchoMinimo, 1);
    setMaximumHeight(QWIDGETSIZE_MAX);
    const QRect g(geometriaCompleta_.topLeft(), QSize(geometriaCompleta_.width(), alto));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setGeometry(g);
    show();
    QPainterPath camino;
    camino.addRoundedRect(QRectF(0, 0, g.width(), alto), 8, 8);
    setMask(QRegion(camino.toFillPolygon().toPolygon()));
    QTimer::singleShot(250, this, [this] {
        transicion_ = false;
        RevisarReducido();
    });
}

void TfrmCalcu::Expandir() {
    if (!reducida_) return;
    transicion_ = true;
    reducida_ = false;
    clearMask();
    setWindowFlag(Qt::FramelessWindowHint, sesion_.Ajustes.NoTitulo);
    const int alto = altoMedio_;
    panelMedio->setVisible(sesion_.Ajustes.VerHistorial);
    bandaInferior->setVisible(sesion_.Ajustes.VerBarra);
    altoMedio_ = alto;
    setGeometry(geometriaCompleta_);
    show();
    AplicarDiseno();
    QTimer::singleShot(250, this, [this] {
        transicion_ = false;
        RevisarReducido();
    });
}

void TfrmCalcu::RevisarReducido() {
    if (!sesion_.Ajustes.ModoReducido || transicion_) return;
    const bool dentro = frameGeometry().contains(QCursor::pos());
    if (dentro) Expandir();
    else Reducir();
}

void TfrmCalcu::enterEvent(QEnterEvent* e) {
    TFormMX::enterEvent(e);
    if (!transicion_) Expandir();
}

void TfrmCalcu::leaveEvent(QEvent* e) {
    TFormMX::leaveEvent(e);
    if (!transicion_ && !frameGeometry().contains(QCursor::pos())) Reducir();
}

void TfrmCalcu::changeEvent(QEvent* e) {
    TFormMX::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange) return;
    // The open tools go and come back with the main window.
    OcultarHerramientas(isMinimized());
    if (isMinimized() && sesion_.Ajustes.MinIcon && QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, [this] { AMinimizarEnBandeja(); });
}

void TfrmCalcu::AMinimizarEnBandeja() {
    if (!bandeja_) {
        bandeja_ = new QSystemTrayIcon(windowIcon().isNull() ? QApplication::windowIcon() : windowIcon(), this);
        bandeja_->setToolTip(QApplication::applicationDisplayName());
        bandeja_->setContextMenu(menuHerramientas);
        connect(bandeja_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
            if (r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) RestaurarDeBandeja();
        });
    }
    enBandeja_ = true;
    bandeja_->show();
    hide();
}

void TfrmCalcu::RestaurarDeBandeja() {
    if (!enBandeja_) return;
    enBandeja_ = false;
    showNormal();
    OcultarHerramientas(false);
    raise();
    activateWindow();
    if (bandeja_) bandeja_->hide();
}

bool TfrmCalcu::GuardarTodo() {
    AjustesCalculadora& a = sesion_.Ajustes;
    a.Autocompletar = acAutocompletar_->isChecked();
    const QList<int> t = panelMedio->sizes();
    if (t.size() == 2 && panelMedio->isVisible()) {
        a.AltoF = t[0];
        a.AltoH = t[1];
    }
    Avisar(&Herramienta::AlGuardar);
    return GuardarAlCerrar(this, QApplication::applicationDisplayName(), "No se pudieron guardar los ajustes:", [this] {
        if (sesion_.Ini()) {
            GuardarColocacion(*this, *sesion_.Ini());
            for (EstadoHerramienta& t : herramientas_)
                if (t.ventana) GuardarColocacion(*t.ventana, *sesion_.Ini());
        }
        sesion_.Guardar();
        // A tool's file whose write failed when its window closed (there the
        // user chose to go on) is still pending: this is its last chance.
        if (!sesion_.CarpetaDatos().empty()) TVelIniFile::GuardarPendientes(sesion_.CarpetaDatos());
    });
}

void TfrmCalcu::closeEvent(QCloseEvent* e) {
    if (evaluando_) {
        // Carried out once the evaluation has unwound.
        cierrePendiente_ = true;
        e->ignore();
        return;
    }
    if (cerrando_) {
        e->accept();
        return;
    }
    cerrando_ = true;
    Expandir();
    // A tool's running job ends as after a cancel (its partial result kept
    // where the tool chose so) before the tools write their settings.
    TEjecutorTrabajo::CancelarTodos();
    if (!GuardarTodo() && !sesion_.CarpetaDatos().empty()) TVelIniFile::DescartarPendientes(sesion_.CarpetaDatos());
    siguiendo_ = false;  // written: closing them now is not the user's doing
    for (EstadoHerramienta& t : herramientas_)
        if (t.ventana) t.ventana->hide();
    if (bandeja_) bandeja_->hide();
    TfmAutoComp::Instancia().hide();
    e->accept();
}

}  // namespace numbrix
