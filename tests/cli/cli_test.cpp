// numbrix-cli as a user runs it: options, exit status and output lines.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CarpetaTemporal.h"
#include "cli/OpcionesCli.h"

using namespace numbrix;

namespace {

struct Salida {
    std::string texto;
    int estado = -1;
};

std::string RutaCli() {
    const char* cli = std::getenv("NUMBRIX_CLI");
    return cli ? cli : "numbrix-cli";
}

Salida Ejecutar(const std::string& args, const std::string& entrada = "") {
    // Never the user's own data folder: the shipped defaults, or --data.
    std::string cmd = "XDG_DATA_HOME=/nonexistent/numbrix-pruebas " + RutaCli() + " " + args + " 2>/dev/null";
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

// numbrix-cli as a child process of its own, `entrada` on its standard input
// and its standard output and error on pipes. With `sinEspacio` no file it
// writes can take a byte (as on a full disk or a folder it may not write to;
// pipes are not limited).
class Hijo {
public:
    explicit Hijo(const std::vector<std::string>& args, bool sinEspacio = false, const std::string& entrada = "") {
        int in[2], out[2], err[2];
        if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
        const std::string cli = RutaCli();
        std::vector<char*> argv{const_cast<char*>(cli.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
            setenv("XDG_DATA_HOME", "/nonexistent/numbrix-pruebas", 1);
            if (sinEspacio) {
                rlimit cero{0, 0};
                setrlimit(RLIMIT_FSIZE, &cero);
            }
            execv(cli.c_str(), argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        close(err[1]);
        // Small enough for the pipe's buffer: written whole before reading.
        if (!entrada.empty() && write(in[1], entrada.data(), entrada.size()) < 0) ADD_FAILURE() << "entrada";
        close(in[1]);
        salida_ = out[0];
        error_ = err[0];
    }
    ~Hijo() {
        if (salida_ >= 0) close(salida_);
        if (error_ >= 0) close(error_);
        if (pid_ > 0 && estado_ < 0) Esperar();
    }
    pid_t Pid() const { return pid_; }
    // Standard output up to and including the next line end.
    std::string Linea() {
        std::string l;
        char c;
        while (l.find('\n') == std::string::npos && read(salida_, &c, 1) == 1) l += c;
        return l;
    }
    // Everything still to come on both pipes, then the exit status (-1 when
    // a signal ended it).
    int Esperar(std::string* texto = nullptr, std::string* errores = nullptr) {
        std::string t, e;
        pollfd fds[2] = {{salida_, POLLIN, 0}, {error_, POLLIN, 0}};
        std::string* destino[2] = {&t, &e};
        for (int abiertos = 2; abiertos > 0;) {
            if (poll(fds, 2, -1) < 0) break;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || !fds[i].revents) continue;
                char buf[4096];
                const ssize_t n = read(fds[i].fd, buf, sizeof buf);
                if (n > 0) {
                    destino[i]->append(buf, static_cast<std::size_t>(n));
                } else {
                    fds[i].fd = -1;
                    --abiertos;
                }
            }
        }
        int st = 0;
        if (waitpid(pid_, &st, 0) == pid_) estado_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        if (texto) *texto = std::move(t);
        if (errores) *errores = std::move(e);
        return estado_;
    }

private:
    pid_t pid_ = -1;
    int salida_ = -1, error_ = -1;
    int estado_ = -1;
};

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
    // a comparison given as an answer is a truth value like any other
    CasoCli{"a a 'a*1' --var 'a=3>2'", "Verdadero\nVerdadero\nVerdadero\n", 0},
    CasoCli{"'a' --var 'a=2>=3'", "Falso\n", 0},
    // one line per message, without a carriage return inside
    CasoCli{"'Resolver(x^2=-1,1,2)' 1", "No ha sido posible hallar ninguna raíz. Intente con otro rango\n1\n", 1},
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

TEST_F(CliDatos, ModoComplejoConLasDefinicionesDelUsuario) {
    const std::string duf = "[Constantes]\nkk=2+3_cinco\nmala=Max(1,2)_solo real\n\n[Funciones]\ndoble=2*?A_doble\n\n";
    Poner(dir_ / "real.duf", duf);
    Hijo h({"-m", "complex", "--data", dir_.string(), "kk*i", "doble(1+i)", "mala"});
    std::string texto, errores;
    EXPECT_EQ(h.Esperar(&texto, &errores), 1);
    EXPECT_EQ(texto, "5i\n2+2i\nIdentificador desconocido: \"mala\"\n");
    EXPECT_EQ(errores, "numbrix-cli: La constante mala no se pudo calcular: Identificador desconocido: \"Max(1,2)\"\n");
    EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
}

TEST_F(CliDatos, SinSaveNoEscribeNiReparaYConSaveGuardaCopias) {
    // Each file has something the load drops or converts; a valid «ñ» must
    // come back as it was.
    const std::string ini = "[Opciones]\r\nFAngulo=1\r\n[opciones]\r\nFAngulo=2\r\n\r\n"
                            "[RectConv]\r\n0=a\xC3\xB1o\r\n1=ma\xF1" "ana\r\n\r\n";
    const std::string duf = "[Constantes]\nk=2_dos\n[constantes]\nj=3_tres\n";
    const std::string lst = std::string("1+1\n\x01\xFF\0\nra\xEDz(4)\n\xC3\xB1+1\n", 21);
    Poner(dir_ / "numbrix.ini", ini);
    Poner(dir_ / "real.duf", duf);
    Poner(dir_ / "expr.lst", lst);
    for (bool sinEspacio : {false, true}) {
        // Also where nothing can be written: a plain run has nothing to say of it.
        Hijo h({"--data", dir_.string(), "k+1"}, sinEspacio);
        std::string texto, errores;
        EXPECT_EQ(h.Esperar(&texto, &errores), 0);
        EXPECT_EQ(texto, "3\n");
        for (const char* f : {"numbrix.ini, línea 3", "numbrix.ini, línea 8", "real.duf, línea 3",
                              "expr.lst, línea 2", "expr.lst, línea 3"})
            EXPECT_NE(errores.find(std::string("numbrix-cli: ") + f), std::string::npos) << f << " en\n" << errores;
        EXPECT_EQ(errores.find("No se pudo"), std::string::npos) << errores;
        EXPECT_EQ(errores.find("real.duf.bak"), std::string::npos) << errores;  // never rewritten here
        EXPECT_EQ(Leer(dir_ / "numbrix.ini"), ini);
        EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
        EXPECT_EQ(Leer(dir_ / "expr.lst"), lst);
        for (const char* f : {"numbrix.ini.bak", "real.duf.bak", "expr.lst.bak"})
            EXPECT_FALSE(std::filesystem::exists(dir_ / f)) << f;
    }

    // --save repairs, keeping the originals; the valid lines stay as they were.
    auto s = Ejecutar(" --data " + dir_.string() + " --save 2+2");
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(Leer(dir_ / "numbrix.ini.bak"), ini);
    EXPECT_EQ(Leer(dir_ / "expr.lst.bak"), lst);
    EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
    const std::string nuevo = Leer(dir_ / "numbrix.ini");
    EXPECT_NE(nuevo.find("0=a\xC3\xB1o\r\n1=ma\xC3\xB1" "ana\r\n"), std::string::npos) << nuevo;
    EXPECT_EQ(Leer(dir_ / "expr.lst"), "2+2\n1+1\nra\xC3\xADz(4)\n\xC3\xB1+1\n");
}

TEST_F(CliDatos, UnGuardadoFallidoSeInformaUnaVez) {
    const std::string d = " --data " + dir_.string() + " ";
    ASSERT_EQ(Ejecutar(d + "--save 1").estado, 0);  // the folder and its defaults exist
    Hijo h({"--data", dir_.string(), "--save", "2+2"}, true);
    std::string texto, errores;
    EXPECT_EQ(h.Esperar(&texto, &errores), 1);
    EXPECT_EQ(texto, "4\n");
    // One line, with the program's prefix.
    EXPECT_EQ(errores.rfind("numbrix-cli: No se pudo escribir el archivo", 0), 0u) << errores;
    EXPECT_EQ(std::count(errores.begin(), errores.end(), '\n'), 1) << errores;
}

// Ctrl+C or SIGTERM during a long line, through a real child process; the
// lines as arguments or on standard input.
class CliSenal : public CarpetaTemporal, public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(CliSenal, CancelaLaLineaYGuardaLasAnteriores) {
    const auto [senal, porEntrada] = GetParam();
    const std::vector<std::string> lineas{"2+3", "Sumatoria(1,1e15,n)", "7"};
    std::vector<std::string> args{"--data", dir_.string(), "--save"};
    std::string entrada;
    for (const auto& l : lineas) {
        if (porEntrada)
            entrada += l + "\n";
        else
            args.push_back(l);
    }
    Hijo h(args, false, entrada);
    // The first line is printed (and flushed) before the long one starts.
    ASSERT_EQ(h.Linea(), "5\n");
    kill(h.Pid(), senal);
    std::string texto;
    EXPECT_EQ(h.Esperar(&texto), 1);
    EXPECT_EQ(texto, "Cálculo cancelado\n");
    // The earlier line was saved; the one after the cancelled line never ran.
    const std::string lst = Leer(dir_ / "expr.lst");
    EXPECT_TRUE(lst.size() >= 4 && lst.compare(lst.size() - 4, 4, "2+3\n") == 0) << lst;
    EXPECT_EQ(lst.find("7\n"), std::string::npos) << lst;
    EXPECT_NE(Leer(dir_ / "numbrix.ini").find("0=2+3_0"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(NumbrixCli, CliSenal,
                         ::testing::Values(std::make_pair(SIGINT, true), std::make_pair(SIGTERM, false)));

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
