#pragma once
// TMenuFormula: the context menu of a formula view, the same in every
// window that draws formulas: «Copiar» (also a double click on the view),
// «Exportar» (SVG, PNG or JPEG), «Ajustar a la ventana» and, for a window
// whose engine knows user functions, «Describir funciones de usuario».
// What belongs to the window stays its own, as callbacks: which picture is
// the formula, whether the menu may open now, how user functions are drawn.
#include <QMenu>
#include <functional>

#include "support/LienzoGrabado.h"

namespace numbrix {

class TVistaFormula;

class TMenuFormula : public QMenu {
    Q_OBJECT
public:
    // Opens on the view's context-menu request. Fit to window starts on.
    explicit TMenuFormula(TVistaFormula* vista, QWidget* padre = nullptr);

    // The picture to copy and export; null: none (the items are disabled).
    // By default the view's own.
    std::function<const LienzoGrabado*()> Dibujo;
    // Whether the menu may open now (a window evaluating says no).
    std::function<bool()> Disponible;
    // Adds the «Describir funciones de usuario» check item: `describir`
    // gets its new state, and the window compiles and draws again.
    void PonerDescribir(std::function<void(bool)> describir, bool marcado = false);
    // The file the picture goes to: a save dialog by default; empty: none.
    std::function<QString()> ElegirArchivo;
    // Shows why an export failed (a message box by default).
    std::function<void(const QString&)> Informar;
    double Escala = 1.0;

    void Copiar();
    void Exportar();

    QAction* AccionCopiar() const { return copiar_; }
    QAction* AccionExportar() const { return exportar_; }
    QAction* AccionAjustar() const { return ajustar_; }
    QAction* AccionDescribir() const { return describir_; }  // null until PonerDescribir

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QString Dialogo();

    TVistaFormula* vista_;
    QAction* copiar_;
    QAction* exportar_;
    QAction* ajustar_;
    QAction* describir_ = nullptr;
};

// The chosen file with the extension of the dialog's filter forced on it
// («Imagen PNG (*.png)» makes «a» into «a.png»; «a.PNG» stays).
QString RutaConExtension(const QString& ruta, const QString& filtro);

}  // namespace numbrix
