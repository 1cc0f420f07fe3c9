// The primes tool's number box: any text is read as a 64-bit natural or
// refused with a message; an accepted number's factors multiply back and are
// prime, its divisors divide it, ascending.
#include "Arnes.h"
#include "tools/Primo.h"

using namespace numbrix;

NUMBRIX_ARNES(primos) {
    std::uint64_t n = 0;
    try {
        n = NumeroPara(OperacionPrimos::Factores, entrada);
    } catch (const EPrimos& e) {
        fuzz::Exigir(std::string(e.what()) == kMsjNaturales, "otro mensaje al rechazar");
        return;
    }
    fuzz::Exigir(n >= 1 && n <= kMaximoPrimos, "un número fuera de 1..2^63-1");
    std::uint64_t producto = 1;
    for (std::uint64_t f : FactoresPrimos(n)) {
        fuzz::Exigir(EsPrimo(f), "un factor que no es primo");
        producto *= f;
    }
    fuzz::Exigir(producto == n, "los factores no dan el número");
    fuzz::Exigir(EsPrimo(n) == (LineasEsPrimo(n).lineas[0] == "Es Primo"), "¿Es primo? contradice a EsPrimo");
    const auto d = Divisores(n);
    fuzz::Exigir(d.front() == 1 && d.back() == n, "los divisores no van de 1 a n");
    for (std::size_t i = 0; i < d.size(); ++i)
        fuzz::Exigir(n % d[i] == 0 && (i == 0 || d[i - 1] < d[i]), "un divisor que no divide o fuera de orden");
}
