#pragma once
// The polynomial window: P(x) and Q(x) typed in two boxes, every operation
// a button (and a key in the boxes), the answer as text in the memo that
// can be typed or pasted back.
#include <functional>
#include <optional>
#include <string>

#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "support/ui/FormMX.h"
#include "tools/Poli.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace numbrix {

class TComboExpr;
class TfrmCalcu;

class TfmPoli : public TFormMX {
    Q_OBJECT
public:
    explicit TfmPoli(TfrmCalcu& principal, QWidget* padre = nullptr);

    // Replaceable, so tests answer without a modal box.
    CajasDialogo Cajas;
    std::function<std::optional<std::string>(const Pregunta&)> PreguntarValor;
    std::function<void()> Ayuda;

    void Suma();
    void Resta();
    void Producto();
    void Division();
    void Evaluar();
    void Derivada();
    void Integral();
    void Ruffini();
    void Raices();
    void Generar();
    void Intercambiar();
    void GuardarHistoria();
    void AplicarColores(const ColoresVentana& c);

    TComboExpr *cbP, *cbQ;
    QLabel* lbTitulo;
    QPlainTextEdit* memo;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    AjustesFraccion Fraccion() const;
    // Parses the box and writes it back normalised; false after showing why.
    bool Leer(TComboExpr* cb, TPoli& p);
    void Mostrar(const QString& titulo, const std::string& texto);
    // Runs `op`, showing a failure's message instead of a result.
    void Intentar(const std::function<void()>& op);

    TfrmCalcu& principal_;
};

// Registers the window with the main window's tools.
void RegistrarPolinomios(TfrmCalcu& principal);

}  // namespace numbrix
