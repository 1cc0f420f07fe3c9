#pragma once
// The instant converter: a typed quantity in every unit of a magnitude at
// once, and one number in every base from 2 to 36, each cell editable.
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "support/ui/FormMX.h"
#include "units/Conversor.h"

class QComboBox;
class QLabel;
class QTabWidget;
class QToolButton;

namespace numbrix {

class TComboExpr;
class TSesion;
class TStringGridX;
struct ResultadoEvaluacion;

class TfmConver : public TFormMX {
    Q_OBJECT
public:
    static constexpr const char* kClavePagina = "TabConver";

    TfmConver(TSesion& sesion, TModeloUnidades& modelo, QWidget* padre = nullptr);
    ~TfmConver() override;

    // The unit editor on a magnitude; true when it saved.
    std::function<bool(const std::string& magnitud)> Editar;
    // The main window's edit menu for the quantity box.
    std::function<void(QLineEdit* caja, const QPoint& donde)> MenuEdicion;

    // After each evaluation of the main window (also a failed one).
    void SeguirResultado(const ResultadoEvaluacion& r);
    // Refills from the model when it was reloaded since, keeping the
    // magnitude and the source unit by name while they exist.
    void Revisar();
    void AplicarColores();
    // Writes the active page.
    void GuardarAjustes();

    QTabWidget* Paginas() const { return paginas_; }
    QComboBox* Magnitudes() const { return magnitud_; }
    TComboExpr* Cantidad() const { return cantidad_; }
    QComboBox* Unidades() const { return unidad_; }
    TStringGridX* Resultados() const { return resultados_; }
    QToolButton* RstUnidades() const { return rstUnidades_; }
    QToolButton* RstBases() const { return rstBases_; }
    QLineEdit* Numero() const { return numero_; }
    QLabel* Estado() const { return estado_; }
    // The cell of base 2..36 and its grid row.
    TStringGridX* RejillaDe(int base) const;
    static int FilaDe(int base) { return base <= 18 ? base - 2 : base - 19; }
    // Writes `texto` into a base's cell as if typed there.
    void EditarBase(int base, const QString& texto);

    // Recomputes the result column from the quantity and the source unit.
    void Recalcular();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void LlenarMagnitudes();
    void ElegirMagnitud(int i);
    void EscribirBases(long double valor, int salvo);
    void CeldaEditada(int base, const QString& texto);
    void Decir(const QString& m);
    int BaseDe(const TStringGridX* g, int fila) const;

    TSesion& sesion_;
    TModeloUnidades& modelo_;
    TCantidadConversor lector_;
    std::uint64_t generacion_ = 0;
    bool llenando_ = false;
    QString erroresInicio_;

    QTabWidget* paginas_;
    QComboBox* magnitud_;
    TComboExpr* cantidad_;
    QComboBox* unidad_;
    TStringGridX* resultados_;
    QToolButton *rstUnidades_, *rstBases_, *editar_;
    TStringGridX *bases1_, *bases2_;
    QLineEdit* numero_;
    QLabel* estado_;
};

// The base cells' editor: keys go through the base's filter.
class TDelegadoBase : public QStyledItemDelegate {
public:
    TDelegadoBase(QObject* padre, std::function<int(int fila)> base, std::function<void(int fila, const QString&)> edicion)
        : QStyledItemDelegate(padre), base_(std::move(base)), edicion_(std::move(edicion)) {}
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    std::function<int(int)> base_;
    std::function<void(int, const QString&)> edicion_;
};

}  // namespace numbrix
