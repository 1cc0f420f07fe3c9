#include "shell/ui/ComboExpr.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ventanas.h"
#include "engine/ExpresionX.h"

namespace numbrix {
namespace {

using prueba::Escribir;

TEST(ComboExpr, TwoKeyShortcutsFollowTheBoxsTable) {
    prueba::AplicacionQt();
    const struct { TablaAtajos tabla; const char* tecleado; const char* queda; } casos[] = {
        {kAtajosPrincipal, "2**3", "2^3"},   {kAtajosPrincipal, "4//2", "4\\2"}, {kAtajosPrincipal, "2/*3", "2(3"},
        {kAtajosPrincipal, "2*/3", "2)3"},   {kAtajosPrincipal, "1..2", "1|2"},   {kAtajosPrincipal, "5--3", "5%3"},
        {kAtajosPrincipal, "2*3/4", "2*3/4"}, {kAtajosPrincipal, "***", "^*"},
        {kAtajosFraccion, "1//2", "1|2"},    {kAtajosFraccion, "1..2", "1|2"},    {kAtajosFraccion, "2**3", "2^3"},
        {kAtajosFraccion, "5--3/*2", "5--3/*2"},
        {kAtajosFormula, "5--3", "5--3"},    {kAtajosFormula, "4//2**3", "4\\2^3"},
        {kSinAtajos, "2**3//4--1..", "2**3//4--1.."},
    };
    for (const auto& c : casos) {
        TComboExpr caja;
        caja.Atajos = c.tabla;
        Escribir(&caja, c.tecleado);
        EXPECT_EQ(caja.Texto().toStdString(), c.queda) << c.tecleado << " (tabla de " << c.tabla.size() << ")";
    }
}

TEST(ComboExpr, CompletionOpensOnlyOutsideWordsAndComments) {
    const struct {
        const char* texto;
        int cursor;
        bool abre;
    } casos[] = {{"", 0, true},         {"2+", 2, true},      {"Sen", 3, false}, {"Sen", 1, false},
                 {"2 {nota", 7, false}, {"{a} 2+", 6, true},  {"(x)", 3, true},  {"2*", 0, true}};
    for (const auto& c : casos)
        EXPECT_EQ(PuedeCompletarEn(c.texto, c.cursor), c.abre) << c.texto << " @" << c.cursor;
}

TEST(AutoComp, EntryTextsTemplatesAndArgumentNotesByKind) {
    const int sin = kArgumentosIlimitados;
    const struct {
        const char* nombre;
        int tipo, min, max;
        const char* desc;
        const char* texto;
        int icono;
        const char* plantilla;
        const char* nota;
    } casos[] = {
        {"Pi", MakeConstante, 0, 0, "", "Pi - Const", 0, "Pi", "constante"},
        {"x", MakeVariable, 0, 0, "", "x - Variable", 1, "x", "variable"},
        {"Rst", MakeFuncion0, 0, 0, "Ultimo resultado", "Rst - Entorno: Ultimo resultado", 2, "Rst",
         "Ultimo resultado: sin argumentos"},
        {"Rnd", MakeFuncion1, 0, 0, "Aleatorio", "Rnd - Func: Aleatorio", 3, "Rnd", "Aleatorio: sin argumentos"},
        {"Sen", MakeFuncion1, 1, 1, "Seno", "Sen( ) - Func: Seno", 3, "Sen()", "Seno: 1 argumento"},
        {"LogN", MakeFuncionN, 2, 2, "", "LogN( , ) - Func", 3, "LogN(,)", "2 argumentos"},
        {"Max", MakeFuncionN, 2, sin, "Máximo", "Max( , {...}) - Func: Máximo", 3, "Max(,)", "Máximo: 2 o más argumentos"},
        {"DNormStdA", MakeFuncionN, 1, 2, "", "DNormStdA( {2}) - Func", 3, "DNormStdA()", "1 o 2 argumentos"},
        {"Det", MakeFuncionN, 1, 225, "", "Det( {225}) - Func", 3, "Det()", "de 1 a 225 argumentos"},
        {"f", MakeUsuario, 2, 2, "mia", "f( , ) - Pers: mia", 4, "f(,)", "mia: 2 argumentos"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoEntrada(c.nombre, c.tipo, c.min, c.max, c.desc).toStdString(), c.texto) << c.nombre;
        EXPECT_EQ(IconoDeTipo(c.tipo), c.icono) << c.nombre;
        EXPECT_EQ(PlantillaNombre(c.nombre, c.tipo, c.min, c.max).toStdString(), c.plantilla) << c.nombre;
        // An entry without a template of its own writes the same.
        EXPECT_EQ(TextoElegido(c.texto).toStdString(), c.plantilla) << c.nombre;
        EXPECT_EQ(AyudaArgumentos(c.tipo, c.min, c.max, c.desc).toStdString(), c.nota) << c.nombre;
    }
}

// The widget flows below cover the usual choices; these the odd ones.
TEST(AutoComp, AcceptingKeepsWhatWasTyped) {
    const struct {
        const char *prefijo, *elegido, *texto;
        int cursor;
    } casos[] = {{"LOG", "LogN(,)", "2+LOGN(,)*x", 7}, {"ab", "Rnd", "2+Rnd*x", 5}, {"", "Sen()", "2+Sen()*x", 6}};
    for (const auto& c : casos) {
        const Eleccion e = Elegir("2+", c.prefijo, c.elegido, "*x");
        EXPECT_EQ(e.Texto.toStdString(), c.texto) << c.prefijo;
        EXPECT_EQ(e.Cursor, c.cursor) << c.prefijo;
    }
    EXPECT_TRUE(ContinuaNombre("M", '1'));
    EXPECT_FALSE(ContinuaNombre("", '1'));
}

class CompletadoEnCaja : public ::testing::Test {
protected:
    void SetUp() override {
        motor_.SetPredefinidas(true);
        caja_.PonerFuente([this] { return EntradasDe(motor_); });
        caja_.SegunAjuste = false;
        EstadoCompletado::Descartado = false;
    }
    void TearDown() override { TfmAutoComp::Instancia().hide(); }
    QApplication& app_ = prueba::AplicacionQt();  // before any widget
    TExpresionX motor_;
    TComboExpr caja_;
};

TEST_F(CompletadoEnCaja, NumbersAndNamesStayAsTyped) {
    const struct {
        const char* tecleado;  // \r Enter, \t Tab, \x1b Esc
        const char* queda;
        int cursor;  // -1: at the end
    } casos[] = {
        {"FF[16]+1", "FF[16]+1", -1},   // the list closes on «F» then «[», both typed as such
        {"Raiz\r", "Raiz()", 5},       // accepted, spelt as typed
        {"Raiz\r4", "Raiz(4)", 6},
        {"2+s\t", "2+sen()", 6},       // Tab accepts the first name with «s»
        {"sen(30)", "sen(30)", -1},     // «(» is typed, not a template
        {"LogN\r8", "LogN(8,)", 6},    // one slot per argument
        {"Max\r", "Max(,)", 4},        // no optional arguments in braces
        {"Ale\r+1", "Ale+1", -1},      // no parentheses for a function without arguments
        {"Pi**2", "Pi^2", -1},          // a key the list hands back still makes a two-key shortcut
        {"Pi-1", "Pi-1", -1},
    };
    for (const auto& c : casos) {
        caja_.SetTexto("");
        caja_.SetSuprimido(false);
        Escribir(&caja_, QString::fromUtf8(c.tecleado));
        EXPECT_FALSE(TfmAutoComp::Instancia().Abierta()) << c.tecleado;
        TfmAutoComp::Instancia().hide();
        EXPECT_EQ(caja_.Texto().toStdString(), c.queda) << c.tecleado;
        const int cursor = c.cursor < 0 ? static_cast<int>(caja_.Texto().size()) : c.cursor;
        EXPECT_EQ(caja_.lineEdit()->cursorPosition(), cursor) << c.tecleado;
        EXPECT_FALSE(caja_.Suprimido()) << c.tecleado;
    }
}

TEST_F(CompletadoEnCaja, ALetterOpensTheListEscapeSuppressesItUntilEnter) {
    TfmAutoComp& lista = TfmAutoComp::Instancia();
    Escribir(&caja_, "2+s");
    ASSERT_TRUE(lista.Abierta());
    EXPECT_EQ(lista.Prefijo().toStdString(), "s");
    Escribir(&caja_, "en");
    EXPECT_TRUE(lista.Seleccionada().startsWith("Sen", Qt::CaseInsensitive)) << lista.Seleccionada().toStdString();
    lista.ProcesarTecla(Qt::Key_Backspace, "\b");
    EXPECT_EQ(caja_.Texto().toStdString(), "2+se");
    lista.ProcesarTecla(Qt::Key_Escape, {});
    EXPECT_FALSE(lista.Abierta());
    EXPECT_TRUE(caja_.Suprimido());
    Escribir(&caja_, "+c");
    EXPECT_FALSE(lista.Abierta());
    EXPECT_EQ(caja_.Texto().toStdString(), "2+se+c");
    Escribir(&caja_, "\r*c");
    EXPECT_TRUE(lista.Abierta());
    lista.hide();
    TComboExpr sinFuente;
    Escribir(&sinFuente, "abc");
    EXPECT_FALSE(lista.Abierta());
}

using HistoriaCombo = CarpetaTemporal;

TEST_F(HistoriaCombo, NoDuplicatesFiftyAtMostAndTheFileKeepsTheOrder) {
    prueba::AplicacionQt();
    TComboExpr caja;
    for (int i = 0; i < 60; ++i) caja.AgregarHistoria(QString::number(i % 55));
    ASSERT_EQ(caja.count(), TComboExpr::kMaxHistoria);
    QStringList vistos;
    for (int i = 0; i < caja.count(); ++i) vistos << caja.itemText(i);
    EXPECT_EQ(vistos.removeDuplicates(), 0);
    EXPECT_EQ(vistos[0].toStdString(), "4");

    TComboExpr guardada;
    guardada.FileName = dir_ / "expq.lst";
    for (const char* t : {"1+1", "2*3", "Sen(x)", "2*3"}) guardada.AgregarHistoria(t);
    guardada.GuardarHistoria();
    TComboExpr otra;
    otra.FileName = dir_ / "expq.lst";
    otra.CargarHistoria();
    QStringList leidas;
    for (int i = 0; i < otra.count(); ++i) leidas << otra.itemText(i);
    EXPECT_EQ(leidas, QStringList({"2*3", "Sen(x)", "1+1"}));
}

TEST(ComboExpr, InsertPutsTheCaretAfterTheFirstParenthesis) {
    prueba::AplicacionQt();
    TComboExpr caja;
    caja.SetTexto("2+");
    caja.Insertar("LogN(,)");
    EXPECT_EQ(caja.Texto().toStdString(), "2+LogN(,)");
    EXPECT_EQ(caja.lineEdit()->cursorPosition(), 7);
    caja.Insertar("Rst");
    EXPECT_EQ(caja.Texto().toStdString(), "2+LogN(Rst,)");
}

}  // namespace
}  // namespace numbrix
