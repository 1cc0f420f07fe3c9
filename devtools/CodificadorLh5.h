#pragma once
// An lh5 compressor for the test fixtures, the benchmarks, the fuzz seeds and
// `numbrix-pack img --lh5`: the program only expands. Its matches never reach
// before the start, so any lh5 expander gives back the input whatever its
// dictionary starts with.
#include <string>
#include <string_view>

namespace numbrix {

std::string ComprimirLh5(std::string_view datos);

}  // namespace numbrix
