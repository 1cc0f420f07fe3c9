#include "support/basicos.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

namespace fs = std::filesystem;

// ------------------------------------------------------------------ text ----

struct CasoSeparar {
    std::string texto;
    char32_t separador;
    std::vector<std::string> esperado;
};

TEST(Basicos, SepararConservaLosVacios) {
    const CasoSeparar casos[] = {
        {"a,,b", U',', {"a", "", "b"}},
        {"", U',', {""}},
        {",", U',', {"", ""}},
        {"abc", U',', {"abc"}},
        {"a,b,", U',', {"a", "b", ""}},
        {"uno·dos", U'·', {"uno", "dos"}},  // a two-byte separator
        {"x\ty", U'\t', {"x", "y"}},
    };
    for (const auto& c : casos) EXPECT_EQ(Separar(c.texto, c.separador), c.esperado) << c.texto;
}

struct CasoLados {
    std::string texto;
    long long n;
    std::string izquierda, derecha;
};

TEST(Basicos, IzquierdaYDerechaCuentanCaracteresYRecortan) {
    const CasoLados casos[] = {
        {"abcdef", -2, "abcd", "cdef"},
        {"abcdef", 2, "ab", "ef"},
        {"abcdef", 0, "", ""},
        {"abcdef", 6, "abcdef", "abcdef"},
        {"abcdef", 99, "abcdef", "abcdef"},
        {"abcdef", -6, "", ""},
        {"abcdef", -99, "", ""},
        {"", 3, "", ""},
        {"", -3, "", ""},
        {"añoñú", 2, "añ", "ñú"},
        {"añoñú", -1, "añoñ", "ñoñú"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Izquierda(c.texto, c.n), c.izquierda) << c.texto << " " << c.n;
        EXPECT_EQ(Derecha(c.texto, c.n), c.derecha) << c.texto << " " << c.n;
    }
}

TEST(Basicos, PartesDeNombreYValor) {
    struct Caso {
        std::string linea, nombre, valor, nombreTol, valorTol;
    };
    const Caso casos[] = {
        {"a=b", "a", "b", "a", "b"},
        {"a=b=c", "a", "b=c", "a", "b=c"},
        {"sin igual", "", "", "sin igual", "sin igual"},
        {"=v", "", "v", "=v", "v"},
        {"n=", "n", "", "n", "n="},
        {"=", "", "", "=", "="},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ParteNombre(c.linea), c.nombre) << c.linea;
        EXPECT_EQ(ParteValor(c.linea), c.valor) << c.linea;
        EXPECT_EQ(ParteNombreTolerante(c.linea), c.nombreTol) << c.linea;
        EXPECT_EQ(ParteValorTolerante(c.linea), c.valorTol) << c.linea;
    }
}

TEST(Basicos, CaracteresQuitadosYRepetidos) {
    EXPECT_EQ(QuitarAceleradores("&Archivo && &más"), "Archivo  más");
    EXPECT_EQ(QuitarCaracter("año ñoño", U'ñ'), "ao oo");
    EXPECT_EQ(QuitarCaracter("a-b-c", U'-'), "abc");
    EXPECT_EQ(RepetirCaracter(U'x', 0), "");
    EXPECT_EQ(RepetirCaracter(U'=', 3), "===");
    EXPECT_EQ(RepetirCaracter(U'─', 2), "──");
}

TEST(Basicos, Utf8YLatin1) {
    EXPECT_TRUE(EsUtf8Valido("año"));
    EXPECT_FALSE(EsUtf8Valido("a\xF1o"));          // Latin-1 ñ
    EXPECT_FALSE(EsUtf8Valido("\xC0\xAF"));        // overlong
    EXPECT_FALSE(EsUtf8Valido("\xED\xA0\x80"));    // surrogate
    EXPECT_FALSE(EsUtf8Valido("\xE2\x82"));        // cut sequence
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

TEST(SeparaTexto, ComillasYFinal) {
    TSeparaTexto s("\"x\"\ty");
    EXPECT_EQ(s.Siguiente(), "x");
    EXPECT_EQ(s.Siguiente(), "y");
    EXPECT_FALSE(s.Fin());
    EXPECT_EQ(s.Siguiente(), "");
    EXPECT_TRUE(s.Fin());
    EXPECT_EQ(s.Cuenta(), 3);
    EXPECT_EQ(s.Siguiente(), "");  // past the end: still counted
    EXPECT_EQ(s.Cuenta(), 4);
}

// Reads every field until the end flag.
std::vector<std::string> Campos(TSeparaTexto& s) {
    std::vector<std::string> r;
    for (int guarda = 0; guarda < 100; ++guarda) {
        std::string c = s.Siguiente();
        if (s.Fin()) break;
        r.push_back(c);
    }
    return r;
}

TEST(SeparaTexto, CamposPorConjuntoDeSeparadores) {
    struct Caso {
        std::string texto, separadores;
        bool comillas;
        std::vector<std::string> campos;
    };
    const Caso casos[] = {
        {"a;b,c", ";,", true, {"a", "b", "c"}},
        {"a\t\tb", "\t", true, {"a", "", "b"}},
        {"a\t", "\t", true, {"a", ""}},  // a trailing separator leaves an empty last field
        {"", "\t", true, {""}},
        {"\"", "\t", true, {"\""}},  // a lone quote is not a pair
        {"\"\"", "\t", true, {""}},
        {"\"a\"", "\t", false, {"\"a\""}},
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

TEST(SeparaTexto, ReiniciarYCambiarDeTexto) {
    TSeparaTexto s("a,b", ",");
    EXPECT_EQ(Campos(s), (std::vector<std::string>{"a", "b"}));
    s.Reiniciar();
    EXPECT_EQ(s.Cuenta(), 0);
    EXPECT_EQ(s.Siguiente(), "a");
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

int Comparar(int a, int b) { return (a > b) - (a < b); }

struct Elemento {
    int clave;
    int id;  // tells equal keys apart, so the final order is observable
    bool operator==(const Elemento&) const = default;
};

std::vector<std::vector<Elemento>> Entradas() {
    std::mt19937 azar(7);
    std::vector<std::vector<Elemento>> r;
    auto crear = [&](std::size_t n, auto clave) {
        std::vector<Elemento> v(n);
        for (std::size_t i = 0; i < n; ++i) v[i] = {clave(i), static_cast<int>(i)};
        r.push_back(v);
    };
    crear(0, [](std::size_t) { return 0; });
    crear(1, [](std::size_t) { return 0; });
    crear(2, [](std::size_t i) { return 1 - static_cast<int>(i); });
    crear(1000, [&](std::size_t) { return static_cast<int>(azar() % 50); });
    crear(1000, [&](std::size_t) { return static_cast<int>(azar()); });
    crear(1000, [](std::size_t i) { return static_cast<int>(i); });
    crear(1000, [](std::size_t i) { return -static_cast<int>(i); });
    crear(1000, [](std::size_t) { return 5; });
    crear(1001, [](std::size_t i) { return static_cast<int>(i < 500 ? i : 1000 - i); });  // organ pipe
    return r;
}

TEST(QuickSort, OrdenaComoLaFormaClasica) {
    for (auto entrada : Entradas()) {
        auto esperado = entrada;
        auto cmpE = [&](std::ptrdiff_t i, std::ptrdiff_t j) { return Comparar(esperado[i].clave, esperado[j].clave); };
        auto swpE = [&](std::ptrdiff_t i, std::ptrdiff_t j) { std::swap(esperado[i], esperado[j]); };
        if (!esperado.empty()) QuickSortClasico(0, static_cast<std::ptrdiff_t>(esperado.size()) - 1, cmpE, swpE);

        QuickSort(
            0, static_cast<std::ptrdiff_t>(entrada.size()) - 1,
            [&](std::ptrdiff_t i, std::ptrdiff_t j) { return Comparar(entrada[i].clave, entrada[j].clave); },
            [&](std::ptrdiff_t i, std::ptrdiff_t j) { std::swap(entrada[i], entrada[j]); });
        EXPECT_TRUE(std::is_sorted(entrada.begin(), entrada.end(),
                                   [](const Elemento& a, const Elemento& b) { return a.clave < b.clave; }));
        EXPECT_EQ(entrada, esperado);
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
    QuickSort(
        0, 99,
        [&](std::ptrdiff_t i, std::ptrdiff_t j) {
            EXPECT_TRUE(i >= 0 && i < 100 && j >= 0 && j < 100);
            return static_cast<int>(azar() % 3) - 1;
        },
        [&](std::ptrdiff_t i, std::ptrdiff_t j) {
            EXPECT_TRUE(i >= 0 && i < 100 && j >= 0 && j < 100);
            std::swap(w[i], w[j]);
        });
}

// ------------------------------------------------------------- stopwatch ----

TEST(Cronometro, CeroSinMarcaYLuegoMilisegundos) {
    EXPECT_EQ(Cronometro(false), 0);  // no mark yet in this process
    Cronometro(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto t = Cronometro(true);
    EXPECT_GE(t, 30);
    EXPECT_LT(t, 5000);
    EXPECT_LT(Cronometro(false), 1000);  // the mark moved
}

// ----------------------------------------------------------- file search ----

class BuscarArchivosTest : public ::testing::Test {
protected:
    void SetUp() override {
        char plantilla[] = "/tmp/numbrix_busca_XXXXXX";
        ASSERT_NE(::mkdtemp(plantilla), nullptr);
        raiz_ = plantilla;
        for (const char* f : {"a.fcm", "B.FCM", "c.txt", "sub/d.fcm", "sub/e.txt", "sub/hondo/f.fcm", "otra/g.fcm"}) {
            fs::create_directories((raiz_ / f).parent_path());
            std::ofstream(raiz_ / f) << "x";
        }
        fs::create_directory(raiz_ / "carpeta.fcm");  // a folder that matches a mask
        fs::create_directory_symlink(raiz_ / "sub", raiz_ / "enlace");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(raiz_ / "otra", fs::perms::owner_all, ec);
        fs::remove_all(raiz_, ec);
    }
    std::vector<std::string> Relativas(const std::vector<ArchivoEncontrado>& v) {
        std::vector<std::string> r;
        for (const auto& a : v) r.push_back(fs::relative(a.Ruta, raiz_).string());
        return r;
    }
    fs::path raiz_;
};

TEST_F(BuscarArchivosTest, MascarasYRecursion) {
    EXPECT_EQ(Relativas(BuscarArchivos(raiz_, "*.fcm", false)), (std::vector<std::string>{"B.FCM", "a.fcm"}));
    EXPECT_EQ(Relativas(BuscarArchivos(raiz_, "*.txt, ?.FCM", false)),
              (std::vector<std::string>{"B.FCM", "a.fcm", "c.txt"}));
    // Depth first; the link to "sub" is not walked, so nothing appears twice.
    EXPECT_EQ(Relativas(BuscarArchivos(raiz_, "*.fcm", true)),
              (std::vector<std::string>{"B.FCM", "a.fcm", "otra/g.fcm", "sub/d.fcm", "sub/hondo/f.fcm"}));
    EXPECT_TRUE(BuscarArchivos(raiz_ / "no-existe", "*", true).empty());
    EXPECT_TRUE(BuscarArchivos(raiz_, "", true).empty());
}

TEST_F(BuscarArchivosTest, CarpetaIlegibleSeOmite) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    fs::permissions(raiz_ / "otra", fs::perms::none);
    EXPECT_EQ(Relativas(BuscarArchivos(raiz_, "*.fcm", true)),
              (std::vector<std::string>{"B.FCM", "a.fcm", "sub/d.fcm", "sub/hondo/f.fcm"}));
}

TEST(Basicos, Mascaras) {
    struct Caso {
        const char *nombre, *mascara;
        bool coincide;
    };
    const Caso casos[] = {
        {"a.fcm", "*.fcm", true},   {"A.FCM", "*.fcm", true},  {"a.fcmx", "*.fcm", false},
        {"ñ.txt", "?.txt", true},   {"ab.txt", "?.txt", false}, {"x", "*", true},
        {"", "*", true},            {"abc", "a*c", true},      {"abcbc", "a*bc", true},
        {"primos.txt", "p*s.t?t", true},
    };
    for (const auto& c : casos) EXPECT_EQ(CoincideMascara(c.nombre, c.mascara), c.coincide) << c.nombre << " " << c.mascara;
}

TEST(Basicos, LeerArchivoEnteroRechazaLoQueNoEsArchivo) {
    std::string bytes, error;
    EXPECT_FALSE(LeerArchivoEntero("/no/existe", bytes, &error));
    EXPECT_FALSE(LeerArchivoEntero("/tmp", bytes, &error));
    EXPECT_FALSE(LeerArchivoEntero("/dev/zero", bytes, &error));  // would never end
    EXPECT_EQ(error, "no es un archivo normal");
}

}  // namespace
}  // namespace numbrix
