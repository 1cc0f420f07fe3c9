#pragma once
// The fixed keys of the scrambled data files. Changing either makes every
// shipped and every user-saved file of that kind unreadable, so they never
// change.
#include <string_view>

namespace numbrix {

// The unit file, maguni.def.
inline constexpr std::string_view kClaveDatos = "|GL)PG|YvxBXq9InOF|N?:)Qwl0{HjgTIJ:(q:Pg>.1(l,3dN(";
// The formula library's group files (*.fcm).
inline constexpr std::string_view kClaveFormulas = "}%c4ikX|X9;nX72a,$^yu3bq+QP0txWT:t.tfO";

static_assert(kClaveDatos.size() == 50 && kClaveFormulas.size() == 38);

}  // namespace numbrix
