#include "tools/Criba.h"

#include <primesieve.hpp>

namespace numbrix {

std::uint64_t ContarPrimosCriba(std::uint64_t lo, std::uint64_t hi) {
    if (lo > hi) return 0;
    return primesieve::count_primes(lo, hi);
}

void HilosCriba(int hilos) { primesieve::set_num_threads(hilos); }

struct TRecorridoPrimos::Impl {
    primesieve::iterator it;
    Impl(std::uint64_t lo, std::uint64_t tope) : it(lo, tope) {}
};

TRecorridoPrimos::TRecorridoPrimos(std::uint64_t lo, std::uint64_t tope) : impl_(std::make_unique<Impl>(lo, tope)) {}
TRecorridoPrimos::~TRecorridoPrimos() = default;

std::uint64_t TRecorridoPrimos::Siguiente() { return impl_->it.next_prime(); }

}  // namespace numbrix
