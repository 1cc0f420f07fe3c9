// The complex-mode engine: literals and i, operators and roots, comparisons
// by moduli, the angle unit of Polar and Arg, the built-in table, solving and
// the library's failures.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "numbers/ExpresionC.h"
#include "support/angulos.h"
#include "Aproximado.h"

using namespace numbrix;

namespace numbrix {
static void PrintTo(const TComplejo& z, std::ostream* os) { *os << "(" << static_cast<double>(z.Re) << ", " << static_cast<double>(z.Im) << ")"; }
}  // namespace numbrix

namespace {

constexpr long double kPi = PiExtendido;

struct MotorC {
    TExpresionC e;
    std::shared_ptr<TVariableC> x, y;
    explicit MotorC(int angulo = 0) {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        x = e.AgregarVariable("x");
        y = e.AgregarVariable("y");
        e.SetAngulo(static_cast<UnidadAngulo>(angulo));
    }
    TComplejo Eval(const std::string& t) {
        e.SetTexto(t);
        return e.Valor();
    }
};

struct CasoC {
    const char* texto;
    long double re, im;
    int angulo = 0;
};

class ValoresC : public ::testing::TestWithParam<CasoC> {};

TEST_P(ValoresC, Evalua) {
    const auto& c = GetParam();
    MotorC m(c.angulo);
    m.x->AsignarValor({3, 4});
    m.y->AsignarValor({0, 0});
    TComplejo v = m.Eval(c.texto);
    ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
    EXPECT_CERCA_REL(v.Re, c.re, 1e-15L) << c.texto;
    EXPECT_CERCA_REL(v.Im, c.im, 1e-15L) << c.texto;
}

INSTANTIATE_TEST_SUITE_P(Complejo, ValoresC, ::testing::Values(
    CasoC{"3i", 0, 3}, CasoC{"2+3i", 2, 3}, CasoC{"2-i", 2, -1}, CasoC{"1e-5-2i", 1e-5L, -2}, CasoC{"i*i", -1, 0},
    CasoC{"i^2", -1, 0}, CasoC{"(1+i)^2", 0, 2}, CasoC{"0^2", 0, 0}, CasoC{"(2+i)/(1-i)", 0.5L, 1.5L},
    CasoC{"1|2", 0.5L, 0}, CasoC{"-2^2", -4, 0}, CasoC{"2x", 6, 8}, CasoC{"x%", 0.03L, 0.04L},
    CasoC{"Sqrt(-4)", 0, 2}, CasoC{"Raiz(3+4i)", 2, 1}, CasoC{"(-8)\\3", 1, 1.7320508075688772935L},
    CasoC{"x\\2", 2, 1}, CasoC{"0\\3", 0, 0}, CasoC{"LogN(8,2)", 3, 0}, CasoC{"8\xC2\xA3" "2", 3, 0},
    CasoC{"Ln(-1)", 0, kPi}, CasoC{"Exp(i*Pi)", -1, 0}, CasoC{"e^(i*Pi)", -1, 0}, CasoC{"Rcp(2i)", 0, -0.5L},
    CasoC{"Sqr(1+i)", 0, 2}, CasoC{"Re(x)", 3, 0}, CasoC{"Im(x)", 4, 0}, CasoC{"Conj(x)", 3, -4},
    CasoC{"Norma(x)", 5, 0}, CasoC{"Sin(Pi/2)", 1, 0, 1}, CasoC{"Cosh(0)", 1, 0}, CasoC{"ArcSin(2)", kPi / 2, -1.3169578969248167086L},
    CasoC{"Arg(i)", 90, 0, 1}, CasoC{"Arg(-1)", kPi, 0}, CasoC{"Polar(2,90)", 0, 2, 1}, CasoC{"Polar(2,Pi/2)", 0, 2},
    CasoC{"Polar(1,0.5)", 0, 1, 5}, CasoC{"Pi+e+R2+R3", kPi + 2.71828182845904523536L + 1.41421356237309504880L + 1.73205080756887729352L, 0},
    // true (1, 0) and false (-1, 0); order compares moduli, equality both parts
    CasoC{"3+4i>4", 1, 0}, CasoC{"3+4i<4", -1, 0}, CasoC{"3+4i=5", -1, 0}, CasoC{"x=3+4i", 1, 0},
    CasoC{"-5>4", 1, 0}, CasoC{"x>=5", -1, 0}, CasoC{"x>=x", 1, 0}, CasoC{"x<>3+4i", -1, 0},
    CasoC{"1<2<3", 1, 0}, CasoC{"1<3<2", -1, 0}, CasoC{"-3<2<3", -1, 0}, CasoC{"1 = 1+1e-15", 1, 0},
    CasoC{"Si(-1,1,2)", 2, 0}, CasoC{"Si(i,1,2)", 2, 0}, CasoC{"If(1+i,i,1/y)", 0, 1}, CasoC{"Si(-1,1/y,2)", 2, 0},
    CasoC{"r:1+i;r*r", 0, 2}, CasoC{"f:\"x+i\";f*2", 6, 10}));

struct CasoErrorC {
    const char* texto;
    const char* mensaje;
};

class ErroresC : public ::testing::TestWithParam<CasoErrorC> {};

TEST_P(ErroresC, Fallan) {
    MotorC m;
    m.x->AsignarValor({0, 0});
    m.Eval(GetParam().texto);
    EXPECT_TRUE(m.e.HayError) << GetParam().texto;
    EXPECT_EQ(m.e.Mensaje, GetParam().mensaje) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(Complejo, ErroresC, ::testing::Values(
    CasoErrorC{"1/0", "Discriminante de 0 igual a cero (Div)"}, CasoErrorC{"i/x", "Discriminante de 0 igual a cero (Div)"},
    CasoErrorC{"0/0", "Discriminante de 0 igual a cero (Div)"}, CasoErrorC{"Rcp(x)", "Discriminante de 0 igual a cero (Rcp)"},
    CasoErrorC{"Ln(x)", "Descriminante de 0 igual a cero (ln)."}, CasoErrorC{"ArcTanH(1)", "División por cero"},
    CasoErrorC{"8\\0", "El radical debe ser un número real distinto de cero"},
    CasoErrorC{"8\\(2i)", "El radical debe ser un número real distinto de cero"},
    CasoErrorC{"0\\-2", "División por cero"}, CasoErrorC{"x^-1", "Discriminante de 0 igual a cero (Div)"},
    CasoErrorC{"LogN(8,1)", "Discriminante de 0 igual a cero (Div)"},
    CasoErrorC{"Exp(12000)", "Desbordamiento: el resultado es demasiado grande"},
    CasoErrorC{"1&1", "Identificador desconocido: \"&1\""}, CasoErrorC{"1$x", "Identificador desconocido: \"$x\""}));

TEST(Complejo, Resuelve) {
    struct Caso {
        const char* texto;
        TComplejo esperado;
    } casos[] = {
        {"2*x+1=7", {3, 0}}, {"x^2=-4", {0, 2}}, {"Exp(x)=-1", {0, kPi}}, {"Sqrt(x)=i", {-1, 0}},
        {"x*i=2", {0, -2}}, {"Sin(x)=0", {0, 0}}, {"LogN(x,2)=3", {8, 0}},
    };
    for (const auto& c : casos) {
        MotorC m;
        m.e.SetTexto(c.texto);
        ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
        TComplejo v = m.e.ResolverPara(m.x.get());
        ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
        EXPECT_CERCA_REL(v.Re, c.esperado.Re, 1e-15L) << c.texto;
        EXPECT_CERCA_REL(v.Im, c.esperado.Im, 1e-15L) << c.texto;
    }
    MotorC m;
    // The function that has no inverse is named, as registered.
    for (const auto& [texto, mensaje] :
         {std::pair{"Re(x)=2", "La función Re no se pueden despejar"},
          std::pair{"Sqrt(Arg(x))=2", "La función Arg no se pueden despejar"},
          std::pair{"conj(x)+1=2", "La función Conj no se pueden despejar"}}) {
        m.e.SetTexto(texto);
        m.e.ResolverPara(m.x.get());
        EXPECT_EQ(m.e.Mensaje, mensaje) << texto;
    }
    m.e.SetTexto("x>2");
    m.e.ResolverPara(m.x.get());
    EXPECT_EQ(m.e.Mensaje, "No es una ecuación");
}

TEST(Complejo, ElTextoNoPierdeUnaParteVisible) {
    MotorC m;
    EXPECT_EQ(ComplejoATexto(m.Eval("2e9+i")), "2000000000+i");
    EXPECT_EQ(ComplejoATexto(m.Eval("Sqrt(1e18+1e8i)")), "1000000000+0.05i");
    EXPECT_EQ(ComplejoATexto(m.Eval("1e-12")), "1e-12");
    EXPECT_EQ(ComplejoATexto(m.Eval("Exp(i*Pi)")), "-1");  // the imaginary noise goes
}

TEST(Complejo, LogaritmoExactoEnPotenciasDeLaBase) {
    MotorC m;
    for (const char* t : {"LogN(1000,10)-3", "LogN(2^-20,2)+20", "LogN(1e-4,10)+4", "8\xC2\xA3" "2-3"})
        EXPECT_EQ(m.Eval(t), (TComplejo{0, 0})) << t;
    EXPECT_CERCA(m.Eval("LogN(2,10)").Re, 0.301029995663981195213738894725L);
    EXPECT_NE(m.Eval("LogN(-8,2)").Im, 0);  // off the positive axis: the complex logarithm
}

TEST(Complejo, FuncionesDeUsuarioConEnvoltura) {
    MotorC m;
    m.e.AgregarUsuario("Doble", "2*?a", "");
    EXPECT_EQ(m.Eval("Doble(i)"), (TComplejo{0, 2}));
    ASSERT_TRUE(m.e.Arbol);
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::FunUser);
    m.e.SinEnvoltura = true;
    m.Eval("Doble(1+i)");
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::Mul);
}

TEST(Complejo, LaUnidadDeAnguloEsDelMotor) {
    // Two engines, two units; changing one recompiles its folded constants.
    MotorC grados(Sexagesimales), radianes(Radianes);
    EXPECT_CERCA(grados.Eval("Arg(i)").Re, 90);
    EXPECT_CERCA(radianes.Eval("Arg(i)").Re, kPi / 2);
    grados.e.SetAngulo(Centesimales);
    EXPECT_CERCA(grados.e.Valor().Re, 100);
}

TEST(Complejo, TextoExactoSeLeeIgual) {
    for (TComplejo z : {TComplejo{1.5L, -2.25L}, TComplejo{0, 1}, TComplejo{-1e-300L, 3}, TComplejo{0.1L, 0},
                        TComplejo{-7, -1e20L}}) {
        MotorC m;
        m.e.SetTextoValor(z);
        EXPECT_EQ(m.e.Valor(), z) << m.e.Texto();
    }
}

TEST(Complejo, LasConstantesSonValores) {
    MotorC m;
    m.e.AgregarConstante("w", "una constante", {1, -1});
    EXPECT_EQ(m.Eval("w*i"), (TComplejo{1, 1}));
    const TMake<DominioComplejo>* i = m.e.Buscar("I");
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->Descripcion, "Raiz cuadrada de -1");
    TExpresionC sinTabla;  // i, Si and LogN exist without the built-in table
    sinTabla.SetTexto("Si(1,i,0)+LogN(4,2)");
    EXPECT_EQ(sinTabla.Valor(), (TComplejo{2, 1}));
    sinTabla.SetTexto("Pi");
    EXPECT_TRUE(sinTabla.HayError);
}

}  // namespace
