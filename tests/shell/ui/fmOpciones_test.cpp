#include "shell/ui/fmOpciones.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "Ventanas.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/ui/ColoresSistema.h"

namespace numbrix {
namespace {

class VentanaOpciones : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        Poner(dir_ / "colores.ini", "[Colores]\r\nAzul=$FFD3A8,$FFA346,$80000008,$D9ECEC\r\nVerde=1,2,3,4\r\n");
        sesion.Abrir(dir_);
    }
    std::unique_ptr<TfmOpciones> Abrir() {
        auto v = std::make_unique<TfmOpciones>(nullptr, sesion, [this] { ++aplicados; });
        v->Cajas = r.Cajas();
        v->ElegirColor = [this](const QColor&) { return color; };
        v->show();
        return v;
    }
    TSesion sesion;
    int aplicados = 0;
    prueba::Respuestas r;
    QColor color;
};

TEST_F(VentanaOpciones, CancelarDespuesDeAplicarDevuelveLosColores) {
    const AjustesCalculadora antes = sesion.Ajustes;
    for (bool conEsc : {false, true}) {
        auto v = Abrir();
        v->ListaEsquemas()->setCurrentRow(1);  // Verde
        v->BotonAplicar()->click();
        EXPECT_EQ(sesion.Ajustes.ClLuz, 1);
        EXPECT_EQ(sesion.Ajustes.ClFondo, 4);
        if (conEsc) prueba::Tecla(v.get(), Qt::Key_Escape);
        else v->reject();
        EXPECT_FALSE(v->isVisible());
        EXPECT_EQ(sesion.Ajustes, antes);
    }
    EXPECT_GE(aplicados, 4);
}

TEST_F(VentanaOpciones, GuardarConNombreExistenteYResponderNoConservaElViejo) {
    auto v = Abrir();
    color = QColor(10, 20, 30);
    v->CambiarColor(0);
    r.texto = "azul";
    r.respuesta = false;
    v->GuardarEsquema();
    ASSERT_EQ(r.preguntas.size(), 1);
    EXPECT_EQ(r.preguntas[0], "Reemplazar combinación|Ya existe una combinación de colores\nllamada \"Azul\".\n\n¿Desea reemplazarla?");
    TVelIniFile ini(dir_ / "colores.ini");
    EXPECT_EQ(ini.ReadString("Colores", "Azul"), "$FFD3A8,$FFA346,$80000008,$D9ECEC");
    r.respuesta = true;
    v->GuardarEsquema();
    TVelIniFile ini2(dir_ / "colores.ini");
    EXPECT_EQ(ini2.ReadString("Colores", "azul"), "$1E140A,$FFA346,$80000008,$D9ECEC");
    EXPECT_EQ(v->ListaEsquemas()->count(), 2);
}

TEST_F(VentanaOpciones, NombresDeEsquemaInvalidosSeRechazan) {
    auto v = Abrir();
    for (const char* n : {"", "a=b"}) {  // which names are bad: tests/shell/Esquemas_test.cpp
        r.texto = n;
        v->GuardarEsquema();
    }
    EXPECT_EQ(r.avisos.size(), 2);
    EXPECT_EQ(v->ListaEsquemas()->count(), 2);
    r.texto.reset();  // cancelled: nothing at all
    v->GuardarEsquema();
    EXPECT_EQ(r.avisos.size(), 2);
}

TEST_F(VentanaOpciones, BorrarPreguntaYQuita) {
    auto v = Abrir();
    v->ListaEsquemas()->setCurrentRow(0);
    r.respuesta = false;
    v->BorrarEsquema();
    EXPECT_EQ(v->ListaEsquemas()->count(), 2);
    ASSERT_EQ(r.preguntas.size(), 1);
    EXPECT_EQ(r.preguntas[0], "Borrar Combinación|¿Desea eliminar la combinación de colores\nAzul?");
    r.respuesta = true;
    v->ListaEsquemas()->setCurrentRow(0);
    v->BorrarEsquema();
    EXPECT_EQ(v->ListaEsquemas()->count(), 1);
    EXPECT_EQ(TVelIniFile(dir_ / "colores.ini").ReadString("Colores", "Azul", "no"), "no");
}

TEST_F(VentanaOpciones, UnaLineaMalaNoImpideAbrir) {
    Poner(dir_ / "colores.ini", "[Colores]\r\nRota=$FF,zz\r\nAzul=$FFD3A8,$FFA346,$80000008,$D9ECEC\r\n");
    auto v = Abrir();
    EXPECT_EQ(v->ListaEsquemas()->count(), 1);
    EXPECT_TRUE(v->AvisoEsquemas()->text().contains("Rota"));
}

TEST_F(VentanaOpciones, SinBarraNoHayTotales) {
    auto v = Abrir();
    EXPECT_TRUE(v->Totales()->isEnabled());
    v->Barra()->setChecked(false);
    EXPECT_FALSE(v->Totales()->isEnabled());
    v->Barra()->setChecked(true);
    EXPECT_TRUE(v->Totales()->isEnabled());
}

TEST_F(VentanaOpciones, UnValorMaloNoAplicaNiEscribeNada) {
    const std::string antes = Leer(dir_ / "numbrix.ini");
    const AjustesCalculadora ajustes = sesion.Ajustes;
    // Which values are bad: tests/shell/ValoresOpciones_test.cpp.
    for (const auto& c : {std::pair{"1E-", "10"}, std::pair{"1E-10", "21"}}) {
        auto v = Abrir();
        v->Barra()->setChecked(!sesion.Ajustes.VerBarra);
        v->Recordar()->setValue(77);
        v->Diferencia()->setText(c.first);
        v->TamanoExpresion()->setCurrentText(c.second);
        r.avisos.clear();
        aplicados = 0;
        v->Aceptar();
        EXPECT_TRUE(v->isVisible()) << c.first << " " << c.second;
        EXPECT_EQ(r.avisos.size(), 1);
        EXPECT_EQ(aplicados, 0);
        EXPECT_EQ(sesion.Ajustes, ajustes);
        EXPECT_EQ(Leer(dir_ / "numbrix.ini"), antes);
        v->reject();
    }
}

TEST_F(VentanaOpciones, AceptarAplicaYEscribeSusClaves) {
    auto v = Abrir();
    v->Recordar()->setValue(77);
    v->Diferencia()->setText("1E-10");
    v->TamanoExpresion()->setCurrentText("14");
    v->Aceptar();
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(sesion.Ajustes.MaxList, 77);
    EXPECT_EQ(sesion.Ajustes.MaxDif, 1e-10L);
    EXPECT_EQ(sesion.Ajustes.FuenteExpresion.Tamano, 14);
    TVelIniFile ini(dir_ / "numbrix.ini");
    EXPECT_EQ(ini.ReadInteger("Opciones", "MaxList", 0), 77);
    EXPECT_EQ(ini.ReadInteger("Opciones", "FETam", 0), 14);
    EXPECT_EQ(ini.ReadString("Opciones", "MaxDif"), "1E-10");
    // The colours reach the file only when the main window closes.
    EXPECT_EQ(ini.ReadString("Opciones", "ClLuz", "ninguna"), "ninguna");
}

}  // namespace
}  // namespace numbrix
