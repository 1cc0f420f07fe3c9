// The rational-mode engine: the fraction domain's arithmetic, its literals
// and built-ins, and the one instantiation of the generic engine over it.
#include "numbers/ExpresionQ.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "engine/ExprBaseX.h"
#include "engine/ExpresionImpl.h"
#include "numbers/DiagramaQ.h"

namespace numbrix {

namespace {

constexpr long double kDosA63 = 9223372036854775808.0L;  // 2^63

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Length of a decimal part «12», «1.5», «.5», «2e3» at t[i]; 0 if none.
std::size_t LargoDecimal(std::string_view t, std::size_t i) {
    std::size_t j = i;
    bool digitos = false;
    while (j < t.size() && EsDigito(t[j])) { ++j; digitos = true; }
    if (j < t.size() && t[j] == '.') {
        ++j;
        while (j < t.size() && EsDigito(t[j])) { ++j; digitos = true; }
    }
    if (!digitos) return 0;
    if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
        std::size_t k = j + 1;
        if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
        if (k < t.size() && EsDigito(t[k])) {
            while (k < t.size() && EsDigito(t[k])) ++k;
            j = k;
        }
    }
    return j - i;
}

// A part of a fraction literal as a whole number. False when it is not whole
// (then it is no literal); a whole part of 2^63 or more sets demasiado, so
// w·q + p never leaves 128 bits.
bool LeerParte(std::string_view parte, Entero128& valor, bool& demasiado) {
    bool soloDigitos = true;
    for (char c : parte) soloDigitos = soloDigitos && EsDigito(c);
    if (soloDigitos) {
        // Exact, however many digits.
        Natural128 n = 0;
        for (char c : parte) {
            n = n * 10 + static_cast<unsigned>(c - '0');
            if (n >= Natural128(1) << 63) {
                demasiado = true;
                n = 0;
            }
        }
        valor = static_cast<Entero128>(n);
        return true;
    }
    long double x;
    if (!LeerDecimal(parte, x) || !std::isfinite(x)) {
        // «1e99999»: a whole number far beyond any fraction.
        demasiado = true;
        valor = 0;
        return true;
    }
    long double entero = std::trunc(x);
    if (std::fabs(x - entero) >= 1e-15L) return false;
    if (entero >= kDosA63) {
        demasiado = true;
        valor = 0;
        return true;
    }
    valor = static_cast<std::int64_t>(entero);
    return true;
}

// The parts of the literal of length n at t[i]: 2 or 3 whole numbers.
struct Partes {
    Entero128 v[3] = {0, 0, 0};
    int cuantas = 0;
    bool demasiado = false;
};

// Recognizes the longest fraction literal at t[i] (w|p|q before a|b).
std::size_t Reconocer(std::string_view t, std::size_t i, Partes& p) {
    std::size_t fin[3];
    Partes leidas;
    std::size_t j = i;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (j >= t.size() || t[j] != '|') break;
            ++j;
        }
        std::size_t n = LargoDecimal(t, j);
        if (n == 0) break;
        if (!LeerParte(t.substr(j, n), leidas.v[k], leidas.demasiado)) break;
        j += n;
        fin[k] = j;
        leidas.cuantas = k + 1;
    }
    if (leidas.cuantas < 2) return 0;
    p = leidas;
    return fin[leidas.cuantas - 1] - i;
}

// Characters that glue a number to what comes before it («x1», «2.5», «F[16]»).
bool PegaAntes(std::string_view t, std::size_t i) {
    if (i == 0) return false;
    unsigned char c = static_cast<unsigned char>(t[i - 1]);
    if (c == 0xA3 && i >= 2 && static_cast<unsigned char>(t[i - 2]) == 0xC2) return false;  // "£"
    return std::isalnum(c) || c == '.' || c == '_' || c == '?' || c == '[' || c == ']' || c == '|' || c >= 0x80;
}

// The fraction from its parts: a over b, or w p/q as (w·q + p)/q.
TFrac FraccionDe(const Partes& p) {
    if (p.demasiado) LanzarDesbordamientoEntero();
    Entero128 num = p.cuantas == 2 ? p.v[0] : p.v[0] * p.v[2] + p.v[1];
    Entero128 den = p.cuantas == 2 ? p.v[1] : p.v[2];
    if (den == 0) LanzarDivisionCero();
    return TFrac::DesdeEnteros(num, den);
}

using Nodos = std::vector<Ref<TEvalQ>>;

TFrac Si(ContextoQ& c, const Nodos& a) {
    return a[0]->Valor(c).Num() > 0 ? a[1]->Valor(c) : a[2]->Valor(c);
}

TFrac Reciproco(const ContextoQ&, const TFrac& x) {
    TFrac r = x;
    return r.Invierte();  // 0 raises the zero-denominator failure here, not later
}

TFrac Cuadrado(const ContextoQ&, const TFrac& x) {
    TFrac r = x;
    return r.Multiplica(x);
}

TFrac RaizCuadrada(const ContextoQ& c, const TFrac& x) {
    if (x.Num() < 0) LanzarOperacionInvalida();
    TFrac r = x;
    return r.Raiz(TFrac(2), c.ajustes->extra);  // exact for perfect squares
}

TFrac Absoluto(const ContextoQ&, const TFrac& x) {
    TFrac r = x;
    if (r.Num() < 0) r.CambiaSigno();
    return r;
}

}  // namespace

std::size_t LargoLiteralFraccion(std::string_view texto, std::size_t i) {
    Partes p;
    return Reconocer(texto, i, p);
}

DominioRacional::Valor DominioRacional::DeReal(long double x) {
    if (x == std::trunc(x) && std::fabs(x) < kDosA63) return TFrac(static_cast<std::int64_t>(x));
    return RealAFrac(0, x);
}

bool DominioRacional::Igual(const Aj& aj, const Valor& a, const Valor& b) {
    if (a == b) return true;
    return std::fabs(a.Valor() - b.Valor()) <= aj.tolerancia;
}

DominioRacional::Valor DominioRacional::Div(const Aj&, Valor a, const Valor& b) {
    // Any zero divisor, 0/0 too, is the expression's division by zero.
    if (b.EsCero()) LanzarDivisionCero();
    return a.Divide(b);
}

DominioRacional::Valor DominioRacional::LogN(const Aj& aj, const Valor& a, const Valor& base) {
    const long double r = DominioReal::LogN(AjustesMotor<DominioReal>{}, a.Valor(), base.Valor());
    return RealAFrac(aj.extra.DenominadorMax, r, aj.extra);
}

bool DominioRacional::LeerLiteral(const Aj& aj, std::string_view texto, Valor& v, int& base) {
    if (texto.find('|') != std::string_view::npos) {
        Partes p;
        if (texto.empty() || !(EsDigito(texto[0]) || texto[0] == '.') || Reconocer(texto, 0, p) != texto.size())
            return false;
        v = FraccionDe(p);
        base = 10;
        return true;
    }
    long double x;
    if (!DominioReal::LeerLiteral(texto, x, base)) return false;
    if (x == std::trunc(x)) {
        if (!(std::fabs(x) < kDosA63)) LanzarDesbordamientoEntero();
        v = TFrac(static_cast<std::int64_t>(x));
    } else {
        v = RealAFrac(aj.extra.DenominadorMax, x, aj.extra);
    }
    return true;
}

std::string DominioRacional::PrepararTexto(std::string_view texto) {
    const std::string original = numbrix::PrepararTexto(texto, false);
    std::string t = original;
    std::size_t i = 0;
    while (i < t.size()) {
        if (t[i] == '|') {
            t[i++] = '/';
            continue;
        }
        if ((EsDigito(t[i]) || t[i] == '.') && !PegaAntes(original, i)) {
            std::size_t n = LargoLiteralFraccion(original, i);
            if (n > 0) {
                i += n;  // its bars stay
                continue;
            }
        }
        ++i;
    }
    return t;
}

std::string DominioRacional::TextoExacto(const Valor& v) {
    const std::string den = std::to_string(v.Den());
    if (v.Num() == std::numeric_limits<std::int64_t>::min()) {
        // -2^63 has no positive counterpart to write after a minus sign.
        const std::string num = "(-9223372036854775807-1)";
        return v.Den() == 1 ? num : num + "/" + den;
    }
    if (v.Den() == 1) return std::to_string(v.Num());
    return std::to_string(v.Num()) + "|" + den;
}

void RegistrarFijasQ(TExpresionQ& e) {
    e.AgregarFuncionN("Si/If", Si, "Condicional", 3, 3);
    e.AgregarFuncionN("LogBase/LogN", {}, "Logaritmo base N", 2, 2);
}

void RegistrarPredefinidasQ(TExpresionQ& e) {
    // Rcp, sqr, sqrt and Abs have typeset forms of their own.
    using P = DibujoPropio<DominioRacional>;
    auto rcp = P::ConExponente("−1"), cuad = P::ConExponente("2"), raiz = P::Radical(), abs = P::Barras();
    e.AgregarFuncion1("Rcp", Reciproco, Reciproco, "Recíproco", rcp.first, rcp.second);
    e.AgregarFuncion1("sqr/cuad", Cuadrado, RaizCuadrada, "Cuadrado", cuad.first, cuad.second);
    e.AgregarFuncion1("sqrt/raiz", RaizCuadrada, Cuadrado, "Raíz cuadrada", raiz.first, raiz.second);
    e.AgregarFuncion1("Abs", Absoluto, {}, "Valor Absoluto", abs.first, abs.second);
}

void DominioRacional::RegistrarFijas(TExpresion<DominioRacional>& e) { RegistrarFijasQ(e); }
void DominioRacional::RegistrarPredefinidas(TExpresion<DominioRacional>& e) { RegistrarPredefinidasQ(e); }

template class TExpresion<DominioRacional>;

}  // namespace numbrix
