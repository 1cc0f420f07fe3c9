#include "shell/Historial.h"

#include <ostream>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
using Lista = std::vector<std::string>;

struct CasoAgregar {
    const char* nombre;
    int maxLista;
    Lista agregadas;
    Lista esperado;
};
void PrintTo(const CasoAgregar& c, std::ostream* os) { *os << c.nombre; }


class AgregarTest : public ::testing::TestWithParam<CasoAgregar> {};

TEST_P(AgregarTest, Entradas) {
    THistorial h(GetParam().maxLista);
    for (const auto& e : GetParam().agregadas) h.Agregar(e);
    EXPECT_EQ(h.Entradas(), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Historial, AgregarTest,
    ::testing::Values(CasoAgregar{"NuevasArriba", 50, {"a", "b", "c"}, {"c", "b", "a"}},
                      CasoAgregar{"LaMismaDosVecesQuedaUna", 50, {"1+1", "1+1"}, {"1+1"}},
                      // An older entry swaps places with the first; the others stay put.
                      CasoAgregar{"AntiguaSeIntercambiaConLaPrimera", 50, {"a", "b", "c", "d", "b"}, {"b", "c", "d", "a"}},
                      CasoAgregar{"SegundaSubeAlPrincipio", 50, {"a", "b", "a"}, {"a", "b"}},
                      CasoAgregar{"SeCortaPorElFinal", 2, {"a", "b", "c"}, {"c", "b"}},
                      CasoAgregar{"VaciaNoEntra", 50, {"a", "", "b"}, {"b", "a"}},
                      CasoAgregar{"MayusculasCuentan", 50, {"Sen(1)", "sen(1)"}, {"sen(1)", "Sen(1)"}},
                      CasoAgregar{"LimiteMinimoUno", 0, {"a", "b"}, {"b"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(Historial, SetMaxListaRecorta) {
    THistorial h;
    for (const char* e : {"a", "b", "c", "d"}) h.Agregar(e);
    h.SetMaxLista(2);
    EXPECT_EQ(h.Entradas(), (Lista{"d", "c"}));
    h.SetMaxLista(-5);
    EXPECT_EQ(h.MaxLista(), 1);
    EXPECT_EQ(h.Entradas(), Lista{"d"});
}

class HistorialArchivoTest : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        lst_ = dir_ / THistorial::NombreArchivo;
    }
    fs::path lst_;
};

TEST_F(HistorialArchivoTest, SinArchivoEstaVacio) {
    THistorial h;
    h.Agregar("x");
    EXPECT_TRUE(h.Cargar(lst_).empty());
    EXPECT_EQ(h.Cantidad(), 0u);
}

TEST_F(HistorialArchivoTest, LecturasDeArchivo) {
    const struct {
        const char* nombre;
        std::string bytes;
        int maxLista;
        Lista esperado;
    } casos[] = {
        {"LF", "a\nb\nc\n", 50, {"a", "b", "c"}},
        {"CRLF", "a\r\nb\r\nc", 50, {"a", "b", "c"}},
        {"CR", "a\rb\r", 50, {"a", "b"}},
        {"LineasVaciasYRepetidas", "a\n\nb\r\n\r\na\nc\n", 50, {"a", "b", "c"}},
        {"BOM", "\xEF\xBB\xBFsen(\xCF\x80)\n", 50, {"sen(π)"}},
        {"MasQueMaxLista", "1\n2\n3\n4\n", 3, {"1", "2", "3"}},
    };
    for (const auto& c : casos) {
        Poner(lst_, c.bytes);
        THistorial h(c.maxLista);
        EXPECT_TRUE(h.Cargar(lst_).empty()) << c.nombre;
        EXPECT_EQ(h.Entradas(), c.esperado) << c.nombre;
    }
}

TEST_F(HistorialArchivoTest, LineasDanadasSeInformanYSeGuardaCopia) {
    const struct {
        const char* nombre;
        std::string bytes;
        Lista esperado;
        std::size_t problemas;  // report lines besides the one about the copy
    } casos[] = {
        // Decided per line: the valid UTF-8 "ñ" stays as it is.
        {"Latin1", "ra\xEDz(2)\n\xC3\xB1+1\n", {"raíz(2)", "ñ+1"}, 1},
        {"Nulos", std::string("1+1\n2\0+2\n3+3\n", 13), {"1+1", "3+3"}, 1},
        {"Basura", "1+1\n\x01\x02\xFF\xFE\x7F\x1B[0m\n\x7F\n3+3\n", {"1+1", "3+3"}, 2},
        {"Linea de 3 MB", "1+1\n" + std::string(3 << 20, '1') + "\n3+3\n", {"1+1", "3+3"}, 1},
    };
    for (const auto& c : casos) {
        Poner(lst_, c.bytes);
        std::filesystem::remove(dir_ / "expr.lst.bak");
        THistorial h;
        const auto informe = h.Cargar(lst_);
        EXPECT_EQ(h.Entradas(), c.esperado) << c.nombre;
        ASSERT_EQ(informe.size(), c.problemas + 1) << c.nombre;
        EXPECT_EQ(informe[0].rfind("expr.lst, línea ", 0), 0u) << informe[0];
        EXPECT_NE(informe.back().find("expr.lst.bak"), std::string::npos) << c.nombre;
        h.Guardar(lst_);
        EXPECT_EQ(Leer(dir_ / "expr.lst.bak"), c.bytes) << c.nombre;
        EXPECT_TRUE(h.Cargar(lst_).empty()) << c.nombre;
    }
    // A sound file is rewritten without a copy.
    std::filesystem::remove(dir_ / "expr.lst.bak");
    THistorial h;
    EXPECT_TRUE(h.Cargar(lst_).empty());
    h.Guardar(lst_);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "expr.lst.bak"));
}

TEST_F(HistorialArchivoTest, ArchivoIlegibleSeInformaYQuedaVacio) {
    fs::create_directories(lst_);  // a folder where the file should be
    THistorial h;
    h.Agregar("x");
    const auto informe = h.Cargar(lst_);
    ASSERT_EQ(informe.size(), 1u);
    EXPECT_NE(informe[0].find("expr.lst"), std::string::npos);
    EXPECT_EQ(h.Cantidad(), 0u);
}

TEST_F(HistorialArchivoTest, GuardarYCargar) {
    THistorial h;
    for (const char* e : {"1+1", "sen(30)·2", "  x  ", "a_b"}) h.Agregar(e);
    h.Guardar(lst_);
    EXPECT_EQ(Leer(lst_), "a_b\n  x  \nsen(30)·2\n1+1\n");
    THistorial r;
    EXPECT_TRUE(r.Cargar(lst_).empty());
    EXPECT_EQ(r.Entradas(), h.Entradas());

    // An empty history is written too, so a cleared list stays cleared.
    THistorial().Guardar(lst_);
    EXPECT_EQ(Leer(lst_), "");
}

TEST_F(HistorialArchivoTest, GuardarNuncaRompeLasLineas) {
    THistorial h;
    h.Agregar("1+\n2");
    h.Agregar("3\r+4");
    h.Agregar("ra\xEDz");  // a stray Latin-1 byte
    h.Agregar("ñ");
    h.Guardar(lst_);
    EXPECT_EQ(Leer(lst_), "ñ\nraíz\n3 +4\n1+ 2\n");
}

TEST_F(HistorialArchivoTest, FalloAlGuardarSeInforma) {
    THistorial h;
    h.Agregar("nuevo");
    EXPECT_THROW(h.Guardar(dir_ / "no-existe" / "expr.lst"), EEscritura);
}

}  // namespace
}  // namespace numbrix
