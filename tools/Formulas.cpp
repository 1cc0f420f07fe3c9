#include "tools/Formulas.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"
#include "tools/Quim.h"
#include "units/ConvUnid.h"

namespace numbrix {

namespace {

constexpr std::string_view kDef = "<def>";
constexpr std::string_view kImg = "<img>";

bool TieneControl(std::string_view t) {
    return std::any_of(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

bool EsLetra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool EsDigito(char c) { return c >= '0' && c <= '9'; }

bool FormaCabecera(std::string_view l) { return l.size() >= 2 && l.front() == '[' && l.back() == ']'; }

std::string Citado(std::string_view t) { return "«" + std::string(t) + "»"; }

}  // namespace

std::string FilaFormula::Magnitud() const { return MagnitudUnidad.substr(0, MagnitudUnidad.find('=')); }
std::string FilaFormula::UnidadNativa() const {
    const auto p = MagnitudUnidad.find('=');
    return p == std::string::npos ? std::string() : MagnitudUnidad.substr(p + 1);
}

int RegistroFormula::Incognita() const {
    // A mark on a row without a symbol is not written back: it counts as none.
    if (Marcada >= 0 && Marcada < static_cast<int>(Filas.size()) && !Filas[static_cast<std::size_t>(Marcada)].Simbolo.empty())
        return Marcada;
    for (std::size_t i = 0; i < Filas.size(); ++i)
        if (!Filas[i].Simbolo.empty()) return static_cast<int>(i);
    return -1;
}

// ------------------------------------------------------------- groups ----

std::vector<std::string> ListarGrupos(const std::filesystem::path& carpeta) {
    std::vector<std::string> r;
    for (const auto& a : BuscarArchivos(carpeta, "*.fcm", false)) {
        std::string n = a.Ruta.filename().string();
        r.push_back(n.substr(0, n.size() - 4));
    }
    return r;
}

std::filesystem::path ArchivoGrupo(const std::filesystem::path& carpeta, std::string_view nombre) {
    for (const auto& g : ListarGrupos(carpeta))
        if (IgualSinCaso(g, nombre)) return carpeta / (g + kExtensionGrupo);
    return carpeta / (std::string(nombre) + kExtensionGrupo);
}

std::shared_ptr<TVelIniFile> AbrirGrupo(const std::filesystem::path& archivo) {
    return TVelIniFile::Compartido(archivo, std::string(kClaveFormulas));
}

void ComprobarNombreGrupo(std::string_view nombre) {
    const std::string_view t = Recortar(nombre);
    // It becomes a file name of the data folder.
    if (t.empty() || nombre.front() == '.' || nombre.find('/') != std::string_view::npos ||
        nombre.find('\\') != std::string_view::npos || nombre.find("..") != std::string_view::npos ||
        TieneControl(nombre) || !EsUtf8Valido(nombre))
        throw EFormula("El nombre de grupo " + Citado(nombre) +
                       " no es válido: no puede estar en blanco, empezar por «.» ni contener «/», «\\» o «..».");
}

void ComprobarNombreFormula(std::string_view nombre) {
    if (Recortar(nombre).empty() || nombre.find_first_of("[]") != std::string_view::npos || TieneControl(nombre) ||
        !EsUtf8Valido(nombre))
        throw EFormula("El nombre de fórmula " + Citado(nombre) +
                       " no es válido: no puede estar en blanco ni contener «[», «]» o caracteres de control.");
}

std::string MensajeGrupoExiste(std::string_view nombre) { return "Ya existe un grupo llamado " + std::string(nombre); }

// ----------------------------------------------------------- sections ----

RegistroFormula LeerRegistro(const std::vector<std::string>& lineas) {
    if (lineas.empty()) throw EFormula("La fórmula está vacía.");
    RegistroFormula r;
    r.Ley = lineas[0];
    std::size_t i = 1;
    for (; i < lineas.size() && lineas[i] != kDef; ++i) {
        const std::string& l = lineas[i];
        if (auto p = l.find(kImg); p != std::string::npos) {
            r.Imagen = l.substr(p + kImg.size());
            continue;
        }
        // Written with one leading blank when the file could not carry it as typed.
        r.Descripcion.push_back(!l.empty() && l[0] == ' ' ? l.substr(1) : l);
    }
    for (++i; i < lineas.size(); ++i) {
        const auto f = Separar(lineas[i], U'_');
        auto campo = [&](std::size_t k) { return k < f.size() ? f[k] : std::string(); };
        FilaFormula fila{campo(0), campo(1), campo(2), campo(3), campo(4), campo(6), campo(7)};
        if (r.Marcada < 0 && campo(5) == "1") r.Marcada = static_cast<int>(r.Filas.size());
        r.Filas.push_back(std::move(fila));
    }
    return r;
}

void ComprobarSimbolos(const std::vector<FilaFormula>& filas) {
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const std::string& s = filas[i].Simbolo;
        if (s.empty()) continue;
        bool bien = EsLetra(s[0]) && std::all_of(s.begin(), s.end(), [](char c) { return EsLetra(c) || EsDigito(c); });
        // «h0», «b1», «o7» and the like read as numbers in another base.
        if (bien && !LeerNumero(s).Error()) bien = false;
        if (!bien)
            throw EFormula("El símbolo " + Citado(s) +
                           " no es válido: debe empezar por una letra y seguir con letras o dígitos, sin leerse "
                           "como un número.");
        for (std::size_t j = 0; j < i; ++j)
            if (IgualSinCaso(filas[j].Simbolo, s))
                throw EFormula("El símbolo " + Citado(s) + " está repetido.");
    }
}

std::vector<std::string> EscribirRegistro(const RegistroFormula& r) {
    const std::string_view ley = Recortar(r.Ley);
    if (ley.empty() || r.Ley.find(kImg) != std::string::npos || r.Ley == kDef || FormaCabecera(r.Ley) ||
        TieneControl(r.Ley))
        throw EFormula("La ley " + Citado(r.Ley) + " no se puede guardar.");
    if (r.Imagen.find(kImg) != std::string::npos || TieneControl(r.Imagen))
        throw EFormula("La referencia de imagen " + Citado(r.Imagen) + " no es válida.");
    ComprobarSimbolos(r.Filas);
    std::vector<std::string> l{r.Ley};
    for (const auto& d : r.Descripcion) {
        if (d.find(kImg) != std::string::npos)
            throw EFormula("La descripción no puede contener «<img>».");
        if (d.find_first_of("\r\n") != std::string::npos || d.find('\0') != std::string::npos)
            throw EFormula("Una línea de la descripción contiene saltos de línea.");
        // The reader skips empty lines, takes "[...]" for a section and
        // "<def>" for the symbols' start, and takes one blank off each line.
        const bool relleno = d.empty() || d[0] == ' ' || FormaCabecera(d) || d == kDef || d == "\x1A";
        l.push_back(relleno ? " " + d : d);
    }
    if (!r.Imagen.empty()) l.push_back(std::string(kImg) + r.Imagen);
    l.emplace_back(kDef);
    const int inc = r.Incognita();
    for (std::size_t i = 0; i < r.Filas.size(); ++i) {
        const FilaFormula& f = r.Filas[i];
        if (f.Simbolo.empty()) continue;
        for (const std::string* c : {&f.Descripcion, &f.Valor, &f.Unidad, &f.MagnitudUnidad, &f.Minimo, &f.Maximo})
            if (c->find('_') != std::string::npos || TieneControl(*c))
                throw EFormula("El elemento " + Citado(f.Simbolo) + " contiene " + Citado(*c) +
                               ": las celdas no pueden contener «_» ni caracteres de control.");
        l.push_back(f.Simbolo + "_" + f.Descripcion + "_" + f.Valor + "_" + f.Unidad + "_" + f.MagnitudUnidad + "_" +
                    (static_cast<int>(i) == inc ? "1" : "0") + "_" + f.Minimo + "_" + f.Maximo);
    }
    return l;
}

std::vector<std::string> LineasNuevaFormula() {
    return {"{Indique aquí la ecuación de la fórmula}", "ingrese aqui una descripción", std::string(kDef), "__0___0"};
}

RegistroFormula LeerFormula(const TVelIniFile& grupo, std::string_view nombre) {
    const auto lineas = grupo.ReadSectionValues(nombre);
    if (lineas.empty()) throw EFormula("La fórmula " + Citado(nombre) + " está vacía o no existe.");
    return LeerRegistro(lineas);
}

void GuardarFormula(TVelIniFile& grupo, std::string_view nombre, const RegistroFormula& r) {
    ComprobarNombreFormula(nombre);
    const auto lineas = EscribirRegistro(r);
    grupo.ReplaceSection(nombre, lineas);
    grupo.UpdateFile();
}

bool NombreOcupado(const TVelIniFile& grupo, std::string_view nuevo, std::string_view actual) {
    if (!actual.empty() && IgualSinCaso(nuevo, actual)) return false;  // a case-only rename
    for (const auto& s : grupo.ReadSections())
        if (IgualSinCaso(s, nuevo)) return true;
    return false;
}

void ComprobarNombreLibre(const TVelIniFile& grupo, std::string_view nuevo, std::string_view actual) {
    ComprobarNombreFormula(nuevo);
    if (NombreOcupado(grupo, nuevo, actual)) throw EFormula("Ya existe una fórmula llamada " + std::string(nuevo));
}

std::optional<std::filesystem::path> ArchivoImagen(const std::filesystem::path& carpeta, std::string_view referencia) {
    namespace fs = std::filesystem;
    if (referencia.empty() || referencia[0] == '#') return std::nullopt;
    const fs::path r{std::string(referencia)};
    if (r.is_absolute() || r.has_root_name()) return std::nullopt;
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(carpeta, ec);
    if (ec) return std::nullopt;
    const fs::path p = fs::weakly_canonical(base / r, ec);
    if (ec) return std::nullopt;
    auto [fb, fp] = std::mismatch(base.begin(), base.end(), p.begin(), p.end());
    if (fb != base.end() || fp == p.end()) return std::nullopt;
    return p;
}

std::optional<std::string> ReferenciaImagen(const std::filesystem::path& carpeta, const std::filesystem::path& archivo) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(carpeta, ec);
    if (ec) return std::nullopt;
    const fs::path p = fs::weakly_canonical(archivo, ec);
    if (ec) return std::nullopt;
    const std::string r = p.lexically_relative(base).generic_string();
    if (r.empty() || !ArchivoImagen(carpeta, r)) return std::nullopt;
    return r;
}

// ---------------------------------------------------------- computing ----

TCalculoFormula::TCalculoFormula(TExpresionX* padre, TModeloUnidades& modelo)
    : modelo_(modelo), entrada_(std::make_unique<TExpresionX>()), ley_(std::make_unique<TExpresionX>()) {
    for (auto* e : {entrada_.get(), ley_.get()}) {
        if (padre) e->SetPadre(padre);
        else e->SetPredefinidas(true);
        e->Silencioso = true;
    }
    // The unknown stays local: with a parent, a registered name would show up
    // in the main window's names.
    incognita_ = std::make_shared<TVariableX>();
    ley_->LocalesFijos.emplace_back("_", Nuevo<TVar<DominioReal>>(incognita_, "_"));
    // The symbols first: a symbol «C», «e» or «h» wins over the built-ins.
    ley_->BuscarExterno1 = [this](std::string_view nombre, long double& v) {
        for (std::size_t i = 0; i < simbolos_.size(); ++i) {
            if (simbolos_[i].empty() || !IgualSinCaso(simbolos_[i], nombre)) continue;
            if (dibujo_) v = static_cast<long double>(std::uniform_int_distribution<int>(1, 10)(azar_));
            else v = i < valores_.size() ? valores_[i] : 0;
            return true;
        }
        return false;
    };
    ley_->SetAngulo(Radianes);
    // A molar mass may be typed as its formula («H2SO4»).
    entrada_->BuscarExterno2 = BuscarFormulaQuimica;
    std::tie(entrada_->MedirExterno, entrada_->DibujarExterno) = DibujoQuimico();
}

TCalculoFormula::~TCalculoFormula() = default;

void TCalculoFormula::SetAnguloEntrada(UnidadAngulo a) { entrada_->SetAngulo(a); }

// The grid's values are folded in as constants: the same text must compile
// again whenever they may have changed.
void TCalculoFormula::Recompilar(TExpresionX& e, const std::string& texto) {
    ++e.Ajustes.cambios;
    e.SetTexto(texto);
}

ResultadoCalculo TCalculoFormula::Calcular(const std::string& ley, std::vector<FilaFormula>& filas, int inc,
                                           const FormatoNumero& formato) {
    ResultadoCalculo r;
    if (inc < 0 || inc >= static_cast<int>(filas.size()) || filas[static_cast<std::size_t>(inc)].Simbolo.empty())
        return r;
    FilaFormula& incognita = filas[static_cast<std::size_t>(inc)];
    incognita.Valor = "Error";
    dibujo_ = false;
    simbolos_.clear();
    for (const auto& f : filas) simbolos_.push_back(f.Simbolo);
    valores_.assign(filas.size(), 0);
    auto rechazo = [&](std::string m) {
        r.estado = ResultadoCalculo::Rechazado;
        r.Titulo = "Error";
        r.Mensaje = "Revise los datos introducidos.\n\n" + std::move(m);
        return r;
    };
    auto fallo = [&](std::string m) {
        r.estado = ResultadoCalculo::Fallo;
        r.Mensaje = std::move(m);
        return r;
    };
    // Every unit change goes through the unit model: an unknown magnitude or
    // unit is the model's own message.
    auto convertir = [&](const FilaFormula& f, long double v, bool aNativa) {
        const std::string nativa = f.UnidadNativa();
        const std::string& mostrada = f.Unidad.empty() ? nativa : f.Unidad;
        if (f.MagnitudUnidad.empty() || nativa.empty() || mostrada == nativa) return v;
        return aNativa ? modelo_.ConvertirUnidades(f.Magnitud(), mostrada, nativa, v)
                       : modelo_.ConvertirUnidades(f.Magnitud(), nativa, mostrada, v);
    };
    try {
        for (std::size_t i = 0; i < filas.size(); ++i) {
            const FilaFormula& f = filas[i];
            if (static_cast<int>(i) == inc || f.Simbolo.empty()) continue;
            if (Recortar(f.Valor).empty()) return r;
            long double v = entrada_->EvaluarTexto(f.Valor);
            if (entrada_->HayError)
                return rechazo("La expresión para \"" + f.Simbolo + "\" (" + f.Descripcion + ")\nno es válida");
            valores_[i] = convertir(f, v, true);
        }
        Recompilar(*ley_, incognita.Simbolo + ":_; " + ley);
        if (!ley_->Compilada) return fallo(ley_->Mensaje);
        const long double x = ley_->ResolverPara(incognita_.get());
        if (ley_->HayError) return fallo(ley_->Mensaje);
        valores_[static_cast<std::size_t>(inc)] = x;
        incognita_->AsignarValor(x);
        for (int lado = 0; lado < 2; ++lado)
            for (std::size_t i = 0; i < filas.size(); ++i) {
                const FilaFormula& f = filas[i];
                const std::string& limite = lado == 0 ? f.Minimo : f.Maximo;
                if (f.Simbolo.empty() || Recortar(limite).empty()) continue;
                const long double m = ley_->EvaluarTexto(limite);
                if (ley_->HayError)
                    return rechazo("El límite " + Citado(limite) + " de \"" + f.Simbolo + "\" (" + f.Descripcion +
                                   ")\nno es válido: " + ley_->Mensaje);
                if (lado == 0 ? valores_[i] < m : valores_[i] > m)
                    return rechazo("El valor de: \"" + f.Simbolo + "\" (" + f.Descripcion + ")\nno puede ser " +
                                   (lado == 0 ? "menor" : "mayor") + " a: " + limite + " " + f.MagnitudUnidad);
            }
        r.Valor = convertir(incognita, x, false);
    } catch (const std::exception& e) {
        return fallo(e.what());
    }
    r.estado = ResultadoCalculo::Hecho;
    r.Texto = incognita.Valor = RealATexto(r.Valor, formato);
    return r;
}

bool TCalculoFormula::CompilarDibujo(const std::string& ley, const std::vector<FilaFormula>& filas) {
    simbolos_.clear();
    for (const auto& f : filas) simbolos_.push_back(f.Simbolo);
    dibujo_ = true;
    bool hecho = false;
    // Random values can make folding fail («1/(a-b)» with a = b); a law that
    // always fails («1/(a-a)») gets no picture.
    for (int k = 0; k < kReintentosDibujo && !hecho; ++k) {
        Recompilar(*ley_, ley);
        hecho = ley_->Compilada;
    }
    dibujo_ = false;
    return hecho;
}

}  // namespace numbrix
