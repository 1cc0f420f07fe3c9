#include "shell/SesionModo.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>

#include "shell/VelIni.h"
#include "support/angulos.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

constexpr std::size_t kMaxRespuesta = 255;  // characters kept of an answer

}  // namespace

std::string TituloPregunta(char letra) { return std::string("Indique el valor de la variable ") + letra; }

std::string TextoRespuesta(const std::string& respuesta) { return Izquierda(respuesta, kMaxRespuesta); }

std::string PiezaNota(char letra, const std::string& texto) { return std::string("{") + letra + "=" + texto + "} "; }

template <class D>
TSesionModo<D>::TSesionModo(const ModoSesion& modo, Notificador aviso)
    : aviso_(std::move(aviso)), modo_(modo), principal_(&ajustes_), auxiliar_(&ajustes_) {
    azar_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (char letra : modo_.letras) variables_.push_back(VariableP{letra});
    principal_.SetPredefinidas(true);
    auxiliar_.SetPredefinidas(true);
    // Both are silent: the main engine's messages become the result, the
    // auxiliary one's reach the user through the prompt (asked again with
    // the message) and the notifier (user constants).
    principal_.Silencioso = auxiliar_.Silencioso = true;
    auto cancelar = [this] {
        if (Progreso) Progreso();
        return Cancelar && Cancelar();
    };
    principal_.Cancelar = cancelar;
    auxiliar_.Cancelar = cancelar;
}

template <class D>
VariableDe<typename D::Valor>* TSesionModo<D>::Variable(char letra) {
    for (auto& v : variables_)
        if (v.letra == letra) return &v;
    return nullptr;
}

// ---------------------------------------------------------------- settings

template <class D>
void TSesionModo<D>::SetAngulo(UnidadAngulo angulo) {
    if (angulo == ajustes_.angulo) return;
    ajustes_.angulo = angulo;
    ++ajustes_.cambios;
}

template <class D>
void TSesionModo<D>::SetTolerancia(long double t) {
    ajustes_.tolerancia = t;
    ++ajustes_.cambios;
}

template <class D>
void TSesionModo<D>::SetAjustesDominio(const typename D::Extra& extra) {
    ajustes_.extra = extra;
    ++ajustes_.cambios;
}

// ---------------------------------------------------------------- vocabulary

template <class D>
bool TSesionModo<D>::Cede(char letra) const {
    if (!modo_.definicionesSobreLetras) return false;
    for (const auto* lista : {&definiciones_.constantes, &definiciones_.funciones})
        for (const auto& d : *lista)
            if (d.nombre.size() == 1 && IgualSinCaso(d.nombre, std::string_view(&letra, 1))) return true;
    return false;
}

template <class D>
void TSesionModo<D>::RegistrarVocabulario() {
    // Not under an evaluation's feet: its trees are the ones replaced.
    vocabularioPendiente_ = ocupada_;
    if (vocabularioPendiente_) return;
    principal_.ReiniciarFunciones();
    auxiliar_.ReiniciarFunciones();
    definiciones_ = {};
    std::error_code ec;
    if (!archivoDefiniciones_.empty() && std::filesystem::exists(archivoDefiniciones_, ec)) {
        OpcionesIni opciones;
        opciones.GuardarAlCerrar = repararDefiniciones_;
        TVelIniFile archivo(archivoDefiniciones_, {}, std::move(opciones));
        if (archivo.Informe().HayProblemas() && aviso_) {
            InformeCarga informe = archivo.Informe();
            if (!repararDefiniciones_) informe.CopiaSeguridad.clear();  // never rewritten: no copy to announce
            aviso_(NivelAviso::Advertencia, informe.Texto(archivoDefiniciones_));
        }
        definiciones_ = LeerDefiniciones(archivo);
    }

    incognita_ = principal_.AgregarVariable("?");
    for (auto& v : variables_) {
        VariableP* p = &v;
        const std::string letra(1, v.letra);
        for (TExpresion<D>* e : {&principal_, &auxiliar_}) {
            if (e == &auxiliar_ && modo_.auxiliares.find(v.letra) == std::string_view::npos) continue;
            if (Cede(v.letra)) continue;
            e->AgregarFuncion0(letra, [this, p](ContextoEval<D>&) { return LeerPregunta(*p); }, "", MakeVariable);
        }
    }
    RegistrarNombres(principal_, true);
    RegistrarNombres(auxiliar_, false);

    // A user constant is computed with the plain truth values, not those of
    // the last evaluation.
    const AjustesMotor<D> llanos;
    ajustes_.verdadero = llanos.verdadero;
    ajustes_.falso = llanos.falso;
    ++ajustes_.cambios;
    NombresUsuario = RegistrarDefiniciones(definiciones_, principal_, auxiliar_, aviso_);
}

template <class D>
void TSesionModo<D>::RegistrarVocabularioPendiente() noexcept {
    try {
        RegistrarVocabulario();
    } catch (const std::exception& e) {
        if (aviso_) aviso_(NivelAviso::Advertencia, e.what());
    }
}

template <class D>
std::vector<std::string> TSesionModo<D>::CargarDefiniciones(const std::filesystem::path& archivo, bool reparar) {
    archivoDefiniciones_ = archivo;
    repararDefiniciones_ = reparar;
    // What goes wrong reaches the notifier and the report.
    std::vector<std::string> informe;
    struct Restaurar {
        Notificador& aviso;
        Notificador anterior;
        ~Restaurar() { aviso = std::move(anterior); }
    } restaurar{aviso_, aviso_};
    aviso_ = [&informe, anterior = restaurar.anterior](NivelAviso n, const std::string& m) {
        std::istringstream in(m);
        for (std::string l; std::getline(in, l);)
            if (!l.empty()) informe.push_back(l);
        if (anterior) anterior(n, m);
    };
    RegistrarVocabulario();
    return informe;
}

template <class D>
void TSesionModo<D>::AplicarExterno2(TExpresion<D>& e) const {
    e.BuscarExterno2 = externo2_.buscar;
    e.MedirExterno = externo2_.buscar ? externo2_.medir : ProcMedir<D>{};
    e.DibujarExterno = externo2_.buscar ? externo2_.dibujar : ProcDibujar<D>{};
}

template <class D>
void TSesionModo<D>::PonerExterno2(typename TExpresion<D>::Buscador buscar, ProcMedir<D> medir,
                                   ProcDibujar<D> dibujar) {
    externo2_ = {std::move(buscar), std::move(medir), std::move(dibujar)};
    AplicarExterno2(principal_);
    AplicarExterno2(auxiliar_);
    for (auto& m : anidados_) AplicarExterno2(*m);
    ++ajustes_.cambios;  // what compiled as unknown may now be a name, and back
}

// ---------------------------------------------------------------- prompts

template <class D>
TExpresion<D>& TSesionModo<D>::MotorRespuesta(int nivel) {
    if (nivel == 0) return auxiliar_;
    while (static_cast<int>(anidados_.size()) < nivel) {
        // Same vocabulary and settings, a tree of its own: the answer being
        // evaluated one level up keeps its tree while this one is compiled.
        auto m = std::make_unique<TExpresion<D>>(&ajustes_);
        m->SetPadre(&auxiliar_);
        m->Silencioso = true;
        m->Cancelar = auxiliar_.Cancelar;
        AplicarExterno2(*m);
        anidados_.push_back(std::move(m));
    }
    return *anidados_[static_cast<std::size_t>(nivel - 1)];
}

template <class D>
typename D::Valor TSesionModo<D>::LeerPregunta(VariableP& v) {
    if (v.preguntada) return v.valor;
    // Read inside its own answer, the variable would ask the same question
    // again without end: that answer is refused and asked again.
    if (std::find(respondiendo_.begin(), respondiendo_.end(), v.letra) != respondiendo_.end())
        throw EExprMsj(std::string("La variable ") + v.letra + " no puede usarse en su propio valor");
    if (preguntando_ >= kMaxPreguntasAnidadas) throw EExprMsj("Demasiadas preguntas anidadas");
    std::string error;
    while (true) {
        if (!Preguntar) throw ECancelado();
        RespuestaPregunta r = Preguntar(v.letra, v.recordado, error);
        if (r.accion == RespuestaPregunta::Cancelar) throw ECancelado();
        if (r.accion == RespuestaPregunta::Fallar) throw EExprMsj(r.texto);
        std::string texto = TextoRespuesta(r.texto);
        v.recordado = texto;

        V valor{};
        bool fallo = false, cancelado = false;
        std::string mensaje;
        {
            TExpresion<D>& motor = MotorRespuesta(preguntando_);
            ++preguntando_;
            respondiendo_.push_back(v.letra);
            struct Salida {
                TSesionModo& s;
                ~Salida() {
                    --s.preguntando_;
                    s.respondiendo_.pop_back();
                }
            } salida{*this};
            // Its constant parts (comparisons among them) fold with this
            // evaluation's settings: a new count of them compiles it again.
            motor.SetTexto(texto);
            if (motor.Arbol) valor = motor.Valor();  // compiled: evaluated again, even after a failure
            fallo = motor.HayError;
            cancelado = motor.Cancelado;
            mensaje = motor.Mensaje;
        }
        // A cancel inside an answer ends the whole evaluation; it is not an
        // answer to ask again.
        if (fallo && (cancelado || (Cancelar && Cancelar()))) throw ECancelado();
        if (!fallo) {
            v.valor = valor;
            v.preguntada = true;
            NotaAsignacion += PiezaNota(v.letra, texto);
            return valor;
        }
        error = mensaje;
    }
}

// ---------------------------------------------------------------- evaluation

template <class D>
ResultadoBase TSesionModo<D>::Ejecutar(const std::string& expresion, V& valor) {
    ResultadoBase r;
    const Ocupacion ocupacion(*this);
    if (!ocupacion.Tomada()) {
        // Another window's evaluation is under way: its engines, answers and
        // last result are not ours to touch.
        r.error = r.ocupada = true;
        r.codigo = CodigoError::Mensaje;
        r.texto = Texto(Mensaje::SesionOcupada);
        return r;
    }
    NotaAsignacion.clear();
    for (auto& v : variables_) v.preguntada = false;
    if (expresion.empty()) {
        r.vacio = true;
        return r;
    }
    if (modo_.verdadesAlAzar) {
        // Fresh truth values for every evaluation, so that no ordinary number
        // is taken for one: true is positive, false negative, both random. A
        // comparison in a prompt answer is a truth value of this evaluation
        // too, as the engines share the settings.
        std::uniform_real_distribution<long double> u(0.0L, 1.0L);
        std::uniform_int_distribution<int> k(0, 99);
        auto positivo = [&] {
            long double x;
            do x = u(azar_); while (x <= 0);
            return std::ldexp(x, k(azar_));
        };
        ajustes_.verdadero = D::DeReal(positivo());
        ajustes_.falso = D::DeReal(-positivo());
        ++ajustes_.cambios;
    }
    principal_.SetTexto(expresion);
    // A text compiled before is evaluated again, whatever its last evaluation gave.
    if (principal_.Arbol) {
        if (principal_.ContieneVariable(incognita_.get())) valor = principal_.ResolverPara(incognita_.get());
        else valor = principal_.Valor();
    }
    r.error = principal_.HayError;
    r.codigo = principal_.CodigoError;
    r.cancelado = principal_.Cancelado;
    if (r.error) {
        r.texto = principal_.Mensaje;
    } else {
        UltimoResultado = valor;
        if (modo_.verdadesAlAzar && (valor == ajustes_.verdadero || valor == ajustes_.falso)) {
            r.verdad = true;
            r.texto = valor == ajustes_.verdadero ? "Verdadero" : "Falso";
        }
    }
    // A failure of code 20 and more (or a syntax one, to be mended) is still
    // worth keeping.
    if (!r.error || r.codigo == CodigoError::Sintaxis || r.codigo >= CodigoError::Mensaje) Historial.Agregar(expresion);
    return r;
}

template class TSesionModo<DominioReal>;
template class TSesionModo<DominioRacional>;
template class TSesionModo<DominioComplejo>;

// ---------------------------------------------------------------- fractions

TSesionQ::TSesionQ() : TSesionModo({.letras = "wxyz", .auxiliares = ""}, {}) { RegistrarVocabulario(); }

void TSesionQ::SetFraccion(AjustesFraccion a) {
    if (a.DenominadorMax == 0) a.DenominadorMax = 1;
    // A new maximum converts the literals anew: every engine compiles again.
    SetAjustesDominio(a);
}

ResultadoQ TSesionQ::Evaluar(const std::string& expresion) {
    ResultadoQ r;
    static_cast<ResultadoBase&>(r) = Ejecutar(expresion, r.valor);
    if (r.error || r.vacio) return r;
    r.texto = TextoResultado(r.valor);
    r.decimal = RealGeneral(r.valor.Valor(), 15);
    r.parteEntera = std::to_string(r.valor.ParteEntera()) + "+";
    const std::int64_t resto = r.valor.Resto();
    // |resto| < Den <= 2^32: exact in a long double, and never INT64_MIN.
    r.resto = static_cast<long double>(resto < 0 ? -resto : resto) / static_cast<long double>(r.valor.Den());
    return r;
}

// ---------------------------------------------------------------- complex numbers

TSesionC::TSesionC() : TSesionModo({.letras = "wxyz", .auxiliares = ""}, {}) { RegistrarVocabulario(); }

ResultadoC TSesionC::Evaluar(const std::string& expresion) {
    ResultadoC r;
    static_cast<ResultadoBase&>(r) = Ejecutar(expresion, r.valor);
    if (r.error || r.vacio) return r;
    r.texto = ComplejoATexto(r.valor);
    // Both parts are finite, but the modulus of huge parts may not be.
    const long double modulo = std::hypot(r.valor.Re, r.valor.Im);
    r.modulo = std::isfinite(modulo) ? RealGeneral(modulo, 8) : std::string();
    const long double arg = DeRadianes(Angulo(), CArgumento(r.valor));
    r.argumento = std::isfinite(arg) ? RealGeneral(arg, 8) : std::string();
    return r;
}

}  // namespace numbrix
