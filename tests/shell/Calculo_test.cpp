// The calculus functions of the shell, through a real-mode engine whose x and
// n are prompting getters, as the session registers them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "Aproximado.h"
#include "Ayudas.h"
#include "shell/Calculo.h"

using namespace numbrix;

namespace {

constexpr long double kX = 5;   // what the user answers for x
constexpr long double kN = 10;  // and for n
constexpr long double kAntesX = 42, kAntesN = 43;  // slot values left from an earlier evaluation

struct Salida { long double valor = 0; bool error = false; int codigo = 0; std::string mensaje; };

class Calculo : public ::testing::Test {
protected:
    Calculo() {
        x.letra = 'x';
        n.letra = 'n';
        e.SetPredefinidas(true);
        e.Silencioso = true;
        Pregunta(x, kX);
        Pregunta(n, kN);
        // Counts its evaluations; reads x like any body would.
        e.AgregarFuncion0("Cuenta", [this](ContextoX&) { ++cuenta; return x.valor; }, "", MakeVariable);
        DibujosCalculo d;
        d.sumatoria.medir = [](Diagrama<DominioReal>&, const TEvalX&, int) { return CajaFormula{}; };
        RegistrarCalculo(e, x, n, true, d);
    }

    // The session's prompting getter: the slot when marked, else one prompt.
    void Pregunta(VariablePregunta& v, long double respuesta) {
        VariablePregunta* p = &v;
        e.AgregarFuncion0(
            std::string(1, v.letra),
            [this, p, respuesta](ContextoX&) {
                if (p->preguntada) return p->valor;
                ++preguntas[p->letra];
                p->valor = respuesta;
                p->preguntada = true;
                return p->valor;
            },
            "", MakeVariable);
    }

    Salida Evaluar(const std::string& texto) {
        x.valor = kAntesX;
        n.valor = kAntesN;
        x.preguntada = n.preguntada = false;
        preguntas.clear();
        cuenta = 0;
        Salida s;
        e.SetTexto(texto);
        if (!e.HayError) s.valor = e.Valor();
        s.error = e.HayError;
        s.codigo = static_cast<int>(e.CodigoError);
        s.mensaje = e.Mensaje;
        return s;
    }

    // After the call, each variable is as the expression's own reads left it:
    // untouched when never read outside the functions, asked once otherwise.
    void EsperaVariables(const std::string& texto, int px, int pn) {
        EXPECT_EQ(preguntas['x'], px) << texto;
        EXPECT_EQ(preguntas['n'], pn) << texto;
        EXPECT_EQ(x.valor, px ? kX : kAntesX) << texto;
        EXPECT_EQ(x.preguntada, px > 0) << texto;
        EXPECT_EQ(n.valor, pn ? kN : kAntesN) << texto;
        EXPECT_EQ(n.preguntada, pn > 0) << texto;
    }

    VariablePregunta x, n;
    std::map<char, int> preguntas;
    int cuenta = 0;
    TExpresionX e;
};

struct CasoValor { const char* texto; long double esperado, tolerancia = 0; int preguntasX = 0, preguntasN = 0; };

const long double kRaiz2 = std::sqrt(2.0L);

const CasoValor kValores[] = {
    {"Integrar(0,1,x^2)", 1.0L / 3, 1e-17L},
    {"Integrar(2,2,1/(x-2))", 0},  // the body would divide by zero
    {"Integrar(0,1,3,x)", 0},      // no panel
    {"Integrar(0,1,-5,x)", 0},
    {"Integrar(0,1,4,x^5)", 1.0L / 6, 1e-17L},  // Boole is exact up to degree 5
    {"Integrar(1,0,x)", -0.5L, 1e-18L}, {"Integrar(0,pi,sen(x))", 2, 1e-10L},
    {"Integrar(0,1,Integrar(0,x,x))", 1.0L / 6, 1e-17L},  // the inner bound reads the outer x
    {"Integrar(0,x,1)", kX, 1e-16L, 1},  // a bound reads the user's x
    {"Integrar(0,1,x)+x", 0.5L + kX, 1e-17L, 1}, {"x+Integrar(0,1,x)+x", 0.5L + 2 * kX, 1e-17L, 1},
    {"Evaluar(2,x^3)", 8}, {"Evaluar(2,x)+x", 2 + kX, 0, 1},
    {"a:x;Evaluar(2,a)+a", 2 + kX, 0, 1},  // a shared node read after the call asks the user
    {"a:x;a+Evaluar(2,a)", kX + 2, 0, 1}, {"Evaluar(x+1,x)", kX + 1, 0, 1}, {"Sumatoria(1,10,n)", 55},
    {"Producto(1,5,n)", 120}, {"Sumatoria(5,1,n)", 0}, {"Producto(5,1,n)", 1}, {"Sumatoria(3,3,n)", 3},
    {"Sumatoria(-2,2,n^2)", 10},
    {"Sumatoria(0.5,2.5,n)", 3},  // bounds round half to even: 0..2
    {"Sumatoria(1.5,3.5,n)", 9},  // 2..4
    {"Producto(1,3,n+0.5)", 13.125L}, {"Sumatoria(1,3,Sumatoria(1,n,n))", 10}, {"Sumatoria(1,3,n)+n", 6 + kN, 0, 0, 1},
    {"Sumatoria(1,n,1)", kN, 0, 0, 1}, {"Sumatoria(1,4,x)", 4 * kX, 0, 1},
    {"Sumatoria(9223372036854775806,9223372036854775807,1)", 2},
    {"Sumatoria(-9223372036854775808,-9223372036854775807,n)", -18446744073709551615.0L}, {"Derivar(3,x^2)", 6, 1e-12L},
    {"Derivar(0,sen(x))", 1, 1e-12L}, {"Derivar(3,x^2)+x", 6 + kX, 1e-12L, 1}, {"Det(1,2,3,4)", -2}, {"Det(7)", 7},
    {"Det(2,0,0,0,3,0,0,0,4)", 24}, {"Det(0,1,0,0,0,1,1,0,0)", 1},
    {"Det(0,1,2,0,3,4,0,5,6)", 0},  // a zero pivot column
    {"Det(0,0,0,0)", 0}, {"Det(1,2,3,4,5,6,7,8,10)", -3, 1e-17L}, {"Det(x,1,1,x)", kX * kX - 1, 0, 1},
    {"Resolver(x^2=2,1,2)", kRaiz2, 1e-18L}, {"Resolver(2=x^2,1,2)", kRaiz2, 1e-18L},
    {"Resolver(x^2-2,1,2)", kRaiz2, 1e-18L}, {"Resolver(x^3-x-1,1,2)", 1.32471795724474602596L, 1e-18L},
    {"Resolver(x^2=2,1,2)+x", kRaiz2 + kX, 1e-17L, 1},
};

void PrintTo(const CasoValor& c, std::ostream* os) { *os << c.texto; }

class ValoresCalculo : public Calculo, public ::testing::WithParamInterface<CasoValor> {};

TEST_P(ValoresCalculo, ValorYVariablesRestauradas) {
    const auto& c = GetParam();
    Salida s = Evaluar(c.texto);
    ASSERT_FALSE(s.error) << c.texto << ": " << s.mensaje;
    // Compared and printed as long doubles: through double the last digits
    // of a failure would not show.
    EXPECT_LE(std::fabs(s.valor - c.esperado), c.tolerancia)
        << c.texto << std::setprecision(21) << ": " << s.valor << " en lugar de " << c.esperado;
    EsperaVariables(c.texto, c.preguntasX, c.preguntasN);
}

INSTANTIATE_TEST_SUITE_P(Calculo, ValoresCalculo, ::testing::ValuesIn(kValores));

struct CasoError {
    const char* texto;
    const char* mensaje;  // nullptr: the engine's own message for the code
    int codigo;
    int preguntasX = 0, preguntasN = 0;
};

const CasoError kErrores[] = {
    // Arguments that are all constant are folded while compiling (code 18).
    {"Det(1,2,3,4,5)", "La matriz debe ser cuadrada", 18}, {"Det(x,2,3,4,5)", "La matriz debe ser cuadrada", 19},
    {"Resolver(x>1,0,2)", "Resolver no opera con inecuaciones", 19},
    {"Resolver(x<>1,0,2)", "Resolver no opera con inecuaciones", 19}, {"Resolver(5,0,1)", "Necesita una función", 18},
    {"Resolver(5,0,x)", "Necesita una función", 19}, {"Resolver(1=1,x,1)", "Necesita una función", 19},
    {"Resolver(x^2+1,0,1)", "No ha sido posible hallar ninguna raíz. Intente con otro rango", 19},
    {"Resolver(x^2=-1,0,x)", "No ha sido posible hallar ninguna raíz. Intente con otro rango", 19, 1},
    {"Sumatoria(1,1e19,1)", "Límite fuera de rango", 18}, {"Sumatoria(1,1e19,n)", "Límite fuera de rango", 19},
    {"Sumatoria(-1e19,n,n)", "Límite fuera de rango", 19},
    {"Producto(9223372036854775807,9223372036854775808,n)", "Límite fuera de rango", 19},
    {"Integrar(0,1,1e19,x)", "Número de intervalos fuera de rango", 19},
    {"Integrar(0,1,-1e30,x)", "Número de intervalos fuera de rango", 19}, {"Sumatoria(1,3,1/(n-2))", nullptr, 11},
    {"Producto(1,100000,n)", nullptr, 12}, {"Evaluar(1,1/(x-1))", nullptr, 11},
    {"Integrar(0,1,ln(x-2))+x", nullptr, 15},
    {"x+Derivar(0,ln(x))", nullptr, 11, 1, 0},  // ln(0) at the point itself
};

void PrintTo(const CasoError& c, std::ostream* os) { *os << c.texto; }

class ErroresCalculo : public Calculo, public ::testing::WithParamInterface<CasoError> {};

TEST_P(ErroresCalculo, MensajeYVariablesRestauradas) {
    const auto& c = GetParam();
    Salida s = Evaluar(c.texto);
    ASSERT_TRUE(s.error) << c.texto;
    EXPECT_EQ(s.codigo, c.codigo) << c.texto << ": " << s.mensaje;
    if (c.mensaje) { EXPECT_EQ(s.mensaje, c.mensaje) << c.texto; }
    EsperaVariables(c.texto, c.preguntasX, c.preguntasN);
}

INSTANTIATE_TEST_SUITE_P(Calculo, ErroresCalculo, ::testing::ValuesIn(kErrores));

TEST_F(Calculo, CadaArgumentoSeEvaluaLasVecesJustas) {
    std::string det25 = "Det(Cuenta";
    for (int i = 1; i < 25; ++i) det25 += ",Cuenta";
    det25 += ")";
    const std::pair<std::string, int> casos[] = {
        {"Integrar(2,2,Cuenta)", 0}, {"Integrar(0,1,3,Cuenta)", 0}, {"Integrar(0,1,8,Cuenta)", 10},
        {"Integrar(0,1,Cuenta)", 125}, {"Sumatoria(1,10,Cuenta)", 10}, {"Producto(3,1,Cuenta)", 0},
        {"Derivar(1,Cuenta)", 5}, {"Evaluar(1,Cuenta)", 1},
        {det25, 25},  // once each: no cofactor expansion
    };
    for (const auto& [texto, evaluaciones] : casos) {
        Salida s = Evaluar(texto);
        EXPECT_FALSE(s.error) << texto << ": " << s.mensaje;
        EXPECT_EQ(cuenta, evaluaciones) << texto;
    }
}

TEST_F(Calculo, DetHastaQuinceFilas) {
    std::string t = "Det(1";
    for (int i = 1; i < 225; ++i) t += (i % 16 == 0) ? ",2" : ",0";
    Salida s = Evaluar(t + ")");
    ASSERT_FALSE(s.error) << s.mensaje;
    EXPECT_EQ(s.valor, 16384);  // 1 and fourteen 2s on the diagonal
    s = Evaluar(t + ",0)");
    EXPECT_TRUE(s.error);
}

// ---------------------------------------------------------------- cancelling

TEST_F(Calculo, BuclesLargosSeCancelan) {
    int sondeos = 0;
    e.Cancelar = [&sondeos] { return ++sondeos >= 3; };
    for (const char* t : {"Sumatoria(1,1e12,n)", "Producto(1,1e12,1+n*1e-13)", "Integrar(0,1,1e12,x)",
                          "Sumatoria(1,1e12,1)", "x+Resolver(Sumatoria(1,1e12,n)-x,0,1)"}) {
        sondeos = 0;
        Salida s = Evaluar(t);
        ASSERT_TRUE(s.error) << t;
        EXPECT_EQ(s.mensaje, "Cálculo cancelado") << t;
        EXPECT_EQ(sondeos, 3) << t;
        EsperaVariables(t, t[0] == 'x' ? 1 : 0, 0);
    }
    // Never cancelled: the loop runs to the end.
    e.Cancelar = [&sondeos] { ++sondeos; return false; };
    sondeos = 0;
    Salida s = Evaluar("Sumatoria(1,100000,n)");
    ASSERT_FALSE(s.error) << s.mensaje;
    EXPECT_EQ(s.valor, 5000050000.0L);
    EXPECT_GT(sondeos, 10);
}

// ---------------------------------------------------------------- helpers

TEST(EnteroAcotado, RedondeoYRango) {
    const std::pair<long double, std::int64_t> buenos[] = {{2.5L, 2},   {3.5L, 4}, {-2.5L, -2}, {-0.4L, 0}, {0x1p63L - 1, INT64_MAX},
                           {-0x1p63L, INT64_MIN}, {1e18L, 1000000000000000000LL}};
    for (const auto& [v, esperado] : buenos) EXPECT_EQ(EnteroAcotado(v, "m"), esperado) << static_cast<double>(v);
    const long double malos[] = {0x1p63L, -0x1p63L - 1, 1e300L, std::numeric_limits<long double>::infinity(),
                                 -std::numeric_limits<long double>::infinity(),
                                 std::numeric_limits<long double>::quiet_NaN()};
    for (long double v : malos)
        EXPECT_EQ(prueba::MensajeLanzado<EMathError>([&] { EnteroAcotado(v, "fuera"); }), "fuera")
            << static_cast<double>(v);
}

long double Cofactores(const std::vector<long double>& a, int n) {
    return prueba::Cofactores([&](int f, int c) { return a[static_cast<std::size_t>(f * n + c)]; }, n);
}

TEST(Determinante, IgualQueLosCofactoresEnMatricesAleatorias) {
    std::mt19937_64 azar(20240611);
    std::uniform_int_distribution<int> entero(-9, 9);
    std::uniform_real_distribution<double> real(-1e3, 1e3);
    for (int prueba = 0; prueba < 600; ++prueba) {
        const int n = 1 + prueba % 7;
        const bool enteros = prueba % 2 == 0;
        std::vector<long double> a(static_cast<std::size_t>(n * n));
        for (auto& v : a) v = enteros ? entero(azar) : real(azar);
        if (prueba % 10 == 3 && n > 1)  // a repeated row: singular
            for (int c = 0; c < n; ++c) a[static_cast<std::size_t>(n + c)] = a[static_cast<std::size_t>(c)];
        // Rounding is relative to Hadamard's bound, the product of the row norms.
        long double cota = 1;
        for (int r = 0; r < n; ++r) {
            long double s = 0;
            for (int c = 0; c < n; ++c) s += a[static_cast<std::size_t>(r * n + c)] * a[static_cast<std::size_t>(r * n + c)];
            cota *= std::sqrt(s) + 1;
        }
        const long double ref = Cofactores(a, n);
        const long double det = Determinante(a, n);
        EXPECT_LE(std::fabs(det - ref), cota * 1e-16L) << "n=" << n << " prueba " << prueba;
        if (enteros && n <= 3) { EXPECT_NEAR(static_cast<double>(det), static_cast<double>(ref), 1e-9); }
    }
}

TEST(Determinante, ExtremosDelRango) {
    // Pivots whose running product leaves the range while the result does not.
    const long double grande = 1e3000L, chico = 1e-3000L;
    const long double d = Determinante({grande, 0, 0, 0, grande, 0, 0, 0, chico}, 3);
    EXPECT_NEAR(static_cast<double>(d / grande), 1.0, 1e-15);
    EXPECT_EQ(prueba::CodigoLanzado([&] { Determinante({grande, 0, 0, 0, grande, 0, 0, 0, 1}, 3); }),
              CodigoError::Desbordamiento);
    EXPECT_EQ(Determinante({chico, 0, 0, chico}, 2), 0);  // underflow is not an error
}

// Det in the engine against the definition (the cofactor expansion, up to 7
// rows) and, up to 15 rows, against what a determinant must do: the same for
// the transpose, the sign changed when two rows are exchanged.
TEST_F(Calculo, DetEnElMotorLeeLasFilasEnOrden) {
    std::mt19937_64 azar(7);
    std::uniform_int_distribution<int> entero(-50, 50);
    for (int n : {3, 5, 7, 12, 15}) {
        std::vector<long double> a(static_cast<std::size_t>(n * n));
        for (auto& v : a) v = entero(azar);
        auto texto = [n](const std::vector<long double>& m, bool traspuesta, bool cambiar) {
            std::string t = "Det(";
            for (int f = 0; f < n; ++f)
                for (int c = 0; c < n; ++c) {
                    int fila = cambiar && f < 2 ? 1 - f : f;  // the first two rows exchanged
                    const long double v = traspuesta ? m[static_cast<std::size_t>(c * n + fila)] : m[static_cast<std::size_t>(fila * n + c)];
                    t += (f || c ? "," : "") + std::to_string(static_cast<int>(v));
                }
            return t + ")";
        };
        const long double det = Evaluar(texto(a, false, false)).valor;
        if (n <= 7) { EXPECT_NEAR(static_cast<double>(det / Cofactores(a, n)), 1.0, 1e-15) << n; }
        EXPECT_CERCA_REL(Evaluar(texto(a, true, false)).valor, det, 1e-14L) << n;
        EXPECT_CERCA_REL(Evaluar(texto(a, false, true)).valor, -det, 1e-14L) << n;
    }
}

}  // namespace
