// The converter's and the unit editor's readers: a section's lines made
// rows and saved again reload to the same rows, or the save is refused
// naming a row; a base cell's text in every base reads or changes nothing,
// and an integer written in any base without an exponent reads back. The first byte picks the
// mode, the rest is the input.
#include <cmath>

#include "Arnes.h"
#include "support/basicos.h"
#include "units/Conversor.h"

using namespace numbrix;

namespace {

SeccionMagnitud Normal(const SeccionMagnitud& s) {
    SeccionMagnitud r{std::string(Recortar(s.Fundamental)), {}};
    for (const FilaUnidad& f : s.Filas)
        if (!f.Vacia())
            r.Filas.push_back({std::string(Recortar(f.Nombre)), std::string(Recortar(f.A)), std::string(Recortar(f.De))});
    return r;
}

bool Iguales(const SeccionMagnitud& a, const SeccionMagnitud& b) {
    if (a.Fundamental != b.Fundamental || a.Filas.size() != b.Filas.size()) return false;
    for (std::size_t i = 0; i < a.Filas.size(); ++i)
        if (a.Filas[i].Nombre != b.Filas[i].Nombre || a.Filas[i].A != b.Filas[i].A || a.Filas[i].De != b.Filas[i].De)
            return false;
    return true;
}

void Seccion(const std::string& texto) {
    if (!EsUtf8Valido(texto)) return;  // the file reader takes other bytes as Latin-1
    std::vector<std::string> lineas = Separar(texto, U'\n');
    SeccionMagnitud s = FilasDeSeccion(lineas);
    // A row as the grid would hold it: the three cells, whatever they say.
    for (std::size_t i = 0; i + 2 < lineas.size(); i += 3)
        s.Filas.push_back({lineas[i], lineas[i + 1], lineas[i + 2]});
    const LineasGuardar g = SeccionDeFilas(s);
    if (!g.error.empty()) {
        fuzz::Exigir(g.error.rfind("Fila ", 0) == 0 || g.error.rfind("Unidad fundamental:", 0) == 0,
                     "un rechazo nombra su fila");
        fuzz::Exigir(g.lineas.empty(), "un rechazo no guarda nada");
        return;
    }
    std::string archivo = "[M]\r\n";
    for (const std::string& l : g.lineas) archivo += l + "\r\n";
    OpcionesIni o = fuzz::SoloLectura();
    o.SaltarComentarios = true;
    o.QuitarFinales = true;
    TVelIniFile ini({}, {}, o);
    ini.CargarBytes(archivo);
    fuzz::Exigir(Iguales(FilasDeSeccion(ini.ReadSectionValues("M")), Normal(s)), "lo guardado se relee igual");
}

void Celda(const std::string& texto) {
    for (int b = kBaseMinima; b <= kBaseMaxima; ++b) {
        for (char c : texto) (void)FiltrarTeclaBase(static_cast<unsigned char>(c), b);
        const auto v = LeerCeldaBase(texto, b);
        if (!v) continue;
        fuzz::Exigir(*v != 0, "cero no cambia nada");
        const auto textos = TextosBases(*v, FormatoNumero{});
        if (std::fabs(*v) >= 1e15L || *v != std::trunc(*v)) continue;
        for (int d = kBaseMinima; d <= kBaseMaxima; ++d) {
            if (std::fabs(*v) > std::pow(static_cast<long double>(d), 16)) continue;  // written with an exponent
            const auto leido = LeerCeldaBase(textos[static_cast<std::size_t>(d - kBaseMinima)], d);
            fuzz::Exigir(leido && *leido == *v, "un entero escrito en una base se relee");
        }
    }
}

}  // namespace

NUMBRIX_ARNES(conversor) {
    if (entrada.empty()) return;
    const std::string resto(entrada.substr(1));
    if (entrada[0] % 2 == 0) Seccion(resto);
    else Celda(resto);
}
