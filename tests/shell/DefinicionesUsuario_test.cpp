#include "shell/DefinicionesUsuario.h"

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {
namespace {

struct Motores {
    TExpresionX principal, auxiliar;
    std::vector<std::string> avisos;
    Motores() {
        principal.SetPredefinidas(true);
        auxiliar.SetPredefinidas(true);
        principal.Silencioso = auxiliar.Silencioso = true;
    }
    std::vector<NombreUsuario> Registrar(const DefinicionesUsuario& d) {
        return RegistrarDefiniciones(d, principal, auxiliar,
                                     [this](NivelAviso, const std::string& m) { avisos.push_back(m); });
    }
    long double Valor(TExpresionX& e, const std::string& t) {
        e.SetTexto(t);
        long double v = e.Valor();
        EXPECT_FALSE(e.HayError) << t << ": " << e.Mensaje;
        return v;
    }
};

TEST(DefinicionesUsuario, PartesDeUnaLineaYTextoParaInsertar) {
    // name=definición_descripción, split at the first "_".
    for (const auto& [linea, partes] : {std::pair{"k=2*Pi_dos pi", "k|2*Pi|dos pi"}, {"f=?A^2", "f|?A^2|"},
                                        {"g=1_a_b", "g|1|a_b"}, {" h =3_", "h|3|"}}) {
        const DefinicionUsuario d = LeerLineaDefinicion(linea);
        EXPECT_EQ(d.nombre + "|" + d.definicion + "|" + d.descripcion, partes) << linea;
    }
    EXPECT_EQ(TextoLineaDefinicion({"k", "2*Pi", "dos pi"}), "2*Pi_dos pi");
    EXPECT_EQ(TextoInsertarFuncion("f", 0) + TextoInsertarFuncion("f", 1) + TextoInsertarFuncion("f", 3), "ff()f(,,)");
}

TEST(DefinicionesUsuario, ConstantesYFuncionesEnAmbosMotores) {
    Motores m;
    DefinicionesUsuario d;
    d.constantes = {{"k", "2*Pi", "dos pi"}, {"k2", "k*2", "doble"}};
    d.funciones = {{"f", "?A*?B", "cuadrado"}, {"g", "f(?A,k)", ""}};
    auto nombres = m.Registrar(d);
    std::string menu;
    for (const auto& n : nombres) menu += n.descripcion + ":" + n.insertar + (n.funcion ? "() " : " ");
    EXPECT_EQ(menu, "dos pi:k doble:k2 cuadrado:f(,)() :g()() ");
    EXPECT_NEAR(static_cast<double>(m.Valor(m.principal, "k")), 6.283185307179586, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.Valor(m.auxiliar, "k2")), 12.566370614359172, 1e-12);
    EXPECT_EQ(m.Valor(m.principal, "f(3,4)"), 12);
    EXPECT_EQ(m.Valor(m.auxiliar, "f(3,4)"), 12);
    EXPECT_EQ(m.Valor(m.principal, "g(1)"), m.Valor(m.principal, "k"));
    EXPECT_TRUE(m.avisos.empty());
}

TEST(DefinicionesUsuario, LoQueNoSePuedeRegistrarSeAvisaYSeOmite) {
    Motores m;
    DefinicionesUsuario d;
    d.constantes = {{"malo", "1/0", ""}, {"Sen", "3", "choca"}, {"bien", "5", ""}};
    d.funciones = {{"h", "?B+1", "sin ?A"}, {"Cos", "?A", ""}};
    auto nombres = m.Registrar(d);
    ASSERT_EQ(nombres.size(), 1u);
    EXPECT_EQ(nombres[0].insertar, "bien");
    EXPECT_EQ(m.avisos.size(), 4u);
    // An unregistered constant is an unknown name, never 0.
    m.principal.SetTexto("malo+1");
    EXPECT_TRUE(m.principal.HayError);
    EXPECT_NE(m.principal.Mensaje.find("malo"), std::string::npos);
    // The built-in keeps its meaning.
    EXPECT_NEAR(static_cast<double>(m.Valor(m.principal, "Sen(0)")), 0, 1e-18);
}

class DefinicionesArchivo : public CarpetaTemporal {};

TEST_F(DefinicionesArchivo, LeeLasDosSeccionesEnOrden) {
    Poner(dir_ / "real.duf",
          "[Funciones]\r\nf=?A*?B_cuadrado\r\n\r\n[Constantes]\r\nk=2*Pi_dos pi\r\nz=1\r\n\r\n[Expresiones]\r\ne=1+1_x\r\n");
    TVelIniFile duf(dir_ / "real.duf");
    DefinicionesUsuario d = LeerDefiniciones(duf);
    ASSERT_EQ(d.constantes.size() * 10 + d.funciones.size(), 21u);  // "Expresiones" is not read
    EXPECT_EQ(d.constantes[0].nombre + d.constantes[1].nombre + d.constantes[1].descripcion, "kz");
    EXPECT_EQ(d.funciones[0].descripcion, "cuadrado");
}

TEST(DefinicionesUsuario, LosDatosDeFabricaSeRegistranSinAvisos) {
    TVelIniFile duf(prueba::DatosDeFabrica() / "real.duf");
    Motores m;
    auto nombres = m.Registrar(LeerDefiniciones(duf));
    EXPECT_FALSE(nombres.empty());
    EXPECT_TRUE(m.avisos.empty()) << m.avisos.front();
    for (const auto& n : nombres) EXPECT_LE(LongitudUtf8(n.descripcion), 30u) << n.descripcion;
}

}  // namespace
}  // namespace numbrix
