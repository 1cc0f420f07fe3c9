#include "support/Contraste.h"

#include <algorithm>
#include <cmath>

#include "support/Gradientes.h"

namespace numbrix {

namespace {

// A gradient area paints at most this many colours of its ramp.
constexpr int kPasosRampa = kBandasMax;

TColor Mezcla(TColor a, TColor b, double t) {
    auto canal = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return ColorRGB(canal(Rojo(a), Rojo(b)), canal(Verde(a), Verde(b)), canal(Azul(a), Azul(b)));
}

}  // namespace

double Luminancia(TColor c) {
    auto canal = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(Rojo(c)) + 0.7152 * canal(Verde(c)) + 0.0722 * canal(Azul(c));
}

double Contraste(TColor a, TColor b) {
    double la = Luminancia(a), lb = Luminancia(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

TColor TextoLegible(TColor texto, TColor fondo) {
    if (Contraste(texto, fondo) >= kContrasteMinimo) return texto;
    return Contraste(clNegro, fondo) >= Contraste(clBlanco, fondo) ? clNegro : clBlanco;
}

TColor AzulLegible(TColor fondo) {
    const TColor azul = ColorRGB(0, 0, 255);
    for (int k = 0; k <= 20; ++k)
        for (TColor hacia : {clBlanco, clNegro}) {
            const TColor c = Mezcla(azul, hacia, k / 20.0);
            if (Contraste(c, fondo) >= kContrasteMinimo) return c;
        }
    return TextoLegible(azul, fondo);
}

double ContrasteSobreRampa(TColor texto, TColor desde, TColor hasta) {
    const TColGrad rampa(desde, kPasosRampa, hasta);
    double peor = Contraste(texto, desde);
    for (int i = 1; i <= kPasosRampa; ++i) peor = std::min(peor, Contraste(texto, rampa.Color(i)));
    return peor;
}

TColor TextoLegibleSobreRampa(TColor texto, TColor desde, TColor hasta) {
    if (ContrasteSobreRampa(texto, desde, hasta) >= kContrasteMinimo) return texto;
    return ContrasteSobreRampa(clNegro, desde, hasta) >= ContrasteSobreRampa(clBlanco, desde, hasta) ? clNegro
                                                                                                    : clBlanco;
}

TColor TintaInactivaSobreRampa(TColor tinta, TColor desde, TColor hasta) {
    const TColor medio = TColGrad(desde, 2, hasta).Color(1);
    // Halving the step finds the farthest mix that still shows.
    double visto = 0, oculto = 1;
    if (ContrasteSobreRampa(tinta, desde, hasta) < kContrasteInactivo) return tinta;
    for (int i = 0; i < 12; ++i) {
        const double t = (visto + oculto) / 2;
        if (ContrasteSobreRampa(Mezcla(tinta, medio, t), desde, hasta) >= kContrasteInactivo) visto = t;
        else oculto = t;
    }
    return Mezcla(tinta, medio, visto);
}

}  // namespace numbrix
