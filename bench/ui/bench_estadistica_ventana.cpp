// The statistics window, offscreen: pasting 100,000 distinct values through
// the window and its table model (bar: 1 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "tools/ui/fmStat.h"

namespace numbrix {
namespace {

void BM_VentanaPegar100000(benchmark::State& s) {
    QString t;
    for (int i = 0; i < 100000; ++i) t += QString("%1.%2\n").arg(i).arg(i % 89);
    for (auto _ : s) {
        TfmStat v;
        v.show();
        v.PegarTexto(t);
        QApplication::processEvents();
        benchmark::DoNotOptimize(v.tablaDatos->model()->rowCount());
    }
}
BENCHMARK(BM_VentanaPegar100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace numbrix

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
