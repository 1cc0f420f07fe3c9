// The main window's side of conversions: which number the conversion menu
// acts on and how the converted one replaces it. The menu itself, the model
// and the recent list are the unit side's (units/ui/ConversionesCalc.h).
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "engine/bases2_36.h"
#include "shell/NumeroCursor.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/frmCalc.h"

namespace numbrix {

void TfrmCalcu::AbrirMenuConversiones(std::optional<QPoint> donde, std::optional<bool> enExpresion) {
    if (evaluando_) return;
    convertirEnExpresion_ = enExpresion.value_or(CajaEnfocada() == cajaExpresion->lineEdit());
    if (donde) menuConversiones->popup(*donde);
    else AbrirMenu(menuConversiones, botonConversiones);
}

void TfrmCalcu::Repetir(bool inversa) {
    if (evaluando_ || !RepetirConversion) return;
    convertirEnExpresion_ = CajaEnfocada() == cajaExpresion->lineEdit();
    RepetirConversion(inversa);
}

bool TfrmCalcu::ConvertirNumero(const std::function<long double(long double)>& conversion) {
    if (evaluando_) return false;
    try {
        if (convertirEnExpresion_) {
            QLineEdit* caja = cajaExpresion->lineEdit();
            const QString texto = cajaExpresion->Texto();
            const std::string utf8 = texto.toStdString();
            const auto cursor = static_cast<std::size_t>(texto.left(caja->cursorPosition()).toUtf8().size());
            const auto n = NumeroEnCursor(utf8, cursor);
            if (!n) {
                Error("No se pudo hallar ningún número para convertir");
                return false;
            }
            // Every digit kept: the shortest text that reads back equal.
            const QString nuevo = QString::fromStdString(RealATextoExacto(conversion(n->Valor)));
            const auto& entradas = sesion_.Historial.Entradas();
            if (entradas.empty() || entradas.front() != utf8) {
                sesion_.Historial.Agregar(utf8);
                RefrescarHistoria();
            }
            const QString antes = QString::fromStdString(utf8.substr(0, n->Inicio));
            cajaExpresion->SetTexto(antes + nuevo + QString::fromStdString(utf8.substr(n->Fin)));
            caja->setFocus();
            caja->setSelection(static_cast<int>(antes.size()), static_cast<int>(nuevo.size()));
        } else {
            const LecturaNumero l = LeerNumero(QuitarBlancos(cajaResultado->text().toStdString()));
            if (l.Error()) {
                Error(Texto(Mensaje::ResultadoNoNumero));
                return false;
            }
            const long double v = conversion(l.valor);
            const std::string texto = sesion_.TextoResultado(v);
            cajaResultado->setText(QString::fromStdString(texto));
            cajaResultado->setToolTip(QString::fromStdString(sesion_.Pista(texto, v)));
            cajaResultado->selectAll();
            AjustarMensaje();
        }
    } catch (const std::exception& e) {
        Error(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

}  // namespace numbrix
