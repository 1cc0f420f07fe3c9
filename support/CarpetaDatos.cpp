#include "support/CarpetaDatos.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "support/Errores.h"
#include "support/EscrituraAtomica.h"
#include "support/basicos.h"

namespace numbrix {

namespace fs = std::filesystem;

fs::path CarpetaDelEjecutable() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path();
}

fs::path ResolverCarpetaDatos(const fs::path& opcionData, const fs::path& carpetaEjecutable, const char* xdgDataHome,
                              const char* home, bool* portable) {
    if (portable) *portable = false;
    if (!opcionData.empty()) {
        std::error_code ec;
        fs::path absoluta = fs::absolute(opcionData, ec);
        return (ec ? opcionData : absoluta).lexically_normal();
    }
    if (!carpetaEjecutable.empty()) {
        std::error_code ec;
        auto estado = fs::status(carpetaEjecutable / "portable", ec);
        if (fs::exists(estado) && !fs::is_directory(estado)) {
            if (portable) *portable = true;
            return carpetaEjecutable;
        }
    }
    // The XDG rules: a relative or empty XDG_DATA_HOME is to be ignored.
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "Numbrix";
    fs::path casa = home && *home ? fs::path(home) : fs::path();
    if (casa.empty()) {
        // No $HOME (a service, a bare container): ask the password database.
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) casa = pw->pw_dir;
    }
    if (casa.empty()) casa = fs::temp_directory_path();
    return casa / ".local" / "share" / "Numbrix";
}

fs::path CarpetaDatosDefecto(const fs::path& carpetaEjecutable) {
    std::vector<fs::path> candidatas;
    if (!carpetaEjecutable.empty()) {
        candidatas.push_back(carpetaEjecutable / "data");
        candidatas.push_back(carpetaEjecutable.parent_path() / "share" / "numbrix");
    }
#ifdef NUMBRIX_CARPETA_DATOS_FUENTE
    // Development builds only (NUMBRIX_DATOS_FUENTE): a package carries no build path.
    candidatas.emplace_back(NUMBRIX_CARPETA_DATOS_FUENTE);
#endif
    for (const auto& c : candidatas) {
        std::error_code ec;
        if (fs::is_directory(c, ec)) return c;
    }
    return {};
}

CarpetaDatos PrepararCarpetaDatos(const fs::path& carpeta, const fs::path& defecto) {
    CarpetaDatos r;
    r.Ruta = carpeta;
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    if (ec || !fs::is_directory(carpeta))
        throw EEscritura(carpeta, "No se pudo crear la carpeta de datos «" + carpeta.string() + "»" +
                                      (ec ? " (" + ec.message() + ")" : std::string()) + ".");
    // What an interrupted write left behind (a crash, a kill, a power cut).
    BorrarTemporalesAbandonados(carpeta);
    if (defecto.empty() || !fs::is_directory(defecto, ec)) return r;
    if (fs::equivalent(carpeta, defecto, ec)) return r;

    // List first, copy afterwards: the data folder may lie inside the
    // defaults' folder, and walking a tree while filling it never ends well.
    std::vector<fs::path> relativas;
    fs::recursive_directory_iterator it(defecto, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ec2;
        if (it->is_regular_file(ec2)) relativas.push_back(fs::relative(it->path(), defecto, ec2));
    }
    std::sort(relativas.begin(), relativas.end());
    for (const auto& rel : relativas) {
        if (rel.empty()) continue;
        const fs::path destino = carpeta / rel;
        std::error_code ec2;
        if (fs::exists(fs::symlink_status(destino, ec2))) continue;  // the user's copy wins
        std::string bytes, error;
        if (!LeerArchivoEntero(defecto / rel, bytes, &error)) {
            r.Problemas.push_back("No se pudo leer «" + (defecto / rel).string() + "»: " + error + ".");
            continue;
        }
        fs::create_directories(destino.parent_path(), ec2);
        std::string fallo;
        if (IntentarEscribirArchivoAtomico(destino, bytes, &fallo))
            r.Copiados.push_back(rel);
        else
            r.Problemas.push_back(fallo);
    }
    return r;
}

CarpetaDatos AbrirCarpetaDatos(const fs::path& opcionData) {
    const fs::path exe = CarpetaDelEjecutable();
    bool portable = false;
    const fs::path carpeta =
        ResolverCarpetaDatos(opcionData, exe, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), &portable);
    CarpetaDatos r = PrepararCarpetaDatos(carpeta, CarpetaDatosDefecto(exe));
    r.Portable = portable;
    return r;
}

std::optional<fs::path> ExtraerOpcionData(std::vector<std::string>& argumentos) {
    std::optional<fs::path> data;
    std::vector<std::string> resto;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        if (a == "--data") {
            if (i + 1 >= argumentos.size() || argumentos[i + 1].empty())
                throw ENumbrix("Falta la carpeta después de «--data».");
            data = fs::path(argumentos[++i]);
        } else if (a.rfind("--data=", 0) == 0) {
            if (a.size() == 7) throw ENumbrix("Falta la carpeta después de «--data=».");
            data = fs::path(a.substr(7));
        } else {
            resto.push_back(a);
        }
    }
    argumentos = std::move(resto);
    return data;
}

}  // namespace numbrix
