#include "support/basicos.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace numbrix {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- UTF-8 ----

namespace {

// Length of the well-formed sequence at `p`, or 0 when it is not one.
std::size_t LargoSecuencia(std::string_view s, std::size_t p) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = b(p);
    if (c < 0x80) return 1;
    std::size_t largo;
    unsigned char min2 = 0x80, max2 = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        largo = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        largo = 3;
        if (c == 0xE0) min2 = 0xA0;  // overlong
        if (c == 0xED) max2 = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        largo = 4;
        if (c == 0xF0) min2 = 0x90;
        if (c == 0xF4) max2 = 0x8F;
    } else
        return 0;
    if (p + largo > s.size()) return 0;
    if (b(p + 1) < min2 || b(p + 1) > max2) return 0;
    for (std::size_t i = 2; i < largo; ++i)
        if ((b(p + i) & 0xC0) != 0x80) return 0;
    return largo;
}

// Byte length of the character at `p`; a broken sequence counts one byte.
std::size_t LargoCaracter(std::string_view s, std::size_t p) {
    std::size_t n = LargoSecuencia(s, p);
    return n ? n : 1;
}

char32_t Decodificar(std::string_view s, std::size_t p, std::size_t largo) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[p + i]); };
    switch (largo) {
        case 2: return char32_t((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
        case 3: return char32_t((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
        case 4: return char32_t((b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F));
        default: return char32_t(b(0));
    }
}

// Byte offset after the first `n` characters (clamped to the text).
std::size_t OffsetCaracteres(std::string_view s, std::size_t n) {
    std::size_t p = 0;
    while (n > 0 && p < s.size()) {
        p += LargoCaracter(s, p);
        --n;
    }
    return p;
}

}  // namespace

bool EsUtf8Valido(std::string_view bytes) {
    for (std::size_t p = 0; p < bytes.size();) {
        // Fast path over ASCII runs: files are mostly ASCII.
        if (static_cast<unsigned char>(bytes[p]) < 0x80) {
            ++p;
            continue;
        }
        std::size_t n = LargoSecuencia(bytes, p);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

std::string TextoDesdeBytes(std::string_view bytes, bool* eraLatin1) {
    if (EsUtf8Valido(bytes)) {
        if (eraLatin1) *eraLatin1 = false;
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    if (eraLatin1) *eraLatin1 = true;
    std::string texto;
    texto.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            texto += c;
        } else {
            texto += static_cast<char>(0xC0 | (u >> 6));
            texto += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return texto;
}

std::string Utf8DeCodigo(char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::size_t LongitudUtf8(std::string_view texto) {
    std::size_t n = 0;
    for (std::size_t p = 0; p < texto.size(); p += LargoCaracter(texto, p)) ++n;
    return n;
}

std::string PlegarMayusculas(std::string_view texto) {
    std::string r(texto);
    for (std::size_t p = 0; p < r.size(); ++p) {
        auto c = static_cast<unsigned char>(r[p]);
        if (c >= 'A' && c <= 'Z') {
            r[p] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && p + 1 < r.size()) {
            // U+00C0..U+00DE are C3 80..C3 9E; U+00D7 (C3 97) is the sign ×.
            auto d = static_cast<unsigned char>(r[p + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) r[p + 1] = static_cast<char>(d + 0x20);
            ++p;
        }
    }
    return r;
}

bool IgualesSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;  // folding keeps byte lengths
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        if (x == y) continue;
        // A continuation byte after C3 may differ by case.
        if (i > 0 && static_cast<unsigned char>(a[i - 1]) == 0xC3 && a[i - 1] == b[i - 1]) {
            auto pl = [](unsigned char d) {
                return (d >= 0x80 && d <= 0x9E && d != 0x97) ? static_cast<unsigned char>(d + 0x20) : d;
            };
            if (pl(x) == pl(y)) continue;
        }
        return false;
    }
    return true;
}

// ----------------------------------------------------------------- Text ----

std::string QuitarAceleradores(std::string_view texto) { return QuitarCaracter(texto, U'&'); }

std::string QuitarCaracter(std::string_view texto, char32_t caracter) {
    // UTF-8 synchronises itself: a whole encoded character never matches
    // inside another one, so a plain search is enough.
    const std::string buscado = Utf8DeCodigo(caracter);
    std::string r;
    r.reserve(texto.size());
    std::size_t p = 0;
    for (std::size_t q; (q = texto.find(buscado, p)) != std::string_view::npos; p = q + buscado.size())
        r.append(texto.substr(p, q - p));
    r.append(texto.substr(p));
    return r;
}

std::string RepetirCaracter(char32_t caracter, std::size_t veces) {
    const std::string uno = Utf8DeCodigo(caracter);
    std::string r;
    r.reserve(uno.size() * veces);
    for (std::size_t i = 0; i < veces; ++i) r += uno;
    return r;
}

std::vector<std::string> Separar(std::string_view texto, char32_t separador) {
    const std::string sep = Utf8DeCodigo(separador);
    std::vector<std::string> r;
    std::size_t p = 0;
    for (std::size_t q; (q = texto.find(sep, p)) != std::string_view::npos; p = q + sep.size())
        r.emplace_back(texto.substr(p, q - p));
    r.emplace_back(texto.substr(p));
    return r;
}

std::string ParteNombre(std::string_view linea) {
    auto p = linea.find('=');
    return p == std::string_view::npos ? std::string() : std::string(linea.substr(0, p));
}

std::string ParteValor(std::string_view linea) {
    auto p = linea.find('=');
    return p == std::string_view::npos ? std::string() : std::string(linea.substr(p + 1));
}

std::string ParteNombreTolerante(std::string_view linea) {
    auto p = linea.find('=');
    return (p == std::string_view::npos || p == 0) ? std::string(linea) : std::string(linea.substr(0, p));
}

std::string ParteValorTolerante(std::string_view linea) {
    auto p = linea.find('=');
    return (p == std::string_view::npos || p + 1 == linea.size()) ? std::string(linea)
                                                                  : std::string(linea.substr(p + 1));
}

std::string Izquierda(std::string_view texto, long long n) {
    if (n >= 0) return std::string(texto.substr(0, OffsetCaracteres(texto, static_cast<std::size_t>(n))));
    const std::size_t total = LongitudUtf8(texto), quitar = static_cast<std::size_t>(-(n + 1)) + 1;
    if (quitar >= total) return {};
    return std::string(texto.substr(0, OffsetCaracteres(texto, total - quitar)));
}

std::string Derecha(std::string_view texto, long long n) {
    const std::size_t total = LongitudUtf8(texto);
    std::size_t saltar;
    if (n >= 0)
        saltar = static_cast<std::size_t>(n) >= total ? 0 : total - static_cast<std::size_t>(n);
    else
        saltar = std::min(total, static_cast<std::size_t>(-(n + 1)) + 1);
    return std::string(texto.substr(OffsetCaracteres(texto, saltar)));
}

// --------------------------------------------------------- TSeparaTexto ----

TSeparaTexto::TSeparaTexto(std::string texto, std::string separadores) : texto_(std::move(texto)) {
    SetSeparadores(std::move(separadores));
}

void TSeparaTexto::SetTexto(std::string texto) {
    texto_ = std::move(texto);
    Reiniciar();
}

void TSeparaTexto::SetSeparadores(std::string separadores) {
    separadores_ = std::move(separadores);
    conjunto_.clear();
    for (std::size_t p = 0; p < separadores_.size();) {
        std::size_t n = LargoSecuencia(separadores_, p);
        conjunto_.push_back(n ? Decodificar(separadores_, p, n) : char32_t(0xDC00 + static_cast<unsigned char>(separadores_[p])));
        p += n ? n : 1;
    }
    Reiniciar();
}

void TSeparaTexto::Reiniciar() {
    pos_ = 0;
    cuenta_ = 0;
    fin_ = false;
    campo_.clear();
}

bool TSeparaTexto::EsSeparador(std::size_t pos, std::size_t* largo) const {
    std::size_t n = LargoSecuencia(texto_, pos);
    *largo = n ? n : 1;
    // A stray byte is matched as such, so a Latin-1 separator set still works.
    char32_t c = n ? Decodificar(texto_, pos, n) : char32_t(0xDC00 + static_cast<unsigned char>(texto_[pos]));
    return std::find(conjunto_.begin(), conjunto_.end(), c) != conjunto_.end();
}

const std::string& TSeparaTexto::Siguiente() {
    ++cuenta_;
    campo_.clear();
    if (fin_) return campo_;
    // One field per separator plus one: after a trailing separator comes an
    // empty last field, and only reading beyond that reaches the end.
    if (pos_ > texto_.size()) {
        fin_ = true;
        return campo_;
    }
    std::size_t p = pos_, largo = 0;
    while (p < texto_.size() && !EsSeparador(p, &largo)) p += largo;
    campo_.assign(texto_, pos_, p - pos_);
    if (QuitarComillas && campo_.size() >= 2 && campo_.front() == '"' && campo_.back() == '"')
        campo_ = campo_.substr(1, campo_.size() - 2);
    pos_ = p < texto_.size() ? p + largo : texto_.size() + 1;
    return campo_;
}

// ----------------------------------------------------------- Stopwatch ----

namespace {

std::int64_t AhoraMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::atomic<std::int64_t> marcaGlobal{0};
std::atomic<bool> hayMarca{false};

}  // namespace

std::int64_t Cronometro(bool reiniciar) {
    const std::int64_t ahora = AhoraMs();
    const std::int64_t transcurrido = hayMarca.load() ? ahora - marcaGlobal.load() : 0;
    if (reiniciar) {
        marcaGlobal.store(ahora);
        hayMarca.store(true);
    }
    return transcurrido;
}

TCronometro::TCronometro() : marca_(AhoraMs()) {}
std::int64_t TCronometro::Milisegundos() const { return AhoraMs() - marca_; }
void TCronometro::Reiniciar() { marca_ = AhoraMs(); }

// ------------------------------------------------------------ Files --------

bool CoincideMascara(std::string_view nombre, std::string_view mascara) {
    // Iterative wildcard match with one back-tracking point for the last "*".
    auto igual = [](char a, char b) {
        auto x = static_cast<unsigned char>(a), y = static_cast<unsigned char>(b);
        if (x >= 'A' && x <= 'Z') x += 32;
        if (y >= 'A' && y <= 'Z') y += 32;
        return x == y;
    };
    std::size_t n = 0, m = 0, estrellaM = std::string_view::npos, estrellaN = 0;
    while (n < nombre.size()) {
        if (m < mascara.size() && mascara[m] == '*') {
            estrellaM = m++;
            estrellaN = n;
        } else if (m < mascara.size() && mascara[m] == '?') {
            n += LargoCaracter(nombre, n);
            ++m;
        } else if (m < mascara.size() && igual(mascara[m], nombre[n])) {
            ++n;
            ++m;
        } else if (estrellaM != std::string_view::npos) {
            m = estrellaM + 1;
            n = estrellaN += LargoCaracter(nombre, estrellaN);
        } else {
            return false;
        }
    }
    while (m < mascara.size() && mascara[m] == '*') ++m;
    return m == mascara.size();
}

std::string_view Recortar(std::string_view s) {
    const char* blancos = " \t";
    auto a = s.find_first_not_of(blancos);
    if (a == std::string_view::npos) return {};
    auto b = s.find_last_not_of(blancos);
    return s.substr(a, b - a + 1);
}

namespace {

void BuscarEn(const fs::path& carpeta, const std::vector<std::string>& mascaras, bool recursivo,
              std::vector<ArchivoEncontrado>& encontrados, int profundidad) {
    std::error_code ec;
    fs::directory_iterator it(carpeta, ec);
    if (ec) return;  // unreadable: skipped
    std::vector<fs::directory_entry> entradas;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        entradas.push_back(*it);
    }
    std::sort(entradas.begin(), entradas.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    std::vector<fs::path> subcarpetas;
    for (const auto& e : entradas) {
        std::error_code ec2;
        const std::string nombre = e.path().filename().string();
        if (e.is_symlink(ec2)) {
            // A link to a file is a file; a link to a folder is not walked.
            if (!e.is_regular_file(ec2)) continue;
        } else if (e.is_directory(ec2)) {
            subcarpetas.push_back(e.path());
            continue;
        } else if (!e.is_regular_file(ec2)) {
            continue;
        }
        const bool coincide = std::any_of(mascaras.begin(), mascaras.end(),
                                          [&](const std::string& m) { return CoincideMascara(nombre, m); });
        if (!coincide) continue;
        ArchivoEncontrado a;
        a.Ruta = e.path();
        a.Tamano = e.file_size(ec2);
        if (ec2) a.Tamano = 0;
        a.Permisos = e.status(ec2).permissions();
        a.Oculto = !nombre.empty() && nombre[0] == '.';
        encontrados.push_back(std::move(a));
    }
    if (!recursivo || profundidad > 256) return;
    for (const auto& s : subcarpetas) BuscarEn(s, mascaras, recursivo, encontrados, profundidad + 1);
}

}  // namespace

std::vector<ArchivoEncontrado> BuscarArchivos(const fs::path& carpeta, std::string_view mascaras, bool recursivo) {
    std::vector<std::string> lista;
    for (const std::string& m : Separar(mascaras, U',')) {
        std::string r(Recortar(m));
        if (!r.empty()) lista.push_back(std::move(r));
    }
    std::vector<ArchivoEncontrado> encontrados;
    if (!lista.empty()) BuscarEn(carpeta, lista, recursivo, encontrados, 0);
    return encontrados;
}

// The system's own texts follow the C library's language, English on most
// desktops: the errors a write meets are said here in Spanish.
std::string TextoErrorSistema(int codigo) {
    switch (codigo) {
        case ENOSPC: return "no queda espacio en el disco";
        case EDQUOT: return "se agotó la cuota de disco";
        case EIO: return "error de entrada/salida del dispositivo";
        case EACCES: return "permiso denegado";
        case EPERM: return "operación no permitida";
        case EROFS: return "el sistema de archivos es de solo lectura";
        case EFBIG: return "archivo demasiado grande";
        case EISDIR: return "es una carpeta";
        case ENOTDIR: return "una parte de la ruta no es una carpeta";
        case ENOENT: return "no existe la carpeta o el archivo";
        case EEXIST: return "el archivo ya existe";
        case ENAMETOOLONG: return "nombre de archivo demasiado largo";
        case ELOOP: return "demasiados enlaces simbólicos encadenados";
        case EMFILE:
        case ENFILE: return "demasiados archivos abiertos";
        case EBUSY: return "el dispositivo o el recurso está ocupado";
        case ETXTBSY: return "el archivo está en uso";
        case EXDEV: return "no se puede mover entre dispositivos distintos";
        case EBADF: return "descriptor de archivo no válido";
        case EINVAL: return "argumento no válido";
        case ENOMEM: return "memoria insuficiente";
        case EINTR: return "interrumpido por una señal";
        case EAGAIN: return "recurso no disponible por ahora";
        default: return "error del sistema " + std::to_string(codigo);
    }
}

bool LeerArchivoEntero(const fs::path& ruta, std::string& bytes, std::string* error, std::uintmax_t maximo) {
    auto mal = [&](const std::string& que) {
        if (error) *error = que;
        return false;
    };
    struct stat info {};
    if (::stat(ruta.c_str(), &info) != 0) return mal(TextoErrorSistema(errno));
    // Only regular files: a FIFO or a device would block or never end.
    if (!S_ISREG(info.st_mode)) return mal("no es un archivo normal");
    if (static_cast<std::uintmax_t>(info.st_size) > maximo) return mal("el archivo es demasiado grande");
    std::ifstream entrada(ruta, std::ios::binary);
    if (!entrada) return mal(TextoErrorSistema(errno ? errno : EACCES));
    bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
    entrada.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(entrada.gcount()));
    if (entrada.bad()) return mal("error de lectura");
    // The file may have grown since stat; take the rest as well, within the limit.
    char resto[4096];
    while (entrada.read(resto, sizeof resto) || entrada.gcount() > 0) {
        bytes.append(resto, static_cast<std::size_t>(entrada.gcount()));
        if (bytes.size() > maximo) return mal("el archivo es demasiado grande");
    }
    return true;
}

}  // namespace numbrix
