// The lh5 expander alone: the first three bytes declare the size (capped at
// 1 MiB), the rest is the stream. It expands to exactly that size or fails
// with ECorruptFile; what expands (up to 64 KiB), compressed again, expands back to itself.
#include "Arnes.h"
#include "CodificadorLh5.h"
#include "support/StreamsRoutines.h"

using namespace numbrix;

NUMBRIX_ARNES(lh5) {
    if (entrada.size() < 3) return;
    const auto b = [&](int i) { return std::uint64_t(static_cast<unsigned char>(entrada[i])); };
    const std::uint64_t tam = (b(0) | b(1) << 8 | b(2) << 16) & 0x1FFFFF;
    std::string salida;
    try {
        salida = ExpandirLh5(entrada.substr(3), tam, 1u << 20);
    } catch (const ECorruptFile&) {
        return;
    }
    fuzz::Exigir(salida.size() == tam, "la expansión no tiene el tamaño declarado");
    // The compressor is slow on long runs; small outputs keep the fuzzer fast.
    if (tam <= 65536)
        fuzz::Exigir(ExpandirLh5(ComprimirLh5(salida), tam) == salida, "comprimida otra vez no vuelve igual");
}
