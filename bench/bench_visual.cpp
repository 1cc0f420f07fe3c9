// The Qt-free work behind the painted areas and shaped windows: gradient
// bands and ellipses for a window-sized area, the shape scan of a
// 1024 x 768 picture, and reading and writing a 255 x 255 matrix grid.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/Gradientes.h"
#include "support/RegionImagen.h"
#include "support/TablaTextos.h"

namespace {

using namespace numbrix;

void BM_BandasCilindro(benchmark::State& st) {
    for (auto _ : st) benchmark::DoNotOptimize(BandasDosPartes(1080, 3, clBlanco, clGris));
}
BENCHMARK(BM_BandasCilindro);

void BM_ElipsesEsfera(benchmark::State& st) {
    const int lado = static_cast<int>(st.range(0));
    for (auto _ : st)
        benchmark::DoNotOptimize(ElipsesConcentricas({0, 0, lado, lado}, CentroEsfera(lado, lado, 3), clGris, clBlanco));
}
BENCHMARK(BM_ElipsesEsfera)->Arg(200)->Arg(2000);

// A disc on the key colour: every row has one run, each row different.
std::vector<std::uint32_t> Disco(int ancho, int alto) {
    std::vector<std::uint32_t> img(static_cast<std::size_t>(ancho) * alto, 0xFFFF00FFu);
    const long long r = alto / 2 - 2;
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x) {
            const long long dx = x - ancho / 2, dy = y - alto / 2;
            if (dx * dx + dy * dy <= r * r) img[static_cast<std::size_t>(y) * ancho + x] = 0xFF204060u;
        }
    return img;
}

void BM_FormaDeImagen(benchmark::State& st) {
    const auto img = Disco(1024, 768);
    for (auto _ : st)
        benchmark::DoNotOptimize(RectangulosDeTramos(TramosOpacos(img.data(), 1024, 768, 1024, ColorRGB(255, 0, 255))));
    st.SetItemsProcessed(st.iterations() * 1024 * 768);
}
BENCHMARK(BM_FormaDeImagen);

std::string Matriz255() {
    TTablaTextos t(256, 256);
    for (int f = 1; f < 256; ++f)
        for (int c = 1; c < 256; ++c) t.SetCelda(c, f, std::to_string(f * c) + "|" + std::to_string(c + 1));
    return t.TextoGrid();
}

void BM_LeerRejilla255(benchmark::State& st) {
    const std::string texto = Matriz255();
    for (auto _ : st) {
        TTablaTextos t;
        benchmark::DoNotOptimize(t.LeerTextoGrid(texto));
    }
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(texto.size()));
}
BENCHMARK(BM_LeerRejilla255);

void BM_EscribirRejilla255(benchmark::State& st) {
    TTablaTextos t;
    t.LeerTextoGrid(Matriz255());
    for (auto _ : st) benchmark::DoNotOptimize(t.TextoGrid());
}
BENCHMARK(BM_EscribirRejilla255);

}  // namespace

BENCHMARK_MAIN();
