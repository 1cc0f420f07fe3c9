#pragma once
// The one door to the segmented sieve library: counts and an ascending walk
// over the primes of a range. Nothing here polls or reports: the callers
// slice the work so that they can.
#include <cstdint>
#include <memory>

namespace numbrix {

// Primes in [lo, hi] (hi ≤ 2^63 − 1).
std::uint64_t ContarPrimosCriba(std::uint64_t lo, std::uint64_t hi);

// The threads the sieve's counts use, process-wide: only a running job sets it.
void HilosCriba(int hilos);

// The primes ≥ lo, ascending; `tope` bounds the sieving ahead.
class TRecorridoPrimos {
public:
    TRecorridoPrimos(std::uint64_t lo, std::uint64_t tope);
    ~TRecorridoPrimos();
    TRecorridoPrimos(const TRecorridoPrimos&) = delete;
    TRecorridoPrimos& operator=(const TRecorridoPrimos&) = delete;
    std::uint64_t Siguiente();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace numbrix
