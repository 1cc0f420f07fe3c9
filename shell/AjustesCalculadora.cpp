#include "shell/AjustesCalculadora.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

using A = AjustesCalculadora;

// Flags read like any other; the tool windows' ones in the order they are
// reopened and written.
struct Bandera {
    const char* clave;
    bool A::*campo;
};

constexpr Bandera kHerramientas[] = {
    {"Conversor", &A::Conversor}, {"Formulas", &A::Formulas},         {"Primos", &A::Primos},
    {"Fechas", &A::Fechas},       {"Matrices", &A::Matrices},         {"Estadisticas", &A::Estadisticas},
    {"Fracciones", &A::Fracciones}, {"Complejos", &A::Complejos},     {"Polinomios", &A::Polinomios},
};
constexpr Bandera kBanderas[] = {
    {"SeparaMiles", &A::SeparaMiles},     {"SiempreVisible", &A::SiempreVisible}, {"ModoReducido", &A::ModoReducido},
    {"Magnetico", &A::Magnetico},         {"MinIcon", &A::MinIcon},               {"Autocompletar", &A::Autocompletar},
    {"NoAuto", &A::NoAuto},               {"MMR", &A::MMR},                       {"NoTitulo", &A::NoTitulo},
    {"VerBarra", &A::VerBarra},           {"VerTotal", &A::VerTotal},             {"VerHistorial", &A::VerHistorial},
};

struct Colores {
    const char* clave;
    int A::*campo;
};
constexpr Colores kColores[] = {
    {"ClLuz", &A::ClLuz}, {"ClSombra", &A::ClSombra}, {"ClTexto", &A::ClTexto}, {"ClFondo", &A::ClFondo}};

// A value no line can hold: tells a missing key from any stored text.
const std::string kAusente = "\n";

std::string Citar(std::string_view s) {
    const std::string corto = Izquierda(s, 40);
    return "«" + corto + (corto.size() < s.size() ? "...»" : "»");
}

// Reads the section's keys and collects what could not be used.
class Lector {
public:
    Lector(const TVelIniFile& ini, std::vector<std::string>& informe) : ini_(ini), informe_(informe) {}

    std::optional<std::string> Texto(const char* clave) const {
        std::string t = ini_.ReadString(A::Seccion, clave, kAusente);
        if (t == kAusente) return std::nullopt;
        return t;
    }

    // A missing key keeps the default silently; an unreadable or refused
    // one keeps it and says why.
    void Entero(const char* clave, int& campo, const std::function<bool(int)>& valido, const char* requisito,
                const char* usado = nullptr) {
        const auto t = Texto(clave);
        if (!t) return;
        const std::string defecto = usado ? usado : std::to_string(campo);
        int v = 0;
        if (!LeerEnteroIni(*t, v)) {
            Problema(clave, *t, "no es un número entero", defecto);
        } else if (valido && !valido(v)) {
            Problema(clave, *t, requisito, defecto);
        } else {
            campo = v;
        }
    }

    void Logico(const char* clave, bool& campo) {
        const auto t = Texto(clave);
        if (!t) return;
        int v = 0;
        if (LeerEnteroIni(*t, v))
            campo = v != 0;
        else
            Problema(clave, *t, "no es 0 ni 1", campo ? "1" : "0");
    }

    void Real(const char* clave, long double& campo, const char* requisito) {
        const auto t = Texto(clave);
        if (!t) return;
        long double v = 0;
        if (!LeerRealIni(*t, v))
            Problema(clave, *t, "no es un número", TextoRealIni(campo));
        else if (!std::isfinite(v) || v <= 0)
            Problema(clave, *t, requisito, TextoRealIni(campo));
        else
            campo = v;
    }

    void Cadena(const char* clave, std::string& campo) {
        const auto t = Texto(clave);
        if (!t) return;
        if (RecortarBlancos(*t).empty())
            Problema(clave, *t, "está vacío", campo);
        else
            campo = *t;
    }

    void Problema(const char* clave, const std::string& texto, const std::string& motivo, const std::string& usado) {
        informe_.push_back(std::string("Opciones, «") + clave + "» = " + Citar(texto) + ": " + motivo + "; se usa " +
                           usado + ".");
    }

private:
    static std::string_view RecortarBlancos(std::string_view s) {
        while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
        return s;
    }

    const TVelIniFile& ini_;
    std::vector<std::string>& informe_;
};

bool DigitosValidos(int d) { return d == A::kDigitosFlotante || (d >= 0 && d <= 16 && d % 2 == 0); }

// A text fit for one line of the file: line breaks become blanks and stray
// bytes are taken as Latin-1, so writing never refuses it.
std::string ParaArchivo(const std::string& texto) {
    std::string t = EsUtf8Valido(texto) ? texto : TextoDesdeBytes(texto);
    for (char& c : t)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return t;
}

void LeerFuente(Lector& l, const char* nombre, const char* tamano, const char* tipo, FuenteCaja& f) {
    l.Cadena(nombre, f.Nombre);
    l.Entero(tamano, f.Tamano, [](int v) { return v >= 1 && v <= 99; }, "el tamaño debe estar entre 1 y 99");
    l.Entero(tipo, f.Estilo, [](int v) { return v >= 0 && v <= 3; },
             "el estilo debe ser 0 (normal), 1 (negrita), 2 (cursiva) o 3 (negrita y cursiva)");
}

void EscribirFuente(TVelIniFile& ini, const char* nombre, const char* tamano, const char* tipo, const FuenteCaja& f) {
    ini.WriteString(A::Seccion, nombre, ParaArchivo(f.Nombre));
    ini.WriteInteger(A::Seccion, tamano, f.Tamano);
    ini.WriteInteger(A::Seccion, tipo, f.Estilo);
}

}  // namespace

void AjustesCalculadora::AgregarReciente(const std::string& titulo) {
    if (titulo.empty()) return;
    Recientes.erase(std::remove(Recientes.begin(), Recientes.end(), titulo), Recientes.end());
    Recientes.insert(Recientes.begin(), titulo);
    if (Recientes.size() > static_cast<std::size_t>(kMaxRecientes)) Recientes.resize(kMaxRecientes);
}

std::vector<std::string> AjustesCalculadora::Leer(const TVelIniFile& ini) {
    *this = AjustesCalculadora{};
    std::vector<std::string> informe;
    Lector l(ini, informe);

    l.Entero("Ver", Ver, {}, "");
    l.Entero("FAngulo", FAngulo, [](int v) { return v >= 0 && v <= 5; }, "la unidad de ángulo debe estar entre 0 y 5");
    l.Logico("SeparaMiles", SeparaMiles);
    l.Entero("BaseResultado", BaseResultado, [](int v) { return v >= 2 && v <= 36; },
             "la base debe estar entre 2 y 36");
    l.Entero("Digitos", Digitos, DigitosValidos, "los decimales deben ser 0, 2, 4, ..., 16 o 100 (flotante)");
    l.Entero("ModoDigitos", ModoDigitos, [](int v) { return v >= 0 && v <= 2; },
             "la notación debe ser 0 (general), 1 (científica) o 2 (ingeniería)");
    l.Real("MaxDif", MaxDif, "la tolerancia debe ser un número positivo");
    for (const auto& b : kBanderas) l.Logico(b.clave, this->*b.campo);
    for (const auto& b : kHerramientas) l.Logico(b.clave, this->*b.campo);
    l.Entero("MaxList", MaxList, [](int v) { return v >= kMaxListMinimo && v <= kMaxListMaximo; },
             "la longitud de la lista debe estar entre 1 y 1000");
    LeerFuente(l, "FENom", "FETam", "FETipo", FuenteExpresion);
    LeerFuente(l, "FRNom", "FRTam", "FRTipo", FuenteResultado);
    for (const auto& c : kColores) l.Entero(c.clave, this->*c.campo, {}, "");
    const auto alto = [](int v) { return v >= 0 && v <= 100000; };
    l.Entero("AltoF", AltoF, alto, "la altura debe estar entre 0 y 100000", "la altura actual");
    l.Entero("AltoH", AltoH, alto, "la altura debe estar entre 0 y 100000", "la altura actual");

    // Recent conversions in file order, which is newest first. What is not
    // kept will not be written back: it is said.
    for (const std::string& linea : ini.ReadSectionValues(SeccionRecientes)) {
        const auto igual = linea.find('=');
        const std::string clave = igual == std::string::npos ? std::string() : linea.substr(0, igual);
        std::string titulo = igual == std::string::npos ? linea : linea.substr(igual + 1);
        std::string motivo;
        if (titulo.empty())
            motivo = "está vacía";
        else if (std::find(Recientes.begin(), Recientes.end(), titulo) != Recientes.end())
            motivo = "está repetida";
        else if (Recientes.size() >= static_cast<std::size_t>(kMaxRecientes))
            motivo = "sobra (se guardan " + std::to_string(kMaxRecientes) + ")";
        if (!motivo.empty()) {
            informe.push_back("Conversiones recientes, clave " + Citar(clave) + ": " + motivo + "; se omite.");
            continue;
        }
        Recientes.push_back(std::move(titulo));
    }
    return informe;
}

void AjustesCalculadora::Escribir(TVelIniFile& ini) const {
    ini.WriteInteger(Seccion, "FAngulo", FAngulo);
    ini.WriteBool(Seccion, "SeparaMiles", SeparaMiles);
    ini.WriteInteger(Seccion, "BaseResultado", BaseResultado);
    ini.WriteInteger(Seccion, "Digitos", Digitos);
    ini.WriteInteger(Seccion, "ModoDigitos", ModoDigitos);
    ini.WriteBool(Seccion, "SiempreVisible", SiempreVisible);
    ini.WriteBool(Seccion, "ModoReducido", ModoReducido);
    ini.WriteBool(Seccion, "Magnetico", Magnetico);
    ini.WriteBool(Seccion, "Autocompletar", Autocompletar);
    ini.WriteBool(Seccion, "MMR", MMR);
    ini.WriteBool(Seccion, "NoTitulo", NoTitulo);
    ini.WriteInteger(Seccion, "MaxList", MaxList);
    for (const auto& c : kColores) ini.WriteInteger(Seccion, c.clave, this->*c.campo);
    ini.WriteBool(Seccion, "VerBarra", VerBarra);
    ini.WriteBool(Seccion, "VerTotal", VerTotal);
    ini.WriteBool(Seccion, "VerHistorial", VerHistorial);
    if (AltoF >= 0) ini.WriteInteger(Seccion, "AltoF", AltoF);
    if (AltoH >= 0) ini.WriteInteger(Seccion, "AltoH", AltoH);
    for (const auto& b : kHerramientas) ini.WriteBool(Seccion, b.clave, this->*b.campo);

    std::vector<std::string> lineas;
    const std::size_t n = std::min(Recientes.size(), static_cast<std::size_t>(kMaxRecientes));
    for (std::size_t i = 0; i < n; ++i) lineas.push_back(std::to_string(i) + "=" + ParaArchivo(Recientes[i]));
    ini.ReplaceSection(SeccionRecientes, lineas);
}

void AjustesCalculadora::EscribirOpciones(TVelIniFile& ini) const {
    ini.WriteBool(Seccion, "SiempreVisible", SiempreVisible);
    ini.WriteBool(Seccion, "Autocompletar", Autocompletar);
    ini.WriteBool(Seccion, "MMR", MMR);
    ini.WriteBool(Seccion, "NoAuto", NoAuto);
    ini.WriteBool(Seccion, "NoTitulo", NoTitulo);
    ini.WriteBool(Seccion, "Magnetico", Magnetico);
    ini.WriteBool(Seccion, "MinIcon", MinIcon);
    ini.WriteInteger(Seccion, "MaxList", MaxList);
    ini.WriteFloat(Seccion, "MaxDif", MaxDif);
    EscribirFuente(ini, "FENom", "FETam", "FETipo", FuenteExpresion);
    EscribirFuente(ini, "FRNom", "FRTam", "FRTipo", FuenteResultado);
}

void AjustesCalculadora::MarcarPrimerInicio(TVelIniFile& ini) {
    Ver = kVersionVista;
    ini.WriteInteger(Seccion, "Ver", Ver);
}

}  // namespace numbrix
