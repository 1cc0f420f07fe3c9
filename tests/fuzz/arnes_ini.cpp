// The settings file, plain and keyed: any bytes load without throwing; what
// loaded survives a write and a second load unchanged; a plain file whose load
// found problems keeps its original beside it; a write is refused or reads
// back exactly.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Arnes.h"
#include "shell/VelIni.h"
#include "support/basicos.h"

using namespace numbrix;

namespace {

std::string Volcado(const TVelIniFile& ini) {
    std::string t;
    for (const auto& s : ini.ReadSections())
        if (!IgualesSinMayusculas(s, "Fuzz"))  // sections match without case, as the file reads them
            for (const auto& k : ini.ReadSection(s)) t += s + "|" + k + "=" + ini.ReadString(s, k) + "\n";
    return t;
}

void Probar(std::string_view entrada, const std::string& clave, const std::string (&escritura)[3]) {
    const auto ruta = fuzz::ComoArchivo(entrada, "numbrix.ini");
    auto copia = ruta;
    copia += ".bak";
    std::filesystem::remove(copia);
    std::string antes;
    bool problemas = false, escrita = false;
    {
        TVelIniFile ini(ruta, clave, fuzz::SoloLectura());
        problemas = ini.Informe().HayProblemas();
        antes = Volcado(ini);
        ini.WriteString("Fuzz", "clave", "valor");
        try {
            ini.WriteString(escritura[0], escritura[1], escritura[2]);
            escrita = !escritura[1].empty();  // an empty key means "write the file now"
        } catch (const EArchivoIni&) {
        }
        ini.UpdateFile();
    }
    TVelIniFile otra(ruta, clave, fuzz::SoloLectura());
    fuzz::Exigir(otra.ReadString("Fuzz", "clave") == "valor", "la clave escrita no se lee");
    if (escrita)
        fuzz::Exigir(otra.ReadString(escritura[0], escritura[1], "\x01") == escritura[2],
                     "un valor aceptado no se lee igual");
    else
        fuzz::Exigir(antes == Volcado(otra), "lo leído cambia al escribir");
    if (clave.empty()) {
        fuzz::Exigir(std::filesystem::exists(copia) == problemas, "copia del original donde no toca");
        if (problemas) {
            std::ifstream f(copia, std::ios::binary);
            std::ostringstream o;
            o << f.rdbuf();
            fuzz::Exigir(o.str() == entrada, "la copia no es el original");
        }
    }
}

}  // namespace

NUMBRIX_ARNES(ini) {
    // The first byte chooses plain or keyed and the length of one extra write
    // (section, key and value taken from the bytes that follow); the rest is
    // the file.
    if (entrada.empty()) return;
    const unsigned n = std::min<std::size_t>((static_cast<unsigned char>(entrada[0]) >> 1) % 4, (entrada.size() - 1) / 3);
    std::string escritura[3];
    for (unsigned i = 0; i < 3; ++i) escritura[i] = std::string(entrada.substr(1 + i * n, n));
    Probar(entrada.substr(1 + 3 * n), (entrada[0] & 1) ? std::string("clave de prueba 0123456789") : std::string(),
           escritura);
}
