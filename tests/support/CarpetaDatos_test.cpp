#include "support/CarpetaDatos.h"

#include <system_error>

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

class CarpetaDatosTest : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        fs::create_directories(dir_ / "bin");
    }
};

TEST_F(CarpetaDatosTest, OrdenDeResolucion) {
    const fs::path bin = dir_ / "bin";
    struct Caso {
        const char* nombre;
        fs::path data;
        bool marcaPortable;
        const char *xdg, *home;
        fs::path esperado;
        bool portable;
    };
    const Caso casos[] = {
        {"--data gana", dir_ / "mis" / ".." / "datos", true, "/xdg", "/casa", dir_ / "datos", false},
        {"portable", {}, true, "/xdg", "/casa", bin, true}, {"xdg", {}, false, "/xdg", "/casa", "/xdg/Numbrix", false},
        {"xdg vacío", {}, false, "", "/casa", "/casa/.local/share/Numbrix", false},
        {"xdg relativo", {}, false, "rel", "/casa", "/casa/.local/share/Numbrix", false},
        {"sin xdg", {}, false, nullptr, "/casa", "/casa/.local/share/Numbrix", false},
    };
    for (const auto& c : casos) {
        std::error_code ec;
        fs::remove(bin / "portable", ec);
        if (c.marcaPortable) Poner(bin / "portable", "");
        bool portable = !c.portable;
        EXPECT_EQ(ResolverCarpetaDatos(c.data, bin, c.xdg, c.home, &portable), c.esperado) << c.nombre;
        EXPECT_EQ(portable, c.portable) << c.nombre;
    }
    // A folder named "portable" is not the marker.
    fs::remove(bin / "portable");
    fs::create_directory(bin / "portable");
    EXPECT_EQ(ResolverCarpetaDatos({}, bin, "/xdg", "/casa"), fs::path("/xdg/Numbrix"));
    // Without $HOME the password database still gives a home.
    EXPECT_FALSE(ResolverCarpetaDatos({}, {}, nullptr, nullptr).empty());
}

TEST_F(CarpetaDatosTest, CopiaLosQueFaltanSinPisarLosDelUsuario) {
    const fs::path defecto = dir_ / "defecto", datos = dir_ / "nueva" / "Numbrix";
    Poner(defecto / "maguni.def", "unidades");
    Poner(defecto / "tips.ini", "consejos");
    Poner(defecto / "form" / "a.fcm", "fórmulas");
    Poner(datos / "tips.ini", "los míos");

    CarpetaDatos r = PrepararCarpetaDatos(datos, defecto);
    EXPECT_EQ(r.Ruta, datos);
    EXPECT_EQ(r.Copiados, (std::vector<fs::path>{"form/a.fcm", "maguni.def"}));
    EXPECT_TRUE(r.Problemas.empty());
    EXPECT_EQ(Leer(datos / "tips.ini"), "los míos");
    EXPECT_EQ(Leer(datos / "form" / "a.fcm"), "fórmulas");

    EXPECT_TRUE(PrepararCarpetaDatos(datos, defecto).Copiados.empty());
    // The defaults' own folder as data folder: nothing to do, nothing broken.
    EXPECT_TRUE(PrepararCarpetaDatos(defecto, defecto).Copiados.empty());
    // Without defaults the folder is still made.
    EXPECT_TRUE(PrepararCarpetaDatos(dir_ / "sola", {}).Copiados.empty());
    EXPECT_TRUE(fs::is_directory(dir_ / "sola"));
}

TEST_F(CarpetaDatosTest, CarpetaImposibleSeInforma) {
    Poner(dir_ / "archivo", "x");
    const fs::path imposible = dir_ / "archivo" / "sub";
    EXPECT_EQ(prueba::MensajeLanzado([&] { PrepararCarpetaDatos(imposible, {}); }),
              "No se pudo crear la carpeta de datos «" + imposible.string() + "» (" +
                  std::system_category().message(ENOTDIR) + ").");
}

TEST(CarpetaDatos, OpcionData) {
    struct Caso { std::vector<std::string> args, resto; std::optional<fs::path> data; };
    const Caso casos[] = {
        {{"2+2"}, {"2+2"}, std::nullopt}, {{"--data", "/d", "2+2"}, {"2+2"}, fs::path("/d")},
        {{"--data=/d"}, {}, fs::path("/d")}, {{"--data", "/a", "--data=/b"}, {}, fs::path("/b")},
    };
    for (auto c : casos) {
        EXPECT_EQ(ExtraerOpcionData(c.args), c.data);
        EXPECT_EQ(c.args, c.resto);
    }
    for (std::string opcion : {"--data", "--data="}) {
        std::vector<std::string> args{opcion};
        EXPECT_EQ(prueba::MensajeLanzado([&] { ExtraerOpcionData(args); }), "Falta la carpeta después de «" + opcion + "».");
    }
}

TEST(CarpetaDatos, EjecutableYDatosDeFabrica) {
    EXPECT_TRUE(fs::is_directory(CarpetaDelEjecutable()));
    // The source tree's data/ is found for a development build.
    EXPECT_FALSE(CarpetaDatosDefecto({}).empty());
}

}  // namespace
}  // namespace numbrix
