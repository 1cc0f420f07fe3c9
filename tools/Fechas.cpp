#include "tools/Fechas.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/bases2_36.h"
#include "numbers/fraccion.h"
#include "support/Errores.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

constexpr long long kMsDia = 86400000;
const char* const kDiasSemana[] = {"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"};

// The box's text as a message quotes it: a control byte (a NUL above all)
// would cut the message short where it is shown, so it reads as «?».
std::string Citado(std::string_view t) {
    std::string r(t);
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return r;
}

[[noreturn]] void FechaInvalida(std::string_view t) { throw ENumbrix("\"" + Citado(t) + "\" no es una fecha válida"); }
[[noreturn]] void HoraInvalida(std::string_view t) { throw ENumbrix(Citado(t) + " no es formato de hora válido"); }
[[noreturn]] void Desborde() { throw ENumbrix(Mensaje::DesbordamientoFlotante); }
[[noreturn]] void FueraDeRango() { throw ENumbrix("Fecha fuera de rango"); }

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Reads up to `maximo` digits at p; how many it read (0: none there).
int Digitos(std::string_view t, std::size_t& p, int maximo, int& valor) {
    int n = 0;
    valor = 0;
    while (p < t.size() && EsDigito(t[p]) && n < maximo + 1) valor = valor * 10 + (t[p++] - '0'), ++n;
    return n;
}

void Blancos(std::string_view t, std::size_t& p) {
    while (p < t.size() && (t[p] == ' ' || t[p] == '\t')) ++p;
}

unsigned DiasDelMes(std::int64_t anio, unsigned mes) {
    return static_cast<unsigned>(DiasDesde1899(mes == 12 ? anio + 1 : anio, mes == 12 ? 1 : mes + 1, 1) -
                                 DiasDesde1899(anio, mes, 1));
}

// The text without a leading day name, when it has one.
bool QuitarDiaSemana(std::string_view& t) {
    for (const char* nombre : kDiasSemana) {
        const std::string_view n = nombre;
        if (t.size() < n.size()) continue;
        bool igual = true;
        for (std::size_t i = 0; i < n.size() && igual; ++i) {
            const auto a = static_cast<unsigned char>(t[i]);
            igual = (a < 128 ? static_cast<char>(std::tolower(a)) : t[i]) == n[i];
        }
        if (igual && (t.size() == n.size() || t[n.size()] == ' ')) {
            t = Recortar(t.substr(n.size()));
            return true;
        }
    }
    return false;
}

// A part of a duration: digits with at most one ".", no sign, no exponent.
long double Parte(std::string_view parte, std::string_view texto) {
    bool digitos = false, punto = false;
    for (char c : parte) {
        if (EsDigito(c)) digitos = true;
        else if (c == '.' && !punto) punto = true;
        else HoraInvalida(texto);
    }
    if (!digitos) HoraInvalida(texto);
    long double v = 0;
    if (!LeerDecimal(parte, v) || !std::isfinite(v)) Desborde();  // plain digits fail only by size
    return v;
}

std::string Dos(long long n) {
    char b[24];
    std::snprintf(b, sizeof b, "%02lld", n);
    return b;
}

// A day count split at the millisecond, rounded first so that 786.9999 s
// shows as 787 s.
struct DiaYMs {
    long long dia = 0, ms = 0;
};
DiaYMs Partir(double v) {
    const double entero = std::floor(v);
    DiaYMs r{static_cast<long long>(entero), std::llround((v - entero) * kMsDia)};
    if (r.ms >= kMsDia) ++r.dia, r.ms -= kMsDia;
    return r;
}

std::string Hora(long long ms, bool fraccion) {
    std::string r = Dos(ms / 3600000) + ":" + Dos(ms / 60000 % 60) + ":" + Dos(ms / 1000 % 60);
    if (!fraccion) return r;
    // The fraction of the second without trailing zeros: 50 ms is ".05".
    std::string f = "." + std::to_string(1000 + ms % 1000).substr(1);
    while (f.size() > 2 && f.back() == '0') f.pop_back();
    return r + f;
}

DiaYMs EnRango(double dias) {
    static const double desde = static_cast<double>(DiasDesde1899(1, 1, 1));
    static const double hasta = static_cast<double>(DiasDesde1899(10000, 1, 1));
    if (!(dias >= desde - 1 && dias < hasta + 1)) FueraDeRango();  // before the cast
    const DiaYMs p = Partir(dias);
    if (p.dia < desde || p.dia >= hasta) FueraDeRango();
    return p;
}

double Decimal(std::string_view texto) {
    long double v = 0;
    const std::string_view t = Recortar(texto);
    if (!LeerDecimal(t, v)) throw ENumbrix("'" + Citado(t) + "' no es un valor punto flotante válido");
    if (!std::isfinite(static_cast<double>(v))) Desborde();
    return static_cast<double>(v);
}

double Dividir(double a, double b) {
    if (b == 0) throw ENumbrix(a == 0 ? Mensaje::OperacionFlotanteInvalida : Mensaje::DivisionFlotanteCero);
    const double r = a / b;
    if (!std::isfinite(r)) Desborde();
    return r;
}

void Comprobar(double dias) {
    if (!std::isfinite(dias) || std::fabs(dias) > kMaximoDias) Desborde();
}

}  // namespace

const char* NombreTipoCalculo(TipoCalculoFecha t) {
    static const char* const n[] = {"Diferencia entre fechas", "Fecha mas/menos días",  "Tiempo mas/menos Tiempo",
                                    "Tiempo dividido Tiempo",  "Tiempo por Decimal", "Tiempo Dividido Decimal"};
    return n[static_cast<int>(t)];
}

const char* NombreFormato(FormatoDuracion f) {
    static const char* const n[] = {"HH:MM:SS ", "Días", "Horas", "Minutos", "Segundos", "Meses (30 días)",
                                    "Años (365 días)"};
    return n[static_cast<int>(f)];
}

double LeerFecha(std::string_view texto, const LocalFechas& local) {
    std::string_view t = Recortar(texto);
    OrdenFecha orden = local.Orden;
    if (QuitarDiaSemana(t)) orden = OrdenFecha::DiaMesAnio;  // a written result
    std::size_t p = 0;
    int n[3], cifras[3];
    for (int i = 0; i < 3; ++i) {
        cifras[i] = Digitos(t, p, 4, n[i]);
        if (cifras[i] == 0 || cifras[i] > 4) FechaInvalida(texto);
        if (i < 2) {
            if (p >= t.size() || (t[p] != '/' && t[p] != '-' && t[p] != '.')) FechaInvalida(texto);
            ++p;
        }
    }
    const int iAnio = orden == OrdenFecha::AnioMesDia ? 0 : 2;
    const int iMes = orden == OrdenFecha::MesDiaAnio ? 0 : 1;
    const int iDia = orden == OrdenFecha::DiaMesAnio ? 0 : orden == OrdenFecha::MesDiaAnio ? 1 : 2;
    if (cifras[iDia] > 2 || cifras[iMes] > 2 || (cifras[iAnio] != 2 && cifras[iAnio] != 4)) FechaInvalida(texto);
    std::int64_t anio = n[iAnio];
    if (cifras[iAnio] == 2) {
        // The year ending in these digits from 50 years before the clock's to 49 after.
        const std::int64_t desde = local.Ahora().Fecha.Anio - 50;
        anio = desde + ((anio - desde) % 100 + 100) % 100;
    }
    const auto mes = static_cast<unsigned>(n[iMes]);
    const auto dia = static_cast<unsigned>(n[iDia]);
    if (anio < 1 || anio > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > DiasDelMes(anio, mes))
        FechaInvalida(texto);

    long long ms = 0;
    const std::size_t antes = p;
    Blancos(t, p);
    if (p < t.size()) {
        int h, m, s = 0, z = 0;
        const int ch = p == antes ? 0 : Digitos(t, p, 2, h);
        if (ch == 0 || ch > 2 || h > 23 || p >= t.size() || t[p++] != ':' ||
            Digitos(t, p, 2, m) != 2 || m > 59)
            FechaInvalida(texto);
        if (p < t.size() && t[p] == ':') {
            ++p;
            if (Digitos(t, p, 2, s) != 2 || s > 59) FechaInvalida(texto);
            if (p < t.size() && t[p] == '.') {
                ++p;
                const int c = Digitos(t, p, 3, z);
                if (c == 0 || c > 3) FechaInvalida(texto);
                for (int i = c; i < 3; ++i) z *= 10;
            }
        }
        Blancos(t, p);
        if (p != t.size()) FechaInvalida(texto);
        ms = ((h * 60LL + m) * 60 + s) * 1000 + z;
    }
    return static_cast<double>(DiasDesde1899(anio, mes, dia)) + static_cast<double>(ms) / kMsDia;
}

std::optional<double> LeerDuracion(std::string_view texto) {
    const std::string_view t = Recortar(texto);
    if (t.empty()) return std::nullopt;
    std::string_view resto = t;
    const bool negativo = resto.front() == '-';
    if (negativo) resto.remove_prefix(1);
    // A "-" is a sign only in front: "5-3" is not minus three hours.
    if (resto.find('-') != std::string_view::npos) HoraInvalida(t);
    long double segundos = 0;
    if (const std::size_t d = resto.find('d'); d != std::string_view::npos) {
        segundos = Parte(Recortar(resto.substr(0, d)), t) * 86400;
        resto.remove_prefix(d + 1);
        // "3 d.  04:05:06", as written, reads back.
        if (!resto.empty() && resto.front() != ' ' && !EsDigito(resto.front())) resto.remove_prefix(1);
    }
    resto = Recortar(resto);
    if (!resto.empty()) {
        const std::vector<std::string> partes = Separar(resto, U':');
        if (partes.size() > 3) HoraInvalida(t);
        const long double factor[] = {3600, 60, 1};
        for (std::size_t i = 0; i < partes.size(); ++i) {
            const std::string_view parte = Recortar(partes[i]);
            if (parte.empty()) return std::nullopt;  // still being typed
            segundos += Parte(parte, t) * factor[i];
        }
    }
    if (!(segundos <= kMaximoDias * 86400)) Desborde();
    // Whole seconds are exact in the sum; one division rounds once.
    const double dias = static_cast<double>(segundos) / 86400;
    return negativo ? -dias : dias;
}

std::string EscribirDuracion(double dias, FormatoDuracion f) {
    Comprobar(dias);
    if (f == FormatoDuracion::HorasMinutos) {
        const DiaYMs p = Partir(std::fabs(dias));
        const bool menos = dias < 0 && (p.dia != 0 || p.ms != 0);
        return (menos ? "-" : "") + std::to_string(p.dia) + " d.  " + Hora(p.ms, p.ms % 1000 != 0);
    }
    static const double factor[] = {1, 1, 24, 1440, 86400, 1.0 / 30, 1.0 / 365};
    double x = f == FormatoDuracion::Meses ? dias / 30 : f == FormatoDuracion::Anios ? dias / 365
                                                                                   : dias * factor[static_cast<int>(f)];
    if (x == 0) x = 0;  // no "-0"
    return RealAGeneral(x, 15);
}

std::string EscribirFechaLarga(double dias) {
    const DiaYMs p = EnRango(dias);
    const FechaCivil f = FechaDeDias(p.dia);
    char b[32];
    std::snprintf(b, sizeof b, "%02u/%02u/%04lld ", f.Dia, f.Mes, static_cast<long long>(f.Anio));
    return std::string(kDiasSemana[DiaSemana(p.dia)]) + " " + b + Hora(p.ms, true);
}

std::string EscribirFecha(double dias, OrdenFecha orden, bool hora) {
    const DiaYMs p = EnRango(dias);
    const FechaCivil f = FechaDeDias(p.dia);
    const auto a = static_cast<long long>(f.Anio);
    char b[32];
    if (orden == OrdenFecha::DiaMesAnio) std::snprintf(b, sizeof b, "%02u/%02u/%04lld", f.Dia, f.Mes, a);
    else if (orden == OrdenFecha::MesDiaAnio) std::snprintf(b, sizeof b, "%02u/%02u/%04lld", f.Mes, f.Dia, a);
    else std::snprintf(b, sizeof b, "%04lld/%02u/%02u", a, f.Mes, f.Dia);
    return hora ? std::string(b) + " " + Hora(p.ms, false) : std::string(b);
}

std::string TCalculoFechas::Calcular(TipoCalculoFecha tipo, const std::array<std::string, 3>& cajas) {
    using T = TipoCalculoFecha;
    const int panel = tipo == T::Diferencia || tipo == T::FechaMasDias ? 0 : 1;
    ultimo_[static_cast<std::size_t>(panel)].reset();
    auto vacia = [&](int i) { return Recortar(cajas[static_cast<std::size_t>(i)]).empty(); };
    auto duracion = [&](double v) {
        Comprobar(v);
        ultimo_[static_cast<std::size_t>(panel)] = v;
        return EscribirDuracion(v, formato_);
    };
    // The first box, and in every type but the sum the second, must hold text.
    if (vacia(0) || (tipo != T::TiempoMasTiempo && vacia(1))) return "";
    try {
        switch (tipo) {
        case T::Diferencia:
            return duracion(std::fabs(LeerFecha(cajas[0], local_) - LeerFecha(cajas[1], local_)));
        case T::FechaMasDias: {
            const double fecha = LeerFecha(cajas[0], local_);
            return EscribirFechaLarga(fecha + Decimal(cajas[1]));
        }
        case T::TiempoMasTiempo: {
            double suma = 0;
            for (int i = 0; i < 3; ++i) {
                if (vacia(i)) continue;  // an empty second or third box counts 0
                const auto v = LeerDuracion(cajas[static_cast<std::size_t>(i)]);
                if (!v) return "";
                suma += *v;
            }
            return duracion(suma);
        }
        default: {
            const auto t1 = LeerDuracion(cajas[0]);
            if (!t1) return "";
            if (tipo == T::TiempoPorDecimal) return duracion(*t1 * Decimal(cajas[1]));
            if (tipo == T::TiempoEntreDecimal) return duracion(Dividir(*t1, Decimal(cajas[1])));
            const auto t2 = LeerDuracion(cajas[1]);
            if (!t2) return "";
            const double r = Dividir(*t1, *t2);
            return RealAGeneral(r == 0 ? 0 : r, 15);
        }
        }
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::optional<std::string> TCalculoFechas::Reescribir(int panel) const {
    const auto& v = ultimo_[static_cast<std::size_t>(panel)];
    if (!v) return std::nullopt;
    return EscribirDuracion(*v, formato_);
}

}  // namespace numbrix
