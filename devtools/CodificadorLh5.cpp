#include "CodificadorLh5.h"

#include <algorithm>
#include <cstdint>
#include <queue>
#include <vector>

namespace numbrix {

namespace {

constexpr int kNC = 510, kNT = 19, kNP = 14, kLimite = 16;
constexpr int kVentana = 8192, kMinimo = 3, kMaximo = 256, kCadena = 48;
constexpr std::size_t kPorBloque = 16384;

class EscritorBits {
public:
    void Poner(int n, std::uint32_t v) {
        for (int i = n - 1; i >= 0; --i) {
            acum_ = static_cast<std::uint8_t>((acum_ << 1) | ((v >> i) & 1));
            if (++bits_ == 8) {
                salida_ += static_cast<char>(acum_);
                acum_ = 0;
                bits_ = 0;
            }
        }
    }
    std::string Final() {
        if (bits_ > 0) Poner(8 - bits_, 0);
        return std::move(salida_);
    }

private:
    std::string salida_;
    std::uint8_t acum_ = 0;
    int bits_ = 0;
};

// Huffman lengths of at most kLimite bits; every frequency halved until they fit.
std::vector<std::uint8_t> Largos(std::vector<std::uint32_t> f) {
    const int n = static_cast<int>(f.size());
    for (;;) {
        std::vector<int> padre(2 * n, -1);
        using Nodo = std::pair<std::uint64_t, int>;
        std::priority_queue<Nodo, std::vector<Nodo>, std::greater<>> cola;
        for (int i = 0; i < n; ++i)
            if (f[i]) cola.push({f[i], i});
        int siguiente = n;
        while (cola.size() > 1) {
            auto a = cola.top();
            cola.pop();
            auto b = cola.top();
            cola.pop();
            padre[a.second] = padre[b.second] = siguiente;
            cola.push({a.first + b.first, siguiente++});
        }
        std::vector<std::uint8_t> l(n, 0);
        bool cabe = true;
        for (int i = 0; i < n; ++i) {
            if (!f[i]) continue;
            int d = 0;
            for (int j = i; padre[j] >= 0; j = padre[j]) ++d;
            if (d > kLimite) cabe = false;
            l[i] = static_cast<std::uint8_t>(d);
        }
        if (cabe) return l;
        for (auto& x : f)
            if (x) x = (x >> 1) | 1;
    }
}

// Codes in canonical order: by length, then by symbol.
std::vector<std::uint32_t> Codigos(const std::vector<std::uint8_t>& l) {
    std::vector<std::uint32_t> cuenta(kLimite + 1, 0), sig(kLimite + 2, 0), c(l.size(), 0);
    for (auto x : l)
        if (x) ++cuenta[x];
    for (int b = 1; b <= kLimite; ++b) sig[b + 1] = (sig[b] + cuenta[b]) << 1;
    for (std::size_t s = 0; s < l.size(); ++s)
        if (l[s]) c[s] = sig[l[s]]++;
    return c;
}

int Usados(const std::vector<std::uint32_t>& f) {
    return static_cast<int>(std::count_if(f.begin(), f.end(), [](auto x) { return x != 0; }));
}
int Primero(const std::vector<std::uint32_t>& f) {
    return static_cast<int>(std::find_if(f.begin(), f.end(), [](auto x) { return x != 0; }) - f.begin());
}
int Cuantos(const std::vector<std::uint8_t>& l) {
    int n = static_cast<int>(l.size());
    while (n > 0 && l[n - 1] == 0) --n;
    return n;
}

void PonerLargosPT(EscritorBits& w, const std::vector<std::uint8_t>& l, int bitsCuenta, int especial) {
    const int n = Cuantos(l);
    w.Poner(bitsCuenta, static_cast<std::uint32_t>(n));
    int i = 0;
    while (i < n) {
        const int k = l[i++];
        if (k <= 6) w.Poner(3, static_cast<std::uint32_t>(k));
        else w.Poner(k - 3, (1u << (k - 3)) - 2);
        if (i == especial) {
            while (i < 6 && l[i] == 0) ++i;
            w.Poner(2, static_cast<std::uint32_t>(i - 3));
        }
    }
}

struct Ficha {
    std::uint16_t codigo, desplazamiento;  // desplazamiento: distance − 1
};

int Clase(unsigned d) {
    int c = 0;
    while (d) {
        ++c;
        d >>= 1;
    }
    return c;
}

// The C lengths as symbols of the length code: 0 one zero, 1 and 2 runs of
// zeros (4 and 9 extra bits), k+2 a length k.
template <class F>
void RecorrerLargosC(const std::vector<std::uint8_t>& l, int n, F&& emitir) {
    int i = 0;
    while (i < n) {
        if (l[i] != 0) {
            emitir(l[i] + 2, 0, 0);
            ++i;
            continue;
        }
        int cuenta = 0;
        while (i < n && l[i] == 0) ++i, ++cuenta;
        if (cuenta <= 2)
            for (int k = 0; k < cuenta; ++k) emitir(0, 0, 0);
        else if (cuenta <= 18) emitir(1, 4, cuenta - 3);
        else if (cuenta == 19) emitir(0, 0, 0), emitir(1, 4, 15);
        else emitir(2, 9, cuenta - 20);
    }
}

void PonerBloque(EscritorBits& w, const std::vector<Ficha>& fichas) {
    std::vector<std::uint32_t> fc(kNC, 0), fp(kNP, 0);
    for (const auto& f : fichas) {
        ++fc[f.codigo];
        if (f.codigo >= 256) ++fp[static_cast<std::size_t>(Clase(f.desplazamiento))];
    }
    w.Poner(16, static_cast<std::uint32_t>(fichas.size()));
    std::vector<std::uint8_t> lc(kNC, 0), lp(kNP, 0);
    std::vector<std::uint32_t> cc, cp;
    if (Usados(fc) == 1) {
        w.Poner(5, 0), w.Poner(5, 0);
        w.Poner(9, 0), w.Poner(9, static_cast<std::uint32_t>(Primero(fc)));
    } else {
        lc = Largos(fc);
        cc = Codigos(lc);
        const int n = Cuantos(lc);
        std::vector<std::uint32_t> ft(kNT, 0);
        RecorrerLargosC(lc, n, [&](int s, int, int) { ++ft[static_cast<std::size_t>(s)]; });
        std::vector<std::uint8_t> lt(kNT, 0);
        std::vector<std::uint32_t> ct;
        if (Usados(ft) == 1) {
            w.Poner(5, 0), w.Poner(5, static_cast<std::uint32_t>(Primero(ft)));
        } else {
            lt = Largos(ft);
            ct = Codigos(lt);
            PonerLargosPT(w, lt, 5, 3);
        }
        w.Poner(9, static_cast<std::uint32_t>(n));
        RecorrerLargosC(lc, n, [&](int s, int bits, int extra) {
            if (!ct.empty()) w.Poner(lt[static_cast<std::size_t>(s)], ct[static_cast<std::size_t>(s)]);
            if (bits) w.Poner(bits, static_cast<std::uint32_t>(extra));
        });
    }
    if (Usados(fp) <= 1) {
        w.Poner(4, 0), w.Poner(4, static_cast<std::uint32_t>(Usados(fp) ? Primero(fp) : 0));
    } else {
        lp = Largos(fp);
        cp = Codigos(lp);
        PonerLargosPT(w, lp, 4, -1);
    }
    for (const auto& f : fichas) {
        if (!cc.empty()) w.Poner(lc[f.codigo], cc[f.codigo]);
        if (f.codigo < 256) continue;
        const int clase = Clase(f.desplazamiento);
        if (!cp.empty()) w.Poner(lp[static_cast<std::size_t>(clase)], cp[static_cast<std::size_t>(clase)]);
        if (clase > 1) w.Poner(clase - 1, f.desplazamiento - (1u << (clase - 1)));
    }
}

}  // namespace

std::string ComprimirLh5(std::string_view datos) {
    const auto* d = reinterpret_cast<const std::uint8_t*>(datos.data());
    const std::size_t n = datos.size();
    std::vector<std::int32_t> cabeza(1 << 15, -1), previo(n, -1);
    auto hash = [&](std::size_t i) { return ((d[i] << 10) ^ (d[i + 1] << 5) ^ d[i + 2]) & 0x7FFF; };
    auto insertar = [&](std::size_t i) {
        if (i + 2 >= n) return;
        const auto h = hash(i);
        previo[i] = cabeza[h];
        cabeza[h] = static_cast<std::int32_t>(i);
    };
    EscritorBits w;
    std::vector<Ficha> fichas;
    std::size_t i = 0;
    while (i < n) {
        std::size_t mejor = 0, dist = 0;
        if (i + kMinimo <= n) {
            const std::size_t tope = std::min<std::size_t>(kMaximo, n - i);
            std::int32_t j = cabeza[hash(i)];
            for (int k = 0; k < kCadena && j >= 0 && i - static_cast<std::size_t>(j) <= kVentana; ++k, j = previo[j]) {
                std::size_t l = 0;
                while (l < tope && d[static_cast<std::size_t>(j) + l] == d[i + l]) ++l;
                if (l > mejor) {
                    mejor = l;
                    dist = i - static_cast<std::size_t>(j);
                    if (l == tope) break;
                }
            }
        }
        if (mejor >= kMinimo) {
            fichas.push_back({static_cast<std::uint16_t>(mejor + 253), static_cast<std::uint16_t>(dist - 1)});
            for (std::size_t k = 0; k < mejor; ++k) insertar(i + k);
            i += mejor;
        } else {
            fichas.push_back({d[i], 0});
            insertar(i);
            ++i;
        }
        if (fichas.size() == kPorBloque) {
            PonerBloque(w, fichas);
            fichas.clear();
        }
    }
    if (!fichas.empty()) PonerBloque(w, fichas);
    return w.Final();
}

}  // namespace numbrix
