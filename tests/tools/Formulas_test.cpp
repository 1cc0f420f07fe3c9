// The formula library: what a section carries back unchanged, what is
// refused before it could be garbled, and the computation through units,
// limits and the solver.
#include "tools/Formulas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <random>
#include <regex>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/Streams.h"
#include "support/basicos.h"
#include "tools/Quim.h"
#include "units/ConvUnid.h"

namespace numbrix {
namespace {

TModeloUnidades& Unidades() {
    static TModeloUnidades m;
    static bool cargado = (m.CargarMagnitudes(prueba::DatosDeFabrica() / TModeloUnidades::NombreArchivo), true);
    (void)cargado;
    return m;
}

FilaFormula S(std::string simbolo, std::string descripcion = {}) { return {std::move(simbolo), std::move(descripcion), "", "", "", "", ""}; }

void Cerca(long double obtenido, long double esperado, const std::string& que, long double tol = 1e-12L) {
    EXPECT_LE(std::fabs(obtenido - esperado), tol * std::fmax(1.0L, std::fabs(esperado)))
        << que << ": " << std::setprecision(21) << obtenido << " en vez de " << esperado;
}

std::vector<FilaFormula> Ohm(std::string v, std::string uv, std::string i, std::string ui, std::string ur = "Ω") {
    return {{"V", "Tensión", v, uv, "Tensión=V", "", ""},
            {"I", "Corriente", i, ui, "Corriente=A", "", ""},
            {"R", "Resistencia", "", ur, "Resistencia=Ω", "", ""}};
}

TEST(Formulas, Calculo) {
    TCalculoFormula c(nullptr, Unidades());
    const FormatoNumero f;
    const struct {
        std::string ley;
        std::vector<FilaFormula> filas;
        int incognita;
        long double esperado;
    } casos[] = {
        {"V=I*R", Ohm("10", "V", "2", "A"), 2, 5},
        {"V=I*R", Ohm("10", "V", "2000", "mA"), 2, 5},
        {"V=I*R", Ohm("10", "kV", "2", "mA", "kΩ"), 2, 5000},
        // Symbols win over built-ins and prompt letters.
        {"Q=C*V", {{"Q", "", "", "", "", "", ""}, {"C", "", "2", "", "", "", ""}, {"V", "", "3", "", "", "", ""}}, 0, 6},
        {"y=e*h", {{"y", "", "", "", "", "", ""}, {"e", "", "2", "", "", "", ""}, {"h", "", "5", "", "", "", ""}}, 0, 10},
        // The law in radians whatever the input engine's unit.
        {"y=sin(t)", {{"y", "", "", "", "", "", ""}, {"t", "", "90", "grado", "Ángulo=rad", "", ""}}, 0, 1},
    };
    for (const auto& k : casos) {
        auto filas = k.filas;
        c.SetAnguloEntrada(Sexagesimales);
        const auto r = c.Calcular(k.ley, filas, k.incognita, f);
        ASSERT_EQ(r.estado, ResultadoCalculo::Hecho) << k.ley << ": " << r.Mensaje;
        Cerca(r.Valor, k.esperado, k.ley);
        EXPECT_EQ(filas[static_cast<std::size_t>(k.incognita)].Valor, r.Texto);
    }
}

TEST(Formulas, Rechazos) {
    TCalculoFormula c(nullptr, Unidades());
    const struct {
        std::string ley;
        std::vector<FilaFormula> filas;
        ResultadoCalculo::Estado estado;
        std::string mensaje;  // a part of it
    } casos[] = {
        {"V=I*R", {{"V", "", "-10", "", "", "", ""}, {"I", "", "2", "", "", "", ""}, {"R", "Res", "", "", "", "0", ""}},
         ResultadoCalculo::Rechazado, "\"R\" (Res)\nno puede ser menor a: 0 "},
        {"V=I*R", {{"V", "", "10", "", "", "", ""}, {"I", "", "2", "", "", "", ""}, {"R", "", "", "", "", "", "V/I-1"}},
         ResultadoCalculo::Rechazado, "no puede ser mayor a: V/I-1"},
        {"V=I*R", {{"V", "", "10", "", "", "", ""}, {"I", "", "2", "", "", "", ""}, {"R", "", "", "", "", "0+*", ""}},
         ResultadoCalculo::Rechazado, "no es válido"},
        {"V=I*R", {{"V", "Tensión", "1+*", "", "", "", ""}, {"I", "", "2", "", "", "", ""}, {"R", "", "", "", "", "", ""}},
         ResultadoCalculo::Rechazado, "La expresión para \"V\" (Tensión)\nno es válida"},
        {"x=a*a", {{"a", "", "", "", "", "", ""}, {"x", "", "4", "", "", "", ""}}, ResultadoCalculo::Fallo,
         "Expresión demasiado compleja para despejar"},
    };
    for (const auto& k : casos) {
        auto filas = k.filas;
        const auto r = c.Calcular(k.ley, filas, k.filas[0].Valor.empty() ? 0 : 2, FormatoNumero{});
        EXPECT_EQ(r.estado, k.estado) << k.mensaje;
        EXPECT_NE(r.Mensaje.find(k.mensaje), std::string::npos) << r.Mensaje;
        EXPECT_EQ(r.Titulo, r.estado == ResultadoCalculo::Rechazado ? "Error" : "");
    }
}

TEST(Formulas, UnValorCambiadoSeRecalcula) {
    TCalculoFormula c(nullptr, Unidades());
    auto filas = Ohm("10", "V", "2", "A");
    ASSERT_EQ(c.Calcular("V=I*R", filas, 2, {}).estado, ResultadoCalculo::Hecho);
    filas[0].Valor = "30";
    const auto r = c.Calcular("V=I*R", filas, 2, {});
    Cerca(r.Valor, 15, "V=30");
    // An empty value cell stops silently, «Error» in the unknown's cell.
    filas[1].Valor.clear();
    EXPECT_EQ(c.Calcular("V=I*R", filas, 2, {}).estado, ResultadoCalculo::Incompleto);
    EXPECT_EQ(filas[2].Valor, "Error");
    EXPECT_TRUE(c.CompilarDibujo("V=I*R", filas));
    EXPECT_FALSE(c.CompilarDibujo("x=1/0+a", {S("x"), S("a")}));
}

TEST(Formulas, SeccionIdaYVuelta) {
    RegistroFormula r;
    r.Ley = "F=m*a";
    r.Descripcion = {"[x]", "", "<def>", " sangría", "fin"};
    r.Imagen = "#ley.svg";
    r.Filas = {{"F", "Fuerza", "", "N", "Fuerza=N", "", ""}, {"m", "Masa", "2", "kg", "Masa=kg", "0", ""},
               {"a", "Aceleración", "", "", "", "", ""}};
    r.Marcada = 1;
    const auto lineas = EscribirRegistro(r);
    const RegistroFormula l = LeerRegistro(lineas);
    EXPECT_EQ(l.Ley, r.Ley);
    EXPECT_EQ(l.Descripcion, r.Descripcion);
    EXPECT_EQ(l.Imagen, r.Imagen);
    EXPECT_EQ(l.Marcada, 1);
    ASSERT_EQ(l.Filas.size(), 3u);
    EXPECT_EQ(l.Filas[1].Minimo, "0");
    // Short rows fill the missing columns with empty text.
    const auto corta = LeerRegistro({"y=x", "<def>", "y_Salida", "x"});
    ASSERT_EQ(corta.Filas.size(), 2u);
    EXPECT_EQ(corta.Filas[0].Descripcion, "Salida");
    EXPECT_EQ(corta.Incognita(), 0);
    EXPECT_EQ(LeerRegistro(LineasNuevaFormula()).Ley, "{Indique aquí la ecuación de la fórmula}");
}

TEST(Formulas, NombresYCeldasRechazados) {
    for (std::string g : {"a/b", "a\\b", "x..y", ".oculto", "   ", ""})
        EXPECT_THROW(ComprobarNombreGrupo(g), EFormula) << g;
    EXPECT_NO_THROW(ComprobarNombreGrupo("Mecánica 2"));
    for (std::string n : {"a[1]", "b]", "c\td", " "}) EXPECT_THROW(ComprobarNombreFormula(n), EFormula) << n;
    auto con = [](std::vector<FilaFormula> filas, std::vector<std::string> desc = {}) {
        RegistroFormula r{"y=x", std::move(desc), {}, std::move(filas), -1};
        return r;
    };
    const RegistroFormula malos[] = {
        con({S("h0")}), con({S("b1")}), con({S("1a")}), con({S("a b")}), con({S("x"), S("X")}), con({S("_")}),
        con({S("x", "a_b")}), con({{"x", "", "", "", "", "", "1_"}}), con({S("x")}, {"ver <img>#a"}),
    };
    for (const auto& r : malos) EXPECT_THROW(EscribirRegistro(r), EFormula) << r.Filas[0].Simbolo;
    EXPECT_NO_THROW(EscribirRegistro(con({S("rho"), S("theta2"), S("C")})));
}

class FormulasArchivos : public CarpetaTemporal {};

TEST_F(FormulasArchivos, GruposYSecciones) {
    {
        TVelIniFile g(dir_ / "Electricidad.fcm", std::string(kClaveFormulas));
        g.ReplaceSection("Vacia", {});
        g.ReplaceSection("Ley de Ohm", {"V=I*R", "<def>", "V_Tensión_10_V_Tensión=V_0__"});
        g.UpdateFile();
    }
    ASSERT_EQ(ListarGrupos(dir_), std::vector<std::string>{"Electricidad"});
    EXPECT_EQ(ArchivoGrupo(dir_, "ELECTRICIDAD"), dir_ / "Electricidad.fcm");
    auto g = AbrirGrupo(ArchivoGrupo(dir_, "electricidad"));
    EXPECT_THROW(LeerFormula(*g, "Vacia"), EFormula);
    EXPECT_TRUE(NombreOcupado(*g, "ley de ohm"));
    EXPECT_FALSE(NombreOcupado(*g, "LEY DE OHM", "Ley de Ohm"));
    Poner(dir_ / "dibujo.png", "x");
    EXPECT_EQ(ArchivoImagen(dir_, "dibujo.png"), std::filesystem::weakly_canonical(dir_ / "dibujo.png"));
    for (std::string fuera : {"../x.png", "/etc/passwd", "#item", ""}) EXPECT_FALSE(ArchivoImagen(dir_, fuera)) << fuera;
    EXPECT_EQ(ReferenciaImagen(dir_, dir_ / "dibujo.png"), "dibujo.png");
    EXPECT_EQ(ReferenciaImagen(dir_, dir_ / "sub" / ".." / "dibujo.png"), "dibujo.png");
    EXPECT_FALSE(ReferenciaImagen(dir_, dir_.parent_path() / "x.png"));
}

namespace fs = std::filesystem;
std::string Leer(const fs::path& ruta) {
    std::string bytes, error;
    EXPECT_TRUE(LeerArchivoEntero(ruta, bytes, &error)) << ruta << ": " << error;
    return bytes;
}

// Each keyed data/*.fcm is exactly its plain source in datasrc/formulas, and
// form.img is the packer's archive of datasrc/form.
TEST(Formulas, DatosSonSusFuentes) {
    const fs::path datos = prueba::DatosDeFabrica(), fuentes = datos / ".." / "datasrc";
    std::size_t grupos = 0;
    for (const auto& e : fs::directory_iterator(fuentes / "formulas")) {
        ++grupos;
        std::string mezclado = Leer(datos / e.path().stem().concat(kExtensionGrupo));
        TVelIniFile::Mezclar(mezclado, kClaveFormulas);
        EXPECT_TRUE(mezclado == Leer(e.path())) << "rehágalo: numbrix-pack scramble --key formulas " << e.path();
    }
    EXPECT_GE(grupos, 7u);
    EXPECT_EQ(ListarGrupos(datos).size(), grupos);
    std::vector<ItemArchivo> items;
    for (const auto& e : fs::directory_iterator(fuentes / "form"))
        items.push_back({e.path().filename().string(), Leer(e.path())});
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.Nombre < b.Nombre; });
    EXPECT_GE(items.size(), 15u);
    EXPECT_TRUE(EscribirArchivoImagenes(items) == Leer(datos / "form.img"))
        << "rehágalo: numbrix-pack img datasrc/form data/form.img";
}

// Every shipped formula: valid symbols each in its law, units the unit file
// knows, its picture in the archive, and each symbol that occurs once in its
// law recovered from consistent values through the real calculation. Empty
// values are drawn inside their limits, molar masses read as chemical
// formulas, so no formula is left out.
TEST(Formulas, DatosDeFabrica) {
    const auto carpeta = prueba::DatosDeFabrica();
    ASSERT_TRUE(TablaQuimica().Cargar(carpeta / "quim.ini").empty());
    TStreams imagenes;
    imagenes.Cargar(carpeta / "form.img");
    TCalculoFormula c(nullptr, Unidades());
    std::mt19937 azar(7);
    const std::regex nombre("[A-Za-z][A-Za-z0-9]*");
    std::size_t formulas = 0;
    for (const auto& grupo : ListarGrupos(carpeta)) {
        TVelIniFile g(ArchivoGrupo(carpeta, grupo), std::string(kClaveFormulas));
        for (const auto& seccion : g.ReadSections()) {
            ++formulas;
            const std::string que = grupo + "/" + seccion;
            const RegistroFormula r = LeerFormula(g, seccion);
            EXPECT_NO_THROW(ComprobarSimbolos(r.Filas)) << que;
            std::string bytes;
            EXPECT_TRUE(r.Imagen.empty() || imagenes.ObtenerItem(r.Imagen.substr(1), bytes)) << que << r.Imagen;
            const int inc = r.Incognita();
            ASSERT_TRUE(inc >= 0 && r.Marcada == inc) << que;
            for (const auto& f : r.Filas) {
                int veces = 0;
                for (std::sregex_iterator i(r.Ley.begin(), r.Ley.end(), nombre), e; i != e; ++i)
                    veces += IgualSinCaso(i->str(), f.Simbolo);
                EXPECT_GE(veces, 1) << que << ": " << f.Simbolo << " no está en la ley";
                if (f.MagnitudUnidad.empty()) continue;
                const int m = Unidades().BuscarMagnitud(f.Magnitud());
                EXPECT_TRUE(m >= 0 && Unidades().BuscarUnidad(m, f.UnidadNativa()) >= 0) << que << ": " << f.MagnitudUnidad;
            }
            // Consistent values: solve the marked unknown from the defaults
            // and values drawn inside the limits, then each other symbol back.
            auto filas = r.Filas;
            auto limite = [&](const std::string& t, long double si_vacio) {
                return Recortar(t).empty() ? si_vacio : c.Entrada().EvaluarTexto(t);
            };
            ResultadoCalculo base;
            for (int intento = 0; intento < 20 && base.estado != ResultadoCalculo::Hecho; ++intento) {
                for (std::size_t k = 0; k < filas.size(); ++k) {
                    filas[k].Unidad = filas[k].UnidadNativa();
                    if (!Recortar(r.Filas[k].Valor).empty()) continue;
                    const long double bajo = limite(filas[k].Minimo, 0), alto = limite(filas[k].Maximo, bajo + 5);
                    const long double v = bajo + (alto - bajo) * std::uniform_real_distribution<long double>(0.1L, 0.9L)(azar);
                    filas[k].Valor = RealATextoExacto(v);
                }
                base = c.Calcular(r.Ley, filas, inc, FormatoNumero{});
            }
            ASSERT_EQ(base.estado, ResultadoCalculo::Hecho) << que << ": " << base.Mensaje;
            const auto valores = c.Valores();
            for (std::size_t k = 0; k < filas.size(); ++k) {
                if (static_cast<int>(k) == inc) continue;
                auto otra = filas;
                for (std::size_t j = 0; j < otra.size(); ++j) otra[j].Valor = RealATextoExacto(valores[j]);
                otra[k].Valor.clear();
                const auto res = c.Calcular(r.Ley, otra, static_cast<int>(k), FormatoNumero{});
                if (res.estado == ResultadoCalculo::Fallo && res.Mensaje.find("despejar") != std::string::npos)
                    continue;  // it occurs more than once
                ASSERT_EQ(res.estado, ResultadoCalculo::Hecho) << que << " para " << filas[k].Simbolo << ": " << res.Mensaje;
                // Another root is as good: check the law holds with it.
                auto prueba = otra;
                prueba[k].Valor = RealATextoExacto(c.Valores()[k]);
                prueba[static_cast<std::size_t>(inc)].Valor.clear();
                const auto vuelta = c.Calcular(r.Ley, prueba, inc, FormatoNumero{});
                ASSERT_EQ(vuelta.estado, ResultadoCalculo::Hecho) << que;
                Cerca(c.Valores()[static_cast<std::size_t>(inc)], valores[static_cast<std::size_t>(inc)],
                      que + " con " + filas[k].Simbolo, 1e-9L);
            }
        }
    }
    EXPECT_GE(formulas, 58u);
}

}  // namespace
}  // namespace numbrix
