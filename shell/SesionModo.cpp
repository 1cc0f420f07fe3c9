#include "shell/SesionModo.h"

#include <cmath>
#include <sstream>

#include "shell/DefinicionesUsuario.h"
#include "shell/VelIni.h"
#include "support/angulos.h"

namespace numbrix {

template <class D>
TSesionModo<D>::TSesionModo() {
    for (int i = 0; i < kNumPreguntasModo; ++i) variables_[i].letra = kLetrasModo[i];
    principal_.SetPredefinidas(true);
    principal_.Silencioso = true;
    auxiliar_.SetPredefinidas(true);
    auxiliar_.Silencioso = true;  // its messages reach the user through the prompt
    auto cancelar = [this] { return Cancelar && Cancelar(); };
    principal_.Cancelar = cancelar;
    auxiliar_.Cancelar = cancelar;
    incognita_ = principal_.AgregarVariable("?");
    for (auto& v : variables_) {
        VariableModo<V>* p = &v;
        principal_.AgregarFuncion0(std::string(1, v.letra), [this, p](ContextoEval<D>&) { return LeerPregunta(*p); },
                                   "", MakeVariable);
    }
}

template <class D>
VariableModo<typename D::Valor>* TSesionModo<D>::Variable(char letra) {
    for (auto& v : variables_)
        if (v.letra == letra) return &v;
    return nullptr;
}

template <class D>
typename D::Valor TSesionModo<D>::LeerPregunta(VariableModo<V>& v) {
    if (v.preguntada) return v.valor;
    if (preguntando_ > 8) throw EExprMsj("Demasiadas preguntas anidadas");
    std::string error;
    while (true) {
        if (!Preguntar) throw ECancelado();
        RespuestaPregunta r = Preguntar(v.letra, v.recordado, error);
        if (r.accion == RespuestaPregunta::Cancelar) throw ECancelado();
        if (r.accion == RespuestaPregunta::Fallar) throw EExprMsj(r.texto);
        std::string texto = TextoRespuesta(r.texto);
        v.recordado = texto;
        ++preguntando_;
        V valor{};
        try {
            auxiliar_.SetTexto(texto);
            valor = auxiliar_.Valor();
        } catch (...) {
            --preguntando_;
            throw;
        }
        --preguntando_;
        if (!auxiliar_.HayError) {
            v.valor = valor;
            v.preguntada = true;
            NotaAsignacion += PiezaNota(v.letra, texto);
            return valor;
        }
        error = auxiliar_.Mensaje;
    }
}

template <class D>
bool TSesionModo<D>::Calcular(const std::string& expresion, bool recompilar, V& valor, std::string& mensaje,
                              CodigoError& codigo) {
    NotaAsignacion.clear();
    for (auto& v : variables_) v.preguntada = false;
    if (recompilar) {
        // Literals were converted with the old settings: compile anew.
        principal_.SetTexto(std::string());
        auxiliar_.SetTexto(std::string());
    }
    principal_.SetTexto(expresion);
    if (!principal_.HayError) {
        if (principal_.ContieneVariable(incognita_.get())) valor = principal_.ResolverPara(incognita_.get());
        else valor = principal_.Valor();
    }
    codigo = principal_.CodigoError;
    if (principal_.HayError) {
        mensaje = principal_.Mensaje;
        return false;
    }
    return true;
}

template class TSesionModo<DominioRacional>;
template class TSesionModo<DominioComplejo>;

// ---------------------------------------------------------------- fractions

TSesionQ::TSesionQ() {
    Principal().Ajustes.extra = Ajustes;
    Auxiliar().Ajustes.extra = Ajustes;
    compilados_ = Ajustes;
}

ResultadoQ TSesionQ::Evaluar(const std::string& expresion) {
    ResultadoQ r;
    if (expresion.empty()) {
        r.vacio = true;
        return r;
    }
    if (Ajustes.DenominadorMax == 0) Ajustes.DenominadorMax = 1;
    const bool cambio = Ajustes.DenominadorMax != compilados_.DenominadorMax;
    Principal().Ajustes.extra = Ajustes;
    Auxiliar().Ajustes.extra = Ajustes;
    compilados_ = Ajustes;
    TFrac valor;
    std::string mensaje;
    if (!Calcular(expresion, cambio, valor, mensaje, r.codigo)) {
        r.error = true;
        r.texto = mensaje;
        return r;
    }
    r.valor = valor;
    r.texto = TextoResultado(valor);
    r.decimal = RealGeneral(valor.Valor(), 15);
    r.parteEntera = std::to_string(valor.ParteEntera()) + "+";
    const std::int64_t resto = valor.Resto();
    // |resto| < Den <= 2^32: exact in a long double, and never INT64_MIN.
    r.resto = static_cast<long double>(resto < 0 ? -resto : resto) / static_cast<long double>(valor.Den());
    return r;
}

// ---------------------------------------------------------------- complex numbers

void TSesionC::SetAngulo(int angulo) {
    angulo_ = angulo;
    Principal().SetAngulo(angulo);
    Auxiliar().SetAngulo(angulo);
}

std::vector<std::string> TSesionC::CargarDefiniciones(const std::filesystem::path& archivo) {
    std::vector<std::string> informe;
    std::error_code ec;
    if (!std::filesystem::exists(archivo, ec)) return informe;
    OpcionesIni opciones;
    opciones.GuardarAlCerrar = false;  // the real calculator is the one that repairs it
    TVelIniFile duf(archivo, {}, std::move(opciones));
    if (duf.Informe().HayProblemas()) {
        InformeCarga problemas = duf.Informe();
        problemas.CopiaSeguridad.clear();  // never rewritten here: no copy to announce
        std::istringstream in(problemas.Texto(archivo));
        for (std::string l; std::getline(in, l);) informe.push_back(l);
    }
    RegistrarDefiniciones(LeerDefiniciones(duf), Principal(), Auxiliar(),
                          [&informe](NivelAviso, const std::string& m) { informe.push_back(m); });
    return informe;
}

ResultadoC TSesionC::Evaluar(const std::string& expresion) {
    ResultadoC r;
    if (expresion.empty()) {
        r.vacio = true;
        return r;
    }
    TComplejo valor;
    std::string mensaje;
    if (!Calcular(expresion, false, valor, mensaje, r.codigo)) {
        r.error = true;
        r.texto = mensaje;
        return r;
    }
    r.valor = valor;
    r.texto = ComplejoATexto(valor);
    // Both parts are finite, but the modulus of huge parts may not be.
    const long double modulo = std::hypot(valor.Re, valor.Im);
    r.modulo = std::isfinite(modulo) ? RealGeneral(modulo, 8) : std::string();
    const long double arg = DeRadianes(angulo_, CArgumento(valor));
    r.argumento = std::isfinite(arg) ? RealGeneral(arg, 8) : std::string();
    return r;
}

}  // namespace numbrix
