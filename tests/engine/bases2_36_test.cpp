#include "engine/bases2_36.h"

#include <gtest/gtest.h>

#include "Aproximado.h"

#include <cmath>
#include <limits>
#include <random>

namespace numbrix {
namespace {

// A number text read with its base from the text: the value, or the message
// of the failure (the value is then 0), and the base it was read in.
struct CasoLectura {
    const char* texto;
    long double valor;
    const char* mensaje = "";  // "" when the read succeeds
    int base = 10;
};

const CasoLectura kLecturas[] = {
    {"+5", 5}, {"1e-2", 1e-2L}, {" 1 234.5 ", 1234.5L}, {"-1.5e+3", -1500}, {".5", 0.5L}, {"5.", 5},
    {"1e", 0, "Falta exponente despues de \"e\""}, {"1e+", 0, "Falta exponente despues de \"e\""},
    {"1e2.5", 0, "Exponente debe ser entero"}, {"1.2.3", 0, "Error de sintaxis (punto decimal repetido)"},
    {"1e2e3", 0, "Error de sintaxis (exp repetido)"}, {"1-2", 0, "Error de sintaxis (\"-\")"},
    {"1+2", 0, "Error de sintaxis (\"+\")"}, {"1,5", 0, "Error de sintaxis (Caracter no reconocido)"},
    {"1£", 0, "Error de sintaxis (Caracter no reconocido)"}, {"", 0, "Vacio"}, {"   ", 0, "Vacio"},
    {"h", 0, "Vacio", 16}, {"hae5", 0, "Expresión ambigua", 16},
    {"hAe5", 10485760, "", 16},  // 10 x 16^5
    {"h1e2", 256, "", 16}, {"hAE", 174, "", 16}, {"h1F", 31, "", 16}, {"b101", 5, "", 2}, {"o17", 15, "", 8},
    {"FF[16]", 255, "", 16}, {"1010[2]", 10, "", 2},
    {"1e10[2]", 4, "", 2},        // the exponent is in the mantissa's base
    {"1.8e1[16]", 24, "", 16},    // 1.5 x 16
    {"z[36]", 35, "", 36}, {"-h10", 0, "\"h\" no es un dígito válido en base 10"},
    {"2E3", 0, "\"E\" no es un dígito válido en base 10"}, {"19[8]", 0, "\"9\" no es un dígito válido en base 8", 8},
    {"10[2", 0, "Error de sintaxis (Caracter no reconocido)"}, {"10]2", 0, "Error de corchetes"},
    {"10[37]", 0, "Base de numeración debe estar entre 2 y 36 inclusive"},
    {"10[1]", 0, "Base de numeración debe estar entre 2 y 36 inclusive"},
    {"10[x]", 0, "La base entre corchetes debe ser un número entero"},
        // A mantissa without digits is not zero.
    {"e5", 0, "Número sin dígitos"}, {"e2", 0, "Número sin dígitos"}, {".", 0, "Número sin dígitos"},
    {"+", 0, "Número sin dígitos"}, {"-e3", 0, "Número sin dígitos"}, {"h.e1", 0, "Número sin dígitos", 16},
        // Exponents beyond range: overflow fails, underflow is 0.
    {"1e4294967296", 0, "Número fuera de rango"}, {"1e5000", 0, "Número fuera de rango"},
    {"-1e5000", 0, "Número fuera de rango"}, {"hFe99999", 0, "Número fuera de rango", 16}, {"1e-5000", 0},
    {"1e-4294967296", 0}, {"0e99999", 0}, {"b1e-1111111111111111111", 0, "", 2}, {"1e+20", 1e20L},
};

TEST(LeerNumero, ValorOMensaje) {
    for (const CasoLectura& c : kLecturas) {
        const LecturaNumero r = LeerNumero(c.texto);
        EXPECT_EQ(r.Mensaje(), c.mensaje) << c.texto;
        EXPECT_EQ(r.Error(), *c.mensaje != 0) << c.texto;
        EXPECT_EQ(r.valor, c.valor) << c.texto;
        EXPECT_TRUE(r.Error() || r.base == c.base) << c.texto;
    }
}

TEST(LeerEnBase, BasesYMayusculas) {
    EXPECT_EQ(LeerEnBase("1e", 16).valor, 1);
    EXPECT_FALSE(LeerEnBase("1e", 16).Error());
    EXPECT_EQ(LeerEnBase("1e", 13).Mensaje(), "Falta exponente despues de \"e\"");
    EXPECT_EQ(LeerEnBase("19", 8).Mensaje(), "\"9\" no es un dígito válido en base 8");
    EXPECT_EQ(LeerEnBase("1a", 12).valor, 22);  // lowercase letters are digits too
    EXPECT_EQ(LeerEnBase("Zz", 36).valor, 35 * 36 + 35);
    EXPECT_EQ(LeerEnBase("0.1", 3).valor, 1.0L / 3);
    EXPECT_EQ(LeerEnBase("-10.1", 2).valor, -2.5L);
    for (int base : {0, 1, 37, -10}) {
        EXPECT_EQ(LeerEnBase("1", base).fallo, FalloLectura::BaseFueraDeRango) << base;
        EXPECT_EQ(LeerEnBase("1", base).Mensaje(), "Base de numeración debe estar entre 2 y 36 inclusive");
    }
}

TEST(LeerNumero, LongitudEnCaracteres) {
    const std::string limite(255, '1');
    EXPECT_FALSE(LeerNumero(limite).Error());
    EXPECT_EQ(LeerNumero(limite + "1").fallo, FalloLectura::DemasiadoLargo);
    EXPECT_FALSE(LeerNumero(limite + "   ").Error());  // blanks do not count
    // 255 characters of two bytes each are 255, not 510: the read fails on
    // the character, not on the length.
    std::string largo;
    for (int i = 0; i < 255; ++i) largo += "\xC2\xA3";
    EXPECT_EQ(LeerNumero(largo).fallo, FalloLectura::CaracterNoReconocido);
    EXPECT_EQ(LeerNumero(largo + "1").fallo, FalloLectura::DemasiadoLargo);
    // 300 digits never read as a truncated number.
    EXPECT_EQ(LeerNumero(std::string(300, '9')).Mensaje(), "Número demasiado largo (más de 255 caracteres)");
}

TEST(LeerNumero, DigitoInvalidoYaRegistradoGana) {
    // The first digit met (exponent from the right, then fraction, then
    // integer part from the right) decides which message is kept.
    EXPECT_EQ(LeerNumero("98[8]").Mensaje(), "\"8\" no es un dígito válido en base 8");
    EXPECT_EQ(LeerNumero("1.29[8]").Mensaje(), "\"9\" no es un dígito válido en base 8");
    EXPECT_EQ(LeerNumero("9-1[8]").Mensaje(), "Error de sintaxis (\"-\")");
    EXPECT_EQ(LeerNumero("1-9[8]").Mensaje(), "\"9\" no es un dígito válido en base 8");
}

TEST(RealATextoExacto, VuelveAlMismoValor) {
    std::mt19937_64 gen(12345);
    std::uniform_real_distribution<double> exp(-4900, 4900);
    std::uniform_real_distribution<long double> mant(1, 10);
    for (int i = 0; i < 20000; ++i) {
        const long double x = (i % 2 ? -1 : 1) * mant(gen) * std::pow(10.0L, static_cast<long double>(std::floor(exp(gen))));
        const std::string t = RealATextoExacto(x);
        ASSERT_EQ(t.find(','), std::string::npos) << t;
        ASSERT_EQ(t.find('E'), std::string::npos) << t;
        const LecturaNumero r = LeerNumero(t);
        ASSERT_FALSE(r.Error()) << t << " " << r.Mensaje();
        ASSERT_EQ(r.valor, x) << t;
    }
    for (long double x : {0.1L, 1.0L / 3, 1e20L, -0.0L, std::numeric_limits<long double>::max(),
                          std::numeric_limits<long double>::min(), std::numeric_limits<long double>::denorm_min()}) {
        const LecturaNumero r = LeerNumero(RealATextoExacto(x));
        EXPECT_FALSE(r.Error()) << RealATextoExacto(x);
        EXPECT_EQ(r.valor, x) << RealATextoExacto(x);
    }
    EXPECT_EQ(RealATextoExacto(0.5L), "0.5");
}

TEST(RealAGeneral, ComoPrintfSinLocale) {
    EXPECT_EQ(RealAGeneral(1.0L / 3), "0.333333333333333");
    EXPECT_EQ(RealAGeneral(1.5L), "1.5");
    EXPECT_EQ(RealAGeneral(1e20L), "1e+20");
    EXPECT_EQ(RealAGeneral(-2.5e-7L, 3), "-2.5e-07");
}

// --- Writing -------------------------------------------------------------

// Written in a base with the number of decimals, floating or fixed, the
// notation (0 general, 1 scientific, 2 engineering) and the grouping.
struct CasoEscritura {
    long double x;
    int base, decimales;
    bool flotante;  // trailing zeros dropped
    int notacion;
    bool agrupar;
    const char* texto;
};

constexpr bool F = true, D = false;  // floating, fixed decimals
const CasoEscritura kEscrituras[] = {
    {0.1L, 10, 16, F, 0, false, "0.1"}, {1.0L / 3, 10, 16, F, 0, false, "0.3333333333333333"},
    {2.0L / 3, 10, 16, F, 0, false, "0.6666666666666667"}, {-2.0L / 3, 10, 16, F, 0, false, "-0.6666666666666667"},
    {10000.1L, 10, 16, F, 0, false, "10000.1"}, {1234567.5L, 10, 16, F, 0, true, "1 234 567.5"},
    {1234567, 10, 16, F, 0, true, "1 234 567"}, {-123456, 10, 16, F, 0, true, "-123 456"},
    {0.1234567L, 10, 16, F, 0, true, "0.123 456 7"}, {0, 16, 16, F, 0, false, "0"},
    {255, 16, 16, F, 0, false, "FF [16]"}, {-2.5L, 2, 16, F, 0, false, "-10.1 [2]"},
    {9223372036854775808.0L, 16, 16, F, 0, false, "8000000000000000 [16]"},
    {1e16L, 10, 16, F, 0, false, "10000000000000000"}, {1e16L + 2, 10, 16, F, 0, false, "0.1e17"},
    {1e20L, 10, 16, F, 0, false, "0.1e21"}, {1e-16L, 10, 16, F, 0, false, "0.0000000000000001"},
    {5e-17L, 10, 16, F, 0, false, "0.5e-16"}, {1e-300L, 10, 16, F, 0, false, "0.1e-299"},
    {1e4000L, 10, 16, F, 0, false, "0.1e4001"}, {0.000123456789012345678L, 10, 16, F, 0, false, "0.0001234567890123"},
    {255, 99, 16, F, 0, false, "255"}, {1234.5L, 10, 2, D, 0, false, "1234.50"}, {2.5L, 10, 0, D, 0, false, "3"},
    {-2.5L, 10, 0, D, 0, false, "-3"}, {0.01L, 10, 2, D, 0, false, "0.01"}, {0.005L, 10, 2, D, 0, false, "0.50e-2"},
    {0.995L, 10, 2, D, 0, false, "1.00"}, {1e16L, 10, 2, D, 0, false, "10000000000000000.00"},
    {1e17L, 10, 2, D, 0, false, "0.10e18"}, {10000.1L, 10, 16, D, 0, false, "10000.1000000000000000"},
    {0.5L, 3, 4, D, 0, false, "0.1112 [3]"}, {0.7L, 10, 0, D, 0, false, "1"}, {0.6L, 10, 0, F, 0, false, "1"},
    {0.999L, 10, 0, F, 0, false, "1"}, {-0.6L, 10, 0, F, 0, false, "-1"}, {0.4L, 10, 0, F, 0, false, "0"},
    {-0.4L, 10, 0, F, 0, false, "0"}, {0.1L, 10, 0, F, 0, false, "0"}, {0.625L, 16, 0, F, 0, false, "1 [16]"},
    {0.0625L, 16, 0, F, 0, false, "0 [16]"}, {0.05L, 10, 0, F, 0, false, "0.5e-1"},
    {0.03125L, 16, 0, F, 0, false, "0.8e-1 [16]"}, {1, 10, 16, F, 1, false, "1"}, {100, 10, 16, F, 1, false, "1e2"},
    {12345, 10, 16, F, 1, false, "1.2345e4"}, {-0.00123L, 10, 16, F, 1, false, "-1.23e-3"},
    {9.9999L, 10, 2, D, 1, false, "1.00e1"}, {255, 16, 16, F, 1, false, "F.Fe1 [16]"},
    {4096, 16, 16, F, 1, false, "1e3 [16]"}, {1, 10, 16, F, 2, false, "1"}, {100, 10, 16, F, 2, false, "100"},
    {1000, 10, 16, F, 2, false, "1e3"}, {12345, 10, 16, F, 2, false, "12.345e3"}, {0.5L, 10, 16, F, 2, false, "500e-3"},
    {999.9999L, 10, 2, D, 2, false, "1.00e3"}, {1e20L, 10, 16, F, 2, false, "100e18"},
};

TEST(RealABase, Texto) {
    for (const CasoEscritura& c : kEscrituras) {
        FormatoNumero f;
        f.Decimales = c.decimales;
        f.QuitarCeros = c.flotante;
        f.Notacion = static_cast<NotacionNumero>(c.notacion);
        f.Agrupar = c.agrupar;
        EXPECT_EQ(RealABase(c.base, c.x, f), c.texto) << prueba::Texto21(c.x) << " en base " << c.base;
    }
}

TEST(RealABaseFijo, EnterosSinPasarPor64BitsYSinMenosCero) {
    FormatoNumero f;
    EXPECT_EQ(RealABaseFijo(10, 1e18L, f), "1000000000000000000");
    EXPECT_EQ(RealABaseFijo(16, 18446744073709551615.0L, f), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(RealABaseFijo(16, 0x1p100L, f), "1" + std::string(25, '0'));
    EXPECT_EQ(RealABaseFijo(2, -0.75L, f), "-0.11");
    EXPECT_EQ(EnteroRealABase(10, 1e30L), "1000000000000000000024696061952");
    EXPECT_EQ(EnteroRealABase(36, 35), "Z");
    EXPECT_EQ(EnteroABase(10, 0) + EnteroABase(16, -255) + EnteroABase(36, 71), "0-FF1Z");
    EXPECT_EQ(EnteroABase(2, std::numeric_limits<std::int64_t>::min()), "-1" + std::string(63, '0'));
    f.Decimales = 2;
    EXPECT_EQ(RealABaseFijo(10, -0.001L, f), "0");
    EXPECT_EQ(RealABase(10, -0.0L, f), "0");
    f.BaseDefecto = BaseBinaria;
    EXPECT_EQ(RealATexto(5, f), "101 [2]");
    f.BaseDefecto = static_cast<BaseNumeracion>(40);  // a corrupt setting never gives unreadable digits
    EXPECT_EQ(RealATexto(5, f), "5");
}

// A number from a file or a command line becomes a setting only when it is one.
TEST(FormatoNumero, AjustesTipados) {
    std::string aceptados;
    for (int n = -1; n <= 101; ++n) {
        if (DigitosDe(n)) aceptados += std::to_string(n) + " ";
        if (BaseDe(n) != std::nullopt && (n < 3 || n > 35)) aceptados += "b" + std::to_string(n) + " ";
        if (NotacionDe(n)) aceptados += "n" + std::to_string(n) + " ";
    }
    EXPECT_EQ(aceptados, "0 n0 n1 2 b2 n2 4 6 8 10 12 14 16 b36 100 ");
    FormatoNumero f;
    f.SetDigitos(*DigitosDe(6));
    EXPECT_EQ(f.Decimales * 10 + f.QuitarCeros, 60);
    f.SetDigitos(DigitosFlotante);
    EXPECT_EQ(f.Digitos(), DigitosFlotante);
}

TEST(Escritura, RedondeoExactoEnBase10) {
    // Written with 16 decimals, every text reads back within the rounding.
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<long double> dist(-1e6L, 1e6L);
    FormatoNumero f;
    for (int i = 0; i < 2000; ++i) {
        const long double x = dist(gen);
        const std::string t = RealABase(10, x, f);
        const LecturaNumero r = LeerNumero(t);
        ASSERT_FALSE(r.Error()) << t;
        ASSERT_LE(std::fabs(r.valor - x), 1e-17L * std::fabs(x)) << t;
    }
}

TEST(Escritura, CientificaSeLeeEnTodasLasBases) {
    std::mt19937_64 gen(99);
    std::uniform_real_distribution<long double> mant(-1, 1);
    std::uniform_int_distribution<int> exp(-4000, 4000);
    FormatoNumero f;
    f.Notacion = NotacionCientifica;
    for (int base = 2; base <= 36; ++base) {
        const int cifras = std::min(17, static_cast<int>(std::floor(63 * std::log(2.0) / std::log(base * 1.0))));
        const long double tolerancia = std::pow(static_cast<long double>(base), static_cast<long double>(1 - cifras));
        for (int i = 0; i < 200; ++i) {
            const long double x = std::ldexp(mant(gen), exp(gen));
            if (x == 0) continue;
            const std::string t = RealABase(base, x, f);
            const LecturaNumero r = LeerNumero(t);
            ASSERT_FALSE(r.Error()) << t << " " << r.Mensaje();
            ASSERT_LE(std::fabs(r.valor - x), tolerancia * std::fabs(x)) << t;
        }
    }
}

// Random pieces over the characters the compiler hands to the reader (the
// fuzz replay checks the messages): a failure reads as 0, and a read in any
// base is finite.
TEST(Robustez, TextosAlAzar) {
    const std::string alfabeto = "0123456789abcdefhoxzAEFZ.+-e[]() ,*\xC2\xA3";
    std::mt19937 gen(2024);
    std::uniform_int_distribution<std::size_t> letra(0, alfabeto.size() - 1);
    std::uniform_int_distribution<int> largo(0, 300);
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        for (int n = largo(gen) % (i % 10 == 0 ? 300 : 12); n > 0; --n) t += alfabeto[letra(gen)];
        const LecturaNumero r = LeerNumero(t);
        ASSERT_TRUE(r.Error() ? r.valor == 0 : std::isfinite(r.valor)) << t;
        for (int base : {2, 10, 16, 36}) ASSERT_TRUE(std::isfinite(LeerEnBase(t, base).valor)) << t;
    }
}

TEST(Robustez, EscrituraDeCualquierValor) {
    std::mt19937_64 gen(5);
    std::uniform_int_distribution<int> exp(-16440, 16380);
    std::uniform_real_distribution<long double> mant(-1, 1);
    for (int i = 0; i < 700; ++i) {
        FormatoNumero f;
        f.Decimales = i % 17;
        f.QuitarCeros = i % 2 == 0;
        f.Notacion = static_cast<NotacionNumero>(i % 3);
        f.Agrupar = i % 5 == 0;
        const long double x = std::ldexp(mant(gen), exp(gen));
        const std::string t = RealABase(2 + i % 35, x, f);
        ASSERT_FALSE(t.empty());
        ASSERT_EQ(t.find(','), std::string::npos) << t;
    }
}

}  // namespace
}  // namespace numbrix
