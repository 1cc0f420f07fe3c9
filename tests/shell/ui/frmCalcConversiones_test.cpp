// The main window's conversions: the menu from the unit model, the number
// they act on, the recent list across a restart, and a reload.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include "Ventanas.h"
#include "shell/VelIni.h"
#include "shell/ui/ComboExpr.h"
#include "units/ConvUnid.h"
#include "units/ui/ConversionesCalc.h"

namespace numbrix {
namespace {

const char* const kUnidades =
    "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\nmm=_1000\r\n"
    "[Temperatura]\r\nUniFundamental=°C\r\n°F=(U-32)*5/9_U*9/5+32\r\n"
    "[Cosas & más]\r\nUniFundamental=c\r\nR&D=2\r\n"
    "[Volumen]\r\nUniFundamental=L\r\ngalón (EE. UU.)=3.785411784\r\nm³=1000\r\nmL=_1000\r\n"
    "[Consumo (combustible)]\r\nUniFundamental=km/L\r\nL/100 km=100/U_100/U\r\nmpg=0.425143707\r\n";

QAction* Accion(QMenu* m, const QString& texto) {
    for (QAction* a : m->actions())
        if (a->text() == texto || a->text().startsWith(texto + "\t")) return a;
    return nullptr;
}

// The menu path as the user opens it: each submenu is filled as it shows.
QAction* Ruta(QMenu* m, const QStringList& ruta) {
    QAction* a = nullptr;
    for (const QString& t : ruta) {
        emit m->aboutToShow();
        if (!(a = Accion(m, t))) return nullptr;
        if (a->menu()) m = a->menu();
    }
    return a;
}

class Conversiones : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        Cargar(kUnidades);
        Conectar();
    }
    void Cargar(const std::string& texto) {
        TVelIniFile ini;
        ini.CargarBytes(texto);
        modelo_.CargarMagnitudes(ini);
    }
    void Conectar() {
        conv_ = ConectarConversiones(*ventana_, modelo_);
        ventana_->Error = [this](const QString& t) { errores_ << t; };
    }
    // Opens the menu on a box and chooses "de <origen>" / "a <destino>".
    void Convertir(bool enExpresion, const QString& magnitud, const QString& origen, const QString& destino) {
        ventana_->AbrirMenuConversiones(QPoint(0, 0), enExpresion);
        ventana_->menuConversiones->hide();
        QAction* a = Ruta(ventana_->menuConversiones, {magnitud, "de " + origen, "a " + destino});
        ASSERT_TRUE(a) << (magnitud + " " + origen + " " + destino).toStdString();
        a->trigger();
    }
    void EnExpresion(const QString& texto, int cursor, const QString& m, const QString& o, const QString& d) {
        ventana_->cajaExpresion->SetTexto(texto);
        ventana_->cajaExpresion->lineEdit()->setCursorPosition(cursor);
        Convertir(true, m, o, d);
    }
    void EnResultado(const QString& texto, const QString& m, const QString& o, const QString& d) {
        ventana_->cajaResultado->setText(texto);
        Convertir(false, m, o, d);
    }
    QString Expresion() const { return ventana_->cajaExpresion->Texto(); }

    TModeloUnidades modelo_;
    TConversionesCalc* conv_ = nullptr;
    QStringList errores_;
};

TEST_F(Conversiones, NumeroDelCursorYDelResultado) {
    EnExpresion("2*-40+1", 5, "Temperatura", "°F", "°C");  // the sign belongs to the number
    EXPECT_EQ(Expresion(), "2*-40+1");
    EXPECT_EQ(ventana_->cajaExpresion->lineEdit()->selectedText(), "-40");
    EXPECT_EQ(sesion_->Historial.Entradas().front(), "2*-40+1");  // the old text first
    EnExpresion("123456789", 9, "Longitud", "mm", "m");             // every digit kept
    EXPECT_EQ(Expresion(), "123456.789");

    ventana_->CambiarBase(16);
    Calcular("255");
    ASSERT_EQ(Resultado(), "FF [16]");
    EnResultado(ventana_->cajaResultado->text(), "Longitud", "km", "m");
    EXPECT_EQ(Resultado(), sesion_->TextoResultado(255000));
    EXPECT_EQ(ventana_->cajaResultado->selectedText().toStdString(), Resultado());

    EnResultado("Calculando...", "Longitud", "km", "m");
    EnExpresion("Sen(x)", 3, "Longitud", "km", "m");
    EXPECT_EQ(errores_, (QStringList{"Resultado debe ser un número", "No se pudo hallar ningún número para convertir"}));
    EXPECT_EQ(Expresion(), "Sen(x)");
}

TEST_F(Conversiones, TeclasYMenusDeLasCajas) {
    Mostrar(600, 300);
    ventana_->cajaExpresion->setFocus();
    ventana_->cajaExpresion->SetTexto("1+3");
    Pulsar(Qt::Key_F10);
    EXPECT_TRUE(ventana_->menuConversiones->isVisible());
    EXPECT_FALSE(Accion(ventana_->menuConversiones, "Repetir última")->isVisible());  // no recent ones yet
    ventana_->menuConversiones->hide();
    EXPECT_TRUE(ventana_->ConvierteEnExpresion());
    Convertir(true, "Longitud", "km", "m");
    ASSERT_EQ(Expresion(), "1+3000");
    Pulsar(Qt::Key_F10, Qt::ControlModifier);  // again: km -> m
    EXPECT_EQ(Expresion(), "1+3e+06");
    Pulsar(Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);  // inverted: m -> km
    EXPECT_EQ(Expresion(), "1+3000");
    EXPECT_EQ(sesion_->Ajustes.Recientes, (std::vector<std::string>{"km -> m (Longitud)"}));

    // "Convertir" in the boxes' own menus names the box it acts on.
    emit ventana_->cajaExpresion->lineEdit()->customContextMenuRequested(QPoint(1, 1));
    QContextMenuEvent clic(QContextMenuEvent::Mouse, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(ventana_->cajaResultado, &clic);
    for (auto [menu, enExpresion] : {std::pair{ventana_->menuExpresion, true}, {ventana_->menuResultado, false}}) {
        menu->hide();
        ASSERT_TRUE(Accion(menu, "Convertir"));
        Accion(menu, "Convertir")->trigger();
        EXPECT_TRUE(ventana_->menuConversiones->isVisible());
        EXPECT_EQ(ventana_->ConvierteEnExpresion(), enExpresion);
        ventana_->menuConversiones->hide();
    }
}

TEST_F(Conversiones, QuinceRecientesTrasReiniciar) {
    const QStringList volumen = {"L", "galón (EE. UU.)", "m³", "mL"};
    for (const QString& o : volumen)
        for (const QString& d : volumen)
            if (o != d) EnResultado("1", "Volumen", o, d);
    EnResultado("10", "Consumo (combustible)", "L/100 km", "mpg");
    EnResultado("10", "Consumo (combustible)", "mpg", "km/L");
    EnResultado("10", "Cosas && más", "R&&D", "c");
    ASSERT_TRUE(errores_.isEmpty()) << errores_.join("|").toStdString();
    ASSERT_EQ(sesion_->Ajustes.Recientes.size(), 15u);

    sesion_->Guardar();
    Abrir();
    Conectar();
    const auto& r = conv_->Recientes();
    ASSERT_EQ(r.size(), 15u);
    EXPECT_EQ(r[0].NombreOrigen + "|" + r[0].NombreMagnitud, "R&D|Cosas & más");
    EXPECT_EQ(r[1].NombreOrigen + "|" + r[1].NombreMagnitud, "mpg|Consumo (combustible)");
    EXPECT_EQ(r[14].NombreDestino, "galón (EE. UU.)");

    // Shown with "&" doubled; choosing one applies it and moves it to the top.
    emit ventana_->menuConversiones->aboutToShow();
    auto* recientes = ventana_->menuConversiones->findChild<QMenu*>("menuRecientes");
    ASSERT_EQ(recientes->actions().size(), 15);
    EXPECT_EQ(recientes->actions()[0]->text(), "R&&D -> c (Cosas && más)");
    ventana_->cajaResultado->setText("1");
    recientes->actions()[14]->trigger();
    EXPECT_EQ(Resultado(), sesion_->TextoResultado(1 / 3.785411784L));
    EXPECT_EQ(sesion_->Ajustes.Recientes.front(), "L -> galón (EE. UU.) (Volumen)");
}

TEST_F(Conversiones, RecargaDesdeElEditorRehaceElMenu) {
    QMenu* m = ventana_->menuConversiones;
    emit m->aboutToShow();
    EXPECT_FALSE(Accion(m, "Editar unidades...")->isVisible());  // no editor yet
    EnExpresion("1", 1, "Temperatura", "°F", "°C");
    std::string magnitud;
    conv_->PonerEditor([&](const std::string& mg) {
        magnitud = mg;
        Cargar("[Longitud]\r\nUniFundamental=m\r\npie=0.3048\r\n[Área]\r\nUniFundamental=m²\r\n");
    });
    emit m->aboutToShow();
    Accion(m, "Editar unidades...")->trigger();
    EXPECT_EQ(magnitud, "Temperatura");  // the last conversion's
    EXPECT_TRUE(Accion(m, "Área"));
    EXPECT_FALSE(Accion(m, "Cosas && más"));
    EnExpresion("10", 2, "Longitud", "pie", "m");  // the new unit by its new code
    EXPECT_EQ(Expresion(), "3.048");
}

}  // namespace
}  // namespace numbrix
