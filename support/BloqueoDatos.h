#pragma once
// One writer per data folder. The desktop program holds a lock file in the
// folder while it runs (QLockFile's format: PID, program name and host name,
// one a line); numbrix-cli, which links no Qt, reads it here before a --save
// would overwrite the files the running window writes again at close.
#include <filesystem>
#include <string>

namespace numbrix {

inline constexpr const char* kArchivoBloqueo = "numbrix.lock";

inline constexpr const char* kMensajeBloqueo =
    "Numbrix está abierto: sus datos no se escriben desde la línea de órdenes";

// Whether the lock file in `carpeta` belongs to a program still running on
// this machine. A lock left by a killed program (its process gone, or its
// PID now another program's) is stale and does not count.
bool CarpetaBloqueada(const std::filesystem::path& carpeta);

// The same test on the lock file's text.
bool BloqueoVigente(const std::string& contenido);

}  // namespace numbrix
