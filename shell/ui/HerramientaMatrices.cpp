#include "shell/ui/HerramientaMatrices.h"

#include <QMessageBox>
#include <algorithm>
#include <memory>

#include "numbers/ui/fmMatriz.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "shell/ui/frmCalc.h"

namespace numbrix {

namespace {

constexpr char kPagina[] = "fmMatriz";

AjustesMatriz DeAjustes(const AjustesCalculadora& a) {
    return {.complejo = a.ModoMatriz, .pan1 = a.TamaMatPan1, .pan2 = a.TamaMatPan2, .pan3 = a.TamaMatPan3};
}

ColoresMatriz Colores(const AjustesCalculadora& a, const QPalette& paleta) {
    const ColoresVentana c = ColoresVentana::De(a);
    return {c.Luz, c.Sombra, c.Texto, paleta.color(QPalette::Highlight)};
}

}  // namespace

bool RegistrarMatrices(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Matrices";
    h.PaginaAyuda = std::string(kPagina) + ".html";
    h.TituloAyuda = "Matrices";
    h.Teclas = {{"Ctrl+M", "Abre o cierra la ventana de matrices."},
                {"Enter", "Termina la edición de una celda y actualiza la barra de estado."},
                {"Escape", "Cancela la operación en curso."},
                {"..", "Escrito en una celda, se convierte en «|»: 1..2 es la fracción 1|2."}};
    h.Crear = [](TfrmCalcu& p) -> QWidget* {
        TfrmCalcu* pp = &p;
        auto ventana = std::make_shared<QWidget*>(nullptr);  // the boxes' parent, once made
        EntornoMatriz e;
        e.carpeta = p.Sesion().CarpetaDatos();
        e.Fraccion = [pp] {
            AjustesFraccion a;
            a.DenominadorMax = static_cast<std::uint32_t>(std::max(1, pp->Sesion().Ajustes.FracDenominadorDec));
            return a;
        };
        e.PedirTexto = [pp](const QString& titulo, const std::string& propuesto) -> std::optional<std::string> {
            Pregunta q;
            q.Titulo = titulo;
            q.Propuesto = QString::fromStdString(propuesto);
            return pp->Input() ? pp->Input()->Preguntar(q) : std::nullopt;
        };
        e.Preguntar = [ventana](const QString& titulo, const QString& texto) {
            const bool info = titulo == "Determinante";
            QMessageBox m(info ? QMessageBox::Information : QMessageBox::Question, titulo, texto,
                          QMessageBox::Yes | QMessageBox::No, *ventana);
            m.setDefaultButton(QMessageBox::No);
            return m.exec() == QMessageBox::Yes;
        };
        e.Avisar = [ventana](const QString& texto, IconoMatriz icono) {
            if (icono == IconoMatriz::Informacion) QMessageBox::information(*ventana, "Matrices", texto);
            else QMessageBox::critical(*ventana, "Matrices", texto);
        };
        e.Ayuda = [ventana] { AbrirAyuda(*ventana, kPagina); };
        auto* w = new TfmMatriz(std::move(e), DeAjustes(p.Sesion().Ajustes), &p);
        *ventana = w;
        return w;
    };
    h.AlAplicarColores = [pp = &principal](QWidget* w) {
        static_cast<TfmMatriz*>(w)->AplicarColores(Colores(pp->Sesion().Ajustes, w->palette()));
    };
    h.AlGuardar = [pp = &principal](QWidget* w) {
        auto* v = static_cast<TfmMatriz*>(w);
        const AjustesMatriz m = v->Ajustes();
        AjustesCalculadora& a = pp->Sesion().Ajustes;
        a.ModoMatriz = m.complejo;
        a.TamaMatPan1 = m.pan1;
        a.TamaMatPan2 = m.pan2;
        a.TamaMatPan3 = m.pan3;
        v->GuardarRejillas();
    };
    return principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
