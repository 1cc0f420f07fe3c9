// Settings-file throughput: loading and saving a 10 MB file, and loading files
// of many one-key sections to show that loading stays linear.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "shell/VelIni.h"

namespace {

namespace fs = std::filesystem;

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

// About 10 MB: 5,000 sections of 40 keys with values of some 40 characters.
fs::path ArchivoGrande() {
    const fs::path ruta = Carpeta() / "grande.ini";
    if (!fs::exists(ruta)) {
        std::ofstream f(ruta, std::ios::binary);
        for (int s = 0; s < 5000; ++s) {
            f << "[Seccion" << s << "]\r\n";
            for (int k = 0; k < 40; ++k)
                f << "Clave" << k << "=valor " << s * 40 + k << " con algo de texto: áéíóú ñ\r\n";
            f << "\r\n";
        }
    }
    return ruta;
}

fs::path ArchivoDeSecciones(long n) {
    const fs::path ruta = Carpeta() / ("secciones" + std::to_string(n) + ".ini");
    if (!fs::exists(ruta)) {
        std::ofstream f(ruta, std::ios::binary);
        for (long s = 0; s < n; ++s) f << "[S" << s << "]\r\nk=" << s << "\r\n\r\n";
    }
    return ruta;
}

void BM_Cargar10MB(benchmark::State& estado) {
    const fs::path ruta = ArchivoGrande();
    for (auto _ : estado) {
        numbrix::TVelIniFile f(ruta);
        benchmark::DoNotOptimize(f.SectionExists("Seccion4999"));
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations() * fs::file_size(ruta)));
}
BENCHMARK(BM_Cargar10MB)->Unit(benchmark::kMillisecond);

// Includes the flush to disk that every save makes.
void BM_Guardar10MB(benchmark::State& estado) {
    const fs::path destino = Carpeta() / "guardado.ini";
    fs::copy_file(ArchivoGrande(), destino, fs::copy_options::overwrite_existing);
    numbrix::TVelIniFile f(destino);
    int i = 0;
    for (auto _ : estado) {
        f.WriteInteger("Seccion0", "Clave0", ++i);  // something to save
        f.UpdateFile();
    }
    estado.SetBytesProcessed(static_cast<std::int64_t>(estado.iterations() * fs::file_size(destino)));
}
BENCHMARK(BM_Guardar10MB)->Unit(benchmark::kMillisecond);

void BM_CargarSecciones(benchmark::State& estado) {
    const fs::path ruta = ArchivoDeSecciones(estado.range(0));
    for (auto _ : estado) {
        numbrix::TVelIniFile f(ruta);
        benchmark::DoNotOptimize(f.ReadInteger("S0", "k", -1));
    }
    estado.SetComplexityN(estado.range(0));
}
BENCHMARK(BM_CargarSecciones)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Reads and writes spread over many sections: the look-ups, not the file.
void BM_LeerEscribirSecciones(benchmark::State& estado) {
    numbrix::TVelIniFile f(ArchivoDeSecciones(estado.range(0)));
    const long n = estado.range(0);
    long s = 0;
    for (auto _ : estado) {
        s = (s * 7919 + 13) % n;
        const std::string seccion = "s" + std::to_string(s);
        f.WriteInteger(seccion, "k", f.ReadInteger(seccion, "k", 0) + 1);
    }
    f.CargarBytes({});  // drop the changes: the input file is shared by the other runs
}
BENCHMARK(BM_LeerEscribirSecciones)->Arg(250000)->Arg(1000000);

}  // namespace

BENCHMARK_MAIN();
