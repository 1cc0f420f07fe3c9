#pragma once
// Small stateless helpers shared by the windows and tools: text splitting and
// trimming, a field reader over separated text, a generic quicksort, a
// stopwatch and a file search. Texts are UTF-8 and every count here is in
// characters (code points), never bytes.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace numbrix {

// ---------------------------------------------------------------- UTF-8 ----

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool EsUtf8Valido(std::string_view bytes);
// Decodes file bytes: UTF-8 (a leading byte-order mark is dropped), or Latin-1
// when the bytes are not valid UTF-8. `eraLatin1` tells which was used.
std::string TextoDesdeBytes(std::string_view bytes, bool* eraLatin1 = nullptr);
// Encodes one code point (invalid ones become U+FFFD).
std::string Utf8DeCodigo(char32_t codigo);
// Number of characters; a stray byte of a broken sequence counts as one.
std::size_t LongitudUtf8(std::string_view texto);
// Case folding for comparisons of names: ASCII letters and the accented
// Latin-1 capitals (Á, Ñ, Ü, ...) fold to lower case; everything else stays.
std::string PlegarMayusculas(std::string_view texto);
bool IgualesSinMayusculas(std::string_view a, std::string_view b);

// ----------------------------------------------------------------- Text ----

// Menu and button captions as plain labels: every "&" removed.
std::string QuitarAceleradores(std::string_view texto);
std::string QuitarCaracter(std::string_view texto, char32_t caracter);
std::string RepetirCaracter(char32_t caracter, std::size_t veces);
// Every separator starts a new element; empty elements stay, so the result
// has one element more than there are separators ("" gives {""}).
std::vector<std::string> Separar(std::string_view texto, char32_t separador);

// The text before / after the first "=". Without "=" both are empty.
std::string ParteNombre(std::string_view linea);
std::string ParteValor(std::string_view linea);
// Tolerant forms: the whole line when it holds no "=", or when the "=" stands
// first (name) or last (value).
std::string ParteNombreTolerante(std::string_view linea);
std::string ParteValorTolerante(std::string_view linea);

// The text without the blanks and tabs at either end (a view into `s`).
std::string_view Recortar(std::string_view s);

// First `n` characters; a negative `n` gives all but the last |n|. Counts
// beyond the text are clamped to it.
std::string Izquierda(std::string_view texto, long long n);
// Last `n` characters; a negative `n` gives all but the first |n|.
std::string Derecha(std::string_view texto, long long n);

// --------------------------------------------------------- TSeparaTexto ----

// Reads the fields of one text in turn. Any one character of the separator
// set ends a field. With quote stripping on, a field that both begins and ends
// with a double quote loses them (a lone quote is left alone). Reading past
// the last field gives empty fields and sets the end flag.
class TSeparaTexto {
public:
    TSeparaTexto() = default;
    explicit TSeparaTexto(std::string texto, std::string separadores = "\t");

    void SetTexto(std::string texto);
    void SetSeparadores(std::string separadores);
    const std::string& Texto() const { return texto_; }
    const std::string& Separadores() const { return separadores_; }

    bool QuitarComillas = true;

    // Back to the first field.
    void Reiniciar();
    // Reads the next field into Campo() and returns it.
    const std::string& Siguiente();

    const std::string& Campo() const { return campo_; }
    bool Fin() const { return fin_; }
    // Fields read so far (the calls that hit the end count too).
    int Cuenta() const { return cuenta_; }

private:
    bool EsSeparador(std::size_t pos, std::size_t* largo) const;

    std::string texto_;
    std::string separadores_ = "\t";
    std::vector<char32_t> conjunto_{U'\t'};
    std::size_t pos_ = 0;  // byte offset of the next field; texto_.size() + 1 once the last one is read
    std::string campo_;
    int cuenta_ = 0;
    bool fin_ = false;
};

// ------------------------------------------------------------ QuickSort ----

// Sorts any indexed collection [bajo, alto] through two callbacks:
// comparar(i, j) < 0, == 0 or > 0, and intercambiar(i, j). Hoare partition
// around the middle element, whose index follows it when it is swapped.
// Recursion always goes to the smaller part, so the stack stays O(log n)
// even on adversarial input; the order produced is the classic one.
template <class Comparar, class Intercambiar>
void QuickSort(std::ptrdiff_t bajo, std::ptrdiff_t alto, Comparar&& comparar, Intercambiar&& intercambiar) {
    while (bajo < alto) {
        std::ptrdiff_t i = bajo, j = alto, p = bajo + (alto - bajo) / 2;
        do {
            // The bounds only matter for an inconsistent comparison callback.
            while (i < alto && comparar(i, p) < 0) ++i;
            while (j > bajo && comparar(j, p) > 0) --j;
            if (i <= j) {
                if (i != j) intercambiar(i, j);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        // [bajo, j] and [i, alto] are sorted independently.
        if (j - bajo < alto - i) {
            if (bajo < j) QuickSort(bajo, j, comparar, intercambiar);
            bajo = i;
        } else {
            if (i < alto) QuickSort(i, alto, comparar, intercambiar);
            alto = j;
        }
    }
}

// ----------------------------------------------------------- Stopwatch ----

// Milliseconds since the last mark on a monotonic clock (0 when no mark has
// been set yet); with `reiniciar` the mark moves to now.
std::int64_t Cronometro(bool reiniciar);

// The same as an object, for code that times more than one thing.
class TCronometro {
public:
    TCronometro();
    std::int64_t Milisegundos() const;
    void Reiniciar();
private:
    std::int64_t marca_;
};

// ------------------------------------------------------------ Files --------

struct ArchivoEncontrado {
    std::filesystem::path Ruta;
    std::uintmax_t Tamano = 0;
    std::filesystem::perms Permisos = std::filesystem::perms::none;
    bool Oculto = false;  // the name begins with "."
};

// Files under `carpeta` matching any mask of the comma-separated list
// ("*.fcm,*.txt"; "*" and "?" wildcards, letters compared without case).
// Folders are never listed. With `recursivo`, sub-folders are searched too,
// depth first after the folder's own files; links to folders are not
// followed and folders that cannot be read are skipped. Within a folder the
// files come in name order, each once.
std::vector<ArchivoEncontrado> BuscarArchivos(const std::filesystem::path& carpeta, std::string_view mascaras,
                                              bool recursivo);
// The wildcard match used above, exposed for callers that filter names.
bool CoincideMascara(std::string_view nombre, std::string_view mascara);

// The reason for a failed system call (an errno value), in Spanish.
std::string TextoErrorSistema(int codigo);

// Reads a whole regular file. Returns false (with `error` set) for a missing,
// unreadable or non-regular file, or one larger than `maximo` bytes.
bool LeerArchivoEntero(const std::filesystem::path& ruta, std::string& bytes, std::string* error = nullptr,
                       std::uintmax_t maximo = 256u * 1024 * 1024);

}  // namespace numbrix
