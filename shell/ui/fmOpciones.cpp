#include "shell/ui/fmOpciones.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/Sesion.h"
#include "shell/ValoresOpciones.h"
#include "shell/VelIni.h"
#include "shell/ui/fmAcerca.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GradientesQt.h"

namespace numbrix {

namespace {

constexpr const char* kMuestraExpresion = "Tg(x*Cos(0.8*Pi)+y*Sen(0.2*Pi))";
constexpr const char* kMuestraResultado = "7.64569696017864e-011";

QString Q(const std::string& s) { return QString::fromStdString(s); }

void PintarMuestra(QPushButton* b, TColor c) {
    const QColor q = ResolverColor(c);
    b->setStyleSheet(QString("QPushButton { background-color: %1; border: 1px solid #606060; min-height: 20px; }")
                         .arg(q.name()));
}

}  // namespace

// ---------------------------------------------------------------- preview

TVistaColores::TVistaColores(QWidget* padre) : QWidget(padre) {
    setMinimumSize(240, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TVistaColores::SetColores(const T4Colores& c) {
    c_ = c;
    update();
}

ColoresPintados TVistaColores::Pintados() const { return ColoresDeVentana(c_); }

void TVistaColores::paintEvent(QPaintEvent*) {
    // The colours are resolved now, so system colours follow the theme; the
    // main window takes them from the same function.
    const ColoresPintados c = Pintados();
    QPainter p(this);
    const QRect r = rect().adjusted(1, 1, -2, -2);
    const QFontMetrics fm(font());
    const int linea = fm.height() + 6;
    auto caja = [&](const QRect& k, TColor fondo, TColor tinta, const QString& texto, Qt::Alignment al) {
        p.fillRect(k, QColorDe(fondo));
        p.setPen(QPen(QColorDe(c.BandaSombra), 1));
        p.drawRect(k.adjusted(0, 0, -1, -1));
        p.setPen(QColorDe(tinta));
        p.drawText(k.adjusted(4, 0, -4, 0), Qt::AlignVCenter | al, texto);
    };
    // Top band: the expression box, then tool labels around the result box.
    QRect arriba(r.left(), r.top(), r.width(), 2 * linea + 12);
    PintarGradiente(p, arriba, QColorDe(c.BandaLuz), QColorDe(c.BandaSombra), true);
    caja(QRect(arriba.left() + 4, arriba.top() + 4, arriba.width() - 8, linea), c.Caja, c.TintaCaja,
         kMuestraExpresion, Qt::AlignLeft);
    const QString herramientas = "f(x)  M  Rad";
    const int anchoH = fm.horizontalAdvance(herramientas) + 8;
    const QRect fila2(arriba.left() + 4, arriba.top() + 8 + linea, arriba.width() - 8, linea);
    p.setPen(QColorDe(c.TintaBanda));
    p.drawText(QRect(fila2.left(), fila2.top(), anchoH, fila2.height()), Qt::AlignVCenter | Qt::AlignLeft,
               herramientas);
    caja(fila2.adjusted(anchoH, 0, 0, 0), c.Caja, c.TintaCaja, kMuestraResultado, Qt::AlignLeft);
    // Bottom band: the total.
    QRect abajo(r.left(), r.bottom() - linea - 4, r.width(), linea + 5);
    PintarGradiente(p, abajo, QColorDe(c.BandaLuz), QColorDe(c.BandaSombra), true);
    const QString total = "Total:";
    const int anchoT = fm.horizontalAdvance(total) + 8;
    p.setPen(QColorDe(c.TintaBanda));
    p.drawText(QRect(abajo.left() + 4, abajo.top() + 2, anchoT, linea), Qt::AlignVCenter | Qt::AlignLeft, total);
    caja(QRect(abajo.left() + 4 + anchoT, abajo.top() + 2, abajo.width() - 8 - anchoT, linea), c.Fondo, c.TintaFondo,
         "12.5", Qt::AlignRight);
    // Middle panel: the result list on the background colour, its selected
    // row, and the divider above it.
    QRect medio(r.left(), arriba.bottom() + 1, r.width(), abajo.top() - arriba.bottom() - 1);
    p.fillRect(medio, QColorDe(c.Fondo));
    p.fillRect(QRect(medio.left(), medio.top() + medio.height() / 3, medio.width(), 3), QColorDe(c.Divisor));
    QRect fila(medio.left() + 6, medio.top() + medio.height() / 3 + 5, medio.width() - 12, fm.height() + 2);
    p.setPen(QColorDe(c.TintaFondo));
    if (fila.bottom() <= medio.bottom()) p.drawText(fila, Qt::AlignVCenter | Qt::AlignLeft, "Texto de muestra");
    fila.translate(0, fila.height());
    if (fila.bottom() <= medio.bottom()) {
        p.fillRect(fila, QColorDe(c.Seleccion));
        p.setPen(QColorDe(c.TintaSeleccion));
        p.drawText(fila, Qt::AlignVCenter | Qt::AlignLeft, "Texto de muestra");
    }
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(r);
}

// ---------------------------------------------------------------- window

TfmOpciones::TfmOpciones(QWidget* padre, TSesion& sesion, std::function<void()> aplicar)
    : QDialog(padre), sesion_(sesion), aplicar_(std::move(aplicar)), a_(sesion.Ajustes) {
    Cajas = CajasDialogo::Estandar(this);
    ElegirColor = [this](const QColor& actual) {
        return QColorDialog::getColor(actual, this, "Color");
    };
    setObjectName("TfmOpciones");
    setWindowTitle("Opciones");

    paginas_ = new QTabWidget(this);
    paginas_->addTab(PaginaGeneral(), "General");
    paginas_->addTab(PaginaFuentes(), "Fuentes");
    paginas_->addTab(PaginaColores(), "Colores");
    paginas_->addTab(PaginaVentana(), "Ventana");

    auto* aceptar = new QPushButton("&Aceptar", this);
    auto* cancelar = new QPushButton("&Cancelar", this);
    auto* acerca = new QPushButton("Acerca &de...", this);
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, [this] { Aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(acerca, &QPushButton::clicked, this, [this] { MostrarAcercaDe(this, a_); });
    auto* botones = new QHBoxLayout;
    botones->addWidget(acerca);
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(paginas_, 1);
    todo->addLayout(botones);

    // The schemes: every sound line of "colores.ini"; the others are named
    // on the page, and the window opens all the same.
    try {
        archivoEsquemas_ = std::make_unique<TVelIniFile>(sesion_.CarpetaDatos() / "colores.ini");
        lista_.Cargar(*archivoEsquemas_);
        QStringList problemas;
        for (const auto& p : lista_.Problemas()) problemas << Q(p);
        if (archivoEsquemas_->Informe().HayProblemas())
            problemas << Q(archivoEsquemas_->Informe().Texto(archivoEsquemas_->FileName()));
        if (!problemas.isEmpty()) avisoEsquemas_->setText("Se omitieron líneas de colores.ini:\n" + problemas.join("\n"));
    } catch (const std::exception& e) {
        avisoEsquemas_->setText("No se pudo leer colores.ini: " + QString::fromUtf8(e.what()));
    }
    avisoEsquemas_->setVisible(!avisoEsquemas_->text().isEmpty());
    LlenarEsquemas(-1);

    Mostrar();
    paginas_->setCurrentIndex(0);
    AyudaConF1(this, "fmOpciones");
}

TfmOpciones::~TfmOpciones() = default;

QWidget* TfmOpciones::PaginaGeneral() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    auto* fila = new QHBoxLayout;
    cajaRecordar_ = new QSpinBox(w);
    cajaRecordar_->setObjectName("cajaRecordar");
    cajaRecordar_->setRange(5, 250);
    auto* et = new QLabel("Rec&ordar las últimas ", w);
    et->setBuddy(cajaRecordar_);
    fila->addWidget(et);
    fila->addWidget(cajaRecordar_);
    fila->addWidget(new QLabel("expresiones calculadas", w));
    fila->addStretch();
    l->addLayout(fila);
    auto* fila2 = new QHBoxLayout;
    cajaTolerancia_ = new QLineEdit(w);
    cajaTolerancia_->setObjectName("cajaTolerancia");
    // Digits, "E", "e", "-" and "." only, as typed.
    cajaTolerancia_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9Ee.\\-]*"), cajaTolerancia_));
    fila2->addWidget(new QLabel("Diferencia máxima para considerar dos valores \"iguales\":", w));
    fila2->addWidget(cajaTolerancia_);
    l->addLayout(fila2);
    chkAutocompletar_ = new QCheckBox("Usar A&utocompletar", w);
    chkMMR_ = new QCheckBox("Calcular &Masas Moleculares Relativas (y mostrar elem. quim.)", w);
    chkNoAuto_ = new QCheckBox("No autocompletar cuando la base del resultado no sea decimal", w);
    chkHistorial_ = new QCheckBox("Mostrar Fórmula+Historial (Detalles de los cálculos realizados)", w);
    chkBarra_ = new QCheckBox("Ver Barra de Herramientas", w);
    chkTotales_ = new QCheckBox("Mostrar Totales ", w);
    chkBarra_->setObjectName("chkBarra");
    chkTotales_->setObjectName("chkTotales");
    for (QCheckBox* c : {chkAutocompletar_, chkMMR_, chkNoAuto_, chkHistorial_, chkBarra_}) l->addWidget(c);
    chkMMR_->setObjectName("chkMMR");
    chkMMR_->hide();  // offered once the chemistry look-up exists
    auto* sangria = new QHBoxLayout;
    sangria->addSpacing(24);
    sangria->addWidget(chkTotales_);
    l->addLayout(sangria);
    l->addStretch();
    connect(chkBarra_, &QCheckBox::toggled, chkTotales_, &QWidget::setEnabled);
    return w;
}

QWidget* TfmOpciones::PaginaFuentes() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    auto grupo = [&](const QString& titulo, QFontComboBox*& nombre, QComboBox*& tam, QToolButton*& neg,
                     QToolButton*& cur, QLabel*& muestra, const char* textoMuestra) {
        auto* g = new QGroupBox(w);
        auto* gl = new QGridLayout(g);
        auto* et = new QLabel(titulo, g);
        nombre = new QFontComboBox(g);
        et->setBuddy(nombre);
        tam = new QComboBox(g);
        tam->setEditable(true);
        for (int i = kTamanoFuenteMinimo; i <= kTamanoFuenteMaximo; ++i) tam->addItem(QString::number(i));
        tam->lineEdit()->setMaxLength(2);
        tam->setInsertPolicy(QComboBox::NoInsert);
        neg = new QToolButton(g);
        neg->setText("N");
        neg->setToolTip("Negrita");
        neg->setCheckable(true);
        QFont fn = neg->font();
        fn.setBold(true);
        neg->setFont(fn);
        cur = new QToolButton(g);
        cur->setText("C");
        cur->setToolTip("Cursiva");
        cur->setCheckable(true);
        QFont fc = cur->font();
        fc.setItalic(true);
        cur->setFont(fc);
        muestra = new QLabel(textoMuestra, g);
        muestra->setFrameShape(QFrame::StyledPanel);
        muestra->setMinimumHeight(44);
        muestra->setAlignment(Qt::AlignCenter);
        muestra->setAutoFillBackground(true);
        gl->addWidget(et, 0, 0, 1, 4);
        gl->addWidget(nombre, 1, 0);
        gl->addWidget(tam, 1, 1);
        gl->addWidget(neg, 1, 2);
        gl->addWidget(cur, 1, 3);
        gl->addWidget(muestra, 2, 0, 1, 4);
        gl->setColumnStretch(0, 1);
        l->addWidget(g);
        connect(nombre, &QFontComboBox::currentFontChanged, this, [this] { ActualizarMuestras(); });
        connect(tam, &QComboBox::currentTextChanged, this, [this] { ActualizarMuestras(); });
        connect(neg, &QToolButton::toggled, this, [this] { ActualizarMuestras(); });
        connect(cur, &QToolButton::toggled, this, [this] { ActualizarMuestras(); });
    };
    grupo("Fuente para &Expresión:", familiaExpresion_, tamanoExpresion_, negritaExpresion_, cursivaExpresion_,
          muestraExpresion_, kMuestraExpresion);
    grupo("Fuente para &Resultado:", familiaResultado_, tamanoResultado_, negritaResultado_, cursivaResultado_,
          muestraResultado_, kMuestraResultado);
    tamanoExpresion_->setObjectName("tamanoExpresion");
    tamanoResultado_->setObjectName("tamanoResultado");
    l->addStretch();
    return w;
}

QWidget* TfmOpciones::PaginaColores() {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    auto* izquierda = new QGridLayout;
    const char* etiquetas[4] = {"Color claro", "Color oscuro", "Color de texto", "Color fondos"};
    for (int i = 0; i < 4; ++i) {
        muestrasColor_[i] = new QPushButton(w);
        muestrasColor_[i]->setFixedWidth(48);
        muestrasColor_[i]->setToolTip(etiquetas[i]);
        izquierda->addWidget(muestrasColor_[i], i, 0);
        izquierda->addWidget(new QLabel(etiquetas[i], w), i, 1);
        connect(muestrasColor_[i], &QPushButton::clicked, this, [this, i] { CambiarColor(i); });
    }
    vista_ = new TVistaColores(w);
    izquierda->addWidget(vista_, 4, 0, 1, 2);
    izquierda->setRowStretch(4, 1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(new QLabel("Combinaciones:", w));
    esquemas_ = new QListWidget(w);
    esquemas_->setObjectName("esquemas");
    derecha->addWidget(esquemas_, 1);
    avisoEsquemas_ = new QLabel(w);
    avisoEsquemas_->setWordWrap(true);
    avisoEsquemas_->setStyleSheet("color: #b00020;");
    derecha->addWidget(avisoEsquemas_);
    auto* fila = new QHBoxLayout;
    botonGuardarEsquema_ = new QPushButton("+", w);
    botonGuardarEsquema_->setToolTip("Guardar combinación de colores");
    borrar_ = new QPushButton("-", w);
    borrar_->setToolTip("Borrar Combinación");
    borrar_->setEnabled(false);
    for (QPushButton* b : {botonGuardarEsquema_, borrar_}) b->setFixedWidth(32);
    fila->addWidget(botonGuardarEsquema_);
    fila->addWidget(borrar_);
    fila->addStretch();
    derecha->addLayout(fila);
    predeterminado_ = new QPushButton("Usar &Predeterminado", w);
    botonAplicar_ = new QPushButton("Aplicar", w);
    derecha->addWidget(predeterminado_);
    derecha->addWidget(botonAplicar_);
    l->addLayout(izquierda, 3);
    l->addLayout(derecha, 2);
    connect(esquemas_, &QListWidget::currentRowChanged, this, [this](int f) { ElegirEsquema(f); });
    connect(botonGuardarEsquema_, &QPushButton::clicked, this, [this] { GuardarEsquema(); });
    connect(borrar_, &QPushButton::clicked, this, [this] { BorrarEsquema(); });
    connect(predeterminado_, &QPushButton::clicked, this, [this] { Predeterminado(); });
    connect(botonAplicar_, &QPushButton::clicked, this, [this] { Aplicar(); });
    return w;
}

QWidget* TfmOpciones::PaginaVentana() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    chkSiempreVisible_ = new QCheckBox("Mantener la ventana siempre &visible", w);
    chkOcultarTitulo_ = new QCheckBox("Ocultar barra de título ", w);
    chkMagnetic_ = new QCheckBox("Adherir ventanas al borde del escritorio", w);
    chkJuntoReloj_ = new QCheckBox("Minimizar junto al reloj", w);
    for (QCheckBox* c : {chkSiempreVisible_, chkOcultarTitulo_, chkMagnetic_, chkJuntoReloj_}) l->addWidget(c);
    l->addStretch();
    return w;
}

void TfmOpciones::Mostrar() {
    chkAutocompletar_->setChecked(a_.Autocompletar);
    chkMMR_->setChecked(a_.MMR);
    chkSiempreVisible_->setChecked(a_.SiempreVisible);
    chkOcultarTitulo_->setChecked(a_.NoTitulo);
    cajaRecordar_->setValue(a_.MaxList);
    chkNoAuto_->setChecked(a_.NoAuto);
    chkHistorial_->setChecked(a_.VerHistorial);
    chkBarra_->setChecked(a_.VerBarra);
    chkTotales_->setChecked(a_.VerTotal);
    chkTotales_->setEnabled(a_.VerBarra);
    chkMagnetic_->setChecked(a_.Magnetico);
    chkJuntoReloj_->setChecked(a_.MinIcon);
    auto fuente = [](const FuenteCaja& f, QFontComboBox* n, QComboBox* t, QToolButton* b, QToolButton* c) {
        n->setCurrentFont(QFont(Q(f.Nombre)));
        t->setCurrentText(QString::number(f.Tamano));
        b->setChecked(f.Estilo & 1);
        c->setChecked(f.Estilo & 2);
    };
    fuente(a_.FuenteExpresion, familiaExpresion_, tamanoExpresion_, negritaExpresion_, cursivaExpresion_);
    fuente(a_.FuenteResultado, familiaResultado_, tamanoResultado_, negritaResultado_, cursivaResultado_);
    cajaTolerancia_->setText(Q(TextoTolerancia(a_.MaxDif)));
    colores_ = {ColorDeEntero(a_.ClLuz), ColorDeEntero(a_.ClSombra), ColorDeEntero(a_.ClTexto),
                ColorDeEntero(a_.ClFondo)};
    alAbrir_ = colores_;
    MostrarColores();
    ActualizarMuestras();
}

void TfmOpciones::ActualizarMuestras() {
    auto una = [this](QFontComboBox* n, QComboBox* t, QToolButton* b, QToolButton* c, QLabel* m) {
        QFont f = n->currentFont();
        int tam = 0;
        if (LeerTamanoFuente(t->currentText().toStdString(), tam).empty()) f.setPointSize(tam);
        f.setBold(b->isChecked());
        f.setItalic(c->isChecked());
        m->setFont(f);
        // The sample shows the boxes' own colours too.
        const ColoresPintados cp = ColoresDeVentana(colores_);
        QPalette p = m->palette();
        p.setColor(QPalette::Window, QColorDe(cp.Caja));
        p.setColor(QPalette::WindowText, QColorDe(cp.TintaCaja));
        m->setPalette(p);
    };
    una(familiaExpresion_, tamanoExpresion_, negritaExpresion_, cursivaExpresion_, muestraExpresion_);
    una(familiaResultado_, tamanoResultado_, negritaResultado_, cursivaResultado_, muestraResultado_);
}

void TfmOpciones::MostrarColores() {
    const TColor c[4] = {colores_.Luz, colores_.Sombra, colores_.Texto, colores_.Fondo};
    for (int i = 0; i < 4; ++i) PintarMuestra(muestrasColor_[i], c[i]);
    vista_->SetColores(colores_);
    ActualizarMuestras();
}

void TfmOpciones::LlenarEsquemas(int seleccion) {
    const QSignalBlocker bloqueo(esquemas_);
    esquemas_->clear();
    for (const auto& e : lista_.Lista()) esquemas_->addItem(Q(e.Nombre));
    esquemas_->setCurrentRow(seleccion);
    borrar_->setEnabled(seleccion >= 0);
}

void TfmOpciones::ElegirEsquema(int fila) {
    borrar_->setEnabled(fila >= 0);
    if (fila < 0 || fila >= static_cast<int>(lista_.Lista().size())) return;
    colores_ = lista_.Lista()[static_cast<std::size_t>(fila)].Colores;
    MostrarColores();
}

void TfmOpciones::CambiarColor(int cual) {
    TColor* c[4] = {&colores_.Luz, &colores_.Sombra, &colores_.Texto, &colores_.Fondo};
    const QColor nuevo = ElegirColor(ResolverColor(*c[cual]));
    if (!nuevo.isValid()) return;
    *c[cual] = ColorDeQColor(nuevo);
    LlenarEsquemas(-1);
    botonGuardarEsquema_->setEnabled(true);
    MostrarColores();
}

void TfmOpciones::Predeterminado() {
    colores_ = ColoresPredeterminados();
    LlenarEsquemas(-1);
    MostrarColores();
}

void TfmOpciones::PonerColores(const T4Colores& c) {
    a_.ClLuz = EnteroDeColor(c.Luz);
    a_.ClSombra = EnteroDeColor(c.Sombra);
    a_.ClTexto = EnteroDeColor(c.Texto);
    a_.ClFondo = EnteroDeColor(c.Fondo);
    if (aplicar_) aplicar_();
}

void TfmOpciones::Aplicar() { PonerColores(colores_); }

void TfmOpciones::GuardarEsquema() {
    if (!archivoEsquemas_) return;
    const QString propuesto = esquemas_->currentItem() ? esquemas_->currentItem()->text() : QString();
    auto r = Cajas.PedirTexto("Guardar combinación de colores", "Indique un nombre para la combinación de colores",
                              propuesto);
    if (!r) return;
    const std::string nombre = r->trimmed().toStdString();
    const std::string error = TEsquemas::ValidarNombre(nombre);
    if (!error.empty()) {
        Cajas.Avisar("Guardar combinación de colores", Q(error));
        return;
    }
    const int existente = lista_.Buscar(nombre);
    if (existente >= 0) {
        const QString texto = "Ya existe una combinación de colores\nllamada \"" +
                              Q(lista_.Lista()[static_cast<std::size_t>(existente)].Nombre) +
                              "\".\n\n¿Desea reemplazarla?";
        if (!Cajas.Preguntar("Reemplazar combinación", texto)) return;
    }
    try {
        const int i = lista_.Guardar(*archivoEsquemas_, nombre, colores_);
        archivoEsquemas_->UpdateFile();
        LlenarEsquemas(i);
    } catch (const std::exception& e) {
        Cajas.Avisar("Guardar combinación de colores", QString::fromUtf8(e.what()));
        lista_.Cargar(*archivoEsquemas_);
        LlenarEsquemas(-1);
    }
}

void TfmOpciones::BorrarEsquema() {
    const int fila = esquemas_->currentRow();
    if (!archivoEsquemas_ || fila < 0) return;
    const QString nombre = esquemas_->item(fila)->text();
    if (!Cajas.Preguntar("Borrar Combinación", "¿Desea eliminar la combinación de colores\n" + nombre + "?")) return;
    try {
        lista_.Borrar(*archivoEsquemas_, fila);
        archivoEsquemas_->UpdateFile();
    } catch (const std::exception& e) {
        Cajas.Avisar("Borrar Combinación", QString::fromUtf8(e.what()));
    }
    LlenarEsquemas(-1);
}

void TfmOpciones::Aceptar() {
    // Every value is checked first: a bad one changes nothing at all.
    long double tolerancia = 0;
    int tamanoExpresion = 0, tamanoResultado = 0;
    struct Revision {
        std::string error;
        int pagina;
        QWidget* control;
    } revisiones[] = {
        {LeerTolerancia(cajaTolerancia_->text().toStdString(), tolerancia), 0, cajaTolerancia_},
        {LeerTamanoFuente(tamanoResultado_->currentText().toStdString(), tamanoResultado), 1, tamanoResultado_},
        {LeerTamanoFuente(tamanoExpresion_->currentText().toStdString(), tamanoExpresion), 1, tamanoExpresion_},
    };
    for (const auto& r : revisiones) {
        if (r.error.empty()) continue;
        paginas_->setCurrentIndex(r.pagina);
        r.control->setFocus();
        Cajas.Avisar("Opciones", Q(r.error));
        return;
    }
    a_.Autocompletar = chkAutocompletar_->isChecked();
    a_.MMR = chkMMR_->isChecked();
    a_.SiempreVisible = chkSiempreVisible_->isChecked();
    a_.NoTitulo = chkOcultarTitulo_->isChecked();
    a_.NoAuto = chkNoAuto_->isChecked();
    a_.MaxList = cajaRecordar_->value();
    a_.MinIcon = chkJuntoReloj_->isChecked();
    a_.VerHistorial = chkHistorial_->isChecked();
    a_.VerBarra = chkBarra_->isChecked();
    a_.VerTotal = chkTotales_->isChecked();
    a_.Magnetico = chkMagnetic_->isChecked();
    auto estilo = [](QToolButton* b, QToolButton* c) { return (b->isChecked() ? 1 : 0) | (c->isChecked() ? 2 : 0); };
    a_.FuenteResultado = {familiaResultado_->currentFont().family().toStdString(), tamanoResultado,
                          estilo(negritaResultado_, cursivaResultado_)};
    a_.FuenteExpresion = {familiaExpresion_->currentFont().family().toStdString(), tamanoExpresion,
                          estilo(negritaExpresion_, cursivaExpresion_)};
    a_.MaxDif = tolerancia;
    sesion_.SetTolerancia(tolerancia);
    a_.ClLuz = EnteroDeColor(colores_.Luz);
    a_.ClSombra = EnteroDeColor(colores_.Sombra);
    a_.ClTexto = EnteroDeColor(colores_.Texto);
    a_.ClFondo = EnteroDeColor(colores_.Fondo);
    if (aplicar_) aplicar_();
    if (const auto& ini = sesion_.Ini()) {
        try {
            a_.EscribirOpciones(*ini);
            ini->UpdateFile();
        } catch (const std::exception& e) {
            // Applied but not kept: say so; the main window writes again at close.
            Cajas.Avisar("Opciones", "No se pudieron guardar las opciones: " + QString::fromUtf8(e.what()));
        }
    }
    accept();
}

void TfmOpciones::reject() {
    PonerColores(alAbrir_);
    QDialog::reject();
}

void TfmOpciones::OfrecerQuimica(bool si) { chkMMR_->setVisible(si); }

bool MostrarOpciones(QWidget* padre, TSesion& sesion, const std::function<void()>& aplicar, bool conQuimica) {
    TfmOpciones v(padre, sesion, aplicar);
    v.OfrecerQuimica(conQuimica);
    return v.exec() == QDialog::Accepted;
}

}  // namespace numbrix
