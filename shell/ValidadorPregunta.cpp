#include "shell/ValidadorPregunta.h"

#include "support/Errores.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

// Runs a reader; its failure's text is the refusal.
template <class V, class Leer>
ValidadorPregunta Lector(V* valor, Leer leer) {
    return [valor, leer](const std::string& texto) -> Veredicto {
        try {
            V v = leer(std::string(Recortar(texto)));
            if (valor) *valor = v;
            return {};
        } catch (const std::exception& e) {
            return Rechazo(e.what());
        }
    };
}

}  // namespace

ValidadorPregunta ValidadorDecimal(long double* valor) {
    return Lector(valor, [](const std::string& t) {
        long double x = 0;
        if (t.empty()) throw ENumbrix(Mensaje::FaltaExpresion);
        if (!LeerDecimal(t, x)) throw ENumbrix("'" + t + "' no es un valor punto flotante válido");
        return x;
    });
}

ValidadorPregunta ValidadorFraccion(AjustesFraccion ajustes, TFrac* valor) {
    return Lector(valor, [ajustes](const std::string& t) {
        const std::optional<TFrac> f = TextoAFrac(t, ajustes);
        if (!f) throw ENumbrix(Mensaje::FaltaExpresion);
        return *f;
    });
}

ValidadorPregunta ValidadorComplejo(TComplejo* valor) {
    return Lector(valor, [](const std::string& t) { return TextoAComplejo(t); });
}

}  // namespace numbrix
