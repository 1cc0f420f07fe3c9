#include "tools/ui/fmStat.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/ui/frmCalc.h"
#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GradientesQt.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
TColor T(const QColor& c) { return ColorRGB(c.red(), c.green(), c.blue()); }

// The plot keeps its own light palette under every scheme; every text on it
// reaches 4.5:1 (the grey of "Frecuencia" is darker than a plain grey for it).
const QColor kFondoGrafico(255, 255, 255);
const QColor kFondoDatos(255, 255, 225);
const QColor kGrisEje(89, 89, 89);
const QColor kRojoMedia(192, 0, 0);
const QColor kVerdeCurva(0, 128, 0);
const QColor kAzulPunto(0, 0, 255);

QFont FuenteGrafico() {
    QFont f("Liberation Mono");
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(11);
    return f;
}

}  // namespace

// ------------------------------------------------------------ model ----

int TModeloEstadistica::rowCount(const QModelIndex& p) const {
    return p.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(e_.Cantidad(), INT32_MAX));
}
int TModeloEstadistica::columnCount(const QModelIndex& p) const { return p.isValid() ? 0 : 3; }

QVariant TModeloEstadistica::data(const QModelIndex& i, int rol) const {
    if (!i.isValid() || static_cast<std::size_t>(i.row()) >= e_.Cantidad()) return {};
    if (rol == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole) return {};
    const auto& r = e_.Fila(static_cast<std::size_t>(i.row()));
    switch (i.column()) {
    case 0: return Q(e_.TextoValor(r.Valor));
    case 1: return QString::number(r.Frecuencia);
    default: return Q(e_.TextoRelativa(r.Frecuencia));
    }
}

QVariant TModeloEstadistica::headerData(int s, Qt::Orientation o, int rol) const {
    if (o != Qt::Horizontal || rol != Qt::DisplayRole) return {};
    static const char* const kTitulos[] = {"Dato", "Frecuencia", "F.Relativa"};
    return s >= 0 && s < 3 ? QVariant(kTitulos[s]) : QVariant();
}

// ----------------------------------------------------------- header ----

TCabeceraGradiente::TCabeceraGradiente(QWidget* padre) : QHeaderView(Qt::Horizontal, padre) {
    setSectionsClickable(true);
    setHighlightSections(false);
}

void TCabeceraGradiente::SetColores(const ColoresVentana& c) {
    colores_ = c;
    viewport()->update();
}

void TCabeceraGradiente::paintSection(QPainter* p, const QRect& r, int seccion) const {
    p->save();
    PintarGradiente(*p, r, colores_.Luz, colores_.Sombra, true);
    p->setPen(QColor(colores_.Sombra).darker(130));
    p->drawLine(r.topRight(), r.bottomRight());
    p->drawLine(r.bottomLeft(), r.bottomRight());
    QFont f = font();
    f.setBold(true);
    p->setFont(f);
    p->setPen(QColorDe(TextoLegibleSobreRampa(T(colores_.Texto), T(colores_.Luz), T(colores_.Sombra))));
    const QString t = model() ? model()->headerData(seccion, Qt::Horizontal).toString() : QString();
    p->drawText(r.adjusted(4, 1, -4, -1), Qt::AlignCenter, t);
    p->restore();
}

QSize TCabeceraGradiente::sectionSizeFromContents(int seccion) const {
    QFont f = font();
    f.setBold(true);
    const QString t = model() ? model()->headerData(seccion, Qt::Horizontal).toString() : QString();
    const QSize s = QFontMetrics(f).size(0, t);
    return {s.width() + 12, s.height() + 6};
}

// ----------------------------------------------------------- window ----

TfmStat::TfmStat(QWidget* padre) : TFormMX(padre) {
    setWindowTitle("Estadísticas");
    setObjectName("TfmStat");
    SetEasyDrag(false);
    Cajas = CajasDialogo::Estandar(this, true);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(6, 6, 6, 6);
    paginas = new QTabWidget(this);
    capa->addWidget(paginas);

    // Data page.
    auto* datos = new QWidget;
    auto* cd = new QVBoxLayout(datos);
    cajaEntrada = new QLineEdit(datos);
    cajaEntrada->setObjectName("cajaEntrada");
    cajaEntrada->setPlaceholderText("dato o dato*frecuencia");
    cajaEntrada->installEventFilter(this);
    cd->addWidget(cajaEntrada);
    tablaDatos = new QTableView(datos);
    modelo_ = new TModeloEstadistica(datos_, this);
    tablaDatos->setModel(modelo_);
    cabDatos_ = new TCabeceraGradiente(tablaDatos);
    tablaDatos->setHorizontalHeader(cabDatos_);
    cabDatos_->setSectionResizeMode(QHeaderView::Stretch);
    tablaDatos->verticalHeader()->hide();
    tablaDatos->verticalHeader()->setDefaultSectionSize(tablaDatos->fontMetrics().height() + 4);
    tablaDatos->setSelectionBehavior(QAbstractItemView::SelectRows);
    tablaDatos->setSelectionMode(QAbstractItemView::SingleSelection);
    tablaDatos->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cabDatos_, &QHeaderView::sectionClicked, this, [this](int c) {
        datos_.Ordenar(c);
        modelo_->Reiniciar();
    });
    connect(tablaDatos, &QTableView::pressed, this, [this] { datos_.InvertirDireccion(); });
    connect(tablaDatos, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        const QModelIndex i = tablaDatos->indexAt(p);
        if (i.isValid()) tablaDatos->selectRow(i.row());
        QMenu m(this);
        QAction* borrar = m.addAction("Borrar punto muestral");
        borrar->setEnabled(i.isValid());
        if (m.exec(tablaDatos->viewport()->mapToGlobal(p)) == borrar) BorrarPunto();
    });
    cd->addWidget(tablaDatos, 1);
    auto* totales = new QGridLayout;
    const char* const kRotulos[] = {"n:", "Suma:", "Media:"};
    QLabel** valores[] = {&etiquetaN, &etiquetaSuma, &etiquetaMedia};
    for (int i = 0; i < 3; ++i) {
        totales->addWidget(new QLabel(kRotulos[i], datos), i, 0);
        *valores[i] = new QLabel(datos);
        (*valores[i])->setTextInteractionFlags(Qt::TextSelectableByMouse);
        totales->addWidget(*valores[i], i, 1);
    }
    totales->setColumnStretch(1, 1);
    cd->addLayout(totales);
    auto* botones = new QHBoxLayout;
    auto boton = [&](const char* texto, void (TfmStat::*accion)()) {
        auto* b = new QPushButton(texto, datos);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, accion);
        botones->addWidget(b);
    };
    boton("Vaciar todo", &TfmStat::VaciarTodo);
    boton("Copiar tabla", &TfmStat::CopiarTabla);
    boton("Pegar datos", &TfmStat::PegarDatos);
    cd->addLayout(botones);
    paginas->addTab(datos, "Datos");

    // Results page: the measures beside the plot.
    auto* res = new QWidget;
    auto* cr = new QHBoxLayout(res);
    tablaMedidas = new QTableWidget(0, 2, res);
    cabMedidas_ = new TCabeceraGradiente(tablaMedidas);
    tablaMedidas->setHorizontalHeader(cabMedidas_);
    tablaMedidas->setHorizontalHeaderLabels({"Medida\nValor", ""});
    cabMedidas_->setSectionResizeMode(QHeaderView::ResizeToContents);
    cabMedidas_->setStretchLastSection(true);
    tablaMedidas->verticalHeader()->hide();
    tablaMedidas->verticalHeader()->setDefaultSectionSize(tablaMedidas->fontMetrics().height() + 4);
    tablaMedidas->setSelectionMode(QAbstractItemView::SingleSelection);
    tablaMedidas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tablaMedidas->setContextMenuPolicy(Qt::CustomContextMenu);
    tablaMedidas->installEventFilter(this);
    tablaMedidas->setMinimumWidth(300);
    tablaMedidas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(tablaMedidas, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        QMenu m(this);
        QAction* copiar = m.addAction("Copiar");
        QAction* todo = m.addAction("Copiar todo");
        QTableWidgetItem* it = tablaMedidas->currentItem();
        copiar->setEnabled(it && it->column() == 1);
        QAction* a = m.exec(tablaMedidas->viewport()->mapToGlobal(p));
        if (a == copiar && it) QApplication::clipboard()->setText(it->text());
        if (a == todo) QApplication::clipboard()->setText(Q(TEstadistica::CopiarTodo(medidas_)));
    });
    cr->addWidget(tablaMedidas);
    auto* lado = new QVBoxLayout;
    grafico = new TPaintBoxM(res);
    grafico->SetDrawRectLeft(false);
    grafico->SetDrawRectRight(false);
    grafico->setMouseTracking(true);
    grafico->setMinimumSize(240, 180);
    grafico->installEventFilter(this);
    grafico->OnPaint = [this](QPainter& p) { Pintar(p); };
    connect(grafico, &TPaintBoxM::OnResize, this, [this] {
        const auto m = datos_.Grafico().VentanaMundo(grafico->width(), grafico->height());
        grafico->SetScale(m.Izquierda, m.Arriba, m.Derecha, m.Abajo);
    });
    lado->addWidget(grafico, 1);
    etiquetaPuntero = new QLabel(res);
    etiquetaPuntero->setMinimumHeight(etiquetaPuntero->fontMetrics().height());
    lado->addWidget(etiquetaPuntero);
    cr->addLayout(lado, 1);
    paginas->addTab(res, "Resultados");

    // Only two distinct values make results; entering the data page puts the
    // cursor in the entry box.
    connect(paginas, &QTabWidget::currentChanged, this, [this](int i) {
        if (i == 1 && !datos_.DosValores()) {
            const QSignalBlocker b(paginas);
            paginas->setCurrentIndex(0);
            return;
        }
        if (i == 1) Calcular();
        else cajaEntrada->setFocus();
    });
    AyudaConF1(this, "fmStat.html");
    resize(720, 470);
    Actualizar();
}

void TfmStat::showEvent(QShowEvent* e) {
    TFormMX::showEvent(e);
    if (paginas->currentIndex() == 0) cajaEntrada->setFocus();
}

void TfmStat::Fallo(const std::exception& e) { Cajas.Avisar(kTituloAplicacion, QString::fromUtf8(e.what())); }

void TfmStat::Actualizar() {
    if (FormatoActual) datos_.Formato = FormatoActual();
    modelo_->Reiniciar();
    etiquetaN->setText(Q(datos_.TextoN()));
    etiquetaSuma->setText(Q(datos_.TextoSuma()));
    etiquetaMedia->setText(Q(datos_.TextoMedia()));
}

void TfmStat::AgregarEntrada() {
    try {
        datos_.Agregar(cajaEntrada->text().toStdString());
        cajaEntrada->clear();
    } catch (const std::exception& e) {
        Fallo(e);
    }
    Actualizar();
}

void TfmStat::VaciarTodo() {
    if (!Cajas.Preguntar("Borrar", QString("Se eliminaran todos los datos.") + "\n\n" + "¿Desea continuar?")) return;
    datos_.Vaciar();
    medidas_.clear();
    Actualizar();
}

void TfmStat::CopiarTabla() { QApplication::clipboard()->setText(Q(datos_.CopiarTabla())); }

void TfmStat::PegarDatos() { PegarTexto(QApplication::clipboard()->text()); }

void TfmStat::PegarTexto(const QString& texto) {
    try {
        datos_.Pegar(texto.toStdString());
    } catch (const std::exception& e) {
        Fallo(e);
    }
    Actualizar();
}

void TfmStat::BorrarPunto() {
    const QModelIndex i = tablaDatos->currentIndex();
    if (!i.isValid()) return;
    datos_.BorrarPunto(static_cast<std::size_t>(i.row()));
    Actualizar();
}

void TfmStat::Calcular() {
    if (FormatoActual) datos_.Formato = FormatoActual();
    medidas_ = datos_.Medidas();
    modelo_->Reiniciar();
    tablaMedidas->setRowCount(static_cast<int>(medidas_.size()));
    QFont negrita = tablaMedidas->font();
    negrita.setBold(true);
    for (int i = 0; i < static_cast<int>(medidas_.size()); ++i) {
        auto* nombre = new QTableWidgetItem(Q(medidas_[static_cast<std::size_t>(i)].Nombre) + " =");
        nombre->setFont(negrita);
        nombre->setFlags(Qt::ItemIsEnabled);
        auto* valor = new QTableWidgetItem(Q(medidas_[static_cast<std::size_t>(i)].Valor));
        valor->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tablaMedidas->setItem(i, 0, nombre);
        tablaMedidas->setItem(i, 1, valor);
    }
    // Wide enough for every value, so none is cut.
    tablaMedidas->resizeColumnToContents(0);
    int valores = 0;
    for (const auto& x : medidas_) valores = std::max(valores, tablaMedidas->fontMetrics().horizontalAdvance(Q(x.Valor)));
    const int ancho = tablaMedidas->columnWidth(0) + valores + 12 + 2 * tablaMedidas->frameWidth() +
                      tablaMedidas->verticalScrollBar()->sizeHint().width() + 8;
    tablaMedidas->setMinimumWidth(std::max(300, ancho));
    const auto m = datos_.Grafico().VentanaMundo(grafico->width(), grafico->height());
    grafico->SetScale(m.Izquierda, m.Arriba, m.Derecha, m.Abajo);
    etiquetaPuntero->clear();
}

void TfmStat::AplicarColores(const ColoresVentana& c) {
    for (QWidget* w : std::initializer_list<QWidget*>{paginas, tablaDatos, tablaMedidas, cajaEntrada, etiquetaN,
                                                       etiquetaSuma, etiquetaMedia, etiquetaPuntero})
        AplicarColoresCaja(w, c);
    for (int i = 0; i < paginas->count(); ++i) {
        QWidget* p = paginas->widget(i);
        p->setAutoFillBackground(true);
        AplicarColoresCaja(p, c);
    }
    cabDatos_->SetColores(c);
    cabMedidas_->SetColores(c);
}

bool TfmStat::eventFilter(QObject* o, QEvent* e) {
    if (o == cajaEntrada && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & Qt::ControlModifier) return false;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            AgregarEntrada();
            return true;
        }
        const QString t = k->text();
        const bool pasa = k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab ||
                          (t.size() == 1 && (t[0].isDigit() || t[0] == '-' || t[0] == '.' || t[0] == '*'));
        return !pasa;
    }
    if (o == tablaMedidas && e->type() == QEvent::KeyPress) return true;
    if (o == grafico && e->type() == QEvent::MouseMove && !medidas_.empty()) {
        const QPointF p = static_cast<QMouseEvent*>(e)->position();
        etiquetaPuntero->setText(
            Q(datos_.Grafico().TextoPuntero(grafico->PixelAMundoX(p.x()), grafico->PixelAMundoY(p.y()))));
    }
    if (o == grafico && e->type() == QEvent::Leave) etiquetaPuntero->clear();
    return TFormMX::eventFilter(o, e);
}

void TfmStat::Pintar(QPainter& p) {
    const int w = grafico->width(), h = grafico->height();
    p.fillRect(0, 0, w, h, kFondoGrafico);
    if (medidas_.empty()) return;
    const GraficoEstadistica& g = datos_.Grafico();
    const int x0 = grafico->MundoAPixelX(g.Minimo), x1 = grafico->MundoAPixelX(g.Maximo);
    const int y0 = grafico->MundoAPixelY(g.FrecuenciaMax), y1 = grafico->MundoAPixelY(0);
    const QRect datos(x0, y0, x1 - x0, y1 - y0);
    p.fillRect(datos, kFondoDatos);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.drawRect(datos);

    p.setFont(FuenteGrafico());
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(kGrisEje);
    TextoAngulo(p, QPoint(0, (h + fm.horizontalAdvance("Frecuencia")) / 2), 900, "Frecuencia");
    p.setPen(Qt::black);
    p.drawText(QPoint(2, h - fm.descent()), "Dato");

    // The quartile and mean lines; their labels share the top margin, pushed
    // aside (right, then back left from the edge) so that none overlaps.
    auto lineas = g.Lineas();
    std::sort(lineas.begin(), lineas.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
    std::vector<int> izq(lineas.size()), ancho(lineas.size());
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        const int x = grafico->MundoAPixelX(lineas[i].X);
        p.setPen(lineas[i].EsMedia ? QPen(Qt::red, 1, Qt::SolidLine) : QPen(Qt::black, 1, Qt::DotLine));
        p.drawLine(x, y0, x, y1);
        ancho[i] = fm.horizontalAdvance(lineas[i].Etiqueta);
        izq[i] = std::max(x - ancho[i] / 2, i ? izq[i - 1] + ancho[i - 1] + 3 : 0);
    }
    for (std::size_t i = lineas.size(); i-- > 0;)
        izq[i] = std::min(izq[i], i + 1 < lineas.size() ? izq[i + 1] - ancho[i] - 3 : w - ancho[i]);
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        p.setPen(lineas[i].EsMedia ? kRojoMedia : Qt::black);
        p.drawText(QPoint(izq[i], 1 + fm.ascent()), lineas[i].Etiqueta);
    }

    if (g.HayCurva) {
        QPainterPath curva;
        for (int px = 10; px <= w - 10; ++px) {
            const double y = g.Curva(grafico->PixelAMundoX(px));
            const double py = (y - grafico->ScaleTop()) / grafico->UnidadesPorPixelY();
            if (px == 10) curva.moveTo(px, py);
            else curva.lineTo(px, py);
        }
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kVerdeCurva, 1));
        p.drawPath(curva);
        p.restore();
    }
    for (const auto& r : g.Puntos)
        p.fillRect(grafico->MundoAPixelX(r.Valor) - 2, grafico->MundoAPixelY(static_cast<double>(r.Frecuencia)) - 2, 5,
                   5, kAzulPunto);
}

// ----------------------------------------------------- registration ----

void RegistrarEstadistica(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Estadísticas";
    h.PaginaAyuda = "fmStat.html";
    h.TituloAyuda = "Estadísticas";
    h.Teclas = {{"Intro", "En la caja de datos: añade el dato («v» o «v*frecuencia») a la tabla."},
                {"F1", "Abre esta ayuda."}};
    h.Crear = [](TfrmCalcu& p) {
        auto* v = new TfmStat(&p);
        v->FormatoActual = [&p] { return p.Sesion().Formato; };
        return static_cast<QWidget*>(v);
    };
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmStat*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
