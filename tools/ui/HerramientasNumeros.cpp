#include "tools/ui/HerramientasNumeros.h"

#include "tools/ui/fmComplex.h"
#include "tools/ui/fmFraccion.h"
#include "shell/ui/frmCalc.h"

namespace numbrix {

namespace {

std::vector<TeclaAyuda> TeclasComunes() {
    return {{"Intro", "Evalúa la expresión de la caja."},
            {"Esc", "Borra la expresión; con la caja vacía, cierra la ventana."},
            {"F2", "Abre la lista de funciones y constantes para completar."}};
}

}  // namespace

void RegistrarFracciones(TfrmCalcu& ventana) {
    Herramienta h;
    h.Nombre = "Fracciones";
    h.PaginaAyuda = "fmFraccion.html";
    h.TituloAyuda = "Fracciones";
    h.Teclas = TeclasComunes();
    h.Teclas.push_back({"..|//", "Escriben la barra de fracción «|»."});
    h.Teclas.push_back({"**", "Escribe la potencia «^»."});
    h.Crear = [](TfrmCalcu& p) -> QWidget* { return new TfmFraccion(p); };
    h.AlAplicarColores = [](QWidget* w) { static_cast<TfmFraccion*>(w)->AplicarColores(); };
    h.AlGuardar = [](QWidget* w) { static_cast<TfmFraccion*>(w)->Guardar(); };
    ventana.RegistrarHerramienta(std::move(h));
}

void RegistrarComplejos(TfrmCalcu& ventana) {
    Herramienta h;
    h.Nombre = "Complejos";
    h.PaginaAyuda = "fmComplex.html";
    h.TituloAyuda = "Complejos";
    h.Teclas = TeclasComunes();
    h.Crear = [](TfrmCalcu& p) -> QWidget* { return new TfmComplex(p); };
    h.AlAplicarColores = [](QWidget* w) { static_cast<TfmComplex*>(w)->AplicarColores(); };
    h.AlGuardar = [](QWidget* w) { static_cast<TfmComplex*>(w)->GuardarHistoria(); };
    h.AlCambiarAngulo = [](QWidget* w, UnidadAngulo u) { static_cast<TfmComplex*>(w)->CambiarAngulo(u); };
    h.Recibir = [](QWidget* w, const std::string& e) { static_cast<TfmComplex*>(w)->Recibir(e); };
    ventana.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
