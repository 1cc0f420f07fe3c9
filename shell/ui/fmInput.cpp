#include "shell/ui/fmInput.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/Ayuda.h"
#include "support/Errores.h"

namespace numbrix {

TfmInput::TfmInput(QWidget* padre) : QDialog(padre) {
    setObjectName("fmInput");
    setModal(true);
    auto* capa = new QVBoxLayout(this);
    etiqueta_ = new QLabel(this);
    capa->addWidget(etiqueta_);
    texto_ = new TComboExpr(this);
    texto_->setObjectName("Texto");
    texto_->setMinimumWidth(300);
    capa->addWidget(texto_);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton("Aceptar", QDialogButtonBox::AcceptRole)->setDefault(true);
    botones->addButton("Cancelar", QDialogButtonBox::RejectRole);
    capa->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(texto_, &TComboExpr::Intro, this, &QDialog::accept);
    Avisar = [this](const QString& motivo) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), motivo);
    };
}

void TfmInput::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    texto_->setFocus();
}

void TfmInput::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        AbrirAyudaTema(this, ayuda_);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfmInput::Historia(const std::filesystem::path& archivo) {
    if (archivo == texto_->FileName) return;
    texto_->FileName = archivo;
    texto_->PonerHistoria({});
    texto_->CargarHistoria();
}

std::optional<std::string> TfmInput::Preguntar(const Pregunta& p) {
    QString texto = p.Propuesto;
    QString error = p.Error;
    while (true) {
        // Set again at every round: a validator may ask a question of its
        // own through this same window (an answer that reads a variable).
        setWindowTitle(p.Titulo);
        etiqueta_->setText(p.Etiqueta);
        ayuda_ = p.Ayuda;
        texto_->PonerFuente(p.Fuente);
        texto_->Atajos = p.Atajos;
        Historia(p.Historia);
        texto_->SetTexto(texto);
        texto_->lineEdit()->selectAll();
        if (!error.isEmpty()) Avisar(error);
        if (exec() != QDialog::Accepted) return std::nullopt;
        texto = texto_->Texto();
        const std::string respuesta = texto.toStdString();
        const Veredicto v = p.Validador ? p.Validador(respuesta) : Veredicto{};
        if (!v.aceptada) {
            // The refused text comes back, selected, to be mended.
            error = QString::fromStdString(v.motivo.empty() ? numbrix::Texto(Mensaje::ErrorSinTexto) : v.motivo);
            continue;
        }
        if (!p.Historia.empty()) {
            texto_->AgregarHistoria(texto);
            try {
                texto_->GuardarHistoria();
            } catch (const std::exception& e) {
                Avisar(QString::fromUtf8(e.what()));
            }
        }
        return respuesta;
    }
}

}  // namespace numbrix
