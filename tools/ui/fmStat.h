#pragma once
// The statistics window: the data page (entry box, frequency table, count,
// sum and mean) and the results page (the 21 measures and the plot).
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "shell/ui/fmComun.h"
#include "support/ui/FormMX.h"
#include "support/ui/PaintBoxM.h"
#include "tools/Estadistica.h"

namespace numbrix {

class TfrmCalcu;

// The data table's rows, read straight from the records (100,000 rows
// would drown a grid of items).
class TModeloEstadistica : public QAbstractTableModel {
public:
    explicit TModeloEstadistica(TEstadistica& e, QObject* padre = nullptr) : QAbstractTableModel(padre), e_(e) {}
    int rowCount(const QModelIndex& p = {}) const override;
    int columnCount(const QModelIndex& p = {}) const override;
    QVariant data(const QModelIndex& i, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;
    void Reiniciar() {
        beginResetModel();
        endResetModel();
    }

private:
    TEstadistica& e_;
};

// A header in the grids' fixed-cell look: the window's light-to-shadow
// ramp, bold text readable on it.
class TCabeceraGradiente : public QHeaderView {
public:
    explicit TCabeceraGradiente(QWidget* padre = nullptr);
    void SetColores(const ColoresVentana& c);

protected:
    void paintSection(QPainter* p, const QRect& r, int seccion) const override;
    QSize sectionSizeFromContents(int seccion) const override;

private:
    ColoresVentana colores_{};
};

class TfmStat : public TFormMX {
    Q_OBJECT
public:
    explicit TfmStat(QWidget* padre = nullptr);

    TEstadistica& Datos() { return datos_; }
    // What the buttons and pop-ups do.
    void AgregarEntrada();
    void VaciarTodo();
    void CopiarTabla();
    void PegarDatos();
    void PegarTexto(const QString& texto);
    void BorrarPunto();
    void Calcular();  // the results page
    void AplicarColores(const ColoresVentana& c);

    CajasDialogo Cajas;
    // How values are written (the main window's display format).
    std::function<FormatoNumero()> FormatoActual;
    QTabWidget* paginas = nullptr;
    QLineEdit* cajaEntrada = nullptr;
    QTableView* tablaDatos = nullptr;
    QLabel *etiquetaN = nullptr, *etiquetaSuma = nullptr, *etiquetaMedia = nullptr;
    QTableWidget* tablaMedidas = nullptr;
    TPaintBoxM* grafico = nullptr;
    QLabel* etiquetaPuntero = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Actualizar();  // the table and the three labels, after every change
    void Pintar(QPainter& p);
    void Fallo(const std::exception& e);

    TEstadistica datos_;
    TModeloEstadistica* modelo_ = nullptr;
    std::vector<MedidaEstadistica> medidas_;
    TCabeceraGradiente *cabDatos_ = nullptr, *cabMedidas_ = nullptr;
};

// Registers the window with the main window's tools.
void RegistrarEstadistica(TfrmCalcu& principal);

}  // namespace numbrix
