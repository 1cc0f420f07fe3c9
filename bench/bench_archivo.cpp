// The picture archive: expanding a 10 MiB lh5 stream, ours against liblhasa
// in the same run (bar: within 1.5×), and loading a stored archive of 40
// items and 2 MiB in whole-file mode (bar 10 ms).
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <benchmark/benchmark.h>
#include <lhasa.h>

#include "CodificadorLh5.h"
#include "support/Streams.h"

namespace {

namespace fs = std::filesystem;

// Text-like bytes: words of a small vocabulary, so the matches and the
// literals are both common, as in the bitmaps the archive holds.
struct Flujo {
    std::string plano, lh5;
    Flujo() {
        std::mt19937 g(5);
        const char* palabras[] = {"fuerza ", "masa ", "aceleración ", "=", "F", "m·a ", "\r\n", "0x7F ", "ley ",
                                  "energía ", "velocidad ", "(", ")", "²", "π ", "constante "};
        while (plano.size() < (10u << 20)) {
            plano += palabras[g() % 16];
            if (g() % 7 == 0) plano += static_cast<char>(g() % 256);
        }
        plano.resize(10u << 20);
        lh5 = numbrix::ComprimirLh5(plano);
    }
};
const Flujo& Datos() {
    static Flujo f;
    return f;
}

void BM_Lh5Numbrix(benchmark::State& st) {
    const auto& f = Datos();
    for (auto _ : st) benchmark::DoNotOptimize(numbrix::ExpandirLh5(f.lh5, f.plano.size()));
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * f.plano.size()));
}

void BM_Lh5Lhasa(benchmark::State& st) {
    const auto& f = Datos();
    struct Fuente {
        std::string_view s;
        std::size_t p = 0;
    };
    std::string out(f.plano.size(), '\0');
    for (auto _ : st) {
        Fuente fu{f.lh5};
        auto leer = [](void* buf, std::size_t n, void* u) -> std::size_t {
            auto* x = static_cast<Fuente*>(u);
            n = std::min(n, x->s.size() - x->p);
            std::memcpy(buf, x->s.data() + x->p, n);
            x->p += n;
            return n;
        };
        LHADecoder* d = lha_decoder_new(lha_decoder_for_name(const_cast<char*>("-lh5-")), leer, &fu, out.size());
        std::size_t hecho = 0;
        while (hecho < out.size()) {
            const auto n = lha_decoder_read(d, reinterpret_cast<std::uint8_t*>(out.data()) + hecho, out.size() - hecho);
            if (n == 0) break;
            hecho += n;
        }
        lha_decoder_free(d);
        benchmark::DoNotOptimize(out.data());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * f.plano.size()));
}

// 40 items of random bytes, 2 MiB in all, removed at exit.
struct Archivo40 {
    fs::path ruta = fs::temp_directory_path() / ("numbrix_bench_form_" + std::to_string(::getpid()) + ".img");
    Archivo40() {
        std::vector<numbrix::ItemArchivo> items;
        std::mt19937 g(9);
        for (int i = 0; i < 40; ++i) {
            std::string d(2u * 1024 * 1024 / 40, '\0');
            for (auto& c : d) c = static_cast<char>(g());
            items.push_back({"ley" + std::to_string(i) + ".bmp", std::move(d)});
        }
        std::ofstream(ruta, std::ios::binary) << numbrix::EscribirArchivoImagenes(items);
    }
    ~Archivo40() {
        std::error_code ec;
        fs::remove(ruta, ec);
    }
};

void BM_CargarArchivo40(benchmark::State& st) {
    static const Archivo40 archivo;
    for (auto _ : st) {
        numbrix::TStreams s;
        s.Cargar(archivo.ruta);
        benchmark::DoNotOptimize(s.Cantidad());
    }
}

BENCHMARK(BM_Lh5Numbrix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lh5Lhasa)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CargarArchivo40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
