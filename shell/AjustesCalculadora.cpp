#include "shell/AjustesCalculadora.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

using A = AjustesCalculadora;

// A field of the settings, or a part of one of the two fonts.
template <class T>
using En = T A::*;
template <class T>
struct EnFuente {
    FuenteCaja A::*fuente;
    T FuenteCaja::*parte;
};
using Campo = std::variant<En<int>, En<bool>, En<long double>, En<UnidadAngulo>, En<BaseNumeracion>,
                           En<DigitosResultado>, En<NotacionNumero>, EnFuente<std::string>, EnFuente<int>>;
// Where a field lives in one instance.
using Lugar = std::variant<int*, bool*, long double*, UnidadAngulo*, BaseNumeracion*, DigitosResultado*,
                           NotacionNumero*, std::string*>;

// Who writes a key: the main window when it closes, the options window, or
// neither ("Ver", written by MarcarPrimerInicio).
enum Escritura : unsigned { Nadie = 0, AlCerrar = 1, EnOpciones = 2, Ambas = 3 };

constexpr long double kSinMinimo = -2147483648.0L, kSinMaximo = 2147483647.0L;

// One key. Numbers, Booleans and the typed enums keep their default in
// `defecto`, texts in `texto`. A typed enum takes the values its own type
// accepts, a number those in [minimo, maximo]; an integer below `minimo`
// is not written (a height never set).
struct Clave {
    const char* nombre;
    Campo campo;
    long double defecto;
    long double minimo = kSinMinimo, maximo = kSinMaximo;
    const char* requisito = "";  // why a value was refused
    unsigned escritura = AlCerrar;
    const char* texto = "";      // a text key's default
    const char* usado = nullptr; // what the report says is used instead (default: the default)
};

constexpr long double kMinimoPositivo = std::numeric_limits<long double>::denorm_min();
constexpr const char* kTamano = "el tamaño debe estar entre 1 y 99";
constexpr const char* kEstilo = "el estilo debe ser 0 (normal), 1 (negrita), 2 (cursiva) o 3 (negrita y cursiva)";
constexpr const char* kAltura = "la altura debe estar entre 0 y 100000";

// The section "Opciones", in the order of the file's documentation.
const Clave kClaves[] = {
    {.nombre = "Ver", .campo = &A::Ver, .defecto = 0, .escritura = Nadie},
    {.nombre = "FAngulo", .campo = &A::FAngulo, .defecto = Radianes,
     .requisito = "la unidad de ángulo debe estar entre 0 y 5"},
    {.nombre = "SeparaMiles", .campo = &A::SeparaMiles, .defecto = false},
    {.nombre = "BaseResultado", .campo = &A::BaseResultado, .defecto = BaseDecimal,
     .requisito = "la base debe estar entre 2 y 36"},
    {.nombre = "Digitos", .campo = &A::Digitos, .defecto = DigitosFlotante,
     .requisito = "los decimales deben ser 0, 2, 4, ..., 16 o 100 (flotante)"},
    {.nombre = "ModoDigitos", .campo = &A::ModoDigitos, .defecto = NotacionGeneral,
     .requisito = "la notación debe ser 0 (general), 1 (científica) o 2 (ingeniería)"},
    {.nombre = "MaxDif", .campo = &A::MaxDif, .defecto = 1e-15L, .minimo = kMinimoPositivo,
     .maximo = std::numeric_limits<long double>::max(), .requisito = "la tolerancia debe ser un número positivo",
     .escritura = EnOpciones},
    {.nombre = "SiempreVisible", .campo = &A::SiempreVisible, .defecto = false, .escritura = Ambas},
    {.nombre = "ModoReducido", .campo = &A::ModoReducido, .defecto = false},
    {.nombre = "Magnetico", .campo = &A::Magnetico, .defecto = true, .escritura = Ambas},
    {.nombre = "MinIcon", .campo = &A::MinIcon, .defecto = false, .escritura = EnOpciones},
    {.nombre = "Autocompletar", .campo = &A::Autocompletar, .defecto = true, .escritura = Ambas},
    {.nombre = "NoAuto", .campo = &A::NoAuto, .defecto = true, .escritura = EnOpciones},
    {.nombre = "MMR", .campo = &A::MMR, .defecto = true, .escritura = Ambas},
    {.nombre = "NoTitulo", .campo = &A::NoTitulo, .defecto = false, .escritura = Ambas},
    {.nombre = "MaxList", .campo = &A::MaxList, .defecto = 50, .minimo = 1, .maximo = 1000,
     .requisito = "la longitud de la lista debe estar entre 1 y 1000", .escritura = Ambas},
    {.nombre = "FENom", .campo = EnFuente<std::string>{&A::FuenteExpresion, &FuenteCaja::Nombre}, .defecto = 0,
     .escritura = EnOpciones, .texto = "MS Sans Serif"},
    {.nombre = "FETam", .campo = EnFuente<int>{&A::FuenteExpresion, &FuenteCaja::Tamano}, .defecto = 10, .minimo = 1,
     .maximo = 99, .requisito = kTamano, .escritura = EnOpciones},
    {.nombre = "FETipo", .campo = EnFuente<int>{&A::FuenteExpresion, &FuenteCaja::Estilo}, .defecto = 0, .minimo = 0,
     .maximo = 3, .requisito = kEstilo, .escritura = EnOpciones},
    {.nombre = "FRNom", .campo = EnFuente<std::string>{&A::FuenteResultado, &FuenteCaja::Nombre}, .defecto = 0,
     .escritura = EnOpciones, .texto = "MS Sans Serif"},
    {.nombre = "FRTam", .campo = EnFuente<int>{&A::FuenteResultado, &FuenteCaja::Tamano}, .defecto = 10, .minimo = 1,
     .maximo = 99, .requisito = kTamano, .escritura = EnOpciones},
    {.nombre = "FRTipo", .campo = EnFuente<int>{&A::FuenteResultado, &FuenteCaja::Estilo}, .defecto = 1, .minimo = 0,
     .maximo = 3, .requisito = kEstilo, .escritura = EnOpciones},
    {.nombre = "ClLuz", .campo = &A::ClLuz, .defecto = 16765864},         // red 168, green 211, blue 255
    {.nombre = "ClSombra", .campo = &A::ClSombra, .defecto = 16753478},   // red 70, green 163, blue 255
    {.nombre = "ClTexto", .campo = &A::ClTexto, .defecto = -2147483640},  // the system's window-text colour
    {.nombre = "ClFondo", .campo = &A::ClFondo, .defecto = 14281964},     // red 236, green 236, blue 217
    {.nombre = "VerBarra", .campo = &A::VerBarra, .defecto = true},
    {.nombre = "VerTotal", .campo = &A::VerTotal, .defecto = true},
    {.nombre = "VerHistorial", .campo = &A::VerHistorial, .defecto = true},
    // -1: the window never set it, so it is not written.
    {.nombre = "AltoF", .campo = &A::AltoF, .defecto = -1, .minimo = 0, .maximo = 100000, .requisito = kAltura,
     .usado = "la altura actual"},
    {.nombre = "AltoH", .campo = &A::AltoH, .defecto = -1, .minimo = 0, .maximo = 100000, .requisito = kAltura,
     .usado = "la altura actual"},
    // The tool windows, in the order they are reopened.
    {.nombre = "Conversor", .campo = &A::Conversor, .defecto = false},
    {.nombre = "Formulas", .campo = &A::Formulas, .defecto = false},
    {.nombre = "Primos", .campo = &A::Primos, .defecto = false},
    {.nombre = "Fechas", .campo = &A::Fechas, .defecto = false},
    {.nombre = "Matrices", .campo = &A::Matrices, .defecto = false},
    {.nombre = "Estadisticas", .campo = &A::Estadisticas, .defecto = false},
    {.nombre = "Fracciones", .campo = &A::Fracciones, .defecto = false},
    {.nombre = "Complejos", .campo = &A::Complejos, .defecto = false},
    {.nombre = "Polinomios", .campo = &A::Polinomios, .defecto = false},
    {.nombre = "FracDenominadorDec", .campo = &A::FracDenominadorDec, .defecto = 1000, .minimo = 1, .maximo = 10000000,
     .requisito = "el denominador máximo debe estar entre 1 y 10000000"},
    {.nombre = "FracSepEntero", .campo = &A::FracSepEntero, .defecto = false},
    {.nombre = "ModoMatriz", .campo = &A::ModoMatriz, .defecto = false},
    {.nombre = "TamaMatPan1", .campo = &A::TamaMatPan1, .defecto = 240, .minimo = 0, .maximo = 100000,
     .requisito = "el ancho debe estar entre 0 y 100000"},
    {.nombre = "TamaMatPan2", .campo = &A::TamaMatPan2, .defecto = 240, .minimo = 0, .maximo = 100000,
     .requisito = "el ancho debe estar entre 0 y 100000"},
    {.nombre = "TamaMatPan3", .campo = &A::TamaMatPan3, .defecto = 160, .minimo = 0, .maximo = 100000,
     .requisito = kAltura},
};

Lugar Ubicar(const Campo& c, A& a) {
    return std::visit(
        [&a](const auto& m) -> Lugar {
            if constexpr (requires { m.parte; }) return &((a.*m.fuente).*m.parte);
            else return &(a.*m);
        },
        c);
}

// The value a typed enum accepts, through its own check.
std::optional<UnidadAngulo> Aceptado(UnidadAngulo*, int v) { return UnidadAnguloDe(v); }
std::optional<BaseNumeracion> Aceptado(BaseNumeracion*, int v) { return BaseDe(v); }
std::optional<DigitosResultado> Aceptado(DigitosResultado*, int v) { return DigitosDe(v); }
std::optional<NotacionNumero> Aceptado(NotacionNumero*, int v) { return NotacionDe(v); }

std::string Citar(std::string_view s) {
    const std::string corto = Izquierda(s, 40);
    return "«" + corto + (corto.size() < s.size() ? "...»" : "»");
}

std::string_view SinBlancos(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

// A text fit for one line of the file: line breaks become blanks and stray
// bytes are taken as Latin-1, so writing never refuses it.
std::string ParaArchivo(const std::string& texto) {
    std::string t = EsUtf8Valido(texto) ? texto : TextoDesdeBytes(texto);
    for (char& c : t)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return t;
}

// Reads one key's text into its field; "" or why it was refused (the field
// then keeps its default).
std::string Leer(const Clave& k, A& a, const std::string& t) {
    return std::visit(
        [&](auto* p) -> std::string {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) {
                if (SinBlancos(t).empty()) return "está vacío";
                *p = t;
            } else if constexpr (std::is_same_v<T, long double>) {
                long double v = 0;
                if (!LeerRealIni(t, v)) return "no es un número";
                if (!std::isfinite(v) || v < k.minimo || v > k.maximo) return k.requisito;
                *p = v;
            } else {
                int v = 0;
                if (!LeerEnteroIni(t, v)) return std::is_same_v<T, bool> ? "no es 0 ni 1" : "no es un número entero";
                if constexpr (std::is_same_v<T, bool>) {
                    *p = v != 0;
                } else if constexpr (std::is_same_v<T, int>) {
                    if (v < k.minimo || v > k.maximo) return k.requisito;
                    *p = v;
                } else {
                    const auto e = Aceptado(p, v);
                    if (!e) return k.requisito;
                    *p = *e;
                }
            }
            return {};
        },
        Ubicar(k.campo, a));
}

// The field as the file holds it.
void Escribir(const Clave& k, const A& a, TVelIniFile& ini) {
    std::visit(
        [&](auto* p) {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) ini.WriteString(A::Seccion, k.nombre, ParaArchivo(*p));
            else if constexpr (std::is_same_v<T, long double>) ini.WriteFloat(A::Seccion, k.nombre, *p);
            else if constexpr (std::is_same_v<T, bool>) ini.WriteBool(A::Seccion, k.nombre, *p);
            else if (static_cast<int>(*p) >= k.minimo) ini.WriteInteger(A::Seccion, k.nombre, static_cast<int>(*p));
        },
        Ubicar(k.campo, const_cast<A&>(a)));
}

// The text of the value in force, for the report.
std::string Usado(const Clave& k, A& a) {
    if (k.usado) return k.usado;
    return std::visit(
        [](auto* p) -> std::string {
            using T = std::remove_pointer_t<decltype(p)>;
            if constexpr (std::is_same_v<T, std::string>) return *p;
            else if constexpr (std::is_same_v<T, long double>) return TextoRealIni(*p);
            else if constexpr (std::is_same_v<T, bool>) return *p ? "1" : "0";
            else return std::to_string(static_cast<int>(*p));
        },
        Ubicar(k.campo, a));
}

void EscribirClaves(const A& a, TVelIniFile& ini, Escritura quien) {
    for (const Clave& k : kClaves)
        if (k.escritura & quien) Escribir(k, a, ini);
}

}  // namespace

AjustesCalculadora::AjustesCalculadora() {
    for (const Clave& k : kClaves) {
        std::visit(
            [&k](auto* p) {
                using T = std::remove_pointer_t<decltype(p)>;
                if constexpr (std::is_same_v<T, std::string>) *p = k.texto;
                else if constexpr (std::is_same_v<T, long double> || std::is_same_v<T, bool>)
                    *p = static_cast<T>(k.defecto);
                else *p = static_cast<T>(static_cast<int>(k.defecto));
            },
            Ubicar(k.campo, *this));
    }
}

void AjustesCalculadora::AgregarReciente(const std::string& titulo) {
    if (titulo.empty()) return;
    Recientes.erase(std::remove(Recientes.begin(), Recientes.end(), titulo), Recientes.end());
    Recientes.insert(Recientes.begin(), titulo);
    if (Recientes.size() > static_cast<std::size_t>(kMaxRecientes)) Recientes.resize(kMaxRecientes);
}

std::vector<std::string> AjustesCalculadora::Leer(const TVelIniFile& ini) {
    *this = AjustesCalculadora{};
    std::vector<std::string> informe;
    // A value no line can hold tells a missing key from any stored text.
    const std::string ausente = "\n";
    for (const Clave& k : kClaves) {
        const std::string t = ini.ReadString(Seccion, k.nombre, ausente);
        if (t == ausente) continue;  // missing: the default, silently
        const std::string motivo = numbrix::Leer(k, *this, t);
        if (!motivo.empty())
            informe.push_back(std::string("Opciones, «") + k.nombre + "» = " + Citar(t) + ": " + motivo +
                              "; se usa " + Usado(k, *this) + ".");
    }

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
    EscribirClaves(*this, ini, AlCerrar);
    std::vector<std::string> lineas;
    const std::size_t n = std::min(Recientes.size(), static_cast<std::size_t>(kMaxRecientes));
    for (std::size_t i = 0; i < n; ++i) lineas.push_back(std::to_string(i) + "=" + ParaArchivo(Recientes[i]));
    ini.ReplaceSection(SeccionRecientes, lineas);
}

void AjustesCalculadora::EscribirOpciones(TVelIniFile& ini) const { EscribirClaves(*this, ini, EnOpciones); }

void AjustesCalculadora::MarcarPrimerInicio(TVelIniFile& ini) {
    Ver = kVersionVista;
    ini.WriteInteger(Seccion, "Ver", Ver);
}

}  // namespace numbrix
