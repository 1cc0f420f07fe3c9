// The settings file, plain and keyed: any bytes load without throwing, and
// what loaded survives a write and a second load unchanged.
#include "Arnes.h"
#include "shell/VelIni.h"

using namespace numbrix;

namespace {

void Probar(std::string_view entrada, const std::string& clave) {
    const auto ruta = fuzz::ComoArchivo(entrada, "numbrix.ini");
    std::string volcado;
    {
        TVelIniFile ini(ruta, clave, OpcionesIni{.GuardarAlCerrar = false});
        for (const auto& s : ini.ReadSections())
            for (const auto& k : ini.ReadSection(s)) volcado += s + "|" + k + "=" + ini.ReadString(s, k) + "\n";
        ini.WriteString("Fuzz", "clave", "valor");
        ini.UpdateFile();
    }
    // What was read before the write reads the same after it.
    TVelIniFile otra(ruta, clave, OpcionesIni{.GuardarAlCerrar = false});
    std::string despues;
    for (const auto& s : otra.ReadSections())
        for (const auto& k : otra.ReadSection(s))
            if (s != "Fuzz") despues += s + "|" + k + "=" + otra.ReadString(s, k) + "\n";
    std::string antes;
    for (std::size_t i = 0, j; i < volcado.size(); i = j + 1) {
        j = volcado.find('\n', i);
        if (volcado.compare(i, 5, "Fuzz|") != 0) antes += volcado.substr(i, j - i + 1);
    }
    fuzz::Exigir(otra.ReadString("Fuzz", "clave") == "valor", "la clave escrita no se lee");
    fuzz::Exigir(antes == despues, "lo leído cambia al escribir");
}

}  // namespace

NUMBRIX_ARNES(ini) {
    // The first byte chooses plain or keyed; the rest is the file.
    if (entrada.empty()) return;
    Probar(entrada.substr(1), (entrada[0] & 1) ? std::string("clave de prueba 0123456789") : std::string());
}
