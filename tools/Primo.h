#pragma once
// Primes of the natural numbers up to 2^63 − 1: primality, factors and
// divisors (instant, run directly), and the long jobs (the n-th prime,
// counts and listings of a range), which poll a TTrabajo and report their
// progress with the texts the prime window shows.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/Errores.h"
#include "support/Trabajo.h"

namespace numbrix {

inline constexpr std::uint64_t kMaximoPrimos = 0x7FFFFFFFFFFFFFFFull;  // 2^63 − 1
inline constexpr std::uint64_t kMaximoEnesimo = 1ull << 57;
// The memo's listing stops here; a file takes any length.
inline constexpr std::uint64_t kMaximoLineasLista = 1000000;

inline constexpr const char* kMsjMaximoPrimo = "El máximo número con el que puede operar es (2^63-1)";
inline constexpr const char* kMsjNaturales = "Debe operar con números naturales entre 1 y 2^63-1";
inline constexpr const char* kMsjEnesimo = "Debe operar con números naturales entre 1 y 2^57";

// A refused number: the text is the message to show.
class EPrimos : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// ---- arithmetic, n < 2^64
bool EsPrimo(std::uint64_t n);
// The prime factors with multiplicity, ascending; none for n < 2.
std::vector<std::uint64_t> FactoresPrimos(std::uint64_t n);
// Every divisor of n ≥ 1, 1 and n included, ascending.
std::vector<std::uint64_t> Divisores(std::uint64_t n);

// ---- what the window and numbrix-cli show
// A 64-bit decimal integer (optional sign, blanks around); nothing else.
bool LeerEntero64(std::string_view texto, std::int64_t& valor);
// The number an operation takes, or EPrimos with its message.
enum class OperacionPrimos { EsPrimo, Factores, Divisores, Enesimo, Rango };
std::uint64_t NumeroPara(OperacionPrimos op, std::string_view texto);

struct LineasPrimos {
    std::vector<std::string> lineas;
    std::uint64_t cuenta = 0;  // the count label
};
LineasPrimos LineasEsPrimo(std::uint64_t n);
LineasPrimos LineasFactores(std::uint64_t n);
LineasPrimos LineasDivisores(std::uint64_t n);

// About how many primes [lo, hi] holds (0 below 3).
double EstimacionPrimos(std::uint64_t lo, std::uint64_t hi);
std::string NombreArchivoPrimos(std::uint64_t lo, std::uint64_t hi);

// ---- jobs: raise ECancelado when cancelled; threads 0: all the machine's
struct OpcionesCriba {
    int hilos = 0;
};

// The n-th prime, 1 ≤ n ≤ 2^57.
std::uint64_t EnesimoPrimo(std::uint64_t n, TTrabajo& t, OpcionesCriba o = {});
// How many primes in [lo, hi].
std::uint64_t ContarPrimos(std::uint64_t lo, std::uint64_t hi, TTrabajo& t, OpcionesCriba o = {});

// The primes of [max(lo, 2), hi], one per line ("\n"), handed to `bloque` in
// pieces of whole lines. Stops after `maximo` primes (0: no bound). On a
// cancel what was handed stays handed, then ECancelado.
struct ResultadoLista {
    std::uint64_t cantidad = 0;
    bool detenida = false;  // stopped at `maximo`
};
ResultadoLista ListarPrimos(std::uint64_t lo, std::uint64_t hi, TTrabajo& t,
                            const std::function<void(std::string_view)>& bloque, std::uint64_t maximo = 0);
// The same into a file written atomically: committed at the end and after a
// cancel (complete lines); a write failure raises EEscritura and leaves the
// old file. `cantidad` receives the primes written even when cancelled.
ResultadoLista ListarPrimosArchivo(std::uint64_t lo, std::uint64_t hi, const std::filesystem::path& ruta, TTrabajo& t,
                                   std::uint64_t* cantidad = nullptr);

// The status line after a listing: "%d / %d  (%.3f%)".
std::string TextoFinLista(std::uint64_t cantidad, std::uint64_t lo, std::uint64_t hi);
std::string TextoEnesimo(std::uint64_t n, std::uint64_t p);  // "Pr(%d) = %d"

}  // namespace numbrix
