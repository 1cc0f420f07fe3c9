#include "cli/OpcionesCli.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "shell/Sesion.h"

namespace numbrix {

namespace {
bool LeerEntero(const std::string& s, int& n) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc() && p == s.data() + s.size();
}

// "-2^2", "-(1)", "-.5" are expressions, not options.
bool PareceExpresion(const std::string& a) {
    return a.size() >= 2 && a[0] == '-' && (std::isdigit(static_cast<unsigned char>(a[1])) || a[1] == '(' || a[1] == '.');
}

bool EsOperando(const std::string& a) { return a.empty() || a[0] != '-' || a == "-" || PareceExpresion(a); }

using Fijador = std::function<std::string(OpcionesCli&, const std::string&)>;

OpcionCli Ajuste(char corto, std::string largo, std::string valor, std::string ayuda, Fijador fijar) {
    OpcionCli o;
    o.corto = corto;
    o.largo = std::move(largo);
    o.valor = std::move(valor);
    o.ayuda = std::move(ayuda);
    o.Fijar = std::move(fijar);
    return o;
}

// One of a few words, each giving a value; the message lists them.
template <class T>
Fijador Palabras(std::vector<std::pair<std::string, T>> palabras, T OpcionesCli::*campo, std::string error) {
    std::string lista;
    for (std::size_t k = 0; k < palabras.size(); ++k)
        lista += (k == 0 ? "" : k + 1 == palabras.size() ? " o " : ", ") + palabras[k].first;
    return [=](OpcionesCli& o, const std::string& v) -> std::string {
        for (const auto& [p, valor] : palabras)
            if (v == p) {
                o.*campo = valor;
                return {};
            }
        return error + ": " + v + " (" + lista + ")";
    };
}

void RegistrarPropias(RegistroCli& r) {
    r.Agregar(Ajuste('m', "--mode", "real|rational|complex",
                     "modo: reales, fracciones exactas o complejos\n(real); también real|racional|complejo",
                     Palabras<ModoCli>({{"real", ModoCli::Real}, {"rational", ModoCli::Racional},
                                        {"racional", ModoCli::Racional}, {"complex", ModoCli::Complejo},
                                        {"complejo", ModoCli::Complejo}},
                                       &OpcionesCli::modo, "modo desconocido")));
    r.Agregar(Ajuste('a', "--angle", "rad|deg|grad|turn|dms|pi", "unidad de ángulos (rad)",
                     Palabras<UnidadAngulo>({{"rad", Radianes}, {"deg", Sexagesimales}, {"grad", Centesimales},
                                             {"turn", Ciclos}, {"dms", GMS}, {"pi", MultiplosPi}},
                                            &OpcionesCli::angulo, "unidad de ángulos desconocida")));
    r.Agregar(Ajuste('b', "--base", "N", "base del resultado, 2 a 36 (10)",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         int n = 0;
                         const auto b = LeerEntero(v, n) ? BaseDe(n) : std::nullopt;
                         if (!b) return "la base debe ser un entero entre 2 y 36: " + v;
                         o.base = *b;
                         return {};
                     }));
    r.Agregar(Ajuste('d', "--digits", "float|N", "decimales: flotante o N en 0,2,...,16",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         int n = 0;
                         const auto d = v == "float" ? DigitosFlotante
                                        : LeerEntero(v, n) && n != DigitosFlotante ? DigitosDe(n)
                                                                                   : std::nullopt;
                         if (!d) return "decimales: float o un número par entre 0 y 16: " + v;
                         o.digitos = *d;
                         return {};
                     }));
    r.Agregar(Ajuste('n', "--notation", "general|sci|eng", "notación (general)",
                     Palabras<NotacionNumero>({{"general", NotacionGeneral}, {"sci", NotacionCientifica},
                                               {"eng", NotacionIngenieria}},
                                              &OpcionesCli::notacion, "notación desconocida")));
    r.Agregar(Ajuste('g', "--group", "", "separador de miles", [](OpcionesCli& o, const std::string&) {
        o.agrupar = true;
        return std::string();
    }));
    r.Agregar(Ajuste(0, "--maxden", "N", "denominador máximo al convertir decimales\nen fracciones (1000)",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         std::uint32_t n = 0;
                         auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
                         if (ec != std::errc() || p != v.data() + v.size() || n == 0)
                             return "--maxden espera un entero entre 1 y 4294967295: " + v;
                         o.maxDen = n;
                         return {};
                     }));
    r.Agregar(Ajuste(0, "--mixed", "", "fracciones en formato mixto: 3 | 1 | 2", [](OpcionesCli& o, const std::string&) {
        o.mixto = true;
        return std::string();
    }));
    r.Agregar(Ajuste(0, "--var", "NOMBRE=EXPR", "respuesta para una variable preguntada",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         auto eq = v.find('=');
                         if (eq != 1 || !v[0] || !std::strchr(kLetrasPregunta, v[0]))
                             return "--var espera LETRA=EXPRESION con una de las letras " +
                                    std::string(kLetrasPregunta) + ": " + v;
                         o.respuestas[v[0]] = v.substr(2);
                         return {};
                     }));
    r.Agregar(Ajuste(0, "--data", "CARPETA",
                     "carpeta de datos (memorias, definiciones,\nhistorial); sin ella, la habitual",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         if (v.empty()) return "falta la carpeta de --data";
                         o.data = v;
                         return {};
                     }));
    r.Agregar(Ajuste(0, "--save", "", "guarda al terminar memorias, lista de\nresultados e historial (modo real)",
                     [](OpcionesCli& o, const std::string&) {
                         o.guardar = true;
                         return std::string();
                     }));
    r.Agregar(Ajuste(0, "--render", "ARCHIVO", "dibuja la última expresión como fórmula\n(.svg, .png, .jpg)",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         if (v.empty()) return "falta el archivo de --render";
                         o.render = v;
                         return {};
                     }));
    r.Agregar(Ajuste(0, "--render-size", "N", "tamaño nominal de la fórmula, 1 a 255 (20)",
                     [](OpcionesCli& o, const std::string& v) -> std::string {
                         int n = 0;
                         if (!LeerEntero(v, n) || n < 1 || n > 255)
                             return "--render-size espera un número de 1 a 255: " + v;
                         o.renderTam = n;
                         return {};
                     }));
    r.Agregar(Ajuste('h', "--help", "", "esta ayuda", [](OpcionesCli& o, const std::string&) {
        o.ayuda = true;
        return std::string();
    }));
}

// "-m, --mode real|rational|complex", as the help and the table name it.
std::string Nombre(const OpcionCli& o, const char* separador = " ") {
    std::string n = o.corto ? std::string("-") + o.corto + ", " + o.largo : o.largo;
    return o.valor.empty() ? n : n + separador + o.valor;
}

}  // namespace

const OpcionCli* RegistroCli::Buscar(const std::string& nombre) const {
    for (const auto& o : opciones_)
        if (nombre == o.largo || (o.corto && nombre.size() == 2 && nombre[0] == '-' && nombre[1] == o.corto))
            return &o;
    return nullptr;
}

const RegistroCli& RegistroEstandar() {
    static const RegistroCli r = [] {
        RegistroCli r;
        RegistrarPropias(r);
        RegistrarHerramientasCli(r);
        return r;
    }();
    return r;
}

std::string TextoAyuda(const RegistroCli& registro) {
    std::string t =
        "Uso: numbrix-cli [OPCIONES] [--] [EXPRESION...]\n"
        "Evalúa cada expresión en orden y escribe una línea por expresión, el texto\n"
        "que mostraría la casilla de resultado. Sin expresiones ni opciones de\n"
        "herramienta, lee una por línea de la entrada estándar.\n\n";
    constexpr std::size_t kColumna = 41;
    auto linea = [&](std::string izquierda, const std::string& ayuda) {
        // Options without a short name line up with the long names of the others.
        std::string l = "  " + izquierda;
        if (l.size() + 1 > kColumna) {
            t += l + "\n";
            l.clear();
        }
        std::size_t desde = 0;
        do {
            const std::size_t fin = ayuda.find('\n', desde);
            l.resize(kColumna, ' ');
            t += l + ayuda.substr(desde, fin - desde) + "\n";
            l.clear();
            desde = fin == std::string::npos ? fin : fin + 1;
        } while (desde != std::string::npos);
    };
    for (const auto& o : registro.Opciones()) linea((o.corto ? "" : "    ") + Nombre(o), o.ayuda);
    linea("--", "fin de las opciones");
    t += "\n-b, -d, -n y -g dan formato a los resultados del modo real; -a vale para los\n"
         "modos real y complejo; --maxden y --mixed, para el racional. En los modos\n"
         "racional y complejo las variables preguntadas son w, x, y, z.\n\n"
         "Las opciones pueden ir antes o después de las expresiones. Una opción de\n"
         "herramienta toma como operandos los argumentos que la siguen hasta la\n"
         "siguiente opción, uno por argumento, y se ejecuta en su lugar entre las\n"
         "expresiones; escribe las líneas que mostraría la ventana de la herramienta.\n\n"
         "Los modos real y complejo leen la carpeta de datos (el complejo, solo las\n"
         "definiciones del usuario) sin escribir en ella, salvo con --save; lo que no\n"
         "se puede leer se informa en la salida de errores.\n"
         "Ctrl+C cancela la expresión en curso y termina; con --save, guarda lo anterior.\n"
         "Sin la interfaz gráfica compilada, --render no está disponible.\n\n"
         "Estado de salida: 0 sin errores; 1 si alguna expresión o herramienta falló,\n"
         "se interrumpió o no se pudo guardar; 2 uso incorrecto.\n";
    return t;
}

std::string TablaMarkdown(const RegistroCli& registro) {
    auto celda = [](const std::string& s) {
        std::string c;
        for (char ch : s) {
            if (ch == '|') c += '\\';
            c += ch == '\n' ? ' ' : ch;
        }
        return c;
    };
    std::string t = "| opción | significado |\n|---|---|\n";
    for (const auto& o : registro.Opciones()) {
        std::string nombre = "`" + o.largo + (o.valor.empty() ? "" : " " + o.valor) + "`";
        if (o.corto) nombre = "`-" + std::string(1, o.corto) + "`, " + nombre;
        t += "| " + celda(nombre) + " | " + celda(o.ayuda) + " |\n";
    }
    return t;
}

bool SustituirTablaReadme(std::string& readme, const std::string& tabla, std::string* anterior) {
    static const std::string inicio = "<!-- opciones: devtools/tabla_opciones_cli README.md -->\n",
                             fin = "<!-- fin de las opciones -->";
    const auto a = readme.find(inicio);
    const auto b = a == std::string::npos ? a : readme.find(fin, a);
    if (b == std::string::npos) return false;
    const auto desde = a + inicio.size();
    if (anterior) *anterior = readme.substr(desde, b - desde);
    readme.replace(desde, b - desde, tabla);
    return true;
}

OpcionesCli LeerOpciones(const RegistroCli& registro, const std::vector<std::string>& args) {
    OpcionesCli o;
    bool finOpciones = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (finOpciones || EsOperando(a)) {
            o.expresiones.push_back(a);
            continue;
        }
        if (a == "--") {
            finOpciones = true;
            continue;
        }
        // "--opt=value" and "--opt value" are both accepted.
        std::string nombre = a, valor;
        bool conIgual = false;
        if (a.rfind("--", 0) == 0) {
            auto eq = a.find('=');
            if (eq != std::string::npos) {
                nombre = a.substr(0, eq);
                valor = a.substr(eq + 1);
                conIgual = true;
            }
        }
        const OpcionCli* op = registro.Buscar(nombre);
        if (!op) {
            o.error = "opción desconocida: " + a;
            return o;
        }
        if (op->Accion) {
            AccionPedida p{op->largo, {}, o.expresiones.size(), op->Accion};
            if (conIgual) p.operandos.push_back(valor);
            while (i + 1 < args.size() && args[i + 1] != "--" && EsOperando(args[i + 1]))
                p.operandos.push_back(args[++i]);
            const int n = static_cast<int>(p.operandos.size());
            if (n < op->minOperandos) o.error = "falta un operando de " + op->largo;
            else if (n > op->maxOperandos) o.error = "sobra el operando «" + p.operandos[op->maxOperandos] + "» de " + op->largo;
            else if (op->Comprobar) o.error = op->Comprobar(p.operandos);
            if (!o.error.empty()) return o;
            o.acciones.push_back(std::move(p));
            continue;
        }
        if (!op->valor.empty() && !conIgual) {
            if (i + 1 >= args.size()) {
                o.error = "falta el valor de " + op->largo;
                return o;
            }
            valor = args[++i];
        }
        o.error = op->Fijar(o, valor);
        if (!o.error.empty()) return o;
    }
    if (o.modo != ModoCli::Real) {
        for (const auto& [letra, texto] : o.respuestas) {
            if (!std::strchr("wxyz", letra)) {
                o.error = std::string("en los modos racional y complejo, --var admite w, x, y, z: ") + letra;
                return o;
            }
        }
    }
    return o;
}

}  // namespace numbrix
