#pragma once
// The tips window "Sabía que..." over "tips.ini" in the data folder.
#include <filesystem>
#include <memory>
#include <random>

#include <QDialog>

#include "shell/Consejos.h"

class QWidget;
class QCheckBox;
class QLabel;
class QPushButton;

namespace numbrix {

class TVelIniFile;

// At start (alIniciar) the window shows only when its show-at-start box was
// left checked; from the menu it always shows. Modal.
void MostrarConsejos(QWidget* padre, const std::filesystem::path& carpetaDatos, bool alIniciar);

class TfmTips : public QDialog {
public:
    TfmTips(QWidget* padre, const std::filesystem::path& carpetaDatos);
    ~TfmTips() override;
    bool Usa() const { return consejos_.Usa; }
    const TConsejos& Consejos() const { return consejos_; }
    QCheckBox* CasillaUsa() const { return usa_; }
    QPushButton* BotonSiguiente() const { return siguiente_; }
    QPushButton* BotonAnterior() const { return anterior_; }
    QLabel* Indicador() const { return indicador_; }
    QString TextoMostrado() const;
    // The rounded panel the texts and the check box are painted on.
    QColor ColorPanel() const;
    // The outline of the check box's square.
    QColor ColorCasilla() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void done(int r) override;

private:
    void Mostrar();

    std::shared_ptr<TVelIniFile> archivo_;
    TConsejos consejos_;
    std::mt19937 azar_;
    QLabel* texto_;
    QLabel* indicador_;
    QCheckBox* usa_;
    QPushButton* anterior_;
    QPushButton* siguiente_;
};

}  // namespace numbrix
