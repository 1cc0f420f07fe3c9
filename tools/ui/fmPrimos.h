#pragma once
// The primes window: one number, five operations. Primality, factors and
// divisors answer at once; the n-th prime and the range listings run as jobs
// on the tool's own bar and status label, Escape or «Cancelar» asking first.
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "shell/ui/fmComun.h"
#include "support/basicos.h"
#include "support/ui/FormMX.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace numbrix {

class TEjecutorTrabajo;
class TfrmCalcu;
struct LineasPrimos;

class TfmPrimos : public TFormMX {
    Q_OBJECT
public:
    explicit TfmPrimos(std::filesystem::path carpetaDatos, QWidget* padre = nullptr);
    ~TfmPrimos() override;

    // Replaceable, so tests answer without a modal box.
    CajasDialogo Cajas;
    std::function<void(const std::filesystem::path&)> AbrirArchivo;

    void EsPrimo();
    void Factores();
    void Divisores();
    void Enesimo();
    void Entre();

    TEjecutorTrabajo& Ejecutor() { return *ejecutor_; }
    void AplicarColores(const ColoresVentana& c);

    QLineEdit* caja;
    QPushButton *btEsPrimo, *btFactores, *btDivisores, *btEnesimo, *btEntre;
    QPlainTextEdit* memo;
    QProgressBar* barra;
    QLabel *lbCuenta, *lbTiempo, *lbEstado;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // What a listing to the memo has handed and the memo has not shown yet.
    struct Pendiente {
        std::mutex m;
        std::string texto;
    };
    void Preparar();
    void Terminar(std::uint64_t cuenta);
    void Cancelado();
    void Mostrar(const LineasPrimos& l);
    bool Leer(int op, std::uint64_t& n);
    void Vaciar();
    void ListarEnMemo(std::uint64_t lo, std::uint64_t hi);
    void ListarEnArchivo(std::uint64_t lo, std::uint64_t hi);
    void Ocupado(bool si);

    std::filesystem::path carpeta_;
    TEjecutorTrabajo* ejecutor_;
    TCronometro crono_;
    QTimer* vaciado_;
    std::shared_ptr<Pendiente> pendiente_;
};

// Registers the window with the main window's tools.
void ConectarPrimos(TfrmCalcu& principal);

}  // namespace numbrix
