#pragma once
// TExpresion: the engine object over a value domain. It keeps the text,
// compiles it into a tree (ExprCompilador.h), evaluates it with caching,
// solves it for a variable and owns (or shares through Padre) the registry
// of names. The three engines are instantiations of this one template.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ExprBase.h"
#include "support/Notificador.h"
#include "support/Trabajo.h"

namespace numbrix {

// Case-insensitive (ASCII) order of the registry: "SEN" finds "sen".
struct MenorSinCaso {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
            if (x != y) return x < y;
        }
        return a.size() < b.size();
    }
};

bool IgualSinCaso(std::string_view a, std::string_view b);
// Replaces every whole-name occurrence of nombre (ignoring case) with
// reemplazo, as one sub-expression: a compound replacement is put in
// parentheses, and a product sign is added where juxtaposition would glue it
// to a number or a parenthesis.
std::string ReemplazarNombre(std::string_view texto, std::string_view nombre, std::string_view reemplazo);

template <class D>
struct Registro {
    std::map<std::string, std::shared_ptr<TMake<D>>, MenorSinCaso> Nombres;
    bool Listo = false;
};

template <class D>
class Compilador;

template <class D>
class TExpresion {
public:
    using V = typename D::Valor;
    using Ctx = ContextoEval<D>;
    using Buscador = std::function<bool(std::string_view nombre, V& valor)>;

    // `compartidos`: the settings of the session that owns this engine,
    // read by all its engines; none, the engine's own.
    explicit TExpresion(AjustesMotor<D>* compartidos = nullptr);
    ~TExpresion();
    TExpresion(const TExpresion&) = delete;
    TExpresion& operator=(const TExpresion&) = delete;

    // ---- configuration (before the registry is first filled)
    void SetPadre(TExpresion* padre);
    TExpresion* Padre() const { return padre_; }
    void SetPredefinidas(bool p);
    bool Predefinidas() const { return predefinidas_; }
    bool Silencioso = false;
    bool SinEnvoltura = false;        // expand user functions without a TFunUser node
    Buscador BuscarExterno1, BuscarExterno2;  // host look-ups for unknown names
    ProcMedir<D> MedirExterno;
    ProcDibujar<D> DibujarExterno;
    std::function<void(TExpresion&)> AlCambiar;
    Notificador Notificar;             // where a non-silent engine reports errors
    TokenCancelar Cancelar;            // polled by long loops; true cancels (a job's Token())

private:
    AjustesMotor<D> propios_;

public:
    // Settings that evaluation reads: tolerance, truth values, angle unit.
    // A change of what folding depends on counts in Ajustes.cambios.
    AjustesMotor<D>& Ajustes;

    // ---- registration ("a/b" registers one entry under both names)
    void AgregarConstante(std::string_view nombres, std::string_view descripcion, const V& valor);
    // A new variable cell, or the one already registered under that name.
    // Raises ENumbrix when the name is taken by something that is not a variable.
    std::shared_ptr<TVariable<D>> AgregarVariable(std::string_view nombres);
    void AgregarFuncion0(std::string_view nombres, Fn0<D> f, std::string_view descripcion, int tipo = MakeFuncion0,
                         ProcMedir<D> medir = {}, ProcDibujar<D> dibujar = {}, bool constante = false);
    void AgregarFuncion1(std::string_view nombres, Fn1<D> f, Fn1<D> inversa, std::string_view descripcion,
                         ProcMedir<D> medir = {}, ProcDibujar<D> dibujar = {});
    // f empty: the logarithm operator node. Arguments arrive unevaluated.
    // volatil: never folded at compilation (functions that drive prompt values).
    void AgregarFuncionN(std::string_view nombres, FnN<D> f, std::string_view descripcion, int maxArgs, int minArgs,
                         ProcMedir<D> medir = {}, ProcDibujar<D> dibujar = {}, bool volatil = false);
    // Raises ECompilacion with a clear message for a malformed parameter list.
    void AgregarUsuario(std::string_view nombres, std::string_view cuerpo, std::string_view descripcion);

    // ---- text and value
    const std::string& Texto() const { return texto_; }
    void SetTexto(const std::string& texto);   // compiles at once when it changes
    void SetTextoValor(const V& v);            // the value written so that it reads back exactly
    UnidadAngulo Angulo() const { return Ajustes.angulo; }
    // Counts a change and compiles this engine's text again at once.
    void SetAngulo(UnidadAngulo angulo);

    V Valor();
    V Resultado{};
    bool Compilada = false;
    bool Forzar = false;
    bool HayError = false;
    numbrix::CodigoError CodigoError = numbrix::CodigoError::Sintaxis;
    bool Cancelado = false;  // the failure was a cancel (ECancelado)
    std::string Mensaje;
    std::string MensajeCompilacion;
    Ref<TEval<D>> Arbol;
    std::vector<std::pair<std::string, Ref<TEval<D>>>> Locales;
    // Names only this engine knows (never in a shared registry): every
    // compilation starts its locals from them.
    std::vector<std::pair<std::string, Ref<TEval<D>>>> LocalesFijos;

    bool ContieneVariable(const TVariable<D>* v) const;
    V ResolverPara(const TVariable<D>* v);
    // Compiles, evaluates once and releases a text without touching Texto,
    // Arbol or the locals. An evaluation failure propagates to the caller; a
    // text that does not compile gives 0 (after reporting, unless silent).
    V EvaluarTexto(const std::string& texto);
    bool AridadDe(std::string_view nombre, int& minArgs, int& maxArgs);
    const TMake<D>* Buscar(std::string_view nombre);
    // Every registered name with its entry, in registry order.
    std::vector<std::pair<std::string, const TMake<D>*>> Identificadores();
    void ReiniciarFunciones();

    // A fresh evaluation context over this engine's settings.
    Ctx NuevoContexto();
    std::mt19937_64& Azar() { return azar_; }

    Registro<D>& RegistroNombres();  // filled on first need

private:
    friend class Compilador<D>;
    Ref<TEval<D>> Compilar(const std::string& texto, bool conservarLocales);
    void LlenarRegistro(Registro<D>& r);
    bool PredefinidasRaiz() const;
    void Agregar(std::string_view nombres, const std::shared_ptr<TMake<D>>& m);
    void Informar(const std::string& m);
    // The code of a failure and the text to show for it; notes a cancel.
    void Fallo(const std::exception& e, bool compilando);
    void SinFallo() {
        HayError = Cancelado = false;
        CodigoError = numbrix::CodigoError::Sintaxis;
    }
    bool Fresco() const;
    void RecogerVariables();
    // Compiles the text again when the settings changed since it was
    // compiled; true when it did.
    bool AlDia();

    TExpresion* padre_ = nullptr;
    bool predefinidas_ = false;
    std::shared_ptr<Registro<D>> registro_;
    std::string texto_;
    std::mt19937_64 azar_;
    // What the cached result depends on: the tree's variables and whether it
    // holds never-fresh nodes.
    std::vector<std::shared_ptr<TVariable<D>>> variables_;
    bool volatil_ = true;
    std::uint64_t estampaResultado_ = 0;
    std::uint64_t cambiosCompilados_ = 0;  // Ajustes.cambios when the text was compiled
};

}  // namespace numbrix
