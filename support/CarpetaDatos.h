#pragma once
// "The program's folder": the one folder where Numbrix keeps numbrix.ini, the
// histories, the user definitions and the editable data files. Resolved once
// at start, the same way by the desktop program and by numbrix-cli, so both
// share it:
//   1. `--data DIR` on the command line;
//   2. the executable's own folder when it holds a file named `portable`;
//   3. $XDG_DATA_HOME/Numbrix, or ~/.local/share/Numbrix when that variable
//      is unset, empty or not an absolute path.
// The folder is created when missing and the shipped default data files are
// copied into it, never over a file the user already has.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace numbrix {

struct CarpetaDatos {
    std::filesystem::path Ruta;
    bool Portable = false;
    std::vector<std::filesystem::path> Copiados;  // default files copied in now (relative paths)
    std::vector<std::string> Problemas;           // what could not be copied, in Spanish
};

// The folder of the running executable (empty when it cannot be told).
std::filesystem::path CarpetaDelEjecutable();

// The pure rule above, with everything it depends on passed in (null or empty
// values mean "not given"). Does not touch the disk except to look for the
// `portable` marker.
std::filesystem::path ResolverCarpetaDatos(const std::filesystem::path& opcionData,
                                           const std::filesystem::path& carpetaEjecutable, const char* xdgDataHome,
                                           const char* home, bool* portable = nullptr);

// Where the shipped default files are: beside the executable ("data"), the
// installed share folder (<prefix>/share/numbrix), or the source tree's data/
// for a development build. Empty when none exists.
std::filesystem::path CarpetaDatosDefecto(const std::filesystem::path& carpetaEjecutable);

// Creates `carpeta` (raising EEscritura when it cannot), removes the
// temporary files interrupted writes left in it more than a minute ago, and
// copies every file of `defecto` (recursively) that is missing from it. Files already there are
// left alone; failures to copy single files are listed, not raised.
CarpetaDatos PrepararCarpetaDatos(const std::filesystem::path& carpeta, const std::filesystem::path& defecto);

// The whole start-up step: resolve (with the real environment), create, copy.
CarpetaDatos AbrirCarpetaDatos(const std::filesystem::path& opcionData = {});

// Takes "--data DIR" or "--data=DIR" out of the arguments (the last one wins)
// and returns DIR. Raises ENumbrix when "--data" has no folder after it.
std::optional<std::filesystem::path> ExtraerOpcionData(std::vector<std::string>& argumentos);

}  // namespace numbrix
