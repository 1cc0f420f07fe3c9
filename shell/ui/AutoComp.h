#pragma once
// TfmAutoComp: the identifier completion list that opens at the caret of an
// expression box, with one icon per kind of name, the name in bold and its
// argument hint and description after it. One instance serves the whole
// program. The text rules (what an entry reads, what choosing it inserts)
// are free functions so they can be checked without showing the list.
#include <QFrame>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "engine/Expresion.h"

class QLineEdit;
class QListWidget;
class QTimer;

namespace numbrix {

// One entry of the list: its text, the icon of its kind (0 constant,
// 1 variable, 2 environment value, 3 built-in function, 4 user function,
// 5 chemical element) and what choosing it writes (empty: taken from the
// text, as for the chemical elements).
struct EntradaCompletado {
    QString Texto;
    int Icono = 0;
    QString Insertar;
};

// Entry text of a registered name (kind as TipoMake; maximum
// kArgumentosIlimitados for no limit). Optional arguments show in braces.
QString TextoEntrada(const QString& nombre, int tipo, int minArgs, int maxArgs, const QString& descripcion);
int IconoDeTipo(int tipo);

// What a name writes into the box: the name alone for constants, variables
// and functions without arguments, else the name and one empty slot per
// argument the engine requires ("LogN(,)"). Optional arguments are never
// written: they would not compile left empty.
QString PlantillaNombre(const QString& nombre, int tipo, int minArgs, int maxArgs);
// The same for a name registered in an engine (empty when it is unknown).
template <class D>
QString PlantillaDe(TExpresion<D>& motor, const QString& nombre) {
    const TMake<D>* m = motor.Buscar(nombre.toStdString());
    return m ? PlantillaNombre(nombre, m->Tipo, m->MinArgs, m->MaxArgs) : QString();
}
// One line on a name's arguments, for tool tips: "Máximo: 2 o más
// argumentos", "Area Distribución Normal: 3 o 4 argumentos".
QString AyudaArgumentos(int tipo, int minArgs, int maxArgs, const QString& descripcion);

// Every name of an engine that does not begin with "_".
template <class D>
std::vector<EntradaCompletado> EntradasDe(TExpresion<D>& motor) {
    std::vector<EntradaCompletado> r;
    for (const auto& [nombre, make] : motor.Identificadores()) {
        if (nombre.empty() || nombre[0] == '_' || !make) continue;
        const QString n = QString::fromStdString(nombre);
        r.push_back({TextoEntrada(n, make->Tipo, make->MinArgs, make->MaxArgs, QString::fromStdString(make->Descripcion)),
                     IconoDeTipo(make->Tipo), PlantillaNombre(n, make->Tipo, make->MinArgs, make->MaxArgs)});
    }
    return r;
}

// Where a list sorted without regard to case first holds an entry not
// smaller than `prefijo` (the size of the list when there is none).
int PrimeraNoMenor(const QStringList& ordenadas, const QString& prefijo);

// The text an entry inserts when it carries none of its own: without
// blanks, cut before its first "-", without the optional arguments in braces.
QString TextoElegido(const QString& entrada);

// What the box holds and where the caret goes once an entry is accepted
// (Enter, Tab or a click): `elegido` replaces the word typed so far, whose
// letters are kept as the user typed them when they begin the choice
// ("Raiz" stays "Raiz"); the caret lands just after the first "(", or after
// the text when it has none.
struct Eleccion {
    QString Texto;
    int Cursor = 0;
};
Eleccion Elegir(const QString& antes, const QString& prefijo, const QString& elegido, const QString& despues);

// Whether `c` typed after `prefijo` still spells the beginning of a name.
bool ContinuaNombre(const QString& prefijo, QChar c);

// Global switches shared with the tool windows: completion enabled
// ("Autocompletar") and dismissed (Esc in the list; cleared by the main
// window when it applies its layout, opens its tools menu or gets F2).
struct EstadoCompletado {
    static bool Activo;
    static bool Descartado;
};

class TfmAutoComp : public QFrame {
    Q_OBJECT
public:
    using Fuente = std::function<std::vector<EntradaCompletado>()>;

    // The one list of the program, made on first use.
    static TfmAutoComp& Instancia();

    // Opens the list for `caja` with `tecla` (a letter just typed, or empty
    // for F2) inserted at the caret. `fuente` gives the names; `relleno`,
    // when set, may add entries (chemical elements).
    void Completar(QLineEdit* caja, const Fuente& fuente, const QString& tecla, const Fuente& relleno = {});

    // The state of the word being completed, for the box and for tests.
    const QString& Prefijo() const { return prefijo_; }
    QString Seleccionada() const;
    int Cantidad() const;
    bool Abierta() const { return isVisible(); }

    // Closes the list as Esc does (the completion is dismissed).
    void Descartar();
    // A key pressed in the list (what the list's own key handling calls).
    // Only Enter, Tab or a click accept the selection; a letter, digit or
    // "_" that still begins some name narrows the list; anything else closes
    // it and is typed into the box as itself, so «FF[16]» stays a number.
    bool ProcesarTecla(int key, const QString& texto, Qt::KeyboardModifiers mod = Qt::NoModifier);

signals:
    // Esc: the box stops opening the list until Enter, F2 or emptying.
    void Descartada(QLineEdit* caja);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    explicit TfmAutoComp();
    void Llenar(const Fuente& fuente, const Fuente& relleno);
    void Buscar();
    void MostrarCaja();
    void Aceptar();
    bool HayNombreQueEmpieza(const QString& prefijo) const;
    // Closes the list and hands the key to the box, as if it had been typed there.
    void Devolver(int key, const QString& texto, Qt::KeyboardModifiers mod);

    QListWidget* lista_;
    class TScrollCredits* creditos_;
    QString antes_, prefijo_, despues_;
    QPointer<QLineEdit> caja_;
    QStringList cargadas_;  // texts of the entries as last built
    QStringList nombres_;   // their names (the text up to the first blank or "(")
    int inactivo_ = 4;
};

}  // namespace numbrix
