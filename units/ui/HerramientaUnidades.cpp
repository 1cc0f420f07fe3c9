#include "units/ui/HerramientaUnidades.h"

#include "shell/ui/frmCalc.h"
#include "units/ui/ConversionesCalc.h"
#include "units/ui/fmConver.h"
#include "units/ui/fmDefMagUni.h"

namespace numbrix {

void ConectarUnidades(TfrmCalcu& ventana, TModeloUnidades& modelo, TConversionesCalc& conversiones) {
    const auto archivo = ventana.Sesion().CarpetaDatos() / TModeloUnidades::NombreArchivo;
    // Whatever the editor answers, a save may have reloaded the model: the
    // menu and the converter follow its generation, not the answer.
    auto editar = [&ventana, &modelo, &conversiones, archivo](const std::string& magnitud) {
        const bool guardado = EditarUnidades(&ventana, modelo, archivo, magnitud);
        conversiones.Revisar();
        if (auto* c = qobject_cast<TfmConver*>(ventana.VentanaHerramienta("Conversor"))) c->Revisar();
        return guardado;
    };
    conversiones.PonerEditor([editar](const std::string& magnitud) { editar(magnitud); });

    Herramienta h;
    h.Nombre = "Conversor";
    h.PaginaAyuda = "fmConver.html";
    h.TituloAyuda = "Conversor instantáneo";
    h.Teclas = {{"Ctrl+C", "Copia el valor de la fila elegida en la tabla de unidades"},
                {"Supr", "Borra la unidad de la fila elegida (editor de unidades)"},
                {"Ctrl+↑|Ctrl+↓", "Sube o baja la unidad de la fila elegida (editor de unidades)"},
                {"F1", "Abre esta ayuda"}};
    h.Crear = [&modelo, editar](TfrmCalcu& v) -> QWidget* {
        auto* c = new TfmConver(v.Sesion(), modelo, &v);
        c->Editar = editar;
        c->MenuEdicion = [&v](QLineEdit* caja, const QPoint& donde) { v.MenuEdicion(caja, donde); };
        return c;
    };
    h.TrasEvaluar = [](QWidget* w, const ResultadoEvaluacion& r) { static_cast<TfmConver*>(w)->SeguirResultado(r); };
    h.AlAplicarColores = [](QWidget* w) { static_cast<TfmConver*>(w)->AplicarColores(); };
    h.AlGuardar = [](QWidget* w) { static_cast<TfmConver*>(w)->GuardarAjustes(); };
    ventana.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
