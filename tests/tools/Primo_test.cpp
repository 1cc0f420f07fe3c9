#include "tools/Primo.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <thread>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "support/EscrituraAtomica.h"
#include "tools/Criba.h"
#include "support/basicos.h"

namespace numbrix {
namespace {

using u64 = std::uint64_t;
constexpr u64 kMax = kMaximoPrimos;

// The reference: a plain sieve of the window [a, b] by the primes up to √b.
std::vector<u64> Criba(u64 a, u64 b) {
    std::vector<bool> compuesto(b - a + 1);
    for (u64 p = 2; p * p <= b; ++p)
        for (u64 m = std::max(p * p, (a + p - 1) / p * p); m <= b; m += p) compuesto[m - a] = true;
    std::vector<u64> r;
    for (u64 n = std::max<u64>(a, 2); n <= b; ++n)
        if (!compuesto[n - a]) r.push_back(n);
    return r;
}

std::vector<u64> Numeros(const std::string& s) {
    std::vector<u64> r;
    std::istringstream in(s);
    for (u64 p; in >> p;) r.push_back(p);
    return r;
}

std::vector<u64> Lista(u64 lo, u64 hi, u64 maximo = 0) {
    TTrabajo t;
    std::string s;
    ListarPrimos(lo, hi, t, [&](std::string_view b) { s += b; }, maximo);
    return Numeros(s);
}

TEST(Primo, PrimalidadComoLaDivision) {
    for (u64 n : {2ull, 299210837ull, 4294967291ull, 4294967311ull, 9223372036854775783ull, 3037000453ull})
        EXPECT_TRUE(EsPrimo(n)) << n;
    for (u64 n : std::initializer_list<u64>{0, 1, 561, 3215031751ull, 3825123056546413051ull, kMax, 1ull << 62,
                                            9223371873002223329ull, 25326001ull})
        EXPECT_FALSE(EsPrimo(n)) << n;
    const auto primos = Criba(0, 1 << 20);
    std::vector<bool> es(1000000);
    for (u64 p : primos)
        if (p < es.size()) es[p] = true;
    for (u64 n = 0; n < es.size(); ++n) ASSERT_EQ(EsPrimo(n), es[n]) << n;
    std::mt19937_64 g(7);
    for (int i = 0; i < 10000; ++i) {
        const u64 n = g() >> 24;
        const auto d = std::find_if(primos.begin(), primos.end(), [&](u64 p) { return p * p > n || n % p == 0; });
        ASSERT_EQ(EsPrimo(n), n > 1 && *d * *d > n) << n;
    }
}

TEST(Primo, LineasDeLaVentana) {
    struct Caso {
        LineasPrimos (*f)(u64);
        u64 n;
        std::vector<std::string> lineas;
        u64 cuenta;
    } casos[] = {
        {LineasFactores, 360, {"2 ^ 3", "3 ^ 2", "5"}, 6}, {LineasFactores, 97, {"Primo"}, 1},
        {LineasFactores, 1, {"1"}, 0}, {LineasFactores, kMax, {"7 ^ 2", "73", "127", "337", "92737", "649657"}, 7},
        {LineasFactores, 1ull << 62, {"2 ^ 62"}, 62},
        {LineasFactores, 9223371873002223329ull, {"3037000453", "3037000493"}, 2},
        {LineasEsPrimo, 91, {"No, es divisible por: 7"}, 1}, {LineasEsPrimo, 1, {"No, 1 no es primo"}, 1},
        {LineasEsPrimo, 4294967311ull, {"Es Primo"}, 1},
        {LineasDivisores, 36, {"2", "3", "4", "6", "9", "12", "18"}, 7}, {LineasDivisores, 97, {"Es Primo"}, 1},
        {LineasDivisores, 1, {}, 0},
    };
    for (const auto& c : casos) {
        const auto r = c.f(c.n);
        EXPECT_EQ(r.lineas, c.lineas) << c.n;
        EXPECT_EQ(r.cuenta, c.cuenta) << c.n;
    }
    EXPECT_EQ(Divisores(963761198400ull).size(), 6720u);  // 6718 lines
    EXPECT_EQ(LineasDivisores(25878ull * 25878).lineas.size(), 79u);
}

TEST(Primo, ProductosAleatoriosVuelvenASusFactores) {
    std::mt19937_64 g(11);
    for (int i = 0; i < 300; ++i) {
        const u64 a = (g() >> (33 + i % 20)) | 1, b = (g() >> (33 + i % 7)) | 1;
        const u64 n = a * b;
        u64 producto = 1;
        for (u64 f : FactoresPrimos(n)) {
            EXPECT_TRUE(EsPrimo(f)) << n;
            producto *= f;
        }
        EXPECT_EQ(producto, n);
    }
}

TEST(Primo, NumerosRechazados) {
    using O = OperacionPrimos;
    const std::pair<O, const char*> mal[] = {
        {O::EsPrimo, "0"},  {O::EsPrimo, "9223372036854775808"}, {O::Factores, "-4"}, {O::Divisores, "0"},
        {O::Rango, "x"},    {O::Enesimo, "144115188075855873"},  {O::Enesimo, "0"},
    };
    for (const auto& [op, texto] : mal)
        EXPECT_EQ(prueba::MensajeLanzado<EPrimos>([&] { NumeroPara(op, texto); }),
                  op == O::EsPrimo ? kMsjMaximoPrimo : op == O::Enesimo ? kMsjEnesimo : kMsjNaturales) << texto;
    EXPECT_EQ(NumeroPara(O::Enesimo, " 144115188075855872"), kMaximoEnesimo);
}

TEST(Primo, EnesimoEnLosPuntosDeControl) {
    // Each pair is (k, p(k)): the search must land on p(k + 1) past each.
    const std::pair<u64, u64> puntos[] = {{5, 11},           {9999, 104723},    {49999, 611951},
                                          {99999, 1299689},  {199999, 2750131}, {999999, 15485857},
                                          {3999999, 67867957}};
    TTrabajo t;
    for (const auto& [k, p] : puntos) {
        EXPECT_EQ(EnesimoPrimo(k, t), p) << k;
        EXPECT_EQ(EnesimoPrimo(k + 1, t), Criba(p + 1, p + 400).front()) << k;
    }
    EXPECT_EQ(EnesimoPrimo(60000, t), 746773u);
    EXPECT_EQ(prueba::MensajeLanzado<EPrimos>([&] { EnesimoPrimo(kMaximoEnesimo + 1, t); }), kMsjEnesimo);
}

TEST(Primo, ListasComoLaCriba) {
    const std::pair<u64, u64> rangos[] = {{1, 12}, {2, 2}, {14, 16}, {1, 1}, {9, 9}, {20, 10}, {1, 30},
                                          {0, 1000}, {999000, 1000000}, {3, 3}};
    for (const auto& [lo, hi] : rangos) EXPECT_EQ(Lista(lo, hi), lo > hi ? std::vector<u64>{} : Criba(lo, hi)) << lo;
    // Both sides of the switch from the wheel to the sieve (30·√hi wide).
    std::mt19937_64 g(3);
    TTrabajo t;
    for (int i = 0; i < 40; ++i) {
        const u64 hi = 1000 + g() % 100000000, ancho = 30 * static_cast<u64>(std::sqrt(double(hi)));
        const u64 lo = hi - std::min(hi - 1, i % 2 ? ancho + g() % 100 : ancho - 1 - g() % 100);
        const auto ref = Criba(lo, hi);
        EXPECT_EQ(Lista(lo, hi), ref) << lo << ".." << hi;
        EXPECT_EQ(ContarPrimos(lo, hi, t), ref.size()) << lo << ".." << hi;
    }
    u64 cuenta = 0;
    for (u64 n = kMax - 100; n <= kMax && n >= kMax - 100; ++n) cuenta += EsPrimo(n);
    EXPECT_EQ(Lista(kMax - 100, kMax).size(), cuenta);
    EXPECT_EQ(Lista(kMax - 100, kMax).back(), 9223372036854775783ull);
    EXPECT_EQ(Lista(2, 1000000, 1000).size(), 1000u);
    EXPECT_EQ(EstimacionPrimos(1, 2), 0);
    EXPECT_EQ(TextoFinLista(10, 1, 30), "10 / 29  (34.483%)");
}

TEST(Primo, ContarEnTramosLargos) {
    TTrabajo t;
    EXPECT_EQ(ContarPrimos(1, 1000000000, t, {.hilos = 1}), 50847534u);
    EXPECT_EQ(ContarPrimos(104729, 104729 + 20000000, t), Criba(104729, 104729 + 20000000).size());
}

// High up the sieve answers from a child process, in blocks of numbers.
TEST(Primo, CribaEnOtroProceso) {
    const u64 lo = 1ull << 52, hi = lo + 400000;
    const auto ref = Criba(lo, hi);
    EXPECT_EQ(ContarPrimosCriba(lo, hi), ref.size());
    TRecorridoPrimos it(lo, hi);
    std::vector<u64> r;
    for (u64 p = it.Siguiente(); p <= hi; p = it.Siguiente()) r.push_back(p);
    EXPECT_EQ(r, ref);
}

class PrimoArchivo : public CarpetaTemporal {};

// A cancel from another thread ends each kind of job; what was listed stays.
TEST_F(PrimoArchivo, CancelarDesdeOtroHilo) {
    const std::function<void(TTrabajo&)> trabajos[] = {
        [](TTrabajo& t) { ContarPrimos(2, kMax - 1, t); },
        [](TTrabajo& t) { ContarPrimos(2, 1000000000000ull, t); },
        [](TTrabajo& t) { EnesimoPrimo(kMaximoEnesimo, t); },
        [](TTrabajo& t) { ListarPrimos(kMax - 1000000000ull, kMax, t, [](std::string_view) {}); },
        [](TTrabajo& t) { ListarPrimos(kMax - 200000000000ull, kMax, t, [](std::string_view) {}); },
        [&](TTrabajo& t) { ListarPrimosArchivo(2, kMax, dir_ / "p.txt", t); },
    };
    for (const auto& trabajo : trabajos) {
        TTrabajo t;
        std::thread h([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            t.Cancelar();
        });
        EXPECT_EQ(EjecutarTrabajo(trabajo, t).fin, FinTrabajo::Cancelado);
        h.join();
    }
    const std::string s = Leer(dir_ / "p.txt");
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back(), '\n');
    const auto leidos = Numeros(s);
    EXPECT_EQ(leidos, Criba(2, leidos.back()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(PrimoArchivo, EscrituraQueFallaDejaElAnterior) {
    Poner(dir_ / "p.txt", "antes\n");
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        rlimit l{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &l);
        TTrabajo t;
        try {
            ListarPrimosArchivo(2, 10000000, dir_ / "p.txt", t);
        } catch (const EEscritura& e) {
            ::_exit(std::string(e.what()).find(TextoErrorSistema(EFBIG)) != std::string::npos ? 7 : 8);
        }
        ::_exit(9);
    }
    int estado = 0;
    ::waitpid(hijo, &estado, 0);
    EXPECT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 7);
    EXPECT_EQ(Leer(dir_ / "p.txt"), "antes\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
}  // namespace numbrix
