#pragma once
// One harness per reader of untrusted input. Built with libFuzzer
// (devtools/fuzz.sh) each harness is a fuzzer of its own; in the test build
// every harness registers itself and the replay program runs each committed
// corpus file through it once.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "shell/VelIni.h"

namespace numbrix::fuzz {

using FuncionArnes = void (*)(std::string_view entrada);

struct RegistroArnes {
    RegistroArnes(const char* nombre, FuncionArnes funcion);
};

// A broken invariant is a crash, so the fuzzer keeps the input.
[[noreturn]] void Fallo(const char* que);
inline void Exigir(bool cierto, const char* que) {
    if (!cierto) Fallo(que);
}

// The input as a file, for readers that take a path: one file per process,
// rewritten for each input.
std::filesystem::path ComoArchivo(std::string_view entrada, const char* nombre = "entrada");

// A reader's options that never write the file behind the harness's back.
inline OpcionesIni SoloLectura() {
    OpcionesIni o;
    o.GuardarAlCerrar = false;
    return o;
}

// A cancel poll that says yes once `ms` have passed since it was made: long
// evaluations end through the engines' own cancel path.
struct Plazo {
    explicit Plazo(int ms) : fin(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}
    bool operator()() const { return std::chrono::steady_clock::now() > fin; }
    std::chrono::steady_clock::time_point fin;
};

}  // namespace numbrix::fuzz

#ifdef NUMBRIX_LIBFUZZER
#define NUMBRIX_ARNES(nombre)                                                                 \
    static void Arnes_##nombre(std::string_view);                                             \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {       \
        Arnes_##nombre(std::string_view(reinterpret_cast<const char*>(datos), tam));          \
        return 0;                                                                             \
    }                                                                                         \
    static void Arnes_##nombre(std::string_view entrada)
#else
#define NUMBRIX_ARNES(nombre)                                                                 \
    static void Arnes_##nombre(std::string_view);                                             \
    static ::numbrix::fuzz::RegistroArnes registro_##nombre(#nombre, &Arnes_##nombre);       \
    static void Arnes_##nombre(std::string_view entrada)
#endif
