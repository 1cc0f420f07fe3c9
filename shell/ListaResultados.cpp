#include "shell/ListaResultados.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

std::string Citar(std::string_view s) {
    constexpr long long kMax = 40;
    const std::string corto = Izquierda(s, kMax);
    return "«" + corto + (corto.size() < s.size() ? "...»" : "»");
}

// A row as one line of the file: what a line cannot hold becomes a blank,
// and stray bytes are taken as Latin-1 so the file stays UTF-8.
std::string TextoParaArchivo(const std::string& texto) {
    std::string t = EsUtf8Valido(texto) ? texto : TextoDesdeBytes(texto);
    for (char& c : t)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return t;
}

bool SoloDigitos(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

// --------------------------------------------------------------- total ----

TListaResultados::Registro TListaResultados::Registrar(const std::string& expresion, const std::string& textoResultado,
                                                       const std::string& nota, int etiqueta, long double valor,
                                                       bool sumaAlTotal) {
    if (etiqueta < 0 || etiqueta > kMaxEtiqueta) etiqueta = 0;
    filas_.push_front({textoResultado + "   " + nota, etiqueta});
    filas_.push_front({expresion, 0});

    Registro r;
    r.TotalAntes = total_;
    r.TotalGuardadoAntes = totalGuardado_;
    r.CuentaAntes = cuenta_;
    r.CuentaGuardadaAntes = cuentaGuardada_;
    if (sumaAlTotal) {
        const long double suma = total_ + valor;
        // An infinite or meaningless total could never be undone or shown.
        if (!std::isfinite(suma)) {
            r.Desbordado = true;
        } else {
            totalGuardado_ = total_;
            cuentaGuardada_ = cuenta_;
            total_ = suma;
            if (cuenta_ < std::numeric_limits<int>::max()) ++cuenta_;
            r.Sumado = true;
        }
    }
    r.TotalDespues = total_;
    r.CuentaDespues = cuenta_;
    return r;
}

bool TListaResultados::QuitarAdicion(const Registro& r) {
    if (!r.Sumado) return false;
    // Restoring after later changes would silently drop them.
    if (total_ != r.TotalDespues || cuenta_ != r.CuentaDespues) return false;
    total_ = r.TotalAntes;
    totalGuardado_ = r.TotalGuardadoAntes;
    cuenta_ = r.CuentaAntes;
    cuentaGuardada_ = r.CuentaGuardadaAntes;
    return true;
}

void TListaResultados::TotalACero() {
    totalGuardado_ = total_;
    cuentaGuardada_ = cuenta_;
    total_ = 0;
    cuenta_ = 0;
}

bool TListaResultados::Deshacer() {
    if (!PuedeDeshacer()) return false;
    total_ = totalGuardado_;
    cuenta_ = cuentaGuardada_;
    return true;
}

// ---------------------------------------------------------------- rows ----

std::string TListaResultados::TextoParaAsignar(std::size_t fila) const {
    if (fila >= filas_.size()) return {};
    std::string_view t = filas_[fila].Texto;
    if (EsFilaResultado(fila)) {
        // The note starts three blanks after the result: "4   {a=2} ".
        const auto llave = t.find('{');
        if (llave != std::string_view::npos && llave >= 4) t = t.substr(0, llave - 3);
    }
    return std::string(Recortar(t));
}

std::string TListaResultados::Copiar(std::size_t fila) const {
    return fila < filas_.size() ? filas_[fila].Texto : std::string();
}

std::string TListaResultados::CopiarResultados() const {
    std::string t;
    for (std::size_t i = 1; i < filas_.size(); i += 2) t.append(filas_[i].Texto).append(FinLinea);
    return t;
}

std::string TListaResultados::CopiarTodo() const {
    std::string t;
    for (std::size_t i = 0; i + 1 < filas_.size(); i += 2)
        t.append(filas_[i].Texto).append("\t").append(filas_[i + 1].Texto).append(FinLinea);
    return t;
}

bool TListaResultados::EliminarPar(std::size_t fila) {
    if (fila >= filas_.size()) return false;
    const std::size_t primera = fila - fila % 2;
    const std::size_t fin = std::min(primera + 2, filas_.size());
    filas_.erase(filas_.begin() + static_cast<std::ptrdiff_t>(primera),
                 filas_.begin() + static_cast<std::ptrdiff_t>(fin));
    return true;
}

// --------------------------------------------------------- persistence ----

void TListaResultados::Guardar(TVelIniFile& ini, int maxList) const {
    // At most maxList + 1 rows as the list has always kept, but never an
    // expression whose result was cut off.
    std::size_t filas = maxList < 0 ? 0 : static_cast<std::size_t>(maxList) + 1;
    filas = std::min(filas, filas_.size());
    filas -= filas % 2;

    std::vector<std::string> lineas;
    lineas.reserve(filas);
    std::size_t clave = 0;
    for (std::size_t i = 0; i < filas; i += 2) {
        std::string expresion = TextoParaArchivo(filas_[i].Texto);
        std::string resultado = TextoParaArchivo(filas_[i + 1].Texto);
        std::string a = std::to_string(clave) + "=" + expresion + "_" + std::to_string(filas_[i].Etiqueta);
        std::string b = std::to_string(clave + 1) + "=" + resultado + "_" + std::to_string(filas_[i + 1].Etiqueta);
        // A pair too long for one line is not worth refusing the whole save.
        if (a.size() > TVelIniFile::MaxLinea || b.size() > TVelIniFile::MaxLinea) continue;
        lineas.push_back(std::move(a));
        lineas.push_back(std::move(b));
        clave += 2;
    }
    ini.ReplaceSection(Seccion, lineas);
}

std::vector<std::string> TListaResultados::Cargar(const TVelIniFile& ini) {
    std::vector<std::string> informe;
    const std::vector<std::string> lineas = ini.ReadSectionValues(Seccion);
    filas_.clear();
    for (const std::string& linea : lineas) {
        const auto igual = linea.find('=');
        const std::string_view clave = igual == std::string::npos ? std::string_view() : std::string_view(linea).substr(0, igual);
        const std::string_view valor = igual == std::string::npos ? std::string_view(linea)
                                                                  : std::string_view(linea).substr(igual + 1);
        FilaLista fila;
        // The tag follows the last "_"; earlier ones belong to the text.
        const auto guion = valor.rfind('_');
        if (guion == std::string_view::npos || !SoloDigitos(valor.substr(guion + 1))) {
            fila.Texto = std::string(valor);
            informe.push_back("Lista de resultados, clave " + Citar(clave) + ": falta la unidad de ángulo; se usa 0.");
        } else {
            fila.Texto = std::string(valor.substr(0, guion));
            const std::string_view etiqueta = valor.substr(guion + 1);
            int e = -1;
            const auto r = std::from_chars(etiqueta.data(), etiqueta.data() + etiqueta.size(), e);
            if (r.ec != std::errc() || e < 0 || e > kMaxEtiqueta) {
                e = 0;
                informe.push_back("Lista de resultados, clave " + Citar(clave) + ": unidad de ángulo " +
                                  Citar(etiqueta) + " no válida; se usa 0.");
            }
            fila.Etiqueta = e;
        }
        filas_.push_back(std::move(fila));
    }
    // Files that kept maxList + 1 rows end with an expression cut from its
    // result; it cannot be shown as a pair, nor written back.
    if (filas_.size() % 2) {
        filas_.pop_back();
        const std::string& ultima = lineas.back();
        const auto igual = ultima.find('=');
        informe.push_back("Lista de resultados, clave " +
                          Citar(igual == std::string::npos ? std::string_view() : std::string_view(ultima).substr(0, igual)) +
                          ": expresión sin su resultado; se omite.");
    }
    return informe;
}

}  // namespace numbrix
