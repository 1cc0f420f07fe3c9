#pragma once
// The main window's result list and running total, without the window.
//
// Rows come in pairs, newest at the top: the expression (tag 0) above its
// result row (tag: the angle unit the result was computed in, 0..5). The
// list always holds whole pairs, so an even index is an expression and the
// odd index after it its result.
//
// The total keeps the value before its last change ("saved total") and, so
// that undoing gives the count back exactly, the count before that change
// too. Persisted in section "Calculos" of numbrix.ini as "i=text_tag" lines.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace numbrix {

class TVelIniFile;

struct FilaLista {
    std::string Texto;
    int Etiqueta = 0;  // 0 for an expression row, the angle unit for a result row
    bool operator==(const FilaLista&) const = default;
};

class TListaResultados {
public:
    // What one Registrar did to the total, so that exactly that can be taken
    // back (a re-evaluation after a change of angle unit or base must not
    // count twice, whatever the result).
    struct Registro {
        bool Sumado = false;        // the value was added to the total
        bool Desbordado = false;    // it was not, because the total would overflow
        long double TotalAntes = 0;
        long double TotalGuardadoAntes = 0;
        int CuentaAntes = 0;
        int CuentaGuardadaAntes = 0;
        long double TotalDespues = 0;
        int CuentaDespues = 0;
    };

    static constexpr const char* Seccion = "Calculos";
    static constexpr int kMaxEtiqueta = 5;

    // Inserts the pair at the top: the expression, then below it the result
    // text + three blanks + the assignment note ("4   {a=2} "). With
    // `sumaAlTotal` the value joins the total (saved total := total,
    // total += valor, count += 1); a truth value ("Verdadero", "Falso") is
    // recorded with sumaAlTotal false. A sum that would overflow is not made
    // (Registro::Desbordado). A tag outside 0..5 is stored as 0.
    Registro Registrar(const std::string& expresion, const std::string& textoResultado, const std::string& nota,
                       int etiqueta, long double valor, bool sumaAlTotal);
    // Restores total, saved total, count and saved count as they were before
    // `r` was recorded; the rows stay. Does nothing (and returns false) when
    // `r` added nothing or the total has changed since.
    bool QuitarAdicion(const Registro& r);

    // "Total a cero": the total and count become 0; undo brings both back.
    void TotalACero();
    // Undo of the last change of the total: total := saved total and
    // count := saved count, when the saved total differs from the total.
    bool Deshacer();
    bool PuedeDeshacer() const { return totalGuardado_ != total_; }

    long double Total() const { return total_; }
    long double TotalGuardado() const { return totalGuardado_; }
    int Cuenta() const { return cuenta_; }
    int CuentaGuardada() const { return cuentaGuardada_; }

    const std::deque<FilaLista>& Filas() const { return filas_; }
    std::size_t NumFilas() const { return filas_.size(); }
    bool Vacia() const { return filas_.empty(); }
    static bool EsFilaResultado(std::size_t fila) { return fila % 2 == 1; }

    // "Asignar a expresión": the row's text, trimmed; for a result row only
    // the result, without the assignment note. Empty for a row out of range.
    std::string TextoParaAsignar(std::size_t fila) const;
    // "Copiar": the row's text as shown. Empty for a row out of range.
    std::string Copiar(std::size_t fila) const;
    // "Copiar resultados": every result row, each followed by a line end.
    std::string CopiarResultados() const;
    // "Copiar  todo": expression, tab, result and a line end for every pair.
    std::string CopiarTodo() const;
    // Line end of the clipboard texts.
    static constexpr const char* FinLinea = "\n";

    // "Eliminar": removes the pair that holds `fila`; false when out of range.
    bool EliminarPar(std::size_t fila);
    // "Limpiar Todo": removes every row; the total stays.
    void Limpiar() { filas_.clear(); }

    // Replaces section "Calculos" in memory (the caller writes the file with
    // UpdateFile): the newest rows, at most maxList + 1 of them and only
    // whole pairs. A row text may hold "_" and any blanks; line breaks, which
    // the file cannot hold, are written as blanks.
    void Guardar(TVelIniFile& ini, int maxList) const;
    // Replaces the rows with those of section "Calculos", read in file order;
    // the total is not touched. Each value is split at its last "_" followed
    // only by digits (the tag); a missing or bad tag gives 0 and a report
    // line; a last expression row without its result is dropped, with a
    // report line too. Returns the report lines (Spanish, ready to show);
    // loading never fails.
    std::vector<std::string> Cargar(const TVelIniFile& ini);

private:
    std::deque<FilaLista> filas_;
    long double total_ = 0;
    long double totalGuardado_ = 0;
    int cuenta_ = 0;
    int cuentaGuardada_ = 0;
};

}  // namespace numbrix
