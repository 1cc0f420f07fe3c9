#pragma once
// What the main window's two files share (frmCalc.cpp, the behaviour;
// frmCalcComponentes.cpp, the construction): the bands it paints and the
// names of the angle units. Not for other windows.
#include <QColor>
#include <QPainter>
#include <QWidget>

#include "support/ui/GradientesQt.h"

namespace numbrix {

// The top and bottom bands: a vertical gradient from the light colour to the
// shadow colour.
class TPanelBanda : public QWidget {
public:
    using QWidget::QWidget;
    QColor Color1 = QColor(168, 211, 255), Color2 = QColor(70, 163, 255);

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PintarGradiente(p, rect(), Color1, Color2, true);
    }
};

// The angle units in menu order (the session's unit numbers): the menu's
// captions and the short names of the button and the result list's badges.
inline const char* const kNombresAngulo[] = {"&Radianes", "&Sexagesimales", "&Centesimales", "C&iclos",
                                             "&GMS (grados, minutos, segundos)", "&Múltiplos de Pi"};
inline const char* const kCortosAngulo[] = {"Rad", "Sex", "Cent", "Cicl", "GMS", "xPi"};

}  // namespace numbrix
