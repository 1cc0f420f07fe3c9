// The matrix window's operations: the first two bytes choose the action, the
// mode and the matrices; the rest, cut at 0x1E, fills A, B, C, R and the
// scalar or function text. A matrix or a message, within the deadline.
#include "Arnes.h"
#include "numbers/OperacionesMatriz.h"

using namespace numbrix;

NUMBRIX_ARNES(matrices) {
    if (entrada.size() < 2) return;
    PeticionMatriz p;
    const auto a = static_cast<unsigned char>(entrada[0]), b = static_cast<unsigned char>(entrada[1]);
    p.accion = static_cast<AccionMatriz>(a % (static_cast<int>(AccionMatriz::Cuadrado) + 1));
    p.complejo = b & 1;
    p.m = (b >> 1) & 3;
    p.operando = (b >> 3) & 3;
    p.modoFraccion = (b >> 5) % 3;
    p.ajustes.DenominadorMax = (a >> 4) ? 10 : 1000;
    std::string_view resto = entrada.substr(2);
    std::string funcion;
    for (int i = 0; i < 5; ++i) {
        const std::size_t corte = resto.find('\x1e');
        const std::string_view trozo = resto.substr(0, corte);
        if (i == 4) {
            funcion = std::string(trozo);
        } else {
            p.tablas[static_cast<std::size_t>(i)] = TablaVacia(i);
            if (!PegarEnTabla(trozo, p.tablas[static_cast<std::size_t>(i)])) p.tablas[static_cast<std::size_t>(i)].SetCelda(0, 0, LetraMatriz(i));
        }
        resto = corte == std::string_view::npos ? std::string_view{} : resto.substr(corte + 1);
    }
    TMotoresMatriz motores;
    if (p.accion == AccionMatriz::Escalar || p.accion == AccionMatriz::Funcion) {
        if (motores.Compilar(p.complejo, funcion.empty() ? "Val" : funcion, p.ajustes)) return;
        p.motores = &motores;
    }
    fuzz::Plazo plazo(300);
    TTrabajo* propio = nullptr;
    TTrabajo t([&](double, const std::string&) {
        if (plazo()) propio->Cancelar();
    });
    propio = &t;
    ResultadoMatriz r;
    const ResultadoTrabajo fin = EjecutarTrabajo([&](TTrabajo& j) { r = OperarMatriz(p, &j); }, t);
    fuzz::Exigir(fin.fin != FinTrabajo::Fallido, "una operación escapa con una excepción");
    if (fin.fin != FinTrabajo::Terminado || r.mensaje || r.destino < 0) return;
    fuzz::Exigir(r.tabla.Columnas() >= 2 && r.tabla.Filas() >= 2 && r.tabla.Columnas() <= 256 && r.tabla.Filas() <= 256,
                 "el resultado no cabe en una rejilla");
}
