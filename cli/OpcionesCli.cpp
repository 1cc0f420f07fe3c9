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
}  // namespace

std::string TextoAyuda() {
    return "Uso: numbrix-cli [OPCIONES] [--] [EXPRESION...]\n"
           "Evalúa cada expresión en orden y escribe una línea por expresión, el texto\n"
           "que mostraría la casilla de resultado. Sin expresiones, lee una por línea\n"
           "de la entrada estándar.\n\n"
           "  -m, --mode real|rational|complex       modo: reales, fracciones exactas o complejos\n"
           "                                         (real); también real|racional|complejo\n"
           "  -a, --angle rad|deg|grad|turn|dms|pi   unidad de ángulos (rad)\n"
           "  -b, --base N                           base del resultado, 2 a 36 (10)\n"
           "  -d, --digits float|N                   decimales: flotante o N en 0,2,...,16\n"
           "  -n, --notation general|sci|eng         notación (general)\n"
           "  -g, --group                            separador de miles\n"
           "      --maxden N                         denominador máximo al convertir decimales\n"
           "                                         en fracciones (1000)\n"
           "      --mixed                            fracciones en formato mixto: 3 | 1 | 2\n"
           "      --var NOMBRE=EXPR                  respuesta para una variable preguntada\n"
           "      --data CARPETA                     carpeta de datos (memorias, definiciones,\n"
           "                                         historial); sin ella, la habitual\n"
           "      --save                             guarda al terminar memorias, lista de\n"
           "                                         resultados e historial (modo real)\n"
           "      --render ARCHIVO                   dibuja la última expresión como fórmula\n"
           "                                         (.svg, .png, .jpg)\n"
           "      --render-size N                    tamaño nominal de la fórmula, 1 a 255 (20)\n"
           "  -h, --help                             esta ayuda\n"
           "  --                                     fin de las opciones\n\n"
           "-b, -d, -n y -g dan formato a los resultados del modo real; -a vale para los\n"
           "modos real y complejo; --maxden y --mixed, para el racional. En los modos\n"
           "racional y complejo las variables preguntadas son w, x, y, z.\n\n"
           "Los modos real y complejo leen la carpeta de datos (el complejo, solo las\n"
           "definiciones del usuario) sin escribir en ella, salvo con --save; lo que no\n"
           "se puede leer se informa en la salida de errores.\n"
           "Ctrl+C cancela la expresión en curso y termina; con --save, guarda lo anterior.\n"
           "Sin la interfaz gráfica compilada, --render no está disponible.\n\n"
           "Estado de salida: 0 sin errores; 1 si alguna expresión falló, se interrumpió\n"
           "o no se pudo guardar; 2 uso incorrecto.\n";
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
        } else if (nombre == "--save") {
            o.guardar = true;
        } else if (nombre == "--data") {
            if (!valorDe("--data")) return o;
            if (valor.empty()) {
                o.error = "falta la carpeta de --data";
                return o;
            }
            o.data = valor;
        } else if (nombre == "--render") {
            if (!valorDe("--render")) return o;
            if (valor.empty()) {
                o.error = "falta el archivo de --render";
                return o;
            }
            o.render = valor;
        } else if (nombre == "--render-size") {
            if (!valorDe("--render-size")) return o;
            int n = 0;
            if (!LeerEntero(valor, n) || n < 1 || n > 255) {
                o.error = "--render-size espera un número de 1 a 255: " + valor;
                return o;
            }
            o.renderTam = n;
        } else if (nombre == "--mixed") {
            o.mixto = true;
        } else if (nombre == "-m" || nombre == "--mode") {
            if (!valorDe("--mode")) return o;
            if (valor == "real") o.modo = ModoCli::Real;
            else if (valor == "rational" || valor == "racional") o.modo = ModoCli::Racional;
            else if (valor == "complex" || valor == "complejo") o.modo = ModoCli::Complejo;
            else {
                o.error = "modo desconocido: " + valor + " (real, rational o complex)";
                return o;
            }
        } else if (nombre == "--maxden") {
            if (!valorDe("--maxden")) return o;
            std::uint32_t n = 0;
            auto [p, ec] = std::from_chars(valor.data(), valor.data() + valor.size(), n);
            if (ec != std::errc() || p != valor.data() + valor.size() || n == 0) {
                o.error = "--maxden espera un entero entre 1 y 4294967295: " + valor;
                return o;
            }
            o.maxDen = n;
        } else if (nombre == "-g" || nombre == "--group") {
            o.agrupar = true;
        } else if (nombre == "-a" || nombre == "--angle") {
            if (!valorDe("--angle")) return o;
            static const char* unidades[] = {"rad", "deg", "grad", "turn", "dms", "pi"};
            std::optional<UnidadAngulo> u;
            for (int k = 0; k < 6; ++k)
                if (valor == unidades[k]) u = UnidadAnguloDe(k);
            if (!u) {
                o.error = "unidad de ángulos desconocida: " + valor + " (rad, deg, grad, turn, dms o pi)";
                return o;
            }
            o.angulo = *u;
        } else if (nombre == "-b" || nombre == "--base") {
            if (!valorDe("--base")) return o;
            int n = 0;
            const auto b = LeerEntero(valor, n) ? BaseDe(n) : std::nullopt;
            if (!b) {
                o.error = "la base debe ser un entero entre 2 y 36: " + valor;
                return o;
            }
            o.base = *b;
        } else if (nombre == "-d" || nombre == "--digits") {
            if (!valorDe("--digits")) return o;
            int n = 0;
            const auto d = valor == "float" ? DigitosFlotante
                           : LeerEntero(valor, n) && n != DigitosFlotante ? DigitosDe(n)
                                                                          : std::nullopt;
            if (!d) {
                o.error = "decimales: float o un número par entre 0 y 16: " + valor;
                return o;
            }
            o.digitos = *d;
        } else if (nombre == "-n" || nombre == "--notation") {
            if (!valorDe("--notation")) return o;
            if (valor == "general") o.notacion = NotacionGeneral;
            else if (valor == "sci") o.notacion = NotacionCientifica;
            else if (valor == "eng") o.notacion = NotacionIngenieria;
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
