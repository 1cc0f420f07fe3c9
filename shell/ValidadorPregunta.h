#pragma once
// What a value prompt accepts. A validator reads the typed text and either
// takes it, leaving the value it read where its owner asked, or refuses it
// with the reason the prompt shows before asking again. One validator
// evaluates with an engine (a session's auxiliary one, so the answer may
// use the session's names); the others read a plain decimal, a fraction or
// a complex number as their windows write them.
#include <functional>
#include <memory>
#include <string>

#include "numbers/MComplex.h"
#include "numbers/fraccion.h"
#include "shell/SesionModo.h"

namespace numbrix {

struct Veredicto {
    bool aceptada = true;
    std::string motivo;  // why it was refused
};

using ValidadorPregunta = std::function<Veredicto(const std::string& texto)>;

inline Veredicto Rechazo(std::string motivo) { return {false, std::move(motivo)}; }

// Compiles and evaluates `texto` with `motor`: the engine's message refuses
// it (also a cancelled evaluation). The engine keeps the text.
template <class D>
Veredicto EvaluarRespuesta(TExpresion<D>& motor, const std::string& texto, typename D::Valor& valor) {
    motor.SetTexto(TextoRespuesta(texto));
    typename D::Valor v{};
    if (motor.Arbol) v = motor.Valor();  // compiled: evaluated again even when the text did not change
    if (motor.HayError) return Rechazo(motor.Mensaje);
    valor = v;
    return {};
}

// `valor`, when given, receives the value of the answer taken. Never give it
// a session's auxiliary engine itself (see ValidadorSesion).
template <class D>
ValidadorPregunta ValidadorMotor(TExpresion<D>& motor, typename D::Valor* valor = nullptr) {
    return [&motor, valor](const std::string& texto) {
        typename D::Valor v{};
        Veredicto r = EvaluarRespuesta(motor, texto, v);
        if (r.aceptada && valor) *valor = v;
        return r;
    };
}

// With the names of the session's auxiliary engine, in an engine of its own:
// an answer that reads a prompt variable has the session evaluate that
// variable's answer with the auxiliary engine, which must not be the one
// evaluating. Prompt variables are asked afresh for every answer, and the
// session's assignment note is left as it was.
template <class D>
ValidadorPregunta ValidadorSesion(TSesionModo<D>& sesion, typename D::Valor* valor = nullptr) {
    auto motor = std::make_shared<TExpresion<D>>(&sesion.Auxiliar().Ajustes);
    motor->SetPadre(&sesion.Auxiliar());
    motor->Silencioso = true;
    motor->Cancelar = sesion.Auxiliar().Cancelar;
    return [motor, &sesion, valor](const std::string& texto) {
        for (auto& v : sesion.Variables()) v.preguntada = false;
        const std::string nota = sesion.NotaAsignacion;
        typename D::Valor v{};
        Veredicto r = EvaluarRespuesta(*motor, texto, v);
        sesion.NotaAsignacion = nota;
        if (r.aceptada && valor) *valor = v;
        return r;
    };
}

// [+-]digits[.digits][e[+-]digits], blanks around it ignored.
ValidadorPregunta ValidadorDecimal(long double* valor = nullptr);
// "a|b", "w|p|q", an integer or a decimal (turned into a fraction with the
// settings' largest denominator).
ValidadorPregunta ValidadorFraccion(AjustesFraccion ajustes = {}, TFrac* valor = nullptr);
// "2-3i", "i", "4"; empty is 0, as the complex window reads it.
ValidadorPregunta ValidadorComplejo(TComplejo* valor = nullptr);

}  // namespace numbrix
