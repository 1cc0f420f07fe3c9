// The primes tool against its peers, timed in the same run with the same
// threads (one): the sieve's command-line program and GNU factor. Medians of
// three; peers are run through the shell, their start-up included (a few ms).
// Also the primality of a large prime, peak memory of long listings to a file
// and the cancel latency of every job kind (worst of 20, ms).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>

#include "tools/Primo.h"

using namespace numbrix;

namespace {

const std::string kTmp = std::filesystem::temp_directory_path() / "numbrix_bench_primos.txt";

void Peer(benchmark::State& s, const std::string& orden) {
    for (auto _ : s)
        if (std::system((orden + " >/dev/null 2>&1").c_str()) != 0) s.SkipWithError("peer missing");
}

void Repetir(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_Contar1e10(benchmark::State& s) {
    for (auto _ : s) {
        TTrabajo t;
        benchmark::DoNotOptimize(ContarPrimos(1, 10000000000ull, t, {.hilos = 1}));
    }
}
BENCHMARK(BM_Contar1e10)->Apply(Repetir);
BENCHMARK_CAPTURE(Peer, contar_1e10, "primesieve 1e10 -t1 -q")->Apply(Repetir);

void BM_Enesimo1e8(benchmark::State& s) {
    for (auto _ : s) {
        TTrabajo t;
        std::uint64_t p = 0;
        EjecutarTrabajo([&](TTrabajo& x) { p = EnesimoPrimo(100000000, x, {.hilos = 1}); }, t);
        if (p != 2038074743) s.SkipWithError("Pr(1e8) wrong");
    }
}
BENCHMARK(BM_Enesimo1e8)->Apply(Repetir);
BENCHMARK_CAPTURE(Peer, enesimo_1e8, "primesieve -n 1e8 -t1 -q")->Apply(Repetir);

void BM_ListarArchivo(benchmark::State& s) {
    for (auto _ : s) {
        TTrabajo t;
        ListarPrimosArchivo(1000000000, 1010000000, kTmp, t);
    }
}
BENCHMARK(BM_ListarArchivo)->Apply(Repetir);
BENCHMARK_CAPTURE(Peer, listar, "primesieve 1000000000 1010000000 -p -t1 > " + kTmp)->Apply(Repetir);

std::vector<std::uint64_t> Semiprimos() {
    std::mt19937_64 g(62);
    std::vector<std::uint64_t> r;
    while (r.size() < 200) {
        std::uint64_t a = (g() >> 33) | (1ull << 30) | 1, b = (g() >> 33) | (1ull << 30) | 1;
        while (!EsPrimo(a)) a += 2;
        while (!EsPrimo(b)) b += 2;
        r.push_back(a * b);
    }
    return r;
}

void BM_Factorizar200(benchmark::State& s) {
    const auto v = Semiprimos();
    for (auto _ : s)
        for (auto n : v) benchmark::DoNotOptimize(LineasFactores(n));
}
BENCHMARK(BM_Factorizar200)->Apply(Repetir);

void BM_PeerFactor200(benchmark::State& s) {
    std::string orden = "factor";
    for (auto n : Semiprimos()) orden += " " + std::to_string(n);
    Peer(s, orden);
}
BENCHMARK(BM_PeerFactor200)->Apply(Repetir);

void BM_EsPrimoGrande(benchmark::State& s) {
    for (auto _ : s) benchmark::DoNotOptimize(EsPrimo(9223372036854775783ull));
}
BENCHMARK(BM_EsPrimoGrande)->Unit(benchmark::kMicrosecond);

// Peak resident memory (KiB) of a child listing [1, hi] to a file.
void BM_MemoriaLista(benchmark::State& s) {
    for (auto _ : s) {
        const pid_t h = ::fork();
        if (h == 0) {
            TTrabajo t;
            ListarPrimosArchivo(1, static_cast<std::uint64_t>(s.range(0)), kTmp, t);
            ::_exit(0);
        }
        int st;
        rusage u{};
        ::wait4(h, &st, 0, &u);
        s.counters["maxrss_KiB"] = static_cast<double>(u.ru_maxrss);
    }
}
BENCHMARK(BM_MemoriaLista)->Arg(100000000)->Arg(1000000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// From the cancel request to the job's return, worst of 20.
void Latencia(benchmark::State& s, std::function<void(TTrabajo&)> trabajo) {
    for (auto _ : s) {
        double peor = 0;
        for (int i = 0; i < 20; ++i) {
            TTrabajo t;
            std::chrono::steady_clock::time_point pedido;
            std::thread h([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20 + 13 * i));
                pedido = std::chrono::steady_clock::now();
                t.Cancelar();
            });
            EjecutarTrabajo(trabajo, t);
            const auto fin = std::chrono::steady_clock::now();
            h.join();
            peor = std::max(peor, std::chrono::duration<double, std::milli>(fin - pedido).count());
        }
        s.counters["peor_ms"] = peor;
    }
}
constexpr std::uint64_t kMax = kMaximoPrimos;
BENCHMARK_CAPTURE(Latencia, contar_bajo, [](TTrabajo& t) { ContarPrimos(1, 1000000000000ull, t); })->Iterations(1);
BENCHMARK_CAPTURE(Latencia, enesimo_bajo, [](TTrabajo& t) { EnesimoPrimo(30000000000ull, t); })->Iterations(1);
BENCHMARK_CAPTURE(Latencia, lista_bajo, [](TTrabajo& t) { ListarPrimos(1, 1000000000000ull, t, [](std::string_view) {}); })
    ->Iterations(1);
BENCHMARK_CAPTURE(Latencia, archivo_bajo, [](TTrabajo& t) { ListarPrimosArchivo(1, 1000000000000ull, kTmp, t); })
    ->Iterations(1);
BENCHMARK_CAPTURE(Latencia, lista_alto_rueda, [](TTrabajo& t) {
    ListarPrimos(kMax - 50000000000ull, kMax, t, [](std::string_view) {});
})->Iterations(1);
BENCHMARK_CAPTURE(Latencia, lista_alto_criba, [](TTrabajo& t) {
    ListarPrimos(kMax - 200000000000ull, kMax, t, [](std::string_view) {});
})->Iterations(1);
BENCHMARK_CAPTURE(Latencia, archivo_alto, [](TTrabajo& t) { ListarPrimosArchivo(kMax - 200000000000ull, kMax, kTmp, t); })
    ->Iterations(1);
BENCHMARK_CAPTURE(Latencia, contar_alto, [](TTrabajo& t) { ContarPrimos(kMax - 1000000000000ull, kMax, t); })
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
