#pragma once
// The tips of "Sabía que..." ("tips.ini"): section "OPC" with "Usa" (show at
// start) and "Cuenta" (how many tips), tip k in section "TIP" + two digits as
// a list (keys "Cant", "1", "2", ...) plus an optional "MAS" line.
#include <random>
#include <string>
#include <vector>

namespace numbrix {

class TVelIniFile;

struct Consejo {
    std::vector<std::string> Lineas;
    std::string Mas;
};

class TConsejos {
public:
    static constexpr int kMaximo = 99;   // two digits in the section names
    static constexpr const char* TextoSinConsejos = "No hay consejos disponibles.";

    // Reads "Usa" and "Cuenta" and the tips 1..Cuenta that are present;
    // "Cuenta" is clamped to 0..99.
    void Leer(const TVelIniFile& archivo);
    // Writes "Usa" (the caller updates the file).
    void EscribirUsa(TVelIniFile& archivo) const;

    bool Usa = true;
    int Cuenta() const { return static_cast<int>(consejos_.size()); }
    const std::vector<Consejo>& Consejos() const { return consejos_; }

    // The showing order: 500 exchanges of two random positions. With no tips
    // nothing happens.
    void Barajar(std::mt19937& azar);
    const std::vector<int>& Orden() const { return orden_; }
    int Posicion() const { return posicion_; }
    void Siguiente();   // wraps around
    void Anterior();
    // The tip shown (its lines joined by line breaks, then "MAS"), or
    // TextoSinConsejos.
    std::string Texto() const;
    // "k de n" ("" without tips).
    std::string Indicador() const;

private:
    std::vector<Consejo> consejos_;
    std::vector<int> orden_;
    int posicion_ = 0;
};

}  // namespace numbrix
