#pragma once
// The core never shows anything: where a unit must tell the user something
// outside a return value (a last-chance save that failed, an auxiliary
// engine's error), it calls the notifier its owner injected. Windows connect
// it to a message box, numbrix-cli to standard error, tests to a recorder.
#include <functional>
#include <string>

namespace numbrix {

enum class NivelAviso { Informacion, Advertencia, Error };

using Notificador = std::function<void(NivelAviso, const std::string& mensaje)>;

}  // namespace numbrix
