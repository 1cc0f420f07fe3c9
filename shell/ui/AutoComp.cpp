#include "shell/ui/AutoComp.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/ui/Ayuda.h"

namespace numbrix {

bool EstadoCompletado::Activo = true;
bool EstadoCompletado::Descartado = false;

QString TextoEntrada(const QString& nombre, int tipo, int minArgs, int maxArgs, const QString& descripcion) {
    QString t = nombre;
    switch (tipo) {
    case MakeConstante: t += " - Const"; break;
    case MakeVariable: t += " - Variable"; break;
    case MakeFuncion0: t += " - Entorno"; break;
    case MakeFuncion1: t += maxArgs > 0 ? "( ) - Func" : " - Func"; break;
    default: {
        t += "( ";
        for (int i = 1; i < minArgs; ++i) t += ", ";
        if (maxArgs != minArgs)
            t += "{" + (maxArgs >= kArgumentosIlimitados ? QString("...") : QString::number(maxArgs)) + "}";
        t += tipo == MakeFuncionN ? ") - Func" : ") - Pers";
    }
    }
    if (!descripcion.isEmpty()) t += ": " + descripcion;
    return t;
}

int IconoDeTipo(int tipo) { return tipo >= MakeFuncionN ? tipo - 1 : std::max(tipo, 0); }

QString PlantillaNombre(const QString& nombre, int tipo, int minArgs, int maxArgs) {
    if (tipo == MakeConstante || tipo == MakeVariable || maxArgs <= 0) return nombre;
    return nombre + "(" + QString(",").repeated(std::max(minArgs, 1) - 1) + ")";
}

QString AyudaArgumentos(int tipo, int minArgs, int maxArgs, const QString& descripcion) {
    QString a;
    if (tipo == MakeConstante) a = "constante";
    else if (tipo == MakeVariable) a = "variable";
    else if (maxArgs <= 0) a = "sin argumentos";
    else if (maxArgs >= kArgumentosIlimitados) a = QString("%1 o más argumentos").arg(minArgs);
    else if (maxArgs == minArgs) a = minArgs == 1 ? QString("1 argumento") : QString("%1 argumentos").arg(minArgs);
    else if (maxArgs == minArgs + 1) a = QString("%1 o %2 argumentos").arg(minArgs).arg(maxArgs);
    else a = QString("de %1 a %2 argumentos").arg(minArgs).arg(maxArgs);
    return descripcion.isEmpty() ? a : descripcion + ": " + a;
}

int PrimeraNoMenor(const QStringList& ordenadas, const QString& prefijo) {
    auto it = std::lower_bound(ordenadas.begin(), ordenadas.end(), prefijo, [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return static_cast<int>(it - ordenadas.begin());
}

QString TextoElegido(const QString& entrada) {
    QString t = entrada;
    t.remove(' ');
    const int guion = t.indexOf('-');
    if (guion >= 0) t = t.left(guion);
    // "{...}" only tells that more arguments may follow: left in, it would
    // be a comment and the slot before it an empty argument.
    for (int a = t.indexOf('{'); a >= 0; a = t.indexOf('{')) {
        const int b = t.indexOf('}', a);
        t.remove(a, b < 0 ? t.size() - a : b - a + 1);
    }
    return t;
}

Eleccion Elegir(const QString& antes, const QString& prefijo, const QString& elegido, const QString& despues) {
    QString e = elegido;
    if (!prefijo.isEmpty() && e.startsWith(prefijo, Qt::CaseInsensitive)) e.replace(0, prefijo.size(), prefijo);
    const int parentesis = e.indexOf('(');
    const int tras = parentesis >= 0 ? parentesis + 1 : static_cast<int>(e.size());
    return {antes + e + despues, static_cast<int>(antes.size()) + tras};
}

bool ContinuaNombre(const QString& prefijo, QChar c) {
    if (c == '_' || c.isLetter()) return true;
    return c.isDigit() && !prefijo.isEmpty();
}

// ------------------------------------------------------------- drawing

namespace {

const char* const kLetrasIcono[] = {"C", "V", "E", "f", "U", "Q"};
const QColor kColoresIcono[] = {QColor(0, 120, 200), QColor(0, 150, 70), QColor(150, 100, 0),
                                QColor(170, 40, 40), QColor(120, 50, 160), QColor(60, 60, 60)};

class DelegadoEntrada : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& op, const QModelIndex& i) const override {
        p->save();
        const bool sel = op.state & QStyle::State_Selected;
        p->fillRect(op.rect, sel ? op.palette.highlight() : op.palette.base());
        const int icono = std::clamp(i.data(Qt::UserRole).toInt(), 0, 5);
        const int lado = op.rect.height() - 4;
        QRect ri(op.rect.left() + 2, op.rect.top() + 2, lado, lado);
        p->setRenderHint(QPainter::Antialiasing);
        p->setBrush(kColoresIcono[icono]);
        p->setPen(Qt::NoPen);
        p->drawEllipse(ri);
        QFont f = op.font;
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 0.8);
        p->setFont(f);
        p->setPen(Qt::white);
        p->drawText(ri, Qt::AlignCenter, kLetrasIcono[icono]);
        const QString texto = i.data().toString();
        int corte = 0;
        while (corte < texto.size() && texto[corte] != ' ' && texto[corte] != '(') ++corte;
        p->setPen(sel ? op.palette.highlightedText().color() : op.palette.text().color());
        QFont negrita = op.font;
        negrita.setBold(true);
        QRect rt = op.rect.adjusted(lado + 6, 0, 0, 0);
        p->setFont(negrita);
        p->drawText(rt, Qt::AlignVCenter | Qt::AlignLeft, texto.left(corte));
        rt.setLeft(rt.left() + QFontMetrics(negrita).horizontalAdvance(texto.left(corte)));
        p->setFont(op.font);
        p->drawText(rt, Qt::AlignVCenter | Qt::AlignLeft, texto.mid(corte));
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& op, const QModelIndex& i) const override {
        QSize s = QStyledItemDelegate::sizeHint(op, i);
        return {s.width() + 24, std::max(s.height(), 18)};
    }
};

}  // namespace

// The help text under the list, scrolling up one pixel every 50 ms; each
// full pass counts as idle time.
class TScrollCredits : public QWidget {
public:
    explicit TScrollCredits(QWidget* padre, std::function<void()> vuelta)
        : QWidget(padre), vuelta_(std::move(vuelta)) {
        lineas_ = {"Para insertar el nombre seleccionado",
                   "presione <INTRO> o <TAB>, o haga clic en él.",
                   "",
                   "Siga escribiendo para acotar la lista;",
                   "cualquier otro signo se escribe tal cual.",
                   "",
                   "Presionando <F1> obtiene ayuda sobre la función.",
                   "",
                   "Use <ESC> para cerrar este cuadro.",
                   ""};
        setFixedHeight(fontMetrics().height() * 3);
        timer_.setInterval(50);
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++desplazamiento_;
            if (desplazamiento_ > height() + fontMetrics().height() * lineas_.size()) {
                desplazamiento_ = 0;
                if (vuelta_) vuelta_();
            }
            update();
        });
    }
    void Iniciar() {
        desplazamiento_ = 0;
        timer_.start();
    }
    void Detener() { timer_.stop(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().toolTipBase());
        p.setPen(palette().toolTipText().color());
        const int alto = fontMetrics().height();
        int y = height() - desplazamiento_;
        for (const QString& l : lineas_) {
            p.drawText(QRect(4, y, width() - 8, alto), Qt::AlignHCenter | Qt::AlignVCenter, l);
            y += alto;
        }
    }

private:
    std::function<void()> vuelta_;
    QStringList lineas_;
    QTimer timer_;
    int desplazamiento_ = 0;
};

// ------------------------------------------------------------- the list

TfmAutoComp& TfmAutoComp::Instancia() {
    static TfmAutoComp* unica = new TfmAutoComp();
    return *unica;
}

TfmAutoComp::TfmAutoComp() : QFrame(nullptr, Qt::Popup) {
    setObjectName("fmAutoComp");
    setFrameShape(QFrame::Box);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(1, 1, 1, 1);
    capa->setSpacing(0);
    lista_ = new QListWidget(this);
    lista_->setItemDelegate(new DelegadoEntrada(lista_));
    lista_->setUniformItemSizes(true);
    lista_->installEventFilter(this);
    capa->addWidget(lista_);
    creditos_ = new TScrollCredits(this, [this] {
        if (--inactivo_ <= 0) Descartar();
    });
    capa->addWidget(creditos_);
    connect(lista_, &QListWidget::itemClicked, this, [this] { Aceptar(); });
    resize(380, 240);
}

namespace {
constexpr int kRolInsertar = Qt::UserRole + 1;

QString NombreDeEntrada(const QString& texto) {
    int corte = 0;
    while (corte < texto.size() && texto[corte] != ' ' && texto[corte] != '(') ++corte;
    return texto.left(corte);
}
}  // namespace

void TfmAutoComp::Llenar(const Fuente& fuente, const Fuente& relleno) {
    std::vector<EntradaCompletado> e = fuente ? fuente() : std::vector<EntradaCompletado>{};
    if (relleno) {
        auto mas = relleno();
        e.insert(e.end(), mas.begin(), mas.end());
    }
    std::stable_sort(e.begin(), e.end(), [](const EntradaCompletado& a, const EntradaCompletado& b) {
        return QString::compare(a.Texto, b.Texto, Qt::CaseInsensitive) < 0;
    });
    QStringList textos;
    for (const auto& x : e) textos << x.Texto;
    if (textos == cargadas_) return;  // the same names: keep the list as it is
    cargadas_ = textos;
    nombres_.clear();
    lista_->clear();
    // Wide enough for the longest entry (names in bold, an icon, the scroll
    // bar), so no description is cut; never wider than a good part of a screen.
    QFont negrita = lista_->font();
    negrita.setBold(true);
    const QFontMetrics fm(negrita);
    int ancho = 0;
    for (const QString& t : textos) ancho = std::max(ancho, fm.horizontalAdvance(t));
    const int marco = 2 * lista_->frameWidth() + lista_->verticalScrollBar()->sizeHint().width();
    resize(std::clamp(ancho + 24 + marco + 16, 380, 680), height());
    for (const auto& x : e) {
        auto* it = new QListWidgetItem(x.Texto, lista_);
        it->setData(Qt::UserRole, x.Icono);
        it->setData(kRolInsertar, x.Insertar.isEmpty() ? TextoElegido(x.Texto) : x.Insertar);
        nombres_ << NombreDeEntrada(x.Texto);
    }
}

QString TfmAutoComp::Seleccionada() const { return lista_->currentItem() ? lista_->currentItem()->text() : QString(); }
int TfmAutoComp::Cantidad() const { return lista_->count(); }

bool TfmAutoComp::HayNombreQueEmpieza(const QString& prefijo) const {
    for (const QString& n : nombres_)
        if (n.startsWith(prefijo, Qt::CaseInsensitive)) return true;
    return false;
}

void TfmAutoComp::Buscar() {
    if (lista_->count() == 0) return;
    const int i = std::min(PrimeraNoMenor(cargadas_, prefijo_), lista_->count() - 1);
    lista_->setCurrentRow(i);
    lista_->scrollToItem(lista_->item(i), QAbstractItemView::PositionAtTop);
}

void TfmAutoComp::MostrarCaja() {
    if (!caja_) return;
    caja_->setText(antes_ + prefijo_ + despues_);
    caja_->setCursorPosition(static_cast<int>(antes_.size() + prefijo_.size()));
}

void TfmAutoComp::Completar(QLineEdit* caja, const Fuente& fuente, const QString& tecla, const Fuente& relleno) {
    if (!caja) return;
    caja_ = caja;
    const QString texto = caja->text();
    int cursor = caja->cursorPosition();
    int desde = cursor, hasta = cursor;
    if (caja->hasSelectedText()) {
        desde = caja->selectionStart();
        hasta = desde + static_cast<int>(caja->selectedText().size());
    }
    antes_ = texto.left(desde);
    despues_ = texto.mid(hasta);
    prefijo_ = tecla;
    Llenar(fuente, relleno);
    MostrarCaja();
    // A letter no name begins with is just typed (a hexadecimal digit, a
    // name of the user's own that is not defined yet).
    if (!tecla.isEmpty() && !HayNombreQueEmpieza(tecla)) return;
    Buscar();

    // Below the box, or above it when the screen ends first; at the caret.
    // The caret's x: the width of the text before it, past the box's margins.
    const QMargins m = caja->textMargins();
    const int xCaret = std::min(caja->width() - 8, 4 + m.left() + caja->fontMetrics().horizontalAdvance(antes_));
    const QPoint abajo = caja->mapToGlobal(QPoint(xCaret, caja->height()));
    const QPoint arriba = caja->mapToGlobal(QPoint(xCaret, 0));
    QScreen* pantalla = caja->screen();
    const QRect area = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 4096, 4096);
    int y = abajo.y();
    if (y + height() > area.bottom()) y = arriba.y() - height();
    int x = std::clamp(abajo.x(), area.left(), std::max(area.left(), area.right() - width()));
    move(x, y);
    inactivo_ = 4;
    show();
    raise();
    lista_->setFocus();
    creditos_->Iniciar();
}

void TfmAutoComp::Aceptar() {
    QListWidgetItem* it = lista_->currentItem();
    if (!it) {
        MostrarCaja();
        hide();
        return;
    }
    const Eleccion e = Elegir(antes_, prefijo_, it->data(kRolInsertar).toString(), despues_);
    prefijo_.clear();
    hide();
    if (caja_) {
        caja_->setText(e.Texto);
        caja_->setCursorPosition(e.Cursor);
    }
}

void TfmAutoComp::Descartar() {
    EstadoCompletado::Descartado = true;
    MostrarCaja();
    QPointer<QLineEdit> caja = caja_;
    hide();
    emit Descartada(caja);
}

void TfmAutoComp::Devolver(int key, const QString& texto, Qt::KeyboardModifiers mod) {
    MostrarCaja();
    prefijo_.clear();
    hide();
    if (!caja_) return;
    // The box of a combo gets its keys through the combo, which adds its
    // own two-key shortcuts.
    QWidget* destino = caja_;
    if (auto* combo = qobject_cast<QComboBox*>(caja_->parentWidget()); combo && combo->lineEdit() == caja_)
        destino = combo;
    QKeyEvent p(QEvent::KeyPress, key, mod, texto);
    QApplication::sendEvent(destino, &p);
    QKeyEvent r(QEvent::KeyRelease, key, mod, texto);
    QApplication::sendEvent(destino, &r);
}

bool TfmAutoComp::ProcesarTecla(int key, const QString& texto, Qt::KeyboardModifiers mod) {
    inactivo_ = 3;
    switch (key) {
    case Qt::Key_Escape: Descartar(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: Aceptar(); return true;
    case Qt::Key_Backtab: return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete: Devolver(key, texto, mod); return true;
    case Qt::Key_Backspace:
        if (prefijo_.isEmpty()) {
            Devolver(key, texto, mod);
            return true;
        }
        prefijo_.chop(1);
        lista_->setCurrentRow(0);
        Buscar();
        MostrarCaja();
        return true;
    case Qt::Key_F1: {
        const QString nombre = NombreDeEntrada(Seleccionada());
        AbrirAyuda(this, nombre.toStdString());
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return false;  // the list moves its selection
    default: break;
    }
    if (texto.isEmpty() || texto[0].category() == QChar::Other_Control) return true;
    const QChar c = texto[0];
    if (!(mod & (Qt::ControlModifier | Qt::AltModifier)) && ContinuaNombre(prefijo_, c) &&
        HayNombreQueEmpieza(prefijo_ + c)) {
        prefijo_ += c;
        Buscar();
        MostrarCaja();
        return true;
    }
    Devolver(key, texto, mod);
    return true;
}

bool TfmAutoComp::eventFilter(QObject* o, QEvent* e) {
    if (o == lista_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        return ProcesarTecla(k->key(), k->text(), k->modifiers());
    }
    return QFrame::eventFilter(o, e);
}

void TfmAutoComp::hideEvent(QHideEvent* e) {
    creditos_->Detener();
    QFrame::hideEvent(e);
    if (caja_) {
        caja_->activateWindow();
        caja_->setFocus();
    }
}

}  // namespace numbrix
