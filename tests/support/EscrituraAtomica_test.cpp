#include "support/EscrituraAtomica.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "support/basicos.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

class EscrituraAtomicaTest : public CarpetaTemporal {
protected:
    // Only the files named, nothing temporary left behind.
    std::vector<std::string> Nombres() const {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(dir_)) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }
};

// The text of a failed write of `ruta`.
std::string Fallo(const fs::path& ruta, const std::string& que, int codigo) {
    return "No se pudo escribir el archivo «" + ruta.string() + "»: " + que +
           (codigo ? " (" + TextoErrorSistema(codigo) + ")" : "") + ". El archivo anterior no se ha modificado.";
}

TEST_F(EscrituraAtomicaTest, CreaYReemplaza) {
    const fs::path f = dir_ / "a.ini";
    for (const std::string& bytes : {std::string("uno"), std::string("dos\0tres", 8), std::string()}) {
        EscribirArchivoAtomico(f, bytes);
        EXPECT_EQ(Leer(f), bytes);
    }
    EXPECT_EQ(Nombres(), std::vector<std::string>{"a.ini"});
}

TEST_F(EscrituraAtomicaTest, ConservaPermisosYEscribeAtravesDeEnlaces) {
    const fs::path real = dir_ / "real.ini", enlace = dir_ / "enlace.ini";
    Poner(real, "viejo");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("real.ini", enlace);
    EscribirArchivoAtomico(enlace, "nuevo");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(Leer(real), "nuevo");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(EscrituraAtomicaTest, FalloDejaElArchivoAnterior) {
    const fs::path f = dir_ / "a.ini";
    Poner(f, "contenido anterior");
    rlimit antes{};
    ::getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = 8;
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const auto e = prueba::Lanzado<EEscritura>([&] { EscribirArchivoAtomico(f, "un contenido más largo que el límite"); });
    ::setrlimit(RLIMIT_FSIZE, &antes);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->what(), Fallo(f, "supera el tamaño máximo de archivo permitido", EFBIG));
    EXPECT_EQ(e->Ruta(), f);
    EXPECT_EQ(Leer(f), "contenido anterior");

    std::string error;
    const fs::path sinCarpeta = dir_ / "no" / "hay" / "carpeta.ini";
    EXPECT_FALSE(IntentarEscribirArchivoAtomico(sinCarpeta, "x", &error));
    EXPECT_EQ(error, Fallo(sinCarpeta, "no se pudo crear el archivo temporal", ENOENT));
    fs::create_directory(dir_ / "carpeta");
    EXPECT_FALSE(IntentarEscribirArchivoAtomico(dir_ / "carpeta", "x", &error));
    EXPECT_EQ(error, Fallo(dir_ / "carpeta", "es una carpeta", 0));
    EXPECT_TRUE(fs::is_directory(dir_ / "carpeta"));
    EXPECT_EQ(Nombres(), (std::vector<std::string>{"a.ini", "carpeta"}));
}

TEST_F(EscrituraAtomicaTest, CopiaDeSeguridad) {
    const fs::path f = dir_ / "a.ini";
    EXPECT_TRUE(CopiaDeSeguridad(f).empty());  // nothing to keep
    Poner(f, "primera");
    EXPECT_EQ(CopiaDeSeguridad(f), dir_ / "a.ini.bak");
    EscribirArchivoAtomico(f, "tercera");
    EXPECT_EQ(Leer(dir_ / "a.ini.bak"), "primera");
    CopiaDeSeguridad(f);
    EXPECT_EQ(Leer(dir_ / "a.ini.bak"), "tercera");
    EXPECT_EQ(Nombres(), (std::vector<std::string>{"a.ini", "a.ini.bak"}));
}

}  // namespace
}  // namespace numbrix
