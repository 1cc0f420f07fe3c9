// The session and its data folder: what one run leaves, the next one finds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/CarpetaDatos.h"

namespace numbrix {
namespace {

class SesionDatos : public CarpetaTemporal {
protected:
    static bool MismosBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }
};

TEST_F(SesionDatos, IdaYVueltaDeTodo) {
    PrepararCarpetaDatos(dir_, prueba::DatosDeFabrica());
    std::vector<std::string> filas;
    {
        TSesion s;
        EXPECT_TRUE(s.Abrir(dir_).empty());
        s.Preguntar = [](char, const std::string&, const std::string&) {
            return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
        };
        for (const char* t : {"1/3", "a+a", "Vluz/Vluz", "2>1"}) s.Calcular(t);  // Vluz: a shipped definition
        s.Memorias.SetValor(0, 1.0L / 3);
        s.Memorias.SetValor(9, -1e4000L);
        s.Memorias.SetValor(5, std::nextafter(1.0L, 2.0L));
        s.Memorias.SetValor(7, -0.0L);
        s.CambiarBase(BaseHexadecimal, "2>1");
        s.CambiarDigitos(*DigitosDe(4));
        s.CambiarSeparador(true);
        s.SetAngulo(Centesimales);
        s.Ajustes.AgregarReciente("metro -> pie (Longitud)");
        for (const auto& f : s.Lista.Filas()) filas.push_back(f.Texto + "_" + std::to_string(f.Etiqueta));
        s.Guardar();
    }
    // Another instance of the settings file in this process would share the
    // first one's memory: read the file afresh, as a new run would.
    TSesion t;
    auto informe = t.Abrir(dir_);
    EXPECT_TRUE(informe.empty()) << informe.front();
    // Every bit of the extended values, the sign of a zero too.
    for (const auto& [i, v] : {std::pair{0, 1.0L / 3}, {9, -1e4000L}, {5, std::nextafter(1.0L, 2.0L)}, {7, -0.0L}})
        EXPECT_TRUE(MismosBits(t.Memorias.Valor(i), v)) << i;
    std::vector<std::string> leidas;
    for (const auto& f : t.Lista.Filas()) leidas.push_back(f.Texto + "_" + std::to_string(f.Etiqueta));
    EXPECT_EQ(leidas, filas);
    std::vector<std::string> historial{"2>1", "Vluz/Vluz", "a+a", "1/3"};
    EXPECT_EQ(t.Historial.Entradas(), historial);
    EXPECT_TRUE(t.Formato.BaseDefecto == BaseHexadecimal && t.Digitos() == 4 && t.Formato.Agrupar);
    EXPECT_EQ(t.Angulo(), Centesimales);
    ASSERT_EQ(t.Ajustes.Recientes.size(), 1u);
    EXPECT_EQ(t.Evaluar("M0*3").texto, "1.000 0 [16]");
    EXPECT_FALSE(t.NombresUsuario.empty());
}

TEST_F(SesionDatos, SoloLecturaNoEscribeNadaYRepararGuardaCopia) {
    // Each file has something its load drops; the report says so in both modes.
    const std::string ini = "[Opciones]\nFAngulo=1\nDigitos=3\n[opciones]\nFAngulo=2\n\n[Memoria]\nM1=4\nM2=abc\n"
                            "[Calculos]\n0=1+1_0\n";
    const std::string duf = "[Constantes]\nk=2_dos\n[CONSTANTES]\nj=3_tres\n";
    const std::string lst = std::string("1+1\n2\0\n", 7);
    for (ModoDatos modo : {ModoDatos::SoloLectura, ModoDatos::Reparar}) {
        for (const char* f : {"numbrix.ini.bak", "real.duf.bak", "expr.lst.bak"}) std::filesystem::remove(dir_ / f);
        Poner(dir_ / "numbrix.ini", ini);
        Poner(dir_ / "real.duf", duf);
        Poner(dir_ / "expr.lst", lst);
        {
            TSesion s;
            const auto informe = s.Abrir(dir_, modo);
            std::string todo;
            for (const auto& l : informe) todo += l + "\n";
            // The parts' own reports too: settings, memories, result list.
            for (const char* f : {"numbrix.ini, línea 4", "real.duf, línea 3", "expr.lst, línea 2", "«Digitos»",
                                  "Memoria M2", "Lista de resultados"})
                EXPECT_NE(todo.find(f), std::string::npos) << f << " en\n" << todo;
            EXPECT_EQ(s.Evaluar("M1*k").texto, "8");
        }
        if (modo == ModoDatos::SoloLectura) {
            EXPECT_EQ(Leer(dir_ / "numbrix.ini"), ini);
            EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
            EXPECT_EQ(Leer(dir_ / "expr.lst"), lst);
            EXPECT_FALSE(std::filesystem::exists(dir_ / "numbrix.ini.bak"));
            EXPECT_FALSE(std::filesystem::exists(dir_ / "real.duf.bak"));
        } else {
            // The desktop program repairs what it read, keeping the originals.
            EXPECT_EQ(Leer(dir_ / "numbrix.ini.bak"), ini);
            EXPECT_EQ(Leer(dir_ / "real.duf.bak"), duf);
            EXPECT_EQ(Leer(dir_ / "real.duf").find("j=3"), std::string::npos);
        }
    }
}

TEST_F(SesionDatos, DefinicionesDelUsuarioYSuRecarga) {
    Poner(dir_ / "real.duf", "[Constantes]\nk=2*Pi_dos pi\nmala=1/0_rota\n\n[Funciones]\nf=?A*?B_cuadrado\n\n");
    std::vector<std::string> avisos;
    TSesion s([&](NivelAviso, const std::string& m) { avisos.push_back(m); });
    auto informe = s.Abrir(dir_);
    ASSERT_EQ(s.NombresUsuario.size(), 2u);
    EXPECT_EQ(s.NombresUsuario[0].descripcion, "dos pi");
    EXPECT_EQ(s.NombresUsuario[1].insertar, "f(,)");
    EXPECT_EQ(avisos.size(), 1u);
    EXPECT_EQ(informe.size(), 1u);
    EXPECT_EQ(s.Evaluar("f(k,1)").texto, "6.2831853071795865");
    EXPECT_TRUE(s.Evaluar("mala").error);
    // Edited definitions take effect on re-registration; memories stay.
    s.Memorias.SetValor(1, 5);
    Poner(dir_ / "real.duf", "[Funciones]\ng=?A+1_siguiente\n\n");
    s.RegistrarVocabulario();
    EXPECT_EQ(s.Evaluar("g(M1)").texto, "6");
    EXPECT_TRUE(s.Evaluar("k").error);
}

}  // namespace
}  // namespace numbrix
