#include "units/ui/fmDefMagUni.h"

#include <QComboBox>
#include <QDropEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The unit file as the model opens it: one object per file in the process.
std::shared_ptr<TVelIniFile> AbrirArchivo(const std::filesystem::path& archivo) {
    OpcionesIni o;
    o.SaltarComentarios = true;
    o.QuitarFinales = true;
    o.GuardarAlCerrar = false;
    return TVelIniFile::Compartido(archivo, std::string(kClaveDatos), std::move(o));
}

}  // namespace

// ---------------------------------------------------------------- TRejillaFilas

TRejillaFilas::TRejillaFilas(QWidget* padre) : TStringGridX(padre) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDropIndicatorShown(true);
}

void TRejillaFilas::dragMoveEvent(QDragMoveEvent* e) {
    e->setDropAction(Qt::MoveAction);
    e->accept();
}

void TRejillaFilas::dropEvent(QDropEvent* e) {
    // Qt would move the dragged cells over the others' texts: the rows move
    // whole instead, through the owner.
    const int hasta = rowAt(e->position().toPoint().y());
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
    if (Mover && currentRow() >= 0) Mover(currentRow(), hasta < 0 ? rowCount() - 1 : hasta);
}

// ---------------------------------------------------------------- TfrmNuevoTipo

TfrmNuevoTipo::TfrmNuevoTipo(QWidget* padre) : QDialog(padre) {
    setWindowTitle("Nueva Magnitud");
    nombre_ = new QLineEdit(this);
    nombre_->setObjectName("nombre");
    fundamental_ = new QLineEdit(this);
    fundamental_->setObjectName("fundamental");
    auto* et1 = new QLabel("Nombre de la nueva magnitud:", this);
    et1->setBuddy(nombre_);
    auto* et2 = new QLabel("Nombre de la unidad fundamental:", this);
    et2->setBuddy(fundamental_);
    aceptar_ = new QPushButton("&Aceptar", this);
    auto* cancelar = new QPushButton("&Cancelar", this);
    aceptar_->setEnabled(false);
    aceptar_->setDefault(true);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar);
    auto* l = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(et1), static_cast<QWidget*>(nombre_), static_cast<QWidget*>(et2),
                       static_cast<QWidget*>(fundamental_)})
        l->addWidget(w);
    l->addLayout(botones);
    connect(nombre_, &QLineEdit::textChanged, this,
            [this](const QString& t) { aceptar_->setEnabled(!t.trimmed().isEmpty()); });
    connect(aceptar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    nombre_->installEventFilter(this);
    nombre_->setFocus();
}

bool TfrmNuevoTipo::eventFilter(QObject* o, QEvent* e) {
    if (o == nombre_ && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            fundamental_->setFocus();  // Enter goes on, as Tab
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

// ---------------------------------------------------------------- TfmDefMagUni

TfmDefMagUni::TfmDefMagUni(QWidget* padre, TModeloUnidades& modelo, std::filesystem::path archivo)
    : QDialog(padre), modelo_(modelo), archivo_(std::move(archivo)) {
    Cajas = CajasDialogo::Estandar(this, true);
    // Definitions that failed are a warning, not a plain question.
    Cajas.Preguntar = [this, pregunta = Cajas.Preguntar](const QString& titulo, const QString& texto) {
        if (titulo != "Problemas") return pregunta(titulo, texto);
        return QMessageBox::warning(this, titulo, texto, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    PedirNueva = [this]() -> std::optional<std::pair<QString, QString>> {
        TfrmNuevoTipo d(this);
        if (d.exec() != QDialog::Accepted) return std::nullopt;
        return std::pair{d.Nombre()->text().trimmed(), d.Fundamental()->text().trimmed()};
    };
    setObjectName("TfmDefMagUni");
    setWindowTitle("Magnitudes y unidades");

    magnitud_ = new QComboBox(this);
    magnitud_->setObjectName("magnitud");
    magnitud_->setToolTip("Lista de magnitudes definidas");
    auto boton = [this](const QString& t, const QString& pista, const char* nombre) {
        auto* b = new QToolButton(this);
        b->setText(t);
        b->setToolTip(pista);
        b->setObjectName(nombre);
        return b;
    };
    auto* mas = boton("+", "Agregar Magnitud", "agregar");
    auto* menos = boton("-", "Eliminar Magnitud", "eliminar");
    auto* renombrar = boton("N", "Renombrar Magnitud", "renombrar");
    fundamental_ = new QLineEdit(this);
    fundamental_->setObjectName("fundamental");
    auto* etF = new QLabel("Unidad fundamental (U.F.):", this);
    etF->setBuddy(fundamental_);
    rejilla_ = new TRejillaFilas(this);
    rejilla_->setObjectName("rejilla");
    rejilla_->SetColCount(4);
    rejilla_->SetRowCount(2);
    rejilla_->SetFixedRows(1);
    rejilla_->SetFixedCols(1);
    rejilla_->setColumnWidth(0, 14);
    rejilla_->setColumnWidth(1, 120);
    // Wide enough for a factor written in full, e.g. 1.602176634e-19.
    rejilla_->setColumnWidth(2, 160);
    rejilla_->horizontalHeader()->setStretchLastSection(true);
    rejilla_->installEventFilter(this);
    auto* etR = new QLabel("Definición de unidades:", this);
    etR->setBuddy(rejilla_);
    auto* subir = boton("▲", "Subir la unidad", "subir");
    auto* bajar = boton("▼", "Bajar la unidad", "bajar");
    estado_ = new QLabel(this);
    estado_->setObjectName("estado");
    estado_->setWordWrap(true);
    auto* guardar = new QPushButton("Guardar", this);
    guardar->setObjectName("guardar");
    auto* cancelar = new QPushButton("Cancelar", this);
    cancelar->setObjectName("cancelar");
    auto* ayuda = new QPushButton("Ayuda", this);
    ayuda->setToolTip("Ayuda (F1)");
    for (QPushButton* b : {guardar, cancelar, ayuda}) b->setAutoDefault(false);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(magnitud_, 1);
    arriba->addWidget(mas);
    arriba->addWidget(menos);
    arriba->addWidget(renombrar);
    auto* filaF = new QHBoxLayout;
    filaF->addWidget(etF);
    filaF->addWidget(fundamental_, 1);
    auto* mover = new QVBoxLayout;
    mover->addWidget(subir);
    mover->addWidget(bajar);
    mover->addStretch();
    auto* medio = new QHBoxLayout;
    medio->addWidget(rejilla_, 1);
    medio->addLayout(mover);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(ayuda);
    abajo->addStretch();
    abajo->addWidget(guardar);
    abajo->addWidget(cancelar);
    auto* l = new QVBoxLayout(this);
    l->addLayout(arriba);
    l->addLayout(filaF);
    l->addWidget(etR);
    l->addLayout(medio, 1);
    l->addWidget(estado_);
    l->addLayout(abajo);
    resize(520, 400);

    connect(magnitud_, &QComboBox::currentIndexChanged, this, [this] {
        if (cargando_ || magnitud_->currentText() == mostrada_) return;
        const QString elegida = magnitud_->currentText();
        if (!GuardarMostrada()) {
            cargando_ = true;
            magnitud_->setCurrentText(mostrada_);
            cargando_ = false;
            return;
        }
        Cargar(elegida);
    });
    connect(fundamental_, &QLineEdit::textEdited, this, [this] {
        modificado_ = true;
        Cabecera();
    });
    connect(rejilla_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (cargando_ || it->row() == 0) return;
        modificado_ = true;
        // Always one empty row for a new unit.
        if (it->row() == rejilla_->rowCount() - 1 && !it->text().isEmpty()) {
            cargando_ = true;
            rejilla_->SetRowCount(rejilla_->rowCount() + 1);
            cargando_ = false;
        }
    });
    connect(mas, &QToolButton::clicked, this, [this] { Agregar(); });
    connect(menos, &QToolButton::clicked, this, [this] { Eliminar(); });
    connect(renombrar, &QToolButton::clicked, this, [this] { Renombrar(); });
    rejilla_->Mover = [this](int desde, int hasta) {
        const int ultima = rejilla_->rowCount() - 2;  // the empty row stays last
        hasta = std::clamp(hasta, 1, std::max(ultima, 1));
        for (int f = desde; f < hasta; ++f) MoverFila(f, 1);
        for (int f = desde; f > hasta; --f) MoverFila(f, -1);
    };
    connect(subir, &QToolButton::clicked, this, [this] { MoverFila(rejilla_->currentRow(), -1); });
    connect(bajar, &QToolButton::clicked, this, [this] { MoverFila(rejilla_->currentRow(), 1); });
    connect(guardar, &QPushButton::clicked, this, [this] { Guardar(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ayuda, &QPushButton::clicked, this, [this] { AbrirAyuda(this, "fmConver.html"); });
    AyudaConF1(this, "fmConver.html");

    try {
        copia_ = std::make_unique<TCopiaSecciones>(*AbrirArchivo(archivo_));
    } catch (const std::exception& e) {
        TVelIniFile vacio({}, {});
        copia_ = std::make_unique<TCopiaSecciones>(vacio);
        Decir(QString::fromUtf8(e.what()));
    }
    if (estado_->text().isEmpty()) Decir(Q(modelo_.ErroresCarga()).trimmed());
    LlenarCaja({});
}

TfmDefMagUni::~TfmDefMagUni() = default;

void TfmDefMagUni::Decir(const QString& m) {
    estado_->setText(m);
    estado_->setVisible(!m.isEmpty());
}

void TfmDefMagUni::LlenarCaja(const QString& elegir) {
    cargando_ = true;
    magnitud_->clear();
    for (const std::string& n : copia_->Nombres()) magnitud_->addItem(Q(n));
    int i = magnitud_->findText(elegir);
    if (i < 0) i = magnitud_->findText(elegir, Qt::MatchFixedString);
    magnitud_->setCurrentIndex(magnitud_->count() ? std::max(i, 0) : -1);
    cargando_ = false;
}

void TfmDefMagUni::Cargar(const QString& magnitud) {
    LlenarCaja(magnitud);
    mostrada_ = magnitud_->currentText();
    const SeccionMagnitud s = FilasDeSeccion(copia_->Lineas(S(mostrada_)));
    cargando_ = true;
    fundamental_->setText(Q(s.Fundamental));
    rejilla_->setRowCount(1);
    rejilla_->SetRowCount(static_cast<int>(s.Filas.size()) + 2);
    for (int f = 0; f < static_cast<int>(s.Filas.size()); ++f) {
        const FilaUnidad& u = s.Filas[static_cast<std::size_t>(f)];
        rejilla_->SetCells(1, f + 1, Q(u.Nombre));
        rejilla_->SetCells(2, f + 1, Q(u.A));
        rejilla_->SetCells(3, f + 1, Q(u.De));
    }
    Cabecera();
    cargando_ = false;
    modificado_ = false;
}

void TfmDefMagUni::Cabecera() {
    const QString f = fundamental_->text().trimmed().isEmpty() ? QString("U.F.") : fundamental_->text().trimmed();
    const bool antes = cargando_;
    cargando_ = true;
    rejilla_->SetCells(1, 0, "Nombre Unidad");
    rejilla_->SetCells(2, 0, QString("Unidad->%1").arg(f));
    rejilla_->SetCells(3, 0, QString("%1->Unidad").arg(f));
    cargando_ = antes;
}

bool TfmDefMagUni::GuardarMostrada() {
    if (!modificado_ || mostrada_.isEmpty()) return true;
    SeccionMagnitud s;
    s.Fundamental = S(fundamental_->text());
    for (int f = 1; f < rejilla_->rowCount() - 1; ++f)
        s.Filas.push_back({S(rejilla_->Cells(1, f)), S(rejilla_->Cells(2, f)), S(rejilla_->Cells(3, f))});
    LineasGuardar g = SeccionDeFilas(s);
    if (!g.error.empty()) {
        Decir(Q(g.error));
        Cajas.Avisar(windowTitle(), Q(g.error));
        return false;
    }
    copia_->Reemplazar(S(mostrada_), std::move(g.lineas));
    modificado_ = false;
    return true;
}

void TfmDefMagUni::Agregar() {
    const auto nueva = PedirNueva();
    if (!nueva) return;
    const QString nombre = nueva->first.trimmed();
    const std::string rechazo = RechazoNombreMagnitud(S(nombre), copia_->Nombres());
    if (!rechazo.empty()) {
        Cajas.Avisar("Nueva Magnitud", Q(rechazo));
        return;
    }
    if (!GuardarMostrada()) return;
    copia_->Reemplazar(S(nombre), {"UniFundamental=" + S(nueva->second.trimmed())});
    Cargar(nombre);
    modificado_ = true;  // kept by "Guardar" even with no unit typed
}

void TfmDefMagUni::Eliminar() {
    if (mostrada_.isEmpty()) return;
    if (!Cajas.Preguntar("Borrar Magnitud", QString("¿Desea Eliminar la magnitud:\n%1 ?").arg(mostrada_))) return;
    modificado_ = false;
    const int i = magnitud_->currentIndex();
    copia_->Borrar(S(mostrada_));
    const auto nombres = copia_->Nombres();
    mostrada_.clear();
    Cargar(nombres.empty() ? QString() : Q(nombres[std::min<std::size_t>(static_cast<std::size_t>(std::max(i, 0)),
                                                                          nombres.size() - 1)]));
}

void TfmDefMagUni::Renombrar() {
    if (mostrada_.isEmpty()) return;
    const auto t = Cajas.PedirTexto("Renombrar Magnitud", "Introduzca el nuevo nombre para la magnitud", mostrada_);
    if (!t) return;
    const QString nuevo = t->trimmed();
    if (nuevo == mostrada_) return;
    const std::string rechazo = RechazoNombreMagnitud(S(nuevo), copia_->Nombres(), S(mostrada_));
    if (!rechazo.empty()) {
        Cajas.Avisar("Renombrar Magnitud", Q(rechazo));
        return;
    }
    auto lineas = copia_->Lineas(S(mostrada_));
    copia_->Borrar(S(mostrada_));
    copia_->Reemplazar(S(nuevo), std::move(lineas));
    mostrada_ = nuevo;
    modificado_ = true;
    LlenarCaja(nuevo);
}

void TfmDefMagUni::Guardar() {
    if (!GuardarMostrada()) return;
    try {
        const auto ini = AbrirArchivo(archivo_);
        copia_->Aplicar(*ini);
        ini->UpdateFile();
        modelo_.CargarMagnitudes(*ini);
    } catch (const std::exception& e) {
        Decir(QString::fromUtf8(e.what()));
        Cajas.Avisar(windowTitle(), QString::fromUtf8(e.what()));
        return;
    }
    const QString errores = Q(modelo_.ErroresCarga()).trimmed();
    Decir(errores);
    if (!errores.isEmpty()) {
        const QString texto = "Las siguientes definiciones han producido errores:\r\n\r\n" + errores +
                              "\r\n\r\n¿Desea ignorar estos errores y continuar?";
        if (!Cajas.Preguntar("Problemas", texto)) return;
    }
    accept();
}

void TfmDefMagUni::BorrarFila(int fila) {
    if (fila < 1 || fila >= rejilla_->rowCount() - 1) return;
    if (!Cajas.Preguntar("Borrar unidad", QString("¿Desea borrar la unidad:\r\n%1 ?").arg(rejilla_->Cells(1, fila))))
        return;
    rejilla_->removeRow(fila);
    modificado_ = true;
}

void TfmDefMagUni::MoverFila(int fila, int hacia) {
    const int otra = fila + hacia;
    const int ultima = rejilla_->rowCount() - 2;  // the empty row stays last
    if (fila < 1 || fila > ultima || otra < 1 || otra > ultima) return;
    cargando_ = true;
    for (int c = 1; c < 4; ++c) {
        const QString a = rejilla_->Cells(c, fila);
        rejilla_->SetCells(c, fila, rejilla_->Cells(c, otra));
        rejilla_->SetCells(c, otra, a);
    }
    cargando_ = false;
    rejilla_->setCurrentCell(otra, rejilla_->currentColumn());
    modificado_ = true;
}

bool TfmDefMagUni::eventFilter(QObject* o, QEvent* e) {
    if (o == rejilla_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Delete) {  // while a cell is edited its editor takes the keys
            BorrarFila(rejilla_->currentRow());
            return true;
        }
        if ((k->modifiers() & Qt::ControlModifier) && (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down)) {
            MoverFila(rejilla_->currentRow(), k->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

bool TfmDefMagUni::Editar(const std::string& magnitud) {
    Cargar(Q(magnitud));
    return exec() == QDialog::Accepted;
}

bool EditarUnidades(QWidget* padre, TModeloUnidades& modelo, const std::filesystem::path& archivo,
                    const std::string& magnitud) {
    TfmDefMagUni d(padre, modelo, archivo);
    return d.Editar(magnitud);
}

}  // namespace numbrix
