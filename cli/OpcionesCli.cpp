#include "cli/OpcionesCli.h"

#include <charconv>
#include <cstring>

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
}  // namespace

std::string TextoAyuda() {
    return "Uso: numbrix-cli [OPCIONES] [--] [EXPRESION...]\n"
           "Evalúa cada expresión en orden y escribe una línea por expresión, el texto\n"
           "que mostraría la casilla de resultado. Sin expresiones, lee una por línea\n"
           "de la entrada estándar.\n\n"
           "  -a, --angle rad|deg|grad|turn|dms|pi   unidad de ángulos (rad)\n"
           "  -b, --base N                           base del resultado, 2 a 36 (10)\n"
           "  -d, --digits float|N                   decimales: flotante o N en 0,2,...,16\n"
           "  -n, --notation general|sci|eng         notación (general)\n"
           "  -g, --group                            separador de miles\n"
           "      --var NOMBRE=EXPR                  respuesta para una variable preguntada\n"
           "  -h, --help                             esta ayuda\n"
           "  --                                     fin de las opciones\n\n"
           "Estado de salida: 0 sin errores, 1 si alguna expresión falló, 2 uso incorrecto.\n";
}

OpcionesCli LeerOpciones(const std::vector<std::string>& args) {
    OpcionesCli o;
    bool finOpciones = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (finOpciones || a.empty() || a[0] != '-' || a == "-" || PareceExpresion(a)) {
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
        auto valorDe = [&](const char* opcion) -> bool {
            if (conIgual) return true;
            if (i + 1 >= args.size()) {
                o.error = std::string("falta el valor de ") + opcion;
                return false;
            }
            valor = args[++i];
            return true;
        };
        if (nombre == "-h" || nombre == "--help") {
            o.ayuda = true;
        } else if (nombre == "-g" || nombre == "--group") {
            o.agrupar = true;
        } else if (nombre == "-a" || nombre == "--angle") {
            if (!valorDe("--angle")) return o;
            static const char* unidades[] = {"rad", "deg", "grad", "turn", "dms", "pi"};
            int u = -1;
            for (int k = 0; k < 6; ++k)
                if (valor == unidades[k]) u = k;
            if (u < 0) {
                o.error = "unidad de ángulos desconocida: " + valor + " (rad, deg, grad, turn, dms o pi)";
                return o;
            }
            o.angulo = u;
        } else if (nombre == "-b" || nombre == "--base") {
            if (!valorDe("--base")) return o;
            if (!LeerEntero(valor, o.base) || o.base < 2 || o.base > 36) {
                o.error = "la base debe ser un entero entre 2 y 36: " + valor;
                return o;
            }
        } else if (nombre == "-d" || nombre == "--digits") {
            if (!valorDe("--digits")) return o;
            int n = 0;
            if (valor == "float") {
                o.digitos = 100;
            } else if (LeerEntero(valor, n) && n >= 0 && n <= 16 && n % 2 == 0) {
                o.digitos = n;
            } else {
                o.error = "decimales: float o un número par entre 0 y 16: " + valor;
                return o;
            }
        } else if (nombre == "-n" || nombre == "--notation") {
            if (!valorDe("--notation")) return o;
            if (valor == "general") o.notacion = 0;
            else if (valor == "sci") o.notacion = 1;
            else if (valor == "eng") o.notacion = 2;
            else {
                o.error = "notación desconocida: " + valor + " (general, sci o eng)";
                return o;
            }
        } else if (nombre == "--var") {
            if (!valorDe("--var")) return o;
            auto eq = valor.find('=');
            std::string letra = eq == std::string::npos ? valor : valor.substr(0, eq);
            if (eq == std::string::npos || letra.size() != 1 || !std::strchr(kLetrasPregunta, letra[0]) ||
                letra[0] == '\0') {
                o.error = "--var espera LETRA=EXPRESION con una de las letras " + std::string(kLetrasPregunta) + ": " +
                          valor;
                return o;
            }
            o.respuestas[letra[0]] = valor.substr(eq + 1);
        } else {
            o.error = "opción desconocida: " + a;
            return o;
        }
    }
    return o;
}

}  // namespace numbrix
