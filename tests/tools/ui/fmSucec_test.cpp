#include "tools/ui/fmSucec.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include "shell/ui/ComboExpr.h"
#include "shell/ui/Ventanas.h"
#include "support/EscrituraAtomica.h"
#include "support/ui/EjecutorTrabajo.h"

namespace numbrix {
namespace {

class VentanaSucesiones : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        prueba::AplicacionQt();
        Abrir();
    }
    void Abrir() {
        w_ = std::make_unique<TfmSucec>(dir_);
        w_->Cajas = w_->CajasNo = r_.Cajas();
    }
    void Esperar() {
        while (w_->Ejecutor().EnCurso()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    void Poner(const char* sn, const char* parada) {
        DefinicionSucesion d;
        d.Sn = sn, d.Parada = parada, d.Comentario = {"", "[x]"};
        w_->PonerDefinicion(d);
    }
    std::unique_ptr<TfmSucec> w_;
    prueba::Respuestas r_;
};

TEST_F(VentanaSucesiones, EscapeDetieneYContinuarLlegaAlMismoFinal) {
    Poner("S1+1", "n>=3000000");
    r_.texto = "0";
    w_->Iniciar();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(w_->memo, &esc);
    Esperar();
    const auto n = w_->Motor().N();
    EXPECT_LT(n, 3000000);
    EXPECT_EQ(w_->lbEstado->text(), "n=" + QString::number(n));
    w_->Continuar();
    Esperar();
    EXPECT_EQ(w_->memo->toPlainText().split('\n').last().toStdString(), TSucesion::Linea(3000000, 2999999));
}

TEST_F(VentanaSucesiones, ValoresInicialesCanceladosYEstadoAlReabrir) {
    Poner("S1+S2", "n>=10");
    r_.texto = "1";
    w_->Iniciar();
    Esperar();
    EXPECT_EQ(w_->memo->toPlainText().split('\n').last(), "S(10)=\t55");
    r_.texto.reset();  // cancelled: the finished run stays for «Continuar»
    w_->Iniciar();
    EXPECT_EQ(w_->Motor().N(), 10);
    EXPECT_EQ(w_->Motor().Termino(0), 55);
    const DefinicionSucesion antes = w_->Definicion();
    w_->close();
    Abrir();
    EXPECT_EQ(w_->Definicion(), antes);
}

// The open definition lives only in the file written at close: a failed write
// asks; «Reintentar» writes it, «Cerrar sin guardar» leaves the old file (the
// unsaved text stays in memory for this run).
TEST_F(VentanaSucesiones, FalloAlCerrarOfreceReintentar) {
    for (const QString boton : {"Reintentar", "Cerrar sin guardar"}) {
        Poner("S1*2", "n>=5");
        w_->close();
        const std::string antes = Leer(dir_ / "suce.ini");
        Poner("S1*3", "n>=7");
        const DefinicionSucesion nueva = w_->Definicion();
        PasosDeEscritura().Renombrar = [](const char*, const char*) { return errno = EIO, -1; };
        QString mensaje;
        prueba::AlAparecerCaja([&](QMessageBox* caja) {
            mensaje = caja->text();
            PasosDeEscritura() = PasosEscritura{};
            prueba::Elegir(caja, boton);
        });
        w_->close();
        PasosDeEscritura() = PasosEscritura{};
        EXPECT_TRUE(mensaje.contains("El archivo anterior no se ha modificado.")) << mensaje.toStdString();
        EXPECT_EQ(Leer(dir_ / "suce.ini") == antes, boton != "Reintentar") << boton.toStdString();
        Abrir();
        EXPECT_EQ(w_->Definicion(), nueva);
    }
}

}  // namespace
}  // namespace numbrix
