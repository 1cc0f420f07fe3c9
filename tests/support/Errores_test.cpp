// The one table of failure texts: every code and every key has its own.
#include "support/Errores.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(Errores, CadaCodigoYCadaClaveTienenSuTexto) {
    std::set<std::string> vistos;
    for (CodigoError c : kCodigosError) {
        const std::string t = TextoError(c);
        EXPECT_FALSE(t.empty()) << static_cast<int>(c);
        EXPECT_TRUE(vistos.insert(t).second) << "repetido: " << t;
    }
    for (int k = static_cast<int>(Mensaje::CalculoCancelado); k < static_cast<int>(Mensaje::Cantidad_); ++k) {
        const std::string t = Texto(static_cast<Mensaje>(k));
        EXPECT_FALSE(t.empty()) << k;
        EXPECT_TRUE(vistos.insert(t).second) << "repetido: " << t;
    }
    // A code outside the table is an unknown error, never an empty text.
    EXPECT_STREQ(TextoError(static_cast<CodigoError>(16)), Texto(Mensaje::ErrorDesconocido));
}

}  // namespace
}  // namespace numbrix
