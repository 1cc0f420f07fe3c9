// Cancel latency of long jobs: from the cancel request to the job having
// returned, for jobs that poll as the tools do (a prime listing that polls
// after each batch of candidates, matrix eliminations that poll per pivot or
// per row). Each benchmark runs 20 cancels at different moments and reports
// the median and the worst, in milliseconds; the bar is 100 ms. A calculator
// evaluation is measured alike.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"
#include "shell/Sesion.h"
#include "support/Trabajo.h"
#include "tools/Primo.h"
#include "tools/Sucesion.h"

using namespace numbrix;

namespace {

using Reloj = std::chrono::steady_clock;
constexpr int kIntentos = 20;
constexpr double kBarraMs = 100;

bool EsPrimo(std::uint64_t n) {
    if (n < 2) return false;
    if (n % 2 == 0) return n == 2;
    if (n % 3 == 0) return n == 3;
    for (std::uint64_t d = 5; d * d <= n; d += 6)
        if (n % d == 0 || n % (d + 2) == 0) return false;
    return true;
}

// Primes from 10^12 on, in batches of 101 candidates, progress and a poll
// after each batch (as the primes tool lists a range).
void ListarPrimos(TTrabajo& t) {
    std::uint64_t n = 1'000'000'000'001ULL;
    std::vector<std::uint64_t> lista;
    for (long lote = 0;; ++lote) {
        for (int i = 0; i < 101; ++i, n += 2)
            if (EsPrimo(n)) lista.push_back(n);
        t.Avanzar(static_cast<double>(lote % 1000) / 1000, "primos");
    }
}

// A complex 255 x 255 inverse (the largest matrix the window takes), polled per pivot.
void InversaCompleja(TTrabajo& t) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> d(-1, 1);
    TMatrix m(255, 255);
    for (int r = 1; r <= 255; ++r)
        for (int c = 1; c <= 255; ++c) m.PonElemento(c, r, {d(gen), d(gen)});
    for (;;) {
        TMatrix copia = m;
        copia.Invierte(t.Token());
    }
}

// An exact determinant whose minors outgrow 128 bits (big integers), polled
// per row. The determinant itself does not fit a fraction either: that
// failure at the very end is part of the work here.
void DeterminanteExacto(TTrabajo& t) {
    std::mt19937 gen(9);
    std::uniform_int_distribution<int> d(-999, 999);
    TMatriz m(60, 60);
    for (int r = 1; r <= 60; ++r)
        for (int c = 1; c <= 60; ++c) m.PonElemento(c, r, TFrac(d(gen)));
    for (;;) {
        try {
            benchmark::DoNotOptimize(TMatriz::Determinante(m, t.Token()));
        } catch (const ECancelado&) {
            throw;
        } catch (const ENumbrix&) {
        }
    }
}

// A calculator evaluation with a long summation: the engine polls the token
// every few thousand steps.
void SumatoriaLarga(TTrabajo& t) {
    TSesion s;
    s.Cancelar = t.Token();
    for (;;) {
        const ResultadoEvaluacion r = s.Evaluar("Sumatoria(1,1e9,sen(n)/n)");
        if (r.cancelado) return;
        if (r.error) throw std::logic_error(r.texto);
    }
}

// The tools' own jobs, as their windows run them.
void PrimoEnesimoCerca2a63(TTrabajo& t) { EnesimoPrimo(1ull << 57, t); }
void ContarPrimosCerca2a63(TTrabajo& t) { ContarPrimos(9223372036854775807ull - 100000000000000ull, 9223372036854775807ull, t); }
void ListarPrimosVentana(TTrabajo& t) {
    ListarPrimos(2, 1000000000000000ull, t, [](std::string_view b) { benchmark::DoNotOptimize(b.data()); });
}
void ListarPrimosArchivoTmp(TTrabajo& t) {
    const auto ruta = std::filesystem::temp_directory_path() / "numbrix_bench_primos.txt";
    try {
        ListarPrimosArchivo(2, 1000000000000ull, ruta, t);
    } catch (...) {
        std::filesystem::remove(ruta);
        throw;
    }
}
void SucesionLarga(TTrabajo& t) {
    TSucesion s;
    DefinicionSucesion d;
    d.Sn = "S1+1", d.Parada = "n>=4000000000", d.Comentario = {"", "[x]"};
    s.Compilar(d);
    s.FijarIniciales({0});
    std::vector<std::string> lineas;
    s.Correr(t.Token(), [&t](std::int64_t n) { t.Avanzar(0, std::to_string(n)); }, lineas);
    t.Comprobar();
}

void Latencia(benchmark::State& state, void (*trabajo)(TTrabajo&)) {
    for (auto _ : state) {
        std::vector<double> ms;
        for (int i = 0; i < kIntentos; ++i) {
            TTrabajo t;
            Reloj::time_point fin;
            FinTrabajo como{};
            std::thread hilo([&] {
                como = EjecutarTrabajo(trabajo, t).fin;
                fin = Reloj::now();
            });
            // Cancelled at spread moments of its work.
            std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * i));
            const auto pedido = Reloj::now();
            t.Cancelar();
            hilo.join();
            if (como != FinTrabajo::Cancelado) {
                state.SkipWithError("el trabajo no terminó cancelado");
                return;
            }
            ms.push_back(std::chrono::duration<double, std::milli>(fin - pedido).count());
        }
        std::sort(ms.begin(), ms.end());
        state.counters["mediana_ms"] = (ms[kIntentos / 2 - 1] + ms[kIntentos / 2]) / 2;
        state.counters["peor_ms"] = ms.back();
        state.counters["bajo_barra"] = ms.back() < kBarraMs;
    }
}

BENCHMARK_CAPTURE(Latencia, ListarPrimos, ListarPrimos)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, InversaCompleja255, InversaCompleja)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, SumatoriaEnSesion, SumatoriaLarga)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, DeterminanteExacto60, DeterminanteExacto)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, PrimoEnesimo2a57, PrimoEnesimoCerca2a63)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, ContarPrimosCerca2a63, ContarPrimosCerca2a63)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, ListarPrimosVentana, ListarPrimosVentana)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, ListarPrimosArchivo, ListarPrimosArchivoTmp)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Latencia, Sucesion, SucesionLarga)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
