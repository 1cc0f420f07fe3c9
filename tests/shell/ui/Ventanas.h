#pragma once
// Key presses sent straight to a widget, as typing them would.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace numbrix::prueba {

inline void Tecla(QWidget* w, int tecla, const QString& texto = {}) {
    QKeyEvent p(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &p);
    QKeyEvent r(QEvent::KeyRelease, tecla, Qt::NoModifier, texto);
    QApplication::sendEvent(w, &r);
}

inline void Escribir(QWidget* w, const QString& texto) {
    for (QChar c : texto) {
        int tecla = c.toUpper().unicode();
        if (c == '*') tecla = Qt::Key_Asterisk;
        else if (c == '/') tecla = Qt::Key_Slash;
        else if (c == '\\') tecla = Qt::Key_Backslash;
        else if (c == '?') tecla = Qt::Key_Question;
        else if (c == '_') tecla = Qt::Key_Underscore;
        Tecla(w, tecla, QString(c));
    }
}

}  // namespace numbrix::prueba
