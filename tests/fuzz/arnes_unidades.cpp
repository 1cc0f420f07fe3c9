// maguni.def and what reads conversions back: any file, plain or keyed,
// loads (faulty units reported, never thrown); every code of the menu
// converts or fails with an engine or unit error; every described conversion
// reads back; single definitions and recent-conversion texts never crash.
// The first byte picks the mode, the rest is the input.
#include <cmath>

#include "Arnes.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"
#include "units/ConvUnid.h"
#include "units/MenuConversiones.h"

using namespace numbrix;

namespace {

const char* const ModeloFijo =
    "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\nmm=_1000\r\nMm=1e6\r\n"
    "[Volumen]\r\nUniFundamental=L\r\ngalón (EE. UU.)=3.785411784\r\nm³=1000\r\n"
    "[Consumo (combustible)]\r\nUniFundamental=km/L\r\nL/100 km=100/U_100/U\r\n";

bool NombreLegible(const std::string& n) {
    return !n.empty() && n.find(" -> ") == std::string::npos && Recortar(n).size() == n.size();
}

void Recorrer(TModeloUnidades& m) {
    fuzz::Plazo plazo(200);
    m.MotorUnidades().Cancelar = plazo;
    const auto top = MenuConversiones(m);
    fuzz::Exigir(top.size() == std::min<std::size_t>(m.Magnitudes().size(), 256), "una entrada por magnitud");
    for (const auto& mg : top) {
        // A few of each list keep a large file quick; the menu is built whole.
        const auto sub = SubmenuConversiones(m, mg.Magnitud);
        for (std::size_t i = 0; i < sub.size() && i < 16; ++i) {
            const auto& de = sub[i];
            for (std::size_t j = 0; j < de.Hijos.size() && j < 16; ++j) {
                const auto& a = de.Hijos[j];
                fuzz::Exigir(a.Unidad != de.Unidad, "una unidad bajo sí misma");
                try {
                    (void)m.ConvertirPorCodigo(a.Codigo, 1.5L);
                } catch (const std::exception&) {
                }
                const auto& magnitud = m.Magnitudes()[static_cast<std::size_t>(a.Magnitud)];
                if (!NombreLegible(magnitud.Nombre) || !NombreLegible(de.NombreUnidad) ||
                    !NombreLegible(a.NombreUnidad))
                    continue;
                const auto leida = LeerConversion(m, m.DescribirConversion(a.Codigo));
                fuzz::Exigir(leida.Resultado == ConversionLeida::Estado::Hallada, "una conversión descrita se lee");
            }
        }
    }
    (void)MenuUnidades(m);
}

}  // namespace

NUMBRIX_ARNES(unidades) {
    if (entrada.empty()) return;
    const char modo = entrada[0] % 4;
    std::string resto(entrada.substr(1));
    TModeloUnidades m;
    const std::string clave(kClaveDatos);
    switch (modo) {
    case 0:
    case 1: {
        // 0: the file as given (plain, or keyed when it happens to be); 1: keyed.
        if (modo == 1) TVelIniFile::Mezclar(resto, clave);
        m.CargarMagnitudes(fuzz::ComoArchivo(resto, "maguni.def"));
        Recorrer(m);
        break;
    }
    case 2:
        for (const auto& def : Separar(resto, U'\n')) {
            try {
                TUnidad u = m.CrearUnidad(def);
                fuzz::Exigir(u.AFundamental && u.DeFundamental, "una unidad creada tiene sus dos lados");
                m.MotorUnidades().Cancelar = fuzz::Plazo(50);
                (void)m.AFundamental(u, 2);
                (void)m.DeFundamental(u, 2);
            } catch (const std::exception&) {
            }
        }
        break;
    default: {
        TVelIniFile ini;
        ini.CargarBytes(ModeloFijo);
        m.CargarMagnitudes(ini);
        for (const auto& t : Separar(resto, U'\n')) {
            const auto r = LeerConversion(m, t);
            if (r.Resultado == ConversionLeida::Estado::Hallada)
                fuzz::Exigir(m.DescribirConversion(r.Codigo()).size() > 0, "una conversión hallada tiene código");
        }
    }
    }
}
