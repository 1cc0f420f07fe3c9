// The polynomial window over the main window: the prompts, their Cancel,
// the refused inputs and the keys of the boxes.
#include "tools/ui/fmPoli.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include "shell/ui/ComboExpr.h"
#include "shell/ui/Ventanas.h"

namespace numbrix {
namespace {

class VentanaPoli : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        RegistrarPolinomios(*ventana_);
        ventana_->MostrarHerramienta("Polinomios", true);
        w_ = static_cast<TfmPoli*>(ventana_->VentanaHerramienta("Polinomios"));
        w_->Cajas = r_.Cajas();
        w_->PreguntarValor = [this](const Pregunta& p) -> std::optional<std::string> {
            titulos_ << p.Titulo + "|" + p.Etiqueta;
            return valor_;
        };
    }
    std::string Memo() const { return (w_->lbTitulo->text() + "=" + w_->memo->toPlainText()).toStdString(); }
    TfmPoli* w_;
    prueba::Respuestas r_;
    QStringList titulos_;
    std::optional<std::string> valor_;
};

TEST_F(VentanaPoli, CancelarNoCambiaNada) {
    w_->cbP->SetTexto("x^2-1");
    w_->cbQ->SetTexto("x-1");
    w_->Division();
    const std::string antes = Memo();
    EXPECT_EQ(antes, "P(x)/Q(x)=Cociente: x +1\nResto: 0");
    w_->Evaluar();
    w_->Ruffini();
    w_->Generar();
    EXPECT_EQ(Memo(), antes);
    EXPECT_EQ(titulos_, QStringList({"Ingrese el valor para x|Puede ser un número racional o complejo",
                                     "Ingrese una valor para Ruffini|Debe ser un número racional"}));
    valor_ = " 1|1001 ";
    w_->cbP->SetTexto("x^2");
    w_->Evaluar();
    EXPECT_EQ(Memo(), "P(1|1001)=1|1002001  (9.98002996004994e-07)");
    valor_ = "i";
    w_->Evaluar();
    EXPECT_EQ(Memo(), "P(i)=-1");
    r_.texto = "1,-1";
    w_->Generar();
    EXPECT_EQ(Memo(), "Polinomio con raíces: 1,-1=x^2 -1");
}

TEST_F(VentanaPoli, EntradasRechazadasYTeclas) {
    for (const char* t : {"", "x++1", "x256", "2y", "x2.5", "2^3x", "x^-2"}) {
        w_->cbP->SetTexto(t);
        w_->Raices();
    }
    EXPECT_EQ(r_.avisos.size(), 7);
    EXPECT_EQ(w_->memo->toPlainText(), "");
    r_.texto = "1,,2";
    w_->Generar();
    EXPECT_EQ(r_.avisos.back(), "\"1,,2\" no es un valor racional valido");
    w_->cbP->SetTexto("");
    w_->cbP->lineEdit()->setFocus();
    for (const char* k : {"1", "|", "2", "X", "^", "2", "y", "+", "3"})
        prueba::Tecla(w_->cbP->lineEdit(), Qt::Key_unknown, Qt::NoModifier, k);
    EXPECT_EQ(w_->cbP->Texto(), "1|2x^2+3");
    prueba::Tecla(w_->cbP->lineEdit(), Qt::Key_R, Qt::NoModifier, "r");
    EXPECT_EQ(w_->cbP->Texto(), "1|2x^2 +3");
    EXPECT_EQ(w_->lbTitulo->text(), "Raíces de P(x)=0");
}

}  // namespace
}  // namespace numbrix
