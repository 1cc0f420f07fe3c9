#pragma once
// A grid of texts addressed as column, row, with fixed (title) rows and
// columns at the top and left that cannot be edited or selected, and the
// grid's text file format (support/TablaTextos.h). Qt's own headers are
// hidden: the fixed cells are the grid's titles.
#include <QString>
#include <QTableWidget>
#include <filesystem>

#include "support/TablaTextos.h"

namespace numbrix {

class TStringGridX : public QTableWidget {
    Q_OBJECT
public:
    explicit TStringGridX(QWidget* padre = nullptr);

    int ColCount() const { return columnCount(); }
    void SetColCount(int n);
    int RowCount() const { return rowCount(); }
    void SetRowCount(int n);
    // Fixed rows and columns; at least one row (column) stays not fixed.
    int FixedCols() const { return fijasCol_; }
    void SetFixedCols(int n);
    int FixedRows() const { return fijasFila_; }
    void SetFixedRows(int n);

    QString Cells(int columna, int fila) const;
    void SetCells(int columna, int fila, const QString& texto);

    // Every cell's text, fixed ones included.
    TTablaTextos Tabla() const;
    // Takes the table's size and texts.
    void SetTabla(const TTablaTextos& tabla);

    // Deletes row `fila`: the rows below move up and the selected row stays
    // within the grid. Fixed rows and the last row that is not fixed stay
    // (false).
    bool BorrarFila(int fila);

    // The grid file: rows and columns from 1, tab-separated, CR LF. Loading
    // leaves one fixed row and one fixed column and keeps the fixed cells'
    // texts; a file that cannot be read leaves the grid as it was.
    bool CargarDeArchivo(const std::filesystem::path& ruta, QString* error = nullptr);
    bool GuardarEnArchivo(const std::filesystem::path& ruta, QString* error = nullptr) const;

    // A left-button drag from the data area out of the grid and onto another
    // arrastrable grid emits Soltada on that one (default off).
    void SetArrastrable(bool b);

signals:
    void Soltada(numbrix::TStringGridX* origen);

protected:
    // The keyboard never takes the current cell into the fixed cells.
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers teclas) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool EsFija(int columna, int fila) const { return columna < fijasCol_ || fila < fijasFila_; }
    QTableWidgetItem* Celda(int columna, int fila);
    void Estilo(QTableWidgetItem* item, bool fija) const;
    void RefrescarFijas();

    int fijasCol_ = 1;
    int fijasFila_ = 1;
    bool arrastrable_ = false;
    bool pulsadoEnDatos_ = false;
};

}  // namespace numbrix
