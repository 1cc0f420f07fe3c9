#include "shell/ui/Ayuda.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QPalette>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/TemasAyuda.h"

namespace numbrix {

namespace {

std::filesystem::path& CarpetaDatosAyuda() {
    static std::filesystem::path c;
    return c;
}

// Pages come through LeerPaginaAyuda, so the keys page shows the tables the
// windows set.
class TNavegador : public QTextBrowser {
public:
    TNavegador(QWidget* padre, std::filesystem::path carpeta) : QTextBrowser(padre), carpeta_(std::move(carpeta)) {}
    QVariant loadResource(int tipo, const QUrl& nombre) override {
        const QString archivo = nombre.fileName();
        if (tipo == QTextDocument::HtmlResource && archivo.endsWith(".html") &&
            std::filesystem::exists(carpeta_ / archivo.toStdString()))
            return QString::fromStdString(LeerPaginaAyuda(carpeta_, archivo.toStdString()));
        return QTextBrowser::loadResource(tipo, nombre);
    }

private:
    std::filesystem::path carpeta_;
};

class TfmAyuda : public QDialog {
public:
    explicit TfmAyuda(QWidget* padre) : QDialog(padre) {
        setObjectName("TfmAyuda");
        setWindowTitle("Ayuda de Numbrix");
        // Closing only hides it: the one help window is shown again as it was.
        setModal(false);
        carpeta_ = CarpetaAyuda(CarpetaDatosAyuda());

        buscar_ = new QLineEdit(this);
        buscar_->setPlaceholderText("Buscar en la ayuda...");
        buscar_->setClearButtonEnabled(true);
        lista_ = new QListWidget(this);
        navegador_ = new TNavegador(this, carpeta_);
        navegador_->setObjectName("navegador");
        navegador_->setSearchPaths({QString::fromStdString(carpeta_.string())});
        navegador_->setOpenExternalLinks(true);
        // The pages are written for a light page (their headings, table
        // heads and links): keep the page light under a dark desktop too.
        QPalette pagina = navegador_->palette();
        for (auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pagina.setColor(grupo, QPalette::Base, Qt::white);
            pagina.setColor(grupo, QPalette::Text, Qt::black);
            pagina.setColor(grupo, QPalette::Link, QColor(0x1a, 0x4f, 0x9c));
            pagina.setColor(grupo, QPalette::LinkVisited, QColor(0x5a, 0x2f, 0x8a));
        }
        navegador_->setPalette(pagina);

        auto* atras = new QPushButton("< &Atrás", this);
        auto* adelante = new QPushButton("A&delante >", this);
        auto* contenido = new QPushButton("&Contenido", this);
        auto* cerrar = new QPushButton("C&errar", this);
        // No default button: Enter in the search box searches, and must not
        // also press "Contenido" and leave the hit it just opened.
        for (QPushButton* b : {atras, adelante, contenido, cerrar}) b->setAutoDefault(false);
        atras->setEnabled(false);
        adelante->setEnabled(false);
        connect(navegador_, &QTextBrowser::backwardAvailable, atras, &QWidget::setEnabled);
        connect(navegador_, &QTextBrowser::forwardAvailable, adelante, &QWidget::setEnabled);
        connect(atras, &QPushButton::clicked, navegador_, &QTextBrowser::backward);
        connect(adelante, &QPushButton::clicked, navegador_, &QTextBrowser::forward);
        connect(contenido, &QPushButton::clicked, this, [this] { Ir("indice.html"); });
        connect(cerrar, &QPushButton::clicked, this, &QDialog::close);

        auto* izquierda = new QWidget(this);
        auto* li = new QVBoxLayout(izquierda);
        li->setContentsMargins(0, 0, 0, 0);
        li->addWidget(buscar_);
        li->addWidget(lista_);
        auto* division = new QSplitter(this);
        division->addWidget(izquierda);
        division->addWidget(navegador_);
        division->setStretchFactor(1, 1);
        izquierda->setMinimumWidth(250);
        division->setSizes({270, 630});

        auto* botones = new QHBoxLayout;
        botones->addWidget(atras);
        botones->addWidget(adelante);
        botones->addWidget(contenido);
        botones->addStretch();
        botones->addWidget(cerrar);
        auto* todo = new QVBoxLayout(this);
        todo->addWidget(division, 1);
        todo->addLayout(botones);
        resize(920, 600);

        MostrarContenido();
        connect(buscar_, &QLineEdit::textChanged, this, [this](const QString& t) {
            if (t.trimmed().isEmpty()) MostrarContenido();
        });
        connect(buscar_, &QLineEdit::returnPressed, this, [this] { Buscar(buscar_->text()); });
        connect(lista_, &QListWidget::itemActivated, this, [this](QListWidgetItem* i) { Ir(i->data(Qt::UserRole).toString()); });
        connect(lista_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { Ir(i->data(Qt::UserRole).toString()); });
    }

    QTextBrowser* Navegador() const { return navegador_; }

    void Ir(const QString& destino) {
        const QString archivo = destino.section('#', 0, 0);
        if (!std::filesystem::exists(carpeta_ / archivo.toStdString())) {
            navegador_->setHtml("<h1>Ayuda</h1><p>No se encontró la página de ayuda <b>" + destino.toHtmlEscaped() +
                                "</b> en " + QString::fromStdString(carpeta_.string()).toHtmlEscaped() + ".</p>");
            return;
        }
        navegador_->setSource(QUrl(destino));
    }

private:
    void MostrarContenido() {
        lista_->clear();
        for (const auto& p : PaginasAyuda()) {
            auto* i = new QListWidgetItem(QString::fromStdString(p.Titulo), lista_);
            i->setData(Qt::UserRole, QString::fromStdString(p.Archivo));
        }
    }
    void Buscar(const QString& t) {
        if (t.trimmed().isEmpty()) {
            MostrarContenido();
            return;
        }
        lista_->clear();
        const auto r = BuscarEnAyuda(carpeta_, t.toStdString());
        if (r.empty()) {
            auto* i = new QListWidgetItem("(Sin resultados)", lista_);
            i->setFlags(Qt::NoItemFlags);
            return;
        }
        for (const auto& p : r) {
            auto* i = new QListWidgetItem(QString::fromStdString(p.Titulo), lista_);
            i->setData(Qt::UserRole, QString::fromStdString(p.Archivo));
        }
        Ir(QString::fromStdString(r.front().Archivo));
    }

    std::filesystem::path carpeta_;
    QLineEdit* buscar_;
    QListWidget* lista_;
    QTextBrowser* navegador_;
};

QPointer<TfmAyuda>& Ventana() {
    static QPointer<TfmAyuda> v;
    return v;
}

// Under a modal dialog the help must belong to it, or the dialog's modality
// would block it. When that dialog goes, the help becomes a window of its
// own again and stays where it was, instead of dying with the dialog.
class Liberador : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide && Ventana() && o == Ventana()->parentWidget()) {
            o->removeEventFilter(this);
            Soltar();
        }
        return false;
    }
    static void Soltar() {
        TfmAyuda* v = Ventana();
        if (!v || !v->parentWidget()) return;
        const bool visible = v->isVisible();
        const QRect donde = v->geometry();
        v->setParent(nullptr, v->windowFlags() | Qt::Window);
        v->setGeometry(donde);
        if (visible) v->show();
    }
};

Liberador& ElLiberador() {
    static Liberador* l = new Liberador(qApp);
    return *l;
}

void Abrir(QWidget* padre, const std::string& destino) {
    (void)padre;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && Ventana() && Ventana() == modal) modal = nullptr;  // asked from the help itself
    if (Ventana() && Ventana()->parentWidget() != modal) {
        if (Ventana()->parentWidget()) Ventana()->parentWidget()->removeEventFilter(&ElLiberador());
        Liberador::Soltar();
        if (modal) {
            const QRect donde = Ventana()->geometry();
            Ventana()->setParent(modal, Ventana()->windowFlags() | Qt::Window);
            Ventana()->setGeometry(donde);
        }
    }
    if (!Ventana()) {
        Ventana() = new TfmAyuda(modal);
        Ventana()->setWindowFlag(Qt::Window, true);
    }
    if (modal) modal->installEventFilter(&ElLiberador());
    Ventana()->Ir(QString::fromStdString(destino));
    Ventana()->show();
    Ventana()->raise();
    Ventana()->activateWindow();
}

}  // namespace

void AbrirAyuda(QWidget* padre, const std::string& tema) { Abrir(padre, PaginaDeTema(tema)); }

void AbrirAyudaTema(QWidget* padre, int numero) { Abrir(padre, PaginaDeNumero(numero)); }

void FijarCarpetaDatosAyuda(const std::filesystem::path& carpetaDatos) { CarpetaDatosAyuda() = carpetaDatos; }

QTextBrowser* NavegadorAyuda() { return Ventana() ? Ventana()->Navegador() : nullptr; }

}  // namespace numbrix
