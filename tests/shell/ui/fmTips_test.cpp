#include "shell/ui/fmTips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "shell/TemasAyuda.h"
#include "shell/AjustesCalculadora.h"
#include "shell/VelIni.h"
#include "shell/ui/Ayuda.h"
#include "shell/ui/fmAcerca.h"

namespace numbrix {
namespace {

class VentanaTips : public CarpetaTemporal {
protected:
    void SetUp() override {
        prueba::AplicacionQt();
        CarpetaTemporal::SetUp();
    }
};

TEST_F(VentanaTips, SinConsejosMuestraUnTextoFijo) {
    for (const char* cuenta : {"0", "150"}) {
        Poner(dir_ / "tips.ini", std::string("[OPC]\r\nUsa=1\r\nCuenta=") + cuenta + "\r\n");
        TfmTips v(nullptr, dir_);
        v.show();
        EXPECT_EQ(v.TextoMostrado(), TConsejos::TextoSinConsejos);
        EXPECT_FALSE(v.BotonSiguiente()->isEnabled());
        EXPECT_EQ(v.Indicador()->text(), "");
        v.accept();
    }
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

TEST(VentanaAyuda, LosTemasAbrenPaginasExistentes) {
    prueba::AplicacionQt();
    const char* datos = std::getenv("NUMBRIX_TEST_DATA");
    if (!datos) GTEST_SKIP() << "NUMBRIX_TEST_DATA no está definida";
    FijarCarpetaDatosAyuda(datos);
    for (int n : TemasNumerados()) {
        AbrirAyudaTema(nullptr, n);
        QTextBrowser* b = NavegadorAyuda();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->source().toString().toStdString(), PaginaDeNumero(n));
        EXPECT_FALSE(b->toPlainText().contains("No se encontró")) << n;
    }
    AbrirAyuda(nullptr, "Sen");
    EXPECT_TRUE(NavegadorAyuda()->toPlainText().contains("Seno"));
}

TEST(VentanaAcerca, SeConstruyeConLosColores) {
    prueba::AplicacionQt();
    AjustesCalculadora a;
    std::unique_ptr<QWidget> w(CrearAcercaDe(nullptr, a));
    EXPECT_EQ(w->windowTitle(), "Acerca de...");
    std::unique_ptr<QWidget> s(MostrarPresentacion());
    EXPECT_TRUE(s->isVisible());
}

}  // namespace
}  // namespace numbrix
