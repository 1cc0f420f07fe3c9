// The Qt-free work behind the definitions editor, the options window's
// colour schemes and the help search: what a user waits for on "&Aceptar",
// on opening the options and on pressing Enter in the help's search box.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "shell/EditorDefiniciones.h"
#include "shell/Esquemas.h"
#include "shell/TemasAyuda.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

std::filesystem::path CarpetaPrueba(const char* nombre) {
    auto p = std::filesystem::temp_directory_path() / nombre;
    std::filesystem::create_directories(p);
    return p;
}

// "&Aceptar" after changing one of n functions: the scratch session
// registers the whole file and compiles a call of the changed one.
void BM_AceptarFunciones(benchmark::State& st) {
    const int n = static_cast<int>(st.range(0));
    auto dir = CarpetaPrueba("numbrix_bench_duf");
    {
        std::ofstream f(dir / "real.duf", std::ios::binary);
        f << "[Constantes]\nkk=2_dos\n[Funciones]\n";
        for (int i = 0; i < n; ++i) f << "fn" << i << "=?A*" << i << "+kk*?B_funcion " << i << "\n";
    }
    TVelIniFile duf(dir / "real.duf");
    TEditorDefiniciones ed(TEditorDefiniciones::Funciones);
    ed.Cargar(duf);
    ed.Cambiar(n / 2, "?A*3+kk*?B", "cambiada");
    const auto otras = duf.ReadSectionValues("Constantes");
    for (auto _ : st) benchmark::DoNotOptimize(ed.Comprobar(otras));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_AceptarFunciones)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Opening the options: reading n schemes.
void BM_CargarEsquemas(benchmark::State& st) {
    const int n = static_cast<int>(st.range(0));
    std::string texto = "[Colores]\n";
    std::mt19937 azar(1);
    for (int i = 0; i < n; ++i)
        texto += "Esquema " + std::to_string(i) + "=" +
                 TextoColores({static_cast<TColor>(azar() & 0xFFFFFFu), static_cast<TColor>(azar() & 0xFFFFFFu), clTextoVentana,
                               static_cast<TColor>(azar() & 0xFFFFFFu)}) + "\n";
    TVelIniFile ini;
    ini.CargarBytes(texto);
    for (auto _ : st) {
        TEsquemas e;
        e.Cargar(ini);
        benchmark::DoNotOptimize(e.Lista().size());
    }
}
BENCHMARK(BM_CargarEsquemas)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A search over the shipped help pages.
void BM_BuscarEnAyuda(benchmark::State& st) {
    const std::filesystem::path carpeta = CarpetaAyuda();
    if (BuscarEnAyuda(carpeta, "normal").empty()) {
        st.SkipWithError("no se encuentran las páginas de ayuda");
        return;
    }
    for (auto _ : st) benchmark::DoNotOptimize(BuscarEnAyuda(carpeta, "distribución normal"));
}
BENCHMARK(BM_BuscarEnAyuda)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace numbrix

BENCHMARK_MAIN();
