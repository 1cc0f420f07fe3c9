// The real calculator's session, beyond what the session core does alike in
// every mode (tests/numbers/Equivalencia_test.cpp): result texts, words for
// truth values, answers nested in answers, the vocabulary of both engines,
// the result list and total, display changes and cancelling.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Ayudas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

// Answers from a list, in order; a missing answer cancels. Records the
// letters asked and the error each question came with.
Preguntador Respuestas(std::vector<std::string> textos, std::string* letras = nullptr,
                       std::vector<std::string>* errores = nullptr) {
    auto cola = std::make_shared<std::vector<std::string>>(std::move(textos));
    auto pos = std::make_shared<std::size_t>(0);
    return [=](char letra, const std::string&, const std::string& error) {
        if (letras) *letras += letra;
        if (errores) errores->push_back(error);
        if (*pos >= cola->size()) return RespuestaPregunta{};
        return RespuestaPregunta{RespuestaPregunta::Responder, (*cola)[(*pos)++]};
    };
}

TEST(Sesion, TextoDelResultadoEnCadaFormato) {
    const struct { const char* expresion; int base, digitos, notacion; bool agrupar; const char* esperado; } casos[] = {
        {"255", 16, 100, 0, false, "FF [16]"},        {"10", 2, 100, 0, false, "1010 [2]"},
        {"2/3", 10, 2, 0, false, "0.67"},             {"-2.5", 10, 0, 0, false, "-3"},
        {"1234567.5", 10, 100, 0, true, "1 234 567.5"}, {"0.1234567", 10, 6, 0, true, "0.123 457"},
        {"12345", 10, 100, 1, false, "1.2345e4"},     {"12345", 10, 100, 2, false, "12.345e3"},
        {"1234.5", 10, 2, 0, false, "1234.50"},       {"1/3", 10, 100, 0, false, "0.3333333333333333"},
        {"1 = 1.000000000000001", 10, 100, 0, false, "Verdadero"},  // the main window's tolerance
        {"1e-14 = 0", 10, 100, 0, false, "Falso"},
    };
    for (const auto& c : casos) {
        TSesion s;
        s.Formato.BaseDefecto = *BaseDe(c.base);
        s.Formato.SetDigitos(*DigitosDe(c.digitos));
        s.Formato.Notacion = *NotacionDe(c.notacion);
        s.Formato.Agrupar = c.agrupar;
        EXPECT_EQ(s.Evaluar(c.expresion).texto, c.esperado) << c.expresion;
    }
    TSesion s;
    s.Formato.BaseDefecto = BaseBinaria;
    EXPECT_EQ(s.Evaluar("1010[2]").pista, "Resultado: 1010 [2]\n(Decimal: 10)");
}

TEST(Sesion, VerdadesAlAzarEnPalabrasYEnLasRespuestas) {
    TSesion s;
    long double anterior = 0;
    for (int i = 0; i < 50; ++i) {
        const auto v = s.Evaluar("3>2");
        EXPECT_TRUE(v.texto == "Verdadero" && v.verdad);
        EXPECT_NE(v.valor, anterior);  // fresh for every evaluation, so no number is taken for one
        anterior = v.valor;
        EXPECT_EQ(s.Evaluar("3<2").texto, "Falso");
        EXPECT_EQ(s.Evaluar("1").texto, "1");
    }
    // The same answer text twice in a row must not give last evaluation's
    // truth value back; an answer inside an answer gets them too.
    const std::pair<std::vector<std::string>, const char*> casos[] = {
        {{"3>2"}, "Verdadero"}, {{"3>2"}, "Verdadero"}, {{"2>3"}, "Falso"},      {{"1=1&0>1"}, "Falso"},
        {{"x", "4<=4"}, "Verdadero"}, {{"x", "4<4"}, "Falso"},
    };
    for (const auto& [respuestas, esperado] : casos) {
        s.Preguntar = Respuestas(respuestas);
        EXPECT_EQ(s.Evaluar("a").texto, esperado) << respuestas.back();
    }
    s.Preguntar = Respuestas({"3>2"});
    EXPECT_EQ(s.Evaluar("Si(a,7,8)").texto, "7");
}

TEST(Sesion, RespuestasAnidadasYSuPropiaLetra) {
    TSesion s;
    std::string letras;
    std::vector<std::string> errores;
    // a's answer reads x, whose answer reads n: each answer keeps its own tree;
    // x inside its own answer is refused and asked again.
    s.Preguntar = Respuestas({"x*10+1", "x", "n+2", "5"}, &letras, &errores);
    EXPECT_EQ(s.Evaluar("a+a").texto, "142");
    EXPECT_EQ(letras, "axxn");
    EXPECT_EQ(errores[2], "La variable x no puede usarse en su propio valor");
    EXPECT_EQ(s.NotaAsignacion, "{n=5} {x=n+2} {a=x*10+1} ");
    // A cancel deep inside ends the whole evaluation.
    s.Preguntar = Respuestas({"x+1"});
    const auto r = s.Evaluar("a");
    EXPECT_TRUE(r.cancelado && r.error);
    // An answer that leads back to a letter being answered fails.
    s.Preguntar = [](char letra, const std::string&, const std::string& error) {
        if (!error.empty()) return RespuestaPregunta{RespuestaPregunta::Fallar, error};
        return RespuestaPregunta{RespuestaPregunta::Responder, letra == 'x' ? "n" : "x"};
    };
    EXPECT_EQ(s.Evaluar("x").texto, "La variable x no puede usarse en su propio valor");
}

TEST(Sesion, VocabularioDeAmbosMotores) {
    TSesion s;
    s.Memorias.SetValor(1, 21);
    s.Preguntar = Respuestas({"2*M1", "Sumatoria(1,3,n)"});
    EXPECT_EQ(s.Evaluar("a").texto, "42");
    EXPECT_EQ(s.Evaluar("b").texto, "6");
    const std::pair<const char*, const char*> casos[] = {
        {"M1+M0", "21"}, {"Sumatoria(1,10,n)", "55"}, {"Producto(1,5,n)", "120"}, {"Det(1,2,3,4)", "-2"},
        {"Rst", "-2"},   {"Evaluar(3,x^2)", "9"},    {"Resolver(x^2=4,1,3)", "2"}, {"Ahora>45000", "Verdadero"},
    };
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(s.Evaluar(texto).texto, esperado) << texto;
    // The auxiliary engine has no "Resolver", no "Ans" and only n and x.
    for (const char* t : {"Resolver(x-1,0,2)", "Ans", "a", "Ahora"}) {
        s.Auxiliar().SetTexto(t);
        EXPECT_TRUE(s.Auxiliar().HayError) << t;
    }
    // x driven by a function still prompts once afterwards.
    std::string letras;
    s.Preguntar = Respuestas({"10"}, &letras);
    EXPECT_EQ(s.Evaluar("Integrar(0,1,x)+x+x").texto, "20.5");
    EXPECT_EQ(letras, "x");
    // The calculus functions draw with their signs; Det as a call.
    for (const char* t : {"Sumatoria(1,10,n^2)", "Producto(1,3,n)", "Integrar(0,1,x^2)", "Det(1,2,3,4)"}) {
        s.Evaluar(t);
        EXPECT_EQ(static_cast<bool>(s.Principal().Arbol->Medir_), t[0] != 'D') << t;
    }
    // Registering again keeps memories and the answers' texts.
    s.Memorias.SetValor(3, 9);
    s.RegistrarVocabulario();
    s.Preguntar = nullptr;
    EXPECT_EQ(s.Evaluar("M3").texto, "9");
    EXPECT_EQ(s.Variable('x')->recordado, "10");
}

TEST(Sesion, RegistroYTotal) {
    TSesion s;
    for (const char* t : {"2+3", "3>2", "", "1/0"}) s.Calcular(t);  // a truth value is listed, adds nothing
    EXPECT_EQ(s.Lista.NumFilas(), 4u);
    EXPECT_EQ(s.Lista.Filas()[1].Texto, "Verdadero   ");
    EXPECT_EQ(s.Lista.Total(), 5);
    EXPECT_EQ(s.Lista.Cuenta(), 1);
    EXPECT_EQ(s.TextoTotal(), "5");
    s.Preguntar = Respuestas({"2"});
    s.Calcular("a+a");
    EXPECT_EQ(s.Lista.Filas()[1].Texto, "4   {a=2} ");
    EXPECT_EQ(s.Lista.Total(), 9);
}

TEST(Sesion, CambioDeAnguloNoCuentaDosVeces) {
    const std::pair<const char*, std::size_t> casos[] = {{"arcsin(1)", 2}, {"0*5", 2}, {"", 0}, {"1/0", 0}, {"3<2", 2}};
    for (const auto& [expresion, filasNuevas] : casos) {
        TSesion s;
        s.Calcular("7");
        s.Calcular("5");
        s.Lista.Deshacer();  // the user's own undo state must survive too
        const long double total = s.Lista.Total(), guardado = s.Lista.TotalGuardado();
        const int cuenta = s.Lista.Cuenta();
        const std::size_t filas = s.Lista.NumFilas();
        s.CambiarAngulo(Sexagesimales, expresion);
        EXPECT_EQ(s.Lista.Total(), total) << expresion;
        EXPECT_EQ(s.Lista.TotalGuardado(), guardado) << expresion;
        EXPECT_EQ(s.Lista.Cuenta(), cuenta) << expresion;
        EXPECT_EQ(s.Lista.NumFilas(), filas + filasNuevas) << expresion;
    }
    TSesion s;  // both engines read the one unit
    s.Preguntar = Respuestas({"arcsin(1)"});
    EXPECT_EQ(s.CambiarAngulo(Sexagesimales, "a+arcsin(1)").texto, "180");
    EXPECT_EQ(s.Lista.Filas()[1].Etiqueta, Sexagesimales);
    s.SetAngulo(Centesimales);
    EXPECT_EQ(s.Evaluar("arcsin(1)").texto, "100");
}

TEST(Sesion, CambioDeBaseSinReevaluar) {
    TSesion s;
    std::string letras;
    s.Preguntar = Respuestas({"255"}, &letras);
    s.Calcular("a");
    s.CambiarBase(BaseHexadecimal, "a");
    EXPECT_EQ(letras, "a");
    EXPECT_EQ(s.Ultima().texto, "FF [16]");
    EXPECT_EQ(s.Ultima().pista, "Resultado: FF [16]\n(Decimal: 255)");
    EXPECT_EQ(s.Lista.NumFilas(), 4u);
    EXPECT_EQ(s.Lista.Filas()[1].Texto, "FF [16]   {a=255} ");
    EXPECT_EQ(s.Lista.Total(), 255);
    EXPECT_EQ(s.Lista.Cuenta(), 1);
    // Digits, notation and separator only re-format.
    s.CambiarBase(BaseDecimal, "a");
    s.CambiarDigitos(*DigitosDe(2));
    EXPECT_EQ(s.Ultima().texto, "255.00");
    s.CambiarNotacion(NotacionCientifica);
    EXPECT_EQ(s.Ultima().texto, "2.55e2");
    EXPECT_EQ(s.Lista.NumFilas(), 6u);
}

TEST(Sesion, ElErrorQueLosComplejosSuperanYCancelarUnBucleLargo) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("(-8)^0.5").codigo, CodigoError::OperacionInvalida);
    EXPECT_NE(s.Evaluar("1/0").codigo, CodigoError::OperacionInvalida);
    // The progress callback comes at every poll, before the cancel token.
    int sondeos = 0, progresos = 0;
    s.Progreso = [&] { ++progresos; };
    s.Cancelar = [&] { return ++sondeos > 3; };
    for (const char* t : {"Sumatoria(1,1e12,n)", "Integrar(0,1,1e12,x)"}) {
        sondeos = progresos = 0;
        const auto r = s.Evaluar(t);
        EXPECT_TRUE(r.error && r.cancelado) << t;
        EXPECT_EQ(r.texto, "Cálculo cancelado") << t;
        EXPECT_EQ(progresos, sondeos) << t;
    }
    s.Cancelar = nullptr;
    EXPECT_EQ(s.Evaluar("Sumatoria(1,100,n)").texto, "5050");
}

}  // namespace
}  // namespace numbrix
