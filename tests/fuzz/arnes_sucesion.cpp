// The sequences tool: a text cut into five boxes and a mode runs at most
// 1,000 steps (a cancel deadline), never crashes, and a failed step leaves
// n and the newest term as they were.
#include "Arnes.h"
#include "tools/Sucesion.h"

using namespace numbrix;

NUMBRIX_ARNES(sucesion) {
    DefinicionSucesion d;
    std::string* cajas[] = {&d.F, &d.G, &d.H, &d.Sn, &d.Parada};
    std::size_t i = 0;
    for (char c : entrada) {
        if (c == '\n' && i < 5) ++i;
        else if (i < 5) *cajas[i] += c;
        else d.Modo = c & 1;
    }
    TSucesion s;
    s.SetModo(d.Modo);
    s.Compilar(d);
    fuzz::Exigir(s.K() >= d.Modo && s.K() <= 10, "k fuera de m..10");
    std::vector<long double> ini;
    for (int j = 1; j <= s.K(); ++j) ini.push_back(j);
    s.FijarIniciales(ini);
    fuzz::Exigir(s.N() == s.K(), "n no empieza en k");
    int pasos = 0;
    const fuzz::Plazo plazo(2000);
    std::vector<std::string> lineas;
    std::string m;
    const std::int64_t n = s.N();
    const long double t = s.Termino(0);
    if (s.Paso(&m) == FinSucesion::Error)
        fuzz::Exigir(s.N() == n && (s.Termino(0) == t || t != t), "un paso fallido cambió el estado");
    s.Correr([&] { return ++pasos > 1000 || plazo(); }, {}, lineas);
    lineas.clear();
    s.CorrerDetallado([&] { return ++pasos > 2000 || plazo(); }, lineas);
}
