#include "support/StreamsRoutines.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace numbrix {

namespace {

[[noreturn]] void Danado() { throw ECorruptFile(kComprimidoDanado); }

constexpr int kDiccionario = 8192;
constexpr int kNC = 510;  // literals and match lengths
constexpr int kNT = 19;   // lengths of the literal-and-length code
constexpr int kNP = 14;   // position classes
constexpr int kMaxBits = 16;

// Most significant bit first. Peeking past the end reads zeros, so a table
// look-up may see beyond the last code; consuming past it is the corruption.
class LectorBits {
public:
    explicit LectorBits(std::string_view d)
        : p_(reinterpret_cast<const std::uint8_t*>(d.data())), n_(d.size()), total_(std::uint64_t(d.size()) * 8) {}

    std::uint32_t Ver(int k) {
        if (bits_ < k) Llenar();
        return static_cast<std::uint32_t>(buf_ >> (64 - k));
    }
    void Saltar(int k) {
        buf_ <<= k;
        bits_ -= k;
        if (cargados_ * 8 - static_cast<std::uint64_t>(bits_) > total_) Danado();
    }
    std::uint32_t Leer(int k) {
        if (k == 0) return 0;
        const auto v = Ver(k);
        Saltar(k);
        return v;
    }

private:
    void Llenar() {
        if (cargados_ + 8 <= n_) {
            // Whole bytes while the buffer has room for them.
            while (bits_ <= 56) {
                buf_ |= std::uint64_t(p_[cargados_++]) << (56 - bits_);
                bits_ += 8;
            }
            return;
        }
        while (bits_ <= 56) {
            const std::uint8_t b = cargados_ < n_ ? p_[cargados_] : 0;
            ++cargados_;
            buf_ |= std::uint64_t(b) << (56 - bits_);
            bits_ += 8;
        }
    }

    const std::uint8_t* p_;
    std::size_t n_;
    std::uint64_t total_;
    std::uint64_t cargados_ = 0;
    std::uint64_t buf_ = 0;
    int bits_ = 0;
};

// A canonical prefix code: a direct table for codes up to `Directos` bits,
// the count-per-length walk for the longer ones.
template <int N, int Directos>
class Codigo {
public:
    // One symbol whose code has no bits.
    void Unico(int simbolo) {
        unico_ = simbolo;
    }
    // Lengths of symbols 0..n-1 (the rest are 0). Refuses over-subscribed
    // and incomplete sets: the walk below relies on a complete code.
    void Construir(const std::uint8_t* largos, int n) {
        unico_ = -1;
        std::array<std::uint16_t, kMaxBits + 1> cuenta{};
        for (int i = 0; i < n; ++i) {
            if (largos[i] > kMaxBits) Danado();
            ++cuenta[largos[i]];
        }
        std::uint32_t kraft = 0;
        for (int l = 1; l <= kMaxBits; ++l) kraft += std::uint32_t(cuenta[l]) << (kMaxBits - l);
        if (kraft != (1u << kMaxBits)) Danado();
        std::array<std::uint16_t, kMaxBits + 2> desde{};
        for (int l = 1; l <= kMaxBits; ++l) desde[l + 1] = desde[l] + cuenta[l];
        cuenta_ = cuenta;
        std::array<std::uint32_t, kMaxBits + 1> siguiente{};
        std::uint32_t codigo = 0;
        for (int l = 1; l <= kMaxBits; ++l) {
            codigo = (codigo + (l > 1 ? cuenta[l - 1] : 0)) << (l > 1 ? 1 : 0);
            siguiente[l] = codigo;
        }
        std::fill(tabla_.begin(), tabla_.end(), 0);
        for (int s = 0; s < n; ++s) {
            const int l = largos[s];
            if (l == 0) continue;
            orden_[desde[l]++] = static_cast<std::uint16_t>(s);
            const std::uint32_t c = siguiente[l]++;
            if (l <= Directos) {
                const std::uint32_t ini = c << (Directos - l), fin = (c + 1) << (Directos - l);
                const std::uint32_t entrada = (std::uint32_t(s) << 5) | std::uint32_t(l);
                for (std::uint32_t i = ini; i < fin; ++i) tabla_[i] = entrada;
            }
        }
    }
    int Decodificar(LectorBits& b) const {
        if (unico_ >= 0) return unico_;
        const std::uint32_t e = tabla_[b.Ver(Directos)];
        if (e != 0) {
            b.Saltar(static_cast<int>(e & 31));
            return static_cast<int>(e >> 5);
        }
        const std::uint32_t v = b.Ver(kMaxBits);
        std::uint32_t primero = 0, indice = 0;
        for (int l = 1; l <= kMaxBits; ++l) {
            const std::uint32_t c = v >> (kMaxBits - l);
            if (c - primero < cuenta_[l]) {
                b.Saltar(l);
                return orden_[indice + c - primero];
            }
            indice += cuenta_[l];
            primero = (primero + cuenta_[l]) << 1;
        }
        Danado();  // unreachable for a complete code
    }

private:
    int unico_ = 0;
    std::array<std::uint32_t, 1u << Directos> tabla_{};
    std::array<std::uint16_t, kMaxBits + 1> cuenta_{};
    std::array<std::uint16_t, N> orden_{};
};

using CodigoC = Codigo<kNC, 12>;
using CodigoPT = Codigo<kNT, 8>;

// The lengths of the length code or of the position code: a count, then
// each length in 3 bits, 7 extended by a run of ones; after the third, the
// length code may skip up to three zeros.
void LeerLargosPT(LectorBits& b, CodigoPT& codigo, int bitsCuenta, int especial, int simbolos) {
    const int n = static_cast<int>(b.Leer(bitsCuenta));
    if (n == 0) {
        const int s = static_cast<int>(b.Leer(bitsCuenta));
        if (s >= simbolos) Danado();
        codigo.Unico(s);
        return;
    }
    if (n > simbolos) Danado();
    std::uint8_t largos[kNT] = {};
    int i = 0;
    while (i < n) {
        int l = static_cast<int>(b.Leer(3));
        if (l == 7)
            while (b.Leer(1) == 1)
                if (++l > kMaxBits) Danado();
        largos[i++] = static_cast<std::uint8_t>(l);
        if (i == especial) {
            const int ceros = static_cast<int>(b.Leer(2));
            if (i + ceros > simbolos) Danado();
            i += ceros;
        }
    }
    codigo.Construir(largos, simbolos);
}

void LeerLargosC(LectorBits& b, const CodigoPT& pt, CodigoC& c) {
    const int n = static_cast<int>(b.Leer(9));
    if (n == 0) {
        const int s = static_cast<int>(b.Leer(9));
        if (s >= kNC) Danado();
        c.Unico(s);
        return;
    }
    if (n > kNC) Danado();
    std::uint8_t largos[kNC] = {};
    int i = 0;
    while (i < n) {
        const int k = pt.Decodificar(b);
        if (k <= 2) {
            const int ceros = k == 0 ? 1 : k == 1 ? static_cast<int>(b.Leer(4)) + 3 : static_cast<int>(b.Leer(9)) + 20;
            if (i + ceros > n) Danado();
            i += ceros;
        } else {
            largos[i++] = static_cast<std::uint8_t>(k - 2);
        }
    }
    c.Construir(largos, kNC);
}

}  // namespace

std::string ExpandirLh5(std::string_view datos, std::uint64_t tam, std::uint64_t maximo) {
    if (tam > maximo) Danado();
    std::string salida;
    // Grows with what the stream produces: a short stream that declares a
    // large size fails before the size is reserved.
    salida.resize(static_cast<std::size_t>(std::min<std::uint64_t>(tam, 64 * 1024)));
    std::size_t pos = 0;
    const std::size_t fin = static_cast<std::size_t>(tam);
    LectorBits b(datos);
    CodigoPT pt, p;
    CodigoC c;
    std::uint32_t bloque = 0;
    while (pos < fin) {
        if (bloque == 0) {
            bloque = b.Leer(16);
            if (bloque == 0) Danado();
            LeerLargosPT(b, pt, 5, 3, kNT);
            LeerLargosC(b, pt, c);
            LeerLargosPT(b, p, 4, -1, kNP);
        }
        --bloque;
        if (pos + 256 > salida.size() && salida.size() < fin)
            salida.resize(std::min(fin, std::max(salida.size() * 2, pos + 256)));
        char* s = salida.data();
        const int k = c.Decodificar(b);
        if (k < 256) {
            s[pos++] = static_cast<char>(k);
            continue;
        }
        std::size_t largo = static_cast<std::size_t>(k - 253);
        const int clase = p.Decodificar(b);
        std::size_t distancia = clase == 0 ? 1 : (std::size_t(1) << (clase - 1)) + b.Leer(clase - 1) + 1;
        largo = std::min(largo, fin - pos);
        // The dictionary starts filled with spaces: references before the
        // start read them.
        while (largo > 0 && distancia > pos) {
            s[pos++] = ' ';
            --largo;
        }
        const char* desde = s + pos - distancia;
        char* a = s + pos;
        if (distancia >= largo) std::memcpy(a, desde, largo);
        else
            for (std::size_t i = 0; i < largo; ++i) a[i] = desde[i];
        pos += largo;
    }
    return salida;
}

}  // namespace numbrix
