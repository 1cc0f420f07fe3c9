#pragma once
// The statistics tool's data: a frequency table of real values with its
// running totals, the entry and paste readers, the 21 measures and the plot
// as plain data. Refused input leaves everything as it was.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bases2_36.h"

namespace numbrix {

struct RegistroEstadistica {
    double Valor = 0;
    std::int64_t Frecuencia = 0;
};

struct EntradaEstadistica {
    double Valor = 0;
    std::int64_t Frecuencia = 1;
};

struct MedidaEstadistica {
    std::string Nombre, Valor;
};

// What the plot draws, in world units; the window turns it into pixels.
struct GraficoEstadistica {
    static constexpr int kMargen = 13;  // pixels around the data rectangle
    double Minimo = 0, Maximo = 1, FrecuenciaMax = 1;
    double Q1 = 0, Q2 = 0, Q3 = 0, Media = 0;
    double Varianza = 0;  // sample variance
    bool HayCurva = false;  // only with a sample variance above 0
    std::vector<RegistroEstadistica> Puntos;

    struct Mundo {
        double Izquierda, Arriba, Derecha, Abajo;
    };
    // The world window that puts the data rectangle kMargen pixels inside a
    // surface of this size.
    Mundo VentanaMundo(int ancho, int alto) const;
    // The normal curve, its peak at FrecuenciaMax.
    double Curva(double x) const;
    struct Linea {
        double X;
        const char* Etiqueta;
        bool EsMedia;
    };
    std::vector<Linea> Lineas() const;
    // "x = %.2f  f = %.0f" of the pointer, clamped to the data rectangle.
    std::string TextoPuntero(double x, double f) const;
};

class TEstadistica {
public:
    static constexpr const char* kMensajeND = "N/D";

    // "v", "v*f" or "v<tab>f[<tab>...]"; throws ENumbrix with the user's message.
    static EntradaEstadistica Analizar(std::string_view texto);
    // The lines a pasted text adds, cleaned (digits, "-", ".", "*", tabs and
    // exponents; "," read as "."), empty and header lines left out.
    static std::vector<std::string> LineasPegadas(std::string_view texto);

    void Agregar(std::string_view texto);
    // Every line of the text, or none (the first bad line's message).
    // Returns how many lines were added.
    std::size_t Pegar(std::string_view texto);
    // Takes the row's record out of the totals, then drops every record
    // left with frequency 0.
    void BorrarPunto(std::size_t fila);
    void Vaciar();

    // Rows in the table's order.
    std::size_t Cantidad() const { return orden_.size(); }
    const RegistroEstadistica& Fila(std::size_t i) const { return datos_[orden_[i]]; }
    std::int64_t N() const { return n_; }
    long double Suma() const { return suma_; }
    long double SumaCuadrados() const { return suma2_; }
    // Distinct values in the table (zero-frequency records included).
    bool DosValores() const { return datos_.size() >= 2; }

    // The header click: by value (column 0) or by frequency, in the current
    // direction; then the direction flips.
    void Ordenar(int columna);
    void InvertirDireccion() { direccion_ = -direccion_; }
    int Direccion() const { return direccion_; }

    // Texts of the data page: n, Σ, mean ("" when empty, "N/D" at n = 0).
    std::string TextoN() const;
    std::string TextoSuma() const;
    std::string TextoMedia() const;
    std::string TextoRelativa(std::int64_t frecuencia) const;  // "%8.6f" of f/n
    std::string TextoValor(double v) const;

    // "Copiar tabla": header and one line per record, "\r\n" line ends.
    std::string CopiarTabla() const;
    // The 21 measures (none with n = 0); afterwards the records are in
    // ascending value order.
    std::vector<MedidaEstadistica> Medidas();
    // After Medidas: the plot's data.
    const GraficoEstadistica& Grafico() const { return grafico_; }
    static std::string CopiarTodo(const std::vector<MedidaEstadistica>& m, std::string_view fin = "\r\n");

    FormatoNumero Formato;  // how values are written

private:
    void Aplicar(const EntradaEstadistica& e);
    void ReconstruirIndice();

    std::vector<RegistroEstadistica> datos_;  // in entry order
    std::vector<std::size_t> orden_;          // the table's rows
    std::map<double, std::size_t> indice_;    // value to record (-0.0 = 0.0)
    std::int64_t n_ = 0;
    long double suma_ = 0, suma2_ = 0;
    int direccion_ = 1;
    GraficoEstadistica grafico_;
};

}  // namespace numbrix
