#include "tools/Sucesion.h"

#include <cstdio>

#include "engine/DiagramaX.h"
#include "shell/VelIni.h"
#include "support/Errores.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

// "Sn" is 0, "S1" ... "S9" are 1 ... 9; anything else -1.
int IndiceTermino(const std::string& nombre) {
    if (nombre.size() != 2 || (nombre[0] != 'S' && nombre[0] != 's')) return -1;
    if (nombre[1] == 'n' || nombre[1] == 'N') return 0;
    if (nombre[1] >= '1' && nombre[1] <= '9') return nombre[1] - '0';
    return -1;
}

void MayorIndice(const TEvalX& nodo, int& mayor) {
    // Iterative: trees may be deep.
    std::vector<const TEvalX*> pila{&nodo};
    while (!pila.empty()) {
        const TEvalX* e = pila.back();
        pila.pop_back();
        if (e->Clase() == ClaseNodo::Fun0) mayor = std::max(mayor, IndiceTermino(e->Nombre));
        for (const auto& h : e->Hijos)
            if (h) pila.push_back(h.get());
    }
}

// S with its index as a subscript ("n", "n-1" ...), in the serif face.
CajaFormula MedirTermino(Diagrama<DominioReal>& d, const std::string& indice, int tam, int& bajada) {
    const CajaFormula s = d.MedirTexto("S", FuenteSerif(tam, false, true));
    const CajaFormula i = d.MedirTexto(indice, FuenteSerif(TamReducido(tam, 6, 10), false, true));
    bajada = s.abajo * 2 / 3;
    return {s.ancho + i.ancho, std::max(s.arriba, i.arriba - bajada), std::max(s.abajo, i.abajo + bajada)};
}

ProcMedir<DominioReal> MedidaTermino(std::string indice) {
    return [indice](Diagrama<DominioReal>& d, const TEvalX&, int tam) {
        int bajada = 0;
        return MedirTermino(d, indice, tam, bajada);
    };
}

ProcDibujar<DominioReal> DibujoTermino(std::string indice) {
    return [indice](Diagrama<DominioReal>& d, const TEvalX&, int x, int y, int tam) {
        int bajada = 0;
        const CajaFormula c = MedirTermino(d, indice, tam, bajada);
        const Fuente f = FuenteSerif(tam, false, true);
        d.DibujarTexto("S", f, x, y + c.arriba);
        d.DibujarTexto(indice, FuenteSerif(TamReducido(tam, 6, 10), false, true), x + d.MedirTexto("S", f).ancho,
                       y + c.arriba + bajada);
    };
}

void PrepararMotor(TExpresionX& e) {
    e.SetPredefinidas(true);
    e.Silencioso = true;
    // Exact equality here only: Sn=1 must not meet 1 + 1e-15.
    e.Ajustes.tolerancia = 0;
}

}  // namespace

TSucesion::TSucesion() {
    for (TExpresionX* e : {&Ef, &Eg, &Eh, &Es}) PrepararMotor(*e);
    Ep.SetPadre(&Es);
    PrepararMotor(Ep);
    xf_ = Ef.AgregarVariable("x");
    xg_ = Eg.AgregarVariable("x");
    xh_ = Eh.AgregarVariable("x");

    auto aux = [](TExpresionX& motor, std::shared_ptr<TVariableX> x) {
        return [&motor, x](const ContextoX&, const long double& a) -> long double {
            x->AsignarValor(a);
            long double r = motor.Valor();
            if (!motor.Compilada) throw ENumbrix(motor.MensajeCompilacion);
            if (motor.HayError) throw ENumbrix(motor.Mensaje);
            return r;
        };
    };
    Es.AgregarFuncion1("f", aux(Ef, xf_), {}, "Función f(x)");
    Es.AgregarFuncion1("g", aux(Eg, xg_), {}, "Función g(x)");
    Es.AgregarFuncion1("h", aux(Eh, xh_), {}, "Función h(x)");
    for (int j = 0; j <= 9; ++j) {
        std::string nombre = j == 0 ? "Sn" : "S" + std::to_string(j);
        std::string desc = j == 0 ? "Sn" : "Sn-" + std::to_string(j);
        char indice[16];
        std::snprintf(indice, sizeof indice, "n-%d", j);
        const std::string sub = j == 0 ? "n" : indice;
        Es.AgregarFuncion0(nombre, [this, j](ContextoX&) { return S_[static_cast<std::size_t>(j + m_)]; }, desc,
                           MakeFuncion0, MedidaTermino(sub), DibujoTermino(sub));
    }
    Es.AgregarFuncion0("n", [this](ContextoX&) { return static_cast<long double>(n_ - m_); },
                       "Número de iteración");
}

std::array<bool, 5> TSucesion::Compilar(const DefinicionSucesion& d) {
    std::array<bool, 5> ok{};
    TExpresionX* motores[] = {&Ef, &Eg, &Eh, &Es, &Ep};
    const std::string* textos[] = {&d.F, &d.G, &d.H, &d.Sn, &d.Parada};
    for (int i = 0; i < 5; ++i) {
        motores[i]->SetTexto(*textos[i]);
        motores[i]->Forzar = true;
        ok[static_cast<std::size_t>(i)] = motores[i]->Arbol != nullptr;
    }
    if (!ok[4]) Ep.SetTexto("-1");
    // The engine says nothing (or "Falta expresión") about a blank box; a run
    // must say plainly why it stops.
    sinFormula_.clear();
    if (!ok[3])
        sinFormula_ = Recortar(d.Sn).empty()          ? kMsjSinFormula
                      : !Es.MensajeCompilacion.empty() ? Es.MensajeCompilacion
                                                       : "La fórmula de la sucesión no es válida";
    k_ = ContarIniciales();
    return ok;
}

int TSucesion::ContarIniciales() const {
    int mayor = -1;
    if (Es.Arbol) MayorIndice(*Es.Arbol, mayor);
    return mayor < 0 ? m_ : mayor + m_;
}

void TSucesion::FijarIniciales(const std::vector<long double>& valores) {
    S_.fill(0);
    k_ = static_cast<int>(valores.size());
    for (int j = 0; j < k_; ++j) S_[static_cast<std::size_t>(k_ - 1 - j)] = valores[static_cast<std::size_t>(j)];
    n_ = k_;
}

FinSucesion TSucesion::Paso(std::string* mensaje) {
    if (!Es.Arbol) {
        if (mensaje) *mensaje = sinFormula_.empty() ? kMsjSinFormula : sinFormula_;
        return FinSucesion::Error;
    }
    const auto antes = S_;
    ++n_;
    for (int i = kRanuras - 1; i > 0; --i) S_[static_cast<std::size_t>(i)] = S_[static_cast<std::size_t>(i - 1)];
    Es.Forzar = true;
    long double v = Es.Valor();
    if (!Es.Compilada || Es.HayError) {
        const bool cancelada = Es.Cancelado;
        if (mensaje) *mensaje = Es.Compilada ? Es.Mensaje : Es.MensajeCompilacion;
        S_ = antes;
        --n_;
        return cancelada ? FinSucesion::Cancelada : FinSucesion::Error;
    }
    S_[0] = v;
    return FinSucesion::Parada;
}

bool TSucesion::EvaluarAuxiliar(int cual, const std::string& texto, long double x, long double& v,
                                std::string* mensaje) {
    TExpresionX& e = cual == 0 ? Ef : cual == 1 ? Eg : Eh;
    e.SetTexto(texto);
    if (!e.Arbol) {
        if (mensaje) *mensaje = e.MensajeCompilacion;
        return false;
    }
    (cual == 0 ? xf_ : cual == 1 ? xg_ : xh_)->AsignarValor(x);
    v = e.Valor();
    if (e.HayError && mensaje) *mensaje = e.Mensaje;
    return !e.HayError;
}

bool TSucesion::ParadaCumplida() {
    Ep.Forzar = true;
    long double v = Ep.Valor();
    return Ep.Compilada && !Ep.HayError && v > 0;
}

std::string TSucesion::Linea(std::int64_t i, long double v) {
    char b[96];
    std::snprintf(b, sizeof b, "S(%lld)=\t%Lg", static_cast<long long>(i), v);
    return b;
}

std::string TSucesion::LineaError(std::int64_t i, const std::string& mensaje) {
    return "S(" + std::to_string(i) + ")=\t" + mensaje;
}

FinSucesion TSucesion::Correr(const TokenCancelar& cancelar, const std::function<void(std::int64_t)>& progreso,
                              std::vector<std::string>& lineas) {
    Es.Cancelar = Ep.Cancelar = Ef.Cancelar = Eg.Cancelar = Eh.Cancelar = cancelar;
    FinSucesion fin = FinSucesion::Lote;
    std::string mensaje;
    while (fin == FinSucesion::Lote) {
        for (int i = 0; i < kLote; ++i) {
            FinSucesion r = Paso(&mensaje);
            if (r != FinSucesion::Parada) { fin = r; break; }
            if (ParadaCumplida()) { fin = FinSucesion::Parada; break; }
        }
        if (progreso) progreso(n_);
        if (fin == FinSucesion::Lote && SeCancela(cancelar)) fin = FinSucesion::Cancelada;
    }
    if (fin == FinSucesion::Cancelada) return fin;
    for (int i = 9 - k_; i >= 1; --i)
        if (n_ - i > k_) lineas.push_back(Linea(n_ - i, S_[static_cast<std::size_t>(i)]));
    lineas.push_back(fin == FinSucesion::Error ? LineaError(n_ + 1, mensaje) : Linea(n_, S_[0]));
    return fin;
}

FinSucesion TSucesion::CorrerDetallado(const TokenCancelar& cancelar, std::vector<std::string>& lineas) {
    Es.Cancelar = Ep.Cancelar = Ef.Cancelar = Eg.Cancelar = Eh.Cancelar = cancelar;
    const int tope = n_ < 10 ? kPasosDetallado - k_ : kPasosDetallado;
    std::string mensaje;
    for (int i = 0; i < tope; ++i) {
        if (ParadaCumplida()) return FinSucesion::Parada;
        if (SeCancela(cancelar)) return FinSucesion::Cancelada;
        FinSucesion r = Paso(&mensaje);
        if (r == FinSucesion::Cancelada) return r;
        if (r == FinSucesion::Error) {
            lineas.push_back(LineaError(n_ + 1, mensaje));
            return r;
        }
        lineas.push_back(Linea(n_, S_[0]));
    }
    return ParadaCumplida() ? FinSucesion::Parada : FinSucesion::Lote;
}

// ---------------------------------------------------------------- suce.ini

namespace {
// The file refuses empty and "[…]" lines and would eat leading blanks of
// nothing; a leading blank marks an escaped line and is dropped on reading.
std::string Escapar(const std::string& s) {
    if (s.empty() || s.front() == ' ' || s.front() == '[') return " " + s;
    return s;
}
std::string Desescapar(const std::string& s) { return !s.empty() && s.front() == ' ' ? s.substr(1) : s; }
// An empty box is "{}"; a box that really reads "{}" is escaped like the rest.
std::string Caja(const std::string& s) { return s.empty() ? "{}" : s == "{}" ? " {}" : Escapar(s); }
std::string DeCaja(const std::string& s) { return s == "{}" ? std::string() : Desescapar(s); }
}  // namespace

std::vector<std::string> TArchivoSucesiones::Lineas(const DefinicionSucesion& d) {
    std::vector<std::string> l;
    for (const auto& c : d.Comentario) l.push_back(Escapar(c));
    for (const std::string* s : {&d.F, &d.G, &d.H, &d.Sn, &d.Parada}) l.push_back(Caja(*s));
    l.push_back(d.Modo == 1 ? "1" : "0");
    return l;
}

DefinicionSucesion TArchivoSucesiones::DeLineas(const std::vector<std::string>& lineas, bool* completa) {
    DefinicionSucesion d;
    bool ok = lineas.size() >= 6;
    const std::size_t inicio = ok ? lineas.size() - 6 : 0;
    for (std::size_t i = 0; i < inicio; ++i) d.Comentario.push_back(Desescapar(lineas[i]));
    std::string* cajas[] = {&d.F, &d.G, &d.H, &d.Sn, &d.Parada};
    for (std::size_t i = 0; i < 5 && inicio + i < lineas.size(); ++i) *cajas[i] = DeCaja(lineas[inicio + i]);
    if (ok) {
        const std::string& m = lineas.back();
        if (m == "1") d.Modo = 1;
        else if (m != "0") ok = false;
    }
    if (completa) *completa = ok;
    return d;
}

TArchivoSucesiones::TArchivoSucesiones(const std::filesystem::path& archivo)
    : ini_(TVelIniFile::Compartido(archivo)) {}

TArchivoSucesiones::~TArchivoSucesiones() = default;

std::vector<std::string> TArchivoSucesiones::Nombres() const {
    std::vector<std::string> r;
    for (auto& s : ini_->ReadSections())
        if (s != kEstado) r.push_back(s);
    return r;
}

bool TArchivoSucesiones::Existe(const std::string& nombre) const { return ini_->SectionExists(nombre); }

bool TArchivoSucesiones::Leer(const std::string& nombre, DefinicionSucesion& d, bool* completa) const {
    if (!ini_->SectionExists(nombre)) {
        if (completa) *completa = false;
        return false;
    }
    d = DeLineas(ini_->ReadSectionValues(nombre), completa);
    return true;
}

void TArchivoSucesiones::Escribir(const std::string& nombre, const DefinicionSucesion& d) {
    ini_->ReplaceSection(nombre, Lineas(d));
    ini_->UpdateFile();
}

bool TArchivoSucesiones::Guardar(const std::string& nombre, const DefinicionSucesion& d) {
    if (nombre.empty() || nombre == kEstado) return false;
    Escribir(nombre, d);
    return true;
}

void TArchivoSucesiones::Borrar(const std::string& nombre) {
    ini_->EraseSection(nombre);
    ini_->UpdateFile();
}

void TArchivoSucesiones::GuardarEstado(const DefinicionSucesion& d) { Escribir(kEstado, d); }

}  // namespace numbrix
