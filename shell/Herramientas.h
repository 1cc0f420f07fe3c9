#pragma once
// The tool windows the main window opens: who they are (a name, an optional
// remembered flag, an optional Ctrl letter), the tools menu's fixed order
// whatever order they register in, the order the remembered ones reopen in
// at start, and the help each brings (its page and its keys). Knows no
// window: the main window keeps the windows and follows them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numbrix {

struct AjustesCalculadora;

// A key as the keys page («Atajos de teclado») lists it.
struct TeclaAyuda {
    std::string Tecla;   // "Ctrl+F", "Re Pág"
    std::string Accion;  // what it does, one sentence
};

struct DescripcionHerramienta {
    std::string Nombre;  // the menu caption; "&" marks its accelerator
    // A name of the ten tools fills what is left empty here from their table.
    std::string Clave{};  // settings flag of "open at the last close"; "" not remembered
    char Atajo = 0;      // Ctrl letter (upper case); 0 none
    std::string Glifo{};  // the few characters drawn on its button
    // Help: its page (file in help/, "" none) with its title, and its keys.
    std::string PaginaAyuda{}, TituloAyuda{};
    std::vector<TeclaAyuda> Teclas{};
};

// The program's ten tools, in the tools menu's order.
const std::vector<DescripcionHerramienta>& HerramientasConocidas();
// The flags' keys in the order their tools reopen at start.
const std::vector<std::string>& OrdenReapertura();
// The caption as a button or a title shows it: without the "&" marks.
std::string SinMarcas(std::string_view nombre);
// The flag a key names in the settings (null for another key).
bool* BanderaHerramienta(AjustesCalculadora& a, std::string_view clave);

class TRegistroHerramientas {
public:
    // Adds a tool where the menu order puts it (the ten first, in their
    // order; others after them, as they come) and returns that position;
    // nothing when its name or its letter is taken already.
    std::optional<std::size_t> Registrar(DescripcionHerramienta d);
    std::size_t Cantidad() const { return lista_.size(); }
    const DescripcionHerramienta& operator[](std::size_t i) const { return lista_[i]; }
    // By name ("&" marks and case aside) or by Ctrl letter.
    std::optional<std::size_t> PorNombre(std::string_view nombre) const;
    std::optional<std::size_t> PorAtajo(char letra) const;

    // The tool's flag (false when it has none).
    bool Recordada(const AjustesCalculadora& a, std::size_t i) const;
    void Recordar(AjustesCalculadora& a, std::size_t i, bool abierta) const;
    // The flagged tools, in the order they reopen.
    std::vector<std::size_t> AReabrir(const AjustesCalculadora& a) const;
    // The registered tools' Ctrl letters as the main window's keys (each
    // tool's own keys are a section of their own).
    std::vector<TeclaAyuda> Teclas() const;

private:
    std::vector<DescripcionHerramienta> lista_;
};

}  // namespace numbrix
