#include "tools/ui/fmModo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/ui/frmCalc.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GradientesQt.h"
#include "support/ui/MenuFormula.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

namespace {

QString Consejo(const QString& texto) {
    // Hints written for one-line tips break their lines with "\r\n".
    QString t = texto;
    return t.replace("\r\n", "\n");
}

}  // namespace

TfmModo::TfmModo(TfrmCalcu& principal, const QString& titulo, const std::filesystem::path& historia,
                 TablaAtajos atajos, const QString& ayuda)
    : principal_(principal) {
    setWindowTitle(titulo);
    Cajas = CajasDialogo::Estandar(this);
    PreguntarValor = [this](const Pregunta& p) -> std::optional<std::string> {
        TfmInput* input = principal_.Input();
        if (!input) return std::nullopt;
        // The prompt belongs to the main window: brought over this one, on
        // top of it, once it shows.
        QTimer::singleShot(0, input, [this, input] {
            QRect r = input->frameGeometry();
            r.moveCenter(frameGeometry().center());
            input->move(r.topLeft());
            input->raise();
            input->activateWindow();
        });
        return input->Preguntar(p);
    };

    disposicion_ = new QVBoxLayout(this);
    disposicion_->setContentsMargins(6, 6, 6, 6);
    disposicion_->setSpacing(4);

    caja = new TComboExpr(this);
    caja->setObjectName("caja");
    caja->Atajos = atajos;
    caja->FileName = historia;
    caja->CargarHistoria();
    caja->SetTexto(kTextoInicial);
    caja->setToolTip(Consejo(ayuda));
    caja->installEventFilter(this);
    caja->lineEdit()->installEventFilter(this);
    connect(caja, &TComboExpr::Intro, this, [this] { Calcular(); });
    disposicion_->addWidget(caja);

    pbMeta = new TVistaFormula(this);
    pbMeta->setObjectName("pbMeta");
    pbMeta->setMinimumHeight(40);
    pbMeta->setAutoFillBackground(true);
    disposicion_->addWidget(pbMeta, 1);
    menuFormula = new TMenuFormula(pbMeta, this);
    menuFormula->Dibujo = [this]() -> const LienzoGrabado* { return dibujo_ ? &*dibujo_ : nullptr; };
    menuFormula->Disponible = [this] { return !evaluando_; };
    menuFormula->Informar = [this](const QString& texto) { Cajas.Avisar(windowTitle(), texto); };
}

void TfmModo::Recibir(const std::string& expresion) {
    if (evaluando_) return;
    caja->SetTexto(QString::fromStdString(expresion));
    Calcular();
}

void TfmModo::GuardarHistoria() {
    try {
        caja->GuardarHistoria();
    } catch (const std::exception& e) {
        Cajas.Avisar(windowTitle(), QString::fromUtf8(e.what()));
    }
}

void TfmModo::AplicarColores() {
    colores_ = principal_.Pintados();
    const ColoresPintados& c = colores_;
    QPalette p = palette();
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::ButtonText}) p.setColor(r, QColorDe(c.TintaBanda));
    p.setColor(QPalette::Button, QColorDe(TColGrad(c.BandaLuz, 2, c.BandaSombra).Color(1)));
    p.setColor(QPalette::Base, QColorDe(c.Caja));
    p.setColor(QPalette::Text, QColorDe(c.TintaCaja));
    setPalette(p);
    QPalette f = pbMeta->palette();
    f.setColor(QPalette::Window, QColorDe(c.Fondo));
    f.setColor(QPalette::Base, QColorDe(c.Fondo));
    f.setColor(QPalette::WindowText, QColorDe(c.TintaFondo));
    pbMeta->setPalette(f);
    pbMeta->PonerTinta(QColorDe(c.TintaFondo));
    ColoresPropios(c);
    update();
}

void TfmModo::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    PintarGradiente(p, rect(), QColorDe(colores_.BandaLuz), QColorDe(colores_.BandaSombra), true);
    p.end();
    TFormMX::paintEvent(e);
}

void TfmModo::showEvent(QShowEvent* e) {
    TFormMX::showEvent(e);
    // Ready to type over: the box has the focus, its text selected.
    caja->setFocus();
    caja->lineEdit()->selectAll();
}

bool TfmModo::eventFilter(QObject* o, QEvent* e) {
    if (evaluando_) {
        // While evaluating, the window takes only Escape (cancel); the
        // prompt, another window, goes on.
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->window() != this) return false;
        switch (e->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) cancelar_ = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu: return true;
        default: return false;
        }
    }
    if ((o == caja || o == caja->lineEdit()) && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier && !TfmAutoComp::Instancia().Abierta() &&
            !caja->view()->isVisible()) {
            if (caja->Texto().isEmpty()) close();
            else caja->SetTexto(QString());
            return true;
        }
    }
    return TFormMX::eventFilter(o, e);
}

bool TfmModo::Empezar() {
    if (evaluando_) return false;
    evaluando_ = true;
    cancelar_ = false;
    sondeo_.invalidate();
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return true;
}

void TfmModo::Terminar() {
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    evaluando_ = false;
    cancelar_ = false;
}

bool TfmModo::Sondear() {
    // The engine polls often; the window answers a few times a second, so
    // Escape and repaints get through while it computes.
    if (!sondeo_.isValid() || sondeo_.elapsed() >= 40) {
        sondeo_.restart();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return cancelar_;
}

void TfmModo::Avisar(const std::string& mensaje, bool cancelado) {
    if (cancelado || mensaje.empty()) return;
    Cajas.Avisar(windowTitle(), QString::fromStdString(mensaje));
}

void TfmModo::PonerDibujo(std::optional<LienzoGrabado> dibujo) {
    dibujo_ = std::move(dibujo);
    pbMeta->PonerDibujo(dibujo_);
}

void TfmModo::AlHistorial(const QString& texto) {
    if (texto.isEmpty() || (caja->count() > 0 && caja->itemText(0) == texto)) return;
    caja->AgregarHistoria(texto);
}

}  // namespace numbrix
