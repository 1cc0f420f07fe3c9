// The unit model: loading a unit file of about 300 units (bar 30 ms), the
// conversion menu's top level and one submenu (bar 5 ms each), and one
// conversion by code (bar 10 µs).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "units/ConvUnid.h"
#include "units/MenuConversiones.h"

namespace {

namespace fs = std::filesystem;

// 25 magnitudes of 12 units (plus the fundamental), keyed like the shipped
// file, with the definition forms it uses: factors, reciprocal factors,
// constants and two-sided formulas.
const fs::path& Archivo() {
    static struct Dir {
        fs::path ruta, archivo;
        Dir() {
            std::string plantilla = (fs::temp_directory_path() / "numbrix_bench_XXXXXX").string();
            ruta = ::mkdtemp(plantilla.data()) ? fs::path(plantilla) : fs::temp_directory_path();
            archivo = ruta / "maguni.def";
            std::string t;
            for (int m = 0; m < 25; ++m) {
                t += "[Magnitud " + std::to_string(m) + "]\r\nUniFundamental=u\r\n";
                for (int u = 0; u < 12; ++u) {
                    const std::string n = "unidad" + std::to_string(u);
                    switch (u % 4) {
                    case 0: t += n + "=" + std::to_string(u + 1) + ".0254\r\n"; break;
                    case 1: t += n + "=_" + std::to_string(u * 1000) + "\r\n"; break;
                    case 2: t += n + "=PI/180*" + std::to_string(u) + "_\r\n"; break;
                    default: t += n + "=(U-32)*5/9+" + std::to_string(u) + "_(U-" + std::to_string(u) + ")*9/5+32\r\n";
                    }
                }
            }
            numbrix::TVelIniFile::Mezclar(t, numbrix::kClaveDatos);
            std::FILE* f = std::fopen(archivo.c_str(), "wb");
            std::fwrite(t.data(), 1, t.size(), f);
            std::fclose(f);
        }
        ~Dir() {
            std::error_code ec;
            fs::remove_all(ruta, ec);
        }
    } dir;
    return dir.archivo;
}

void BM_CargarMagnitudes(benchmark::State& s) {
    numbrix::TModeloUnidades m;
    for (auto _ : s) {
        m.CargarMagnitudes(Archivo());
        benchmark::DoNotOptimize(m.Magnitudes().data());
    }
    if (!m.ErroresCarga().empty() || m.Magnitudes().size() != 25) s.SkipWithError("el archivo no cargó entero");
}
BENCHMARK(BM_CargarMagnitudes)->Unit(benchmark::kMillisecond);

void BM_MenuPrincipal(benchmark::State& s) {
    numbrix::TModeloUnidades m;
    m.CargarMagnitudes(Archivo());
    for (auto _ : s) benchmark::DoNotOptimize(numbrix::MenuConversiones(m));
}
BENCHMARK(BM_MenuPrincipal)->Unit(benchmark::kMicrosecond);

void BM_Submenu(benchmark::State& s) {
    numbrix::TModeloUnidades m;
    m.CargarMagnitudes(Archivo());
    for (auto _ : s) benchmark::DoNotOptimize(numbrix::SubmenuConversiones(m, 7));
}
BENCHMARK(BM_Submenu)->Unit(benchmark::kMicrosecond);

void BM_ConvertirPorCodigo(benchmark::State& s) {
    numbrix::TModeloUnidades m;
    m.CargarMagnitudes(Archivo());
    // A formula to a factor unit: both trees evaluated.
    const numbrix::CodigoConversion c = numbrix::HacerCodigo(7, 4, 2);
    long double v = 1;
    for (auto _ : s) {
        v = m.ConvertirPorCodigo(c, 98.6L);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_ConvertirPorCodigo)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
