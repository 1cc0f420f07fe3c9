#include "tools/ui/frmFechas.h"

#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

#include "shell/ui/frmCalc.h"
#include "tools/ui/frmFechaCal.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QDate FechaQt(double dias) {
    const FechaCivil f = FechaDeDias(static_cast<std::int64_t>(std::floor(dias)));
    return QDate(static_cast<int>(f.Anio), static_cast<int>(f.Mes), static_cast<int>(f.Dia));
}

}  // namespace

OrdenFecha OrdenDelSistema() {
    const QLocale l = QLocale::system();
    if (l.language() == QLocale::C) return OrdenFecha::DiaMesAnio;
    const QString f = l.dateFormat(QLocale::ShortFormat);
    const qsizetype d = f.indexOf('d'), m = f.indexOf('M'), y = f.indexOf('y');
    if (d < 0 || m < 0 || y < 0) return OrdenFecha::DiaMesAnio;
    if (y < m && m < d) return OrdenFecha::AnioMesDia;
    if (m < d) return OrdenFecha::MesDiaAnio;
    return OrdenFecha::DiaMesAnio;
}

TfmFecha::TfmFecha(LocalFechas local, QWidget* padre) : TFormMX(padre), calc_(std::move(local)) {
    setObjectName("Fechas");
    setWindowTitle("Fechas y Tiempo");
    SetAutoDraw(false);
    SetNoErase(false);
    setAutoFillBackground(true);

    auto caja = [this](QWidget* padre, bool soloLectura = false) {
        auto* e = new QLineEdit(padre);
        e->setReadOnly(soloLectura);
        e->setMinimumWidth(260);
        if (!soloLectura) {
            e->installEventFilter(this);
            connect(e, &QLineEdit::textChanged, this, &TfmFecha::Recalcular);
        }
        return e;
    };
    auto etiqueta = [](const QString& t, QWidget* padre, QWidget* de) {
        auto* l = new QLabel(t, padre);
        l->setBuddy(de);
        return l;
    };
    auto boton = [](const QString& t, QWidget* padre) {
        auto* b = new QToolButton(padre);
        b->setText(t);
        return b;
    };

    tipo = new QComboBox(this);
    for (int i = 0; i < kTiposCalculoFecha; ++i) tipo->addItem(NombreTipoCalculo(static_cast<TipoCalculoFecha>(i)));
    auto* general = new QGridLayout(this);
    auto* fila = new QHBoxLayout;
    fila->addWidget(etiqueta("&Tipo de cálculo:", this, tipo));
    fila->addWidget(tipo, 1);
    general->addLayout(fila, 0, 0, 1, 2);

    menuFormato = new QMenu(this);
    auto* grupo = new QActionGroup(menuFormato);
    for (int i = 0; i < kFormatosDuracion; ++i) {
        if (i == static_cast<int>(FormatoDuracion::Meses)) menuFormato->addSeparator();
        QAction* a = menuFormato->addAction(NombreFormato(static_cast<FormatoDuracion>(i)));
        a->setCheckable(true);
        a->setChecked(i == 0);
        a->setData(i);
        grupo->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { ElegirFormato(static_cast<FormatoDuracion>(i)); });
    }
    auto botonFormato = [&](QWidget* padre) {
        auto* b = boton(NombreFormato(FormatoDuracion::HorasMinutos), padre);
        b->setMenu(menuFormato);
        b->setPopupMode(QToolButton::InstantPopup);
        b->setToolTip("Formato del resultado");
        return b;
    };

    // The date panel.
    panelFecha = new QWidget(this);
    auto* gf = new QGridLayout(panelFecha);
    gf->setContentsMargins(0, 0, 0, 0);
    fecha1 = caja(panelFecha);
    fecha2 = caja(panelFecha);
    resultadoFecha = caja(panelFecha, true);
    botonHoy = new QPushButton("&Hoy", panelFecha);
    botonAhora = new QPushButton("&Ahora", panelFecha);
    for (QPushButton* b : {botonHoy, botonAhora}) b->setAutoDefault(false);
    calendario1 = boton("…", panelFecha);
    calendario2 = boton("…", panelFecha);
    calendario1->setToolTip("Calendario de la fecha 1");
    calendario2->setToolTip("Calendario de la fecha 2");
    formatoFecha = botonFormato(panelFecha);
    etiquetaFecha2 = etiqueta("", panelFecha, fecha2);
    gf->addWidget(etiqueta("Fecha &1:", panelFecha, fecha1), 0, 0);
    gf->addWidget(fecha1, 0, 1);
    gf->addWidget(calendario1, 0, 2);
    auto* hoyAhora = new QHBoxLayout;
    hoyAhora->addWidget(botonHoy);
    hoyAhora->addWidget(botonAhora);
    gf->addLayout(hoyAhora, 1, 1);
    gf->addWidget(etiquetaFecha2, 2, 0);
    gf->addWidget(fecha2, 2, 1);
    gf->addWidget(calendario2, 2, 2);
    gf->addWidget(etiqueta("&Resultado:", panelFecha, resultadoFecha), 3, 0);
    gf->addWidget(resultadoFecha, 3, 1);
    gf->addWidget(formatoFecha, 4, 1, Qt::AlignLeft);
    gf->setRowStretch(5, 1);  // spare height below, rows kept together
    general->addWidget(panelFecha, 1, 0, 1, 2);

    // The time panel.
    panelTiempo = new QWidget(this);
    auto* gt = new QGridLayout(panelTiempo);
    gt->setContentsMargins(0, 0, 0, 0);
    tiempo1 = caja(panelTiempo);
    tiempo2 = caja(panelTiempo);
    tiempo3 = caja(panelTiempo);
    resultadoTiempo = caja(panelTiempo, true);
    formatoTiempo = botonFormato(panelTiempo);
    etiquetaTiempo2 = etiqueta("", panelTiempo, tiempo2);
    etiquetaTiempo3 = etiqueta("Tiempo &3:", panelTiempo, tiempo3);
    gt->addWidget(etiqueta("Tiempo &1:", panelTiempo, tiempo1), 0, 0);
    gt->addWidget(tiempo1, 0, 1);
    gt->addWidget(etiquetaTiempo2, 1, 0);
    gt->addWidget(tiempo2, 1, 1);
    gt->addWidget(etiquetaTiempo3, 2, 0);
    gt->addWidget(tiempo3, 2, 1);
    gt->addWidget(etiqueta("&Resultado:", panelTiempo, resultadoTiempo), 3, 0);
    gt->addWidget(resultadoTiempo, 3, 1);
    gt->addWidget(formatoTiempo, 4, 1, Qt::AlignLeft);
    gt->setRowStretch(5, 1);
    general->addWidget(panelTiempo, 2, 0, 1, 2);
    general->setRowStretch(3, 1);

    // Always 24 hours and the reader's order, so the text reads back.
    connect(botonHoy, &QPushButton::clicked, this, [this] {
        fecha1->setText(Q(EscribirFecha(std::floor(static_cast<double>(DiasDeFechaHora(calc_.Local().Ahora()))),
                                        calc_.Local().Orden, false)));
    });
    connect(botonAhora, &QPushButton::clicked, this, [this] {
        fecha1->setText(Q(EscribirFecha(static_cast<double>(DiasDeFechaHora(calc_.Local().Ahora())),
                                        calc_.Local().Orden, true)));
    });
    connect(calendario1, &QToolButton::clicked, this, [this] { AbrirCalendario(1); });
    connect(calendario2, &QToolButton::clicked, this, [this] { AbrirCalendario(2); });
    connect(tipo, &QComboBox::currentIndexChanged, this, &TfmFecha::CambiarTipo);
    CambiarTipo();
    resize(sizeHint());  // the first run centres it at this size
}

TipoCalculoFecha TfmFecha::Tipo() const { return static_cast<TipoCalculoFecha>(std::max(0, tipo->currentIndex())); }

void TfmFecha::CambiarTipo() {
    const TipoCalculoFecha t = Tipo();
    const bool fechas = t == TipoCalculoFecha::Diferencia || t == TipoCalculoFecha::FechaMasDias;
    const bool diferencia = t == TipoCalculoFecha::Diferencia;
    panelFecha->setVisible(fechas);
    panelTiempo->setVisible(!fechas);
    etiquetaFecha2->setText(diferencia ? "Fecha &2:" : "&Días (+/-):");
    calendario2->setVisible(diferencia);
    formatoFecha->setVisible(diferencia);
    const bool decimal = t == TipoCalculoFecha::TiempoPorDecimal || t == TipoCalculoFecha::TiempoEntreDecimal;
    etiquetaTiempo2->setText(decimal ? "&Decimal" : "Tiempo &2");
    etiquetaTiempo3->setVisible(t == TipoCalculoFecha::TiempoMasTiempo);
    tiempo3->setVisible(t == TipoCalculoFecha::TiempoMasTiempo);
    formatoTiempo->setVisible(t != TipoCalculoFecha::TiempoEntreTiempo);
    Recalcular();
}

void TfmFecha::Recalcular() {
    const TipoCalculoFecha t = Tipo();
    const bool fechas = t == TipoCalculoFecha::Diferencia || t == TipoCalculoFecha::FechaMasDias;
    std::array<std::string, 3> textos;
    const std::array<QLineEdit*, 3> de = fechas ? std::array<QLineEdit*, 3>{fecha1, fecha2, nullptr}
                                                : std::array<QLineEdit*, 3>{tiempo1, tiempo2, tiempo3};
    for (std::size_t i = 0; i < 3; ++i)
        if (de[i] && (de[i] != tiempo3 || t == TipoCalculoFecha::TiempoMasTiempo)) textos[i] = de[i]->text().toStdString();
    Mostrar(fechas ? resultadoFecha : resultadoTiempo, calc_.Calcular(t, textos));
}

void TfmFecha::Mostrar(QLineEdit* resultado, const std::string& texto) {
    resultado->setText(Q(texto));
    resultado->setCursorPosition(0);  // a long message from its start
}

void TfmFecha::ElegirFormato(FormatoDuracion f) {
    calc_.SetFormato(f);
    for (QToolButton* b : {formatoFecha, formatoTiempo}) b->setText(NombreFormato(f));
    for (QAction* a : menuFormato->actions())
        if (a->isCheckable()) a->setChecked(a->data().toInt() == static_cast<int>(f));
    if (const auto r = calc_.Reescribir(0)) Mostrar(resultadoFecha, *r);
    if (const auto r = calc_.Reescribir(1)) Mostrar(resultadoTiempo, *r);
}

void TfmFecha::AbrirCalendario(int caja) {
    QLineEdit* e = caja == 1 ? fecha1 : fecha2;
    QDate inicio = FechaQt(static_cast<double>(DiasDeFechaHora(calc_.Local().Ahora())));
    try {
        inicio = FechaQt(LeerFecha(e->text().toStdString(), calc_.Local()));
    } catch (const std::exception&) {
        // not a date yet: today
    }
    QWidget* boton = caja == 1 ? calendario1 : calendario2;
    const QString titulo = caja == 1 ? "Fecha 1" : "Fecha 2";
    const auto elegida =
        ElegirFecha ? ElegirFecha(boton, titulo, inicio) : TfmFechaCal::Elegir(boton, titulo, inicio, colores_);
    if (!elegida || !elegida->isValid()) return;
    const double dias = static_cast<double>(DiasDesde1899(elegida->year(), static_cast<unsigned>(elegida->month()),
                                                          static_cast<unsigned>(elegida->day())));
    e->setText(Q(EscribirFecha(dias, calc_.Local().Orden, false)));
    e->setFocus();
}

void TfmFecha::AplicarColores(const ColoresVentana& c) {
    colores_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Window, c.Fondo);
    p.setColor(QPalette::WindowText, c.Texto);
    setPalette(p);
    for (QLineEdit* e : Cajas()) AplicarColoresCaja(e, c);
    for (QLineEdit* e : {resultadoFecha, resultadoTiempo}) AplicarColoresCaja(e, c);
    AplicarColoresCaja(tipo, c);
}

bool TfmFecha::eventFilter(QObject* o, QEvent* e) {
    auto* caja = qobject_cast<QLineEdit*>(o);
    if (!caja || e->type() != QEvent::KeyPress) return TFormMX::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & Qt::ControlModifier) return false;  // Ctrl+V and the like: the readers judge
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return true;
    case Qt::Key_Escape:
        if (caja->text().isEmpty()) close();
        else caja->clear();
        return true;
    default:
        break;
    }
    const QString t = k->text();
    if (t.isEmpty() || !t[0].isPrint()) return false;  // moving, deleting: the box's own
    const QChar c = t[0];
    const bool tiempo = caja == tiempo1 || caja == tiempo3 ||
                        (caja == tiempo2 && (Tipo() == TipoCalculoFecha::TiempoMasTiempo ||
                                             Tipo() == TipoCalculoFecha::TiempoEntreTiempo));
    const bool pasa = t.size() == 1 && ((c >= '-' && c <= ':') || c == ' ' || (tiempo && c == 'd'));
    return !pasa;
}

void ConectarFechas(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Fec&has y Tiempo";
    h.PaginaAyuda = "fechas.html";
    h.TituloAyuda = "Fechas y tiempo";
    h.Teclas = {
        {"Intro", "Pasa a la caja siguiente."},
        {"Esc", "Vacía la caja; si ya está vacía, cierra la ventana."},
        {"Ctrl+V", "Pega un texto, que se lee como si se hubiera escrito."},
        {"Flechas", "En el calendario, mueven la fecha un día o una semana."},
    };
    h.Crear = [](TfrmCalcu&) { return new TfmFecha; };  // coloured by the hook below at once
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmFecha*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
