// The polynomial boxes: lines of text read as P, Q and a list of roots. What
// reads is written and reads back equal in both formats; the arithmetic with
// Q keeps its identities or refuses with a message; the roots text of a small
// P (bounded time) always ends.
#include <cmath>

#include "Arnes.h"
#include "tools/Poli.h"

using namespace numbrix;

namespace {

std::optional<TPoli> Leer(std::string_view t, const AjustesFraccion& aj) {
    try {
        return TPoli::DesdeTexto(t, aj);
    } catch (const ENumbrix&) {
        return std::nullopt;
    }
}

}  // namespace

NUMBRIX_ARNES(poli) {
    std::string_view lineas[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t f = entrada.find('\n');
        lineas[i] = entrada.substr(0, f);
        entrada = f == std::string_view::npos ? std::string_view() : entrada.substr(f + 1);
    }
    const std::optional<TPoli> p = Leer(lineas[0], {});
    if (p) {
        for (bool mixto : {false, true}) {
            const AjustesFraccion aj{1000, mixto};
            const std::optional<TPoli> otra = Leer(p->ATexto(aj), aj);
            fuzz::Exigir(otra && *otra == *p, "el texto escrito no vuelve a dar el polinomio");
        }
        if (const std::optional<TPoli> q = Leer(lineas[1], {})) {
            try {
                auto [c, r] = TPoli::Divide(*p, *q);
                fuzz::Exigir(TPoli::Producto(c, *q).Suma(r) == *p, "P no es Q·C + R");
                fuzz::Exigir(q->Grado() == 0 || r.Grado() < q->Grado(), "el resto no baja de grado");
                TPoli s = *p;
                fuzz::Exigir(s.Suma(*q).Resta(*q) == *p, "P + Q − Q no es P");
            } catch (const ENumbrix&) {
            }
        }
        const long double a0 = std::fabs(p->Coef(0).Valor()), an = std::fabs(p->Coef(p->Grado()).Valor());
        if (p->Grado() <= 8 && a0 < 1e6L && an < 1e6L) fuzz::Exigir(!RaicesTexto(*p).empty(), "raíces sin texto");
    }
    try {
        PoliDeRaices(lineas[2]);
    } catch (const ENumbrix&) {
    }
}
