#include "units/ui/fmConver.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/AjustesCalculadora.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "support/ui/StringGridX.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QToolButton* Boton(QWidget* padre, const QString& texto, const QString& pista, const char* nombre) {
    auto* b = new QToolButton(padre);
    b->setText(texto);
    b->setToolTip(pista);
    b->setObjectName(nombre);
    return b;
}

// Two columns: the bold label with " =" and the value.
TStringGridX* Rejilla(QWidget* padre, int filas, const char* nombre) {
    auto* g = new TStringGridX(padre);
    g->setObjectName(nombre);
    g->SetColCount(2);
    g->SetRowCount(filas);
    g->SetFixedRows(0);
    g->SetFixedCols(1);
    g->horizontalHeader()->setStretchLastSection(true);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return g;
}

void Etiqueta(TStringGridX* g, int fila, const QString& texto) {
    g->SetCells(0, fila, texto + " =");
    QTableWidgetItem* it = g->item(fila, 0);
    QFont f = g->font();
    f.setBold(true);
    it->setFont(f);
    it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

QWidget* TDelegadoBase::createEditor(QWidget* padre, const QStyleOptionViewItem& o, const QModelIndex& i) const {
    QWidget* w = QStyledItemDelegate::createEditor(padre, o, i);
    if (auto* caja = qobject_cast<QLineEdit*>(w)) {
        caja->setProperty("fila", i.row());
        const int fila = i.row();
        connect(caja, &QLineEdit::textEdited, this, [this, fila](const QString& t) { edicion_(fila, t); });
    }
    return w;
}

bool TDelegadoBase::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* caja = qobject_cast<QLineEdit*>(o);
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        if (caja && t.size() == 1 && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            const auto queda = FiltrarTeclaBase(t[0].unicode(), base_(caja->property("fila").toInt()));
            if (!queda) return true;  // swallowed
            if (*queda != static_cast<char32_t>(t[0].unicode())) {
                caja->insert(QString(QChar(static_cast<char16_t>(*queda))));
                emit caja->textEdited(caja->text());
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(o, e);
}

TfmConver::TfmConver(TSesion& sesion, TModeloUnidades& modelo, QWidget* padre)
    : TFormMX(padre), sesion_(sesion), modelo_(modelo), lector_(sesion) {
    setObjectName("Conversor");
    setWindowTitle("Conversor instantáneo");
    SetEasyDrag(false);
    setMinimumSize(320, 240);

    paginas_ = new QTabWidget(this);
    paginas_->setObjectName("paginas");

    // ---- units
    auto* pu = new QWidget;
    magnitud_ = new QComboBox(pu);
    magnitud_->setObjectName("magnitud");
    cantidad_ = new TComboExpr(pu);
    cantidad_->setObjectName("cantidad");
    cantidad_->setToolTip("Indique cualquier número o expresión evaluable");
    cantidad_->SetTexto("1");
    cantidad_->PonerFuente([this] { return EntradasDe(sesion_.Principal()); });
    cantidad_->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cantidad_->lineEdit(), &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (MenuEdicion) MenuEdicion(cantidad_->lineEdit(), cantidad_->lineEdit()->mapToGlobal(p));
    });
    unidad_ = new QComboBox(pu);
    unidad_->setObjectName("unidad");
    rstUnidades_ = Boton(pu, "Rst", "Usar resultado principal", "rstUnidades");
    rstUnidades_->setCheckable(true);
    editar_ = Boton(pu, "✎", "Editar magnitudes y unidades de medida", "editar");
    auto* ayuda = Boton(pu, "?", "Ayuda (F1)", "ayuda");
    resultados_ = Rejilla(pu, 1, "resultados");
    resultados_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultados_->setToolTip("Use el boton secudario del mouse para copiar un valor");
    resultados_->setContextMenuPolicy(Qt::CustomContextMenu);
    resultados_->installEventFilter(this);
    resultados_->viewport()->installEventFilter(this);

    auto* fila1 = new QHBoxLayout;
    fila1->addWidget(magnitud_, 1);
    fila1->addWidget(rstUnidades_);
    fila1->addWidget(editar_);
    fila1->addWidget(ayuda);
    auto* fila2 = new QHBoxLayout;
    fila2->addWidget(cantidad_, 3);
    fila2->addWidget(unidad_, 2);
    auto* lu = new QVBoxLayout(pu);
    lu->setContentsMargins(4, 4, 4, 4);
    lu->addLayout(fila1);
    lu->addLayout(fila2);
    lu->addWidget(resultados_, 1);
    paginas_->addTab(pu, "Magnitudes y Unidades");

    // ---- bases
    auto* pb = new QWidget;
    numero_ = new QLineEdit(pb);
    numero_->setObjectName("numero");
    rstBases_ = Boton(pb, "Rst", "Usar resultado principal", "rstBases");
    rstBases_->setCheckable(true);
    auto* divisor = new QSplitter(Qt::Horizontal, pb);
    bases1_ = Rejilla(divisor, 17, "bases1");
    bases2_ = Rejilla(divisor, 18, "bases2");
    for (int b = kBaseMinima; b <= kBaseMaxima; ++b) Etiqueta(RejillaDe(b), FilaDe(b), Q(EtiquetaBase(b)));
    for (TStringGridX* g : {bases1_, bases2_}) {
        g->setEditTriggers(QAbstractItemView::AllEditTriggers);
        g->setItemDelegateForColumn(
            1, new TDelegadoBase(
                   g, [this, g](int fila) { return BaseDe(g, fila); },
                   [this, g](int fila, const QString& t) { CeldaEditada(BaseDe(g, fila), t); }));
    }
    auto* filaN = new QHBoxLayout;
    filaN->addWidget(numero_, 1);
    filaN->addWidget(rstBases_);
    auto* lb = new QVBoxLayout(pb);
    lb->setContentsMargins(4, 4, 4, 4);
    lb->addLayout(filaN);
    lb->addWidget(divisor, 1);
    paginas_->addTab(pb, "Bases numéricas");

    estado_ = new QLabel(this);
    estado_->setObjectName("estado");
    estado_->setWordWrap(true);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(2, 2, 2, 2);
    todo->addWidget(paginas_, 1);
    todo->addWidget(estado_);
    resize(340, 470);

    connect(magnitud_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!llenando_) ElegirMagnitud(i);
    });
    connect(unidad_, &QComboBox::currentIndexChanged, this, [this] {
        if (!llenando_) Recalcular();
    });
    connect(cantidad_, &QComboBox::editTextChanged, this, [this] {
        if (!llenando_) Recalcular();
    });
    connect(resultados_, &QTableWidget::cellClicked, this, [this](int fila, int columna) {
        if (columna == 0 && fila < unidad_->count()) unidad_->setCurrentIndex(fila);
    });
    connect(resultados_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        const QTableWidgetItem* it = resultados_->itemAt(p);
        if (!it || it->column() != 1 || it->text().isEmpty()) return;
        QMenu m(this);
        const QString texto = it->text();
        m.addAction("&Copiar", [texto] { QApplication::clipboard()->setText(texto); });
        m.exec(resultados_->viewport()->mapToGlobal(p));
    });
    connect(rstUnidades_, &QToolButton::toggled, this, [this](bool b) {
        cantidad_->setEnabled(!b);
        if (b) cantidad_->SetTexto(Q(sesion_.Ultima().texto));
    });
    connect(rstBases_, &QToolButton::toggled, this, [this](bool b) {
        if (b) numero_->setText(Q(sesion_.Ultima().texto));
    });
    connect(numero_, &QLineEdit::textChanged, this, [this](const QString& t) {
        EscribirBases(LeerNumero(t.toStdString()).valor, 0);
    });
    connect(numero_, &QLineEdit::returnPressed, this, [this] {
        EscribirBases(LeerNumero(numero_->text().toStdString()).valor, 0);
    });
    connect(editar_, &QToolButton::clicked, this, [this] {
        if (!Editar) return;
        Editar(magnitud_->currentText().toStdString());
        Revisar();
    });
    connect(ayuda, &QToolButton::clicked, this, [this] { AbrirAyuda(this, "fmConver.html"); });
    AyudaConF1(this, "fmConver.html");

    erroresInicio_ = Q(modelo_.ErroresCarga()).trimmed();
    if (sesion_.Ini())
        paginas_->setCurrentIndex(
            std::clamp(sesion_.Ini()->ReadInteger(AjustesCalculadora::Seccion, kClavePagina, 0), 0, 1));
    LlenarMagnitudes();
    numero_->setText("1");
    AplicarColores();
}

TfmConver::~TfmConver() = default;

TStringGridX* TfmConver::RejillaDe(int base) const { return base <= 18 ? bases1_ : bases2_; }
int TfmConver::BaseDe(const TStringGridX* g, int fila) const { return g == bases1_ ? fila + 2 : fila + 19; }

void TfmConver::GuardarAjustes() {
    if (sesion_.Ini()) sesion_.Ini()->WriteInteger(AjustesCalculadora::Seccion, kClavePagina, paginas_->currentIndex());
}

void TfmConver::AplicarColores() {
    const ColoresVentana c = ColoresVentana::De(sesion_.Ajustes);
    for (QWidget* w : {static_cast<QWidget*>(resultados_), static_cast<QWidget*>(bases1_),
                       static_cast<QWidget*>(bases2_), static_cast<QWidget*>(numero_),
                       static_cast<QWidget*>(cantidad_)})
        AplicarColoresCaja(w, c);
}

void TfmConver::LlenarMagnitudes() {
    const std::string antes = magnitud_->currentText().toStdString();
    const std::string unidad = unidad_->currentText().toStdString();
    generacion_ = modelo_.Generacion();
    llenando_ = true;
    magnitud_->clear();
    for (const Magnitud& m : modelo_.Magnitudes()) magnitud_->addItem(Q(m.Nombre));
    const int i = std::max(modelo_.BuscarMagnitud(antes), 0);
    magnitud_->setCurrentIndex(modelo_.Magnitudes().empty() ? -1 : i);
    llenando_ = false;
    ElegirMagnitud(magnitud_->currentIndex());
    if (!unidad.empty() && magnitud_->currentText().toStdString() == antes) {
        const int u = modelo_.BuscarUnidad(magnitud_->currentIndex(), unidad);
        if (u >= 0) unidad_->setCurrentIndex(u);
    }
}

void TfmConver::Revisar() {
    if (modelo_.Generacion() != generacion_) LlenarMagnitudes();
}

void TfmConver::ElegirMagnitud(int i) {
    llenando_ = true;
    unidad_->clear();
    int filas = 0;
    if (i >= 0 && i < static_cast<int>(modelo_.Magnitudes().size())) {
        const auto& us = modelo_.Magnitudes()[static_cast<std::size_t>(i)].Unidades;
        filas = static_cast<int>(us.size());
        resultados_->setRowCount(filas);
        for (int f = 0; f < filas; ++f) {
            const QString n = Q(us[static_cast<std::size_t>(f)].Nombre);
            unidad_->addItem(n);
            Etiqueta(resultados_, f, n);
        }
    }
    resultados_->setRowCount(filas);
    unidad_->setCurrentIndex(filas ? 0 : -1);
    llenando_ = false;
    Recalcular();
}

void TfmConver::Recalcular() {
    const int m = magnitud_->currentIndex(), u = unidad_->currentIndex();
    auto vaciar = [this] {
        for (int f = 0; f < resultados_->rowCount(); ++f) resultados_->SetCells(1, f, {});
    };
    if (m < 0 || u < 0) {
        vaciar();
        Decir(erroresInicio_);
        return;
    }
    const LecturaCantidad l = lector_.Leer(cantidad_->Texto().toStdString());
    if (l.ocupada) return;
    if (!l.ok) {
        vaciar();
        Decir(Q(l.error));
        return;
    }
    const TextosUnidades t =
        ConvertirATodas(modelo_, m, u, l.valor, [this](long double v) { return sesion_.TextoResultado(v); });
    for (int f = 0; f < resultados_->rowCount() && f < static_cast<int>(t.textos.size()); ++f)
        resultados_->SetCells(1, f, Q(t.textos[static_cast<std::size_t>(f)]));
    Decir(t.error.empty() ? erroresInicio_ : Q(t.error));
}

void TfmConver::Decir(const QString& m) {
    estado_->setText(m);
    estado_->setVisible(!m.isEmpty());
}

void TfmConver::EscribirBases(long double valor, int salvo) {
    const auto textos = TextosBases(valor, sesion_.Formato);
    for (int b = kBaseMinima; b <= kBaseMaxima; ++b) {
        if (b == salvo) continue;
        RejillaDe(b)->SetCells(1, FilaDe(b), Q(textos[static_cast<std::size_t>(b - kBaseMinima)]));
    }
}

void TfmConver::CeldaEditada(int base, const QString& texto) {
    // Zero, which is also what a failed read gives, changes nothing.
    if (const auto v = LeerCeldaBase(texto.toStdString(), base)) EscribirBases(*v, base);
}

void TfmConver::EditarBase(int base, const QString& texto) {
    RejillaDe(base)->SetCells(1, FilaDe(base), texto);
    CeldaEditada(base, texto);
}

void TfmConver::SeguirResultado(const ResultadoEvaluacion& r) {
    if (r.vacio || r.ocupada) return;
    if (paginas_->currentIndex() == 1) {
        if (rstBases_->isChecked()) numero_->setText(Q(r.texto));
    } else if (rstUnidades_->isChecked()) {
        cantidad_->SetTexto(Q(r.texto));
    }
}

void TfmConver::resizeEvent(QResizeEvent* e) {
    TFormMX::resizeEvent(e);
    for (TStringGridX* g : {bases1_, bases2_}) {
        QFont negrita = g->font();
        negrita.setBold(true);
        g->setColumnWidth(0, QFontMetrics(negrita).horizontalAdvance("Hex =") + 14);
    }
}

void TfmConver::changeEvent(QEvent* e) {
    TFormMX::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) Revisar();
}

bool TfmConver::eventFilter(QObject* o, QEvent* e) {
    // Shares of the grid's own width, once the layout gave it: the window's
    // would overflow it.
    if (o == resultados_->viewport() && e->type() == QEvent::Resize) {
        const int ancho = static_cast<QResizeEvent*>(e)->size().width();
        resultados_->setColumnWidth(0, ancho * 40 / 100);
        resultados_->setColumnWidth(1, ancho * 59 / 100);
    }
    // The result grid takes no typing; control keys move and copy.
    if (o == resultados_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->matches(QKeySequence::Copy)) {
            if (const QTableWidgetItem* it = resultados_->currentItem())
                QApplication::clipboard()->setText(it->text());
            return true;
        }
        if (!k->text().isEmpty() && k->text()[0].isPrint()) return true;
    }
    return TFormMX::eventFilter(o, e);
}

}  // namespace numbrix
