#pragma once
// The values the options window reads from its text boxes, checked before
// anything is applied: the comparison tolerance and the font sizes.
#include <string>
#include <string_view>

namespace numbrix {

inline constexpr int kTamanoFuenteMinimo = 6;
inline constexpr int kTamanoFuenteMaximo = 20;

// "" and the value when `texto` is a finite number ≥ 0 (point as the decimal
// sign, whatever the locale); otherwise the message to show.
std::string LeerTolerancia(std::string_view texto, long double& valor);
// "" and the size when `texto` is a whole number from 6 to 20.
std::string LeerTamanoFuente(std::string_view texto, int& tamano);
// The tolerance as the window shows it: general format, 15 significant digits.
std::string TextoTolerancia(long double valor);

}  // namespace numbrix
