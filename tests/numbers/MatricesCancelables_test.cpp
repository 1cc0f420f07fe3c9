// A cancel during an elimination raises ECancelado and leaves the matrix as
// it was, whichever poll it comes at.
#include <gtest/gtest.h>

#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"

namespace numbrix {
namespace {

// Answers true at its n-th poll; counts the polls.
struct Token {
    int n, vistos = 0;
    TokenCancelar operator()() {
        return [this] { return ++vistos >= n; };
    }
};

template <class M, class V>
M Llena(int columnas, int filas, V (*valor)(int, int)) {
    M m(columnas, filas);
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) m.PonElemento(c, r, valor(c, r));
    return m;
}

// Runs op once without a cancel to count its polls, then cancels it at the
// first, a middle and the last of them.
template <class M, class Op>
void CancelarEnCadaSondeo(const M& original, Op op, const char* nombre) {
    M m = original;
    Token nunca{1 << 30};
    op(m, nunca());
    ASSERT_GT(nunca.vistos, 2) << nombre;
    for (int n : {1, nunca.vistos / 2, nunca.vistos}) {
        M c = original;
        Token t{n};
        EXPECT_THROW(op(c, t()), ECancelado) << nombre << " " << n;
        EXPECT_EQ(c, original) << nombre << " " << n;
    }
}

TEST(MatricesCancelables, CancelarDejaLaMatriz) {
    const auto fq = [](int c, int r) { return TFrac((c * 7 + r * r * 3) % 11 - 5 + (c == r) * 20); };
    const auto q = Llena<TMatriz, TFrac>(5, 4, fq), qc = Llena<TMatriz, TFrac>(4, 4, fq);
    const auto z = Llena<TMatrix, TComplejo>(6, 6, [](int c, int r) {
        return TComplejo{static_cast<long double>((c * 5 + r * r) % 7 - 3 + (c == r) * 9), 1.0L};
    });
    CancelarEnCadaSondeo(q, [](TMatriz& m, const TokenCancelar& t) { m.Triangula(t); }, "Triangula Q");
    CancelarEnCadaSondeo(q, [](TMatriz& m, const TokenCancelar& t) { TMatriz::Determinante(m, t); }, "Determinante Q");
    CancelarEnCadaSondeo(qc, [](TMatriz& m, const TokenCancelar& t) { m.Invierte(t); }, "Invierte Q");
    CancelarEnCadaSondeo(q, [](TMatriz& m, const TokenCancelar& t) { m.Resuelve(nullptr, t); }, "Resuelve Q");
    CancelarEnCadaSondeo(z, [](TMatrix& m, const TokenCancelar& t) { m.Triangula(t); }, "Triangula C");
    CancelarEnCadaSondeo(z, [](TMatrix& m, const TokenCancelar& t) { m.Determinante(t); }, "Determinante C");
    CancelarEnCadaSondeo(z, [](TMatrix& m, const TokenCancelar& t) { m.Invierte(t); }, "Invierte C");
}

}  // namespace
}  // namespace numbrix
