// numbrix-cli as a user runs it: options, exit status and output lines.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CarpetaTemporal.h"
#include "Orden.h"
#include "cli/EjecutarCli.h"
#include "cli/OpcionesCli.h"

using namespace numbrix;

namespace {

using Salida = prueba::SalidaOrden;

using prueba::RutaCli;

Salida Ejecutar(const std::string& args, const std::string& entrada = "") {
    // Never the user's own data folder: the shipped defaults, or --data.
    std::string cmd = "XDG_DATA_HOME=/nonexistent/numbrix-pruebas " + RutaCli() + " " + args + " 2>/dev/null";
    if (!entrada.empty()) cmd = "printf '" + entrada + "' | " + cmd;
    return prueba::EjecutarOrden(cmd);
}

// numbrix-cli run by bash from a script in `dir`: `args` each quoted,
// `entrada` on its standard input, its standard error kept in `errores`.
// With `sinEspacio` no file it writes can take a byte (as on a full disk or
// a folder it may not write to; pipes are not limited). With `senal`, that
// signal is sent once the first output line has come.
Salida Correr(const std::filesystem::path& dir, const std::vector<std::string>& args, std::string* errores = nullptr,
              bool sinEspacio = false, const std::string& entrada = "", int senal = 0) {
    auto citar = [](const std::string& t) {
        std::string r = "'";
        for (char c : t) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return r + "'";
    };
    std::string cli = "exec " + citar(RutaCli());
    for (const auto& a : args) cli += " " + citar(a);
    cli += " <" + citar((dir / "entrada").string());
    const std::string err = citar((dir / "errores").string());
    std::string guion = "export XDG_DATA_HOME=/nonexistent/numbrix-pruebas\n";
    if (senal) {
        guion += "coproc C { " + cli + " 2>" + err + "; }\n";
        guion += "p=$C_PID\nexec 4<&\"${C[0]}\"\nIFS= read -r l <&4\necho \"$l\"\n";
        guion += "kill -" + std::to_string(senal) + " $p\ncat <&4\nwait $p\n";
    } else {
        // Standard error through a pipe to a process without the limit.
        const std::string limite = sinEspacio ? "ulimit -f 0; " : "";
        guion += "{ (" + limite + cli + " 2>&1 >&3 3>&-) | cat >" + err + "; exit ${PIPESTATUS[0]}; } 3>&1\n";
    }
    Poner(dir / "entrada", entrada);
    Poner(dir / "errores", "");
    Poner(dir / "orden.sh", guion);
    Salida s = prueba::EjecutarOrden("bash " + citar((dir / "orden.sh").string()));
    if (errores) *errores = Leer(dir / "errores");
    return s;
}

// What the modes compute is their engines' and sessions' business; here,
// that each option reaches them and the exit status says what happened.
// Arguments, the output and the exit status; «<» and what follows is the
// standard input, read one expression per line.
TEST(NumbrixCli, SalidaYEstado) {
    const std::tuple<const char*, const char*, int> casos[] = {
        {"<1+1\\n\\n2*3\\n", "2\n\n6\n", 0}, {"-m rational <1|2+1|3\\n\\n2*x\\n", "5 | 6\n\nCálculo cancelado\n", 1},
        {"--mode complex <i*i\\n", "-1\n", 0},
        {"-2^2", "-4\n", 0}, {"'2+3' '3>2' ''", "5\nVerdadero\n\n", 0}, {"-b 16 255", "FF [16]\n", 0},
        {"--base=2 10", "1010 [2]\n", 0}, {"-a deg 'arcsin(1)'", "90\n", 0}, {"-d 2 2/3", "0.67\n", 0},
        {"-n sci 12345", "1.2345e4\n", 0}, {"-g -d float 1234567.5", "1 234 567.5\n", 0},
        {"'a+a' --var a=2", "4\n", 0}, {"'a+1'", "Cálculo cancelado\n", 1},
        {"'a+1' --var a=foo", "Identificador desconocido: \"foo\"\n", 1}, {"1/0 2", "División por cero\n2\n", 1},
        {"6*7 Rst+1", "42\n43\n", 0}, {"-- -b", "Cálculo cancelado\n", 1},
        // one line per message, without a carriage return inside
        {"'Resolver(x^2=-1,1,2)' 1", "No ha sido posible hallar ninguna raíz. Intente con otro rango\n1\n", 1},
        {"-m rational '0.5+1|3' 'x|2' --var x=3", "5 | 6\n3 | 2\n", 0},
        {"--mode=racional --mixed '7|2' 4", "3 | 1 | 2\n4\n", 0}, {"-m rational --maxden 10 0.3333", "1 | 3\n", 0},
        {"-m rational --maxden=10000 0.3333", "3333 | 10000\n", 0},
        {"-m complex -a deg '(1+i)^2' 'Arg(i)' 'Polar(2,90)'", "2i\n90\n2i\n", 0},
        {"-m complejo 'x*i' --var x=2+i", "-1+2i\n", 0}, {"-m real '1|1|2'", "0.5\n", 0},
        // bad usage
        {"-b 37 1", "", 2}, {"--var g=1 1", "", 2}, {"-d 3 1", "", 2}, {"-d 100 1", "", 2}, {"--nada", "", 2},
        {"-m foo 1", "", 2}, {"-m", "", 2}, {"--maxden 0 1", "", 2}, {"--maxden -5 1", "", 2},
        {"--maxden 4294967296 1", "", 2}, {"-m rational --var a=1 1", "", 2},
    };
    for (const auto& [linea, salida, estado] : casos) {
        const std::string args = linea, entrada = args.find('<') == std::string::npos ? "" : args.substr(args.find('<') + 1);
        const auto s = Ejecutar(args.substr(0, args.find('<')), entrada);
        EXPECT_EQ(s.texto, salida) << args;
        EXPECT_EQ(s.estado, estado) << args;
    }
}

TEST(NumbrixCli, AyudaYOpciones) {
    const auto s = Ejecutar("--help");
    EXPECT_EQ(s.estado, 0);
    for (const char* o : {"--angle", "--mode", "--maxden", "--save"}) EXPECT_NE(s.texto.find(o), std::string::npos) << o;
    const auto o = LeerOpciones({"-a", "grad", "-d", "16", "-n", "eng", "-g", "--var", "x=1+1", "-(1)", "-.5",
                                 "--maxden", "4294967295", "--render=f.svg", "--render-size", "40"});
    EXPECT_TRUE(o.error.empty()) << o.error;
    EXPECT_TRUE(o.angulo == Centesimales && o.digitos == 16 && o.notacion == NotacionIngenieria && o.agrupar &&
                o.maxDen == 4294967295u && o.render == "f.svg" && o.renderTam == 40);
    EXPECT_EQ(o.respuestas.at('x'), "1+1");
    EXPECT_EQ(o.expresiones, (std::vector<std::string>{"-(1)", "-.5"}));
    EXPECT_EQ(LeerOpciones({"-b"}).error, "falta el valor de --base");
    for (auto args : std::vector<std::vector<std::string>>{
             {"--data"}, {"--data="}, {"--render-size", "0"}, {"--render-size", "256"}, {"--render"}})
        EXPECT_FALSE(LeerOpciones(args).error.empty()) << args[0];
}

// The README's table is the one the options' registry makes
// (build/devtools/tabla_opciones_cli README.md writes it).
TEST(NumbrixCli, LaTablaDelReadmeEsLaDeLasOpciones) {
    const char* datos = std::getenv("NUMBRIX_TEST_DATA");
    ASSERT_TRUE(datos);
    std::stringstream leido;
    leido << std::ifstream(std::filesystem::path(datos) / ".." / "README.md").rdbuf();
    std::string readme = leido.str(), anterior;
    ASSERT_TRUE(SustituirTablaReadme(readme, TablaMarkdown(), &anterior));
    EXPECT_EQ(anterior, TablaMarkdown());
}

// A tool option as every tool adds one: its lines in command-line order among
// the expressions, a box's message alone with status 1, bad usage on standard
// error with status 2, options after it still apply, standard input unread.
TEST(NumbrixCli, ConvencionDeLasHerramientas) {
    RegistroCli r = RegistroEstandar();
    OpcionCli eco;
    eco.largo = "--eco";
    eco.valor = "mayus|caja TEXTO";
    eco.ayuda = "herramienta de prueba";
    eco.minOperandos = eco.maxOperandos = 2;
    eco.Comprobar = [](const std::vector<std::string>& op) {
        return op[0] == "mayus" || op[0] == "caja" ? "" : "operación desconocida: " + op[0];
    };
    eco.Accion = [](const ContextoAccion& c) -> SalidaAccion {
        const std::string& t = c.operandos[1];
        if (c.operandos[0] == "caja") return {SalidaAccion::Mensaje, {t, "solo el mensaje"}};
        std::string m = t;
        for (char& ch : m) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return {SalidaAccion::Lineas, {t, m + (c.opciones.modo == ModoCli::Racional ? " Q" : "")}};
    };
    r.Agregar(eco);
    const std::tuple<std::vector<std::string>, const char*, int> casos[] = {
        {{"1|2+1", "--eco", "mayus", "a b", "-m", "rational", "2*3"}, "3 | 2\na b\nA B Q\n6\n", 0},
        {{"-m", "rational", "--eco=caja", "hola", "--", "2*3"}, "hola\n6\n", 1},
        {{"-m", "rational", "--eco", "caja", "hola", "2*3"}, "", 2},
        {{"-m", "rational", "2*3", "--eco", "mayus"}, "", 2}, {{"-m", "rational", "2*3", "--eco", "otra", "x"}, "", 2},
    };
    for (const auto& [args, salida, estado] : casos) {
        std::istringstream entrada("9*9\n");
        std::ostringstream out, err;
        EXPECT_EQ(EjecutarCli(r, args, entrada, out, err), estado) << args[2];
        EXPECT_EQ(out.str(), salida) << args[2];
        EXPECT_EQ(err.str().empty(), estado != 2) << err.str();
    }
    std::istringstream nada;
    std::ostringstream ayuda, err;
    EjecutarCli(r, {"--help"}, nada, ayuda, err);
    EXPECT_NE(ayuda.str().find("  --eco mayus|caja TEXTO"), std::string::npos);
}

// Without numbrix-render beside the program (here, the test's own folder) the
// run says so before evaluating anything.
TEST(NumbrixCli, SinProgramaDeDibujoNoHayImagenes) {
    std::istringstream entrada;
    std::ostringstream out, err;
    EXPECT_EQ(EjecutarCli(RegistroEstandar(), {"1", "--render", "f.svg"}, entrada, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str().rfind("numbrix-cli: --render no está disponible", 0), 0u) << err.str();
}

class CliDatos : public CarpetaTemporal {};

TEST_F(CliDatos, LeeLaCarpetaYSoloEscribeConSave) {
    const std::string d = " --data " + dir_.string() + "/c ";
    // Without --save nothing is created; the shipped definitions are read.
    EXPECT_EQ(Ejecutar(d + "Vluz/1000").texto, "299792.458\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "c"));
    EXPECT_EQ(Ejecutar(d + "--save 2+3 7*6").estado, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "c" / "real.duf"));
    EXPECT_EQ(Leer(dir_ / "c" / "expr.lst"), "7*6\n2+3\n");
    EXPECT_NE(Leer(dir_ / "c" / "numbrix.ini").find("0=7*6_0"), std::string::npos);
    // The user's memories and definitions; the desktop's display settings
    // are kept but do not format the command line's results.
    Poner(dir_ / "c" / "numbrix.ini", "[Opciones]\nBaseResultado=16\n\n[Memoria]\nM3=2.5\n");
    Poner(dir_ / "c" / "real.duf", "[Constantes]\nkk=40_cuarenta\n\n[Funciones]\ndoble=2*?A_doble\n");
    const std::string antes = Leer(dir_ / "c" / "numbrix.ini");
    EXPECT_EQ(Ejecutar(d + "M3*2 'doble(kk)+1' 'Sumatoria(1,4,n)'").texto, "5\n81\n10\n");
    EXPECT_EQ(Leer(dir_ / "c" / "numbrix.ini"), antes);
    Ejecutar(d + "--save 1");
    EXPECT_NE(Leer(dir_ / "c" / "numbrix.ini").find("BaseResultado=16"), std::string::npos);
}

TEST_F(CliDatos, QuimicaPorOpcionOSegunLaCarpeta) {
    const std::tuple<const char*, std::string, std::string, int> casos[] = {
        // numbrix.ini's "MMR" ("": none), arguments, output, status
        {"", "'Ca(OH)2' '2(3)' PI/PI", "74.092\n6\n1\n", 0},
        {"", "--mmr off H2O", "Identificador desconocido: \"H2O\"\n", 1},
        {"0", "--mmr on H2O --save", "18.015\n", 0},
        {"", "H2O", "Identificador desconocido: \"H2O\"\n", 1},  // --save kept the stored "MMR"
    };
    for (const auto& [mmr, args, texto, estado] : casos) {
        if (*mmr) Poner(dir_ / "numbrix.ini", std::string("[Opciones]\nMMR=") + mmr + "\n");
        const Salida s = Ejecutar("--data " + dir_.string() + " " + args);
        EXPECT_EQ(s.texto, texto) << args;
        EXPECT_EQ(s.estado, estado) << args;
    }
}

TEST_F(CliDatos, ModoComplejoConLasDefinicionesDelUsuario) {
    const std::string duf = "[Constantes]\nkk=2+3_cinco\nmala=Max(1,2)_solo real\n\n[Funciones]\ndoble=2*?A_doble\n\n";
    Poner(dir_ / "real.duf", duf);
    std::string errores;
    const Salida s = Correr(dir_, {"-m", "complex", "--data", dir_.string(), "kk*i+doble(1+i)"}, &errores);
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.texto, "2+7i\n");
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
        std::string errores;
        const Salida s = Correr(dir_, {"--data", dir_.string(), "k+1"}, &errores, sinEspacio);
        EXPECT_EQ(s.estado, 0);
        EXPECT_EQ(s.texto, "3\n");
        for (const char* f : {"numbrix.ini, línea 3", "numbrix.ini, línea 8", "real.duf, línea 3",
                              "expr.lst, línea 2", "expr.lst, línea 3"})
            EXPECT_NE(errores.find(std::string("numbrix-cli: ") + f), std::string::npos) << f << " en\n" << errores;
        // Nothing failed to be written; real.duf, never rewritten here, announces no copy.
        EXPECT_TRUE(errores.find("No se pudo") == std::string::npos && errores.find("real.duf.bak") == std::string::npos)
            << errores;
        EXPECT_EQ(Leer(dir_ / "numbrix.ini") + Leer(dir_ / "real.duf") + Leer(dir_ / "expr.lst"), ini + duf + lst);
        for (const char* f : {"numbrix.ini.bak", "real.duf.bak", "expr.lst.bak"})
            EXPECT_FALSE(std::filesystem::exists(dir_ / f)) << f;
    }

    // --save repairs, keeping the originals; the valid lines stay as they were.
    EXPECT_EQ(Ejecutar(" --data " + dir_.string() + " --save 2+2").estado, 0);
    EXPECT_EQ(Leer(dir_ / "numbrix.ini.bak") + Leer(dir_ / "expr.lst.bak") + Leer(dir_ / "real.duf"), ini + lst + duf);
    const std::string nuevo = Leer(dir_ / "numbrix.ini");
    EXPECT_NE(nuevo.find("0=a\xC3\xB1o\r\n1=ma\xC3\xB1" "ana\r\n"), std::string::npos) << nuevo;
    EXPECT_EQ(Leer(dir_ / "expr.lst"), "2+2\n1+1\nra\xC3\xADz(4)\n\xC3\xB1+1\n");
}

TEST_F(CliDatos, UnGuardadoFallidoSeInformaUnaVez) {
    ASSERT_EQ(Ejecutar(" --data " + dir_.string() + " --save 1").estado, 0);  // the folder and its defaults exist
    std::string errores;
    const Salida s = Correr(dir_, {"--data", dir_.string(), "--save", "2+2"}, &errores, true);
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.texto, "4\n");  // and one line of error, with the program's prefix
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
    for (const auto& l : lineas) (porEntrada ? entrada += l + "\n" : args.emplace_back(l));
    // The first line is printed (and flushed) before the long one starts:
    // the signal comes after it.
    const Salida s = Correr(dir_, args, nullptr, false, entrada, senal);
    EXPECT_EQ(s.estado, 1);
    EXPECT_EQ(s.texto, "5\nCálculo cancelado\n");  // the earlier line saved, the one after never ran
    const std::string lst = Leer(dir_ / "expr.lst");
    EXPECT_TRUE(lst.size() >= 4 && lst.compare(lst.size() - 4, 4, "2+3\n") == 0) << lst;
    EXPECT_EQ(lst.find("7\n"), std::string::npos) << lst;
    EXPECT_NE(Leer(dir_ / "numbrix.ini").find("0=2+3_0"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(NumbrixCli, CliSenal,
                         ::testing::Values(std::make_pair(SIGINT, true), std::make_pair(SIGTERM, false)));

TEST_F(CliDatos, DibujaLaUltimaExpresion) {
    const std::string svg = (dir_ / "f.svg").string();
    auto s = Ejecutar("1 'Sumatoria(1,10,n^2)+M1' --render " + svg);
    if (s.estado == 2) GTEST_SKIP() << "numbrix-cli sin la parte gráfica";
    EXPECT_EQ(s.texto, "1\n385\n");
    EXPECT_NE(Leer(svg).find("<svg"), std::string::npos);
    EXPECT_EQ(Ejecutar("2+3 --render " + (dir_ / "f.bmp").string()).estado, 1);
    EXPECT_EQ(Ejecutar("'2+' --render " + (dir_ / "g.png").string()).estado, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "g.png"));
    EXPECT_EQ(Ejecutar("1 --render " + (dir_ / "g.png").string() + " --render-size 300").estado, 2);
}

}  // namespace
