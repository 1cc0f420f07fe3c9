#pragma once
// The texts of a grid, column by column and row by row, with the grid's file
// format: one line per row ended by CR LF, cells separated by one tab. Row 0
// and column 0 are the grid's fixed (title) cells and never reach the file.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace numbrix {

class TTablaTextos {
public:
    // Most cells a loaded file may give; larger files are refused whole.
    static constexpr std::size_t kCeldasMax = 1'000'000;

    TTablaTextos() = default;
    TTablaTextos(int columnas, int filas);

    int Columnas() const { return columnas_; }
    int Filas() const { return filas_; }
    // Keeps every cell that stays within the new size; new cells are empty.
    void Redimensionar(int columnas, int filas);

    // Outside the table a cell reads empty and ignores writes.
    const std::string& Celda(int columna, int fila) const;
    void SetCelda(int columna, int fila, std::string texto);

    // Deletes row `fila`: the rows below move up one place. Fixed rows and
    // the last row that is not fixed are never deleted (false). `seleccion`
    // is kept within the rows that remain, below the fixed ones.
    bool BorrarFila(int fila, int filasFijas, int& seleccion);
    // The selected row after a table is left with `filas` rows.
    static int SeleccionDentro(int seleccion, int filas, int filasFijas);

    // Rows 1.. with columns 1.. in the file format.
    std::string TextoGrid() const;
    // Reads the file format: lines end at CR LF, CR or LF; the table becomes
    // (longest line's fields + 1) columns, at least 2, by (lines + 1) rows, at
    // least 2. The fixed cells keep their texts; the other cells take the
    // fields, empty where a line has fewer. A text of more than kCeldasMax
    // cells leaves the table as it was and returns false.
    bool LeerTextoGrid(std::string_view texto, std::string* error = nullptr);

    // The same on files (UTF-8, or Latin-1 when the bytes are not UTF-8).
    // Saving replaces the file atomically.
    bool Guardar(const std::filesystem::path& ruta, std::string* error = nullptr) const;
    bool Cargar(const std::filesystem::path& ruta, std::string* error = nullptr);

private:
    std::size_t Indice(int columna, int fila) const {
        return static_cast<std::size_t>(fila) * static_cast<std::size_t>(columnas_) + static_cast<std::size_t>(columna);
    }

    int columnas_ = 0;
    int filas_ = 0;
    std::vector<std::string> celdas_;  // row by row
};

// The lines of a text as the grid files break them: at CR LF, CR or LF; a
// break at the very end does not start another line.
std::vector<std::string_view> LineasDeTexto(std::string_view texto);

}  // namespace numbrix
