// The fraction and complex windows as the user waits for them (offscreen):
// the complex window's first show with a long "real.duf", and Enter to the
// result painted in each window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "tools/ui/fmComplex.h"
#include "tools/ui/fmFraccion.h"
#include "shell/Sesion.h"
#include "shell/ui/frmCalc.h"

using namespace numbrix;

namespace {

struct Principal {
    QTemporaryDir carpeta;
    std::unique_ptr<TSesion> sesion;
    std::unique_ptr<TfrmCalcu> ventana;
    explicit Principal(int lineas) {
        const std::filesystem::path dir = carpeta.path().toStdString();
        std::ofstream f(dir / "real.duf", std::ios::binary);
        f << "[Constantes]\n";
        for (int i = 0; i < lineas / 2; ++i) f << "k" << i << "=" << i << "*2+1_constante " << i << "\n";
        f << "[Funciones]\n";
        for (int i = 0; i < lineas - lineas / 2; ++i) f << "f" << i << "=?A*" << i << "+k0*?B_funcion " << i << "\n";
        f.close();
        sesion = std::make_unique<TSesion>();
        sesion->Abrir(dir);
        ventana = std::make_unique<TfrmCalcu>(*sesion);
    }
};

CajasDialogo Mudas() {
    CajasDialogo c;
    c.Avisar = [](const QString&, const QString&) {};
    c.Preguntar = [](const QString&, const QString&) { return false; };
    return c;
}

void BM_PrimeraVistaComplejos(benchmark::State& st) {
    Principal p(200);
    for (auto _ : st) {
        TfmComplex c(*p.ventana, Mudas());
        c.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(c.isVisible());
    }
}
BENCHMARK(BM_PrimeraVistaComplejos)->Unit(benchmark::kMillisecond);

void Intro(benchmark::State& st, TfmModo& w, const char* expresion) {
    w.Cajas = Mudas();
    w.show();
    QApplication::processEvents();
    for (auto _ : st) {
        w.caja->SetTexto(expresion);
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(w.caja, &e);
    }
}

void BM_IntroComplejos(benchmark::State& st) {
    Principal p(0);
    TfmComplex c(*p.ventana, Mudas());
    Intro(st, c, "(1+i)^2");
}
BENCHMARK(BM_IntroComplejos)->Unit(benchmark::kMillisecond);

void BM_IntroFracciones(benchmark::State& st) {
    Principal p(0);
    TfmFraccion f(*p.ventana);
    Intro(st, f, "7|2");
}
BENCHMARK(BM_IntroFracciones)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
