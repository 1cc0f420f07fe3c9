// The compiler and evaluator end to end: precedence by splitting, implicit
// products, percent, local definitions, comments, user functions, errors,
// caching, shared settings and solving.
#include <gtest/gtest.h>

#include <string>

#include "Aproximado.h"
#include "Ayudas.h"
#include "engine/CasosCompilador.h"

namespace numbrix {
namespace {

using prueba::MotorX;
constexpr long double kPi = PiExtendido;

TEST(Compilador, ValoresYSoluciones) { prueba::ComprobarValoresYSoluciones(); }

TEST(Compilador, ErroresConSuCodigoYMensajeYDespejar) {
    prueba::ComprobarErrores();
    // y does not depend on «?»: nothing to solve for.
    MotorX m;
    m.e.SetTexto("y=3");
    m.e.ResolverPara(m.incognita.get());
    EXPECT_EQ(m.e.Mensaje, "No se encuentra variable para despejar");
    // Solving leaves the compiled tree as it was.
    m.e.SetTexto("2*x+1=7");
    m.e.ResolverPara(m.x.get());
    m.x->AsignarValor(3);
    EXPECT_GT(m.e.Valor(), 0);
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::Igu);
}

TEST(Compilador, NombresLocalesYFallos) {
    MotorX m;
    m.Eval("SEN(0)");
    EXPECT_EQ(m.e.Arbol->Nombre, "sen");  // the name as registered
    m.Eval("SIN(0)");
    EXPECT_EQ(m.e.Arbol->Nombre, "sin");
    // A failure keeps the previous result.
    EXPECT_EQ(m.Eval("2+2"), 4);
    EXPECT_EQ(m.Eval("foo"), 4);
    EXPECT_TRUE(m.e.HayError);
    // Textual locals replace whole names only.
    EXPECT_EQ(ReemplazarNombre("sen(n)", "n", "5"), "sen(5)");
    EXPECT_EQ(ReemplazarNombre("1e5", "e", "3"), "1e5");
    EXPECT_EQ(ReemplazarNombre("f*f", "f", "x+1"), "(x+1)*(x+1)");
    EXPECT_EQ(ReemplazarNombre("2f", "F", "x+1"), "2*(x+1)");
    EXPECT_EQ(ReemplazarNombre("f(2)", "f", "x+1"), "(x+1)*(2)");
    EXPECT_EQ(ReemplazarNombre("s(30)", "s", "sen"), "sen(30)");
}

TEST(Compilador, FuncionesDeUsuario) {
    MotorX m;
    m.e.AgregarUsuario("Cubo", "?a^3", "cubo");
    int mn = 0, mx = 0;
    ASSERT_TRUE(m.e.AridadDe("CUBO", mn, mx));
    EXPECT_EQ(mn * 10 + mx, 11);
    EXPECT_EQ(m.Eval("Cubo(2)"), 8);
    EXPECT_EQ(m.e.Arbol->Nombre, "Cubo");
    EXPECT_THROW(m.e.AgregarUsuario("Malo", "?A+?C", ""), ECompilacion);
    EXPECT_THROW(m.e.AgregarUsuario("Malo2", "?1+2", ""), ECompilacion);
    // Without the wrapper the body is expanded in place.
    m.e.SinEnvoltura = true;
    EXPECT_EQ(m.Eval("Cubo(3)+0"), 27);
    // A function without parameters reads x anew at every evaluation.
    m.e.AgregarUsuario("Doble", "x*2", "");
    m.x->AsignarValor(1);
    EXPECT_EQ(m.Eval("Doble"), 2);
    m.x->AsignarValor(5);
    EXPECT_EQ(m.e.Valor(), 10);
}

TEST(Evaluacion, ReutilizaHastaQueCambiaUnaVariable) {
    MotorX m;
    int llamadas = 0;
    m.e.AgregarFuncion1("cuenta", [&](const ContextoX&, long double v) { ++llamadas; return v; }, {}, "");
    m.x->AsignarValor(2);
    m.Eval("cuenta(x)*3");
    EXPECT_EQ(m.e.Valor(), 6);
    EXPECT_EQ(llamadas, 1);
    m.x->AsignarValor(4);
    EXPECT_EQ(m.e.Valor(), 12);
    EXPECT_EQ(llamadas, 2);
    // Constant parts are computed while compiling, once.
    m.Eval("cuenta(2)+x");
    m.x->AsignarValor(1);
    m.e.Valor();
    EXPECT_EQ(llamadas, 3);
}

// Engines that share a session's settings compile what they folded again
// when a change is counted, each before its next evaluation.
TEST(Evaluacion, AjustesCompartidosRecompilanLoPlegado) {
    AjustesMotor<DominioReal> ajustes;
    TExpresionX a(&ajustes), b(&ajustes);
    for (TExpresionX* e : {&a, &b}) {
        e->SetPredefinidas(true);
        e->SetTexto("sin(30)");
    }
    EXPECT_CERCA(a.Valor(), -0.988031624092861789987748907294L);
    a.SetAngulo(Sexagesimales);  // counts the change and compiles a again
    EXPECT_CERCA(a.Valor(), 0.5L);
    EXPECT_CERCA(b.Valor(), 0.5L);
    EXPECT_EQ(b.Angulo(), Sexagesimales);
    ajustes.angulo = Radianes;  // unseen until it is counted
    EXPECT_CERCA(b.Valor(), 0.5L);
    ++ajustes.cambios;
    EXPECT_CERCA(b.Valor(), -0.988031624092861789987748907294L);
}

TEST(Evaluacion, EvaluarTextoYValorEscritoExacto) {
    MotorX m;
    m.Eval("a:3;a*2");
    EXPECT_EQ(m.e.EvaluarTexto("a:5;a+1"), 6);  // neither the text nor the locals change
    ASSERT_EQ(m.e.Locales.size(), 1u);
    EXPECT_EQ(m.e.Locales[0].first, "a");
    EXPECT_EQ(m.e.Texto(), "a:3;a*2");
    EXPECT_EQ(m.e.Valor(), 6);
    EXPECT_EQ(m.e.EvaluarTexto("foo"), 0);
    for (long double v : {0.1L, 1.0L / 3, -2.5L, 1e-300L, 6.02214076e23L, 1e4000L}) {
        m.e.SetTextoValor(v);
        EXPECT_EQ(m.e.Valor(), v) << m.e.Texto();
        EXPECT_EQ(m.e.Texto().find_first_of(",E"), std::string::npos) << m.e.Texto();
    }
}

TEST(Registro, PrimeraGanaVariablesCompartidasYAnfitrion) {
    MotorX m;
    m.e.AgregarConstante("Pi/Otro", "", 3);
    EXPECT_CERCA(m.Eval("pi"), kPi);
    EXPECT_EQ(m.Eval("otro"), 3);
    EXPECT_EQ(m.e.AgregarVariable("X"), m.x);
    EXPECT_THROW(m.e.AgregarVariable("sen"), ENumbrix);
    TExpresionX hijo;
    hijo.SetPadre(&m.e);
    hijo.Silencioso = true;
    hijo.SetTexto("otro+x");
    m.x->AsignarValor(1);
    EXPECT_EQ(hijo.Valor(), 4);
    m.e.BuscarExterno2 = [](std::string_view n, long double& v) {
        v = 18.015L;
        return n == "H2O";
    };
    EXPECT_CERCA(m.Eval("2*H2O"), 2 * 18.015L);
    EXPECT_EQ(m.e.Arbol->Hijos[1]->Clase(), ClaseNodo::Ext);
    m.e.ReiniciarFunciones();  // the host's names go, the fixed ones stay
    m.Eval("otro");
    EXPECT_TRUE(m.e.HayError);
    EXPECT_EQ(m.Eval("Si(1,2,3)"), 2);
}

}  // namespace
}  // namespace numbrix
