// The shipped formula library: each keyed data/*.fcm is exactly its plain
// source in datasrc/formulas, form.img is the packer's archive of
// datasrc/form, every picture a formula names is in it, every unit exists,
// and every symbol of a law can be solved for and gives back its value.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <map>
#include <regex>

#include "Ayudas.h"
#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/Streams.h"
#include "support/basicos.h"
#include "units/ConvUnid.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
std::string Leer(const fs::path& ruta) {
    std::string bytes, error;
    EXPECT_TRUE(LeerArchivoEntero(ruta, bytes, &error)) << ruta << ": " << error;
    return bytes;
}

std::vector<fs::path> Archivos(const fs::path& carpeta, const std::string& ext) {
    std::vector<fs::path> r;
    for (const auto& e : fs::directory_iterator(carpeta))
        if (e.path().extension() == ext) r.push_back(e.path());
    std::sort(r.begin(), r.end());
    return r;
}

const fs::path kFuentes = prueba::DatosDeFabrica() / ".." / "datasrc";

TEST(FormulasDeFabrica, LosArchivosSonSusFuentes) {
    const auto fuentes = Archivos(kFuentes / "formulas", ".txt");
    EXPECT_GE(fuentes.size(), 7u);
    EXPECT_EQ(Archivos(prueba::DatosDeFabrica(), ".fcm").size(), fuentes.size());
    for (const auto& f : fuentes) {
        std::string mezclado = Leer(prueba::DatosDeFabrica() / f.stem().concat(".fcm"));
        TVelIniFile::Mezclar(mezclado, kClaveFormulas);
        EXPECT_TRUE(mezclado == Leer(f)) << "rehágalo: numbrix-pack scramble --key formulas " << f;
    }
    std::vector<ItemArchivo> items;
    for (const auto& e : fs::directory_iterator(kFuentes / "form"))
        items.push_back({e.path().filename().string(), Leer(e.path())});
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.Nombre < b.Nombre; });
    EXPECT_GE(items.size(), 15u);
    EXPECT_TRUE(EscribirArchivoImagenes(items) == Leer(prueba::DatosDeFabrica() / "form.img"))
        << "rehágalo: numbrix-pack img datasrc/form data/form.img";
}

// Solves the law for `incognita` the way the library does: the unknown
// becomes the variable "_", every other symbol a host value.
long double Resolver(const std::string& ley, const std::string& incognita,
                     const std::map<std::string, long double>& valores, std::string& mensaje) {
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.BuscarExterno1 = [&](std::string_view n, long double& v) {
        for (const auto& [s, x] : valores)
            if (IgualSinCaso(s, n) && s != incognita) return v = x, true;
        return false;
    };
    auto x = e.AgregarVariable("_");
    e.SetTexto(incognita + ":_; " + ley);
    const long double r = e.HayError ? NAN : e.ResolverPara(x.get());
    return mensaje = e.HayError ? e.Mensaje : "", r;
}

TEST(FormulasDeFabrica, CadaFormulaSeLeeYSeResuelve) {
    TModeloUnidades unidades;
    TStreams imagenes;
    unidades.CargarMagnitudes(prueba::DatosDeFabrica() / "maguni.def");
    imagenes.Cargar(prueba::DatosDeFabrica() / "form.img");
    const std::regex simbolo("[A-Za-z][A-Za-z0-9]*");
    std::size_t formulas = 0;
    for (const auto& f : Archivos(kFuentes / "formulas", ".txt")) {
        TVelIniFile ini(f);
        for (const std::string& seccion : ini.ReadSections()) {
            ++formulas;
            const std::string donde = f.stem().string() + "/" + seccion;
            const auto lineas = ini.ReadSectionValues(seccion);
            const auto def = std::find(lineas.begin(), lineas.end(), "<def>");
            ASSERT_TRUE(def != lineas.end() && def - lineas.begin() >= 2) << donde;
            for (auto l = lineas.begin() + 1; l != def; ++l) {
                EXPECT_TRUE(l->front() != ' ' && l->front() != '[') << donde << ": " << *l;
                std::string bytes;
                const auto i = l->find("<img>#");
                EXPECT_TRUE(i == std::string::npos || imagenes.ObtenerItem(l->substr(i + 6), bytes)) << donde << *l;
            }
            const std::string& ley = lineas[0];
            std::map<std::string, long double> valores;
            std::string incognita;
            int marcadas = 0;
            for (auto l = def + 1; l != lineas.end(); ++l) {
                const auto c = Separar(*l, U'_');
                ASSERT_EQ(c.size(), 8u) << donde << ": " << *l;
                const std::string& s = c[0];
                EXPECT_TRUE(std::regex_match(s, simbolo) && LeerNumero(s).Error()) << donde << ": " << s;
                for (const auto& [otro, v] : valores) EXPECT_FALSE(IgualSinCaso(otro, s)) << donde << ": " << s;
                EXPECT_TRUE(c[5] == "0" || c[5] == "1") << donde << ": " << *l;
                if (c[5] == "1") ++marcadas, incognita = s;
                const auto igual = c[4].find('=');
                long double v = 0.7L + 0.13L * static_cast<long double>(valores.size());
                char* fin = nullptr;
                if (const long double d = std::strtold(c[2].c_str(), &fin); !c[2].empty() && *fin == '\0') v = d;
                try {
                    v = unidades.ConvertirUnidades(c[4].substr(0, igual), c[3], c[4].substr(igual + 1), v);
                } catch (const std::exception& e) {
                    ADD_FAILURE() << donde << ": " << e.what();
                }
                valores[s] = v;
            }
            ASSERT_EQ(marcadas, 1) << donde;
            // How often each symbol occurs in the law.
            std::map<std::string, int> veces;
            for (std::sregex_iterator i(ley.begin(), ley.end(), simbolo), e; i != e; ++i)
                for (const auto& [s, v] : valores)
                    if (IgualSinCaso(s, i->str())) ++veces[s];
            for (const auto& [s, v] : valores) EXPECT_GE(veces[s], 1) << donde << ": " << s << " no está en la ley";
            ASSERT_EQ(veces[incognita], 1) << donde;
            std::string m;
            const long double u = Resolver(ley, incognita, valores, m);
            ASSERT_TRUE(std::isfinite(u)) << donde << ": " << m;
            valores[incognita] = u;
            for (const auto& [s, esperado] : valores) {
                if (veces[s] != 1 || s == incognita) continue;
                const long double r = Resolver(ley, s, valores, m);
                ASSERT_TRUE(std::isfinite(r)) << donde << " para " << s << ": " << m;
                if (std::fabs(r - esperado) <= 1e-9L * std::fabs(esperado)) continue;
                // Another root is fine when it gives the unknown back.
                auto otros = valores;
                otros[s] = r;
                const long double u2 = Resolver(ley, incognita, otros, m);
                EXPECT_NEAR(u2, u, 1e-9L * std::fabs(u)) << std::setprecision(21) << donde << " para " << s << ": "
                                                         << r << " en vez de " << esperado;
            }
        }
    }
    EXPECT_GE(formulas, 42u);
}

}  // namespace
}  // namespace numbrix
