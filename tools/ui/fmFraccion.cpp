#include "tools/ui/fmFraccion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <cmath>

#include "shell/ui/frmCalc.h"
#include "support/ui/ColoresSistema.h"

namespace numbrix {

namespace {

constexpr int kDieciseisavos = 16;
constexpr int kDigitosTecleados = 6;  // typed into ComboBox1; longer items are chosen from its list

QLineEdit* CajaResultado(QWidget* padre, const char* nombre, const QString& consejo) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(nombre);
    e->setReadOnly(true);
    e->setToolTip(consejo);
    return e;
}

}  // namespace

// ------------------------------------------------------------------ ruler

TReglaFraccion::TReglaFraccion(QWidget* padre) : QWidget(padre) {
    setObjectName("Regla");
    setMinimumHeight(18);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TReglaFraccion::PonerParte(long double parte) {
    parte_ = std::isfinite(parte) && parte > 0 ? std::min<long double>(parte, 1) : 0;
    update();
}

int TReglaFraccion::AnchoBarra() const { return static_cast<int>(std::lround(parte_ * width())); }

void TReglaFraccion::PonerColores(const QColor& fondo, const QColor& tinta) {
    fondo_ = fondo;
    tinta_ = tinta;
    update();
}

void TReglaFraccion::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), fondo_);
    const int alto = height();
    const int barra = alto * 2 / 5;
    // The bar on top, the ruler below it: marks never hide under the bar.
    p.fillRect(QRect(0, 0, AnchoBarra(), barra), tinta_);
    p.setPen(QPen(tinta_, 1));
    const int w = width() - 1;
    for (int i = 0; i <= kDieciseisavos; ++i) {
        const int x = static_cast<int>(std::lround(static_cast<double>(w) * i / kDieciseisavos));
        const int largo = i % 8 == 0 ? alto - barra : i % 4 == 0 ? (alto - barra) * 3 / 4
                                                      : i % 2 == 0 ? (alto - barra) / 2 : (alto - barra) / 3;
        p.drawLine(x, alto - 1, x, alto - 1 - largo);
    }
    p.drawLine(0, alto - 1, w, alto - 1);
}

// ------------------------------------------------------------------ window

TfmFraccion::TfmFraccion(TfrmCalcu& principal)
    : TfmModo(principal, "Fracciones", principal.Sesion().CarpetaDatos() / "expq.lst", kAtajosFraccion,
              "Introduzca una expresión con fracciones a evaluar.\r\nUse un pipe o 2 puntos consecutivos para "
              "separar\r\nnumerador de denominador.") {
    setObjectName("Fracciones");
    setMinimumSize(kAnchoMinimo, kAltoMinimo);
    resize(kAnchoMinimo + 20, kAltoMinimo + 50);
    Conectar(sesion_, kAtajosFraccion);

    auto* filas = new QGridLayout;
    filas->setHorizontalSpacing(4);
    filas->setVerticalSpacing(4);
    Label2 = new QLabel("0+", this);
    Label2->setObjectName("Label2");
    Label2->setToolTip("Parte entera del resultado.");
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setMinimumWidth(40);
    Edit2 = CajaResultado(this, "Edit2", "Resultado");
    Edit3 = CajaResultado(this, "Edit3", "Resultado en formato decimal");
    Regla = new TReglaFraccion(this);
    Regla->setToolTip("Representación en dieciseisavos de la parte no entera del resultado");
    sbEntero = new QToolButton(this);
    sbEntero->setObjectName("sbEntero");
    sbEntero->setText("1½");
    sbEntero->setCheckable(true);
    sbEntero->setToolTip("Mostrar parte entera separada de la \nfracción (formato Mixto)");
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setToolTip("Denominador máximo al convertir decimales");
    for (const char* t : {"10", "100", "1000", "10000", "100000", "1000000", "10000000"}) ComboBox1->addItem(t);
    ComboBox1->lineEdit()->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), ComboBox1));
    ComboBox1->lineEdit()->installEventFilter(this);
    ComboBox1->setMinimumContentsLength(8);

    filas->addWidget(Label2, 0, 0);
    filas->addWidget(Edit2, 0, 1);
    filas->addWidget(Edit3, 0, 2, 1, 2);
    filas->addWidget(Regla, 1, 0, 1, 2);
    filas->addWidget(sbEntero, 1, 2, Qt::AlignRight);
    filas->addWidget(ComboBox1, 1, 3);
    filas->setColumnStretch(1, 3);
    filas->setColumnStretch(3, 2);
    Disposicion()->addLayout(filas);

    // The stored settings; a value the table refused reads as its default.
    const AjustesCalculadora& a = principal.Sesion().Ajustes;
    const std::uint32_t maximo = LeerDenominadorMax(std::to_string(a.FracDenominadorDec)).value_or(1000);
    sbEntero->setChecked(a.FracSepEntero);
    sesion_.SetFraccion({maximo, a.FracSepEntero});
    ComboBox1->setCurrentText(QString::number(maximo));
    MostrarPantalla({});

    connect(sbEntero, &QToolButton::toggled, this, [this] { Calcular(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { Calcular(); });
}

void TfmFraccion::TomarDenominador() {
    AjustesFraccion f = sesion_.Fraccion();
    f.FormatoMixto = sbEntero->isChecked();
    if (auto v = LeerDenominadorMax(ComboBox1->currentText().toStdString())) f.DenominadorMax = *v;
    else ComboBox1->setCurrentText(QString::number(f.DenominadorMax));  // the value in force, again
    if (f.DenominadorMax != sesion_.Fraccion().DenominadorMax || f.FormatoMixto != sesion_.Fraccion().FormatoMixto)
        sesion_.SetFraccion(f);
}

void TfmFraccion::Calcular() {
    if (!Empezar()) return;
    TomarDenominador();
    MostrarPantalla({});
    const ResultadoQ r = sesion_.Evaluar(caja->Texto().toStdString());
    MostrarPantalla(PantallaDe(r));
    Mostrar(sesion_.Principal(), !r.error && !r.vacio && !r.cancelado);
    Terminar();
    if (r.error) Avisar(r.texto, r.cancelado);
}

void TfmFraccion::MostrarPantalla(const PantallaFraccion& p) {
    Edit2->setText(QString::fromStdString(p.fraccion));
    Edit2->setCursorPosition(0);
    Edit3->setText(QString::fromStdString(p.decimal));
    Edit3->setCursorPosition(0);
    Label2->setText(QString::fromStdString(p.entera));
    Regla->PonerParte(p.barra);
    if (!isVisible()) return;
    // Painted now: the result is on screen before anything else runs.
    Edit2->repaint();
    Regla->repaint();
}

void TfmFraccion::Guardar() {
    AjustesCalculadora& a = Principal().Sesion().Ajustes;
    a.FracDenominadorDec = static_cast<int>(sesion_.Fraccion().DenominadorMax);
    a.FracSepEntero = sbEntero->isChecked();
    GuardarHistoria();
}

bool TfmFraccion::eventFilter(QObject* o, QEvent* e) {
    if (!Evaluando() && o == ComboBox1->lineEdit() && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Calcular();
            return true;
        }
        const QString t = k->text();
        if (t.size() == 1 && t[0].isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
            QLineEdit* l = ComboBox1->lineEdit();
            if (!t[0].isDigit()) return true;
            if (l->text().size() - l->selectedText().size() >= kDigitosTecleados) return true;
        }
    }
    return TfmModo::eventFilter(o, e);
}

void TfmFraccion::ColoresPropios(const ColoresPintados& c) {
    Regla->PonerColores(QColorDe(c.Fondo), QColorDe(c.TintaFondo));
    QPalette p = Label2->palette();
    p.setColor(QPalette::WindowText, QColorDe(c.TintaBanda));
    Label2->setPalette(p);
}

}  // namespace numbrix
