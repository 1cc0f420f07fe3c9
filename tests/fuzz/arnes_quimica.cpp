// Chemistry: any text is a formula with a positive mass or fails with 0, a
// group of a formula weighs what the formula does, and a formula laid out in
// an engine stays inside its box; any quim.ini loads (problems reported,
// never thrown) into positive finite masses under distinct symbols.
// The first byte picks the mode, the rest is the input.
#include <cmath>
#include <set>

#include "Arnes.h"
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"
#include "tools/Quim.h"

using namespace numbrix;

namespace {

void Formula(std::string_view t) {
    static const bool cargada = [] {
        TablaQuimica().Leer({"H_Hidrógeno=1.008", "C=12.011", "O=15.999", "Na=22.990", "Cl=35.45", "S=32.06",
                             "Ca=40.078", "Cu=63.546", "Uuo=294"});
        return true;
    }();
    (void)cargada;
    long double m = -1;
    const bool es = BuscarFormulaQuimica(t, m);
    fuzz::Exigir(es == EsFormulaQuimica(t), "el predicado y la búsqueda discrepan");
    if (!es) {
        fuzz::Exigir(m == 0, "un fallo que no da 0");
        return;
    }
    fuzz::Exigir(std::isfinite(m) && m > 0, "una fórmula sin masa positiva");
    if (t.find_first_of("()") == std::string_view::npos) {
        long double g = -1;
        fuzz::Exigir(BuscarFormulaQuimica("(" + std::string(t) + ")", g) && g == m, "el grupo no pesa lo mismo");
    }
    if (t.size() > 200) return;  // the layout of long texts adds nothing
    TExpresionX e;
    e.Silencioso = true;
    e.BuscarExterno2 = BuscarFormulaQuimica;
    std::tie(e.MedirExterno, e.DibujarExterno) = DibujoQuimico();
    e.SetTexto(std::string(t) + "/2");
    fuzz::Exigir(e.Arbol != nullptr, "una fórmula que el motor no lee");
    const auto g = Metarchivo(e, prueba::Fijas());
    const Extension x = g->ExtensionDibujada();
    fuzz::Exigir(x.x0 >= 2 && x.y0 >= 2 && x.x1 <= g->Ancho() - 2 && x.y1 <= g->Alto() - 2, "dibujo fuera de la caja");
}

void Archivo(std::string_view contenido) {
    TTablaQuimica t;
    (void)t.Cargar(fuzz::ComoArchivo(contenido, "quim.ini"));
    std::set<std::string> vistos;
    for (const Elemento& e : t.Elementos()) {
        fuzz::Exigir(std::isfinite(e.Masa) && e.Masa > 0, "una masa no positiva");
        fuzz::Exigir(vistos.insert(e.Simbolo).second, "un símbolo repetido");
    }
}

}  // namespace

NUMBRIX_ARNES(quimica) {
    if (entrada.empty()) return;
    const std::string_view resto = entrada.substr(1);
    if (entrada[0] & 1) Archivo(resto);
    else Formula(resto);
}
