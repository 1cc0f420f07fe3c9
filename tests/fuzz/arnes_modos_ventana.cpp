// What the fraction and complex windows show: the first line is the maximum
// denominator's text as typed, the rest the expression, through both
// sessions with a prompter that refuses and a cancel deadline. Whatever
// happens, a failure leaves no value on screen and the bar stays in [0, 1).
#include "Arnes.h"
#include "shell/PantallaModos.h"

using namespace numbrix;

namespace {

RespuestaPregunta Rehusar(char, const std::string&, const std::string&) {
    return RespuestaPregunta{RespuestaPregunta::Fallar, "sin respuesta"};
}

}  // namespace

NUMBRIX_ARNES(modos_ventana) {
    const std::size_t corte = entrada.find('\n');
    const std::string_view maximo = entrada.substr(0, corte);
    const std::string expresion(corte == std::string_view::npos ? std::string_view() : entrada.substr(corte + 1));

    const auto leido = LeerDenominadorMax(maximo);
    fuzz::Exigir(!leido || (*leido >= 1 && *leido <= kMaxDenominadorDec), "un denominador máximo fuera de rango");

    TSesionQ q;
    q.Preguntar = Rehusar;
    fuzz::Plazo plazoQ(200);
    q.Cancelar = plazoQ;
    q.SetFraccion({leido.value_or(1000), !maximo.empty() && maximo.back() == '1'});
    const ResultadoQ rq = q.Evaluar(expresion);
    const PantallaFraccion f = PantallaDe(rq);
    fuzz::Exigir(f.barra >= 0 && f.barra < 1, "la barra fuera de la regla");
    if (rq.error || rq.vacio || rq.cancelado)
        fuzz::Exigir(f.fraccion == "Error" && f.decimal.empty() && f.entera.empty() && f.barra == 0,
                     "un valor viejo tras un fallo");
    else
        fuzz::Exigir(!f.fraccion.empty() && f.entera.ends_with("+"), "un resultado sin sus formas");

    TSesionC c;
    c.Preguntar = Rehusar;
    fuzz::Plazo plazoC(200);
    c.Cancelar = plazoC;
    const ResultadoC rc = c.Evaluar(expresion);
    const PantallaComplejo z = PantallaDe(rc);
    if (rc.error || rc.vacio || rc.cancelado)
        fuzz::Exigir(z.z.empty() && z.modulo.empty() && z.argumento.empty(), "un valor viejo tras un fallo");
    else
        fuzz::Exigir(!z.z.empty(), "un resultado complejo sin texto");
}
