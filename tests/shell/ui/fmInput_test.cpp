// The general prompt: asked again while its validator refuses, each refusal
// shown; its history file, its label and its box's shortcuts per question.
#include "shell/ui/fmInput.h"

#include <QLineEdit>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ventanas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

// Answers each showing of the prompt with the next text (typed, then Enter),
// or cancels on nullopt; records what the prompt offered and said.
class InputContestado : public TfmInput {
public:
    InputContestado() { Avisar = [this](const QString& m) { avisos << m; }; }
    std::deque<std::optional<QString>> respuestas;
    QStringList ofrecidos, avisos, titulos;

protected:
    void showEvent(QShowEvent* e) override {
        TfmInput::showEvent(e);
        QTimer::singleShot(0, this, [this] {
            ofrecidos << Texto()->lineEdit()->selectedText();
            titulos << windowTitle();
            std::optional<QString> r = respuestas.empty() ? std::nullopt : respuestas.front();
            if (!respuestas.empty()) respuestas.pop_front();
            if (!r) return reject();
            Texto()->SetTexto("");
            prueba::Escribir(Texto(), *r + "\r");
        });
    }
};

using Prompt = CarpetaTemporal;

TEST_F(Prompt, AsksAgainWithTheReasonUntilTheValidatorTakesTheAnswer) {
    prueba::AplicacionQt();
    InputContestado input;
    TFrac f;
    Pregunta p;
    p.Titulo = "Fracción";
    p.Propuesto = "1|2";
    p.Error = "antes";
    p.Validador = ValidadorFraccion({}, &f);
    p.Historia = dir_ / "expq.lst";
    p.Atajos = kAtajosFraccion;
    input.respuestas = {"x", "", "3//4"};
    EXPECT_EQ(input.Preguntar(p), "3|4");  // the box's table wrote the bar
    EXPECT_EQ(f, TFrac(3, 4));
    EXPECT_EQ(input.ofrecidos, QStringList({"1|2", "x", ""}));  // a refused text comes back
    EXPECT_EQ(input.avisos, QStringList({"antes", "x no es un valor racional valido", "Falta Expresión"}));
    // The history is kept in its file and offered to the next question.
    InputContestado otro;
    otro.respuestas = {std::nullopt};
    EXPECT_EQ(otro.Preguntar(p), std::nullopt);
    ASSERT_EQ(otro.Texto()->count(), 1);
    EXPECT_EQ(otro.Texto()->itemText(0).toStdString(), "3|4");
}

TEST_F(Prompt, AnAnswerThatAsksForAVariableThroughTheSameWindow) {
    prueba::AplicacionQt();
    TSesion s;
    InputContestado input;
    s.Preguntar = PreguntadorDe(input, s);
    Pregunta p;
    p.Titulo = "Tamaño";
    long double valor = 0;
    p.Validador = ValidadorSesion(s, &valor);
    // x/0 asks for x (2+ refused by the session, then 4) and is refused:
    // the tool's question comes back whole; x is asked afresh.
    input.respuestas = {"x/0", "2+", "4", "x-1", "4"};
    EXPECT_EQ(input.Preguntar(p), "x-1");
    EXPECT_EQ(valor, 3);
    const QString x = "Indique el valor de la variable x";
    EXPECT_EQ(input.titulos, QStringList({"Tamaño", x, x, "Tamaño", x}));
    EXPECT_EQ(input.ofrecidos, QStringList({"", "1", "2+", "x/0", "4"}));
    EXPECT_EQ(input.avisos.size(), 2);
}

}  // namespace
}  // namespace numbrix
