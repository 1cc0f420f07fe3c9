#include "tools/ui/fmSucec.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/DiagramaX.h"
#include "numbers/fraccion.h"
#include "shell/Sesion.h"
#include "shell/ui/AutoComp.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/frmCalc.h"
#include "support/ui/EjecutorTrabajo.h"
#include "support/ui/GuardarAlCerrar.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }
constexpr const char* kVacia = "{Ingrese aquí una expresión para evaluar}";
const char* const kLetras[] = {"f", "g", "h"};

}  // namespace

TfmSucec::TfmSucec(std::filesystem::path carpetaDatos, QWidget* padre)
    : TFormMX(padre), carpeta_(std::move(carpetaDatos)), s_(std::make_unique<TSucesion>()) {
    setWindowTitle("Sucesiones");
    setObjectName("Sucesiones");
    SetNoErase(false);
    SetEasyDrag(false);
    Cajas = CajasDialogo::Estandar(this);
    CajasNo = CajasDialogo::Estandar(this, true);

    TExpresionX* motores[] = {&s_->Ef, &s_->Eg, &s_->Eh, &s_->Es, &s_->Ep};
    auto* rejilla = new QGridLayout;
    const char* rotulos[] = {"f(x)=", "g(x)=", "h(x)="};
    QPushButton** evaluar[] = {&btF, &btG, &btH};
    for (int i = 0; i < 5; ++i) {
        auto* c = new TComboExpr(this);
        c->setEditable(true);
        c->Atajos = kAtajosFormula;
        c->lineEdit()->setPlaceholderText(kVacia);
        TExpresionX* m = motores[i];
        c->PonerFuente([m] { return EntradasDe(*m); });
        c->lineEdit()->installEventFilter(this);
        cajas[i] = c;
        QWidget* rotulo;
        if (i < 3) {
            auto* b = new QPushButton(rotulos[i], this);
            b->setToolTip(QString("Evaluar %1(x) en un valor").arg(kLetras[i]));
            connect(b, &QPushButton::clicked, this, [this, i] { EvaluarFuncion(i); });
            *evaluar[i] = b;
            rotulo = b;
        } else if (i == 3) {
            btModo = new QPushButton("Sn=", this);
            btModo->setToolTip("Intercambiar definición entre \"Sn\" y \"Sn+1\"");
            connect(btModo, &QPushButton::clicked, this, &TfmSucec::CambiarModo);
            rotulo = btModo;
        } else {
            rotulo = new QLabel("Condición de parada", this);
        }
        rejilla->addWidget(rotulo, i, 0);
        rejilla->addWidget(c, i, 1);
    }
    rejilla->setColumnStretch(1, 1);

    chDetallado = new QCheckBox("&Detallado", this);
    btIniciar = new QPushButton("&Iniciar", this);
    btIniciar->setToolTip("Iniciar un cálculo desde n=1");
    btContinuar = new QPushButton("&Continuar", this);
    btContinuar->setToolTip("Continuar un calculo interrumpido");
    btContinuar->setEnabled(false);
    btCancelar = new QPushButton("Cancelar", this);
    btCancelar->setToolTip("Detiene el cálculo (Esc)");
    btCancelar->hide();
    auto* marcha = new QHBoxLayout;
    marcha->addWidget(chDetallado);
    marcha->addStretch();
    marcha->addWidget(btIniciar);
    marcha->addWidget(btContinuar);
    marcha->addWidget(btCancelar);

    auto* defs = new QHBoxLayout;
    defs->addWidget(new QLabel("Suc. predefinidas:", this));
    cbDefiniciones = new QComboBox(this);
    cbDefiniciones->setEditable(true);
    cbDefiniciones->setInsertPolicy(QComboBox::NoInsert);
    cbDefiniciones->setMinimumContentsLength(16);
    defs->addWidget(cbDefiniciones, 1);
    btAgregar = new QPushButton("+", this);
    btAgregar->setToolTip("Agregar Definición");
    btBorrar = new QPushButton("−", this);
    btBorrar->setToolTip("Eliminar definición");
    btBorrar->setAccessibleName("Eliminar definición");
    for (QPushButton* b : {btAgregar, btBorrar}) {
        b->setFixedWidth(b->fontMetrics().horizontalAdvance("+") * 3 + 16);
        defs->addWidget(b);
    }

    comentario = new QPlainTextEdit(this);
    comentario->setToolTip("Comentario de la definición");
    comentario->setMaximumHeight(comentario->fontMetrics().lineSpacing() * 4 + 12);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    memo->setMinimumSize(200, 150);
    memo->setToolTip("Términos de la sucesión");

    auto* botonesVer = new QHBoxLayout;
    const char* ver[] = {"f(x)", "g(x)", "h(x)", "Sn"};
    for (int i = 0; i < 4; ++i) {
        btVer[i] = new QPushButton(ver[i], this);
        btVer[i]->setToolTip("Ver la expresión como fórmula");
        connect(btVer[i], &QPushButton::clicked, this, [this, i] { Dibujar(i); });
        botonesVer->addWidget(btVer[i]);
    }
    vista = new TVistaFormula(this);
    vista->PonerAjustar(true);
    vista->setMinimumSize(200, 60);

    lbEstado = new QLabel(this);
    lbEstado->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* derecha = new QVBoxLayout;
    derecha->addLayout(botonesVer);
    derecha->addWidget(vista, 1);
    auto* medio = new QHBoxLayout;
    medio->addWidget(memo, 1);
    medio->addLayout(derecha, 1);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(defs);
    todo->addWidget(comentario);
    todo->addLayout(rejilla);
    todo->addLayout(marcha);
    todo->addLayout(medio, 1);
    todo->addWidget(lbEstado);

    connect(btIniciar, &QPushButton::clicked, this, &TfmSucec::Iniciar);
    connect(btContinuar, &QPushButton::clicked, this, &TfmSucec::Continuar);
    connect(btAgregar, &QPushButton::clicked, this, &TfmSucec::AgregarDefinicion);
    connect(btBorrar, &QPushButton::clicked, this, &TfmSucec::BorrarDefinicion);
    connect(cbDefiniciones, &QComboBox::activated, this,
            [this](int i) { CargarDefinicion(cbDefiniciones->itemText(i)); });

    OpcionesTrabajo o;
    o.titulo = "Sucesiones";
    o.conservarParcial = true;
    o.etiqueta = lbEstado;
    ejecutor_ = new TEjecutorTrabajo(this, o);
    connect(btCancelar, &QPushButton::clicked, this, [this] { ejecutor_->PedirCancelar(); });

    try {
        archivo_ = std::make_unique<TArchivoSucesiones>(carpeta_ / "suce.ini");
        ListarDefiniciones();
        DefinicionSucesion d;
        bool completa = true;
        if (archivo_->Leer(TArchivoSucesiones::kEstado, d, &completa)) {
            PonerDefinicion(d);
            if (!completa) lbEstado->setText("La última definición estaba incompleta");
        }
    } catch (const std::exception& e) {
        lbEstado->setText(QString::fromUtf8(e.what()));
    }
    btBorrar->setEnabled(false);
    resize(620, 520);
}

TfmSucec::~TfmSucec() = default;

void TfmSucec::AplicarColores(const ColoresVentana& c) {
    for (QWidget* w : {static_cast<QWidget*>(memo), static_cast<QWidget*>(comentario)}) AplicarColoresCaja(w, c);
    for (auto* c2 : cajas) {
        AplicarColoresCaja(c2, c);
        // The placeholder stays readable on the boxes' own background.
        QPalette p = c2->lineEdit()->palette();
        p.setColor(QPalette::PlaceholderText,
                   QColor::fromRgbF(c.Texto.redF() * 0.75f + c.Fondo.redF() * 0.25f,
                                    c.Texto.greenF() * 0.75f + c.Fondo.greenF() * 0.25f,
                                    c.Texto.blueF() * 0.75f + c.Fondo.blueF() * 0.25f));
        c2->lineEdit()->setPalette(p);
    }
    // The formula's ink follows the window's scheme, light or dark.
    vista->PonerTinta(palette().color(QPalette::WindowText));
    vista->update();
}

bool TfmSucec::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick)
        for (int i = 0; i < 3; ++i)
            if (o == cajas[i]->lineEdit()) {
                EvaluarFuncion(i);
                return true;
            }
    return TFormMX::eventFilter(o, e);
}

void TfmSucec::closeEvent(QCloseEvent* e) {
    if (ejecutor_->EnCurso()) ejecutor_->CancelarYEsperar();
    // The open definition is only kept by this write: a failure is never silent.
    if (archivo_)
        GuardarAlCerrar(this, windowTitle(), "No se pudo guardar la sucesión abierta:",
                        [this] { archivo_->GuardarEstado(Definicion()); });
    TFormMX::closeEvent(e);
}

DefinicionSucesion TfmSucec::Definicion() const {
    DefinicionSucesion d;
    const QString c = comentario->toPlainText();
    if (!c.isEmpty())
        for (const QString& l : c.split('\n')) d.Comentario.push_back(S(l));
    std::string* t[] = {&d.F, &d.G, &d.H, &d.Sn, &d.Parada};
    for (int i = 0; i < 5; ++i) *t[i] = S(cajas[i]->Texto());
    d.Modo = modo_;
    return d;
}

void TfmSucec::PonerDefinicion(const DefinicionSucesion& d) {
    QStringList l;
    for (const auto& c : d.Comentario) l << Q(c);
    comentario->setPlainText(l.join('\n'));
    const std::string* t[] = {&d.F, &d.G, &d.H, &d.Sn, &d.Parada};
    for (int i = 0; i < 5; ++i) cajas[i]->SetTexto(Q(*t[i]));
    modo_ = d.Modo == 1 ? 1 : 0;
    btModo->setText(modo_ ? "Sn+1=" : "Sn=");
}

void TfmSucec::GuardarEstado() {
    if (!archivo_ || ejecutor_->EnCurso()) return;
    try {
        archivo_->GuardarEstado(Definicion());
    } catch (const std::exception& e) {
        lbEstado->setText(QString::fromUtf8(e.what()));
    }
}

void TfmSucec::CambiarModo() { PonerDefinicion([&] { auto d = Definicion(); d.Modo = 1 - modo_; return d; }()); }

void TfmSucec::Ocupado(bool si) {
    for (auto* c : cajas) c->setEnabled(!si);
    for (QPushButton* b : {btF, btG, btH, btModo, btIniciar, btContinuar, btAgregar, btVer[0], btVer[1], btVer[2],
                           btVer[3]})
        b->setEnabled(!si);
    btBorrar->setEnabled(!si && archivo_ && archivo_->Existe(S(cbDefiniciones->currentText())));
    cbDefiniciones->setEnabled(!si);
    chDetallado->setEnabled(!si);
    btCancelar->setVisible(si);
    if (si) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

std::optional<long double> TfmSucec::PedirReal(const QString& titulo, const QString& texto, QString& previo) {
    for (;;) {
        auto r = Cajas.PedirTexto(titulo, texto, previo);
        if (!r) return std::nullopt;
        long double v = 0;
        if (LeerDecimal(S(r->trimmed()), v)) {
            previo = r->trimmed();
            return v;
        }
        previo = *r;
    }
}

void TfmSucec::Dibujar(int cual) {
    dibujo_ = cual;
    TExpresionX* m[] = {&s_->Ef, &s_->Eg, &s_->Eh, &s_->Es};
    TExpresionX& e = *m[cual];
    std::optional<LienzoGrabado> d;
    if (e.Arbol) {
        try {
            d = Metarchivo(e, std::make_shared<MetricasQt>());
        } catch (const std::exception&) {
            d.reset();  // a picture that cannot be laid out is not drawn
        }
    }
    vista->PonerDibujo(d);
}

void TfmSucec::Iniciar() {
    if (ejecutor_->EnCurso()) return;
    if (chDetallado->isChecked()) memo->clear();
    const DefinicionSucesion d = Definicion();
    s_->SetModo(d.Modo);
    const auto ok = s_->Compilar(d);
    for (int i = 0; i < 5; ++i)
        if (ok[static_cast<std::size_t>(i)]) cajas[i]->AgregarHistoria(cajas[i]->Texto());
    Dibujar(dibujo_);
    const int k = s_->K();
    std::vector<long double> valores;
    QStringList lineas;
    for (int j = 1; j <= k; ++j) {
        if (respuestas_.size() < static_cast<std::size_t>(j)) respuestas_.push_back("0");
        auto v = PedirReal("Sucesiones", QString::asprintf("Indique un valor para S(%d)", j),
                           respuestas_[static_cast<std::size_t>(j - 1)]);
        if (!v) return;  // the store stays as it was
        valores.push_back(*v);
        lineas << Q(TSucesion::Linea(j, *v));
    }
    memo->clear();
    for (const QString& l : lineas) memo->appendPlainText(l);
    s_->FijarIniciales(valores);
    btContinuar->setEnabled(true);
    Continuar();
}

void TfmSucec::Continuar() {
    if (ejecutor_->EnCurso()) return;
    const bool detallado = chDetallado->isChecked();
    auto lineas = std::make_shared<std::vector<std::string>>();
    Ocupado(true);
    TSucesion* s = s_.get();
    ejecutor_->Ejecutar(
        [s, lineas, detallado](TTrabajo& t) {
            if (detallado) {
                s->CorrerDetallado(t.Token(), *lineas);
                return;
            }
            s->Correr(t.Token(), [&t](std::int64_t n) { t.Avanzar(0, "n=" + std::to_string(n)); }, *lineas);
        },
        [this, lineas](const ResultadoTrabajo&) {
            QString texto;
            for (const auto& l : *lineas) texto += Q(l) + '\n';
            if (!texto.isEmpty()) {
                texto.chop(1);
                memo->appendPlainText(texto);
            }
            Ocupado(false);
            lbEstado->setText("n=" + QString::number(s_->N()));
        });
}

void TfmSucec::EvaluarFuncion(int cual) {
    if (ejecutor_->EnCurso()) return;
    const std::string texto = S(cajas[cual]->Texto());
    long double v = 0;
    std::string mensaje;
    TExpresionX* m[] = {&s_->Ef, &s_->Eg, &s_->Eh};
    m[cual]->SetTexto(texto);
    if (!m[cual]->Arbol) {
        Cajas.Avisar("Numbrix", Q(m[cual]->MensajeCompilacion));
        return;
    }
    cajas[cual]->AgregarHistoria(Q(texto));
    auto x = PedirReal(QString("Evaluar %1(x)").arg(kLetras[cual]), "Indique un valor númerico para x", x_);
    if (!x) return;
    if (!s_->EvaluarAuxiliar(cual, texto, *x, v, &mensaje)) {
        Cajas.Avisar("Numbrix", Q(mensaje));
        return;
    }
    char b[64];
    std::snprintf(b, sizeof b, "%Lg", v);
    Cajas.Avisar("Evaluar función", QString("El valor de %1(%2) es\r\n\r\n%3").arg(kLetras[cual], x_, b));
}

void TfmSucec::ListarDefiniciones() {
    const QString actual = cbDefiniciones->currentText();
    cbDefiniciones->clear();
    for (const auto& n : archivo_->Nombres()) cbDefiniciones->addItem(Q(n));
    cbDefiniciones->setCurrentText(actual);
}

void TfmSucec::CargarDefinicion(const QString& nombre) {
    DefinicionSucesion d;
    bool completa = true;
    if (!archivo_ || !archivo_->Leer(S(nombre), d, &completa)) return;
    PonerDefinicion(d);
    lbEstado->setText(completa ? QString() : "Definición incompleta: se leyó lo que había");
    btBorrar->setEnabled(true);
}

void TfmSucec::AgregarDefinicion() {
    if (!archivo_) return;
    auto nombre = Cajas.PedirTexto("Guardar grupo", "Indique un nombre", cbDefiniciones->currentText());
    if (!nombre) return;
    const std::string n = S(nombre->trimmed());
    if (n.empty() || n == TArchivoSucesiones::kEstado) return;
    if (archivo_->Existe(n) &&
        !Cajas.Preguntar("Guardar definición", "Ya existe \"" + Q(n) + "\"\n\n¿Desea sobreescribirlo?"))
        return;
    try {
        archivo_->Guardar(n, Definicion());
    } catch (const std::exception& e) {
        Cajas.Avisar("Numbrix", QString::fromUtf8(e.what()));
        return;
    }
    ListarDefiniciones();
    const int i = cbDefiniciones->findText(Q(n), Qt::MatchFixedString);
    if (i >= 0) cbDefiniciones->setCurrentIndex(i);
    btBorrar->setEnabled(true);
}

void TfmSucec::BorrarDefinicion() {
    const QString nombre = cbDefiniciones->currentText();
    if (!archivo_ || !archivo_->Existe(S(nombre))) return;
    if (!CajasNo.Preguntar("Borrar Combinación", "¿Desea eliminar la definición\r\n" + nombre + "?")) return;
    try {
        archivo_->Borrar(S(nombre));
    } catch (const std::exception& e) {
        Cajas.Avisar("Numbrix", QString::fromUtf8(e.what()));
        return;
    }
    cbDefiniciones->setCurrentText(QString());
    ListarDefiniciones();
    btBorrar->setEnabled(false);
}

void ConectarSucesiones(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Sucesiones";
    h.PaginaAyuda = "fmSucec.html";
    h.TituloAyuda = "Sucesiones";
    h.Teclas = {
        {"Alt+I", "Iniciar: pide los valores iniciales y calcula desde n=1."},
        {"Alt+C", "Continuar el cálculo desde donde quedó."},
        {"Alt+D", "Detallado: muestra cada término (hasta 1000 por pulsación)."},
        {"Esc", "Detiene el cálculo en curso; «Continuar» lo retoma."},
        {"F2", "Abre la lista de nombres para completar en la caja."},
    };
    h.Crear = [](TfrmCalcu& p) -> QWidget* {
        auto* w = new TfmSucec(p.Sesion().CarpetaDatos());
        w->AplicarColores(ColoresVentana::De(p.Sesion().Ajustes));
        return w;
    };
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmSucec*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    h.AlGuardar = [](QWidget* w) { static_cast<TfmSucec*>(w)->GuardarEstado(); };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
