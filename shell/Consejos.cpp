#include "shell/Consejos.h"

#include <algorithm>
#include <cstdio>

#include "shell/VelIni.h"

namespace numbrix {

void TConsejos::Leer(const TVelIniFile& archivo) {
    Usa = archivo.ReadBool("OPC", "Usa", true);
    const int cuenta = std::clamp(archivo.ReadInteger("OPC", "Cuenta", 4), 0, kMaximo);
    consejos_.clear();
    for (int k = 1; k <= cuenta; ++k) {
        const std::string seccion = (k < 10 ? "TIP0" : "TIP") + std::to_string(k);
        Consejo c;
        c.Lineas = archivo.ReadList(seccion);
        c.Mas = archivo.ReadString(seccion, "MAS");
        // A tip announced but not present, or with only blank lines, is left
        // out rather than shown empty.
        auto enBlanco = [](const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; };
        if (std::all_of(c.Lineas.begin(), c.Lineas.end(), enBlanco) && enBlanco(c.Mas)) continue;
        consejos_.push_back(std::move(c));
    }
    orden_.clear();
    for (int i = 0; i < Cuenta(); ++i) orden_.push_back(i);
    posicion_ = 0;
}

void TConsejos::EscribirUsa(TVelIniFile& archivo) const { archivo.WriteBool("OPC", "Usa", Usa); }

void TConsejos::Barajar(std::mt19937& azar) {
    if (orden_.size() < 2) return;
    std::uniform_int_distribution<std::size_t> d(0, orden_.size() - 1);
    for (int i = 0; i < 500; ++i) std::swap(orden_[d(azar)], orden_[d(azar)]);
    posicion_ = 0;
}

void TConsejos::Siguiente() {
    if (!orden_.empty()) posicion_ = (posicion_ + 1) % Cuenta();
}

void TConsejos::Anterior() {
    if (!orden_.empty()) posicion_ = (posicion_ + Cuenta() - 1) % Cuenta();
}

std::string TConsejos::Texto() const {
    if (orden_.empty()) return TextoSinConsejos;
    const Consejo& c = consejos_[static_cast<std::size_t>(orden_[static_cast<std::size_t>(posicion_)])];
    std::string t;
    for (const auto& l : c.Lineas) {
        if (!t.empty()) t += '\n';
        t += l;
    }
    if (!c.Mas.empty()) {
        if (!t.empty()) t += '\n';
        t += c.Mas;
    }
    return t;
}

std::string TConsejos::Indicador() const {
    if (orden_.empty()) return {};
    return std::to_string(posicion_ + 1) + " de " + std::to_string(Cuenta());
}

}  // namespace numbrix
