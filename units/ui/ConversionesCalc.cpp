#include "units/ui/ConversionesCalc.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "shell/ui/frmCalc.h"

namespace numbrix {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Describir(const ConversionLeida& c) {
    return c.NombreOrigen + " -> " + c.NombreDestino + " (" + c.NombreMagnitud + ")";
}

// A conversion travels in its action's data as indices and names, never
// read back from the caption.
QVariant Datos(const ConversionLeida& c) {
    return QVariantList{c.Magnitud, c.Origen, c.Destino, Q(c.NombreMagnitud), Q(c.NombreOrigen), Q(c.NombreDestino)};
}

ConversionLeida DeDatos(const QVariant& v) {
    const QVariantList l = v.toList();
    ConversionLeida c;
    if (l.size() != 6) return c;
    c.Resultado = ConversionLeida::Estado::Hallada;
    c.Magnitud = l[0].toInt();
    c.Origen = l[1].toInt();
    c.Destino = l[2].toInt();
    c.NombreMagnitud = l[3].toString().toStdString();
    c.NombreOrigen = l[4].toString().toStdString();
    c.NombreDestino = l[5].toString().toStdString();
    return c;
}

}  // namespace

TConversionesCalc* ConectarConversiones(TfrmCalcu& ventana, TModeloUnidades& unidades) {
    return new TConversionesCalc(ventana, unidades);
}

TConversionesCalc::TConversionesCalc(TfrmCalcu& ventana, TModeloUnidades& unidades)
    : QObject(&ventana), ventana_(ventana), unidades_(unidades) {
    QMenu* m = ventana_.menuConversiones;
    m->clear();
    repetir_ = m->addAction("Repetir última\tCtrl+F10");
    connect(repetir_, &QAction::triggered, this, [this] { ventana_.RepetirConversion(false); });
    inversa_ = m->addAction("Inversa\tCtrl+Mayús+F10");
    connect(inversa_, &QAction::triggered, this, [this] { ventana_.RepetirConversion(true); });
    menuRecientes_ = m->addMenu("Recientes");
    menuRecientes_->setObjectName("menuRecientes");
    sepRecientes_ = m->addSeparator();
    editar_ = m->addAction("Editar unidades...");
    connect(editar_, &QAction::triggered, this, [this] {
        if (ventana_.EditarUnidades) ventana_.EditarUnidades();
    });
    sepEditar_ = m->addSeparator();
    vacio_ = m->addAction("(no hay magnitudes definidas)");
    vacio_->setEnabled(false);
    connect(m, &QMenu::aboutToShow, this, [this] { AlMostrar(); });

    ventana_.RepetirConversion = [this](bool inversa) {
        LeerRecientes();
        if (!recientes_.empty()) Aplicar(recientes_.front(), inversa, false);
    };
    Rehacer();
}

void TConversionesCalc::PonerEditor(std::function<void(const std::string& magnitud)> editor) {
    if (!editor) {
        ventana_.EditarUnidades = nullptr;
        return;
    }
    ventana_.EditarUnidades = [this, editor = std::move(editor)] {
        LeerRecientes();
        editor(recientes_.empty() ? std::string() : recientes_.front().NombreMagnitud);
        // Whatever the editor's answer, a reload makes the codes stale.
        Revisar();
    };
}

void TConversionesCalc::Revisar() {
    if (unidades_.Generacion() != generacion_) Rehacer();
}

void TConversionesCalc::Rehacer() {
    for (QMenu* m : magnitudes_) delete m;
    magnitudes_.clear();
    generacion_ = unidades_.Generacion();
    for (const NodoMenuUnidades& n : MenuConversiones(unidades_)) {
        auto* m = new QMenu(Q(n.Titulo), ventana_.menuConversiones);
        m->menuAction()->setData(Q(n.NombreMagnitud));
        ventana_.menuConversiones->addMenu(m);
        connect(m, &QMenu::aboutToShow, this, [this, m, i = n.Magnitud] {
            if (m->isEmpty()) LlenarMagnitud(m, i);
        });
        magnitudes_.push_back(m);
    }
    LeerRecientes();
}

void TConversionesCalc::AlMostrar() {
    Revisar();
    LeerRecientes();
    const bool hay = !recientes_.empty();
    for (QAction* a : {repetir_, inversa_, menuRecientes_->menuAction(), sepRecientes_}) a->setVisible(hay);
    const bool editor = static_cast<bool>(ventana_.EditarUnidades);
    editar_->setVisible(editor);
    sepEditar_->setVisible(editor);
    vacio_->setVisible(magnitudes_.empty());
    menuRecientes_->clear();
    for (const ConversionLeida& c : recientes_) {
        QAction* a = menuRecientes_->addAction(Q(TituloMenu(Describir(c))));
        a->setData(Datos(c));
        connect(a, &QAction::triggered, this, [this, a] { Elegir(a); });
    }
}

void TConversionesCalc::LlenarMagnitud(QMenu* m, int magnitud) {
    for (const NodoMenuUnidades& de : SubmenuConversiones(unidades_, magnitud)) {
        QMenu* sub = m->addMenu(Q(de.Titulo));
        sub->menuAction()->setData(Q(de.NombreUnidad));
        for (const NodoMenuUnidades& a : de.Hijos) {
            ConversionLeida c;
            c.Resultado = ConversionLeida::Estado::Hallada;
            c.Magnitud = magnitud;
            c.Origen = de.Unidad;
            c.Destino = a.Unidad;
            c.NombreMagnitud = de.NombreMagnitud;
            c.NombreOrigen = de.NombreUnidad;
            c.NombreDestino = a.NombreUnidad;
            QAction* accion = sub->addAction(Q(a.Titulo));
            accion->setData(Datos(c));
            connect(accion, &QAction::triggered, this, [this, accion] { Elegir(accion); });
        }
    }
}

void TConversionesCalc::LeerRecientes() {
    // Each stored text is read against the model as it is now; one it does
    // not know is not offered (and stays stored, for another unit file).
    recientes_.clear();
    for (const std::string& t : ventana_.Sesion().Ajustes.Recientes) {
        ConversionLeida c = LeerConversion(unidades_, t);
        if (c.Resultado == ConversionLeida::Estado::Hallada) recientes_.push_back(std::move(c));
    }
}

void TConversionesCalc::Elegir(const QAction* a) { Aplicar(DeDatos(a->data()), false, true); }

void TConversionesCalc::Aplicar(const ConversionLeida& c, bool inversa, bool nueva) {
    if (c.Resultado != ConversionLeida::Estado::Hallada) return;
    // A code is good only for the model the menu was built from.
    const bool porCodigo = !inversa && unidades_.Generacion() == generacion_ && c.Codigo() >= 0;
    const bool hecha = ventana_.ConvertirNumero([&](long double v) {
        if (porCodigo) return unidades_.ConvertirPorCodigo(c.Codigo(), v);
        return inversa ? unidades_.ConvertirUnidades(c.NombreMagnitud, c.NombreDestino, c.NombreOrigen, v)
                       : unidades_.ConvertirUnidades(c.NombreMagnitud, c.NombreOrigen, c.NombreDestino, v);
    });
    if (!hecha || !nueva) return;
    // To the top, as the model spells it; the same conversion stored in
    // another spelling leaves too.
    const std::string titulo = Describir(c);
    auto& r = ventana_.Sesion().Ajustes.Recientes;
    std::erase_if(r, [&](const std::string& t) {
        const ConversionLeida o = LeerConversion(unidades_, t);
        return o.Resultado == ConversionLeida::Estado::Hallada && Describir(o) == titulo;
    });
    ventana_.Sesion().Ajustes.AgregarReciente(titulo);
    LeerRecientes();
}

}  // namespace numbrix
