#include "support/EscrituraAtomica.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"

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

// Lowers the file-size limit for one scope.
class LimiteTamano {
public:
    explicit LimiteTamano(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit nuevo = antes_;
        nuevo.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteTamano() { ::setrlimit(RLIMIT_FSIZE, &antes_); }
private:
    rlimit antes_{};
};

TEST_F(EscrituraAtomicaTest, CreaYReemplaza) {
    const fs::path f = dir_ / "a.ini";
    EscribirArchivoAtomico(f, "uno");
    EXPECT_EQ(Leer(f), "uno");
    EscribirArchivoAtomico(f, std::string("dos\0tres", 8));
    EXPECT_EQ(Leer(f), std::string("dos\0tres", 8));
    EscribirArchivoAtomico(f, "");
    EXPECT_EQ(Leer(f), "");
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
    {
        LimiteTamano limite(8);
        try {
            EscribirArchivoAtomico(f, "un contenido bastante más largo que el límite");
            FAIL() << "debía fallar";
        } catch (const EEscritura& e) {
            EXPECT_NE(std::string(e.what()).find("«" + f.string() + "»"), std::string::npos) << e.what();
            EXPECT_EQ(e.Ruta(), f);
        }
    }
    EXPECT_EQ(Leer(f), "contenido anterior");
    EXPECT_EQ(Nombres(), std::vector<std::string>{"a.ini"});

    std::string error;
    EXPECT_FALSE(IntentarEscribirArchivoAtomico(dir_ / "no" / "hay" / "carpeta.ini", "x", &error));
    EXPECT_FALSE(error.empty());
    fs::create_directory(dir_ / "carpeta");
    EXPECT_THROW(EscribirArchivoAtomico(dir_ / "carpeta", "x"), EEscritura);
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
