#pragma once
// What the windows' tests share: keys sent as typing them would, the data
// folder the program ships, and the main window over a fresh data folder.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "shell/Sesion.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/frmCalc.h"

namespace numbrix {
namespace prueba {

// The shipped data folder: the one the test run names, else the source tree's.
inline std::filesystem::path Datos() {
    const char* d = std::getenv("NUMBRIX_TEST_DATA");
    return d ? std::filesystem::path(d) : std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR);
}

// The desktop palettes the program must stay readable under: Fusion's own
// light one, and the dark one a GTK desktop (Adwaita dark) hands Qt.
inline QPalette PaletaEscritorio(bool oscura) {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QPalette p = fusion->standardPalette();
    if (!oscura) return p;
    struct Rol { QPalette::ColorRole rol; QColor activo, inactivo; } const roles[] = {
        {QPalette::WindowText, {240, 240, 240}, {130, 130, 130}}, {QPalette::Button, {50, 50, 50}, {50, 50, 50}},
        {QPalette::Light, {75, 75, 75}, {75, 75, 75}},           {QPalette::Midlight, {42, 42, 42}, {42, 42, 42}},
        {QPalette::Dark, {33, 33, 33}, {190, 190, 190}},        {QPalette::Mid, {38, 38, 38}, {38, 38, 38}},
        {QPalette::Text, {240, 240, 240}, {130, 130, 130}},     {QPalette::BrightText, {75, 75, 75}, {75, 75, 75}},
        {QPalette::ButtonText, {240, 240, 240}, {130, 130, 130}}, {QPalette::Base, {36, 36, 36}, {50, 50, 50}},
        {QPalette::Window, {50, 50, 50}, {50, 50, 50}},         {QPalette::Shadow, {25, 25, 25}, {37, 37, 37}},
        {QPalette::Highlight, {48, 140, 198}, {145, 145, 145}}, {QPalette::HighlightedText, {240, 240, 240}, {240, 240, 240}},
        {QPalette::Link, {48, 140, 198}, {48, 140, 198}},       {QPalette::AlternateBase, {43, 43, 43}, {43, 43, 43}},
    };
    for (const Rol& r : roles) {
        p.setColor(QPalette::Active, r.rol, r.activo);
        p.setColor(QPalette::Inactive, r.rol, r.activo);
        p.setColor(QPalette::Disabled, r.rol, r.inactivo);
    }
    return p;
}

inline void Tecla(QWidget* w, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
    QKeyEvent p(QEvent::KeyPress, tecla, mod, texto);
    QApplication::sendEvent(w, &p);
    QKeyEvent r(QEvent::KeyRelease, tecla, mod, texto);
    QApplication::sendEvent(w, &r);
}

// Types `texto` («\r» Enter, «\t» Tab, «\x1b» Escape). While the completion
// list is open the keys go to it, as the user's would.
inline void Escribir(QWidget* w, const QString& texto) {
    for (QChar c : texto) {
        int tecla = c.toUpper().unicode();
        if (c == '\r') tecla = Qt::Key_Return;
        else if (c == '\t') tecla = Qt::Key_Tab;
        else if (c == '\x1b') tecla = Qt::Key_Escape;
        TfmAutoComp& lista = TfmAutoComp::Instancia();
        QWidget* destino = lista.Abierta() ? static_cast<QWidget*>(lista.findChild<QListWidget*>()) : w;
        Tecla(destino, tecla, Qt::NoModifier, c == '\x1b' ? QString() : QString(c));
    }
}

// Answers the next modal message box once it shows.
inline void AlAparecerCaja(const std::function<void(QMessageBox*)>& responder) {
    QTimer::singleShot(10, [responder] {
        if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) responder(caja);
        else AlAparecerCaja(responder);
    });
}

inline void Elegir(QMessageBox* caja, const QString& boton) {
    for (QAbstractButton* b : caja->buttons())
        if (b->text() == boton) b->click();
}

// A dialog's boxes answered by the test, which records what they said.
struct Respuestas {
    QStringList preguntas, avisos;
    bool respuesta = false;       // to every yes/no question
    std::optional<QString> texto;  // to every text input (nullopt: cancelled)
    CajasDialogo Cajas() {
        CajasDialogo c;
        c.Preguntar = [this](const QString& t, const QString& m) {
            preguntas << t + "|" + m;
            return respuesta;
        };
        c.PedirTexto = [this](const QString&, const QString&, const QString&) { return texto; };
        c.Avisar = [this](const QString&, const QString& m) { avisos << m; };
        return c;
    }
};

}  // namespace prueba

// The main window over a session on a fresh data folder; its questions and
// messages are answered and recorded by the test.
class VentanaPrincipal : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        prueba::AplicacionQt();
        Abrir();
    }
    void TearDown() override {
        TfmAutoComp::Instancia().hide();
        ventana_.reset();
        sesion_.reset();
        CarpetaTemporal::TearDown();
    }
    // (Again) over the data folder as it is now.
    void Abrir() {
        ventana_.reset();
        sesion_ = std::make_unique<TSesion>();
        sesion_->Abrir(dir_);
        sesion_->Ajustes.Autocompletar = autocompletar_;
        ventana_ = std::make_unique<TfrmCalcu>(*sesion_);
        ventana_->Confirmar = [this](const QString& titulo, const QString& texto) {
            preguntas_ << titulo + "|" + texto;
            return respuesta_;
        };
        ventana_->Informar = [this](const QString& texto) { mensajes_ << texto; };
    }
    void Pulsar(int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        prueba::Tecla(ventana_->cajaExpresion, tecla, mod);
    }
    void Calcular(const QString& expresion) {
        ventana_->cajaExpresion->SetTexto(expresion);
        prueba::Tecla(ventana_->cajaExpresion, Qt::Key_Return, Qt::NoModifier, "\r");
    }
    std::string Resultado() const { return ventana_->cajaResultado->text().toStdString(); }
    void Mostrar(int ancho, int alto) {
        ventana_->resize(ancho, alto);
        ventana_->show();
        QApplication::processEvents();
    }

    std::unique_ptr<TSesion> sesion_;
    std::unique_ptr<TfrmCalcu> ventana_;
    QStringList preguntas_, mensajes_;
    bool respuesta_ = false;
    bool autocompletar_ = false;
};

}  // namespace numbrix
