// A formula library section: what the reader takes is written (or refused
// with a message) and reads back to the same lines; its computation, with a
// deadline, ends with a value in the unknown's cell or «Error» there; its
// picture compiles or gives up.
#include "Arnes.h"
#include "shell/VelIni.h"
#include "tools/Formulas.h"
#include "units/ConvUnid.h"

using namespace numbrix;

namespace {

TModeloUnidades& Modelo() {
    static TModeloUnidades m;
    static bool hecho = [] {
        TVelIniFile ini;
        ini.CargarBytes("[Longitud]\nUniFundamental=m\nkm=1000\n[Temperatura]\nUniFundamental=K\n°C=U+273.15_U-273.15\n");
        m.CargarMagnitudes(ini);
        return true;
    }();
    (void)hecho;
    return m;
}

}  // namespace

NUMBRIX_ARNES(formulas) {
    // The lines as the file reader hands a section over.
    std::vector<std::string> lineas;
    for (std::size_t p = 0; p <= entrada.size();) {
        std::size_t q = entrada.find_first_of("\r\n", p);
        if (q == std::string_view::npos) q = entrada.size();
        const std::string_view l = entrada.substr(p, q - p);
        p = q + 1;
        if (l.empty() || l == "\x1A" || l.find('\0') != std::string_view::npos) continue;
        if (l.size() >= 2 && l.front() == '[' && l.back() == ']') break;
        lineas.emplace_back(l);
    }
    RegistroFormula r;
    try {
        r = LeerRegistro(lineas);
    } catch (const EFormula&) {
        fuzz::Exigir(lineas.empty(), "una sección con líneas rechazada");
        return;
    }
    try {
        const auto escritas = EscribirRegistro(r);
        for (const auto& l : escritas) fuzz::Exigir(!l.empty() && !(l.front() == '[' && l.back() == ']'), "una línea que el archivo no guarda");
        const RegistroFormula leida = LeerRegistro(escritas);
        fuzz::Exigir(leida.Ley == r.Ley && leida.Descripcion == r.Descripcion && leida.Imagen == r.Imagen,
                     "la ley, la descripción o la imagen cambian al releer");
        fuzz::Exigir(EscribirRegistro(leida) == escritas, "la sección releída no se escribe igual");
    } catch (const EFormula&) {
    }
    static TCalculoFormula calculo(nullptr, Modelo());
    fuzz::Plazo plazo(200);
    calculo.Entrada().Cancelar = plazo;
    calculo.Ley().Cancelar = plazo;
    auto filas = r.Filas;
    const int inc = r.Incognita();
    const auto res = calculo.Calcular(r.Ley, filas, inc, FormatoNumero{});
    fuzz::Exigir(calculo.Valores().size() == filas.size() || res.estado == ResultadoCalculo::Incompleto,
                 "los valores no siguen a las filas");
    if (inc >= 0 && !filas[static_cast<std::size_t>(inc)].Simbolo.empty())
        fuzz::Exigir(filas[static_cast<std::size_t>(inc)].Valor == res.Texto, "la celda de la incógnita no muestra el resultado");
    (void)calculo.CompilarDibujo(r.Ley, filas);
}
