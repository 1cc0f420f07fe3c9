#pragma once
// The user-definitions editor without its window: the names and lines of one
// section of "real.duf", the edits the window makes to them, and "&Aceptar",
// which checks every changed definition on scratch engines before anything is
// registered or written.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ExpresionX.h"

namespace numbrix {

class TVelIniFile;

class TEditorDefiniciones {
public:
    enum Modo : int { Constantes = 0, Funciones = 1, Expresiones = 2 };
    static constexpr std::size_t kMaxDescripcion = 30;

    // The section of "real.duf", the window's title and its help topic.
    static const char* Seccion(int modo);
    static const char* Titulo(int modo);
    static int TemaAyuda(int modo);

    struct Linea {
        std::string nombre;
        std::string texto;       // definición + "_" + descripción
        bool marcada = false;    // added or changed since loading
    };

    explicit TEditorDefiniciones(int modo);
    int Modo() const { return modo_; }

    // The names and lines of the mode's section, in file order.
    void Cargar(const TVelIniFile& duf);
    const std::vector<Linea>& Lineas() const { return lineas_; }
    int Cantidad() const { return static_cast<int>(lineas_.size()); }
    int Indice(std::string_view nombre) const;  // -1 when absent (case-insensitive)
    std::string Definicion(int i) const;        // the text before the first "_"
    std::string Descripcion(int i) const;       // the text after it
    bool Modificado() const { return modificado_; }

    // A change of the description or definition of line i. The line is stored
    // even when a part is empty. Returns a message (and stores nothing) for a
    // definition holding "_", which would end it early in the file.
    std::string Cambiar(int i, const std::string& definicion, const std::string& descripcion);

    // "&Nueva": returns the refusal's message, or "" when the name was
    // appended (line "_" + name, marked). `conocido` says whether the main
    // engine knows a name; a name this editor loaded counts as its own.
    std::string Nueva(const std::string& nombre, const std::function<bool(std::string_view)>& conocido);
    void Eliminar(int i);

    struct Rechazo {
        int indice = -1;
        std::string mensaje;
    };
    // "&Aceptar"'s check, before anything is registered or written: the
    // file as it would be written (this section and `otras`, the other
    // section's lines) is registered by a scratch session. Every changed
    // line must register (a constant's value must evaluate) and a call of a
    // changed function must compile. The first refusal, in list order.
    std::optional<Rechazo> Comprobar(const std::vector<std::string>& otras) const;

    // Erases the mode's section and writes one key per name in list order
    // (an empty list leaves no section). The caller updates the file.
    void Escribir(TVelIniFile& duf) const;

private:
    int modo_;
    std::vector<Linea> lineas_;
    std::vector<std::string> cargados_;  // names as loaded
    bool modificado_ = false;
};

// A name of the language a user may define: an ASCII letter, then letters and
// digits, at most 30 characters.
bool EsIdentificadorUsuario(std::string_view nombre);

// What the definition memo does as a character is typed: "**" becomes "^" and
// "//" becomes "\"; `cursor` (a character index just after the typed one)
// moves back with it. True when the text changed.
bool SustituirAlEscribir(std::string& texto, int& cursor);

}  // namespace numbrix
