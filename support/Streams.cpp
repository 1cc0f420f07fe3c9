#include "support/Streams.h"

#include <cstring>

#include "support/Blowfish.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

constexpr char kFirma[8] = {'\x4D', '\x5A', '\xFE', '\x00', '\x21', '\x0B', '\x0F', '\x80'};
constexpr char kComprimido = '&', kCifrado = '*', kNada = '-';

std::uint32_t Leer32(const char* p) {
    return std::uint32_t(std::uint8_t(p[0])) | std::uint32_t(std::uint8_t(p[1])) << 8 |
           std::uint32_t(std::uint8_t(p[2])) << 16 | std::uint32_t(std::uint8_t(p[3])) << 24;
}
void Poner32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
bool ConFirma(std::string_view s) { return s.size() >= 8 && std::memcmp(s.data(), kFirma, 8) == 0; }

std::string Extension(std::string_view nombre) {
    const auto punto = nombre.rfind('.');
    if (punto == std::string_view::npos) return {};
    std::string e(nombre.substr(punto + 1));
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return e;
}

// The index's bytes, from memory or from the open file.
struct DesdeMemoria {
    std::string_view d;
    std::uint64_t pos = 0;
    std::uint64_t Resto() const { return d.size() - pos; }
    void Leer(char* a, std::size_t n) {
        std::memcpy(a, d.data() + pos, n);
        pos += n;
    }
    std::string_view Tomar(std::size_t n) {
        auto r = d.substr(static_cast<std::size_t>(pos), n);
        pos += n;
        return r;
    }
};
struct DesdeArchivo {
    std::ifstream& f;
    std::uint64_t tam, pos;
    std::uint64_t Resto() const { return tam - pos; }
    void Leer(char* a, std::size_t n) {
        if (!f.read(a, static_cast<std::streamsize>(n))) throw ECorruptFile(kArchivoIncorrecto);
        pos += n;
    }
    std::string_view Tomar(std::size_t n) {
        pos += n;
        f.seekg(static_cast<std::streamoff>(pos));
        return {};
    }
};

}  // namespace

ClaseItem ClaseDeItem(std::string_view nombre) {
    const auto e = Extension(nombre);
    if (e == "bmp" || e == "png" || e == "jpg" || e == "jpeg") return ClaseItem::Bitmap;
    if (e == "svg" || e == "emf" || e == "wmf") return ClaseItem::Metafile;
    return ClaseItem::Ninguna;
}

void TStreams::Malo(const char* mensaje) {
    items_.clear();
    indice_.clear();
    if (abierto_.is_open()) abierto_.close();
    if (AlArchivoMalo) AlArchivoMalo();
    throw ECorruptFile(mensaje);
}

void TStreams::Cargar(const std::filesystem::path& archivo) {
    items_.clear();
    indice_.clear();
    if (abierto_.is_open()) abierto_.close();
    archivo_ = archivo;
    std::string bytes, error;
    if (Perezoso) {
        // Only the first bytes decide whether the file can be read lazily.
        abierto_.open(archivo, std::ios::binary);
        char cabeza[10] = {};
        std::error_code ec;
        const auto tam = std::filesystem::file_size(archivo, ec);
        if (abierto_ && !ec && abierto_.read(cabeza, 10) && cabeza[0] != kComprimido && cabeza[1] != kCifrado &&
            ConFirma(std::string_view(cabeza + 2, 8))) {
            try {
                DesdeArchivo f{abierto_, tam, 10};
                std::vector<Item> leidos;
                LeerIndice(f, leidos, false);
                items_ = std::move(leidos);
            } catch (const ECorruptFile& e) {
                Malo(e.what());
            }
            for (std::size_t i = items_.size(); i-- > 0;) indice_[PlegarMayusculas(items_[i].Nombre)] = i;
            comprimido_ = cifrado_ = false;
            return;
        }
        abierto_.close();
    }
    if (!LeerArchivoEntero(archivo, bytes, &error))
        throw ENumbrix("No se puede leer el archivo «" + archivo.filename().string() + "»: " + error);
    if (bytes.size() < 2) Malo(kArchivoIncorrecto);
    const char compresion = bytes[0], cifra = bytes[1];
    std::string carga = bytes.substr(2);
    bytes.clear();
    if (cifra == kCifrado) {
        const std::string clave = AlPedirPassword ? AlPedirPassword() : Password;
        // An empty key cannot key the cipher.
        if (clave.empty()) Malo(kArchivoIncorrecto);
        // A weak key leaves the payload enciphered: the signature then fails.
        if (Blowfish(carga, clave)) {
            const std::size_t relleno = carga.empty() ? 0 : std::uint8_t(carga.back());
            if (carga.empty() || relleno >= carga.size()) Malo(kArchivoIncorrecto);
            carga.resize(carga.size() - relleno - 1);
        }
    }
    std::string expandida;
    std::string_view contenido = carga;
    if (compresion == kComprimido) {
        if (carga.size() < 4) Malo(kComprimidoDanado);
        try {
            expandida = ExpandirLh5(contenido.substr(4), Leer32(carga.data()), MaximoExpandido);
        } catch (const ECorruptFile& e) {
            Malo(e.what());
        }
        carga.clear();
        contenido = expandida;
    }
    if (!ConFirma(contenido)) Malo(kArchivoIncorrecto);
    try {
        DesdeMemoria m{contenido, 8};
        std::vector<Item> leidos;
        LeerIndice(m, leidos, true);
        items_ = std::move(leidos);
    } catch (const ECorruptFile& e) {
        Malo(e.what());
    }
    for (std::size_t i = items_.size(); i-- > 0;) indice_[PlegarMayusculas(items_[i].Nombre)] = i;
    comprimido_ = compresion == kComprimido;
    cifrado_ = cifra == kCifrado;
}

template <class Fuente>
void TStreams::LeerIndice(Fuente& f, std::vector<Item>& items, bool guardarDatos) {
    auto exigir = [&](std::uint64_t n) {
        if (n > f.Resto()) throw ECorruptFile(kArchivoIncorrecto);
    };
    char b[4];
    exigir(4);
    f.Leer(b, 4);
    const std::uint32_t cuenta = Leer32(b);
    // Each item takes at least six bytes: no count can ask for more items
    // than the rest could hold.
    if (cuenta > f.Resto() / 6) throw ECorruptFile(kArchivoIncorrecto);
    items.reserve(cuenta);
    for (std::uint32_t i = 0; i < cuenta; ++i) {
        Item it;
        exigir(2);
        f.Leer(b, 2);
        const std::size_t largo = std::uint8_t(b[0]) | std::size_t(std::uint8_t(b[1])) << 8;
        exigir(largo + 4);
        it.Nombre.resize(largo);
        f.Leer(it.Nombre.data(), largo);
        f.Leer(b, 4);
        const auto tam = static_cast<std::int32_t>(Leer32(b));
        if (tam < 0) throw ECorruptFile(kArchivoIncorrecto);
        exigir(static_cast<std::uint64_t>(tam));
        it.Punta = {f.pos, static_cast<std::uint32_t>(tam)};
        const auto datos = f.Tomar(static_cast<std::size_t>(tam));
        if (guardarDatos) it.Datos.assign(datos);
        items.push_back(std::move(it));
    }
}

bool TStreams::ObtenerItem(std::string_view nombre, std::string& destino) {
    const auto i = indice_.find(PlegarMayusculas(nombre));
    if (i == indice_.end()) return false;
    const Item& it = items_[i->second];
    if (!abierto_.is_open()) {
        destino = it.Datos;
        return true;
    }
    std::string datos(it.Punta.Tam, '\0');
    abierto_.clear();
    abierto_.seekg(static_cast<std::streamoff>(it.Punta.Posicion));
    // The file changed under the open archive.
    if (!abierto_.read(datos.data(), static_cast<std::streamsize>(datos.size()))) throw ECorruptFile(kArchivoIncorrecto);
    destino = std::move(datos);
    return true;
}

bool TStreams::ObtenerBitmap(std::string_view nombre, std::string& destino) {
    return ObtenerItem(Prefijos ? "B:" + std::string(nombre) : std::string(nombre), destino);
}
bool TStreams::ObtenerMetafile(std::string_view nombre, std::string& destino) {
    return ObtenerItem(Prefijos ? "M:" + std::string(nombre) : std::string(nombre), destino);
}

std::string EscribirArchivoImagenes(const std::vector<ItemArchivo>& items, std::string_view password,
                                    std::string (*comprimir)(std::string_view)) {
    std::string contenido(kFirma, 8);
    Poner32(contenido, static_cast<std::uint32_t>(items.size()));
    for (const auto& it : items) {
        if (it.Nombre.size() > 0xFFFF || it.Datos.size() > 0x7FFFFFFF)
            throw ENumbrix("El elemento «" + it.Nombre + "» es demasiado grande para el archivo");
        contenido += static_cast<char>(it.Nombre.size() & 0xFF);
        contenido += static_cast<char>(it.Nombre.size() >> 8);
        contenido += it.Nombre;
        Poner32(contenido, static_cast<std::uint32_t>(it.Datos.size()));
        contenido += it.Datos;
    }
    std::string carga;
    if (comprimir) {
        Poner32(carga, static_cast<std::uint32_t>(contenido.size()));
        carga += comprimir(contenido);
    } else {
        carga = std::move(contenido);
    }
    if (!password.empty()) {
        // Every byte in a whole block: the last one counts the pad before it.
        const std::size_t relleno = (8 - (carga.size() + 1) % 8) % 8;
        carga.append(relleno, '\0');
        carga += static_cast<char>(relleno);
        if (!Blowfish(carga, password, true)) throw ENumbrix("La contraseña no sirve como clave de cifrado");
    }
    std::string archivo;
    archivo += comprimir ? kComprimido : kNada;
    archivo += password.empty() ? kNada : kCifrado;
    return archivo + carga;
}

}  // namespace numbrix
