#include "units/ConvUnid.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

constexpr std::string_view ClaveFundamental = "UniFundamental";

std::string Formato(const char* plantilla, std::string_view texto) {
    std::string r = plantilla;
    r.replace(r.find("%s"), 2, texto);
    return r;
}

EConvUnid ErrorExpresion(std::string_view lado, std::string detalle = {}) {
    return EConvUnid(Formato("Error en la expresión de conversión: \"%s\"", lado), std::move(detalle));
}

EConvUnid Incompleta(int ladoQueFalta) {
    return EConvUnid("Expresion de conversión incompleta (" + std::to_string(ladoQueFalta) + ")");
}

std::atomic<std::uint64_t> generaciones{0};

// Latin-1 letters with accents, from U+00C0, to their plain lower-case letter.
constexpr std::string_view SinAcento = "aaaaaaaceeeeiiiidnoooooxouuuuyts" "aaaaaaaceeeeiiiidnooooo/ouuuuyty";

template <class Igual>
int BuscarEn(std::size_t n, Igual igual) {
    for (std::size_t i = 0; i < n; ++i)
        if (igual(i)) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::string ClaveOrdenSinAcentos(std::string_view nombre) {
    std::string r;
    r.reserve(nombre.size());
    for (std::size_t i = 0; i < nombre.size(); ++i) {
        const auto c = static_cast<unsigned char>(nombre[i]);
        if (c == 0xC3 && i + 1 < nombre.size()) {
            const auto d = static_cast<unsigned char>(nombre[i + 1]);
            if (d >= 0x80 && d <= 0xBF) {
                const char base = SinAcento[d - 0x80];
                // × and ÷ are no letters: they keep their own place.
                if (d != 0x97 && d != 0xB7) {
                    r += base;
                    ++i;
                    continue;
                }
            }
        }
        r += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : static_cast<char>(c);
    }
    return r;
}

std::string MensajeNoDeclarada(std::string_view nombre) {
    return Formato("La magnitud \"%s\" no esta declarada", nombre);
}

std::string PrimeraParte(std::string_view texto) {
    const std::size_t p = texto.find('_');
    return std::string(Recortar(texto.substr(0, p)));
}

std::string SegundaParte(std::string_view texto) {
    const std::size_t p = texto.find('_');
    if (p == std::string_view::npos) return {};
    return std::string(Recortar(texto.substr(p + 1)));
}

// ------------------------------------------------------------ the model ----

TModeloUnidades::TModeloUnidades() : motor_(std::make_unique<TExpresionX>()) {
    motor_->Silencioso = true;  // compile messages go to ErroresCarga, never a box
    motor_->SetPredefinidas(true);
    u_ = motor_->AgregarVariable("U");
    motor_->AgregarConstante("PI/\xC2\xB6", "π", 3.14159265358979323846264338327950288L);
    motor_->AgregarConstante("G", "Aceleración normal de la gravedad (m/s²)", 9.80665L);
}

TModeloUnidades::~TModeloUnidades() { LiberarMagnitudes(); }

void TModeloUnidades::LiberarMagnitudes() {
    magnitudes_.clear();
    generacion_ = ++generaciones;
}

// Each side is compiled by MotorUnidades itself (SetTexto) and its tree kept
// here by reference: the trees live as long as the unit, and the engine's
// registry (U, PI, G, the built-ins) is the one they were compiled against.
// No engine per side, so a few hundred units stay cheap to load.
TUnidad TModeloUnidades::CrearUnidad(const std::string& definicion) {
    TUnidad u;
    u.Definicion = definicion;
    const std::string lados[2] = {PrimeraParte(definicion), SegundaParte(definicion)};
    Ref<TEvalX> arboles[2];
    bool factor[2] = {false, false};
    ContextoX plegado = motor_->NuevoContexto();
    for (int i = 0; i < 2; ++i) {
        if (lados[i].empty()) continue;
        motor_->SetTexto(lados[i]);
        if (!motor_->Arbol) throw ErrorExpresion(lados[i], motor_->MensajeCompilacion);
        arboles[i] = motor_->Arbol;
        if (!ContieneVariable(*arboles[i], u_.get())) {
            // A bare factor: 0 or a non-finite value would turn every
            // conversion into a silently wrong number.
            long double f = 0;
            try {
                f = arboles[i]->Valor(plegado);
            } catch (const std::exception& e) {
                throw ErrorExpresion(lados[i], e.what());
            }
            if (f == 0 || !std::isfinite(f)) throw ErrorExpresion(lados[i]);
            factor[i] = true;
        }
    }
    motor_->SetTexto("");
    auto var = [&] { return Ref<TEvalX>(Nuevo<TVar<DominioReal>>(u_, "U")); };
    auto porU = [&](const Ref<TEvalX>& f) { return Ref<TEvalX>(Nuevo<TMul<DominioReal>>(f, var(), &plegado)); };
    auto entreFactor = [&](const Ref<TEvalX>& f) {
        return Ref<TEvalX>(Nuevo<TDiv<DominioReal>>(var(), f, &plegado));
    };
    const bool hay1 = static_cast<bool>(arboles[0]), hay2 = static_cast<bool>(arboles[1]);
    if (!hay1 && !hay2) throw ErrorExpresion(lados[1]);
    if (hay1 && !hay2) {
        if (!factor[0]) throw Incompleta(2);
        u.AFundamental = porU(arboles[0]);
        u.DeFundamental = entreFactor(arboles[0]);
    } else if (!hay1) {
        if (!factor[1]) throw Incompleta(1);
        u.DeFundamental = porU(arboles[1]);
        u.AFundamental = entreFactor(arboles[1]);
    } else {
        u.AFundamental = factor[0] ? porU(arboles[0]) : arboles[0];
        u.DeFundamental = factor[1] ? porU(arboles[1]) : arboles[1];
    }
    return u;
}

void TModeloUnidades::CargarMagnitudes(const std::filesystem::path& archivo) {
    OpcionesIni opciones;
    opciones.SaltarComentarios = true;
    opciones.QuitarFinales = true;
    // Reading never rewrites the file: only the unit editor's "Guardar" does.
    opciones.GuardarAlCerrar = false;
    std::shared_ptr<TVelIniFile> ini;
    try {
        ini = TVelIniFile::Compartido(archivo, std::string(kClaveDatos), std::move(opciones));
    } catch (const std::exception& e) {
        LiberarMagnitudes();
        errores_ = std::string(e.what()) + "\r\n";
        return;
    }
    CargarMagnitudes(*ini);
}

void TModeloUnidades::CargarMagnitudes(const TVelIniFile& ini) {
    errores_.clear();
    LiberarMagnitudes();
    auto anotar = [&](const std::string& linea) { errores_ += linea + "\r\n"; };
    if (ini.Informe().HayProblemas()) {
        const std::string t = ini.Informe().Texto(ini.FileName().filename());
        for (const auto& l : Separar(t, U'\n'))
            if (!l.empty()) anotar(l);
    }

    std::vector<std::string> nombres = ini.ReadSections();
    std::vector<std::pair<std::string, std::string>> orden;
    orden.reserve(nombres.size());
    for (auto& n : nombres) orden.emplace_back(ClaveOrdenSinAcentos(n), std::move(n));
    std::stable_sort(orden.begin(), orden.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });

    magnitudes_.reserve(orden.size());
    std::vector<std::string> lineas;
    for (auto& [clave, nombre] : orden) {
        Magnitud m;
        m.Nombre = std::move(nombre);
        lineas.clear();
        // Line by line, never by key: a key look-up folds case and would
        // take "Mm" for "mm".
        ini.ReadSectionValues(m.Nombre, lineas);
        for (const auto& linea : lineas) {
            const std::size_t igual = linea.find('=');
            if (igual == std::string::npos || igual == 0) {
                anotar(m.Nombre + ": línea sin unidad \"" + linea + "\"; se omite");
                continue;
            }
            std::string unidad(Recortar(std::string_view(linea).substr(0, igual)));
            std::string definicion = linea.substr(igual + 1);
            if (unidad == ClaveFundamental) {
                if (m.Fundamental < 0) m.Fundamental = static_cast<int>(m.Unidades.size());
                m.Unidades.push_back({std::string(Recortar(definicion)), CrearUnidad("u_u")});
                continue;
            }
            const bool repetida = std::any_of(m.Unidades.begin(), m.Unidades.end(),
                                              [&](const UnidadMagnitud& x) { return x.Nombre == unidad; });
            if (repetida) {
                anotar(unidad + " (" + m.Nombre + "): unidad repetida; se usa la primera");
                continue;
            }
            try {
                m.Unidades.push_back({unidad, CrearUnidad(definicion)});
            } catch (const EConvUnid& e) {
                std::string l = unidad + " (" + m.Nombre + "): " + e.what();
                if (!e.Detalle.empty()) l += " (" + e.Detalle + ")";
                anotar(l);
            }
        }
        if (m.Unidades.size() > MaxIndiceCodigo + 1)
            anotar(m.Nombre + ": " + std::to_string(m.Unidades.size() - MaxIndiceCodigo - 1) +
                   " unidades a partir de \"" + m.Unidades[MaxIndiceCodigo + 1].Nombre +
                   "\" no caben en el menú de conversiones (máximo 256)");
        magnitudes_.push_back(std::move(m));
    }
    if (magnitudes_.size() > MaxIndiceCodigo + 1)
        anotar(std::to_string(magnitudes_.size() - MaxIndiceCodigo - 1) + " magnitudes a partir de \"" +
               magnitudes_[MaxIndiceCodigo + 1].Nombre + "\" no caben en el menú de conversiones (máximo 256)");
}

int TModeloUnidades::BuscarMagnitud(std::string_view nombre) const {
    const std::size_t n = magnitudes_.size();
    int i = BuscarEn(n, [&](std::size_t k) { return magnitudes_[k].Nombre == nombre; });
    if (i >= 0) return i;
    const std::string plegado = PlegarMayusculas(nombre);
    return BuscarEn(n, [&](std::size_t k) { return PlegarMayusculas(magnitudes_[k].Nombre) == plegado; });
}

int TModeloUnidades::BuscarUnidad(int magnitud, std::string_view nombre) const {
    if (magnitud < 0 || static_cast<std::size_t>(magnitud) >= magnitudes_.size()) return -1;
    const auto& us = magnitudes_[static_cast<std::size_t>(magnitud)].Unidades;
    int i = BuscarEn(us.size(), [&](std::size_t k) { return us[k].Nombre == nombre; });
    if (i >= 0) return i;
    const std::string plegado = PlegarMayusculas(nombre);
    return BuscarEn(us.size(), [&](std::size_t k) { return PlegarMayusculas(us[k].Nombre) == plegado; });
}

long double TModeloUnidades::Evaluar(const Ref<TEvalX>& arbol, long double valor) {
    u_->AsignarValor(valor);
    ContextoX c = motor_->NuevoContexto();
    return arbol->Valor(c);
}

long double TModeloUnidades::AFundamental(const TUnidad& u, long double valor) {
    return Evaluar(u.AFundamental, valor);
}

long double TModeloUnidades::DeFundamental(const TUnidad& u, long double valor) {
    return Evaluar(u.DeFundamental, valor);
}

long double TModeloUnidades::ConvertirUnidades(std::string_view magnitud, std::string_view origen,
                                               std::string_view destino, long double valor) {
    if (origen == destino) return valor;
    const int m = BuscarMagnitud(magnitud);
    if (IgualesSinMayusculas(origen, destino)) {
        // Two spellings of one name are the same unit, unless the magnitude
        // really holds both ("mm" and "Mm").
        bool ambas = false;
        if (m >= 0) {
            const auto& us = magnitudes_[static_cast<std::size_t>(m)].Unidades;
            auto tiene = [&](std::string_view n) {
                return std::any_of(us.begin(), us.end(), [&](const UnidadMagnitud& x) { return x.Nombre == n; });
            };
            ambas = tiene(origen) && tiene(destino);
        }
        if (!ambas) return valor;
    }
    if (m < 0) throw EConvUnid(MensajeNoDeclarada(magnitud));
    const int o = BuscarUnidad(m, origen);
    if (o < 0) throw EConvUnid(MensajeNoDeclarada(origen));
    const int d = BuscarUnidad(m, destino);
    if (d < 0) throw EConvUnid(MensajeNoDeclarada(destino));
    const auto& us = magnitudes_[static_cast<std::size_t>(m)].Unidades;
    return DeFundamental(us[static_cast<std::size_t>(d)].Unidad,
                         AFundamental(us[static_cast<std::size_t>(o)].Unidad, valor));
}

void TModeloUnidades::Comprobar(CodigoConversion codigo, int& m, int& o, int& d) const {
    m = codigo & 255;
    o = (codigo >> 8) & 255;
    d = (codigo >> 16) & 255;
    const bool valido = codigo >= 0 && (codigo >> 24) == 0 && static_cast<std::size_t>(m) < magnitudes_.size() &&
                        static_cast<std::size_t>(o) < magnitudes_[static_cast<std::size_t>(m)].Unidades.size() &&
                        static_cast<std::size_t>(d) < magnitudes_[static_cast<std::size_t>(m)].Unidades.size();
    if (!valido) throw EConvUnid("La conversión " + std::to_string(codigo) + " no existe en el modelo de unidades");
}

long double TModeloUnidades::ConvertirPorCodigo(CodigoConversion codigo, long double valor) {
    int m, o, d;
    Comprobar(codigo, m, o, d);
    const auto& us = magnitudes_[static_cast<std::size_t>(m)].Unidades;
    return DeFundamental(us[static_cast<std::size_t>(d)].Unidad,
                         AFundamental(us[static_cast<std::size_t>(o)].Unidad, valor));
}

std::string TModeloUnidades::DescribirConversion(CodigoConversion codigo) const {
    int m, o, d;
    Comprobar(codigo, m, o, d);
    const auto& mag = magnitudes_[static_cast<std::size_t>(m)];
    return mag.Unidades[static_cast<std::size_t>(o)].Nombre + " -> " + mag.Unidades[static_cast<std::size_t>(d)].Nombre +
           " (" + mag.Nombre + ")";
}

}  // namespace numbrix
