#include "support/TablaTextos.h"

#include <algorithm>

#include "support/EscrituraAtomica.h"
#include "support/basicos.h"

namespace numbrix {

namespace {
const std::string kVacio;
}

TTablaTextos::TTablaTextos(int columnas, int filas) { Redimensionar(columnas, filas); }

void TTablaTextos::Redimensionar(int columnas, int filas) {
    columnas = std::max(columnas, 0);
    filas = std::max(filas, 0);
    if (columnas == columnas_ && filas == filas_) return;
    std::vector<std::string> nuevas(static_cast<std::size_t>(columnas) * static_cast<std::size_t>(filas));
    const int c = std::min(columnas, columnas_), f = std::min(filas, filas_);
    for (int y = 0; y < f; ++y)
        for (int x = 0; x < c; ++x)
            nuevas[static_cast<std::size_t>(y) * static_cast<std::size_t>(columnas) + static_cast<std::size_t>(x)] =
                std::move(celdas_[Indice(x, y)]);
    celdas_ = std::move(nuevas);
    columnas_ = columnas;
    filas_ = filas;
}

const std::string& TTablaTextos::Celda(int columna, int fila) const {
    if (columna < 0 || fila < 0 || columna >= columnas_ || fila >= filas_) return kVacio;
    return celdas_[Indice(columna, fila)];
}

void TTablaTextos::SetCelda(int columna, int fila, std::string texto) {
    if (columna < 0 || fila < 0 || columna >= columnas_ || fila >= filas_) return;
    celdas_[Indice(columna, fila)] = std::move(texto);
}

int TTablaTextos::SeleccionDentro(int seleccion, int filas, int filasFijas) {
    return std::max(std::min(seleccion, filas - 1), std::max(filasFijas, 0));
}

bool TTablaTextos::BorrarFila(int fila, int filasFijas, int& seleccion) {
    filasFijas = std::max(filasFijas, 0);
    if (fila < filasFijas || fila >= filas_ || filas_ - 1 <= filasFijas) return false;
    const auto desde = celdas_.begin() + static_cast<std::ptrdiff_t>(Indice(0, fila));
    celdas_.erase(desde, desde + columnas_);
    --filas_;
    seleccion = SeleccionDentro(seleccion, filas_, filasFijas);
    return true;
}

std::string TTablaTextos::TextoGrid() const {
    std::string texto;
    for (int y = 1; y < filas_; ++y) {
        for (int x = 1; x < columnas_; ++x) {
            if (x > 1) texto += '\t';
            texto += celdas_[Indice(x, y)];
        }
        texto += "\r\n";
    }
    return texto;
}

namespace {

// Calls f(line) for every line, breaking as the grid files do.
template <class F>
void ParaCadaLinea(std::string_view texto, F&& f) {
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const std::size_t fin = texto.find_first_of("\r\n", inicio);
        if (fin == std::string_view::npos) {
            f(texto.substr(inicio));
            return;
        }
        f(texto.substr(inicio, fin - inicio));
        inicio = fin + (texto[fin] == '\r' && fin + 1 < texto.size() && texto[fin + 1] == '\n' ? 2 : 1);
    }
}

}  // namespace

std::vector<std::string_view> LineasDeTexto(std::string_view texto) {
    std::vector<std::string_view> lineas;
    ParaCadaLinea(texto, [&](std::string_view linea) { lineas.push_back(linea); });
    return lineas;
}

bool TTablaTextos::LeerTextoGrid(std::string_view texto, std::string* error) {
    // Measure first, so a hostile text is refused before it costs memory.
    std::size_t lineas = 0, campos = 1;
    ParaCadaLinea(texto, [&](std::string_view linea) {
        ++lineas;
        campos = std::max(campos, static_cast<std::size_t>(std::count(linea.begin(), linea.end(), '\t')) + 1);
    });
    const std::size_t columnas = std::max<std::size_t>(campos + 1, 2);
    const std::size_t filas = std::max<std::size_t>(lineas + 1, 2);
    if (columnas > kCeldasMax || filas > kCeldasMax || columnas * filas > kCeldasMax) {
        if (error) *error = "La tabla tiene demasiadas celdas";
        return false;
    }
    Redimensionar(static_cast<int>(columnas), static_cast<int>(filas));
    for (int y = 1; y < filas_; ++y)
        for (int x = 1; x < columnas_; ++x) celdas_[Indice(x, y)].clear();
    int y = 1;
    ParaCadaLinea(texto, [&](std::string_view linea) {
        int x = 1;
        for (std::string& campo : Separar(linea, U'\t')) celdas_[Indice(x++, y)] = std::move(campo);
        ++y;
    });
    return true;
}

bool TTablaTextos::Guardar(const std::filesystem::path& ruta, std::string* error) const {
    return IntentarEscribirArchivoAtomico(ruta, TextoGrid(), error);
}

bool TTablaTextos::Cargar(const std::filesystem::path& ruta, std::string* error) {
    std::string bytes;
    if (!LeerArchivoEntero(ruta, bytes, error)) return false;
    return LeerTextoGrid(TextoDesdeBytes(bytes), error);
}

}  // namespace numbrix
