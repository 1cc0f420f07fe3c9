#include "tools/ui/fmPoli.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "engine/bases2_36.h"
#include "shell/AjustesCalculadora.h"
#include "shell/Sesion.h"
#include "shell/ValidadorPregunta.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/frmCalc.h"
#include "support/basicos.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TfmPoli::TfmPoli(TfrmCalcu& principal, QWidget* padre) : TFormMX(padre), principal_(principal) {
    setWindowTitle("Polinomios");
    setObjectName("Polinomios");
    SetNoErase(false);
    SetEasyDrag(false);
    Cajas = CajasDialogo::Estandar(this);
    PreguntarValor = [this](const Pregunta& p) -> std::optional<std::string> {
        TfmInput* input = principal_.Input();
        if (!input) return std::nullopt;
        QTimer::singleShot(0, input, [input] {
            input->raise();
            input->activateWindow();
        });
        return input->Preguntar(p);
    };
    Ayuda = [this] { AbrirAyuda(this, "fmPoli"); };

    const std::filesystem::path carpeta = principal_.Sesion().CarpetaDatos();
    auto caja = [&](const char* nombre, const char* archivo) {
        auto* cb = new TComboExpr(this);
        cb->setObjectName(nombre);
        cb->setAccessibleName(nombre);
        cb->Atajos = kSinAtajos;
        cb->SegunAjuste = false;
        cb->FileName = carpeta / archivo;
        cb->CargarHistoria();
        cb->SetTexto("");
        cb->installEventFilter(this);
        cb->lineEdit()->installEventFilter(this);
        connect(cb, &TComboExpr::Intro, this, [this, cb] {
            TPoli p;
            Leer(cb, p);
        });
        return cb;
    };
    cbP = caja("P(x):", "polip.lst");
    cbQ = caja("Q(x):", "poliq.lst");
    lbTitulo = new QLabel(this);
    lbTitulo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    memo->setMinimumSize(260, 120);

    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(new QLabel("P(x):", this), 0, 0);
    rejilla->addWidget(cbP, 0, 1);
    rejilla->addWidget(new QLabel("Q(x):", this), 1, 0);
    rejilla->addWidget(cbQ, 1, 1);
    auto* botones = new QGridLayout;
    const struct {
        const char* texto;
        void (TfmPoli::*op)();
    } tabla[] = {
        {"Suma", &TfmPoli::Suma},           {"Diferencia", &TfmPoli::Resta},   {"Producto", &TfmPoli::Producto},
        {"División", &TfmPoli::Division},   {"Evaluar", &TfmPoli::Evaluar},    {"Derivada", &TfmPoli::Derivada},
        {"Integral", &TfmPoli::Integral},   {"Ruffini", &TfmPoli::Ruffini},    {"Raíces", &TfmPoli::Raices},
        {"Generar", &TfmPoli::Generar},     {"Intercambiar", &TfmPoli::Intercambiar},
    };
    int n = 0;
    for (const auto& b : tabla) {
        auto* bt = new QPushButton(b.texto, this);
        bt->setAutoDefault(false);
        connect(bt, &QPushButton::clicked, this, b.op);
        botones->addWidget(bt, n / 4, n % 4);
        ++n;
    }
    auto* btAyuda = new QPushButton("Ayuda", this);
    btAyuda->setAutoDefault(false);
    connect(btAyuda, &QPushButton::clicked, this, [this] { Ayuda(); });
    botones->addWidget(btAyuda, n / 4, n % 4);
    rejilla->addLayout(botones, 2, 0, 1, 2);
    rejilla->addWidget(lbTitulo, 3, 0, 1, 2);
    rejilla->addWidget(memo, 4, 0, 1, 2);
    rejilla->setRowStretch(4, 1);
    rejilla->setColumnStretch(1, 1);
    AyudaConF1(this, "fmPoli");
    resize(480, 360);
}

AjustesFraccion TfmPoli::Fraccion() const {
    const AjustesCalculadora& a = principal_.Sesion().Ajustes;
    return {static_cast<std::uint32_t>(std::max(1, a.FracDenominadorDec)), a.FracSepEntero};
}

void TfmPoli::AplicarColores(const ColoresVentana& c) {
    AplicarColoresCaja(memo, c);
    AplicarColoresCaja(cbP, c);
    AplicarColoresCaja(cbQ, c);
}

bool TfmPoli::eventFilter(QObject* o, QEvent* e) {
    const bool caja = o == cbP || o == cbQ || o == cbP->lineEdit() || o == cbQ->lineEdit();
    if (caja && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & Qt::ControlModifier) return false;
        const QString t = k->text();
        if (t.isEmpty() || !t[0].isPrint()) return false;  // Enter, backspace, arrows
        if (t.size() != 1) return true;
        const QChar c = t[0];
        auto* cb = (o == cbQ || o == cbQ->lineEdit()) ? cbQ : cbP;
        if (c == 'X') {
            cb->lineEdit()->insert("x");
            return true;
        }
        if (c.isDigit() || QString("x^+-. |").contains(c)) return false;
        switch (c.toLower().unicode()) {
            case 'a': Suma(); break;
            case 's': Resta(); break;
            case '*': Producto(); break;
            case '/': Division(); break;
            case 'e': Evaluar(); break;
            case 'r': Raices(); break;
            case 'g': Generar(); break;
            default: break;
        }
        return true;
    }
    return TFormMX::eventFilter(o, e);
}

void TfmPoli::GuardarHistoria() {
    for (TComboExpr* cb : {cbP, cbQ}) {
        try {
            cb->GuardarHistoria();
        } catch (const std::exception& e) {
            Cajas.Avisar("Polinomios", QString::fromUtf8(e.what()));
        }
    }
}

void TfmPoli::closeEvent(QCloseEvent* e) {
    GuardarHistoria();
    TFormMX::closeEvent(e);
}

bool TfmPoli::Leer(TComboExpr* cb, TPoli& p) {
    try {
        p = TPoli::DesdeTexto(cb->Texto().toStdString(), Fraccion());
    } catch (const std::exception& e) {
        Cajas.Avisar("Polinomios", QString::fromUtf8(e.what()));
        return false;
    }
    const QString t = Q(p.ATexto(Fraccion()));
    cb->SetTexto(t);
    cb->AgregarHistoria(t);
    return true;
}

void TfmPoli::Mostrar(const QString& titulo, const std::string& texto) {
    lbTitulo->setText(titulo);
    memo->setPlainText(Q(texto).replace("\r\n", "\n"));
}

void TfmPoli::Intentar(const std::function<void()>& op) {
    try {
        op();
    } catch (const std::exception& e) {
        Cajas.Avisar("Polinomios", QString::fromUtf8(e.what()));
    }
}

void TfmPoli::Suma() {
    TPoli p, q;
    if (!Leer(cbP, p) || !Leer(cbQ, q)) return;
    Intentar([&] { Mostrar("P(x)+Q(x)", TextoOperacionPoli(OperacionPoli::Suma, p, q, "", Fraccion())); });
}

void TfmPoli::Resta() {
    TPoli p, q;
    if (!Leer(cbP, p) || !Leer(cbQ, q)) return;
    Intentar([&] { Mostrar("P(x)-Q(x)", TextoOperacionPoli(OperacionPoli::Resta, p, q, "", Fraccion())); });
}

void TfmPoli::Producto() {
    TPoli p, q;
    if (!Leer(cbP, p) || !Leer(cbQ, q)) return;
    Intentar([&] { Mostrar("P(x)*Q(x)", TextoOperacionPoli(OperacionPoli::Producto, p, q, "", Fraccion())); });
}

void TfmPoli::Division() {
    TPoli p, q;
    if (!Leer(cbP, p) || !Leer(cbQ, q)) return;
    Intentar([&] { Mostrar("P(x)/Q(x)", TextoOperacionPoli(OperacionPoli::Division, p, q, "", Fraccion())); });
}

void TfmPoli::Evaluar() {
    TPoli p;
    if (!Leer(cbP, p)) return;
    const AjustesFraccion aj = Fraccion();
    auto complejo = [](const std::string& t) { return t.find_first_of("iI") != std::string::npos; };
    Pregunta pr;
    pr.Titulo = "Ingrese el valor para x";
    pr.Etiqueta = "Puede ser un número racional o complejo";
    pr.Atajos = kSinAtajos;
    pr.Validador = [aj, complejo](const std::string& t) {
        return complejo(t) ? ValidadorComplejo()(t) : ValidadorFraccion(aj)(t);
    };
    const std::optional<std::string> valor = PreguntarValor(pr);
    if (!valor) return;
    const std::string v(Recortar(*valor));
    Intentar([&] { Mostrar(QString("P(%1)").arg(Q(v)), TextoOperacionPoli(OperacionPoli::Evaluar, p, {}, v, aj)); });
}

void TfmPoli::Derivada() {
    TPoli p;
    if (!Leer(cbP, p)) return;
    Intentar([&] { Mostrar("P´(x)", TextoOperacionPoli(OperacionPoli::Derivada, p, {}, "", Fraccion())); });
}

void TfmPoli::Integral() {
    TPoli p;
    if (!Leer(cbP, p)) return;
    Intentar([&] { Mostrar("Integral P(x)dx", TextoOperacionPoli(OperacionPoli::Integral, p, {}, "", Fraccion())); });
}

void TfmPoli::Ruffini() {
    TPoli p;
    if (!Leer(cbP, p)) return;
    const AjustesFraccion aj = Fraccion();
    Pregunta pr;
    pr.Titulo = "Ingrese una valor para Ruffini";
    pr.Etiqueta = "Debe ser un número racional";
    pr.Atajos = kSinAtajos;
    pr.Validador = ValidadorFraccion(aj);
    const std::optional<std::string> valor = PreguntarValor(pr);
    if (!valor) return;
    const std::string v(Recortar(*valor));
    Intentar([&] {
        Mostrar(QString("P(x)/(x-(%1))").arg(Q(v)), TextoOperacionPoli(OperacionPoli::Ruffini, p, {}, v, aj));
    });
}

void TfmPoli::Raices() {
    TPoli p;
    if (!Leer(cbP, p)) return;
    Intentar([&] { Mostrar("Raíces de P(x)=0", TextoOperacionPoli(OperacionPoli::Raices, p, {}, "", Fraccion())); });
}

void TfmPoli::Generar() {
    const std::optional<QString> t = Cajas.PedirTexto("Crear polinomio", "Ingrese raíces separadas por comas", "");
    if (!t) return;
    Intentar([&] {
        Mostrar("Polinomio con raíces: " + *t,
                TextoOperacionPoli(OperacionPoli::Generar, {}, {}, t->toStdString(), Fraccion()));
    });
}

void TfmPoli::Intercambiar() {
    const QString p = cbP->Texto();
    cbP->SetTexto(cbQ->Texto());
    cbQ->SetTexto(p);
}

void RegistrarPolinomios(TfrmCalcu& principal) {
    Herramienta h;
    h.Nombre = "Polinomios";
    h.PaginaAyuda = "fmPoli.html";
    h.TituloAyuda = "Polinomios";
    h.Teclas = {
        {"A", "Suma P(x)+Q(x) (en las cajas de los polinomios)."},
        {"S", "Diferencia P(x)-Q(x)."},
        {"*", "Producto P(x)*Q(x)."},
        {"/", "División de P(x) entre Q(x): cociente y resto."},
        {"E", "Evalúa P(x) en un valor racional o complejo que se pregunta."},
        {"R", "Raíces de P(x)=0."},
        {"G", "Genera el polinomio que tiene las raíces que se preguntan."},
        {"Enter", "Escribe el polinomio de la caja en forma normalizada."},
    };
    h.Crear = [](TfrmCalcu& p) -> QWidget* {
        auto* w = new TfmPoli(p);
        w->AplicarColores(ColoresVentana::De(p.Sesion().Ajustes));
        return w;
    };
    h.AlAplicarColores = [&principal](QWidget* w) {
        static_cast<TfmPoli*>(w)->AplicarColores(ColoresVentana::De(principal.Sesion().Ajustes));
    };
    h.AlGuardar = [](QWidget* w) { static_cast<TfmPoli*>(w)->GuardarHistoria(); };
    principal.RegistrarHerramienta(std::move(h));
}

}  // namespace numbrix
