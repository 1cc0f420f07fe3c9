#pragma once
// What the definitions editor, options, tips and about windows share: the
// question, input and message boxes they ask through (replaceable, so tests
// answer them without a modal box), the main window's colours, the title
// band, and F1 opening the window's help page.
#include <QDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "shell/Esquemas.h"
#include "support/Colores.h"

namespace numbrix {

struct AjustesCalculadora;

// Boxes a dialog shows, as callbacks. The defaults are QMessageBox and
// QInputDialog over the dialog.
struct CajasDialogo {
    // Yes/no question: true for yes.
    std::function<bool(const QString& titulo, const QString& texto)> Preguntar;
    // Text input: nullopt when cancelled.
    std::function<std::optional<QString>(const QString& titulo, const QString& etiqueta, const QString& propuesto)>
        PedirTexto;
    // A message the user must read.
    std::function<void(const QString& titulo, const QString& texto)> Avisar;
    // Yes/No/Cancel, Cancel the default: true yes, false no, nullopt cancel.
    std::function<std::optional<bool>(const QString& titulo, const QString& texto)> PreguntarSiNoCancelar;
    static CajasDialogo Estandar(QWidget* padre, bool segundoBotonPorDefecto = false);
};

// The four colours of the settings as a scheme.
T4Colores EsquemaDe(const AjustesCalculadora& a);
// What the main window paints for `esquema` under the application's palette.
ColoresPintados ColoresDeVentana(const T4Colores& esquema);

// The main window's colours under the application's palette, for the
// dialogs that take them: the bands' ramp, and the background with the text
// readable on it.
struct ColoresVentana {
    QColor Luz, Sombra, Texto, Fondo;
    static ColoresVentana De(TColor luz, TColor sombra, TColor texto, TColor fondo);
    static ColoresVentana De(const AjustesCalculadora& a);
};

// Gives boxes and lists the colours (text kept readable on the background).
void AplicarColoresCaja(QWidget* w, const ColoresVentana& c);

// A band with a light-to-shadow gradient and a caption, on top of a dialog;
// the caption is written in `texto`, or in black or white when that does not
// stand out on the whole gradient.
class TBandaTitulo : public QWidget {
public:
    explicit TBandaTitulo(const QString& texto, QWidget* padre = nullptr);
    void SetColores(const QColor& luz, const QColor& sombra, const QColor& texto);
    void SetTexto(const QString& t);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString texto_;
    QColor luz_ = Qt::white, sombra_ = Qt::gray, color_ = Qt::black;
};

// F1 in the dialog (whatever child has the focus) opens `pagina`.
void AyudaConF1(QWidget* ventana, const std::string& tema);
void AyudaConF1(QWidget* ventana, int numero);

// Title of the program's message boxes.
inline const QString kTituloAplicacion = QStringLiteral("Numbrix");

}  // namespace numbrix
