#pragma once
// TfmComplex, "Complejos": expressions evaluated with complex numbers, in
// the main window's angle unit, with the user's constants and functions of
// "real.duf". The result as z (Edit2), its modulus (Edit3) and argument
// (Edit4).
#include "tools/ui/fmModo.h"
#include "shell/PantallaModos.h"

class QLineEdit;

namespace numbrix {

class TfmComplex : public TfmModo {
    Q_OBJECT
public:
    static constexpr int kAncho = 423, kAltoMinimo = 190;
    // Registers "real.duf" of the data folder; what it could not register
    // is told in one box, through `cajas` (the standard boxes when empty).
    explicit TfmComplex(TfrmCalcu& principal, CajasDialogo cajas = {});

    void Calcular() override;
    // The main window's angle unit changed: a shown expression is
    // evaluated again in it.
    void CambiarAngulo(UnidadAngulo angulo);
    TSesionC& Sesion() { return sesion_; }

    QLineEdit* Edit2 = nullptr;  // z
    QLineEdit* Edit3 = nullptr;  // |z|
    QLineEdit* Edit4 = nullptr;  // arg(z)

private:
    void MostrarPantalla(const PantallaComplejo& p);

    TSesionC sesion_;
};

}  // namespace numbrix
