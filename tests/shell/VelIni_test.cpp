#include "shell/VelIni.h"

#include <sys/resource.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"

#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

// Nombre("K", i) trips a false -Wrestrict warning in GCC 12 at -O3.
std::string Nombre(const char* prefijo, unsigned long long i) {
    std::string r(prefijo);
    r += std::to_string(i);
    return r;
}

class VelIniTest : public CarpetaTemporal {
protected:
    fs::path Ini() const { return dir_ / "prueba.ini"; }
};

// ------------------------------------------------------ the file's shape ----

TEST_F(VelIniTest, SeccionRepetidaConservaLaPrimeraYGuardaCopia) {
    const std::string original = "[a]\r\nx=1\r\n[A]\r\ny=2\r\n";
    Poner(Ini(), original);
    TVelIniFile f(Ini());
    EXPECT_EQ(f.ReadSections(), std::vector<std::string>{"a"});
    EXPECT_EQ(f.ReadString("a", "x", "?"), "1");
    EXPECT_EQ(f.ReadString("A", "y", "?"), "?");
    EXPECT_TRUE(f.Modified());
    ASSERT_EQ(f.Informe().Problemas.size(), 1u);
    EXPECT_EQ(f.Informe().Problemas[0].Linea, 3u);
    EXPECT_NE(f.Informe().Texto(Ini()).find("prueba.ini.bak"), std::string::npos);

    f.UpdateFile();
    EXPECT_FALSE(f.Modified());
    EXPECT_EQ(Leer(Ini()), "[a]\r\nx=1\r\n\r\n");
    EXPECT_EQ(Leer(dir_ / "prueba.ini.bak"), original);
}

TEST_F(VelIniTest, ManejadorDeRepetidasPuedeElegirLaOtra) {
    Poner(Ini(), "[a]\nx=1\n[b]\nz=0\n[A]\ny=2\n");
    OpcionesIni o;
    std::string vistas;
    o.ManejadorDuplicada = [&](const std::string& una, const std::string& otra) {
        vistas = una + "/" + otra;
        return true;
    };
    TVelIniFile f(Ini(), {}, o);
    EXPECT_EQ(vistas, "a/A");
    EXPECT_EQ(f.ReadSections(), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(f.ReadSectionValues("a"), std::vector<std::string>{"y=2"});
}

TEST_F(VelIniTest, EscrituraConFormatoExacto) {
    {
        TVelIniFile f(Ini());
        f.WriteString("Uno", "k", "v");
        f.WriteString("Vacía", "k", "v");
        f.DeleteKey("vacía", "K");  // last key gone: the section is not written
        f.WriteInteger("Dos", "n", -7);
        f.WriteString("uno", "otra", "con = dentro");
        f.UpdateFile();
        f.WriteString("Tres", "k", "v");
        f.WriteString("", "", "");  // an empty key with all empty writes at once
        EXPECT_FALSE(f.Modified());
    }
    EXPECT_EQ(Leer(Ini()), "[Uno]\r\nk=v\r\notra=con = dentro\r\n\r\n[Dos]\r\nn=-7\r\n\r\n[Tres]\r\nk=v\r\n\r\n");
}

TEST_F(VelIniTest, SoloCambiosRealesMarcanModificado) {
    Poner(Ini(), "[s]\r\na=1\r\nb=2\r\n\r\n");
    TVelIniFile f(Ini());
    EXPECT_FALSE(f.Modified());
    f.WriteString("S", "A", "1");  // same line except the key's case
    EXPECT_TRUE(f.Modified());
    f.SetFileName(Ini());
    EXPECT_FALSE(f.Modified());
    f.WriteString("s", "a", "1");
    f.WriteInteger("s", "b", 2);
    f.ReplaceSection("s", {"a=1", "b=2"});
    f.WriteList("nada", {});  // creates "Cant=0": a change
    EXPECT_TRUE(f.Modified());
    f.UpdateFile();
    f.WriteList("nada", {});
    f.EraseSection("no-existe");
    f.DeleteKey("s", "no-existe");
    EXPECT_FALSE(f.Modified());
    f.WriteString("s", "a", "9");
    EXPECT_EQ(f.ReadSectionValues("s"), (std::vector<std::string>{"a=9", "b=2"}));  // replaced in place
}

// Every line ending and mark is read; what cannot be read is reported by
// its line (0: nothing to report) and the original kept.
TEST_F(VelIniTest, LineasLeidasYLoQueSeInforma) {
    const std::tuple<const char*, std::string, std::vector<std::string>, std::size_t, const char*> casos[] = {
        {"CRLF", "[s]\r\na=1\r\nb=2\r\n", {"a=1", "b=2"}, 0, ""}, {"LF", "[s]\na=1\nb=2\n", {"a=1", "b=2"}, 0, ""},
        {"CR", "[s]\ra=1\rb=2\r", {"a=1", "b=2"}, 0, ""},
        {"mezcla sin final", "[s]\r\na=1\rb=2", {"a=1", "b=2"}, 0, ""},
        {"BOM", "\xEF\xBB\xBF[s]\na=1\n", {"a=1"}, 0, ""}, {"código 26", "[s]\na=1\n\x1A\n", {"a=1"}, 0, ""},
        {"línea larga", "[s]\na=" + std::string(1000, 'x') + "\n", {"a=" + std::string(1000, 'x')}, 0, ""},
        {"antes de la sección", "suelta\n[s]\na=1\n", {"a=1"}, 1, "fuera de toda sección"},
        {"nulo", std::string("[s]\na=1\nb=\0\nc=3\n", 16), {"a=1", "c=3"}, 3, "nulos"},
        {"más de 1 MB", "[s]\na=" + std::string(TVelIniFile::MaxLinea, 'x') + "\nc=3\n", {"c=3"}, 2, "1 MB"},
        // Decided per line: the valid UTF-8 line stays as it is.
        {"latin1 en una línea", "[s]\na=a\xC3\xB1o\nb=a\xF1o\n", {"a=año", "b=año"}, 3, "Latin-1"},
        {"sección latin1", "[a\xF1o]\n[s]\na=1\n", {"a=1"}, 1, "Latin-1"},
        {"líneas de una sección repetida", "[s]\na=1\n[S]\nb=2\nc=3\n", {"a=1"}, 3, "se omiten sus 2 líneas"},
        {"repetida con una línea", "[s]\na=1\n[S]\nb=2\n[t]\n", {"a=1"}, 3, "se omite su línea"},
    };
    for (const auto& [nombre, bytes, lineas, linea, motivo] : casos) {
        Poner(Ini(), bytes);
        TVelIniFile f(Ini());
        EXPECT_EQ(f.ReadSectionValues("s"), lineas) << nombre;
        const auto& i = f.Informe();
        ASSERT_EQ(i.Problemas.size(), linea ? 1u : 0u) << nombre;
        EXPECT_TRUE(!linea || (i.Problemas[0].Linea == linea && i.Problemas[0].Motivo.find(motivo) != std::string::npos &&
                               !i.CopiaSeguridad.empty())) << nombre << ": " << i.Texto(Ini());
    }
}

TEST_F(VelIniTest, OpcionesDeCarga) {
    Poner(Ini(), "[s]\n;comentario=1\n clave = \"valor\" \t\nsin igual\nq='x'\n");
    // Options by bit: comments, blanks around "=", quotes, trailing blanks, lines without "=".
    const std::pair<int, std::vector<std::string>> casos[] = {
        {0, {";comentario=1", " clave = \"valor\" \t", "sin igual", "q='x'"}},
        {1, {" clave = \"valor\" \t", "sin igual", "q='x'"}},
        {2, {";comentario=1", "clave=\"valor\"", "sin igual", "q='x'"}},
        {4, {";comentario=1", " clave = \"valor\" \t", "sin igual", "q=x"}},
        {8, {";comentario=1", " clave = \"valor\"", "sin igual", "q='x'"}},
        {16, {";comentario=1", " clave = \"valor\" \t", "q='x'"}}, {31, {"clave=valor", "q=x"}},
    };
    for (const auto& [bits, lineas] : casos) {
        OpcionesIni o;
        o.SaltarComentarios = bits & 1;
        o.QuitarBlancosIgual = bits & 2;
        o.QuitarComillas = bits & 4;
        o.QuitarFinales = bits & 8;
        o.SaltarSinIgual = bits & 16;
        EXPECT_EQ(TVelIniFile(Ini(), {}, o).ReadSectionValues("s"), lineas) << bits;
    }
}

TEST_F(VelIniTest, SeccionesYClavesSinMayusculas) {
    TVelIniFile f;
    f.WriteString("Año", "Clave", "1");
    EXPECT_EQ(f.ReadString("AÑO", "CLAVE"), "1");
    EXPECT_TRUE(f.SectionExists("año"));
    // A big section goes through the key index; it must agree with the scan.
    for (int i = 0; i < 200; ++i) f.WriteInteger("Grande", Nombre("K", i), i);
    f.WriteString("Grande", "k5", "cinco");
    f.DeleteKey("grande", "K7");
    EXPECT_EQ(f.ReadString("grande", "k5"), "cinco");
    EXPECT_EQ(f.ReadInteger("grande", "k7", -1), -1);
    EXPECT_EQ(f.ReadInteger("grande", "k199", -1), 199);
    EXPECT_EQ(f.ReadSection("grande").size(), 199u);
    f.EraseSection("AÑO");
    EXPECT_FALSE(f.SectionExists("Año"));
    EXPECT_EQ(f.ReadSections(), std::vector<std::string>{"Grande"});
}

// --------------------------------------------------------------- numbers ----

TEST_F(VelIniTest, LecturaDeEnteros) {
    const std::pair<const char*, int> casos[] = {
        {"0x1F", 31}, {"0X1f", 31}, {"$1F", 31}, {"12", 12}, {"-12", -12}, {"+3", 3}, {" 7 ", 7}, {"12abc", -99},
        {"abc", -99}, {"", -99}, {"0x", -99}, {"$", -99}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"2147483648", -99}, {"99999999999", -99}, {"0x80000008", -2147483640}, {"0xFFFFFFFF", -1},
        {"0x100000000", -99}, {"1.5", -99}, {"0x1G", -99}, {"- 1", -99}, {"--1", -99},
    };
    TVelIniFile f;
    for (const auto& [texto, esperado] : casos) {
        f.WriteString("s", "k", texto);
        EXPECT_EQ(f.ReadInteger("s", "k", -99), esperado) << texto;
    }
    for (const auto& [texto, defecto, valor] : {std::tuple{"5", false, true}, {"0", true, false}, {"sí", true, true}}) {
        f.WriteString("s", "b", texto);
        EXPECT_EQ(f.ReadBool("s", "b", defecto), valor) << texto;  // not a number: the default
    }
    f.WriteBool("s", "b", true);
    EXPECT_EQ(f.ReadString("s", "b"), "1");
}

TEST_F(VelIniTest, Hexadecimales) {
    TVelIniFile f;
    f.WriteHex("s", "h", -1);
    EXPECT_EQ(f.ReadString("s", "h"), "FFFFFFFF");
    EXPECT_EQ(f.ReadHex("s", "h", 0), -1);
    f.WriteHex("s", "h", 31);
    EXPECT_EQ(f.ReadString("s", "h"), "0000001F");
    EXPECT_EQ(f.ReadHex("s", "h", 0), 31);
    for (const char* malo : {"$1F", "-1", "xyz", ""}) {
        f.WriteString("s", "h", malo);
        EXPECT_EQ(f.ReadHex("s", "h", 5), 5) << malo;
    }
}

TEST_F(VelIniTest, RealesConPuntoEnFormatoGeneral) {
    // The tests run under a comma locale: none of this may depend on it.
    const std::pair<long double, const char*> casos[] = {
        {0.5L, "0.5"}, {1E-15L, "1E-15"}, {1, "1"}, {-2.25L, "-2.25"}, {0, "0"}, {100, "100"}, {1E15L, "1E15"},
        {123456789012345.0L, "123456789012345"}, {0.0001L, "0.0001"}, {0.00001L, "0.00001"}, {0.000001L, "1E-6"},
        {1.5E300L, "1.5E300"}, {-3E-4000L, "-3E-4000"}, {1.0L / 3, "0.33333333333333333334"},
        {std::numeric_limits<long double>::infinity(), "INF"},
    };
    TVelIniFile f;
    for (const auto& [valor, texto] : casos) {
        f.WriteFloat("s", "r", valor);
        EXPECT_EQ(f.ReadString("s", "r"), texto);
        EXPECT_EQ(f.ReadFloat("s", "r", -1), valor) << texto;
    }
    for (const char* malo : {"1,5", "abc", "1.5x", "1e99999", "", "1.5 2", "0x10"}) {
        f.WriteString("s", "r", malo);
        EXPECT_EQ(f.ReadFloat("s", "r", 42), 42) << malo;
    }
    f.WriteString("s", "r", " +2.5e3 ");
    EXPECT_EQ(f.ReadFloat("s", "r", 0), 2500);
}

TEST_F(VelIniTest, RealesDe80BitsVuelvenIdenticos) {
    std::mt19937_64 azar(11);
    std::vector<long double> valores = {std::numeric_limits<long double>::max(),
                                        std::numeric_limits<long double>::min(),
                                        std::numeric_limits<long double>::denorm_min(),
                                        -std::numeric_limits<long double>::denorm_min() * 12345,
                                        std::nextafter(1.0L, 2.0L),
                                        3.14159265358979323846264338327950288L};
    for (int i = 0; i < 2000; ++i) {
        // Random bit patterns over the whole exponent range.
        long double v;
        unsigned char bytes[sizeof(long double)] = {};
        std::uint64_t mantisa = azar() | (1ull << 63);
        std::uint16_t exponente = static_cast<std::uint16_t>(azar() % 0x7FFF) | (i % 2 ? 0x8000 : 0);
        std::memcpy(bytes, &mantisa, 8);
        std::memcpy(bytes + 8, &exponente, 2);
        std::memcpy(&v, bytes, sizeof v);
        valores.push_back(v);
    }
    {
        TVelIniFile f(Ini());
        for (std::size_t i = 0; i < valores.size(); ++i) f.WriteFloat("Memoria", Nombre("M", i), valores[i]);
        f.UpdateFile();
    }
    TVelIniFile g(Ini());
    for (std::size_t i = 0; i < valores.size(); ++i) {
        const long double leido = g.ReadFloat("Memoria", Nombre("M", i), -1);
        EXPECT_EQ(std::memcmp(&leido, &valores[i], 10), 0) << g.ReadString("Memoria", Nombre("M", i));
    }
}

// ----------------------------------------------------------------- lists ----

TEST_F(VelIniTest, Listas) {
    TVelIniFile f(Ini());
    f.WriteString("L", "Otra", "x");
    f.WriteList("L", {"a", "b", "c"});
    EXPECT_EQ(f.ReadSectionValues("L"), (std::vector<std::string>{"Otra=x", "Cant=3", "1=a", "2=b", "3=c"}));
    f.WriteList("L", {"z"});
    EXPECT_EQ(f.ReadSectionValues("L"), (std::vector<std::string>{"Otra=x", "Cant=1", "1=z"}));
    EXPECT_EQ(f.ReadList("L"), std::vector<std::string>{"z"});
    f.UpdateFile();
    f.WriteList("L", {"z"});
    EXPECT_FALSE(f.Modified());

    // "Cant" beyond the keys, holes and a huge count read what is there.
    f.ReplaceSection("M", {"Cant=2000000000", "2=dos", "1=uno", "01=no", "4=cuatro", "x=no"});
    EXPECT_EQ(f.ReadList("M"), (std::vector<std::string>{"uno", "dos", "cuatro"}));
    f.ReplaceSection("M", {"Cant=2", "1=uno", "2=dos", "3=tres"});
    EXPECT_EQ(f.ReadList("M"), (std::vector<std::string>{"uno", "dos"}));
    f.WriteList("M", {"a"});
    EXPECT_EQ(f.ReadSectionValues("M"), (std::vector<std::string>{"Cant=1", "3=tres", "1=a"}));
    EXPECT_TRUE(f.ReadList("no-existe").empty());
}

TEST_F(VelIniTest, ReemplazarSeccion) {
    TVelIniFile f(Ini());
    f.ReplaceSection("s", {"a=1", "<def>", "F=m*a"});
    EXPECT_EQ(f.ReadSectionValues("s"), (std::vector<std::string>{"a=1", "<def>", "F=m*a"}));
    EXPECT_EQ(f.ReadSection("s"), (std::vector<std::string>{"a", "F"}));
    f.UpdateFile();
    f.ReplaceSection("S", {"a=1", "<def>", "F=m*a"});
    EXPECT_FALSE(f.Modified());
    f.ReplaceSection("s", {"b=2"});
    EXPECT_EQ(f.ReadString("s", "b"), "2");
    EXPECT_EQ(f.ReadString("s", "a", "?"), "?");
    for (const std::vector<std::string>& malas :
         {std::vector<std::string>{"[x]"}, {""}, {"a\nb"}, {"ok", "a\rb"}, {std::string("a\0b", 3)}})
        EXPECT_THROW(f.ReplaceSection("s", malas), EArchivoIni);
    EXPECT_EQ(f.ReadSectionValues("s"), std::vector<std::string>{"b=2"});
}

// ------------------------------------------------------- refused writes ----

TEST_F(VelIniTest, ClavesYValoresQueInyectarianLineasSeRechazan) {
    Poner(Ini(), "[s]\r\na=1\r\n\r\n");
    TVelIniFile f(Ini());
    const std::tuple<std::string, std::string, std::string> casos[] = {
        {"s", "", "x"},          // an empty key must not erase the section
        {"s", "a=b", "x"}, {"s", "a\nb", "x"}, {"s", "a\rb", "x"}, {"s", "[t]", "x"}, {"s", "[t", "x"},
        {"s", ";c", "x"}, {"s", "k", "x\ny"}, {"s", "k", "x\r\n[t]"}, {"s", "k", std::string("a\0b", 3)},
        {"s\n[t]", "k", "x"}, {"", "", "x"},
    };
    for (const auto& [seccion, clave, valor] : casos)
        EXPECT_THROW(f.WriteString(seccion, clave, valor), EArchivoIni) << clave;
    EXPECT_THROW(f.WriteList("s", {"ok", "no\nvale"}), EArchivoIni);
    // Stray bytes would turn the whole file into Latin-1 on the next read.
    EXPECT_THROW(f.WriteString("s", "k", "a\xF1o"), EArchivoIni);
    EXPECT_THROW(f.WriteString("s\xC3", "k", "v"), EArchivoIni);
    EXPECT_THROW(f.ReplaceSection("s", {"k=\xFF"}), EArchivoIni);
    EXPECT_FALSE(f.Modified());
    EXPECT_EQ(f.ReadSectionValues("s"), std::vector<std::string>{"a=1"});

    // Keys that are merely odd are fine and read back.
    f.WriteString("s", "k[1]", "=;[x]");
    f.WriteString("s", "a b", " espacios ");
    f.UpdateFile();
    TVelIniFile g(Ini());
    EXPECT_EQ(g.ReadString("s", "k[1]"), "=;[x]");
    EXPECT_EQ(g.ReadString("s", "a b"), " espacios ");
}

// ------------------------------------------------------------ keyed files ----

TEST_F(VelIniTest, ArchivoConClave) {
    const std::string clave = "Una clave de prueba de más de ocho caracteres";
    {
        TVelIniFile f(Ini(), clave);
        f.WriteString("Longitud", "metro", "1_m");
        f.WriteString("Longitud", "pulgada", "0.0254_in");
        f.UpdateFile();
    }
    std::string bytes = Leer(Ini());
    EXPECT_EQ(bytes.find("metro"), std::string::npos);
    TVelIniFile::Mezclar(bytes, clave);  // the same routine unscrambles
    EXPECT_EQ(bytes, "[Longitud]\r\nmetro=1_m\r\npulgada=0.0254_in\r\n\r\n");
    std::string conocidos = "ABCD", vacio;
    TVelIniFile::Mezclar(conocidos, "abc");
    TVelIniFile::Mezclar(vacio, "abc");
    EXPECT_EQ(conocidos + vacio, "#! %");

    TVelIniFile f(Ini(), clave);
    EXPECT_EQ(f.ReadString("longitud", "pulgada"), "0.0254_in");
    EXPECT_FALSE(f.Informe().HayProblemas());
}

TEST_F(VelIniTest, ArchivoConClaveLeidoSinElla) {
    const std::string clave = "clave";
    {
        TVelIniFile f(Ini(), clave);
        for (int i = 0; i < 50; ++i) f.WriteInteger(Nombre("S", i), "k", i);
    }
    const std::string original = Leer(Ini());
    for (const std::string& otra : {std::string(), std::string("otra clave")}) {
        TVelIniFile f(Ini(), otra);
        EXPECT_TRUE(f.Informe().HayProblemas());
        EXPECT_FALSE(f.SectionExists("S1"));
        f.WriteString("nueva", "k", "v");
        f.UpdateFile();
        EXPECT_EQ(Leer(dir_ / "prueba.ini.bak"), original);
        Poner(Ini(), original);
    }
}

// A keyed file the user wrote as plain text is read as it is, reported, left
// plain by closing, and keyed only by an explicit save.
TEST_F(VelIniTest, ArchivoSinCifrarLeidoConClave) {
    const std::string plano = "[S]\r\nmm=1\r\nMm=2\r\n";
    Poner(Ini(), plano);
    {
        TVelIniFile f(Ini(), "clave");
        EXPECT_TRUE(f.Informe().SinCifrar);
        EXPECT_EQ(f.ReadSectionValues("S"), (std::vector<std::string>{"mm=1", "Mm=2"}));
    }
    EXPECT_EQ(Leer(Ini()), plano);
    TVelIniFile f(Ini(), "clave");
    f.WriteString("S", "km", "3");
    f.UpdateFile();
    std::string bytes = Leer(Ini());
    TVelIniFile::Mezclar(bytes, "clave");
    EXPECT_EQ(bytes, "[S]\r\nmm=1\r\nMm=2\r\nkm=3\r\n\r\n");
}

// ------------------------------------------------------- failing writes ----

TEST_F(VelIniTest, EscrituraFallidaConservaElArchivoYElEstado) {
    Poner(Ini(), "[s]\r\na=1\r\n\r\n");
    TVelIniFile f(Ini());
    f.WriteString("s", "b", std::string(1000, 'x'));
    {
        rlimit antes{};
        ::getrlimit(RLIMIT_FSIZE, &antes);
        rlimit bajo = antes;
        bajo.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &bajo);
        EXPECT_THROW(f.UpdateFile(), EEscritura);
        ::setrlimit(RLIMIT_FSIZE, &antes);
    }
    EXPECT_TRUE(f.Modified());
    EXPECT_EQ(Leer(Ini()), "[s]\r\na=1\r\n\r\n");
    f.UpdateFile();
    EXPECT_EQ(TVelIniFile(Ini()).ReadString("s", "b").size(), 1000u);
}

TEST_F(VelIniTest, DestructorAvisaEnVezDeLanzar) {
    std::vector<std::string> avisos;
    {
        OpcionesIni o;
        o.Aviso = [&](NivelAviso n, const std::string& m) {
            EXPECT_EQ(n, NivelAviso::Error);
            avisos.push_back(m);
        };
        TVelIniFile f(dir_ / "no-existe" / "x.ini", {}, o);
        f.WriteString("s", "k", "v");
    }
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_NE(avisos[0].find("x.ini"), std::string::npos);
}

TEST_F(VelIniTest, CambiarDeNombreGuardaAntes) {
    int avisos = 0;
    OpcionesIni o;
    o.Aviso = [&](NivelAviso, const std::string&) { ++avisos; };
    TVelIniFile f(Ini(), {}, o);
    f.WriteString("s", "k", "v");
    f.SetFileName(dir_ / "otro.ini");
    EXPECT_EQ(Leer(Ini()), "[s]\r\nk=v\r\n\r\n");
    EXPECT_FALSE(f.SectionExists("s"));
    EXPECT_EQ(f.FileName(), dir_ / "otro.ini");
    // A name that cannot be written: the change is refused, nothing is lost.
    f.WriteString("t", "k", "v");
    Poner(dir_ / "archivo", "");
    f.SetFileName(dir_ / "archivo" / "dentro.ini");  // nothing pending for the new one
    EXPECT_EQ(Leer(dir_ / "otro.ini"), "[t]\r\nk=v\r\n\r\n");
    f.WriteString("u", "k", "v");
    EXPECT_THROW(f.SetFileName(Ini()), EEscritura);
    EXPECT_EQ(f.ReadString("u", "k"), "v");
    EXPECT_THROW(f.SetFileName({}), EEscritura);
    EXPECT_EQ(avisos, 0);
}

TEST_F(VelIniTest, RutasLargasNoSeCortan) {
    fs::path largo = dir_;
    for (int i = 0; i < 6; ++i) largo /= std::string(60, static_cast<char>('a' + i));
    fs::create_directories(largo);
    const fs::path ruta = largo / (std::string(200, 'n') + ".ini");
    ASSERT_GT(ruta.string().size(), 255u);
    {
        TVelIniFile f(ruta);
        f.WriteString("s", "k", "v");
    }
    EXPECT_EQ(Leer(ruta), "[s]\r\nk=v\r\n\r\n");
}

// ---------------------------------------------------------- one per path ----

TEST_F(VelIniTest, UnaInstanciaPorArchivo) {
    auto a = TAppIniFile::Abrir(dir_);
    EXPECT_EQ(a->FileName(), dir_ / "numbrix.ini");
    auto b = TVelIniFile::Compartido(dir_ / "." / "numbrix.ini");
    fs::create_symlink(dir_ / "numbrix.ini", dir_ / "enlace.ini");
    auto c = TVelIniFile::Compartido(dir_ / "enlace.ini");
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(a.get(), c.get());
    EXPECT_THROW(TVelIniFile::Compartido(dir_ / "numbrix.ini", "clave"), EArchivoIni);
    a->WriteString("Opciones", "Ver", "250");
    EXPECT_EQ(b->ReadInteger("opciones", "ver", 0), 250);
    a.reset();
    b.reset();
    c.reset();  // the last one saves
    EXPECT_EQ(Leer(dir_ / "numbrix.ini"), "[Opciones]\r\nVer=250\r\n\r\n");
    auto d = TAppIniFile::Abrir(dir_);
    EXPECT_EQ(d->ReadInteger("Opciones", "Ver", 0), 250);
}

}  // namespace
}  // namespace numbrix
