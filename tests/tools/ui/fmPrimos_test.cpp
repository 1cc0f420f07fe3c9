#include "tools/ui/fmPrimos.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/ui/Ventanas.h"
#include "support/ui/EjecutorTrabajo.h"
#include "tools/Primo.h"

namespace numbrix {
namespace {

class VentanaPrimos : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        prueba::AplicacionQt();
        w_ = std::make_unique<TfmPrimos>(dir_);
        w_->Cajas = r_.Cajas();
        w_->Cajas.PreguntarSiNoCancelar = [this](const QString&, const QString& m) {
            r_.preguntas << m;
            return estimacion_;
        };
        w_->AbrirArchivo = [](const std::filesystem::path&) {};
    }
    void Esperar() {
        while (w_->Ejecutor().EnCurso()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    std::unique_ptr<TfmPrimos> w_;
    prueba::Respuestas r_;
    std::optional<bool> estimacion_;
};

TEST_F(VentanaPrimos, LasTresRespuestasDeLaEstimacion) {
    r_.texto = "2";
    w_->caja->setText("100000");
    w_->Entre();  // Cancel: nothing runs
    EXPECT_FALSE(w_->Ejecutor().EnCurso());
    ASSERT_EQ(r_.preguntas.size(), 1);
    EXPECT_TRUE(r_.preguntas[0].startsWith("La cantidad de primos ha hallar (aprox. 8685) \npuede ser"));

    estimacion_ = false;  // No: the memo
    w_->Entre();
    Esperar();
    EXPECT_EQ(w_->memo->blockCount(), 9592);
    EXPECT_EQ(w_->lbEstado->text(), "9592 / 99998  (9.592%)");
    EXPECT_EQ(w_->lbCuenta->text(), "9592");

    estimacion_ = true;  // Yes: the file, then the question to open it
    w_->Entre();
    Esperar();
    const auto ruta = dir_ / "Primos entre 2 y 100000 .txt";
    EXPECT_EQ(r_.preguntas.back(), "Cálculo terminado|Se creo con éxito:\n" + QString::fromStdString(ruta.string()) +
                                       "\n¿Desea verlo en el editor predeterminado?");
    const std::string texto = Leer(ruta);
    EXPECT_EQ(std::count(texto.begin(), texto.end(), '\n'), 9592);

    w_->caja->setText("0");
    w_->Factores();
    EXPECT_EQ(r_.avisos, QStringList{kMsjNaturales});
}

TEST_F(VentanaPrimos, LaPreguntaDeCancelar) {
    for (const char* respuesta : {"No", "Sí"}) {
        w_->caja->setText("144115188075855872");
        if (!w_->Ejecutor().EnCurso()) w_->Enesimo();
        w_->Ejecutor().PedirCancelar();
        QMessageBox* p = w_->Ejecutor().Pregunta();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->text(), "¿Cancela este proceso?");
        EXPECT_EQ(p->windowTitle(), "Cancelar");
        for (QAbstractButton* b : p->buttons())
            if (b->text() == respuesta) b->click();
    }
    Esperar();
    EXPECT_EQ(w_->lbTiempo->text(), "Proceso cancelado");
    EXPECT_TRUE(w_->btEnesimo->isEnabled());
}

}  // namespace
}  // namespace numbrix
