#pragma once
// TfmInput: the one value prompt of the program. Each question brings its
// caption, label, offered text, completion names, history file, shortcut
// table and validator; the prompt asks again, saying why, while the
// validator refuses the answer. The main window's prompt variables
// ("Indique el valor de la variable a") are one use of it, the tools'
// questions for a fraction, a complex number or a matrix size others.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "shell/SesionModo.h"
#include "shell/ValidadorPregunta.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"

class QLabel;

namespace numbrix {

struct Pregunta {
    QString Titulo;
    QString Etiqueta = "Utilice cualquier expresión evaluable:";
    QString Propuesto;              // offered, all of it selected
    QString Error;                  // an earlier answer's refusal, shown before asking
    ValidadorPregunta Validador;    // none: any text is taken
    TfmAutoComp::Fuente Fuente;     // the names to complete; none: no list
    std::filesystem::path Historia; // the history file; empty: none kept
    TablaAtajos Atajos = kAtajosPrincipal;
    int Ayuda = 20;                 // help topic of F1
};

class TfmInput : public QDialog {
    Q_OBJECT
public:
    explicit TfmInput(QWidget* padre = nullptr);

    // The answer the validator took, or nothing when the user cancelled.
    std::optional<std::string> Preguntar(const Pregunta& p);

    // Shows why an answer was refused (a warning box unless replaced).
    std::function<void(const QString& motivo)> Avisar;

    TComboExpr* Texto() const { return texto_; }
    QLabel* Etiqueta() const { return etiqueta_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Historia(const std::filesystem::path& archivo);

    TComboExpr* texto_;
    QLabel* etiqueta_;
    int ayuda_ = 20;
};

// A session's prompt variables asked through `input`, completing over the
// session's auxiliary engine (which then evaluates the answer).
template <class D>
Preguntador PreguntadorDe(TfmInput& input, TSesionModo<D>& sesion) {
    return [&input, &sesion](char letra, const std::string& propuesto, const std::string& error) {
        Pregunta p;
        p.Titulo = QString::fromStdString(TituloPregunta(letra));
        p.Propuesto = QString::fromStdString(propuesto);
        p.Error = QString::fromStdString(error);
        p.Fuente = [&sesion] { return EntradasDe(sesion.Auxiliar()); };
        RespuestaPregunta r;
        if (std::optional<std::string> t = input.Preguntar(p)) {
            r.accion = RespuestaPregunta::Responder;
            r.texto = std::move(*t);
        }
        return r;
    };
}

}  // namespace numbrix
