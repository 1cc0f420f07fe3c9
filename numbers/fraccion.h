#pragma once
// Exact fractions: a signed 64-bit numerator over an unsigned 32-bit
// denominator, always in lowest terms with the sign in the numerator.
// Every operation judges overflow on the reduced result (128-bit
// intermediates), so only a value that truly does not fit raises.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "support/Errores.h"

namespace numbrix {

// 128-bit integers for exact intermediates (__extension__ keeps -Wpedantic quiet).
__extension__ typedef __int128 Entero128;
__extension__ typedef unsigned __int128 Natural128;

// The fraction settings: owned by the session, passed to whatever converts
// reals or writes fraction text. There is no program-wide copy.
struct AjustesFraccion {
    std::uint32_t DenominadorMax = 1000;  // largest denominator a real may turn into
    bool FormatoMixto = false;            // write 7/2 as "3 | 1 | 2"
};

// Failures of fraction arithmetic and reading. They carry the user's text;
// the kind lets an engine map them without parsing the message.
class EFraccion : public ENumbrix {
public:
    enum class Tipo { Desbordamiento, DivisionCero, TextoInvalido };
    EFraccion(Tipo tipo, const std::string& mensaje) : ENumbrix(mensaje), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

private:
    Tipo tipo_;
};

// The two failures of fraction arithmetic (Mensaje::DesbordamientoEntero and
// Mensaje::DivisionEntreCero), which every caller names "overflow" and
// "zero denominator" below.
[[noreturn]] void LanzarDesbordamientoEntero();
[[noreturn]] void LanzarDivisionEntreCero();

class TFrac {
public:
    constexpr TFrac() = default;  // 0/1
    // Stores and simplifies; a zero denominator raises the zero-denominator failure.
    TFrac(std::int64_t num, std::uint32_t den = 1);
    // Any 128-bit quotient: reduced first, then narrowed (or the overflow failure).
    static TFrac DesdeEnteros(Entero128 num, Entero128 den);

    std::int64_t Num() const { return num_; }
    std::uint32_t Den() const { return den_; }
    long double Valor() const { return static_cast<long double>(num_) / static_cast<long double>(den_); }
    bool EsCero() const { return num_ == 0; }
    bool EsEntero() const { return den_ == 1; }
    void PonCero() { num_ = 0; den_ = 1; }
    void PonUno() { num_ = 1; den_ = 1; }
    std::int64_t ParteEntera() const { return num_ / static_cast<std::int64_t>(den_); }
    std::int64_t Resto() const { return num_ % static_cast<std::int64_t>(den_); }

    // In-place arithmetic, each result exact or an EFraccion.
    TFrac& Suma(const TFrac& f);
    TFrac& Resta(const TFrac& f);
    TFrac& Multiplica(const TFrac& f);
    TFrac& Divide(const TFrac& f);  // any zero divisor: the zero-denominator failure
    // Integral exponents are exact; others go through the real power and
    // back with RealAFrac at the session's maximum denominator.
    TFrac& Potencia(const TFrac& f, const AjustesFraccion& ajustes);
    // The f-th root: exact for perfect powers, otherwise through the reals.
    TFrac& Raiz(const TFrac& f, const AjustesFraccion& ajustes);
    TFrac& Invierte();  // 1/self; zero raises the zero-denominator failure at once
    TFrac& CambiaSigno();
    TFrac& MultiplicaEntero(std::int32_t n);
    TFrac& DivideEntero(std::int32_t n);

    // Text: "5", "3 | 4", or mixed "-3 | 1 | 2" when ajustes.FormatoMixto.
    std::string ATexto(const AjustesFraccion& ajustes) const;
    // 0 mixed, 1 improper, 2 the value in general format with 15 digits.
    std::string ATextoModo(int modo) const;

    friend bool operator==(const TFrac&, const TFrac&) = default;
    friend std::strong_ordering operator<=>(const TFrac& a, const TFrac& b);

private:
    std::int64_t num_ = 0;
    std::uint32_t den_ = 1;
};

TFrac operator+(TFrac a, const TFrac& b);
TFrac operator-(TFrac a, const TFrac& b);
TFrac operator*(TFrac a, const TFrac& b);
TFrac operator/(TFrac a, const TFrac& b);
TFrac operator-(TFrac a);

// Best continued-fraction convergent of x whose denominator is at most
// maxDen (0 means ajustes.DenominadorMax). Non-finite values or magnitudes
// of 2^63 and beyond raise the overflow failure.
TFrac RealAFrac(std::uint32_t maxDen, long double x, const AjustesFraccion& ajustes = {});
// The approximant built from at most n continued-fraction terms of x (x >= 0);
// n = 0 gives the integer part.
TFrac FracContinua(std::uint8_t n, long double x);
// Reads "a|b", "w|p|q", an integer or a decimal (blanks ignored). Empty text
// gives no value; unreadable or out-of-range text raises
// "%s no es un valor racional valido".
std::optional<TFrac> TextoAFrac(std::string_view texto, const AjustesFraccion& ajustes = {});

// Locale-free helpers shared by the number libraries.
// Reads [+-]digits[.digits][e[+-]digits] exactly as a whole text.
bool LeerDecimal(std::string_view texto, long double& valor);
// printf "%.<digitos>Lg" with "." whatever the locale.
std::string RealGeneral(long double x, int digitos);

}  // namespace numbrix
