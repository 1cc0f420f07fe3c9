#include "support/basicos.h"

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <system_error>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
using Textos = std::vector<std::string>;

// ------------------------------------------------------------------ text ----

TEST(Basicos, SepararConservaLosVacios) {
    struct Caso { std::string texto; char32_t separador; Textos esperado; };
    const Caso casos[] = {
        {"a,,b", U',', {"a", "", "b"}}, {"", U',', {""}},   {",", U',', {"", ""}}, {"abc", U',', {"abc"}},
        {"a,b,", U',', {"a", "b", ""}}, {"x\ty", U'\t', {"x", "y"}},
        {"uno·dos", U'·', {"uno", "dos"}},  // a two-byte separator
    };
    for (const auto& c : casos) EXPECT_EQ(Separar(c.texto, c.separador), c.esperado) << c.texto;
}

TEST(Basicos, IzquierdaYDerechaCuentanCaracteresYRecortan) {
    struct Caso { std::string texto; long long n; std::string izquierda, derecha; };
    const Caso casos[] = {
        {"abcdef", -2, "abcd", "cdef"}, {"abcdef", 2, "ab", "ef"}, {"abcdef", 0, "", ""}, {"abcdef", -6, "", ""},
        {"abcdef", 6, "abcdef", "abcdef"}, {"abcdef", 99, "abcdef", "abcdef"}, {"abcdef", -99, "", ""},
        {"", 3, "", ""}, {"", -3, "", ""}, {"añoñú", 2, "añ", "ñú"}, {"añoñú", -1, "añoñ", "ñoñú"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Izquierda(c.texto, c.n), c.izquierda) << c.texto << " " << c.n;
        EXPECT_EQ(Derecha(c.texto, c.n), c.derecha) << c.texto << " " << c.n;
    }
}

TEST(Basicos, PartesDeNombreYValor) {
    struct Caso { std::string linea, nombre, valor, nombreTol, valorTol; };
    const Caso casos[] = {
        {"a=b", "a", "b", "a", "b"}, {"a=b=c", "a", "b=c", "a", "b=c"}, {"=v", "", "v", "=v", "v"},
        {"n=", "n", "", "n", "n="},  {"=", "", "", "=", "="},            {"sin igual", "", "", "sin igual", "sin igual"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ParteNombre(c.linea), c.nombre) << c.linea;
        EXPECT_EQ(ParteValor(c.linea), c.valor) << c.linea;
        EXPECT_EQ(ParteNombreTolerante(c.linea), c.nombreTol) << c.linea;
        EXPECT_EQ(ParteValorTolerante(c.linea), c.valorTol) << c.linea;
    }
}

TEST(Basicos, CaracteresUtf8YLatin1) {
    EXPECT_EQ(QuitarAceleradores("&Archivo && &más"), "Archivo  más");
    EXPECT_EQ(QuitarCaracter("año ñoño", U'ñ'), "ao oo");
    EXPECT_EQ(RepetirCaracter(U'x', 0), "");
    EXPECT_EQ(RepetirCaracter(U'─', 2), "──");
    EXPECT_TRUE(EsUtf8Valido("año"));
    for (const char* malo : {"a\xF1o", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"})  // Latin-1, overlong, surrogate, cut
        EXPECT_FALSE(EsUtf8Valido(malo)) << malo;
    bool latin1 = false;
    EXPECT_EQ(TextoDesdeBytes("a\xF1o", &latin1), "año");
    EXPECT_TRUE(latin1);
    EXPECT_EQ(TextoDesdeBytes("\xEF\xBB\xBFx=1", &latin1), "x=1");
    EXPECT_FALSE(latin1);
    EXPECT_EQ(PlegarMayusculas("ÁÑÜ Ab ×"), "áñü ab ×");
    EXPECT_TRUE(IgualesSinMayusculas("Año", "AÑO"));
    EXPECT_FALSE(IgualesSinMayusculas("×", "÷"));  // C3 97 and C3 B7 are not a case pair
    EXPECT_FALSE(IgualesSinMayusculas("ab", "abc"));
}

// ---------------------------------------------------------- TSeparaTexto ----

// Reads every field until the end flag.
Textos Campos(TSeparaTexto& s) {
    Textos r;
    for (int guarda = 0; guarda < 100; ++guarda) {
        std::string c = s.Siguiente();
        if (s.Fin()) break;
        r.push_back(c);
    }
    return r;
}

TEST(SeparaTexto, CamposPorConjuntoDeSeparadores) {
    struct Caso { std::string texto, separadores; bool comillas; Textos campos; };
    const Caso casos[] = {
        {"a;b,c", ";,", true, {"a", "b", "c"}}, {"a\t\tb", "\t", true, {"a", "", "b"}},
        {"a\t", "\t", true, {"a", ""}},  // a trailing separator leaves an empty last field
        {"", "\t", true, {""}},          {"\"", "\t", true, {"\""}},  // a lone quote is not a pair
        {"\"\"", "\t", true, {""}},      {"\"a\"", "\t", false, {"\"a\""}},
        {"\"a\tb\"", "\t", true, {"\"a", "b\""}},  // quotes do not protect separators
        {"uno·dos", "·", true, {"uno", "dos"}},
    };
    for (const auto& c : casos) {
        TSeparaTexto s;
        s.QuitarComillas = c.comillas;
        s.SetSeparadores(c.separadores);
        s.SetTexto(c.texto);
        EXPECT_EQ(Campos(s), c.campos) << c.texto;
    }
}

TEST(SeparaTexto, FinalCuentaYReinicio) {
    TSeparaTexto s("\"x\"\ty");
    EXPECT_EQ(Campos(s), (Textos{"x", "y"}));
    EXPECT_EQ(s.Cuenta(), 3);
    EXPECT_EQ(s.Siguiente(), "");  // past the end: still counted
    EXPECT_EQ(s.Cuenta(), 4);
    s.Reiniciar();
    EXPECT_EQ(s.Cuenta(), 0);
    EXPECT_EQ(s.Siguiente(), "x");
    s.SetTexto("z");
    EXPECT_EQ(s.Siguiente(), "z");
    EXPECT_EQ(s.Cuenta(), 1);
}

// ------------------------------------------------------------- QuickSort ----

// The textbook form (recursion on the left part, loop on the right), kept
// here to prove that recursing on the smaller part gives the same order.
template <class C, class S>
void QuickSortClasico(std::ptrdiff_t bajo, std::ptrdiff_t alto, C& comparar, S& intercambiar) {
    std::ptrdiff_t i, j;
    do {
        i = bajo;
        j = alto;
        std::ptrdiff_t p = (bajo + alto) / 2;
        do {
            while (comparar(i, p) < 0) ++i;
            while (comparar(j, p) > 0) --j;
            if (i <= j) {
                if (i != j) intercambiar(i, j);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (bajo < j) QuickSortClasico(bajo, j, comparar, intercambiar);
        bajo = i;
    } while (i < alto);
}

struct Elemento {
    int clave;
    int id;  // tells equal keys apart, so the final order is observable
    bool operator==(const Elemento&) const = default;
};

TEST(QuickSort, OrdenaComoLaFormaClasica) {
    std::mt19937 azar(7);
    const std::function<int(int)> claves[] = {
        [](int) { return 0; }, [](int i) { return 1 - i; }, [&](int) { return int(azar() % 50); },
        [&](int) { return int(azar()); }, [](int i) { return i; }, [](int i) { return -i; },
        [](int i) { return i < 500 ? i : 1000 - i; },  // organ pipe
    };
    for (int n : {0, 1, 2, 1001})
        for (const auto& clave : claves) {
            std::vector<Elemento> entrada(n), esperado;
            for (int i = 0; i < n; ++i) entrada[i] = {clave(i), i};
            esperado = entrada;
            const auto ordena = [](std::vector<Elemento>& v, auto&& metodo) {
                auto c = [&](std::ptrdiff_t i, std::ptrdiff_t j) {
                    return (v[i].clave > v[j].clave) - (v[i].clave < v[j].clave);
                };
                auto s = [&](std::ptrdiff_t i, std::ptrdiff_t j) { std::swap(v[i], v[j]); };
                if (!v.empty()) metodo(0, std::ptrdiff_t(v.size()) - 1, c, s);
            };
            ordena(esperado, [](auto b, auto a, auto& c, auto& s) { QuickSortClasico(b, a, c, s); });
            ordena(entrada, [](auto b, auto a, auto& c, auto& s) { QuickSort(b, a, c, s); });
            EXPECT_TRUE(std::is_sorted(entrada.begin(), entrada.end(),
                                       [](const Elemento& a, const Elemento& b) { return a.clave < b.clave; }));
            EXPECT_EQ(entrada, esperado) << n;
        }
}

// McIlroy's adversary, mirrored: values are fixed lazily, each pivot as the
// largest value still free, so every partition leaves almost everything on
// its left; the textbook form then recurses n deep. Returns how deep the
// stack went (bytes) while sorting n items with `ordenar`.
template <class Ordenar>
std::size_t ProfundidadAdversaria(int n, Ordenar ordenar) {
    const int gas = -1;
    std::vector<int> valor(n, gas), ids(n);
    for (int i = 0; i < n; ++i) ids[i] = i;
    int solidos = 0, candidato = 0;
    char base;
    auto tope = reinterpret_cast<std::uintptr_t>(&base), minimo = tope;
    auto comparar = [&](std::ptrdiff_t i, std::ptrdiff_t j) {
        char marca;
        minimo = std::min(minimo, reinterpret_cast<std::uintptr_t>(&marca));
        int x = ids[i], y = ids[j];
        if (valor[x] == gas && valor[y] == gas) valor[x == candidato ? x : y] = n - 1 - solidos++;
        if (valor[x] == gas)
            candidato = x;
        else if (valor[y] == gas)
            candidato = y;
        return valor[x] - valor[y];
    };
    auto intercambiar = [&](std::ptrdiff_t i, std::ptrdiff_t j) { std::swap(ids[i], ids[j]); };
    ordenar(n, comparar, intercambiar);
    for (int i = 1; i < n; ++i) EXPECT_LE(valor[ids[i - 1]], valor[ids[i]]);
    return tope - minimo;
}

TEST(QuickSort, PilaAcotadaAunEnElPeorCaso) {
#if defined(NUMBRIX_SANITIZED)
    GTEST_SKIP() << "stack addresses are not meaningful under the sanitizers";
#endif
    const int n = 3000;
    const auto nuestra = ProfundidadAdversaria(n, [](int m, auto& c, auto& s) { QuickSort(0, m - 1, c, s); });
    const auto clasica = ProfundidadAdversaria(n, [](int m, auto& c, auto& s) { QuickSortClasico(0, m - 1, c, s); });
    EXPECT_LT(nuestra, 16u * 1024);  // about log2(n) frames
    EXPECT_GT(clasica, 8 * nuestra) << clasica << " " << nuestra;  // the measure does see deep recursion
}

TEST(QuickSort, ComparacionIncoherenteNoSaleDelRango) {
    std::vector<int> w(100, 0);
    std::mt19937 azar(3);
    const auto dentro = [](std::ptrdiff_t i, std::ptrdiff_t j) { return i >= 0 && i < 100 && j >= 0 && j < 100; };
    QuickSort(
        0, 99,
        [&](std::ptrdiff_t i, std::ptrdiff_t j) {
            EXPECT_TRUE(dentro(i, j));
            return static_cast<int>(azar() % 3) - 1;
        },
        [&](std::ptrdiff_t i, std::ptrdiff_t j) {
            ASSERT_TRUE(dentro(i, j));
            std::swap(w[i], w[j]);
        });
}

// ------------------------------------------------------------- stopwatch ----

TEST(Cronometro, CeroSinMarcaYLuegoMilisegundos) {
    EXPECT_EQ(Cronometro(false), 0);  // no mark yet in this process
    Cronometro(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GE(Cronometro(true), 30);
}

// ----------------------------------------------------------- file search ----

class BuscarArchivosTest : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        for (const char* f : {"a.fcm", "B.FCM", "c.txt", "sub/d.fcm", "sub/e.txt", "sub/hondo/f.fcm", "otra/g.fcm"})
            Poner(dir_ / f, "x");
        fs::create_directory(dir_ / "carpeta.fcm");  // a folder that matches a mask
        fs::create_directory_symlink(dir_ / "sub", dir_ / "enlace");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_ / "otra", fs::perms::owner_all, ec);
        CarpetaTemporal::TearDown();
    }
    Textos Relativas(const std::vector<ArchivoEncontrado>& v) {
        Textos r;
        for (const auto& a : v) r.push_back(fs::relative(a.Ruta, dir_).string());
        return r;
    }
};

TEST_F(BuscarArchivosTest, MascarasYRecursion) {
    EXPECT_EQ(Relativas(BuscarArchivos(dir_, "*.fcm", false)), (Textos{"B.FCM", "a.fcm"}));
    EXPECT_EQ(Relativas(BuscarArchivos(dir_, "*.txt, ?.FCM", false)), (Textos{"B.FCM", "a.fcm", "c.txt"}));
    // Depth first; the link to "sub" is not walked, so nothing appears twice.
    EXPECT_EQ(Relativas(BuscarArchivos(dir_, "*.fcm", true)),
              (Textos{"B.FCM", "a.fcm", "otra/g.fcm", "sub/d.fcm", "sub/hondo/f.fcm"}));
    EXPECT_TRUE(BuscarArchivos(dir_ / "no-existe", "*", true).empty());
    EXPECT_TRUE(BuscarArchivos(dir_, "", true).empty());
    if (::geteuid() == 0) return;  // root reads every folder
    fs::permissions(dir_ / "otra", fs::perms::none);  // an unreadable folder is left out
    EXPECT_EQ(Relativas(BuscarArchivos(dir_, "*.fcm", true)),
              (Textos{"B.FCM", "a.fcm", "sub/d.fcm", "sub/hondo/f.fcm"}));
}

TEST(Basicos, Mascaras) {
    struct Caso { const char *nombre, *mascara; bool coincide; };
    const Caso casos[] = {
        {"a.fcm", "*.fcm", true}, {"A.FCM", "*.fcm", true}, {"a.fcmx", "*.fcm", false}, {"ñ.txt", "?.txt", true},
        {"ab.txt", "?.txt", false}, {"x", "*", true},       {"", "*", true},            {"abc", "a*c", true},
        {"abcbc", "a*bc", true},  {"primos.txt", "p*s.t?t", true},
    };
    for (const auto& c : casos) EXPECT_EQ(CoincideMascara(c.nombre, c.mascara), c.coincide) << c.nombre << " " << c.mascara;
}

TEST(Basicos, LeerArchivoEnteroRechazaLoQueNoPuedeLeer) {
    struct Caso { const char* ruta; std::uintmax_t maximo; std::string error; };
    const Caso casos[] = {
        {"/no/existe", 1000, TextoErrorSistema(ENOENT)}, {"/tmp", 1000, "no es un archivo normal"},
        {"/dev/zero", 1000, "no es un archivo normal"},  // it would never end
        {"/proc/self/exe", 10, "el archivo es demasiado grande"},
    };
    for (const Caso& c : casos) {
        std::string bytes, error;
        EXPECT_FALSE(LeerArchivoEntero(c.ruta, bytes, &error, c.maximo)) << c.ruta;
        EXPECT_EQ(error, c.error) << c.ruta;
    }
}

}  // namespace
}  // namespace numbrix
