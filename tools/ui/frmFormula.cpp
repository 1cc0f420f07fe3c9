#include "tools/ui/frmFormula.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/DiagramaX.h"
#include "engine/TextoExpr.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/fmUsuario.h"
#include "tools/ui/QuimicaCalc.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/frmCalc.h"
#include "support/basicos.h"
#include "support/ui/ImagenesArchivo.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/MenuFormula.h"
#include "support/ui/VistaFormula.h"
#include "tools/Quim.h"
#include "units/ConvUnid.h"
#include "units/ui/ConversionesCalc.h"
#include "units/ui/fmDefMagUni.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

constexpr int kLadoImagen = 90;

const char* const kPistasEdicion[] = {
    "Indique el simbolo para un elemento de la fórmula", "Indique una breve descripción del elemento",
    "Indique un valor inicial para este elemento",       "Indique la magnitud medida y una unidad",
    "",                                                  "Indique el mínimo valor válido para este elemento",
    "Indique el máximo valor válido para este elemento"};

}  // namespace

namespace {

// The law box and the value cells: Esc empties, a letter opens the
// completion list, «**» becomes «^» as typed. Read-only, it only shows.
class TCajaFormula : public TMemoDefinicion {
public:
    using TMemoDefinicion::TMemoDefinicion;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (isReadOnly()) QLineEdit::keyPressEvent(e);
        else TMemoDefinicion::keyPressEvent(e);
    }
};

// Value cells edit in a TCajaFormula; the completion list, a popup, must not
// end the edit when it takes the focus.
class TDelegadoValor : public QStyledItemDelegate {
public:
    explicit TDelegadoValor(TfmFormula* w) : QStyledItemDelegate(w), w_(w) {}
    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* c = new TCajaFormula(padre);
        c->setFrame(false);
        w_->PrepararCaja(c);
        return c;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason)
            return false;
        // Esc empties the cell (the box's own rule) instead of undoing the edit.
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) return false;
        // Enter commits the cell, then does what Enter does on the grid
        // (recompute, or the next column in edit mode).
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                const bool hecho = QStyledItemDelegate::eventFilter(o, e);
                QCoreApplication::postEvent(w_->rejilla, new QKeyEvent(QEvent::KeyPress, k->key(), k->modifiers()));
                return hecho;
            }
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    TfmFormula* w_;
};

}  // namespace

void TfmFormula::PrepararCaja(TMemoDefinicion* caja) {
    caja->Completar = [] { return EstadoCompletado::Activo && !EstadoCompletado::Descartado; };
    caja->AbrirCompletado = [this, caja](const QString& letra) {
        TfmAutoComp::Instancia().Completar(
            caja, [this] { return EntradasDe(calculo_.Entrada()); }, letra,
            [this] { return EntradasElementos(principal_.Sesion()); });
    };
    connect(caja, &QLineEdit::textEdited, this, [caja](const QString& t) {
        // Normalised as typed, the caret staying after what it followed.
        const QString n = Q(NormalizarOperadores(S(t)));
        if (n == t) return;
        const int c = static_cast<int>(Q(NormalizarOperadores(S(t.left(caja->cursorPosition())))).size());
        caja->setText(n);
        caja->setCursorPosition(std::min(c, static_cast<int>(n.size())));
    });
}

TfmFormula::TfmFormula(TfrmCalcu& principal, TModeloUnidades& modelo, const std::filesystem::path& carpeta,
                       QWidget* padre)
    : TFormMX(padre), principal_(principal), modelo_(modelo), carpeta_(carpeta),
      calculo_(&principal.Sesion().Principal(), modelo) {
    setWindowTitle("Formulario");
    setObjectName("Formulario");
    SetNoErase(false);
    SetEasyDrag(false);
    Cajas = CajasDialogo::Estandar(this, true);
    Ayuda = [this] { AbrirAyuda(this, "frmFormula"); };
    PedirReferenciaImagen = [this](const QString& actual) { return DialogoImagen(actual); };
    EditarMagnitud = [this](const std::string& m) {
        return EditarUnidades(this, modelo_, carpeta_ / TModeloUnidades::NombreArchivo, m);
    };
    calculo_.SetAnguloEntrada(principal.Sesion().Angulo());

    cbGrupo = new QComboBox(this);
    cbGrupo->setObjectName("grupo");
    cbFormula = new QComboBox(this);
    cbFormula->setObjectName("formula");
    edLey = new TCajaFormula(this);
    edLey->setObjectName("ley");
    memo = new QPlainTextEdit(this);
    memo->setObjectName("descripcion");
    memo->setMaximumHeight(70);
    lbImagen = new QLabel(this);
    lbImagen->setObjectName("imagen");
    lbImagen->setFixedSize(kLadoImagen, kLadoImagen);
    lbImagen->setAlignment(Qt::AlignCenter);
    lbImagen->installEventFilter(this);
    vista = new TVistaFormula(this);
    vista->setObjectName("vistaLey");
    vista->setMinimumHeight(60);
    new TMenuFormula(vista, this);
    lbEstado = new QLabel(this);
    lbEstado->setObjectName("estado");
    lbEstado->setWordWrap(true);

    rejilla = new QTableWidget(0, kColumnas, this);
    rejilla->setObjectName("simbolos");
    QStringList cabecera = Q("Simb\nDescripción\nValor\nUnidad\n\nMin\nMax").split('\n');
    rejilla->setHorizontalHeaderLabels(cabecera);
    rejilla->setColumnHidden(cMagnitud, true);
    rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla->horizontalHeader()->setSectionResizeMode(cDescripcion, QHeaderView::Stretch);
    rejilla->setColumnWidth(cSimbolo, 48);
    rejilla->setColumnWidth(cValor, 110);
    rejilla->setColumnWidth(cUnidad, 70);
    rejilla->setColumnWidth(cMinimo, 50);
    rejilla->setColumnWidth(cMaximo, 50);
    rejilla->verticalHeader()->setDefaultSectionSize(22);
    rejilla->setItemDelegateForColumn(cValor, new TDelegadoValor(this));
    rejilla->installEventFilter(this);
    rejilla->viewport()->installEventFilter(this);

    auto boton = [this](const char* texto, const char* pista, void (TfmFormula::*op)()) {
        auto* b = new QPushButton(QString::fromUtf8(texto), this);
        b->setAutoDefault(false);
        if (*pista) b->setToolTip(QString::fromUtf8(pista));
        connect(b, &QPushButton::clicked, this, op);
        return b;
    };
    btRecalcular = boton("Recalcular", "", &TfmFormula::Recalcular);
    btEdicion = new QPushButton("Modo edición", this);
    btEdicion->setCheckable(true);
    btEdicion->setAutoDefault(false);
    connect(btEdicion, &QPushButton::toggled, this, [this](bool si) { SetEdicion(si); });
    btGuardar = boton("Guardar cambios", "", &TfmFormula::Guardar);
    btMas = boton("+", "Nueva Fórmula", &TfmFormula::Nueva);
    btDp = boton("Dp", "Duplicar", &TfmFormula::Duplicar);
    btRn = boton("Rn", "Renombrar Fórmula", &TfmFormula::Renombrar);
    btMenos = boton("-", "Eliminar Fórmula", &TfmFormula::Eliminar);
    btNuevoTipo = boton("Nuevo tipo", "", &TfmFormula::NuevoGrupo);
    btBorrar = boton("Borrar valores", "", &TfmFormula::BorrarValores);
    btCopiar = boton("Copiar resultado al portapapeles", "", &TfmFormula::CopiarResultado);
    btUnidades = boton("Editar magnitudes y unidades de medida", "", &TfmFormula::EditarUnidadesFila);
    btAyuda = new QPushButton("Ayuda", this);
    btAyuda->setAutoDefault(false);
    connect(btAyuda, &QPushButton::clicked, this, [this] { Ayuda(); });
    for (auto* b : {btMas, btDp, btRn, btMenos}) b->setFixedWidth(34);

    auto* raiz = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(cbGrupo, 1);
    arriba->addWidget(cbFormula, 2);
    for (auto* b : {btMas, btDp, btRn, btMenos, btNuevoTipo}) arriba->addWidget(b);
    raiz->addLayout(arriba);
    auto* medio = new QGridLayout;
    medio->addWidget(new QLabel("Ley:", this), 0, 0);
    medio->addWidget(edLey, 0, 1);
    medio->addWidget(lbImagen, 0, 2, 3, 1);
    medio->addWidget(memo, 1, 0, 1, 2);
    medio->addWidget(vista, 2, 0, 1, 2);
    medio->setColumnStretch(1, 1);
    raiz->addLayout(medio);
    raiz->addWidget(rejilla, 1);
    auto* abajo = new QGridLayout;
    abajo->addWidget(btRecalcular, 0, 0);
    abajo->addWidget(btBorrar, 0, 1);
    abajo->addWidget(btEdicion, 0, 2);
    abajo->addWidget(btGuardar, 0, 3);
    abajo->addWidget(btCopiar, 1, 0, 1, 2);
    abajo->addWidget(btUnidades, 1, 2, 1, 2);
    abajo->addWidget(btAyuda, 0, 4);
    raiz->addLayout(abajo);
    raiz->addWidget(lbEstado);

    connect(cbGrupo, &QComboBox::currentTextChanged, this, [this](const QString& g) {
        if (!cargando_) CargarGrupo(g);
    });
    connect(cbFormula, &QComboBox::currentTextChanged, this, [this](const QString& f) {
        if (!cargando_) CargarFormula(f);
    });
    PrepararCaja(static_cast<TCajaFormula*>(edLey));
    connect(rejilla, &QTableWidget::currentCellChanged, this, [this](int f, int c) { Pista(f, c); });
    connect(rejilla, &QTableWidget::cellClicked, this, [this](int f, int c) {
        if (edicion_) return;
        if (c == cDescripcion && f != incognita_) MarcarIncognita(f);
        if (c == cUnidad)
            if (QMenu* m = MenuUnidadesFila(f)) {
                m->popup(rejilla->viewport()->mapToGlobal(rejilla->visualRect(rejilla->model()->index(f, c)).bottomLeft()));
            }
    });
    connect(rejilla, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (cargando_ || it->column() != cValor) return;
        const QString n = Q(NormalizarOperadores(S(it->text())));
        if (n != it->text()) it->setText(n);
    });

    // A missing or broken archive only costs the pictures.
    // The system's own error text would be English: said in our words.
    std::error_code ec;
    if (!std::filesystem::exists(carpeta_ / "form.img", ec)) {
        lbEstado->setText("No se encontró form.img: los dibujos de las fórmulas no se muestran");
    } else {
        try {
            imagenes_.Cargar(carpeta_ / "form.img");
            imagenesBien_ = true;
        } catch (const std::exception&) {
            lbEstado->setText("form.img está dañado o no se puede leer: los dibujos de las fórmulas no se muestran");
        }
    }
    cargando_ = true;
    for (const auto& g : ListarGrupos(carpeta_)) cbGrupo->addItem(Q(g));
    cargando_ = false;
    CargarGrupo(cbGrupo->currentText());
    AyudaConF1(this, "frmFormula");
    resize(560, 520);
}

TfmFormula::~TfmFormula() = default;

QString TfmFormula::Actual() const { return cbFormula->currentText(); }

void TfmFormula::Intentar(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        Cajas.Avisar("Formulario", QString::fromUtf8(e.what()));
    }
}

void TfmFormula::Botones() {
    const bool hay = cbFormula->count() > 0;
    for (auto* b : {btDp, btRn, btMenos, btGuardar, btRecalcular, btBorrar, btCopiar}) b->setEnabled(hay);
    btMas->setEnabled(grupo_ != nullptr);
}

void TfmFormula::CargarGrupo(const QString& nombre) {
    grupo_.reset();
    cargando_ = true;
    cbFormula->clear();
    if (!nombre.isEmpty()) {
        Intentar([&] {
            grupo_ = AbrirGrupo(ArchivoGrupo(carpeta_, S(nombre)));
            for (const auto& s : grupo_->ReadSections()) cbFormula->addItem(Q(s));
        });
    }
    cargando_ = false;
    if (cbFormula->count() > 0) CargarFormula(cbFormula->currentText());
    else CargarFormula({});
}

void TfmFormula::CargarFormula(const QString& nombre) {
    SetEdicion(false);
    RegistroFormula r;
    if (grupo_ && !nombre.isEmpty()) {
        try {
            r = LeerFormula(*grupo_, S(nombre));
        } catch (const std::exception& e) {
            // A section emptied by hand: said, and shown empty.
            lbEstado->setText(QString::fromUtf8(e.what()));
        }
    }
    cargando_ = true;
    edLey->setText(Q(r.Ley));
    QStringList d;
    for (const auto& l : r.Descripcion) d << Q(l);
    memo->setPlainText(d.join('\n'));
    imagen_ = r.Imagen;
    cargando_ = false;
    PonerFilas(r.Filas);
    incognita_ = -1;
    MarcarIncognita(r.Incognita());
    MostrarImagen();
    DibujarLey();
    Botones();
}

std::vector<FilaFormula> TfmFormula::Filas() const {
    std::vector<FilaFormula> r;
    for (int f = 0; f < rejilla->rowCount(); ++f) {
        auto t = [&](int c) {
            const QTableWidgetItem* it = rejilla->item(f, c);
            return it ? S(it->text()) : std::string();
        };
        r.push_back({t(cSimbolo), t(cDescripcion), t(cValor), t(cUnidad), t(cMagnitud), t(cMinimo), t(cMaximo)});
    }
    return r;
}

void TfmFormula::PonerFilas(const std::vector<FilaFormula>& filas) {
    cargando_ = true;
    rejilla->setRowCount(static_cast<int>(filas.size()));
    for (int f = 0; f < static_cast<int>(filas.size()); ++f) {
        const FilaFormula& x = filas[static_cast<std::size_t>(f)];
        const std::string* celdas[] = {&x.Simbolo, &x.Descripcion, &x.Valor, &x.Unidad, &x.MagnitudUnidad, &x.Minimo, &x.Maximo};
        for (int c = 0; c < kColumnas; ++c) {
            auto* it = rejilla->item(f, c);
            if (!it) rejilla->setItem(f, c, it = new QTableWidgetItem);
            it->setText(Q(*celdas[c]));
        }
    }
    cargando_ = false;
    SetEdicion(edicion_);
}

RegistroFormula TfmFormula::Registro() const {
    RegistroFormula r;
    r.Ley = S(edLey->text());
    const QString d = memo->toPlainText();
    if (!d.isEmpty())
        for (const auto& l : d.split('\n')) r.Descripcion.push_back(S(l));
    r.Imagen = imagen_;
    r.Filas = Filas();
    r.Marcada = incognita_;
    return r;
}

void TfmFormula::SetEdicion(bool si) {
    edicion_ = si;
    if (btEdicion->isChecked() != si) {
        const QSignalBlocker b(btEdicion);
        btEdicion->setChecked(si);
    }
    edLey->setReadOnly(!si);
    memo->setReadOnly(!si);
    const bool antes = cargando_;
    cargando_ = true;
    // Outside edit mode only the values are typed; units come from the pop-up.
    for (int f = 0; f < rejilla->rowCount(); ++f)
        for (int c = 0; c < kColumnas; ++c)
            if (auto* it = rejilla->item(f, c)) {
                Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                if (si || c == cValor) fl |= Qt::ItemIsEditable;
                if (c == cMagnitud) fl = Qt::ItemIsEnabled;
                it->setFlags(fl);
            }
    cargando_ = antes;
}

void TfmFormula::MarcarIncognita(int fila) {
    if (fila < 0 || fila >= rejilla->rowCount()) fila = -1;
    incognita_ = fila;
    for (int f = 0; f < rejilla->rowCount(); ++f) {
        auto* it = new QTableWidgetItem(f == fila ? QString::fromUtf8("►") : QString::number(f + 1));
        rejilla->setVerticalHeaderItem(f, it);
        if (auto* s = rejilla->item(f, cSimbolo)) {
            QFont fuente = s->font();
            fuente.setBold(f == fila);
            s->setFont(fuente);
        }
    }
}

void TfmFormula::MostrarImagen() {
    QImage img;
    if (!imagen_.empty() && imagen_[0] == '#') {
        if (imagenesBien_) {
            const ImagenArchivo a = ImagenArchivo::Cargar(imagenes_, std::string_view(imagen_).substr(1));
            if (!a.Vacia()) img = a.Renderizar(QSize(kLadoImagen, kLadoImagen));
        }
    } else if (auto p = ArchivoImagen(carpeta_, imagen_)) {
        img.load(QString::fromStdString(p->string()));
        if (!img.isNull() && (img.width() > kLadoImagen || img.height() > kLadoImagen))
            img = img.scaled(kLadoImagen, kLadoImagen, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    // None, EMF, WMF or unreadable: the program's icon.
    if (img.isNull()) lbImagen->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    else lbImagen->setPixmap(QPixmap::fromImage(img));
}

void TfmFormula::DibujarLey() {
    dibujo_.reset();
    if (!edLey->text().trimmed().isEmpty() && calculo_.CompilarDibujo(S(edLey->text()), Filas())) {
        try {
            dibujo_ = Metarchivo(calculo_.Ley(), std::make_shared<MetricasQt>());
        } catch (const std::exception&) {
            dibujo_.reset();
        }
    }
    vista->PonerDibujo(dibujo_);
}

void TfmFormula::Pista(int fila, int columna) {
    if (fila < 0 || columna < 0 || columna >= kColumnas) return;
    std::string p;
    if (edicion_) p = kPistasEdicion[columna];
    else if (columna == cDescripcion) p = "Suba o baje este marcador para indicar la incógnita";
    else if (columna == cValor)
        p = fila == incognita_ ? "Aquí se muestra el valor que toma la incógnita"
                               : "Indique un valor o una expresión para este elemento";
    else if (columna == cUnidad)
        p = fila == incognita_ ? "Seleccione la unidad en la que quiere el resultado"
                               : "Seleccione la unidad en la que expreso este valor";
    else if (columna == cMinimo) p = "Muestra el mínimo valor válido para este elemento";
    else if (columna == cMaximo) p = "Muestra el máximo valor válido para este elemento";
    if (p.empty()) return;
    const auto filas = Filas();
    const auto& f = filas[static_cast<std::size_t>(fila)];
    lbEstado->setText(Q(p + ":  " + f.Simbolo + " (" + f.Descripcion + ")"));
}

void TfmFormula::Avisar(const ResultadoCalculo& r) {
    if (r.estado == ResultadoCalculo::Rechazado) Cajas.Avisar(Q(r.Titulo), Q(r.Mensaje));
    else if (r.estado == ResultadoCalculo::Fallo) Cajas.Avisar(kTituloAplicacion, Q(r.Mensaje));
}

void TfmFormula::Recalcular() {
    if (incognita_ < 0) return;
    const int f0 = rejilla->currentRow(), c0 = rejilla->currentColumn();
    auto filas = Filas();
    const auto r = calculo_.Calcular(S(edLey->text()), filas, incognita_, principal_.Sesion().Formato);
    if (auto* it = rejilla->item(incognita_, cValor)) {
        const bool antes = cargando_;
        cargando_ = true;
        it->setText(Q(r.Texto));
        cargando_ = antes;
    }
    Avisar(r);
    if (f0 >= 0) rejilla->setCurrentCell(f0, c0);
}

void TfmFormula::BorrarValores() {
    cargando_ = true;
    for (int f = 0; f < rejilla->rowCount(); ++f) {
        if (auto* it = rejilla->item(f, cValor)) it->setText({});
        const auto m = rejilla->item(f, cMagnitud) ? rejilla->item(f, cMagnitud)->text() : QString();
        if (auto* it = rejilla->item(f, cUnidad)) it->setText(m.contains('=') ? m.section('=', 1) : QString());
    }
    cargando_ = false;
    if (rejilla->rowCount() > 0) rejilla->setCurrentCell(0, cValor);
}

void TfmFormula::CopiarResultado() {
    if (incognita_ < 0) return;
    if (auto* it = rejilla->item(incognita_, cValor)) QApplication::clipboard()->setText(it->text());
}

QMenu* TfmFormula::MenuUnidadesFila(int fila) {
    if (fila < 0 || fila >= rejilla->rowCount()) return nullptr;
    // Rebuilt whenever the unit file was loaded again.
    if (generacion_ != modelo_.Generacion()) {
        unidades_ = MenuUnidades(modelo_);
        generacion_ = modelo_.Generacion();
    }
    const FilaFormula f = Filas()[static_cast<std::size_t>(fila)];
    const std::string mag = f.Magnitud();
    for (const auto& n : unidades_) {
        if (!IgualSinCaso(n.NombreMagnitud, mag)) continue;
        auto* menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->setObjectName("menuUnidades");
        for (const auto& u : n.Hijos) {
            QAction* a = menu->addAction(Q(u.Titulo));
            a->setCheckable(true);
            a->setChecked(IgualSinCaso(QuitarAceleradores(u.Titulo), QuitarAceleradores(f.Unidad)));
            const QString nombre = Q(u.NombreUnidad);
            connect(a, &QAction::triggered, this, [this, fila, nombre] { ElegirUnidad(fila, nombre); });
        }
        return menu;
    }
    Cajas.Avisar(kTituloAplicacion, Q("Magnitud " + mag + " no esta definida"));
    return nullptr;
}

void TfmFormula::ElegirUnidad(int fila, const QString& unidad) {
    if (fila < 0 || fila >= rejilla->rowCount()) return;
    rejilla->item(fila, cUnidad)->setText(unidad);
    if (edicion_) {
        const QString m = rejilla->item(fila, cMagnitud)->text().section('=', 0, 0);
        rejilla->item(fila, cMagnitud)->setText(m + "=" + unidad);
    } else {
        Recalcular();
    }
}

void TfmFormula::EditarUnidadesFila() {
    const int fila = rejilla->currentRow() >= 0 ? rejilla->currentRow() : incognita_;
    std::string mag;
    if (fila >= 0 && fila < rejilla->rowCount()) mag = Filas()[static_cast<std::size_t>(fila)].Magnitud();
    if (EditarMagnitud) EditarMagnitud(mag);
    // The unit menu follows the model's generation: nothing else to do.
}

// The reference typed, or a file picked with «Examinar…» inside the data folder.
std::optional<QString> TfmFormula::DialogoImagen(const QString& actual) {
    QDialog d(this);
    d.setWindowTitle("Imagen");
    auto* caja = new QLineEdit(actual, &d);
    auto* examinar = new QPushButton("Examinar…", &d);
    auto* botones = new QDialogButtonBox(&d);
    botones->addButton("Aceptar", QDialogButtonBox::AcceptRole);
    botones->addButton("Cancelar", QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(examinar, &QPushButton::clicked, &d, [&] {
        const QString f = QFileDialog::getOpenFileName(&d, "Imagen de la fórmula", QString::fromStdString(carpeta_.string()),
                                                       "Imágenes BMP, PNG, JPEG o SVG (*.bmp *.png *.jpg *.jpeg *.svg)");
        if (f.isEmpty()) return;
        if (const auto r = ReferenciaImagen(carpeta_, f.toStdString())) caja->setText(Q(*r));
        else
            Cajas.Avisar("Imagen", "La imagen debe estar dentro de la carpeta de datos:\n" +
                                       QString::fromStdString(carpeta_.string()));
    });
    auto* fila = new QHBoxLayout;
    fila->addWidget(caja, 1);
    fila->addWidget(examinar);
    auto* todo = new QVBoxLayout(&d);
    todo->addWidget(new QLabel("Indique archivo BMP, PNG, JPEG o SVG (90x90 max)", &d));
    todo->addLayout(fila);
    todo->addWidget(botones);
    d.resize(420, d.sizeHint().height());
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return caja->text();
}

void TfmFormula::PedirImagen() {
    const auto r = PedirReferenciaImagen(Q(imagen_));
    if (!r) return;
    imagen_ = S(r->trimmed());
    MostrarImagen();
}

void TfmFormula::Guardar() {
    if (!grupo_ || Actual().isEmpty()) return;
    const QString nombre = Actual();
    const RegistroFormula r = Registro();
    bool hecho = false;
    Intentar([&] {
        GuardarFormula(*grupo_, S(nombre), r);
        hecho = true;
    });
    if (!hecho) return;  // refused: still editing, nothing lost
    CargarFormula(nombre);
}

void TfmFormula::Nueva() {
    if (!grupo_) return;
    const auto n = Cajas.PedirTexto("Nueva fórmula", "Indique un nombre para la nueva fórmula:", {});
    if (!n || n->trimmed().isEmpty()) return;
    Intentar([&] {
        const std::string nombre = S(*n);
        ComprobarNombreLibre(*grupo_, nombre);
        grupo_->ReplaceSection(nombre, LineasNuevaFormula());
        grupo_->UpdateFile();
        MostrarAgregada(*n);
        edLey->setFocus();
    });
}

// A formula just written to the group: listed, selected, loaded, in edit mode.
void TfmFormula::MostrarAgregada(const QString& nombre) {
    cargando_ = true;
    cbFormula->addItem(nombre);
    cbFormula->setCurrentIndex(cbFormula->count() - 1);
    cargando_ = false;
    CargarFormula(nombre);
    SetEdicion(true);
}

void TfmFormula::Duplicar() {
    if (!grupo_ || Actual().isEmpty()) return;
    const auto n = Cajas.PedirTexto("Duplicar fórmula", "Indique un nuevo nombre para la fórmula:", Actual() + " 2");
    if (!n) return;
    Intentar([&] {
        const std::string nombre = S(*n);
        ComprobarNombreLibre(*grupo_, nombre);
        // Written at once: a copy only in the box would vanish with the next load.
        GuardarFormula(*grupo_, nombre, Registro());
        MostrarAgregada(*n);
    });
}

void TfmFormula::Renombrar() {
    if (!grupo_ || Actual().isEmpty()) return;
    const QString viejo = Actual();
    const auto n = Cajas.PedirTexto("Renombrar Fórmula", "Introduzca el nuevo nombre para la fórmula", viejo);
    if (!n || *n == viejo) return;
    Intentar([&] {
        const std::string nombre = S(*n);
        ComprobarNombreLibre(*grupo_, nombre, S(viejo));
        const auto lineas = grupo_->ReadSectionValues(S(viejo));
        grupo_->EraseSection(S(viejo));
        grupo_->ReplaceSection(nombre, lineas);
        grupo_->UpdateFile();
        cargando_ = true;
        cbFormula->setItemText(cbFormula->currentIndex(), *n);
        cargando_ = false;
        CargarFormula(*n);
    });
}

void TfmFormula::Eliminar() {
    if (!grupo_ || Actual().isEmpty()) return;
    const QString nombre = Actual();
    if (!Cajas.Preguntar("Borrar Fórmula", "¿Desea eliminar la fórmula\n" + nombre + "?")) return;
    Intentar([&] {
        grupo_->EraseSection(S(nombre));
        grupo_->UpdateFile();
    });
    const int i = cbFormula->currentIndex();
    cargando_ = true;
    cbFormula->removeItem(i);
    cbFormula->setCurrentIndex(std::min(i, cbFormula->count() - 1));
    cargando_ = false;
    CargarFormula(cbFormula->currentText());
}

void TfmFormula::NuevoGrupo() {
    const auto n = Cajas.PedirTexto("Nuevo grupo", "Indique un nombre para el nuevo grupo:", {});
    if (!n || n->isEmpty()) return;
    const std::string nombre = S(*n);
    for (int i = 0; i < cbGrupo->count(); ++i)
        if (IgualSinCaso(S(cbGrupo->itemText(i)), nombre)) {
            Cajas.Avisar("Formulario", Q(MensajeGrupoExiste(nombre)));
            return;
        }
    Intentar([&] {
        ComprobarNombreGrupo(nombre);
        grupo_ = AbrirGrupo(carpeta_ / (nombre + kExtensionGrupo));
        cargando_ = true;
        cbGrupo->addItem(*n);
        cbGrupo->setCurrentIndex(cbGrupo->count() - 1);
        cbFormula->clear();
        cargando_ = false;
        CargarFormula({});
        Nueva();
    });
}

void TfmFormula::AplicarColores(const ColoresVentana& c) {
    for (QWidget* w : {static_cast<QWidget*>(edLey), static_cast<QWidget*>(memo), static_cast<QWidget*>(rejilla)})
        AplicarColoresCaja(w, c);
    vista->PonerTinta(c.Texto);
    QPalette p = vista->palette();
    p.setColor(QPalette::Window, c.Fondo);
    p.setColor(QPalette::Base, c.Fondo);
    vista->setPalette(p);
    vista->setAutoFillBackground(true);
}

void TfmFormula::SetAngulo(UnidadAngulo a) { calculo_.SetAnguloEntrada(a); }

bool TfmFormula::eventFilter(QObject* o, QEvent* e) {
    if (o == lbImagen && e->type() == QEvent::MouseButtonPress && edicion_) {
        PedirImagen();
        return true;
    }
    if (o == rejilla && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const int f = rejilla->currentRow(), c = rejilla->currentColumn();
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && f >= 0) {
            if (edicion_) {
                // Through the columns, the magnitude skipped; past the last row's maximum, a new row.
                int sig = c == cUnidad ? cMinimo : c + 1;
                if (sig >= kColumnas) {
                    if (f + 1 >= rejilla->rowCount()) {
                        auto filas = Filas();
                        filas.push_back({});
                        PonerFilas(filas);
                        MarcarIncognita(incognita_);
                    }
                    rejilla->setCurrentCell(f + 1, cSimbolo);
                } else {
                    rejilla->setCurrentCell(f, sig);
                }
                return true;
            }
            if (c == cValor || c == cUnidad) {
                Recalcular();
                if (c == cValor) rejilla->setCurrentCell((f + 1) % rejilla->rowCount(), cValor);
                return true;
            }
        }
        if (k->key() == Qt::Key_Escape && !edicion_ && c == cValor && f >= 0) {
            if (auto* it = rejilla->item(f, c)) it->setText({});
            return true;
        }
    }
    // The unknown's marker dragged up and down column 0.
    if (o == rejilla->viewport() && !edicion_ && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove)) {
        auto* m = static_cast<QMouseEvent*>(e);
        const QModelIndex i = rejilla->indexAt(m->position().toPoint());
        if (e->type() == QEvent::MouseMove && (m->buttons() & Qt::LeftButton) && rejilla->property("arrastre").toBool() &&
            i.isValid() && i.row() != incognita_) {
            MarcarIncognita(i.row());
            return true;
        }
        if (e->type() == QEvent::MouseButtonPress)
            rejilla->setProperty("arrastre", i.isValid() && i.column() == cSimbolo && i.row() == incognita_);
    }
    return TFormMX::eventFilter(o, e);
}

// ---------------------------------------------------------------- tool ----

void ConectarFormulas(TfrmCalcu& principal, TModeloUnidades& modelo, TConversionesCalc* conversiones) {
    Herramienta h;
    h.Nombre = "Formulario";
    h.PaginaAyuda = "frmFormula.html";
    h.TituloAyuda = "Formulario";
    h.Teclas = {{"Ctrl+L", "Abre o cierra el Formulario"},
                {"Enter", "Recalcula la incógnita (en las columnas de valor y unidad)"},
                {"Esc", "Vacía la celda de valor elegida"},
                {"F1", "Abre esta ayuda"}};
    h.Crear = [&modelo, conversiones](TfrmCalcu& p) -> QWidget* {
        auto* w = new TfmFormula(p, modelo, p.Sesion().CarpetaDatos(), &p);
        w->EditarMagnitud = [w, &modelo, conversiones, &p](const std::string& m) {
            const bool guardado = EditarUnidades(w, modelo, p.Sesion().CarpetaDatos() / TModeloUnidades::NombreArchivo, m);
            if (conversiones) conversiones->Revisar();
            return guardado;
        };
        w->AplicarColores(ColoresVentana::De(p.Sesion().Ajustes));
        return w;
    };
    h.AlCambiarAngulo = [](QWidget* w, UnidadAngulo a) { static_cast<TfmFormula*>(w)->SetAngulo(a); };
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmFormula*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
