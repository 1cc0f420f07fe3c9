#include "support/ui/MenuFormula.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "support/ui/ExportarFormula.h"
#include "support/ui/Traduccion.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

namespace {

const QStringList& Filtros() {
    static const QStringList f = {"Imagen SVG (*.svg)", "Imagen PNG (*.png)", "Imagen JPEG (*.jpg)"};
    return f;
}

}  // namespace

QString RutaConExtension(const QString& ruta, const QString& filtro) {
    const QRegularExpressionMatch m = QRegularExpression(R"(\*(\.\w+))").match(filtro);
    if (!m.hasMatch() || ruta.endsWith(m.captured(1), Qt::CaseInsensitive)) return ruta;
    return ruta + m.captured(1);
}

TMenuFormula::TMenuFormula(TVistaFormula* vista, QWidget* padre) : QMenu(padre), vista_(vista) {
    copiar_ = addAction("Copiar", this, &TMenuFormula::Copiar);
    exportar_ = addAction("Exportar", this, &TMenuFormula::Exportar);
    addSeparator();
    ajustar_ = addAction("Ajustar a la ventana");
    ajustar_->setCheckable(true);
    ajustar_->setChecked(true);
    vista_->PonerAjustar(true);
    connect(ajustar_, &QAction::toggled, vista_, &TVistaFormula::PonerAjustar);

    Dibujo = [this]() -> const LienzoGrabado* { return vista_->Dibujo() ? &*vista_->Dibujo() : nullptr; };
    ElegirArchivo = [this] { return Dialogo(); };
    Informar = [this](const QString& texto) {
        QMessageBox::information(parentWidget(), QApplication::applicationDisplayName(), texto);
    };
    connect(this, &QMenu::aboutToShow, this, [this] {
        const bool hay = Dibujo() != nullptr;
        copiar_->setEnabled(hay);
        exportar_->setEnabled(hay);
    });
    vista_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(vista_, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (!Disponible || Disponible()) popup(vista_->mapToGlobal(p));
    });
    vista_->installEventFilter(this);
}

void TMenuFormula::PonerDescribir(std::function<void(bool)> describir, bool marcado) {
    if (!describir_) {
        describir_ = addAction("Describir funciones de usuario");
        describir_->setCheckable(true);
    }
    describir_->disconnect(this);
    describir_->setChecked(marcado);
    connect(describir_, &QAction::triggered, this, std::move(describir));
}

bool TMenuFormula::eventFilter(QObject* o, QEvent* e) {
    if (o == vista_ && e->type() == QEvent::MouseButtonDblClick) {
        Copiar();
        return true;
    }
    return QMenu::eventFilter(o, e);
}

void TMenuFormula::Copiar() {
    if (const LienzoGrabado* d = Dibujo()) CopiarFormula(*d, Escala);
}

QString TMenuFormula::Dialogo() {
    QFileDialog dialogo(parentWidget(), "Exportar");
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilters(Filtros());
    TiposEnEspanol(dialogo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
    return RutaConExtension(dialogo.selectedFiles().first(), dialogo.selectedNameFilter());
}

void TMenuFormula::Exportar() {
    const LienzoGrabado* d = Dibujo();
    if (!d) return;
    const QString ruta = ElegirArchivo();
    if (ruta.isEmpty()) return;
    std::string error;
    // The picture may change while the dialog is open (a tool evaluating).
    if (!ExportarFormula(Dibujo(), ruta.toStdString(), Escala, error)) Informar(QString::fromStdString(error));
}

}  // namespace numbrix
