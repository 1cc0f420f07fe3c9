// numbrix-cli's chemistry: --mmr for one run, else the data folder's "MMR".
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CarpetaTemporal.h"

namespace numbrix {
namespace {

class QuimicaCli : public CarpetaTemporal {
protected:
    std::string Ejecutar(const std::string& args, int& estado) {
        const char* cli = std::getenv("NUMBRIX_CLI");
        const std::string cmd = std::string(cli ? cli : "numbrix-cli") + " --data " + dir_.string() + " " + args +
                                " 2>/dev/null";
        std::string texto;
        FILE* f = popen(cmd.c_str(), "r");
        if (!f) return texto;
        std::array<char, 512> buf{};
        while (std::fgets(buf.data(), buf.size(), f)) texto += buf.data();
        const int st = pclose(f);
        estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        return texto;
    }
};

TEST_F(QuimicaCli, OpcionYCarpeta) {
    Poner(dir_ / "quim.ini", "[MASAS]\nH_Hidrógeno=1.008\nO_Oxígeno=15.999\nCa_Calcio=40.078\n");
    const struct {
        const char* mmrGuardado;  // numbrix.ini's "MMR"; "" none
        const char* args;
        const char* salida;
        int estado;
    } casos[] = {
        {"", "'Ca(OH)2'", "74.092\n", 0},
        {"", "--mmr off H2O", "Identificador desconocido: \"H2O\"\n", 1},
        {"0", "H2O", "Identificador desconocido: \"H2O\"\n", 1},
        {"0", "--mmr on H2O --save", "18.015\n", 0},
        {"0", "H2O", "Identificador desconocido: \"H2O\"\n", 1},  // --save kept the stored "MMR"
        {"1", "H2O '2(3)' PI/PI", "18.015\n6\n1\n", 0},
    };
    for (const auto& c : casos) {
        if (*c.mmrGuardado) Poner(dir_ / "numbrix.ini", std::string("[Opciones]\nMMR=") + c.mmrGuardado + "\n");
        int estado = -1;
        EXPECT_EQ(Ejecutar(c.args, estado), c.salida) << c.args;
        EXPECT_EQ(estado, c.estado) << c.args;
    }
}

}  // namespace
}  // namespace numbrix
