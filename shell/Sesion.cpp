#include "shell/Sesion.h"

#include <chrono>
#include <cmath>

namespace numbrix {

TSesion::TSesion() {
    azar_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int i = 0; i < kNumPreguntas; ++i) variables_[i].letra = kLetrasPregunta[i];
    principal_.SetPredefinidas(true);
    principal_.Silencioso = true;
    auxiliar_.SetPredefinidas(true);
    auxiliar_.Silencioso = true;  // its messages reach the user through the prompt
    // The main window's default comparison tolerance ("MaxDif").
    SetTolerancia(1e-15L);
    auto cancelar = [this] { return Cancelar && Cancelar(); };
    principal_.Cancelar = cancelar;
    auxiliar_.Cancelar = cancelar;
    RegistrarVocabulario();
}

void TSesion::SetTolerancia(long double t) {
    principal_.Ajustes.tolerancia = t;
    auxiliar_.Ajustes.tolerancia = t;
}

void TSesion::SetAngulo(int angulo) {
    principal_.SetAngulo(angulo);
    auxiliar_.SetAngulo(angulo);
}

void TSesion::SetFormatoDigitos(int digitos) {
    if (digitos == 100 || digitos < 0 || digitos > 16 || digitos % 2 != 0) {
        Formato.Decimales = 16;
        Formato.QuitarCeros = true;
    } else {
        Formato.Decimales = digitos;
        Formato.QuitarCeros = false;
    }
}

VariablePregunta* TSesion::Variable(char letra) {
    for (auto& v : variables_)
        if (v.letra == letra) return &v;
    return nullptr;
}

void TSesion::RegistrarVocabulario() {
    incognita_ = principal_.AgregarVariable("?");
    principal_.AgregarFuncion0("Rst/Ans", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
    for (auto& v : variables_) {
        VariablePregunta* p = &v;
        principal_.AgregarFuncion0(std::string(1, v.letra), [this, p](ContextoX&) { return LeerPregunta(*p); }, "",
                                   MakeVariable);
    }
    auxiliar_.AgregarFuncion0("Rst", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
}

long double TSesion::LeerPregunta(VariablePregunta& v) {
    if (v.preguntada) return v.valor;
    // A variable being asked reads as an error inside its own answer, and
    // answers never nest deeply.
    if (preguntando_ > 8) throw EExprMsj("Demasiadas preguntas anidadas");
    std::string error;
    while (true) {
        if (!Preguntar) throw EExprMsj("Cálculo cancelado");
        RespuestaPregunta r = Preguntar(v.letra, v.recordado, error);
        if (r.accion == RespuestaPregunta::Cancelar) throw EExprMsj("Cálculo cancelado");
        if (r.accion == RespuestaPregunta::Fallar) throw EExprMsj(r.texto);
        std::string texto = r.texto;
        if (texto.size() > 255) texto.resize(255);
        v.recordado = texto;
        ++preguntando_;
        v.preguntada = true;  // while answering, the letter itself is not asked again
        long double valor = 0;
        try {
            auxiliar_.SetTexto(texto);
            valor = auxiliar_.Valor();
        } catch (...) {
            --preguntando_;
            v.preguntada = false;
            throw;
        }
        --preguntando_;
        v.preguntada = false;
        if (!auxiliar_.HayError) {
            v.valor = valor;
            v.preguntada = true;
            NotaAsignacion += '{';
            NotaAsignacion += v.letra;
            NotaAsignacion += '=';
            NotaAsignacion += texto;
            NotaAsignacion += "} ";
            return valor;
        }
        error = auxiliar_.Mensaje;
    }
}

std::string TSesion::TextoResultado(long double v) const {
    return RealABase(Formato.BaseDefecto, v, Formato);
}

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
    if (expresion.empty()) {
        r.vacio = true;
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
    principal_.SetTexto(expresion);

    long double valor = 0;
    if (!principal_.HayError) {
        if (principal_.ContieneVariable(incognita_.get())) valor = principal_.ResolverPara(incognita_.get());
        else valor = principal_.Valor();
    }
    r.codigo = principal_.CodigoError;
    if (principal_.HayError) {
        r.error = true;
        r.texto = principal_.Mensaje;
        return r;
    }
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
    return r;
}

}  // namespace numbrix
