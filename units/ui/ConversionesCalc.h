#pragma once
// The unit side of the main window's conversion menu: fills
// TfrmCalcu::menuConversiones from the unit model ("Repetir última",
// "Inversa", "Recientes", "Editar unidades..." and the magnitudes, each
// filled when it first shows), keeps the recent conversions and applies a
// chosen one through the window. The menu is rebuilt whenever the model's
// generation changed since it was built.
#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "units/MenuConversiones.h"

class QAction;
class QMenu;

namespace numbrix {

class TfrmCalcu;

class TConversionesCalc : public QObject {
public:
    // Owned by the window; the model must outlive it.
    TConversionesCalc(TfrmCalcu& ventana, TModeloUnidades& unidades);

    // The recent conversions the model knows, newest first.
    const std::vector<ConversionLeida>& Recientes() const { return recientes_; }
    // Converts the number the window's menu acts on; a conversion chosen
    // (not a repeat) goes to the top of the recent list.
    void Aplicar(const ConversionLeida& c, bool inversa, bool nueva);
    // Rebuilds the menu when the model was (re)loaded since.
    void Revisar();
    // The unit editor, opened on the magnitude of the most recent
    // conversion; until it is set, "Editar unidades..." and "Unidades..."
    // stay hidden.
    void PonerEditor(std::function<void(const std::string& magnitud)> editor);

private:
    void Rehacer();
    void LeerRecientes();
    void AlMostrar();
    void LlenarMagnitud(QMenu* m, int magnitud);
    void Elegir(const QAction* a);

    TfrmCalcu& ventana_;
    TModeloUnidades& unidades_;
    std::uint64_t generacion_ = 0;
    std::vector<ConversionLeida> recientes_;
    std::vector<QMenu*> magnitudes_;
    QMenu* menuRecientes_ = nullptr;
    QAction *repetir_ = nullptr, *inversa_ = nullptr, *sepRecientes_ = nullptr;
    QAction *editar_ = nullptr, *sepEditar_ = nullptr, *vacio_ = nullptr;
};

// Connects the window to the model; the returned object is the window's.
TConversionesCalc* ConectarConversiones(TfrmCalcu& ventana, TModeloUnidades& unidades);

}  // namespace numbrix
