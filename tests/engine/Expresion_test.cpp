// The compiler and evaluator end to end: precedence by splitting, implicit
// products, percent, local definitions, comments, user functions, errors,
// caching and solving.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/ExpresionX.h"
#include "Aproximado.h"
#include "Ayudas.h"

using namespace numbrix;

namespace {

struct Motor {
    TExpresionX e;
    std::shared_ptr<TVariableX> x, y;
    explicit Motor(int angulo = 0) {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        x = e.AgregarVariable("x");
        y = e.AgregarVariable("y");
        e.SetAngulo(static_cast<UnidadAngulo>(angulo));
    }
    long double Eval(const std::string& t) {
        e.SetTexto(t);
        return e.Valor();
    }
};

struct CasoValor {
    const char* texto;
    long double esperado;
};

class Valores : public ::testing::TestWithParam<CasoValor> {};

TEST_P(Valores, Evalua) {
    Motor m;
    m.x->AsignarValor(3);
    m.y->AsignarValor(50);
    long double v = m.Eval(GetParam().texto);
    ASSERT_FALSE(m.e.HayError) << GetParam().texto << ": " << m.e.Mensaje;
    EXPECT_CERCA_REL(v, GetParam().esperado, 1e-12L) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(Compilador, Valores, ::testing::Values(
    CasoValor{"2+3*4", 14}, CasoValor{"(2+3)*4", 20}, CasoValor{"2^3^2", 64}, CasoValor{"-2^2", -4},
    CasoValor{"2*-3", -6}, CasoValor{"2^-1", 0.5}, CasoValor{"2x", 6}, CasoValor{"2(3)", 6},
    CasoValor{"y%", 0.5}, CasoValor{"(10)%", 0.1}, CasoValor{"10-2-3", 5}, CasoValor{"100/10/5", 2},
    CasoValor{"1.5(x+1)", 6}, CasoValor{"2pi", 2 * 3.14159265358979323846L}, CasoValor{"3sen(0)", 0},
    CasoValor{"1<2 & 2<3", 1}, CasoValor{"1<2<3", 1}, CasoValor{"1<3<2", -1}, CasoValor{"3 > 2", 1},
    CasoValor{"3 < 2", -1}, CasoValor{"1 = 1.000000000000001", 1}, CasoValor{"0.1 + 0.2 = 0.3", 1},
    CasoValor{"1e-15 = 0", 1}, CasoValor{"1e-13 = 0", -1}, CasoValor{"2<=2", 1}, CasoValor{"2=<1", -1},
    CasoValor{"3>=4", -1}, CasoValor{"3=>3", 1}, CasoValor{"1<>1", -1}, CasoValor{"1><2", 1},
    CasoValor{"1==1", 1}, CasoValor{"2<<1", -1}, CasoValor{"2>>1", 1}, CasoValor{"1$-1", 1},
    CasoValor{"-1$-1", -1}, CasoValor{"1!1", -1}, CasoValor{"1!-1", 1},
    CasoValor{"Max(1,5,3)", 5}, CasoValor{"sen(0)", 0}, CasoValor{"SIN(0)", 0},
    CasoValor{"r:2;pi*r^2", 3.14159265358979323846L * 4}, CasoValor{"f:\"x+1\";f*f", 16},
    CasoValor{"n:\"5\";n*2", 10}, CasoValor{"e:\"3\";1e5", 1e5}, CasoValor{"e:\"3\";2e", 6},
    CasoValor{"a:1;b:a+a;c:b+b;c*2", 8}, CasoValor{"2 * (3) {comentario}", 6}, CasoValor{"1+(2)(3)", 7},
    CasoValor{"8|2", 4}, CasoValor{"FF[16]+1", 256}, CasoValor{"h1F", 31}, CasoValor{"b101", 5},
    CasoValor{"o17", 15}, CasoValor{"1e2", 100}, CasoValor{"1e-2", 0.01}, CasoValor{"2^-16400", 0},
    CasoValor{"1e-5000", 0}, CasoValor{"(-2)^3", -8}, CasoValor{"0^0", 1}, CasoValor{"8\\3", 2},
    CasoValor{"8\xC2\xA3" "2", 3}, CasoValor{"LogN(8,2)", 3}, CasoValor{"x\\2", 1.7320508075688772935L},
    CasoValor{"Si(0,1,2)", 2}, CasoValor{"Sim(-1,10,1,20)", 20}, CasoValor{"Sim(-1,10,-1,20,30)", 30},
    CasoValor{"Rst:7;Rst", 7}, CasoValor{"2^10-1e3", 24}));

struct CasoError {
    const char* texto;
    int codigo;
    const char* mensaje;  // empty: any
};

class Errores : public ::testing::TestWithParam<CasoError> {};

TEST_P(Errores, Fallan) {
    Motor m;
    m.x->AsignarValor(0);
    m.Eval(GetParam().texto);
    EXPECT_TRUE(m.e.HayError) << GetParam().texto;
    EXPECT_EQ(static_cast<int>(m.e.CodigoError), GetParam().codigo) << GetParam().texto << ": " << m.e.Mensaje;
    if (*GetParam().mensaje) {
        EXPECT_EQ(m.e.Mensaje, GetParam().mensaje) << GetParam().texto;
    }
    EXPECT_FALSE(m.e.Mensaje.empty());
}

INSTANTIATE_TEST_SUITE_P(Compilador, Errores, ::testing::Values(
    CasoError{"10%", 18, "Identificador desconocido: \"%\""},
    CasoError{"foo+1", 18, "Identificador desconocido: \"foo\""},
    CasoError{"1/0", 11, "División por cero"},
    CasoError{"1/x", 11, "División por cero"},
    CasoError{"1 & 1/x", 11, ""},
    CasoError{"(-8)^(1/3)", 15, "Operación no válida"},
    CasoError{"0^-1", 11, ""},
    CasoError{":2;x", 18, "Falta indentificador de expresión"},
    CasoError{"a;b:\"c", 18, "Falta indentificador de expresión"},
    CasoError{"a:\"x;a", 18, "Falta indentificador de expresión"},
    CasoError{"e:2+;e*2", 18, ""},
    CasoError{"Max(1)", 0, "La función Max requiere al menos 2 argumentos"},
    CasoError{"Pi(1)", 0, "La función Pi no admite argumentos"},
    CasoError{"Si(1,2)", 0, "La función Si requiere exactamente 3 argumento(s)"},
    CasoError{"Ale()", 18, ""},
    CasoError{"'hola'", 20, "hola"},
    CasoError{"Sim(-1,10,-1,20)", 14, ""},
    CasoError{"2*-x", 18, "Identificador desconocido: \"-x\""},
    CasoError{"(2)(3)", 18, ""},
    CasoError{"(2))", 0, ""},
    CasoError{"1e4294967296", 12, ""},
    CasoError{"e5", 18, ""},
    CasoError{"2^1e10", 12, ""},
    CasoError{"1e4000*1e4000", 12, ""}));

TEST(Compilador, CortoCircuitoSinEvaluarLaRamaNoElegida) {
    Motor m;
    m.x->AsignarValor(0);
    EXPECT_EQ(m.Eval("0 & 1/x"), -1);
    EXPECT_FALSE(m.e.HayError);
    EXPECT_EQ(m.Eval("1 $ 1/x"), 1);
    EXPECT_EQ(m.Eval("Si(1,2,1/x)"), 2);
    EXPECT_FALSE(m.e.HayError);
}

TEST(Compilador, NombreRegistradoEnElNodo) {
    Motor m;
    m.Eval("SEN(0)");
    ASSERT_TRUE(m.e.Arbol);
    EXPECT_EQ(m.e.Arbol->Nombre, "sen");
    m.Eval("SIN(0)");
    EXPECT_EQ(m.e.Arbol->Nombre, "sin");
}

TEST(Compilador, LocalDeTextoSoloNombresEnteros) {
    EXPECT_EQ(ReemplazarNombre("sen(n)", "n", "5"), "sen(5)");
    EXPECT_EQ(ReemplazarNombre("1e5", "e", "3"), "1e5");
    EXPECT_EQ(ReemplazarNombre("f*f", "f", "x+1"), "(x+1)*(x+1)");
    EXPECT_EQ(ReemplazarNombre("2f", "F", "x+1"), "2*(x+1)");
    EXPECT_EQ(ReemplazarNombre("f(2)", "f", "x+1"), "(x+1)*(2)");
    EXPECT_EQ(ReemplazarNombre("s(30)", "s", "sen"), "sen(30)");
}

TEST(Compilador, LocalCompartidaTieneUnValorPorEvaluacion) {
    Motor m;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(m.Eval("r:Ale;r-r"), 0);
    EXPECT_GE(m.Eval("Max(Ale,0.5)"), 0.5L);
}

TEST(Compilador, UsuarioParametrosYMensajes) {
    Motor m;
    m.e.AgregarUsuario("Cubo", "?a^3", "cubo");
    int mn = 0, mx = 0;
    ASSERT_TRUE(m.e.AridadDe("CUBO", mn, mx));
    EXPECT_EQ(mn, 1);
    EXPECT_EQ(mx, 1);
    EXPECT_EQ(m.Eval("Cubo(2)"), 8);
    EXPECT_EQ(m.e.Arbol->Nombre, "Cubo");
    EXPECT_THROW(m.e.AgregarUsuario("Malo", "?A+?C", ""), ECompilacion);
    EXPECT_THROW(m.e.AgregarUsuario("Malo2", "?1+2", ""), ECompilacion);
    // Without the wrapper the body is expanded in place.
    m.e.SinEnvoltura = true;
    m.Eval("Cubo(3)+0");
    EXPECT_EQ(m.e.Valor(), 27);
}

TEST(Compilador, UsuarioSinParametrosNoQuedaCongelado) {
    Motor m;
    m.e.AgregarUsuario("Doble", "x*2", "");
    m.x->AsignarValor(1);
    EXPECT_EQ(m.Eval("Doble"), 2);
    m.x->AsignarValor(5);
    EXPECT_EQ(m.e.Valor(), 10);
}

TEST(Compilador, UsuarioRecursivoSeDetiene) {
    Motor m;
    m.e.AgregarUsuario("f", "f(?a)+1", "");
    m.e.AgregarUsuario("g", "h(?a)", "");
    m.e.AgregarUsuario("h", "g(?a)", "");
    m.Eval("f(1)");
    EXPECT_TRUE(m.e.HayError);
    EXPECT_NE(m.e.Mensaje.find("f"), std::string::npos);
    m.Eval("g(1)");
    EXPECT_TRUE(m.e.HayError);
}

TEST(Compilador, ConservaElResultadoAnteriorTrasUnFallo) {
    Motor m;
    EXPECT_EQ(m.Eval("2+2"), 4);
    EXPECT_EQ(m.Eval("foo"), 4);
    EXPECT_TRUE(m.e.HayError);
}

TEST(Evaluacion, ReutilizaHastaQueCambiaUnaVariable) {
    Motor m;
    int llamadas = 0;
    m.e.AgregarFuncion1("cuenta", [&](const ContextoX&, long double v) { ++llamadas; return v; }, {}, "");
    m.x->AsignarValor(2);
    m.Eval("cuenta(x)*3");
    EXPECT_EQ(m.e.Valor(), 6);
    EXPECT_EQ(m.e.Valor(), 6);
    EXPECT_EQ(llamadas, 1);
    m.x->AsignarValor(4);
    EXPECT_EQ(m.e.Valor(), 12);
    EXPECT_EQ(llamadas, 2);
    // Constant parts are computed while compiling, once.
    m.Eval("cuenta(2)+x");
    m.e.Valor();
    m.x->AsignarValor(1);
    m.e.Valor();
    EXPECT_EQ(llamadas, 3);
}

TEST(Evaluacion, AnguloRecompilaLoPlegado) {
    Motor m(1);
    EXPECT_CERCA(m.Eval("sin(30)"), 0.5L);
    m.e.SetAngulo(Radianes);
    EXPECT_CERCA(m.e.Valor(), -0.988031624092861789987748907294L);
}

TEST(Evaluacion, EvaluarTextoNoTocaElTextoNiLasLocales) {
    Motor m;
    m.Eval("a:3;a*2");
    EXPECT_EQ(m.e.EvaluarTexto("a:5;a+1"), 6);
    ASSERT_EQ(m.e.Locales.size(), 1u);
    EXPECT_EQ(m.e.Locales[0].first, "a");
    EXPECT_EQ(m.e.Texto(), "a:3;a*2");
    EXPECT_EQ(m.e.Valor(), 6);
    EXPECT_EQ(m.e.EvaluarTexto("foo"), 0);
}

TEST(Evaluacion, AsignarUnRealSeLeeExacto) {
    Motor m;
    const long double valores[] = {0.1L, 1.0L / 3, -2.5L, 1e-300L, 6.02214076e23L, 1e4000L};
    for (long double v : valores) {
        m.e.SetTextoValor(v);
        EXPECT_EQ(m.e.Valor(), v) << m.e.Texto();
        EXPECT_EQ(m.e.Texto().find(','), std::string::npos);
        EXPECT_EQ(m.e.Texto().find('E'), std::string::npos);
    }
}

TEST(Registro, PrimeraRegistracionGanaYVariablesCompartidas) {
    Motor m;
    m.e.AgregarConstante("Pi/Otro", "", 3);
    EXPECT_CERCA_REL(m.Eval("pi"), 3.14159265358979L, 1e-12L);
    EXPECT_EQ(m.Eval("otro"), 3);
    EXPECT_EQ(m.e.AgregarVariable("X"), m.x);
    EXPECT_THROW(m.e.AgregarVariable("sen"), ENumbrix);
    TExpresionX hijo;
    hijo.SetPadre(&m.e);
    hijo.Silencioso = true;
    hijo.SetTexto("otro+x");
    m.x->AsignarValor(1);
    EXPECT_EQ(hijo.Valor(), 4);
}

TEST(Registro, ReiniciarFuncionesBorraLoDelAnfitrion) {
    Motor m;
    m.e.AgregarConstante("k", "", 2);
    m.e.ReiniciarFunciones();
    m.Eval("k");
    EXPECT_TRUE(m.e.HayError);
    EXPECT_EQ(m.Eval("Si(1,2,3)"), 2);
}

TEST(Registro, BusquedasDelAnfitrion) {
    Motor m;
    m.e.BuscarExterno2 = [](std::string_view n, long double& v) {
        if (n != "H2O") return false;
        v = 18.015L;
        return true;
    };
    EXPECT_CERCA(m.Eval("2*H2O"), 2 * 18.015L);
    EXPECT_EQ(m.e.Arbol->Hijos[1]->Clase(), ClaseNodo::Ext);
}

struct CasoDespeje {
    const char* texto;
    long double esperado;
    const char* mensaje;  // non-empty: the solve fails with it
};

class Despejes : public ::testing::TestWithParam<CasoDespeje> {};

TEST_P(Despejes, ResuelveOExplica) {
    Motor m(1);
    m.y->AsignarValor(10);
    m.e.SetTexto(GetParam().texto);
    ASSERT_FALSE(m.e.HayError) << m.e.Mensaje;
    long double v = m.e.ResolverPara(m.x.get());
    if (*GetParam().mensaje) {
        EXPECT_TRUE(m.e.HayError);
        EXPECT_EQ(m.e.CodigoError, CodigoError::Mensaje);
        EXPECT_EQ(m.e.Mensaje, GetParam().mensaje) << GetParam().texto;
    } else {
        ASSERT_FALSE(m.e.HayError) << GetParam().texto << ": " << m.e.Mensaje;
        EXPECT_CERCA_REL(v, GetParam().esperado, 1e-12L) << GetParam().texto;
    }
}

INSTANTIATE_TEST_SUITE_P(Despejar, Despejes, ::testing::Values(
    CasoDespeje{"2*x+1=7", 3, ""}, CasoDespeje{"x-5=1", 6, ""}, CasoDespeje{"5-x=1", 4, ""},
    CasoDespeje{"10/x=2", 5, ""}, CasoDespeje{"x^2=9", 3, ""}, CasoDespeje{"2^x=8", 3, ""},
    CasoDespeje{"LogN(x,2)=3", 8, ""}, CasoDespeje{"x\\3=2", 8, ""}, CasoDespeje{"sin(x)=0.5", 30, ""},
    CasoDespeje{"sqrt(x)=3", 9, ""}, CasoDespeje{"exp(x)=1", 0, ""}, CasoDespeje{"y=2*x", 5, ""},
    CasoDespeje{"x=5", 5, ""}, CasoDespeje{"3=x+1", 2, ""},
    CasoDespeje{"x*x=4", 0, "Expresión demasiado compleja para despejar"},
    CasoDespeje{"x=x+1", 0, "Ecuación demasiado compleja para despejar"},
    CasoDespeje{"y=3", 0, "No se encuentra variable para despejar"},
    CasoDespeje{"x>2", 0, "No es una ecuación"},
    CasoDespeje{"Abs(x)=2", 0, "Una o mas funciones no se pueden despejar"},
    CasoDespeje{"Max(x,1)=2", 0, "No se puede despejar"}));

TEST(Despejar, ElArbolCompiladoQuedaIntacto) {
    Motor m;
    m.Eval("2*x+1=7");
    m.e.ResolverPara(m.x.get());
    m.x->AsignarValor(3);
    EXPECT_GT(m.e.Valor(), 0);
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::Igu);
}

TEST(Limites, AnidamientoYLongitudConMensajeClaro) {
    Motor m;
    std::string hondo(kProfundidadMaxima + 10, '(');
    hondo += "1" + std::string(kProfundidadMaxima + 10, ')');
    m.Eval(hondo);
    EXPECT_TRUE(m.e.HayError);
    EXPECT_FALSE(m.e.Mensaje.empty());
    std::string suma = "1";
    for (int i = 0; i < 2000; ++i) suma += "+1";
    EXPECT_EQ(m.Eval(suma), 2001);
    std::string parentesis(200, '(');
    parentesis += "2" + std::string(200, ')');
    EXPECT_EQ(m.Eval(parentesis), 2);
}

}  // namespace
