#include "tools/Poli.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <numeric>

#include "engine/bases2_36.h"
#include "numbers/ExpresionC.h"
#include "support/basicos.h"
#include "tools/Primo.h"

namespace numbrix {

namespace {

std::string SinBlancos(std::string_view t) {
    std::string s;
    for (char ch : t)
        if (ch != ' ' && ch != '\t' && ch != '^') s += ch;
    return s;
}

TFrac LeerCoef(const std::string& t, std::string_view entrada, const AjustesFraccion& aj) {
    if (t.empty()) throw EPoli(MensajeNoRacional(entrada));
    auto f = TextoAFrac(t, aj);
    if (!f) throw EPoli(MensajeNoRacional(entrada));
    return *f;
}

bool TodoDigitos(std::string_view t) {
    if (t.empty()) return false;
    for (char ch : t)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    return true;
}

}  // namespace

std::string MensajeNoRacional(std::string_view texto) {
    return "\"" + std::string(texto) + "\" no es un valor racional valido";
}

// ---------------------------------------------------------------- text

TPoli TPoli::DesdeTexto(std::string_view texto, const AjustesFraccion& aj) {
    const std::string entrada(Recortar(texto));
    std::string s;
    for (char ch : entrada)
        if (ch != ' ' && ch != '\t') s += ch;
    if (s.empty()) throw EPoli(MensajeNoRacional(entrada));
    // "^" only as x^n: elsewhere dropping it would silently change the number.
    for (std::size_t k = 0; k < s.size(); ++k)
        if (s[k] == '^' && (k == 0 || s[k - 1] != 'x' || k + 1 >= s.size() ||
                            !std::isdigit(static_cast<unsigned char>(s[k + 1]))))
            throw EPoli("Potencia no válida: " + entrada);
    std::erase(s, '^');

    TPoli p;
    if (s.find('x') == std::string::npos) {
        p.PonCoef(0, LeerCoef(s, entrada, aj));
        return p;
    }
    std::vector<std::string> terminos;
    std::string actual(1, s[0]);
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch == '+' || ch == '-') {
            terminos.push_back(actual);
            actual = ch == '-' ? "-" : "";
        } else {
            actual += ch;
        }
    }
    terminos.push_back(actual);
    if (terminos[0][0] == '+') terminos[0].erase(0, 1);

    for (const std::string& t : terminos) {
        if (t.empty() || t == "-") throw EPoli(MensajeNoRacional(entrada));
        const auto px = t.find('x');
        if (px == std::string::npos) {
            p.PonCoef(0, p.Coef(0) + LeerCoef(t, entrada, aj));
            continue;
        }
        const std::string antes = t.substr(0, px), despues = t.substr(px + 1);
        TFrac coef = antes.empty() ? TFrac(1) : antes == "-" ? TFrac(-1) : LeerCoef(antes, entrada, aj);
        int potencia = 1;
        if (!despues.empty()) {
            if (!TodoDigitos(despues)) throw EPoli(MensajeNoRacional(entrada));
            const std::size_t inicio = despues.find_first_not_of('0');
            const std::string cifras = inicio == std::string::npos ? "0" : despues.substr(inicio);
            if (cifras.size() > 3 || std::stoi(cifras) > kGradoMaximoPoli) throw EPoli(kMsjGradoMaximo);
            potencia = std::stoi(cifras);
        }
        p.PonCoef(potencia, p.Coef(potencia) + coef);
    }
    return p;
}

std::string TPoli::ATexto(const AjustesFraccion& aj) const {
    std::string r;
    for (int i = Grado(); i >= 0; --i) {
        const TFrac f = Coef(i);
        if (f.EsCero()) continue;
        if (!r.empty()) {
            r += ' ';
            if (f.Num() > 0) r += '+';
        }
        if (i >= 1 && f.EsEntero() && (f.Num() == 1 || f.Num() == -1)) {
            if (f.Num() < 0) r += '-';
        } else {
            r += SinBlancos(f.ATexto(aj));
        }
        if (i >= 1) r += 'x';
        if (i >= 2) r += '^' + std::to_string(i);
    }
    return r.empty() ? "0" : r;
}

// ---------------------------------------------------------------- structure

int TPoli::Grado() const {
    for (int i = static_cast<int>(c_.size()) - 1; i >= 1; --i)
        if (!c_[i].EsCero()) return i;
    return 0;
}

void TPoli::PonCoef(int i, const TFrac& f) {
    if (i < 0 || i > kGradoMaximoPoli) throw EPoli(kMsjGradoMaximo);
    if (i >= static_cast<int>(c_.size())) {
        if (f.EsCero()) return;
        c_.resize(i + 1);
    }
    c_[i] = f;
}

bool operator==(const TPoli& a, const TPoli& b) {
    const int n = std::max(a.Grado(), b.Grado());
    for (int i = 0; i <= n; ++i)
        if (a.Coef(i) != b.Coef(i)) return false;
    return true;
}

// ---------------------------------------------------------------- arithmetic

TPoli& TPoli::Suma(const TPoli& q) {
    for (int i = 0; i <= q.Grado(); ++i) PonCoef(i, Coef(i) + q.Coef(i));
    return *this;
}

TPoli& TPoli::Resta(const TPoli& q) {
    for (int i = 0; i <= q.Grado(); ++i) PonCoef(i, Coef(i) - q.Coef(i));
    return *this;
}

TPoli& TPoli::CambiaSigno() {
    for (TFrac& f : c_) f.CambiaSigno();
    return *this;
}

TPoli& TPoli::MultiplicaMonomio(const TFrac& t, int m) {
    if (EsCero() || t.EsCero()) {
        c_.clear();
        return *this;
    }
    const int g = Grado();
    if (g + m > kGradoMaximoPoli) throw EPoli(kMsjGradoMaximo);
    std::vector<TFrac> n(g + m + 1);
    for (int i = 0; i <= g; ++i) n[i + m] = c_[i] * t;
    c_ = std::move(n);
    return *this;
}

TPoli& TPoli::Deriva() {
    const int g = Grado();
    std::vector<TFrac> n(g == 0 ? 1 : g);
    for (int i = 1; i <= g; ++i) n[i - 1] = TFrac(c_[i]).MultiplicaEntero(i);
    c_ = std::move(n);
    return *this;
}

TPoli& TPoli::Integra() {
    if (EsCero()) return *this;
    const int g = Grado();
    if (g >= kGradoMaximoPoli) throw EPoli(kMsjGradoMaximo);
    std::vector<TFrac> n(g + 2);
    for (int i = g; i >= 0; --i) n[i + 1] = TFrac(Coef(i)).DivideEntero(i + 1);
    c_ = std::move(n);
    return *this;
}

TPoli TPoli::Producto(const TPoli& p, const TPoli& q) {
    const int gp = p.Grado(), gq = q.Grado();
    if (gp + gq > kGradoMaximoPoli) throw EPoli(kMsjGradoProducto);
    TPoli r;
    r.c_.resize(gp + gq + 1);
    for (int i = 0; i <= gp; ++i) {
        if (p.Coef(i).EsCero()) continue;
        for (int j = 0; j <= gq; ++j) r.c_[i + j].Suma(p.Coef(i) * q.Coef(j));
    }
    return r;
}

std::pair<TPoli, TPoli> TPoli::Divide(const TPoli& p, const TPoli& d) {
    const int gd = d.Grado();
    if (gd == 0) {
        const TFrac d0 = d.Coef(0);
        if (d0.EsCero()) {
            if (p.EsCero()) return {TPoli(), TPoli()};
            LanzarDivisionEntreCero();
        }
        TPoli q = p;
        for (TFrac& f : q.c_) f.Divide(d0);
        return {q, TPoli()};
    }
    TPoli r = p, q;
    const TFrac lider = d.Coef(gd);
    while (!r.EsCero() && r.Grado() >= gd) {
        const int k = r.Grado(), m = k - gd;
        const TFrac t = r.Coef(k) / lider;
        for (int j = 0; j <= gd; ++j) r.c_[j + m].Resta(t * d.Coef(j));
        r.c_[k] = TFrac();  // exact, but a zero must not stay behind as the top
        q.PonCoef(m, q.Coef(m) + t);
    }
    return {q, r};
}

std::pair<TPoli, TFrac> TPoli::Ruffini(const TPoli& p, const TFrac& r) {
    const int g = p.Grado();
    if (g == 0) return {TPoli(), p.Coef(0)};
    TPoli q;
    q.c_.resize(g);
    q.c_[g - 1] = p.Coef(g);
    TFrac resto;
    for (int k = g - 1; k >= 0; --k) {
        const TFrac t = q.c_[k] * r + p.Coef(k);
        if (k > 0)
            q.c_[k - 1] = t;
        else
            resto = t;
    }
    return {q, resto};
}

// ---------------------------------------------------------------- evaluation

long double TPoli::EvaluaReal(long double x) const {
    long double v = 0;
    for (int i = Grado(); i >= 0; --i) v = v * x + Coef(i).Valor();
    return v;
}

TFrac TPoli::EvaluaRacional(const TFrac& x, const AjustesFraccion& aj) const {
    try {
        TFrac v;
        for (int i = Grado(); i >= 0; --i) v = v * x + Coef(i);
        return v;
    } catch (const EFraccion& e) {
        if (e.tipo() != EFraccion::Tipo::Desbordamiento) throw;
        return RealAFrac(aj.DenominadorMax, EvaluaReal(x.Valor()), aj);
    }
}

TComplejo TPoli::EvaluaComplejo(const TComplejo& z) const {
    TComplejo suma{0, 0}, potencia{1, 0};
    const int g = Grado();
    for (int i = 0; i <= g; ++i) {
        if (i > 0) potencia = potencia * z;
        if (!Coef(i).EsCero()) suma = suma + potencia * TComplejo{Coef(i).Valor(), 0};
    }
    return suma;
}

// ---------------------------------------------------------------- roots

namespace {

const char* const kCubica[3] = {
    "-b/(3*a)-(2\\3*(-b^2+3*a*c))/(3*a*(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3)+(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3/(3*2\\3*a)",
    "-b/(3*a)+((1+i*(3)\\2)*(-b^2+3*a*c))/(3*2^(2/3)*a*(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3)-(1-i*(3)\\2)*(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3/(6*2\\3*a)",
    "-b/(3*a)+((1-i*(3)\\2)*(-b^2+3*a*c))/(3*2^(2/3)*a*(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3)-(1+i*(3)\\2)*(-2*b^3+9*a*b*c-27*a^2*d+(4*(-b^2+3*a*c)^3+(-2*b^3+9*a*b*c-27*a^2*d)^2)\\2)\\3/(6*2\\3*a)",
};
const char* const kCuarticaA = "-b/(4*a)";
const char* const kCuarticaS = "1/2*Sqrt(b^2/(4*a^2) - 2*c/(3*a) + J + 1/(3*2\\3*a)*H)";
const char* const kCuarticaT = "1/2*Sqrt(b^2/(2*a^2) - 4*c/(3*a) - J - 1/(3*2\\3*a)*H";
const char* const kCuarticaU =
    "(-b^3/a^3 + 4*b*c/a^2 - 8*d/a)/(4*Sqrt(b^2/(4*a^2) - 2*c/(3*a) + J + 1/(3*2\\3*a)*H)))";

// The closed formulas run in a silent complex engine of their own, made on
// first use; an evaluation failure (0/0 at a multiple root) is an exception.
struct MotorFormulas {
    TExpresionC e;
    std::shared_ptr<TVariable<DominioComplejo>> a, b, c, d, f, G, H, J;
    MotorFormulas() {
        e.Silencioso = true;
        e.SetPredefinidas(true);
        a = e.AgregarVariable("a");
        b = e.AgregarVariable("b");
        c = e.AgregarVariable("c");
        d = e.AgregarVariable("d");
        f = e.AgregarVariable("f");
        G = e.AgregarVariable("G");
        H = e.AgregarVariable("H");
        J = e.AgregarVariable("J");
    }
};

MotorFormulas& Motor() {
    thread_local std::unique_ptr<MotorFormulas> m;
    if (!m) m = std::make_unique<MotorFormulas>();
    return *m;
}

TComplejo Real(const TFrac& f) { return TComplejo{f.Valor(), 0}; }

// Relative residual: |P(z)| small beside the terms it sums.
bool EsRaizC(const TPoli& p, const TComplejo& z) {
    try {
        const TComplejo v = p.EvaluaComplejo(z);
        const long double m = CModulo(z);
        long double escala = 0, potencia = 1;
        for (int i = 0; i <= p.Grado(); ++i, potencia *= m) escala += std::fabs(p.Coef(i).Valor()) * potencia;
        const long double r = CModulo(v);
        return std::isfinite(r) && std::isfinite(escala) && (r == 0 || r < 1e-12L * escala);
    } catch (const std::exception&) {
        return false;
    }
}

bool EsRaizR(const TPoli& p, long double x) {
    const long double v = p.EvaluaReal(x);
    long double escala = 0, potencia = 1;
    for (int i = 0; i <= p.Grado(); ++i, potencia *= std::fabs(x)) escala += std::fabs(p.Coef(i).Valor()) * potencia;
    return std::isfinite(v) && std::isfinite(escala) && (v == 0 || std::fabs(v) < 1e-12L * escala);
}

// Tries the candidate formulas in order; the accepted ones are written, each
// followed by a line break but the last of the set. Returns how many passed.
int Candidatos(const TPoli& p, MotorFormulas& m, const std::vector<std::string>& formulas, std::string& texto) {
    int aceptadas = 0;
    for (std::size_t k = 0; k < formulas.size(); ++k) {
        TComplejo z;
        try {
            z = m.e.EvaluarTexto(formulas[k]);
        } catch (const std::exception&) {
            continue;
        }
        if (!EsRaizC(p, z)) continue;
        ++aceptadas;
        texto += ComplejoATexto(z);
        if (k + 1 < formulas.size()) texto += "\r\n";
    }
    return aceptadas;
}

int Cubica(const TPoli& p, std::string& texto) {
    MotorFormulas& m = Motor();
    m.a->AsignarValor(Real(p.Coef(3)));
    m.b->AsignarValor(Real(p.Coef(2)));
    m.c->AsignarValor(Real(p.Coef(1)));
    m.d->AsignarValor(Real(p.Coef(0)));
    return Candidatos(p, m, {kCubica[0], kCubica[1], kCubica[2]}, texto);
}

int Cuartica(TPoli& p, std::string& texto) {
    MotorFormulas& m = Motor();
    const std::string A = kCuarticaA, S = kCuarticaS, T = kCuarticaT, U = kCuarticaU;
    const std::vector<std::string> formulas = {A + "-" + S + "-" + T + "-" + U, A + "-" + S + "+" + T + "-" + U,
                                               A + "+" + S + "-" + T + "+" + U, A + "+" + S + "+" + T + "+" + U};
    for (int pasada = 0; pasada < 2; ++pasada) {
        if (pasada == 1) p.CambiaSigno();
        m.a->AsignarValor(Real(p.Coef(4)));
        m.b->AsignarValor(Real(p.Coef(3)));
        m.c->AsignarValor(Real(p.Coef(2)));
        m.d->AsignarValor(Real(p.Coef(1)));
        m.f->AsignarValor(Real(p.Coef(0)));
        try {
            m.G->AsignarValor(m.e.EvaluarTexto("2*c^3 - 9*b*c*d + 27*a*d^2 + 27*b^2*f - 72*a*c*f"));
            m.H->AsignarValor(m.e.EvaluarTexto("(G + Sqrt(-4*(c^2 - 3*b*d + 12*a*f)^3 + (G)^2))\\3"));
            m.J->AsignarValor(m.e.EvaluarTexto("2\\3*(c^2 - 3*b*d + 12*a*f)/(3*a*H)"));
        } catch (const std::exception&) {
            continue;
        }
        const int k = Candidatos(p, m, formulas, texto);
        if (k > 0) return k;
    }
    return 0;
}

void Bicuadrada(const TPoli& p, std::string& texto) {
    const long double a = p.Coef(4).Valor(), b = p.Coef(2).Valor(), c = p.Coef(0).Valor();
    const TComplejo w = CRaiz(TComplejo{b * b - 4 * a * c, 0}) / TComplejo{2 * a, 0};
    const TComplejo m{-b / (2 * a), 0};
    const TComplejo y1 = CRaiz(m + w), y2 = CRaiz(m - w);
    texto += ComplejoATexto(y1) + "\r\n" + ComplejoATexto(-y1) + "\r\n" + ComplejoATexto(y2) + "\r\n" +
             ComplejoATexto(-y2);
}

void Cuadratica(const TPoli& p, std::string& texto) {
    const long double a = p.Coef(2).Valor(), b = p.Coef(1).Valor(), c = p.Coef(0).Valor();
    const TComplejo w = CRaiz(TComplejo{b * b - 4 * a * c, 0}) / TComplejo{2 * a, 0};
    const TComplejo m{-b / (2 * a), 0};
    texto += ComplejoATexto(m + w) + "\r\n" + ComplejoATexto(m - w) + "\r\n";
}

// ---- the rational search over the integer multiple of P

constexpr std::uint64_t kPrimoFiltro = (1ull << 61) - 1;

std::uint64_t MulMod(std::uint64_t a, std::uint64_t b) {
    return static_cast<std::uint64_t>(static_cast<Natural128>(a) * b % kPrimoFiltro);
}

std::uint64_t Mod(Entero128 v) {
    Entero128 r = v % static_cast<Entero128>(kPrimoFiltro);
    if (r < 0) r += kPrimoFiltro;
    return static_cast<std::uint64_t>(r);
}

Natural128 Abs128(Entero128 v) { return v < 0 ? static_cast<Natural128>(-v) : static_cast<Natural128>(v); }

Natural128 Mcd128(Natural128 a, Natural128 b) {
    while (b != 0) {
        const Natural128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// P times the lcm of its denominators over the content; false when the
// lcm does not fit in 63 bits.
bool Enteros(const TPoli& p, std::vector<Entero128>& c) {
    const int g = p.Grado();
    Natural128 mcm = 1;
    for (int i = 0; i <= g; ++i) {
        const std::uint32_t d = p.Coef(i).Den();
        mcm = mcm / Mcd128(mcm, d) * d;
        if (mcm > static_cast<Natural128>(kMaximoPrimos)) return false;
    }
    c.assign(g + 1, 0);
    Natural128 contenido = 0;
    for (int i = 0; i <= g; ++i) {
        const TFrac f = p.Coef(i);
        c[i] = static_cast<Entero128>(f.Num()) * static_cast<Entero128>(mcm / f.Den());
        contenido = Mcd128(contenido, Abs128(c[i]));
    }
    for (Entero128& v : c) v /= static_cast<Entero128>(contenido);
    return true;
}

// q^n·P(p/q) modulo a 61-bit prime: zero for every root, rarely otherwise.
bool PasaFiltro(const std::vector<Entero128>& c, std::uint64_t p, bool negativo, std::uint64_t q) {
    const int n = static_cast<int>(c.size()) - 1;
    std::uint64_t pm = p % kPrimoFiltro;
    if (negativo && pm != 0) pm = kPrimoFiltro - pm;
    const std::uint64_t qm = q % kPrimoFiltro;
    std::uint64_t v = Mod(c[n]), qk = 1;
    for (int i = n - 1; i >= 0; --i) {
        qk = MulMod(qk, qm);
        v = (MulMod(v, pm) + MulMod(Mod(c[i]), qk)) % kPrimoFiltro;
    }
    return v == 0;
}

// Ruffini whose overflow is a flag: an overflowing candidate is no root.
bool RuffiniExacto(const TPoli& p, const TFrac& r, TPoli& cociente) {
    try {
        auto [q, resto] = TPoli::Ruffini(p, r);
        if (!resto.EsCero()) return false;
        cociente = std::move(q);
        return true;
    } catch (const EFraccion&) {
        return false;
    }
}

bool RaizRacional(const TPoli& p, TFrac& raiz, TPoli& cociente) {
    std::vector<Entero128> c;
    if (!Enteros(p, c)) return false;
    const Natural128 a0 = Abs128(c.front()), an = Abs128(c.back());
    if (a0 > kMaximoPrimos || an > kMaximoPrimos || a0 == 0) return false;
    const std::vector<std::uint64_t> ps = Divisores(static_cast<std::uint64_t>(a0));
    std::vector<std::uint64_t> qs = Divisores(static_cast<std::uint64_t>(an));
    std::erase_if(qs, [](std::uint64_t q) { return q > 0xFFFFFFFFull; });
    // Every root lies within Fujiwara's bound 2·max |a(n−k)/a(n)|^(1/k) (the
    // last term halved): only q ≥ p/B can give one. With huge ends the pairs
    // still run to billions, so a budget of tests ends the search: what it did
    // not try is reported as not found.
    const int n = static_cast<int>(c.size()) - 1;
    long double cota = 0;
    for (int k = 1; k <= n; ++k) {
        long double t = std::fabs(static_cast<long double>(c[n - k]) / static_cast<long double>(c[n]));
        if (k == n) t /= 2;
        cota = std::max(cota, std::pow(t, 1.0L / k));
    }
    cota = 2 * cota * (1 + 1e-9L) + 1e-9L;
    long presupuesto = 1l << 20;
    for (std::uint64_t pp : ps) {
        const long double minimo = static_cast<long double>(pp) / cota;
        for (auto it = std::lower_bound(qs.begin(), qs.end(), minimo,
                                        [](std::uint64_t q, long double m) { return static_cast<long double>(q) < m; });
             it != qs.end(); ++it) {
            const std::uint64_t qq = *it;
            if (std::gcd(pp, qq) != 1) continue;
            if ((presupuesto -= 2) < 0) return false;
            for (bool negativo : {false, true}) {
                if (!PasaFiltro(c, pp, negativo, qq)) continue;
                const TFrac r(negativo ? -static_cast<std::int64_t>(pp) : static_cast<std::int64_t>(pp),
                              static_cast<std::uint32_t>(qq));
                if (RuffiniExacto(p, r, cociente)) {
                    raiz = r;
                    return true;
                }
            }
        }
    }
    return false;
}

// The secant from (viejo, nuevo); a root only with a small relative residual.
bool Secante(const TPoli& p, long double viejo, long double nuevo, long double& raiz) {
    long double fViejo = p.EvaluaReal(viejo);
    int estancadas = 0;
    for (int ronda = 0; ronda < 200; ++ronda) {
        const long double fNuevo = p.EvaluaReal(nuevo);
        if (!std::isfinite(fNuevo) || !std::isfinite(fViejo)) return false;
        if (fNuevo == fViejo) {
            if (nuevo == viejo) return false;
            nuevo = (nuevo + viejo) / 2;
            if (++estancadas > 20) return false;
            continue;
        }
        const long double siguiente = nuevo - (nuevo - viejo) * fNuevo / (fNuevo - fViejo);
        if (!std::isfinite(siguiente)) return false;
        if (siguiente == nuevo) {
            raiz = siguiente;
            return EsRaizR(p, siguiente);
        }
        viejo = nuevo;
        fViejo = fNuevo;
        nuevo = siguiente;
    }
    return false;
}

// gcd(P, P′) of degree ≥ 1: at a multiple root the closed forms lose half
// their digits yet pass any residual test, so they are not used there.
bool RaizMultiple(const TPoli& p) {
    try {
        TPoli a = p, b = TPoli(p).Deriva();
        while (!b.EsCero()) {
            TPoli r = TPoli::Divide(a, b).second;
            a = std::move(b);
            b = std::move(r);
        }
        return a.Grado() >= 1;
    } catch (const EFraccion&) {
        return false;
    }
}

void Separa(std::string& texto) {
    if (!texto.empty() && !texto.ends_with("\r\n")) texto += "\r\n";
}

}  // namespace

std::string RaicesTexto(const TPoli& entrada, const AjustesFraccion& aj) {
    TPoli p = entrada;
    if (p.Grado() == 0) return "Grado 0 (Raiz indeterminada o no existe)";
    std::string texto;
    int faltan = 0;
    for (;;) {
        const int g = p.Grado();
        if (g == 1) {
            try {
                texto += SinBlancos((-p.Coef(0) / p.Coef(1)).ATexto(aj));
            } catch (const EFraccion&) {  // the exact quotient needs more than 64 bits
                texto += RealAGeneral(-p.Coef(0).Valor() / p.Coef(1).Valor(), 15);
            }
            break;
        }
        if (g == 2) {
            Cuadratica(p, texto);
            break;
        }
        if (g == 4 && p.Coef(1).EsCero() && p.Coef(3).EsCero()) {
            Bicuadrada(p, texto);
            break;
        }
        if ((g == 3 || g == 4) && !RaizMultiple(p)) {
            const int k = g == 3 ? Cubica(p, texto) : Cuartica(p, texto);
            if (k > 0) {
                faltan = g - k;
                break;
            }
        }
        if (p.Coef(0).EsCero()) {
            Separa(texto);
            texto += "0\r\n";
            p = TPoli::Divide(p, TPoli::DesdeTexto("x")).first;
            continue;
        }
        TFrac r;
        TPoli cociente;
        if (RaizRacional(p, r, cociente)) {
            Separa(texto);
            texto += RealAGeneral(r.Valor(), 15) + "\r\n";
            p = std::move(cociente);
            continue;
        }
        faltan = g;
        break;
    }
    if (faltan > 0 && (p.Grado() >= 5 || texto.empty())) {
        long double r1 = 0, r2 = 0;
        const bool uno = Secante(p, -1, -2, r1);
        if (uno) {
            Separa(texto);
            texto += RealAGeneral(r1, 15);
            --faltan;
        }
        if (Secante(p, 2, 1, r2) && (!uno || std::fabs(r2 - r1) > 1e-9L * std::max(1.0L, std::fabs(r1)))) {
            Separa(texto);
            texto += RealAGeneral(r2, 15);
            --faltan;
        }
    }
    if (texto.empty()) return "No se hallaron raíces";
    if (faltan == 1) {
        Separa(texto);
        texto += "No se encontró una raíz";
    } else if (faltan > 1) {
        Separa(texto);
        texto += "No se encontraron otras " + std::to_string(faltan) + " raices";
    }
    return texto;
}

TPoli PoliDeRaices(std::string_view texto, const AjustesFraccion& aj) {
    const std::string entrada(Recortar(texto));
    TPoli p;
    bool primero = true;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t coma = entrada.find(',', inicio);
        const std::string campo(Recortar(std::string_view(entrada).substr(inicio, coma - inicio)));
        if (campo.empty()) throw EPoli(MensajeNoRacional(entrada));
        const TFrac r = LeerCoef(campo, entrada, aj);
        TPoli factor;
        factor.PonCoef(1, TFrac(1));
        factor.PonCoef(0, -r);
        p = primero ? factor : TPoli::Producto(p, factor);
        primero = false;
        if (coma == std::string::npos) break;
        inicio = coma + 1;
    }
    return p;
}

}  // namespace numbrix

namespace numbrix {

std::string TextoOperacionPoli(OperacionPoli op, const TPoli& p, const TPoli& q, std::string_view valor,
                               const AjustesFraccion& aj) {
    auto sinBlancos = [](std::string t) {
        std::erase(t, ' ');
        return t;
    };
    auto racional = [&](const std::string& v) {
        const std::optional<TFrac> x = TextoAFrac(v, aj);
        if (!x) throw EPoli(MensajeNoRacional(v));
        return *x;
    };
    auto cocienteResto = [&](const TPoli& c, const std::string& resto) {
        return "Cociente: " + c.ATexto(aj) + "\r\nResto: " + resto;
    };
    TPoli r = p;
    switch (op) {
        case OperacionPoli::Suma: return r.Suma(q).ATexto(aj);
        case OperacionPoli::Resta: return r.Resta(q).ATexto(aj);
        case OperacionPoli::Producto: return TPoli::Producto(p, q).ATexto(aj);
        case OperacionPoli::Division: {
            auto [c, resto] = TPoli::Divide(p, q);
            return cocienteResto(c, resto.ATexto(aj));
        }
        case OperacionPoli::Evaluar: {
            const std::string v(Recortar(valor));
            if (v.find_first_of("iI") != std::string::npos) return ComplejoATexto(p.EvaluaComplejo(TextoAComplejo(v)));
            const TFrac x = racional(v);
            return sinBlancos(p.EvaluaRacional(x, aj).ATexto(aj)) + "  (" + RealAGeneral(p.EvaluaReal(x.Valor()), 15) +
                   ")";
        }
        case OperacionPoli::Derivada: return r.Deriva().ATexto(aj);
        case OperacionPoli::Integral: return r.Integra().ATexto(aj) + " +k";
        case OperacionPoli::Ruffini: {
            auto [c, resto] = TPoli::Ruffini(p, racional(std::string(Recortar(valor))));
            return cocienteResto(c, sinBlancos(resto.ATexto(aj)));
        }
        case OperacionPoli::Raices: return RaicesTexto(p, aj);
        case OperacionPoli::Generar: return PoliDeRaices(valor, aj).ATexto(aj);
    }
    return {};
}

}  // namespace numbrix
