// The shipped unit file: the keyed data/maguni.def is exactly its plain
// source datasrc/maguni.txt, and that source is sound on its own, checked
// with the real engine without the unit model: every section opens with its
// fundamental unit, names are ones the menus and the recent list can carry,
// every definition compiles, round-trips and holds no angle-dependent call.
#include <cctype>
#include <cmath>
#include <functional>
#include <iomanip>
#include <map>
#include <numbers>
#include <set>
#include <sstream>

#include "Ayudas.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

fs::path Fuente() { return prueba::DatosDeFabrica() / ".." / "datasrc" / "maguni.txt"; }

std::string Leer(const fs::path& ruta) {
    std::string bytes, error;
    EXPECT_TRUE(LeerArchivoEntero(ruta, bytes, &error)) << ruta << ": " << error;
    return bytes;
}

std::string Texto21(long double v) {
    std::ostringstream s;
    s << std::setprecision(21) << v;
    return s.str();
}

TEST(UnidadesDeFabrica, ElArchivoConClaveEsLaFuenteMezclada) {
    std::string mezclado = Leer(prueba::DatosDeFabrica() / "maguni.def");
    const std::string fuente = Leer(Fuente());
    ASSERT_FALSE(fuente.empty());
    EXPECT_NE(mezclado.substr(0, 1), "[") << "maguni.def se distribuye con clave";
    TVelIniFile::Mezclar(mezclado, kClaveDatos);
    EXPECT_TRUE(mezclado == fuente)
        << "rehágalo: numbrix-pack scramble --key datos datasrc/maguni.txt data/maguni.def";

    OpcionesIni soloLeer;
    soloLeer.GuardarAlCerrar = false;
    TVelIniFile ini(prueba::DatosDeFabrica() / "maguni.def", std::string(kClaveDatos), soloLeer);
    EXPECT_FALSE(ini.Informe().HayProblemas()) << ini.Informe().Texto(ini.FileName());
    EXPECT_GE(ini.ReadSections().size(), 26u);
}

// Only numbers, operators, U, π, G and calls: a definition must not depend
// on anything the user can redefine elsewhere.
std::string LexicoAjeno(std::string_view t) {
    static const std::set<std::string> nombres = {"U", "PI", "\xC2\xB6", "G"};
    auto letra = [](unsigned char c) { return std::isalpha(c) || c >= 0x80; };
    auto alfanumerico = [&](char c) {
        return letra(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
    };
    for (std::size_t i = 0; i < t.size();) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (std::isdigit(c) || c == '.') {
            while (i < t.size() && (std::isdigit(static_cast<unsigned char>(t[i])) || t[i] == '.')) ++i;
            if (i < t.size() && t[i] == 'e') {
                ++i;
                if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
                while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
            }
        } else if (letra(c)) {
            std::size_t j = i;
            while (j < t.size() && alfanumerico(t[j])) ++j;
            const std::string nombre(t.substr(i, j - i));
            std::size_t k = j;
            while (k < t.size() && t[k] == ' ') ++k;
            if (!nombres.count(nombre) && (k == t.size() || t[k] != '(')) return nombre;
            i = j;
        } else if (std::string_view("+-*/^(), ").find(static_cast<char>(c)) != std::string_view::npos) {
            ++i;
        } else {
            return std::string(1, static_cast<char>(c));
        }
    }
    return {};
}

// The to- and from-fundamental functions of one definition, by the unit
// file's rules (a bare factor multiplies U; an empty side divides by the
// other side's factor), evaluated in an engine set up as the unit model's.
struct Banco {
    prueba::MotorX m{Radianes, {"U"}};
    Banco() {
        m.e.AgregarConstante("PI/\xC2\xB6", "π", std::numbers::pi_v<long double>);
        m.e.AgregarConstante("G", "gravedad estándar", 9.80665L);
    }
    long double Valor(const std::string& lado, long double u) {
        m.x->AsignarValor(u);
        return m.Eval(lado);
    }
    // Empty when it compiles; else why not.
    std::string Revisar(const std::string& lado, bool& conU) {
        if (const std::string ajeno = LexicoAjeno(lado); !ajeno.empty()) return "«" + ajeno + "» no permitido";
        m.e.SetTexto(lado);
        if (m.e.HayError) return m.e.Mensaje;
        conU = m.e.ContieneVariable(m.x.get());
        // Trigonometry would make the unit follow the angle setting.
        const long double rad = Valor(lado, 0.75L);
        m.e.SetAngulo(Sexagesimales);
        const long double gra = Valor(lado, 0.75L);
        m.e.SetAngulo(Radianes);
        return rad == gra ? std::string() : "depende de la unidad de ángulo";
    }
    struct Unidad {
        std::function<long double(long double)> a, de;
    };
    std::optional<Unidad> Crear(const std::string& def, std::string& error) {
        const std::size_t g = def.find('_');
        const std::string uno(Recortar(def.substr(0, g)));
        const std::string dos(g == std::string::npos ? std::string_view() : Recortar(def.substr(g + 1)));
        bool u1 = false, u2 = false;
        for (auto [lado, conU] : {std::pair{&uno, &u1}, {&dos, &u2}})
            if (!lado->empty()) {
                if (error = Revisar(*lado, *conU); !error.empty()) return std::nullopt;
            }
        if (uno.empty() && dos.empty()) return error = "sin lados", std::nullopt;
        if ((uno.empty() && u2) || (dos.empty() && u1)) return error = "fórmula sin su inversa", std::nullopt;
        auto lado = [this](const std::string& t, bool conU) -> std::function<long double(long double)> {
            if (conU) return [this, t](long double x) { return Valor(t, x); };
            return [this, t](long double x) { return Valor(t, x) * x; };
        };
        auto dividir = [this](const std::string& t) { return [this, t](long double x) { return x / Valor(t, x); }; };
        Unidad r;
        r.a = uno.empty() ? dividir(dos) : lado(uno, u1);
        r.de = dos.empty() ? dividir(uno) : lado(dos, u2);
        return r;
    }
};

TEST(UnidadesDeFabrica, LaFuenteEsValidaYConvierteBien) {
    OpcionesIni soloLeer;
    soloLeer.GuardarAlCerrar = false;
    TVelIniFile ini(Fuente(), {}, soloLeer);
    ASSERT_FALSE(ini.Informe().HayProblemas()) << ini.Informe().Texto(ini.FileName());
    for (const std::string& l : Separar(Leer(Fuente()), U'\n'))
        EXPECT_LE(l.size(), 255u) << "se cortaría al cargar: " << l;

    Banco banco;
    std::map<std::string, std::map<std::string, Banco::Unidad>> modelo;
    std::size_t unidades = 0;
    for (const std::string& magnitud : ini.ReadSections()) {
        SCOPED_TRACE(magnitud);
        const auto lineas = ini.ReadSectionValues(magnitud);
        ASSERT_FALSE(lineas.empty());
        ASSERT_EQ(lineas[0].rfind("UniFundamental=", 0), 0u) << lineas[0];
        EXPECT_LE(lineas.size(), 256u) << "los códigos de conversión nombran 256 unidades";
        std::set<std::string> vistos;
        for (std::size_t i = 0; i < lineas.size(); ++i) {
            const std::size_t igual = lineas[i].find('=');
            ASSERT_NE(igual, std::string::npos) << lineas[i];
            const std::string def = lineas[i].substr(igual + 1);
            const std::string nombre = i == 0 ? def : lineas[i].substr(0, igual);
            EXPECT_TRUE(!nombre.empty() && nombre == Recortar(nombre) &&
                        nombre.find_first_of("=_") == std::string::npos && nombre.find(" -> ") == std::string::npos &&
                        nombre[0] != '[' && nombre[0] != ';')
                << "«" << nombre << "»";
            EXPECT_TRUE(vistos.insert(nombre).second) << "repetida: " << nombre;
            if (i == 0) {
                modelo[magnitud][nombre] = {[](long double x) { return x; }, [](long double x) { return x; }};
                continue;
            }
            std::string error;
            auto u = banco.Crear(def, error);
            ASSERT_TRUE(u) << nombre << "=" << def << ": " << error;
            ++unidades;
            const long double vuelta = u->de(u->a(1));
            EXPECT_NEAR(vuelta, 1, 1e-15) << nombre << ": " << Texto21(vuelta);
            EXPECT_TRUE(std::isfinite(u->a(1)) && u->a(1) != u->a(2)) << nombre;
            modelo[magnitud][nombre] = *u;
        }
    }
    EXPECT_GE(modelo.size(), 26u);
    EXPECT_GE(unidades, 200u);

    const long double pi = std::numbers::pi_v<long double>;
    struct Hecho {
        const char *magnitud, *de, *a;
        long double valor, esperado;
    };
    for (const Hecho& h : {Hecho{"Longitud", "mi", "m", 1, 1609.344L},
                           {"Temperatura", "°C", "°F", 100, 212},
                           {"Temperatura", "°F", "K", 212, 373.15L},
                           {"Temperatura", "K", "°C", 373.15L, 100},
                           {"Temperatura", "°F", "°C", -40, -40},
                           {"Almacenamiento de datos", "MiB", "B", 1, 1048576},
                           {"Almacenamiento de datos", "Mb", "B", 1, 125000},
                           {"Almacenamiento de datos", "MB", "Mb", 1, 8},
                           {"Longitud", "Mm", "mm", 1, 1e9L},
                           {"Ángulo", "grado", "rad", 180, pi},
                           {"Consumo de combustible", "km/L", "L/100 km", 20, 5}}) {
        auto& m = modelo[h.magnitud];
        ASSERT_TRUE(m.count(h.de) && m.count(h.a)) << h.magnitud << ": " << h.de << ", " << h.a;
        const long double r = m[h.a].de(m[h.de].a(h.valor));
        EXPECT_NEAR(r, h.esperado, std::fabs(h.esperado) * 1e-15L)
            << Texto21(h.valor) << " " << h.de << " -> " << h.a << " = " << Texto21(r);
    }
}

TEST(UnidadesDeFabrica, ElRevisorRechazaLoQueNoVale) {
    Banco banco;
    std::string error;
    for (const char* mala : {"", "_", "U+273.15", "_U-273.15", "sen(U)_U", "PI/180*x", "2$", "1+"})
        EXPECT_FALSE(banco.Crear(mala, error)) << mala;
    auto km = banco.Crear("U*1000_U/1000", error);
    ASSERT_TRUE(km) << error;
    EXPECT_EQ(km->a(3), 3000);
}

}  // namespace
}  // namespace numbrix
