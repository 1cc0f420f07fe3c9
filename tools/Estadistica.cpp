#include "tools/Estadistica.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "support/Errores.h"
#include "support/TablaTextos.h"

namespace numbrix {

namespace {

[[noreturn]] void Fallar(const std::string& m) { throw ENumbrix(m); }

double LeerValor(std::string_view t) {
    double v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc::result_out_of_range) Fallar("Valor fuera de rango");
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        Fallar("'" + std::string(t) + "' no es un valor real válido");
    if (!std::isfinite(v)) Fallar("Valor fuera de rango");
    return v;
}

std::int64_t LeerFrecuencia(std::string_view t) {
    std::int64_t f = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), f);
    if (r.ec == std::errc::result_out_of_range) Fallar("Frecuencia fuera de rango");
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        Fallar("'" + std::string(t) + "' no es un valor entero válido");
    return f;
}

// a + b, refused past the 64-bit range.
std::int64_t SumarFrecuencias(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) Fallar("Frecuencia fuera de rango");
    return r;
}

// The checks of one add against the count and the record's frequency it
// would change; returns the new pair.
void Validar(const EntradaEstadistica& e, std::int64_t& n, std::int64_t& registro) {
    const std::int64_t nn = SumarFrecuencias(n, e.Frecuencia);
    if (nn < 0) Fallar("n no puede ser menor que cero");
    const std::int64_t rr = SumarFrecuencias(registro, e.Frecuencia);
    if (rr < 0) Fallar("Ninguna frecuencia puede ser menor que cero");
    n = nn;
    registro = rr;
}

std::string Fijo(long double x, int decimales) {
    char b[5000];
    const auto r = std::to_chars(b, b + sizeof b, static_cast<double>(x), std::chars_format::fixed, decimales);
    return r.ec == std::errc() ? std::string(b, r.ptr) : std::string("N/D");
}

std::string Exacto(double v) {
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

// x to 15 significant digits (what a double holds), so the data's binary
// noise does not show in 16-decimal texts: «6.2», not «6.2000000000000002».
long double Redondeado(long double x, int digitos = 15) {
    if (!std::isfinite(x) || x == 0) return x;
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, std::fabs(x), std::chars_format::scientific, digitos - 1);
    std::string t(b, r.ptr);
    t.erase(std::remove(t.begin(), t.end(), '+'), t.end());
    const auto l = LeerNumero(t);
    return l.Error() ? x : (x < 0 ? -l.valor : l.valor);
}

// Round half to even of n·p/100 without overflow.
std::int64_t Rango(std::int64_t n, int p) {
    const std::int64_t base = (n / 100) * p;
    const std::int64_t resto = (n % 100) * p;  // < 10000
    std::int64_t k = base + resto / 100;
    const std::int64_t frac = resto % 100;
    if (frac > 50 || (frac == 50 && (k % 2) != 0)) ++k;
    return k;
}

}  // namespace

// ------------------------------------------------------------ input ----

EntradaEstadistica TEstadistica::Analizar(std::string_view t) {
    if (!t.empty() && t[0] == '\t') Fallar("Formato desconocido. No se puede pegar.");
    std::size_t sep = t.find('*');
    if (sep == std::string_view::npos) sep = t.find('\t');
    EntradaEstadistica e;
    if (sep == std::string_view::npos) {
        e.Valor = LeerValor(t);
        return e;
    }
    if (sep == 0) Fallar("\"*\" no puede estar al principio");
    if (sep + 1 == t.size()) Fallar("\"*\" no puede estar al final");
    e.Valor = LeerValor(t.substr(0, sep));
    std::string_view f = t.substr(sep + 1);
    f = f.substr(0, f.find('\t'));  // a copied table's relative frequency follows
    e.Frecuencia = LeerFrecuencia(f);
    return e;
}

std::vector<std::string> TEstadistica::LineasPegadas(std::string_view texto) {
    auto digito = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<std::string> r;
    for (std::string_view l : LineasDeTexto(texto)) {
        std::string s;
        for (std::size_t i = 0; i < l.size(); ++i) {
            const char c = l[i];
            if (digito(c) || c == '-' || c == '.' || c == '*' || c == '\t') {
                s += c;
            } else if (c == ',') {
                s += '.';
            } else if ((c == 'e' || c == 'E') && i > 0 && digito(l[i - 1])) {
                // An exponent right after a digit stays, so «1E5» is 100000.
                std::size_t j = i + 1;
                if (j < l.size() && (l[j] == '+' || l[j] == '-')) ++j;
                const std::size_t d = j;
                while (j < l.size() && digito(l[j])) ++j;
                if (j > d) {
                    s += l.substr(i, j - i);
                    i = j - 1;
                }
            }
        }
        if (s > "-") r.push_back(std::move(s));
    }
    return r;
}

void TEstadistica::Aplicar(const EntradaEstadistica& e) {
    auto it = indice_.find(e.Valor);
    if (it == indice_.end()) {
        indice_.emplace(e.Valor, datos_.size());
        orden_.push_back(datos_.size());
        datos_.push_back({e.Valor, e.Frecuencia});
    } else {
        datos_[it->second].Frecuencia += e.Frecuencia;
    }
    const long double f = static_cast<long double>(e.Frecuencia), v = e.Valor;
    n_ += e.Frecuencia;
    suma_ += f * v;
    suma2_ += f * v * v;
    if (n_ == 0) suma_ = suma2_ = 0;  // no data left: no rounding left either
}

void TEstadistica::Agregar(std::string_view texto) {
    const EntradaEstadistica e = Analizar(texto);
    std::int64_t n = n_, r = 0;
    if (auto it = indice_.find(e.Valor); it != indice_.end()) r = datos_[it->second].Frecuencia;
    Validar(e, n, r);
    Aplicar(e);
}

std::size_t TEstadistica::Pegar(std::string_view texto) {
    const auto lineas = LineasPegadas(texto);
    std::vector<EntradaEstadistica> entradas;
    entradas.reserve(lineas.size());
    // Every line is checked against the state the lines before it leave.
    std::map<double, std::int64_t> previstas;
    std::int64_t n = n_;
    for (const auto& l : lineas) {
        const EntradaEstadistica e = Analizar(l);
        auto p = previstas.find(e.Valor);
        if (p == previstas.end()) {
            const auto it = indice_.find(e.Valor);
            p = previstas.emplace(e.Valor, it == indice_.end() ? 0 : datos_[it->second].Frecuencia).first;
        }
        Validar(e, n, p->second);
        entradas.push_back(e);
    }
    for (const auto& e : entradas) Aplicar(e);
    return entradas.size();
}

void TEstadistica::ReconstruirIndice() {
    indice_.clear();
    for (std::size_t i = 0; i < datos_.size(); ++i) indice_.emplace(datos_[i].Valor, i);
}

void TEstadistica::BorrarPunto(std::size_t fila) {
    if (fila >= orden_.size()) return;
    RegistroEstadistica& r = datos_[orden_[fila]];
    const long double f = static_cast<long double>(r.Frecuencia), v = r.Valor;
    n_ -= r.Frecuencia;
    suma_ -= f * v;
    suma2_ -= f * v * v;
    if (n_ == 0) suma_ = suma2_ = 0;
    r.Frecuencia = 0;
    // Every zero-frequency record goes; the rows keep their order.
    std::vector<std::size_t> nuevo(datos_.size());
    std::vector<RegistroEstadistica> quedan;
    for (std::size_t i = 0; i < datos_.size(); ++i) {
        nuevo[i] = quedan.size();
        if (datos_[i].Frecuencia != 0) quedan.push_back(datos_[i]);
    }
    std::vector<std::size_t> orden;
    for (std::size_t i : orden_)
        if (datos_[i].Frecuencia != 0) orden.push_back(nuevo[i]);
    datos_ = std::move(quedan);
    orden_ = std::move(orden);
    ReconstruirIndice();
}

void TEstadistica::Vaciar() {
    datos_.clear();
    orden_.clear();
    indice_.clear();
    n_ = 0;
    suma_ = suma2_ = 0;
    grafico_ = {};
}

void TEstadistica::Ordenar(int columna) {
    const int d = direccion_;
    auto menor = [&](std::size_t a, std::size_t b) {
        const auto& x = datos_[a];
        const auto& y = datos_[b];
        if (columna == 0) return d > 0 ? x.Valor < y.Valor : x.Valor > y.Valor;
        return d > 0 ? x.Frecuencia < y.Frecuencia : x.Frecuencia > y.Frecuencia;
    };
    std::stable_sort(orden_.begin(), orden_.end(), menor);
    direccion_ = -direccion_;
}

// ----------------------------------------------------------- output ----

// The 80-bit value nearest to the double's shortest text: what was typed.
std::string TEstadistica::TextoValor(double v) const {
    const auto l = LeerNumero(Exacto(std::fabs(v)));
    return RealATexto(l.Error() ? v : std::copysign(l.valor, static_cast<long double>(v)), Formato);
}

std::string TEstadistica::TextoN() const { return datos_.empty() ? "" : std::to_string(n_); }
std::string TEstadistica::TextoSuma() const { return datos_.empty() ? "" : RealATexto(Redondeado(suma_), Formato); }
std::string TEstadistica::TextoMedia() const {
    if (datos_.empty()) return "";
    return n_ == 0 ? kMensajeND : RealATexto(Redondeado(suma_ / static_cast<long double>(n_)), Formato);
}

std::string TEstadistica::TextoRelativa(std::int64_t f) const {
    if (n_ == 0) return kMensajeND;
    std::string s = Fijo(static_cast<long double>(f) / static_cast<long double>(n_), 6);
    if (s.size() < 8) s.insert(0, 8 - s.size(), ' ');
    return s;
}

std::string TEstadistica::CopiarTabla() const {
    std::string r = "Dato\tFrecuencia\tF.Relativa\r\n";
    for (std::size_t i = 0; i < Cantidad(); ++i) {
        const auto& x = Fila(i);
        r += Exacto(x.Valor) + "\t" + std::to_string(x.Frecuencia) + "\t" + TextoRelativa(x.Frecuencia) + "\r\n";
    }
    return r;
}

std::string TEstadistica::CopiarTodo(const std::vector<MedidaEstadistica>& m, std::string_view fin) {
    std::string r;
    for (const auto& x : m) r += x.Nombre + "\t" + x.Valor + std::string(fin);
    return r;
}

std::vector<MedidaEstadistica> TEstadistica::Medidas() {
    // Value order comes from the index; the table shows it afterwards.
    orden_.clear();
    for (const auto& [v, i] : indice_) orden_.push_back(i);
    direccion_ = 1;
    grafico_ = {};
    if (n_ <= 0 || datos_.empty()) return {};

    const long double n = static_cast<long double>(n_);
    // Two passes around the mean: n·Σ² − Σ² cancels where the data do not.
    long double s = 0, s2 = 0;
    std::int64_t f1 = -1, f2 = -1;
    double moda = 0;
    for (const auto& r : datos_) {
        const long double f = static_cast<long double>(r.Frecuencia), v = r.Valor;
        s += f * v;
        s2 += f * v * v;
        if (r.Frecuencia > f1) {
            f2 = f1;
            f1 = r.Frecuencia;
            moda = r.Valor;
        } else if (r.Frecuencia > f2) {
            f2 = r.Frecuencia;
        }
    }
    suma_ = s;
    suma2_ = s2;
    const long double media = s / n;
    long double m2 = 0, desv = 0, inversas = 0, logaritmos = 0;
    bool cero = false;
    std::int64_t negativos = 0;
    for (const auto& r : datos_) {
        if (r.Frecuencia == 0) continue;
        const long double f = static_cast<long double>(r.Frecuencia), v = r.Valor, d = v - media;
        m2 += f * d * d;
        desv += f * std::fabs(d);
        if (r.Valor == 0) {
            cero = true;
        } else {
            inversas += f / v;
            logaritmos += f * std::log(std::fabs(v));
            if (r.Valor < 0) negativos += r.Frecuencia % 2;
        }
    }
    m2 = std::max(m2, 0.0L);

    // The value walks skip zero-frequency records.
    std::vector<const RegistroEstadistica*> conDatos;
    conDatos.reserve(orden_.size());
    for (std::size_t i : orden_)
        if (datos_[i].Frecuencia != 0) conDatos.push_back(&datos_[i]);
    auto siguiente = [&](std::size_t j) { return j + 1 < conDatos.size() ? conDatos[j + 1]->Valor : conDatos[j]->Valor; };
    long double mediana = 0;
    {
        std::int64_t c = 0;
        for (std::size_t j = 0; j < conDatos.size(); ++j) {
            c += conDatos[j]->Frecuencia;
            if (n_ - c < c) {
                mediana = conDatos[j]->Valor;
                break;
            }
            if (n_ - c == c) {
                mediana = (static_cast<long double>(conDatos[j]->Valor) + siguiente(j)) / 2;
                break;
            }
        }
    }
    auto percentil = [&](int p) {
        const std::int64_t k = Rango(n_, p);
        std::int64_t c = 0;
        for (std::size_t j = 0; j < conDatos.size(); ++j) {
            c += conDatos[j]->Frecuencia;
            if (k < c) return static_cast<long double>(conDatos[j]->Valor);
            if (k == c) return (static_cast<long double>(conDatos[j]->Valor) + siguiente(j)) / 2;
        }
        return static_cast<long double>(conDatos.back()->Valor);
    };
    const long double q1 = percentil(25), q3 = percentil(75);
    const double minimo = datos_[orden_.front()].Valor, maximo = datos_[orden_.back()].Valor;

    auto T = [&](long double x) { return RealATexto(Redondeado(x), Formato); };
    const std::string nd = kMensajeND;
    const long double varianza = n_ > 1 ? m2 / (n - 1) : 0;
    const long double varPob = m2 / n;
    std::vector<MedidaEstadistica> m = {
        {"n", std::to_string(n_)},
        {"Puntos muestrales", std::to_string(datos_.size())},
        {"Suma", T(s)},
        {"Suma cuadrados", T(s2)},
        {"Media", T(media)},
        {"Moda", datos_.size() >= 2 && f1 != f2 ? T(moda) : nd},
        {"   Mínimo", T(minimo)},
        {"   Cuartil 1 (25%)", T(q1)},
        {"   Mediana   (50%)", T(mediana)},
        {"   Cuartil 3 (75%)", T(q3)},
        {"   Máximo", T(maximo)},
        {"Rango", T(std::fabs(static_cast<long double>(maximo) - minimo))},
        {"Varianza", n_ > 1 ? T(varianza) : nd},
        {" Desv. Estandar", n_ > 1 ? T(std::sqrt(varianza)) : nd},
        {"Varianza Población", T(varPob)},
        {" Desv. Estandar Población", T(std::sqrt(varPob))},
        {"Coeficiente de Variación", media != 0 ? T(std::sqrt(varPob) / media) : nd},
        {"Desviación media", T(desv / n)},
        {"RMC", T(std::sqrt(s2 / n))},
        {"Media Armónica", !cero && inversas != 0 ? T(n / inversas) : nd},
        {"Media Geométrica", cero ? T(0) : negativos % 2 ? nd : T(std::exp(logaritmos / n))},
    };

    GraficoEstadistica& g = grafico_;
    g.Minimo = minimo;
    g.Maximo = maximo;
    g.FrecuenciaMax = static_cast<double>(f1);
    g.Q1 = static_cast<double>(q1);
    g.Q2 = static_cast<double>(mediana);
    g.Q3 = static_cast<double>(q3);
    g.Media = static_cast<double>(media);
    g.Varianza = static_cast<double>(varianza);
    g.HayCurva = n_ > 1 && g.Varianza > 0 && std::isfinite(g.Varianza);
    g.Puntos.reserve(datos_.size());
    for (std::size_t i : orden_) g.Puntos.push_back(datos_[i]);
    return m;
}

// ------------------------------------------------------------- plot ----

GraficoEstadistica::Mundo GraficoEstadistica::VentanaMundo(int ancho, int alto) const {
    const double an = std::max(1, ancho - 2 * kMargen), al = std::max(1, alto - 2 * kMargen);
    const double dx = Maximo > Minimo ? Maximo - Minimo : 1.0;
    const double dy = FrecuenciaMax > 0 ? FrecuenciaMax : 1.0;
    const double mx = dx / an * kMargen, my = dy / al * kMargen;
    return {Minimo - mx, dy + my, Minimo + dx + mx, -my};
}

double GraficoEstadistica::Curva(double x) const {
    if (!HayCurva) return 0;
    const long double d = static_cast<long double>(x) - Media;
    return static_cast<double>(FrecuenciaMax * std::exp(-d * d / (2.0L * Varianza)));
}

std::vector<GraficoEstadistica::Linea> GraficoEstadistica::Lineas() const {
    return {{Q1, "Q1", false}, {Q2, "Q2", false}, {Q3, "Q3", false}, {Media, "X", true}};
}

std::string GraficoEstadistica::TextoPuntero(double x, double f) const {
    x = std::clamp(x, Minimo, std::max(Minimo, Maximo));
    f = std::clamp(f, 0.0, std::max(0.0, FrecuenciaMax));
    return "x = " + Fijo(x, 2) + "  f = " + Fijo(f, 0);
}

}  // namespace numbrix
