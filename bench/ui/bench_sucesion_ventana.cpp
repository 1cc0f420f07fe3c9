// The sequences window, offscreen: a million steps of S1/2+1 through the
// window's job (compare with bench_sucesion's core run), the interval between
// label updates, the time from Escape to the run's end, and one detailed press
// (1000 lines). The figures are medians over the repetitions.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "support/ui/EjecutorTrabajo.h"
#include "tools/ui/fmSucec.h"

namespace numbrix {
namespace {

using Reloj = std::chrono::steady_clock;

std::filesystem::path Carpeta() {
    static const std::filesystem::path d = [] {
        auto p = std::filesystem::temp_directory_path() / ("bench_sucesion_ventana_" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return d;
}

std::unique_ptr<TfmSucec> Ventana(const char* sn, const char* parada, bool detallado = false) {
    auto w = std::make_unique<TfmSucec>(Carpeta());
    w->Cajas.PedirTexto = [](const QString&, const QString&, const QString&) { return std::optional<QString>("0"); };
    DefinicionSucesion d;
    d.Sn = sn, d.Parada = parada;
    w->PonerDefinicion(d);
    w->chDetallado->setChecked(detallado);
    w->show();
    return w;
}

// Blocks between events, so the GUI thread leaves the job its core.
void Esperar(TfmSucec& w) {
    while (w.Ejecutor().EnCurso()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void BM_VentanaMillon(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        auto w = Ventana("S1/2+1", "n>=1000000");
        st.ResumeTiming();
        w->Iniciar();
        Esperar(*w);
        benchmark::DoNotOptimize(w->Motor().N());
    }
}
BENCHMARK(BM_VentanaMillon)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Manual time: the median gap between two changes of the status label.
void BM_IntervaloEtiqueta(benchmark::State& st) {
    for (auto _ : st) {
        auto w = Ventana("S1/2+1", "n>=3000000");
        w->Iniciar();
        std::vector<double> huecos;
        QString antes = w->lbEstado->text();
        Reloj::time_point t = Reloj::now();
        while (w->Ejecutor().EnCurso()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (w->lbEstado->text() != antes) {
                antes = w->lbEstado->text();
                const auto ahora = Reloj::now();
                huecos.push_back(std::chrono::duration<double>(ahora - t).count());
                t = ahora;
            }
        }
        if (huecos.size() > 2) huecos.erase(huecos.begin());  // the first waits for the job's start
        std::nth_element(huecos.begin(), huecos.begin() + huecos.size() / 2, huecos.end());
        st.SetIterationTime(huecos.empty() ? 0 : huecos[huecos.size() / 2]);
        st.counters["cambios"] = static_cast<double>(huecos.size());
    }
}
BENCHMARK(BM_IntervaloEtiqueta)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Manual time: from Escape, 200 ms into an endless run, until the run has ended.
void BM_LatenciaCancelar(benchmark::State& st) {
    for (auto _ : st) {
        auto w = Ventana("S1/2+1", "n<0");
        w->Iniciar();
        const auto inicio = Reloj::now();
        while (Reloj::now() - inicio < std::chrono::milliseconds(200))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const auto t = Reloj::now();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w->memo, &esc);
        Esperar(*w);
        st.SetIterationTime(std::chrono::duration<double>(Reloj::now() - t).count());
    }
}
BENCHMARK(BM_LatenciaCancelar)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One detailed press of S1/2+1: 1000 steps, a line each, shown in the memo.
void BM_PulsacionDetallada(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        auto w = Ventana("S1/2+1", "n>=1000000", true);
        st.ResumeTiming();
        w->Iniciar();
        Esperar(*w);
        QApplication::processEvents();
        benchmark::DoNotOptimize(w->memo->blockCount());
    }
}
BENCHMARK(BM_PulsacionDetallada)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace numbrix

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::filesystem::remove_all(numbrix::Carpeta());
    return 0;
}
