#pragma once
// The recurrence machine behind the sequences window: five silent engines
// (f, g, h over "x"; the recurrence; the stop condition, child of the
// recurrence), the term store, the step and the runs, plus the definitions
// file "suce.ini". No Qt: the window drives it and a job runs it.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ExpresionX.h"
#include "support/Trabajo.h"

namespace numbrix {

class TVelIniFile;

// One saved definition: the comment lines, the five boxes and the mode
// (0 "Sn=", 1 "Sn+1=").
struct DefinicionSucesion {
    std::vector<std::string> Comentario;
    std::string F, G, H, Sn, Parada;
    int Modo = 0;
    bool operator==(const DefinicionSucesion&) const = default;
};

// How a run ended.
enum class FinSucesion { Parada, Error, Cancelada, Lote };

class TSucesion {
public:
    // Eleven slots: in "Sn+1=" mode S9 reads slot 10.
    static constexpr int kRanuras = 11;
    static constexpr int kPasosDetallado = 1000;
    static constexpr int kLote = 321;
    static constexpr const char* kMsjSinFormula = "Falta la fórmula de la sucesión";

    TSucesion();
    TSucesion(const TSucesion&) = delete;
    TSucesion& operator=(const TSucesion&) = delete;

    TExpresionX Ef, Eg, Eh, Es, Ep;

    // Gives the boxes to their engines; a stop condition that does not
    // compile becomes "-1". Returns per box (f, g, h, Sn, stop) whether it
    // compiled, so the caller can add it to the box's history.
    std::array<bool, 5> Compilar(const DefinicionSucesion& d);
    // The initial terms the compiled recurrence needs: m raised to j + m for
    // the largest Sj in its tree.
    int ContarIniciales() const;
    // Zeroes the store and puts S(1) ... S(k) (valores[0] is S(1)); n := k.
    void FijarIniciales(const std::vector<long double>& valores);

    // One step; on failure n and the store are as before and *mensaje
    // holds the engine's message (a cancel returns Cancelada).
    FinSucesion Paso(std::string* mensaje);
    // The stop condition's value is above 0; a failure counts as not met.
    bool ParadaCumplida();

    // A plain run: batches of kLote steps until the stop condition holds,
    // a step fails or `cancelar` says so; `progreso` gets n after each batch.
    // Appends the closing lines.
    FinSucesion Correr(const TokenCancelar& cancelar, const std::function<void(std::int64_t)>& progreso,
                       std::vector<std::string>& lineas);
    // A detailed press: at most kPasosDetallado steps (fewer while n < 10),
    // one line per term.
    FinSucesion CorrerDetallado(const TokenCancelar& cancelar, std::vector<std::string>& lineas);

    // f, g or h (0, 1, 2) at x, for the evaluation buttons: false with
    // *mensaje when the box does not compile or the value fails.
    bool EvaluarAuxiliar(int cual, const std::string& texto, long double x, long double& v, std::string* mensaje);

    long double Termino(int ranura) const { return S_[static_cast<std::size_t>(ranura)]; }
    std::int64_t N() const { return n_; }
    int K() const { return k_; }
    int Modo() const { return m_; }
    void SetModo(int m) { m_ = m == 1 ? 1 : 0; }

    static std::string Linea(std::int64_t i, long double v);
    static std::string LineaError(std::int64_t i, const std::string& mensaje);

private:
    std::shared_ptr<TVariableX> xf_, xg_, xh_;
    std::array<long double, kRanuras> S_{};
    std::string sinFormula_;  // why the recurrence did not compile
    std::int64_t n_ = 0;
    int k_ = 0;
    int m_ = 0;
};

// "suce.ini": one section per definition and "_" for the last state.
class TArchivoSucesiones {
public:
    static constexpr const char* kEstado = "_";
    explicit TArchivoSucesiones(const std::filesystem::path& archivo);
    ~TArchivoSucesiones();

    // The definitions to list, without "_".
    std::vector<std::string> Nombres() const;
    bool Existe(const std::string& nombre) const;
    // False when the section is missing; *completa false when lines were
    // missing or the mode unreadable (read as empty boxes and mode 0).
    bool Leer(const std::string& nombre, DefinicionSucesion& d, bool* completa = nullptr) const;
    // Refuses an empty name and "_" (use GuardarEstado); writes the file.
    bool Guardar(const std::string& nombre, const DefinicionSucesion& d);
    void Borrar(const std::string& nombre);
    void GuardarEstado(const DefinicionSucesion& d);

    // The lines of a section and back, so every text survives the file's rules.
    static std::vector<std::string> Lineas(const DefinicionSucesion& d);
    static DefinicionSucesion DeLineas(const std::vector<std::string>& lineas, bool* completa = nullptr);

private:
    void Escribir(const std::string& nombre, const DefinicionSucesion& d);
    std::shared_ptr<TVelIniFile> ini_;
};

}  // namespace numbrix
