#pragma once
// Runs a core job (support/Trabajo.h) on a thread of its own while the
// windows stay responsive: a progress window (bar, text, «Cancelar», Escape)
// or the tool's own bar and label show how far it got, and what it produced
// is applied on the GUI thread once it returned. A cancelled or failed job
// changes nothing unless the tool keeps partial results.
//
// The job must work on its own copy of the data (captured by value or in a
// shared_ptr): only the Aplicar callback, on the GUI thread, touches windows.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

#include "support/Trabajo.h"

class QDialog;
class QLabel;
class QMessageBox;
class QProgressBar;
class QTimer;
class QWidget;

namespace numbrix {

struct OpcionesTrabajo {
    QString titulo{};                  // of the progress window; the application's name when empty
    bool conservarParcial = false;     // apply what a cancelled or failed job produced
    bool preguntarAlCancelar = false;  // «¿Cancela este proceso?» first; the job waits meanwhile
    // The tool's own bar and label instead of the progress window (either may
    // be null); Escape in the bar's window then cancels. The bar shows only
    // while the job runs.
    QProgressBar* barra = nullptr;
    QLabel* etiqueta = nullptr;
};

class TEjecutorTrabajo : public QObject {
    Q_OBJECT
public:
    // Called on the GUI thread once the job returned: after it finished, and
    // after a cancel or a failure only with conservarParcial.
    using Aplicar = std::function<void(const ResultadoTrabajo&)>;

    explicit TEjecutorTrabajo(QWidget* ventana, OpcionesTrabajo opciones = {});
    // Cancels a job still running and waits for it, applying nothing: what
    // it would apply to may be gone.
    ~TEjecutorTrabajo() override;

    // Starts the job; false (and nothing done) while another one runs.
    bool Ejecutar(Trabajo trabajo, Aplicar aplicar);
    bool EnCurso() const { return estado_ != nullptr; }
    // The user's cancel («Cancelar», Escape): asks first when so chosen.
    void PedirCancelar();
    // Cancels without asking, waits for the job and ends it here as after
    // any cancel (the partial result applied when so chosen).
    void CancelarYEsperar();

    // What is showing, for the tool and its tests (null when nothing is).
    QDialog* Ventana() const;
    QMessageBox* Pregunta() const;
    TTrabajo* TrabajoActual();

    // Every runner of the program: cancels every running job, then waits for
    // each and ends it as CancelarYEsperar does. The main window calls it
    // when the program quits.
    static void CancelarTodos();

signals:
    void Terminado(numbrix::FinTrabajo fin);  // after Aplicar

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    struct Estado;
    void Terminar(const std::shared_ptr<Estado>& e);
    void Refrescar();
    void CerrarPregunta();

    QPointer<QWidget> ventana_;
    OpcionesTrabajo opciones_;
    std::shared_ptr<Estado> estado_;
    std::thread hilo_;
    Aplicar aplicar_;
    QTimer* reloj_ = nullptr;
    QPointer<QDialog> dialogo_;  // a child of the tool's window, which may delete it first
    QProgressBar* barraDialogo_ = nullptr;
    QLabel* etiquetaDialogo_ = nullptr;
    QPointer<QWidget> escapeEn_;  // the tool's window whose Escape cancels (own bar)
    QPointer<QMessageBox> pregunta_;
    int ticks_ = 0;
};

}  // namespace numbrix
