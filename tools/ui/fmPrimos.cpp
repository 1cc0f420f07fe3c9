#include "tools/ui/fmPrimos.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/Sesion.h"
#include "shell/ui/frmCalc.h"
#include "support/ui/EjecutorTrabajo.h"
#include "tools/Primo.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TfmPrimos::TfmPrimos(std::filesystem::path carpetaDatos, QWidget* padre)
    : TFormMX(padre), carpeta_(std::move(carpetaDatos)), pendiente_(std::make_shared<Pendiente>()) {
    setWindowTitle("Primos");
    setObjectName("Primos");
    SetNoErase(false);
    SetEasyDrag(false);
    Cajas = CajasDialogo::Estandar(this);
    AbrirArchivo = [](const std::filesystem::path& r) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(r.string())));
    };

    caja = new QLineEdit(this);
    caja->setAccessibleName("Número");
    caja->installEventFilter(this);
    btEsPrimo = new QPushButton("¿Es &primo?", this);
    btFactores = new QPushButton("&Factores primos", this);
    btDivisores = new QPushButton("&Divisores", this);
    btEnesimo = new QPushButton("&Hallar Primo(n)", this);
    btEntre = new QPushButton("Primos &entre...", this);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    memo->setMinimumSize(220, 160);
    barra = new QProgressBar(this);
    barra->setTextVisible(false);
    barra->hide();
    lbCuenta = new QLabel(this);
    lbTiempo = new QLabel(this);
    lbEstado = new QLabel(this);
    lbEstado->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {btEsPrimo, btFactores, btDivisores, btEnesimo, btEntre}) botones->addWidget(b);
    botones->addStretch();
    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(caja, 0, 0, 1, 2);
    rejilla->addWidget(memo, 1, 0);
    rejilla->addLayout(botones, 1, 1);
    rejilla->addWidget(barra, 2, 0, 1, 2);
    auto* pie = new QHBoxLayout;
    pie->addWidget(lbCuenta);
    pie->addStretch();
    pie->addWidget(lbTiempo);
    rejilla->addLayout(pie, 3, 0, 1, 2);
    rejilla->addWidget(lbEstado, 4, 0, 1, 2);
    rejilla->setRowStretch(1, 1);
    rejilla->setColumnStretch(0, 1);

    connect(btEsPrimo, &QPushButton::clicked, this, &TfmPrimos::EsPrimo);
    connect(btFactores, &QPushButton::clicked, this, &TfmPrimos::Factores);
    connect(btDivisores, &QPushButton::clicked, this, &TfmPrimos::Divisores);
    connect(btEnesimo, &QPushButton::clicked, this, &TfmPrimos::Enesimo);
    connect(btEntre, &QPushButton::clicked, this, &TfmPrimos::Entre);

    OpcionesTrabajo o;
    o.titulo = "Primos";
    o.conservarParcial = true;
    o.preguntarAlCancelar = true;
    o.barra = barra;
    o.etiqueta = lbEstado;
    ejecutor_ = new TEjecutorTrabajo(this, o);
    // The memo fills in blocks while a listing runs.
    vaciado_ = new QTimer(this);
    vaciado_->setInterval(150);
    connect(vaciado_, &QTimer::timeout, this, &TfmPrimos::Vaciar);
    resize(420, 340);
}

TfmPrimos::~TfmPrimos() = default;

void TfmPrimos::AplicarColores(const ColoresVentana& c) {
    AplicarColoresCaja(memo, c);
    AplicarColoresCaja(caja, c);
}

bool TfmPrimos::eventFilter(QObject* o, QEvent* e) {
    // The number box takes digits and backspace; with Ctrl, any key.
    if (o == caja && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & Qt::ControlModifier) return false;
        const QString t = k->text();
        if (k->key() == Qt::Key_Backspace || t.isEmpty() || !t[0].isPrint()) return false;
        return !(t.size() == 1 && t[0] >= '0' && t[0] <= '9');
    }
    return TFormMX::eventFilter(o, e);
}

void TfmPrimos::closeEvent(QCloseEvent* e) {
    if (ejecutor_->EnCurso()) ejecutor_->CancelarYEsperar();
    TFormMX::closeEvent(e);
}

void TfmPrimos::Ocupado(bool si) {
    for (QPushButton* b : {btEsPrimo, btFactores, btDivisores, btEnesimo, btEntre}) b->setEnabled(!si);
    if (si) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

void TfmPrimos::Preparar() {
    lbTiempo->setText("Use <ESC> para cancelar");
    lbEstado->clear();
    barra->setValue(0);
    memo->clear();
    crono_.Reiniciar();
}

void TfmPrimos::Terminar(std::uint64_t cuenta) {
    Ocupado(false);
    barra->hide();
    lbCuenta->setText(QString::number(cuenta));
    lbTiempo->setText(QString::number(static_cast<double>(crono_.Milisegundos()) / 1000.0, 'g', 6) + " seg.");
}

void TfmPrimos::Cancelado() {
    Ocupado(false);
    barra->hide();
    lbTiempo->setText("Proceso cancelado");
}

bool TfmPrimos::Leer(int op, std::uint64_t& n) {
    try {
        n = NumeroPara(static_cast<OperacionPrimos>(op), caja->text().toStdString());
        return true;
    } catch (const EPrimos& e) {
        Cajas.Avisar("Primos", QString::fromUtf8(e.what()));
        return false;
    }
}

void TfmPrimos::Mostrar(const LineasPrimos& l) {
    QStringList lineas;
    for (const auto& s : l.lineas) lineas << Q(s);
    memo->setPlainText(lineas.join('\n'));
    Terminar(l.cuenta);
}

void TfmPrimos::EsPrimo() {
    std::uint64_t n;
    if (ejecutor_->EnCurso() || !Leer(static_cast<int>(OperacionPrimos::EsPrimo), n)) return;
    Preparar();
    Mostrar(LineasEsPrimo(n));
}

void TfmPrimos::Factores() {
    std::uint64_t n;
    if (ejecutor_->EnCurso() || !Leer(static_cast<int>(OperacionPrimos::Factores), n)) return;
    Preparar();
    Mostrar(LineasFactores(n));
}

void TfmPrimos::Divisores() {
    std::uint64_t n;
    if (ejecutor_->EnCurso() || !Leer(static_cast<int>(OperacionPrimos::Divisores), n)) return;
    Preparar();
    Mostrar(LineasDivisores(n));
}

void TfmPrimos::Enesimo() {
    std::uint64_t n;
    if (ejecutor_->EnCurso() || !Leer(static_cast<int>(OperacionPrimos::Enesimo), n)) return;
    Preparar();
    Ocupado(true);
    auto p = std::make_shared<std::uint64_t>(0);
    ejecutor_->Ejecutar([n, p](TTrabajo& t) { *p = EnesimoPrimo(n, t); },
                        [this, n, p](const ResultadoTrabajo& r) {
                            if (r.fin != FinTrabajo::Terminado) return Cancelado();
                            memo->setPlainText(QString::number(*p));
                            Terminar(1);
                            lbEstado->setText(Q(TextoEnesimo(n, *p)));
                        });
}

void TfmPrimos::Entre() {
    std::uint64_t hi, lo;
    if (ejecutor_->EnCurso() || !Leer(static_cast<int>(OperacionPrimos::Rango), hi)) return;
    const auto desde = Cajas.PedirTexto("Mostrar primos", "¿Desde que número empieza a mostrar?", "2");
    if (!desde) return;
    try {
        lo = NumeroPara(OperacionPrimos::Rango, desde->toStdString());
    } catch (const EPrimos& e) {
        Cajas.Avisar("Primos", QString::fromUtf8(e.what()));
        return;
    }
    const double estimacion = EstimacionPrimos(lo, hi);
    if (estimacion > 2000) {
        const auto aArchivo = Cajas.PreguntarSiNoCancelar(
            "Primos", QString("La cantidad de primos ha hallar (aprox. %1) ").arg(static_cast<qint64>(estimacion)) +
                          "\npuede ser demasiado grande para listarla aquí.\n\n¿Desea dirigir la salida a un archivo?");
        if (!aArchivo) return;
        if (*aArchivo) return ListarEnArchivo(lo, hi);
    }
    ListarEnMemo(lo, hi);
}

void TfmPrimos::Vaciar() {
    std::string t;
    {
        std::lock_guard<std::mutex> l(pendiente_->m);
        t.swap(pendiente_->texto);
    }
    if (t.empty()) return;
    if (t.back() == '\n') t.pop_back();
    memo->appendPlainText(QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size())));
}

void TfmPrimos::ListarEnMemo(std::uint64_t lo, std::uint64_t hi) {
    Preparar();
    Ocupado(true);
    auto res = std::make_shared<ResultadoLista>();
    auto cantidad = std::make_shared<std::uint64_t>(0);
    auto pend = pendiente_;
    vaciado_->start();
    ejecutor_->Ejecutar(
        [lo, hi, res, pend](TTrabajo& t) {
            *res = ListarPrimos(lo, hi, t, [&](std::string_view b) {
                std::lock_guard<std::mutex> l(pend->m);
                pend->texto.append(b);
            }, kMaximoLineasLista);
        },
        [this, lo, hi, res](const ResultadoTrabajo& r) {
            vaciado_->stop();
            Vaciar();
            if (r.fin != FinTrabajo::Terminado) return Cancelado();
            Terminar(res->cantidad);
            lbEstado->setText(res->detenida ? QString("Lista detenida en %1 primos: use la salida a un archivo")
                                                  .arg(kMaximoLineasLista)
                                            : Q(TextoFinLista(res->cantidad, lo, hi)));
        });
}

void TfmPrimos::ListarEnArchivo(std::uint64_t lo, std::uint64_t hi) {
    Preparar();
    Ocupado(true);
    const std::filesystem::path ruta = carpeta_ / NombreArchivoPrimos(lo, hi);
    auto cantidad = std::make_shared<std::uint64_t>(0);
    ejecutor_->Ejecutar([lo, hi, ruta, cantidad](TTrabajo& t) { ListarPrimosArchivo(lo, hi, ruta, t, cantidad.get()); },
                        [this, lo, hi, ruta, cantidad](const ResultadoTrabajo& r) {
                            if (r.fin == FinTrabajo::Cancelado) return Cancelado();
                            if (r.fin == FinTrabajo::Fallido) {  // the runner shows the system's error
                                Ocupado(false);
                                lbTiempo->clear();
                                return;
                            }
                            Terminar(*cantidad);
                            lbEstado->setText(Q(TextoFinLista(*cantidad, lo, hi)));
                            if (Cajas.Preguntar("Cálculo terminado", "Se creo con éxito:\n" + Q(ruta.string()) +
                                                                         "\n¿Desea verlo en el editor predeterminado?"))
                                AbrirArchivo(ruta);
                        });
}

void ConectarPrimos(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Factores primos";
    h.PaginaAyuda = "fmPrimos.html";
    h.TituloAyuda = "Números primos";
    h.Teclas = {
        {"Alt+P", "¿Es primo? el número de la caja."},
        {"Alt+F", "Factores primos del número."},
        {"Alt+D", "Divisores del número (sin 1 ni el propio número)."},
        {"Alt+H", "Hallar Primo(n): el n-ésimo primo."},
        {"Alt+E", "Primos entre un número que se pregunta y el de la caja, en la ventana o en un archivo."},
        {"Esc", "Cancela el cálculo en curso (pregunta antes); sin cálculo, cierra la ventana."},
    };
    h.Crear = [](TfrmCalcu& p) -> QWidget* {
        auto* w = new TfmPrimos(p.Sesion().CarpetaDatos());
        w->AplicarColores(ColoresVentana::De(p.Sesion().Ajustes));
        return w;
    };
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmPrimos*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
