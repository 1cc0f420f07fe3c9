#include "shell/ui/frmCalc.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSizeGrip>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "engine/DiagramaX.h"
#include "engine/bases2_36.h"
#include "shell/Esquemas.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmAcerca.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "shell/ui/fmOpciones.h"
#include "shell/ui/fmTips.h"
#include "shell/ui/fmUsuario.h"
#include "support/ui/ColocacionQt.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/ExportarFormula.h"
#include "support/ui/GradientesQt.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/Traduccion.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

// ------------------------------------------------------------- pieces

// The top and bottom bands: a vertical gradient from the light colour to the
// shadow colour.
class TPanelBanda : public QWidget {
public:
    using QWidget::QWidget;
    QColor Color1 = QColor(168, 211, 255), Color2 = QColor(70, 163, 255);

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PintarGradiente(p, rect(), Color1, Color2, true);
    }
};

namespace {

const char* const kNombresAngulo[] = {"&Radianes", "&Sexagesimales", "&Centesimales", "C&iclos",
                                      "&GMS (grados, minutos, segundos)", "&Múltiplos de Pi"};
const char* const kCortosAngulo[] = {"Rad", "Sex", "Cent", "Cicl", "GMS", "xPi"};
const char* const kNotaciones[] = {"General", "Científico", "Ingeniería"};

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
QString SinAmpersand(QString s) { return s.remove('&'); }

// Result list rows: expressions bold at the left, results 70 pixels in after
// the badge of their angle unit.
class DelegadoLista : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& op, const QModelIndex& i) const override {
        p->save();
        const bool sel = op.state & QStyle::State_Selected;
        if (sel) p->fillRect(op.rect, op.palette.highlight());
        const QColor tinta = sel ? op.palette.highlightedText().color() : op.palette.text().color();
        const bool resultado = i.row() % 2 == 1;
        QFont f = op.font;
        QRect r = op.rect.adjusted(4, 0, -2, 0);
        if (resultado) {
            const int angulo = std::clamp(i.data(Qt::UserRole).toInt(), 0, 5);
            QFont chica = f;
            chica.setPointSizeF(std::max(6.0, f.pointSizeF() * 0.75));
            p->setFont(chica);
            QRect insignia(op.rect.left() + 24, op.rect.top() + 2, 40, op.rect.height() - 4);
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(QColor(70, 110, 170));
            p->setBrush(QColorDe(kInsignia));
            p->drawRoundedRect(insignia, 4, 4);
            p->setPen(QColorDe(kTintaInsignia));
            p->drawText(insignia, Qt::AlignCenter, kCortosAngulo[angulo]);
            r.setLeft(op.rect.left() + 70);
        } else {
            f.setBold(true);
        }
        p->setFont(f);
        p->setPen(tinta);
        p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, i.data().toString());
        p->restore();
    }
};

QToolButton* Boton(QWidget* padre, const QString& texto, const QString& pista, const char* nombre) {
    auto* b = new QToolButton(padre);
    b->setText(texto);
    b->setToolTip(pista);
    b->setObjectName(nombre);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

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
    CrearComponentes();
    CrearMenus();

    input_ = new TfmInput(sesion_, this);
    sesion_.Preguntar = [this](char letra, const std::string& propuesto, const std::string& error) {
        // The prompt is answered with the normal pointer.
        QApplication::restoreOverrideCursor();
        RespuestaPregunta r = input_->Preguntar(letra, propuesto, error);
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
    cmbEdit->SetTexto("{Ingrese aquí una expresión para evaluar}");
    cmbEdit->lineEdit()->selectAll();
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

void TfrmCalcu::CrearComponentes() {
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);

    // Top panel: expression box and window buttons, then the tool bars
    // around the result box.
    Panel1 = new TPanelBanda(this);
    Panel1->setObjectName("Panel1");
    auto* p1 = new QVBoxLayout(Panel1);
    p1->setContentsMargins(4, 4, 4, 4);
    p1->setSpacing(4);
    auto* fila1 = new QHBoxLayout;
    fila1->setSpacing(2);
    cmbEdit = new TComboExpr(Panel1);
    cmbEdit->setObjectName("cmbEdit");
    cmbEdit->setProperty("etiqueta", 1);
    cmbEdit->setToolTip("Escriba aquí la expresión a calcular.\nPresione F1 para ayuda sensible al contexto.");
    cmbEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    cmbEdit->PonerFuente([this] { return EntradasDe(sesion_.Principal()); });
    fila1->addWidget(cmbEdit, 1);
    btnSiempreVisible = Boton(Panel1, "⊤", "Siempre Visible", "btnSiempreVisible");
    btnSiempreVisible->setCheckable(true);
    btnModoReducido = Boton(Panel1, "▭", "Ventana reducida", "btnModoReducido");
    btnModoReducido->setCheckable(true);
    auto* btnMinimizar = Boton(Panel1, "–", "Minimizar", "btnMinimizar");
    auto* btnCerrar = Boton(Panel1, "✕", "Cerrar", "btnCerrar");
    for (auto* b : {btnSiempreVisible, btnModoReducido, btnMinimizar, btnCerrar}) {
        b->setFixedSize(20, 20);
        fila1->addWidget(b);
    }
    connect(btnSiempreVisible, &QToolButton::clicked, this, [this](bool b) { SiempreVisible(b); });
    connect(btnModoReducido, &QToolButton::clicked, this, [this](bool b) { ModoReducido(b); });
    connect(btnMinimizar, &QToolButton::clicked, this, [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    connect(btnCerrar, &QToolButton::clicked, this, &QWidget::close);
    p1->addLayout(fila1);

    auto* fila2 = new QHBoxLayout;
    fila2->setSpacing(1);
    ToolButton2 = Boton(Panel1, "f(x)", "Insertar (F8)", "ToolButton2");
    Memoria1 = Boton(Panel1, "M", "Memorias (F9)", "Memoria1");
    FormAngulo = Boton(Panel1, "Rad", "Formato de Angulos", "FormAngulo");
    ToolButton1 = Boton(Panel1, "☰", "Herramientas (F5)", "ToolButton1");
    for (auto* b : {ToolButton2, Memoria1, FormAngulo, ToolButton1}) fila2->addWidget(b);
    Edit2 = new QLineEdit(Panel1);
    Edit2->setObjectName("Edit2");
    Edit2->setProperty("etiqueta", 2);
    Edit2->setReadOnly(true);
    Edit2->installEventFilter(this);
    fila2->addWidget(Edit2, 1);
    btnBase = Boton(Panel1, "10", "", "btnBase");
    btnDigitos = Boton(Panel1, "Flot", "", "btnDigitos");
    ToolButton12 = Boton(Panel1, "?", "Ayuda", "ToolButton12");
    for (auto* b : {btnBase, btnDigitos, ToolButton12}) fila2->addWidget(b);
    p1->addLayout(fila2);
    // A result or message wider than the result box is written out here too.
    lblMensaje = new QLabel(Panel1);
    lblMensaje->setObjectName("lblMensaje");
    lblMensaje->setWordWrap(true);
    lblMensaje->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblMensaje->hide();
    p1->addWidget(lblMensaje);
    p1->addStretch(1);
    // Alone (no middle panel), the band fills the window's least height.
    Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    capa->addWidget(Panel1);

    // Middle panel: formula view over the result list.
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setHandleWidth(4);
    PMeta = new QWidget(Splitter1);
    PMeta->setObjectName("PMeta");
    PMeta->setAutoFillBackground(true);
    auto* pm = new QVBoxLayout(PMeta);
    pm->setContentsMargins(2, 2, 2, 2);
    pbMeta = new TVistaFormula(PMeta);
    pbMeta->setObjectName("pbMeta");
    pbMeta->PonerAjustar(true);
    pbMeta->setContextMenuPolicy(Qt::CustomContextMenu);
    pbMeta->installEventFilter(this);
    pm->addWidget(pbMeta);
    Lista = new QListWidget(Splitter1);
    Lista->setObjectName("Lista");
    Lista->setItemDelegate(new DelegadoLista(Lista));
    Lista->setContextMenuPolicy(Qt::CustomContextMenu);
    Lista->setUniformItemSizes(true);
    for (QWidget* w : {static_cast<QWidget*>(PMeta), static_cast<QWidget*>(Lista)}) w->setMinimumHeight(1);
    Splitter1->addWidget(PMeta);
    Splitter1->addWidget(Lista);
    Splitter1->setSizes({120, 140});
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { SplitterMovido(); });
    connect(Lista, &QListWidget::itemDoubleClicked, this, [this] { AsignarDesdeLista(); });
    capa->addWidget(Splitter1, 1);

    // Bottom bar: the tools' buttons (a strip that takes no room until a
    // tool registers), then the total, which takes the rest of the width.
    Panel2 = new TPanelBanda(this);
    Panel2->setObjectName("Panel2");
    auto* p2 = new QHBoxLayout(Panel2);
    p2->setContentsMargins(4, 2, 0, 0);
    p2->setSpacing(2);
    pnlHerramientas = new QWidget(Panel2);
    pnlHerramientas->setObjectName("pnlHerramientas");
    auto* tiras = new QHBoxLayout(pnlHerramientas);
    tiras->setContentsMargins(0, 0, 0, 0);
    tiras->setSpacing(1);
    tiras->addStretch(1);
    pnlHerramientas->hide();
    p2->addWidget(pnlHerramientas, 1);
    edtTotal = new QLineEdit(Panel2);
    edtTotal->setObjectName("edtTotal");
    edtTotal->setProperty("etiqueta", 3);
    edtTotal->setReadOnly(true);
    edtTotal->setMinimumWidth(140);
    edtTotal->setAlignment(Qt::AlignRight);
    Label1 = new QLabel("0", Panel2);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(24);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setToolTip("Cantidad de resultados sumados");
    SpeedButton1 = Boton(Panel2, "→0", "Total a cero (Ctrl+0)", "SpeedButton1");
    btnUndo = Boton(Panel2, "↶", "Deshacer última adición a total.", "btnUndo");
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { TotalACero(); });
    connect(btnUndo, &QToolButton::clicked, this, [this] { Deshacer(); });
    lblTotal = new QLabel("Total:", Panel2);
    lblTotal->setObjectName("lblTotal");
    p2->addWidget(lblTotal);
    p2->addWidget(edtTotal, 2);
    p2->addWidget(Label1);
    p2->addWidget(SpeedButton1);
    p2->addWidget(btnUndo);
    auto* grip = new QSizeGrip(Panel2);
    p2->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    Panel2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    capa->addWidget(Panel2);

    connect(cmbEdit, &TComboExpr::Intro, this, [this] { Evaluar(); });
    cmbEdit->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cmbEdit->lineEdit(), &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        MenuEdicion(cmbEdit->lineEdit(), cmbEdit->lineEdit()->mapToGlobal(p), true);
    });
    edtTotal->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edtTotal, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { MenuEdicion(edtTotal, edtTotal->mapToGlobal(p), false); });
}

void TfrmCalcu::AbrirMenu(QMenu* m, QWidget* junto) {
    if (!m || evaluando_) return;
    m->popup(junto->mapToGlobal(QPoint(0, junto->height())));
}

void TfrmCalcu::CrearMenus() {
    // Angle units.
    PopupMenu2 = new QMenu(this);
    auto* grupoAngulo = new QActionGroup(this);
    for (int i = 0; i < 6; ++i) {
        QAction* a = PopupMenu2->addAction(kNombresAngulo[i]);
        a->setCheckable(true);
        grupoAngulo->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { CambiarAngulo(i); });
        accionesAngulo_.push_back(a);
    }
    connect(FormAngulo, &QToolButton::clicked, this, [this] { AbrirMenu(PopupMenu2, FormAngulo); });

    // Result base: the usual four, the others in groups.
    PopupMenu8 = new QMenu(this);
    accionesBase_.assign(37, nullptr);
    auto* grupoBase = new QActionGroup(this);
    auto base = [&](QMenu* m, int b) {
        QAction* a = m->addAction(QString("Base %1").arg(b));
        a->setCheckable(true);
        grupoBase->addAction(a);
        accionesBase_[static_cast<std::size_t>(b)] = a;
        connect(a, &QAction::triggered, this, [this, b] { CambiarBase(b); });
    };
    for (int b : {2, 8, 10, 16}) base(PopupMenu8, b);
    PopupMenu8->addSeparator();
    const std::pair<int, int> grupos[] = {{3, 9}, {11, 19}, {20, 29}, {30, 36}};
    for (auto [desde, hasta] : grupos) {
        QMenu* sub = PopupMenu8->addMenu(QString("Bases %1 a %2").arg(desde).arg(hasta));
        for (int b = desde; b <= hasta; ++b)
            if (b != 8 && b != 16) base(sub, b);
    }
    connect(btnBase, &QToolButton::clicked, this, [this] { AbrirMenu(PopupMenu8, btnBase); });

    // Digits and notation.
    PopupMenu3 = new QMenu(this);
    auto* grupoDigitos = new QActionGroup(this);
    auto digitos = [&](const QString& titulo, int d) {
        QAction* a = PopupMenu3->addAction(titulo);
        a->setCheckable(true);
        a->setData(d);
        grupoDigitos->addAction(a);
        accionesDigitos_.push_back(a);
        connect(a, &QAction::triggered, this, [this, d] { CambiarDigitos(d); });
    };
    digitos("Flotante", AjustesCalculadora::kDigitosFlotante);
    for (int d = 0; d <= 16; d += 2) digitos(QString("%1 decimales").arg(d), d);
    PopupMenu3->addSeparator();
    auto* grupoNotacion = new QActionGroup(this);
    for (int n = 0; n < 3; ++n) {
        QAction* a = PopupMenu3->addAction(kNotaciones[n]);
        a->setCheckable(true);
        grupoNotacion->addAction(a);
        accionesNotacion_.push_back(a);
        connect(a, &QAction::triggered, this, [this, n] { CambiarNotacion(n); });
    }
    PopupMenu3->addSeparator();
    acSeparador_ = PopupMenu3->addAction("Separador de miles");
    acSeparador_->setCheckable(true);
    connect(acSeparador_, &QAction::triggered, this, [this](bool b) { CambiarSeparador(b); });
    connect(btnDigitos, &QToolButton::clicked, this, [this] { AbrirMenu(PopupMenu3, btnDigitos); });

    CrearMenuInsertar();
    connect(ToolButton2, &QToolButton::clicked, this, [this] { AbrirMenu(PopupMenu4, ToolButton2); });
    CrearMenuMemorias();
    connect(Memoria1, &QToolButton::clicked, this, [this] { AbrirMenu(PopupMenu5, Memoria1); });
    CrearMenuHerramientas();
    connect(ToolButton1, &QToolButton::clicked, this, [this] { AbrirMenu(MenuHerramientas, ToolButton1); });

    // Help.
    MenuAyuda = new QMenu(this);
    connect(MenuAyuda->addAction("Contenido"), &QAction::triggered, this, [this] { AbrirAyuda(this); });
    connect(MenuAyuda->addAction("Sabía que..."), &QAction::triggered, this,
            [this] { MostrarConsejos(this, sesion_.CarpetaDatos(), false); });
    MenuAyuda->addSeparator();
    connect(MenuAyuda->addAction("Acerca de..."), &QAction::triggered, this,
            [this] { MostrarAcercaDe(this, sesion_.Ajustes); });
    MenuAyuda->addSeparator();
    connect(MenuAyuda->addAction("Salir"), &QAction::triggered, this, &QWidget::close);
    connect(ToolButton12, &QToolButton::clicked, this, [this] { AbrirMenu(MenuAyuda, ToolButton12); });

    // Result list.
    MenuLista = new QMenu(this);
    QAction* asignar = MenuLista->addAction("Asignar a expresión");
    QAction* copiar = MenuLista->addAction("Copiar");
    QAction* copiarRes = MenuLista->addAction("Copiar resultados");
    QAction* copiarTodo = MenuLista->addAction("Copiar  todo");
    MenuLista->addSeparator();
    QAction* eliminar = MenuLista->addAction("Eliminar");
    QAction* limpiar = MenuLista->addAction("Limpiar Todo");
    connect(asignar, &QAction::triggered, this, [this] { AsignarDesdeLista(); });
    connect(copiar, &QAction::triggered, this, [this] {
        if (Lista->currentRow() >= 0)
            QGuiApplication::clipboard()->setText(Q(sesion_.Lista.Copiar(static_cast<std::size_t>(Lista->currentRow()))));
    });
    connect(copiarRes, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Q(sesion_.Lista.CopiarResultados())); });
    connect(copiarTodo, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Q(sesion_.Lista.CopiarTodo())); });
    connect(eliminar, &QAction::triggered, this, [this] {
        if (Lista->currentRow() < 0) return;
        sesion_.Lista.EliminarPar(static_cast<std::size_t>(Lista->currentRow()));
        RefrescarLista();
    });
    connect(limpiar, &QAction::triggered, this, [this] {
        if (sesion_.Lista.Vacia() || !Confirmar("Vaciar Detalle", "¿Esta seguro?")) return;
        sesion_.Lista.Limpiar();
        RefrescarLista();
    });
    connect(MenuLista, &QMenu::aboutToShow, this, [=, this] {
        const bool sel = Lista->currentRow() >= 0 && !Lista->selectedItems().isEmpty();
        for (QAction* a : {asignar, copiar, eliminar}) a->setEnabled(sel);
        for (QAction* a : {copiarRes, copiarTodo, limpiar}) a->setEnabled(!sesion_.Lista.Vacia());
    });
    connect(Lista, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (!evaluando_) MenuLista->popup(Lista->viewport()->mapToGlobal(p));
    });

    // Formula view.
    MenuFormula = new QMenu(this);
    QAction* copiarF = MenuFormula->addAction("Copiar");
    QAction* exportarF = MenuFormula->addAction("Exportar");
    MenuFormula->addSeparator();
    acAjustar_ = MenuFormula->addAction("Ajustar a la ventana");
    acAjustar_->setCheckable(true);
    acAjustar_->setChecked(true);
    acDescribir_ = MenuFormula->addAction("Describir funciones de usuario");
    acDescribir_->setCheckable(true);
    connect(copiarF, &QAction::triggered, this, [this] {
        if (dibujo_) CopiarFormula(*dibujo_, 1.0);
    });
    connect(exportarF, &QAction::triggered, this, [this] { ExportarDibujo(); });
    connect(acAjustar_, &QAction::triggered, this, [this](bool b) { pbMeta->PonerAjustar(b); });
    connect(acDescribir_, &QAction::triggered, this, [this](bool b) { DescribirFunciones(b); });
    connect(MenuFormula, &QMenu::aboutToShow, this, [=, this] {
        copiarF->setEnabled(dibujo_.has_value());
        exportarF->setEnabled(dibujo_.has_value());
    });
    connect(pbMeta, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (!evaluando_) MenuFormula->popup(pbMeta->mapToGlobal(p));
    });

    PopupMenu1 = new QMenu(this);
    MenuExpresion = new QMenu(this);
    MenuResultado = new QMenu(this);

    // Every menu that closes may leave the pointer outside a reduced window.
    for (QMenu* m : findChildren<QMenu*>())
        connect(m, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, [this] { RevisarReducido(); }); });
}

void TfrmCalcu::CrearMenuInsertar() {
    PopupMenu4 = new QMenu(this);
    auto item = [this](QMenu* m, const QString& titulo, const QString& texto) {
        connect(m->addAction(titulo), &QAction::triggered, this, [this, texto] {
            if (!evaluando_) cmbEdit->Insertar(texto);
        });
    };
    item(PopupMenu4, "&Resultado", "Rst");
    QMenu* op = PopupMenu4->addMenu("&Operador");
    for (const char* o : {"+", "-", "*", "/", "^", "\\", "&", "$", "!", "=", "<>", ">", ">=", "<", "<="}) {
        QString t = o;
        item(op, t == "&" ? "&&" : t, t);
    }
    menuConstantes_ = PopupMenu4->addMenu("&Constante");
    // The engine's own names, with one slot per argument it requires.
    AgregarMenusFunciones(PopupMenu4, sesion_.Principal(), [this](const QString& plantilla) {
        if (!evaluando_) cmbEdit->Insertar(plantilla);
    });
    menuFuncionesUsuario_ = PopupMenu4->addMenu("Función de &usuario");
    PopupMenu4->addSeparator();
    connect(PopupMenu4->addAction("Constantes..."), &QAction::triggered, this, [this] { EditarUsuario(0); });
    connect(PopupMenu4->addAction("Funciones..."), &QAction::triggered, this, [this] { EditarUsuario(1); });
    LlenarMenusUsuario();
}

void TfrmCalcu::LlenarMenusUsuario() {
    menuConstantes_->clear();
    menuFuncionesUsuario_->clear();
    auto item = [this](QMenu* m, const QString& titulo, const QString& texto) {
        connect(m->addAction(titulo), &QAction::triggered, this, [this, texto] {
            if (!evaluando_) cmbEdit->Insertar(texto);
        });
    };
    item(menuConstantes_, "Pi", "Pi");
    item(menuConstantes_, "Euler", "e");
    bool separado = false;
    for (const auto& n : sesion_.NombresUsuario) {
        if (n.funcion) {
            item(menuFuncionesUsuario_, Q(n.descripcion), Q(n.insertar));
        } else {
            if (!separado) menuConstantes_->addSeparator();
            separado = true;
            item(menuConstantes_, Q(n.descripcion), Q(n.insertar));
        }
    }
    menuFuncionesUsuario_->setEnabled(!menuFuncionesUsuario_->isEmpty());
}

void TfrmCalcu::CrearMenuMemorias() {
    PopupMenu5 = new QMenu(this);
    for (int i = 0; i < TMemorias::Cantidad; ++i) {
        QMenu* m = PopupMenu5->addMenu(Q(sesion_.Memorias.Titulo(i)));
        m->menuAction()->setData(i);
        connect(m->addAction("Insertar"), &QAction::triggered, this,
                [this, i] { cmbEdit->Insertar(Q(TMemorias::Insertar(i))); });
        connect(m->addAction("Cargar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Cargar(i, sesion_.UltimoResultado); });
        m->addSeparator();
        connect(m->addAction("Sumar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Sumar(i, sesion_.UltimoResultado); });
        connect(m->addAction("Restar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Restar(i, sesion_.UltimoResultado); });
        connect(m->addAction("Borrar"), &QAction::triggered, this, [this, i] { sesion_.Memorias.Borrar(i); });
    }
    connect(PopupMenu5, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : PopupMenu5->actions())
            if (a->menu()) a->setText(Q(sesion_.Memorias.Titulo(a->data().toInt())));
    });
}

void TfrmCalcu::CrearMenuHerramientas() {
    MenuHerramientas = new QMenu(this);
    acRestaurar_ = MenuHerramientas->addAction("Numbrix");
    connect(acRestaurar_, &QAction::triggered, this, [this] { RestaurarDeBandeja(); });
    acSepRestaurar_ = MenuHerramientas->addSeparator();
    // The tools' items go here as they register.
    acSepHerramientas_ = MenuHerramientas->addSeparator();
    menuConfigurar_ = MenuHerramientas->addMenu("Configurar");
    acAutocompletar_ = menuConfigurar_->addAction("Autocompletar\tCtrl+U");
    acAutocompletar_->setCheckable(true);
    connect(acAutocompletar_, &QAction::triggered, this, [](bool b) { EstadoCompletado::Activo = b; });
    acVerHistorial_ = menuConfigurar_->addAction("Ver Fórmula-Historial\tCtrl+H");
    acVerHistorial_->setCheckable(true);
    connect(acVerHistorial_, &QAction::triggered, this, [this](bool b) { VerHistorial(b); });
    acVerBarra_ = menuConfigurar_->addAction("Ver Barra utilidades\tCtrl+T");
    acVerBarra_->setCheckable(true);
    connect(acVerBarra_, &QAction::triggered, this, [this](bool b) { VerBarra(b); });
    acVerTotal_ = menuConfigurar_->addAction("Mostrar Total");
    acVerTotal_->setCheckable(true);
    connect(acVerTotal_, &QAction::triggered, this, [this](bool b) { VerTotal(b); });
    menuConfigurar_->addSeparator();
    acSiempreVisible_ = menuConfigurar_->addAction("&Siempre visible");
    acSiempreVisible_->setCheckable(true);
    connect(acSiempreVisible_, &QAction::triggered, this, [this](bool b) { SiempreVisible(b); });
    acOcultarTitulo_ = menuConfigurar_->addAction("Ocultar título");
    acOcultarTitulo_->setCheckable(true);
    connect(acOcultarTitulo_, &QAction::triggered, this, [this](bool b) { OcultarTitulo(b); });
    acMinIcon_ = menuConfigurar_->addAction("Minimizar al área de notificación");
    acMinIcon_->setCheckable(true);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        acMinIcon_->setEnabled(false);
        acMinIcon_->setToolTip("Este escritorio no tiene área de notificación");
        menuConfigurar_->setToolTipsVisible(true);
    }
    connect(acMinIcon_, &QAction::triggered, this, [this](bool b) {
        sesion_.Ajustes.MinIcon = b;
        // Not among the keys written at close: written now.
        if (sesion_.Ini()) sesion_.Ini()->WriteBool(AjustesCalculadora::Seccion, "MinIcon", b);
    });
    menuConfigurar_->addSeparator();
    connect(menuConfigurar_->addAction("Opciones...\tCtrl+O"), &QAction::triggered, this, [this] { AbrirOpciones(); });
    acSalirBandeja_ = MenuHerramientas->addAction("Salir");
    connect(acSalirBandeja_, &QAction::triggered, this, &QWidget::close);
    connect(MenuHerramientas, &QMenu::aboutToShow, this, [this] {
        EstadoCompletado::Descartado = false;
        acRestaurar_->setVisible(enBandeja_);
        acSepRestaurar_->setVisible(enBandeja_);
        acSalirBandeja_->setVisible(enBandeja_);
        menuConfigurar_->menuAction()->setVisible(!enBandeja_);
        acSepHerramientas_->setVisible(!herramientas_.empty());
        for (auto& h : herramientas_) (void)h;
    });
}

void TfrmCalcu::RegistrarHerramienta(Herramienta h) {
    QAction* a = new QAction(h.Titulo, MenuHerramientas);
    a->setCheckable(true);
    const char atajo = h.Atajo;
    MenuHerramientas->insertAction(acSepHerramientas_, a);
    connect(a, &QAction::triggered, this, [this, atajo] { AlternarHerramienta(atajo); });
    auto* b = Boton(pnlHerramientas, h.Titulo, h.Titulo, "");
    b->setCheckable(true);
    static_cast<QHBoxLayout*>(pnlHerramientas->layout())->insertWidget(static_cast<int>(herramientas_.size()), b);
    pnlHerramientas->show();
    connect(b, &QToolButton::clicked, this, [this, atajo] { AlternarHerramienta(atajo); });
    herramientas_.push_back(std::move(h));
}

void TfrmCalcu::AlternarHerramienta(char atajo) {
    if (evaluando_) return;
    for (auto& h : herramientas_)
        if (h.Atajo == atajo && h.Mostrar) {
            h.Abierta = !h.Abierta;
            h.Mostrar(this, h.Abierta);
            return;
        }
    // A tool that does not exist yet: nothing to show.
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
    btnSiempreVisible->setChecked(a.SiempreVisible);
    if (a.SiempreVisible) SetTopMost(true);
    if (a.NoTitulo != bool(windowFlags() & Qt::FramelessWindowHint)) OcultarTitulo(a.NoTitulo);
    acOcultarTitulo_->setChecked(a.NoTitulo);
    acMinIcon_->setChecked(a.MinIcon && QSystemTrayIcon::isSystemTrayAvailable());
    btnModoReducido->setChecked(a.ModoReducido);
    SetMagnetic(a.Magnetico);
    Splitter1->setVisible(a.VerHistorial);
    Panel2->setVisible(a.VerBarra);
    VerTotal(a.VerTotal);
    if (a.AltoF > 0 || a.AltoH > 0)
        Splitter1->setSizes({std::max(a.AltoF, 1), std::max(a.AltoH, 1)});
    AplicarFuentes();
}

void TfrmCalcu::AplicarFuentes() {
    cmbEdit->setFont(FuenteDe(sesion_.Ajustes.FuenteExpresion));
    Edit2->setFont(FuenteDe(sesion_.Ajustes.FuenteResultado));
}

void TfrmCalcu::AplicarDiseno() {
    const AjustesCalculadora& a = sesion_.Ajustes;
    // Colours: every text stands out on what it is painted on, under the
    // desktop's palette of the moment (shell/Esquemas.h).
    pintados_ = ColoresDeVentana(EsquemaDe(a));
    const ColoresPintados& c = pintados_;
    const QColor tintaBanda = QColorDe(c.TintaBanda);
    const QColor medio = QColorDe(TColGrad(c.BandaLuz, 2, c.BandaSombra).Color(1));
    for (TPanelBanda* p : {Panel1, Panel2}) {
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
    for (QWidget* w : {static_cast<QWidget*>(cmbEdit), static_cast<QWidget*>(Edit2)})
        Pintar(w, {{QPalette::Base, caja}, {QPalette::Text, tintaCaja}});
    Pintar(Splitter1, {{QPalette::Window, QColorDe(c.Divisor)}, {QPalette::Base, QColorDe(c.Divisor)}});
    Splitter1->setAutoFillBackground(true);
    for (QWidget* w : {PMeta, static_cast<QWidget*>(pbMeta)})
        Pintar(w, {{QPalette::Window, fondo}, {QPalette::Base, fondo}, {QPalette::WindowText, tintaFondo}});
    Pintar(Lista, {{QPalette::Base, fondo},
                   {QPalette::Text, tintaFondo},
                   {QPalette::Highlight, QColorDe(c.Seleccion)},
                   {QPalette::HighlightedText, QColorDe(c.TintaSeleccion)}});
    Pintar(edtTotal, {{QPalette::Base, fondo}, {QPalette::Text, tintaFondo}});
    pbMeta->PonerTinta(tintaFondo);
    PMeta->setAutoFillBackground(true);
    pbMeta->setAutoFillBackground(true);
    // The history limit and the completion switches.
    sesion_.Historial.SetMaxLista(a.MaxList);
    RefrescarHistoria();
    EstadoCompletado::Activo = acAutocompletar_->isChecked();
    EstadoCompletado::Descartado = false;
    AjustarAltura();
}

void TfrmCalcu::AjustarAltura() {
    // Heights: the top panel, plus the bottom bar and the middle panel when
    // shown. The middle panel comes back at its last height, never as a
    // sliver.
    if (reducida_) return;
    Panel1->layout()->activate();
    const int alto1 = Panel1->sizeHint().height();
    const int alto2 = Panel2->isVisibleTo(this) ? Panel2->sizeHint().height() : 0;
    const int minimo = std::max(kAltoMinimo, alto1 + alto2);
    if (Splitter1->isVisibleTo(this)) {
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
    Edit2->setText(Q(r.texto));
    Edit2->setCursorPosition(0);
    Edit2->setToolTip(r.pista.empty() ? Q(r.texto) : Q(r.pista));
    AjustarMensaje();
}

void TfrmCalcu::AjustarMensaje() {
    // The box scrolls what does not fit: the line below it shows it all.
    const QString texto = Edit2->text();
    const int ancho = Edit2->contentsRect().width() - 8;  // the box's own margins
    const bool cabe = Edit2->fontMetrics().horizontalAdvance(texto) <= ancho;
    const bool ver = !cabe && !texto.isEmpty();
    if (ver) lblMensaje->setText(texto);
    if (ver == lblMensaje->isVisibleTo(this)) return;
    lblMensaje->setVisible(ver);
    if (reducida_ || !Splitter1->isVisibleTo(this)) {
        AjustarAltura();
        return;
    }
    // The middle panel lends the room: the window keeps its height.
    Panel1->layout()->activate();
    const int alto2 = Panel2->isVisibleTo(this) ? Panel2->sizeHint().height() : 0;
    setMinimumHeight(std::max(kAltoMinimo, Panel1->sizeHint().height() + alto2));
}

void TfrmCalcu::RefrescarLista() {
    Lista->clear();
    for (const FilaLista& f : sesion_.Lista.Filas()) {
        auto* it = new QListWidgetItem(Q(f.Texto), Lista);
        it->setData(Qt::UserRole, f.Etiqueta);
    }
    if (Lista->count() > 0) Lista->setCurrentRow(0);
}

void TfrmCalcu::RefrescarTotal() {
    Label1->setText(QString::number(sesion_.Lista.Cuenta()));
    const QString completo = Q(sesion_.TextoTotal());
    const int ancho = edtTotal->contentsRect().width() - 8;  // the box's own margins
    const QFontMetrics m = edtTotal->fontMetrics();
    edtTotal->setText(Q(TextoQueCabe(sesion_.Lista.Total(), sesion_.Formato, S(completo),
                                     [&](const std::string& t) { return m.horizontalAdvance(Q(t)) <= ancho; })));
    edtTotal->setCursorPosition(0);
    btnUndo->setEnabled(sesion_.Lista.PuedeDeshacer());
    edtTotal->setToolTip("Total (suma de resultados): " + completo);
}

void TfrmCalcu::RefrescarHistoria() { cmbEdit->PonerHistoria(sesion_.Historial.Entradas()); }

void TfrmCalcu::MarcarAngulo() {
    const int u = std::clamp<int>(sesion_.Angulo(), 0, 5);
    accionesAngulo_[static_cast<std::size_t>(u)]->setChecked(true);
    FormAngulo->setText(kCortosAngulo[u]);
    FormAngulo->setToolTip("Formato de Angulos: " + SinAmpersand(kNombresAngulo[u]) + " (F11)");
}

void TfrmCalcu::MarcarBase() {
    const int b = sesion_.Formato.BaseDefecto;
    if (b >= 2 && b <= 36 && accionesBase_[static_cast<std::size_t>(b)])
        accionesBase_[static_cast<std::size_t>(b)]->setChecked(true);
    btnBase->setText(QString::number(b));
    btnBase->setToolTip(QString("Base numérica del resultado: %1 (F7)").arg(b));
}

void TfrmCalcu::MarcarDigitos() {
    const int d = sesion_.Digitos();
    for (QAction* a : accionesDigitos_)
        if (a->data().toInt() == d) a->setChecked(true);
    const bool flotante = d == AjustesCalculadora::kDigitosFlotante;
    btnDigitos->setText(flotante ? "Flot" : QString("%1 d").arg(d));
    btnDigitos->setToolTip(flotante ? "Formato Decimal (F12): Flotante"
                                    : QString("Formato Decimal (F12): %1 dígitos").arg(d));
    const int n = std::clamp<int>(sesion_.Formato.Notacion, 0, 2);
    accionesNotacion_[static_cast<std::size_t>(n)]->setChecked(true);
}

void TfrmCalcu::MostrarMarcador() {
    dibujo_.reset();
    static const std::optional<LienzoGrabado> marcador = Marcador();
    pbMeta->PonerDibujo(marcador);
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
    pbMeta->PonerDibujo(dibujo_);
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
    const std::string expresion = S(cmbEdit->Texto());
    Edit2->setText("Calculando...");
    Edit2->repaint();
    pbMeta->PonerDibujo(std::nullopt);
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
        Edit2->setText(QString::fromUtf8(ex.what()));
        Edit2->setToolTip(Edit2->text());
        AjustarMensaje();
    }
    QApplication::restoreOverrideCursor();
    evaluando_ = false;
    cancelar_ = false;
    RefrescarLista();
    RefrescarTotal();
    RefrescarHistoria();
    if (cmbEdit->count() > 0 && !expresion.empty() && cmbEdit->itemText(0) == Q(expresion)) {
        cmbEdit->setCurrentIndex(0);
        cmbEdit->SetTexto(Q(expresion));
    }
    if (cierrePendiente_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmCalcu::CambiarAngulo(int angulo) {
    if (evaluando_ || angulo < 0 || angulo > 5) return;
    const std::string expresion = S(cmbEdit->Texto());
    evaluando_ = true;
    cancelar_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const ResultadoEvaluacion r = sesion_.CambiarAngulo(static_cast<UnidadAngulo>(angulo), expresion);
        if (!r.vacio) DibujarFormula();
        MostrarResultado();
    } catch (const std::exception& ex) {
        Edit2->setText(QString::fromUtf8(ex.what()));
        Edit2->setToolTip(Edit2->text());
        AjustarMensaje();
    }
    QApplication::restoreOverrideCursor();
    evaluando_ = false;
    MarcarAngulo();
    RefrescarLista();
    RefrescarTotal();
    RefrescarHistoria();
    if (cierrePendiente_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfrmCalcu::CambiarBase(int base) {
    if (evaluando_ || base < 2 || base > 36) return;
    sesion_.CambiarBase(static_cast<BaseNumeracion>(base), S(cmbEdit->Texto()));
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
    if (evaluando_ || Lista->currentRow() < 0) return;
    cmbEdit->SetTexto(Q(sesion_.Lista.TextoParaAsignar(static_cast<std::size_t>(Lista->currentRow()))));
    cmbEdit->setFocus();
}

void TfrmCalcu::ResolverIncognita() {
    if (evaluando_) return;
    const std::string expresion = S(cmbEdit->Texto());
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

void TfrmCalcu::ExportarDibujo() {
    if (!dibujo_) return;
    QFileDialog dialogo(this, "Exportar");
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilters({"Imagen SVG (*.svg)", "Imagen PNG (*.png)", "Imagen JPEG (*.jpg)"});
    TiposEnEspanol(dialogo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return;
    QString ruta = dialogo.selectedFiles().first();
    const QString filtro = dialogo.selectedNameFilter();
    const QString ext = filtro.contains("svg") ? ".svg" : filtro.contains("png") ? ".png" : ".jpg";
    if (!ruta.endsWith(ext, Qt::CaseInsensitive)) ruta += ext;
    std::string error;
    if (!ExportarFormula(&*dibujo_, ruta.toStdString(), 1.0, error)) Informar(Q(error));
}

void TfrmCalcu::SplitterMovido() {
    QList<int> t = Splitter1->sizes();
    if (t.size() != 2) return;
    const int total = t[0] + t[1];
    if (t[0] > 1 && t[0] < kPanelMinimo) Splitter1->setSizes({1, total - 1});
    else if (t[1] > 1 && t[1] < kPanelMinimo) Splitter1->setSizes({total - 1, 1});
}

// ------------------------------------------------------------- commands

void TfrmCalcu::VerHistorial(bool ver) {
    sesion_.Ajustes.VerHistorial = ver;
    acVerHistorial_->setChecked(ver);
    // What the layout gives the panel on the way is not its height.
    const int alto = altoMedio_;
    Splitter1->setVisible(ver);
    altoMedio_ = alto;
    AjustarAltura();
}

void TfrmCalcu::VerBarra(bool ver) {
    sesion_.Ajustes.VerBarra = ver;
    acVerBarra_->setChecked(ver);
    const int alto = altoMedio_;
    Panel2->setVisible(ver);
    altoMedio_ = alto;
    AjustarAltura();
}

void TfrmCalcu::VerTotal(bool ver) {
    sesion_.Ajustes.VerTotal = ver;
    acVerTotal_->setChecked(ver);
    for (QWidget* w : {static_cast<QWidget*>(lblTotal), static_cast<QWidget*>(edtTotal),
                       static_cast<QWidget*>(Label1), static_cast<QWidget*>(SpeedButton1),
                       static_cast<QWidget*>(btnUndo)})
        w->setVisible(ver);
}

void TfrmCalcu::SiempreVisible(bool si) {
    sesion_.Ajustes.SiempreVisible = si;
    acSiempreVisible_->setChecked(si);
    btnSiempreVisible->setChecked(si);
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
    btnModoReducido->setChecked(si);
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
    if (f == cmbEdit || f == cmbEdit->lineEdit()) return cmbEdit->lineEdit();
    if (f == Edit2) return Edit2;
    if (f == edtTotal) return edtTotal;
    return nullptr;
}

void TfrmCalcu::MenuEdicion(QLineEdit* caja, const QPoint& donde, bool conConvertir) {
    if (!caja || evaluando_) return;
    QMenu* m = caja == cmbEdit->lineEdit() ? MenuExpresion : PopupMenu1;
    m->clear();
    // "Convertir" joins once the unit converter exists.
    (void)conConvertir;
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

bool TfrmCalcu::TeclaVentana(QKeyEvent* e) {
    const int k = e->key();
    const auto mod = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    const bool ctrl = mod == Qt::ControlModifier;
    if (mod == (Qt::ControlModifier | Qt::AltModifier) && k == Qt::Key_A) {
        ResolverIncognita();
        return true;
    }
    if (ctrl) {
        switch (k) {
        case Qt::Key_0: TotalACero(); return true;
        case Qt::Key_H: VerHistorial(!sesion_.Ajustes.VerHistorial); return true;
        case Qt::Key_T: VerBarra(!sesion_.Ajustes.VerBarra); return true;
        case Qt::Key_U:
            acAutocompletar_->setChecked(!acAutocompletar_->isChecked());
            EstadoCompletado::Activo = acAutocompletar_->isChecked();
            sesion_.Ajustes.Autocompletar = EstadoCompletado::Activo;
            return true;
        case Qt::Key_R:
            if (!Quimica) return false;  // no chemistry yet: the key is not offered
            sesion_.Ajustes.MMR = !sesion_.Ajustes.MMR;
            Quimica(sesion_.Ajustes.MMR);
            return true;
        case Qt::Key_O: AbrirOpciones(); return true;
        case Qt::Key_F: AlternarHerramienta('F'); return true;
        case Qt::Key_J: AlternarHerramienta('J'); return true;
        case Qt::Key_L: AlternarHerramienta('L'); return true;
        case Qt::Key_M: AlternarHerramienta('M'); return true;
        case Qt::Key_P: AlternarHerramienta('P'); return true;
        case Qt::Key_Q: AlternarHerramienta('Q'); return true;
        case Qt::Key_S: AlternarHerramienta('S'); return true;
        default: return false;
        }
    }
    if (mod != Qt::NoModifier && mod != Qt::ShiftModifier) return false;
    switch (k) {
    case Qt::Key_Escape:
        if (!cmbEdit->Texto().isEmpty()) {
            cmbEdit->setFocus();
            cmbEdit->SetTexto(QString());
            cmbEdit->SetSuprimido(false);
        } else {
            PreguntarCierre();
        }
        return true;
    case Qt::Key_PageUp: cmbEdit->setFocus(); return true;
    case Qt::Key_PageDown: Edit2->setFocus(); return true;
    case Qt::Key_Insert:
    case Qt::Key_F8: AbrirMenu(PopupMenu4, ToolButton2); return true;
    case Qt::Key_Pause:
    case Qt::Key_F9: AbrirMenu(PopupMenu5, Memoria1); return true;
    case Qt::Key_F1: AbrirAyuda(this, "frmCalc"); return true;
    case Qt::Key_F2:
        EstadoCompletado::Descartado = false;
        cmbEdit->setFocus();
        cmbEdit->AbrirCompletado();
        return true;
    case Qt::Key_F5: AbrirMenu(MenuHerramientas, ToolButton1); return true;
    case Qt::Key_F7: SiguienteBase(); return true;
    case Qt::Key_F10: return true;  // conversions: with the unit converter
    case Qt::Key_F11: SiguienteAngulo(); return true;
    case Qt::Key_F12: SiguientesDigitos(); return true;
    case Qt::Key_Menu:
        if (QLineEdit* c = CajaEnfocada()) {
            MenuEdicion(c, cmbEdit->mapToGlobal(QPoint(0, cmbEdit->height())), false);
            return true;
        }
        return false;
    default: return false;
    }
}

bool TfrmCalcu::eventFilter(QObject* o, QEvent* e) {
    const QEvent::Type t = e->type();
    auto* w = qobject_cast<QWidget*>(o);
    const bool nuestra = w && w->window() == this;
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
    if (t == QEvent::KeyPress && (o == Lista || o == Lista->viewport())) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            AsignarDesdeLista();
            return true;
        }
    }
    // The window's own keys come first, whichever of its boxes has the focus.
    if (t == QEvent::KeyPress && nuestra && TeclaVentana(static_cast<QKeyEvent*>(e))) return true;
    if (o == Edit2 && (t == QEvent::MouseButtonRelease || t == QEvent::ContextMenu)) {
        QPoint p = QCursor::pos();
        MenuResultado->clear();
        MenuResultado->addAction("&Copiar", Edit2, [this] {
            QGuiApplication::clipboard()->setText(Edit2->hasSelectedText() ? Edit2->selectedText() : Edit2->text());
        });
        if (t == QEvent::MouseButtonRelease && Edit2->hasSelectedText()) return false;  // a selection being made
        MenuResultado->popup(p);
        return t == QEvent::ContextMenu;
    }
    if (t == QEvent::Resize) {
        if (o == Splitter1 && !Splitter1->isHidden() && !reducida_) altoMedio_ = Splitter1->height();
        else if (o == Edit2) AjustarMensaje();
        else if (o == edtTotal) RefrescarTotal();
        return false;
    }
    if (o == pbMeta && t == QEvent::MouseButtonDblClick) {
        if (dibujo_) CopiarFormula(*dibujo_, 1.0);
        return true;
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
    Splitter1->hide();
    Panel2->hide();
    const int alto = Panel1->sizeHint().height();
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
    Splitter1->setVisible(sesion_.Ajustes.VerHistorial);
    Panel2->setVisible(sesion_.Ajustes.VerBarra);
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
    if (e->type() == QEvent::WindowStateChange && isMinimized() && sesion_.Ajustes.MinIcon &&
        QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, [this] { AMinimizarEnBandeja(); });
}

void TfrmCalcu::AMinimizarEnBandeja() {
    if (!bandeja_) {
        bandeja_ = new QSystemTrayIcon(windowIcon().isNull() ? QApplication::windowIcon() : windowIcon(), this);
        bandeja_->setToolTip(QApplication::applicationDisplayName());
        bandeja_->setContextMenu(MenuHerramientas);
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
    raise();
    activateWindow();
    if (bandeja_) bandeja_->hide();
}

bool TfrmCalcu::GuardarTodo() {
    AjustesCalculadora& a = sesion_.Ajustes;
    a.Autocompletar = acAutocompletar_->isChecked();
    const QList<int> t = Splitter1->sizes();
    if (t.size() == 2 && Splitter1->isVisible()) {
        a.AltoF = t[0];
        a.AltoH = t[1];
    }
    while (true) {
        try {
            if (sesion_.Ini()) GuardarColocacion(*this, *sesion_.Ini());
            sesion_.Guardar();
            return true;
        } catch (const std::exception& ex) {
            QMessageBox caja(QMessageBox::Warning, QApplication::applicationDisplayName(),
                             "No se pudieron guardar los ajustes:\n" + QString::fromUtf8(ex.what()), QMessageBox::NoButton,
                             this);
            QPushButton* reintentar = caja.addButton("Reintentar", QMessageBox::AcceptRole);
            caja.addButton("Cerrar sin guardar", QMessageBox::DestructiveRole);
            caja.setDefaultButton(reintentar);
            caja.exec();
            if (caja.clickedButton() != reintentar) return false;
        }
    }
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
    GuardarTodo();
    for (auto& h : herramientas_)
        if (h.Abierta && h.Mostrar) h.Mostrar(this, false);
    if (bandeja_) bandeja_->hide();
    TfmAutoComp::Instancia().hide();
    e->accept();
}

}  // namespace numbrix
