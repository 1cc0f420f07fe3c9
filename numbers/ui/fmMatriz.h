#pragma once
// TfmMatriz: the matrix calculator. Four grids (A, B, C and the read-only
// result R), a toolbar of operations over the active grid M, the rational
// and complex modes. Each operation runs as a job on copies of the grids
// (numbers/OperacionesMatriz.h) and its result is applied once it returned,
// so a cancelled or failed operation leaves every grid as it was. The
// program around it (prompt, boxes, help, settings) comes in EntornoMatriz.
#include <QColor>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "numbers/OperacionesMatriz.h"
#include "support/ui/FormMX.h"

class QLabel;
class QSpinBox;
class QSplitter;
class QToolBar;
class QToolButton;
class QAction;

namespace numbrix {

class TStringGridX;
class TEjecutorTrabajo;

struct AjustesMatriz {
    bool complejo = false;
    int pan1 = 240, pan2 = 240, pan3 = 160;  // widths of A's and C's panels, height of the upper row
};

struct EntornoMatriz {
    std::filesystem::path carpeta;  // where ga.gri ... gr.gri live
    // Read before every operation: decimal cells' maximum denominator.
    std::function<AjustesFraccion()> Fraccion;
    // The general prompt: nothing when cancelled.
    std::function<std::optional<std::string>(const QString& titulo, const std::string& propuesto)> PedirTexto;
    // Yes/No, No by default.
    std::function<bool(const QString& titulo, const QString& texto)> Preguntar;
    std::function<void(const QString& texto, IconoMatriz icono)> Avisar;
    std::function<void()> Ayuda;
};

struct ColoresMatriz {
    QColor luz, sombra, texto, resalte;
};

class TfmMatriz : public TFormMX {
    Q_OBJECT
public:
    TfmMatriz(EntornoMatriz entorno, AjustesMatriz ajustes, QWidget* padre = nullptr);
    ~TfmMatriz() override;

    AjustesMatriz Ajustes() const;
    // Writes every grid back to its file, except those refused at open.
    void GuardarRejillas();
    void AplicarColores(const ColoresMatriz& c);
    // As painted: the fixed cells' ink made readable on their gradient.
    const ColoresMatriz& Colores() const { return colores_; }

    // ---- the commands (public for the tests)
    // Starts the operation on M; false when another one runs or it was
    // refused before starting (a prompt cancelled, a text that does not compile).
    bool Operar(AccionMatriz accion, int operando = kMatrizA);
    void SetModo(bool complejo);
    bool Complejo() const { return ajustes_.complejo; }
    void AlternarFracciones();
    int ModoFraccion() const { return modoFraccion_; }
    void Activar(int indice);
    int Activa() const { return activa_; }
    // Exchanges two grids' sizes and contents (a drag from one onto the other).
    void Intercambiar(int a, int b);
    void Copiar();
    void Pegar();
    // Sets M's size, kept within 1..255.
    void Dimensionar(int columnas, int filas);
    bool HayResultadoGuardado() const { return guardado_.has_value(); }

    TStringGridX* Rejilla(int i) const { return rejillas_[static_cast<std::size_t>(i)]; }
    TEjecutorTrabajo* Ejecutor() const { return ejecutor_; }
    QString TextoEstado(int panel) const;
    QToolBar* Barra() const { return barra_; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void CrearComponentes();
    QToolButton* BotonOperando(const QString& signo, const QString& hint, AccionMatriz accion);
    void Aplicar(const ResultadoMatriz& r);
    void PonerTabla(int i, const TTablaTextos& t);
    void RefrescarEstado();
    void RefrescarActiva();
    void TintasSeleccion();
    void Avisar(const QString& t, IconoMatriz i);
    void CargarRejillas();

    EntornoMatriz entorno_;
    AjustesMatriz ajustes_;
    std::unique_ptr<TMotoresMatriz> motores_;
    std::array<TStringGridX*, 4> rejillas_{};
    std::array<bool, 4> noGuardar_{};  // refused at open: its file stays as it was
    QSplitter *vertical_ = nullptr, *arriba_ = nullptr, *abajo_ = nullptr;
    QToolBar* barra_ = nullptr;
    QAction* acModo_ = nullptr;
    QSpinBox *spColum_ = nullptr, *spFilas_ = nullptr;
    QLabel *estado_[3] = {};
    TEjecutorTrabajo* ejecutor_ = nullptr;
    ColoresMatriz colores_;
    int activa_ = kMatrizA;
    int modoFraccion_ = 0;
    std::optional<TMatriz> guardado_;  // the last rational result shown in R
    bool ajustando_ = false;
};

}  // namespace numbrix
