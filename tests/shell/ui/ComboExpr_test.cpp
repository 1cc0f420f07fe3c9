#include "shell/ui/ComboExpr.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <filesystem>
#include <stdlib.h>
#include <gtest/gtest.h>

#include "AplicacionQt.h"
#include "engine/ExpresionX.h"
#include "shell/ui/AutoComp.h"

namespace numbrix {
namespace {

void Pulsar(QWidget* w, int key, const QString& texto = {}, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QKeyEvent p(QEvent::KeyPress, key, mod, texto);
    QApplication::sendEvent(w, &p);
    QKeyEvent r(QEvent::KeyRelease, key, mod, texto);
    QApplication::sendEvent(w, &r);
}

void Escribir(QWidget* w, const QString& texto) {
    for (QChar c : texto) {
        const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
        Pulsar(w, key, QString(c));
    }
}

TEST(ComboExpr, TwoKeyOperatorShortcuts) {
    prueba::AplicacionQt();
    const struct {
        const char* tecleado;
        const char* queda;
    } casos[] = {{"2**3", "2^3"}, {"4//2", "4\\2"}, {"2/*3", "2(3"}, {"2*/3", "2)3"},
                 {"1..2", "1|2"}, {"5--3", "5%3"}, {"2*3/4", "2*3/4"}, {"***", "^*"}};
    for (const auto& c : casos) {
        TComboExpr caja;
        Escribir(&caja, c.tecleado);
        EXPECT_EQ(caja.Texto().toStdString(), c.queda) << c.tecleado;
    }
    EXPECT_TRUE(AtajoOperador('a', '/').isNull());
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

TEST(AutoComp, EntryTextsByKind) {
    const int sin = kArgumentosIlimitados;
    const struct {
        const char* nombre;
        int tipo, min, max;
        const char* desc;
        const char* texto;
        int icono;
    } casos[] = {
        {"Pi", MakeConstante, 0, 0, "", "Pi - Const", 0},
        {"x", MakeVariable, 0, 0, "", "x - Variable", 1},
        {"Rst", MakeFuncion0, 0, 0, "Ultimo resultado", "Rst - Entorno: Ultimo resultado", 2},
        {"Sen", MakeFuncion1, 1, 1, "Seno", "Sen( ) - Func: Seno", 3},
        {"LogN", MakeFuncionN, 2, 2, "", "LogN( , ) - Func", 3},
        {"Max", MakeFuncionN, 1, sin, "", "Max( {...}) - Func", 3},
        {"Si", MakeFuncionN, 2, 3, "", "Si( , {3}) - Func", 3},
        {"f", MakeUsuario, 2, 2, "mia", "f( , ) - Pers: mia", 4},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoEntrada(c.nombre, c.tipo, c.min, c.max, c.desc).toStdString(), c.texto) << c.nombre;
        EXPECT_EQ(IconoDeTipo(c.tipo), c.icono) << c.nombre;
    }
}

TEST(AutoComp, ChoosingAnEntry) {
    EXPECT_EQ(TextoElegido("Sen( ) - Func: Seno").toStdString(), "Sen()");
    EXPECT_EQ(TextoElegido("Max( , {255}) - Func").toStdString(), "Max(,{255})");
    EXPECT_EQ(TextoElegido("Pi - Const").toStdString(), "Pi");
    const struct {
        const char* elegido;
        QChar tecla;
        const char* texto;
        int cursor;
    } casos[] = {
        {"Sen()", '3', "2+Sen(3)*x", 7},     {"Sen()", '\r', "2+Sen()*x", 6},   {"Sen()", kDerecha, "2+Sen()*x", 7},
        {"Sen()", kIzquierda, "2+Sen()*x", 5}, {"LogN(,)", ',', "2+LogN(,)*x", 8}, {"Pi", '\r', "2+Pi*x", 4},
        {"Pi", '+', "2+Pi+*x", 5},            {"Max(,{255})", ' ', "2+Max(,{255})*x", 6},
        {"LogN(,)", '(', "2+LogN(*x", 7},    {"Pi", '(', "2+Pi*x", 4},
    };
    for (const auto& c : casos) {
        const Eleccion e = Elegir("2+", c.elegido, "*x", c.tecla);
        EXPECT_EQ(e.Texto.toStdString(), c.texto) << c.elegido;
        EXPECT_EQ(e.Cursor, c.cursor) << c.elegido;
    }
    const QStringList l = {"abs", "Cos", "Sen", "SenH", "Tg"};
    EXPECT_EQ(PrimeraNoMenor(l, "s"), 2);
    EXPECT_EQ(PrimeraNoMenor(l, "SENH"), 3);
    EXPECT_EQ(PrimeraNoMenor(l, "z"), 5);
}

class CompletadoEnCaja : public ::testing::Test {
protected:
    void SetUp() override {
        prueba::AplicacionQt();
        motor_.SetPredefinidas(true);
        caja_.PonerFuente([this] { return EntradasDe(motor_); });
        caja_.SegunAjuste = false;
        EstadoCompletado::Descartado = false;
    }
    void TearDown() override { TfmAutoComp::Instancia().hide(); }
    TExpresionX motor_;
    TComboExpr caja_;
};

TEST_F(CompletadoEnCaja, LetterOpensTheListNarrowsAndADigitFillsTheArgument) {
    TfmAutoComp& lista = TfmAutoComp::Instancia();
    Escribir(&caja_, "2+s");
    ASSERT_TRUE(lista.Abierta());
    EXPECT_EQ(lista.Prefijo().toStdString(), "s");
    EXPECT_TRUE(lista.Seleccionada().startsWith("s", Qt::CaseInsensitive)) << lista.Seleccionada().toStdString();
    lista.ProcesarTecla(Qt::Key_E, "e");
    lista.ProcesarTecla(Qt::Key_N, "n");
    EXPECT_TRUE(lista.Seleccionada().startsWith("Sen", Qt::CaseInsensitive)) << lista.Seleccionada().toStdString();
    EXPECT_EQ(caja_.Texto().toStdString(), "2+sen");
    lista.ProcesarTecla(Qt::Key_3, "3");
    EXPECT_FALSE(lista.Abierta());
    const QString t = caja_.Texto();
    EXPECT_TRUE(t.startsWith("2+Sen", Qt::CaseInsensitive) && t.endsWith("(3)")) << t.toStdString();
    EXPECT_EQ(caja_.lineEdit()->cursorPosition(), t.size() - 1);
}

TEST_F(CompletadoEnCaja, EscapeSuppressesUntilEnterOrEmpty) {
    TfmAutoComp& lista = TfmAutoComp::Instancia();
    Escribir(&caja_, "x");
    ASSERT_TRUE(lista.Abierta());
    lista.ProcesarTecla(Qt::Key_Escape, {});
    EXPECT_FALSE(lista.Abierta());
    EXPECT_TRUE(caja_.Suprimido());
    EXPECT_EQ(caja_.Texto().toStdString(), "x");
    Escribir(&caja_, "+y");
    EXPECT_FALSE(lista.Abierta());
    EXPECT_EQ(caja_.Texto().toStdString(), "x+y");
    Pulsar(&caja_, Qt::Key_Return, "\r");
    EXPECT_FALSE(caja_.Suprimido());
    Escribir(&caja_, "*c");
    EXPECT_TRUE(lista.Abierta());
    lista.hide();
}

TEST_F(CompletadoEnCaja, NoListWithoutNamesOrInsideAWord) {
    TComboExpr sinFuente;
    Escribir(&sinFuente, "abc");
    EXPECT_FALSE(TfmAutoComp::Instancia().Abierta());
    EXPECT_EQ(sinFuente.Texto().toStdString(), "abc");
    caja_.SetTexto("Sn");
    caja_.lineEdit()->setCursorPosition(1);
    Escribir(&caja_, "e");
    EXPECT_FALSE(TfmAutoComp::Instancia().Abierta());
    EXPECT_EQ(caja_.Texto().toStdString(), "Sen");
}

TEST(ComboExpr, HistoryWithoutDuplicatesKeepsFifty) {
    prueba::AplicacionQt();
    TComboExpr caja;
    for (int i = 0; i < 60; ++i) caja.AgregarHistoria(QString::number(i % 55));
    EXPECT_EQ(caja.count(), TComboExpr::kMaxHistoria);
    QStringList vistos;
    for (int i = 0; i < caja.count(); ++i) {
        EXPECT_FALSE(vistos.contains(caja.itemText(i)));
        vistos << caja.itemText(i);
    }
    EXPECT_EQ(caja.itemText(0).toStdString(), "4");
}

TEST(ComboExpr, HistoryFileKeepsTheOrder) {
    prueba::AplicacionQt();
    char plantilla[] = "/tmp/numbrix_prueba_XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(plantilla);
    {
        TComboExpr caja;
        caja.FileName = dir / "expq.lst";
        for (const char* t : {"1+1", "2*3", "Sen(x)", "2*3"}) caja.AgregarHistoria(t);
        caja.GuardarHistoria();
    }
    TComboExpr otra;
    otra.FileName = dir / "expq.lst";
    otra.CargarHistoria();
    ASSERT_EQ(otra.count(), 3);
    EXPECT_EQ(otra.itemText(0).toStdString(), "2*3");
    EXPECT_EQ(otra.itemText(1).toStdString(), "Sen(x)");
    EXPECT_EQ(otra.itemText(2).toStdString(), "1+1");
    std::filesystem::remove_all(dir);
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
