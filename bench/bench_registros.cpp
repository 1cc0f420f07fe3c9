// The records the main window keeps between sessions: saving and loading a
// result list of 1000 pairs (section "Calculos") and an expression history
// of 1000 entries ("expr.lst"), through real files.
#include <unistd.h>

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "shell/Historial.h"
#include "shell/ListaResultados.h"
#include "shell/VelIni.h"

namespace {

namespace fs = std::filesystem;
using numbrix::THistorial;
using numbrix::TListaResultados;
using numbrix::TVelIniFile;

constexpr int kPares = 1000;

// A folder for the benchmark files, removed at exit.
const fs::path& Carpeta() {
    static struct Dir {
        fs::path ruta;
        Dir() {
            std::string plantilla = (fs::temp_directory_path() / "numbrix_bench_XXXXXX").string();
            ruta = ::mkdtemp(plantilla.data()) ? fs::path(plantilla) : fs::temp_directory_path();
        }
        ~Dir() {
            std::error_code ec;
            fs::remove_all(ruta, ec);
        }
    } dir;
    return dir.ruta;
}

std::string Expresion(int i) { return "2*sen(" + std::to_string(i) + ")+a_" + std::to_string(i % 7) + "^2-Rcp(4)"; }

TListaResultados Lista(int desplazamiento) {
    TListaResultados l;
    for (int i = 0; i < kPares; ++i)
        l.Registrar(Expresion(i + desplazamiento), std::to_string(i * 1.25), i % 3 ? "" : "{a=2} ", i % 6, i, true);
    return l;
}

// Replaces the section and writes the file; two lists alternate so that
// every round really writes.
void BM_GuardarLista(benchmark::State& estado) {
    const fs::path ruta = Carpeta() / "guardar.ini";
    const TListaResultados listas[2] = {Lista(0), Lista(1)};
    TVelIniFile ini(ruta);
    int n = 0;
    for (auto _ : estado) {
        listas[n++ % 2].Guardar(ini, 2 * kPares);
        ini.UpdateFile();
    }
    estado.SetItemsProcessed(estado.iterations() * kPares);
}

// Opens the file and reads the list back, as the main window does at start.
void BM_CargarLista(benchmark::State& estado) {
    const fs::path ruta = Carpeta() / "cargar.ini";
    {
        TVelIniFile ini(ruta);
        Lista(0).Guardar(ini, 2 * kPares);
        ini.UpdateFile();
    }
    for (auto _ : estado) {
        TVelIniFile ini(ruta);
        TListaResultados l;
        benchmark::DoNotOptimize(l.Cargar(ini));
        benchmark::DoNotOptimize(l.NumFilas());
    }
    estado.SetItemsProcessed(estado.iterations() * kPares);
}

THistorial Historial() {
    THistorial h(kPares);
    for (int i = 0; i < kPares; ++i) h.Agregar(Expresion(i));
    return h;
}

void BM_GuardarHistorial(benchmark::State& estado) {
    const fs::path ruta = Carpeta() / "guardar.lst";
    const THistorial h = Historial();
    for (auto _ : estado) h.Guardar(ruta);
    estado.SetItemsProcessed(estado.iterations() * kPares);
}

void BM_CargarHistorial(benchmark::State& estado) {
    const fs::path ruta = Carpeta() / "cargar.lst";
    Historial().Guardar(ruta);
    for (auto _ : estado) {
        THistorial h(kPares);
        benchmark::DoNotOptimize(h.Cargar(ruta));
        benchmark::DoNotOptimize(h.Cantidad());
    }
    estado.SetItemsProcessed(estado.iterations() * kPares);
}

// One evaluation's history step on a full list: the worst case looks at
// every entry before inserting.
void BM_AgregarHistorialLleno(benchmark::State& estado) {
    THistorial h = Historial();
    int i = 0;
    for (auto _ : estado) h.Agregar(Expresion(kPares + i++ % 2000));
}

BENCHMARK(BM_GuardarLista)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_CargarLista)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_GuardarHistorial)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_CargarHistorial)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_AgregarHistorialLleno)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
