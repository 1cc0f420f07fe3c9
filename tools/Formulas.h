#pragma once
// The formula library: groups of named laws kept as keyed "*.fcm" files of
// the data folder, one section per formula, and the computation that turns
// the known symbols' values into the unknown's through the engine's solver.
//
// A saved formula must read back exactly as it was typed, so everything the
// section format cannot carry («_» inside a cell, a description line holding
// «<img>», a symbol the law's text would misread) is refused before writing.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"
#include "support/Errores.h"

namespace numbrix {

class TVelIniFile;
class TModeloUnidades;

// A refused name, symbol or cell: its message says what to change.
class EFormula : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// One symbol row of the grid.
struct FilaFormula {
    std::string Simbolo, Descripcion, Valor, Unidad, MagnitudUnidad, Minimo, Maximo;
    std::string Magnitud() const;     // the name part of MagnitudUnidad
    std::string UnidadNativa() const; // the unit part
};

struct RegistroFormula {
    std::string Ley;
    std::vector<std::string> Descripcion;  // one element a line
    std::string Imagen;                    // "" none; "#item" an archive item; else a file
    std::vector<FilaFormula> Filas;
    int Marcada = -1;                      // the row flagged "1"; -1 none
    // The unknown's row: the flagged one when it has a symbol, else the first
    // with a symbol; -1 none.
    int Incognita() const;
};

inline constexpr const char* kExtensionGrupo = ".fcm";
inline constexpr int kReintentosDibujo = 20;

// ---- groups
// Group names (file names without ".fcm"), in name order.
std::vector<std::string> ListarGrupos(const std::filesystem::path& carpeta);
// The group's file: an existing one matched ignoring case, else carpeta/nombre.fcm.
std::filesystem::path ArchivoGrupo(const std::filesystem::path& carpeta, std::string_view nombre);
// The process's one instance of the group file, with the library's key.
std::shared_ptr<TVelIniFile> AbrirGrupo(const std::filesystem::path& archivo);
// Raise EFormula for a name that cannot be a file or a section.
void ComprobarNombreGrupo(std::string_view nombre);
void ComprobarNombreFormula(std::string_view nombre);
// A group of that name (any case) already exists: "Ya existe un grupo llamado %s".
std::string MensajeGrupoExiste(std::string_view nombre);

// ---- sections
// Empty lines are not in `lineas` (the file reader skips them). Raises
// EFormula for a section without lines.
RegistroFormula LeerRegistro(const std::vector<std::string>& lineas);
// Raises EFormula with the first thing the section could not carry.
std::vector<std::string> EscribirRegistro(const RegistroFormula& r);
// The lines of a formula just created.
std::vector<std::string> LineasNuevaFormula();
// Symbol rules: a letter then letters or digits, not a number to the
// reader («h0», «b1»), different ignoring case from the others.
void ComprobarSimbolos(const std::vector<FilaFormula>& filas);

// Reads a formula of a group file; EFormula when it is missing or empty.
RegistroFormula LeerFormula(const TVelIniFile& grupo, std::string_view nombre);
// Writes it (refusals first, nothing changed then) and saves the file.
void GuardarFormula(TVelIniFile& grupo, std::string_view nombre, const RegistroFormula& r);
// Another section than `actual` holds `nuevo` (any case): refused name.
bool NombreOcupado(const TVelIniFile& grupo, std::string_view nuevo, std::string_view actual = {});
// Raises EFormula when `nuevo` cannot name a formula of the group: a refused
// name, or another one's (any case).
void ComprobarNombreLibre(const TVelIniFile& grupo, std::string_view nuevo, std::string_view actual = {});
// The picture file of a reference that is not an archive item, only inside
// the data folder; nothing when it leaves it.
std::optional<std::filesystem::path> ArchivoImagen(const std::filesystem::path& carpeta, std::string_view referencia);
// The reference of a picked file: its path relative to the data folder, or
// none when it lies outside (references resolve only inside it).
std::optional<std::string> ReferenciaImagen(const std::filesystem::path& carpeta, const std::filesystem::path& archivo);

// ---- computing
struct ResultadoCalculo {
    enum Estado {
        Hecho,      // the unknown's value is in Texto
        Incompleto, // an empty value cell: nothing to say
        Rechazado,  // a refused input: a box titled Titulo with Mensaje
        Fallo       // the engine's or the unit model's own message in Mensaje
    } estado = Incompleto;
    std::string Titulo, Mensaje;
    std::string Texto = "Error";  // what the unknown's value cell shows
    long double Valor = 0;        // in the display unit
};

class TCalculoFormula {
public:
    // `padre`: the main engine (may be null). The unit model converts.
    TCalculoFormula(TExpresionX* padre, TModeloUnidades& modelo);
    ~TCalculoFormula();
    TCalculoFormula(const TCalculoFormula&) = delete;
    TCalculoFormula& operator=(const TCalculoFormula&) = delete;

    // The input engine follows the main window's angle unit; the formula
    // engine always works in radians (the values are in native units).
    TExpresionX& Entrada() { return *entrada_; }
    TExpresionX& Ley() { return *ley_; }
    void SetAnguloEntrada(UnidadAngulo a);

    // Computes the unknown of `filas`; on success its value cell holds the
    // result. The value array follows the rows.
    ResultadoCalculo Calcular(const std::string& ley, std::vector<FilaFormula>& filas, int incognita,
                              const FormatoNumero& formato);
    const std::vector<long double>& Valores() const { return valores_; }

    // Compiles the law with random symbol values for its picture, retrying
    // a law whose folding fails (at most kReintentosDibujo times).
    bool CompilarDibujo(const std::string& ley, const std::vector<FilaFormula>& filas);

private:
    void Recompilar(TExpresionX& e, const std::string& texto);

    TModeloUnidades& modelo_;
    std::unique_ptr<TExpresionX> entrada_, ley_;
    std::shared_ptr<TVariableX> incognita_;
    std::vector<std::string> simbolos_;
    std::vector<long double> valores_;
    bool dibujo_ = false;
    std::mt19937 azar_{20260101u};
};

}  // namespace numbrix
