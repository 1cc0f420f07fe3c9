// The Formulario window over the main window: opening it, computing through
// the unit pop-up, the unknown's marker, edit mode and the formula buttons.
#include "tools/ui/frmFormula.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "shell/ui/AutoComp.h"
#include "shell/ui/Ventanas.h"
#include "shell/VelIni.h"
#include "units/ConvUnid.h"

namespace numbrix {
namespace {

class VentanaFormula : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        Poner(dir_ / "maguni.def", "[Tensión]\nUniFundamental=V\nkV=1000\n[Corriente]\nUniFundamental=A\nmA=0.001\n"
                                   "[Resistencia]\nUniFundamental=Ω\nkΩ=1000\n");
        Poner(dir_ / "Electricidad.fcm", "[Ley de Ohm]\nV=I*R\nTensión\n<def>\nV_Tensión_10_V_Tensión=V_0__\n"
                                         "I_Corriente_2_A_Corriente=A_0__\nR_Resistencia__Ω_Resistencia=Ω_1_0_\n");
        modelo_.CargarMagnitudes(dir_ / "maguni.def");
        ConectarFormulas(*ventana_, modelo_, nullptr);
        Pulsar(Qt::Key_L, Qt::ControlModifier);
        w_ = static_cast<TfmFormula*>(ventana_->VentanaHerramienta("Formulario"));
        ASSERT_NE(w_, nullptr);
        w_->Cajas = r_.Cajas();
    }
    QString Celda(int f, int c) const { return w_->rejilla->item(f, c)->text(); }
    void Raton(QEvent::Type t, int fila) {
        const QPoint p = w_->rejilla->visualRect(w_->rejilla->model()->index(fila, 0)).center();
        QMouseEvent e(t, p, w_->rejilla->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w_->rejilla->viewport(), &e);
    }
    TModeloUnidades modelo_;
    TfmFormula* w_ = nullptr;
    prueba::Respuestas r_;
};

TEST_F(VentanaFormula, CalculaConUnidadesYMarcador) {
    EXPECT_TRUE(ventana_->HerramientaAbierta("Formulario"));
    w_->show();
    w_->Recalcular();
    EXPECT_EQ(Celda(2, TfmFormula::cValor), "5");
    EXPECT_EQ(ventana_->Sesion().Principal().Buscar("_"), nullptr);  // the unknown stays the tool's own
    QMenu* m = w_->MenuUnidadesFila(1);
    ASSERT_NE(m, nullptr);
    QStringList unidades;
    for (QAction* a : m->actions()) unidades << a->text() + (a->isChecked() ? "*" : "");
    EXPECT_EQ(unidades, QStringList({"A*", "mA"}));
    m->actions()[1]->trigger();
    EXPECT_EQ(Celda(2, TfmFormula::cValor), "5000");
    // The marker dragged from R to I: I is computed from V and R.
    Raton(QEvent::MouseButtonPress, 2);
    Raton(QEvent::MouseMove, 1);
    EXPECT_EQ(w_->Incognita(), 1);
    w_->rejilla->item(2, TfmFormula::cValor)->setText("4");
    w_->Recalcular();
    EXPECT_EQ(Celda(1, TfmFormula::cValor), "2500");  // 2.5 A in mA
    // In edit mode a picked unit becomes the native one.
    w_->SetEdicion(true);
    w_->ElegirUnidad(0, "kV");
    EXPECT_EQ(Celda(0, TfmFormula::cMagnitud), "Tensión=kV");
    EXPECT_TRUE(r_.avisos.isEmpty());
    Pulsar(Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(ventana_->HerramientaAbierta("Formulario"));
}

TEST_F(VentanaFormula, BotonesDeFormulasYGrupos) {
    const struct {
        void (TfmFormula::*boton)();
        std::optional<QString> nombre;
        QStringList formulas;
        int avisos;
    } pasos[] = {
        {&TfmFormula::Nueva, "Otra", {"Ley de Ohm", "Otra"}, 0},
        {&TfmFormula::Nueva, "otra", {"Ley de Ohm", "Otra"}, 1},       // another's name, any case
        {&TfmFormula::Renombrar, "OTRA", {"Ley de Ohm", "OTRA"}, 1},   // a case-only rename
        {&TfmFormula::Duplicar, "ley de ohm", {"Ley de Ohm", "OTRA"}, 2},
        {&TfmFormula::Duplicar, "Copia", {"Ley de Ohm", "OTRA", "Copia"}, 2},
        {&TfmFormula::Eliminar, {}, {"Ley de Ohm", "OTRA"}, 2},
        {&TfmFormula::NuevoGrupo, "ELECTRICIDAD", {"Ley de Ohm", "OTRA"}, 3},
    };
    r_.respuesta = true;
    for (const auto& p : pasos) {
        r_.texto = p.nombre;
        (w_->*p.boton)();
        QStringList f;
        for (int i = 0; i < w_->cbFormula->count(); ++i) f << w_->cbFormula->itemText(i);
        EXPECT_EQ(f, p.formulas) << p.nombre.value_or("-").toStdString();
        EXPECT_EQ(r_.avisos.size(), p.avisos);
    }
    EXPECT_EQ(r_.avisos.back(), "Ya existe un grupo llamado ELECTRICIDAD");
    EXPECT_EQ(r_.preguntas, QStringList({"Borrar Fórmula|¿Desea eliminar la fórmula\nCopia?"}));
    // Everything reached the file.
    auto g = AbrirGrupo(dir_ / "Electricidad.fcm");
    EXPECT_EQ(g->ReadSections(), (std::vector<std::string>{"Ley de Ohm", "OTRA"}));
}

// The value cells and the law box being typed in: operators normalised as
// typed, Esc empties, a letter opens the completion list; the law only in
// edit mode.
TEST_F(VentanaFormula, CajasDeExpresion) {
    w_->show();
    EXPECT_EQ(w_->lbEstado->text(), "No se encontró form.img: los dibujos de las fórmulas no se muestran");
    EstadoCompletado::Activo = true;
    EstadoCompletado::Descartado = false;
    auto celda = [&]() -> QWidget* {
        w_->rejilla->setCurrentCell(1, TfmFormula::cValor);
        w_->rejilla->editItem(w_->rejilla->item(1, TfmFormula::cValor));
        return w_->rejilla->viewport()->findChild<QLineEdit*>();
    };
    const struct {
        bool ley, edicion;
        QString teclas, texto;
        bool lista;
    } casos[] = {
        {false, false, "2**3", "2^3", false}, {false, false, "7\x1b", "", false}, {false, false, "2*s", "2*s", true},
        {true, true, "**", "^", false},       {true, true, "\x1b", "", false},    {true, false, "\x1b", "V=I*R", false},
        {true, true, "2*s", "2*s", true},
    };
    for (const auto& c : casos) {
        w_->SetEdicion(c.edicion);
        QLineEdit* caja = c.ley ? w_->edLey : static_cast<QLineEdit*>(celda());
        ASSERT_NE(caja, nullptr);
        caja->setText(c.ley && !c.edicion ? "V=I*R" : "");
        prueba::Escribir(caja, c.teclas);
        EXPECT_EQ(TfmAutoComp::Instancia().Abierta(), c.lista) << c.teclas.toStdString();
        TfmAutoComp::Instancia().hide();
        EXPECT_EQ(caja->text(), c.texto) << c.teclas.toStdString();
        if (!c.ley) w_->rejilla->closePersistentEditor(w_->rejilla->item(1, TfmFormula::cValor));
    }
    EstadoCompletado::Descartado = false;
    // Enter typed in a value cell's box commits it and recomputes.
    w_->SetEdicion(false);
    w_->edLey->setText("V=I*R");
    celda();
    auto* caja = qobject_cast<QLineEdit*>(w_->rejilla->indexWidget(w_->rejilla->currentIndex()));
    ASSERT_NE(caja, nullptr);
    caja->setText("4");
    prueba::Escribir(caja, "\r");
    QCoreApplication::processEvents();
    EXPECT_EQ(Celda(1, TfmFormula::cValor), "4");
    EXPECT_EQ(Celda(2, TfmFormula::cValor), "2.5");
}

}  // namespace
}  // namespace numbrix
