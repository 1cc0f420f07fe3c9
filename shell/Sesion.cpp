#include "shell/Sesion.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>

#include "shell/DibujoCalculo.h"
#include "shell/VelIni.h"
#include "support/Fecha.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

// Answers given while answering are evaluated one level deeper; a chain
// this long is a mistake, not a calculation.
constexpr int kMaxAnidamiento = 8;
constexpr std::size_t kMaxRespuesta = 255;  // characters kept of an answer

void AgregarLineas(std::vector<std::string>& informe, const std::string& texto) {
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) informe.push_back(l);
}

void AgregarInforme(std::vector<std::string>& informe, std::vector<std::string> mas) {
    informe.insert(informe.end(), std::make_move_iterator(mas.begin()), std::make_move_iterator(mas.end()));
}

}  // namespace

std::string TituloPregunta(char letra) { return std::string("Indique el valor de la variable ") + letra; }

std::string TextoRespuesta(const std::string& respuesta) { return Izquierda(respuesta, kMaxRespuesta); }

std::string PiezaNota(char letra, const std::string& texto) { return std::string("{") + letra + "=" + texto + "} "; }

TSesion::TSesion(Notificador aviso) : aviso_(std::move(aviso)) {
    azar_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int i = 0; i < kNumPreguntas; ++i) variables_[i].letra = kLetrasPregunta[i];
    principal_.SetPredefinidas(true);
    principal_.Silencioso = true;
    auxiliar_.SetPredefinidas(true);
    // The auxiliary engine's messages reach the user through the prompt (asked
    // again with the message) and the notifier (user constants).
    auxiliar_.Silencioso = true;
    SetTolerancia(Ajustes.MaxDif);
    auto cancelar = [this] { return Cancelar && Cancelar(); };
    principal_.Cancelar = cancelar;
    auxiliar_.Cancelar = cancelar;
    auto dibujo = [](ProcsDibujoCalculo p) { return DibujoFuncion{std::move(p.first), std::move(p.second)}; };
    Dibujos = {dibujo(DibujoIntegral()), dibujo(DibujoSumatoria()), dibujo(DibujoProducto())};
    RegistrarVocabulario();
}

void TSesion::SetTolerancia(long double t) {
    principal_.Ajustes.tolerancia = t;
    auxiliar_.Ajustes.tolerancia = t;
    for (auto& m : anidados_) m->Ajustes.tolerancia = t;
}

void TSesion::SetAngulo(int angulo) {
    principal_.SetAngulo(angulo);
    auxiliar_.SetAngulo(angulo);
    for (auto& m : anidados_) m->SetAngulo(angulo);
}

void TSesion::SetFormatoDigitos(int digitos) {
    if (digitos == AjustesCalculadora::kDigitosFlotante || digitos < 0 || digitos > 16 || digitos % 2 != 0) {
        Formato.Decimales = 16;
        Formato.QuitarCeros = true;
    } else {
        Formato.Decimales = digitos;
        Formato.QuitarCeros = false;
    }
}

int TSesion::Digitos() const { return Formato.QuitarCeros ? AjustesCalculadora::kDigitosFlotante : Formato.Decimales; }

VariablePregunta* TSesion::Variable(char letra) {
    for (auto& v : variables_)
        if (v.letra == letra) return &v;
    return nullptr;
}

// ---------------------------------------------------------------- vocabulary

void TSesion::RegistrarVocabulario() {
    principal_.ReiniciarFunciones();
    auxiliar_.ReiniciarFunciones();
    VariablePregunta& x = *Variable('x');
    VariablePregunta& n = *Variable('n');

    // The user's definitions are read first: a one-letter constant or
    // function of the user's takes the place of that prompt variable.
    DefinicionesUsuario defs;
    if (!carpeta_.empty()) {
        std::filesystem::path duf = carpeta_ / "real.duf";
        std::error_code ec;
        if (std::filesystem::exists(duf, ec)) {
            OpcionesIni opciones;
            opciones.GuardarAlCerrar = modo_ == ModoDatos::Reparar;
            TVelIniFile archivo(duf, {}, std::move(opciones));
            if (archivo.Informe().HayProblemas() && aviso_) {
                // Read only, it is never rewritten: no copy to announce.
                InformeCarga informe = archivo.Informe();
                if (modo_ == ModoDatos::SoloLectura) informe.CopiaSeguridad.clear();
                aviso_(NivelAviso::Advertencia, informe.Texto(duf));
            }
            defs = LeerDefiniciones(archivo);
        }
    }
    auto redefinida = [&defs](char letra) {
        for (const auto* lista : {&defs.constantes, &defs.funciones})
            for (const auto& d : *lista)
                if (d.nombre.size() == 1 && IgualSinCaso(d.nombre, std::string_view(&letra, 1))) return true;
        return false;
    };

    // The main engine, in the order the insert menu and the completion list show.
    incognita_ = principal_.AgregarVariable("?");
    for (int i = 0; i < TMemorias::Cantidad; ++i)
        principal_.AgregarFuncion0(
            TMemorias::Nombre(i), [this, i](ContextoX&) { return Memorias.Valor(i); }, "Memoria" + std::to_string(i));
    principal_.AgregarFuncion0("Rst/Ans", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
    principal_.AgregarFuncion0("Ahora/Now", [](ContextoX&) { return AhoraEnDias(); }, "Dia y hora del sistema");
    for (auto& v : variables_) {
        if (redefinida(v.letra)) continue;
        VariablePregunta* p = &v;
        principal_.AgregarFuncion0(std::string(1, v.letra), [this, p](ContextoX&) { return LeerPregunta(*p); }, "",
                                   MakeVariable);
    }
    RegistrarCalculo(principal_, x, n, true, Dibujos);

    for (int i = 0; i < TMemorias::Cantidad; ++i)
        auxiliar_.AgregarFuncion0(
            TMemorias::Nombre(i), [this, i](ContextoX&) { return Memorias.Valor(i); }, "Memoria" + std::to_string(i));
    auxiliar_.AgregarFuncion0("Rst", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
    for (VariablePregunta* p : {&n, &x}) {
        if (redefinida(p->letra)) continue;
        auxiliar_.AgregarFuncion0(std::string(1, p->letra), [this, p](ContextoX&) { return LeerPregunta(*p); }, "",
                                  MakeVariable);
    }
    RegistrarCalculo(auxiliar_, x, n, false, Dibujos);

    // A user constant is computed with the plain truth values, not those of
    // the last evaluation.
    const AjustesMotor<DominioReal> llanos;
    auxiliar_.Ajustes.verdadero = llanos.verdadero;
    auxiliar_.Ajustes.falso = llanos.falso;
    NombresUsuario = RegistrarDefiniciones(defs, principal_, auxiliar_, aviso_);
    definiciones_ = std::move(defs);
}

void TSesion::RegistrarNombresEn(TExpresionX& e) {
    for (int i = 0; i < TMemorias::Cantidad; ++i)
        e.AgregarFuncion0(
            TMemorias::Nombre(i), [this, i](ContextoX&) { return Memorias.Valor(i); }, "Memoria" + std::to_string(i));
    e.AgregarFuncion0("Rst/Ans", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
    e.AgregarFuncion0("Ahora/Now", [](ContextoX&) { return AhoraEnDias(); }, "Dia y hora del sistema");
    RegistrarCalculo(e, *Variable('x'), *Variable('n'), true, Dibujos);
    // The definitions' values come from this session's auxiliary engine.
    RegistrarDefiniciones(definiciones_, e, auxiliar_, {});
}

// ---------------------------------------------------------------- prompts

TExpresionX& TSesion::MotorRespuesta(int nivel) {
    if (nivel == 0) return auxiliar_;
    while (static_cast<int>(anidados_.size()) < nivel) {
        // Same vocabulary, a tree of its own: the answer being evaluated one
        // level up keeps its tree while this one is compiled.
        auto m = std::make_unique<TExpresionX>();
        m->SetPadre(&auxiliar_);
        m->Silencioso = true;
        m->Cancelar = auxiliar_.Cancelar;
        anidados_.push_back(std::move(m));
    }
    TExpresionX& m = *anidados_[static_cast<std::size_t>(nivel - 1)];
    m.Ajustes.tolerancia = auxiliar_.Ajustes.tolerancia;
    m.Ajustes.verdadero = auxiliar_.Ajustes.verdadero;
    m.Ajustes.falso = auxiliar_.Ajustes.falso;
    m.SetAngulo(auxiliar_.Angulo());
    return m;
}

long double TSesion::LeerPregunta(VariablePregunta& v) {
    if (v.preguntada) return v.valor;
    // Read inside its own answer, the variable would ask the same question
    // again without end: that answer is refused and asked again.
    if (std::find(respondiendo_.begin(), respondiendo_.end(), v.letra) != respondiendo_.end())
        throw EExprMsj(std::string("La variable ") + v.letra + " no puede usarse en su propio valor");
    if (preguntando_ >= kMaxAnidamiento) throw EExprMsj("Demasiadas preguntas anidadas");
    std::string error;
    while (true) {
        if (!Preguntar) throw ECancelado();
        RespuestaPregunta r = Preguntar(v.letra, v.recordado, error);
        if (r.accion == RespuestaPregunta::Cancelar) throw ECancelado();
        if (r.accion == RespuestaPregunta::Fallar) throw EExprMsj(r.texto);
        std::string texto = TextoRespuesta(r.texto);
        v.recordado = texto;

        long double valor = 0;
        bool fallo = false, cancelado = false;
        std::string mensaje;
        {
            TExpresionX& motor = MotorRespuesta(preguntando_);
            ++preguntando_;
            respondiendo_.push_back(v.letra);
            struct Salida {
                TSesion& s;
                ~Salida() {
                    --s.preguntando_;
                    s.respondiendo_.pop_back();
                }
            } salida{*this};
            // Compiled anew even when it is last time's answer: its constant
            // parts (comparisons among them) fold with this evaluation's
            // truth values.
            motor.SetTexto(std::string());
            motor.SetTexto(texto);
            if (!motor.HayError) valor = motor.Valor();
            fallo = motor.HayError;
            cancelado = motor.Cancelado;
            mensaje = motor.Mensaje;
        }
        // A cancel inside an answer ends the whole evaluation; it is not an
        // answer to ask again.
        if (fallo && (cancelado || (Cancelar && Cancelar())))
            throw ECancelado();
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

std::string TSesion::TextoResultado(long double v) const { return RealABase(Formato.BaseDefecto, v, Formato); }

std::string TSesion::Pista(const std::string& texto, long double v) const {
    std::string p = "Resultado: " + texto;
    if (Formato.BaseDefecto != 10) {
        FormatoNumero decimal = Formato;
        decimal.BaseDefecto = 10;
        p += "\n(Decimal: " + RealABase(10, v, decimal) + ")";
    }
    return p;
}

ResultadoEvaluacion TSesion::Evaluar(const std::string& expresion) {
    ResultadoEvaluacion r;
    NotaAsignacion.clear();
    for (auto& v : variables_) v.preguntada = false;
    ultimaExpresion_ = expresion;
    if (expresion.empty()) {
        r.vacio = true;
        ultima_ = r;
        return r;
    }
    // Fresh truth values for every evaluation, so that no ordinary number is
    // taken for one: true is positive, false negative, both random.
    std::uniform_real_distribution<long double> u(0.0L, 1.0L);
    std::uniform_int_distribution<int> k(0, 99);
    auto positivo = [&] {
        long double x;
        do x = u(azar_); while (x <= 0);
        return x;
    };
    principal_.SetTextoValor(UltimoResultado);
    principal_.Ajustes.verdadero = std::ldexp(positivo(), k(azar_));
    principal_.Ajustes.falso = -std::ldexp(positivo(), k(azar_));
    // A comparison in a prompt answer is a truth value of this evaluation
    // too (answers inside answers take them from the auxiliary engine).
    auxiliar_.Ajustes.verdadero = principal_.Ajustes.verdadero;
    auxiliar_.Ajustes.falso = principal_.Ajustes.falso;
    principal_.SetTexto(expresion);

    long double valor = 0;
    if (!principal_.HayError) {
        if (principal_.ContieneVariable(incognita_.get())) valor = principal_.ResolverPara(incognita_.get());
        else valor = principal_.Valor();
    }
    r.codigo = principal_.CodigoError;
    r.cancelado = principal_.Cancelado;
    if (principal_.HayError) {
        r.error = true;
        r.texto = principal_.Mensaje;
    } else {
        UltimoResultado = valor;
        r.valor = valor;
        if (valor == principal_.Ajustes.verdadero) {
            r.texto = "Verdadero";
            r.verdad = true;
        } else if (valor == principal_.Ajustes.falso) {
            r.texto = "Falso";
            r.verdad = true;
        } else {
            r.texto = TextoResultado(valor);
        }
        r.pista = Pista(r.texto, valor);
    }
    if (r.codigo == CodigoError::Sintaxis || r.codigo >= CodigoError::Mensaje) Historial.Agregar(expresion);
    ultima_ = r;
    if (r.codigo == CodigoError::OperacionInvalida && AlFallarEnReales) AlFallarEnReales(expresion);
    return r;
}

TListaResultados::Registro TSesion::Registrar() {
    if (ultima_.vacio || ultima_.error) return {};
    return Lista.Registrar(ultimaExpresion_, ultima_.texto, NotaAsignacion, Angulo(), ultima_.valor, !ultima_.verdad);
}

ResultadoEvaluacion TSesion::Calcular(const std::string& expresion) {
    ResultadoEvaluacion r = Evaluar(expresion);
    Registrar();
    return r;
}

ResultadoEvaluacion TSesion::CambiarAngulo(int angulo, const std::string& expresion) {
    SetAngulo(angulo);
    ResultadoEvaluacion r = Evaluar(expresion);
    // The repeated result is listed again but must not count twice.
    Lista.QuitarAdicion(Registrar());
    return r;
}

namespace {

bool EsNumero(const ResultadoEvaluacion& r) { return !r.vacio && !r.error && !r.verdad; }

}  // namespace

void TSesion::CambiarBase(int base, const std::string& expresion) {
    if (base < 2 || base > 36) return;
    Formato.BaseDefecto = base;
    if (EsNumero(ultima_)) {
        ultima_.texto = TextoResultado(ultima_.valor);
        ultima_.pista = Pista(ultima_.texto, ultima_.valor);
    }
    // The row shows what the expression box holds now, as the main window's
    // list always does.
    if (!expresion.empty()) ultimaExpresion_ = expresion;
    Lista.QuitarAdicion(Registrar());
}

void TSesion::CambiarDigitos(int digitos) {
    SetFormatoDigitos(digitos);
    if (EsNumero(ultima_)) {
        ultima_.texto = TextoResultado(ultima_.valor);
        ultima_.pista = Pista(ultima_.texto, ultima_.valor);
    }
}

void TSesion::CambiarNotacion(int notacion) {
    if (notacion < 0 || notacion > 2) return;
    Formato.Notacion = notacion;
    CambiarDigitos(Digitos());
}

void TSesion::CambiarSeparador(bool agrupar) {
    Formato.Agrupar = agrupar;
    CambiarDigitos(Digitos());
}

// ---------------------------------------------------------------- data folder

void TSesion::TomarAjustes() {
    SetAngulo(Ajustes.FAngulo);
    Formato.Agrupar = Ajustes.SeparaMiles;
    Formato.BaseDefecto = Ajustes.BaseResultado;
    SetFormatoDigitos(Ajustes.Digitos);
    Formato.Notacion = Ajustes.ModoDigitos;
    SetTolerancia(Ajustes.MaxDif);
    Historial.SetMaxLista(Ajustes.MaxList);
}

void TSesion::AplicarAjustes() {
    Ajustes.FAngulo = Angulo();
    Ajustes.SeparaMiles = Formato.Agrupar;
    Ajustes.BaseResultado = Formato.BaseDefecto;
    Ajustes.Digitos = Digitos();
    Ajustes.ModoDigitos = Formato.Notacion;
}

std::vector<std::string> TSesion::Abrir(const std::filesystem::path& carpetaDatos, ModoDatos modo) {
    std::vector<std::string> informe;
    carpeta_ = carpetaDatos;
    modo_ = modo;
    ini_ = TAppIniFile::Abrir(carpeta_, aviso_, modo == ModoDatos::Reparar);
    if (ini_->Informe().HayProblemas()) AgregarLineas(informe, ini_->Informe().Texto(ini_->FileName()));
    AgregarInforme(informe, Ajustes.Leer(*ini_));
    TomarAjustes();
    AgregarInforme(informe, Memorias.Cargar(*ini_));
    AgregarInforme(informe, Lista.Cargar(*ini_));
    AgregarInforme(informe, Historial.Cargar(carpeta_ / THistorial::NombreArchivo));
    // The user definitions come with the vocabulary; their problems reach
    // the notifier and the report.
    struct Restaurar {
        Notificador& aviso;
        Notificador anterior;
        ~Restaurar() { aviso = std::move(anterior); }
    } restaurar{aviso_, aviso_};
    aviso_ = [&informe, anterior = restaurar.anterior](NivelAviso n, const std::string& m) {
        AgregarLineas(informe, m);
        if (anterior) anterior(n, m);
    };
    RegistrarVocabulario();
    return informe;
}

void TSesion::Guardar(bool conFormato) {
    if (!ini_) return;
    if (conFormato) AplicarAjustes();
    Ajustes.Escribir(*ini_);
    Memorias.Guardar(*ini_);
    Lista.Guardar(*ini_, Ajustes.MaxList);
    ini_->UpdateFile();
    Historial.Guardar(carpeta_ / THistorial::NombreArchivo);
}

}  // namespace numbrix
