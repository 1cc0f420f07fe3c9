#pragma once
// TfmInput: the value prompt a prompt variable opens while an expression is
// evaluated ("Indique el valor de la variable a"); its box completes over
// the auxiliary engine's names.
#include <QDialog>

#include "shell/Sesion.h"

class QLabel;

namespace numbrix {

class TComboExpr;

class TfmInput : public QDialog {
    Q_OBJECT
public:
    explicit TfmInput(TSesion& sesion, QWidget* padre = nullptr);

    // The session's Preguntar: shows the failed answer's message first, then
    // the prompt with the offered text selected. Cancel → Cancelar.
    RespuestaPregunta Preguntar(char letra, const std::string& propuesto, const std::string& error);

    TComboExpr* Texto() const { return texto_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    TSesion& sesion_;
    TComboExpr* texto_;
};

}  // namespace numbrix
