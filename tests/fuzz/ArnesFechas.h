#pragma once
// The dates harnesses: the text in each box of each computation and format,
// the other boxes sound; a result is text or a message, never "inf" or
// "nan", and a date written reads back the same.
#include "Arnes.h"
#include "tools/Fechas.h"

namespace numbrix::fuzz {

inline void PorLasSeisCuentas(std::string_view entrada, const char* fecha, const char* tiempo) {
    const std::string t(entrada.substr(0, 4096));
    TCalculoFechas calc({OrdenFecha::DiaMesAnio, [] { return FechaHoraCivil{{2025, 6, 15}, 12, 0, 0, 0}; }});
    for (int f = 0; f < kFormatosDuracion; ++f) {
        calc.SetFormato(static_cast<FormatoDuracion>(f));
        for (int tipo = 0; tipo < kTiposCalculoFecha; ++tipo)
            for (std::size_t caja = 0; caja < 3; ++caja) {
                std::array<std::string, 3> cajas{tipo <= 1 ? fecha : tiempo, tipo == 1 ? "1.5" : tipo == 0 ? fecha : tiempo, tiempo};
                cajas[caja] = t;
                const std::string r = calc.Calcular(static_cast<TipoCalculoFecha>(tipo), cajas);
                const bool eco = r.find("no es") != std::string::npos;  // quotes the text
                Exigir(eco || (r.find("inf") == std::string::npos && r.find("nan") == std::string::npos), "inf, nan");
                if (tipo == 1 && !r.empty() && r.front() >= 'a' && r.front() <= 'z')  // a day name
                    Exigir(EscribirFechaLarga(LeerFecha(r, calc.Local())) == r, "una fecha escrita se lee igual");
            }
    }
}

}  // namespace numbrix::fuzz
