#pragma once
// The fixed keys of the program's keyed data files (TVelIniFile). Changing
// one makes every file written with the old key unreadable, so they never
// change; numbrix-pack scrambles the shipped files with these same texts.
#include <string_view>

namespace numbrix {

// The unit file, "maguni.def".
inline constexpr std::string_view ClaveArchivoDatos = "Nbx7#qLr2!vTmW9zK4$uPc8&eHs3yJd6^fA5*gR1(oB0)iX_nZ";
// The formula library's group files ("*.fcm").
inline constexpr std::string_view ClaveArchivoFormulas = "Fq3@Lz8mT#w1Yp6!Rk9$Hc2^Vn5&Jb7*Ue4(sD";

namespace detalle {
constexpr bool Imprimibles(std::string_view t) {
    for (char c : t)
        if (c < ' ' || c > '~') return false;
    return true;
}
}  // namespace detalle
static_assert(ClaveArchivoDatos.size() == 50 && detalle::Imprimibles(ClaveArchivoDatos));
static_assert(ClaveArchivoFormulas.size() == 38 && detalle::Imprimibles(ClaveArchivoFormulas));

}  // namespace numbrix
