#include "tools/ui/QuimicaCalc.h"

#include <QAction>
#include <QMenu>

#include "shell/Sesion.h"
#include "shell/TemasAyuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/frmCalc.h"
#include "tools/Quim.h"

namespace numbrix {

std::vector<EntradaCompletado> EntradasElementos(TSesion& sesion) {
    std::vector<EntradaCompletado> r;
    if (!sesion.Quimica()) return r;
    for (const Elemento& e : TablaQuimica().Elementos()) {
        // A lone symbol that is also a name (the prompt letter C) needs its
        // count to be read as the element.
        const bool nombre = sesion.Principal().Buscar(e.Simbolo) != nullptr;
        r.push_back({QString::fromStdString(e.Simbolo + " - " + e.Descripcion), 5,
                     QString::fromStdString(nombre ? e.Simbolo + "1" : e.Simbolo)});
    }
    return r;
}

void ConectarQuimicaVentana(TfrmCalcu& v) {
    QMenu* menu = v.MenuConfigurar();
    auto* ac = new QAction("Calcular &MMR\tCtrl+R", menu);
    ac->setObjectName("acMMR");
    ac->setCheckable(true);
    const auto acciones = menu->actions();
    const auto i = acciones.indexOf(v.AccionAutocompletar());
    menu->insertAction(i >= 0 && i + 1 < acciones.size() ? acciones[i + 1] : nullptr, ac);
    v.Quimica = [&v, ac](bool si) {
        v.Sesion().SetQuimica(si);
        ac->setChecked(v.Sesion().Ajustes.MMR);
    };
    QObject::connect(ac, &QAction::triggered, &v, [&v](bool b) { v.Quimica(b); });
    v.cajaExpresion->PonerFuente([&v] { return EntradasDe(v.Sesion().Principal()); },
                                 [&v] { return EntradasElementos(v.Sesion()); });
    v.Quimica(v.Sesion().Ajustes.MMR);
    RegistrarPaginaAyuda({"quimica.html", "Química"});
}

}  // namespace numbrix
