#pragma once
// The unit editor: the magnitudes and units of the unit file in a grid. It
// edits a copy of the file's sections; the file and the unit model change
// only at "Guardar".
#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "shell/ui/fmComun.h"
#include "support/ui/StringGridX.h"
#include "units/Conversor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace numbrix {


// A grid whose rows can be dragged to another place: the drop asks `Mover`
// (from row, to row) instead of moving cells itself.
class TRejillaFilas : public TStringGridX {
public:
    explicit TRejillaFilas(QWidget* padre = nullptr);
    std::function<void(int desde, int hasta)> Mover;

protected:
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

// "Nueva Magnitud": the new magnitude's name and its fundamental unit.
class TfrmNuevoTipo : public QDialog {
public:
    explicit TfrmNuevoTipo(QWidget* padre = nullptr);
    QLineEdit* Nombre() const { return nombre_; }
    QLineEdit* Fundamental() const { return fundamental_; }
    QPushButton* Aceptar() const { return aceptar_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit *nombre_, *fundamental_;
    QPushButton* aceptar_;
};

class TfmDefMagUni : public QDialog {
public:
    TfmDefMagUni(QWidget* padre, TModeloUnidades& modelo, std::filesystem::path archivo);
    ~TfmDefMagUni() override;

    // Shows the magnitude (the first when absent) modally; true on "Guardar".
    bool Editar(const std::string& magnitud);

    // The boxes it asks through; tests replace them.
    CajasDialogo Cajas;
    // "Nueva Magnitud": name and fundamental unit, or nothing when cancelled.
    std::function<std::optional<std::pair<QString, QString>>()> PedirNueva;

    void Cargar(const QString& magnitud);
    void Agregar();
    void Eliminar();
    void Renombrar();
    void Guardar();
    void BorrarFila(int fila);
    void MoverFila(int fila, int hacia);

    QComboBox* Magnitudes() const { return magnitud_; }
    QLineEdit* Fundamental() const { return fundamental_; }
    TRejillaFilas* Rejilla() const { return rejilla_; }
    QLabel* Estado() const { return estado_; }
    bool Modificado() const { return modificado_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool GuardarMostrada();
    void LlenarCaja(const QString& elegir);
    void Cabecera();
    void Decir(const QString& m);

    TModeloUnidades& modelo_;
    std::filesystem::path archivo_;
    std::unique_ptr<TCopiaSecciones> copia_;
    QString mostrada_;
    bool modificado_ = false;
    bool cargando_ = false;

    QComboBox* magnitud_;
    QLineEdit* fundamental_;
    TRejillaFilas* rejilla_;
    QLabel* estado_;
};

// Opens the editor on a magnitude; true when it saved (the model was
// reloaded then, and may have been even when it returns false).
bool EditarUnidades(QWidget* padre, TModeloUnidades& modelo, const std::filesystem::path& archivo,
                    const std::string& magnitud);

}  // namespace numbrix
