#pragma once
// TComboExpr: the drop-down expression box with a history, two-key
// shortcuts for operators that are awkward on a numeric keypad (each box
// its own table) and the identifier completion list at the caret.
#include <QComboBox>
#include <QMenu>
#include <QString>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "shell/ui/AutoComp.h"

namespace numbrix {

// `tecla` typed just after `anterior` turns that character into `queda`.
struct AtajoTeclas {
    char anterior, tecla, queda;
};
using TablaAtajos = std::span<const AtajoTeclas>;

namespace atajos {
inline constexpr AtajoTeclas kPrincipal[] = {{'/', '/', '\\'}, {'*', '/', ')'}, {'*', '*', '^'},
                                             {'/', '*', '('},  {'.', '.', '|'}, {'-', '-', '%'}};
inline constexpr AtajoTeclas kFraccion[] = {{'/', '/', '|'}, {'.', '.', '|'}, {'*', '*', '^'}};
inline constexpr AtajoTeclas kFormula[] = {{'/', '/', '\\'}, {'*', '/', ')'}, {'*', '*', '^'},
                                           {'/', '*', '('},  {'.', '.', '|'}};
}  // namespace atajos

// The main expression box and the value prompt: // → \, */ → ), ** → ^,
// /* → (, .. → |, -- → %.
inline constexpr TablaAtajos kAtajosPrincipal = atajos::kPrincipal;
// The fraction box, where «|» is the fraction bar: // and .. write it; ** → ^.
inline constexpr TablaAtajos kAtajosFraccion = atajos::kFraccion;
// Formula boxes: a formula may well subtract a negative, so no -- → %.
inline constexpr TablaAtajos kAtajosFormula = atajos::kFormula;
// Polynomial boxes: every key is typed as it is.
inline constexpr TablaAtajos kSinAtajos{};

class TComboExpr : public QComboBox {
    Q_OBJECT
public:
    explicit TComboExpr(QWidget* padre = nullptr);

    // Enter adds the text to the history list.
    bool Autoagregar = false;
    // Equal texts may stand twice in the history list.
    bool Duplicados = false;
    // The history file (a tool's own; the main window keeps its history in
    // the session instead).
    std::filesystem::path FileName;
    static constexpr int kMaxHistoria = 50;
    TablaAtajos Atajos = kAtajosPrincipal;

    void CargarHistoria();
    void GuardarHistoria() const;  // raises EEscritura
    void AgregarHistoria(const QString& texto);
    // Replaces the list with `entradas` (newest first) keeping the text.
    void PonerHistoria(const std::vector<std::string>& entradas);

    // The names to complete from; none disables completion.
    void PonerFuente(TfmAutoComp::Fuente fuente, TfmAutoComp::Fuente relleno = {});
    // Whether this box consults the global "Autocompletar" switch.
    bool SegunAjuste = true;
    bool Suprimido() const { return suprimido_; }
    void SetSuprimido(bool s) { suprimido_ = s; }
    // F2: opens the list with no letter typed.
    void AbrirCompletado();

    // Text and caret of the edit part.
    QString Texto() const;
    void SetTexto(const QString& t);
    // Inserts at the caret (over the selection); with a "(" in `texto` the
    // caret lands just after the first "(".
    void Insertar(const QString& texto);

signals:
    // Enter was pressed in the box.
    void Intro();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool Atajo(const QString& tecla);
    bool DebeCompletar() const;

    bool suprimido_ = false;
    TfmAutoComp::Fuente fuente_, relleno_;
};

// What `tecla` typed just after `anterior` makes of it in `tabla`, or a null
// character when the table has no such pair.
QChar AtajoOperador(TablaAtajos tabla, QChar anterior, QChar tecla);
// Whether a letter typed at `cursor` of `texto` may open the completion
// list: not inside a word, not inside a comment in braces.
bool PuedeCompletarEn(const QString& texto, int cursor);

// The function submenus of the main window's insert menu: caption and the
// names offered, each one the engine registers. What an item writes and the
// arguments its tool tip tells come from the engine, never from this list.
struct GrupoInsertar {
    const char* Titulo;
    std::vector<const char*> Nombres;
};
const std::vector<GrupoInsertar>& GruposInsertar();

// Adds the function submenus to `menu`; a name `motor` does not know is
// left out. Choosing an item calls `insertar` with its template.
template <class D>
void AgregarMenusFunciones(QMenu* menu, TExpresion<D>& motor, const std::function<void(const QString&)>& insertar) {
    for (const auto& g : GruposInsertar()) {
        QMenu* sub = menu->addMenu(g.Titulo);
        sub->setToolTipsVisible(true);
        for (const char* nombre : g.Nombres) {
            const TMake<D>* m = motor.Buscar(nombre);
            if (!m) continue;
            const QString plantilla = PlantillaNombre(nombre, m->Tipo, m->MinArgs, m->MaxArgs);
            QAction* a = sub->addAction(nombre);
            a->setToolTip(AyudaArgumentos(m->Tipo, m->MinArgs, m->MaxArgs, QString::fromStdString(m->Descripcion)));
            QObject::connect(a, &QAction::triggered, menu, [insertar, plantilla] { insertar(plantilla); });
        }
    }
}

}  // namespace numbrix
