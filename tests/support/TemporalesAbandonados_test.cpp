// Temporary files of interrupted writes are removed when the data folder is
// opened, once they are a minute old; nothing else is touched.
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "support/CarpetaDatos.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

TEST(TemporalesAbandonados, NombresDeEscrituras) {
    for (const char* n : {".numbrix.ini.tmp123_0_456", ".a.tmp1_2_3", ".expr.lst.bak.tmp9_10_0"})
        EXPECT_TRUE(EsTemporalDeEscritura(n)) << n;
    for (const char* n : {"numbrix.ini.tmp1_2_3", ".tmp1_2_3", ".a.tmp1_2", ".a.tmp1_2_3_4", ".a.tmp1__3",
                          ".a.tmp_1_2", ".a.tmp1_2_3x", ".a.tmp", "datos.tmp", ".a.tmp1_2_"})
        EXPECT_FALSE(EsTemporalDeEscritura(n)) << n;
}

using CarpetaConTemporales = CarpetaTemporal;

TEST_F(CarpetaConTemporales, SoloLosViejosAlAbrir) {
    const auto hace = [](int segundos) { return fs::file_time_type::clock::now() - std::chrono::seconds(segundos); };
    struct Archivo {
        const char* ruta;
        int edad;
        bool queda;
    };
    const Archivo archivos[] = {
        {".numbrix.ini.tmp77_0_12", 120, false}, {"sub/.x.dat.tmp7_1_2", 3600, false},
        {".expr.lst.tmp77_1_99", 5, true},       {"numbrix.ini", 3600, true},
        {".oculto.tmp", 3600, true},             {"notas.tmp1_2_3", 3600, true},
    };
    for (const Archivo& a : archivos) {
        Poner(dir_ / a.ruta, "x");
        fs::last_write_time(dir_ / a.ruta, hace(a.edad));
    }
    PrepararCarpetaDatos(dir_, {});
    for (const Archivo& a : archivos) EXPECT_EQ(fs::exists(dir_ / a.ruta), a.queda) << a.ruta;
}

}  // namespace
}  // namespace numbrix
