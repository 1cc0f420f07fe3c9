// The main window's construction: its parts, their layout and their menus.
// What they do is in frmCalc.cpp.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSizeGrip>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/Esquemas.h"
#include "shell/TemasAyuda.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmAcerca.h"
#include "shell/ui/fmTips.h"
#include "shell/ui/frmCalc.h"
#include "shell/ui/frmCalcPiezas.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/MenuFormula.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

namespace {

const char* const kNotaciones[] = {"General", "Científico", "Ingeniería"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

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

}  // namespace

void TfrmCalcu::CrearComponentes() {
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);

    // Top panel: expression box and window buttons, then the tool bars
    // around the result box.
    bandaSuperior = new TPanelBanda(this);
    bandaSuperior->setObjectName("bandaSuperior");
    auto* p1 = new QVBoxLayout(bandaSuperior);
    p1->setContentsMargins(4, 4, 4, 4);
    p1->setSpacing(4);
    auto* fila1 = new QHBoxLayout;
    fila1->setSpacing(2);
    cajaExpresion = new TComboExpr(bandaSuperior);
    cajaExpresion->setObjectName("cajaExpresion");
    cajaExpresion->setProperty("etiqueta", 1);
    cajaExpresion->setToolTip("Escriba aquí la expresión a calcular.\nPresione F1 para ayuda sensible al contexto.");
    cajaExpresion->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    cajaExpresion->PonerFuente([this] { return EntradasDe(sesion_.Principal()); });
    fila1->addWidget(cajaExpresion, 1);
    botonSiempreVisible = Boton(bandaSuperior, "⊤", "Siempre Visible", "botonSiempreVisible");
    botonSiempreVisible->setCheckable(true);
    botonReducido = Boton(bandaSuperior, "▭", "Ventana reducida", "botonReducido");
    botonReducido->setCheckable(true);
    auto* botonMinimizar = Boton(bandaSuperior, "–", "Minimizar", "botonMinimizar");
    auto* botonCerrar = Boton(bandaSuperior, "✕", "Cerrar", "botonCerrar");
    for (auto* b : {botonSiempreVisible, botonReducido, botonMinimizar, botonCerrar}) {
        b->setFixedSize(20, 20);
        fila1->addWidget(b);
    }
    connect(botonSiempreVisible, &QToolButton::clicked, this, [this](bool b) { SiempreVisible(b); });
    connect(botonReducido, &QToolButton::clicked, this, [this](bool b) { ModoReducido(b); });
    connect(botonMinimizar, &QToolButton::clicked, this,
            [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    connect(botonCerrar, &QToolButton::clicked, this, &QWidget::close);
    p1->addLayout(fila1);

    auto* fila2 = new QHBoxLayout;
    fila2->setSpacing(1);
    botonInsertar = Boton(bandaSuperior, "f(x)", "Insertar (F8)", "botonInsertar");
    botonMemorias = Boton(bandaSuperior, "M", "Memorias (F9)", "botonMemorias");
    botonConversiones = Boton(bandaSuperior, "⇄", "Conversiones (F10)", "botonConversiones");
    botonConversiones->setAccessibleName("Conversiones");
    botonAngulo = Boton(bandaSuperior, "Rad", "Formato de Angulos", "botonAngulo");
    botonHerramientas = Boton(bandaSuperior, "☰", "Herramientas (F5)", "botonHerramientas");
    for (auto* b : {botonInsertar, botonMemorias, botonConversiones, botonAngulo, botonHerramientas})
        fila2->addWidget(b);
    cajaResultado = new QLineEdit(bandaSuperior);
    cajaResultado->setObjectName("cajaResultado");
    cajaResultado->setProperty("etiqueta", 2);
    cajaResultado->setReadOnly(true);
    cajaResultado->installEventFilter(this);
    fila2->addWidget(cajaResultado, 1);
    botonBase = Boton(bandaSuperior, "10", "", "botonBase");
    botonDigitos = Boton(bandaSuperior, "Flot", "", "botonDigitos");
    botonAyuda = Boton(bandaSuperior, "?", "Ayuda", "botonAyuda");
    for (auto* b : {botonBase, botonDigitos, botonAyuda}) fila2->addWidget(b);
    p1->addLayout(fila2);
    // A result or message wider than the result box is written out here too.
    etiquetaMensaje = new QLabel(bandaSuperior);
    etiquetaMensaje->setObjectName("etiquetaMensaje");
    etiquetaMensaje->setWordWrap(true);
    etiquetaMensaje->setTextInteractionFlags(Qt::TextSelectableByMouse);
    etiquetaMensaje->hide();
    p1->addWidget(etiquetaMensaje);
    p1->addStretch(1);
    // Alone (no middle panel), the band fills the window's least height.
    bandaSuperior->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    capa->addWidget(bandaSuperior);

    // Middle panel: formula view over the result list.
    panelMedio = new QSplitter(Qt::Vertical, this);
    panelMedio->setObjectName("panelMedio");
    panelMedio->setChildrenCollapsible(false);
    panelMedio->setHandleWidth(4);
    panelFormula = new QWidget(panelMedio);
    panelFormula->setObjectName("panelFormula");
    panelFormula->setAutoFillBackground(true);
    auto* pm = new QVBoxLayout(panelFormula);
    pm->setContentsMargins(2, 2, 2, 2);
    vistaFormula = new TVistaFormula(panelFormula);
    vistaFormula->setObjectName("vistaFormula");
    pm->addWidget(vistaFormula);
    listaResultados = new QListWidget(panelMedio);
    listaResultados->setObjectName("listaResultados");
    listaResultados->setItemDelegate(new DelegadoLista(listaResultados));
    listaResultados->setContextMenuPolicy(Qt::CustomContextMenu);
    listaResultados->setUniformItemSizes(true);
    for (QWidget* w : {static_cast<QWidget*>(panelFormula), static_cast<QWidget*>(listaResultados)})
        w->setMinimumHeight(1);
    panelMedio->addWidget(panelFormula);
    panelMedio->addWidget(listaResultados);
    panelMedio->setSizes({120, 140});
    connect(panelMedio, &QSplitter::splitterMoved, this, [this] { SplitterMovido(); });
    connect(listaResultados, &QListWidget::itemDoubleClicked, this, [this] { AsignarDesdeLista(); });
    capa->addWidget(panelMedio, 1);

    // Bottom bar: the tools' buttons (a strip that takes no room until a
    // tool registers), then the total, which takes the rest of the width.
    bandaInferior = new TPanelBanda(this);
    bandaInferior->setObjectName("bandaInferior");
    auto* p2 = new QHBoxLayout(bandaInferior);
    p2->setContentsMargins(4, 2, 0, 0);
    p2->setSpacing(2);
    panelHerramientas = new QWidget(bandaInferior);
    panelHerramientas->setObjectName("panelHerramientas");
    auto* tiras = new QHBoxLayout(panelHerramientas);
    tiras->setContentsMargins(0, 0, 0, 0);
    tiras->setSpacing(0);
    panelHerramientas->hide();
    p2->addWidget(panelHerramientas);
    cajaTotal = new QLineEdit(bandaInferior);
    cajaTotal->setObjectName("cajaTotal");
    cajaTotal->setProperty("etiqueta", 3);
    cajaTotal->setReadOnly(true);
    cajaTotal->setMinimumWidth(60);  // beside the ten tools at the least width; the total shortens to fit
    cajaTotal->setAlignment(Qt::AlignRight);
    etiquetaCuenta = new QLabel("0", bandaInferior);
    etiquetaCuenta->setObjectName("etiquetaCuenta");
    etiquetaCuenta->setMinimumWidth(18);
    etiquetaCuenta->setAlignment(Qt::AlignCenter);
    etiquetaCuenta->setToolTip("Cantidad de resultados sumados");
    botonTotalACero = Boton(bandaInferior, "→0", "Total a cero (Ctrl+0)", "botonTotalACero");
    botonDeshacer = Boton(bandaInferior, "↶", "Deshacer última adición a total.", "botonDeshacer");
    connect(botonTotalACero, &QToolButton::clicked, this, [this] { TotalACero(); });
    connect(botonDeshacer, &QToolButton::clicked, this, [this] { Deshacer(); });
    etiquetaTotal = new QLabel("Total:", bandaInferior);
    etiquetaTotal->setObjectName("etiquetaTotal");
    p2->addWidget(etiquetaTotal);
    p2->addWidget(cajaTotal, 2);
    p2->addWidget(etiquetaCuenta);
    p2->addWidget(botonTotalACero);
    p2->addWidget(botonDeshacer);
    auto* grip = new QSizeGrip(bandaInferior);
    p2->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    bandaInferior->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    capa->addWidget(bandaInferior);

    connect(cajaExpresion, &TComboExpr::Intro, this, [this] { Evaluar(); });
    cajaExpresion->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cajaExpresion->lineEdit(), &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        AbrirMenuEdicion(cajaExpresion->lineEdit(), cajaExpresion->lineEdit()->mapToGlobal(p), true);
    });
    cajaTotal->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cajaTotal, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { AbrirMenuEdicion(cajaTotal, cajaTotal->mapToGlobal(p), false); });
}

void TfrmCalcu::CrearMenus() {
    // Angle units.
    menuAngulo = new QMenu(this);
    auto* grupoAngulo = new QActionGroup(this);
    for (int i = 0; i < 6; ++i) {
        QAction* a = menuAngulo->addAction(kNombresAngulo[i]);
        a->setCheckable(true);
        grupoAngulo->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { CambiarAngulo(i); });
        accionesAngulo_.push_back(a);
    }
    connect(botonAngulo, &QToolButton::clicked, this, [this] { AbrirMenu(menuAngulo, botonAngulo); });

    // Result base: the usual four, the others in groups.
    menuBase = new QMenu(this);
    accionesBase_.assign(37, nullptr);
    auto* grupoBase = new QActionGroup(this);
    auto base = [&](QMenu* m, int b) {
        QAction* a = m->addAction(QString("Base %1").arg(b));
        a->setCheckable(true);
        grupoBase->addAction(a);
        accionesBase_[static_cast<std::size_t>(b)] = a;
        connect(a, &QAction::triggered, this, [this, b] { CambiarBase(b); });
    };
    for (int b : {2, 8, 10, 16}) base(menuBase, b);
    menuBase->addSeparator();
    const std::pair<int, int> grupos[] = {{3, 9}, {11, 19}, {20, 29}, {30, 36}};
    for (auto [desde, hasta] : grupos) {
        QMenu* sub = menuBase->addMenu(QString("Bases %1 a %2").arg(desde).arg(hasta));
        for (int b = desde; b <= hasta; ++b)
            if (b != 8 && b != 16) base(sub, b);
    }
    connect(botonBase, &QToolButton::clicked, this, [this] { AbrirMenu(menuBase, botonBase); });

    // Digits and notation.
    menuFormato = new QMenu(this);
    auto* grupoDigitos = new QActionGroup(this);
    auto digitos = [&](const QString& titulo, int d) {
        QAction* a = menuFormato->addAction(titulo);
        a->setCheckable(true);
        a->setData(d);
        grupoDigitos->addAction(a);
        accionesDigitos_.push_back(a);
        connect(a, &QAction::triggered, this, [this, d] { CambiarDigitos(d); });
    };
    digitos("Flotante", AjustesCalculadora::kDigitosFlotante);
    for (int d = 0; d <= 16; d += 2) digitos(QString("%1 decimales").arg(d), d);
    menuFormato->addSeparator();
    auto* grupoNotacion = new QActionGroup(this);
    for (int n = 0; n < 3; ++n) {
        QAction* a = menuFormato->addAction(kNotaciones[n]);
        a->setCheckable(true);
        grupoNotacion->addAction(a);
        accionesNotacion_.push_back(a);
        connect(a, &QAction::triggered, this, [this, n] { CambiarNotacion(n); });
    }
    menuFormato->addSeparator();
    acSeparador_ = menuFormato->addAction("Separador de miles");
    acSeparador_->setCheckable(true);
    connect(acSeparador_, &QAction::triggered, this, [this](bool b) { CambiarSeparador(b); });
    connect(botonDigitos, &QToolButton::clicked, this, [this] { AbrirMenu(menuFormato, botonDigitos); });

    CrearMenuInsertar();
    connect(botonInsertar, &QToolButton::clicked, this, [this] { AbrirMenu(menuInsertar, botonInsertar); });
    CrearMenuMemorias();
    connect(botonMemorias, &QToolButton::clicked, this, [this] { AbrirMenu(menuMemorias, botonMemorias); });
    // Filled by the unit side (units/ui/ConversionesCalc.h).
    menuConversiones = new QMenu(this);
    menuConversiones->setObjectName("menuConversiones");
    connect(botonConversiones, &QToolButton::clicked, this, [this] { AbrirMenuConversiones(); });
    CrearMenuHerramientas();
    connect(botonHerramientas, &QToolButton::clicked, this, [this] { AbrirMenu(menuHerramientas, botonHerramientas); });

    // Help.
    menuAyuda = new QMenu(this);
    connect(menuAyuda->addAction("Contenido"), &QAction::triggered, this, [this] { AbrirAyuda(this); });
    connect(menuAyuda->addAction("Sabía que..."), &QAction::triggered, this,
            [this] { MostrarConsejos(this, sesion_.CarpetaDatos(), false); });
    menuAyuda->addSeparator();
    connect(menuAyuda->addAction("Acerca de..."), &QAction::triggered, this,
            [this] { MostrarAcercaDe(this, sesion_.Ajustes); });
    menuAyuda->addSeparator();
    connect(menuAyuda->addAction("Salir"), &QAction::triggered, this, &QWidget::close);
    connect(botonAyuda, &QToolButton::clicked, this, [this] { AbrirMenu(menuAyuda, botonAyuda); });

    // Result list.
    menuLista = new QMenu(this);
    QAction* asignar = menuLista->addAction("Asignar a expresión");
    QAction* copiar = menuLista->addAction("Copiar");
    QAction* copiarRes = menuLista->addAction("Copiar resultados");
    QAction* copiarTodo = menuLista->addAction("Copiar  todo");
    menuLista->addSeparator();
    QAction* eliminar = menuLista->addAction("Eliminar");
    QAction* limpiar = menuLista->addAction("Limpiar Todo");
    connect(asignar, &QAction::triggered, this, [this] { AsignarDesdeLista(); });
    connect(copiar, &QAction::triggered, this, [this] {
        const int fila = listaResultados->currentRow();
        if (fila >= 0) QGuiApplication::clipboard()->setText(Q(sesion_.Lista.Copiar(static_cast<std::size_t>(fila))));
    });
    connect(copiarRes, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Q(sesion_.Lista.CopiarResultados())); });
    connect(copiarTodo, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(Q(sesion_.Lista.CopiarTodo())); });
    connect(eliminar, &QAction::triggered, this, [this] {
        if (listaResultados->currentRow() < 0) return;
        sesion_.Lista.EliminarPar(static_cast<std::size_t>(listaResultados->currentRow()));
        RefrescarLista();
    });
    connect(limpiar, &QAction::triggered, this, [this] {
        if (sesion_.Lista.Vacia() || !Confirmar("Vaciar Detalle", "¿Esta seguro?")) return;
        sesion_.Lista.Limpiar();
        RefrescarLista();
    });
    connect(menuLista, &QMenu::aboutToShow, this, [=, this] {
        const bool sel = listaResultados->currentRow() >= 0 && !listaResultados->selectedItems().isEmpty();
        for (QAction* a : {asignar, copiar, eliminar}) a->setEnabled(sel);
        for (QAction* a : {copiarRes, copiarTodo, limpiar}) a->setEnabled(!sesion_.Lista.Vacia());
    });
    connect(listaResultados, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (!evaluando_) menuLista->popup(listaResultados->viewport()->mapToGlobal(p));
    });

    // Formula view.
    auto* formula = new TMenuFormula(vistaFormula, this);
    formula->Dibujo = [this]() -> const LienzoGrabado* { return dibujo_ ? &*dibujo_ : nullptr; };
    formula->Disponible = [this] { return !evaluando_; };
    formula->Informar = [this](const QString& texto) { Informar(texto); };
    formula->PonerDescribir([this](bool si) { DescribirFunciones(si); });
    menuFormula = formula;

    menuEdicion = new QMenu(this);
    menuExpresion = new QMenu(this);
    menuResultado = new QMenu(this);

    // Every menu that closes may leave the pointer outside a reduced window.
    for (QMenu* m : findChildren<QMenu*>())
        connect(m, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, [this] { RevisarReducido(); }); });
}

void TfrmCalcu::CrearMenuInsertar() {
    menuInsertar = new QMenu(this);
    auto item = [this](QMenu* m, const QString& titulo, const QString& texto) {
        connect(m->addAction(titulo), &QAction::triggered, this, [this, texto] {
            if (!evaluando_) cajaExpresion->Insertar(texto);
        });
    };
    item(menuInsertar, "&Resultado", "Rst");
    QMenu* op = menuInsertar->addMenu("&Operador");
    for (const char* o : {"+", "-", "*", "/", "^", "\\", "&", "$", "!", "=", "<>", ">", ">=", "<", "<="}) {
        QString t = o;
        item(op, t == "&" ? "&&" : t, t);
    }
    menuConstantes_ = menuInsertar->addMenu("&Constante");
    // The engine's own names, with one slot per argument it requires.
    AgregarMenusFunciones(menuInsertar, sesion_.Principal(), [this](const QString& plantilla) {
        if (!evaluando_) cajaExpresion->Insertar(plantilla);
    });
    menuFuncionesUsuario_ = menuInsertar->addMenu("Función de &usuario");
    menuInsertar->addSeparator();
    connect(menuInsertar->addAction("Constantes..."), &QAction::triggered, this, [this] { EditarUsuario(0); });
    connect(menuInsertar->addAction("Funciones..."), &QAction::triggered, this, [this] { EditarUsuario(1); });
    LlenarMenusUsuario();
}

void TfrmCalcu::LlenarMenusUsuario() {
    menuConstantes_->clear();
    menuFuncionesUsuario_->clear();
    auto item = [this](QMenu* m, const QString& titulo, const QString& texto) {
        connect(m->addAction(titulo), &QAction::triggered, this, [this, texto] {
            if (!evaluando_) cajaExpresion->Insertar(texto);
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
    menuMemorias = new QMenu(this);
    for (int i = 0; i < TMemorias::Cantidad; ++i) {
        QMenu* m = menuMemorias->addMenu(Q(sesion_.Memorias.Titulo(i)));
        m->menuAction()->setData(i);
        connect(m->addAction("Insertar"), &QAction::triggered, this,
                [this, i] { cajaExpresion->Insertar(Q(TMemorias::Insertar(i))); });
        connect(m->addAction("Cargar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Cargar(i, sesion_.UltimoResultado); });
        m->addSeparator();
        connect(m->addAction("Sumar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Sumar(i, sesion_.UltimoResultado); });
        connect(m->addAction("Restar"), &QAction::triggered, this,
                [this, i] { sesion_.Memorias.Restar(i, sesion_.UltimoResultado); });
        connect(m->addAction("Borrar"), &QAction::triggered, this, [this, i] { sesion_.Memorias.Borrar(i); });
    }
    connect(menuMemorias, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : menuMemorias->actions())
            if (a->menu()) a->setText(Q(sesion_.Memorias.Titulo(a->data().toInt())));
    });
}

void TfrmCalcu::CrearMenuHerramientas() {
    menuHerramientas = new QMenu(this);
    acRestaurar_ = menuHerramientas->addAction("Numbrix");
    connect(acRestaurar_, &QAction::triggered, this, [this] { RestaurarDeBandeja(); });
    acSepRestaurar_ = menuHerramientas->addSeparator();
    // The tools' items go here as they register.
    acSepHerramientas_ = menuHerramientas->addSeparator();
    menuConfigurar_ = menuHerramientas->addMenu("Configurar");
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
    acUnidades_ = menuConfigurar_->addAction("Unidades...");
    acUnidades_->setVisible(false);
    connect(acUnidades_, &QAction::triggered, this, [this] {
        if (EditarUnidades && !evaluando_) EditarUnidades();
    });
    connect(menuConfigurar_->addAction("Opciones...\tCtrl+O"), &QAction::triggered, this, [this] { AbrirOpciones(); });
    acSalirBandeja_ = menuHerramientas->addAction("Salir");
    connect(acSalirBandeja_, &QAction::triggered, this, &QWidget::close);
    connect(menuHerramientas, &QMenu::aboutToShow, this, [this] {
        EstadoCompletado::Descartado = false;
        acRestaurar_->setVisible(enBandeja_);
        acSepRestaurar_->setVisible(enBandeja_);
        acSalirBandeja_->setVisible(enBandeja_);
        menuConfigurar_->menuAction()->setVisible(!enBandeja_);
        acSepHerramientas_->setVisible(!herramientas_.empty());
        acUnidades_->setVisible(static_cast<bool>(EditarUnidades));
    });
}

bool TfrmCalcu::RegistrarHerramienta(Herramienta h) {
    const auto pos = registro_.Registrar(h);
    if (!pos) return false;
    static_cast<DescripcionHerramienta&>(h) = registro_[*pos];  // with what the table fills in
    const QString leido = Q(SinMarcas(h.Nombre));
    const QString tecla = h.Atajo ? QString("Ctrl+%1").arg(h.Atajo) : QString();
    const std::string nombre = h.Nombre;
    // The menu and the strip keep the registry's order.
    QAction* despues = *pos < herramientas_.size() ? herramientas_[*pos].accion : acSepHerramientas_;
    auto* a = new QAction(tecla.isEmpty() ? Q(h.Nombre) : Q(h.Nombre) + "\t" + tecla, menuHerramientas);
    a->setCheckable(true);
    menuHerramientas->insertAction(despues, a);
    connect(a, &QAction::triggered, this, [this, nombre] { AlternarHerramienta(nombre); });
    // A glyph on a small button, so all ten fit beside the total at the
    // least width; the name is its tip.
    auto* b = Boton(panelHerramientas, Q(h.Glifo), tecla.isEmpty() ? leido : leido + " (" + tecla + ")",
                    ("boton" + h.Clave).c_str());
    b->setAccessibleName(leido);
    b->setCheckable(true);
    b->setFixedSize(kAnchoBotonHerramienta, kAnchoBotonHerramienta);
    QFont f = b->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.1);
    b->setFont(f);
    connect(b, &QToolButton::clicked, this, [this, nombre] { AlternarHerramienta(nombre); });
    static_cast<QHBoxLayout*>(panelHerramientas->layout())->insertWidget(static_cast<int>(*pos), b);
    panelHerramientas->show();
    if (!h.PaginaAyuda.empty()) RegistrarPaginaAyuda({h.PaginaAyuda, h.TituloAyuda});
    herramientas_.insert(herramientas_.begin() + static_cast<std::ptrdiff_t>(*pos), {std::move(h), nullptr, a, b});
    PublicarTeclas();
    // Registered after the others reopened: it opens now when remembered.
    if (mostrada_ && registro_.Recordada(sesion_.Ajustes, *pos)) MostrarHerramienta(*pos, true);
    return true;
}

}  // namespace numbrix
