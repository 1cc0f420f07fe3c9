// numbrix-cli as a user runs it: options, exit status and output lines.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "CarpetaTemporal.h"
#include "cli/OpcionesCli.h"

using namespace numbrix;

namespace {

struct Salida {
    std::string texto;
    int estado = -1;
};

Salida Ejecutar(const std::string& args, const std::string& entrada = "") {
    const char* cli = std::getenv("NUMBRIX_CLI");
    // Never the user's own data folder: the shipped defaults, or --data.
    std::string cmd = "XDG_DATA_HOME=/nonexistent/numbrix-pruebas " + std::string(cli ? cli : "numbrix-cli") + " " +
                      args + " 2>/dev/null";
    if (!entrada.empty()) cmd = "printf '" + entrada + "' | " + cmd;
    Salida s;
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return s;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), f)) s.texto += buf.data();
    int st = pclose(f);
    s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return s;
}

struct CasoCli {
    const char* args;
    const char* salida;
    int estado;
};

class Cli : public ::testing::TestWithParam<CasoCli> {};

TEST_P(Cli, SalidaYEstado) {
    auto s = Ejecutar(GetParam().args);
    EXPECT_EQ(s.texto, GetParam().salida) << GetParam().args;
    EXPECT_EQ(s.estado, GetParam().estado) << GetParam().args;
}

INSTANTIATE_TEST_SUITE_P(NumbrixCli, Cli, ::testing::Values(
    CasoCli{"-2^2", "-4\n", 0},
    CasoCli{"'2+3' '3>2' ''", "5\nVerdadero\n\n", 0},
    CasoCli{"-b 16 255", "FF [16]\n", 0},
    CasoCli{"--base=2 10", "1010 [2]\n", 0},
    CasoCli{"-a deg 'arcsin(1)'", "90\n", 0},
    CasoCli{"-d 2 2/3", "0.67\n", 0},
    CasoCli{"-n sci 12345", "1.2345e4\n", 0},
    CasoCli{"-g -d float 1234567.5", "1 234 567.5\n", 0},
    CasoCli{"'a+a' --var a=2", "4\n", 0},
    CasoCli{"'a+1'", "Cálculo cancelado\n", 1},
    CasoCli{"'a+1' --var a=foo", "Identificador desconocido: \"foo\"\n", 1},
    CasoCli{"1/0 2", "División por cero\n2\n", 1},
    CasoCli{"6*7 Rst+1", "42\n43\n", 0},
    CasoCli{"-- -b", "Cálculo cancelado\n", 1},
    CasoCli{"-b 37 1", "", 2},
    CasoCli{"--var g=1 1", "", 2},
    CasoCli{"-d 3 1", "", 2},
    CasoCli{"--nada", "", 2},
    // rational mode: fraction text, literals before division, exact powers
    CasoCli{"-m rational '0.5+1|3' '1|1|2' '2^-11' '(1|50)^2' 'x|2' --var x=3", "5 | 6\n3 | 2\n1 | 2048\n1 | 2500\n3 | 2\n", 0},
    CasoCli{"--mode=racional --mixed '7|2' '-7|2' '1|2' 4", "3 | 1 | 2\n-3 | 1 | 2\n1 | 2\n4\n", 0},
    CasoCli{"-m rational --maxden 10 0.3333", "1 | 3\n", 0},
    CasoCli{"-m rational --maxden=10000 0.3333", "3333 | 10000\n", 0},
    CasoCli{"-m rational 'Rcp(0)*0' 5/0 0/0 '3>2'", "División entre cero\nDivisión por cero\nDivisión por cero\n1\n", 1},
    CasoCli{"-m rational 'x+y' --var 'x=1|3' --var y=0.5", "5 | 6\n", 0},
    CasoCli{"-m rational '2*?+1=8' Pi", "7 | 2\nIdentificador desconocido: \"Pi\"\n", 1},
    // complex mode: complex text, -a for Polar and Arg
    CasoCli{"-m complex -a deg '(1+i)^2' 'Arg(i)' 'Polar(2,90)' 'Sin(Pi/2)'", "2i\n90\n2i\n1\n", 0},
    CasoCli{"-m complejo 1/0 2", "Discriminante de 0 igual a cero (Div)\n2\n", 1},
    CasoCli{"-m complex 'x*i' --var x=2+i", "-1+2i\n", 0},
    CasoCli{"-m complex '2*?=4i' '3+4i>4' '3+4i=5'", "2i\n1\n-1\n", 0},
    CasoCli{"-m complex '1&1'", "Identificador desconocido: \"&1\"\n", 1},
    CasoCli{"-m real '1|1|2'", "0.5\n", 0},
    CasoCli{"-m foo 1", "", 2},
    CasoCli{"-m", "", 2},
    CasoCli{"--maxden 0 1", "", 2},
    CasoCli{"--maxden -5 1", "", 2},
    CasoCli{"--maxden 4294967296 1", "", 2},
    CasoCli{"-m rational --var a=1 1", "", 2}));

TEST(NumbrixCli, LeeLineasDeLaEntrada) {
    auto s = Ejecutar("", "1+1\\n\\n2*3\\n");
    EXPECT_EQ(s.texto, "2\n\n6\n");
    EXPECT_EQ(s.estado, 0);
}

TEST(NumbrixCli, LeeLineasEnOtrosModos) {
    auto q = Ejecutar("-m rational", "1|2+1|3\\n\\n2*x\\n");
    EXPECT_EQ(q.texto, "5 | 6\n\nCálculo cancelado\n");
    EXPECT_EQ(q.estado, 1);
    auto c = Ejecutar("--mode complex", "i*i\\n");
    EXPECT_EQ(c.texto, "-1\n");
    EXPECT_EQ(c.estado, 0);
}

TEST(NumbrixCli, AyudaYOpciones) {
    auto s = Ejecutar("--help");
    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.texto.find("--angle"), std::string::npos);
    EXPECT_NE(s.texto.find("--mode"), std::string::npos);
    EXPECT_NE(s.texto.find("--maxden"), std::string::npos);
    auto m = LeerOpciones({"-m", "complejo", "--maxden", "4294967295", "--mixed", "--var", "z=i"});
    EXPECT_TRUE(m.error.empty()) << m.error;
    EXPECT_EQ(m.modo, ModoCli::Complejo);
    EXPECT_EQ(m.maxDen, 4294967295u);
    EXPECT_TRUE(m.mixto);
    EXPECT_EQ(LeerOpciones({"--mode=rational"}).modo, ModoCli::Racional);
    EXPECT_EQ(LeerOpciones({}).modo, ModoCli::Real);
    auto o = LeerOpciones({"-a", "grad", "-d", "16", "-n", "eng", "-g", "--var", "x=1+1", "-(1)", "-.5"});
    EXPECT_TRUE(o.error.empty());
    EXPECT_EQ(o.angulo, 2);
    EXPECT_EQ(o.digitos, 16);
    EXPECT_EQ(o.notacion, 2);
    EXPECT_TRUE(o.agrupar);
    EXPECT_EQ(o.respuestas['x'], "1+1");
    ASSERT_EQ(o.expresiones.size(), 2u);
    EXPECT_FALSE(LeerOpciones({"-b"}).error.empty());
}

class CliDatos : public CarpetaTemporal {};

TEST_F(CliDatos, LeeLaCarpetaYSoloEscribeConSave) {
    const std::string d = " --data " + dir_.string() + "/c ";
    // Without --save nothing is created; the shipped definitions are read.
    auto s = Ejecutar(d + "Vluz/1000");
    EXPECT_EQ(s.texto, "299792.458\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "c"));
    s = Ejecutar(d + "--save 2+3 7*6");
    EXPECT_EQ(s.estado, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "c" / "real.duf"));
    EXPECT_EQ(Leer(dir_ / "c" / "expr.lst"), "7*6\n2+3\n");
    EXPECT_NE(Leer(dir_ / "c" / "numbrix.ini").find("0=7*6_0"), std::string::npos);
    // The user's memories and definitions; the desktop's display settings
    // are kept but do not format the command line's results.
    Poner(dir_ / "c" / "numbrix.ini", "[Opciones]\nBaseResultado=16\n\n[Memoria]\nM3=2.5\n");
    Poner(dir_ / "c" / "real.duf", "[Constantes]\nkk=40_cuarenta\n\n[Funciones]\ndoble=2*?A_doble\n");
    const std::string antes = Leer(dir_ / "c" / "numbrix.ini");
    s = Ejecutar(d + "M3*2 'doble(kk)+1' 'Sumatoria(1,4,n)'");
    EXPECT_EQ(s.texto, "5\n81\n10\n");
    EXPECT_EQ(Leer(dir_ / "c" / "numbrix.ini"), antes);
    s = Ejecutar(d + "--save 1");
    EXPECT_NE(Leer(dir_ / "c" / "numbrix.ini").find("BaseResultado=16"), std::string::npos);
}

TEST(NumbrixCli, OpcionesDeDatosYDibujo) {
    auto o = LeerOpciones({"--data", "/d", "--save", "--render=f.svg", "--render-size", "40", "1"});
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_EQ(o.data, "/d");
    EXPECT_TRUE(o.guardar);
    EXPECT_EQ(o.render, "f.svg");
    EXPECT_EQ(o.renderTam, 40);
    for (auto args : std::vector<std::vector<std::string>>{
             {"--data"}, {"--data="}, {"--render-size", "0"}, {"--render-size", "256"}, {"--render"}})
        EXPECT_FALSE(LeerOpciones(args).error.empty()) << args[0];
    EXPECT_NE(Ejecutar("--help").texto.find("--save"), std::string::npos);
}

TEST_F(CliDatos, DibujaLaUltimaExpresion) {
    const std::string svg = (dir_ / "f.svg").string();
    auto s = Ejecutar("1 'Sumatoria(1,10,n^2)+M1' --render " + svg);
    if (s.estado == 2) GTEST_SKIP() << "numbrix-cli sin la parte gráfica";
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.texto, "1\n385\n");
    const std::string texto = Leer(svg);
    EXPECT_NE(texto.find("<svg"), std::string::npos);
    EXPECT_EQ(Ejecutar("2+3 --render " + (dir_ / "f.bmp").string()).estado, 1);
    EXPECT_EQ(Ejecutar("'2+' --render " + (dir_ / "g.png").string()).estado, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "g.png"));
    EXPECT_EQ(Ejecutar("1 --render " + (dir_ / "g.png").string() + " --render-size 300").estado, 2);
}

}  // namespace
