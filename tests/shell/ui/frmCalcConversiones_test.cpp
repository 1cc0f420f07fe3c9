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

// Sorted: Consumo (combustible), Cosas & más, Longitud, Temperatura, Volumen.
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
    emit m->aboutToShow();
    QAction* a = nullptr;
    for (const QString& t : ruta) {
        a = Accion(m, t);
        if (!a) return nullptr;
        if (a->menu()) {
            m = a->menu();
            emit m->aboutToShow();
        }
    }
    return a;
}

class Conversiones : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        Cargar(kUnidades);
        AbrirConUnidades();
    }
    void Cargar(const std::string& texto) {
        TVelIniFile ini;
        ini.CargarBytes(texto);
        modelo_.CargarMagnitudes(ini);
    }
    void AbrirConUnidades() {
        conv_ = ConectarConversiones(*ventana_, modelo_);
        ventana_->Informar = [this](const QString& t) { mensajes_ << t; };
        ventana_->Error = [this](const QString& t) { errores_ << t; };
    }
    void Reiniciar() {
        sesion_->Guardar();
        ventana_.reset();
        Abrir();
        AbrirConUnidades();
    }
    // Chooses "de <origen>" / "a <destino>" under a magnitude.
    void Convertir(const QString& magnitud, const QString& origen, const QString& destino) {
        QAction* a = Ruta(ventana_->menuConversiones, {magnitud, "de " + origen, "a " + destino});
        ASSERT_TRUE(a) << magnitud.toStdString() << " " << origen.toStdString() << " -> " << destino.toStdString();
        a->trigger();
    }
    void EnExpresion(const QString& texto, int cursor) {
        ventana_->cajaExpresion->SetTexto(texto);
        ventana_->cajaExpresion->lineEdit()->setCursorPosition(cursor);
        ventana_->AbrirMenuConversiones(QPoint(0, 0), true);
        ventana_->menuConversiones->hide();
    }
    void EnResultado(const QString& texto) {
        ventana_->cajaResultado->setText(texto);
        ventana_->AbrirMenuConversiones(QPoint(0, 0), false);
        ventana_->menuConversiones->hide();
    }
    QString Expresion() const { return ventana_->cajaExpresion->Texto(); }

    TModeloUnidades modelo_;
    TConversionesCalc* conv_ = nullptr;
    QStringList errores_;
};

TEST_F(Conversiones, NumeroDelCursor) {
    const struct {
        const char* texto;
        int cursor;
        const char* magnitud, *origen, *destino;
        const char* queda, *elegido;
    } casos[] = {
        {"-40", 3, "Temperatura", "°F", "°C", "-40", "-40"},               // the sign belongs to the number
        {"2*-40+1", 5, "Temperatura", "°F", "°C", "2*-40+1", "-40"},
        {"123456789", 9, "Longitud", "mm", "m", "123456.789", "123456.789"},  // every digit kept
        {"1+3", 3, "Longitud", "km", "m", "1+3000", "3000"},
    };
    for (const auto& c : casos) {
        EnExpresion(c.texto, c.cursor);
        Convertir(c.magnitud, c.origen, c.destino);
        EXPECT_EQ(Expresion().toStdString(), c.queda) << c.texto;
        EXPECT_EQ(ventana_->cajaExpresion->lineEdit()->selectedText().toStdString(), c.elegido) << c.texto;
        // The old text entered the history first.
        EXPECT_EQ(sesion_->Historial.Entradas().front(), c.texto);
    }
    EXPECT_TRUE(errores_.isEmpty());
}

TEST_F(Conversiones, ResultadoEnBase16YErrores) {
    ventana_->CambiarBase(16);
    Calcular("255");
    ASSERT_EQ(Resultado(), "FF [16]");
    EnResultado(ventana_->cajaResultado->text());
    Convertir("Longitud", "km", "m");
    EXPECT_EQ(Resultado(), sesion_->TextoResultado(255000));
    EXPECT_EQ(ventana_->cajaResultado->selectedText().toStdString(), Resultado());

    EnResultado("Calculando...");
    Convertir("Longitud", "km", "m");
    EnExpresion("Sen(x)", 3);
    Convertir("Longitud", "km", "m");
    EXPECT_EQ(errores_, (QStringList{"Resultado debe ser un número", "No se pudo hallar ningún número para convertir"}));
    EXPECT_EQ(Expresion(), "Sen(x)");
}

TEST_F(Conversiones, ConvertirEnLosMenusDeLasCajas) {
    Mostrar(600, 300);
    emit ventana_->cajaExpresion->lineEdit()->customContextMenuRequested(QPoint(1, 1));
    QAction* a = Accion(ventana_->menuExpresion, "Convertir");
    ASSERT_TRUE(a);
    ventana_->menuExpresion->hide();
    a->trigger();
    EXPECT_TRUE(ventana_->menuConversiones->isVisible());
    EXPECT_TRUE(ventana_->ConvierteEnExpresion());
    ventana_->menuConversiones->hide();

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(ventana_->cajaResultado, &menu);
    a = Accion(ventana_->menuResultado, "Convertir");
    ASSERT_TRUE(a);
    ventana_->menuResultado->hide();
    a->trigger();
    EXPECT_TRUE(ventana_->menuConversiones->isVisible());
    EXPECT_FALSE(ventana_->ConvierteEnExpresion());
    ventana_->menuConversiones->hide();
}

TEST_F(Conversiones, TeclasF10) {
    QStringList nombres;
    for (const TeclaVentanaCalc& t : TfrmCalcu::TablaTeclas()) nombres << t.Nombre;
    for (const char* n : {"F10", "Ctrl+F10", "Ctrl+Mayús+F10"}) EXPECT_TRUE(nombres.contains(n)) << n;

    Mostrar(600, 300);
    ventana_->cajaExpresion->setFocus();
    ventana_->cajaExpresion->SetTexto("1+3");
    Pulsar(Qt::Key_F10);
    EXPECT_TRUE(ventana_->menuConversiones->isVisible());
    EXPECT_FALSE(Accion(ventana_->menuConversiones, "Repetir última")->isVisible());  // no recent ones yet
    Convertir("Longitud", "km", "m");
    ventana_->menuConversiones->hide();
    ASSERT_EQ(Expresion(), "1+3000");
    Pulsar(Qt::Key_F10, Qt::ControlModifier);  // again: km -> m
    EXPECT_EQ(Expresion(), "1+3e+06");
    Pulsar(Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);  // inverted: m -> km
    EXPECT_EQ(Expresion(), "1+3000");
    EXPECT_EQ(sesion_->Ajustes.Recientes, (std::vector<std::string>{"km -> m (Longitud)"}));
}

TEST_F(Conversiones, QuinceRecientesTrasReiniciar) {
    const QStringList volumen = {"L", "galón (EE. UU.)", "m³", "mL"};
    for (const QString& o : volumen)
        for (const QString& d : volumen)
            if (o != d) {
                EnResultado("1");
                Convertir("Volumen", o, d);
            }
    EnResultado("10");
    Convertir("Consumo (combustible)", "L/100 km", "mpg");
    EnResultado("10");
    Convertir("Consumo (combustible)", "mpg", "km/L");
    EXPECT_EQ(sesion_->Ajustes.Recientes.size(), 14u);
    EnResultado("10");
    Convertir("Cosas && más", "R&&D", "c");
    ASSERT_TRUE(errores_.isEmpty()) << errores_.join("|").toStdString();
    ASSERT_EQ(sesion_->Ajustes.Recientes.size(), 15u);

    Reiniciar();
    const auto& r = conv_->Recientes();
    ASSERT_EQ(r.size(), 15u);
    EXPECT_EQ(r[0].NombreMagnitud, "Cosas & más");
    EXPECT_EQ(r[0].NombreOrigen, "R&D");
    EXPECT_EQ(r[1].NombreMagnitud, "Consumo (combustible)");
    EXPECT_EQ(r[1].NombreOrigen, "mpg");
    EXPECT_EQ(r[14].NombreOrigen, "L");
    EXPECT_EQ(r[14].NombreDestino, "galón (EE. UU.)");

    // The menu shows them with "&" doubled; choosing one moves it to the top.
    emit ventana_->menuConversiones->aboutToShow();
    EXPECT_TRUE(Accion(ventana_->menuConversiones, "Repetir última")->isVisible());
    auto* recientes = ventana_->menuConversiones->findChild<QMenu*>("menuRecientes");
    ASSERT_TRUE(recientes);
    ASSERT_EQ(recientes->actions().size(), 15);
    EXPECT_EQ(recientes->actions()[0]->text(), "R&&D -> c (Cosas && más)");
    EnResultado("1");
    recientes->actions()[14]->trigger();
    EXPECT_EQ(Resultado(), sesion_->TextoResultado(1 / 3.785411784L));
    EXPECT_EQ(sesion_->Ajustes.Recientes.front(), "L -> galón (EE. UU.) (Volumen)");
    EXPECT_EQ(conv_->Recientes().size(), 15u);
}

TEST_F(Conversiones, RecargaRehaceElMenu) {
    QMenu* m = ventana_->menuConversiones;
    emit m->aboutToShow();
    EXPECT_TRUE(Accion(m, "Cosas && más"));
    EXPECT_FALSE(Accion(m, "Editar unidades...")->isVisible());  // no editor yet
    EnExpresion("1", 1);
    Convertir("Temperatura", "°F", "°C");
    // The editor opens on the last conversion's magnitude and saves a new file.
    std::string magnitud;
    conv_->PonerEditor([&](const std::string& mg) {
        magnitud = mg;
        Cargar("[Longitud]\r\nUniFundamental=m\r\npie=0.3048\r\n[Área]\r\nUniFundamental=m²\r\n");
    });
    emit m->aboutToShow();
    Accion(m, "Editar unidades...")->trigger();
    EXPECT_EQ(magnitud, "Temperatura");
    EXPECT_TRUE(Accion(m, "Área"));
    EXPECT_FALSE(Accion(m, "Cosas && más"));
    // The new unit, converted by the new code.
    EnExpresion("10", 2);
    Convertir("Longitud", "pie", "m");
    EXPECT_EQ(Expresion(), "3.048");
    EXPECT_FALSE(Ruta(m, {"Longitud", "de km"}));
}

}  // namespace
}  // namespace numbrix
