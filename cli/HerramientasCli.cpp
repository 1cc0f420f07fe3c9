// The tools' command-line options: each tool with options registers them
// here, one call a tool, so numbrix-cli, its help and the README's table
// know them all. A tool option follows the convention of SalidaAccion
// (cli/OpcionesCli.h).
#include "cli/OpcionesCli.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "cli/ModosCli.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/CarpetaDatos.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"
#include "tools/Estadistica.h"
#include "tools/Formulas.h"
#include "tools/Poli.h"
#include "tools/Primo.h"
#include "tools/Quim.h"
#include "units/ConvUnid.h"
#include "units/MenuConversiones.h"

namespace numbrix {

namespace {

// ------------------------------------------------------------ units ----

// The unit model, made on the first unit option only: a plain run never
// reads the unit file. Its load problems go to standard error once.
TModeloUnidades& ModeloCli(const OpcionesCli& o) {
    static std::unique_ptr<TModeloUnidades> modelo;
    if (modelo) return *modelo;
    namespace fs = std::filesystem;
    const fs::path exe = CarpetaDelEjecutable();
    fs::path archivo =
        ResolverCarpetaDatos(o.data, exe, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")) /
        TModeloUnidades::NombreArchivo;
    std::error_code ec;
    // A folder made before the unit file shipped (or none at all): the
    // shipped file, as the rest of a read-only run does.
    if (!fs::exists(archivo, ec)) {
        const fs::path defecto = CarpetaDatosDefecto(exe);
        if (!defecto.empty()) archivo = defecto / TModeloUnidades::NombreArchivo;
    }
    modelo = std::make_unique<TModeloUnidades>();
    modelo->CargarMagnitudes(archivo);
    for (const auto& l : Separar(modelo->ErroresCarga(), U'\n')) {
        std::string_view t = Recortar(l);
        while (!t.empty() && t.back() == '\r') t.remove_suffix(1);
        if (!t.empty()) std::cerr << "numbrix-cli: " << t << '\n';
    }
    return *modelo;
}

SalidaAccion Mensaje1(std::string texto) {
    SalidaAccion s;
    s.estado = SalidaAccion::Mensaje;
    s.lineas.push_back(std::move(texto));
    return s;
}

// Why a conversion text names nothing: the first name the model lacks.
std::string Desconocido(const TModeloUnidades& m, std::string_view texto) {
    const std::size_t f = texto.find(" -> ");
    if (f == std::string_view::npos) return MensajeNoDeclarada(texto);
    const std::string_view origen = Recortar(texto.substr(0, f));
    std::string_view destino = Recortar(texto.substr(f + 4));
    int mag = -1;
    if (const std::size_t p = destino.rfind(" ("); p != std::string_view::npos && destino.back() == ')') {
        const std::string_view nombre = destino.substr(p + 2, destino.size() - p - 3);
        mag = m.BuscarMagnitud(nombre);
        if (mag < 0) return MensajeNoDeclarada(nombre);
        destino = Recortar(destino.substr(0, p));
    }
    auto existe = [&](std::string_view u) {
        if (mag >= 0) return m.BuscarUnidad(mag, u) >= 0;
        for (std::size_t i = 0; i < m.Magnitudes().size(); ++i)
            if (m.BuscarUnidad(static_cast<int>(i), u) >= 0) return true;
        return false;
    };
    if (!existe(origen)) return MensajeNoDeclarada(origen);
    if (!existe(destino)) return MensajeNoDeclarada(destino);
    // Both exist, but no one magnitude holds both.
    return MensajeNoDeclarada(mag >= 0 ? m.Magnitudes()[static_cast<std::size_t>(mag)].Nombre : std::string(destino));
}

SalidaAccion Convertir(const ContextoAccion& c) {
    TModeloUnidades& m = ModeloCli(c.opciones);
    const ConversionLeida conv = LeerConversion(m, c.operandos[0]);
    if (conv.Resultado == ConversionLeida::Estado::Ambigua) {
        std::string lista;
        for (const auto& n : conv.Candidatas) lista += (lista.empty() ? "" : ", ") + n;
        return Mensaje1("Indique la magnitud: " + lista);
    }
    if (conv.Resultado == ConversionLeida::Estado::Ninguna) return Mensaje1(Desconocido(m, c.operandos[0]));
    // The real calculator evaluates, whatever -m says: units convert reals,
    // and the display options apply as to the result box.
    OpcionesCli o = c.opciones;
    o.modo = ModoCli::Real;
    o.guardar = false;
    EvaluadorCli ev = CrearEvaluador(o, c.cancelar);
    SalidaAccion s;
    for (std::size_t i = 1; i < c.operandos.size(); ++i) {
        // One line per expression: a failed one prints its message, as
        // numbrix-cli does for any expression, and the others still convert.
        const ResultadoEvaluacion r = ev.Sesion->Evaluar(c.operandos[i]);
        bool mal = r.error || r.vacio || r.verdad;
        std::string linea = r.error ? r.texto : std::string(Texto(Mensaje::ResultadoNoNumero));
        if (!mal) {
            try {
                linea = ev.Sesion->TextoResultado(
                    m.ConvertirUnidades(conv.NombreMagnitud, conv.NombreOrigen, conv.NombreDestino, r.valor));
            } catch (const std::exception& e) {
                linea = e.what();
                mal = true;
            }
        }
        s.lineas.push_back(std::move(linea));
        s.fallo = s.fallo || mal;
    }
    return s;
}

SalidaAccion ListarUnidades(const ContextoAccion& c) {
    const TModeloUnidades& m = ModeloCli(c.opciones);
    auto nombres = [](const Magnitud& mg) {
        std::vector<std::string> r;
        if (mg.Fundamental >= 0) r.push_back(mg.Unidades[static_cast<std::size_t>(mg.Fundamental)].Nombre);
        for (std::size_t i = 0; i < mg.Unidades.size(); ++i)
            if (static_cast<int>(i) != mg.Fundamental) r.push_back(mg.Unidades[i].Nombre);
        return r;
    };
    SalidaAccion s;
    if (c.operandos.empty()) {
        for (const auto& mg : m.Magnitudes()) {
            std::string l = mg.Nombre + ":";
            bool primera = true;
            for (const auto& n : nombres(mg)) {
                l += (primera ? " " : ", ") + n;
                primera = false;
            }
            s.lineas.push_back(std::move(l));
        }
        return s;
    }
    const int i = m.BuscarMagnitud(c.operandos[0]);
    if (i < 0) return Mensaje1(MensajeNoDeclarada(c.operandos[0]));
    const Magnitud& mg = m.Magnitudes()[static_cast<std::size_t>(i)];
    for (const auto& n : nombres(mg)) s.lineas.push_back(n);
    return s;
}

void RegistrarUnidadesCli(RegistroCli& r) {
    OpcionCli convertir;
    convertir.largo = "--convert";
    convertir.valor = "\"DE -> A (MAGNITUD)\" EXPR...";
    convertir.ayuda =
        "convierte el resultado de cada expresión de la unidad DE a la unidad A, como el menú de conversiones;\n"
        "la magnitud puede omitirse cuando solo una tiene ambas unidades";
    convertir.minOperandos = 2;
    convertir.maxOperandos = 1 << 20;
    convertir.Accion = Convertir;
    r.Agregar(std::move(convertir));

    OpcionCli unidades;
    unidades.largo = "--units";
    unidades.valor = "[MAGNITUD]";
    unidades.ayuda = "lista las unidades de cada magnitud (o de la indicada), la fundamental primero";
    unidades.minOperandos = 0;
    unidades.maxOperandos = 1;
    unidades.Accion = ListarUnidades;
    r.Agregar(std::move(unidades));
}


// ----------------------------------------------------------- primes ----

// Runs a primes job on this thread; Ctrl+C (polled beside it) cancels it.
// False when it was cancelled.
bool TrabajoCli(const ContextoAccion& c, const std::function<void(TTrabajo&)>& f) {
    TTrabajo t;
    std::atomic<bool> fin{false};
    std::thread vigia([&] {
        while (!fin.load()) {
            if (c.cancelar()) {
                t.Cancelar();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    ResultadoTrabajo r = EjecutarTrabajo(f, t);
    fin = true;
    vigia.join();
    if (r.fin == FinTrabajo::Fallido) throw ENumbrix(r.error);
    return r.fin == FinTrabajo::Terminado;
}

// One operation on one number or a range, its message on a refused number.
SalidaAccion Primos(const ContextoAccion& c, OperacionPrimos op, int cual) {
    SalidaAccion s;
    try {
        const std::uint64_t n = NumeroPara(op, c.operandos[0]);
        if (cual == 0) s.lineas = LineasEsPrimo(n).lineas;
        else if (cual == 1) s.lineas = LineasFactores(n).lineas;
        else if (cual == 2) s.lineas = LineasDivisores(n).lineas;
        else if (cual == 3) {
            std::uint64_t p = 0;
            if (TrabajoCli(c, [&](TTrabajo& t) { p = EnesimoPrimo(n, t); })) s.lineas.push_back(std::to_string(p));
        } else {
            const std::uint64_t hi = NumeroPara(op, c.operandos[1]);
            if (cual == 4) {
                std::uint64_t k = 0;
                if (TrabajoCli(c, [&](TTrabajo& t) { k = ContarPrimos(n, hi, t); })) s.lineas.push_back(std::to_string(k));
            } else {
                // Streamed: a listing may be far longer than memory.
                std::cout << std::flush;
                TrabajoCli(c, [&](TTrabajo& t) {
                    ListarPrimos(n, hi, t, [](std::string_view b) { std::cout.write(b.data(), static_cast<std::streamsize>(b.size())); });
                });
                std::cout << std::flush;
            }
        }
    } catch (const std::exception& e) {
        s.estado = SalidaAccion::Mensaje;
        s.lineas = {e.what()};
    }
    return s;
}

void RegistrarPrimosCli(RegistroCli& r) {
    struct Def {
        const char *largo, *valor, *ayuda;
        OperacionPrimos op;
    } defs[] = {
        {"--isprime", "N", "¿es primo N? (1 ≤ N ≤ 2^63-1), como el botón «¿Es primo?»", OperacionPrimos::EsPrimo},
        {"--factor", "N", "los factores primos de N, uno por línea («p ^ e» si se repite)", OperacionPrimos::Factores},
        {"--divisors", "N", "los divisores de N salvo 1 y N, de menor a mayor", OperacionPrimos::Divisores},
        {"--nth-prime", "N", "el N-ésimo primo (1 ≤ N ≤ 2^57)", OperacionPrimos::Enesimo},
        {"--count-primes", "DESDE HASTA", "cuántos primos hay entre DESDE y HASTA", OperacionPrimos::Rango},
        {"--primes", "DESDE HASTA", "los primos entre DESDE y HASTA, uno por línea", OperacionPrimos::Rango},
    };
    int cual = 0;
    for (const Def& d : defs) {
        OpcionCli o;
        o.largo = d.largo;
        o.valor = d.valor;
        o.ayuda = d.ayuda;
        o.minOperandos = o.maxOperandos = d.op == OperacionPrimos::Rango ? 2 : 1;
        o.Accion = [op = d.op, cual](const ContextoAccion& c) { return Primos(c, op, cual); };
        r.Agregar(std::move(o));
        ++cual;
    }
}

// ------------------------------------------------------- statistics ----

SalidaAccion Estadisticas(const ContextoAccion& c) {
    std::stringstream texto;
    if (c.operandos.empty()) {
        texto << c.entrada.rdbuf();
    } else {
        std::ifstream f(c.operandos[0], std::ios::binary);
        if (!f) return Mensaje1("No se puede leer el archivo " + c.operandos[0]);
        texto << f.rdbuf();
    }
    TEstadistica e;
    e.Formato.SetDigitos(c.opciones.digitos);
    e.Formato.Notacion = c.opciones.notacion;
    e.Formato.BaseDefecto = c.opciones.base;
    e.Formato.Agrupar = c.opciones.agrupar;
    try {
        e.Pegar(texto.str());
    } catch (const std::exception& x) {
        return Mensaje1(x.what());
    }
    SalidaAccion s;
    for (const auto& m : e.Medidas()) s.lineas.push_back(m.Nombre + "\t" + m.Valor);
    return s;
}

void RegistrarEstadisticaCli(RegistroCli& r) {
    OpcionCli o;
    o.largo = "--stats";
    o.valor = "[ARCHIVO]";
    o.ayuda = "lee datos («valor», «valor*frecuencia» o «valor<tab>frecuencia», uno por línea) del archivo o de la\n"
              "entrada estándar, como «Pegar datos» de Estadísticas, y escribe sus 21 medidas";
    o.minOperandos = 0;
    o.maxOperandos = 1;
    o.Accion = Estadisticas;
    r.Agregar(std::move(o));
}

// ------------------------------------------------------- polynomials ----

const char* const kOperacionesPoli[] = {"sum", "diff", "prod", "div", "eval", "deriv", "integ", "ruffini", "roots", "gen"};

// What the polynomial window's memo shows for the operation, "\n" line ends.
SalidaAccion Polinomio(const ContextoAccion& c) {
    const AjustesFraccion aj{c.opciones.maxDen, c.opciones.mixto};
    const std::string& op = c.operandos[0];
    auto segundo = [&]() -> const std::string& {
        if (c.operandos.size() < 3) throw EPoli(MensajeNoRacional(""));
        return c.operandos[2];
    };
    const struct {
        const char* nombre;
        OperacionPoli op;
    } tabla[] = {{"sum", OperacionPoli::Suma},         {"diff", OperacionPoli::Resta},
                 {"prod", OperacionPoli::Producto},    {"div", OperacionPoli::Division},
                 {"eval", OperacionPoli::Evaluar},     {"deriv", OperacionPoli::Derivada},
                 {"integ", OperacionPoli::Integral},   {"ruffini", OperacionPoli::Ruffini},
                 {"roots", OperacionPoli::Raices},     {"gen", OperacionPoli::Generar}};
    OperacionPoli cual = OperacionPoli::Raices;
    for (const auto& t : tabla)
        if (op == t.nombre) cual = t.op;
    std::string texto;
    try {
        if (cual == OperacionPoli::Generar) {
            texto = TextoOperacionPoli(cual, {}, {}, c.operandos[1], aj);
        } else {
            const TPoli p = TPoli::DesdeTexto(c.operandos[1], aj);
            TPoli q;
            std::string valor;
            if (cual <= OperacionPoli::Division) q = TPoli::DesdeTexto(segundo(), aj);
            else if (cual == OperacionPoli::Evaluar || cual == OperacionPoli::Ruffini) valor = segundo();
            texto = TextoOperacionPoli(cual, p, q, valor, aj);
        }
    } catch (const std::exception& e) {
        return Mensaje1(e.what());
    }
    SalidaAccion s;
    for (std::size_t i = 0;;) {
        const std::size_t f = texto.find("\r\n", i);
        s.lineas.push_back(texto.substr(i, f == std::string::npos ? std::string::npos : f - i));
        if (f == std::string::npos) break;
        i = f + 2;
    }
    if (s.lineas.size() > 1 && s.lineas.back().empty()) s.lineas.pop_back();
    return s;
}

void RegistrarPolinomiosCli(RegistroCli& r) {
    OpcionCli o;
    o.largo = "--poly";
    o.valor = "OP P [Q|VALOR]";
    o.ayuda = "polinomios como la ventana Polinomios; OP: sum, diff, prod, div, eval, deriv, integ, ruffini, roots\n"
              "o gen (P es entonces la lista de raíces separadas por comas)";
    o.minOperandos = 2;
    o.maxOperandos = 3;
    o.Comprobar = [](const std::vector<std::string>& a) -> std::string {
        for (const char* op : kOperacionesPoli)
            if (a[0] == op) return "";
        return "--poly: operación desconocida: " + a[0];
    };
    o.Accion = Polinomio;
    r.Agregar(std::move(o));
}

// ----------------------------------------------------------- formulas ----

// The data folder's groups; a folder without any, the shipped ones.
std::filesystem::path CarpetaFormulasCli(const OpcionesCli& o) {
    const auto exe = CarpetaDelEjecutable();
    auto carpeta = ResolverCarpetaDatos(o.data, exe, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (ListarGrupos(carpeta).empty()) {
        const auto defecto = CarpetaDatosDefecto(exe);
        if (!defecto.empty()) carpeta = defecto;
    }
    return carpeta;
}

// A group read for this run only: never written back.
std::shared_ptr<TVelIniFile> GrupoCli(const std::filesystem::path& archivo) {
    OpcionesIni op;
    op.GuardarAlCerrar = false;
    auto g = std::make_shared<TVelIniFile>(archivo, std::string(kClaveFormulas), op);
    for (const auto& p : g->Informe().Problemas)
        std::cerr << "numbrix-cli: " << archivo.filename().string() << ": " << p.Motivo << '\n';
    return g;
}

SalidaAccion ListarFormulas(const ContextoAccion& c) {
    const auto carpeta = CarpetaFormulasCli(c.opciones);
    SalidaAccion s;
    for (const auto& g : ListarGrupos(carpeta))
        for (const auto& f : GrupoCli(ArchivoGrupo(carpeta, g))->ReadSections()) s.lineas.push_back(g + "/" + f);
    return s;
}

// The row of the symbol before the "=" of `texto` (what follows in `resto`);
// -1 with the bad-usage message when the formula has no such symbol.
int FilaCli(const std::vector<FilaFormula>& filas, const std::string& texto, std::string& resto, std::string& error) {
    const auto eq = texto.find('=');
    const std::string simbolo = texto.substr(0, eq);
    resto = eq == std::string::npos ? std::string() : texto.substr(eq + 1);
    for (std::size_t i = 0; i < filas.size(); ++i)
        if (!filas[i].Simbolo.empty() && IgualSinCaso(filas[i].Simbolo, simbolo)) return static_cast<int>(i);
    error = "la fórmula no tiene el símbolo «" + simbolo + "»";
    return -1;
}

SalidaAccion CalcularFormula(const ContextoAccion& c) {
    const std::string& pedida = c.operandos[0];
    const auto barra = pedida.find('/');
    SalidaAccion uso;
    uso.estado = SalidaAccion::Uso;
    if (barra == std::string::npos) {
        uso.lineas = {"--formula espera GRUPO/FÓRMULA: " + pedida};
        return uso;
    }
    const auto carpeta = CarpetaFormulasCli(c.opciones);
    const std::string grupo = pedida.substr(0, barra), nombre = pedida.substr(barra + 1);
    const auto archivo = ArchivoGrupo(carpeta, grupo);
    std::error_code ec;
    if (!std::filesystem::exists(archivo, ec)) return Mensaje1("No existe el grupo " + grupo);
    auto g = GrupoCli(archivo);
    std::string seccion;
    for (const auto& s : g->ReadSections())
        if (IgualSinCaso(s, nombre)) seccion = s;
    if (seccion.empty()) return Mensaje1("No existe la fórmula " + nombre + " en el grupo " + grupo);
    RegistroFormula r;
    try {
        r = LeerFormula(*g, seccion);
    } catch (const std::exception& e) {
        return Mensaje1(e.what());
    }
    int incognita = r.Incognita();
    std::string resto, error;
    for (const auto& v : c.opciones.valoresFormula) {
        const int i = FilaCli(r.Filas, v, resto, error);
        if (i < 0) break;
        auto& f = r.Filas[static_cast<std::size_t>(i)];
        const auto arroba = resto.rfind('@');
        f.Valor = resto.substr(0, arroba);
        if (arroba != std::string::npos) f.Unidad = resto.substr(arroba + 1);
    }
    for (const auto& u : c.opciones.unidadesFormula) {
        if (!error.empty()) break;
        const int i = FilaCli(r.Filas, u, resto, error);
        if (i >= 0) r.Filas[static_cast<std::size_t>(i)].Unidad = resto;
    }
    if (error.empty() && !c.opciones.incognitaFormula.empty())
        incognita = FilaCli(r.Filas, c.opciones.incognitaFormula + "=", resto, error);
    if (!error.empty()) {
        uso.lineas = {error};
        return uso;
    }
    OpcionesCli o = c.opciones;
    o.modo = ModoCli::Real;
    o.guardar = false;
    EvaluadorCli ev = CrearEvaluador(o, c.cancelar);
    TCalculoFormula calculo(&ev.Sesion->Principal(), ModeloCli(c.opciones));
    calculo.SetAnguloEntrada(ev.Sesion->Angulo());
    const auto res = calculo.Calcular(r.Ley, r.Filas, incognita, ev.Sesion->Formato);
    if (res.estado == ResultadoCalculo::Rechazado || res.estado == ResultadoCalculo::Fallo)
        return Mensaje1(res.Mensaje);
    SalidaAccion s;
    s.lineas.push_back(res.Texto);
    s.fallo = res.estado != ResultadoCalculo::Hecho;
    return s;
}

void RegistrarFormulasCli(RegistroCli& r) {
    OpcionCli lista;
    lista.largo = "--formulas";
    lista.ayuda = "lista las fórmulas del formulario, una por línea, como Grupo/Fórmula";
    lista.Accion = ListarFormulas;
    r.Agregar(std::move(lista));

    OpcionCli formula;
    formula.largo = "--formula";
    formula.valor = "GRUPO/FÓRMULA";
    formula.ayuda = "calcula la incógnita de la fórmula como el Formulario, con --value, --unknown y --unit;\n"
                    "escribe su valor en su unidad";
    formula.minOperandos = formula.maxOperandos = 1;
    formula.Accion = CalcularFormula;
    r.Agregar(std::move(formula));

    auto ajuste = [&](std::string largo, std::string valor, std::string ayuda,
                      std::function<std::string(OpcionesCli&, const std::string&)> fijar) {
        OpcionCli o;
        o.largo = std::move(largo);
        o.valor = std::move(valor);
        o.ayuda = std::move(ayuda);
        o.Fijar = std::move(fijar);
        r.Agregar(std::move(o));
    };
    ajuste("--value", "S=V[@UNIDAD]", "valor (una expresión) del símbolo S de --formula, en su unidad o en la indicada",
           [](OpcionesCli& o, const std::string& v) -> std::string {
               if (v.find('=') == std::string::npos || v.front() == '=') return "--value espera SÍMBOLO=VALOR: " + v;
               o.valoresFormula.push_back(v);
               return {};
           });
    ajuste("--unknown", "S", "la incógnita de --formula (sin ella, la marcada en la fórmula)",
           [](OpcionesCli& o, const std::string& v) -> std::string {
               if (v.empty()) return "falta el símbolo de --unknown";
               o.incognitaFormula = v;
               return {};
           });
    ajuste("--unit", "S=UNIDAD", "la unidad en la que se escribe el resultado o se lee el valor del símbolo S",
           [](OpcionesCli& o, const std::string& v) -> std::string {
               const auto eq = v.find('=');
               if (eq == std::string::npos || eq == 0 || eq + 1 == v.size())
                   return "--unit espera SÍMBOLO=UNIDAD: " + v;
               o.unidadesFormula.push_back(v);
               return {};
           });
}

}  // namespace

// Chemistry: a setting for this run, never saved by --save.
void RegistrarQuimicaCli(RegistroCli& r) {
    OpcionCli mmr;
    mmr.largo = "--mmr";
    mmr.valor = "on|off";
    mmr.ayuda = "calcula (on) o no (off) la masa molar de las fórmulas químicas de las expresiones, como «Calcular "
                "MMR»;\nsin ella, como lo diga la carpeta de datos";
    mmr.Fijar = [](OpcionesCli& o, const std::string& v) -> std::string {
        if (v != "on" && v != "off") return "--mmr espera on u off, no «" + v + "»";
        o.mmr = v == "on";
        return "";
    };
    r.Agregar(std::move(mmr));
}

void RegistrarHerramientasCli(RegistroCli& registro) {
    RegistrarQuimicaCli(registro);
    RegistrarUnidadesCli(registro);
    RegistrarEstadisticaCli(registro);
    RegistrarPrimosCli(registro);
    RegistrarPolinomiosCli(registro);
    RegistrarFormulasCli(registro);
}

}  // namespace numbrix
