#pragma once
// Text metrics for layout tests: every character is half the size wide and
// the size high, and its ink fills the cell, so every box can be computed by
// hand.
#include <memory>
#include <string_view>

#include "support/LienzoGrabado.h"

namespace numbrix::prueba {

class MetricasFijas : public MetricasTexto {
public:
    MedidaTexto Medir(const Fuente& f, std::string_view texto) const override {
        int caracteres = 0;
        for (unsigned char c : texto)
            if ((c & 0xC0) != 0x80) ++caracteres;  // UTF-8: count code points
        MedidaTexto m;
        m.ancho = caracteres * f.tam / 2;
        m.alto = f.tam;
        m.ascenso = f.tam * 4 / 5;
        m.tintaArriba = 0;
        m.tintaAbajo = f.tam;
        return m;
    }
};

inline std::shared_ptr<const MetricasTexto> Fijas() { return std::make_shared<MetricasFijas>(); }

}  // namespace numbrix::prueba
