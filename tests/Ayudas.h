#pragma once
// What many tests need: an engine set up as the tests use it, checks of
// what a call raises, the shipped data folder, and readable error codes.
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/ExpresionX.h"
#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"
#include "shell/DibujoCalculo.h"
#include "support/Errores.h"
#include "support/angulos.h"

namespace numbrix {

inline void PrintTo(CodigoError c, std::ostream* os) { *os << static_cast<int>(c); }
inline void PrintTo(const TFrac& f, std::ostream* os) { *os << f.Num() << "/" << f.Den(); }
inline void PrintTo(const TComplejo& z, std::ostream* os) {
    *os << "(" << static_cast<double>(z.Re) << ", " << static_cast<double>(z.Im) << ")";
}

namespace prueba {

// An engine of any domain with the built-ins, silent, the angle unit given,
// the variables named (x and y unless told) and the unknown «?».
template <class D>
struct Motor {
    using V = typename D::Valor;
    TExpresion<D> e;
    std::shared_ptr<TVariable<D>> x, y;  // the first two variables
    std::shared_ptr<TVariable<D>> incognita;
    explicit Motor(UnidadAngulo angulo = Radianes, std::initializer_list<std::string_view> variables = {"x", "y"}) {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        for (std::string_view v : variables) {
            auto celda = e.AgregarVariable(v);
            if (!x) x = celda;
            else if (!y) y = celda;
        }
        incognita = e.AgregarVariable("?");
        e.SetAngulo(angulo);
    }
    // The value of the text, or its solution for «?» when it reads «?».
    V Eval(const std::string& texto) {
        e.SetTexto(texto);
        if (e.ContieneVariable(incognita.get())) return e.ResolverPara(incognita.get());
        return e.Valor();
    }
};

// What an evaluation shows: the value as the domain writes it exactly
// (a fraction as «7|2»), or the failure's message.
template <class D>
std::string Salida(Motor<D>& m, const std::string& texto) {
    const auto v = m.Eval(texto);
    return m.e.HayError ? m.e.Mensaje : D::TextoExacto(v);
}

// The calculus functions with their drawings, as the session registers
// them, each worth 0: what the layout tests draw.
inline void DibujosCalculo(TExpresionX& e) {
    auto cero = [](ContextoX&, const std::vector<Ref<TEvalX>>&) -> long double { return 0; };
    auto [ms, ds] = DibujoSumatoria();
    e.AgregarFuncionN("Sumatoria", cero, "Sumatoria", 3, 3, ms, ds, true);
    auto [mp, dp] = DibujoProducto();
    e.AgregarFuncionN("Producto", cero, "Producto", 3, 3, mp, dp, true);
    auto [mi, di] = DibujoIntegral();
    e.AgregarFuncionN("Integrar", cero, "Integrar", 4, 3, mi, di, true);
}

using MotorX = Motor<DominioReal>;
using MotorQ = Motor<DominioRacional>;
using MotorC = Motor<DominioComplejo>;

// The three value domains, for typed tests.
using Dominios = ::testing::Types<DominioReal, DominioRacional, DominioComplejo>;

// What f raised as E; nothing when it raised nothing (anything else it
// raises passes through and fails the test).
template <class E, class F>
std::optional<E> Lanzado(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// The code of the arithmetic failure f raised, Sintaxis (0) when none.
template <class F>
CodigoError CodigoLanzado(F&& f) {
    const auto e = Lanzado<EMatematico>(f);
    return e ? e->Codigo() : CodigoError::Sintaxis;
}

// The text of what f raised as E, «sin error» when it raised nothing.
template <class E = ENumbrix, class F>
std::string MensajeLanzado(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "sin error";
}

// The determinant by cofactors along the first row, the definition that
// elimination is checked against; a(fila, columna) counts from 0.
template <class F>
auto Cofactores(const F& a, std::vector<int> columnas, int fila = 0) {
    using V = std::decay_t<decltype(a(0, 0))>;
    if (columnas.size() == 1) return V(a(fila, columnas[0]));
    V s{};
    for (std::size_t k = 0; k < columnas.size(); ++k) {
        std::vector<int> resto = columnas;
        resto.erase(resto.begin() + static_cast<std::ptrdiff_t>(k));
        const V t = a(fila, columnas[k]) * Cofactores(a, resto, fila + 1);
        s = k % 2 ? s - t : s + t;
    }
    return s;
}
template <class F>
auto Cofactores(const F& a, int n) {
    std::vector<int> columnas(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) columnas[static_cast<std::size_t>(c)] = c;
    return Cofactores(a, columnas);
}

// The shipped data folder: the one the test run names, else the source
// tree's, so no test skips for want of it.
inline std::filesystem::path DatosDeFabrica() {
    const char* d = std::getenv("NUMBRIX_TEST_DATA");
    return d && *d ? std::filesystem::path(d) : std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR);
}

}  // namespace prueba
}  // namespace numbrix
