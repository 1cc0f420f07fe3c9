#include "shell/Memorias.h"

#include <cmath>
#include <stdexcept>

#include "engine/bases2_36.h"
#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

void Comprobar(int i) {
    if (i < 0 || i >= TMemorias::Cantidad) throw std::out_of_range("memoria " + std::to_string(i));
}

}  // namespace

long double TMemorias::Valor(int i) const {
    Comprobar(i);
    return valores_[static_cast<std::size_t>(i)];
}

void TMemorias::SetValor(int i, long double v) {
    Comprobar(i);
    valores_[static_cast<std::size_t>(i)] = v;
}

std::string TMemorias::Nombre(int i) {
    Comprobar(i);
    return "M" + std::to_string(i);
}

std::string TMemorias::Insertar(int i) { return Nombre(i); }

std::string TMemorias::Titulo(int i) const {
    const long double v = Valor(i);
    // A negative zero reads as plain 0 in a menu.
    return Nombre(i) + " = " + (v == 0 ? std::string("0") : RealAGeneral(v, 15));
}

bool TMemorias::Cargar(int i, long double ultimoResultado) {
    Comprobar(i);
    if (!std::isfinite(ultimoResultado)) return false;
    valores_[static_cast<std::size_t>(i)] = ultimoResultado;
    return true;
}

bool TMemorias::Sumar(int i, long double ultimoResultado) {
    const long double v = Valor(i) + ultimoResultado;
    if (!std::isfinite(v)) return false;
    valores_[static_cast<std::size_t>(i)] = v;
    return true;
}

bool TMemorias::Restar(int i, long double ultimoResultado) {
    const long double v = Valor(i) - ultimoResultado;
    if (!std::isfinite(v)) return false;
    valores_[static_cast<std::size_t>(i)] = v;
    return true;
}

void TMemorias::Borrar(int i) { SetValor(i, 0); }

void TMemorias::Guardar(TVelIniFile& ini) const {
    // The writer gives the shortest text that reads back to the same 80 bits.
    for (int i = 0; i < Cantidad; ++i) ini.WriteFloat(Seccion, Nombre(i), valores_[static_cast<std::size_t>(i)]);
}

std::vector<std::string> TMemorias::Cargar(const TVelIniFile& ini) {
    std::vector<std::string> informe;
    const std::string ausente = "\n";  // no value can hold a line break
    for (int i = 0; i < Cantidad; ++i) {
        long double& m = valores_[static_cast<std::size_t>(i)];
        m = 0;
        const std::string texto = ini.ReadString(Seccion, Nombre(i), ausente);
        if (texto == ausente) continue;
        long double v = 0;
        if (LeerRealIni(texto, v) && std::isfinite(v)) {
            m = v;
        } else {
            informe.push_back("Memoria " + Nombre(i) + ": el valor «" + Izquierda(texto, 40) +
                              "» no es un número; se usa 0.");
        }
    }
    return informe;
}

}  // namespace numbrix
