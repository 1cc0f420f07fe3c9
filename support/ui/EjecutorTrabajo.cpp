#include "support/ui/EjecutorTrabajo.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <vector>

namespace numbrix {

namespace {

constexpr int kEscala = 1000;      // bar steps
constexpr int kRefrescoMs = 50;    // progress read this often
constexpr int kTicksVentana = 4;   // a job this short shows no window

// Every runner alive; touched on the GUI thread only.
std::vector<TEjecutorTrabajo*>& Ejecutores() {
    static std::vector<TEjecutorTrabajo*> v;
    return v;
}

// The progress window: Escape and the title bar's close ask to cancel
// instead of hiding it.
class VentanaProgreso : public QDialog {
public:
    VentanaProgreso(QWidget* padre, std::function<void()> cancelar)
        : QDialog(padre, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
          cancelar_(std::move(cancelar)) {}
    void reject() override { cancelar_(); }

private:
    std::function<void()> cancelar_;
};

}  // namespace

struct TEjecutorTrabajo::Estado {
    TTrabajo trabajo;
    ResultadoTrabajo resultado;
    std::atomic<bool> listo{false};
};

TEjecutorTrabajo::TEjecutorTrabajo(QWidget* ventana, OpcionesTrabajo opciones)
    : QObject(ventana), ventana_(ventana), opciones_(std::move(opciones)) {
    Ejecutores().push_back(this);
    reloj_ = new QTimer(this);
    reloj_->setInterval(kRefrescoMs);
    connect(reloj_, &QTimer::timeout, this, &TEjecutorTrabajo::Refrescar);
}

TEjecutorTrabajo::~TEjecutorTrabajo() {
    auto& v = Ejecutores();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    aplicar_ = nullptr;
    if (estado_) estado_->trabajo.Cancelar();
    if (hilo_.joinable()) hilo_.join();
    CerrarPregunta();
    delete dialogo_.data();
}

QDialog* TEjecutorTrabajo::Ventana() const { return dialogo_.data(); }

QMessageBox* TEjecutorTrabajo::Pregunta() const { return pregunta_.data(); }

TTrabajo* TEjecutorTrabajo::TrabajoActual() { return estado_ ? &estado_->trabajo : nullptr; }

bool TEjecutorTrabajo::Ejecutar(Trabajo trabajo, Aplicar aplicar) {
    if (estado_) return false;
    auto e = std::make_shared<Estado>();
    estado_ = e;
    aplicar_ = std::move(aplicar);
    ticks_ = 0;
    if (opciones_.barra) {
        opciones_.barra->setRange(0, kEscala);
        opciones_.barra->setValue(0);
        opciones_.barra->show();
    }
    if (opciones_.etiqueta) opciones_.etiqueta->clear();
    if (opciones_.barra || opciones_.etiqueta) {
        // Escape anywhere in the tool's window cancels, before the window's
        // own use of it (closing, clearing a box) while the job runs.
        escapeEn_ = opciones_.barra ? opciones_.barra->window() : opciones_.etiqueta->window();
        qApp->installEventFilter(this);
    } else {
        if (!dialogo_) {
            dialogo_ = new VentanaProgreso(ventana_, [this] { PedirCancelar(); });
            dialogo_->setWindowTitle(opciones_.titulo.isEmpty() ? QApplication::applicationDisplayName()
                                                                : opciones_.titulo);
            dialogo_->setModal(false);
            etiquetaDialogo_ = new QLabel(dialogo_);
            etiquetaDialogo_->setMinimumWidth(260);
            barraDialogo_ = new QProgressBar(dialogo_);
            barraDialogo_->setRange(0, kEscala);
            auto* cancelar = new QPushButton("Cancelar", dialogo_);
            connect(cancelar, &QPushButton::clicked, this, &TEjecutorTrabajo::PedirCancelar);
            auto* botones = new QHBoxLayout;
            botones->addStretch();
            botones->addWidget(cancelar);
            auto* capas = new QVBoxLayout(dialogo_);
            capas->addWidget(etiquetaDialogo_);
            capas->addWidget(barraDialogo_);
            capas->addLayout(botones);
        }
        barraDialogo_->setValue(0);
        etiquetaDialogo_->clear();
    }
    reloj_->start();
    hilo_ = std::thread([this, e, trabajo = std::move(trabajo)] {
        e->resultado = EjecutarTrabajo(trabajo, e->trabajo);
        e->listo = true;
        // Ended on the GUI thread; dropped if this runner is gone by then
        // (its destructor joined this thread first).
        QMetaObject::invokeMethod(this, [this, e] { Terminar(e); }, Qt::QueuedConnection);
    });
    return true;
}

void TEjecutorTrabajo::Refrescar() {
    if (!estado_) return;
    const AvanceTrabajo a = estado_->trabajo.Avance();
    const int valor = static_cast<int>(a.fraccion * kEscala + 0.5);
    const QString texto = QString::fromStdString(a.texto);
    if (dialogo_ && !opciones_.barra && !opciones_.etiqueta) {
        barraDialogo_->setValue(valor);
        if (etiquetaDialogo_->text() != texto) etiquetaDialogo_->setText(texto);
        if (++ticks_ == kTicksVentana) dialogo_->show();
    }
    if (opciones_.barra) opciones_.barra->setValue(valor);
    if (opciones_.etiqueta && opciones_.etiqueta->text() != texto) opciones_.etiqueta->setText(texto);
}

bool TEjecutorTrabajo::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    auto* w = qobject_cast<QWidget*>(o);
    if (!estado_ || !escapeEn_ || !w || w->window() != escapeEn_ || k->key() != Qt::Key_Escape ||
        k->modifiers() != Qt::NoModifier)
        return false;
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();  // no shortcut takes it: it comes back as a key press
        return false;
    }
    PedirCancelar();
    return true;
}

void TEjecutorTrabajo::PedirCancelar() {
    if (!estado_ || estado_->trabajo.Cancelado() || pregunta_) return;
    if (!opciones_.preguntarAlCancelar) {
        estado_->trabajo.Cancelar();
        return;
    }
    // The job waits at its next poll while the user decides.
    estado_->trabajo.Pausar();
    QWidget* padre = dialogo_ && dialogo_->isVisible() ? static_cast<QWidget*>(dialogo_.data()) : ventana_.data();
    pregunta_ = new QMessageBox(QMessageBox::Question, "Cancelar", "¿Cancela este proceso?", QMessageBox::NoButton,
                                padre);
    QPushButton* si = pregunta_->addButton("Sí", QMessageBox::YesRole);
    QPushButton* no = pregunta_->addButton("No", QMessageBox::NoRole);
    pregunta_->setDefaultButton(no);
    pregunta_->setEscapeButton(no);
    pregunta_->setAttribute(Qt::WA_DeleteOnClose);
    auto e = estado_;
    connect(pregunta_, &QMessageBox::buttonClicked, this, [this, e, si](QAbstractButton* b) {
        pregunta_ = nullptr;  // answered: a new request may ask again
        if (b == si) e->trabajo.Cancelar();
        else e->trabajo.Reanudar();
    });
    pregunta_->open();
}

void TEjecutorTrabajo::CerrarPregunta() {
    if (!pregunta_) return;
    QMessageBox* p = pregunta_;
    pregunta_ = nullptr;
    p->disconnect(this);
    p->close();
}

void TEjecutorTrabajo::CancelarYEsperar() {
    if (!estado_) return;
    auto e = estado_;
    e->trabajo.Cancelar();
    if (hilo_.joinable()) hilo_.join();
    Terminar(e);
}

void TEjecutorTrabajo::CancelarTodos() {
    const std::vector<TEjecutorTrabajo*> todos = Ejecutores();
    // All asked first, so they wind down together.
    for (TEjecutorTrabajo* x : todos)
        if (x->estado_) x->estado_->trabajo.Cancelar();
    for (TEjecutorTrabajo* x : todos) {
        auto& v = Ejecutores();
        if (std::find(v.begin(), v.end(), x) != v.end()) x->CancelarYEsperar();
    }
}

void TEjecutorTrabajo::Terminar(const std::shared_ptr<Estado>& e) {
    if (e != estado_ || !e->listo) return;  // ended already (CancelarYEsperar)
    if (hilo_.joinable()) hilo_.join();
    estado_.reset();
    reloj_->stop();
    CerrarPregunta();
    if (escapeEn_) qApp->removeEventFilter(this);
    escapeEn_ = nullptr;
    if (dialogo_) dialogo_->hide();
    const ResultadoTrabajo r = e->resultado;
    Aplicar aplicar = std::move(aplicar_);
    aplicar_ = nullptr;
    if (opciones_.barra) opciones_.barra->hide();
    if (aplicar && (r.fin == FinTrabajo::Terminado || opciones_.conservarParcial)) aplicar(r);
    if (r.fin == FinTrabajo::Fallido) {
        // Not waited for: the program may be quitting.
        auto* aviso = new QMessageBox(QMessageBox::Warning, opciones_.titulo.isEmpty()
                                                                ? QApplication::applicationDisplayName()
                                                                : opciones_.titulo,
                                      QString::fromStdString(r.error), QMessageBox::Ok, ventana_.data());
        aviso->setAttribute(Qt::WA_DeleteOnClose);
        aviso->button(QMessageBox::Ok)->setText("Aceptar");
        aviso->open();
    }
    emit Terminado(r.fin);
}

}  // namespace numbrix
