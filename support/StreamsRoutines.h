#pragma once
// The routines under the picture archive: its failure, and the lh5 expansion
// of a compressed payload.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Errores.h"

namespace numbrix {

// The archive's texts: a bad index or signature, and a damaged lh5 stream.
inline constexpr const char* kArchivoIncorrecto = "Archivo incorrecto";
inline constexpr const char* kComprimidoDanado = "El archivo comprimido está dañado";

// A picture archive that cannot be read: its index or its compressed stream.
class ECorruptFile : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// Expands an lh5 bit stream to exactly `tam` bytes. Any table that cannot
// form a prefix code, a read past the end of `datos` or a size above
// `maximo` raises ECorruptFile(kComprimidoDanado); nothing is allocated past
// what the stream has produced so far.
std::string ExpandirLh5(std::string_view datos, std::uint64_t tam, std::uint64_t maximo = 64u << 20);

}  // namespace numbrix
