#include "robustez/Tipos.h"

#include "AplicacionQt.h"
#include "Ayudas.h"
#include "engine/DiagramaX.h"
#include "shell/Consejos.h"
#include "shell/Esquemas.h"
#include "shell/Historial.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/EscrituraAtomica.h"
#include "support/TablaTextos.h"
#include "support/Trabajo.h"
#include "support/ui/ExportarFormula.h"
#include "support/ui/LienzoQt.h"
#include "tools/Formulas.h"
#include "tools/Primo.h"
#include "tools/Sucesion.h"

namespace numbrix::prueba {

namespace fs = std::filesystem;

namespace {

// Runs a save that raises on failure; its message is what the window shows.
template <class F>
std::string Mensaje(F&& guardar) {
    try {
        guardar();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Enough bytes that a kill often lands in the middle of a write.
std::string Relleno(int version, int lineas) {
    std::string t;
    for (int i = 0; i < lineas; ++i) t += "v" + std::to_string(version) + "_" + std::to_string(i) + "*x+1";
    return t;
}

std::string Sesion(const fs::path& c, int v) {
    return Mensaje([&] {
        TSesion s;
        s.Abrir(c);
        s.Ajustes.MaxList = 20 + v;
        s.Guardar(false);
    });
}

std::string Historia(const fs::path& c, const char* nombre, int v) {
    return Mensaje([&] {
        THistorial h(500);
        for (int i = 0; i < 400; ++i) h.Agregar(Relleno(v, 8) + std::to_string(i));
        h.Guardar(c / nombre);
    });
}

// The ini kinds: their owners change sections and call UpdateFile.
std::string Ini(const fs::path& c, const char* nombre, int v) {
    return Mensaje([&] {
        TVelIniFile f(c / nombre);
        for (int i = 0; i < 400; ++i) f.WriteString("S", "k" + std::to_string(i), Relleno(v, 3));
        f.UpdateFile();
    });
}

std::string Colores(const fs::path& c, int v) {
    return Mensaje([&] {
        TVelIniFile f(c / "colores.ini");
        TEsquemas e;
        e.Cargar(f);
        for (int i = 0; i < 200; ++i) e.Guardar(f, "E" + std::to_string(i), T4Colores{static_cast<TColor>(0x10 * v), 0xff, static_cast<TColor>(i), 0});
        f.UpdateFile();
    });
}

std::string Sucesiones(const fs::path& c, int v) {
    return Mensaje([&] {
        TArchivoSucesiones a(c / "suce.ini");
        DefinicionSucesion d;
        d.F = Relleno(v, 200);
        a.Guardar("s", d);
    });
}

std::string Consejos(const fs::path& c, int v) {
    return Mensaje([&] {
        TVelIniFile f(c / "tips.ini");
        TConsejos t;
        t.Usa = v == 1;
        t.EscribirUsa(f);
        for (int i = 0; i < 300; ++i) f.WriteString("Consejo" + std::to_string(i), "Texto", Relleno(v, 2));
        f.UpdateFile();
    });
}

std::string Rejilla(const fs::path& c, int v) {
    TTablaTextos t(4, 3000);
    for (int f = 1; f < 3000; ++f)
        for (int k = 1; k < 4; ++k) t.SetCelda(k, f, std::to_string(f * k + v));
    std::string error;
    return t.Guardar(c / "datos.gri", &error) ? std::string() : error;
}

std::string Imagen(const fs::path& c, const char* nombre, int v) {
    AplicacionQt();
    MotorX m;
    m.e.SetTexto(v ? "(x+y)/(x-y)^2" : "x^2+1/x");
    const auto dibujo = Metarchivo(m.e, std::make_shared<MetricasQt>());
    std::string error;
    return ExportarFormula(dibujo ? &*dibujo : nullptr, c / nombre, 4.0, error) ? std::string() : error;
}

std::string Primos(const fs::path& c, int v) {
    return Mensaje([&] {
        TTrabajo t;
        ListarPrimosArchivo(2, v ? 1500000 : 1000000, c / "primos.txt", t);
    });
}

// A formula saved as «Guardar cambios» saves it: the whole group file rewritten.
std::string Formulas(const fs::path& c, int v) {
    return Mensaje([&] {
        RegistroFormula r;
        r.Ley = "y=a*x+b";
        for (int i = 0; i < 400; ++i) r.Descripcion.push_back("linea " + std::to_string(i) + " version " + std::to_string(v));
        for (const char* s : {"y", "a", "x", "b"}) r.Filas.push_back({s, "d" + std::to_string(v), "1", "m", "Longitud=m", "", ""});
        r.Marcada = 0;
        GuardarFormula(*AbrirGrupo(c / "Grupo.fcm"), "F", r);
    });
}

}  // namespace

const std::vector<TipoArchivo>& TiposArchivo() {
    static const std::vector<TipoArchivo> tipos{
        {"numbrix.ini", Sesion},
        {"expr.lst", [](const fs::path& c, int v) { return Historia(c, "expr.lst", v); }},
        {"expq.lst", [](const fs::path& c, int v) { return Historia(c, "expq.lst", v); }},
        {"expc.lst", [](const fs::path& c, int v) { return Historia(c, "expc.lst", v); }},
        {"real.duf", [](const fs::path& c, int v) { return Ini(c, "real.duf", v); }},
        {"maguni.def", [](const fs::path& c, int v) { return Ini(c, "maguni.def", v); }},
        {"colores.ini", Colores},
        {"suce.ini", Sucesiones},
        {"tips.ini", Consejos},
        {"datos.gri", Rejilla},
        {"f.svg", [](const fs::path& c, int v) { return Imagen(c, "f.svg", v); }},
        {"f.png", [](const fs::path& c, int v) { return Imagen(c, "f.png", v); }},
        {"f.jpg", [](const fs::path& c, int v) { return Imagen(c, "f.jpg", v); }},
        {"Grupo.fcm", Formulas},
        {"primos.txt", Primos, true},
    };
    return tipos;
}

std::vector<std::string> Temporales(const fs::path& carpeta) {
    std::vector<std::string> t;
    for (const auto& e : fs::recursive_directory_iterator(carpeta))
        if (EsTemporalDeEscritura(e.path().filename().string())) t.push_back(e.path().filename().string());
    return t;
}

}  // namespace numbrix::prueba
