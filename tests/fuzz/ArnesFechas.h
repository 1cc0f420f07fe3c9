#pragma once
// What the two dates harnesses share: the text in each box of each of the
// six computations, the other boxes holding a sound value; every result is
// text or a message, never "inf" or "nan", and a date written reads back.
#include <string>
#include <string_view>

#include "Arnes.h"
#include "tools/Fechas.h"

namespace numbrix::fuzz {

inline void PorLasSeisCuentas(std::string_view entrada, const char* fecha, const char* tiempo) {
    const std::string t(entrada.substr(0, 4096));
    TCalculoFechas calc({OrdenFecha::DiaMesAnio, [] { return FechaHoraCivil{{2025, 6, 15}, 12, 0, 0, 0}; }});
    for (int f = 0; f < kFormatosDuracion; ++f) {
        calc.SetFormato(static_cast<FormatoDuracion>(f));
        for (int tipo = 0; tipo < kTiposCalculoFecha; ++tipo) {
            const char* otro = tipo == 0 ? fecha : tipo == 1 ? "1.5" : tiempo;
            for (int caja = 0; caja < 3; ++caja) {
                std::array<std::string, 3> cajas{tipo <= 1 ? fecha : tiempo, otro, tiempo};
                cajas[static_cast<std::size_t>(caja)] = t;
                const std::string r = calc.Calcular(static_cast<TipoCalculoFecha>(tipo), cajas);
                Exigir(r.find("inf") == std::string::npos || r.find("no es") != std::string::npos, "inf");
                Exigir(r.find("nan") == std::string::npos || r.find("no es") != std::string::npos, "nan");
                // Day names are lower case; no message starts so.
                if (tipo == 1 && !r.empty() && r.front() >= 'a' && r.front() <= 'z')
                    Exigir(std::string_view(EscribirFechaLarga(LeerFecha(r, calc.Local()))) == r,
                           "una fecha escrita se lee igual");
            }
        }
    }
}

}  // namespace numbrix::fuzz
