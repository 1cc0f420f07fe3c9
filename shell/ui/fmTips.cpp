#include "shell/ui/fmTips.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

#include "shell/VelIni.h"
#include "shell/ui/fmComun.h"
#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GuardarAlCerrar.h"

namespace numbrix {

namespace {

// The show-at-start box with its square outlined in the text's colour: the
// style's own outline all but vanishes on the panel under a dark palette.
class TCasillaMarcada : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* e) override {
        QCheckBox::paintEvent(e);
        QStyleOptionButton op;
        initStyleOption(&op);
        const QRect r = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &op, this);
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
};

}  // namespace

TfmTips::TfmTips(QWidget* padre, const std::filesystem::path& carpetaDatos)
    : QDialog(padre), azar_(std::random_device{}()) {
    setObjectName("TfmTips");
    setWindowTitle("Sabía que...");
    // Everything is written on the panel (the base colour), in the text
    // colour kept readable on it.
    QPalette pal = palette();
    const TColor tinta =
        TextoLegible(ColorDeQColor(pal.color(QPalette::Text)), ColorDeQColor(pal.color(QPalette::Base)));
    pal.setColor(QPalette::WindowText, QColorDe(tinta));
    setPalette(pal);
    try {
        archivo_ = TVelIniFile::Compartido(carpetaDatos / "tips.ini");
        consejos_.Leer(*archivo_);
    } catch (const std::exception&) {
        archivo_.reset();  // no tips: the fixed text shows
    }
    consejos_.Barajar(azar_);

    auto* titulo = new QLabel("¿Sabía que...?", this);
    QFont ft("Arial");
    ft.setPointSize(14);
    ft.setBold(true);
    titulo->setFont(ft);
    texto_ = new QLabel(this);
    texto_->setObjectName("texto");
    texto_->setWordWrap(true);
    texto_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texto_->setMinimumHeight(110);
    QFont fx("Arial");
    fx.setPointSize(11);
    texto_->setFont(fx);
    texto_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    indicador_ = new QLabel(this);
    indicador_->setObjectName("indicador");
    usa_ = new TCasillaMarcada("Mostrar esta ventana al iniciar el programa", this);
    usa_->setChecked(consejos_.Usa);
    anterior_ = new QPushButton("< &Anterior", this);
    siguiente_ = new QPushButton("&Siguiente >", this);
    auto* cerrar = new QPushButton("&Cerrar", this);
    cerrar->setDefault(true);
    const bool hay = consejos_.Cuenta() > 1;
    anterior_->setEnabled(hay);
    siguiente_->setEnabled(hay);
    connect(anterior_, &QPushButton::clicked, this, [this] {
        consejos_.Anterior();
        Mostrar();
    });
    connect(siguiente_, &QPushButton::clicked, this, [this] {
        consejos_.Siguiente();
        Mostrar();
    });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);

    auto* marco = new QVBoxLayout(this);
    marco->setContentsMargins(24, 20, 24, 16);
    marco->addWidget(titulo);
    marco->addWidget(texto_, 1);
    auto* pie = new QHBoxLayout;
    pie->addWidget(indicador_);
    pie->addStretch();
    pie->addWidget(anterior_);
    pie->addWidget(siguiente_);
    pie->addWidget(cerrar);
    marco->addWidget(usa_);
    marco->addLayout(pie);
    resize(460, 260);
    AyudaConF1(this, "fmTips");
    Mostrar();
}

TfmTips::~TfmTips() = default;

QString TfmTips::TextoMostrado() const { return texto_->text(); }
QColor TfmTips::ColorPanel() const { return palette().color(QPalette::Base); }
QColor TfmTips::ColorCasilla() const { return usa_->palette().color(QPalette::WindowText); }

void TfmTips::Mostrar() {
    texto_->setText(QString::fromStdString(consejos_.Texto()));
    indicador_->setText(QString::fromStdString(consejos_.Indicador()));
}

void TfmTips::paintEvent(QPaintEvent*) {
    // The window's own rounded background: a soft panel on the window colour.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    QPainterPath r;
    r.addRoundedRect(QRectF(rect()).adjusted(8, 8, -8, -8), 14, 14);
    p.fillPath(r, pal.color(QPalette::Base));
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.drawPath(r);
}

void TfmTips::done(int r) {
    consejos_.Usa = usa_->isChecked();
    if (archivo_)
        GuardarAlCerrar(this, windowTitle(), "No se pudo guardar la preferencia de los consejos:", [this] {
            consejos_.EscribirUsa(*archivo_);
            archivo_->UpdateFile();
        });
    QDialog::done(r);
}

void MostrarConsejos(QWidget* padre, const std::filesystem::path& carpetaDatos, bool alIniciar) {
    TfmTips v(padre, carpetaDatos);
    if (alIniciar && !v.Usa()) return;
    v.exec();
}

}  // namespace numbrix
