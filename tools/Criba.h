#pragma once
// The one door to the segmented sieve library: counts and an ascending walk
// over the primes of a range. The library has no cancel hook and each call
// first sieves its primes up to √hi (seconds near 2^63): high up, the calls
// run in a child process that a cancel kills. The callers slice the work so
// that they can report progress.
#include <cstdint>
#include <memory>

#include "support/Trabajo.h"

namespace numbrix {

// Primes in [lo, hi] (hi ≤ 2^63 − 1); ECancelado when the token asks.
std::uint64_t ContarPrimosCriba(std::uint64_t lo, std::uint64_t hi, const TokenCancelar& token = {});

// The threads the sieve's counts use, process-wide: only a running job sets it.
void HilosCriba(int hilos);

// The primes ≥ lo, ascending; `tope` bounds the sieving ahead. Past the
// primes up to the first one above `tope`, Siguiente answers 2^64 − 1.
class TRecorridoPrimos {
public:
    TRecorridoPrimos(std::uint64_t lo, std::uint64_t tope, TokenCancelar token = {});
    ~TRecorridoPrimos();
    TRecorridoPrimos(const TRecorridoPrimos&) = delete;
    TRecorridoPrimos& operator=(const TRecorridoPrimos&) = delete;
    std::uint64_t Siguiente();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace numbrix
