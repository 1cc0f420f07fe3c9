#include "shell/Historial.h"

#include <algorithm>
#include <unordered_set>

#include "support/EscrituraAtomica.h"
#include "support/basicos.h"

namespace numbrix {

namespace fs = std::filesystem;

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
    std::error_code ec;
    if (!fs::exists(fs::status(archivo, ec))) return {};  // no history yet
    std::string bytes, error;
    if (!LeerArchivoEntero(archivo, bytes, &error))
        return {archivo.filename().string() + ": no se pudo leer el historial (" + error + ")."};
    const std::string texto = TextoDesdeBytes(bytes);
    bytes.clear();

    std::unordered_set<std::string> vistas;
    const std::size_t n = texto.size();
    for (std::size_t p = 0; p < n && entradas_.size() < static_cast<std::size_t>(maxLista_);) {
        std::size_t q = texto.find_first_of("\r\n", p);
        if (q == std::string::npos) q = n;
        std::string linea = texto.substr(p, q - p);
        p = q;
        if (p < n) p += (texto[p] == '\r' && p + 1 < n && texto[p + 1] == '\n') ? 2 : 1;
        // The list never holds a text twice; a hand-edited file might.
        if (!linea.empty() && vistas.insert(linea).second) entradas_.push_back(std::move(linea));
    }
    return {};
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
    EscribirArchivoAtomico(archivo, bytes);
}

}  // namespace numbrix
