#include "shell/EditorDefiniciones.h"

#include <atomic>
#include <cctype>
#include <random>

#include "shell/DefinicionesUsuario.h"
#include "shell/Sesion.h"
#include "support/EscrituraAtomica.h"
#include "shell/VelIni.h"

namespace numbrix {

const char* TEditorDefiniciones::Seccion(int modo) {
    switch (modo) {
    case Constantes: return "Constantes";
    case Funciones: return "Funciones";
    default: return "Expresiones";
    }
}

const char* TEditorDefiniciones::Titulo(int modo) { return Seccion(modo); }

int TEditorDefiniciones::TemaAyuda(int modo) { return modo == Constantes ? 18 : 19; }

TEditorDefiniciones::TEditorDefiniciones(int modo) : modo_(modo < 0 || modo > 2 ? Constantes : modo) {}

void TEditorDefiniciones::Cargar(const TVelIniFile& duf) {
    lineas_.clear();
    cargados_.clear();
    modificado_ = false;
    for (const auto& l : duf.ReadSectionValues(Seccion(modo_))) {
        std::size_t igual = l.find('=');
        if (igual == std::string::npos) continue;
        DefinicionUsuario d = LeerLineaDefinicion(l);
        if (d.nombre.empty() || Indice(d.nombre) >= 0) continue;
        lineas_.push_back({d.nombre, l.substr(igual + 1), false});
        cargados_.push_back(d.nombre);
    }
}

int TEditorDefiniciones::Indice(std::string_view nombre) const {
    for (std::size_t i = 0; i < lineas_.size(); ++i)
        if (IgualSinCaso(lineas_[i].nombre, nombre)) return static_cast<int>(i);
    return -1;
}

std::string TEditorDefiniciones::Definicion(int i) const {
    if (i < 0 || i >= Cantidad()) return {};
    const std::string& t = lineas_[static_cast<std::size_t>(i)].texto;
    return t.substr(0, t.find('_'));
}

std::string TEditorDefiniciones::Descripcion(int i) const {
    if (i < 0 || i >= Cantidad()) return {};
    const std::string& t = lineas_[static_cast<std::size_t>(i)].texto;
    std::size_t raya = t.find('_');
    return raya == std::string::npos ? std::string() : t.substr(raya + 1);
}

std::string TEditorDefiniciones::Cambiar(int i, const std::string& definicion, const std::string& descripcion) {
    if (i < 0 || i >= Cantidad()) return {};
    if (definicion.find('_') != std::string::npos)
        return "La definición no puede contener \"_\": separa la definición de su descripción.";
    // The file keeps one line per name.
    if ((definicion + descripcion).find_first_of("\r\n") != std::string::npos)
        return "La definición y la descripción deben ocupar una sola línea.";
    Linea& l = lineas_[static_cast<std::size_t>(i)];
    std::string texto = definicion + "_" + descripcion;
    if (texto != l.texto) {
        l.texto = std::move(texto);
        l.marcada = true;
        modificado_ = true;
    }
    return {};
}

std::string TEditorDefiniciones::Nueva(const std::string& nombre,
                                       const std::function<bool(std::string_view)>& conocido) {
    if (!EsIdentificadorUsuario(nombre))
        return "\"" + nombre +
               "\" no es un identificador válido: empiece con una letra y use sólo letras y dígitos (hasta 30).";
    if (Indice(nombre) >= 0) return nombre + " ya esta definido";
    bool propio = false;
    for (const auto& c : cargados_)
        if (IgualSinCaso(c, nombre)) propio = true;
    if (!propio && conocido && conocido(nombre)) return nombre + " ya esta definido";
    lineas_.push_back({nombre, "_" + nombre, true});
    modificado_ = true;
    return {};
}

void TEditorDefiniciones::Eliminar(int i) {
    if (i < 0 || i >= Cantidad()) return;
    lineas_.erase(lineas_.begin() + i);
    modificado_ = true;
}

namespace {

// A scratch folder of its own, removed with the object.
struct CarpetaBorrador {
    std::filesystem::path ruta;
    CarpetaBorrador() {
        static std::atomic<unsigned> n{0};
        std::random_device azar;
        const auto base = std::filesystem::temp_directory_path();
        for (int intento = 0; intento < 100 && ruta.empty(); ++intento) {
            auto p = base / ("numbrix_duf_" + std::to_string(azar()) + "_" + std::to_string(n++));
            std::error_code ec;
            if (std::filesystem::create_directory(p, ec)) ruta = p;
        }
        if (ruta.empty()) throw EEscritura(std::filesystem::temp_directory_path(), "No se pudo crear una carpeta temporal para comprobar las definiciones.");
    }
    ~CarpetaBorrador() {
        std::error_code ec;
        std::filesystem::remove_all(ruta, ec);
    }
};

}  // namespace

std::optional<TEditorDefiniciones::Rechazo> TEditorDefiniciones::Comprobar(const std::vector<std::string>& otras) const {
    // Empty definitions need no engine.
    for (std::size_t i = 0; i < lineas_.size(); ++i) {
        if (!lineas_[i].marcada) continue;
        if (Definicion(static_cast<int>(i)).find_first_not_of(" \t") == std::string::npos)
            return Rechazo{static_cast<int>(i), lineas_[i].nombre + ": la definición está vacía."};
    }
    if (modo_ == Expresiones) {
        // Stored expressions are never registered: each must compile.
        TSesion limpia;
        TExpresionX& e = limpia.Principal();
        e.Silencioso = true;
        for (std::size_t i = 0; i < lineas_.size(); ++i) {
            if (!lineas_[i].marcada) continue;
            e.SetTexto(Definicion(static_cast<int>(i)));
            if (!e.Compilada)
                return Rechazo{static_cast<int>(i), lineas_[i].nombre + ": la expresión no es válida (" + e.Mensaje + ")."};
        }
        return std::nullopt;
    }
    // The file as it would be written, registered by a scratch session the
    // way the calculator registers it (constants first, then functions; a
    // one-letter name taking the place of its prompt variable).
    CarpetaBorrador carpeta;
    {
        TVelIniFile duf(carpeta.ruta / "real.duf");
        const char* otra = modo_ == Constantes ? "Funciones" : "Constantes";
        for (const auto& o : otras) {
            DefinicionUsuario d = LeerLineaDefinicion(o);
            if (!d.nombre.empty()) duf.WriteString(otra, d.nombre, TextoLineaDefinicion(d));
        }
        Escribir(duf);
        duf.UpdateFile();
    }
    std::vector<std::string> avisos;
    TSesion limpia;  // the vocabulary without any user definition
    TSesion borrador([&avisos](NivelAviso, const std::string& m) { avisos.push_back(m); });
    borrador.Abrir(carpeta.ruta);
    TExpresionX& principal = borrador.Principal();
    principal.Silencioso = true;

    auto avisoDe = [&avisos](const std::string& nombre) -> std::string {
        for (const auto& a : avisos) {
            // The registration names the definition in its messages.
            for (std::size_t p = a.find(nombre); p != std::string::npos; p = a.find(nombre, p + 1)) {
                auto letra = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
                const bool antes = p == 0 || !letra(a[p - 1]);
                const bool despues = p + nombre.size() >= a.size() || !letra(a[p + nombre.size()]);
                if (antes && despues) return a;
            }
        }
        return {};
    };
    const bool constantes = modo_ == Constantes;
    for (std::size_t i = 0; i < lineas_.size(); ++i) {
        const Linea& l = lineas_[i];
        if (!l.marcada) continue;
        const int indice = static_cast<int>(i);
        const auto* previo = limpia.Principal().Buscar(l.nombre);
        if (previo && previo->Tipo != MakeVariable) return Rechazo{indice, l.nombre + " ya esta definido"};
        const auto* m = principal.Buscar(l.nombre);
        const int tipo = constantes ? MakeConstante : MakeUsuario;
        if (!m || m->Tipo != tipo) {
            std::string a = avisoDe(l.nombre);
            if (a.empty()) a = constantes ? "el valor no se puede calcular." : "la definición no es válida.";
            return Rechazo{indice, l.nombre + ": " + a};
        }
        if (constantes) continue;
        // A function's body is compiled only when called: compile a call
        // whose arguments are never folded, so only the text is judged.
        int minimo = 0, maximo = 0;
        principal.AridadDe(l.nombre, minimo, maximo);
        std::string llamada = l.nombre;
        if (maximo > 0) {
            llamada += "(";
            for (int k = 0; k < maximo; ++k) llamada += k ? ",Ale" : "Ale";
            llamada += ")";
        }
        std::string mensaje;
        bool bien = false;
        try {
            principal.SetTexto(llamada);
            bien = principal.Compilada;
            mensaje = principal.Mensaje;
        } catch (const std::exception& x) {
            mensaje = x.what();
        }
        if (!bien)
            return Rechazo{indice, l.nombre + ": la definición no es válida (" +
                                       (mensaje.empty() ? std::string("error") : mensaje) + ")."};
    }
    return std::nullopt;
}

void TEditorDefiniciones::Escribir(TVelIniFile& duf) const {
    duf.EraseSection(Seccion(modo_));
    for (const auto& l : lineas_) duf.WriteString(Seccion(modo_), l.nombre, l.texto);
}

bool EsIdentificadorUsuario(std::string_view n) {
    if (n.empty() || n.size() > 30) return false;
    auto letra = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!letra(n[0])) return false;
    for (char c : n)
        if (!letra(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

bool SustituirAlEscribir(std::string& texto, int& cursor) {
    if (cursor < 2 || cursor > static_cast<int>(texto.size())) return false;
    const std::size_t p = static_cast<std::size_t>(cursor) - 2;
    const char* nuevo = nullptr;
    if (texto.compare(p, 2, "**") == 0) nuevo = "^";
    else if (texto.compare(p, 2, "//") == 0) nuevo = "\\";
    if (!nuevo) return false;
    texto.replace(p, 2, nuevo);
    --cursor;
    return true;
}

}  // namespace numbrix
