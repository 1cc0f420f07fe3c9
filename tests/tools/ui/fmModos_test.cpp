// The fraction and complex windows over the main window: what each box
// shows, what the stored settings become, the prompts and the hooks.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "shell/ui/Ventanas.h"
#include "tools/ui/HerramientasNumeros.h"
#include "tools/ui/fmComplex.h"
#include "tools/ui/fmFraccion.h"
#include "support/ui/MenuFormula.h"

namespace numbrix {
namespace {

class VentanasModo : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        RegistrarFracciones(*ventana_);
        RegistrarComplejos(*ventana_);
    }
    template <class V>
    V* Ventana(const char* nombre) {
        ventana_->MostrarHerramienta(nombre, true);
        auto* w = static_cast<V*>(ventana_->VentanaHerramienta(nombre));
        w->Cajas = respuestas_.Cajas();
        w->PreguntarValor = [this](const Pregunta& p) -> std::optional<std::string> {
            preguntas_ << p.Titulo + "|" + p.Propuesto;
            if (respuestasPrompt_.isEmpty()) return std::nullopt;
            return respuestasPrompt_.takeFirst().toStdString();
        };
        return w;
    }
    TfmFraccion* Fraccion() { return Ventana<TfmFraccion>("Fracciones"); }
    TfmComplex* Complejo() { return Ventana<TfmComplex>("Complejos"); }
    static void Evaluar(TfmModo* w, const QString& expresion) {
        w->caja->SetTexto(expresion);
        prueba::Tecla(w->caja, Qt::Key_Return, Qt::NoModifier, "\r");
    }
    static QString Ver(const TfmFraccion* f) {
        return f->Label2->text() + " " + f->Edit2->text() + " " + f->Edit3->text();
    }
    static QString Ver(const TfmComplex* c) {
        return c->Edit2->text() + " " + c->Edit3->text() + " " + c->Edit4->text();
    }

    prueba::Respuestas respuestas_;
    QStringList respuestasPrompt_;  // the prompt's answers in order; none left: cancelled
};

TEST_F(VentanasModo, LaCajaDeFraccionesEscribeSusAtajos) {
    auto* f = Fraccion();  // the fraction table (tests/shell/ui/ComboExpr_test.cpp), not the main one
    prueba::Escribir(f->caja, "3--2..4//5");
    EXPECT_EQ(f->caja->Texto(), "3--2|4|5");
}

TEST_F(VentanasModo, ElDenominadorMaximoConvierteLosDecimales) {
    auto* f = Fraccion();
    for (auto [maximo, fraccion] : {std::pair{"10", "1 | 3"}, {"10000", "3333 | 10000"}}) {
        f->ComboBox1->setCurrentText(maximo);
        prueba::Tecla(f->ComboBox1->lineEdit(), Qt::Key_Return, Qt::NoModifier, "\r");
        Evaluar(f, "0.3333");
        EXPECT_EQ(f->Edit2->text(), fraccion) << maximo;
    }
    // A choice from the list recalculates at once.
    f->ComboBox1->setCurrentIndex(0);
    emit f->ComboBox1->activated(0);
    EXPECT_EQ(f->Edit2->text(), "1 | 3");
    f->Guardar();
    EXPECT_EQ(sesion_->Ajustes.FracDenominadorDec, 10);
}

TEST_F(VentanasModo, UnDenominadorMaximoInvalidoNoSeGuarda) {
    sesion_->Ajustes.FracDenominadorDec = 0;  // as a hand-edited file could hold it
    auto* f = Fraccion();
    EXPECT_EQ(f->ComboBox1->currentText(), "1000");
    for (const char* malo : {"0", "", "99999999999", "1e3"}) {
        f->ComboBox1->setCurrentText(malo);
        prueba::Tecla(f->ComboBox1->lineEdit(), Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(f->ComboBox1->currentText(), "1000") << malo;
        f->Guardar();
        EXPECT_EQ(sesion_->Ajustes.FracDenominadorDec, 1000) << malo;
    }
    // Typed: digits only, six at most.
    f->ComboBox1->setCurrentText("");
    prueba::Escribir(f->ComboBox1->lineEdit(), "12e34567");
    EXPECT_EQ(f->ComboBox1->currentText(), "123456");
}

TEST_F(VentanasModo, FormatoMixtoYBarraDeDieciseisavos) {
    auto* f = Fraccion();
    f->resize(440, 200);
    f->show();
    Evaluar(f, "7|2");
    EXPECT_EQ(Ver(f), "3+ 7 | 2 3.5");
    f->sbEntero->click();  // recalculates
    EXPECT_EQ(Ver(f), "3+ 3 | 1 | 2 3.5");
    EXPECT_EQ(f->Regla->Parte(), 0.5L);
    EXPECT_NEAR(f->Regla->AnchoBarra(), f->Regla->width() / 2, 1);
    Evaluar(f, "-7|2");
    EXPECT_EQ(f->Regla->Parte(), 0.5L);
    f->Guardar();
    EXPECT_TRUE(sesion_->Ajustes.FracSepEntero);
}

TEST_F(VentanasModo, UnFalloNoDejaValoresViejos) {
    auto* f = Fraccion();
    Evaluar(f, "7|2");
    Evaluar(f, "1|0");
    EXPECT_EQ(Ver(f), " Error ");
    EXPECT_EQ(f->Regla->Parte(), 0.0L);
    EXPECT_EQ(respuestas_.avisos.size(), 1);
    auto* c = Complejo();
    Evaluar(c, "(1+i)^2");
    Evaluar(c, "1/0");
    EXPECT_EQ(Ver(c), "  ");
}

TEST_F(VentanasModo, PreguntasPorLasVariables) {
    auto* f = Fraccion();
    respuestasPrompt_ = {"3"};
    Evaluar(f, "x*x");  // asked once
    EXPECT_EQ(preguntas_, QStringList{"x|1"});
    EXPECT_EQ(f->Edit2->text(), "9");
    preguntas_.clear();
    respuestasPrompt_ = {"abc", "2"};
    Evaluar(f, "x*x");  // asked again after a failing answer, offering the last text
    EXPECT_EQ(preguntas_, (QStringList{"x|3", "x|abc"}));
    EXPECT_EQ(f->Edit2->text(), "4");
    EXPECT_EQ(f->caja->count(), 1);  // the repeated expression once
    Evaluar(f, "x+1");  // cancelled
    EXPECT_EQ(f->Edit2->text(), "Error");
    EXPECT_TRUE(respuestas_.avisos.isEmpty());
    EXPECT_EQ(f->caja->itemText(0), "x*x");
}

TEST_F(VentanasModo, ComplejosEnLaUnidadDeAnguloDeLaVentanaPrincipal) {
    ventana_->CambiarAngulo(Sexagesimales);
    auto* c = Complejo();
    Evaluar(c, "(1+i)^2");
    EXPECT_EQ(Ver(c), "2i 2 90");
    ventana_->CambiarAngulo(Radianes);
    EXPECT_EQ(Ver(c), "2i 2 1.5707963");
}

TEST_F(VentanasModo, EscapeBorraYLuegoCierra) {
    auto* c = Complejo();
    c->caja->SetTexto("1+i");
    prueba::Tecla(c->caja, Qt::Key_Escape);
    EXPECT_TRUE(c->isVisible() && c->caja->Texto().isEmpty());
    prueba::Tecla(c->caja, Qt::Key_Escape);
    EXPECT_FALSE(c->isVisible());
}

TEST_F(VentanasModo, LaRaizDeMenosUnoPasaAComplejos) {
    respuesta_ = true;  // Yes to «Parametro no válido»
    Calcular("Raiz(-1)");
    QApplication::processEvents();
    ASSERT_EQ(preguntas_.size(), 1);
    EXPECT_TRUE(preguntas_[0].startsWith("Parametro no válido|"));
    auto* c = static_cast<TfmComplex*>(ventana_->VentanaHerramienta("Complejos"));
    ASSERT_TRUE(c && c->isVisible());
    EXPECT_EQ(c->caja->Texto(), "Raiz(-1)");
    EXPECT_EQ(c->Edit2->text(), "i");
}

TEST_F(VentanasModo, LasDefinicionesQueFallanEnComplejosSeInformanJuntas) {
    Poner(dir_ / "real.duf",
          "[Constantes]\nBuena=2_una constante\nMala=Fact(3)_factorial\nOtra=3_tres\n"
          "[Funciones]\nDoble=2*?A_el doble\nConj=?A&?B_conjunción\nTriple=3*?A_el triple\n");
    Abrir();
    RegistrarComplejos(*ventana_);
    prueba::Respuestas r;
    TfmComplex c(*ventana_, r.Cajas());
    ASSERT_EQ(r.avisos.size(), 1);
    c.caja->SetTexto("Buena+Otra+Doble(i)+Triple(1)");
    c.Calcular();
    EXPECT_EQ(c.Edit2->text(), "8+2i");
}

}  // namespace
}  // namespace numbrix
