#pragma once
// The user-definitions editor: the constants (modo 0) or functions (modo 1)
// of "real.duf" in the session's data folder.
#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "shell/EditorDefiniciones.h"
#include "shell/ui/fmComun.h"

class QWidget;
class QListWidget;
class QLineEdit;
class QLabel;
class QPushButton;

namespace numbrix {

class TSesion;

// Shows the editor modally. True when it closed with "&Aceptar" (the file
// was rewritten): the caller then registers the session's vocabulary again
// and rebuilds its insert menus.
bool EditarDefinicionesUsuario(QWidget* padre, TSesion& sesion, int modo);

// The definition box: one line, as the file keeps it; "**" and "//" become
// "^" and "\" as typed; Esc empties it (and does not close the window); a
// letter opens the completion list when `Completar` says so.
class TMemoDefinicion : public QLineEdit {
public:
    explicit TMemoDefinicion(QWidget* padre = nullptr);
    std::function<bool()> Completar;  // completion enabled
    std::function<void(const QString& letra)> AbrirCompletado;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

class TfmUsuario : public QDialog {
public:
    TfmUsuario(QWidget* padre, TSesion& sesion, int modo);

    // The boxes it asks through; tests replace them.
    CajasDialogo Cajas;

    const TEditorDefiniciones& Editor() const { return editor_; }
    QListWidget* Lista() const { return lista_; }
    QLineEdit* Descripcion() const { return descripcion_; }
    TMemoDefinicion* Definicion() const { return definicion_; }
    QLabel* Mensaje() const { return mensaje_; }
    QPushButton* BotonNueva() const { return nueva_; }
    QPushButton* BotonEliminar() const { return eliminar_; }
    QPushButton* BotonAceptar() const { return aceptar_; }
    QPushButton* BotonCancelar() const { return cancelar_; }

    void Nueva();
    void Eliminar();
    void Aceptar();
    void reject() override;

private:
    void Seleccionar();
    void Editado();
    void Decir(const QString& m);

    TSesion& sesion_;
    TEditorDefiniciones editor_;
    bool cargando_ = false;
    QListWidget* lista_;
    QLineEdit* descripcion_;
    TMemoDefinicion* definicion_;
    QLabel* mensaje_;
    QPushButton* nueva_;
    QPushButton* eliminar_;
    QPushButton* aceptar_;
    QPushButton* cancelar_;
};

}  // namespace numbrix
