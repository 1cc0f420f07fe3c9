// The formula library: «Recalcular» on a six-symbol law (every value
// evaluated, converted, the law compiled again and solved, the limits
// checked), and the picture archive's load as the window opens it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/Streams.h"
#include "tools/Formulas.h"
#include "units/ConvUnid.h"

using namespace numbrix;

namespace {

void Recalcular(benchmark::State& st) {
    TModeloUnidades modelo;
    modelo.CargarMagnitudes(std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR) / TModeloUnidades::NombreArchivo);
    TCalculoFormula c(nullptr, modelo);
    const std::vector<FilaFormula> base = {
        {"P", "Presión", "", "kPa", "Presión=Pa", "0", ""},
        {"n", "Cantidad", "2", "mol", "Cantidad de sustancia=mol", "0", ""},
        {"R", "Constante", "8.314462618", "", "", "", ""},
        {"T", "Temperatura", "25", "°C", "Temperatura=K", "0", ""},
        {"V", "Volumen", "10", "L", "Volumen=m³", "0", ""},
        {"z", "Compresibilidad", "1+0.01", "", "", "", "2"},
    };
    for (auto _ : st) {
        auto filas = base;
        const auto r = c.Calcular("P*V=z*n*R*T", filas, 0, FormatoNumero{});
        if (r.estado != ResultadoCalculo::Hecho) st.SkipWithError(r.Mensaje.c_str());
        benchmark::DoNotOptimize(r.Valor);
    }
}

// The shipped form.img; without it, an archive of fifteen small drawings.
std::filesystem::path Archivo() {
    const auto fabrica = std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR) / "form.img";
    if (std::filesystem::exists(fabrica)) return fabrica;
    std::vector<ItemArchivo> items;
    for (int i = 0; i < 15; ++i) {
        std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='90' height='90'><rect width='90' height='90' "
                          "fill='#fff'/>";
        for (int k = 0; k < 40; ++k)
            svg += "<line x1='" + std::to_string(k * 2) + "' y1='5' x2='85' y2='" + std::to_string(k * 2) +
                   "' stroke='#000'/>";
        items.push_back({"dibujo" + std::to_string(i) + ".svg", svg + "</svg>"});
    }
    const auto p = std::filesystem::temp_directory_path() / "bench_formulas_form.img";
    std::ofstream(p, std::ios::binary) << EscribirArchivoImagenes(items);
    return p;
}

void CargarImagenes(benchmark::State& st) {
    const auto archivo = Archivo();
    for (auto _ : st) {
        TStreams s;
        s.Cargar(archivo);
        benchmark::DoNotOptimize(s.Cantidad());
    }
}

}  // namespace

BENCHMARK(Recalcular)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(CargarImagenes)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

BENCHMARK_MAIN();
