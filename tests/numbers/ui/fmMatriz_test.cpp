// The matrix window offscreen: typing, files, the kept result, swaps, the
// clipboard, Escape during a job and Ctrl+M from the main window.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>

#include "CarpetaTemporal.h"
#include "numbers/ui/fmMatriz.h"
#include "shell/ui/HerramientaMatrices.h"
#include "shell/ui/fmOpciones.h"
#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/StringGridX.h"
#include "../../shell/ui/Ventanas.h"

namespace numbrix {
namespace {

class VentanaMatriz : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        prueba::AplicacionQt();
    }
    void Abrir() {
        EntornoMatriz e;
        e.carpeta = dir_;
        e.Avisar = [this](const QString& t, IconoMatriz) { avisos_ << t; };
        e.Preguntar = [this](const QString& t, const QString& m) {
            preguntas_ << t + "|" + m;
            return si_;
        };
        e.PedirTexto = [this](const QString&, const std::string&) { return texto_; };
        v_ = std::make_unique<TfmMatriz>(std::move(e), AjustesMatriz{});
    }
    void Esperar() {
        while (v_->Ejecutor()->EnCurso()) QApplication::processEvents();
        QApplication::processEvents();
    }
    void Operar(AccionMatriz a, int operando = kMatrizA) {
        ASSERT_TRUE(v_->Operar(a, operando));
        Esperar();
    }
    // Keys as typed: the first opens the cell's editor, the rest go to it.
    static void Teclear(TStringGridX* g, const QString& texto) {
        for (QChar c : texto) {
            QLineEdit* editor = g->findChild<QLineEdit*>();
            QWidget* w = editor && editor->isVisible() ? static_cast<QWidget*>(editor) : g;
            if (c == '\r') prueba::Tecla(w, Qt::Key_Return, Qt::NoModifier, "\r");
            else prueba::Tecla(w, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
            QApplication::processEvents();  // the editor commits queued
        }
    }
    QString R(int c, int f) const { return v_->Rejilla(kMatrizR)->Cells(c, f); }

    std::unique_ptr<TfmMatriz> v_;
    QStringList avisos_, preguntas_;
    bool si_ = false;
    std::optional<std::string> texto_;
};

TEST_F(VentanaMatriz, EscrituraEnCeldas) {
    Abrir();
    v_->show();
    TStringGridX* a = v_->Rejilla(kMatrizA);
    a->setCurrentCell(1, 1);
    a->setFocus();
    Teclear(a, "1..2x\r");
    EXPECT_EQ(a->Cells(1, 1).toStdString(), "1|2");
    a->setCurrentCell(2, 1);
    Teclear(a, "2I\r");
    EXPECT_EQ(a->Cells(1, 2).toStdString(), "2i");
    TStringGridX* r = v_->Rejilla(kMatrizR);
    r->setCurrentCell(1, 1);
    Teclear(r, "5\r");
    EXPECT_EQ(r->Cells(1, 1).toStdString(), "");
}

// A refused file keeps its bytes; the others come back as they were.
TEST_F(VentanaMatriz, ArchivosRechazadosNoSeEscriben) {
    std::string grande;
    for (int i = 0; i < 256; ++i) grande += "1\t2\r\n";
    Poner(dir_ / "ga.gri", grande);
    Poner(dir_ / "gb.gri", "1\t2\r\n3\t4\r\n");
    Abrir();
    EXPECT_EQ(avisos_, QStringList{"ga.gri: Las dimensiones de una matriz deben estar entre 1 y 255"});
    EXPECT_EQ(v_->Rejilla(kMatrizA)->RowCount(), 4);
    v_->close();
    EXPECT_EQ(Leer(dir_ / "ga.gri"), grande);
    EXPECT_EQ(Leer(dir_ / "gb.gri"), "1\t2\r\n3\t4\r\n");
}

TEST_F(VentanaMatriz, ResultadoGuardadoYFracciones) {
    Poner(dir_ / "ga.gri", "7|2\r\n");
    Abrir();
    Operar(AccionMatriz::Triangular);
    EXPECT_EQ(R(1, 1), "3 | 1 | 2");
    v_->AlternarFracciones();
    EXPECT_EQ(R(1, 1), "7 | 2");
    v_->AlternarFracciones();
    EXPECT_EQ(R(1, 1), "3.5");
    // R swapped away (M is B): the old result no longer paints over R.
    v_->Activar(kMatrizB);
    v_->Intercambiar(kMatrizA, kMatrizR);
    v_->AlternarFracciones();
    EXPECT_EQ(R(1, 1), "7|2");
    v_->Activar(kMatrizA);
    Operar(AccionMatriz::Triangular);
    v_->SetModo(true);
    Operar(AccionMatriz::Triangular);
    EXPECT_FALSE(v_->HayResultadoGuardado());
}

TEST_F(VentanaMatriz, PreguntasYDeterminante) {
    Poner(dir_ / "ga.gri", "1\t1\t2\r\n2\t2\t5\r\n");
    Abrir();
    Operar(AccionMatriz::Resolver);
    EXPECT_EQ(preguntas_.size(), 1);
    EXPECT_EQ(R(1, 1), "");
    si_ = true;
    Operar(AccionMatriz::Resolver);
    EXPECT_EQ(R(1, 1), "1");
    EXPECT_EQ(R(3, 2), "1");
    Operar(AccionMatriz::Determinante);
    EXPECT_EQ(preguntas_.back(), "Determinante|¿Copia este valor al portapapeles?\r\n\r\n0");
    EXPECT_EQ(QApplication::clipboard()->text(), "0");
}

TEST_F(VentanaMatriz, CopiarPegarEIntercambiar) {
    Poner(dir_ / "ga.gri", "1|2\t2\r\n3\t4i\r\n");
    Abrir();
    v_->Copiar();
    EXPECT_EQ(QApplication::clipboard()->text(), "1|2\t2\r\n3\t4i\r\n");
    v_->Activar(kMatrizC);
    v_->Pegar();
    EXPECT_EQ(v_->Rejilla(kMatrizC)->Tabla().TextoGrid(), "1|2\t2\r\n3\t4i\r\n");
    emit v_->Rejilla(kMatrizB)->Soltada(v_->Rejilla(kMatrizC));
    EXPECT_EQ(v_->Rejilla(kMatrizB)->Tabla().TextoGrid(), "1|2\t2\r\n3\t4i\r\n");
    EXPECT_EQ(v_->Rejilla(kMatrizC)->RowCount(), 4);
    EXPECT_EQ(v_->Rejilla(kMatrizC)->Cells(0, 0), "C");
    QApplication::clipboard()->setText(QString("1\n").repeated(256));
    v_->Pegar();
    EXPECT_EQ(avisos_.back(), kMensajeDimensiones);
}

TEST_F(VentanaMatriz, EscapeCancelaSinCambiarR) {
    Abrir();
    v_->show();
    v_->Dimensionar(255, 255);
    texto_ = "m+n*10";
    ASSERT_TRUE(v_->Operar(AccionMatriz::Funcion));
    v_->Ejecutor()->TrabajoActual()->Pausar();  // still running when the progress shows
    while (v_->Ejecutor()->EnCurso() && !v_->Ejecutor()->Ventana()) QApplication::processEvents();
    if (QDialog* d = v_->Ejecutor()->Ventana()) prueba::Tecla(d, Qt::Key_Escape);
    Esperar();
    EXPECT_EQ(v_->Rejilla(kMatrizR)->RowCount(), 4);
}

class MatricesEnPrincipal : public VentanaPrincipal {};

// Ctrl+M opens it; every text the grids paint stands out on what it is
// painted on, in every shipped scheme applied as a user would, under a light
// and a dark desktop.
TEST_F(MatricesEnPrincipal, CtrlMAbreLaVentanaLegibleEnCadaEsquema) {
    ASSERT_TRUE(RegistrarMatrices(*ventana_));
    Mostrar(500, 300);
    Pulsar(Qt::Key_M, Qt::ControlModifier);
    auto* v = qobject_cast<TfmMatriz*>(ventana_->VentanaHerramienta("Matrices"));
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->windowTitle(), "Matrices (Modo Racional)");
    std::filesystem::copy_file(prueba::Datos() / "colores.ini", dir_ / "colores.ini");
    TfmOpciones opciones(ventana_.get(), *sesion_, [this] { ventana_->AplicarDiseno(); });
    const QPalette original = QApplication::palette();
    const auto c = [&](QPalette::ColorRole rol) { return ColorDeQColor(v->Rejilla(kMatrizR)->palette().color(rol)); };
    for (bool oscura : {false, true}) {
        QApplication::setPalette(prueba::PaletaEscritorio(oscura));
        for (int i = 0; i < static_cast<int>(opciones.Esquemas().Lista().size()); ++i) {
            opciones.ListaEsquemas()->setCurrentRow(i);
            opciones.Aplicar();
            const ColoresMatriz& m = v->Colores();
            EXPECT_GE(std::min({ContrasteSobreRampa(ColorDeQColor(m.texto), ColorDeQColor(m.luz), ColorDeQColor(m.sombra)),
                                Contraste(c(QPalette::Text), c(QPalette::Base)),
                                Contraste(c(QPalette::HighlightedText), c(QPalette::Highlight))}),
                      kContrasteMinimo)
                << opciones.Esquemas().Lista()[static_cast<std::size_t>(i)].Nombre << oscura;
        }
    }
    QApplication::setPalette(original);
    v->close();
}

}  // namespace
}  // namespace numbrix
