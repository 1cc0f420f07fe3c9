#pragma once
// TfmModo: what the fraction and complex windows share. An expression box
// with its own history file over a formula view with the formula menu; the
// box's Escape (clears, then closes), the scheme's colours, the prompt
// variables asked through the program's value prompt, the cancel poll while
// evaluating, and the expression the main window hands over.
#include <QElapsedTimer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "numbers/DiagramaC.h"
#include "numbers/DiagramaQ.h"
#include "shell/Esquemas.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "support/ui/FormMX.h"
#include "support/ui/LienzoQt.h"

class QVBoxLayout;

namespace numbrix {

class TfrmCalcu;
class TMenuFormula;
class TVistaFormula;

class TfmModo : public TFormMX {
    Q_OBJECT
public:
    static constexpr const char* kTextoInicial = "{Ingrese aquí una expresión para evaluar}";

    TfmModo(TfrmCalcu& principal, const QString& titulo, const std::filesystem::path& historia, TablaAtajos atajos,
            const QString& ayuda);

    // Evaluates the box's expression and shows every form of its result.
    virtual void Calcular() = 0;
    // The main window hands over an expression: it goes in the box and is
    // evaluated.
    void Recibir(const std::string& expresion);
    // The history file, before the settings are written.
    void GuardarHistoria();
    // The scheme of the main window, painted again.
    void AplicarColores();
    bool Evaluando() const { return evaluando_; }

    // Messages, and the value prompt (replaceable, so tests answer them).
    CajasDialogo Cajas;
    std::function<std::optional<std::string>(const Pregunta&)> PreguntarValor;

    TComboExpr* caja = nullptr;
    TVistaFormula* pbMeta = nullptr;
    TMenuFormula* menuFormula = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    virtual void ColoresPropios(const ColoresPintados&) {}
    QVBoxLayout* Disposicion() const { return disposicion_; }
    TfrmCalcu& Principal() const { return principal_; }

    // The session's prompts and cancel poll go through this window.
    template <class D>
    void Conectar(TSesionModo<D>& s, TablaAtajos atajos) {
        s.Preguntar = [this, &s, atajos](char letra, const std::string& propuesto, const std::string& error) {
            Pregunta p;
            p.Titulo = QString(QChar(letra));
            p.Propuesto = QString::fromStdString(propuesto);
            p.Error = QString::fromStdString(error);
            p.Fuente = [&s] { return EntradasDe(s.Auxiliar()); };
            p.Atajos = atajos;
            RespuestaPregunta r;
            if (std::optional<std::string> t = PreguntarValor(p)) {
                r.accion = RespuestaPregunta::Responder;
                r.texto = std::move(*t);
            }
            return r;
        };
        s.Cancelar = [this] { return Sondear(); };
        caja->PonerFuente([&s] { return EntradasDe(s.Principal()); });
    }
    // Around one evaluation: the window takes no other input meanwhile.
    bool Empezar();
    void Terminar();
    // After a calculation: its text to the top of the history when it
    // succeeded, the formula drawn when it compiled (else none).
    template <class D>
    void Mostrar(TExpresion<D>& motor, bool exito) {
        std::optional<LienzoGrabado> dibujo;
        if (motor.Arbol) {
            try {
                dibujo = Metarchivo(motor, std::make_shared<MetricasQt>());
            } catch (const std::exception&) {
                dibujo.reset();  // a picture that cannot be laid out is not drawn
            }
        }
        PonerDibujo(std::move(dibujo));
        if (exito) AlHistorial(caja->Texto());
    }
    // What the failure says, unless the user cancelled it.
    void Avisar(const std::string& mensaje, bool cancelado);

private:
    bool Sondear();
    void PonerDibujo(std::optional<LienzoGrabado> dibujo);
    void AlHistorial(const QString& texto);

    TfrmCalcu& principal_;
    QVBoxLayout* disposicion_ = nullptr;
    ColoresPintados colores_;
    std::optional<LienzoGrabado> dibujo_;
    bool evaluando_ = false;
    bool cancelar_ = false;
    QElapsedTimer sondeo_;
};

}  // namespace numbrix
