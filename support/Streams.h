#pragma once
// The picture archive (form.img): named items of raw bytes, the payload
// optionally lh5-compressed and Blowfish-enciphered. A user may replace the
// file, so the reader trusts none of its sizes.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "support/StreamsRoutines.h"

namespace numbrix {

// The kind of picture an item holds, by its name's extension (any case):
// bitmaps (.bmp, .png, .jpg, .jpeg) and drawings (.svg, .emf, .wmf).
enum class ClaseItem { Ninguna, Bitmap, Metafile };
ClaseItem ClaseDeItem(std::string_view nombre);

// Where a lazily read item lies in the file.
struct TPunta {
    std::uint64_t Posicion = 0;
    std::uint32_t Tam = 0;
};

class TStreams {
public:
    TStreams() = default;
    TStreams(const TStreams&) = delete;
    TStreams& operator=(const TStreams&) = delete;

    // Reads the archive's index (and, in whole-file mode, its items). A
    // missing or unreadable file raises ENumbrix naming it; a bad one
    // ECorruptFile. A load that fails leaves no items.
    void Cargar(const std::filesystem::path& archivo);

    // Copies the item's bytes into `destino`; a name not in the archive
    // leaves `destino` as it was and gives false. Names ignore case.
    bool ObtenerItem(std::string_view nombre, std::string& destino);
    // The same for a bitmap or a drawing, its name prefixed with "B:" or
    // "M:" when Prefijos is set.
    bool ObtenerBitmap(std::string_view nombre, std::string& destino);
    bool ObtenerMetafile(std::string_view nombre, std::string& destino);

    std::size_t Cantidad() const { return items_.size(); }
    const std::string& Nombre(std::size_t i) const { return items_[i].Nombre; }
    bool Comprimido() const { return comprimido_; }
    bool Cifrado() const { return cifrado_; }
    const std::filesystem::path& Archivo() const { return archivo_; }

    std::string Password;
    // Asked for the password of an enciphered archive; unset, Password is used.
    std::function<std::string()> AlPedirPassword;
    // Told just before a bad file is reported.
    std::function<void()> AlArchivoMalo;
    bool Prefijos = false;
    // Keeps the file open and reads items on demand. Only for a stored,
    // unenciphered archive; any other loads whole.
    bool Perezoso = false;
    // The largest expansion of a compressed payload.
    std::uint64_t MaximoExpandido = 64u << 20;

private:
    struct Item {
        std::string Nombre;
        std::string Datos;  // whole-file mode
        TPunta Punta;       // lazy mode
    };
    [[noreturn]] void Malo(const char* mensaje);
    template <class Fuente>
    void LeerIndice(Fuente& f, std::vector<Item>& items, bool guardarDatos);

    std::vector<Item> items_;
    std::unordered_map<std::string, std::size_t> indice_;  // folded name → first item of that name
    std::ifstream abierto_;
    std::filesystem::path archivo_;
    bool comprimido_ = true, cifrado_ = false;
};

// The archive writer (tests and the shipped data; the program only reads):
// a stored archive of the items in the order given, enciphered with
// `password` when it is not empty, the same bytes for the same items. With
// `comprimir` the content is lh5-compressed by it instead.
struct ItemArchivo {
    std::string Nombre, Datos;
};
std::string EscribirArchivoImagenes(const std::vector<ItemArchivo>& items, std::string_view password = {},
                                    std::string (*comprimir)(std::string_view) = nullptr);

}  // namespace numbrix
