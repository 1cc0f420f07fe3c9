#include "support/Streams.h"

#include <cstring>

#include <lhasa.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "CodificadorLh5.h"
#include "support/Blowfish.h"

namespace numbrix {
namespace {

const std::vector<ItemArchivo> kDos = {{"Pendulo.BMP", std::string("BM\0\x01", 4)}, {"ley.wmf", "metarchivo"}};

// What liblhasa's own -lh5- decoder gives for the stream.
std::string Lhasa(std::string_view s, std::size_t tam) {
    struct Fuente { std::string_view s; std::size_t p = 0; } f{s};
    auto leer = [](void* buf, std::size_t n, void* u) -> std::size_t {
        auto* f = static_cast<Fuente*>(u);
        n = std::min(n, f->s.size() - f->p);
        std::memcpy(buf, f->s.data() + f->p, n);
        f->p += n;
        return n;
    };
    LHADecoder* d = lha_decoder_new(lha_decoder_for_name(const_cast<char*>("-lh5-")), leer, &f, tam);
    std::string out(tam, '\0');
    std::size_t hecho = 0;
    while (hecho < tam) {
        const auto n = lha_decoder_read(d, reinterpret_cast<std::uint8_t*>(out.data()) + hecho, tam - hecho);
        if (n == 0) break;
        hecho += n;
    }
    lha_decoder_free(d);
    out.resize(hecho);
    return out;
}

// Hand-built lh5 bits, most significant first.
struct Bits {
    std::string s;
    int n = 0;
    Bits& operator()(int k, std::uint32_t v) {
        for (int i = k - 1; i >= 0; --i, ++n) {
            if (n % 8 == 0) s += '\0';
            if ((v >> i) & 1) s.back() = static_cast<char>(s.back() | (0x80 >> (n % 8)));
        }
        return *this;
    }
};

const auto Error = [](auto&& f) { return prueba::MensajeLanzado<ECorruptFile>(f); };

class Archivo : public CarpetaTemporal {
protected:
    std::filesystem::path Con(const std::string& bytes) {
        Poner(dir_ / "form.img", bytes);
        return dir_ / "form.img";
    }
};

TEST_F(Archivo, LeeLoQueEscribe) {
    struct Caso { std::vector<ItemArchivo> items; std::string password; bool lh5, perezoso; };
    for (const Caso& c : {Caso{{}, "", false, false}, Caso{kDos, "", false, false}, Caso{kDos, "", false, true},
                          Caso{kDos, "", true, true}, Caso{kDos, "clave", false, true}, Caso{kDos, "clave", true, false},
                          Caso{kDos, std::string(100, 'k'), false, false}}) {
        SCOPED_TRACE(c.password + (c.lh5 ? " lh5" : "") + (c.perezoso ? " perezoso" : ""));
        TStreams s;
        s.Perezoso = c.perezoso;
        s.Password = c.password;
        // A password longer than the cipher takes acts as its first 72 bytes.
        const auto clave = c.password.size() > 72 ? c.password.substr(0, 72) : c.password;
        s.Cargar(Con(EscribirArchivoImagenes(c.items, clave, c.lh5 ? &ComprimirLh5 : nullptr)));
        EXPECT_EQ(s.Comprimido(), c.lh5);
        EXPECT_EQ(s.Cifrado(), !c.password.empty());
        ASSERT_EQ(s.Cantidad(), c.items.size());
        for (const auto& it : c.items) {
            std::string d;
            EXPECT_TRUE(s.ObtenerItem(it.Nombre, d));
            EXPECT_EQ(d, it.Datos);
        }
        std::string d = "sin tocar";
        EXPECT_FALSE(s.ObtenerItem("otro.bmp", d));
        EXPECT_EQ(d, "sin tocar");
        if (c.items.empty()) continue;
        EXPECT_TRUE(s.ObtenerBitmap("PENDULO.bmp", d));
        EXPECT_EQ(d, kDos[0].Datos);
        s.Prefijos = true;
        EXPECT_FALSE(s.ObtenerMetafile("ley.wmf", d));
    }
}

TEST_F(Archivo, PrefijosYClases) {
    TStreams s;
    s.Prefijos = true;
    s.Cargar(Con(EscribirArchivoImagenes({{"B:uno.png", "png"}, {"M:uno.svg", "svg"}})));
    std::string d;
    EXPECT_TRUE(s.ObtenerBitmap("Uno.png", d) && d == "png");
    EXPECT_TRUE(s.ObtenerMetafile("uno.SVG", d) && d == "svg");
    EXPECT_EQ(ClaseDeItem("LEY.WMF"), ClaseItem::Metafile);
    EXPECT_EQ(ClaseDeItem("a.Jpeg"), ClaseItem::Bitmap);
    EXPECT_EQ(ClaseDeItem("a.gif"), ClaseItem::Ninguna);
    EXPECT_EQ(ClaseDeItem("bmp"), ClaseItem::Ninguna);
}

TEST_F(Archivo, ArchivosHostiles) {
    const std::string firma("\x4D\x5A\xFE\x00\x21\x0B\x0F\x80", 8);
    auto cuerpo = [&](std::string resto) { return "--" + firma + resto; };
    const std::string bueno = EscribirArchivoImagenes(kDos);
    // A stored archive enciphered by hand with a pad count of 200.
    std::string relleno = firma + std::string(4, '\0') + std::string(3, '\0') + '\xC8';
    ASSERT_TRUE(Blowfish(relleno, "clave", true));
    const std::string lh5 = ComprimirLh5(firma + std::string(4, '\0'));
    struct Caso { const char* que; std::string bytes; bool perezoso; const char* mensaje; };
    const Caso casos[] = {
        {"firma", "--" + std::string("MZ\xFE\x00\x21\x0B\x0F\x81", 8) + std::string(4, '\0'), false, kArchivoIncorrecto},
        {"un byte", "-", false, kArchivoIncorrecto},
        {"cuenta enorme", cuerpo("\xFF\xFF\xFF\x7F"), false, kArchivoIncorrecto},
        {"cuenta enorme, perezoso", cuerpo("\xFF\xFF\xFF\x7F"), true, kArchivoIncorrecto},
        {"tamaño -1", cuerpo(std::string("\x01\0\0\0\x01\0a\xFF\xFF\xFF\xFF", 11) + "xx"), false, kArchivoIncorrecto},
        {"tamaño pasado el final", bueno.substr(0, bueno.size() - 1), false, kArchivoIncorrecto},
        {"tamaño pasado el final, perezoso", bueno.substr(0, bueno.size() - 1), true, kArchivoIncorrecto},
        {"nombre cortado", cuerpo(std::string("\x01\0\0\0\x40\0abcdef", 12)), false, kArchivoIncorrecto},
        {"relleno mayor que el contenido", "-*" + relleno, false, kArchivoIncorrecto},
        {"cifrado sin contraseña", EscribirArchivoImagenes(kDos, "clave"), false, kArchivoIncorrecto},
        {"4 GiB declarados", "&-\xFF\xFF\xFF\xFF" + lh5, false, kComprimidoDanado},
        {"flujo cortado", "&-" + std::string("\x0C\0\0\0", 4) + lh5.substr(0, 3), false, kComprimidoDanado},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        TStreams s;
        s.Perezoso = c.perezoso;
        s.Cargar(Con(bueno));
        int avisos = 0;
        s.AlArchivoMalo = [&] { ++avisos; };
        EXPECT_EQ(Error([&] { s.Cargar(Con(c.bytes)); }), c.mensaje);
        EXPECT_EQ(s.Cantidad(), 0u);
        EXPECT_EQ(avisos, 1);
    }
    TStreams s;
    EXPECT_THROW(s.Cargar(dir_ / "no-existe.img"), ENumbrix);
}

TEST_F(Archivo, BlowfishComoElCifradoPublicado) {
    // The published vector, key and block all zero, with the archive's
    // byte order: the block reversed.
    std::string bloque(8, '\0');
    ASSERT_TRUE(Blowfish(bloque, std::string(8, '\0'), true));
    EXPECT_EQ(bloque, std::string("\x78\xDD\x98\x61\x45\x97\xF9\x4E", 8));
    const std::string cifrado = EscribirArchivoImagenes(kDos, "buena");
    for (const char* debil : {"\x80\x81\x23\x16\xEB\xAC\xE8\xAD", "\xB8\xEC\x44\x26\x31\x32\xF7\x17",
                              "\xAB\xE4\xD4\x9D\xFD\x46\x1F\x23", "otra"}) {
        std::string d = "12345678";
        if (std::string_view(debil) != "otra") {
            EXPECT_FALSE(Blowfish(d, std::string(debil, 8)));
            EXPECT_EQ(d, "12345678");
        }
        TStreams s;
        s.AlPedirPassword = [&] { return std::string(debil, std::strlen(debil) == 4 ? 4 : 8); };
        EXPECT_EQ(Error([&] { s.Cargar(Con(cifrado)); }), kArchivoIncorrecto);
    }
}

TEST_F(Archivo, NumbrixPack) {
    const char* pack = std::getenv("NUMBRIX_PACK");
    if (!pack) GTEST_SKIP() << "sin NUMBRIX_PACK";
    Poner(dir_ / "src/a.png", std::string("\x89PNG\0", 5));
    Poner(dir_ / "src/B.svg", "<svg/>");
    auto img = [&](const std::string& args) {
        return std::system(("cd " + dir_.string() + " && " + pack + " img " + args + " 2>/dev/null").c_str());
    };
    ASSERT_EQ(img("src uno.img --password k"), 0);
    ASSERT_EQ(img("src dos.img --password k"), 0);
    EXPECT_EQ(Leer(dir_ / "uno.img"), Leer(dir_ / "dos.img"));
    ASSERT_EQ(img("--extract uno.img sal --password k"), 0);
    for (const char* n : {"a.png", "B.svg"}) EXPECT_EQ(Leer(dir_ / "sal" / n), Leer(dir_ / "src" / n)) << n;
    EXPECT_NE(img("--list uno.img --password otra"), 0);
}

TEST(Lh5, FixturesComoLhasa) {
    const auto dir = std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR).parent_path() / "tests/support/lh5";
    for (const char* n : {"funciones.html", "mezcla.bin", "ceros.bin"}) {
        SCOPED_TRACE(n);
        const std::string fuente = Leer(dir / n);
        const std::string flujo = Leer(dir / (std::string(n) + ".lh5"));
        ASSERT_FALSE(fuente.empty());
        EXPECT_EQ(ExpandirLh5(flujo, fuente.size()), fuente);
        EXPECT_EQ(Lhasa(flujo, fuente.size()), fuente);
    }
}

TEST(Lh5, TablasInvalidasYUnSimbolo) {
    // Header of a block of one code: count, then the length-code lengths.
    auto bloque = [](Bits b) { return b(16, 1); };
    struct Caso { const char* que; std::string flujo; };
    const Caso malos[] = {
        {"sobresuscrita", bloque({})(5, 3)(3, 1)(3, 1)(3, 1)(2, 0).s}, {"incompleta", bloque({})(5, 2)(3, 1)(3, 2).s},
        {"largo 17", bloque({})(5, 2)(3, 7)(11, 0x7FE)(3, 1).s},
        {"símbolo único fuera de rango", bloque({})(5, 0)(5, 25).s}, {"cero códigos", Bits{}(16, 0).s}, {"vacío", ""},
    };
    for (const auto& c : malos) {
        SCOPED_TRACE(c.que);
        EXPECT_EQ(Error([&] { ExpandirLh5(c.flujo, 10); }), kComprimidoDanado);
    }
    // Every code one match of 256 at distance 1, with no bits: a few bytes
    // expand to millions, the dictionary's spaces, exactly the size declared.
    Bits b;
    for (int i = 0; i < 40; ++i) b(16, 0xFFFF)(5, 0)(5, 0)(9, 0)(9, 509)(4, 0)(4, 0);
    const std::size_t tam = 10'000'001;
    const std::string salida = ExpandirLh5(b.s, tam);
    EXPECT_EQ(salida, std::string(tam, ' '));
    EXPECT_EQ(Lhasa(b.s, tam), salida);
    EXPECT_EQ(Error([&] { ExpandirLh5(b.s, tam, 1u << 20); }), kComprimidoDanado);
}

}  // namespace
}  // namespace numbrix
