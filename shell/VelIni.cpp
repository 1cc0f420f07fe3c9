#include "shell/VelIni.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <locale.h>
#include <map>
#include <mutex>

#include "support/EscrituraAtomica.h"
#include "support/basicos.h"

namespace numbrix {

namespace fs = std::filesystem;

namespace {

// A garbage file could otherwise produce a report of a million lines.
constexpr std::size_t MaxProblemasListados = 100;

std::string Citar(std::string_view s) { return "«" + std::string(s) + "»"; }

bool EsCabecera(std::string_view linea) { return linea.size() >= 2 && linea.front() == '[' && linea.back() == ']'; }

// The name of a stored line: the text before its first "=".
bool NombreDeLinea(std::string_view linea, std::string_view& nombre) {
    auto p = linea.find('=');
    if (p == std::string_view::npos) return false;
    nombre = linea.substr(0, p);
    return true;
}

bool TieneSaltoONulo(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

// One stray byte would make the whole file read back as Latin-1 and garble
// every other accented letter in it.
void ValidarUtf8(std::string_view que, std::string_view texto) {
    if (!EsUtf8Valido(texto)) throw EArchivoIni(std::string(que) + " no es texto UTF-8 válido.");
}

void ValidarSeccion(std::string_view seccion) {
    if (TieneSaltoONulo(seccion))
        throw EArchivoIni("El nombre de sección " + Citar(seccion) + " no puede contener saltos de línea.");
    ValidarUtf8("El nombre de sección", seccion);
}

void ValidarClave(std::string_view seccion, std::string_view clave) {
    if (clave.empty()) throw EArchivoIni("No se puede escribir en la sección " + Citar(seccion) + " sin una clave.");
    if (clave.find('=') != std::string_view::npos || TieneSaltoONulo(clave) || clave.front() == '[' ||
        clave.front() == ';')
        throw EArchivoIni("La clave " + Citar(clave) +
                          " no es válida: no puede contener «=» ni saltos de línea, ni empezar por «[» o «;».");
    ValidarUtf8("La clave", clave);
}

void ValidarValor(std::string_view clave, std::string_view valor) {
    if (TieneSaltoONulo(valor))
        throw EArchivoIni("El valor de la clave " + Citar(clave) + " no puede contener saltos de línea.");
    if (clave.size() + 1 + valor.size() > TVelIniFile::MaxLinea)
        throw EArchivoIni("El valor de la clave " + Citar(clave) + " es demasiado largo.");
    ValidarUtf8("El valor de la clave " + Citar(clave), valor);
}

void ValidarLinea(std::string_view seccion, std::string_view linea) {
    if (linea.empty() || TieneSaltoONulo(linea) || EsCabecera(linea) || linea.size() > TVelIniFile::MaxLinea ||
        linea == "\x1A")
        throw EArchivoIni("La línea " + Citar(linea.substr(0, 60)) + " no se puede guardar en la sección " +
                          Citar(seccion) + ".");
    ValidarUtf8("Una línea de la sección " + Citar(seccion), linea);
}

// "1".."n" written the way WriteList writes them (no sign, no leading zero).
bool NumeroDeLista(std::string_view nombre, long long& n) {
    if (nombre.empty() || nombre.size() > 10 || nombre[0] == '0') return false;
    n = 0;
    for (char c : nombre) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    return true;
}

// ------------------------------------------------------------ registry ----

std::mutex& MutexRegistro() {
    static std::mutex m;
    return m;
}

std::unordered_map<std::string, std::weak_ptr<TVelIniFile>>& Registro() {
    static std::unordered_map<std::string, std::weak_ptr<TVelIniFile>> r;
    return r;
}

std::string ClaveRegistro(const fs::path& archivo) {
    std::error_code ec;
    fs::path absoluta = fs::absolute(archivo, ec);
    if (ec) absoluta = archivo;
    // A link names the same file as its target, even before the target exists.
    absoluta = DestinoReal(absoluta);
    fs::path canonica = fs::weakly_canonical(absoluta, ec);
    return (ec ? absoluta.lexically_normal() : canonica).string();
}

}  // namespace

// ------------------------------------------------------------- numbers ----

std::string TextoRealIni(long double valor) {
    if (std::isnan(valor)) return "NAN";
    if (std::isinf(valor)) return valor > 0 ? "INF" : "-INF";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific);
    std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    // sci is "[-]d[.ddd]e±XX": collect the digits and the exponent.
    std::string signo;
    if (sci.front() == '-') {
        signo = "-";
        sci.remove_prefix(1);
    }
    const auto e = sci.find('e');
    std::string digitos;
    for (char c : sci.substr(0, e))
        if (c != '.') digitos += c;
    int exponente = 0;
    std::string_view textoExp = sci.substr(e + 1);
    if (textoExp.front() == '+') textoExp.remove_prefix(1);
    std::from_chars(textoExp.data(), textoExp.data() + textoExp.size(), exponente);
    while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();

    // General format: plain digits from 0.00001 up to 15 integer digits,
    // otherwise one digit, the rest and "E" with the exponent.
    std::string texto = signo;
    if (exponente >= -5 && exponente < 15) {
        if (exponente >= 0) {
            const auto enteros = static_cast<std::size_t>(exponente) + 1;
            if (digitos.size() <= enteros) {
                texto += digitos + std::string(enteros - digitos.size(), '0');
            } else {
                texto += digitos.substr(0, enteros) + "." + digitos.substr(enteros);
            }
        } else {
            texto += "0." + std::string(static_cast<std::size_t>(-exponente - 1), '0') + digitos;
        }
    } else {
        texto += digitos.substr(0, 1);
        if (digitos.size() > 1) texto += "." + digitos.substr(1);
        texto += "E" + std::to_string(exponente);
    }
    return texto;
}

bool LeerRealIni(std::string_view texto, long double& valor) {
    texto = Recortar(texto);
    if (!texto.empty() && texto.front() == '+') texto.remove_prefix(1);
    if (texto.empty() || texto.front() == '+' || texto.front() == ' ') return false;
    long double v = 0;
    auto r = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (r.ptr != texto.data() + texto.size()) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // from_chars refuses subnormals, which the writer may well produce;
        // strtold under the "C" locale gives them (and flags true overflow).
        static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        if (!c) return false;
        std::string copia(texto);
        char* fin = nullptr;
        v = strtold_l(copia.c_str(), &fin, c);
        if (fin != copia.c_str() + copia.size() || std::isinf(v)) return false;
    } else if (r.ec != std::errc()) {
        return false;
    }
    valor = v;
    return true;
}

bool LeerEnteroIni(std::string_view texto, int& valor) {
    texto = Recortar(texto);
    bool negativo = false;
    if (!texto.empty() && (texto.front() == '-' || texto.front() == '+')) {
        negativo = texto.front() == '-';
        texto.remove_prefix(1);
    }
    long long v;
    if (texto.size() > 2 && texto[0] == '0' && (texto[1] == 'x' || texto[1] == 'X')) {
        texto.remove_prefix(2);
    } else if (texto.size() > 1 && texto[0] == '$') {
        texto.remove_prefix(1);
    } else {
        unsigned long long u = 0;
        auto r = std::from_chars(texto.data(), texto.data() + texto.size(), u);
        if (texto.empty() || r.ec != std::errc() || r.ptr != texto.data() + texto.size()) return false;
        if (u > (negativo ? 2147483648ull : 2147483647ull)) return false;
        valor = static_cast<int>(negativo ? -static_cast<long long>(u) : static_cast<long long>(u));
        return true;
    }
    // Hexadecimal: the 32 bits as a two's-complement value, as colours are stored.
    unsigned long long u = 0;
    auto r = std::from_chars(texto.data(), texto.data() + texto.size(), u, 16);
    if (r.ec != std::errc() || r.ptr != texto.data() + texto.size() || u > 0xFFFFFFFFull) return false;
    v = static_cast<std::int32_t>(static_cast<std::uint32_t>(u));
    if (negativo) v = -v;
    if (v > 2147483647ll || v < -2147483648ll) return false;
    valor = static_cast<int>(v);
    return true;
}

// -------------------------------------------------------------- report ----

std::string InformeCarga::Texto(const fs::path& archivo) const {
    std::string t;
    const std::string nombre = archivo.filename().string();
    for (const auto& p : Problemas) {
        t += nombre;
        if (p.Linea) t += ", línea " + std::to_string(p.Linea);
        t += ": " + p.Motivo + "\n";
    }
    if (Omitidos) t += nombre + ": y " + std::to_string(Omitidos) + " problemas más.\n";
    if (!CopiaSeguridad.empty())
        t += nombre + ": antes de reescribirlo se guardará una copia del original en " +
             Citar(CopiaSeguridad.filename().string()) + ".\n";
    return t;
}

// ---------------------------------------------------------- life cycle ----

TVelIniFile::TVelIniFile(fs::path archivo, std::string clave, OpcionesIni opciones)
    : clave_(std::move(clave)), opciones_(std::move(opciones)) {
    SetFileName(archivo);
}

TVelIniFile::~TVelIniFile() {
    try {
        if (opciones_.GuardarAlCerrar) UpdateFile();
    } catch (const std::exception& e) {
        if (opciones_.Aviso) {
            try {
                opciones_.Aviso(NivelAviso::Error, e.what());
            } catch (...) {
            }
        } else {
            std::fprintf(stderr, "%s\n", e.what());
        }
    } catch (...) {
    }
    if (compartido_) {
        std::lock_guard<std::mutex> l(MutexRegistro());
        auto it = Registro().find(claveRegistro_);
        if (it != Registro().end() && it->second.expired()) Registro().erase(it);
    }
}

std::shared_ptr<TVelIniFile> TVelIniFile::CompartidoCon(const fs::path& archivo, const std::string& clave,
                                                        const Fabrica& fabrica) {
    const std::string id = ClaveRegistro(archivo);
    std::unique_lock<std::mutex> l(MutexRegistro());
    auto& registro = Registro();
    if (auto it = registro.find(id); it != registro.end()) {
        if (auto vivo = it->second.lock()) {
            if (vivo->clave_ != clave) {
                // Unlocked first: should `vivo` turn out to be the last owner,
                // its destructor takes the lock itself.
                l.unlock();
                throw EArchivoIni("El archivo " + Citar(archivo.string()) + " ya está abierto con otra clave.");
            }
            return vivo;
        }
    }
    std::shared_ptr<TVelIniFile> nuevo(fabrica());
    nuevo->compartido_ = true;
    nuevo->claveRegistro_ = id;
    registro[id] = nuevo;
    return nuevo;
}

std::vector<std::shared_ptr<TVelIniFile>> TVelIniFile::Pendientes(const fs::path& carpeta) {
    const std::string dentro = ClaveRegistro(carpeta) + "/";
    std::vector<std::shared_ptr<TVelIniFile>> vivos;
    std::lock_guard<std::mutex> l(MutexRegistro());
    for (const auto& [id, debil] : Registro())
        if (auto f = debil.lock(); f && id.starts_with(dentro) && f->Modified() && f->opciones_.GuardarAlCerrar)
            vivos.push_back(f);
    return vivos;
}

void TVelIniFile::DescartarPendientes(const fs::path& carpeta) {
    for (const auto& f : Pendientes(carpeta)) f->opciones_.GuardarAlCerrar = false;
}

void TVelIniFile::GuardarPendientes(const fs::path& carpeta) {
    std::vector<std::shared_ptr<TVelIniFile>> vivos = Pendientes(carpeta);
    std::exception_ptr primero;
    for (const auto& f : vivos) {
        try {
            f->UpdateFile();
        } catch (...) {
            if (!primero) primero = std::current_exception();
        }
    }
    // Released here, outside the lock: a last owner's destructor takes it.
    vivos.clear();
    if (primero) std::rethrow_exception(primero);
}

std::shared_ptr<TVelIniFile> TVelIniFile::Compartido(const fs::path& archivo, const std::string& clave,
                                                     OpcionesIni opciones) {
    return CompartidoCon(archivo, clave, [&] { return new TVelIniFile(archivo, clave, std::move(opciones)); });
}

void TVelIniFile::SetFileName(const fs::path& archivo) {
    UpdateFile();
    if (compartido_) {
        // Keep the one-instance-per-path rule when a shared file changes name.
        const std::string id = ClaveRegistro(archivo);
        std::lock_guard<std::mutex> l(MutexRegistro());
        auto& registro = Registro();
        if (id != claveRegistro_) {
            if (auto it = registro.find(id); it != registro.end() && !it->second.expired())
                throw EArchivoIni("El archivo " + Citar(archivo.string()) + " ya está abierto.");
            auto propio = registro.find(claveRegistro_);
            std::weak_ptr<TVelIniFile> yo;
            if (propio != registro.end()) {
                yo = propio->second;
                registro.erase(propio);
            }
            registro[id] = yo;
            claveRegistro_ = id;
        }
    }
    Vaciar();
    archivo_ = archivo;
    modificado_ = false;
    Cargar();
}

void TVelIniFile::Vaciar() {
    secciones_.clear();
    porNombre_.clear();
    cursorSeccion_ = cursorClave_ = 0;
    informe_ = {};
    necesitaCopia_ = false;
}

void TVelIniFile::Problema(std::size_t linea, std::string motivo) {
    if (informe_.Problemas.size() < MaxProblemasListados)
        informe_.Problemas.push_back({linea, std::move(motivo)});
    else
        ++informe_.Omitidos;
}

// ---------------------------------------------------------------- load ----

void TVelIniFile::Cargar() {
    if (archivo_.empty()) return;
    std::error_code ec;
    const auto estado = fs::status(archivo_, ec);
    if (!fs::exists(estado)) return;  // a missing file loads as empty

    std::string bytes, error;
    if (!LeerArchivoEntero(archivo_, bytes, &error)) {
        Problema(0, "no se pudo leer el archivo (" + error + ")");
        AvisarCopia();
        return;
    }
    Analizar(std::move(bytes));
}

void TVelIniFile::CargarBytes(std::string bytes) {
    Vaciar();
    modificado_ = false;
    Analizar(std::move(bytes));
}

namespace {
// A well-formed file opens with a section (or is blank).
bool AbreConSeccion(std::string_view texto) {
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);
    std::size_t p = texto.find_first_not_of("\r\n");
    if (p == std::string_view::npos) return true;
    std::size_t q = texto.find_first_of("\r\n", p);
    std::string_view primera = texto.substr(p, (q == std::string_view::npos ? texto.size() : q) - p);
    return (EsCabecera(primera) || primera == "\x1A") && primera.find('\0') == std::string_view::npos;
}
}  // namespace

void TVelIniFile::Analizar(std::string bytes) {
    if (Keyed()) {
        std::string crudo = bytes;
        Mezclar(bytes, clave_);
        // Anything but a section first means the key does not match, or the
        // file was never scrambled: a user may well have edited it as plain
        // text. Such a file is read as it is and stays plain until an
        // explicit save writes it keyed.
        if (!AbreConSeccion(bytes)) {
            if (!AbreConSeccion(crudo)) {
                Problema(0, "el archivo no se pudo descifrar con la clave indicada (clave incorrecta o archivo dañado)");
                AvisarCopia();
                return;
            }
            bytes = std::move(crudo);
            informe_.SinCifrar = true;
            Problema(0, "el archivo no está cifrado; se lee como texto sin cifrar");
        }
    }
    // Decoded line by line: one stray Latin-1 byte must not turn the valid
    // UTF-8 of every other line into mojibake.
    std::string_view texto(bytes);
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);

    // Size the name index once: growing it step by step costs more than the
    // whole parse on files of a million sections.
    std::size_t cabeceras = !texto.empty() && texto[0] == '[';
    for (std::size_t p = texto.find('['); p != std::string_view::npos; p = texto.find('[', p + 1))
        if (p > 0 && (texto[p - 1] == '\n' || texto[p - 1] == '\r')) ++cabeceras;
    porNombre_.reserve(cabeceras);
    secciones_.reserve(cabeceras);

    Seccion* actual = nullptr;
    // Inside a repeated section whose lines are dropped: the problem that
    // reported it, which ends up counting them.
    std::size_t descartando = 0, descartadas = 0;
    auto cerrarDescarte = [&] {
        if (descartando && descartadas && descartando <= informe_.Problemas.size())
            informe_.Problemas[descartando - 1].Motivo +=
                descartadas == 1 ? "; se omite su línea" : "; se omiten sus " + std::to_string(descartadas) + " líneas";
        descartando = descartadas = 0;
    };
    std::size_t numero = 0;
    const char* datos = texto.data();
    const std::size_t n = texto.size();
    std::string decodificada;
    for (std::size_t p = 0; p < n;) {
        // One line: CR LF, LF and CR all end it; the last may have no end.
        std::size_t q = p;
        while (q < n && datos[q] != '\n' && datos[q] != '\r') ++q;
        std::string_view linea(datos + p, q - p);
        p = q;
        if (p < n) p += (datos[p] == '\r' && p + 1 < n && datos[p + 1] == '\n') ? 2 : 1;
        ++numero;

        if (linea.empty() || linea == "\x1A") continue;
        if (descartando) {
            // Dropped with its section, whatever it holds, unless it opens another one.
            std::string_view c = linea;
            if (opciones_.QuitarFinales)
                while (!c.empty() && static_cast<unsigned char>(c.back()) <= ' ') c.remove_suffix(1);
            if (!EsCabecera(c)) {
                ++descartadas;
                continue;
            }
        }
        if (linea.size() > MaxLinea) {
            Problema(numero, "línea de más de 1 MB; se omite");
            continue;
        }
        if (linea.find('\0') != std::string_view::npos) {
            Problema(numero, "línea con caracteres nulos; se omite");
            continue;
        }
        if (!EsUtf8Valido(linea)) {
            decodificada = TextoDesdeBytes(linea);
            linea = decodificada;
            informe_.Latin1 = true;
            Problema(numero, "texto que no es UTF-8; se lee como Latin-1");
        }
        std::string_view cabecera = linea;
        if (opciones_.QuitarFinales)
            while (!cabecera.empty() && static_cast<unsigned char>(cabecera.back()) <= ' ') cabecera.remove_suffix(1);
        if (EsCabecera(cabecera)) {
            cerrarDescarte();
            const std::string_view nombre = cabecera.substr(1, cabecera.size() - 2);
            auto it = porNombre_.find(PlegarMayusculas(nombre));
            if (it == porNombre_.end()) {
                actual = NuevaSeccion(nombre);
                continue;
            }
            // Only one section per name: the repeat is dropped and the file
            // will be rewritten without it (after a backup).
            modificado_ = true;
            Seccion* primera = it->second;
            const std::string repetida(nombre);
            if (opciones_.ManejadorDuplicada && opciones_.ManejadorDuplicada(primera->nombre, repetida)) {
                Problema(numero, "sección repetida " + Citar(repetida) + "; se conserva esta y no la anterior");
                primera->nombre = repetida;
                primera->lineas.clear();
                primera->indiceValido = false;
                actual = primera;
            } else {
                const bool listado = informe_.Problemas.size() < MaxProblemasListados;
                Problema(numero, "sección repetida " + Citar(repetida) + "; se conserva la primera");
                actual = nullptr;
                descartando = listado ? informe_.Problemas.size() : MaxProblemasListados + 1;
            }
            continue;
        }
        // A comment is no problem anywhere, also above the first section.
        if (opciones_.SaltarComentarios && linea.front() == ';') continue;
        if (!actual) {
            Problema(numero, "línea fuera de toda sección; se omite");
            continue;
        }

        std::string limpia(linea);
        if (opciones_.QuitarBlancosIgual) {
            auto igual = limpia.find('=');
            if (igual != std::string::npos) {
                std::string_view nombre = Recortar(std::string_view(limpia).substr(0, igual));
                std::string_view valor = Recortar(std::string_view(limpia).substr(igual + 1));
                limpia = std::string(nombre) + "=" + std::string(valor);
            }
        }
        if (opciones_.QuitarComillas) {
            auto igual = limpia.find('=');
            if (igual != std::string::npos) {
                std::string_view valor = std::string_view(limpia).substr(igual + 1);
                if (valor.size() >= 2 && (valor.front() == '"' || valor.front() == '\'') &&
                    valor.back() == valor.front())
                    limpia = limpia.substr(0, igual + 1) + std::string(valor.substr(1, valor.size() - 2));
            }
        }
        if (opciones_.QuitarFinales)
            while (!limpia.empty() && static_cast<unsigned char>(limpia.back()) <= ' ') limpia.pop_back();
        if (opciones_.SaltarSinIgual && limpia.find('=') == std::string::npos) continue;
        if (limpia.empty()) continue;
        actual->lineas.push_back(std::move(limpia));
    }
    cerrarDescarte();
    if (informe_.HayProblemas()) AvisarCopia();
}

void TVelIniFile::AvisarCopia() {
    if (archivo_.empty()) return;
    necesitaCopia_ = true;
    informe_.CopiaSeguridad = DestinoReal(archivo_);
    informe_.CopiaSeguridad += ".bak";
}

// ------------------------------------------------------------- look-up ----

TVelIniFile::Seccion* TVelIniFile::NuevaSeccion(std::string_view nombre) {
    auto s = std::make_unique<Seccion>();
    s->nombre = std::string(nombre);
    s->posicion = secciones_.size();
    Seccion* p = s.get();
    porNombre_.emplace(PlegarMayusculas(nombre), p);
    secciones_.push_back(std::move(s));
    return p;
}

TVelIniFile::Seccion* TVelIniFile::BuscarSeccion(std::string_view nombre, std::size_t& cursor) const {
    // Runs of work in one section, and sections visited in file order, hit
    // the cursor (or the one after it) without hashing.
    for (std::size_t d = 0; d < 2; ++d) {
        const std::size_t i = cursor + d;
        if (i < secciones_.size() && IgualesSinMayusculas(secciones_[i]->nombre, nombre)) {
            cursor = i;
            return secciones_[i].get();
        }
    }
    auto it = porNombre_.find(PlegarMayusculas(nombre));
    if (it == porNombre_.end()) return nullptr;
    cursor = it->second->posicion;
    return it->second;
}

std::ptrdiff_t TVelIniFile::BuscarClave(const Seccion& s, std::string_view clave) const {
    if (clave.empty() || clave.find('=') != std::string_view::npos) return -1;
    if (s.lineas.size() <= 8) {
        for (std::size_t i = 0; i < s.lineas.size(); ++i) {
            const std::string& l = s.lineas[i];
            if (l.size() > clave.size() && l[clave.size()] == '=' &&
                IgualesSinMayusculas(std::string_view(l).substr(0, clave.size()), clave))
                return static_cast<std::ptrdiff_t>(i);
        }
        return -1;
    }
    if (!s.indiceValido) {
        s.indice.clear();
        s.indice.reserve(s.lineas.size());
        for (std::size_t i = 0; i < s.lineas.size(); ++i) {
            std::string_view nombre;
            if (NombreDeLinea(s.lineas[i], nombre)) s.indice.emplace(PlegarMayusculas(nombre), i);
        }
        s.indiceValido = true;
    }
    auto it = s.indice.find(PlegarMayusculas(clave));
    return it == s.indice.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
}

const std::string* TVelIniFile::Valor(std::string_view seccion, std::string_view clave) const {
    const Seccion* s = BuscarSeccion(seccion, cursorClave_);
    if (!s) return nullptr;
    std::ptrdiff_t i = BuscarClave(*s, clave);
    return i < 0 ? nullptr : &s->lineas[static_cast<std::size_t>(i)];
}

TVelIniFile::Seccion& TVelIniFile::SeccionParaEscribir(std::string_view nombre) {
    ValidarSeccion(nombre);
    if (Seccion* s = BuscarSeccion(nombre, cursorClave_)) return *s;
    Seccion* s = NuevaSeccion(nombre);
    cursorClave_ = s->posicion;
    return *s;
}

void TVelIniFile::QuitarSeccion(Seccion* s) {
    const std::size_t pos = s->posicion;
    porNombre_.erase(PlegarMayusculas(s->nombre));
    secciones_.erase(secciones_.begin() + static_cast<std::ptrdiff_t>(pos));
    for (std::size_t i = pos; i < secciones_.size(); ++i) secciones_[i]->posicion = i;
    cursorSeccion_ = cursorClave_ = 0;
}

// ------------------------------------------------------- reads, writes ----

std::string TVelIniFile::ReadString(std::string_view seccion, std::string_view clave, std::string_view defecto) const {
    const std::string* l = Valor(seccion, clave);
    return l ? l->substr(clave.size() + 1) : std::string(defecto);
}

void TVelIniFile::WriteString(std::string_view seccion, std::string_view clave, std::string_view valor) {
    if (clave.empty() && seccion.empty() && valor.empty()) {
        UpdateFile();
        return;
    }
    ValidarSeccion(seccion);
    ValidarClave(seccion, clave);
    ValidarValor(clave, valor);
    Seccion& s = SeccionParaEscribir(seccion);
    std::string linea;
    linea.reserve(clave.size() + 1 + valor.size());
    linea.append(clave).append("=").append(valor);
    const std::ptrdiff_t i = BuscarClave(s, clave);
    if (i >= 0) {
        std::string& actual = s.lineas[static_cast<std::size_t>(i)];
        if (actual != linea) {
            actual = std::move(linea);
            modificado_ = true;
        }
        return;
    }
    if (s.indiceValido) s.indice.emplace(PlegarMayusculas(clave), s.lineas.size());
    s.lineas.push_back(std::move(linea));
    modificado_ = true;
}

int TVelIniFile::ReadInteger(std::string_view seccion, std::string_view clave, int defecto) const {
    const std::string* l = Valor(seccion, clave);
    int v;
    return l && LeerEnteroIni(std::string_view(*l).substr(clave.size() + 1), v) ? v : defecto;
}

void TVelIniFile::WriteInteger(std::string_view seccion, std::string_view clave, int valor) {
    WriteString(seccion, clave, std::to_string(valor));
}

bool TVelIniFile::ReadBool(std::string_view seccion, std::string_view clave, bool defecto) const {
    return ReadInteger(seccion, clave, defecto ? 1 : 0) != 0;
}

void TVelIniFile::WriteBool(std::string_view seccion, std::string_view clave, bool valor) {
    WriteString(seccion, clave, valor ? "1" : "0");
}

long double TVelIniFile::ReadFloat(std::string_view seccion, std::string_view clave, long double defecto) const {
    const std::string* l = Valor(seccion, clave);
    long double v;
    return l && LeerRealIni(std::string_view(*l).substr(clave.size() + 1), v) ? v : defecto;
}

void TVelIniFile::WriteFloat(std::string_view seccion, std::string_view clave, long double valor) {
    WriteString(seccion, clave, TextoRealIni(valor));
}

int TVelIniFile::ReadHex(std::string_view seccion, std::string_view clave, int defecto) const {
    const std::string* l = Valor(seccion, clave);
    if (!l) return defecto;
    std::string_view t = std::string_view(*l).substr(clave.size() + 1);
    if (t.empty() || t.front() == '-' || t.front() == '+' || t.front() == '$') return defecto;
    int v;
    return LeerEnteroIni("$" + std::string(t), v) ? v : defecto;
}

void TVelIniFile::WriteHex(std::string_view seccion, std::string_view clave, int valor) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(valor));
    WriteString(seccion, clave, buf);
}

std::vector<std::string> TVelIniFile::ReadSection(std::string_view seccion) const {
    std::vector<std::string> claves;
    if (const Seccion* s = BuscarSeccion(seccion, cursorSeccion_)) {
        claves.reserve(s->lineas.size());
        for (const auto& l : s->lineas) {
            std::string_view nombre;
            if (NombreDeLinea(l, nombre)) claves.emplace_back(nombre);
        }
    }
    return claves;
}

std::vector<std::string> TVelIniFile::ReadSections() const {
    std::vector<std::string> nombres;
    nombres.reserve(secciones_.size());
    for (const auto& s : secciones_) nombres.push_back(s->nombre);
    return nombres;
}

void TVelIniFile::ReadSectionValues(std::string_view seccion, std::vector<std::string>& lista) const {
    if (const Seccion* s = BuscarSeccion(seccion, cursorSeccion_))
        lista.insert(lista.end(), s->lineas.begin(), s->lineas.end());
}

std::vector<std::string> TVelIniFile::ReadSectionValues(std::string_view seccion) const {
    std::vector<std::string> lista;
    ReadSectionValues(seccion, lista);
    return lista;
}

void TVelIniFile::EraseSection(std::string_view seccion) {
    if (Seccion* s = BuscarSeccion(seccion, cursorSeccion_)) {
        QuitarSeccion(s);
        modificado_ = true;
    }
}

void TVelIniFile::DeleteKey(std::string_view seccion, std::string_view clave) {
    Seccion* s = BuscarSeccion(seccion, cursorClave_);
    if (!s) return;
    const std::ptrdiff_t i = BuscarClave(*s, clave);
    if (i < 0) return;
    s->lineas.erase(s->lineas.begin() + i);
    s->indiceValido = false;
    modificado_ = true;
}

bool TVelIniFile::SectionExists(std::string_view seccion) const {
    return BuscarSeccion(seccion, cursorSeccion_) != nullptr;
}

void TVelIniFile::ReplaceSection(std::string_view seccion, const std::vector<std::string>& lineas) {
    ValidarSeccion(seccion);
    for (const auto& l : lineas) ValidarLinea(seccion, l);
    Seccion* s = BuscarSeccion(seccion, cursorSeccion_);
    if (!s) {
        s = NuevaSeccion(seccion);
        cursorSeccion_ = s->posicion;
    }
    if (s->lineas == lineas) return;
    s->lineas = lineas;
    s->indiceValido = false;
    modificado_ = true;
}

void TVelIniFile::ReadList(std::string_view seccion, std::vector<std::string>& lista) const {
    const long long cant = ReadInteger(seccion, "Cant", 0);
    if (cant <= 0) return;
    const Seccion* s = BuscarSeccion(seccion, cursorClave_);
    if (!s) return;
    // Only the numbered keys present: a "Cant" of two thousand million must
    // neither hang nor invent empty items.
    std::map<long long, const std::string*> items;
    for (const auto& l : s->lineas) {
        std::string_view nombre;
        long long k;
        if (NombreDeLinea(l, nombre) && NumeroDeLista(nombre, k) && k <= cant) items.emplace(k, &l);
    }
    for (const auto& [k, l] : items) lista.push_back(l->substr(l->find('=') + 1));
}

std::vector<std::string> TVelIniFile::ReadList(std::string_view seccion) const {
    std::vector<std::string> lista;
    ReadList(seccion, lista);
    return lista;
}

void TVelIniFile::WriteList(std::string_view seccion, const std::vector<std::string>& lista) {
    ValidarSeccion(seccion);
    for (const auto& item : lista) ValidarValor("Cant", item);
    const long long antes = ReadInteger(seccion, "Cant", 0);
    Seccion& s = SeccionParaEscribir(seccion);
    // "Cant" in place (or appended), the old numbered keys out, the new ones
    // at the end: built aside so an unchanged list changes nothing.
    std::vector<std::string> nuevas;
    nuevas.reserve(s.lineas.size() + lista.size() + 1);
    const std::string cant = "Cant=" + std::to_string(lista.size());
    bool puesta = false;
    for (const auto& l : s.lineas) {
        std::string_view nombre;
        long long k;
        if (NombreDeLinea(l, nombre)) {
            if (!puesta && IgualesSinMayusculas(nombre, "Cant")) {
                nuevas.push_back(cant);
                puesta = true;
                continue;
            }
            if (NumeroDeLista(nombre, k) && k <= antes) continue;
        }
        nuevas.push_back(l);
    }
    if (!puesta) nuevas.push_back(cant);
    for (std::size_t i = 0; i < lista.size(); ++i) nuevas.push_back(std::to_string(i + 1) + "=" + lista[i]);
    if (nuevas == s.lineas) return;
    s.lineas = std::move(nuevas);
    s.indiceValido = false;
    modificado_ = true;
}

// --------------------------------------------------------------- write ----

std::string TVelIniFile::Texto() const {
    std::size_t total = 0;
    for (const auto& s : secciones_) {
        if (s->lineas.empty()) continue;
        total += s->nombre.size() + 2 + 3 * FinLinea.size();
        for (const auto& l : s->lineas) total += l.size() + FinLinea.size();
    }
    std::string t;
    t.reserve(total);
    for (const auto& s : secciones_) {
        if (s->lineas.empty()) continue;
        t.append("[").append(s->nombre).append("]").append(FinLinea);
        for (const auto& l : s->lineas) t.append(l).append(FinLinea);
        t.append(FinLinea);
    }
    return t;
}

void TVelIniFile::UpdateFile() {
    if (!modificado_ || archivo_.empty()) return;
    std::string bytes = Texto();
    if (Keyed()) Mezclar(bytes, clave_);
    if (necesitaCopia_) {
        // The load dropped something: the original stays as NAME.bak.
        CopiaDeSeguridad(archivo_);
        necesitaCopia_ = false;
    }
    EscribirArchivoAtomico(archivo_, bytes);
    modificado_ = false;
}

void TVelIniFile::Mezclar(std::string& bytes, std::string_view clave) {
    const std::size_t largo = clave.size();
    if (largo == 0) return;
    std::size_t p = bytes.size() % largo + 1;  // 1-based index into the key
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned bit = static_cast<unsigned>((i % p) % 8);
        p = p < largo ? p + 1 : 1;
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ static_cast<unsigned char>(clave[p - 1]) ^
                                     (1u << bit));
    }
}

// ---------------------------------------------------------- TAppIniFile ----

TAppIniFile::TAppIniFile(const fs::path& carpetaDatos, OpcionesIni opciones)
    : TVelIniFile(carpetaDatos / NombreArchivo, {}, std::move(opciones)) {}

std::shared_ptr<TVelIniFile> TAppIniFile::Abrir(const fs::path& carpetaDatos, Notificador aviso, bool guardarAlCerrar) {
    OpcionesIni opciones;
    opciones.Aviso = aviso;
    opciones.GuardarAlCerrar = guardarAlCerrar;
    auto ini = CompartidoCon(carpetaDatos / NombreArchivo, {},
                             [&] { return new TAppIniFile(carpetaDatos, std::move(opciones)); });
    if (aviso) ini->SetNotificador(std::move(aviso));
    return ini;
}

}  // namespace numbrix
