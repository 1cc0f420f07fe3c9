#pragma once
// The main window's expression history: newest first, at most MaxLista
// entries, each text once. Saved as "expr.lst" in the data folder, one
// expression per line.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace numbrix {

class THistorial {
public:
    static constexpr const char* NombreArchivo = "expr.lst";
    static constexpr int kMaxListaDefecto = 50;

    explicit THistorial(int maxLista = kMaxListaDefecto);

    // An expression that evaluated: already first, it stays; further down,
    // it swaps places with the first entry; absent, it goes to the top. The
    // entries beyond MaxLista are then dropped from the end. Texts are
    // compared exactly. An empty text is ignored.
    void Agregar(const std::string& expresion);

    // Limit of entries (at least 1); the entries beyond it are dropped.
    void SetMaxLista(int maxLista);
    int MaxLista() const { return maxLista_; }

    const std::vector<std::string>& Entradas() const { return entradas_; }
    std::size_t Cantidad() const { return entradas_.size(); }
    // Position of the text, or -1.
    std::ptrdiff_t Indice(const std::string& expresion) const;
    void Limpiar() { entradas_.clear(); }

    // Replaces the entries with the file's lines (CR LF, LF or CR line ends;
    // each line UTF-8, or Latin-1 when it is not). Empty lines and repeats
    // are skipped and only the first MaxLista entries are kept. Damaged lines
    // (control characters, more than 1 MB) are dropped. Returns the report:
    // one line per dropped or converted line, and then the next Guardar
    // keeps the original as NAME.bak. A missing file gives an empty
    // history; an unreadable one too, with a report line. Never fails.
    std::vector<std::string> Cargar(const std::filesystem::path& archivo);
    // Writes the whole file atomically, one entry and "\n" per line (a line
    // break inside an entry is written as a blank). Raises EEscritura on
    // failure, with the old file intact.
    void Guardar(const std::filesystem::path& archivo) const;

private:
    void Recortar();

    std::vector<std::string> entradas_;
    int maxLista_;
    // The last load found problems: the first save keeps the original as a .bak.
    mutable bool copiaPendiente_ = false;
};

}  // namespace numbrix
