#include "shell/DibujoCalculo.h"

#include <algorithm>
#include <string>

#include "engine/DiagramaX.h"

namespace numbrix {

namespace {

using N = TEvalX;
using D = DiagramaX;

// Where a big sign's ink lies, from the axis: its glyph is centred on the
// axis by its ink, whatever font supplies it.
struct Signo {
    CajaFormula celda;  // the text cell, axis through the ink's centre
    int tintaArriba;    // ink above the axis
    int tintaAbajo;     // ink below the axis
};

Fuente FuenteSigno(int tam) { return Fuente{kFamiliaSimbolos, tam, true, false}; }

Signo MedirSignoGrande(D& d, const char* texto, int tam) {
    const Fuente f = FuenteSigno(tam);
    const CajaFormula c = d.MedirSigno(texto, f);
    const MedidaTexto m = d.Medida(texto, f);
    Signo s{c, c.arriba, c.abajo};
    if (m.tintaAbajo > m.tintaArriba) {
        s.tintaArriba = c.arriba - m.tintaArriba;
        s.tintaAbajo = m.tintaAbajo - c.arriba;
    }
    return s;
}

int TamLimite(int tam) { return TamReducido(tam, 6, 10); }

// ---------------------------------------------------------------- ∑ and ∏

struct Grande {
    Signo signo;
    CajaFormula abajo, arriba, cuerpo, caja;
    bool par = false;
    int columna = 0;  // width of the sign with its limits
    int hueco = 0;
};

Grande MedirGrande(D& d, const N& n, const char* texto, int tam) {
    Grande g;
    g.signo = MedirSignoGrande(d, texto, tam * 3 / 2);
    const int tl = TamLimite(tam);
    g.abajo = d.Medir(*n.Hijos[0], tl);
    g.arriba = d.Medir(*n.Hijos[1], tl);
    const N& f = *n.Hijos[2];
    g.par = D::Parentizar(f);
    g.cuerpo = d.MedirOperando(f, tam, g.par);
    g.columna = std::max({g.signo.celda.ancho, g.abajo.ancho, g.arriba.ancho});
    g.hueco = std::max(1, tam / 6);
    g.caja.ancho = g.columna + g.hueco + g.cuerpo.ancho;
    g.caja.arriba = std::max({g.signo.celda.arriba, g.signo.tintaArriba + 1 + g.arriba.Alto(), g.cuerpo.arriba});
    g.caja.abajo = std::max({g.signo.celda.abajo, g.signo.tintaAbajo + 1 + g.abajo.Alto(), g.cuerpo.abajo});
    return g;
}

ProcsDibujoCalculo OperadorGrande(const char* texto) {
    ProcMedir<DominioReal> m = [texto](D& d, const N& n, int tam) {
        if (n.Hijos.size() != 3) return d.Medir(d.ListaDe(n), tam);
        return MedirGrande(d, n, texto, tam).caja;
    };
    ProcDibujar<DominioReal> dib = [texto](D& d, const N& n, int x, int y, int tam) {
        if (n.Hijos.size() != 3) {
            d.Dibujar(d.ListaDe(n), x, y, tam);
            return;
        }
        const Grande g = MedirGrande(d, n, texto, tam);
        const int eje = y + g.caja.arriba;
        const int tl = TamLimite(tam);
        d.DibujarSigno(texto, FuenteSigno(tam * 3 / 2), x + (g.columna - g.signo.celda.ancho) / 2, eje);
        d.Dibujar(*n.Hijos[1], x + (g.columna - g.arriba.ancho) / 2, eje - g.signo.tintaArriba - 1 - g.arriba.Alto(),
                  tl);
        d.Dibujar(*n.Hijos[0], x + (g.columna - g.abajo.ancho) / 2, eje + g.signo.tintaAbajo + 1, tl);
        d.DibujarOperando(*n.Hijos[2], x + g.columna + g.hueco, eje, tam, g.par);
    };
    return {std::move(m), std::move(dib)};
}

// ---------------------------------------------------------------- ∫

struct Integral {
    Signo signo;
    CajaFormula abajo, arriba, cuerpo, dx, caja;
    bool par = false;
    int columna = 0;
    int hueco = 0;
};

Fuente FuenteDx(int tam) { return FuenteSerif(tam); }

Integral MedirIntegral(D& d, const N& n, int tam) {
    Integral g;
    g.signo = MedirSignoGrande(d, "∫", tam * 2);
    const int tl = TamLimite(tam);
    g.abajo = d.Medir(*n.Hijos[0], tl);
    g.arriba = d.Medir(*n.Hijos[1], tl);
    const N& f = *n.Hijos.back();
    g.par = D::Parentizar(f);
    g.cuerpo = d.MedirOperando(f, tam, g.par);
    g.dx = d.MedirTexto("dx", FuenteDx(tam));
    g.columna = g.signo.celda.ancho + std::max(g.abajo.ancho, g.arriba.ancho);
    g.hueco = std::max(1, tam / 6);
    g.caja.ancho = g.columna + g.hueco + g.cuerpo.ancho + g.hueco + g.dx.ancho;
    // The upper limit beside the top of the sign, the lower one beside its
    // foot; neither reaches beyond the sign's ink.
    const int ta = std::max(g.signo.tintaArriba, g.arriba.Alto());
    const int tb = std::max(g.signo.tintaAbajo, g.abajo.Alto());
    g.caja.arriba = std::max({g.signo.celda.arriba, ta, g.cuerpo.arriba, g.dx.arriba});
    g.caja.abajo = std::max({g.signo.celda.abajo, tb, g.cuerpo.abajo, g.dx.abajo});
    return g;
}

ProcsDibujoCalculo Integrales() {
    ProcMedir<DominioReal> m = [](D& d, const N& n, int tam) {
        if (n.Hijos.size() < 3) return d.Medir(d.ListaDe(n), tam);
        return MedirIntegral(d, n, tam).caja;
    };
    ProcDibujar<DominioReal> dib = [](D& d, const N& n, int x, int y, int tam) {
        if (n.Hijos.size() < 3) {
            d.Dibujar(d.ListaDe(n), x, y, tam);
            return;
        }
        const Integral g = MedirIntegral(d, n, tam);
        const int eje = y + g.caja.arriba;
        const int tl = TamLimite(tam);
        d.DibujarSigno("∫", FuenteSigno(tam * 2), x, eje);
        const int xl = x + g.signo.celda.ancho;
        const int ta = std::max(g.signo.tintaArriba, g.arriba.Alto());
        const int tb = std::max(g.signo.tintaAbajo, g.abajo.Alto());
        d.Dibujar(*n.Hijos[1], xl, eje - ta, tl);
        d.Dibujar(*n.Hijos[0], std::max(x, xl - g.signo.celda.ancho / 3), eje + tb - g.abajo.Alto(), tl);
        int cx = x + g.columna + g.hueco;
        d.DibujarOperando(*n.Hijos.back(), cx, eje, tam, g.par);
        cx += g.cuerpo.ancho + g.hueco;
        d.DibujarTexto("dx", FuenteDx(tam), cx, eje);
    };
    return {std::move(m), std::move(dib)};
}

}  // namespace

ProcsDibujoCalculo DibujoSumatoria() { return OperadorGrande("∑"); }
ProcsDibujoCalculo DibujoProducto() { return OperadorGrande("∏"); }
ProcsDibujoCalculo DibujoIntegral() { return Integrales(); }

}  // namespace numbrix
