// Formula layout: a picture of a typical formula, of long sums and of deep
// nesting (which must grow linearly: each node is measured once per layout),
// and the replay of a recorded picture. Text metrics are a fixed stand-in
// for the host's fonts, so the numbers are the layout's own cost.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/DiagramaX.h"

using namespace numbrix;

namespace {

class Metricas : public MetricasTexto {
public:
    MedidaTexto Medir(const Fuente& f, std::string_view t) const override {
        const int n = static_cast<int>(t.size());
        return MedidaTexto{n * f.tam / 2, f.tam, f.tam * 4 / 5, 0, f.tam};
    }
};

class Nulo : public Lienzo {
public:
    void PonerFuente(const Fuente&) override {}
    void PonerColor(Color) override {}
    void PonerGrosor(int) override {}
    MedidaTexto MedirTexto(std::string_view) override { return {}; }
    void Texto(int x, int, std::string_view) override { benchmark::DoNotOptimize(x); }
    void Linea(int, int, int, int) override {}
    void Polilinea(const std::vector<Punto>&) override {}
    void Rectangulo(int, int, int, int, bool) override {}
    void Elipse(int, int, int, int, bool) override {}
};

std::unique_ptr<TExpresionX> Motor(const std::string& texto) {
    auto e = std::make_unique<TExpresionX>();
    e->SetPredefinidas(true);
    e->Silencioso = true;
    for (const char* v : {"a", "b", "c", "d", "x", "y", "z", "n", "k", "r"}) e->AgregarVariable(v);
    e->SetTexto(texto);
    return e;
}

void Dibujar(benchmark::State& st, const std::string& texto) {
    auto e = Motor(texto);
    auto m = std::make_shared<Metricas>();
    for (auto _ : st) {
        auto g = Metarchivo(*e, m);
        benchmark::DoNotOptimize(g->Comandos().data());
    }
}

void BM_Metarchivo_Tipica(benchmark::State& st) {
    Dibujar(st, "(a+b)/(c-d)+x^2^3-sqrt(x)*Cmb(n,k)+LogN(x,2)+exp(-x^2/2)/sqrt(2*pi)");
}
BENCHMARK(BM_Metarchivo_Tipica);

void BM_Metarchivo_SumaLarga(benchmark::State& st) {
    std::string t = "x";
    for (int i = 1; i < st.range(0); ++i) t += "+x";
    Dibujar(st, t);
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_Metarchivo_SumaLarga)->Arg(100)->Arg(1000)->Complexity();

void BM_Metarchivo_Anidada(benchmark::State& st) {
    std::string t = "x";
    for (int i = 0; i < st.range(0); ++i) t = "(" + t + "+1)/2";
    Dibujar(st, t);
    st.SetComplexityN(st.range(0));
}
BENCHMARK(BM_Metarchivo_Anidada)->Arg(50)->Arg(100)->Arg(200)->Complexity();

void BM_Reproducir(benchmark::State& st) {
    auto e = Motor("(a+b)/(c-d)+x^2^3-sqrt(x)*Cmb(n,k)+LogN(x,2)+exp(-x^2/2)/sqrt(2*pi)");
    auto g = Metarchivo(*e, std::make_shared<Metricas>());
    Nulo nulo;
    for (auto _ : st) g->Reproducir(nulo);
}
BENCHMARK(BM_Reproducir);

}  // namespace

BENCHMARK_MAIN();
