#include "shell/Historial.h"

#include <algorithm>
#include <unordered_set>

#include "support/EscrituraAtomica.h"
#include "support/basicos.h"

namespace numbrix {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxLinea = 1024 * 1024;
constexpr std::size_t kMaxProblemasListados = 100;  // a junk file must not give a million report lines

}  // namespace

THistorial::THistorial(int maxLista) : maxLista_(std::max(maxLista, 1)) {}

std::ptrdiff_t THistorial::Indice(const std::string& expresion) const {
    const auto it = std::find(entradas_.begin(), entradas_.end(), expresion);
    return it == entradas_.end() ? -1 : it - entradas_.begin();
}

void THistorial::Agregar(const std::string& expresion) {
    if (expresion.empty()) return;
    const std::ptrdiff_t p = Indice(expresion);
    if (p > 0)
        std::swap(entradas_[0], entradas_[static_cast<std::size_t>(p)]);
    else if (p < 0)
        entradas_.insert(entradas_.begin(), expresion);
    Recortar();
}

void THistorial::SetMaxLista(int maxLista) {
    maxLista_ = std::max(maxLista, 1);
    Recortar();
}

void THistorial::Recortar() {
    if (entradas_.size() > static_cast<std::size_t>(maxLista_)) entradas_.resize(static_cast<std::size_t>(maxLista_));
}

std::vector<std::string> THistorial::Cargar(const fs::path& archivo) {
    entradas_.clear();
    copiaPendiente_ = false;
    std::error_code ec;
    if (!fs::exists(fs::status(archivo, ec))) return {};  // no history yet
    std::string bytes, error;
    const std::string nombre = archivo.filename().string();
    if (!LeerArchivoEntero(archivo, bytes, &error))
        return {nombre + ": no se pudo leer el historial (" + error + ")."};
    std::string_view texto(bytes);
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);

    std::vector<std::string> informe;
    std::size_t omitidos = 0;
    auto problema = [&](std::size_t linea, const char* motivo) {
        if (informe.size() < kMaxProblemasListados)
            informe.push_back(nombre + ", línea " + std::to_string(linea) + ": " + motivo);
        else
            ++omitidos;
    };
    std::unordered_set<std::string> vistas;
    const std::size_t n = texto.size();
    std::size_t numero = 0;
    for (std::size_t p = 0; p < n && entradas_.size() < static_cast<std::size_t>(maxLista_);) {
        std::size_t q = texto.find_first_of("\r\n", p);
        if (q == std::string_view::npos) q = n;
        std::string_view linea = texto.substr(p, q - p);
        p = q;
        if (p < n) p += (texto[p] == '\r' && p + 1 < n && texto[p + 1] == '\n') ? 2 : 1;
        ++numero;
        // A byte-order mark is invisible and belongs to no expression; one
        // left inside the file would otherwise come back stripped as a
        // different entry once it starts the file.
        while (linea.substr(0, 3) == "\xEF\xBB\xBF") linea.remove_prefix(3);
        if (linea.empty() || linea == "\x1A") continue;
        // No expression is that long or holds control characters: what does
        // is damage, and saving it back would only spread it.
        if (linea.size() > kMaxLinea) {
            problema(numero, "línea de más de 1 MB; se omite");
            continue;
        }
        if (std::any_of(linea.begin(), linea.end(), [](char c) {
                const auto u = static_cast<unsigned char>(c);
                return (u < 0x20 && c != '\t') || u == 0x7F;
            })) {
            problema(numero, "línea con caracteres de control; se omite");
            continue;
        }
        std::string entrada(linea);
        // Decided line by line: one stray byte must not garble the others.
        if (!EsUtf8Valido(entrada)) {
            entrada = TextoDesdeBytes(entrada);
            problema(numero, "texto que no es UTF-8; se lee como Latin-1");
        }
        // The list never holds a text twice; a hand-edited file might.
        if (vistas.insert(entrada).second) entradas_.push_back(std::move(entrada));
    }
    if (omitidos) informe.push_back(nombre + ": y " + std::to_string(omitidos) + " problemas más.");
    if (!informe.empty()) {
        copiaPendiente_ = true;
        informe.push_back(nombre + ": antes de reescribirlo se guardará una copia del original en «" + nombre +
                          ".bak».");
    }
    return informe;
}

void THistorial::Guardar(const fs::path& archivo) const {
    std::string bytes;
    std::size_t total = 0;
    for (const auto& e : entradas_) total += e.size() + 1;
    bytes.reserve(total);
    for (const auto& e : entradas_) {
        const std::size_t inicio = bytes.size();
        // One stray byte would make the whole file read back as Latin-1.
        bytes += EsUtf8Valido(e) ? e : TextoDesdeBytes(e);
        for (std::size_t i = inicio; i < bytes.size(); ++i)
            if (bytes[i] == '\r' || bytes[i] == '\n') bytes[i] = ' ';
        bytes += '\n';
    }
    if (copiaPendiente_) {
        // The load dropped or converted something: the original stays as NAME.bak.
        CopiaDeSeguridad(archivo);
        copiaPendiente_ = false;
    }
    EscribirArchivoAtomico(archivo, bytes);
}

}  // namespace numbrix
