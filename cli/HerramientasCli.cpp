// The tools' command-line options: each tool with options registers them
// here, one call a tool, so numbrix-cli, its help and the README's table
// know them all. A tool option follows the convention of SalidaAccion
// (cli/OpcionesCli.h).
#include "cli/OpcionesCli.h"

namespace numbrix {

void RegistrarHerramientasCli(RegistroCli&) {}

}  // namespace numbrix
