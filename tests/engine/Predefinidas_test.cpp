// The real-mode built-in table: values, angle units, domain errors and the
// integer conversions that must never wrap or loop for long.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "Aproximado.h"
#include "Ayudas.h"

namespace numbrix {
namespace {

constexpr long double kPi = PiExtendido;

// Runs f and returns the code of the arithmetic failure it raised (0: none).
template <class F>
int FalloDe(F f) {
    return static_cast<int>(prueba::CodigoLanzado(f));
}

// ---------------------------------------------------------------- helpers

TEST(Predefinidas, FactorialesYCombinacionesRedondeanYAcotan) {
    EXPECT_EQ(Factorial(0) + Factorial(1), 2);
    EXPECT_EQ(Factorial(4.5L), 120);    // half away from zero: 5
    EXPECT_EQ(Factorial(4.49L), 24);
    EXPECT_EQ(Factorial(25), 15511210043330985984000000.0L);
    EXPECT_CERCA_REL(Factorial(170) / 7.25741561530799896739672821113e306L, 1, 1e-17L);
    EXPECT_TRUE(Factorial(1754) > 1e4930L && std::isfinite(Factorial(1754)));
    EXPECT_EQ(FactorialEntero(6), 720);
    EXPECT_EQ(Combinaciones(5, 0) + Combinaciones(5, 5), 2);
    EXPECT_CERCA_REL(Combinaciones(100, 50) / 1.00891344545564193334812497256e29L, 1, 1e-17L);
    const std::pair<int, int> fallos[] = {
        {FalloDe([] { Factorial(-1); }), 15}, {FalloDe([] { Factorial(-0.2L); }), 15},
        {FalloDe([] { Factorial(1755); }), 12}, {FalloDe([] { Factorial(2e9L); }), 12},
        {FalloDe([] { Factorial(1e300L); }), 14},   // beyond 32 bits: never wrapped
        {FalloDe([] { FactorialEntero(-1); }), 14}, {FalloDe([] { FactorialEntero(1LL << 40); }), 12},
        {FalloDe([] { Combinaciones(5, 6); }), 14}, {FalloDe([] { Combinaciones(5, -1); }), 14},
        {FalloDe([] { Combinaciones(-5, 2); }), 14}, {FalloDe([] { Combinaciones(2000, 1); }), 12},
    };
    for (std::size_t i = 0; i < std::size(fallos); ++i) EXPECT_EQ(fallos[i].first, fallos[i].second) << i;
}

TEST(Predefinidas, NormalAcumulada) {
    // 0, ±9 and 1 are the DNormStdA and DNormalA rows below.
    EXPECT_EQ(NormalAcumulada(1e4000L), 1.0L);
    // Boole's rule over 400 steps is good to a few parts in 1e17.
    EXPECT_CERCA_REL(NormalAcumulada(1.96L), 0.975002104851779565863L, 1e-16L);
    EXPECT_CERCA_REL(NormalAcumulada(3), 0.998650101968369905473L, 1e-16L);
    EXPECT_CERCA_REL(NormalAcumulada(-0.5L), 0.308537538725986896362L, 1e-16L);
    EXPECT_CERCA_REL(NormalAcumulada(8.99L), 1.0L, 1e-17L);
    for (long double x : {0.1L, 0.5L, 2.5L, 4.0L, 8.5L})
        EXPECT_CERCA_REL(NormalAcumulada(x) + NormalAcumulada(-x), 1.0L, 1e-18L) << prueba::Texto21(x);
}

// ---------------------------------------------------------------- expressions

struct Caso {
    const char* texto;
    int angulo;          // engine's angle unit
    long double valor;   // expected value when codigo is 0
    long double ulps = 0;  // units in the last place allowed; 0: exact, a promise of the code
    int codigo = 0;        // expected error code, 0 for none
};

std::ostream& operator<<(std::ostream& o, const Caso& c) {
    return o << c.texto << " [angulo " << c.angulo << "]";
}

class PredefinidasExpr : public ::testing::TestWithParam<Caso> {};

// Evaluated, or solved for «?» through the function's inverse.
TEST_P(PredefinidasExpr, Evalua) {
    const Caso& c = GetParam();
    prueba::MotorX m(static_cast<UnidadAngulo>(c.angulo), {});
    const long double v = m.Eval(c.texto);
    if (c.codigo) {
        EXPECT_TRUE(m.e.HayError);
        EXPECT_EQ(static_cast<int>(m.e.CodigoError), c.codigo) << m.e.Mensaje;
        return;
    }
    ASSERT_FALSE(m.e.HayError) << m.e.Mensaje;
    EXPECT_CERCA_ULPS(v, c.valor, c.ulps);
}

// Transcendental results: a few units in the last place, since the x87
// instructions behind them differ in the last bit between processors.
constexpr long double kT = prueba::kUlpsPorDefecto;
// Boole's rule over 400 steps is good to about 1e-16: some 2000 units.
constexpr long double kBoole = 2000;
// Through the logarithms of the factorials (counts beyond 1754): a few
// parts in 1e14 of the value.
constexpr long double kLgamma = 5e5;
// A solution through an inverse: 1e-15 of the value.
constexpr long double kInversa = 2e4;

const Caso kCasos[] = {
    // constants
    {"Pi", 0, kPi}, {"e", 0, 2.71828182845904523536028747135L}, {"E", 0, 2.71828182845904523536028747135L},
    {"R2", 0, 1.41421356237309504880168872421L}, {"R3", 0, 1.73205080756887729352744634151L},
    // trigonometry and angle units
    {"sin(30)", 1, 0.5L, kT}, {"sen(30)", 1, 0.5L, kT}, {"SEN(30)", 1, 0.5L, kT},
    {"sin(30)", 0, -0.988031624092861789987748907294L, kT}, {"cos(60)", 1, 0.5L, kT}, {"tan(45)", 1, 1, kT},
    {"tg(50)", 2, 1, kT}, {"sin(0.25)", 3, 1, kT},
    {"sin(0.25)", 7, 1, kT},   // units 6..127 are turns
    {"cos(1)", 5, -1, kT}, {"sin(30.0000)", 4, 0.5L, kT}, {"arcsin(1)", 1, 90, kT}, {"arcsen(0.5)", 1, 30, kT},
    {"arccos(0)", 1, 90, kT}, {"arcos(-1)", 5, 1, kT}, {"arctan(1)", 1, 45, kT}, {"arctg(1)", 2, 50, kT},
    {"arctan(1)", 0, kPi / 4, kT}, {"arcsin(1.0000001)", 1, 0, 0, 15}, {"arccos(-2)", 0, 0, 0, 15},
    {"GMSRad(180)", 0, kPi, kT}, {"GMSRad(180)", 1, kPi, kT}, {"GMSRad(180)", 3, kPi, kT}, {"GMS(12.30)", 1, 12.5L, kT},
    {"GMS(180)", 0, kPi, kT}, {"GMS(90)", 3, 0.25L, kT}, {"RadGMS(GMSRad(12.3456))", 0, 12.3456L, kT},
    {"RadGMS(Pi/4)", 1, 45, kT},
    {"GMSRad(1e30)", 0, 0, 0, 14},   // packed steps beyond 64 bits
    {"RadGMS(1e30)", 0, 0, 0, 14}, {"GMS(-1e300)", 1, 0, 0, 14}, {"ang(0,1)", 1, 90, kT}, {"arg(-1,0)", 0, kPi, kT},
    {"ang(1,1)", 2, 50, kT}, {"ang(0,0)", 0, 0}, {"hipot(3,4)", 0, 5},
    {"hipot(-5,12)", 1, 13},   // no angle conversion
    {"hipot(1e3000,1e3000)", 0, 1.41421356237309504880168872421e3000L, kT},  // scaled: no overflow
    {"hipot(1e-3000,-1e-3000)", 0, 1.41421356237309504880168872421e-3000L, kT}, {"hipot(1e4932,1e4932)", 0, 0, 0, 12},
    // hyperbolic
    {"sinh(0)", 0, 0}, {"cosh(0)", 0, 1}, {"senh(180)", 1, 11.5487393572577483779773343154L, kT},
    {"sinh(Pi)", 0, 11.5487393572577483779773343154L, kT}, {"tgh(0)", 0, 0}, {"tanh(1000)", 0, 1},
    {"arcsinh(sinh(1))", 0, 1, kT}, {"arcsenh(0)", 1, 0}, {"arccosh(1)", 0, 0}, {"arcosh(cosh(2))", 0, 2, kT},
    {"arccosh(0.5)", 0, 0, 0, 15}, {"arctanh(0.5)", 1, 31.4729237309453800197724153907L, kT},
    {"arctgh(0.5)", 0, 0.549306144334054845697622618461L, kT}, {"arctanh(1)", 0, 0, 0, 11},
    {"arctanh(-1)", 0, 0, 0, 11}, {"arctanh(2)", 0, 0, 0, 15}, {"sinh(20000)", 0, 0, 0, 12},
    {"cosh(-20000)", 0, 0, 0, 12},
    // elementary
    {"Rcp(4)", 0, 0.25L}, {"Rcp(-0.5)", 0, -2}, {"Rcp(0)", 0, 0, 0, 11}, {"ln(e)", 0, 1, kT}, {"ln(1)", 0, 0},
    {"ln(0)", 0, 0, 0, 11}, {"ln(-1)", 0, 0, 0, 15},
    // Exact integral powers of the base give the exact integer.
    {"log(1000)", 0, 3}, {"log(1000)-3", 0, 0}, {"log(1e-4)", 0, -4},
    {"log(1e22)", 0, 22},     // 10^22 and beyond need more than 64 bits
    {"log(1e300)", 0, 300}, {"log(1e-4000)", 0, -4000}, {"log(2)", 0, 0.301029995663981195213738894725L, kT},
    {"log(1001)", 0, 3.00043407747931864066892138778L, kT}, {"LogN(1024,2)", 0, 10}, {"LogN(2^-1000,2)", 0, -1000},
    {"LogN(0.125,0.5)", 0, 3}, {"LogN(3^40,3)", 0, 40}, {"LogN(1/81,3)", 0, -4}, {"LogN(1e-4,10)", 0, -4},
    {"LogN(6^24,6)", 0, 24}, {"LogN(10,3)", 0, 2.09590327428938460429656752202L, kT}, {"LogN(8,1)", 0, 0, 0, 11},
    {"log(0)", 0, 0, 0, 11}, {"log(-5)", 0, 0, 0, 15}, {"sqr(3)", 0, 9}, {"cuad(-3)", 0, 9},
    {"sqr(1e3000)", 0, 0, 0, 12}, {"sqrt(16)", 0, 4}, {"raiz(2)", 0, 1.41421356237309504880168872421L},
    {"sqrt(0)", 0, 0}, {"sqrt(-1)", 0, 0, 0, 15}, {"exp(1)", 0, 2.71828182845904523536028747135L, kT}, {"exp(0)", 0, 1},
    {"exp(20000)", 0, 0, 0, 12},
    {"exp(-20000)", 0, 0},   // underflow is 0, not an error
    {"exp10(3)", 0, 1000}, {"exp10(-2)", 0, 0.01L, kT}, {"exp10(5000)", 0, 0, 0, 12}, {"Abs(-2.5)", 0, 2.5L},
    {"abs(3)", 0, 3}, {"DNormStd(0)", 0, 0.398942280401432677939946059934L, kT}, {"DNormStd(1e3000)", 0, 0},
    // Int, Rd and Frac never pass through an integer type.
    {"Int(-2.5)", 0, -2}, {"Ent(2.7)", 0, 2}, {"Int(1e25)", 0, 1e25L}, {"Int(-1e300)", 0, -1e300L}, {"Rd(-2.5)", 0, -3},
    {"Rd(2.5)", 0, 3}, {"Rd(2.4999)", 0, 2}, {"Rd(-0.4)", 0, 0}, {"Rd(1e10)", 0, 1e10L}, {"Rd(1e10+0.5)", 0, 1e10L + 1},
    {"Rd(1e25)", 0, 1e25L}, {"Rd(-1e4000)", 0, -1e4000L}, {"Frac(-2.5)", 0, -0.5L}, {"Frac(2.25)", 0, 0.25L},
    {"Frac(1e25)", 0, 0}, {"Frac(1e10+0.25)", 0, 0.25L},
    // combinatorics
    {"Prm(5)", 0, 120}, {"Prm(3e9)", 0, 0, 0, 14}, {"Var(5,2)", 0, 20}, {"Var(2,3)", 0, 0}, {"Var(5,0)", 0, 1},
    {"Var(0,0)", 0, 1}, {"Var(2e9,1)", 0, 2e9L}, {"Var(-1,2)", 0, 0, 0, 14}, {"Var(5,-1)", 0, 0, 0, 14},
    {"Var(1e20,2)", 0, 0, 0, 14}, {"Var(2e9,2e9)", 0, 0, 0, 12}, {"Var(2e9,1e9)", 0, 0, 0, 12}, {"VarR(2,3)", 0, 8},
    {"VarR(10,0)", 0, 1}, {"VarR(2,64)", 0, 18446744073709551616.0L}, {"VarR(-2,3)", 0, 0, 0, 14},
    {"VarR(2,-3)", 0, 0, 0, 14}, {"VarR(10,5000)", 0, 0, 0, 12}, {"VarR(1e10,2)", 0, 0, 0, 14}, {"Cmb(5,2)", 0, 10},
    {"Cmb(5,6)", 0, 0}, {"Cmb(2e9,2)", 0, 1999999999e9L}, {"Cmb(-5,2)", 0, 0, 0, 14}, {"CmbR(3,2)", 0, 6},
    {"CmbR(5,1)", 0, 5}, {"CmbR(-1,2)", 0, 0, 0, 14}, {"CmbR(3,-2)", 0, 0, 0, 14}, {"CmbR(2e9,2e9)", 0, 0, 0, 12},
    {"PrmR(4,2,2)", 0, 6}, {"PrmR(10,2,3,5)", 0, 2520}, {"PrmR(5,2)", 0, 60}, {"PrmR(3,2,2)", 0, 0, 0, 15},
    {"PrmR(3,-1,2)", 0, 0, 0, 15},
    // any number of arguments
    {"Max(3,7,7,1)", 0, 7}, {"Max(1,2)", 0, 2}, {"Max(-1,-2,-3)", 0, -1}, {"Min(3,-7,7,1)", 0, -7}, {"Min(2,1)", 0, 1},
    {"Prom(1,2,3,4)", 0, 2.5L}, {"Prom(1e4932,1e4932)", 0, 0, 0, 12}, {"Suma(1,2,3)", 0, 6}, {"Suma(0.5,-0.5)", 0, 0},
    {"Resto(-7,3)", 0, -1}, {"Mod(7,-3)", 0, 1}, {"Resto(5.5,2)", 0, 1.5L}, {"Resto(5,0)", 0, 0, 0, 11},
    {"Resto(1e20,3)", 0, 1},   // exact: the quotient is never rounded
    {"Resto(-1e20,3)", 0, -1}, {"Poli(2,1,0,3)", 0, 13}, {"Poly(5,7)", 0, 7}, {"Poli(-2,0,0,0,1)", 0, -8},
    {"Poli(0,4,5)", 0, 4}, {"Poli(-1,1,1,1,1,1)", 0, 1},
    // distributions
    {"DNormal(0,0,1)", 0, 0.398942280401432677939946059934L, kT},
    {"DNormal(2,1,2)", 0, 0.176032663382149738887340220798L, kT}, {"DNormal(1,0,0)", 0, 0, 0, 11},
    {"DNormalA(0,0,1)", 0, 0.5L}, {"DNormalA(12,10,2)", 0, 0.841344746068542948585L, kBoole},
    {"DNormalA(-1,1,0,1)", 0, 0.682689492137085897170L, kBoole},
    {"DNormalA(1,-1,0,1)", 0, 0.682689492137085897170L, kBoole}, {"DNormalA(1,0,0)", 0, 0, 0, 11},
    {"DNormStdA(0)", 0, 0.5L}, {"DNormStdA(9)", 0, 1}, {"DNormStdA(-9)", 0, 0},
    {"DNormStdA(-1,1)", 0, 0.682689492137085897170L, kBoole}, {"DBinom(4,2,0.5)", 0, 0.375L}, {"DBinom(3,0,0)", 0, 1},
    {"DBinom(3,3,1)", 0, 1}, {"DBinom(4,2,1.5)", 0, 0, 0, 14}, {"DBinom(4,2,-0.1)", 0, 0, 0, 14},
    {"DBinom(4,5,0.5)", 0, 0, 0, 14}, {"DBinom(1e12,2,0.5)", 0, 0, 0, 14},
    // Beyond 1754! the terms go through logarithms instead of overflowing.
    {"DBinom(2000,1000,0.5)", 0, 0.0178390111458543207302380672382L, kLgamma},
    {"DBinom(3000,10,0.001)", 0, 0.000804892731523940431500121896394L, kLgamma}, {"DBinom(2000,0,0)", 0, 1},
    {"DBinom(2000,3,0)", 0, 0}, {"DBinom(2000,2000,1)", 0, 1}, {"DBinom(2000,2001,0.5)", 0, 0, 0, 14},
    {"DBinomA(2000,2000,0.3)", 0, 1, kLgamma}, {"DBinomA(4,4,0.5)", 0, 1}, {"DBinomA(4,1,2,0.5)", 0, 0.625L},
    {"DBinomA(4,3,2,0.5)", 0, 0},    // empty range
    {"DBinomA(4,1,2,2)", 0, 0, 0, 14},
    {"DBinomA(10,0,2e9,0.5)", 0, 0, 0, 14},  // stops at the first term past n
    {"DBinomNeg(5,3,0.5)", 0, 0.1875L}, {"DBinomNeg(5,3,2)", 0, 0, 0, 14}, {"DBinomNeg(2,3,0.5)", 0, 0, 0, 14},
    {"DBinomNegA(4,2,0.5)", 0, 0.6875L}, {"DBinomNegA(3,4,2,0.5)", 0, 0.4375L}, {"DBinomNegA(4,3,2,0.5)", 0, 0},
    {"DBinomNegA(0,2e9,2,0.5)", 0, 0, 0, 14},   // C(-1,1) fails at once
    {"DBinomNegA(2,2e9,2,0.5)", 0, 0, 0, 12},   // overflows at i = 1756
    {"DHpGeom(10,4,3,1)", 0, 0.5L}, {"DHpGeomA(10,4,3,3)", 0, 1}, {"DHpGeomA(10,4,3,1,2)", 0, 0.8L, kT},
    {"DHpGeomA(10,4,3,2,1)", 0, 0}, {"DHpGeom(10,11,3,1)", 0, 0, 0, 14}, {"DHpGeom(70000,4,3,1)", 0, 0, 0, 14},
    {"DHpGeom(-1,0,0,0)", 0, 0, 0, 14}, {"DHpGeom(10,4,3,65536)", 0, 0, 0, 14},
    {"DHpGeomA(10,4,3,0,70000)", 0, 0, 0, 14}, {"DHpGeomA(10,4,3,-1)", 0, 0, 0, 14},
    {"DHpGeom(65535,4,3,1)", 0, 0.000183091498442419310219632026263L, kLgamma},
    {"DHpGeomA(3000,1500,10,10)", 0, 1, kLgamma}, {"DPoisson(2,0)", 0, 0.135335283236612691893999494972L, kT},
    {"DPoisson(2,3)", 0, 0.180447044315483589191999326630L, kT}, {"DPoisson(0,0)", 0, 1},
    {"DPoisson(2,-1)", 0, 0, 0, 14}, {"DPoisson(2,3e9)", 0, 0, 0, 14},
    {"DPoissonA(2,1)", 0, 0.406005849709838075681998484917L, kT}, {"DPoissonA(2,1,0)", 0, 0},
    {"DPoissonA(2,0,1)", 0, 0.406005849709838075681998484917L, kT}, {"DPoissonA(1,0,2e9)", 0, 0, 0, 12},
    // The inverse of each function solves an equation through it; the others say so.
    {"sen(?)=0.5", 1, 30, kInversa}, {"cos(?)=0.5", 1, 60, kInversa}, {"tg(?)=1", 2, 50, kInversa},
    {"arcsin(?)=90", 1, 1, kInversa}, {"arccos(?)=0", 0, 1, kInversa}, {"arctan(?)=45", 1, 1, kInversa},
    {"GMSRad(?)=Pi", 0, 180, kInversa}, {"RadGMS(?)=12.3", 0, 12.5L * kPi / 180, kInversa},
    {"sinh(?)=0", 0, 0, kInversa}, {"cosh(?)=1", 0, 0, kInversa},
    {"tanh(?)=0.5", 0, 0.549306144334054845697622618461L, kInversa},
    {"arcsinh(?)=1", 0, 1.17520119364380145688238185060L, kInversa}, {"arccosh(?)=0", 0, 1, kInversa},
    {"arctanh(?)=0", 0, 0, kInversa}, {"Rcp(?)=4", 0, 0.25L, kInversa},
    {"ln(?)=1", 0, 2.71828182845904523536028747135L, kInversa}, {"log(?)=3", 0, 1000, kInversa},
    {"sqr(?)=9", 0, 3, kInversa}, {"sqrt(?)=3", 0, 9, kInversa}, {"exp(?)=1", 0, 0, kInversa},
    {"exp10(?)=100", 0, 2, kInversa}, {"Abs(?)=1", 0, 0, 0, 20}, {"Int(?)=1", 0, 0, 0, 20}, {"Fact(?)=6", 0, 0, 0, 20},
    {"GMS(?)=1", 0, 0, 0, 20}, {"Rd(?)=2", 0, 0, 0, 20}, {"Frac(?)=0.5", 0, 0, 0, 20}, {"DNormStd(?)=0.1", 0, 0, 0, 20},
};
INSTANTIATE_TEST_SUITE_P(Tabla, PredefinidasExpr, ::testing::ValuesIn(kCasos));

// ---------------------------------------------------------------- engine-level behaviour

using prueba::MotorX;

std::string Lista(const char* fun, int n, const char* arg) {
    std::string t = std::string(fun) + "(";
    for (int i = 0; i < n; ++i) t += (i ? "," : "") + std::string(arg);
    return t + ")";
}

TEST(PredefinidasMotor, RandomIsUniformInUnitIntervalAndNeverFrozen) {
    MotorX m;
    TExpresionX& e = m.e;
    e.SetTexto("Ale");
    long double menor = 1, mayor = 0, anterior = -1;
    int repetidos = 0;
    for (int i = 0; i < 2000; ++i) {
        const long double v = e.Valor();
        ASSERT_FALSE(e.HayError);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 1);
        menor = std::fmin(menor, v);
        mayor = std::fmax(mayor, v);
        if (v == anterior) ++repetidos;
        anterior = v;
    }
    EXPECT_LT(menor, 0.01L);
    EXPECT_GT(mayor, 0.99L);
    EXPECT_EQ(repetidos, 0);
    EXPECT_LT(m.Eval("Rnd"), 1);
}

// Ale draws once per evaluation: a local holding it keeps one value
// throughout, Max and Min give the value they chose, and a user function
// without parameters draws anew each time.
TEST(PredefinidasMotor, AleUnValorPorEvaluacion) {
    const struct { const char* texto; long double menor, mayor; } filas[] = {
        {"r:Ale;r-r", 0, 0}, {"r:Ale;r/r", 1, 1}, {"r:Ale;s:r+r;s-2*r", 0, 0}, {"r:Ale;(r-r)*1000+r^0", 1, 1},
        {"r:Ale;Max(r,r)-Min(r,r)", 0, 0}, {"Max(Ale,0.5)", 0.5L, 1}, {"Max(0.5,Ale)", 0.5L, 1},
        {"Max(Ale,Ale,0.5,Ale)", 0.5L, 1}, {"Min(Ale,0.5)", 0, 0.5L}, {"Min(0.5,Ale,Ale)", 0, 0.5L}, {"Azar0", 0, 1},
    };
    MotorX m;
    m.e.AgregarUsuario("Azar0", "Ale", "sin parámetros");
    for (const auto& f : filas) {
        m.e.SetTexto(f.texto);
        ASSERT_FALSE(m.e.HayError) << f.texto << ": " << m.e.Mensaje;
        const long double primero = m.e.Valor();
        int distintos = 0;
        for (int k = 0; k < 200; ++k) {
            m.e.Forzar = f.menor == f.mayor && k % 2 == 0;  // a fixed result also with the cache bypassed
            const long double v = m.e.Valor();
            EXPECT_TRUE(v >= f.menor && v <= f.mayor) << f.texto << " dio " << prueba::Texto21(v);
            distintos += v != primero;
        }
        EXPECT_TRUE(f.mayor - f.menor < 1 || distintos > 0) << f.texto << " quedó fija en su primer valor";
    }
}

TEST(PredefinidasMotor, UnlimitedFunctionsTakeAnyCount) {
    MotorX m;
    EXPECT_EQ(m.Eval(Lista("Suma", 1000, "1")), 1000);
    EXPECT_EQ(m.Eval(Lista("Prom", 700, "3")), 3);
    EXPECT_EQ(m.Eval(Lista("Max", 600, "2") + "+" + Lista("Min", 600, "2")), 4);
    EXPECT_EQ(m.Eval(Lista("Poli", 301, "1")), 300);  // 300 coefficients of 1
    EXPECT_EQ(m.Eval("PrmR(300," + Lista("Suma", 300, "1").substr(5)), Factorial(300));
    EXPECT_FALSE(m.e.HayError) << m.e.Mensaje;
}

// Wrong argument counts, and counts far beyond what fits (refused at once,
// never looped through), fail; a long loop can be cancelled.
TEST(PredefinidasMotor, RefusedAndCancelled) {
    MotorX m;
    for (const char* t : {"Max(1)", "hipot(1,2,3)", "DNormStdA(1,2,3)", "DHpGeomA(1,1,1)", "DPoisson(1)",
                          "DNormalA(1,2)", "Fact(2e9)", "Var(2e9,2e9)", "Var(2147483647,2147483647)", "CmbR(2e9,2e9)",
                          "DPoissonA(1,-2147483648,2147483647)", "DBinomA(1700,0,2147483647,0.5)",
                          "DBinomNegA(1,2147483647,1,0.5)", "DHpGeomA(65535,0,0,0,65535)"}) {
        m.Eval(t);
        EXPECT_TRUE(m.e.HayError) << t;
    }
    m.e.Cancelar = [] { return true; };
    m.Eval("x:Ale;" + Lista("Suma", 20000, "x"));
    EXPECT_TRUE(m.e.HayError && m.e.Cancelado);
    TExpresionX sinTabla;  // without the built-in table only the fixed functions exist
    EXPECT_EQ(sinTabla.Buscar("sen"), nullptr);
    EXPECT_NE(sinTabla.Buscar("Si"), nullptr);
}

}  // namespace
}  // namespace numbrix
