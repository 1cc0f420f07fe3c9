// The rational-mode engine: fraction literals, exact arithmetic and powers,
// truth values, built-ins, solving, settings per engine and its failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "engine/ExpresionX.h"
#include "numbers/ExpresionQ.h"

using namespace numbrix;

namespace numbrix {
// Readable failures: "3/2" rather than the object's bytes.
static void PrintTo(const TFrac& f, std::ostream* os) { *os << f.Num() << "/" << f.Den(); }
}  // namespace numbrix

namespace {

struct MotorQ {
    TExpresionQ e;
    std::shared_ptr<TVariableQ> x, y;
    explicit MotorQ(std::uint32_t maxDen = 1000) {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        e.Ajustes.extra.DenominadorMax = maxDen;
        x = e.AgregarVariable("x");
        y = e.AgregarVariable("y");
    }
    TFrac Eval(const std::string& t) {
        e.SetTexto(t);
        return e.Valor();
    }
};

struct CasoQ {
    const char* texto;
    std::int64_t num;
    std::uint32_t den;
};

class ValoresQ : public ::testing::TestWithParam<CasoQ> {};

TEST_P(ValoresQ, Exactos) {
    const auto& c = GetParam();
    MotorQ m;
    m.x->AsignarValor(TFrac(3));
    m.y->AsignarValor(TFrac(0));
    TFrac v = m.Eval(c.texto);
    ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
    EXPECT_EQ(v, TFrac(c.num, c.den)) << c.texto << " = " << v.Num() << "/" << v.Den();
}

INSTANTIATE_TEST_SUITE_P(Racional, ValoresQ, ::testing::Values(
    // literals: fractions before any bar divides; only literals are read so
    CasoQ{"1/3+1/6", 1, 2}, CasoQ{"0.5+1|3", 5, 6}, CasoQ{"1|1|2", 3, 2}, CasoQ{"3 | 4", 3, 4},
    CasoQ{"-1|1|2", -3, 2}, CasoQ{"0|1|2", 1, 2}, CasoQ{"2*1|1|2", 3, 1}, CasoQ{"x|2", 3, 2},
    CasoQ{"(1+2)|3", 1, 1}, CasoQ{"x|1|2", 3, 2}, CasoQ{"1.5|2", 3, 4}, CasoQ{"1|2|3|4", 5, 12},
    CasoQ{"1|2x", 3, 2}, CasoQ{"2^1|2", 1393, 985}, CasoQ{"6|4", 3, 2}, CasoQ{"1|2e1", 1, 20},
    CasoQ{"f:\"1|2\";f*4", 2, 1}, CasoQ{"r:1|2;r*r", 1, 4}, CasoQ{"{a|b} 1|4", 1, 4},
    CasoQ{"9223372036854775807|9223372036854775807", 1, 1}, CasoQ{"FF[16]", 255, 1}, CasoQ{"0.8[16]", 1, 2},
    CasoQ{"0.3333", 1, 3}, CasoQ{"2x", 6, 1}, CasoQ{"(10)%", 1, 10}, CasoQ{"0/5", 0, 1},
    // exact integral powers by squaring; others through the reals
    CasoQ{"2^-11", 1, 2048}, CasoQ{"(1|50)^2", 1, 2500}, CasoQ{"(2|3)^-2", 9, 4}, CasoQ{"(-2)^3", -8, 1},
    CasoQ{"0^0", 1, 1}, CasoQ{"2^62", 4611686018427387904LL, 1}, CasoQ{"(-1)^1000000000001", -1, 1},
    CasoQ{"2^(1/2)", 1393, 985}, CasoQ{"4^(1/2)", 2, 1}, CasoQ{"8\\3", 2, 1}, CasoQ{"(8|27)\\3", 2, 3},
    CasoQ{"LogN(8,2)", 3, 1}, CasoQ{"8\xC2\xA3" "2", 3, 1},
    // truth values 1 and -1, comparisons, logic
    CasoQ{"1|3>0", 1, 1}, CasoQ{"1|3<0", -1, 1}, CasoQ{"1|3=2|6", 1, 1}, CasoQ{"1|3<>2|6", -1, 1},
    CasoQ{"1<2<3", 1, 1}, CasoQ{"1<3<2", -1, 1}, CasoQ{"1|2>=1|2", 1, 1}, CasoQ{"1<2 & 2<3", 1, 1},
    CasoQ{"y & 1/y", -1, 1}, CasoQ{"-1 $ 1", 1, 1}, CasoQ{"1 ! 1", -1, 1},
    CasoQ{"Si(1|2-1,1,2)", 2, 1}, CasoQ{"Si(1,2,1/y)", 2, 1}, CasoQ{"If(x,1|2,0)", 1, 2},
    // built-ins
    CasoQ{"Rcp(4)", 1, 4}, CasoQ{"Rcp(-2|3)", -3, 2}, CasoQ{"sqr(2|3)", 4, 9}, CasoQ{"cuad(x)", 9, 1},
    CasoQ{"sqrt(9|4)", 3, 2}, CasoQ{"raiz(2)", 1393, 985}, CasoQ{"Abs(-3|4)", 3, 4}));

TEST(Racional, LaBarraDelModoRealSigueSiendoDivision) {
    TExpresionX e;
    e.SetTexto("1|1|2");
    EXPECT_DOUBLE_EQ(static_cast<double>(e.Valor()), 0.5);
}

struct CasoErrorQ {
    const char* texto;
    const char* mensaje;
};

class ErroresQ : public ::testing::TestWithParam<CasoErrorQ> {};

TEST_P(ErroresQ, Fallan) {
    MotorQ m;
    m.x->AsignarValor(TFrac(0));
    m.Eval(GetParam().texto);
    EXPECT_TRUE(m.e.HayError) << GetParam().texto;
    EXPECT_EQ(m.e.Mensaje, GetParam().mensaje) << GetParam().texto;
}

INSTANTIATE_TEST_SUITE_P(Racional, ErroresQ, ::testing::Values(
    CasoErrorQ{"5/0", "División por cero"}, CasoErrorQ{"0/0", "División por cero"},
    CasoErrorQ{"1/x", "División por cero"}, CasoErrorQ{"x/x", "División por cero"},
    CasoErrorQ{"1|0", "División por cero"}, CasoErrorQ{"Rcp(0)", "División entre cero"},
    CasoErrorQ{"Rcp(0)*0", "División entre cero"}, CasoErrorQ{"Rcp(x)*0", "División entre cero"},
    CasoErrorQ{"2^63", "Desbordamiento entero"}, CasoErrorQ{"9223372036854775807+1", "Desbordamiento entero"},
    CasoErrorQ{"(1|65536)^2", "Desbordamiento entero"}, CasoErrorQ{"2^-40", "Desbordamiento entero"},
    CasoErrorQ{"9223372036854775808", "Desbordamiento entero"},
    CasoErrorQ{"99999999999999999999|3", "Desbordamiento entero"}, CasoErrorQ{"1e30", "Desbordamiento entero"},
    CasoErrorQ{"1e5000", "Desbordamiento: el resultado es demasiado grande"},
    CasoErrorQ{"(-8)^(1|3)", "Operación no válida"}, CasoErrorQ{"sqrt(-4)", "Operación no válida"},
    CasoErrorQ{"LogN(0,2)", "División por cero"}, CasoErrorQ{"LogN(2,1)", "División por cero"},
    CasoErrorQ{"Pi", "Identificador desconocido: \"Pi\""}, CasoErrorQ{"Sim(1,2)", "Identificador desconocido: \"Sim(1,2)\""}));

TEST(Racional, ResuelveExacto) {
    struct Caso {
        const char* texto;
        TFrac esperado;
    } casos[] = {
        {"2*x+1=7", TFrac(3)}, {"x^2=9|4", TFrac(3, 2)}, {"1|3*x=1", TFrac(3)}, {"sqrt(x)=3", TFrac(9)},
        {"Rcp(x)=4", TFrac(1, 4)}, {"10/x=4", TFrac(5, 2)}, {"2^x=8", TFrac(3)}, {"x\\3=2|3", TFrac(8, 27)},
    };
    for (const auto& c : casos) {
        MotorQ m;
        m.e.SetTexto(c.texto);
        ASSERT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
        TFrac v = m.e.ResolverPara(m.x.get());
        EXPECT_FALSE(m.e.HayError) << c.texto << ": " << m.e.Mensaje;
        EXPECT_EQ(v, c.esperado) << c.texto;
    }
    MotorQ m;
    m.e.SetTexto("Abs(x)=2");
    m.e.ResolverPara(m.x.get());
    EXPECT_EQ(m.e.Mensaje, "Una o mas funciones no se pueden despejar");
}

TEST(Racional, FuncionesDeUsuarioSinEnvoltura) {
    MotorQ m;
    m.x->AsignarValor(TFrac(3));
    m.e.AgregarUsuario("Media", "(?a+?b)/2", "");
    EXPECT_EQ(m.Eval("Media(1|3,x)"), TFrac(5, 3));
    ASSERT_TRUE(m.e.Arbol);
    EXPECT_NE(m.e.Arbol->Clase(), ClaseNodo::FunUser);
    EXPECT_EQ(m.Eval("Media(1,2)"), TFrac(3, 2));
}

TEST(Racional, AjustesPropiosDeCadaMotor) {
    // The maximum denominator converts decimals, non-integral powers and
    // logarithms; each engine keeps its own.
    MotorQ diez(10), diezMil(10000);
    EXPECT_EQ(diez.Eval("0.3333"), TFrac(1, 3));
    EXPECT_EQ(diezMil.Eval("0.3333"), TFrac(3333, 10000));
    EXPECT_EQ(diez.Eval("2^(1/2)"), TFrac(7, 5));
    EXPECT_EQ(diez.Eval("LogN(10,2)"), TFrac(10, 3));
    // A new maximum applies once the text is compiled again.
    diez.e.Ajustes.extra.DenominadorMax = 10000;
    diez.e.SetTexto("");
    EXPECT_EQ(diez.Eval("0.3333"), TFrac(3333, 10000));
}

TEST(Racional, TextoExactoSeLeeIgual) {
    for (TFrac f : {TFrac(-7, 2), TFrac(0), TFrac(5), TFrac(1, 4294967295u), TFrac(INT64_MAX, 3), TFrac(INT64_MIN),
                    TFrac(INT64_MIN, 3)}) {
        MotorQ m;
        m.e.SetTextoValor(f);
        EXPECT_EQ(m.e.Valor(), f) << m.e.Texto();
        EXPECT_FALSE(m.e.HayError) << m.e.Texto() << ": " << m.e.Mensaje;
    }
}

TEST(Racional, ElResultadoSeReutilizaHastaQueCambiaUnaVariable) {
    MotorQ m;
    m.x->AsignarValor(TFrac(1, 2));
    EXPECT_EQ(m.Eval("x+1|3"), TFrac(5, 6));
    m.x->AsignarValor(TFrac(1, 3));
    EXPECT_EQ(m.e.Valor(), TFrac(2, 3));
}

TEST(Racional, LiteralesFraccion) {
    struct Caso {
        const char* texto;
        std::size_t inicio, largo;
    } casos[] = {
        {"1|2", 0, 3}, {"1|1|2+3", 0, 5}, {"1.0|2", 0, 5}, {"1.5|2", 0, 0}, {"1|2.5", 0, 0},
        {"12|34|56|7", 0, 8}, {"1|", 0, 0}, {"|2", 0, 0}, {"2e3|1e1", 0, 7}, {"x+10|4", 2, 4},
    };
    for (const auto& c : casos) EXPECT_EQ(LargoLiteralFraccion(c.texto, c.inicio), c.largo) << c.texto;
    EXPECT_EQ(DominioRacional::PrepararTexto("x|1 | 2 + (1|2)|3 + {c|d} 4|5|6|7"), "x/1/2+(1|2)/3+4|5|6/7");
    EXPECT_EQ(DominioRacional::PrepararTexto("a1|2 + F[16]|2 + 1.5|2"), "a1/2+F[16]/2+1.5/2");
}

}  // namespace
