#pragma once
// The ten memories M0..M9 and what the memory menu does with them. Kept in
// section "Memoria" of numbrix.ini, keys "M0".."M9", written so that every
// bit of the extended value comes back.
#include <array>
#include <string>
#include <vector>

namespace numbrix {

class TVelIniFile;

class TMemorias {
public:
    static constexpr int Cantidad = 10;
    static constexpr const char* Seccion = "Memoria";

    // An index outside 0..9 raises std::out_of_range.
    long double Valor(int i) const;
    void SetValor(int i, long double v);

    // The submenu caption: "M%d = %g", general format with up to 15
    // significant digits and the point, whatever the locale.
    std::string Titulo(int i) const;
    // The memory's name as the expression language knows it ("M3").
    static std::string Insertar(int i);
    // The name of key / engine value i ("M0".."M9").
    static std::string Nombre(int i);

    // "Cargar", "Sumar", "Restar", "Borrar". An operation whose result would
    // not be finite changes nothing and returns false, so a memory never
    // holds an infinity the engine would then read.
    bool Cargar(int i, long double ultimoResultado);
    bool Sumar(int i, long double ultimoResultado);
    bool Restar(int i, long double ultimoResultado);
    void Borrar(int i);

    // Writes the ten keys (the caller writes the file with UpdateFile).
    void Guardar(TVelIniFile& ini) const;
    // Reads the ten keys: a missing key gives 0; one that does not read as a
    // finite number gives 0 and a report line. Never fails.
    std::vector<std::string> Cargar(const TVelIniFile& ini);

private:
    std::array<long double, Cantidad> valores_{};
};

}  // namespace numbrix
