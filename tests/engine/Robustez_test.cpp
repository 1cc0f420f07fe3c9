// Robustness of the real-mode engine: hostile inputs must compile or fail
// with a message, never crash, and an evaluation that succeeds never yields
// inf or NaN (random texts are the `real` fuzz harness's business, how long
// they take bench/'s).
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"
#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace numbrix {
namespace {

std::unique_ptr<TExpresionX> NuevoMotor() {
    auto e = std::make_unique<TExpresionX>();
    e->SetPredefinidas(true);
    e->Silencioso = true;
    e->AgregarVariable("x")->AsignarValor(2.0L);
    return e;
}

// What one compile-and-evaluate round left behind.
struct Resultado {
    bool compilada = false;
    bool error = false;
    int codigo = 0;
    std::string mensaje;
    long double valor = 0;
};

// Compiles and evaluates, checking the invariants every input must keep:
// a failure always carries a message, a success is a finite number, and
// evaluating again (cache bypassed) agrees unless the tree is random.
Resultado Probar(TExpresionX& e, const std::string& texto, const std::string& etiqueta) {
    Resultado r;
    e.SetTexto(texto);
    r.compilada = !e.HayError;
    EXPECT_EQ(r.compilada, static_cast<bool>(e.Arbol)) << etiqueta;
    if (!r.compilada) {
        r.error = true;
        r.codigo = static_cast<int>(e.CodigoError);
        r.mensaje = e.Mensaje;
        EXPECT_FALSE(r.mensaje.empty()) << etiqueta;
        return r;
    }
    r.valor = e.Valor();
    r.error = e.HayError;
    r.codigo = static_cast<int>(e.CodigoError);
    r.mensaje = e.Mensaje;
    if (r.error) {
        // A message node shows its own text, which may be empty («''»).
        if (r.codigo != static_cast<int>(CodigoError::Mensaje)) { EXPECT_FALSE(r.mensaje.empty()) << etiqueta; }
        EXPECT_NE(r.codigo, 0) << etiqueta;
    } else {
        EXPECT_TRUE(std::isfinite(r.valor)) << etiqueta << " -> " << r.valor;
    }
    if (e.Arbol && !e.Arbol->Volatil()) {
        e.Forzar = true;
        long double otra = e.Valor();
        EXPECT_EQ(e.HayError, r.error) << etiqueta << " (segunda evaluación)";
        EXPECT_EQ(static_cast<int>(e.CodigoError), r.codigo) << etiqueta << " (segunda evaluación)";
        if (!r.error && !e.HayError) {
            EXPECT_EQ(std::memcmp(&otra, &r.valor, 10), 0)
                << etiqueta << " (segunda evaluación): " << otra << " != " << r.valor;
        }
    }
    return r;
}

std::string Abreviado(const std::string& t) {
    return t.size() <= 80 ? t : t.substr(0, 60) + "… (" + std::to_string(t.size()) + " bytes)";
}

// ---------------------------------------------------------------- hostile inputs

std::string Repetir(const std::string& s, int n) {
    std::string r;
    r.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

std::string Unidos(int n, const std::string& sep, const std::function<std::string(int)>& pieza) {
    std::string r;
    for (int i = 0; i < n; ++i) {
        if (i) r += sep;
        r += pieza(i);
    }
    return r;
}

// «v0:"x";v1:"v0+v0";…;vN» (textual) or «v0:1;v1:v0+v0;…;vN» (shared).
std::string CadenaLocales(int n, bool textual, const std::string& primera) {
    std::string t = "v0:" + (textual ? "\"" + primera + "\"" : primera) + ";";
    for (int i = 1; i < n; ++i) {
        std::string cuerpo = "v" + std::to_string(i - 1) + "+v" + std::to_string(i - 1);
        t += "v" + std::to_string(i) + ":" + (textual ? "\"" + cuerpo + "\"" : cuerpo) + ";";
    }
    return t + "v" + std::to_string(n - 1);
}

// «v0:1;v1:v0+1;…;vN»: each local one more than the one before.
std::string CadenaSumas(int n) {
    return Unidos(n, ";", [](int i) { return "v" + std::to_string(i) + ":" + (i ? "v" + std::to_string(i - 1) + "+1" : "1"); }) +
           ";v" + std::to_string(n - 1);
}

// «a:1;b:a+a;…» over single letters, so names like e and x are shadowed.
std::string CadenaLetras(int n) {
    std::string t = "a:1;";
    for (int i = 1; i < n; ++i) {
        char p = static_cast<char>('a' + i - 1), c = static_cast<char>('a' + i);
        t += std::string(1, c) + ":" + p + "+" + p + ";";
    }
    return t + static_cast<char>('a' + n - 1);
}

// U1(?a)=?a+?a, Uk(?a)=U{k-1}(?a+?a): k nested expansions, a shared DAG.
void Doblar(TExpresionX& e, int niveles) {
    e.AgregarUsuario("U1", "?a+?a", "");
    for (int k = 2; k <= niveles; ++k)
        e.AgregarUsuario("U" + std::to_string(k), "U" + std::to_string(k - 1) + "(?a+?a)", "");
}

// F1(?a)=?a+?a, Fk(?a)=F{k-1}(F{k-1}(?a)): 2^k expansions.
void Cuadrar(TExpresionX& e, int niveles) {
    e.AgregarUsuario("F1", "?a+?a", "");
    for (int k = 2; k <= niveles; ++k) {
        std::string p = "F" + std::to_string(k - 1);
        e.AgregarUsuario("F" + std::to_string(k), p + "(" + p + "(?a))", "");
    }
}

enum class Espera { Cualquiera, Compila, Falla };

struct Caso {
    const char* nombre;
    std::function<std::string()> texto;
    Espera espera = Espera::Cualquiera;
    std::optional<long double> valor{};  // checked whenever it evaluates without error
    int codigo = -1;                     // expected CodigoError when it fails (-1: any)
    std::function<void(TExpresionX&)> preparar{};
    const char* mensaje = nullptr;       // exact message when it fails
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nombre; }

std::function<std::string()> Fijo(std::string t) {
    return [t] { return t; };
}

// Registers user functions «nombre=cuerpo», or a chain C1..Cn of n calls.
std::function<void(TExpresionX&)> Usuarios(std::vector<std::pair<const char*, const char*>> f) {
    return [f](TExpresionX& e) {
        for (const auto& [nombre, cuerpo] : f) e.AgregarUsuario(nombre, cuerpo, "");
    };
}
std::function<void(TExpresionX&)> CadenaDeFunciones(int n) {
    return [n](TExpresionX& e) {
        e.AgregarUsuario("C1", "?a+1", "");
        for (int k = 2; k <= n; ++k) e.AgregarUsuario("C" + std::to_string(k), "C" + std::to_string(k - 1) + "(?a)", "");
    };
}

// «p sep p … p» of n pieces, and p nested n deep around a centre.
std::function<std::string()> Cadena(int n, std::string sep, std::string p) {
    return [=] { return Unidos(n, sep, [&](int) { return p; }); };
}
std::function<std::string()> Anidado(int n, std::string abre, std::string centro, std::string cierra) {
    return [=] { return Repetir(abre, n) + centro + Repetir(cierra, n); };
}

const std::vector<Caso>& Hostiles() {
    constexpr Espera C = Espera::Compila, F = Espera::Falla, A = Espera::Cualquiera;
    constexpr std::nullopt_t N = std::nullopt;
    static const std::vector<Caso> casos = {
        // Local definitions.
        {"TextualesEncadenadas40", [] { return CadenaLocales(40, true, "x"); }, F},
        {"TextualesEncadenadas10", [] { return CadenaLocales(10, true, "x"); }, C, 1024.0L},
        {"TextualComoSubexpresion", Fijo("v0:\"x+1\";v1:\"v0*v0\";v1"), C, 9.0L},
        {"CompartidasEncadenadas40", [] { return CadenaLocales(40, false, "1"); }, C, 549755813888.0L},
        {"CompartidasDeLetras26", [] { return CadenaLetras(26); }, C, 33554432.0L},  // 2^25
        {"CompartidasConVariable40", [] { return CadenaLocales(40, false, "x"); }, C, 1099511627776.0L},
        {"MilLocalesEnCadena", [] { return CadenaSumas(1000); }, C, 1000.0L},
        {"DiezMilLocalesEnCadena", [] { return CadenaSumas(10000); }},
        {"TextualQueCreceDemasiado", [] { return "a:\"" + Repetir("x+", 2000) + "x\";" + Unidos(100, "+", [](int) { return "a"; }); },
         F, N, 18},
        {"LocalQueNoCompila", Fijo("e:2+;e*2"), F, N, 18},
        {"LocalSinNombre", Fijo(":2;x"), F, N, 18, {}, "Falta indentificador de expresión"},
        {"LocalSinDosPuntos", Fijo("a;b:\"c"), F, N, 18, {}, "Falta indentificador de expresión"},
        {"ComillaSinCerrar", Fijo("a:\"x;a"), F, N, 18, {}, "Falta indentificador de expresión"},
        {"SoloComilla", Fijo("a:\";a"), F, N, 18}, {"PuntoYComaSuelto", Fijo(";"), F},
        {"MuchosPuntoYComa", [] { return Repetir(";", 50000); }, F},
        {"MuchosDosPuntos", [] { return Repetir("a:", 25000) + ";a"; }, F},

        // User functions.
        {"UsuarioDuplicaParametro40", Fijo("U40(1)"), C, 1099511627776.0L, -1,
         [](TExpresionX& e) { Doblar(e, 40); }},  // 2^40
        {"UsuarioDuplicaParametroConX", Fijo("U40(x)+U40(x)"), C, 4398046511104.0L, -1,
         [](TExpresionX& e) { Doblar(e, 40); }},  // 2 * 2^41
        {"UsuarioSinEnvoltura40", Fijo("U40(x)"), C, 2199023255552.0L, -1,
         [](TExpresionX& e) { e.SinEnvoltura = true; Doblar(e, 40); }},  // 2 * 2^40
        {"UsuarioCuadrado10", Fijo("F10(1)"), C, std::ldexp(1.0L, 512), -1, [](TExpresionX& e) { Cuadrar(e, 10); }},
        {"UsuarioCuadrado40", Fijo("F40(1)"), F, N, -1, [](TExpresionX& e) { Cuadrar(e, 40); }},
        {"UsuarioCuadrado20", Fijo("F20(x)"), A, N, -1, [](TExpresionX& e) { Cuadrar(e, 20); }},
        // A recursion names the function that calls itself, whoever the user called.
        {"UsuarioSeLlamaASiMismo", Fijo("Yo(1)"), F, N, 18, Usuarios({{"Yo", "Yo(?a)+1"}}),
         "La función Yo se llama a sí misma"},
        {"UsuarioSinParametrosRecursivo", Fijo("Nada+1"), F, N, 18,
         Usuarios({{"Nada", "Nada*2"}}), "La función Nada se llama a sí misma"},
        {"UsuariosMutuamenteRecursivos", Fijo("Ping(2)"), F, N, 18,
         Usuarios({{"Ping", "Pong(?a)*2"}, {"Pong", "Ping(?a)+1"}}), "La función Ping se llama a sí misma a través de Pong"},
        {"UsuarioRecursivoEnArgumento", Fijo("Yo(Yo(Yo(1)))"), F, N, 18,
         Usuarios({{"Yo", "Si(?a,1,Yo(?a-1))"}}), "La función Yo se llama a sí misma"},
        {"CadenaHaciaUnaRecursion", Fijo("F(1)+1"), F, N, 18,
         Usuarios({{"F", "G(?a)*2"}, {"G", "H(?a)+1"}, {"H", "Max(H(?a-1),0)"}}), "La función H se llama a sí misma"},
        {"CicloEnMedioDeLaCadena", Fijo("F(1)"), F, N, 18,
         Usuarios({{"F", "G(?a)"}, {"G", "H(?a)+J(?a)"}, {"H", "?a"}, {"J", "K(?a)"}, {"K", "G(2*?a)"}}),
         "La función G se llama a sí misma a través de J, K"},
        {"CadenaDe41Funciones", Fijo("C41(1)"), F, N, 18, CadenaDeFunciones(41),
         "La función C41 anida más de 40 funciones de usuario"},
        {"CadenaDe40Funciones", Fijo("C40(1)"), C, 2.0L, -1, CadenaDeFunciones(40)},

        // Size and depth.
        {"Parentesis50000", Anidado(50000, "(", "1", ")"), F},
        {"Parentesis1000", Anidado(1000, "(", "x", ")"), C, 2.0L},
        {"Parentesis4000", Anidado(4000, "(", "1", ")"), A, 1.0L},
        {"ParentesisAbiertos100000", [] { return Repetir("(", 100000); }, F},
        {"ParentesisCerrados100000", [] { return Repetir(")", 100000); }, F},
        // A flat chain is not nesting: any length compiles and evaluates.
        {"Suma100000Caracteres", Cadena(50000, "+", "1"), C, 50000.0L},
        {"Suma2000Terminos", [] { return Unidos(2000, "+", [](int i) { return std::to_string(i + 1); }); },
         C, 2001000.0L},
        {"Suma20000TerminosDe100000Caracteres", Cadena(20000, "+", "1.25"), C, 25000.0L},
        {"Resta100000Caracteres", Cadena(50000, "-", "1"), C, -49998.0L},
        {"SumaDeX50000", Cadena(50000, "+", "x"), C, 100000.0L},
        {"SumaDeProductos20000", Cadena(20000, "-", "2*x"), C, -79992.0L},
        {"Producto100000Caracteres", Cadena(50000, "*", "x"), F, N, 12},  // 2^50000
        {"Producto20000DeUnos", Cadena(20000, "*", "x^0"), C, 1.0L},
        {"Division100000Caracteres", Cadena(50000, "/", "x"), C, 0.0L},  // 2^-49998 underflows to 0
        {"ProductosYCocientes20000", [] { return Unidos(20000, "*", [](int i) { return i % 2 ? "x" : "1/x"; }); },
         C, 1.0L},
        // Real nesting keeps its bound, with a message.
        {"SumaAnidadaPorLaDerecha20000", Anidado(20000, "1+(", "1", ")"), F, N, 18},
        {"Potencias60000Caracteres", Cadena(30000, "^", "x")}, {"Logicos100000Caracteres", Cadena(50000, "&", "1")},
        {"Menos50000", [] { return Repetir("-", 50000) + "1"; }},
        {"MenosAnidados30000", Anidado(30000, "-(", "1", ")")},
        {"MenosAnidados300", Anidado(300, "-(", "1", ")"), C, 1.0L},
        {"MenosAnidados1000", Anidado(1000, "-(", "1", ")"), A, 1.0L},
        {"Porcentajes30000", [] { return "x" + Repetir("%", 30000); }},
        {"SenosAnidados20000", Anidado(20000, "sen(", "1", ")"), F},
        {"MaxAnidados20000", Anidado(20000, "Max(1,", "1", ")"), F},
        {"Max10000Comas", [] { return "Max(" + Unidos(10001, ",", [](int i) { return std::to_string(i); }) + ")"; },
         C, 10000.0L},
        {"Comas10000SinFuncion", [] { return "(" + Unidos(10001, ",", [](int) { return "1"; }) + ")"; }, F},
        {"Identificador100000", [] { return Repetir("x", 100000); }, F, N, 18},
        {"Comentario100000", [] { return "'" + Repetir("a", 100000) + "'"; }, A},
        {"Blancos100000", Anidado(50000, " ", "1", " "), A, 1.0L},
        {"ComparacionesCrecientes1000", [] { return Unidos(1000, "<", [](int i) { return std::to_string(i); }); },
         C, 1.0L},
        {"ComparacionesDecrecientes1000", [] { return Unidos(1000, ">", [](int i) { return std::to_string(-i); }); },
         C, 1.0L},
        {"Comparaciones30000", Cadena(30000, "<", "1")}, {"ComparacionesDobles20000", Cadena(20000, "<=", "x")},
        {"OperadoresSueltos100000", [] { return Repetir("+-*/^", 20000); }, F},

        // Numbers.
        {"ExponenteEnorme", Fijo("1e999999999999"), F, N, 12}, {"ExponenteMasDe32Bits", Fijo("1e4294967296"), F, N, 12},
        {"ExponenteNegativoEnorme", Fijo("1e-999999999999"), C, 0.0L}, {"Exponente5000", Fijo("1e5000"), F, N, 12},
        {"Subdesbordamiento", Fijo("1e-5000"), C, 0.0L},
        {"PotenciaNegativaEnorme", Fijo("2^-16400"), C, std::ldexp(1.0L, -16400)},
        {"TorreDePotencias", Fijo("2^2^2^2^2^2^2"), C, 18446744073709551616.0L},  // ((2^2)^2…)=2^64
        {"PotenciaQueDesborda", Fijo("2^99999999999"), F, N, 12},
        {"PotenciaQueSeAnula", Fijo("0.5^99999999999"), C, 0.0L},
        {"PotenciaDeVariableQueDesborda", Fijo("x^99999999999"), F, N, 12},
        {"Numero250Digitos", [] { return "1" + Repetir("0", 249); }, C, 1e249L},
        {"Numero300Digitos", [] { return Repetir("9", 300); }, F, N, 18,
         {}, "Número demasiado largo (más de 255 caracteres)"},
        {"Decimales300", [] { return "0." + Repetir("3", 300); }, F, N, 18,
         {}, "Número demasiado largo (más de 255 caracteres)"},
        // A long piece that starts with a digit is not a number: it splits.
        {"ProductoImplicitoLargo", [] { return "2(" + Unidos(200, "+", [](int) { return "1"; }) + ")"; }, C, 400.0L},
        {"PotenciaLarga", [] { return "2^(" + Unidos(150, "-", [](int) { return "0"; }) + "+10)"; }, C, 1024.0L},
        {"SenoLargo", [] { return "3sen(" + Unidos(150, "+", [](int) { return "0"; }) + ")"; }, C, 0.0L},
        {"MaxLargo", [] { return "2Max(" + Unidos(150, ",", [](int i) { return std::to_string(i); }) + ")"; },
         C, 298.0L},
        {"NumeroLargoPorX", [] { return Repetir("1", 300) + "x"; }, F, N, 18,
         {}, "Número demasiado largo (más de 255 caracteres)"},
        {"Base16Larga", [] { return Repetir("F", 300) + "[16]"; }, F},
    };
    return casos;
}

class Hostil : public ::testing::TestWithParam<Caso> {};

TEST_P(Hostil, CompilaOFallaConMensaje) {
    const Caso& c = GetParam();
    const std::string texto = c.texto();
    const std::string etiqueta = std::string(c.nombre) + " «" + Abreviado(texto) + "»";
    {
        auto e = NuevoMotor();
        if (c.preparar) c.preparar(*e);
        Resultado r = Probar(*e, texto, etiqueta);
        if (r.compilada) {
            // Tree walks must stay linear on shared sub-trees.
            auto x = e->AgregarVariable("x");
            (void)e->ContieneVariable(x.get());
            x->AsignarValor(3.0L);
            (void)e->Valor();
            x->AsignarValor(2.0L);
        }
        if (c.espera == Espera::Compila) { EXPECT_FALSE(r.error) << etiqueta << ": " << r.mensaje; }
        if (c.espera == Espera::Falla) { EXPECT_TRUE(r.error) << etiqueta << " dio " << r.valor; }
        if (c.valor && !r.error) { EXPECT_EQ(r.valor, *c.valor) << etiqueta; }
        if (r.error && c.codigo >= 0) { EXPECT_EQ(r.codigo, c.codigo) << etiqueta << ": " << r.mensaje; }
        if (r.error && c.mensaje) { EXPECT_EQ(r.mensaje, c.mensaje) << etiqueta; }
    }  // the engine and its tree are released, without recursion
}

INSTANTIATE_TEST_SUITE_P(Casos, Hostil, ::testing::ValuesIn(Hostiles()),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nombre); });

// ---------------------------------------------------------------- solving deep trees

TEST(Robustez, DespejarArbolesProfundos) {
    struct Fila {
        std::string texto;
        std::optional<long double> x;  // expected solution, when it must solve
    };
    const std::vector<Fila> filas = {
        {"x" + Repetir("+1", 100) + "=5", -95.0L},
        {"x" + Repetir("+1", 4100) + "=5", -4095.0L},  // a flat chain: solved along it in a loop (longer: below)
        {Repetir("(", 4000) + "x" + Repetir(")", 4000) + "=7", std::nullopt},
        {Repetir("-(", 2000) + "x" + Repetir(")", 2000) + "=7", std::nullopt},
        {CadenaLocales(40, false, "x") + "=8", std::nullopt},
    };
    for (const Fila& f : filas) {
        const std::string etiqueta = "«" + Abreviado(f.texto) + "»";
        auto e = NuevoMotor();
        auto x = e->AgregarVariable("x");
        e->SetTexto(f.texto);
        const long double s = e->HayError ? 0 : e->ResolverPara(x.get());
        EXPECT_TRUE(e->HayError ? !e->Mensaje.empty() : std::isfinite(s)) << etiqueta;
        if (f.x) {
            EXPECT_FALSE(e->HayError) << etiqueta << ": " << e->Mensaje;
            EXPECT_EQ(s, *f.x) << etiqueta;
        }
    }
}

// ---------------------------------------------------------------- flat chains

// Runs f on a thread whose stack holds a few thousand frames at most: a walk
// that recursed along a 20,000-link chain would overflow it and crash.
void EnPilaPequena(const std::function<void()>& f) {
#if defined(NUMBRIX_SANITIZED) || defined(__SANITIZE_ADDRESS__)
    constexpr std::size_t kPila = 6u << 20;  // sanitizer frames are larger
#else
    constexpr std::size_t kPila = 512u << 10;
#endif
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, kPila), 0);
    pthread_t hilo;
    auto trampolin = [](void* p) -> void* {
        (*static_cast<const std::function<void()>*>(p))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&hilo, &attr, trampolin, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(hilo, nullptr);
    pthread_attr_destroy(&attr);
}

// Compiling, evaluating, re-evaluating, solving, drawing and releasing a
// 20,000-link chain of each family, on a small stack.
TEST(Robustez, CadenasPlanasSinRecursion) {
    struct Fila {
        const char* sep;
        long double valor;     // with x = 1
        long double solucion;  // of «chain = 5» for the x in front
    };
    const Fila filas[] = {{"+", 20000, 5 - 19999}, {"-", -19998, 5 + 19999}, {"*", 1, 5}, {"/", 1, 5}};
    for (const Fila& f : filas) {
        const std::string texto = Unidos(20000, f.sep, [](int) { return "x"; });
        const std::string ecuacion = "x" + Repetir(std::string(f.sep) + "1", 19999) + "=5";
        EnPilaPequena([&] {
            auto e = NuevoMotor();
            auto x = e->AgregarVariable("x");
            x->AsignarValor(1);
            e->SetTexto(texto);
            ASSERT_FALSE(e->HayError) << f.sep << ": " << e->Mensaje;
            EXPECT_EQ(e->Valor(), f.valor) << f.sep;
            x->AsignarValor(1);  // a new evaluation of the whole chain
            EXPECT_EQ(e->Valor(), f.valor) << f.sep;
            auto g = Metarchivo(*e, prueba::Fijas());
            ASSERT_TRUE(g);
            EXPECT_EQ(g->ExtensionDibujada().vacia, false);
            e->SetTexto(ecuacion);
            ASSERT_FALSE(e->HayError) << f.sep << ": " << e->Mensaje;
            EXPECT_EQ(e->ResolverPara(x.get()), f.solucion) << f.sep << ": " << e->Mensaje;
            e.reset();
        });
    }
}

// A long chain is compiled by a loop over its prefixes, a short one by plain
// recursion: a bad piece in the middle must give the same outcome both ways.
TEST(Robustez, CadenaLargaFallaComoLaCorta) {
    const char* piezas[] = {"(2+)", "foo", "2**3", "'m'", "1<2", "(1", "1)", "*", "2e", "-", "Max(1)", "1/0",
                            "sen()", "1e-5", "-x", "2x", ".", "FF[16]", "h1F", "x%", "2^-1"};
    for (const char* pieza : piezas) {
        for (const char* sep : {"+", "-", "*", "/"}) {
            Resultado r[2];
            int k = 0;
            for (int largo : {9, 3001}) {
                const std::string t =
                    Unidos(largo, sep, [&](int i) { return i == largo / 2 ? std::string(pieza) : std::string("x"); });
                auto e = NuevoMotor();
                r[k++] = Probar(*e, t, std::string(pieza) + " " + sep);
            }
            const std::string etiqueta = std::string("«") + pieza + "» entre «" + sep + "»";
            EXPECT_EQ(r[0].compilada, r[1].compilada) << etiqueta;
            EXPECT_EQ(r[0].error, r[1].error) << etiqueta;
            EXPECT_EQ(r[0].codigo, r[1].codigo) << etiqueta;
            EXPECT_EQ(r[0].mensaje, r[1].mensaje) << etiqueta;
        }
    }
}

// Re-evaluating after assigning the variable agrees with compiling the
// number in its place: caching and folding must not change a result.
TEST(Robustez, EvaluarDeNuevoCoincideConCompilarDeNuevo) {
    const char* textos[] = {"x^2+3*x-1", "sen(x)*cos(x)", "Max(x,1,x^2)", "U8(x)-x", "x<3<x+2", "Si(x>2,x,1/x)",
                            "a:x^3;b:a+a;b*b-a", "f:\"x+1\";f*f", "Rd(x*10)/10+Frac(x/3)"};
    auto e = NuevoMotor();
    auto x = e->AgregarVariable("x");
    Doblar(*e, 8);
    for (const char* t : textos) {
        e->SetTexto(t);
        ASSERT_FALSE(e->HayError) << t << ": " << e->Mensaje;
        for (long double v : {-2.5L, 0.75L, 1.0L, 2.0L, 3.0L, 7.25L}) {
            x->AsignarValor(v);
            long double cacheado = e->Valor();
            bool error = e->HayError;
            auto otro = NuevoMotor();
            otro->AgregarVariable("x")->AsignarValor(v);
            Doblar(*otro, 8);
            otro->SetTexto(t);
            long double nuevo = otro->Valor();
            EXPECT_EQ(error, otro->HayError) << t << " con x=" << v;
            if (!error && !otro->HayError) { EXPECT_EQ(cacheado, nuevo) << t << " con x=" << v; }
        }
    }
}

}  // namespace
}  // namespace numbrix
