#include "shell/NumeroCursor.h"

#include <gtest/gtest.h>

#include <string>

namespace numbrix {
namespace {

// «|» marks the cursor; the expected span is what the number covers.
TEST(NumeroCursor, Tabla) {
    struct Caso {
        const char* texto;
        const char* numero;  // nullptr: none found
        long double valor;
    };
    const Caso casos[] = {
        {"-40|", "-40", -40},                 // a sign at the start
        {"|-40", "-40", -40},
        {"3*-4|0", "-40", -40},               // after an operator
        {"(- 2.5)|", nullptr, 0},             // the cursor past ")"
        {"(- 2.5|)", "- 2.5", -2.5},          // blanks between sign and digits
        {"5-4|0", "40", 40},                  // a subtraction keeps its minus
        {"x -4|0", "40", 40}, {"e-4|0", "40", 40}, {"2^-3|", "-3", -3},
        {"1.5e-3|", "1.5e-3", 1.5e-3L},       // the exponent's sign is the number's
        {"1|.5e+3*2", "1.5e+3", 1500}, {"123456789|", "123456789", 123456789},
        {"FF[16]|+1", "FF[16]", 255},         // a number in a base, with its mark
        {"1+0f|f[16]", "0ff[16]", 255},
        {"2|*3", "2", 2},                     // ends at the cursor
        {"2*|3", "3", 3},                     // starts at it
        {"x1|", nullptr, 0},                  // a name, not a number
        {"Sen(|x)", nullptr, 0}, {"|", nullptr, 0},
        {"2|x", "2", 2},                      // implicit product: the digits
        {"π*3|", "3", 3},
    };
    for (const Caso& c : casos) {
        std::string t = c.texto;
        const std::size_t cursor = t.find('|');
        t.erase(cursor, 1);
        const auto n = NumeroEnCursor(t, cursor);
        if (!c.numero) {
            EXPECT_FALSE(n) << c.texto;
            continue;
        }
        ASSERT_TRUE(n) << c.texto;
        EXPECT_EQ(t.substr(n->Inicio, n->Fin - n->Inicio), c.numero) << c.texto;
        EXPECT_EQ(n->Valor, c.valor) << c.texto;
    }
}

}  // namespace
}  // namespace numbrix
