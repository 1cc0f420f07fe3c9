#pragma once
// Whole-file writes that never leave a half-written file behind. The bytes go
// to a temporary file in the target's own folder, which is flushed to disk and
// then renamed over the target; a crash, a kill or a full disk leaves either
// the old file or the new one, never a mix. Every file Numbrix writes goes
// through here.
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/Errores.h"

namespace numbrix {

// A file could not be written (or backed up). The old file is intact.
class EEscritura : public ENumbrix {
public:
    EEscritura(const std::filesystem::path& ruta, const std::string& mensaje)
        : ENumbrix(mensaje), ruta_(ruta) {}
    const std::filesystem::path& Ruta() const { return ruta_; }
private:
    std::filesystem::path ruta_;
};

// Replaces the file at `ruta` with `bytes`, atomically. An existing file keeps
// its permission bits (and owner, where allowed); when `ruta` is a symbolic
// link the link is kept and its target is replaced. A new file gets the usual
// 0666 minus the umask. Raises EEscritura with a Spanish message on failure,
// leaving no temporary file and the old content untouched.
void EscribirArchivoAtomico(const std::filesystem::path& ruta, std::string_view bytes);

// The same without exceptions: returns false and fills `error` (when given).
bool IntentarEscribirArchivoAtomico(const std::filesystem::path& ruta, std::string_view bytes,
                                    std::string* error = nullptr) noexcept;

// The same guarantees for a file written piece by piece, in constant memory:
// Abrir creates the temporary, Agregar appends (buffered), Confirmar flushes,
// syncs and renames it over the target, Abandonar (or the destructor without
// Confirmar) removes it. There is no size pre-check: SIGXFSZ is ignored, so a
// size limit ends the write with the system's error instead of the process.
// Any failure raises EEscritura, the temporary removed and the old file intact.
class TEscrituraAtomica {
public:
    explicit TEscrituraAtomica(std::filesystem::path ruta);
    ~TEscrituraAtomica();
    TEscrituraAtomica(const TEscrituraAtomica&) = delete;
    TEscrituraAtomica& operator=(const TEscrituraAtomica&) = delete;

    void Abrir();
    void Agregar(std::string_view bytes);
    void Confirmar();
    void Abandonar() noexcept;
    bool Abierta() const { return fd_ >= 0; }
    const std::filesystem::path& Ruta() const { return ruta_; }

private:
    void Volcar();
    [[noreturn]] void Fallar(const std::string& que, int codigo);

    std::filesystem::path ruta_, destino_, temporal_;
    int fd_ = -1;
    std::string bufer_;
};

// Follows symbolic links (up to a sane depth) to the file that a write to
// `ruta` must replace. A dangling link resolves to the path it points at.
std::filesystem::path DestinoReal(const std::filesystem::path& ruta);

// Keeps the current content of `ruta` as `ruta` + ".bak" (replacing an older
// copy). Uses a hard link when it can, so even a file this process cannot read
// is preserved; otherwise copies the bytes atomically. Does nothing when
// `ruta` does not exist. Raises EEscritura when no copy could be made.
// Returns the path of the copy (empty when there was nothing to keep).
std::filesystem::path CopiaDeSeguridad(const std::filesystem::path& ruta);

// Whether a file name is one of the temporary names the writes above use
// (".NAME.tmpPID_N_M"): a write killed half-way leaves such a file behind.
bool EsTemporalDeEscritura(const std::string& nombre);

// Removes, from `carpeta` and its subfolders, the temporary files of writes
// that were interrupted: those named as above and last modified longer ago
// than `edad` (a younger one may belong to a write under way in another
// process). Returns the files removed; failures are ignored.
std::vector<std::filesystem::path> BorrarTemporalesAbandonados(
    const std::filesystem::path& carpeta, std::chrono::seconds edad = std::chrono::minutes(1));

// For tests: the steps every write above goes through, replaceable so that
// one of them fails as a full disk or a failing device would. A replaced
// Cerrar must still close the descriptor. Assign PasosEscritura{} to restore.
struct PasosEscritura {
    long (*Escribir)(int fd, const void* datos, std::size_t n);
    int (*Volcar)(int fd);
    int (*Cerrar)(int fd);
    int (*Renombrar)(const char* de, const char* a);
    PasosEscritura();
};
PasosEscritura& PasosDeEscritura();

}  // namespace numbrix
