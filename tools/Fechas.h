#pragma once
// Date and duration arithmetic of the dates window, without the window:
// the readers of its boxes, the writers of its results and its six
// computations. Values are day counts (support/Fecha.h): the whole part
// counts days since 30 December 1899, the fraction is the time of day.
// Civil dates and times have no time zone, so no clock change ever moves
// a count.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "support/Fecha.h"

namespace numbrix {

// The order the locale writes day, month and year in.
enum class OrdenFecha { DiaMesAnio, MesDiaAnio, AnioMesDia };

// Which box a text comes from and which order and clock its dates read with.
struct LocalFechas {
    OrdenFecha Orden = OrdenFecha::DiaMesAnio;
    // Two-digit years take the century that puts them closest to its year.
    RelojCivil Reloj{};  // empty: AhoraCivil
    FechaHoraCivil Ahora() const { return Reloj ? Reloj() : AhoraCivil(); }
};

enum class TipoCalculoFecha {
    Diferencia,         // |fecha 1 − fecha 2|
    FechaMasDias,       // fecha 1 + días
    TiempoMasTiempo,    // t1 + t2 + t3
    TiempoEntreTiempo,  // t1 / t2, a plain number
    TiempoPorDecimal,   // t1 × decimal
    TiempoEntreDecimal  // t1 / decimal
};
inline constexpr int kTiposCalculoFecha = 6;
// The result formats, in the format menu's order.
enum class FormatoDuracion { HorasMinutos, Dias, Horas, Minutos, Segundos, Meses, Anios };
inline constexpr int kFormatosDuracion = 7;

// The list's and the menu's own texts.
const char* NombreTipoCalculo(TipoCalculoFecha t);
const char* NombreFormato(FormatoDuracion f);

// Durations and results beyond this many days overflow.
inline constexpr double kMaximoDias = 1e12;

// Day, month and year in `local`'s order with "/", "-" or "." and an
// optional 24-hour time h:mm[:ss[.zzz]]. A text that starts with a day name
// (a written result) reads as day/month/year whatever the order. Raises
// ENumbrix «"texto" no es una fecha válida».
double LeerFecha(std::string_view texto, const LocalFechas& local);
// A duration: [-][días d] [h[:m[:s]]]. Nothing when a part is empty (a text
// still being typed); raises ENumbrix for anything else it cannot read.
std::optional<double> LeerDuracion(std::string_view texto);

// A duration in one of the formats; raises on a value beyond kMaximoDias.
std::string EscribirDuracion(double dias, FormatoDuracion f);
// "jueves 02/01/2025 12:00:00.0"; raises «Fecha fuera de rango» outside the
// years 1 to 9999.
std::string EscribirFechaLarga(double dias);
// The date (and with `hora` the time to the second) in `orden`, as LeerFecha
// reads it back: "/" between numbers, four-digit year, 24 hours.
std::string EscribirFecha(double dias, OrdenFecha orden, bool hora);

// The window's arithmetic: every change of a box computes again. Keeps each
// panel's last duration, so a new format writes it again.
class TCalculoFechas {
public:
    explicit TCalculoFechas(LocalFechas local = {}) : local_(std::move(local)) {}
    const LocalFechas& Local() const { return local_; }

    // The result box's text for the boxes' texts (empty, a result or a
    // message). Types 0 and 1 read the first two, the others up to three.
    std::string Calcular(TipoCalculoFecha tipo, const std::array<std::string, 3>& cajas);

    FormatoDuracion Formato() const { return formato_; }
    void SetFormato(FormatoDuracion f) { formato_ = f; }
    // The last duration of the date panel (0) or the time panel (1) in the
    // current format; nothing when that panel's result is not a duration.
    std::optional<std::string> Reescribir(int panel) const;

private:
    LocalFechas local_;
    FormatoDuracion formato_ = FormatoDuracion::HorasMinutos;
    std::array<std::optional<double>, 2> ultimo_{};
};

}  // namespace numbrix
