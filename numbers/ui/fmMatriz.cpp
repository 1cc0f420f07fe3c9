#include "numbers/ui/fmMatriz.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/GradientesQt.h"
#include "support/ui/StringGridX.h"

namespace numbrix {

namespace {

constexpr int kPasoAsa = 16;  // pixels of the resize handle per row or column

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The fixed cells' ink, readable on the whole of their gradient.
ColoresMatriz Legibles(ColoresMatriz c) {
    c.texto = QColorDe(TextoLegibleSobreRampa(ColorDeQColor(c.texto), ColorDeQColor(c.luz), ColorDeQColor(c.sombra)));
    return c;
}

// What a cell accepts: digits, signs, ".", "|" and "i" (an upper-case I
// becomes i); ".." becomes "|" as it is typed, so 1..2 is the fraction 1|2.
class TValidadorCelda : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int& pos) const override {
        QString t;
        int p = pos;
        for (int i = 0; i < texto.size(); ++i) {
            QChar c = texto[i] == 'I' ? QChar('i') : texto[i];
            if (!(c.isDigit() || c == '+' || c == '-' || c == '.' || c == '|' || c == 'i' || c == 'e' || c == 'E'))
                return Invalid;
            if (c == '.' && !t.isEmpty() && t.back() == '.') {
                t.back() = '|';
                if (i < pos) --p;
                continue;
            }
            t += c;
        }
        texto = t;
        pos = std::min(p, static_cast<int>(t.size()));
        return Acceptable;
    }
};

// Fixed cells in the scheme's gradient with bold centred text ("b" above the
// right-hand sides); every cell's text centred; the editor filtered.
class TDelegadoMatriz : public QStyledItemDelegate {
public:
    TDelegadoMatriz(TStringGridX* rejilla, const ColoresMatriz* colores)
        : QStyledItemDelegate(rejilla), rejilla_(rejilla), colores_(colores) {}

    void paint(QPainter* p, const QStyleOptionViewItem& op, const QModelIndex& i) const override {
        if (i.row() > 0 && i.column() > 0) {
            QStyleOptionViewItem o = op;
            o.displayAlignment = Qt::AlignCenter;
            QStyledItemDelegate::paint(p, o, i);
            return;
        }
        p->save();
        PintarGradiente(*p, op.rect, colores_->luz, colores_->sombra, true);
        QFont f = op.font;
        f.setBold(true);
        p->setFont(f);
        p->setPen(colores_->texto);
        QString t;
        if (i.row() == 0 && i.column() == 0) t = rejilla_->Cells(0, 0);
        else if (i.row() == 0 && i.column() > rejilla_->RowCount() - 1) t = "b";
        p->drawText(op.rect, Qt::AlignCenter, t);
        p->restore();
    }
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& op, const QModelIndex& i) const override {
        QWidget* w = QStyledItemDelegate::createEditor(padre, op, i);
        if (auto* l = qobject_cast<QLineEdit*>(w)) {
            l->setValidator(new TValidadorCelda(l));
            l->setAlignment(Qt::AlignCenter);
        }
        return w;
    }

private:
    TStringGridX* rejilla_;
    const ColoresMatriz* colores_;
};

const char* const kTitulos[] = {"Matrices (Modo Racional)", "Matrices (Modo Complejo)"};
const char* const kNombresArchivo[] = {"ga.gri", "gb.gri", "gc.gri", "gr.gri"};

}  // namespace

TfmMatriz::TfmMatriz(EntornoMatriz entorno, AjustesMatriz ajustes, QWidget* padre)
    : TFormMX(padre), entorno_(std::move(entorno)), ajustes_(ajustes), motores_(std::make_unique<TMotoresMatriz>()) {
    setObjectName("Matrices");
    SetEasyDrag(false);
    colores_ = Legibles({palette().color(QPalette::Light), palette().color(QPalette::Mid),
                         palette().color(QPalette::ButtonText), palette().color(QPalette::Highlight)});
    // A panel size the screen cannot show is a stored mistake.
    const QSize pantalla = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableSize() : QSize(1024, 768);
    const AjustesMatriz defecto;
    if (ajustes_.pan1 < 1 || ajustes_.pan1 > pantalla.width()) ajustes_.pan1 = defecto.pan1;
    if (ajustes_.pan2 < 1 || ajustes_.pan2 > pantalla.width()) ajustes_.pan2 = defecto.pan2;
    if (ajustes_.pan3 < 1 || ajustes_.pan3 > pantalla.height()) ajustes_.pan3 = defecto.pan3;
    CrearComponentes();
    TintasSeleccion();
    ejecutor_ = new TEjecutorTrabajo(this, {.titulo = "Matrices"});
    CargarRejillas();
    SetModo(ajustes_.complejo);
    Activar(kMatrizA);
}

TfmMatriz::~TfmMatriz() = default;

QToolButton* TfmMatriz::BotonOperando(const QString& signo, const QString& hint, AccionMatriz accion) {
    auto* b = new QToolButton(barra_);
    auto* menu = new QMenu(b);
    b->setPopupMode(QToolButton::MenuButtonPopup);
    b->setMenu(menu);
    for (int i = 0; i < 4; ++i) {
        const QString nombre = "M" + signo + LetraMatriz(i);
        QAction* a = menu->addAction(nombre);
        a->setToolTip(hint + " " + LetraMatriz(i));
        a->setStatusTip(a->toolTip());
        connect(a, &QAction::triggered, this, [this, b, a, accion, i] {
            b->setDefaultAction(a);  // a plain click repeats the last choice
            Operar(accion, i);
        });
        if (i == 0) b->setDefaultAction(a);
    }
    barra_->addWidget(b);
    return b;
}

void TfmMatriz::CrearComponentes() {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(2, 2, 2, 0);
    raiz->setSpacing(2);
    barra_ = new QToolBar(this);
    barra_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    raiz->addWidget(barra_);

    auto accion = [this](const QString& texto, const QString& hint, std::function<void()> f) {
        QAction* a = barra_->addAction(texto);
        a->setToolTip(QString(hint).replace("\r\n", "\n"));
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, std::move(f));
        return a;
    };
    acModo_ = accion("Q/C", "Alterna modos racional o complejo", [this] { SetModo(!ajustes_.complejo); });
    spColum_ = new QSpinBox(barra_);
    spFilas_ = new QSpinBox(barra_);
    for (auto [sp, hint] : {std::pair{spColum_, "Ajustar Columnas"}, std::pair{spFilas_, "Ajustar Filas"}}) {
        sp->setRange(1, kDimensionMaximaMatriz);
        sp->setToolTip(hint);
        sp->setStatusTip(hint);
        barra_->addWidget(sp);
        connect(sp, &QSpinBox::valueChanged, this, [this] {
            if (!ajustando_) Dimensionar(spColum_->value(), spFilas_->value());
        });
    }
    auto* asa = new QLabel("⇲", barra_);
    asa->setObjectName("asa");
    asa->setCursor(Qt::SizeAllCursor);
    asa->setToolTip("Arrastre (arriba-abajo / izquierda derecha) para cambiar las dimensiones de la matriz");
    asa->setStatusTip(asa->toolTip());
    asa->installEventFilter(this);
    barra_->addWidget(asa);
    barra_->addSeparator();
    accion("Vacío", "Vaciar matriz", [this] { Operar(AccionMatriz::Vaciar); });
    accion("I", "Matriz Identidad", [this] { Operar(AccionMatriz::Identidad); });
    accion("Mᵀ", "Matriz transpuesta", [this] { Operar(AccionMatriz::Trasponer); });
    accion("Copiar", "Copiar Matriz", [this] { Copiar(); });
    accion("Pegar", "Pegar Matriz", [this] { Pegar(); });
    barra_->addSeparator();
    accion("|M|", "Determinante", [this] { Operar(AccionMatriz::Determinante); });
    accion("Δ", "Triangular Matriz", [this] { Operar(AccionMatriz::Triangular); });
    accion("M⁻¹", "Hallar inversa de la Matriz", [this] { Operar(AccionMatriz::Invertir); });
    accion("Mx=b", "Hallar solución a Mx=b", [this] { Operar(AccionMatriz::Resolver); });
    accion("k·M", "Multiplicar matriz por un escalar", [this] { Operar(AccionMatriz::Escalar); });
    accion("f(M)", "Aplicar función sobre cada elemento de la matriz", [this] { Operar(AccionMatriz::Funcion); });
    BotonOperando("+", "Calcula la suma matriz +", AccionMatriz::Suma);
    BotonOperando("-", "Calcula la suma matriz -", AccionMatriz::Resta);
    BotonOperando(".", "Calcula el producto matriz *", AccionMatriz::Producto);
    accion("M²", "Calcular cuadrado de la matriz", [this] { Operar(AccionMatriz::Cuadrado); });
    accion("½", "Alternar representación de fracciones", [this] { AlternarFracciones(); });
    accion("Ayuda", "Ayuda", [this] {
        if (entorno_.Ayuda) entorno_.Ayuda();
    });

    vertical_ = new QSplitter(Qt::Vertical, this);
    arriba_ = new QSplitter(Qt::Horizontal, vertical_);
    abajo_ = new QSplitter(Qt::Horizontal, vertical_);
    auto* menu = new QMenu(this);
    menu->addAction("Resolver", this, [this] { Operar(AccionMatriz::Resolver); });
    menu->addAction("Triangular", this, [this] { Operar(AccionMatriz::Triangular); });
    menu->addAction("Invertir", this, [this] { Operar(AccionMatriz::Invertir); });
    menu->addSeparator();
    menu->addAction("Vacio", this, [this] { Operar(AccionMatriz::Vaciar); });
    menu->addAction("Matriz Identidad", this, [this] { Operar(AccionMatriz::Identidad); });
    menu->addAction("Calcular Determinante", this, [this] { Operar(AccionMatriz::Determinante); });
    menu->addSeparator();
    menu->addAction("Copiar", this, [this] { Copiar(); });
    menu->addAction("Pegar", this, [this] { Pegar(); });
    for (int i = 0; i < 4; ++i) {
        auto* g = new TStringGridX(i == kMatrizA || i == kMatrizB ? arriba_ : abajo_);
        rejillas_[static_cast<std::size_t>(i)] = g;
        g->setObjectName(QString("g") + QChar(i == kMatrizR ? 'r' : 'a' + i));
        g->setItemDelegate(new TDelegadoMatriz(g, &colores_));
        g->SetArrastrable(true);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        g->setEditTriggers(i == kMatrizR ? QAbstractItemView::NoEditTriggers
                                         : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                               QAbstractItemView::SelectedClicked);
        g->horizontalHeader()->setDefaultSectionSize(56);
        g->horizontalHeader()->setMinimumSectionSize(8);
        g->verticalHeader()->setDefaultSectionSize(22);
        g->installEventFilter(this);
        g->viewport()->installEventFilter(this);
        connect(g, &QWidget::customContextMenuRequested, this, [this, g, menu, i](const QPoint& p) {
            Activar(i);
            menu->popup(g->viewport()->mapToGlobal(p));
        });
        connect(g, &QTableWidget::currentCellChanged, this, [this, i] {
            if (activa_ == i) RefrescarEstado();
        });
        connect(g, &TStringGridX::Soltada, this, [this, i](TStringGridX* origen) {
            for (int j = 0; j < 4; ++j)
                if (rejillas_[static_cast<std::size_t>(j)] == origen) Intercambiar(j, i);
        });
        PonerTabla(i, TablaVacia(i));
    }
    arriba_->setSizes({ajustes_.pan1, ajustes_.pan1});
    abajo_->setSizes({ajustes_.pan2, ajustes_.pan2});
    vertical_->setSizes({ajustes_.pan3, ajustes_.pan3});
    raiz->addWidget(vertical_, 1);

    auto* barraEstado = new QStatusBar(this);
    barraEstado->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        estado_[i] = new QLabel(barraEstado);
        barraEstado->addWidget(estado_[i], i == 2 ? 1 : 0);
    }
    raiz->addWidget(barraEstado);
    resize(std::max(980, ajustes_.pan1 * 2 + 20), ajustes_.pan3 * 2 + 90);
}

void TfmMatriz::CargarRejillas() {
    for (int i = 0; i < 4; ++i) {
        CargaRejilla c = CargarRejillaMatriz(entorno_.carpeta / kNombresArchivo[i]);
        if (c.error) {
            noGuardar_[static_cast<std::size_t>(i)] = true;
            Avisar(Q(*c.error), IconoMatriz::Error);
        } else if (c.tabla) {
            c.tabla->SetCelda(0, 0, LetraMatriz(i));
            PonerTabla(i, *c.tabla);
        }
    }
}

void TfmMatriz::GuardarRejillas() {
    for (int i = 0; i < 4; ++i) {
        if (noGuardar_[static_cast<std::size_t>(i)] || entorno_.carpeta.empty()) continue;
        QString error;
        if (!Rejilla(i)->GuardarEnArchivo(entorno_.carpeta / kNombresArchivo[i], &error))
            Avisar(QString(kNombresArchivo[i]) + ": " + error, IconoMatriz::Error);
    }
}

AjustesMatriz TfmMatriz::Ajustes() const {
    AjustesMatriz a = ajustes_;
    if (isVisible()) {
        a.pan1 = arriba_->sizes().value(0, a.pan1);
        a.pan2 = abajo_->sizes().value(0, a.pan2);
        a.pan3 = vertical_->sizes().value(0, a.pan3);
    }
    return a;
}

void TfmMatriz::closeEvent(QCloseEvent* e) {
    if (ejecutor_->EnCurso()) ejecutor_->CancelarYEsperar();
    ajustes_ = Ajustes();
    GuardarRejillas();
    TFormMX::closeEvent(e);
}

void TfmMatriz::AplicarColores(const ColoresMatriz& c) {
    colores_ = Legibles(c);
    TintasSeleccion();
    RefrescarActiva();
}

void TfmMatriz::RefrescarActiva() {
    for (int i = 0; i < 4; ++i) {
        TStringGridX* g = Rejilla(i);
        g->setStyleSheet(i == activa_ ? QString("QTableWidget { border: 2px solid %1; }").arg(colores_.resalte.name())
                                      : QString("QTableWidget { border: 2px solid transparent; }"));
        g->viewport()->update();
    }
}

void TfmMatriz::Activar(int indice) {
    activa_ = indice;
    ajustando_ = true;
    spColum_->setValue(Rejilla(indice)->ColCount() - 1);
    spFilas_->setValue(Rejilla(indice)->RowCount() - 1);
    ajustando_ = false;
    RefrescarActiva();
    RefrescarEstado();
}

void TfmMatriz::SetModo(bool complejo) {
    ajustes_.complejo = complejo;
    setWindowTitle(kTitulos[complejo ? 1 : 0]);
    RefrescarEstado();
}

QString TfmMatriz::TextoEstado(int panel) const { return estado_[panel]->text(); }

void TfmMatriz::RefrescarEstado() {
    const TStringGridX* g = Rejilla(activa_);
    estado_[0]->setText(QString::asprintf("%s [%d,%d]", LetraMatriz(activa_), std::max(1, g->currentColumn()),
                                          std::max(1, g->currentRow())));
    estado_[1]->setText(ajustes_.complejo ? "COMPL" : "Racio");
}

void TfmMatriz::Avisar(const QString& t, IconoMatriz i) {
    if (entorno_.Avisar) entorno_.Avisar(t, i);
}

void TfmMatriz::PonerTabla(int i, const TTablaTextos& t) {
    TStringGridX* g = Rejilla(i);
    g->SetTabla(t);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetCells(0, 0, LetraMatriz(i));
    g->setColumnWidth(0, 28);
    if (i == kMatrizR) {
        // R cannot be widened by hand: its columns fit their texts, so a
        // result is never read cut ("0.…" for 0.3-0.86i).
        const QFontMetrics fm(g->font());
        for (int c = 1; c < g->ColCount(); ++c) {
            int ancho = 0;
            for (int f = 1; f < g->RowCount(); ++f) ancho = std::max(ancho, fm.horizontalAdvance(g->Cells(c, f)));
            g->setColumnWidth(c, std::clamp(ancho + 12, g->horizontalHeader()->defaultSectionSize(), 240));
        }
        guardado_.reset();
    }
    if (i == activa_ && rejillas_[kMatrizR]) Activar(i);
    g->viewport()->update();
}

void TfmMatriz::Dimensionar(int columnas, int filas) {
    TTablaTextos t = Rejilla(activa_)->Tabla();
    t.Redimensionar(std::clamp(columnas, 1, kDimensionMaximaMatriz) + 1, std::clamp(filas, 1, kDimensionMaximaMatriz) + 1);
    PonerTabla(activa_, t);
}

void TfmMatriz::Intercambiar(int a, int b) {
    if (a == b) return;
    TTablaTextos ta = Rejilla(a)->Tabla(), tb = Rejilla(b)->Tabla();
    std::optional<TMatriz> guardado = guardado_;
    PonerTabla(a, tb);
    PonerTabla(b, ta);
    // Kept only while R still shows it.
    if (a != kMatrizR && b != kMatrizR && a != activa_ && b != activa_) guardado_ = guardado;
}

void TfmMatriz::AlternarFracciones() {
    modoFraccion_ = (modoFraccion_ + 1) % 3;
    if (!guardado_) return;
    const TMatriz m = *guardado_;
    TablaTextos v = ATablaMatriz(Rejilla(kMatrizR)->Tabla());
    m.ARejilla(v, modoFraccion_);
    TTablaTextos t = Rejilla(kMatrizR)->Tabla();
    DeTablaMatriz(v, t);
    PonerTabla(kMatrizR, t);
    guardado_ = m;
}

void TfmMatriz::Copiar() {
    QApplication::clipboard()->setText(Q(Rejilla(activa_)->Tabla().TextoGrid()));
}

void TfmMatriz::Pegar() {
    TTablaTextos t = Rejilla(activa_)->Tabla();
    if (auto m = PegarEnTabla(QApplication::clipboard()->text().toStdString(), t)) {
        Avisar(Q(m->texto), m->icono);
        return;
    }
    PonerTabla(activa_, t);
}

bool TfmMatriz::Operar(AccionMatriz accion, int operando) {
    if (ejecutor_->EnCurso()) return false;
    PeticionMatriz p;
    p.accion = accion;
    for (int i = 0; i < 4; ++i) p.tablas[static_cast<std::size_t>(i)] = Rejilla(i)->Tabla();
    p.m = activa_;
    p.operando = operando;
    p.complejo = ajustes_.complejo;
    p.modoFraccion = modoFraccion_;
    if (entorno_.Fraccion) p.ajustes = entorno_.Fraccion();
    if (accion == AccionMatriz::Escalar || accion == AccionMatriz::Funcion) {
        const QString titulo = accion == AccionMatriz::Escalar ? "Introduzca un valor para el producto escalar"
                                                                : "Indique una función sobre m y n";
        if (!entorno_.PedirTexto) return false;
        const auto texto = entorno_.PedirTexto(titulo, motores_->Texto(p.complejo));
        if (!texto) return false;
        if (auto m = motores_->Compilar(p.complejo, *texto, p.ajustes)) {
            Avisar(Q(m->texto), m->icono);
            return false;
        }
        p.motores = motores_.get();
    }
    auto r = std::make_shared<ResultadoMatriz>();
    return ejecutor_->Ejecutar([p, r](TTrabajo& t) { *r = OperarMatriz(p, &t); },
                               [this, r](const ResultadoTrabajo& fin) {
                                   if (fin.fin == FinTrabajo::Fallido) Avisar(Q(fin.error), IconoMatriz::Error);
                                   if (fin.fin == FinTrabajo::Terminado) Aplicar(*r);
                               });
}

void TfmMatriz::Aplicar(const ResultadoMatriz& r) {
    if (r.mensaje) {
        Avisar(Q(r.mensaje->texto), r.mensaje->icono);
        return;
    }
    if (!r.determinante.empty()) {
        const QString valor = Q(r.determinante);
        if (entorno_.Preguntar && entorno_.Preguntar("Determinante", "¿Copia este valor al portapapeles?\r\n\r\n" + valor))
            QApplication::clipboard()->setText(valor);
        return;
    }
    // A singular system: the triangulation only on a Yes.
    if (!r.pregunta.empty() && !(entorno_.Preguntar && entorno_.Preguntar("Matrices", Q(r.pregunta)))) return;
    if (r.destino < 0) return;
    TTablaTextos t = r.tabla;
    t.SetCelda(0, 0, LetraMatriz(r.destino));
    PonerTabla(r.destino, t);
    if (r.destino == kMatrizR) guardado_ = r.racional;
}

// The desktop's selected-cell ink need not stand out on its highlight
// (white on Fusion's blue is 3.7:1): the grids take a readable one.
void TfmMatriz::TintasSeleccion() {
    for (QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Inactive}) {
        const QColor tinta = QColorDe(TextoLegible(ColorDeQColor(palette().color(grupo, QPalette::HighlightedText)),
                                                   ColorDeQColor(palette().color(grupo, QPalette::Highlight))));
        for (TStringGridX* g : rejillas_) {
            if (!g) return;  // before the grids are made
            QPalette p = g->palette();
            p.setColor(grupo, QPalette::HighlightedText, tinta);
            g->setPalette(p);
        }
    }
}

bool TfmMatriz::event(QEvent* e) {
    if (e->type() == QEvent::PaletteChange) TintasSeleccion();
    if (e->type() == QEvent::StatusTip) {
        estado_[2]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return TFormMX::event(e);
}

bool TfmMatriz::eventFilter(QObject* o, QEvent* e) {
    static QPoint inicio;
    static int columnas0 = 0, filas0 = 0;
    if (o->objectName() == "asa") {
        auto* m = static_cast<QMouseEvent*>(e);
        if (e->type() == QEvent::MouseButtonPress && m->button() == Qt::LeftButton) {
            inicio = m->globalPosition().toPoint();
            columnas0 = Rejilla(activa_)->ColCount() - 1;
            filas0 = Rejilla(activa_)->RowCount() - 1;
            return true;
        }
        if (e->type() == QEvent::MouseMove && (m->buttons() & Qt::LeftButton)) {
            const QPoint d = m->globalPosition().toPoint() - inicio;
            const int c = std::clamp(columnas0 + d.x() / kPasoAsa, 1, kDimensionMaximaMatriz);
            const int f = std::clamp(filas0 + d.y() / kPasoAsa, 1, kDimensionMaximaMatriz);
            if (c != Rejilla(activa_)->ColCount() - 1 || f != Rejilla(activa_)->RowCount() - 1) Dimensionar(c, f);
            return true;
        }
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        TStringGridX* g = Rejilla(i);
        if (o != g && o != g->viewport()) continue;
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::MouseButtonPress) {
            if (activa_ != i) Activar(i);
        } else if (e->type() == QEvent::MouseButtonDblClick && (i == kMatrizA || i == kMatrizC)) {
            // Widen the column to its widest text.
            const int c = g->currentColumn();
            if (c < 1) return false;
            const QFontMetrics fm(g->font());
            int ancho = 0;
            for (int f = 0; f < g->RowCount(); ++f) ancho = std::max(ancho, fm.horizontalAdvance(g->Cells(c, f)));
            g->setColumnWidth(c, ancho + 8);
            return true;
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) RefrescarEstado();
        }
        return false;
    }
    return TFormMX::eventFilter(o, e);
}

}  // namespace numbrix
