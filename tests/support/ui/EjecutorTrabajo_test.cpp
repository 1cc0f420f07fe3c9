// Long work off the GUI thread: what a job produced is applied only when it
// finished (or when the tool keeps partial results), the question before
// cancelling holds the job, and quitting cancels and waits for every job.
#include "support/ui/EjecutorTrabajo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

#include "AplicacionQt.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

template <class F>
void Esperar(F listo) {
    while (!listo()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A tool's data and a job over a copy of it: appends a number per poll
// until cancelled, or `vueltas` of them.
struct Herramienta {
    QWidget ventana;
    std::vector<int> datos{1, 2, 3};
    std::vector<ResultadoTrabajo> aplicados;
    std::shared_ptr<std::atomic<int>> hechas = std::make_shared<std::atomic<int>>(0);

    bool Lanzar(TEjecutorTrabajo& x, int vueltas = -1) {
        auto copia = std::make_shared<std::vector<int>>(datos);
        return x.Ejecutar(
            [copia, cuenta = hechas, vueltas](TTrabajo& t) {
                for (int i = 0; i != vueltas; ++i) {
                    copia->push_back(i);
                    ++*cuenta;
                    t.Avanzar(vueltas > 0 ? double(i + 1) / vueltas : 0.5, "Calculado: " + std::to_string(i + 1));
                }
            },
            [this, copia](const ResultadoTrabajo& r) {
                EXPECT_EQ(QThread::currentThread(), qApp->thread());
                aplicados.push_back(r);
                datos = *copia;
            });
    }
};

QPushButton* Boton(QWidget* w, const QString& texto) {
    for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == texto) return b;
    return nullptr;
}

TEST(EjecutorTrabajo, CancelarDejaLosDatosYTerminarLosAplica) {
    prueba::AplicacionQt();
    for (int como : {0, 1, 2}) {  // «Cancelar», Escape, no cancel
        Herramienta h;
        TEjecutorTrabajo x(&h.ventana);
        std::vector<FinTrabajo> fines;
        QObject::connect(&x, &TEjecutorTrabajo::Terminado, [&](FinTrabajo f) { fines.push_back(f); });
        ASSERT_TRUE(h.Lanzar(x, como == 2 ? 2 : -1));
        EXPECT_FALSE(h.Lanzar(x));  // one at a time
        if (como == 0) Boton(x.Ventana(), "Cancelar")->click();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        if (como == 1) QApplication::sendEvent(x.Ventana(), &escape);
        Esperar([&] { return !x.EnCurso(); });
        EXPECT_EQ(h.datos, (como == 2 ? std::vector<int>{1, 2, 3, 0, 1} : std::vector<int>{1, 2, 3})) << como;
        EXPECT_EQ(fines, std::vector<FinTrabajo>{como == 2 ? FinTrabajo::Terminado : FinTrabajo::Cancelado});
    }
}

// The tool's own bar and label; a cancelled job's lines are kept.
TEST(EjecutorTrabajo, ConservarParcialEnLaBarraPropia) {
    prueba::AplicacionQt();
    Herramienta h;
    auto* barra = new QProgressBar(&h.ventana);
    barra->hide();
    auto* etiqueta = new QLabel(&h.ventana);
    TEjecutorTrabajo x(&h.ventana, {.conservarParcial = true, .barra = barra, .etiqueta = etiqueta});
    ASSERT_TRUE(h.Lanzar(x));
    Esperar([&] { return etiqueta->text().startsWith("Calculado: "); });
    EXPECT_TRUE(barra->value() == barra->maximum() / 2 && !x.Ventana());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(etiqueta, &escape);  // Escape in the tool's window
    Esperar([&] { return !x.EnCurso(); });
    ASSERT_EQ(h.aplicados.size(), 1u);
    EXPECT_TRUE(h.aplicados[0].fin == FinTrabajo::Cancelado && h.datos.size() > 3 && barra->isHidden());
}

// «No» lets the paused job go on; «Sí» cancels it.
TEST(EjecutorTrabajo, PreguntaAntesDeCancelar) {
    prueba::AplicacionQt();
    Herramienta h;
    TEjecutorTrabajo x(&h.ventana, {.preguntarAlCancelar = true});
    ASSERT_TRUE(h.Lanzar(x));
    for (const char* respuesta : {"No", "Sí"}) {
        x.PedirCancelar();
        ASSERT_EQ(x.Pregunta()->text(), "¿Cancela este proceso?");
        Esperar([&] { return x.TrabajoActual()->EnPausa(); });
        const int antes = *h.hechas;
        Boton(x.Pregunta(), respuesta)->click();
        if (QString(respuesta) == "No") Esperar([&] { return *h.hechas > antes; });
    }
    Esperar([&] { return !x.EnCurso(); });
    EXPECT_EQ(h.datos, (std::vector<int>{1, 2, 3}));
}

// At quit: every job cancelled and waited for, partial results kept where
// chosen, an open question closed; a runner destroyed mid-job applies nothing.
TEST(EjecutorTrabajo, CancelarTodosAlSalir) {
    prueba::AplicacionQt();
    Herramienta a, b, c;
    TEjecutorTrabajo xa(&a.ventana, {.conservarParcial = true});
    TEjecutorTrabajo xb(&b.ventana, {.preguntarAlCancelar = true});
    auto xc = std::make_unique<TEjecutorTrabajo>(&c.ventana);
    for (auto [h, x] : {std::pair{&a, &xa}, {&b, &xb}, {&c, xc.get()}}) ASSERT_TRUE(h->Lanzar(*x));
    Esperar([&] { return *a.hechas > 0 && *b.hechas > 0 && *c.hechas > 0; });
    xb.PedirCancelar();
    Esperar([&] { return xb.TrabajoActual()->EnPausa(); });
    xc.reset();
    TEjecutorTrabajo::CancelarTodos();
    EXPECT_FALSE(xa.EnCurso() || xb.EnCurso());
    EXPECT_EQ(xb.Pregunta(), nullptr);
    EXPECT_GT(a.datos.size(), 3u);
    EXPECT_EQ(b.datos, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(c.datos, (std::vector<int>{1, 2, 3}));
    QCoreApplication::processEvents();  // the jobs' own ends arrive late and change nothing
    EXPECT_EQ(a.aplicados.size(), 1u);
}

}  // namespace
}  // namespace numbrix
