#pragma once
// How much of the current thread's stack is left, so deep recursion (the
// compiler on a pathological text) fails with a message instead of a crash.
#include <cstdint>

namespace numbrix {

class GuardaPila {
public:
    GuardaPila();
    // True when fewer than the safety margin's bytes are left below here.
    bool Agotada() const {
        return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < limite_;
    }
private:
    std::uintptr_t limite_ = 0;
};

}  // namespace numbrix
