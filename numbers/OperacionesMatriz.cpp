#include "numbers/OperacionesMatriz.h"

#include <algorithm>
#include <utility>

#include "numbers/MMatrix.h"

namespace numbrix {

namespace {

constexpr char kDistintasSuma[] = "No se pueden sumar matrices de distintas dimensiones";
constexpr char kDistintasResta[] = "No se pueden restar matrices de distintas dimensiones";
constexpr char kNoConformables[] = "Matrices no conformables para producto";
constexpr char kCuadrada[] = "La matriz debe ser cuadrada";

int ColumnasDe(const TTablaTextos& t) { return t.Columnas() - 1; }
int FilasDe(const TTablaTextos& t) { return t.Filas() - 1; }

// The job's progress as the eliminations poll it: `pasos` polls expected,
// each one a step (the fraction stops at 1 when they poll more).
class Avance {
public:
    Avance(TTrabajo* t, double pasos) : t_(t), pasos_(std::max(1.0, pasos)) {}
    TokenCancelar Token() {
        if (!t_) return {};
        return [this] {
            t_->Avanzar(std::min(1.0, ++hechos_ / pasos_));
            return false;
        };
    }
    void Paso() {
        if (t_) t_->Avanzar(std::min(1.0, ++hechos_ / pasos_));
    }

private:
    TTrabajo* t_;
    double pasos_;
    double hechos_ = 0;
};

TMatriz LeerQ(const TTablaTextos& t, const AjustesFraccion& a) { return TMatriz::CreateDesdeRejilla(ATablaMatriz(t), a); }

TMatrix LeerC(const TTablaTextos& t) {
    return TMatrix::CreateDesdeRejilla(ATablaMatriz(t), FilasDe(t), ColumnasDe(t), 1, 1);
}

void EnR(ResultadoMatriz& r, const PeticionMatriz& p, const TMatriz& m) {
    TablaTextos v = ATablaMatriz(p.tablas[kMatrizR]);
    m.ARejilla(v, p.modoFraccion);
    r.tabla = p.tablas[kMatrizR];
    DeTablaMatriz(v, r.tabla);
    r.destino = kMatrizR;
    r.racional = m;
}

void EnR(ResultadoMatriz& r, const PeticionMatriz& p, const TMatrix& m) {
    TablaTextos v = ATablaMatriz(p.tablas[kMatrizR]);
    m.ARejilla(v);
    r.tabla = p.tablas[kMatrizR];
    DeTablaMatriz(v, r.tabla);
    r.destino = kMatrizR;
}

// M's own texts changed without reading them as numbers.
void EnM(ResultadoMatriz& r, const PeticionMatriz& p, TTablaTextos t) {
    r.tabla = std::move(t);
    r.destino = p.m;
}

ResultadoMatriz Parar(std::string texto, IconoMatriz icono = IconoMatriz::Error) {
    ResultadoMatriz r;
    r.mensaje = MensajeMatriz{std::move(texto), icono};
    return r;
}

// Checks made on the grids' sizes before reading any cell.
std::optional<std::string> ComprobarTamanos(const PeticionMatriz& p) {
    const TTablaTextos &m = p.tablas[static_cast<std::size_t>(p.m)], &o = p.tablas[static_cast<std::size_t>(p.operando)];
    const bool igual = ColumnasDe(m) == ColumnasDe(o) && FilasDe(m) == FilasDe(o);
    switch (p.accion) {
        case AccionMatriz::Suma: if (!igual) return kDistintasSuma; break;
        case AccionMatriz::Resta: if (!igual) return kDistintasResta; break;
        case AccionMatriz::Producto: if (ColumnasDe(m) != FilasDe(o)) return kNoConformables; break;
        case AccionMatriz::Cuadrado: if (ColumnasDe(m) != FilasDe(m)) return kCuadrada; break;
        default: break;
    }
    return std::nullopt;
}

// The engine's value for the current variables; its failure as an exception.
template <class D>
typename D::Valor Evaluar(TExpresion<D>& e) {
    auto v = e.Valor();
    if (e.Cancelado) throw ECancelado();
    if (e.HayError) throw ENumbrix(e.Mensaje);
    return v;
}

// The engine polls the job while it evaluates, and nothing else after.
template <class D>
struct CancelarMotor {
    TExpresion<D>& e;
    TokenCancelar antes;
    CancelarMotor(TExpresion<D>& motor, TokenCancelar t) : e(motor), antes(std::exchange(motor.Cancelar, std::move(t))) {}
    ~CancelarMotor() { e.Cancelar = std::move(antes); }
};

ResultadoMatriz OperarQ(const PeticionMatriz& p, TTrabajo* t) {
    ResultadoMatriz r;
    const TTablaTextos& tm = p.tablas[static_cast<std::size_t>(p.m)];
    TMatriz m = LeerQ(tm, p.ajustes);
    // The eliminations poll once per row below each pivot (half of n x n
    // steps), Gauss-Jordan once per other row (all of them).
    const double n = m.Filas(), mitad = n * (n - 1) / 2;
    switch (p.accion) {
        case AccionMatriz::Determinante: {
            Avance a(t, mitad);
            r.determinante = TMatriz::Determinante(m, a.Token()).ATextoModo(p.modoFraccion);
            break;
        }
        case AccionMatriz::Triangular: {
            const double k = std::min(m.Filas(), m.Columnas());
            Avance a(t, k * (n - 1) - k * (k - 1) / 2);
            m.Triangula(a.Token());
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Invertir: {
            Avance a(t, 2 * mitad);
            m.Invierte(a.Token());
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Resolver: {
            Avance a(t, 2 * mitad);  // a singular one goes on to triangulate at 100 %
            std::string pregunta;
            auto x = m.Resuelve(
                [&](const std::string&, const std::string& texto) {
                    pregunta = texto;
                    return true;  // the triangulation comes back; the user is asked after the job
                },
                a.Token());
            if (x) EnR(r, p, *x);
            r.pregunta = pregunta;
            break;
        }
        case AccionMatriz::Escalar: {
            auto& e = p.motores->Q();
            CancelarMotor<DominioRacional> c(e, t ? t->Token() : TokenCancelar{});
            m.PorEscalar(Evaluar(e));
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Funcion: {
            auto& e = p.motores->Q();
            CancelarMotor<DominioRacional> c(e, t ? t->Token() : TokenCancelar{});
            Avance a(t, m.Filas());
            TMatriz s(m.Columnas(), m.Filas());
            for (int fila = 1; fila <= m.Filas(); ++fila) {
                a.Paso();
                for (int col = 1; col <= m.Columnas(); ++col) {
                    p.motores->valQ->AsignarValor(m.Elemento(col, fila));
                    p.motores->mQ->AsignarValor(TFrac(col));
                    p.motores->nQ->AsignarValor(TFrac(fila));
                    s.PonElemento(col, fila, Evaluar(e));
                }
            }
            EnR(r, p, s);
            break;
        }
        case AccionMatriz::Suma:
        case AccionMatriz::Resta: {
            TMatriz o = LeerQ(p.tablas[static_cast<std::size_t>(p.operando)], p.ajustes);
            if (p.accion == AccionMatriz::Suma) m.Suma(o);
            else m.Resta(o);
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Producto: {
            TMatriz o = LeerQ(p.tablas[static_cast<std::size_t>(p.operando)], p.ajustes);
            Avance a(t, m.Filas());
            EnR(r, p, TMatriz::Producto(m, o, a.Token()));
            break;
        }
        case AccionMatriz::Cuadrado: {
            Avance a(t, m.Filas());
            EnR(r, p, TMatriz::Cuadrado(m, a.Token()));
            break;
        }
        default: break;
    }
    return r;
}

ResultadoMatriz OperarC(const PeticionMatriz& p, TTrabajo* t) {
    ResultadoMatriz r;
    const TTablaTextos& tm = p.tablas[static_cast<std::size_t>(p.m)];
    TMatrix m = LeerC(tm);
    // One poll per pivot: rows of the leading square block.
    const double n = std::min(m.Filas(), m.Columnas());
    switch (p.accion) {
        case AccionMatriz::Determinante: {
            Avance a(t, n);
            r.determinante = ComplejoATexto(m.Determinante(a.Token()));
            break;
        }
        case AccionMatriz::Triangular: {
            Avance a(t, n);
            m.Triangula(a.Token());
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Invertir: {
            if (m.Columnas() != m.Filas()) throw ErrorComplejo("La matriz no es cuadrada.");
            Avance a(t, 3 * n);
            if (CEsCero(m.Determinante(a.Token())) || !m.InvierteSiRegular(a.Token()))
                return Parar(kSinInversa, IconoMatriz::Informacion);
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Resolver: {
            const int filas = m.Filas(), columnas = m.Columnas();
            if (columnas <= filas) return Parar(Texto(Mensaje::MasColumnasConTilde));
            TMatrix coef(filas, filas), resto(columnas - filas, filas);
            for (int fila = 1; fila <= filas; ++fila)
                for (int col = 1; col <= columnas; ++col)
                    if (col <= filas) coef.PonElemento(col, fila, m.Elemento(col, fila));
                    else resto.PonElemento(col - filas, fila, m.Elemento(col, fila));
            Avance a(t, 4 * filas);  // determinant, elimination, back substitution, product
            if (CEsCero(coef.Determinante(a.Token())) || !coef.InvierteSiRegular(a.Token()))
                return Parar(kDeterminanteCero);
            EnR(r, p, TMatrix::Producto(coef, resto, a.Token()));
            break;
        }
        case AccionMatriz::Escalar: {
            auto& e = p.motores->C();
            CancelarMotor<DominioComplejo> c(e, t ? t->Token() : TokenCancelar{});
            const TComplejo v = Evaluar(e);
            TMatrix s(m.Columnas(), m.Filas());
            for (int fila = 1; fila <= m.Filas(); ++fila)
                for (int col = 1; col <= m.Columnas(); ++col) s.PonElemento(col, fila, CProducto(m.Elemento(col, fila), v));
            EnR(r, p, s);
            break;
        }
        case AccionMatriz::Funcion: {
            auto& e = p.motores->C();
            CancelarMotor<DominioComplejo> c(e, t ? t->Token() : TokenCancelar{});
            Avance a(t, m.Filas());
            TMatrix s(m.Columnas(), m.Filas());
            for (int fila = 1; fila <= m.Filas(); ++fila) {
                a.Paso();
                for (int col = 1; col <= m.Columnas(); ++col) {
                    p.motores->valC->AsignarValor(m.Elemento(col, fila));
                    p.motores->mC->AsignarValor({static_cast<long double>(col), 0});
                    p.motores->nC->AsignarValor({static_cast<long double>(fila), 0});
                    s.PonElemento(col, fila, Evaluar(e));
                }
            }
            EnR(r, p, s);
            break;
        }
        case AccionMatriz::Suma:
        case AccionMatriz::Resta: {
            TMatrix o = LeerC(p.tablas[static_cast<std::size_t>(p.operando)]);
            if (p.accion == AccionMatriz::Suma) m.Suma(o);
            else m.Resta(o);
            EnR(r, p, m);
            break;
        }
        case AccionMatriz::Producto: {
            TMatrix o = LeerC(p.tablas[static_cast<std::size_t>(p.operando)]);
            Avance a(t, m.Filas());
            EnR(r, p, TMatrix::Producto(m, o, a.Token()));
            break;
        }
        case AccionMatriz::Cuadrado: {
            Avance a(t, m.Filas());
            EnR(r, p, TMatrix::Producto(m, m, a.Token()));
            break;
        }
        default: break;
    }
    return r;
}

}  // namespace

const char* LetraMatriz(int i) {
    static const char* const kLetras[] = {"A", "B", "C", "R"};
    return i >= 0 && i < 4 ? kLetras[i] : "";
}

TablaTextos ATablaMatriz(const TTablaTextos& t) {
    TablaTextos v(static_cast<std::size_t>(std::max(0, t.Filas())));
    for (int f = 0; f < t.Filas(); ++f) {
        auto& fila = v[static_cast<std::size_t>(f)];
        fila.reserve(static_cast<std::size_t>(t.Columnas()));
        for (int c = 0; c < t.Columnas(); ++c) fila.push_back(t.Celda(c, f));
    }
    return v;
}

void DeTablaMatriz(const TablaTextos& v, TTablaTextos& t) {
    std::size_t columnas = 0;
    for (const auto& fila : v) columnas = std::max(columnas, fila.size());
    t.Redimensionar(static_cast<int>(columnas), static_cast<int>(v.size()));
    for (std::size_t f = 0; f < v.size(); ++f)
        for (std::size_t c = 0; c < columnas; ++c)
            if (f > 0 && c > 0) t.SetCelda(static_cast<int>(c), static_cast<int>(f), c < v[f].size() ? v[f][c] : std::string());
}

TMotoresMatriz::TMotoresMatriz() {
    q_.SetPredefinidas(true);
    c_.SetPredefinidas(true);
    q_.Silencioso = c_.Silencioso = true;
    valQ = q_.AgregarVariable("Val");
    mQ = q_.AgregarVariable("m");
    nQ = q_.AgregarVariable("n");
    valC = c_.AgregarVariable("Val");
    mC = c_.AgregarVariable("m");
    nC = c_.AgregarVariable("n");
}

std::optional<MensajeMatriz> TMotoresMatriz::Compilar(bool complejo, const std::string& texto,
                                                      const AjustesFraccion& ajustes) {
    auto fallo = [](const auto& e) -> std::optional<MensajeMatriz> {
        if (e.HayError || !e.Arbol) return MensajeMatriz{e.Mensaje.empty() ? e.MensajeCompilacion : e.Mensaje};
        return std::nullopt;
    };
    if (complejo) {
        c_.SetTexto(texto);
        return fallo(c_);
    }
    if (q_.Ajustes.extra.DenominadorMax != ajustes.DenominadorMax) {
        q_.Ajustes.extra = ajustes;
        ++q_.Ajustes.cambios;
    }
    q_.SetTexto(texto);
    return fallo(q_);
}

ResultadoMatriz OperarMatriz(const PeticionMatriz& p, TTrabajo* trabajo) {
    if (auto m = ComprobarTamanos(p)) return Parar(*m);
    const TTablaTextos& tm = p.tablas[static_cast<std::size_t>(p.m)];
    try {
        ResultadoMatriz r;
        switch (p.accion) {
            case AccionMatriz::Vaciar: {
                TTablaTextos t = tm;
                for (int f = 1; f < t.Filas(); ++f)
                    for (int c = 1; c < t.Columnas(); ++c) t.SetCelda(c, f, "");
                EnM(r, p, std::move(t));
                return r;
            }
            case AccionMatriz::Identidad: {
                TTablaTextos t = tm;
                for (int f = 1; f < t.Filas(); ++f)
                    for (int c = 1; c < t.Columnas(); ++c) t.SetCelda(c, f, c == f ? "1" : "");
                EnM(r, p, std::move(t));
                return r;
            }
            case AccionMatriz::Trasponer: {
                TTablaTextos t(tm.Filas(), tm.Columnas());
                t.SetCelda(0, 0, tm.Celda(0, 0));
                for (int f = 1; f < tm.Filas(); ++f)
                    for (int c = 1; c < tm.Columnas(); ++c) t.SetCelda(f, c, tm.Celda(c, f));
                EnM(r, p, std::move(t));
                return r;
            }
            default: break;
        }
        if ((p.accion == AccionMatriz::Escalar || p.accion == AccionMatriz::Funcion) && !p.motores) return r;
        return p.complejo ? OperarC(p, trabajo) : OperarQ(p, trabajo);
    } catch (const ECancelado&) {
        throw;
    } catch (const std::exception& e) {
        return Parar(e.what());
    }
}

TTablaTextos TablaVacia(int indice) {
    TTablaTextos t(4, 4);
    t.SetCelda(0, 0, LetraMatriz(indice));
    return t;
}

CargaRejilla CargarRejillaMatriz(const std::filesystem::path& ruta) {
    CargaRejilla r;
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec)) return r;
    const std::string nombre = ruta.filename().string();
    TTablaTextos t;
    std::string error;
    if (!t.Cargar(ruta, &error)) {
        r.error = nombre + ": " + error;
        return r;
    }
    if (ColumnasDe(t) < 1 || FilasDe(t) < 1 || ColumnasDe(t) > kDimensionMaximaMatriz || FilasDe(t) > kDimensionMaximaMatriz) {
        r.error = nombre + ": " + kMensajeDimensiones;
        return r;
    }
    r.tabla = std::move(t);
    return r;
}

std::optional<MensajeMatriz> PegarEnTabla(std::string_view texto, TTablaTextos& t) {
    TTablaTextos n = t;
    std::string error;
    if (!n.LeerTextoGrid(texto, &error)) return MensajeMatriz{error.empty() ? kMensajeDimensiones : error};
    if (ColumnasDe(n) > kDimensionMaximaMatriz || FilasDe(n) > kDimensionMaximaMatriz) return MensajeMatriz{kMensajeDimensiones};
    t = std::move(n);
    return std::nullopt;
}

}  // namespace numbrix
