#include "tools/ui/fmComplex.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/ui/frmCalc.h"
#include "support/ui/MenuFormula.h"

namespace numbrix {

TfmComplex::TfmComplex(TfrmCalcu& principal, CajasDialogo cajas)
    : TfmModo(principal, "Complejos", principal.Sesion().CarpetaDatos() / "expc.lst", kAtajosPrincipal,
              "Introduzca aquí una expresión compleja para evaluar") {
    setObjectName("Complejos");
    if (cajas.Avisar) Cajas = std::move(cajas);
    setFixedWidth(kAncho);
    setMinimumHeight(kAltoMinimo);
    resize(kAncho, kAltoMinimo + 40);
    Conectar(sesion_, kAtajosPrincipal);

    auto* filas = new QGridLayout;
    filas->setHorizontalSpacing(4);
    filas->setVerticalSpacing(2);
    struct Fila {
        const char* etiqueta;
        const char* nombre;
        const char* consejo;
        QLineEdit** caja;
    };
    const Fila kFilas[] = {{"z", "Edit2", "Resultado", &Edit2},
                           {"|z|", "Edit3", "Norma del resultado", &Edit3},
                           {"arg(z)", "Edit4", "Argumento o Angulo del resultado", &Edit4}};
    int columna = 0;
    for (const Fila& f : kFilas) {
        auto* l = new QLabel(f.etiqueta, this);
        auto* e = new QLineEdit(this);
        e->setObjectName(f.nombre);
        e->setReadOnly(true);
        e->setToolTip(f.consejo);
        l->setToolTip(f.consejo);
        l->setBuddy(e);
        *f.caja = e;
        filas->addWidget(l, 0, columna);
        filas->addWidget(e, 1, columna);
        filas->setColumnStretch(columna, columna == 0 ? 2 : 1);
        ++columna;
    }
    Disposicion()->addLayout(filas);

    menuFormula->PonerDescribir([this](bool si) {
        sesion_.Principal().SinEnvoltura = si;
        Calcular();
    });

    // The user's constants and functions, as in the main window: a line
    // that cannot be registered here is left out and told, all in one box.
    const std::filesystem::path carpeta = principal.Sesion().CarpetaDatos();
    if (!carpeta.empty()) {
        const std::vector<std::string> informe = sesion_.CargarDefiniciones(carpeta / "real.duf");
        if (!informe.empty()) {
            QString texto;
            for (const auto& l : informe) texto += QString::fromStdString(l) + "\n";
            Cajas.Avisar(windowTitle(), texto.trimmed());
        }
    }
    sesion_.SetAngulo(principal.Sesion().Angulo());
}

void TfmComplex::Calcular() {
    if (!Empezar()) return;
    sesion_.SetAngulo(Principal().Sesion().Angulo());
    MostrarPantalla({});
    const ResultadoC r = sesion_.Evaluar(caja->Texto().toStdString());
    MostrarPantalla(PantallaDe(r));
    Mostrar(sesion_.Principal(), !r.error && !r.vacio && !r.cancelado);
    Terminar();
    if (r.error) Avisar(r.texto, r.cancelado);
}

void TfmComplex::CambiarAngulo(UnidadAngulo angulo) {
    if (angulo == sesion_.Angulo()) return;
    sesion_.SetAngulo(angulo);
    // Only a result on screen is refreshed; an empty or failed one asks nothing.
    if (!Edit2->text().isEmpty() && !Evaluando()) Calcular();
}

void TfmComplex::MostrarPantalla(const PantallaComplejo& p) {
    for (auto [e, t] : {std::pair{Edit2, &p.z}, {Edit3, &p.modulo}, {Edit4, &p.argumento}}) {
        e->setText(QString::fromStdString(*t));
        e->setCursorPosition(0);
        if (isVisible()) e->repaint();
    }
}

}  // namespace numbrix
