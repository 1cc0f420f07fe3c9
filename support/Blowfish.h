#pragma once
// Blowfish for the picture archive, the one place that includes libgcrypt.
#include <string>
#include <string_view>

namespace numbrix {

// Deciphers (or, for the archive writer, enciphers) every whole 8-byte
// block of `datos` in place with the 16-round cipher keyed by the first 72
// bytes of `clave`; a trailing partial block stays as it is. Each block is
// taken as two little-endian words, the second the left half. False, and
// `datos` untouched, for an empty key or a key the schedule rejects as weak
// (an S-box with two equal entries).
bool Blowfish(std::string& datos, std::string_view clave, bool cifrar = false);

}  // namespace numbrix
