#include "shell/ui/fmUsuario.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ventanas.h"
#include "shell/Sesion.h"
#include "shell/ui/Ayuda.h"

namespace numbrix {
namespace {

class VentanaUsuario : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        Poner(dir_ / "real.duf", "[Constantes]\r\nkk=2_dos\r\n\r\n[Funciones]\r\nf2=?A*2_doble\r\n\r\n");
        sesion.Abrir(dir_);
    }
    // A window whose boxes answer from the test.
    std::unique_ptr<TfmUsuario> Abrir(int modo) {
        auto v = std::make_unique<TfmUsuario>(nullptr, sesion, modo);
        v->Cajas = r.Cajas();
        v->show();
        return v;
    }
    TSesion sesion;
    prueba::Respuestas r;
};

TEST_F(VentanaUsuario, UnaDefinicionRechazadaDejaLaVentanaAbiertaYElArchivoIgual) {
    const std::string antes = Leer(dir_ / "real.duf");
    auto v = Abrir(1);
    r.texto = "mala";
    v->Nueva();
    ASSERT_EQ(v->Lista()->count(), 2);
    EXPECT_EQ(v->Lista()->currentRow(), 1);
    v->Definicion()->setText("?A+");
    v->Lista()->setCurrentRow(0);
    v->BotonAceptar()->click();
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->result(), QDialog::Rejected);
    EXPECT_EQ(v->Lista()->currentRow(), 1);  // the rejected one is selected
    ASSERT_EQ(r.avisos.size(), 1);
    EXPECT_TRUE(r.avisos[0].startsWith("mala")) << r.avisos[0].toStdString();
    EXPECT_EQ(v->Mensaje()->text(), r.avisos[0]);
    EXPECT_EQ(Leer(dir_ / "real.duf"), antes);
    sesion.RegistrarVocabulario();
    EXPECT_EQ(sesion.Principal().Buscar("mala"), nullptr);
}

// What a definition may be, and what accepting writes: the editor's
// (tests/shell/EditorDefiniciones_test.cpp). Here the window around it.
TEST_F(VentanaUsuario, AcceptingWritesAndCloses) {
    auto v = Abrir(0);
    r.texto = "Tres";
    v->Nueva();
    v->Definicion()->setText("kk+1");
    v->Descripcion()->setText("");
    v->BotonAceptar()->click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(v->result(), QDialog::Accepted);
    EXPECT_NE(Leer(dir_ / "real.duf").find("Tres=kk+1_"), std::string::npos);
}

TEST_F(VentanaUsuario, NuevaCanceladaVaciaORepetidaNoHaceNada) {
    auto v = Abrir(0);
    for (std::optional<QString> n : {std::optional<QString>(), std::optional<QString>(""), std::optional<QString>("  ")}) {
        r.texto = n;
        v->Nueva();
    }
    EXPECT_TRUE(r.avisos.isEmpty());
    r.texto = "KK";  // a name the list holds: the editor says why
    v->Nueva();
    EXPECT_EQ(r.avisos, QStringList{"KK ya esta definido"});
    EXPECT_EQ(v->Lista()->count(), 1);
}

TEST_F(VentanaUsuario, TeclasDeLaDefinicion) {
    auto v = Abrir(1);
    QLineEdit* d = v->Definicion();
    d->setFocus();
    d->clear();
    prueba::Escribir(d, "?A**2//3");
    EXPECT_EQ(d->text(), "?A^2\\3");
    EXPECT_EQ(v->Editor().Definicion(0), "?A^2\\3");
    prueba::Tecla(d, Qt::Key_Escape);
    EXPECT_EQ(d->text(), "");
    EXPECT_TRUE(v->isVisible());  // Esc in the memo does not close
    prueba::Escribir(d, "?A_");
    EXPECT_EQ(d->text(), "?A");
    EXPECT_EQ(v->Mensaje()->text().toStdString(),
              "La definición no puede contener \"_\": separa la definición de su descripción.");
}

TEST_F(VentanaUsuario, CancelarConCambiosPregunta) {
    auto v = Abrir(1);
    v->BotonEliminar()->click();
    EXPECT_EQ(v->Lista()->count(), 0);
    EXPECT_FALSE(v->BotonEliminar()->isEnabled());
    r.respuesta = false;
    prueba::Tecla(v.get(), Qt::Key_Escape);
    ASSERT_EQ(r.preguntas.size(), 1);
    EXPECT_EQ(r.preguntas[0], "Funciones|Cancela sin guardar los cambios");
    EXPECT_TRUE(v->isVisible());
    r.respuesta = true;
    v->BotonCancelar()->click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(v->result(), QDialog::Rejected);
    EXPECT_NE(Leer(dir_ / "real.duf").find("f2="), std::string::npos);
}

TEST_F(VentanaUsuario, F1AbreElTemaDelModo) {
    FijarCarpetaDatosAyuda(prueba::Datos());
    for (int modo : {0, 1}) {
        auto v = Abrir(modo);
        QShortcut* f1 = nullptr;
        for (QShortcut* s : v->findChildren<QShortcut*>())
            if (s->key() == QKeySequence(Qt::Key_F1)) f1 = s;
        ASSERT_NE(f1, nullptr);
        emit f1->activated();
        ASSERT_NE(NavegadorAyuda(), nullptr);
        EXPECT_EQ(NavegadorAyuda()->source().toString(),
                  modo == 0 ? "fmUsuario.html#constantes" : "fmUsuario.html#funciones");
    }
}

}  // namespace
}  // namespace numbrix
