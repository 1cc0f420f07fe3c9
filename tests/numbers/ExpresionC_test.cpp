// The complex-mode engine: literals and i, operators and roots, comparisons
// by moduli, the angle unit of Polar and Arg, the built-in table, solving and
// the library's failures.
#include <gtest/gtest.h>

#include "Aproximado.h"
#include "Ayudas.h"

namespace numbrix {
namespace {

using prueba::MotorC;
constexpr long double kPi = PiExtendido;

struct CasoC { const char* texto; long double re, im; UnidadAngulo angulo = Radianes; };

const CasoC kValores[] = {
    {"3i", 0, 3}, {"2+3i", 2, 3}, {"2-i", 2, -1}, {"1e-5-2i", 1e-5L, -2}, {"i*i", -1, 0}, {"i^2", -1, 0},
    {"(1+i)^2", 0, 2}, {"0^2", 0, 0}, {"(2+i)/(1-i)", 0.5L, 1.5L}, {"1|2", 0.5L, 0}, {"-2^2", -4, 0}, {"2x", 6, 8},
    {"x%", 0.03L, 0.04L}, {"Sqrt(-4)", 0, 2}, {"Raiz(3+4i)", 2, 1}, {"(-8)\\3", 1, 1.7320508075688772935L},
    {"x\\2", 2, 1}, {"0\\3", 0, 0}, {"8\xC2\xA3" "2", 3, 0}, {"Ln(-1)", 0, kPi}, {"Exp(i*Pi)", -1, 0},
    {"e^(i*Pi)", -1, 0}, {"Rcp(2i)", 0, -0.5L}, {"Sqr(1+i)", 0, 2}, {"Re(x)", 3, 0}, {"Im(x)", 4, 0},
    {"Conj(x)", 3, -4}, {"Norma(x)", 5, 0}, {"Sin(Pi/2)", 1, 0, Sexagesimales}, {"Cosh(0)", 1, 0},
    {"ArcSin(2)", kPi / 2, -1.3169578969248167086L}, {"Arg(i)", 90, 0, Sexagesimales}, {"Arg(-1)", kPi, 0},
    {"Polar(2,90)", 0, 2, Sexagesimales}, {"Polar(2,Pi/2)", 0, 2}, {"Polar(1,0.5)", 0, 1, MultiplosPi},
    {"Pi+e+R2+R3", kPi + 2.71828182845904523536L + 1.41421356237309504880L + 1.73205080756887729352L, 0},
    // true (1, 0) and false (-1, 0); order compares moduli, equality both parts
    {"3+4i>4", 1, 0}, {"3+4i<4", -1, 0}, {"3+4i=5", -1, 0}, {"x=3+4i", 1, 0}, {"-5>4", 1, 0}, {"x>=5", -1, 0},
    {"x>=x", 1, 0}, {"x<>3+4i", -1, 0}, {"-3<2<3", -1, 0}, {"1 = 1+1e-15", 1, 0}, {"Si(-1,1,2)", 2, 0},
    {"Si(i,1,2)", 2, 0}, {"If(1+i,i,1/y)", 0, 1}, {"Si(-1,1/y,2)", 2, 0}, {"r:1+i;r*r", 0, 2}, {"f:\"x+i\";f*2", 6, 10},
    // solving for «?»
    {"2*?+1=7", 3, 0}, {"?^2=-4", 0, 2}, {"Exp(?)=-1", 0, kPi}, {"Sqrt(?)=i", -1, 0}, {"?*i=2", 0, -2},
    {"Sin(?)=0", 0, 0}, {"LogN(?,2)=3", 8, 0},
    // the real logarithm between positive reals, the complex one elsewhere
    {"LogN(2,10)", 0.301029995663981195213738894725L, 0}, {"LogN(-8,2)", 3, kPi / 0.693147180559945309417L}};

TEST(Complejo, Valores) {
    for (const CasoC& c : kValores) {
        MotorC m(c.angulo);
        m.x->AsignarValor({3, 4});
        m.y->AsignarValor({0, 0});
        const TComplejo v = m.Eval(c.texto);
        ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
        EXPECT_CERCA_REL(v.Re, c.re, 1e-15L) << c.texto;
        EXPECT_CERCA_REL(v.Im, c.im, 1e-15L) << c.texto;
    }
}

TEST(Complejo, FallosDeLaBiblioteca) {
    const char* div = "Discriminante de 0 igual a cero (Div)";
    const char* radical = "El radical debe ser un número real distinto de cero";
    const std::pair<const char*, const char*> casos[] = {
        {"1/0", div}, {"i/y", div}, {"0/0", div}, {"y^-1", div}, {"LogN(8,1)", div},
        {"Rcp(y)", "Discriminante de 0 igual a cero (Rcp)"}, {"Ln(y)", "Descriminante de 0 igual a cero (ln)."},
        {"ArcTanH(1)", "División por cero"}, {"0\\-2", "División por cero"}, {"8\\0", radical}, {"8\\(2i)", radical},
        {"Exp(12000)", "Desbordamiento: el resultado es demasiado grande"},
        {"1&1", "Identificador desconocido: \"&1\""}, {"1$x", "Identificador desconocido: \"$x\""},
        // the function without an inverse is named, as registered
        {"Re(?)=2", "La función Re no se pueden despejar"}, {"Sqrt(Arg(?))=2", "La función Arg no se pueden despejar"},
        {"conj(?)+1=2", "La función Conj no se pueden despejar"}, {"?>2", "No es una ecuación"},
    };
    for (const auto& [texto, mensaje] : casos) {
        MotorC m;
        EXPECT_EQ(prueba::Salida(m, texto), mensaje) << texto;
    }
}

TEST(Complejo, TextosExactosYVisibles) {
    MotorC m;
    EXPECT_EQ(ComplejoATexto(m.Eval("2e9+i")), "2000000000+i");  // no visible part is lost
    EXPECT_EQ(ComplejoATexto(m.Eval("Sqrt(1e18+1e8i)")), "1000000000+0.05i");
    EXPECT_EQ(ComplejoATexto(m.Eval("1e-12")), "1e-12");
    EXPECT_EQ(ComplejoATexto(m.Eval("Exp(i*Pi)")), "-1");  // the imaginary noise goes
    // Exact at integral powers of the base.
    for (const char* t : {"LogN(1000,10)-3", "LogN(2^-20,2)+20", "LogN(1e-4,10)+4", "8\xC2\xA3" "2-3"})
        EXPECT_EQ(m.Eval(t), (TComplejo{0, 0})) << t;
    for (TComplejo z : {TComplejo{1.5L, -2.25L}, TComplejo{0, 1}, TComplejo{-1e-300L, 3}, TComplejo{-7, -1e20L}}) {
        m.e.SetTextoValor(z);
        EXPECT_EQ(m.e.Valor(), z) << m.e.Texto();
    }
}

TEST(Complejo, FuncionesDeUsuarioYTablaFija) {
    MotorC m;
    m.e.AgregarUsuario("Doble", "2*?a", "");
    EXPECT_EQ(m.Eval("Doble(i)"), (TComplejo{0, 2}));
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::FunUser);
    m.e.SinEnvoltura = true;
    m.Eval("Doble(1+i)");
    EXPECT_EQ(m.e.Arbol->Clase(), ClaseNodo::Mul);
    TExpresionC sinTabla;  // i, Si and LogN exist without the built-in table
    sinTabla.SetTexto("Si(1,i,0)+LogN(4,2)");
    EXPECT_EQ(sinTabla.Valor(), (TComplejo{2, 1}));
    sinTabla.SetTexto("Pi");
    EXPECT_TRUE(sinTabla.HayError);
}

}  // namespace
}  // namespace numbrix
