// Opening the data folder removes the temporary files of interrupted writes
// once they are a minute old, and nothing else.
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "support/CarpetaDatos.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

using TemporalesAbandonados = CarpetaTemporal;

TEST_F(TemporalesAbandonados, SoloLosViejosAlAbrir) {
    const struct { const char* ruta; int edad; bool queda; } archivos[] = {
        {".numbrix.ini.tmp77_0_12", 120, false}, {"sub/.x.bak.tmp7_1_2", 3600, false},
        {".expr.lst.tmp77_1_99", 5, true},       {"numbrix.ini", 3600, true},
        {".a.tmp1_2", 3600, true},               {".a.tmp1_2_3x", 3600, true},
        {"notas.tmp1_2_3", 3600, true},          {".tmp1_2_3", 3600, true},
    };
    for (const auto& a : archivos) {
        Poner(dir_ / a.ruta, "x");
        std::filesystem::last_write_time(
            dir_ / a.ruta, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(a.edad));
    }
    PrepararCarpetaDatos(dir_, {});
    for (const auto& a : archivos) EXPECT_EQ(std::filesystem::exists(dir_ / a.ruta), a.queda) << a.ruta;
}

}  // namespace
}  // namespace numbrix
