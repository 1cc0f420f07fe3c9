// A cancel during an elimination raises ECancelado and leaves the matrix as
// it was, whichever poll it comes at.
#include <gtest/gtest.h>

#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"

namespace numbrix {
namespace {

// Counts op's polls without a cancel, then cancels it at the first, a middle
// and the last of them.
template <class M, class Op>
void CancelarEnCadaSondeo(const M& original, Op op, const char* nombre) {
    int polls = 0;
    M m = original;
    op(m, [&] { return ++polls < 0; });
    ASSERT_GT(polls, 2) << nombre;
    for (int n : {1, polls / 2, polls}) {
        int vistos = 0;
        m = original;
        EXPECT_THROW(op(m, [&] { return ++vistos >= n; }), ECancelado) << nombre << " " << n;
        EXPECT_EQ(m, original) << nombre << " " << n;
    }
}

TEST(MatricesCancelables, CancelarDejaLaMatriz) {
    TMatriz q(5, 4), qc(4, 4);
    TMatrix z(6, 6);
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            const int v = (c * 7 + r * r * 3) % 11 - 5 + (c == r) * 20;
            if (r <= 4 && c <= 5) q.PonElemento(c, r, TFrac(v));
            if (r <= 4 && c <= 4) qc.PonElemento(c, r, TFrac(v));
            z.PonElemento(c, r, {static_cast<long double>(v), 1});
        }
    TMatriz singular = q;  // Resuelve goes on to triangulate it
    for (int c = 1; c <= 5; ++c) singular.PonElemento(c, 4, q.Elemento(c, 1) + q.Elemento(c, 2));
    using T = const TokenCancelar&;
    CancelarEnCadaSondeo(q, [](TMatriz& m, T t) { m.Triangula(t); }, "Triangula Q");
    CancelarEnCadaSondeo(q, [](TMatriz& m, T t) { TMatriz::Determinante(m, t); }, "Determinante Q");
    CancelarEnCadaSondeo(qc, [](TMatriz& m, T t) { m.Invierte(t); }, "Invierte Q");
    CancelarEnCadaSondeo(q, [](TMatriz& m, T t) { m.Resuelve(nullptr, t); }, "Resuelve Q");
    CancelarEnCadaSondeo(singular, [](TMatriz& m, T t) { m.Resuelve(nullptr, t); }, "Resuelve Q singular");
    CancelarEnCadaSondeo(z, [](TMatrix& m, T t) { m.Triangula(t); }, "Triangula C");
    CancelarEnCadaSondeo(z, [](TMatrix& m, T t) { m.Determinante(t); }, "Determinante C");
    CancelarEnCadaSondeo(z, [](TMatrix& m, T t) { m.Invierte(t); }, "Invierte C");
}

}  // namespace
}  // namespace numbrix
