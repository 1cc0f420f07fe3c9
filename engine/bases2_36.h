#pragma once
// Numbers as text in bases 2..36: the reader the compiler tries on every
// candidate piece, and the writer behind every result the user sees.
// Locale-free: the point is always "." whatever the process locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numbrix {

// The display choices a window, the settings file or the command line
// makes. Each is a type of its own: a number read from anywhere becomes one
// only through its checking function (...De), and reads back as its number.
enum NotacionNumero : int { NotacionGeneral = 0, NotacionCientifica = 1, NotacionIngenieria = 2 };
// Any base from 2 to 36; the common ones are named.
enum BaseNumeracion : int { BaseBinaria = 2, BaseOctal = 8, BaseDecimal = 10, BaseHexadecimal = 16 };
// Digits of a result: floating, or a fixed 0, 2, 4, ..., 16 decimals.
enum DigitosResultado : int { DigitosFlotante = 100 };

std::optional<NotacionNumero> NotacionDe(int n);
std::optional<BaseNumeracion> BaseDe(int b);
std::optional<DigitosResultado> DigitosDe(int d);

// Display format. Owned by whoever shows numbers (the session), passed in;
// there is no program-wide copy.
struct FormatoNumero {
    int Decimales = 16;      // digits after the point (the writer takes 0..30)
    bool QuitarCeros = true; // drop trailing fractional zeros
    NotacionNumero Notacion = NotacionGeneral;
    BaseNumeracion BaseDefecto = BaseDecimal;
    bool Agrupar = false;    // blank between groups of three digits

    // Floating is 16 decimals without their trailing zeros.
    DigitosResultado Digitos() const;
    void SetDigitos(DigitosResultado d);
};

// Longest number text the reader takes (blanks removed).
inline constexpr std::size_t kLargoMaximoNumero = 255;

// Why a read failed; the text is built only when a caller asks for it.
enum class FalloLectura : std::uint8_t {
    Ninguno,
    Vacio,                 // "Vacio"
    CaracterNoReconocido,  // "Error de sintaxis (Caracter no reconocido)"
    SignoMas,              // "Error de sintaxis ("+")"
    SignoMenos,            // "Error de sintaxis ("-")"
    PuntoRepetido,         // "Error de sintaxis (punto decimal repetido)"
    ExpRepetido,           // "Error de sintaxis (exp repetido)"
    Ambigua,               // "Expresión ambigua"
    FaltaExponente,        // "Falta exponente despues de "e""
    ExponenteNoEntero,     // "Exponente debe ser entero"
    DigitoInvalido,        // ""%s" no es un dígito válido en base %d"
    Corchetes,             // "Error de corchetes"
    BaseFueraDeRango,      // "Base de numeración debe estar entre 2 y 36 inclusive"
    BaseNoEntera,          // the bracketed base is not a decimal integer
    DemasiadoLargo,        // more than 255 characters
    SinDigitos,            // a mantissa without any digit («e5», «.», «+»)
    Desbordamiento,        // the value is beyond the long double range («1e5000»)
};

struct LecturaNumero {
    long double valor = 0;      // 0 after any failure
    FalloLectura fallo = FalloLectura::Ninguno;
    int base = 10;              // the base the text was read in (the old "UltimaBase")
    char32_t caracter = 0;      // offending character, for DigitoInvalido
    int baseFallo = 0;          // base of that failure, for DigitoInvalido

    bool Error() const { return fallo != FalloLectura::Ninguno; }
    std::string Mensaje() const;  // Spanish text of the failure, empty without one
};

std::string QuitarBlancos(std::string_view texto);
char DigitoAChar(int valor);                 // 0..35 -> '0'..'9','A'..'Z'
int CharADigito(char32_t c, bool* ok = nullptr);  // 'a'..'z' and 'A'..'Z' -> 10..35

LecturaNumero LeerEnBase(std::string_view texto, int base);
LecturaNumero LeerNumero(std::string_view texto);  // base from the text: FF[16], h1F, b101, o17

// Reader rules worth knowing:
// - a text over 255 characters (blanks removed) fails with DemasiadoLargo;
// - a base outside 2..36 given to LeerEnBase fails with BaseFueraDeRango;
// - a value too large for a long double fails with Desbordamiento, one too
//   small for it reads as 0 (or a subnormal) without failure;
// - in bases below 14, an "e" with no exponent digits after it («1e», «1e+»)
//   fails with FaltaExponente; from base 14 on it reads as exponent 0.
// Failures never allocate: the message is built only by Mensaje().

// Writers: a base outside 2..36 writes in base 10 (so a bad setting can never
// produce unreadable digits). Decimales is taken within 0..30. In bases that
// are not powers of two at most the digits that 64 mantissa bits hold are
// written (18 in base 10); the rest of a fixed count of decimals is zeros.
std::string EnteroABase(int base, std::int64_t n);
// Integer part of |x| (already an integer value) in base b, from the extended
// value itself, never through a 64-bit integer.
std::string EnteroRealABase(int base, long double entero);

std::string RealABaseFijo(int base, long double x, const FormatoNumero& f);
// Exponent forms put the mantissa in [1/b, 1) first (e = floor(log_b|x|) + 1,
// exact at powers of b); the scientific notation then shifts one digit
// (100 -> «1e2»), the engineering one at least one and until e is a multiple
// of 3 (12345 -> «12.345e3»), the general one keeps «0.1e21» and always
// shows at least one digit. A mantissa
// that rounds up to b moves to the next exponent.
std::string RealABaseCientifico(int base, long double x, const FormatoNumero& f);
// Chooses fixed or scientific form; appends " [b]" when b != 10 and marca.
// The general notation writes the fixed form when b^-Decimales <= |x| <= b^16 (from 1/b
// up with no decimals, so 0.6 rounds to «1»), else the exponent form. 0 is "0" (no mark). A value that rounds to zero has no "-".
std::string RealABase(int base, long double x, const FormatoNumero& f, bool marca = true);
std::string RealATexto(long double x, const FormatoNumero& f);  // RealABase with BaseDefecto

// Shortest decimal text that reads back (through LeerNumero) to exactly x:
// ".", lowercase "e", never the locale's comma. Used wherever a value is
// written to be read again (the engine's Texto, the last result, files).
// Finite values only: inf and nan come out as "inf"/"nan", which do not read.
std::string RealATextoExacto(long double x);
// printf "%.<digits>Lg"-like text, locale-free, lowercase "e" (menus, notes).
std::string RealAGeneral(long double x, int digitos = 15);

}  // namespace numbrix
