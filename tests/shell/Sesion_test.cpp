// The evaluation path the main window and numbrix-cli share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/Sesion.h"
#include "Ayudas.h"

using namespace numbrix;

namespace {

struct CasoFormato {
    const char* expresion;
    int base, digitos, notacion;
    bool agrupar;
    const char* esperado;
};

class Formatos : public ::testing::TestWithParam<CasoFormato> {};

TEST_P(Formatos, TextoDelResultado) {
    const auto& c = GetParam();
    TSesion s;
    s.Formato.BaseDefecto = static_cast<BaseNumeracion>(c.base);
    s.Formato.SetDigitos(static_cast<DigitosResultado>(c.digitos));
    s.Formato.Notacion = static_cast<NotacionNumero>(c.notacion);
    s.Formato.Agrupar = c.agrupar;
    EXPECT_EQ(s.Evaluar(c.expresion).texto, c.esperado) << c.expresion;
}

INSTANTIATE_TEST_SUITE_P(Sesion, Formatos, ::testing::Values(
    CasoFormato{"255", 16, 100, 0, false, "FF [16]"}, CasoFormato{"10", 2, 100, 0, false, "1010 [2]"},
    CasoFormato{"2/3", 10, 2, 0, false, "0.67"}, CasoFormato{"2.5", 10, 0, 0, false, "3"},
    CasoFormato{"-2.5", 10, 0, 0, false, "-3"}, CasoFormato{"0.5", 10, 100, 0, false, "0.5"},
    CasoFormato{"1234567.5", 10, 100, 0, true, "1 234 567.5"},
    CasoFormato{"0.1234567", 10, 6, 0, true, "0.123 457"},
    CasoFormato{"12345", 10, 100, 1, false, "1.2345e4"}, CasoFormato{"12345", 10, 100, 2, false, "12.345e3"},
    CasoFormato{"1", 10, 100, 1, false, "1"}, CasoFormato{"100", 10, 100, 1, false, "1e2"},
    CasoFormato{"1000", 10, 100, 2, false, "1e3"}, CasoFormato{"1234.5", 10, 2, 0, false, "1234.50"},
    CasoFormato{"10000.1", 10, 100, 0, false, "10000.1"}, CasoFormato{"1/3", 10, 100, 0, false, "0.3333333333333333"},
    CasoFormato{"-2^2", 10, 100, 0, false, "-4"}));

TEST(Sesion, VerdaderoFalsoYLuegoUnNumero) {
    TSesion s;
    for (int i = 0; i < 50; ++i) {
        auto v = s.Evaluar("3>2");
        EXPECT_EQ(v.texto, "Verdadero");
        EXPECT_TRUE(v.verdad);
        EXPECT_GT(s.Principal().Ajustes.verdadero, 0);
        EXPECT_LT(s.Principal().Ajustes.falso, 0);
        EXPECT_EQ(s.Evaluar("3<2").texto, "Falso");
        EXPECT_EQ(s.Evaluar("1").texto, "1");
    }
}

TEST(Sesion, UltimoResultadoSoloCambiaSiHayExito) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("6*7").texto, "42");
    EXPECT_EQ(s.Evaluar("Rst+1").texto, "43");
    auto r = s.Evaluar("1/0");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.codigo, CodigoError::DivisionCero);
    EXPECT_EQ(s.UltimoResultado, 43);
    s.Evaluar("?*?=4");
    EXPECT_EQ(s.UltimoResultado, 43);
    EXPECT_EQ(s.Evaluar("Ans").texto, "43");
    EXPECT_TRUE(s.Evaluar("").vacio);
}

TEST(Sesion, ResuelveLaIncognita) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("2*?+1=7").texto, "3");
    auto r = s.Evaluar("?>2");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "No es una ecuación");
    EXPECT_EQ(r.codigo, CodigoError::Mensaje);
}

TEST(Sesion, PistaConDecimalEnOtraBase) {
    TSesion s;
    s.Formato.BaseDefecto = BaseBinaria;
    auto r = s.Evaluar("1010[2]");
    EXPECT_EQ(r.pista, "Resultado: 1010 [2]\n(Decimal: 10)");
}

TEST(Sesion, PreguntaUnaVezPorEvaluacionConNota) {
    TSesion s;
    std::vector<std::string> ofrecidos;
    s.Preguntar = [&](char letra, const std::string& propuesto, const std::string&) {
        EXPECT_EQ(letra, 'a');
        ofrecidos.push_back(propuesto);
        return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
    };
    EXPECT_EQ(s.Evaluar("a+a").texto, "4");
    EXPECT_EQ(s.NotaAsignacion, "{a=2} ");
    EXPECT_EQ(s.Evaluar("a*3").texto, "6");
    ASSERT_EQ(ofrecidos.size(), 2u);
    EXPECT_EQ(ofrecidos[0], "1");
    EXPECT_EQ(ofrecidos[1], "2");
}

TEST(Sesion, RespuestaInvalidaSePreguntaDeNuevoYCancelar) {
    TSesion s;
    int veces = 0;
    s.Preguntar = [&](char letra, const std::string&, const std::string& error) {
        ++veces;
        if (veces == 1) return RespuestaPregunta{RespuestaPregunta::Responder, std::string(1, letra)};  // its own letter
        EXPECT_FALSE(error.empty());
        if (veces == 2) return RespuestaPregunta{RespuestaPregunta::Responder, "2*Rst"};
        return RespuestaPregunta{};
    };
    s.UltimoResultado = 5;
    EXPECT_EQ(s.Evaluar("x+0").texto, "10");
    EXPECT_EQ(veces, 2);
    s.Preguntar = [](char, const std::string&, const std::string&) { return RespuestaPregunta{}; };
    auto r = s.Evaluar("b+1");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "Cálculo cancelado");
}

TEST(Sesion, ToleranciaDeLaVentanaPrincipal) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("1 = 1.000000000000001").texto, "Verdadero");
    EXPECT_EQ(s.Evaluar("1e-14 = 0").texto, "Falso");
}

TEST(Sesion, AnguloEnAmbosMotores) {
    TSesion s;
    s.SetAngulo(Sexagesimales);
    EXPECT_EQ(s.Evaluar("arcsin(1)").texto, "90");
    EXPECT_EQ(s.Evaluar("sin(30)").texto, "0.5");
    s.SetAngulo(Centesimales);
    EXPECT_EQ(s.Evaluar("arcsin(1)").texto, "100");
}


// Answers from a table, in order; a missing answer cancels.
Preguntador Respuestas(std::vector<std::string> textos, std::vector<std::string>* errores = nullptr,
                       std::string* letras = nullptr) {
    auto cola = std::make_shared<std::vector<std::string>>(std::move(textos));
    auto pos = std::make_shared<std::size_t>(0);
    return [=](char letra, const std::string&, const std::string& error) {
        if (errores) errores->push_back(error);
        if (letras) *letras += letra;
        if (*pos >= cola->size()) return RespuestaPregunta{};
        return RespuestaPregunta{RespuestaPregunta::Responder, (*cola)[(*pos)++]};
    };
}

TEST(Sesion, LaRespuestaConSuPropiaLetraSeRechazaYSePreguntaDeNuevo) {
    TSesion s;
    std::vector<std::string> errores;
    s.Preguntar = Respuestas({"x", "x+1", "3"}, &errores);
    EXPECT_EQ(s.Evaluar("x*2").texto, "6");
    ASSERT_EQ(errores.size(), 3u);
    EXPECT_EQ(errores[0], "");
    EXPECT_EQ(errores[1], "La variable x no puede usarse en su propio valor");
    EXPECT_EQ(errores[2], errores[1]);
    EXPECT_EQ(s.NotaAsignacion, "{x=3} ");
}

TEST(Sesion, RespuestasAnidadasConservanSuArbol) {
    TSesion s;
    std::string letras;
    // a's answer reads x, whose answer reads n: each answer keeps its own tree.
    s.Preguntar = Respuestas({"x*10+1", "n+2", "5"}, nullptr, &letras);
    EXPECT_EQ(s.Evaluar("a+a").texto, "142");
    EXPECT_EQ(letras, "axn");
    EXPECT_EQ(s.NotaAsignacion, "{n=5} {x=n+2} {a=x*10+1} ");
    // A cancel deep inside ends the whole evaluation.
    s.Preguntar = Respuestas({"x+1"});
    auto r = s.Evaluar("a");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "Cálculo cancelado");
}

TEST(Sesion, ComparacionEnUnaRespuestaEsVerdaderoOFalso) {
    // The same answer text twice in a row must not give last evaluation's
    // truth value back; an answer inside an answer gets them too.
    const struct {
        std::vector<std::string> respuestas;
        const char* expresion;
        const char* esperado;
    } casos[] = {
        {{"3>2"}, "a", "Verdadero"},    {{"3>2"}, "a", "Verdadero"},     {{"2>3"}, "a", "Falso"},
        {{"1=1&0>1"}, "b", "Falso"},    {{"x", "4<=4"}, "a", "Verdadero"}, {{"x", "4<4"}, "a", "Falso"},
        {{"3>2"}, "-a<0", "Verdadero"}, {{"3>2"}, "Si(a,7,8)", "7"},
    };
    TSesion s;
    for (const auto& c : casos) {
        s.Preguntar = Respuestas(c.respuestas);
        auto r = s.Evaluar(c.expresion);
        EXPECT_EQ(r.texto, c.esperado) << c.expresion << " con " << c.respuestas.back();
    }
}

TEST(Sesion, VocabularioDeAmbosMotores) {
    TSesion s;
    s.Memorias.SetValor(1, 21);
    s.Preguntar = Respuestas({"2*M1", "Sumatoria(1,3,n)"});
    EXPECT_EQ(s.Evaluar("a").texto, "42");
    EXPECT_EQ(s.Evaluar("b").texto, "6");
    EXPECT_EQ(s.Evaluar("M1+M0").texto, "21");
    struct Caso {
        const char* texto;
        const char* esperado;
    } casos[] = {
        {"Sumatoria(1,10,n)", "55"}, {"Producto(1,5,n)", "120"}, {"Det(1,2,3,4)", "-2"},
        {"Rst", "-2"}, {"Evaluar(3,x^2)", "9"}, {"Resolver(x^2=4,1,3)", "2"},
        {"Ahora>45000", "Verdadero"},
    };
    for (const auto& c : casos) EXPECT_EQ(s.Evaluar(c.texto).texto, c.esperado) << c.texto;
    // The auxiliary engine has no "Resolver", no "Ans" and only n and x.
    for (const char* t : {"Resolver(x-1,0,2)", "Ans", "a", "Ahora"}) {
        s.Auxiliar().SetTexto(t);
        EXPECT_TRUE(s.Auxiliar().HayError) << t;
    }
    // x driven by a function still prompts once afterwards.
    int veces = 0;
    s.Preguntar = [&](char, const std::string&, const std::string&) {
        ++veces;
        return RespuestaPregunta{RespuestaPregunta::Responder, "10"};
    };
    EXPECT_EQ(s.Evaluar("Integrar(0,1,x)+x+x").texto, "20.5");
    EXPECT_EQ(veces, 1);
}

TEST(Sesion, RegistroYTotal) {
    TSesion s;
    s.Calcular("2+3");
    s.Calcular("3>2");  // listed, but a truth value adds nothing
    s.Calcular("");
    s.Calcular("1/0");
    EXPECT_EQ(s.Lista.NumFilas(), 4u);
    EXPECT_EQ(s.Lista.Filas()[0].Texto, "3>2");
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
    struct Caso {
        const char* expresion;
        std::size_t filasNuevas;
    } casos[] = {{"arcsin(1)", 2}, {"0*5", 2}, {"", 0}, {"1/0", 0}, {"3<2", 2}};
    for (const auto& c : casos) {
        TSesion s;
        s.Calcular("7");
        s.Calcular("5");
        s.Lista.Deshacer();  // the user's own undo state must survive too
        const long double total = s.Lista.Total(), guardado = s.Lista.TotalGuardado();
        const int cuenta = s.Lista.Cuenta();
        const std::size_t filas = s.Lista.NumFilas();
        s.CambiarAngulo(Sexagesimales, c.expresion);
        EXPECT_EQ(s.Lista.Total(), total) << c.expresion;
        EXPECT_EQ(s.Lista.TotalGuardado(), guardado) << c.expresion;
        EXPECT_EQ(s.Lista.Cuenta(), cuenta) << c.expresion;
        EXPECT_EQ(s.Lista.NumFilas(), filas + c.filasNuevas) << c.expresion;
        if (std::string(c.expresion) == "arcsin(1)") {
            EXPECT_EQ(s.Lista.Filas()[1].Etiqueta, 1);
        }
    }
}

TEST(Sesion, CambioDeBaseSinReevaluar) {
    TSesion s;
    int veces = 0;
    s.Preguntar = [&](char, const std::string&, const std::string&) {
        ++veces;
        return RespuestaPregunta{RespuestaPregunta::Responder, "255"};
    };
    s.Calcular("a");
    s.CambiarBase(BaseHexadecimal, "a");
    EXPECT_EQ(veces, 1);
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

TEST(Sesion, HistorialSoloConExitoOCodigosAltos) {
    TSesion s;
    s.Evaluar("1+1");
    s.Evaluar("1/0");        // 11: not kept
    s.Evaluar("?>2");        // 20: kept
    s.Evaluar("2+");         // a syntax error is kept, to be mended
    s.Evaluar("1+1");        // swaps with the first entry
    std::vector<std::string> esperado{"1+1", "?>2", "2+"};
    EXPECT_EQ(s.Historial.Entradas(), esperado);
}

TEST(Sesion, AvisoDelDominioComplejo) {
    TSesion s;
    std::vector<std::string> avisadas;
    s.AlFallarEnReales = [&](const std::string& e) { avisadas.push_back(e); };
    auto r = s.Evaluar("(-8)^0.5");
    EXPECT_EQ(r.codigo, CodigoError::OperacionInvalida);
    s.Evaluar("1/0");
    ASSERT_EQ(avisadas.size(), 1u);
    EXPECT_EQ(avisadas[0], "(-8)^0.5");
}

TEST(Sesion, CancelarUnBucleLargo) {
    TSesion s;
    int sondeos = 0;
    s.Cancelar = [&] { return ++sondeos > 3; };
    for (const char* t : {"Sumatoria(1,1e12,n)", "Integrar(0,1,1e12,x)"}) {
        sondeos = 0;
        auto r = s.Evaluar(t);
        EXPECT_TRUE(r.error) << t;
        EXPECT_EQ(r.texto, "Cálculo cancelado") << t;
    }
    s.Cancelar = nullptr;
    EXPECT_EQ(s.Evaluar("Sumatoria(1,100,n)").texto, "5050");
}

TEST(Sesion, ReRegistrarConservaMemoriasYVariables) {
    TSesion s;
    s.Memorias.SetValor(3, 9);
    s.Preguntar = Respuestas({"4"});
    s.Evaluar("k");
    s.RegistrarVocabulario();
    s.Preguntar = Respuestas({});
    EXPECT_EQ(s.Evaluar("M3").texto, "9");
    EXPECT_EQ(s.Variable('k')->recordado, "4");
}
TEST(Sesion, LasFuncionesDeCalculoSeDibujanConSuSigno) {
    TSesion s;
    for (const char* t : {"Sumatoria(1,10,n^2)", "Producto(1,3,n)", "Integrar(0,1,x^2)"}) {
        s.Evaluar(t);
        ASSERT_TRUE(s.Principal().Arbol) << t;
        EXPECT_TRUE(s.Principal().Arbol->Medir_ && s.Principal().Arbol->Dibujar_) << t;
    }
    s.Evaluar("Det(1,2,3,4)");
    EXPECT_FALSE(s.Principal().Arbol->Medir_);
}

}  // namespace
