// The matrix window as the user waits for it (offscreen): from the click on
// "Hallar inversa de la Matriz" to R painted with the complex inverse.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <random>

#include "numbers/MComplex.h"
#include "numbers/ui/fmMatriz.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/StringGridX.h"

using namespace numbrix;

namespace {

// Counts the paints of a widget.
struct Pinturas : QObject {
    int n = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++n;
        return false;
    }
};

// Entries uniform in [-1, 1], real and imaginary parts, from a fixed seed.
TTablaTextos ComplejaUniforme(int n, unsigned semilla) {
    std::mt19937 gen(semilla);
    std::uniform_real_distribution<double> d(-1, 1);
    TTablaTextos t = TablaVacia(kMatrizA);
    t.Redimensionar(n + 1, n + 1);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) {
            const long double re = d(gen), im = d(gen);
            t.SetCelda(c, r, ComplejoATexto({re, im}));
        }
    return t;
}

void BM_ClicAInversaPintada(benchmark::State& st) {
    const int n = static_cast<int>(st.range(0));
    QTemporaryDir carpeta;
    EntornoMatriz e;
    e.carpeta = carpeta.path().toStdString();
    e.Avisar = [&](const QString& t, IconoMatriz) { st.SkipWithError(t.toStdString().c_str()); };
    e.Preguntar = [](const QString&, const QString&) { return false; };
    TfmMatriz v(std::move(e), AjustesMatriz{});
    v.resize(900, 700);
    v.show();
    v.SetModo(true);
    v.Rejilla(kMatrizA)->SetTabla(ComplejaUniforme(n, 101));
    QWidget* boton = nullptr;
    for (QAction* a : v.Barra()->actions())
        if (a->toolTip() == "Hallar inversa de la Matriz") boton = v.Barra()->widgetForAction(a);
    if (!boton) {
        st.SkipWithError("sin botón de inversa");
        return;
    }
    TStringGridX* r = v.Rejilla(kMatrizR);
    Pinturas pinturas;
    r->viewport()->installEventFilter(&pinturas);
    const QPoint centro = boton->rect().center();
    for (auto _ : st) {
        st.PauseTiming();
        r->SetTabla(TablaVacia(kMatrizR));
        QApplication::processEvents();
        st.ResumeTiming();
        QMouseEvent pulsa(QEvent::MouseButtonPress, centro, boton->mapToGlobal(centro), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent suelta(QEvent::MouseButtonRelease, centro, boton->mapToGlobal(centro), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier);
        QApplication::sendEvent(boton, &pulsa);
        QApplication::sendEvent(boton, &suelta);
        while (v.Ejecutor()->EnCurso() || r->Cells(1, 1).isEmpty()) QApplication::processEvents();
        const int antes = pinturas.n;
        while (pinturas.n == antes) QApplication::processEvents();
    }
    if (r->RowCount() != n + 1) st.SkipWithError("R sin la inversa");
}
BENCHMARK(BM_ClicAInversaPintada)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
