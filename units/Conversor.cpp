#include "units/Conversor.h"

#include <algorithm>
#include <cmath>

#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

constexpr std::string_view kClaveFundamental = "UniFundamental";
constexpr std::size_t kLargoLinea = 255;  // longer lines are cut when the file is read

std::string Fila(std::size_t fila, const std::string& motivo) {
    return "Fila " + std::to_string(fila) + ": " + motivo;
}

bool TieneControl(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

}  // namespace

// ---------------------------------------------------------------- quantity

TCantidadConversor::TCantidadConversor(TSesion& sesion) : sesion_(sesion), motor_(std::make_unique<TExpresionX>()) {
    motor_->SetPadre(&sesion_.Principal());
    motor_->Silencioso = true;
}

TCantidadConversor::~TCantidadConversor() = default;

LecturaCantidad TCantidadConversor::Leer(const std::string& texto) {
    LecturaCantidad r;
    TSesion::Ocupacion ocupacion(sesion_);
    if (!ocupacion.Tomada()) {
        r.ocupada = true;
        return r;
    }
    // The registry is shared, the settings are not: the main ones, now.
    const auto& principal = sesion_.AjustesDeMotor();
    if (motor_->Angulo() != principal.angulo) motor_->SetAngulo(principal.angulo);
    motor_->Ajustes.tolerancia = principal.tolerancia;
    motor_->Cancelar = sesion_.Principal().Cancelar;

    // A prompt variable fails instead of asking; the answers the last main
    // evaluation took and its note stay as they were.
    struct Restaurar {
        TSesion& s;
        Preguntador preguntar;
        std::string nota;
        std::vector<bool> preguntadas;
        ~Restaurar() {
            s.Preguntar = std::move(preguntar);
            s.NotaAsignacion = std::move(nota);
            for (std::size_t i = 0; i < preguntadas.size(); ++i) s.Variables()[i].preguntada = preguntadas[i];
        }
    } restaurar{sesion_, sesion_.Preguntar, sesion_.NotaAsignacion, {}};
    for (auto& v : sesion_.Variables()) {
        restaurar.preguntadas.push_back(v.preguntada);
        v.preguntada = false;
    }
    sesion_.Preguntar = [](char letra, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Fallar, std::string("Variable sin valor: ") + letra};
    };

    try {
        motor_->SetTexto(texto);
        long double v = 0;
        if (motor_->Arbol) v = motor_->Valor();
        if (motor_->HayError) {
            r.error = motor_->Mensaje;
            return r;
        }
        r.ok = true;
        r.valor = v;
    } catch (const std::exception& e) {
        r.error = e.what();
    }
    return r;
}

TextosUnidades ConvertirATodas(TModeloUnidades& modelo, int magnitud, int origen, long double valor,
                               const std::function<std::string(long double)>& escribir) {
    TextosUnidades r;
    const auto& ms = modelo.Magnitudes();
    if (magnitud < 0 || magnitud >= static_cast<int>(ms.size())) return r;
    const auto& us = ms[static_cast<std::size_t>(magnitud)].Unidades;
    r.textos.resize(us.size());
    if (origen < 0 || origen >= static_cast<int>(us.size())) return r;
    try {
        const long double fundamental = modelo.AFundamental(us[static_cast<std::size_t>(origen)].Unidad, valor);
        for (std::size_t i = 0; i < us.size(); ++i) {
            // The source row shows the value itself, not its round trip.
            const long double v = static_cast<int>(i) == origen ? valor : modelo.DeFundamental(us[i].Unidad, fundamental);
            if (!std::isfinite(v)) throw EConvUnid("Argumento fuera del dominio de la función");
            r.textos[i] = escribir(v);
        }
    } catch (const std::exception& e) {
        r.textos.assign(us.size(), std::string());
        r.error = e.what();
        // The arithmetic kinds usually bring no text: their code's.
        if (const auto* m = dynamic_cast<const EMatematico*>(&e); m && r.error.empty()) r.error = TextoError(m->Codigo());
    }
    return r;
}

// ---------------------------------------------------------------- bases

std::string EtiquetaBase(int base) {
    switch (base) {
        case 2: return "Bin";
        case 8: return "Oct";
        case 10: return "Dec";
        case 16: return "Hex";
        default: return std::to_string(base);
    }
}

std::array<std::string, kCantidadBases> TextosBases(long double valor, const FormatoNumero& f) {
    std::array<std::string, kCantidadBases> r;
    for (int b = kBaseMinima; b <= kBaseMaxima; ++b) r[static_cast<std::size_t>(b - kBaseMinima)] = RealABase(b, valor, f);
    return r;
}

std::optional<long double> LeerCeldaBase(std::string_view texto, int base) {
    std::string t = QuitarBlancos(texto);
    // The cell's own mark, as the writer left it, reads in the cell's base.
    if (!t.empty() && t.back() == ']') {
        const auto abre = t.rfind('[');
        if (abre == std::string::npos || t.substr(abre + 1, t.size() - abre - 2) != std::to_string(base))
            return std::nullopt;
        t.resize(abre);
    }
    const LecturaNumero l = LeerEnBase(t, base);
    if (l.Error() || l.valor == 0) return std::nullopt;
    return l.valor;
}

std::optional<char32_t> FiltrarTeclaBase(char32_t c, int base) {
    if (c < 0x20 || c == 0x7f) return c;  // backspace and the control keys
    if (c == 'e' || c == '[' || c == ']' || c == '-' || c == '.') return c;
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
        if (CharADigito(c) < base) return c;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- editor rows

bool FilaUnidad::Vacia() const { return Recortar(Nombre).empty() && Recortar(A).empty() && Recortar(De).empty(); }

SeccionMagnitud FilasDeSeccion(const std::vector<std::string>& lineas) {
    SeccionMagnitud s;
    for (const std::string& l : lineas) {
        const auto igual = l.find('=');
        const std::string clave = l.substr(0, igual);
        const std::string valor = igual == std::string::npos ? std::string() : l.substr(igual + 1);
        if (clave == kClaveFundamental) s.Fundamental = std::string(Recortar(valor));
        else s.Filas.push_back({clave, PrimeraParte(valor), SegundaParte(valor)});
    }
    return s;
}

LineasGuardar SeccionDeFilas(const SeccionMagnitud& s) {
    LineasGuardar r;
    const std::string fundamental(Recortar(s.Fundamental));
    if (TieneControl(fundamental)) {
        r.error = "Unidad fundamental: no puede contener saltos de línea";
        return r;
    }
    r.lineas.push_back(std::string(kClaveFundamental) + "=" + fundamental);
    std::vector<std::string> nombres;
    for (std::size_t i = 0; i < s.Filas.size(); ++i) {
        const FilaUnidad& f = s.Filas[i];
        if (f.Vacia()) continue;
        const std::string nombre(Recortar(f.Nombre)), a(Recortar(f.A)), de(Recortar(f.De));
        std::string motivo;
        if (nombre.empty()) motivo = "una unidad sin nombre tiene definición";
        else if (nombre.find('=') != std::string::npos || nombre.find(" -> ") != std::string::npos)
            motivo = "el nombre no puede contener \"=\" ni \" -> \"";
        else if (nombre[0] == '[' || nombre[0] == ';') motivo = "el nombre no puede empezar por \"[\" ni \";\"";
        else if (IgualesSinMayusculas(nombre, kClaveFundamental)) motivo = "\"UniFundamental\" es un nombre reservado";
        else if (a.find('_') != std::string::npos || de.find('_') != std::string::npos)
            motivo = "una conversión no puede contener \"_\"";
        else if (TieneControl(nombre) || TieneControl(a) || TieneControl(de))
            motivo = "no puede contener saltos de línea";
        else if (std::find(nombres.begin(), nombres.end(), nombre) != nombres.end())
            motivo = "la unidad \"" + nombre + "\" ya está definida";
        std::string linea = nombre + "=" + a + "_" + de;
        if (motivo.empty() && linea.size() > kLargoLinea) motivo = "la línea supera los 255 caracteres";
        if (!motivo.empty()) {
            r.lineas.clear();
            r.error = Fila(i + 1, motivo);
            return r;
        }
        nombres.push_back(nombre);
        r.lineas.push_back(std::move(linea));
    }
    return r;
}

std::string RechazoNombreMagnitud(std::string_view nombre, const std::vector<std::string>& existentes,
                                  std::string_view actual) {
    const std::string_view n = Recortar(nombre);
    if (n.empty()) return "El nombre de la magnitud no puede quedar vacío";
    if (n.find('[') != std::string_view::npos || n.find(']') != std::string_view::npos || TieneControl(n))
        return "El nombre de la magnitud no puede contener \"[\", \"]\" ni saltos de línea";
    for (const std::string& e : existentes) {
        if (!actual.empty() && e == actual) continue;
        if (IgualesSinMayusculas(e, n)) return "Ya existe una magnitud llamada " + std::string(n);
    }
    return {};
}

TCopiaSecciones::TCopiaSecciones(const TVelIniFile& ini) {
    for (std::string& n : ini.ReadSections()) {
        std::vector<std::string> lineas = ini.ReadSectionValues(n);
        secciones_.push_back({std::move(n), std::move(lineas), false});
    }
}

std::vector<std::string> TCopiaSecciones::Nombres() const {
    std::vector<std::string> r;
    for (const Seccion& s : secciones_) r.push_back(s.nombre);
    std::stable_sort(r.begin(), r.end(), [](const std::string& a, const std::string& b) {
        const std::string x = ClaveOrdenSinAcentos(a), y = ClaveOrdenSinAcentos(b);
        return x != y ? x < y : a < b;
    });
    return r;
}

bool TCopiaSecciones::Existe(std::string_view nombre) const {
    return std::any_of(secciones_.begin(), secciones_.end(), [&](const Seccion& s) { return s.nombre == nombre; });
}

std::vector<std::string> TCopiaSecciones::Lineas(std::string_view nombre) const {
    for (const Seccion& s : secciones_)
        if (s.nombre == nombre) return s.lineas;
    return {};
}

void TCopiaSecciones::Reemplazar(const std::string& nombre, std::vector<std::string> lineas) {
    for (Seccion& s : secciones_)
        if (s.nombre == nombre) {
            s.lineas = std::move(lineas);
            s.cambiada = true;
            return;
        }
    secciones_.push_back({nombre, std::move(lineas), true});
}

void TCopiaSecciones::Borrar(std::string_view nombre) {
    std::erase_if(secciones_, [&](const Seccion& s) { return s.nombre == nombre; });
    borradas_.emplace_back(nombre);
}

void TCopiaSecciones::Aplicar(TVelIniFile& ini) const {
    // Erased first: a name that comes back in another case is written anew.
    for (const std::string& b : borradas_)
        if (!Existe(b)) ini.EraseSection(b);
    for (const Seccion& s : secciones_)
        if (s.cambiada) ini.ReplaceSection(s.nombre, s.lineas);
}

}  // namespace numbrix
