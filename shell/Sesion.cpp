#include "shell/Sesion.h"

#include <sstream>

#include "shell/DibujoCalculo.h"
#include "shell/VelIni.h"
#include "support/Fecha.h"

namespace numbrix {

namespace {

void AgregarInforme(std::vector<std::string>& informe, std::vector<std::string> mas) {
    informe.insert(informe.end(), std::make_move_iterator(mas.begin()), std::make_move_iterator(mas.end()));
}

bool EsNumero(const ResultadoEvaluacion& r) { return !r.vacio && !r.error && !r.verdad; }

}  // namespace

TSesion::TSesion(Notificador aviso)
    : TSesionModo(
          {.letras = kLetrasPregunta, .auxiliares = "nx", .verdadesAlAzar = true, .definicionesSobreLetras = true},
          std::move(aviso)) {
    SetTolerancia(Ajustes.MaxDif);
    auto dibujo = [](ProcsDibujoCalculo p) { return DibujoFuncion{std::move(p.first), std::move(p.second)}; };
    Dibujos = {dibujo(DibujoIntegral()), dibujo(DibujoSumatoria()), dibujo(DibujoProducto())};
    RegistrarVocabulario();
}

// ---------------------------------------------------------------- vocabulary

void TSesion::RegistrarNombres(TExpresionX& e, bool principal) {
    for (int i = 0; i < TMemorias::Cantidad; ++i)
        e.AgregarFuncion0(
            TMemorias::Nombre(i), [this, i](ContextoX&) { return Memorias.Valor(i); }, "Memoria" + std::to_string(i));
    // The auxiliary engine answers prompts: no "Ans", no "Ahora", no Resolver.
    e.AgregarFuncion0(
        principal ? "Rst/Ans" : "Rst", [this](ContextoX&) { return UltimoResultado; }, "Ultimo resultado");
    if (principal) e.AgregarFuncion0("Ahora/Now", [](ContextoX&) { return AhoraEnDias(); }, "Dia y hora del sistema");
    RegistrarCalculo(e, *Variable('x'), *Variable('n'), principal, Dibujos);
}

void TSesion::RegistrarNombresEn(TExpresionX& e) {
    RegistrarNombres(e, true);
    // The definitions' values come from this session's auxiliary engine.
    RegistrarDefiniciones(Definiciones(), e, Auxiliar(), {});
    if (quimicaActiva_) {
        e.BuscarExterno2 = quimica_.Buscar;
        e.MedirExterno = quimica_.Medir;
        e.DibujarExterno = quimica_.Dibujar;
    }
}

void TSesion::SetQuimica(bool activa) {
    quimicaActiva_ = activa && HayQuimica();
    Ajustes.MMR = activa;
    if (quimicaActiva_)
        PonerExterno2(quimica_.Buscar, quimica_.Medir, quimica_.Dibujar);
    else
        PonerExterno2({});
}

// ---------------------------------------------------------------- evaluation

std::string TSesion::TextoResultado(long double v) const { return RealABase(Formato.BaseDefecto, v, Formato); }

std::string TSesion::Pista(const std::string& texto, long double v) const {
    std::string p = "Resultado: " + texto;
    if (Formato.BaseDefecto != BaseDecimal) {
        FormatoNumero decimal = Formato;
        decimal.BaseDefecto = BaseDecimal;
        p += "\n(Decimal: " + RealABase(BaseDecimal, v, decimal) + ")";
    }
    return p;
}

ResultadoEvaluacion TSesion::Evaluar(const std::string& expresion) {
    ResultadoEvaluacion r;
    static_cast<ResultadoBase&>(r) = Ejecutar(expresion, r.valor);
    if (r.ocupada) return r;  // the evaluation under way keeps its own
    ultimaExpresion_ = expresion;
    if (!r.error && !r.vacio) {
        if (!r.verdad) r.texto = TextoResultado(r.valor);
        r.pista = Pista(r.texto, r.valor);
    }
    ultima_ = r;
    return r;
}

TListaResultados::Registro TSesion::Registrar() {
    if (ultima_.vacio || ultima_.error) return {};
    return Lista.Registrar(ultimaExpresion_, ultima_.texto, NotaAsignacion, Angulo(), ultima_.valor, !ultima_.verdad);
}

ResultadoEvaluacion TSesion::Calcular(const std::string& expresion) {
    ResultadoEvaluacion r = Evaluar(expresion);
    if (!r.ocupada) Registrar();
    return r;
}

ResultadoEvaluacion TSesion::CambiarAngulo(UnidadAngulo angulo, const std::string& expresion) {
    if (Ocupada()) {
        ResultadoEvaluacion r;
        static_cast<ResultadoBase&>(r) = Ejecutar(expresion, r.valor);  // the refusal
        return r;
    }
    SetAngulo(angulo);
    ResultadoEvaluacion r = Evaluar(expresion);
    // The repeated result is listed again but must not count twice.
    Lista.QuitarAdicion(Registrar());
    return r;
}

void TSesion::Reformatear() {
    if (!EsNumero(ultima_)) return;
    ultima_.texto = TextoResultado(ultima_.valor);
    ultima_.pista = Pista(ultima_.texto, ultima_.valor);
}

void TSesion::CambiarBase(BaseNumeracion base, const std::string& expresion) {
    Formato.BaseDefecto = base;
    Reformatear();
    // The row shows what the expression box holds now, as the main window's
    // list always does.
    if (!expresion.empty()) ultimaExpresion_ = expresion;
    Lista.QuitarAdicion(Registrar());
}

void TSesion::CambiarDigitos(DigitosResultado digitos) {
    Formato.SetDigitos(digitos);
    Reformatear();
}

void TSesion::CambiarNotacion(NotacionNumero notacion) {
    Formato.Notacion = notacion;
    Reformatear();
}

void TSesion::CambiarSeparador(bool agrupar) {
    Formato.Agrupar = agrupar;
    Reformatear();
}

// ---------------------------------------------------------------- data folder

std::vector<std::string> TSesion::Abrir(const std::filesystem::path& carpetaDatos, ModoDatos modo) {
    std::vector<std::string> informe;
    carpeta_ = carpetaDatos;
    ini_ = TAppIniFile::Abrir(carpeta_, aviso_, modo == ModoDatos::Reparar);
    if (ini_->Informe().HayProblemas()) {
        std::istringstream in(ini_->Informe().Texto(ini_->FileName()));
        for (std::string l; std::getline(in, l);)
            if (!l.empty()) informe.push_back(l);
    }
    AgregarInforme(informe, Ajustes.Leer(*ini_));
    SetAngulo(Ajustes.FAngulo);
    Formato.Agrupar = Ajustes.SeparaMiles;
    Formato.BaseDefecto = Ajustes.BaseResultado;
    Formato.SetDigitos(Ajustes.Digitos);
    Formato.Notacion = Ajustes.ModoDigitos;
    SetTolerancia(Ajustes.MaxDif);
    Historial.SetMaxLista(Ajustes.MaxList);
    AgregarInforme(informe, Memorias.Cargar(*ini_));
    AgregarInforme(informe, Lista.Cargar(*ini_));
    AgregarInforme(informe, Historial.Cargar(carpeta_ / THistorial::NombreArchivo));
    AgregarInforme(informe, CargarDefiniciones(carpeta_ / "real.duf", modo == ModoDatos::Reparar));
    if (quimica_.Cargar) AgregarInforme(informe, quimica_.Cargar(carpeta_));
    SetQuimica(Ajustes.MMR);
    return informe;
}

void TSesion::Guardar(bool conFormato) {
    if (!ini_) return;
    if (conFormato) {
        Ajustes.FAngulo = Angulo();
        Ajustes.SeparaMiles = Formato.Agrupar;
        Ajustes.BaseResultado = Formato.BaseDefecto;
        Ajustes.Digitos = Digitos();
        Ajustes.ModoDigitos = Formato.Notacion;
    }
    Ajustes.Escribir(*ini_);
    Memorias.Guardar(*ini_);
    Lista.Guardar(*ini_, Ajustes.MaxList);
    ini_->UpdateFile();
    Historial.Guardar(carpeta_ / THistorial::NombreArchivo);
}

}  // namespace numbrix
