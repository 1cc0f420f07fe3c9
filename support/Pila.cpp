#include "support/Pila.h"

#include <pthread.h>

#include <cstddef>

namespace numbrix {

namespace {
#if defined(NUMBRIX_SANITIZED) || defined(__SANITIZE_ADDRESS__)
constexpr std::uintptr_t kMargen = 2u << 20;  // sanitizer frames are larger
#else
constexpr std::uintptr_t kMargen = 512u << 10;
#endif

// The lowest usable address of this thread's stack. Asking is slow for the
// main thread (it reads the process maps), so each thread asks once.
std::uintptr_t LimiteHilo() {
    thread_local std::uintptr_t limite = [] {
        pthread_attr_t attr;
        void* base = nullptr;
        std::size_t tam = 0;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            pthread_attr_getstack(&attr, &base, &tam);
            pthread_attr_destroy(&attr);
        }
        std::uintptr_t bajo = reinterpret_cast<std::uintptr_t>(base);
        if (!base || tam < 2 * kMargen) {
            // Unknown: assume 1 MiB below the current frame.
            std::uintptr_t aqui = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
            return aqui > (1u << 20) ? aqui - (1u << 20) + kMargen / 4 : 0;
        }
        return bajo + kMargen;
    }();
    return limite;
}
}  // namespace

GuardaPila::GuardaPila() : limite_(LimiteHilo()) {}

}  // namespace numbrix
