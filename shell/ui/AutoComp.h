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

// One entry of the list: its text and the icon of its kind (0 constant,
// 1 variable, 2 environment value, 3 built-in function, 4 user function,
// 5 chemical element).
struct EntradaCompletado {
    QString Texto;
    int Icono = 0;
};

// Entry text of a registered name (kind as TipoMake; maximum
// kArgumentosIlimitados for no limit).
QString TextoEntrada(const QString& nombre, int tipo, int minArgs, int maxArgs, const QString& descripcion);
int IconoDeTipo(int tipo);

// Every name of an engine that does not begin with "_".
template <class D>
std::vector<EntradaCompletado> EntradasDe(TExpresion<D>& motor) {
    std::vector<EntradaCompletado> r;
    for (const auto& [nombre, make] : motor.Identificadores()) {
        if (nombre.empty() || nombre[0] == '_' || !make) continue;
        r.push_back({TextoEntrada(QString::fromStdString(nombre), make->Tipo, make->MinArgs, make->MaxArgs,
                                  QString::fromStdString(make->Descripcion)),
                     IconoDeTipo(make->Tipo)});
    }
    return r;
}

// Where a list sorted without regard to case first holds an entry not
// smaller than `prefijo` (the size of the list when there is none).
int PrimeraNoMenor(const QStringList& ordenadas, const QString& prefijo);

// The text an entry inserts: without blanks and cut before its first "-".
QString TextoElegido(const QString& entrada);

// What the box holds and where the caret goes once an entry is chosen.
struct Eleccion {
    QString Texto;
    int Cursor = 0;
};
// `tecla` is the character that chose it: '\r' (Enter or double click), ' ',
// '(', ',', kIzquierda, kDerecha or any other character (inserted after the
// "(" of the choice, or after it when it has none).
inline constexpr QChar kIzquierda{0x2190};
inline constexpr QChar kDerecha{0x2192};
Eleccion Elegir(const QString& antes, const QString& elegido, const QString& despues, QChar tecla);

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
    bool ProcesarTecla(int key, const QString& texto);

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
    void ElegirCon(QChar tecla);

    QListWidget* lb_;
    class TScrollCredits* creditos_;
    QString antes_, prefijo_, despues_;
    QPointer<QLineEdit> caja_;
    QStringList cargadas_;  // texts of the entries as last built
    int inactivo_ = 4;
};

}  // namespace numbrix
