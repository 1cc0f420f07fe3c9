// The main window as a user drives it: keys, menus, panels and what it
// paints. What a calculation gives is the session's (tests/shell); here only
// that the window shows it.
#include "shell/ui/frmCalc.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleFactory>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "Ventanas.h"
#include "shell/Esquemas.h"
#include "shell/VelIni.h"
#include "shell/ui/ComboExpr.h"
#include "shell/ui/fmComun.h"
#include "shell/ui/fmInput.h"
#include "shell/ui/fmOpciones.h"
#include "shell/ui/fmTips.h"
#include "shell/ui/frmCalcPiezas.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/Traduccion.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {
namespace {

using prueba::AlAparecerCaja;
using prueba::Elegir;

void Esperar(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QAction* Accion(QMenu* menu, const QString& texto) {
    for (QAction* a : menu->findChildren<QAction*>())
        if (a->text() == texto) return a;
    return nullptr;
}

using VentanaCalc = VentanaPrincipal;

TEST_F(VentanaCalc, EnterShowsWhatTheSessionRecorded) {
    EXPECT_GE(ventana_->minimumWidth(), TfrmCalcu::kAnchoMinimo);
    Calcular("2+3");
    EXPECT_EQ(Resultado(), "5");
    ASSERT_EQ(ventana_->listaResultados->count(), 2);
    EXPECT_EQ(ventana_->listaResultados->item(0)->text().toStdString(), "2+3");
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "5");
    EXPECT_EQ(ventana_->etiquetaCuenta->text().toStdString(), "1");
    EXPECT_TRUE(ventana_->botonDeshacer->isEnabled());
    EXPECT_EQ(ventana_->cajaExpresion->itemText(0).toStdString(), "2+3");
    EXPECT_TRUE(ventana_->vistaFormula->Dibujo().has_value());
    Pulsar(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "0");
    ventana_->Deshacer();
    EXPECT_EQ(ventana_->cajaTotal->text().toStdString(), "5");
    // An error: the engine's message, nothing recorded, nothing drawn.
    Calcular("2+");
    ASSERT_TRUE(sesion_->Principal().HayError);
    EXPECT_EQ(Resultado(), sesion_->Principal().Mensaje);
    EXPECT_EQ(ventana_->listaResultados->count(), 2);
    EXPECT_FALSE(ventana_->vistaFormula->Dibujo().has_value());
}

TEST_F(VentanaCalc, F7F11AndF12StepThroughTheDisplayFormats) {
    Calcular("10");
    Pulsar(Qt::Key_F7);
    EXPECT_EQ(Resultado(), "1010 [2]");  // shown again at once
    const struct {
        int tecla;
        QToolButton* boton;
        std::vector<const char*> pasos;
        const char* pista;  // the button's tool tip at the end
    } casos[] = {
        {Qt::Key_F7, ventana_->botonBase, {"8", "16", "10", "2", "8", "16", "10"}, "Base numérica del resultado: 10 (F7)"},
        {Qt::Key_F11, ventana_->botonAngulo, {"Sex", "Cent", "Cicl", "GMS", "xPi", "Rad"},
         "Formato de Angulos: Radianes (F11)"},
        {Qt::Key_F12, ventana_->botonDigitos,
         {"0 d", "2 d", "4 d", "6 d", "8 d", "10 d", "12 d", "14 d", "16 d", "Flot"}, "Formato Decimal (F12): Flotante"},
    };
    for (const auto& c : casos) {
        for (const char* paso : c.pasos) {
            Pulsar(c.tecla);
            EXPECT_EQ(c.boton->text().toStdString(), paso);
        }
        EXPECT_EQ(c.boton->toolTip().toStdString(), c.pista);
    }
    Pulsar(Qt::Key_F12);
    Pulsar(Qt::Key_F12);
    EXPECT_EQ(ventana_->botonDigitos->toolTip().toStdString(), "Formato Decimal (F12): 2 dígitos");
    ventana_->CambiarBase(5);  // a base off the cycle goes back to 10
    Pulsar(Qt::Key_F7);
    EXPECT_EQ(ventana_->botonBase->text().toStdString(), "10");
}

// The window's keys come before the line edit's; Escape twice first
// empties the box, then asks to close.
TEST_F(VentanaCalc, WindowKeysComeFirstAndEscapeTwiceAsksToClose) {
    QLineEdit* edit = ventana_->cajaExpresion->lineEdit();
    const bool completar = EstadoCompletado::Activo, historial = sesion_->Ajustes.VerHistorial;
    prueba::Tecla(edit, Qt::Key_U, Qt::ControlModifier);
    prueba::Tecla(edit, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(EstadoCompletado::Activo != completar && sesion_->Ajustes.VerHistorial != historial);
    ventana_->cajaExpresion->SetTexto("1+1");
    for (int i = 0; i < 2; ++i) prueba::Tecla(edit, Qt::Key_Escape);
    EXPECT_TRUE(ventana_->cajaExpresion->Texto().isEmpty());
    ASSERT_EQ(preguntas_.size(), 1);
    EXPECT_TRUE(preguntas_[0].endsWith("|¿Cierra este programa?"));
}

TEST_F(VentanaCalc, SolvingForTheUnknownTellsTheValueOrWhyNot) {
    const struct {
        const char* texto;
        const char* valor;  // null: the engine says why not
    } casos[] = {{"2*?+1=7", "3"}, {"2+", nullptr}, {"2*x", nullptr}};
    for (const auto& c : casos) {
        ventana_->cajaExpresion->SetTexto(c.texto);
        Pulsar(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
        ASSERT_EQ(mensajes_.size(), 1) << c.texto;
        EXPECT_TRUE(c.valor || sesion_->Principal().HayError) << c.texto;
        EXPECT_EQ(mensajes_.takeFirst().toStdString(), c.valor ? c.valor : sesion_->Principal().Mensaje) << c.texto;
    }
}

TEST_F(VentanaCalc, PromptWindowAnswersAndCancels) {
    TfmInput* input = ventana_->Input();
    QTimer::singleShot(0, input, [input] {
        EXPECT_EQ(input->windowTitle().toStdString(), "Indique el valor de la variable a");
        EXPECT_EQ(input->Texto()->Texto().toStdString(), "1");
        input->Texto()->SetTexto("2");
        input->accept();
    });
    Calcular("a+a");
    EXPECT_EQ(Resultado(), "4");
    QTimer::singleShot(0, input, [input] { input->reject(); });
    Calcular("b*3");
    EXPECT_EQ(Resultado(), "Cálculo cancelado");
    EXPECT_EQ(ventana_->listaResultados->count(), 2);
}

TEST_F(VentanaCalc, EscapeCancelsALongEvaluationAndACloseWaitsForIt) {
    ventana_->show();
    bool cerroDurante = false;
    QTimer::singleShot(150, ventana_.get(), [&] {
        EXPECT_TRUE(ventana_->Evaluando());
        // Menus and commands wait; a close request is kept for later.
        Pulsar(Qt::Key_F7);
        ventana_->close();
        cerroDurante = !ventana_->isVisible();
        Pulsar(Qt::Key_Escape);
    });
    Calcular("Sumatoria(1,1000000000000000,n)");
    EXPECT_FALSE(cerroDurante);
    EXPECT_EQ(Resultado(), "Cálculo cancelado");
    EXPECT_EQ(ventana_->botonBase->text().toStdString(), "10");
    EXPECT_FALSE(ventana_->Evaluando());
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->isVisible());
    // Closing wrote the settings and the placement.
    EXPECT_FALSE(TVelIniFile(dir_ / "numbrix.ini").ReadBool("PosfrmCalcu", "First", true));
}

TEST_F(VentanaCalc, ResultListCommands) {
    Calcular("1+1");
    Calcular("2+2");
    QListWidget* lista = ventana_->listaResultados;
    lista->setCurrentRow(3);
    ventana_->AsignarDesdeLista();
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2");
    lista->setCurrentRow(0);
    prueba::Tecla(lista, Qt::Key_Return);
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2+2");

    QAction* limpiar = Accion(ventana_->menuLista, "Limpiar Todo");
    ASSERT_NE(limpiar, nullptr);
    limpiar->trigger();
    EXPECT_EQ(lista->count(), 4);
    EXPECT_EQ(preguntas_, QStringList{"Vaciar Detalle|¿Esta seguro?"});
    respuesta_ = true;
    limpiar->trigger();
    EXPECT_EQ(lista->count(), 0);
}

TEST_F(VentanaCalc, MemoryMenuCaptionsFollowTheMemories) {
    Calcular("7");
    QMenu* menu = ventana_->menuMemorias;
    QMenu* m0 = menu->actions().at(0)->menu();
    ASSERT_NE(m0, nullptr);
    for (const auto& [item, titulo] : {std::pair{1, "M0 = 7"}, std::pair{4, "M0 = 0"}}) {  // Cargar, Restar
        m0->actions().at(item)->trigger();
        emit menu->aboutToShow();
        EXPECT_EQ(menu->actions().at(0)->text().toStdString(), titulo);
    }
    ventana_->cajaExpresion->SetTexto("2*");
    m0->actions().at(0)->trigger();  // Insertar
    EXPECT_EQ(ventana_->cajaExpresion->Texto().toStdString(), "2*M0");
}

TEST_F(VentanaCalc, SettingsListAndHistorySurviveARestart) {
    Calcular("6*7");
    ventana_->CambiarBase(16);
    ventana_->move(40, 30);
    ventana_->GuardarTodo();
    Abrir();
    EXPECT_EQ(ventana_->botonBase->text().toStdString(), "16");
    ASSERT_EQ(ventana_->listaResultados->count(), 4);
    EXPECT_EQ(ventana_->listaResultados->item(0)->text().toStdString(), "6*7");
    ASSERT_GE(ventana_->cajaExpresion->count(), 1);
    EXPECT_EQ(ventana_->cajaExpresion->itemText(0).toStdString(), "6*7");
    TVelIniFile ini(dir_ / "numbrix.ini");
    EXPECT_FALSE(ini.ReadBool("PosfrmCalcu", "First", true));
    EXPECT_EQ(ini.ReadInteger("PosfrmCalcu", "Width", 0), ventana_->width());
}

TEST_F(VentanaCalc, ReducedModeShrinksOnLeaveAndGrowsOnEnter) {
    ventana_->setGeometry(200, 200, 520, 360);
    ventana_->show();
    QApplication::processEvents();
    const QRect completa = ventana_->geometry();
    ventana_->ModoReducido(true);
    QCursor::setPos(5, 5);
    QEvent salida(QEvent::Leave);
    QApplication::sendEvent(ventana_.get(), &salida);
    ASSERT_TRUE(ventana_->Reducida());
    EXPECT_LT(ventana_->height(), completa.height());
    EXPECT_FALSE(ventana_->mask().isEmpty());
    EXPECT_TRUE(ventana_->windowFlags() & Qt::FramelessWindowHint);

    Esperar(300);  // past the settling time of a change
    QCursor::setPos(completa.center());
    QEnterEvent entrada(QPointF(10, 10), QPointF(10, 10), QPointF(210, 210));
    QApplication::sendEvent(ventana_.get(), &entrada);
    EXPECT_FALSE(ventana_->Reducida());
    EXPECT_EQ(ventana_->geometry(), completa);
    EXPECT_TRUE(ventana_->mask().isEmpty());

    // Never while a menu is open: its pop-up takes the pointer away.
    Esperar(300);
    ASSERT_FALSE(ventana_->Reducida());
    ventana_->menuAngulo->popup(QPoint(0, 0));
    ASSERT_EQ(QApplication::activePopupWidget(), ventana_->menuAngulo);
    QCursor::setPos(5, 5);
    QApplication::sendEvent(ventana_.get(), &salida);
    EXPECT_FALSE(ventana_->Reducida());
    ventana_->menuAngulo->hide();

    ventana_->ModoReducido(false);
    QApplication::sendEvent(ventana_.get(), &salida);
    EXPECT_FALSE(ventana_->Reducida());
}

TEST_F(VentanaCalc, WindowFlagsToggleOnce) {
    ventana_->SiempreVisible(true);
    EXPECT_TRUE(ventana_->TopMost());
    EXPECT_TRUE(ventana_->botonSiempreVisible->isChecked());
    ventana_->SiempreVisible(false);
    EXPECT_FALSE(ventana_->TopMost());

    QMouseEvent doble(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(ventana_.get(), &doble);
    EXPECT_TRUE(sesion_->Ajustes.NoTitulo);
    EXPECT_TRUE(ventana_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(ventana_->windowTitle().isEmpty());
    QApplication::sendEvent(ventana_.get(), &doble);
    EXPECT_FALSE(sesion_->Ajustes.NoTitulo);
    EXPECT_EQ(ventana_->windowTitle().toStdString(), TfrmCalcu::kTitulo);
}

TEST_F(VentanaCalc, WithoutANotificationAreaTheOptionIsOffAndMinimisingIsPlain) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a notification area";
    QAction* opcion = Accion(ventana_->menuHerramientas, "Minimizar al área de notificación");
    ASSERT_NE(opcion, nullptr);
    EXPECT_FALSE(opcion->isEnabled());
    EXPECT_FALSE(opcion->toolTip().isEmpty());
    sesion_->Ajustes.MinIcon = true;  // stored from a desktop that had one
    ventana_->show();
    ventana_->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->isHidden());
}

TEST_F(VentanaCalc, AFailedSaveIsReportedAndCanBeRetried) {
    // The settings file cannot be replaced while a folder stands in its way.
    auto bloquear = [this] {
        std::filesystem::remove(dir_ / "numbrix.ini");
        std::filesystem::create_directory(dir_ / "numbrix.ini");
    };
    Calcular("1+2");
    bloquear();
    int avisos = 0;
    AlAparecerCaja([&](QMessageBox* caja) {
        ++avisos;
        EXPECT_TRUE(caja->text().startsWith("No se pudieron guardar los ajustes"));
        std::filesystem::remove(dir_ / "numbrix.ini");  // the way cleared: the retry succeeds
        Elegir(caja, "Reintentar");
    });
    EXPECT_TRUE(ventana_->GuardarTodo());
    EXPECT_EQ(avisos, 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir_ / "numbrix.ini"));

    Calcular("2+2");  // something new to write
    bloquear();
    AlAparecerCaja([](QMessageBox* caja) { Elegir(caja, "Cerrar sin guardar"); });
    EXPECT_FALSE(ventana_->GuardarTodo());
}

TEST_F(VentanaCalc, FontsFallBackWithoutBeingRewrittenAndAHiddenTitleStaysHidden) {
    {
        TVelIniFile ini(dir_ / "numbrix.ini");
        ini.WriteString("Opciones", "FENom", "Familia Que No Existe");
        ini.WriteString("Opciones", "FRNom", "MS Sans Serif");
        ini.WriteBool("Opciones", "NoTitulo", true);
        ini.UpdateFile();
    }
    Abrir();
    EXPECT_EQ(ventana_->cajaExpresion->font().family(), QApplication::font().family());
    EXPECT_EQ(ventana_->cajaResultado->font().family(), QApplication::font().family());
    EXPECT_TRUE(ventana_->cajaResultado->font().bold());  // the result box's default style
    EXPECT_TRUE(ventana_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(ventana_->windowTitle().isEmpty());
    ventana_->GuardarTodo();
    EXPECT_EQ(TVelIniFile(dir_ / "numbrix.ini").ReadString("Opciones", "FENom"), "Familia Que No Existe");
}

TEST_F(VentanaCalc, DescribingUserFunctionsRedrawsWithoutRecording) {
    Calcular("2+3");
    QAction* describir = Accion(ventana_->menuFormula, "Describir funciones de usuario");
    ASSERT_NE(describir, nullptr);
    describir->trigger();
    EXPECT_TRUE(sesion_->Principal().SinEnvoltura);
    EXPECT_TRUE(ventana_->vistaFormula->Dibujo().has_value());
    EXPECT_EQ(ventana_->listaResultados->count(), 2);
}

// ---------------------------------------------------------------- readability

using prueba::PaletaEscritorio;

double Razon(const QColor& a, const QColor& b) { return Contraste(ColorDeQColor(a), ColorDeQColor(b)); }

// The lowest contrast of a text anywhere on a band's gradient.
double PeorSobreBanda(const QColor& tinta, const QColor& a, const QColor& b) {
    double peor = 21;
    for (int i = 0; i <= 200; ++i) {
        const QColor c(a.red() + (b.red() - a.red()) * i / 200, a.green() + (b.green() - a.green()) * i / 200,
                       a.blue() + (b.blue() - a.blue()) * i / 200);
        peor = std::min(peor, Razon(tinta, c));
    }
    return peor;
}

TEST_F(VentanaCalc, EveryPaintedTextIsReadableUnderEverySchemeAndPalette) {
    std::filesystem::copy_file(prueba::Datos() / "colores.ini", dir_ / "colores.ini");
    const QPalette original = QApplication::palette();
    Mostrar(560, 380);
    // Every shipped scheme, the settings' own default and "Usar Predeterminado".
    TfmOpciones opciones(ventana_.get(), *sesion_, [this] { ventana_->AplicarDiseno(); });
    std::vector<std::pair<std::string, T4Colores>> esquemas;
    for (const auto& e : opciones.Esquemas().Lista()) esquemas.emplace_back(e.Nombre, e.Colores);
    ASSERT_GE(esquemas.size(), 9u);
    esquemas.emplace_back("(ajustes por defecto)", EsquemaDe(AjustesCalculadora{}));
    esquemas.emplace_back("(Usar Predeterminado)", ColoresPredeterminados());
    AjustesCalculadora oscuro;  // a dark background with black text
    oscuro.ClFondo = 0x1C202C;
    oscuro.ClTexto = 0x000000;
    esquemas.emplace_back("(negro sobre oscuro)", EsquemaDe(oscuro));

    for (bool oscura : {false, true}) {
        QApplication::setPalette(PaletaEscritorio(oscura));
        TfmTips consejos(nullptr, dir_);
        for (std::size_t i = 0; i < esquemas.size(); ++i) {
            const auto& [nombre, esquema] = esquemas[i];
            // The file's schemes go through the options window, as a user
            // would apply them; its preview must show what the window paints.
            if (i < opciones.Esquemas().Lista().size()) {
                opciones.ListaEsquemas()->setCurrentRow(static_cast<int>(i));
                opciones.Aplicar();
            } else {
                sesion_->Ajustes.ClLuz = EnteroDeColor(esquema.Luz);
                sesion_->Ajustes.ClSombra = EnteroDeColor(esquema.Sombra);
                sesion_->Ajustes.ClTexto = EnteroDeColor(esquema.Texto);
                sesion_->Ajustes.ClFondo = EnteroDeColor(esquema.Fondo);
                ventana_->AplicarDiseno();
                opciones.Vista()->SetColores(esquema);
            }
            EXPECT_EQ(opciones.Vista()->Pintados(), ventana_->Pintados()) << nombre;
            QApplication::processEvents();

            struct Medida { std::string papel; double razon, minimo; };
            std::vector<Medida> medidas;
            auto caja = [&](const char* papel, QWidget* w) {
                const QPalette p = w->palette();
                medidas.push_back({papel, Razon(p.color(QPalette::Text), p.color(QPalette::Base)), kContrasteMinimo});
            };
            caja("expresión", ventana_->cajaExpresion->lineEdit());
            caja("resultado", ventana_->cajaResultado);
            caja("lista", ventana_->listaResultados);
            caja("total", ventana_->cajaTotal);
            const QPalette lista = ventana_->listaResultados->palette();
            medidas.push_back({"fila elegida", Razon(lista.color(QPalette::HighlightedText), lista.color(QPalette::Highlight)),
                               kContrasteMinimo});
            medidas.push_back({"insignia", Contraste(kTintaInsignia, kInsignia), kContrasteMinimo});
            TVistaFormula* vista = ventana_->vistaFormula;
            medidas.push_back({"fórmula", Razon(vista->Tinta(), vista->palette().color(QPalette::Base)), kContrasteMinimo});
            medidas.push_back({"fórmula química", Razon(vista->Azul(), vista->palette().color(QPalette::Base)), kContrasteMinimo});
            // Labels and buttons on the bands, wherever they sit on the gradient.
            for (QWidget* banda : {static_cast<QWidget*>(ventana_->bandaSuperior),
                                   static_cast<QWidget*>(ventana_->bandaInferior)}) {
                // The gradient as painted: its first and last rows, at the
                // right edge where no control sits.
                const QImage imagen = banda->grab().toImage();
                const QColor a = imagen.pixelColor(imagen.width() - 2, 0);
                const QColor b = imagen.pixelColor(imagen.width() - 2, imagen.height() - 1);
                for (QWidget* w : banda->findChildren<QWidget*>()) {
                    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QToolButton*>(w)) continue;
                    const QPalette p = w->palette();
                    const QPalette::ColorRole rol = w->foregroundRole();
                    medidas.push_back({"banda " + w->objectName().toStdString(),
                                       PeorSobreBanda(p.color(QPalette::Active, rol), a, b), kContrasteMinimo});
                    // A disabled button (undo before any addition) is seen.
                    medidas.push_back({"banda inactiva " + w->objectName().toStdString(),
                                       PeorSobreBanda(p.color(QPalette::Disabled, rol), a, b), kContrasteInactivo});
                }
            }
            // The tips window does not follow the scheme, only the palette.
            medidas.push_back({"consejos", Razon(consejos.Indicador()->palette().color(QPalette::WindowText), consejos.ColorPanel()),
                               kContrasteMinimo});
            medidas.push_back({"casilla de consejos", Razon(consejos.ColorCasilla(), consejos.ColorPanel()), kContrasteInactivo});

            for (const Medida& m : medidas)
                EXPECT_GE(m.razon, m.minimo) << nombre << (oscura ? " (oscuro) " : " (claro) ") << m.papel;
        }
    }
    QApplication::setPalette(original);
    opciones.reject();
    // A light scheme keeps its own text colour.
    sesion_->Ajustes.ClFondo = 0xD9ECEC;
    sesion_->Ajustes.ClTexto = 0x000000;
    ventana_->AplicarDiseno();
    EXPECT_EQ(ventana_->listaResultados->palette().color(QPalette::Text), QColor(Qt::black));
}

// ---------------------------------------------------------------- room

TEST_F(VentanaCalc, TheTotalIsShortenedNeverCut) {
    Mostrar(TfrmCalcu::kAnchoMinimo, 300);
    QLineEdit* total = ventana_->cajaTotal;
    QFont grande = total->font();  // a large desktop font: 21 characters no longer fit
    grande.setPointSize(18);
    total->setFont(grande);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) Calcular("2^100");
    QApplication::processEvents();
    const std::string completo = sesion_->TextoTotal();
    ASSERT_GT(total->fontMetrics().horizontalAdvance(QString::fromStdString(completo)), total->contentsRect().width());
    const QString texto = total->text();
    EXPECT_LE(total->fontMetrics().horizontalAdvance(texto), total->contentsRect().width() - 8) << texto.toStdString();
    // Shorter, yet the same number: fewer digits and its exponent.
    ASSERT_TRUE(texto.contains('e')) << texto.toStdString();
    const std::string t = texto.toStdString();
    long double leido = 0;
    std::from_chars(t.data(), t.data() + t.size(), leido);
    const long double esperado = 3 * std::pow(2.0L, 100);
    EXPECT_LT(std::fabs(leido - esperado) / esperado, 1e-3L) << t;
    EXPECT_EQ(total->toolTip().toStdString(), "Total (suma de resultados): " + completo);
    // With room for it the whole text shows again.
    ventana_->resize(1000, 300);
    QApplication::processEvents();
    EXPECT_EQ(total->text().toStdString(), completo);
}

TEST_F(VentanaCalc, AMessageWiderThanTheResultBoxIsWrittenOutBelowIt) {
    Mostrar(TfrmCalcu::kAnchoMinimo, 300);
    const int alto = ventana_->height();
    QLineEdit* caja = ventana_->cajaResultado;
    Calcular("2+");  // the engine's longest message: the expression ends in an operator
    const QString mensaje = caja->text();
    ASSERT_GT(caja->fontMetrics().horizontalAdvance(mensaje), caja->contentsRect().width());
    EXPECT_EQ(caja->toolTip(), mensaje);
    EXPECT_TRUE(ventana_->etiquetaMensaje->isVisible());
    EXPECT_EQ(ventana_->etiquetaMensaje->text(), mensaje);
    EXPECT_EQ(ventana_->height(), alto);  // the middle panel makes the room
    Calcular("5");
    EXPECT_FALSE(ventana_->etiquetaMensaje->isVisible());
    // In a wide window the box holds it all.
    Calcular("2+");
    ventana_->resize(1200, 300);
    QApplication::processEvents();
    EXPECT_FALSE(ventana_->etiquetaMensaje->isVisible());
}

TEST_F(VentanaCalc, TogglingPanelsGivesTheMiddlePanelBackItsRoom) {
    Mostrar(500, 400);
    auto medio = [this] {
        QApplication::processEvents();
        return ventana_->panelMedio->height();
    };
    const int antes = medio();
    ASSERT_GE(antes, TfrmCalcu::kAltoMedioMinimo);
    // Ctrl+T hides the bar; Ctrl+H twice hides and brings back the panel.
    Pulsar(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(medio(), antes);
    Pulsar(Qt::Key_H, Qt::ControlModifier);
    QApplication::processEvents();
    // The top band alone, filling the window's least height.
    EXPECT_EQ(ventana_->height(), std::max(TfrmCalcu::kAltoMinimo, ventana_->bandaSuperior->sizeHint().height()));
    EXPECT_EQ(ventana_->bandaSuperior->height(), ventana_->height());
    for (int tecla : {Qt::Key_H, Qt::Key_T}) {
        Pulsar(tecla, Qt::ControlModifier);
        EXPECT_EQ(medio(), antes);
    }
    // A middle panel the user squeezed comes back at the least height.
    ventana_->resize(500, ventana_->minimumHeight());
    EXPECT_LT(medio(), TfrmCalcu::kAltoMedioMinimo);
    for (int tecla : {Qt::Key_H, Qt::Key_H, Qt::Key_T, Qt::Key_T}) Pulsar(tecla, Qt::ControlModifier);
    EXPECT_GE(medio(), TfrmCalcu::kAltoMedioMinimo);
    // Dragged below thirty pixels, either part of the panel collapses.
    QSplitter* partes = ventana_->panelMedio;
    const int total = partes->sizes()[0] + partes->sizes()[1];
    partes->setSizes({20, total - 20});
    emit partes->splitterMoved(20, 1);
    EXPECT_EQ(partes->sizes()[0], 1);
    partes->setSizes({total - 25, 25});
    emit partes->splitterMoved(total - 25, 1);
    EXPECT_EQ(partes->sizes()[1], 1);
}

TEST_F(VentanaCalc, ControlsThatDoNothingAreNotOffered) {
    ventana_->show();
    QApplication::processEvents();
    // No tool yet: the strip takes no room and the total has the width.
    EXPECT_FALSE(ventana_->panelHerramientas->isVisible());
    EXPECT_GT(ventana_->cajaTotal->width(), ventana_->width() / 2);
    // No chemistry yet: Ctrl+R is not the window's, and the option hides.
    QKeyEvent ctrlR(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(ventana_->TeclaVentana(&ctrlR));
    TfmOpciones opciones(ventana_.get(), *sesion_, {});
    opciones.show();
    EXPECT_FALSE(opciones.CasillaMMR()->isVisible());
    opciones.reject();

    bool quimica = false;
    ventana_->Quimica = [&](bool si) { quimica = si; };
    sesion_->Ajustes.MMR = false;
    EXPECT_TRUE(ventana_->TeclaVentana(&ctrlR));
    EXPECT_TRUE(quimica);
    // "Mostrar Total" hides the whole group, its label too.
    ventana_->VerTotal(false);
    EXPECT_FALSE(ventana_->etiquetaTotal->isVisible());
    EXPECT_FALSE(ventana_->cajaTotal->isVisible());
}

TEST_F(VentanaCalc, TheFirstStartQuestionHasSpanishButtons) {
    ASSERT_TRUE(TraducirDialogosQt(prueba::AplicacionQt()));
    // Qt's own file and colour dialogs, which the translation covers.
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    ASSERT_TRUE(sesion_->Ajustes.PrimerInicio());
    QStringList botones;
    AlAparecerCaja([&](QMessageBox* caja) {
        for (QAbstractButton* b : caja->buttons()) botones << b->text().remove('&');
        caja->button(QMessageBox::No)->click();
    });
    TfrmCalcu::PreguntarPrimerInicio(*sesion_, nullptr);
    botones.sort();
    EXPECT_EQ(botones, QStringList({"No", "Sí"}));
    EXPECT_FALSE(sesion_->Ajustes.PrimerInicio());
}

}  // namespace
}  // namespace numbrix
