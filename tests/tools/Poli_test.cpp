#include "tools/Poli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <iomanip>
#include <random>

#include "Ayudas.h"

namespace numbrix {
namespace {

const AjustesFraccion kMixto{1000, true};

TPoli P(std::string_view t) { return TPoli::DesdeTexto(t); }
std::string Raices(std::string_view t) { return RaicesTexto(P(t)); }

TEST(Poli, TextoNormalizado) {
    const struct {
        const char *entrada, *salida;
        bool mixto;
    } casos[] = {
        {"3x^2-x+0.5", "3x^2 -x +1|2", false}, {"x", "x", false},          {"x+x", "2x", false},
        {"-x10", "-x^10", false},              {"1|2x", "1|2x", false},    {"-3|1|2x^2", "-7|2x^2", false},
        {"-3|1|2x^2", "-3|1|2x^2", true},      {"x^3 - 1", "x^3 -1", false}, {"+x-x", "0", false},
        {"x255", "x^255", false},              {"7|2", "3|1|2", true},     {"0", "0", false},
    };
    for (const auto& c : casos) {
        const AjustesFraccion aj{1000, c.mixto};
        EXPECT_EQ(TPoli::DesdeTexto(c.entrada, aj).ATexto(aj), c.salida) << c.entrada;
    }
}

TEST(Poli, TextosRechazados) {
    const struct {
        const char *entrada, *mensaje;
    } casos[] = {
        {"", "\"\" no es un valor racional valido"},
        {"x++1", "\"x++1\" no es un valor racional valido"},
        {"x+", "\"x+\" no es un valor racional valido"},
        {"x2.5", "\"x2.5\" no es un valor racional valido"},
        {"x256", "El grado máximo es 255"},
        {"2^3x", "Potencia no válida: 2^3x"},
        {"x^-2", "Potencia no válida: x^-2"},
    };
    for (const auto& c : casos) EXPECT_EQ(prueba::MensajeLanzado([&] { P(c.entrada); }), c.mensaje) << c.entrada;
    EXPECT_THROW(P("2y"), ENumbrix);
    EXPECT_THROW(PoliDeRaices("1,,2"), EPoli);
    EXPECT_THROW(TPoli::Producto(P("x200"), P("x200")), EPoli);
    EXPECT_THROW(P("x255").Integra(), EPoli);
    EXPECT_THROW(TPoli::Divide(P("x"), P("0")), EFraccion);
}

TEST(Poli, Operaciones) {
    EXPECT_EQ(TPoli(P("1")).Suma(P("x")).ATexto(), "x +1");
    EXPECT_EQ(TPoli(P("1")).Resta(P("x")).ATexto(), "-x +1");
    auto [q, r] = TPoli::Divide(P("x^2-1"), P("x-1"));
    EXPECT_EQ(q.ATexto() + "|" + r.ATexto(), "x +1|0");
    auto [qr, rr] = TPoli::Ruffini(P("x^3-1"), TFrac(1));
    EXPECT_EQ(qr.ATexto() + "|" + rr.ATexto({}), "x^2 +x +1|0");
    auto [q5, r5] = TPoli::Ruffini(P("5"), TFrac(2));
    EXPECT_EQ(q5.ATexto() + "|" + r5.ATexto({}), "0|5");
    EXPECT_EQ(P("7").Deriva().ATexto(), "0");
    EXPECT_EQ(P("3x^2").Integra().ATexto(), "x^3");
    EXPECT_EQ(P("x^2").EvaluaRacional(TFrac(1, 1001)), TFrac(1, 1002001));
    EXPECT_EQ(PoliDeRaices("1, -1, 1|2").ATexto(), "x^3 -1|2x^2 -x +1|2");
}

TEST(Poli, Raices) {
    const struct {
        const char *p, *raices;
    } casos[] = {
        {"2x+1", "-1|2"},
        {"x^2+1", "i\r\n-i\r\n"},
        {"x^4-5x^2+4", "2\r\n-2\r\n1\r\n-1"},
        {"5", "Grado 0 (Raiz indeterminada o no existe)"},
        {"x^3", "0\r\n0\r\n0\r\n"},
        {"x^3-3x^2+3x-1", "1\r\n1\r\n1\r\n"},
        {"x^6-2x", "0\r\n1.14869835499704\r\nNo se encontraron otras 4 raices"},
    };
    for (const auto& c : casos) EXPECT_EQ(Raices(c.p), c.raices) << c.p;
    EXPECT_TRUE(Raices("x^5-12x^4+x-12").starts_with("12\r\n"));
    // A linear root whose exact fraction overflows is written as a decimal.
    EXPECT_EQ(Raices("38|535+2+x+2|589745x-7165x"), "0.000289088224227186") << Raices("38|535+2+x+2|589745x-7165x");
    // (x − 1/3)(x⁴+x+1): the fraction is found despite |P[0]| < 1/2
    EXPECT_TRUE(Raices("x^5-1|3x^4+x^2+2|3x-1|3").starts_with("0.333333333333333\r\n")) << Raices("x^5-1|3x^4+x^2+2|3x-1|3");
}

TPoli Azar(std::mt19937_64& g, int grado, std::int64_t maxNum, std::uint32_t maxDen) {
    TPoli p;
    for (int i = 0; i <= grado; ++i)
        p.PonCoef(i, TFrac(std::uniform_int_distribution<std::int64_t>(-maxNum, maxNum)(g),
                           std::uniform_int_distribution<std::uint32_t>(1, maxDen)(g)));
    return p;
}

TEST(Poli, IdaYVueltaDelTexto) {
    std::mt19937_64 g(7);
    for (int n = 0; n < 10000; ++n) {
        const AjustesFraccion aj{1000, n % 2 == 0};
        const TPoli p = Azar(g, n % 31, (1ll << 62), 0xFFFFFFFFu);
        ASSERT_EQ(TPoli::DesdeTexto(p.ATexto(aj), aj), p) << p.ATexto(aj);
    }
}

TEST(Poli, IdentidadesExactas) {
    std::mt19937_64 g(11);
    for (int n = 0; n < 300; ++n) {
        const TPoli p = Azar(g, n % 9, 20, 4), d = Azar(g, n % 4, 20, 4);
        const TFrac r(n % 7 - 3, n % 3 + 1);
        try {
            auto [q, resto] = TPoli::Divide(p, d);
            EXPECT_EQ(TPoli::Producto(q, d).Suma(resto), p);
            if (d.Grado() > 0) {
                EXPECT_LT(resto.Grado(), d.Grado());
            }
            auto [qr, rr] = TPoli::Ruffini(p, r);
            TPoli lineal;
            lineal.PonCoef(1, TFrac(1));
            lineal.PonCoef(0, -r);
            auto [qd, rd] = TPoli::Divide(p, lineal);
            EXPECT_TRUE(qr == qd && rd == TPoli::DesdeTexto(rr.ATexto({})));
            EXPECT_EQ(TPoli(p).Integra().Deriva(), p);
        } catch (const EFraccion& e) {
            EXPECT_NE(e.tipo(), EFraccion::Tipo::TextoInvalido);  // overflow of a large random case
        }
    }
}

// The roots of a roots text, and in `faltan` how many it says it did not find.
std::vector<TComplejo> Leidas(const std::string& t, int& faltan, int grado) {
    std::vector<TComplejo> z;
    for (std::size_t i = 0; i < t.size(); i += 2) {
        const std::size_t f = std::min(t.find("\r\n", i), t.size());
        const std::string linea = t.substr(i, f - i);
        i = f;
        if (linea == "No se encontró una raíz") faltan = 1;
        else if (linea.starts_with("No se encontraron otras ")) faltan = std::stoi(linea.substr(24));
        else if (linea == "No se hallaron raíces") faltan = grado;
        else if (linea.find('|') != std::string::npos) z.push_back({TextoAFrac(linea)->Valor(), 0});
        else if (!linea.empty()) z.push_back(TextoAComplejo(linea));
    }
    return z;
}

// The roots text read back: every root present, as a multiset, when their
// product ∏(x − zᵢ) rebuilds P over its leading coefficient.
void RaicesCompletas(const TPoli& p) {
    const std::string t = RaicesTexto(p);
    int faltan = 0;
    const std::vector<TComplejo> z = Leidas(t, faltan, p.Grado());
    ASSERT_EQ(static_cast<int>(z.size()), p.Grado()) << p.ATexto() << " -> " << t;
    std::vector<TComplejo> c{{1, 0}};
    for (const TComplejo& r : z) {
        c.push_back({0, 0});
        for (std::size_t k = c.size() - 1; k > 0; --k) c[k] = c[k - 1] - r * c[k];
        c[0] = -r * c[0];
    }
    const long double lider = p.Coef(p.Grado()).Valor();
    for (int i = 0; i <= p.Grado(); ++i) {
        const long double esperado = p.Coef(i).Valor() / lider;
        EXPECT_LT(CModulo(c[i] - TComplejo{esperado, 0}), 1e-8L * std::max(1.0L, std::fabs(esperado)))
            << std::setprecision(21) << p.ATexto() << " -> " << t << " at " << i;
    }
}

TEST(Poli, RaicesDeLaClaseResoluble) {
    const char* const solas[] = {"x^4+x+1", "x^4+x^3+2x^2+x+1", "x^4+x^3+6x^2+7x+15", "x^3-2", "x^3-x-1",
                                 "x^2+x+1", "3x-1", "2x^2-3"};
    for (const char* s : solas) RaicesCompletas(P(s));
    std::mt19937_64 g(3);
    for (int n = 0; n < 60; ++n) {
        TPoli p = P(solas[n % 3]);
        for (int k = 0, f = n % 3 + 1; k < f; ++k) {
            const TFrac r(std::uniform_int_distribution<int>(-9, 9)(g), std::uniform_int_distribution<int>(1, 5)(g));
            for (int m = 0, veces = n % 4 + 1; m < veces; ++m) p = TPoli::Producto(p, PoliDeRaices(r.ATexto({})));
        }
        RaicesCompletas(p);
    }
}

// Roots of a polynomial with real coefficients (a[i] for x^i) by Durand–Kerner,
// independent of the unit's finder; good for simple roots.
using Cx = std::complex<long double>;
std::vector<Cx> DurandKerner(const std::vector<long double>& a) {
    const std::size_t n = a.size() - 1;
    std::vector<Cx> z(n);
    for (std::size_t i = 0; i < n; ++i) z[i] = std::pow(Cx(0.4L, 0.9L), static_cast<int>(i));
    for (int it = 0; it < 3000; ++it)  // a fixed count: cheap, and far past convergence
        for (std::size_t i = 0; i < n; ++i) {
            Cx v = a[n], d = a[n];
            for (std::size_t k = n; k-- > 0;) v = v * z[i] + a[k];
            for (std::size_t j = 0; j < n; ++j) d *= j == i ? Cx(1) : z[i] - z[j];
            z[i] -= v / d;
        }
    return z;
}

// Each of `hallados` matched to a different one of `todos`; false if one has no partner.
bool Contenidos(const std::vector<Cx>& hallados, std::vector<Cx> todos, long double tol) {
    for (const Cx& h : hallados) {
        auto c = std::min_element(todos.begin(), todos.end(),
                                  [&](const Cx& a, const Cx& b) { return std::abs(a - h) < std::abs(b - h); });
        if (c == todos.end() || std::abs(*c - h) > tol * std::max(1.0L, std::abs(h))) return false;
        todos.erase(c);
    }
    return true;
}

TEST(Poli, RaicesContraOtroMetodo) {
    std::mt19937_64 g(19);
    auto entero = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    for (int caso = 0; caso < 300; ++caso) {
        // Distinct known roots: rational p/q, ±√c, and complex pairs of x² + bx + c.
        TPoli p = P("1");
        std::vector<Cx> conocidas;
        const int cuadraticas = entero(0, 2);
        for (int i = 0; i < cuadraticas; ++i) {
            // x² − c (c = 2, 3: irrational) or x² + bx + c with b² < 4c; distinct by construction.
            const int b = i == 0 ? 0 : 2 * entero(-2, 2), c = i == 0 ? -entero(2, 3) : b * b / 4 + entero(1, 5) + 3;
            TPoli q;
            q.PonCoef(2, TFrac(1)), q.PonCoef(1, TFrac(b)), q.PonCoef(0, TFrac(c));
            p = TPoli::Producto(p, q);
            const Cx d = std::sqrt(Cx(b * b - 4.0L * c));
            conocidas.push_back((-Cx(b) + d) / 2.0L);
            conocidas.push_back((-Cx(b) - d) / 2.0L);
        }
        for (int i = 0, racionales = entero(cuadraticas == 0 ? 2 : 0, 8 - 2 * cuadraticas); i < racionales; ++i) {
            const TFrac r(entero(-12, 12), entero(1, 6));
            if (std::none_of(conocidas.begin(), conocidas.end(), [&](const Cx& z) { return std::abs(z - r.Valor()) < 1e-9L; }))
                p = TPoli::Producto(p, PoliDeRaices(r.ATexto({}))), conocidas.push_back(r.Valor());
        }
        if (p.Grado() < 2) continue;
        std::vector<long double> a;
        for (int i = 0; i <= p.Grado(); ++i) a.push_back(p.Coef(i).Valor());
        const std::vector<Cx> dk = DurandKerner(a);
        ASSERT_TRUE(Contenidos(dk, conocidas, 1e-9L)) << p.ATexto() << ": Durand–Kerner";
        const std::string t = RaicesTexto(p);
        int faltan = 0;
        std::vector<Cx> hallados;
        for (const TComplejo& z : Leidas(t, faltan, p.Grado())) {
            Cx v = 0, x(z.Re, z.Im);
            long double escala = 0;
            for (int k = p.Grado(); k >= 0; --k) v = v * x + a[k], escala += std::fabs(a[k]) * std::pow(std::abs(x), k);
            EXPECT_LE(std::abs(v), 1e-9L * escala) << std::setprecision(21) << p.ATexto() << " at " << x;
            hallados.push_back(x);
        }
        EXPECT_EQ(static_cast<int>(hallados.size()) + faltan, p.Grado()) << p.ATexto() << " -> " << t;
        EXPECT_TRUE(Contenidos(hallados, dk, 1e-7L)) << p.ATexto() << " -> " << t;
    }
}

}  // namespace
}  // namespace numbrix
