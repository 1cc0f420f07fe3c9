// Chemistry in the main window: menu item, Ctrl+R and the options stay in
// step with the session, and every element the list offers evaluates as itself.
#include "tools/ui/QuimicaCalc.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include <cmath>

#include "Ayudas.h"
#include "shell/ui/Ventanas.h"
#include "tools/Quim.h"

namespace numbrix {
namespace {

class QuimicaCalc : public VentanaPrincipal {
protected:
    void Conectar() {
        TablaQuimica().Cargar(prueba::DatosDeFabrica() / "quim.ini");
        ConectarQuimica(*sesion_);
        ConectarQuimicaVentana(*ventana_);
    }
    QAction* Item() { return ventana_->MenuConfigurar()->findChild<QAction*>("acMMR"); }
};

TEST_F(QuimicaCalc, MenuTeclaYListaDeElementos) {
    Conectar();
    QAction* ac = Item();
    ASSERT_TRUE(ac);
    const auto acciones = ventana_->MenuConfigurar()->actions();
    EXPECT_EQ(acciones.indexOf(ac), acciones.indexOf(ventana_->AccionAutocompletar()) + 1);
    EXPECT_TRUE(ac->isChecked());
    QKeyEvent ctrlR(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(ventana_->TeclaVentana(&ctrlR));
    EXPECT_FALSE(sesion_->Ajustes.MMR || ac->isChecked() || sesion_->Quimica());
    EXPECT_TRUE(EntradasElementos(*sesion_).empty());
    ac->trigger();
    EXPECT_TRUE(sesion_->Ajustes.MMR && sesion_->Quimica());

    const auto entradas = EntradasElementos(*sesion_);
    ASSERT_EQ(entradas.size(), TablaQuimica().Elementos().size());
    EXPECT_EQ(entradas[5].Texto, "C - Carbono");
    EXPECT_EQ(entradas[5].Insertar, "C1");
    EXPECT_EQ(entradas[10].Insertar, "Na");
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        const auto r = sesion_->Evaluar(entradas[i].Insertar.toStdString());
        const long double m = TablaQuimica().Elementos()[i].Masa;
        EXPECT_EQ(entradas[i].Icono, 5);
        EXPECT_LE(std::fabs(r.valor - m), 1e-12L * m) << entradas[i].Insertar.toStdString() << ": " << r.texto;
    }
    // "MMR" survives a restart, either way.
    for (bool activa : {false, true}) {
        if (Item()->isChecked() != activa) Item()->trigger();
        ventana_->close();
        Abrir();
        Conectar();
        EXPECT_TRUE(sesion_->Ajustes.MMR == activa && Item()->isChecked() == activa) << activa;
        EXPECT_EQ(sesion_->Evaluar("H2O").error, !activa);
    }
}

}  // namespace
}  // namespace numbrix
