#include "shell/ui/fmUsuario.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"

namespace numbrix {

TMemoDefinicion::TMemoDefinicion(QWidget* padre) : QLineEdit(padre) {}

void TMemoDefinicion::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        clear();
        e->accept();
        return;
    }
    const QString t = e->text();
    const bool letra = t.size() == 1 && t[0].isLetter() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (letra && Completar && AbrirCompletado && Completar()) {
        const int desde = hasSelectedText() ? selectionStart() : cursorPosition();
        QString sin = text();
        if (hasSelectedText()) sin.remove(desde, selectedText().size());
        if (PuedeCompletarEn(sin, desde)) {
            AbrirCompletado(t);
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
    if (t == "*" || t == "/") {
        const int c = cursorPosition();
        if (c >= 2) {
            std::string par = text().mid(c - 2, 2).toStdString();
            int cur = 2;
            if (SustituirAlEscribir(par, cur)) {
                QString nuevo = text();
                nuevo.replace(c - 2, 2, QString::fromStdString(par));
                setText(nuevo);
                setCursorPosition(c - 1);
            }
        }
    }
}

TfmUsuario::TfmUsuario(QWidget* padre, TSesion& sesion, int modo)
    : QDialog(padre), sesion_(sesion), editor_(modo) {
    Cajas = CajasDialogo::Estandar(this);
    setObjectName("TfmUsuario");
    const QString titulo = TEditorDefiniciones::Titulo(editor_.Modo());
    setWindowTitle(titulo);

    const ColoresVentana c = ColoresVentana::De(sesion.Ajustes);
    auto* banda = new TBandaTitulo(titulo, this);
    banda->SetColores(c.Luz, c.Sombra, c.Texto);

    lista_ = new QListWidget(this);
    lista_->setObjectName("lbox");
    descripcion_ = new QLineEdit(this);
    descripcion_->setObjectName("desc");
    descripcion_->setMaxLength(static_cast<int>(TEditorDefiniciones::kMaxDescripcion));
    definicion_ = new TMemoDefinicion(this);
    definicion_->setObjectName("Def");
    mensaje_ = new QLabel(this);
    mensaje_->setObjectName("mensaje");
    mensaje_->setWordWrap(true);
    mensaje_->setStyleSheet("color: #b00020;");
    for (QWidget* w :
         {static_cast<QWidget*>(lista_), static_cast<QWidget*>(descripcion_), static_cast<QWidget*>(definicion_)})
        AplicarColoresCaja(w, c);

    const bool constantes = editor_.Modo() == TEditorDefiniciones::Constantes;
    auto* etLista = new QLabel(constantes ? QString("Constantes:") : titulo + ":", this);
    etLista->setBuddy(lista_);
    auto* etDesc = new QLabel("Breve descripción:", this);
    etDesc->setBuddy(descripcion_);
    auto* etDef = new QLabel("Definición:", this);
    etDef->setBuddy(definicion_);

    nueva_ = new QPushButton("&Nueva", this);
    eliminar_ = new QPushButton("&Eliminar", this);
    aceptar_ = new QPushButton("&Aceptar", this);
    cancelar_ = new QPushButton("&Cancelar", this);
    for (QPushButton* b : {nueva_, eliminar_, aceptar_, cancelar_}) b->setAutoDefault(false);
    eliminar_->setEnabled(false);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(etLista);
    izquierda->addWidget(lista_, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(etDesc);
    derecha->addWidget(descripcion_);
    derecha->addWidget(etDef);
    derecha->addWidget(definicion_);
    derecha->addWidget(mensaje_);
    derecha->addStretch(1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(nueva_);
    botones->addWidget(eliminar_);
    botones->addStretch();
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    derecha->addLayout(botones);
    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(izquierda, 2);
    cuerpo->addLayout(derecha, 5);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(banda);
    todo->addLayout(cuerpo, 1);
    resize(600, 300);

    // Completion over the main engine's names, when the main window has it on.
    definicion_->Completar = [this] { return sesion_.Ajustes.Autocompletar; };
    definicion_->AbrirCompletado = [this](const QString& letra) {
        TfmAutoComp::Instancia().Completar(
            definicion_, [this] { return EntradasDe(sesion_.Principal()); }, letra);
    };

    try {
        TVelIniFile duf(sesion_.CarpetaDatos() / "real.duf");
        editor_.Cargar(duf);
    } catch (const std::exception& e) {
        Decir(QString::fromUtf8(e.what()));
    }
    for (const auto& l : editor_.Lineas()) lista_->addItem(QString::fromStdString(l.nombre));

    connect(lista_, &QListWidget::currentRowChanged, this, [this] { Seleccionar(); });
    connect(descripcion_, &QLineEdit::textChanged, this, [this] { Editado(); });
    connect(definicion_, &QLineEdit::textChanged, this, [this] { Editado(); });
    connect(nueva_, &QPushButton::clicked, this, [this] { Nueva(); });
    connect(eliminar_, &QPushButton::clicked, this, [this] { Eliminar(); });
    connect(aceptar_, &QPushButton::clicked, this, [this] { Aceptar(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { reject(); });
    AyudaConF1(this, TEditorDefiniciones::TemaAyuda(editor_.Modo()));
    if (lista_->count() > 0) lista_->setCurrentRow(0);
    else Seleccionar();
}

void TfmUsuario::Decir(const QString& m) { mensaje_->setText(m); }

void TfmUsuario::Seleccionar() {
    const int i = lista_->currentRow();
    cargando_ = true;
    descripcion_->setText(QString::fromStdString(editor_.Descripcion(i)));
    definicion_->setText(QString::fromStdString(editor_.Definicion(i)));
    cargando_ = false;
    eliminar_->setEnabled(i >= 0);
    descripcion_->setEnabled(i >= 0);
    definicion_->setEnabled(i >= 0);
}

void TfmUsuario::Editado() {
    if (cargando_) return;
    const int i = lista_->currentRow();
    if (i < 0) return;
    const std::string m = editor_.Cambiar(i, definicion_->text().toStdString(), descripcion_->text().toStdString());
    if (!m.empty()) {
        // Refused: the box goes back to what is stored.
        Decir(QString::fromStdString(m));
        cargando_ = true;
        const int cur = definicion_->cursorPosition();
        definicion_->setText(QString::fromStdString(editor_.Definicion(i)));
        definicion_->setCursorPosition(std::max(0, cur - 1));
        descripcion_->setText(QString::fromStdString(editor_.Descripcion(i)));
        cargando_ = false;
        return;
    }
    Decir({});
}

void TfmUsuario::Nueva() {
    const QString titulo = TEditorDefiniciones::Titulo(editor_.Modo());
    auto r = Cajas.PedirTexto(titulo, "Indique el nuevo identificador", QString());
    if (!r) return;
    const QString nombre = r->trimmed();
    if (nombre.isEmpty()) return;
    const std::string m = editor_.Nueva(nombre.toStdString(), [this](std::string_view n) {
        return sesion_.Principal().Buscar(n) != nullptr;
    });
    if (!m.empty()) {
        Cajas.Avisar(titulo, QString::fromStdString(m));
        return;
    }
    lista_->addItem(nombre);
    lista_->setCurrentRow(lista_->count() - 1);
    definicion_->setFocus();
}

void TfmUsuario::Eliminar() {
    const int i = lista_->currentRow();
    if (i < 0) return;
    editor_.Eliminar(i);
    cargando_ = true;
    delete lista_->takeItem(i);
    lista_->setCurrentRow(-1);
    cargando_ = false;
    Seleccionar();
}

void TfmUsuario::Aceptar() {
    const QString titulo = TEditorDefiniciones::Titulo(editor_.Modo());
    const std::filesystem::path ruta = sesion_.CarpetaDatos() / "real.duf";
    try {
        TVelIniFile duf(ruta);
        const char* otra = editor_.Modo() == TEditorDefiniciones::Constantes ? "Funciones" : "Constantes";
        // Everything is tried on engines of its own first: the session's are
        // touched only by the caller's registration, once the file is sound.
        auto rechazo = editor_.Comprobar(duf.ReadSectionValues(otra));
        if (rechazo) {
            lista_->setCurrentRow(rechazo->indice);
            const QString m = QString::fromStdString(rechazo->mensaje);
            Decir(m);
            Cajas.Avisar(titulo, m);
            definicion_->setFocus();
            return;
        }
        editor_.Escribir(duf);
        duf.UpdateFile();
    } catch (const std::exception& e) {
        const QString m = "No se pudo guardar " + QString::fromStdString(ruta.string()) + ": " + QString::fromUtf8(e.what());
        Decir(m);
        Cajas.Avisar(titulo, m);
        return;
    }
    accept();
}

void TfmUsuario::reject() {
    if (editor_.Modificado() &&
        !Cajas.Preguntar(TEditorDefiniciones::Titulo(editor_.Modo()), "Cancela sin guardar los cambios"))
        return;
    QDialog::reject();
}

bool EditarDefinicionesUsuario(QWidget* padre, TSesion& sesion, int modo) {
    TfmUsuario v(padre, sesion, modo);
    return v.exec() == QDialog::Accepted;
}

}  // namespace numbrix
