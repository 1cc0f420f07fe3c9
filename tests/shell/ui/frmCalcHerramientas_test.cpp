// The tool windows in the main window, with fake tools: however a tool is
// opened or closed, its menu mark, its button and its flag say whether its
// window shows; the flags outlive a restart; the hooks are heard.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "Ventanas.h"
#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/frmCalcPiezas.h"
#include "support/ui/EjecutorTrabajo.h"

namespace numbrix {
namespace {

class VentanaHerramientas : public VentanaPrincipal {
protected:
    // What the fake tools heard, in order: "crear X", "eval X <result>", ...
    QStringList oido_;
    // A fake tool: known names take their flag and letter from the table.
    Herramienta Falsa(const std::string& nombre) {
        Herramienta h;
        h.Nombre = nombre;
        const QString n = QString::fromStdString(SinMarcas(nombre));
        h.Crear = [this, n](TfrmCalcu&) {
            oido_ << "crear " + n;
            return new QWidget;
        };
        h.TrasEvaluar = [this, n](QWidget*, const ResultadoEvaluacion& r) {
            oido_ << "eval " + n + " " + QString::fromStdString(r.texto);
        };
        h.AlCambiarAngulo = [this, n](QWidget*, UnidadAngulo u) { oido_ << "angulo " + n + QString::number(u); };
        h.AlAplicarColores = [this, n](QWidget*) { oido_ << "colores " + n; };
        h.AlGuardar = [this, n](QWidget*) {
            oido_ << "guardar " + n;
            sesion_->Ini()->WriteString("Herramienta" + n.toStdString(), "Dato", "1");
        };
        h.Recibir = [this, n](QWidget*, const std::string& e) { oido_ << "recibir " + n + " " + QString::fromStdString(e); };
        return h;
    }
    void Registrar(std::initializer_list<const char*> nombres) {
        for (const char* n : nombres) ASSERT_TRUE(ventana_->RegistrarHerramienta(Falsa(n))) << n;
    }
    QAction* Item(const QString& nombre) {
        for (QAction* a : ventana_->menuHerramientas->actions())
            if (a->text().section('\t', 0, 0) == nombre) return a;
        return nullptr;
    }
    QToolButton* Boton(const QString& leido) {
        for (auto* b : ventana_->panelHerramientas->findChildren<QToolButton*>())
            if (b->accessibleName() == leido) return b;
        return nullptr;
    }
    QStringList Oido(const QString& que) { return oido_.filter(QRegularExpression("^" + que)); }
};

TEST_F(VentanaHerramientas, MarksButtonsAndFlagsFollowTheWindowHoweverItOpensOrCloses) {
    Mostrar(560, 380);
    Registrar({"Prue&ba", "Fracciones", "Complejos"});
    // The menu's fixed order, the unknown tool last; a name or letter taken is refused.
    QStringList menu;
    for (QAction* a : ventana_->menuHerramientas->actions())
        if (a->isCheckable() && a->parent() == ventana_->menuHerramientas) menu << a->text();
    EXPECT_EQ(menu.mid(0, 3), QStringList({"Fracciones\tCtrl+Q", "Complejos\tCtrl+J", "Prue&ba"}));
    Herramienta otra = Falsa("Otra");
    otra.Atajo = 'Q';
    EXPECT_FALSE(ventana_->RegistrarHerramienta(otra));
    EXPECT_FALSE(ventana_->RegistrarHerramienta(Falsa("prueba")));
    // Buttons read without the "&" and tell their name and key.
    ASSERT_TRUE(Boton("Prueba") && Boton("Fracciones"));
    EXPECT_EQ(Boton("Prueba")->toolTip(), "Prueba");
    EXPECT_EQ(Boton("Fracciones")->toolTip(), "Fracciones (Ctrl+Q)");

    enum Via { Menu, Boton_, Ctrl, Escape, Titulo };
    struct Paso {
        const char* nombre;
        Via via;
        bool abierta;  // after it
    } const pasos[] = {
        {"Fracciones", Menu, true},  {"Fracciones", Ctrl, false},   {"Fracciones", Boton_, true},
        {"Fracciones", Escape, false}, {"Fracciones", Ctrl, true},  {"Fracciones", Titulo, false},
        {"Fracciones", Boton_, true}, {"Fracciones", Menu, false},  {"Prue&ba", Boton_, true},
        {"Prue&ba", Menu, false},    {"Prue&ba", Menu, true},       {"Prue&ba", Escape, false},
    };
    for (const Paso& p : pasos) {
        const QString leido = QString::fromStdString(SinMarcas(p.nombre));
        QWidget* w = ventana_->VentanaHerramienta(p.nombre);
        switch (p.via) {
        case Menu: Item(p.nombre)->trigger(); break;
        case Boton_: Boton(leido)->click(); break;
        case Ctrl: Pulsar(Qt::Key_Q, Qt::ControlModifier); break;
        case Escape: prueba::Tecla(w, Qt::Key_Escape); break;
        case Titulo: w->close(); break;
        }
        QApplication::processEvents();
        const std::string donde = leido.toStdString() + " vía " + std::to_string(p.via);
        ASSERT_NE(ventana_->VentanaHerramienta(p.nombre), nullptr) << donde;
        EXPECT_EQ(ventana_->VentanaHerramienta(p.nombre)->isVisible(), p.abierta) << donde;
        EXPECT_EQ(Item(p.nombre)->isChecked(), p.abierta) << donde;
        EXPECT_EQ(Boton(leido)->isChecked(), p.abierta) << donde;
        EXPECT_EQ(sesion_->Ajustes.Fracciones, leido == "Fracciones" ? p.abierta : false) << donde;
    }
    EXPECT_EQ(Oido("crear"), QStringList({"crear Fracciones", "crear Prueba"}));  // made once, then kept

    // Minimised, the open tools go and come back; the flag stays.
    ventana_->MostrarHerramienta("Fracciones", true);
    ventana_->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(ventana_->VentanaHerramienta("Fracciones")->isVisible());
    EXPECT_TRUE(sesion_->Ajustes.Fracciones && Item("Fracciones")->isChecked());
    ventana_->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(ventana_->VentanaHerramienta("Fracciones")->isVisible());
}

TEST_F(VentanaHerramientas, TenButtonsFitBesideTheTotalAtTheLeastWidth) {
    for (const auto& d : HerramientasConocidas()) ASSERT_TRUE(ventana_->RegistrarHerramienta(Falsa(d.Nombre)));
    Mostrar(TfrmCalcu::kAnchoMinimo, 300);
    const auto botones = ventana_->panelHerramientas->findChildren<QToolButton*>();
    ASSERT_EQ(botones.size(), 10);
    for (QToolButton* b : botones) {
        EXPECT_EQ(b->width(), TfrmCalcu::kAnchoBotonHerramienta) << b->accessibleName().toStdString();
        EXPECT_FALSE(b->text().contains('&'));
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->contentsRect().width());
    }
    EXPECT_GE(ventana_->panelHerramientas->width(), 10 * TfrmCalcu::kAnchoBotonHerramienta);  // none clipped
    EXPECT_LE(ventana_->panelHerramientas->geometry().right(), ventana_->etiquetaTotal->geometry().left());
    EXPECT_LE(ventana_->botonDeshacer->geometry().right(), ventana_->bandaInferior->width());
}

TEST_F(VentanaHerramientas, FlagsPlacesAndToolSettingsSurviveARestartAndReopenInOrder) {
    Mostrar(560, 380);
    Registrar({"Complejos", "Fracciones", "Prueba", "Sucesiones"});
    for (const char* n : {"Complejos", "Fracciones", "Prueba", "Sucesiones"}) ventana_->MostrarHerramienta(n, true);
    ventana_->VentanaHerramienta("Fracciones")->setGeometry(70, 90, 300, 200);
    QApplication::processEvents();
    // Quitting during a tool's endless job ends it, its partial result kept,
    // before the tool writes its settings.
    // (The tool window owns its runner.)
    auto* trabajo = new TEjecutorTrabajo(ventana_->VentanaHerramienta("Fracciones"), {.conservarParcial = true});
    ASSERT_TRUE(trabajo->Ejecutar([](TTrabajo& t) { while (true) t.Comprobar(); },
                                 [this](const ResultadoTrabajo&) { oido_ << "aplicar"; }));
    ventana_->close();
    EXPECT_FALSE(trabajo->EnCurso());
    EXPECT_LT(oido_.indexOf("aplicar"), oido_.indexOf("guardar Fracciones"));
    EXPECT_GE(oido_.indexOf("aplicar"), 0);
    // Each tool wrote its settings before the file was.
    TVelIniFile ini(dir_ / "numbrix.ini");
    EXPECT_EQ(ini.ReadString("HerramientaFracciones", "Dato"), "1");
    EXPECT_TRUE(ini.ReadBool("Opciones", "Fracciones", false));
    EXPECT_TRUE(ini.ReadBool("Opciones", "Complejos", false));
    EXPECT_EQ(ini.ReadInteger("PosFracciones", "Width", 0), 300);

    oido_.clear();
    Abrir();
    Registrar({"Prueba", "Sucesiones", "Complejos", "Fracciones"});
    EXPECT_TRUE(Oido("crear").isEmpty());  // not before the window shows
    Mostrar(560, 380);
    EXPECT_EQ(Oido("crear"), QStringList({"crear Fracciones", "crear Complejos"}));
    EXPECT_EQ(ventana_->VentanaHerramienta("Fracciones")->width(), 300);
    EXPECT_FALSE(ventana_->HerramientaAbierta("Prueba"));
    EXPECT_FALSE(ventana_->HerramientaAbierta("Sucesiones"));  // not remembered
}

TEST_F(VentanaHerramientas, HooksAreHeardAndTheComplexQuestionComesAfterTheResult) {
    Mostrar(560, 380);
    // Without a complex tool nobody is asked.
    Calcular("(-8)^0.5");
    QApplication::processEvents();
    EXPECT_TRUE(preguntas_.isEmpty());

    Registrar({"Fracciones", "Complejos"});
    ventana_->MostrarHerramienta("Fracciones", true);
    QString mostrado;
    bool evaluando = true;
    ventana_->Confirmar = [&](const QString& titulo, const QString& texto) {
        preguntas_ << titulo + "|" + texto;
        mostrado = ventana_->cajaResultado->text();
        evaluando = ventana_->Evaluando();
        return true;
    };
    Calcular("(-8)^0.5");
    EXPECT_TRUE(preguntas_.isEmpty());  // not from inside the evaluation
    QApplication::processEvents();
    ASSERT_EQ(preguntas_.size(), 1);
    EXPECT_TRUE(preguntas_[0].startsWith("Parametro no válido|Esta expresión no pudo evaluarse, \npero quizá"));
    EXPECT_FALSE(evaluando);
    EXPECT_EQ(mostrado, ventana_->cajaResultado->text());
    EXPECT_EQ(mostrado.toStdString(), sesion_->Ultima().texto);
    EXPECT_TRUE(ventana_->HerramientaAbierta("Complejos"));
    EXPECT_EQ(Oido("recibir"), QStringList{"recibir Complejos (-8)^0.5"});

    // Only the tools made hear the hooks; a failed evaluation too.
    EXPECT_EQ(Oido("eval Fracciones").size(), 1);
    Calcular("1+1");
    Pulsar(Qt::Key_F11);
    ventana_->AplicarDiseno();
    EXPECT_EQ(Oido("eval Fracciones").last(), "eval Fracciones 2");
    EXPECT_EQ(Oido("angulo"), QStringList({"angulo Fracciones1", "angulo Complejos1"}));
    EXPECT_EQ(Oido("colores").size(), 4);  // each as it was made, then both

    // A tool's page and keys join the help; F1 in the tool opens its page.
    Herramienta con = Falsa("Con ayuda");
    con.PaginaAyuda = "teclado.html";
    con.TituloAyuda = "Página de prueba";
    con.Teclas = {{"Ctrl+9", "Hace algo."}};
    ASSERT_TRUE(ventana_->RegistrarHerramienta(con));
    ventana_->MostrarHerramienta("Con ayuda", true);
    prueba::Tecla(ventana_->VentanaHerramienta("Con ayuda"), Qt::Key_F1);
    ASSERT_NE(NavegadorAyuda(), nullptr);
    EXPECT_EQ(NavegadorAyuda()->source().fileName(), "teclado.html");
    EXPECT_TRUE(NavegadorAyuda()->toPlainText().contains("Con ayuda"));
    EXPECT_TRUE(NavegadorAyuda()->toPlainText().contains("Ctrl+9"));
    NavegadorAyuda()->window()->close();
}

}  // namespace
}  // namespace numbrix
