#include "support/Gradientes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace numbrix {

std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return 0;
    // |a|, |b| and |c| up to 2^63 would overflow the product; screen values
    // never come close, but the rule must hold for any input, so the product
    // is formed in unsigned 128 bits.
    const bool negativo = ((a < 0) != (b < 0)) != (c < 0);
    const auto absoluto = [](std::int64_t v) {
        return v < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    __extension__ using U128 = unsigned __int128;
    const U128 producto = static_cast<U128>(absoluto(a)) * absoluto(b);
    const std::uint64_t divisor = absoluto(c);
    const U128 cociente = (producto + divisor / 2) / divisor;
    const U128 limite = negativo ? static_cast<U128>(std::numeric_limits<std::int64_t>::max()) + 1
                                 : static_cast<U128>(std::numeric_limits<std::int64_t>::max());
    const U128 acotado = std::min(cociente, limite);
    if (negativo) return static_cast<std::int64_t>(static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(acotado));
    return static_cast<std::int64_t>(acotado);
}

int MulDiv32(int a, int b, int c) {
    const std::int64_t r = MulDiv(a, b, c);
    return static_cast<int>(std::clamp<std::int64_t>(r, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// ------------------------------------------------------------- TColGrad ----

TColGrad::TColGrad(TColor inicio, int pasos, TColor fin)
    : rojo_(Rojo(inicio)),
      verde_(Verde(inicio)),
      azul_(Azul(inicio)),
      difRojo_(Rojo(fin) - Rojo(inicio)),
      difVerde_(Verde(fin) - Verde(inicio)),
      difAzul_(Azul(fin) - Azul(inicio)),
      pasos_(std::clamp(pasos, 0, kPasosMax)) {}

TColor TColGrad::Color(int i) const {
    if (pasos_ == 0) return ColorRGB(rojo_, verde_, azul_);
    const auto canal = [&](int inicio, int diferencia) {
        return static_cast<int>((inicio + MulDiv(diferencia, i, pasos_)) & 0xFF);
    };
    return ColorRGB(canal(rojo_, difRojo_), canal(verde_, difVerde_), canal(azul_, difAzul_));
}

// ------------------------------------------------------------ gradients ----

int PosicionValida(int posicion) { return std::clamp(posicion, 0, 9); }

std::vector<TBanda> BandasLineales(int extension, TColor desde, TColor hasta) {
    std::vector<TBanda> bandas;
    if (extension <= 0) return bandas;
    const int n = std::min(extension, kBandasMax);
    const TColGrad rampa(desde, n, hasta);
    bandas.reserve(static_cast<std::size_t>(n));
    int anterior = 0;
    for (int i = 1; i <= n; ++i) {
        const int fin = static_cast<int>(MulDiv(i, extension, n));
        bandas.push_back({anterior, fin, rampa.Color(i)});
        anterior = fin;
    }
    return bandas;
}

std::vector<TBanda> BandasDosPartes(int extension, int posicion, TColor color, TColor color2) {
    if (extension <= 0) return {};
    const int corte = static_cast<int>(MulDiv(extension, PosicionValida(posicion), 10));
    std::vector<TBanda> bandas = BandasLineales(corte, color2, color);
    for (TBanda b : BandasLineales(extension - corte, color, color2)) {
        b.Desde += corte;
        b.Hasta += corte;
        bandas.push_back(b);
    }
    return bandas;
}

std::vector<TElipse> ElipsesConcentricas(const TRectI& r, TPuntoI centro, TColor exterior, TColor interior) {
    if (centro.X == kCentroPorDefecto) centro.X = r.Left + static_cast<int>(std::int64_t{r.Ancho()} * 3 / 8);
    if (centro.Y == kCentroPorDefecto) centro.Y = r.Top + static_cast<int>(std::int64_t{r.Alto()} * 3 / 8);
    // Distances from each edge towards the centre.
    const std::int64_t izq = std::int64_t{centro.X} - r.Left;
    const std::int64_t arr = std::int64_t{centro.Y} - r.Top;
    const std::int64_t der = std::int64_t{centro.X} - r.Right;
    const std::int64_t aba = std::int64_t{centro.Y} - r.Bottom;
    std::int64_t n = std::max({std::llabs(izq), std::llabs(arr), std::llabs(der), std::llabs(aba)});
    n = std::min<std::int64_t>(n, TColGrad::kPasosMax);
    if (n == 0) return {{r, TColGrad(exterior, 0, interior).Color(0)}};

    const TColGrad rampa(exterior, static_cast<int>(n), interior);
    std::vector<TElipse> elipses;
    elipses.reserve(static_cast<std::size_t>(n) + 1);
    for (std::int64_t i = 0; i <= n; ++i) {
        const auto borde = [&](int lado, std::int64_t distancia) { return static_cast<int>(lado + distancia * i / n); };
        elipses.push_back({{borde(r.Left, izq), borde(r.Top, arr), borde(r.Right, der), borde(r.Bottom, aba)},
                           rampa.Color(static_cast<int>(i))});
    }
    return elipses;
}

TPuntoI CentroEsfera(int ancho, int alto, int posicion) {
    const int p = PosicionValida(posicion);
    return {MulDiv32(p, ancho, 10), MulDiv32(p, alto, 10)};
}

}  // namespace numbrix
