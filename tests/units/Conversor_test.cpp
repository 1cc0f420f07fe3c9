#include "units/Conversor.h"

#include <gtest/gtest.h>

#include "Aproximado.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"

namespace numbrix {
namespace {

void CargarTexto(TModeloUnidades& m, std::string texto) {
    TVelIniFile ini({}, std::string(kClaveDatos));
    TVelIniFile::Mezclar(texto, std::string(kClaveDatos));
    ini.CargarBytes(std::move(texto));
    m.CargarMagnitudes(ini);
}

std::string Escribir(long double v) { return RealATexto(v, FormatoNumero{}); }

TEST(Conversor, CantidadYFilas) {
    TModeloUnidades m;
    CargarTexto(m, "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\n[Raíz]\r\nUniFundamental=u\r\nr=ln(U)_exp(U)\r\n");
    TSesion sesion;
    TCantidadConversor cantidad(sesion);
    const auto seis = cantidad.Leer("2*3");
    ASSERT_TRUE(seis.ok) << seis.error;
    const auto t = ConvertirATodas(m, 0, 1, seis.valor, Escribir);  // km
    EXPECT_EQ(t.textos, (std::vector<std::string>{"6000", "6"}));
    EXPECT_TRUE(t.error.empty());

    // Failures give a message and no value, never a question.
    sesion.Preguntar = [](char, const std::string&, const std::string&) -> RespuestaPregunta {
        ADD_FAILURE() << "asked";
        return {};
    };
    const std::pair<const char*, const char*> malos[] = {
        {"2*", "Error de sintaxis: la expresión empieza o termina en un operador"}, {"2*x", "Variable sin valor: x"},
        {"1/0", "División por cero"}, {"c", "Variable sin valor: c"}};
    for (const auto& [malo, mensaje] : malos) {
        const auto l = cantidad.Leer(malo);
        EXPECT_FALSE(l.ok) << malo;
        EXPECT_EQ(l.error, mensaje) << malo;
    }
    // A value outside a formula's domain empties every row.
    const auto raiz = ConvertirATodas(m, m.BuscarMagnitud("Raíz"), 1, -4, Escribir);
    EXPECT_EQ(raiz.textos, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(raiz.error, "Operación no válida");

    // The main angle unit, read before each evaluation.
    sesion.SetAngulo(Sexagesimales);
    const auto sen = cantidad.Leer("sin(30)");
    ASSERT_TRUE(sen.ok) << sen.error;
    EXPECT_CERCA(sen.valor, 0.5L);
    sesion.SetAngulo(Radianes);
    EXPECT_CERCA(cantidad.Leer("sin(30)").valor, -0.988031624092861789987748907294L);

    // Busy: nothing is read.
    TSesion::Ocupacion ocupada(sesion);
    EXPECT_TRUE(cantidad.Leer("1").ocupada);
}

TEST(Conversor, Bases) {
    const auto ff = LeerCeldaBase("FF", 16);
    ASSERT_TRUE(ff);
    const auto t = TextosBases(*ff, FormatoNumero{});
    EXPECT_EQ(t[10 - 2], "255");
    EXPECT_EQ(t[2 - 2], "11111111 [2]");
    EXPECT_EQ(t[36 - 2], "73 [36]");
    EXPECT_EQ(LeerCeldaBase("11111111 [2]", 2), 255);
    for (auto [texto, base] : std::vector<std::pair<const char*, int>>{{"0", 10}, {"", 16}, {"8", 8}, {"FF [8]", 16}})
        EXPECT_FALSE(LeerCeldaBase(texto, base)) << texto;
    EXPECT_EQ(EtiquetaBase(8), "Oct");
    EXPECT_EQ(EtiquetaBase(17), "17");

    struct Tecla { char32_t c; int base; std::optional<char32_t> queda; };
    const Tecla teclas[] = {{'8', 8, {}},     {'9', 8, {}},     {'A', 8, {}},      {'a', 8, {}},   {'7', 8, '7'},
                            {'f', 16, 'F'},   {'F', 16, 'F'},   {'g', 16, {}},     {'e', 8, 'e'},  {'[', 2, '['},
                            {'-', 2, '-'},    {'.', 2, '.'},    {'\b', 2, '\b'},   {'+', 10, {}},  {'z', 36, 'Z'},
                            {U'ñ', 36, {}},   {' ', 10, {}}};
    for (const Tecla& k : teclas) EXPECT_EQ(FiltrarTeclaBase(k.c, k.base), k.queda) << int(k.c) << " base " << k.base;

    EXPECT_EQ(TextosBases(-10, FormatoNumero{})[0], "-1010 [2]");
    EXPECT_EQ(TextosBases(0.5L, FormatoNumero{})[0], "0.1 [2]");
}

TEST(Conversor, FilasYSeccion) {
    // Without "UniFundamental" every line is a row.
    const SeccionMagnitud sin = FilasDeSeccion({"km=1000", "mm=_1000"});
    EXPECT_EQ(sin.Fundamental, "");
    ASSERT_EQ(sin.Filas.size(), 2u);
    EXPECT_EQ(sin.Filas[1].De, "1000");

    const std::vector<std::string> lineas = {"UniFundamental=°C", "K=U-273.15_U+273.15", "°F=(U-32)*5/9_U*9/5+32",
                                             "x=1000_"};
    SeccionMagnitud s = FilasDeSeccion(lineas);
    EXPECT_EQ(s.Fundamental, "°C");
    s.Filas.insert(s.Filas.begin() + 1, FilaUnidad{});  // an empty row is skipped
    const auto g = SeccionDeFilas(s);
    EXPECT_EQ(g.error, "");
    EXPECT_EQ(g.lineas, lineas);

    struct Malo { FilaUnidad fila; const char* error; };
    const Malo malos[] = {
        {{"a=b", "1", ""}, "el nombre no puede contener \"=\" ni \" -> \""},
        {{"a -> b", "1", ""}, "el nombre no puede contener \"=\" ni \" -> \""},
        {{"[a", "1", ""}, "el nombre no puede empezar por \"[\" ni \";\""},
        {{";a", "1", ""}, "el nombre no puede empezar por \"[\" ni \";\""},
        {{"a", "1_2", ""}, "una conversión no puede contener \"_\""},
        {{"a", "", "_"}, "una conversión no puede contener \"_\""},
        {{"km", "1", ""}, "la unidad \"km\" ya está definida"},
        {{"  ", "1", ""}, "una unidad sin nombre tiene definición"},
        {{"unifundamental", "1", ""}, "\"UniFundamental\" es un nombre reservado"},
        {{"a\nb", "1", ""}, "no puede contener saltos de línea"},
        {{"a", std::string(300, '1'), ""}, "la línea supera los 255 caracteres"},
    };
    for (const Malo& m : malos) {
        SeccionMagnitud t{"m", {{"km", "1000", ""}, m.fila}};
        const auto r = SeccionDeFilas(t);
        EXPECT_EQ(r.error, std::string("Fila 2: ") + m.error) << m.fila.Nombre;
        EXPECT_TRUE(r.lineas.empty());
    }
    // "KM" is another unit than "km".
    EXPECT_EQ(SeccionDeFilas({"m", {{"km", "1000", ""}, {"KM", "1", ""}}}).error, "");

    // Both sides blank is saved; the reload reports it.
    const auto vacia = SeccionDeFilas({"m", {{"km", "", ""}}});
    ASSERT_EQ(vacia.error, "");
    TModeloUnidades modelo;
    std::string texto = "[L]\r\n";
    for (const auto& l : vacia.lineas) texto += l + "\r\n";
    CargarTexto(modelo, texto);
    EXPECT_EQ(modelo.ErroresCarga(), "km (L): Error en la expresión de conversión: \"\"\r\n");
}

TEST(Conversor, NombresYCopia) {
    const std::vector<std::string> hay = {"Longitud", "Área"};
    EXPECT_EQ(RechazoNombreMagnitud("longitud", hay), "Ya existe una magnitud llamada longitud");
    EXPECT_EQ(RechazoNombreMagnitud("área", hay), "Ya existe una magnitud llamada área");
    EXPECT_EQ(RechazoNombreMagnitud("LONGITUD", hay, "Longitud"), "");
    EXPECT_EQ(RechazoNombreMagnitud("Área", hay, "Longitud"), "Ya existe una magnitud llamada Área");
    for (const char* malo : {"", "  ", "a[b", "a]", "a\nb"}) EXPECT_NE(RechazoNombreMagnitud(malo, hay), "") << malo;

    TVelIniFile ini({}, {});
    ini.CargarBytes("[Longitud]\r\nUniFundamental=m\r\n[Masa]\r\nUniFundamental=kg\r\n");
    TCopiaSecciones c(ini);
    c.Borrar("Longitud");
    c.Reemplazar("longitud", {"UniFundamental=m", "km=1000_"});
    c.Reemplazar("Área", {"UniFundamental=m²"});
    c.Borrar("Masa");
    EXPECT_EQ(c.Nombres(), (std::vector<std::string>{"Área", "longitud"}));
    EXPECT_EQ(ini.ReadSections().size(), 2u);  // untouched until applied
    c.Aplicar(ini);
    EXPECT_EQ(ini.Texto(), "[longitud]\r\nUniFundamental=m\r\nkm=1000_\r\n\r\n[Área]\r\nUniFundamental=m²\r\n\r\n");
}

}  // namespace
}  // namespace numbrix
