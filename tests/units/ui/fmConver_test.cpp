// The unit windows over a real unit file: what reaches the file, what the
// converter shows after a reload, and the converter as a tool.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "../../shell/ui/Ventanas.h"
#include "shell/VelIni.h"
#include "shell/ui/fmOpciones.h"
#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ClavesArchivos.h"
#include "support/ui/StringGridX.h"
#include "units/ui/ConversionesCalc.h"
#include "units/ui/HerramientaUnidades.h"
#include "units/ui/fmConver.h"
#include "units/ui/fmDefMagUni.h"

namespace numbrix {
namespace {

QStringList Textos(const QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
    return r;
}

class Unidades : public VentanaPrincipal {
protected:
    void SetUp() override {
        VentanaPrincipal::SetUp();
        std::string texto =
            "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\nmm=_1000\r\n"
            "[Temperatura]\r\nUniFundamental=°C\r\nK=U-273.15_U+273.15\r\n";
        TVelIniFile::Mezclar(texto, std::string(kClaveDatos));
        Poner(Archivo(), texto);
        modelo_.CargarMagnitudes(Archivo());
    }
    std::filesystem::path Archivo() const { return dir_ / TModeloUnidades::NombreArchivo; }
    std::unique_ptr<TfmDefMagUni> Editor(const QString& magnitud = "Longitud") {
        auto d = std::make_unique<TfmDefMagUni>(nullptr, modelo_, Archivo());
        d->Cajas = r_.Cajas();
        d->Cargar(magnitud);
        return d;
    }
    TModeloUnidades modelo_;
    prueba::Respuestas r_;
};

TEST_F(Unidades, EditorSoloGuardarTocaElArchivo) {
    const std::string antes = Leer(Archivo());
    {
        auto d = Editor();
        d->Rejilla()->SetCells(1, 1, "kilómetro");
        d->Fundamental()->setText("metro");
        d->show();
        d->close();  // the title bar
        r_.respuesta = true;
        d = Editor();
        d->Eliminar();
        EXPECT_EQ(Textos(d->Magnitudes()), QStringList{"Temperatura"});
        d->reject();
        EXPECT_EQ(Leer(Archivo()), antes);
    }

    // Names: another's in any case refused, its own in another case taken.
    auto d = Editor();
    r_.texto = "temperatura";
    d->Renombrar();
    d->PedirNueva = [] { return std::pair<QString, QString>{"LONGITUD", "x"}; };
    d->Agregar();
    EXPECT_EQ(r_.avisos, (QStringList{"Ya existe una magnitud llamada temperatura",
                                      "Ya existe una magnitud llamada LONGITUD"}));
    EXPECT_EQ(Leer(Archivo()), antes);
    r_.texto = "LONGITUD";
    d->Renombrar();
    d->Rejilla()->Mover(2, 0);  // mm dropped on the header: first unit row
    d->PedirNueva = [] { return std::pair<QString, QString>{"Masa", "kg"}; };
    d->Agregar();
    EXPECT_TRUE(d->Modificado());
    d->Guardar();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    ASSERT_EQ(modelo_.Magnitudes().size(), 3u);
    EXPECT_EQ(modelo_.Magnitudes()[0].Nombre, "LONGITUD");
    ASSERT_EQ(modelo_.Magnitudes()[0].Unidades.size(), 3u);
    EXPECT_EQ(modelo_.Magnitudes()[0].Unidades[1].Nombre, "mm");
    const Magnitud& masa = modelo_.Magnitudes()[1];
    EXPECT_EQ(masa.Nombre, "Masa");
    ASSERT_EQ(masa.Unidades.size(), 1u);
    EXPECT_EQ(masa.Unidades[0].Nombre, "kg");
}

TEST_F(Unidades, FilaRechazadaYProblemas) {
    auto d = Editor("Temperatura");
    EXPECT_EQ(d->Rejilla()->Cells(2, 0), "Unidad->°C");
    EXPECT_EQ(d->Rejilla()->RowCount(), 3);  // header, K, the empty row
    d->Rejilla()->SetCells(1, 2, "K");       // typed into the empty row
    EXPECT_EQ(d->Rejilla()->RowCount(), 4);
    d->Rejilla()->SetCells(2, 2, "1");
    d->Guardar();
    EXPECT_EQ(d->Estado()->text(), "Fila 2: la unidad \"K\" ya está definida");
    EXPECT_NE(d->result(), QDialog::Accepted);

    // Both sides blank: saved, then listed under "Problemas"; No stays.
    TfmConver conver(*sesion_, modelo_);
    conver.Magnitudes()->setCurrentText("Temperatura");
    conver.Unidades()->setCurrentText("K");
    const auto generacion = modelo_.Generacion();
    d->Rejilla()->SetCells(1, 2, "R");
    d->Rejilla()->SetCells(2, 2, "");
    d->Guardar();
    ASSERT_EQ(r_.preguntas.size(), 1);
    EXPECT_EQ(r_.preguntas[0], "Problemas|Las siguientes definiciones han producido errores:\r\n\r\n"
                               "R (Temperatura): Error en la expresión de conversión: \"\"\r\n\r\n"
                               "¿Desea ignorar estos errores y continuar?");
    EXPECT_NE(d->result(), QDialog::Accepted);
    d->reject();
    EXPECT_NE(modelo_.Generacion(), generacion);
    // The converter follows the reload by name.
    conver.Revisar();
    EXPECT_EQ(conver.Magnitudes()->currentText(), "Temperatura");
    EXPECT_EQ(conver.Unidades()->currentText(), "K");
    EXPECT_EQ(conver.Resultados()->Cells(1, 0), "-272.15");

    // A deleted magnitude leaves the converter's box.
    r_.respuesta = true;
    d = Editor("Temperatura");
    d->Eliminar();
    d->Guardar();
    conver.Revisar();
    EXPECT_EQ(Textos(conver.Magnitudes()), QStringList{"Longitud"});
}

TEST_F(Unidades, ConversorComoHerramienta) {
    ConectarUnidades(*ventana_, modelo_, *ConectarConversiones(*ventana_, modelo_));
    ventana_->MostrarHerramienta("Conversor", true);
    auto* c = qobject_cast<TfmConver*>(ventana_->VentanaHerramienta("Conversor"));
    ASSERT_NE(c, nullptr);
    c->Unidades()->setCurrentText("km");
    c->Cantidad()->SetTexto("2*3");
    EXPECT_EQ(c->Resultados()->Cells(1, 2), "6000000");
    c->Cantidad()->SetTexto("2*");
    EXPECT_EQ(c->Resultados()->Cells(1, 0), "");
    EXPECT_EQ(c->Estado()->text(), "Error de sintaxis: la expresión empieza o termina en un operador");
    c->Resultados()->cellClicked(2, 0);  // mm becomes the source
    EXPECT_EQ(c->Unidades()->currentText(), "mm");

    c->RstUnidades()->setChecked(true);
    EXPECT_FALSE(c->Cantidad()->isEnabled());
    Calcular("3*12");
    EXPECT_EQ(c->Cantidad()->Texto(), "36");
    EXPECT_EQ(c->Resultados()->Cells(1, 0), "0.036");
    Calcular("1/0");
    EXPECT_EQ(c->Resultados()->Cells(1, 0), "");

    c->Paginas()->setCurrentIndex(1);
    c->EditarBase(16, "FF");
    EXPECT_EQ(c->RejillaDe(10)->Cells(1, TfmConver::FilaDe(10)), "255");
    EXPECT_EQ(c->RejillaDe(2)->Cells(1, TfmConver::FilaDe(2)), "11111111 [2]");
    c->EditarBase(10, "0");
    EXPECT_EQ(c->RejillaDe(2)->Cells(1, TfmConver::FilaDe(2)), "11111111 [2]");
    // Typed into the Hex cell: lower case made capital, other digits swallowed.
    TStringGridX* hex = c->RejillaDe(16);
    hex->SetCells(1, TfmConver::FilaDe(16), "");
    hex->editItem(hex->item(TfmConver::FilaDe(16), 1));
    auto* caja = hex->findChild<QLineEdit*>();
    ASSERT_NE(caja, nullptr);
    prueba::Escribir(caja, "fgf");
    EXPECT_EQ(caja->text(), "FF");
    EXPECT_EQ(c->RejillaDe(10)->Cells(1, TfmConver::FilaDe(10)), "255");

    // Readable in every shipped scheme, applied as a user would, under a
    // light and a dark desktop.
    std::filesystem::copy_file(prueba::Datos() / "colores.ini", dir_ / "colores.ini");
    {
        TfmOpciones opciones(ventana_.get(), *sesion_, [this] { ventana_->AplicarDiseno(); });
        const QPalette original = QApplication::palette();
        for (bool oscura : {false, true}) {
            QApplication::setPalette(prueba::PaletaEscritorio(oscura));
            for (int i = 0; i < static_cast<int>(opciones.Esquemas().Lista().size()); ++i) {
                opciones.ListaEsquemas()->setCurrentRow(i);
                opciones.Aplicar();
                for (QWidget* w : {static_cast<QWidget*>(c->Resultados()), static_cast<QWidget*>(hex),
                                   static_cast<QWidget*>(c->Numero()), static_cast<QWidget*>(c->Cantidad()->lineEdit())})
                    EXPECT_GE(Contraste(ColorDeQColor(w->palette().color(QPalette::Text)),
                                        ColorDeQColor(w->palette().color(QPalette::Base))),
                              kContrasteMinimo)
                        << w->objectName().toStdString() << " " << opciones.Esquemas().Lista()[i].Nombre
                        << (oscura ? " (oscuro)" : " (claro)");
            }
        }
        QApplication::setPalette(original);
    }  // the options window is the main window's child: gone before it reopens

    c->RstBases()->setChecked(true);
    Calcular("31");
    EXPECT_EQ(c->Numero()->text(), "31");
    EXPECT_EQ(c->RejillaDe(16)->Cells(1, TfmConver::FilaDe(16)), "1F [16]");

    // The page across a restart.
    ventana_->close();
    Abrir();
    ConectarUnidades(*ventana_, modelo_, *ConectarConversiones(*ventana_, modelo_));
    ventana_->MostrarHerramienta("Conversor", true);
    c = qobject_cast<TfmConver*>(ventana_->VentanaHerramienta("Conversor"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Paginas()->currentIndex(), 1);
}

}  // namespace
}  // namespace numbrix
