// What the user meets first: the insert menu and the completion list write
// what the engine compiles, and the help pages and tips name only menus and
// keys the main window really has.
#include "shell/ui/Ayuda.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPalette>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "Ventanas.h"
#include "shell/Consejos.h"
#include "shell/TemasAyuda.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/frmCalc.h"
#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"

namespace numbrix {
namespace {

using prueba::Datos;

// A caption as the user reads it: no accelerator marks, no shortcut text,
// blanks folded.
QString Leido(QString t) {
    t = t.section('\t', 0, 0);
    t.replace("&&", "\x01");
    t.remove('&');
    t.replace("\x01", "&");
    return t.simplified();
}

// Empty argument slots filled: «LogN(,)» → «LogN(uno,uno)».
std::string Lleno(QString t, const QString& con) {
    static const QRegularExpression hueco("([(,])(?=[,)])");
    return t.replace(hueco, "\\1" + con).toStdString();
}

class PrimerContacto : public VentanaPrincipal {
protected:
    PrimerContacto() { autocompletar_ = true; }  // as it ships
    void TearDown() override {
        if (QTextBrowser* n = NavegadorAyuda()) n->window()->close();
        VentanaPrincipal::TearDown();
    }
    // The window's menus by the name the help gives the button that opens them.
    std::map<QString, QMenu*> Menus() const {
        return {{"Insertar", ventana_->menuInsertar},       {"Memorias", ventana_->menuMemorias},
                {"Herramientas", ventana_->menuHerramientas}, {"Ayuda", ventana_->menuAyuda},
                {"Ángulo", ventana_->menuAngulo},         {"Base", ventana_->menuBase},
                {"Formato", ventana_->menuFormato},        {"Lista", ventana_->menuLista},
                {"Fórmula", ventana_->menuFormula}};
    }
    // Whether "Insertar › Varias › Max" leads to an item. A memory's
    // submenu reads "M0 = 0": its name is the part before " = ".
    bool ExisteRuta(const QString& ruta) const {
        QStringList partes = ruta.split(" › ");
        auto menus = Menus();
        auto it = menus.find(partes.takeFirst().trimmed());
        if (it == menus.end()) return false;
        QMenu* m = it->second;
        for (int i = 0; i < partes.size(); ++i) {
            QAction* hallada = nullptr;
            for (QAction* a : m->actions()) {
                const QString t = Leido(a->text());
                if (t == partes[i] || t.section(" = ", 0, 0) == partes[i]) hallada = a;
            }
            if (!hallada) return false;
            if (i + 1 < partes.size()) {
                if (!hallada->menu()) return false;
                m = hallada->menu();
            }
        }
        return true;
    }
};

TEST_F(PrimerContacto, EveryTemplateOfTheInsertMenuAndTheCompletionListCompiles) {
    TExpresionX& motor = sesion_->Principal();
    const std::vector<EntradaCompletado> lista = EntradasDe(motor);
    // The slots get a variable holding 1, so that nothing is folded while
    // compiling: what is checked is the name and the count of arguments,
    // not whether LogN(1,1) divides by zero.
    motor.AgregarVariable("uno")->AsignarValor(1);
    auto compila = [&](const std::string& texto) {
        motor.SetTexto("0");
        motor.SetTexto(texto);
        return !motor.HayError;
    };
    // The menu, as the user chooses its items.
    std::set<const TMake<DominioReal>*> ofrecidas;
    int items = 0;
    std::function<void(QMenu*, bool)> recorrer = [&](QMenu* m, bool operadores) {
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu()) {
                recorrer(a->menu(), Leido(a->text()) == "Operador");
                continue;
            }
            if (a->text().endsWith("...")) continue;  // the definitions editor, a dialog
            ventana_->cajaExpresion->SetTexto("");
            a->trigger();
            const QString t = ventana_->cajaExpresion->Texto();
            ASSERT_FALSE(t.isEmpty()) << Leido(a->text()).toStdString();
            EXPECT_FALSE(t.contains('{')) << t.toStdString();
            if (Leido(a->text()) == "Max") {
                EXPECT_EQ(a->toolTip().toStdString(), "Máximo: 2 o más argumentos");  // the optional ones, told
            }
            const std::string lleno = operadores ? "1" + t.toStdString() + "1" : Lleno(t, "uno");
            EXPECT_TRUE(compila(lleno)) << lleno << ": " << motor.Mensaje;
            if (const auto* make = motor.Buscar(t.section('(', 0, 0).toStdString())) ofrecidas.insert(make);
            ++items;
        }
    };
    recorrer(ventana_->menuInsertar, false);
    EXPECT_GT(items, 80);
    // Every function the engine knows is offered somewhere in the menu.
    for (const auto& [nombre, make] : motor.Identificadores())
        if (make->Tipo == MakeFuncion1 || make->Tipo == MakeFuncionN) {
            EXPECT_TRUE(ofrecidas.count(make)) << nombre << " no está en el menú Insertar";
        }
    // Every name the menu lists is one the engine knows (none left out quietly).
    for (const auto& g : GruposInsertar())
        for (const char* n : g.Nombres) EXPECT_NE(motor.Buscar(n), nullptr) << n;

    // The completion list.
    int entradas = 0;
    for (const auto& e : lista) {
        const std::string lleno = Lleno(e.Insertar, "uno");
        EXPECT_TRUE(compila(lleno)) << e.Texto.toStdString() << " → " << lleno << ": " << motor.Mensaje;
        ++entradas;
    }
    EXPECT_GT(entradas, 100);
}

TEST_F(PrimerContacto, HelpPagesAndTipsNameOnlyMenusThatExist) {
    // Menu paths («<span class="menu">Insertar › Varias › Max</span>») lead
    // to an item, and a menu named in passing («el menú Memorias») is one of
    // the window's.
    static const QRegularExpression marca("<span class=\"menu\">([^<]*)</span>");
    static const QRegularExpression nombrado("[Mm]enú (\\p{Lu}\\p{L}+)");
    const auto menus = Menus();
    int rutas = 0;
    for (const auto& p : PaginasAyuda()) {
        const QString html = QString::fromStdString(Leer(Datos() / "help" / p.Archivo));
        for (auto m = marca.globalMatch(html); m.hasNext(); ++rutas) {
            const QString ruta = m.next().captured(1);
            EXPECT_TRUE(ExisteRuta(ruta)) << p.Archivo << ": " << ruta.toStdString();
        }
        for (auto m = nombrado.globalMatch(html); m.hasNext();) {
            const QString menu = m.next().captured(1);
            EXPECT_TRUE(menus.count(menu)) << p.Archivo << ": menú " << menu.toStdString();
        }
    }
    EXPECT_GT(rutas, 40);
    // The tips write a menu path the same way: "Insertar › Constantes...".
    TVelIniFile ini(Datos() / "tips.ini");
    TConsejos tips;
    tips.Leer(ini);
    static const QRegularExpression enTip("((?:[^\\s›,.;:«»()]+ › )+[^\\s,;:«»()]+(?:\\.\\.\\.)?)");
    int enTips = 0;
    for (const auto& c : tips.Consejos()) {
        QString t;
        for (const auto& l : c.Lineas) t += QString::fromStdString(l) + " ";
        t += QString::fromStdString(c.Mas);
        for (auto m = enTip.globalMatch(t); m.hasNext();) {
            const QString ruta = m.next().captured(1);
            EXPECT_TRUE(ExisteRuta(ruta)) << ruta.toStdString();
            ++enTips;
        }
    }
    EXPECT_GE(enTips, 2);
}

// The keys page is made from the window's own key table and the tools'
// letters: each key it lists is taken, and no key is taken that it omits.
TEST_F(PrimerContacto, TheKeysPageListsEveryKeyTheWindowTakesAndNoOther) {
    ventana_->show();
    Herramienta fracciones;
    fracciones.Nombre = "Fracciones";
    ASSERT_TRUE(ventana_->RegistrarHerramienta(fracciones));
    // Keys that open a dialog (Ctrl+O) find it closed again at once.
    QTimer cierre;
    QObject::connect(&cierre, &QTimer::timeout, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    cierre.start(5);
    auto toma = [&](QKeyCombination k) {
        QApplication::setActiveWindow(ventana_.get());  // the menu key needs a focused box
        ventana_->cajaExpresion->setFocus();
        ventana_->cajaExpresion->SetTexto("");
        QKeyEvent e(QEvent::KeyPress, k.key(), k.keyboardModifiers());
        const bool r = ventana_->TeclaVentana(&e);
        while (QWidget* p = QApplication::activePopupWidget()) p->close();
        TfmAutoComp::Instancia().hide();
        if (QTextBrowser* n = NavegadorAyuda()) n->window()->close();
        return r;
    };
    const std::string pagina = LeerPaginaAyuda(Datos() / "help", "teclado.html");
    std::set<int> listadas = {QKeyCombination(Qt::ControlModifier, Qt::Key_Q).toCombined()};
    EXPECT_NE(pagina.find("<kbd>Ctrl+Q</kbd>"), std::string::npos);
    for (const TeclaVentanaCalc& t : TfrmCalcu::TablaTeclas()) {
        const bool ofrecida = std::string(t.Nombre) != "Ctrl+R";  // no chemistry yet
        for (const QString& n : QString(t.Nombre).split('|'))
            EXPECT_EQ(pagina.find("<kbd>" + n.toStdString() + "</kbd>") != std::string::npos, ofrecida) << t.Nombre;
        for (QKeyCombination k : t.Teclas) {
            EXPECT_EQ(toma(k), ofrecida) << t.Nombre;
            if (ofrecida) listadas.insert(k.toCombined());
        }
    }
    std::vector<int> teclas = {Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Insert,
                               Qt::Key_Delete, Qt::Key_Pause,  Qt::Key_Print,     Qt::Key_Home,   Qt::Key_End,
                               Qt::Key_Left,   Qt::Key_Up,     Qt::Key_Right,     Qt::Key_Down,   Qt::Key_PageUp,
                               Qt::Key_PageDown, Qt::Key_Menu, Qt::Key_ScrollLock, Qt::Key_Space};
    for (int k = Qt::Key_F1; k <= Qt::Key_F24; ++k) teclas.push_back(k);
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) teclas.push_back(k);
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) teclas.push_back(k);
    for (Qt::KeyboardModifiers mod : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier),
                                      Qt::ControlModifier | Qt::AltModifier, Qt::KeyboardModifiers(Qt::AltModifier)})
        for (int k : teclas) {
            if (mod == Qt::NoModifier && ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)))
                continue;  // typing
            const QKeyCombination c(mod, Qt::Key(k));
            EXPECT_TRUE(!toma(c) || listadas.count(c.toCombined()))
                << QKeySequence(c).toString().toStdString() << " no está en la página";
        }
    // No literal accelerator marks in what the pages show.
    std::string todas;
    for (const auto& p : PaginasAyuda()) todas += Leer(Datos() / "help" / p.Archivo);
    EXPECT_EQ(todas.find("&amp;C"), std::string::npos);
    EXPECT_EQ(todas.find("&amp;A"), std::string::npos);
}

TEST(VentanaAyuda, EnterInTheSearchOpensTheFirstHit) {
    FijarCarpetaDatosAyuda(Datos());
    AbrirAyuda(nullptr, "indice");
    QTextBrowser* nav = NavegadorAyuda();
    ASSERT_NE(nav, nullptr);
    QWidget* ventana = nav->window();
    ventana->show();
    QLineEdit* buscar = ventana->findChild<QLineEdit*>();
    ASSERT_NE(buscar, nullptr);
    const auto hits = BuscarEnAyuda(CarpetaAyuda(Datos()), "combinaciones colores");
    ASSERT_FALSE(hits.empty());
    // Twice: the second time the page history has a way back, which Enter
    // must not take.
    for (int i = 0; i < 2; ++i) {
        buscar->setText("combinaciones colores");
        buscar->setFocus();
        QKeyEvent intro(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(buscar, &intro);
        EXPECT_EQ(nav->source().fileName().toStdString(), hits.front().Archivo) << i;
        EXPECT_TRUE(ventana->isVisible());
        AbrirAyuda(nullptr, "teclado");
    }
    ventana->close();
}

TEST(VentanaAyuda, HelpOpenedFromADialogOutlivesIt) {
    FijarCarpetaDatosAyuda(Datos());
    auto* dialogo = new QDialog;
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    dialogo->setWindowModality(Qt::ApplicationModal);
    dialogo->show();
    ASSERT_EQ(QApplication::activeModalWidget(), dialogo);
    AbrirAyuda(dialogo, "fmOpciones");
    QPointer<QTextBrowser> nav = NavegadorAyuda();
    ASSERT_TRUE(nav);
    EXPECT_EQ(nav->window()->parentWidget(), dialogo);  // usable while the dialog is modal
    QPointer<QDialog> d = dialogo;
    dialogo->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_FALSE(d);
    ASSERT_TRUE(nav);
    EXPECT_EQ(NavegadorAyuda(), nav.data());
    EXPECT_TRUE(nav->window()->isVisible());
    EXPECT_EQ(nav->window()->parentWidget(), nullptr);
    // Opened again from the main window, it is the same window.
    AbrirAyuda(nullptr, "teclado");
    EXPECT_EQ(NavegadorAyuda(), nav.data());
    nav->window()->close();
}

// The pages keep their light page under a dark desktop, and every colour
// their style sheets give text reads on what it is painted on.
TEST(VentanaAyuda, PagesAreReadableUnderADarkDesktop) {
    const QPalette antes = QApplication::palette();
    QPalette oscura = antes;
    oscura.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    oscura.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    oscura.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    QApplication::setPalette(oscura);
    FijarCarpetaDatosAyuda(Datos());
    AbrirAyuda(nullptr, "indice");
    QTextBrowser* nav = NavegadorAyuda();
    ASSERT_NE(nav, nullptr);
    const QPalette p = nav->palette();
    const TColor pagina = ColorDeQColor(p.color(QPalette::Base));
    for (auto rol : {QPalette::Text, QPalette::Link, QPalette::LinkVisited})
        EXPECT_GE(Contraste(ColorDeQColor(p.color(rol)), pagina), kContrasteMinimo) << rol;
    // «th{background:#dde6f2;color:#102040;}»: a colour with its own
    // background is read against it, any other against the page.
    static const QRegularExpression regla("\\{([^}]*)\\}");
    static const QRegularExpression color("(^|[;\\s])color:#([0-9a-fA-F]{6})");
    static const QRegularExpression fondo("background:#([0-9a-fA-F]{6})");
    auto leer = [](const QString& hex) { return ColorDeQColor(QColor("#" + hex)); };
    for (const auto& e : std::filesystem::directory_iterator(CarpetaAyuda(Datos()))) {
        const QString html = QString::fromStdString(Leer(e.path()));
        for (auto m = regla.globalMatch(html); m.hasNext();) {
            const QString cuerpo = m.next().captured(1);
            const auto c = color.match(cuerpo);
            if (!c.hasMatch()) continue;
            const auto f = fondo.match(cuerpo);
            const TColor bajo = f.hasMatch() ? leer(f.captured(1)) : pagina;
            EXPECT_GE(Contraste(leer(c.captured(2)), bajo), kContrasteMinimo)
                << e.path().filename() << ": " << cuerpo.toStdString();
        }
    }
    nav->window()->close();
    QApplication::setPalette(antes);
}

}  // namespace
}  // namespace numbrix
