#pragma once
// What the matrix window computes, without the window: one operation on the
// four grids' texts (A, B, C and the result R) in the rational or complex
// mode, giving the grid it changes or the message that stops it. It also
// owns the two engines of the scalar product and the function fill, and the
// reading of grid files and pasted text with the window's size limits.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"
#include "numbers/matrizQ.h"
#include "support/TablaTextos.h"
#include "support/Trabajo.h"

namespace numbrix {

enum IndiceMatriz { kMatrizA = 0, kMatrizB = 1, kMatrizC = 2, kMatrizR = 3 };
// "A", "B", "C", "R".
const char* LetraMatriz(int i);

enum class AccionMatriz {
    Vaciar, Identidad, Trasponer,  // change M itself
    Determinante,                  // only a value
    Triangular, Invertir, Resolver, Escalar, Funcion, Suma, Resta, Producto, Cuadrado,  // into R
};

enum class IconoMatriz { Informacion, Error };

struct MensajeMatriz {
    std::string texto;
    IconoMatriz icono = IconoMatriz::Error;
    friend bool operator==(const MensajeMatriz&, const MensajeMatriz&) = default;
};

inline constexpr char kSinInversa[] = "La matriz no tiene inversa";
inline constexpr char kDeterminanteCero[] = "Determinante cero. El sistema no es compatible y determinado";

// The grid's texts as the matrix classes read them, and back (the table's
// fixed cells are kept).
TablaTextos ATablaMatriz(const TTablaTextos& t);
void DeTablaMatriz(const TablaTextos& v, TTablaTextos& t);

// The engines of the scalar product and the function fill: the built-in
// table and the variables Val, m and n, nothing else. The text is compiled
// on the GUI thread (Compilar) and evaluated inside the job.
class TMotoresMatriz {
public:
    TMotoresMatriz();
    // The engine's current text, to offer in the prompt.
    const std::string& Texto(bool complejo) const { return complejo ? c_.Texto() : q_.Texto(); }
    // Compiles the text; the engine's message when it does not compile.
    std::optional<MensajeMatriz> Compilar(bool complejo, const std::string& texto, const AjustesFraccion& ajustes);

    TExpresion<DominioRacional>& Q() { return q_; }
    TExpresion<DominioComplejo>& C() { return c_; }
    std::shared_ptr<TVariable<DominioRacional>> valQ, mQ, nQ;
    std::shared_ptr<TVariable<DominioComplejo>> valC, mC, nC;

private:
    TExpresion<DominioRacional> q_;
    TExpresion<DominioComplejo> c_;
};

struct PeticionMatriz {
    AccionMatriz accion = AccionMatriz::Triangular;
    std::array<TTablaTextos, 4> tablas;  // A, B, C, R with their fixed row and column
    int m = kMatrizA;                    // the active matrix
    int operando = kMatrizA;             // of the sum, difference and product
    bool complejo = false;
    int modoFraccion = 0;                // 0 mixed, 1 improper, 2 decimal
    AjustesFraccion ajustes;             // decimal cells read with its maximum denominator
    TMotoresMatriz* motores = nullptr;   // compiled already (Escalar, Funcion)
};

struct ResultadoMatriz {
    std::optional<MensajeMatriz> mensaje;  // the operation stopped: nothing changes
    int destino = -1;                      // the grid that takes `tabla`; -1 none
    TTablaTextos tabla;
    std::optional<TMatriz> racional;       // the rational result shown in R, to keep
    std::string determinante;              // the value's text
    // Resuelve's question: `tabla` holds the triangulation, for a Yes.
    std::string pregunta;
};

// Runs one operation on copies of the tables. With a job, polls it (its
// progress moves once per pivot or output row) and raises ECancelado when
// cancelled; every other failure becomes the message.
ResultadoMatriz OperarMatriz(const PeticionMatriz& p, TTrabajo* trabajo = nullptr);

// A grid file at open: the table when it loads within 1..255 rows and
// columns; else the message naming the file («gb.gri: ...»). A missing
// file gives neither (the grid stays as it is).
struct CargaRejilla {
    std::optional<TTablaTextos> tabla;
    std::optional<std::string> error;
};
CargaRejilla CargarRejillaMatriz(const std::filesystem::path& ruta);

// Pasted text read as a grid file into `t`, all or nothing; the size
// message when it does not fit 1..255.
std::optional<MensajeMatriz> PegarEnTabla(std::string_view texto, TTablaTextos& t);

// A new grid: the letter and 3 x 3 empty cells.
TTablaTextos TablaVacia(int indice);

}  // namespace numbrix
