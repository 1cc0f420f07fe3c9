#include "support/ui/StringGridX.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

namespace numbrix {

TStringGridX::TStringGridX(QWidget* padre) : QTableWidget(5, 5, padre) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    RefrescarFijas();
}

void TStringGridX::Estilo(QTableWidgetItem* item, bool fija) const {
    if (fija) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette().brush(QPalette::Button));
        item->setForeground(palette().brush(QPalette::ButtonText));
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        item->setData(Qt::BackgroundRole, QVariant());
        item->setData(Qt::ForegroundRole, QVariant());
    }
}

QTableWidgetItem* TStringGridX::Celda(int columna, int fila) {
    QTableWidgetItem* it = item(fila, columna);
    if (!it) {
        it = new QTableWidgetItem;
        Estilo(it, EsFija(columna, fila));
        setItem(fila, columna, it);
    }
    return it;
}

// Fixed cells need an item of their own to look fixed; the others get one
// when first written.
void TStringGridX::RefrescarFijas() {
    for (int f = 0; f < rowCount(); ++f)
        for (int c = 0; c < columnCount(); ++c) {
            const bool fija = EsFija(c, f);
            if (QTableWidgetItem* it = item(f, c))
                Estilo(it, fija);
            else if (fija)
                Celda(c, f);
        }
}

void TStringGridX::SetColCount(int n) {
    setColumnCount(std::max(n, fijasCol_ + 1));
    RefrescarFijas();
}

void TStringGridX::SetRowCount(int n) {
    setRowCount(std::max(n, fijasFila_ + 1));
    RefrescarFijas();
}

void TStringGridX::SetFixedCols(int n) {
    fijasCol_ = std::clamp(n, 0, std::max(columnCount() - 1, 0));
    RefrescarFijas();
}

void TStringGridX::SetFixedRows(int n) {
    fijasFila_ = std::clamp(n, 0, std::max(rowCount() - 1, 0));
    RefrescarFijas();
}

QString TStringGridX::Cells(int columna, int fila) const {
    const QTableWidgetItem* it = item(fila, columna);
    return it ? it->text() : QString();
}

void TStringGridX::SetCells(int columna, int fila, const QString& texto) {
    if (columna < 0 || fila < 0 || columna >= columnCount() || fila >= rowCount()) return;
    Celda(columna, fila)->setText(texto);
}

TTablaTextos TStringGridX::Tabla() const {
    TTablaTextos t(columnCount(), rowCount());
    for (int f = 0; f < rowCount(); ++f)
        for (int c = 0; c < columnCount(); ++c)
            if (const QTableWidgetItem* it = item(f, c)) t.SetCelda(c, f, it->text().toStdString());
    return t;
}

void TStringGridX::SetTabla(const TTablaTextos& tabla) {
    setColumnCount(tabla.Columnas());
    setRowCount(tabla.Filas());
    fijasCol_ = std::clamp(fijasCol_, 0, std::max(columnCount() - 1, 0));
    fijasFila_ = std::clamp(fijasFila_, 0, std::max(rowCount() - 1, 0));
    for (int f = 0; f < tabla.Filas(); ++f)
        for (int c = 0; c < tabla.Columnas(); ++c) {
            const std::string& texto = tabla.Celda(c, f);
            if (texto.empty() && !item(f, c)) continue;
            Celda(c, f)->setText(QString::fromStdString(texto));
        }
    RefrescarFijas();
}

bool TStringGridX::BorrarFila(int fila) {
    if (fila < fijasFila_ || fila >= rowCount() || rowCount() - 1 <= fijasFila_) return false;
    const int seleccion = currentRow();
    const int columna = std::max(currentColumn(), fijasCol_);
    removeRow(fila);
    if (seleccion >= 0) setCurrentCell(TTablaTextos::SeleccionDentro(seleccion, rowCount(), fijasFila_), columna);
    return true;
}

QModelIndex TStringGridX::moveCursor(CursorAction accion, Qt::KeyboardModifiers teclas) {
    const QModelIndex i = QTableWidget::moveCursor(accion, teclas);
    if (!i.isValid() || !EsFija(i.column(), i.row())) return i;
    const int fila = std::min(std::max(i.row(), fijasFila_), rowCount() - 1);
    const int columna = std::min(std::max(i.column(), fijasCol_), columnCount() - 1);
    return model()->index(fila, columna);
}

bool TStringGridX::CargarDeArchivo(const std::filesystem::path& ruta, QString* error) {
    TTablaTextos t = Tabla();
    std::string e;
    if (!t.Cargar(ruta, &e)) {
        if (error) *error = QString::fromStdString(e);
        return false;
    }
    fijasCol_ = 1;
    fijasFila_ = 1;
    SetTabla(t);
    return true;
}

bool TStringGridX::GuardarEnArchivo(const std::filesystem::path& ruta, QString* error) const {
    std::string e;
    if (Tabla().Guardar(ruta, &e)) return true;
    if (error) *error = QString::fromStdString(e);
    return false;
}

namespace {
constexpr char kMimeRejilla[] = "application/x-numbrix-rejilla";

// The grid a drag came from, named in its data as "process:address": only a
// live grid of this process, never a pointer read back blindly (the data may
// come from another Numbrix).
TStringGridX* OrigenDe(const QMimeData* datos) {
    if (!datos || !datos->hasFormat(kMimeRejilla)) return nullptr;
    const QList<QByteArray> partes = datos->data(kMimeRejilla).split(':');
    if (partes.size() != 2 || partes[0].toLongLong() != QCoreApplication::applicationPid()) return nullptr;
    const quintptr direccion = partes[1].toULongLong();
    for (QWidget* w : QApplication::allWidgets())
        if (reinterpret_cast<quintptr>(w) == direccion) return qobject_cast<TStringGridX*>(w);
    return nullptr;
}
}  // namespace

void TStringGridX::SetArrastrable(bool b) {
    arrastrable_ = b;
    setAcceptDrops(b);
    viewport()->setAcceptDrops(b);
}

void TStringGridX::mousePressEvent(QMouseEvent* e) {
    const QModelIndex i = indexAt(e->position().toPoint());
    pulsadoEnDatos_ = e->button() == Qt::LeftButton && i.isValid() && !EsFija(i.column(), i.row());
    QTableWidget::mousePressEvent(e);
}

// Within the grid the drag selects as usual; leaving it starts the exchange.
void TStringGridX::mouseMoveEvent(QMouseEvent* e) {
    if (arrastrable_ && pulsadoEnDatos_ && (e->buttons() & Qt::LeftButton) &&
        !viewport()->rect().contains(e->position().toPoint())) {
        pulsadoEnDatos_ = false;
        auto* datos = new QMimeData;
        datos->setData(kMimeRejilla, QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                                         QByteArray::number(reinterpret_cast<quintptr>(this)));
        auto* d = new QDrag(this);
        d->setMimeData(datos);
        d->exec(Qt::MoveAction);
        return;
    }
    QTableWidget::mouseMoveEvent(e);
}

void TStringGridX::dragEnterEvent(QDragEnterEvent* e) {
    auto* origen = OrigenDe(e->mimeData());
    if (arrastrable_ && origen && origen != this) e->acceptProposedAction();
    else QTableWidget::dragEnterEvent(e);
}

void TStringGridX::dragMoveEvent(QDragMoveEvent* e) {
    auto* origen = OrigenDe(e->mimeData());
    if (arrastrable_ && origen && origen != this) e->acceptProposedAction();
    else QTableWidget::dragMoveEvent(e);
}

void TStringGridX::dropEvent(QDropEvent* e) {
    auto* origen = OrigenDe(e->mimeData());
    if (arrastrable_ && origen && origen != this) {
        e->acceptProposedAction();
        emit Soltada(origen);
        return;
    }
    QTableWidget::dropEvent(e);
}

}  // namespace numbrix
