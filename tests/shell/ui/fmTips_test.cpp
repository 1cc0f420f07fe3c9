#include "shell/ui/fmTips.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ventanas.h"
#include "shell/TemasAyuda.h"
#include "shell/AjustesCalculadora.h"
#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/fmAcerca.h"
#include "shell/ui/fmComun.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

using prueba::AlAparecerCaja;
using prueba::Elegir;

class VentanaTips : public CarpetaTemporal {};

// Which counts leave no tip: tests/shell/Consejos_test.cpp.
TEST_F(VentanaTips, SinConsejosMuestraUnTextoFijo) {
    Poner(dir_ / "tips.ini", "[OPC]\r\nUsa=1\r\nCuenta=150\r\n");
    TfmTips v(nullptr, dir_);
    v.show();
    EXPECT_EQ(v.TextoMostrado(), TConsejos::TextoSinConsejos);
    EXPECT_FALSE(v.BotonSiguiente()->isEnabled());
    EXPECT_EQ(v.Indicador()->text(), "");
    v.accept();
}

TEST_F(VentanaTips, UsaSeGuardaAlCerrar) {
    Poner(dir_ / "tips.ini", "[OPC]\r\nUsa=1\r\nCuenta=2\r\n[TIP01]\r\nCant=1\r\n1=uno\r\n[TIP02]\r\nCant=1\r\n1=dos\r\n");
    {
        TfmTips v(nullptr, dir_);
        v.show();
        EXPECT_EQ(v.Indicador()->text(), "1 de 2");
        v.BotonSiguiente()->click();
        EXPECT_EQ(v.Indicador()->text(), "2 de 2");
        v.CasillaUsa()->setChecked(false);
        v.accept();
    }
    TVelIniFile ini(dir_ / "tips.ini");
    EXPECT_FALSE(ini.ReadBool("OPC", "Usa", true));
    // At start, an unchecked box keeps the window closed (returns at once).
    MostrarConsejos(nullptr, dir_, true);
}

// A failed write at close is never silent: the user retries or gives up.
TEST_F(VentanaTips, FalloAlCerrarOfreceReintentar) {
    const std::string original = "[OPC]\r\nUsa=1\r\nCuenta=0\r\n";
    for (const QString boton : {"Reintentar", "Cerrar sin guardar"}) {
        Poner(dir_ / "tips.ini", original);
        PasosDeEscritura().Renombrar = [](const char*, const char*) { return errno = EIO, -1; };
        QString mensaje;
        AlAparecerCaja([&](QMessageBox* caja) {
            mensaje = caja->text();
            if (boton == "Reintentar") PasosDeEscritura() = PasosEscritura{};
            Elegir(caja, boton);
        });
        {
            TfmTips v(nullptr, dir_);
            v.show();
            v.CasillaUsa()->setChecked(false);
            v.accept();
            EXPECT_FALSE(v.isVisible());
        }
        PasosDeEscritura() = PasosEscritura{};
        EXPECT_TRUE(mensaje.contains("El archivo anterior no se ha modificado.")) << mensaje.toStdString();
        EXPECT_EQ(Leer(dir_ / "tips.ini") == original, boton != "Reintentar");
    }
}

// Which page each topic is: tests/shell/TemasAyuda_test.cpp. Here that the
// window opens it, by number and by a function's name.
TEST(VentanaAyuda, TopicsOpenTheirPages) {
    FijarCarpetaDatosAyuda(prueba::Datos());
    const int tema = TemasNumerados().front();
    AbrirAyudaTema(nullptr, tema);
    QTextBrowser* b = NavegadorAyuda();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->source().toString().toStdString(), PaginaDeNumero(tema));
    EXPECT_FALSE(b->toPlainText().contains("No se encontró"));
    AbrirAyuda(nullptr, "Sen");
    EXPECT_TRUE(NavegadorAyuda()->toPlainText().contains("Seno"));
    b->window()->close();
}

// The about window's band runs from the scheme's light colour to its shadow.
TEST(VentanaAcerca, TheBandTakesTheSchemesColours) {
    AjustesCalculadora a;
    a.ClLuz = 0x40E0FF;  // 0x00BBGGRR: orange
    a.ClSombra = 0x602000;
    std::unique_ptr<QWidget> w(CrearAcercaDe(nullptr, a));
    EXPECT_EQ(w->windowTitle(), "Acerca de...");
    w->show();
    QWidget* banda = nullptr;
    for (QWidget* h : w->findChildren<QWidget*>())
        if (dynamic_cast<TBandaTitulo*>(h)) banda = h;
    ASSERT_NE(banda, nullptr);
    const QImage img = banda->grab().toImage();
    auto cerca = [](QColor x, QColor y) {
        return std::abs(x.red() - y.red()) + std::abs(x.green() - y.green()) + std::abs(x.blue() - y.blue()) <= 12;
    };
    EXPECT_TRUE(cerca(img.pixelColor(0, 1), QColor(255, 224, 64))) << img.pixelColor(0, 1).name().toStdString();
    EXPECT_TRUE(cerca(img.pixelColor(img.width() - 1, 1), QColor(0, 32, 96))) << img.pixelColor(img.width() - 1, 1).name().toStdString();
    std::unique_ptr<QWidget> s(MostrarPresentacion());
    EXPECT_TRUE(s->isVisible());
}

}  // namespace
}  // namespace numbrix
