#pragma once
// Section-and-key text files ("[Seccion]" then "clave=valor" lines), held whole
// in memory and written back whole when changed. Used for numbrix.ini and for
// most data files; optionally scrambled with a key (the unit file and the
// formula library).
//
// Guarantees the rest of the program relies on:
//  - a write never leaves a half-written file (atomic replace, see
//    support/EscrituraAtomica.h), and a failed write reports and keeps the old
//    file;
//  - loading never throws for bad content: whatever is sound is loaded and the
//    rest is listed in Informe() (every dropped line, and every line that was
//    not UTF-8 and was read as Latin-1); such a file is kept as NAME.bak
//    before it is first rewritten;
//  - a key or value can never inject a line or a section (refused with
//    EArchivoIni);
//  - reals are written in the shortest text that reads back to the same
//    80-bit value, always with ".".
// An instance is not thread-safe; the whole program runs on one thread.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "support/Errores.h"
#include "support/Notificador.h"

namespace numbrix {

// A refused key, value or section name, or a misuse of a shared file.
class EArchivoIni : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// What a load could not take from the file. Línea 0 is the whole file.
struct ProblemaCarga {
    std::size_t Linea = 0;
    std::string Motivo;
};

struct InformeCarga {
    std::vector<ProblemaCarga> Problemas;
    std::size_t Omitidos = 0;  // problems beyond the ones listed
    bool Latin1 = false;       // some line was not UTF-8 and was read as Latin-1
    bool SinCifrar = false;    // a keyed file held plain text and was read as such
    // Set when problems were found: where the original is kept before the
    // file is first rewritten.
    std::filesystem::path CopiaSeguridad;
    bool HayProblemas() const { return !Problemas.empty(); }
    // One line per problem, prefixed with the file name, ready to show.
    std::string Texto(const std::filesystem::path& archivo) const;
};

// How a file is read. The five cleanups apply, in this order, to every line
// that is not a section header.
struct OpcionesIni {
    bool SaltarComentarios = false;       // lines beginning with ";"
    bool QuitarBlancosIgual = false;      // blanks and tabs around the first "="
    bool QuitarComillas = false;          // matching quotes around the value
    bool QuitarFinales = false;           // trailing control characters and blanks
    bool SaltarSinIgual = false;          // lines without "="
    // Called for a section name seen again (kept name, repeated name); return
    // true to keep the later section's lines instead of the first's.
    std::function<bool(const std::string& conservada, const std::string& repetida)> ManejadorDuplicada;
    // Where the destructor's last-chance save reports a failure.
    Notificador Aviso;
    // The destructor writes pending changes. Off for a reader that must never
    // write behind the user's back (numbrix-cli without --save): only an
    // explicit UpdateFile writes then.
    bool GuardarAlCerrar = true;
};

class TVelIniFile {
public:
    // Loads `archivo` when the name is not empty. A non-empty `clave` makes the
    // file keyed: it is unscrambled when read and scrambled when written.
    explicit TVelIniFile(std::filesystem::path archivo = {}, std::string clave = {}, OpcionesIni opciones = {});
    // Saves pending changes (unless GuardarAlCerrar is off); a failure goes
    // to the notifier, never out.
    virtual ~TVelIniFile();
    TVelIniFile(const TVelIniFile&) = delete;
    TVelIniFile& operator=(const TVelIniFile&) = delete;

    // The one instance of a file in this process: every window and tool that
    // opens the same path (links resolved) shares it, so no copy overwrites
    // another's sections. Opening it again with another key raises EArchivoIni;
    // the options of the first opener stay in force.
    static std::shared_ptr<TVelIniFile> Compartido(const std::filesystem::path& archivo, const std::string& clave = {},
                                                   OpcionesIni opciones = {});
    // Writes every shared file under `carpeta` (subfolders too) with pending
    // changes that its destructor would write (a failed save stays pending):
    // the program's close calls it where a failure can still be reported.
    // Raises the first failure's EEscritura after trying them all.
    static void GuardarPendientes(const std::filesystem::path& carpeta);
    // The user chose to close without saving: those files' destructors do
    // not try again (and report the same failure a second time).
    static void DescartarPendientes(const std::filesystem::path& carpeta);

    const std::filesystem::path& FileName() const { return archivo_; }
    // Writes pending changes to the old file (raising on failure, with nothing
    // changed), then loads the new one; an empty name leaves the file empty.
    void SetFileName(const std::filesystem::path& archivo);
    bool Modified() const { return modificado_; }
    bool Keyed() const { return !clave_.empty(); }
    const InformeCarga& Informe() const { return informe_; }
    void SetNotificador(Notificador aviso) { opciones_.Aviso = std::move(aviso); }

    // Writes the file when it has changed. Raises EEscritura on failure, with
    // the old file intact and Modified() still true. A file whose load found
    // problems is first kept as NAME.bak.
    void UpdateFile();

    std::string ReadString(std::string_view seccion, std::string_view clave, std::string_view defecto = {}) const;
    // Replaces the key's line in place (Modified only when it changes) or
    // appends it, creating the section at the end. An empty key is refused,
    // except that WriteString("", "", "") writes the file now.
    void WriteString(std::string_view seccion, std::string_view clave, std::string_view valor);

    // Decimal, "0x1F" / "$1F" hexadecimal (32-bit two's complement, so
    // "0x80000008" is -2147483640). Trailing text or a value out of range
    // gives the default.
    int ReadInteger(std::string_view seccion, std::string_view clave, int defecto) const;
    void WriteInteger(std::string_view seccion, std::string_view clave, int valor);
    bool ReadBool(std::string_view seccion, std::string_view clave, bool defecto) const;
    void WriteBool(std::string_view seccion, std::string_view clave, bool valor);
    long double ReadFloat(std::string_view seccion, std::string_view clave, long double defecto) const;
    void WriteFloat(std::string_view seccion, std::string_view clave, long double valor);
    // Eight hexadecimal digits, no prefix.
    int ReadHex(std::string_view seccion, std::string_view clave, int defecto) const;
    void WriteHex(std::string_view seccion, std::string_view clave, int valor);

    // The keys of a section (lines without "=" have none).
    std::vector<std::string> ReadSection(std::string_view seccion) const;
    std::vector<std::string> ReadSections() const;
    // Appends the section's lines as stored.
    void ReadSectionValues(std::string_view seccion, std::vector<std::string>& lista) const;
    std::vector<std::string> ReadSectionValues(std::string_view seccion) const;

    void EraseSection(std::string_view seccion);
    void DeleteKey(std::string_view seccion, std::string_view clave);
    bool SectionExists(std::string_view seccion) const;
    // Makes the section hold exactly `lineas` (created when missing).
    void ReplaceSection(std::string_view seccion, const std::vector<std::string>& lineas);

    // "Cant" plus keys "1".."Cant". Reading takes the numbered keys that are
    // present, in order, however large "Cant" claims to be.
    void ReadList(std::string_view seccion, std::vector<std::string>& lista) const;
    std::vector<std::string> ReadList(std::string_view seccion) const;
    void WriteList(std::string_view seccion, const std::vector<std::string>& lista);

    // The plain text the file would hold (before scrambling).
    std::string Texto() const;
    // Replaces the content with `bytes` parsed as if they had been read from
    // FileName() (scrambled when the file is keyed); pending changes are
    // dropped. For content that does not come from a file of its own.
    void CargarBytes(std::string bytes);

    // The keyed scrambling; applying it twice gives the bytes back.
    static void Mezclar(std::string& bytes, std::string_view clave);

    // Line end written after every line.
    static constexpr std::string_view FinLinea = "\r\n";
    // Longest line read; longer ones are skipped and reported.
    static constexpr std::size_t MaxLinea = 1024 * 1024;

protected:
    using Fabrica = std::function<TVelIniFile*()>;
    // The shared files under `carpeta` whose destructor would write.
    static std::vector<std::shared_ptr<TVelIniFile>> Pendientes(const std::filesystem::path& carpeta);
    static std::shared_ptr<TVelIniFile> CompartidoCon(const std::filesystem::path& archivo, const std::string& clave,
                                                      const Fabrica& fabrica);

private:
    struct Seccion {
        std::string nombre;
        std::vector<std::string> lineas;
        std::size_t posicion = 0;
        // Folded key -> first line with that key; built on demand for big sections.
        mutable std::unordered_map<std::string, std::size_t> indice;
        mutable bool indiceValido = false;
    };

    void Cargar();
    void Analizar(std::string bytes);
    void Vaciar();
    void Problema(std::size_t linea, std::string motivo);
    void AvisarCopia();
    Seccion* BuscarSeccion(std::string_view nombre, std::size_t& cursor) const;
    Seccion& SeccionParaEscribir(std::string_view nombre);
    Seccion* NuevaSeccion(std::string_view nombre);
    std::ptrdiff_t BuscarClave(const Seccion& s, std::string_view clave) const;
    const std::string* Valor(std::string_view seccion, std::string_view clave) const;
    void QuitarSeccion(Seccion* s);

    std::filesystem::path archivo_;
    std::string clave_;
    OpcionesIni opciones_;
    bool modificado_ = false;
    bool necesitaCopia_ = false;  // keep the original as .bak before the next write
    bool compartido_ = false;
    std::string claveRegistro_;
    InformeCarga informe_;

    std::vector<std::unique_ptr<Seccion>> secciones_;
    std::unordered_map<std::string, Seccion*> porNombre_;  // folded name -> section
    mutable std::size_t cursorSeccion_ = 0;  // the section list's own search cursor
    mutable std::size_t cursorClave_ = 0;    // section of the last key look-up
};

// The settings file: numbrix.ini in the data folder (support/CarpetaDatos.h).
class TAppIniFile : public TVelIniFile {
public:
    static constexpr const char* NombreArchivo = "numbrix.ini";
    explicit TAppIniFile(const std::filesystem::path& carpetaDatos, OpcionesIni opciones = {});
    // The shared instance every window uses. The first opener's
    // `guardarAlCerrar` stays in force (see OpcionesIni).
    static std::shared_ptr<TVelIniFile> Abrir(const std::filesystem::path& carpetaDatos, Notificador aviso = {},
                                              bool guardarAlCerrar = true);
};

// Number texts of the settings format, independent of the locale.
std::string TextoRealIni(long double valor);
bool LeerRealIni(std::string_view texto, long double& valor);
bool LeerEnteroIni(std::string_view texto, int& valor);

}  // namespace numbrix
