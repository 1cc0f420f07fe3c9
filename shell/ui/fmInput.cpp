#include "shell/ui/fmInput.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/ui/Ayuda.h"
#include "shell/ui/ComboExpr.h"

namespace numbrix {

TfmInput::TfmInput(TSesion& sesion, QWidget* padre) : QDialog(padre), sesion_(sesion) {
    setObjectName("fmInput");
    setModal(true);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel("Utilice cualquier expresión evaluable:", this));
    texto_ = new TComboExpr(this);
    texto_->setObjectName("Texto");
    texto_->setMinimumWidth(300);
    texto_->PonerFuente([this] { return EntradasDe(sesion_.Auxiliar()); });
    capa->addWidget(texto_);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton("Aceptar", QDialogButtonBox::AcceptRole)->setDefault(true);
    botones->addButton("Cancelar", QDialogButtonBox::RejectRole);
    capa->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(texto_, &TComboExpr::Intro, this, &QDialog::accept);
}

void TfmInput::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    texto_->setFocus();
}

void TfmInput::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        AbrirAyudaTema(this, 20);
        return;
    }
    QDialog::keyPressEvent(e);
}

RespuestaPregunta TfmInput::Preguntar(char letra, const std::string& propuesto, const std::string& error) {
    if (!error.empty()) QMessageBox::warning(this, QApplication::applicationDisplayName(), QString::fromStdString(error));
    setWindowTitle(QString::fromStdString(TituloPregunta(letra)));
    texto_->SetTexto(QString::fromStdString(propuesto));
    texto_->lineEdit()->selectAll();
    RespuestaPregunta r;
    if (exec() == QDialog::Accepted) {
        r.accion = RespuestaPregunta::Responder;
        r.texto = texto_->Texto().toStdString();
    } else {
        r.accion = RespuestaPregunta::Cancelar;
    }
    return r;
}

}  // namespace numbrix
