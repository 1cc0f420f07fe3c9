#pragma once
// numbrix-render (run by numbrix-cli --render FILE): an expression drawn as a
// formula picture into an SVG, PNG or JPEG file, without a display.
#include <functional>
#include <string>

#include "engine/ExpresionX.h"

namespace numbrix {

inline constexpr int kTamRenderDefecto = 20;  // the pictures' nominal size

// Compiles `expresion` with a real-mode engine (built-ins on, any unknown
// single letter a variable; `preparar`, when given, registers more names
// first, such as the shell's functions), lays it out and writes it to
// `archivo` in the format of its extension, scaled by tam / 20.
// Returns 0 on success; 1 with a Spanish message in `error` when the
// expression does not compile, the extension is unknown or the file cannot
// be written; 2 when tam is outside 1..255.
int RenderizarExpresion(const std::string& expresion, const std::string& archivo, int tam, std::string& error,
                        const std::function<void(TExpresionX&)>& preparar = {});

}  // namespace numbrix
