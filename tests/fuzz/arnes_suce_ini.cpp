// The sequence definitions file: every section loads, saves and reloads
// identical.
#include "Arnes.h"
#include "shell/VelIni.h"
#include "tools/Sucesion.h"

using namespace numbrix;

NUMBRIX_ARNES(suce_ini) {
    std::vector<std::string> lineas;
    std::string l;
    for (char c : entrada) {
        if (c == '\n') lineas.push_back(std::exchange(l, {}));
        else if (c != '\r' && c != '\0') l += c;
    }
    const DefinicionSucesion d = TArchivoSucesiones::DeLineas(lineas);
    const auto escritas = TArchivoSucesiones::Lineas(d);
    for (const auto& e : escritas)
        fuzz::Exigir(!e.empty() && !(e.front() == '[' && e.back() == ']'), "una línea que el archivo rechaza");
    bool completa = false;
    fuzz::Exigir(TArchivoSucesiones::DeLineas(escritas, &completa) == d && completa, "no vuelve igual");
}
